#pragma once
// The application object: its forms, the message loop, hints and the
// default display of errors that escape event handlers.
#include <windows.h>

#include <exception>

#include "ui/forms/Forms.h"

namespace ui {

class TApplication : public TUiComponent {
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  void Initialize();
  bool MainFormOnTaskBar = false;
  const UnicodeString& Title() const { return title_; }
  void SetTitle(const UnicodeString& title) { title_ = title; }
  TCustomForm* MainForm() const { return mainForm_; }
  UnicodeString ExeName() const;

  // The delay before a hint shows and how long it stays, in milliseconds.
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms);
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int ms);

  // Creates a form or data module owned by the application; the first form
  // becomes the main form. ref is set before the constructor runs, as other
  // code may reach the object through it while it loads.
  template <typename T>
  void CreateForm(T*& ref) {
    ref = nullptr;
    T* created = new T(this);
    ref = created;
    if (!mainForm_) mainForm_ = dynamic_cast<TCustomForm*>(created);
  }

  // Shows the main form and dispatches messages until it closes.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // One turn of the loop; false once WM_QUIT arrived.
  bool HandleMessage();

  // The default display of an error: a stop box with the error's text,
  // titled with Title.
  void ShowException(const Exception& e);
  // Shows the exception being handled (call inside a catch block).
  void HandleException();

  // Runs fn later, on a fresh turn of the message loop.
  void Post(std::function<void()> fn);

  static const TClassInfo& Class();

 private:
  static LRESULT CALLBACK UtilityProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  TCustomForm* mainForm_ = nullptr;
  UnicodeString title_;
  int hintPause_ = 500;
  int hintHidePause_ = 2500;
  bool terminated_ = false;
  HWND utility_ = nullptr;
};

// Screen-wide state: the cursor that overrides every control's own.
class TScreen {
 public:
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

 private:
  TCursor cursor_ = crDefault;
};

extern TApplication* Application;
extern TScreen* Screen;

}  // namespace ui
