#pragma once
// Waiting for conditions and finding windows of other processes. Every wait
// polls about every 20 ms and gives up after its time-out with a message that
// says what was awaited, ready for a gtest assertion:
//   e2e::Found main = e2e::FindWindowOf(app.Id(), L"TMainForm", nullptr, 5000);
//   ASSERT_TRUE(main) << main.error;
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "rtl/UnicodeString.h"

namespace e2e {

constexpr int kPollMs = 20;

// True as soon as done() is; false with "timed out after N ms waiting for
// <what>" when timeoutMs runs out.
testing::AssertionResult WaitFor(const std::function<bool()>& done, int timeoutMs,
                                 const std::string& what = "a condition");

// Lets the target process work through what it was just sent.
void Settle(int ms = 100);

// A window found by one of the finders; converts to the HWND (null when not
// found, and then error says what was awaited and what there was instead).
struct Found {
  HWND hwnd = nullptr;
  std::string error;
  operator HWND() const { return hwnd; }
};

// A visible top-level window of process pid; className and caption (exact)
// may each be null to match any. Captions are compared as stored by the
// system (CaptionOf), so finding sends the windows no messages.
Found FindWindowOf(DWORD pid, const wchar_t* className, const wchar_t* caption, int timeoutMs);
// A visible top-level window of process pid that match accepts; what names
// it in the time-out message.
Found FindWindowOf(DWORD pid, const std::function<bool(HWND)>& match, int timeoutMs, const std::string& what);
// A visible dialog (class #32770) of process pid with that caption (null:
// any caption).
Found FindDialog(DWORD pid, const wchar_t* caption, int timeoutMs);
// A descendant of parent by control ID (the first in Z order when several
// share it, as the common dialogs' nested controls do).
Found FindChild(HWND parent, int controlId, int timeoutMs);
// A descendant of parent by class and/or caption (either may be null).
Found FindChild(HWND parent, const wchar_t* className, const wchar_t* text, int timeoutMs);

// True once the window is destroyed or hidden.
testing::AssertionResult WaitGone(HWND window, int timeoutMs);

// Window facts, safe across processes.
UnicodeString ClassOf(HWND window);
// The text as the system stores it (InternalGetWindowText): captions and
// the labels of buttons and statics. Sends no message, so it neither waits
// for a busy window nor races a closing one.
UnicodeString CaptionOf(HWND window);
// The text the window reports to WM_GETTEXT (bounded wait): what an edit
// control holds.
UnicodeString TextOf(HWND window);
RECT WindowRectOf(HWND window);
// The client area in screen coordinates.
RECT ClientRectOnScreen(HWND window);
POINT CenterOf(const RECT& rect);
POINT CenterOf(HWND window);
bool IsTopmost(HWND window);
std::vector<HWND> TopLevelWindowsOf(DWORD pid);
// One line per window (class, caption, visibility, rectangle, ID), with its
// descendants indented: for failure messages and for learning what a
// dialog is made of.
std::string Describe(HWND window, bool withChildren = false);

// SendMessageTimeout with a 2 s limit: a hung target fails the call instead
// of hanging the test.
bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);

}  // namespace e2e
