#include "ui/win/WindowClasses.h"

#include <mutex>
#include <set>
#include <string>

namespace ui::win {

const wchar_t* WindowClass(const wchar_t* className, WNDPROC proc, bool withIcon) {
  static std::mutex lock;
  static std::set<std::wstring> registered;
  std::lock_guard<std::mutex> guard(lock);
  if (registered.insert(className).second) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    if (withIcon) {
      wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
      wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, L"MAINICON", IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    }
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
  }
  return className;
}

HWND CreateMessageWindow(const wchar_t* className, WNDPROC proc) {
  return CreateWindowExW(0, WindowClass(className, proc), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace ui::win
