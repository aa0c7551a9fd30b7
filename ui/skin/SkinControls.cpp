#include "ui/skin/SkinControls.h"

#include <algorithm>

#include "ui/forms/PropertyKinds.h"

namespace ui::skin {
namespace {

COLORREF Mix(COLORREF a, COLORREF b, int num, int den) {
  auto ch = [&](int shift) {
    int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    return static_cast<COLORREF>(x + (y - x) * num / den) << shift;
  };
  return ch(0) | ch(8) | ch(16);
}

// A vertical gradient from top to bottom over the span [y0, y1) drawn into
// rect, one line per pixel (the strips here are a few dozen pixels high).
void Gradient(TCanvas& canvas, const TRect& rect, int y0, int y1, TColor top, TColor bottom) {
  COLORREF a = ColorToRGB(top), b = ColorToRGB(bottom);
  int span = std::max(1, y1 - y0 - 1);
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    int t = std::clamp(y - y0, 0, span);
    canvas.BrushColor = static_cast<TColor>(Mix(a, b, t, span));
    canvas.FillRect(TRect(rect.Left, y, rect.Right, y + 1));
  }
}

}  // namespace

void PaintParentBackground(TControl& control, TCanvas& canvas) {
  TControl* parent = control.Parent();
  TRect client = control.ClientRect();
  if (!parent) {
    canvas.BrushColor = control.Color();
    canvas.FillRect(client);
    return;
  }
  parent->PaintBackground(canvas, client, TPoint(-control.Left(), -control.Top()));
}

TSkinControl::TSkinControl(TComponent* owner, const wchar_t* defaultEntry)
    : TControl(owner), skinDataName_(defaultEntry) {}

void TSkinControl::SetSkinData(TSkinData* data) {
  skinData_ = data;
  if (data) FreeNotification(data);
  Invalidate();
}

void TSkinControl::Notification(TComponent* component, TOperation operation) {
  TControl::Notification(component, operation);
  if (operation == opRemove && component == skinData_) skinData_ = nullptr;
}

TColor TSkinControl::SkinColor(const wchar_t* key, TColor fallback) const {
  return skinData_ ? skinData_->Color(skinDataName_, key, fallback) : fallback;
}
int TSkinControl::SkinInt(const wchar_t* key, int fallback) const {
  return skinData_ ? skinData_->Int(skinDataName_, key, fallback) : fallback;
}

template <typename C>
void TSkinControl::AddSkinProps(std::vector<TPropInfo>& props, const wchar_t* defaultEntry) {
  props.push_back(RefProp<C, TSkinData>(L"SkinData", [](C& o) { return o.SkinData(); },
                                        [](C& o, TSkinData* v) { o.SetSkinData(v); }));
  props.push_back(StrProp<C>(L"SkinDataName", [](C& o) { return o.SkinDataName(); },
                             [](C& o, const UnicodeString& v) { o.SetSkinDataName(v); }, defaultEntry));
}

// --- panel -------------------------------------------------------------------

TSkinPanel::TSkinPanel(TComponent* owner) : TSkinControl(owner, L"panel") {}

void TSkinPanel::PaintBackground(TCanvas& canvas, const TRect& rect, TPoint origin) {
  // origin: where this panel's (0, 0) lies on canvas.
  Gradient(canvas, rect, origin.Y, origin.Y + Height(), SkinColor(L"Top", clBtnFace), SkinColor(L"Bottom", clBtnFace));
  int lineY = origin.Y + Height() - 1;
  if (lineY >= rect.Top && lineY < rect.Bottom) {
    canvas.BrushColor = SkinColor(L"Line", clGray);
    canvas.FillRect(TRect(rect.Left, lineY, rect.Right, lineY + 1));
  }
}

void TSkinPanel::Paint(TCanvas& canvas) {
  TRect client = ClientRect();
  PaintBackground(canvas, client, TPoint(0, 0));
  if (BorderStyle() != bvNone) {
    canvas.PenColor = SkinColor(L"Line", clGray);
    canvas.FrameRect(client);
  }
  if (showCaption_ && !Caption().IsEmpty()) {
    canvas.Font().SetColor(SkinColor(L"Text", clBtnText));
    canvas.DrawText(Caption(), client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

const TClassInfo& TSkinPanel::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TSkinPanel), [] {
    TClassInfo c = DescribeClass<TSkinPanel>(L"TSkinPanel", &TControl::Class(), true);
    using C = TSkinPanel;
    static const TEnumNames<TBevel> bevels = {
        {bvNone, L"bvNone"}, {bvLowered, L"bvLowered"}, {bvRaised, L"bvRaised"}, {bvFrame, L"bvFrame"}};
    c.properties.push_back(EnumProp<C>(L"BorderStyle", bevels, [](C& o) { return o.BorderStyle(); },
                                       [](C& o, TBevel v) { o.SetBorderStyle(v); }, bvLowered));
    c.properties.push_back(BoolProp<C>(L"ShowCaption", [](C& o) { return o.ShowCaption(); },
                                       [](C& o, bool v) { o.SetShowCaption(v); }, true));
    AddSkinProps<C>(c.properties, L"panel");
    return c;
  }());
  return info;
}

// --- speed button --------------------------------------------------------------

TSkinSpeedButton::TSkinSpeedButton(TComponent* owner) : TSkinControl(owner, L"toolbutton") { SetBounds(0, 0, 23, 22); }

void TSkinSpeedButton::Paint(TCanvas& canvas) {
  TRect client = ClientRect();
  if (transparent_) PaintParentBackground(*this, canvas);
  else {
    canvas.BrushColor = SkinColor(L"Face", clBtnFace);
    canvas.FillRect(client);
  }
  const bool down = Enabled() && MouseCaptured() && MouseInside();
  const bool hot = Enabled() && MouseInside();
  const int radius = SkinInt(L"Radius", 4);
  TRect face(client.Left + 2, client.Top + 3, client.Right - 2, client.Bottom - 3);
  if (down || hot || !flat_) {
    canvas.BrushColor = down ? SkinColor(L"Down", clHighlight) : hot ? SkinColor(L"Hot", clBtnFace)
                                                                     : SkinColor(L"Face", clBtnFace);
    canvas.PenColor = down ? SkinColor(L"DownBorder", clHighlight) : SkinColor(L"HotBorder", clGray);
    canvas.FillRoundRect(face, radius);
  }
  if (showCaption_) {
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(Enabled() ? SkinColor(L"Text", clBtnText) : SkinColor(L"DisabledText", clGray));
    TRect text = client;
    if (down) text = TRect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
    canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

const TClassInfo& TSkinSpeedButton::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TSkinSpeedButton), [] {
    TClassInfo c = DescribeClass<TSkinSpeedButton>(L"TSkinSpeedButton", &TControl::Class(), true);
    using C = TSkinSpeedButton;
    c.properties.push_back(BoolProp<C>(L"Flat", [](C& o) { return o.Flat(); }, [](C& o, bool v) { o.SetFlat(v); }, false));
    c.properties.push_back(BoolProp<C>(L"ShowCaption", [](C& o) { return o.ShowCaption(); },
                                       [](C& o, bool v) { o.SetShowCaption(v); }, true));
    c.properties.push_back(BoolProp<C>(L"Transparent", [](C& o) { return o.Transparent(); },
                                       [](C& o, bool v) { o.SetTransparent(v); }, false));
    AddSkinProps<C>(c.properties, L"toolbutton");
    return c;
  }());
  return info;
}

}  // namespace ui::skin
