// Forms and timers in this process: translucency, placement, the message-
// driven timer.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/forms/Application.h"
#include "ui/forms/Forms.h"
#include "ui/forms/Timer.h"

using namespace ui;

namespace {

// Runs the message loop until done() or the time-out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD end = GetTickCount() + timeoutMs;
  while (!done() && GetTickCount() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  }
  return done();
}

TEST(Timer, FiresOnTheLoopWhileEnabledOnly) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer.fn = [&](TComponent* sender) {
    EXPECT_EQ(sender, &timer);
    ++ticks;
  };
  timer.SetInterval(20);  // armed once it has a handler and an interval
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 2000));
  timer.SetEnabled(false);
  const int stopped = ticks;
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(ticks, stopped);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks > stopped; }, 2000));
}

TEST(Form, AlphaBlendMakesALayeredWindow) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetAlphaBlendValue(160);
  form.SetAlphaBlend(true);
  form.Show();
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 160);
  EXPECT_TRUE(flags & LWA_ALPHA);
}

TEST(Form, DesktopCenterAndClientSize) {
  TForm form(nullptr);
  form.SetBorderStyle(bsSingle);
  form.SetClientWidth(300);
  form.SetClientHeight(100);
  form.SetPosition(poDesktopCenter);
  form.Show();
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 100);
  const TRect r = form.BoundsRect();
  EXPECT_NEAR((r.Left + r.Right) / 2, GetSystemMetrics(SM_CXVIRTUALSCREEN) / 2, 1);
  EXPECT_NEAR((r.Top + r.Bottom) / 2, GetSystemMetrics(SM_CYVIRTUALSCREEN) / 2, 1);
}

TEST(Form, CloseRunsOnCloseAndHonoursItsAction) {
  TForm form(nullptr);
  form.Show();
  TCloseAction next = caNone;
  int calls = 0;
  form.OnClose.fn = [&](TComponent*, TCloseAction& action) {
    ++calls;
    EXPECT_EQ(action, caHide);
    action = next;
  };
  form.Close();
  EXPECT_TRUE(form.Visible()) << "caNone keeps the form";
  next = caHide;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(calls, 2);
}

}  // namespace
