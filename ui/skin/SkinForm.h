#pragma once
// TSkinForm draws the frame of the form that owns it: a slim border and its
// own caption with the form's icon and title, minimise and close buttons
// with their hints, and the window menu, all texts from the skin's table.
#include <memory>

#include "ui/forms/Forms.h"
#include "ui/skin/SkinData.h"

namespace ui::skin {

class TSkinCaptionButton;

class TSkinForm : public TUiComponent, public TFormFrame {
 public:
  explicit TSkinForm(TComponent* owner);
  ~TSkinForm() override;

  TSkinData* SkinData() const { return skinData_; }
  void SetSkinData(TSkinData* data);
  unsigned BorderIcons = biSystemMenu | biMinimize | biMaximize;
  bool DisableSystemMenu = false;
  bool UseDefaultSysMenu = true;
  bool AlphaBlend = false;
  int AlphaBlendValue = 200;
  bool ShowIcon = false;
  bool Magnetic = false;

  // TFormFrame
  TRect Insets() const override;
  void PaintFrame(TCanvas& canvas, const TRect& client) override;
  LRESULT HitTest(TPoint clientPoint) override;
  void FrameResized() override;
  void ShowWindowMenu(TPoint screenPoint) override;

  void Loaded() override;
  UnicodeString Text(const wchar_t* key, const wchar_t* fallback) const;
  TColor FrameColor(const wchar_t* key, TColor fallback) const;
  int CaptionHeight() const;
  static const TClassInfo& Class();

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void LocaliseSystemMenu();
  TCustomForm* Form() const;
  TSkinData* skinData_ = nullptr;
  std::vector<TSkinCaptionButton*> buttons_;  // owned through the component tree
};

}  // namespace ui::skin
