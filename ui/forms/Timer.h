#pragma once
// TTimer: a message-driven timer. OnTimer runs on the thread's message loop,
// every Interval milliseconds while Enabled.
#include <windows.h>

#include "ui/streaming/Persistence.h"

namespace ui {

class TTimer : public TUiComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  TNotifyEvent OnTimer;

  void Loaded() override { Update(); }
  static const TClassInfo& Class();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Update();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  HWND window_ = nullptr;
  bool running_ = false;
};

}  // namespace ui
