#pragma once
// A window with known pixels, made by the test process itself: a normal
// captioned top-level window whose client area shows a pattern in which every
// pixel depends on its position, and one child control with a solid fill and a
// 1-pixel border. It runs on its own thread with its own message loop, so the
// test thread may block. It also records the mouse messages it receives.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "e2e/support/Image.h"

namespace e2e {

class PictureWindow {
 public:
  static constexpr uint32_t kChildFill = 0x3060C0;    // 0x00RRGGBB
  static constexpr uint32_t kChildBorder = 0xFF8000;
  // The client area's pixel at client coordinates (x, y).
  static uint32_t Pattern(int x, int y) {
    return static_cast<uint32_t>((x * 7) & 255) << 16 | static_cast<uint32_t>((y * 13) & 255) << 8 |
           static_cast<uint32_t>((x ^ y) & 255);
  }

  // window: the whole window in screen coordinates; child: the child control
  // in client coordinates. Shown on top of the others (topmost if asked).
  PictureWindow(const RECT& window, const RECT& child, bool topmost = false);
  ~PictureWindow();
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;

  // Success once the window exists; else why it does not.
  testing::AssertionResult Created() const;
  HWND Hwnd() const { return window_; }
  HWND Child() const { return child_; }

  // Screen coordinates, as they are now.
  RECT WindowRect() const;
  RECT ClientRect() const;
  RECT ChildRect() const;

  // What the screen should show at a point: the pattern or the child's
  // colours, kAnyPixel outside the client area (caption and frame).
  uint32_t ExpectedPixel(int screenX, int screenY) const;
  Image ExpectedImage(const RECT& screenRect) const;

  // Raises the window above all others on the screen and activates it. A
  // window made without topmost stays out of the topmost band, so the system
  // ranks existing topmost windows above it although, under Wine without a
  // window manager, the screen shows it over them.
  void BringToTop();

  struct MouseEvent {
    HWND window;    // the frame or the child
    UINT message;   // WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTON...
    POINT screen;
  };
  std::vector<MouseEvent> MouseEvents() const;
  void ClearMouseEvents();

  struct State;

 private:
  std::unique_ptr<State> state_;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
  HWND child_ = nullptr;
  bool topmost_;
  std::string error_;
};

}  // namespace e2e
