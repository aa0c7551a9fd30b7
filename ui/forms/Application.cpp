#include "ui/forms/Application.h"

#include <commctrl.h>

#include "rtl/FileRoutines.h"
#include "ui/forms/Dialogs.h"
#include "ui/forms/Timer.h"
#include "ui/win/WindowClasses.h"

namespace ui {
namespace {
constexpr UINT kRunPosted = WM_APP + 1;
TApplication g_application(nullptr);
TScreen g_screen;
}  // namespace

TApplication* Application = &g_application;
TScreen* Screen = &g_screen;

TApplication::TApplication(TComponent* owner) : TUiComponent(owner) {
  SetModuleFinder([this](const UnicodeString& name) { return FindComponent(name); });
}

TApplication::~TApplication() {
  DestroyComponents();
  if (utility_) DestroyWindow(utility_);
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  TControl::Class();
  TForm::Class();
  TDataModule::Class();
  TTimer::Class();
  TSavePictureDialog::Class();
}

UnicodeString TApplication::ExeName() const { return ExecutableFileName(); }

void TApplication::SetHintPause(int ms) {
  hintPause_ = ms;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* form = dynamic_cast<TCustomForm*>(Components(i)); form && form->HandleAllocated()) {
      SendMessageW(form->ToolTipWindow(), TTM_SETDELAYTIME, TTDT_INITIAL, ms);
      SendMessageW(form->ToolTipWindow(), TTM_SETDELAYTIME, TTDT_RESHOW, ms);
    }
}

void TApplication::SetHintHidePause(int ms) {
  hintHidePause_ = ms;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* form = dynamic_cast<TCustomForm*>(Components(i)); form && form->HandleAllocated())
      SendMessageW(form->ToolTipWindow(), TTM_SETDELAYTIME, TTDT_AUTOPOP, ms);
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

bool TApplication::HandleMessage() {
  MSG msg;
  BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    terminated_ = true;
    return false;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void TApplication::ShowException(const Exception& e) {
  HWND owner = GetActiveWindow();
  if (!owner && mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->WindowHandle()))
    owner = mainForm_->WindowHandle();
  MessageBoxW(owner, e.Message().c_str(), title_.c_str(), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

void TApplication::HandleException() {
  try {
    throw;
  } catch (const Exception& e) {
    ShowException(e);
  } catch (const std::exception& e) {
    ShowException(Exception(UnicodeString(AnsiString(e.what()))));
  } catch (...) {
    ShowException(Exception(L""));
  }
}

LRESULT CALLBACK TApplication::UtilityProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kRunPosted) {
    std::unique_ptr<std::function<void()>> fn(reinterpret_cast<std::function<void()>*>(lParam));
    try {
      (*fn)();
    } catch (...) {
      if (Application) Application->HandleException();
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void TApplication::Post(std::function<void()> fn) {
  if (!utility_) utility_ = win::CreateMessageWindow(L"ZentaroUtility", &TApplication::UtilityProc);
  auto* heap = new std::function<void()>(std::move(fn));
  if (!utility_ || !PostMessageW(utility_, kRunPosted, 0, reinterpret_cast<LPARAM>(heap))) {
    delete heap;
    throw EOutOfResources(L"Cannot post to the message loop");
  }
}

const TClassInfo& TApplication::Class() {
  static const TClassInfo& info = RegisterPlainClass<TApplication>(L"TApplication", nullptr);
  return info;
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  HCURSOR handle = CursorHandle(cursor);
  ::SetCursor(handle ? handle : LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace ui
