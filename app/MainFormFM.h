#pragma once
// The main window: a small stay-on-top tool window whose toolbar takes
// full-screen and window captures and saves them through one save flow.
#include "ui/forms/Dialogs.h"
#include "ui/forms/Forms.h"
#include "ui/skin/SkinControls.h"
#include "ui/skin/SkinForm.h"

class TMainForm : public ui::TForm {
 public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  ui::skin::TSkinForm* bsBusinessSkinForm1 = nullptr;
  ui::skin::TSkinPanel* bsSkinPanel1 = nullptr;
  ui::skin::TSkinSpeedButton* btnFull = nullptr;
  ui::skin::TSkinSpeedButton* btnWindow = nullptr;
  ui::skin::TSkinSpeedButton* btnZune = nullptr;
  ui::skin::TSkinSpeedButton* btnSelectSave = nullptr;
  ui::skin::TSkinSpeedButton* btnReturnFull = nullptr;
  ui::skin::TSkinSpeedButton* btnAbout = nullptr;
  ui::TSavePictureDialog* dlgSave = nullptr;

  void FormShow(TComponent* Sender);
  void btnFullClick(TComponent* Sender);
  void btnWindowMouseDown(TComponent* Sender, ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y);
  void btnWindowMouseUp(TComponent* Sender, ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y);

  static const ui::TClassInfo& Class();

 private:
  friend class TMainFormPeer;  // tests reach the modes and the writer
  void SetMode(int mode);
  void EnableButtons(bool normal);
  void SavePicture(ui::TBitmap* picture);
  void SaveBitmap(ui::TBitmap* picture, const UnicodeString& fileName, int filterIndex);

  int FSnapDelay = 0;
  int FMode = 0;
  bool FNetChecking = false;
  bool FNetPassed = false;
};

extern TMainForm* MainForm;
