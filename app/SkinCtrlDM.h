#pragma once
// The skin every window of the program is drawn with, and the texts of its
// caption buttons and window menu.
#include "ui/forms/Forms.h"
#include "ui/skin/SkinData.h"

class TSkinCtrlModule : public ui::TDataModule {
 public:
  explicit TSkinCtrlModule(TComponent* owner);
  ui::skin::TSkinData* bsSkinData1 = nullptr;
  ui::skin::TSkinStoredSkin* bsCompressedStoredSkin1 = nullptr;
  ui::skin::TResourceStrData* bsResourceStrData1 = nullptr;
  static const ui::TClassInfo& Class();
};

extern TSkinCtrlModule* SkinCtrlModule;
