#include "e2e/support/PictureWindow.h"

#include <windowsx.h>

#include <mutex>

#include "e2e/support/Wait.h"

namespace e2e {

struct PictureWindow::State {
  RECT window;
  RECT child;
  HANDLE ready = nullptr;
  HWND frameHwnd = nullptr;
  HWND childHwnd = nullptr;
  std::string error;
  std::vector<uint32_t> pattern;  // the client area, top-down
  int patternWidth = 0, patternHeight = 0;
  mutable std::mutex mutex;
  std::vector<MouseEvent> events;
};

namespace {

const wchar_t kFrameClass[] = L"ZentaroE2ePicture";
const wchar_t kChildClass[] = L"ZentaroE2ePictureChild";

COLORREF ToColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255); }

PictureWindow::State* StateOf(HWND window) {
  return reinterpret_cast<PictureWindow::State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Record(HWND window, UINT message, LPARAM lParam) {
  PictureWindow::State* state = StateOf(window);
  if (!state) return;
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(window, &point);
  std::lock_guard<std::mutex> lock(state->mutex);
  state->events.push_back({window, message, point});
}

// Mouse messages are recorded; a press captures the mouse so that the
// release arrives wherever it happens.
bool HandleMouse(HWND window, UINT message, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SetCapture(window);
      Record(window, message, lParam);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      Record(window, message, lParam);
      ReleaseCapture();
      return true;
    case WM_MOUSEMOVE:
      Record(window, message, lParam);
      return true;
    default:
      return false;
  }
}

void PaintFrame(HWND window, PictureWindow::State& state) {
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  if (width != state.patternWidth || height != state.patternHeight) {
    state.pattern.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) state.pattern[static_cast<size_t>(y) * width + x] = PictureWindow::Pattern(x, y);
    state.patternWidth = width;
    state.patternHeight = height;
  }
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  if (width > 0 && height > 0)
    StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, state.pattern.data(), &info, DIB_RGB_COLORS,
                  SRCCOPY);
  EndPaint(window, &paint);
}

void PaintChild(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT rect;
  GetClientRect(window, &rect);
  HBRUSH border = CreateSolidBrush(ToColorRef(PictureWindow::kChildBorder));
  HBRUSH fill = CreateSolidBrush(ToColorRef(PictureWindow::kChildFill));
  FillRect(dc, &rect, border);
  InflateRect(&rect, -1, -1);
  FillRect(dc, &rect, fill);
  DeleteObject(fill);
  DeleteObject(border);
  EndPaint(window, &paint);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  if (HandleMouse(window, message, lParam)) return 0;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the pattern covers it all
    case WM_PAINT:
      if (PictureWindow::State* state = StateOf(window)) {
        PaintFrame(window, *state);
        return 0;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  if (HandleMouse(window, message, lParam)) return 0;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintChild(window);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool RegisterClasses() {
  static const bool registered = [] {
    WNDCLASSW frame = {};
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.lpszClassName = kFrameClass;
    WNDCLASSW child = frame;
    child.lpfnWndProc = ChildProc;
    child.lpszClassName = kChildClass;
    return RegisterClassW(&frame) != 0 && RegisterClassW(&child) != 0;
  }();
  return registered;
}

DWORD WINAPI WindowThread(void* param) {
  auto* state = static_cast<PictureWindow::State*>(param);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const RECT& w = state->window;
  const RECT& c = state->child;
  if (!RegisterClasses()) {
    state->error = "cannot register the picture window classes (error " + std::to_string(GetLastError()) + ")";
  } else if (!(state->frameHwnd = CreateWindowExW(0, kFrameClass, L"e2e picture", WS_OVERLAPPEDWINDOW, w.left,
                                                  w.top, w.right - w.left, w.bottom - w.top, nullptr, nullptr,
                                                  instance, state))) {
    state->error = "cannot create the picture window (error " + std::to_string(GetLastError()) + ")";
  } else if (!(state->childHwnd = CreateWindowExW(0, kChildClass, L"", WS_CHILD | WS_VISIBLE, c.left, c.top,
                                                  c.right - c.left, c.bottom - c.top, state->frameHwnd,
                                                  reinterpret_cast<HMENU>(1), instance, state))) {
    state->error = "cannot create the picture's child (error " + std::to_string(GetLastError()) + ")";
    DestroyWindow(state->frameHwnd);
    state->frameHwnd = nullptr;
  }
  SetEvent(state->ready);
  if (!state->frameHwnd) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

PictureWindow::PictureWindow(const RECT& window, const RECT& child, bool topmost)
    : state_(new State), topmost_(topmost) {
  state_->window = window;
  state_->child = child;
  state_->ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!state_->ready) {
    error_ = "cannot create an event";
    return;
  }
  thread_ = CreateThread(nullptr, 0, WindowThread, state_.get(), 0, &threadId_);
  if (!thread_) {
    error_ = "cannot start the picture window's thread";
  } else if (WaitForSingleObject(state_->ready, 5000) != WAIT_OBJECT_0) {
    error_ = "the picture window's thread did not get ready in 5 s";
  } else if (!state_->frameHwnd) {
    error_ = state_->error;
  } else {
    window_ = state_->frameHwnd;
    child_ = state_->childHwnd;
    BringToTop();
  }
}

PictureWindow::~PictureWindow() {
  // The thread's end destroys its windows. Without a window manager Wine
  // waits 2 s for one to confirm each hidden window; destroying the window
  // from its thread's end skips the hiding step and that wait.
  if (thread_) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  if (thread_) {
    if (WaitForSingleObject(thread_, 5000) != WAIT_OBJECT_0) {
      // The thread may still touch the state: leak it rather than free it
      // under the thread's feet.
      state_.release();
    }
    CloseHandle(thread_);
  }
  if (state_ && state_->ready) CloseHandle(state_->ready);
}

testing::AssertionResult PictureWindow::Created() const {
  if (window_) return testing::AssertionSuccess();
  return testing::AssertionFailure() << error_;
}

RECT PictureWindow::WindowRect() const { return WindowRectOf(window_); }
RECT PictureWindow::ClientRect() const { return ClientRectOnScreen(window_); }
RECT PictureWindow::ChildRect() const { return WindowRectOf(child_); }

namespace {

uint32_t Expected(int x, int y, const RECT& client, const RECT& child) {
  const POINT point = {x, y};
  if (PtInRect(&child, point)) {
    const bool edge = x == child.left || y == child.top || x == child.right - 1 || y == child.bottom - 1;
    return edge ? PictureWindow::kChildBorder : PictureWindow::kChildFill;
  }
  if (PtInRect(&client, point)) return PictureWindow::Pattern(x - client.left, y - client.top);
  return kAnyPixel;
}

}  // namespace

uint32_t PictureWindow::ExpectedPixel(int screenX, int screenY) const {
  return Expected(screenX, screenY, ClientRect(), ChildRect());
}

Image PictureWindow::ExpectedImage(const RECT& screenRect) const {
  const RECT client = ClientRect(), child = ChildRect();
  Image image;
  image.width = screenRect.right - screenRect.left;
  image.height = screenRect.bottom - screenRect.top;
  if (image.width <= 0 || image.height <= 0) return Image();
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      image.pixels[static_cast<size_t>(y) * image.width + x] =
          Expected(screenRect.left + x, screenRect.top + y, client, child);
  return image;
}

void PictureWindow::BringToTop() {
  if (!window_) return;
  // Wine without a window manager restacks an X window only when it becomes
  // the first window in Z order; a window that is first already is left
  // where it is. So: to the bottom, then first through the topmost band.
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;
  SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, flags | SWP_NOACTIVATE);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, flags);
  if (!topmost_) SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  SetForegroundWindow(window_);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::vector<PictureWindow::MouseEvent> PictureWindow::MouseEvents() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->events;
}

void PictureWindow::ClearMouseEvents() {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->events.clear();
}

}  // namespace e2e
