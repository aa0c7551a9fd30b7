#include "ui/forms/Timer.h"

#include "ui/forms/Application.h"
#include "ui/win/WindowClasses.h"

namespace ui {

TTimer::TTimer(TComponent* owner) : TUiComponent(owner) {
  window_ = win::CreateMessageWindow(L"ZentaroTimer", &TTimer::Proc);
  if (!window_) throw EOutOfResources(L"Cannot create a timer window");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TTimer::~TTimer() {
  if (running_) KillTimer(window_, 1);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Update();
}

void TTimer::SetInterval(unsigned ms) {
  interval_ = ms;
  Update();
}

void TTimer::Update() {
  if (Loading()) return;
  if (running_) {
    KillTimer(window_, 1);
    running_ = false;
  }
  if (enabled_ && interval_ > 0 && OnTimer) running_ = SetTimer(window_, 1, interval_, nullptr) != 0;
}

LRESULT CALLBACK TTimer::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    auto* self = reinterpret_cast<TTimer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
      try {
        self->OnTimer(self);
      } catch (...) {
        if (Application) Application->HandleException();
      }
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

const TClassInfo& TTimer::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TTimer), [] {
    TClassInfo c = DescribeClass<TTimer>(L"TTimer", nullptr, true);
    using C = TTimer;
    c.properties = {
        BoolProp<C>(L"Enabled", [](C& o) { return o.Enabled(); }, [](C& o, bool v) { o.SetEnabled(v); }, true),
        IntProp<C>(L"Interval", [](C& o) { return static_cast<int>(o.Interval()); },
                   [](C& o, int v) { o.SetInterval(v < 0 ? 0u : static_cast<unsigned>(v)); }, 1000),
        EventProp<C>(L"OnTimer", &C::OnTimer),
    };
    return c;
  }());
  return info;
}

}  // namespace ui
