#include "e2e/support/Input.h"

#include <vector>

#include "e2e/support/Wait.h"

namespace e2e {

namespace {

// Wine (and Windows) map an absolute coordinate to pixel dx * width / 65536,
// rounded down: aiming at the pixel's middle lands on it at every size.
LONG Normalise(LONG pixel, int origin, int size) {
  return static_cast<LONG>((2LL * (pixel - origin) + 1) * 65536 / (2LL * size));
}

INPUT MouseInput(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

INPUT KeyInput(WORD vk, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
      break;
    default:
      break;
  }
  if (up) input.ki.dwFlags |= KEYEVENTF_KEYUP;
  return input;
}

INPUT CharInput(wchar_t c, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = c;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

testing::AssertionResult Send(std::vector<INPUT> inputs, const char* what) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent == inputs.size()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "SendInput took " << sent << " of " << inputs.size() << " events for "
                                     << what << " (error " << GetLastError() << ")";
}

DWORD DownFlag(Button button) { return button == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN; }
DWORD UpFlag(Button button) { return button == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP; }

}  // namespace

testing::AssertionResult MoveMouse(POINT to) {
  INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK);
  input.mi.dx = Normalise(to.x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
  input.mi.dy = Normalise(to.y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  if (auto sent = Send({input}, "a mouse move"); !sent) return sent;
  POINT at = {};
  if (WaitFor([&] { return GetCursorPos(&at) && at.x == to.x && at.y == to.y; }, 1000))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the cursor went to (" << at.x << "," << at.y << "), not (" << to.x << ","
                                     << to.y << ")";
}

testing::AssertionResult MouseDown(POINT at, Button button) {
  if (auto moved = MoveMouse(at); !moved) return moved;
  return Send({MouseInput(DownFlag(button))}, "a mouse press");
}

testing::AssertionResult MouseUp(POINT at, Button button) {
  if (auto moved = MoveMouse(at); !moved) return moved;
  return Send({MouseInput(UpFlag(button))}, "a mouse release");
}

testing::AssertionResult Click(POINT at, Button button) {
  if (auto pressed = MouseDown(at, button); !pressed) return pressed;
  Settle(kPollMs);
  return Send({MouseInput(UpFlag(button))}, "a mouse release");
}

testing::AssertionResult Drag(POINT from, POINT to, int steps, int pauseMs, Button button) {
  if (auto pressed = MouseDown(from, button); !pressed) return pressed;
  Settle(pauseMs);
  testing::AssertionResult result = testing::AssertionSuccess();
  for (int i = 1; i <= steps && result; ++i) {
    const POINT step = {from.x + MulDiv(to.x - from.x, i, steps), from.y + MulDiv(to.y - from.y, i, steps)};
    result = MoveMouse(step);
    Settle(pauseMs);
  }
  // Released where the cursor is, even after a failed move.
  testing::AssertionResult released = Send({MouseInput(UpFlag(button))}, "a mouse release");
  return result ? released : result;
}

testing::AssertionResult TypeText(const UnicodeString& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text.str()) {
    if (c == L'\n') {
      inputs.push_back(KeyInput(VK_RETURN, false));
      inputs.push_back(KeyInput(VK_RETURN, true));
    } else {
      inputs.push_back(CharInput(c, false));
      inputs.push_back(CharInput(c, true));
    }
  }
  return Send(inputs, "typing");
}

testing::AssertionResult PressKey(WORD vk, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(vk, false));
  inputs.push_back(KeyInput(vk, true));
  for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(KeyInput(*--it, true));
  return Send(inputs, "a key press");
}

void ReleaseAllInput() {
  std::vector<INPUT> inputs;
  if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) inputs.push_back(MouseInput(MOUSEEVENTF_LEFTUP));
  if (GetAsyncKeyState(VK_RBUTTON) & 0x8000) inputs.push_back(MouseInput(MOUSEEVENTF_RIGHTUP));
  for (WORD vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN})
    if (GetAsyncKeyState(vk) & 0x8000) inputs.push_back(KeyInput(vk, true));
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace e2e
