#include "e2e/support/Dialogs.h"

#include <algorithm>
#include <utility>

#include "e2e/support/Input.h"
#include "rtl/CodePage.h"

// What Wine 8 builds (zh_CN locale), found by listing the windows:
//
// GetSaveFileNameW, Explorer style, no template: a top-level #32770 owned by
// hwndOwner, caption "另存为", placed at the owner's top-left corner plus one
// pixel. File name: cmb13 (1148), a ComboBoxEx32 holding a ComboBox (1148)
// holding the Edit (1148) that has the focus when the dialog opens; there is
// no edt1 (1152). File type: cmb1 (1136), a drop-down list. Buttons: IDOK
// "保存(&S)", IDCANCEL "取消", hidden 1038 (help) and 1040 (read-only).
// Wine switches the filter and the default extension on CBN_SELENDOK, not on
// CBN_SELCHANGE: a driver has to send both, as a real selection does. Alt+S,
// Enter and a posted BM_CLICK on IDOK all save; Unicode typing reaches the
// edit. A name typed without extension gets the selected type's extension.
//
// MessageBoxW: a top-level #32770 with the caption given, centred on the
// screen, owned by hWnd. Text: a Static with ID 0xFFFF (65535); icon: a
// Static (SS_ICON) with ID 1088 (stc1); buttons carry the result IDs
// (IDOK "确定", IDCANCEL "取消", ...), and MB_DEFBUTTONn shows as
// BS_DEFPUSHBUTTON on that button. MB_TOPMOST does not show as WS_EX_TOPMOST.
//
// Closing either takes Wine 2 s when it treats windows as managed (its
// default) and no window manager runs: it waits in vain for one to confirm
// the hidden window. "Managed"="N" under HKCU\Software\Wine\X11 Driver in
// the prefix removes the wait (the dialog is gone in about 50 ms).

namespace e2e {

namespace {

constexpr int kFileNameEdit = 1152;   // edt1: the old layout's file-name box
constexpr int kFileNameCombo = 1148;  // cmb13: the Explorer layout's
constexpr int kFileTypeCombo = 1136;  // cmb1
constexpr int kMessageText = 0xFFFF;
constexpr int kMessageIcon = 1088;    // stc1

HWND FirstEditIn(HWND window) {
  if (ClassOf(window).str() == L"Edit") return window;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (HWND edit = FirstEditIn(child)) return edit;
  return nullptr;
}

std::string Narrow(const UnicodeString& text) { return rtl::WideToUtf8(text.str()); }

}  // namespace

testing::AssertionResult DialogWindow::Press(int buttonId) const {
  HWND button = GetDlgItem(dialog_, buttonId);
  if (!button) return testing::AssertionFailure() << "no button " << buttonId << " in" << Describe(dialog_, true);
  if (!IsWindowEnabled(button)) return testing::AssertionFailure() << "button " << Describe(button) << " is disabled";
  if (!PostMessageW(button, BM_CLICK, 0, 0))
    return testing::AssertionFailure() << "cannot post BM_CLICK (error " << GetLastError() << ")";
  return testing::AssertionSuccess();
}

testing::AssertionResult DialogWindow::Click(int buttonId) const {
  HWND button = GetDlgItem(dialog_, buttonId);
  if (!button) return testing::AssertionFailure() << "no button " << buttonId << " in" << Describe(dialog_, true);
  return e2e::Click(CenterOf(button));
}

Found SaveDialog::Find(DWORD pid, int timeoutMs) {
  return FindWindowOf(
      pid,
      [](HWND window) { return ClassOf(window).str() == L"#32770" && GetDlgItem(window, kFileTypeCombo); },
      timeoutMs, "save dialog (#32770 with a file-type list)");
}

HWND SaveDialog::FileNameEdit() const {
  HWND old = GetDlgItem(dialog_, kFileNameEdit);
  if (old && IsWindowVisible(old)) return old;
  HWND combo = GetDlgItem(dialog_, kFileNameCombo);
  return combo ? FirstEditIn(combo) : nullptr;
}

UnicodeString SaveDialog::FileName() const {
  HWND edit = FileNameEdit();
  return edit ? TextOf(edit) : UnicodeString();
}

testing::AssertionResult SaveDialog::SetFileName(const UnicodeString& name) const {
  HWND edit = FileNameEdit();
  if (!edit) return testing::AssertionFailure() << "no file-name box in" << Describe(dialog_, true);
  if (!SendBounded(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str())))
    return testing::AssertionFailure() << "the save dialog did not take WM_SETTEXT";
  const UnicodeString now = TextOf(edit);
  if (now != name)
    return testing::AssertionFailure() << "the file name reads \"" << Narrow(now) << "\", not \"" << Narrow(name)
                                       << "\"";
  return testing::AssertionSuccess();
}

std::vector<UnicodeString> SaveDialog::FileTypes() const {
  std::vector<UnicodeString> types;
  HWND combo = GetDlgItem(dialog_, kFileTypeCombo);
  LRESULT count = 0;
  if (!combo || !SendBounded(combo, CB_GETCOUNT, 0, 0, &count)) return types;
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = 0;
    if (!SendBounded(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, &length) || length < 0) break;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendBounded(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    types.emplace_back(text.c_str(), static_cast<size_t>(length));
  }
  return types;
}

int SaveDialog::FileTypeIndex() const {
  LRESULT index = CB_ERR;
  HWND combo = GetDlgItem(dialog_, kFileTypeCombo);
  if (!combo || !SendBounded(combo, CB_GETCURSEL, 0, 0, &index)) return -1;
  return static_cast<int>(index);
}

testing::AssertionResult SaveDialog::ChooseFileType(int index) const {
  HWND combo = GetDlgItem(dialog_, kFileTypeCombo);
  if (!combo) return testing::AssertionFailure() << "no file-type list in" << Describe(dialog_, true);
  const size_t count = FileTypes().size();
  if (index < 0 || static_cast<size_t>(index) >= count)
    return testing::AssertionFailure() << "file type " << index << " asked for, the list has " << count;
  SendBounded(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
    SendBounded(dialog_, WM_COMMAND, MAKEWPARAM(kFileTypeCombo, code), reinterpret_cast<LPARAM>(combo));
  if (FileTypeIndex() != index)
    return testing::AssertionFailure() << "file type " << FileTypeIndex() << " is selected, not " << index;
  return testing::AssertionSuccess();
}

Found MsgBox::Find(DWORD pid, const wchar_t* caption, int timeoutMs) {
  return FindWindowOf(
      pid,
      [&](HWND window) {
        return ClassOf(window).str() == L"#32770" && GetDlgItem(window, kMessageText) &&
               (!caption || CaptionOf(window).str() == caption);
      },
      timeoutMs,
      "message box (#32770 with a text control 0xFFFF) with caption " +
          (caption ? "\"" + Narrow(caption) + "\"" : std::string("(any)")));
}

UnicodeString MsgBox::Text() const { return CaptionOf(GetDlgItem(dialog_, kMessageText)); }

std::vector<int> MsgBox::Buttons() const {
  std::vector<std::pair<LONG, int>> found;
  for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && ClassOf(child).str() == L"Button")
      found.emplace_back(WindowRectOf(child).left, GetDlgCtrlID(child));
  std::sort(found.begin(), found.end());
  std::vector<int> ids;
  for (const auto& button : found) ids.push_back(button.second);
  return ids;
}

UnicodeString MsgBox::ButtonText(int buttonId) const {
  HWND button = GetDlgItem(dialog_, buttonId);
  return button ? CaptionOf(button) : UnicodeString();
}

int MsgBox::DefaultButton() const {
  for (int id : Buttons())
    if ((GetWindowLongW(GetDlgItem(dialog_, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
  return 0;
}

bool MsgBox::HasIcon() const {
  HWND icon = GetDlgItem(dialog_, kMessageIcon);
  return icon && IsWindowVisible(icon) && (GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

}  // namespace e2e
