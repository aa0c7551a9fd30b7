#include "app/SkinCtrlDM.h"

#include "app/FormFields.h"

TSkinCtrlModule* SkinCtrlModule = nullptr;

TSkinCtrlModule::TSkinCtrlModule(TComponent* owner) : ui::TDataModule(owner) {
  ui::skin::RegisterSkinClasses();
  Class();
  InitInheritedComponent(L"TSkinCtrlModule");
  BindField(this, bsSkinData1, L"bsSkinData1");
  BindField(this, bsCompressedStoredSkin1, L"bsCompressedStoredSkin1");
  BindField(this, bsResourceStrData1, L"bsResourceStrData1");
}

const ui::TClassInfo& TSkinCtrlModule::Class() {
  static const ui::TClassInfo& info =
      ui::RegisterPlainClass<TSkinCtrlModule>(L"TSkinCtrlModule", &ui::TDataModule::Class());
  return info;
}
