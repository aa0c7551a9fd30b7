#include "e2e/support/Wait.h"

#include <cstdio>

#include "rtl/CodePage.h"

namespace e2e {

namespace {

std::string Narrow(const std::wstring& text) { return rtl::WideToUtf8(text); }

std::string Quoted(const wchar_t* text) { return text ? "\"" + Narrow(text) + "\"" : std::string("(any)"); }

std::string RectText(const RECT& r) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
  return buffer;
}

bool Matches(HWND window, const wchar_t* className, const wchar_t* text) {
  return (!className || ClassOf(window).str() == className) && (!text || CaptionOf(window).str() == text);
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string DescribeProcess(DWORD pid) {
  std::string text;
  for (HWND window : TopLevelWindowsOf(pid)) text += "\n  " + Describe(window);
  return text.empty() ? " none" : text;
}

void DescribeTree(HWND window, int depth, std::string& out) {
  out += "\n" + std::string(static_cast<size_t>(depth) * 2, ' ') + Describe(window);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    DescribeTree(child, depth + 1, out);
}

Found FindDescendant(HWND parent, const std::function<bool(HWND)>& match, int timeoutMs,
                     const std::string& what) {
  Found found;
  WaitFor(
      [&] {
        for (HWND window : Descendants(parent))
          if (match(window)) {
            found.hwnd = window;
            return true;
          }
        return !IsWindow(parent);
      },
      timeoutMs);
  if (!found.hwnd) {
    found.error = "no child " + what + " within " + std::to_string(timeoutMs) + " ms under ";
    found.error += IsWindow(parent) ? Describe(parent, true) : std::string("a window that no longer exists");
  }
  return found;
}

}  // namespace

testing::AssertionResult WaitFor(const std::function<bool()>& done, int timeoutMs, const std::string& what) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs > 0 ? timeoutMs : 0);
  for (;;) {
    if (done()) return testing::AssertionSuccess();
    if (GetTickCount64() >= deadline)
      return testing::AssertionFailure() << "timed out after " << timeoutMs << " ms waiting for " << what;
    Sleep(kPollMs);
  }
}

void Settle(int ms) { Sleep(static_cast<DWORD>(ms)); }

Found FindWindowOf(DWORD pid, const wchar_t* className, const wchar_t* caption, int timeoutMs) {
  return FindWindowOf(
      pid, [&](HWND window) { return Matches(window, className, caption); }, timeoutMs,
      "visible window with class " + Quoted(className) + " and caption " + Quoted(caption));
}

Found FindWindowOf(DWORD pid, const std::function<bool(HWND)>& match, int timeoutMs, const std::string& what) {
  Found found;
  WaitFor(
      [&] {
        for (HWND window : TopLevelWindowsOf(pid))
          if (IsWindowVisible(window) && match(window)) {
            found.hwnd = window;
            return true;
          }
        return false;
      },
      timeoutMs);
  if (!found.hwnd)
    found.error = "no " + what + " of process " + std::to_string(pid) + " within " + std::to_string(timeoutMs) +
                  " ms; its top-level windows:" + DescribeProcess(pid);
  return found;
}

Found FindDialog(DWORD pid, const wchar_t* caption, int timeoutMs) {
  return FindWindowOf(
      pid, [&](HWND window) { return Matches(window, L"#32770", caption); }, timeoutMs,
      "visible dialog (#32770) with caption " + Quoted(caption));
}

Found FindChild(HWND parent, int controlId, int timeoutMs) {
  return FindDescendant(
      parent, [&](HWND window) { return GetDlgCtrlID(window) == controlId; }, timeoutMs,
      "with control ID " + std::to_string(controlId));
}

Found FindChild(HWND parent, const wchar_t* className, const wchar_t* text, int timeoutMs) {
  return FindDescendant(
      parent, [&](HWND window) { return Matches(window, className, text); }, timeoutMs,
      "with class " + Quoted(className) + " and text " + Quoted(text));
}

testing::AssertionResult WaitGone(HWND window, int timeoutMs) {
  return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs,
                 "window " + Describe(window) + " to close");
}

UnicodeString ClassOf(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  return UnicodeString(name, static_cast<size_t>(length > 0 ? length : 0));
}

UnicodeString CaptionOf(HWND window) {
  std::wstring text(256, L'\0');
  for (;;) {
    const int length = InternalGetWindowText(window, text.data(), static_cast<int>(text.size()));
    if (length <= 0) return UnicodeString();
    if (static_cast<size_t>(length) + 1 < text.size() || text.size() >= 65536) {
      text.resize(static_cast<size_t>(length));
      return text;
    }
    text.resize(text.size() * 4);  // it may have been cut short
  }
}

UnicodeString TextOf(HWND window) {
  LRESULT length = 0;
  if (!SendBounded(window, WM_GETTEXTLENGTH, 0, 0, &length)) return UnicodeString();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = 0;
  if (!SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied))
    return UnicodeString();
  text.resize(static_cast<size_t>(copied) < text.size() ? static_cast<size_t>(copied) : text.size() - 1);
  return text;
}

RECT WindowRectOf(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

RECT ClientRectOnScreen(HWND window) {
  RECT rect = {};
  GetClientRect(window, &rect);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

POINT CenterOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

POINT CenterOf(HWND window) { return CenterOf(WindowRectOf(window)); }

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
  std::vector<HWND> all, found;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid) found.push_back(window);
  }
  return found;
}

std::string Describe(HWND window, bool withChildren) {
  if (!IsWindow(window)) return "(no window)";
  if (withChildren) {
    std::string out;
    DescribeTree(window, 0, out);
    return out;
  }
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  std::string text = Narrow(ClassOf(window).str()) + " \"" + Narrow(CaptionOf(window).str()) + "\"";
  if (style & WS_CHILD) text += " id " + std::to_string(GetDlgCtrlID(window));
  text += (style & WS_VISIBLE) ? " visible " : " hidden ";
  return text + RectText(WindowRectOf(window));
}

bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &answer)) return false;
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

}  // namespace e2e
