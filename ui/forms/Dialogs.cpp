#include "ui/forms/Dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "ui/forms/Application.h"

namespace ui {

TSavePictureDialog::TSavePictureDialog(TComponent* owner) : TUiComponent(owner) {}

std::wstring FilterToSystem(const UnicodeString& filter) {
  std::wstring out = filter.str();
  for (auto& ch : out)
    if (ch == L'|') ch = L'\0';
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

bool TSavePictureDialog::Execute() {
  std::vector<wchar_t> name(32768, L'\0');
  FileName.str().copy(name.data(), name.size() - 1);
  std::wstring filter = FilterToSystem(Filter);
  std::wstring ext = DefaultExt.str();
  if (ext.rfind(L"*.", 0) == 0) ext.erase(0, 2);
  else if (ext.rfind(L".", 0) == 0) ext.erase(0, 1);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  HWND owner = GetActiveWindow();
  if (!owner && Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
    owner = Application->MainForm()->WindowHandle();
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = Filter.IsEmpty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex < 1 ? 1 : FilterIndex);
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = InitialDir.IsEmpty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.IsEmpty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&ofn)) {
    DWORD error = CommDlgExtendedError();
    if (error != 0) throw Exception(L"The save dialog failed (error " + IntToStr(error) + L")");
    return false;
  }
  FileName = name.data();
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

const TClassInfo& TSavePictureDialog::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TSavePictureDialog), [] {
    TClassInfo c = DescribeClass<TSavePictureDialog>(L"TSavePictureDialog", nullptr, true);
    using C = TSavePictureDialog;
    c.properties = {
        StrProp<C>(L"DefaultExt", [](C& o) { return o.DefaultExt; }, [](C& o, const UnicodeString& v) { o.DefaultExt = v; }),
        StrProp<C>(L"FileName", [](C& o) { return o.FileName; }, [](C& o, const UnicodeString& v) { o.FileName = v; }),
        StrProp<C>(L"Filter", [](C& o) { return o.Filter; }, [](C& o, const UnicodeString& v) { o.Filter = v; }),
        IntProp<C>(L"FilterIndex", [](C& o) { return o.FilterIndex; }, [](C& o, int v) { o.FilterIndex = v; }, 1),
        StrProp<C>(L"InitialDir", [](C& o) { return o.InitialDir; }, [](C& o, const UnicodeString& v) { o.InitialDir = v; }),
        StrProp<C>(L"Title", [](C& o) { return o.Title; }, [](C& o, const UnicodeString& v) { o.Title = v; }),
    };
    return c;
  }());
  return info;
}

}  // namespace ui
