#pragma once
// Window classes of the layer, registered once per process.
#include <windows.h>

namespace ui::win {

// Registers className with proc (the arrow cursor; the program's icon when
// withIcon) the first time it is asked for; returns className.
const wchar_t* WindowClass(const wchar_t* className, WNDPROC proc, bool withIcon = false);
// A message-only window of its own class, for timers and posted work.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC proc);

}  // namespace ui::win
