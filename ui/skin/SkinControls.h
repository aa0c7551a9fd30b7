#pragma once
// Skinned controls: each names a skin and one of its entries, and draws
// itself from that entry's colours.
#include "ui/forms/Controls.h"
#include "ui/skin/SkinData.h"

namespace ui::skin {

enum TBevel { bvNone, bvLowered, bvRaised, bvFrame };

// What every skinned control carries: the skin and the entry it draws with.
class TSkinControl : public TControl {
 public:
  TSkinControl(TComponent* owner, const wchar_t* defaultEntry);
  TSkinData* SkinData() const { return skinData_; }
  void SetSkinData(TSkinData* data);
  const UnicodeString& SkinDataName() const { return skinDataName_; }
  void SetSkinDataName(const UnicodeString& name) { skinDataName_ = name; Invalidate(); }

 protected:
  TColor SkinColor(const wchar_t* key, TColor fallback) const;
  int SkinInt(const wchar_t* key, int fallback) const;
  void Notification(TComponent* component, TOperation operation) override;
  template <typename C>
  static void AddSkinProps(std::vector<TPropInfo>& props, const wchar_t* defaultEntry);

 private:
  TSkinData* skinData_ = nullptr;
  UnicodeString skinDataName_;
};

class TSkinPanel : public TSkinControl {
 public:
  explicit TSkinPanel(TComponent* owner);
  TBevel BorderStyle() const { return bevel_; }
  void SetBorderStyle(TBevel b) { bevel_ = b; Invalidate(); }
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool v) { showCaption_ = v; Invalidate(); }
  static const TClassInfo& Class();

 protected:
  void Paint(TCanvas& canvas) override;
  void PaintBackground(TCanvas& canvas, const TRect& rect, TPoint origin) override;

 private:
  TBevel bevel_ = bvLowered;
  bool showCaption_ = true;
};

// A flat tool button. It never takes the focus; a left press keeps the
// mouse until the release, so its OnMouseUp hears the release anywhere.
class TSkinSpeedButton : public TSkinControl {
 public:
  explicit TSkinSpeedButton(TComponent* owner);
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { flat_ = v; Invalidate(); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; Invalidate(); }
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool v) { showCaption_ = v; Invalidate(); }
  static const TClassInfo& Class();

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  bool flat_ = false;
  bool transparent_ = false;
  bool showCaption_ = true;
};

// Draws the background that parent shows at this control's place.
void PaintParentBackground(TControl& control, TCanvas& canvas);

}  // namespace ui::skin
