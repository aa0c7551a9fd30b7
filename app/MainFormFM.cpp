#include "app/MainFormFM.h"

#include <memory>

#include "app/FormFields.h"
#include "kyt/vuzizev/Capture.h"
#include "kyt/vuzizev/MessageBoxes.h"
#include "rtl/FileRoutines.h"
#include "ui/forms/Application.h"

using namespace ui;

TMainForm* MainForm = nullptr;

namespace {

// Shows the main window again when a capture leaves its scope, also when an
// error is on its way to the error display, so the window never stays hidden.
class ShowAgainOnExit {
 public:
  explicit ShowAgainOnExit(TMainForm* form) : form_(form) {}
  ~ShowAgainOnExit() {
    try {
      form_->Show();
    } catch (...) {
      // The error already on its way is the one the user must see.
    }
  }
  ShowAgainOnExit(const ShowAgainOnExit&) = delete;
  ShowAgainOnExit& operator=(const ShowAgainOnExit&) = delete;

 private:
  TMainForm* form_;
};

}  // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  Class();
  Handlers().Add(L"FormShow", this, &TMainForm::FormShow);
  Handlers().Add(L"btnFullClick", this, &TMainForm::btnFullClick);
  Handlers().Add(L"btnWindowMouseDown", this, &TMainForm::btnWindowMouseDown);
  Handlers().Add(L"btnWindowMouseUp", this, &TMainForm::btnWindowMouseUp);
  InitInheritedComponent(L"TMainForm");
  BindField(this, bsBusinessSkinForm1, L"bsBusinessSkinForm1");
  BindField(this, bsSkinPanel1, L"bsSkinPanel1");
  BindField(this, btnFull, L"btnFull");
  BindField(this, btnWindow, L"btnWindow");
  BindField(this, btnZune, L"btnZune");
  BindField(this, btnSelectSave, L"btnSelectSave");
  BindField(this, btnReturnFull, L"btnReturnFull");
  BindField(this, btnAbout, L"btnAbout");
  BindField(this, dlgSave, L"dlgSave");

  FSnapDelay = 100;
  FNetChecking = false;
  FNetPassed = false;
  SetMode(0);
  Application->SetHintPause(100);
  Application->SetHintHidePause(10000);
}

TMainForm::~TMainForm() {
  // The components call back into this form while they go.
  DestroyComponents();
}

void TMainForm::FormShow(TComponent*) { SetFormStyle(fsStayOnTop); }

void TMainForm::SetMode(int mode) {
  FMode = mode;
  if (mode == 0) EnableButtons(true);
  else if (mode == 1) EnableButtons(false);
}

void TMainForm::EnableButtons(bool normal) {
  btnFull->SetEnabled(normal);
  btnWindow->SetEnabled(normal);
  btnSelectSave->SetEnabled(!normal);
  btnReturnFull->SetEnabled(!normal);
}

void TMainForm::btnFullClick(TComponent*) {
  Hide();
  ShowAgainOnExit showAgain(this);
  Sleep(FSnapDelay);
  auto bitmap = std::make_unique<TBitmap>();
  kyt::FullScreenSnapshot(bitmap.get());
  SavePicture(bitmap.get());
}

void TMainForm::btnWindowMouseDown(TComponent*, TMouseButton Button, TShiftState, int, int) {
  if (Button == mbLeft) Screen->SetCursor(crHelp);
}

void TMainForm::btnWindowMouseUp(TComponent*, TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  Screen->SetCursor(crDefault);
  auto bitmap = std::make_unique<TBitmap>();
  {
    POINT pos{};
    GetCursorPos(&pos);
    HWND target = WindowFromPoint(pos);
    ShowAgainOnExit showAgain(this);
    if (target != Handle()) {
      Hide();
      Sleep(FSnapDelay);
    }
    kyt::WindowSnapshot(bitmap.get(), target);
  }
  SavePicture(bitmap.get());
}

void TMainForm::SavePicture(TBitmap* picture) {
  if (!dlgSave->Execute()) return;
  if (FileExists(dlgSave->FileName) && !kyt::AskBox(L"确定覆盖文件： " + dlgSave->FileName, L"询问")) return;
  SaveBitmap(picture, dlgSave->FileName, dlgSave->FilterIndex);
}

void TMainForm::SaveBitmap(TBitmap* picture, const UnicodeString& fileName, int filterIndex) {
  if (filterIndex == 1) kyt::BmpToJpeg(picture, fileName);
  else if (filterIndex == 2) picture->SaveToFile(fileName);
}

const TClassInfo& TMainForm::Class() {
  static const TClassInfo& info = RegisterPlainClass<TMainForm>(L"TMainForm", &TForm::Class());
  return info;
}
