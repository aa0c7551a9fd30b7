#include "ui/skin/SkinForm.h"

#include <algorithm>

#include "ui/forms/Application.h"

namespace ui::skin {

// One caption button (minimise or close), a child window in the caption.
class TSkinCaptionButton : public TControl {
 public:
  TSkinCaptionButton(TSkinForm* skin, TCustomForm* form, UINT command)
      : TControl(skin), skin_(skin), command_(command) {
    SetShowHint(true);
    SetParent(form);
  }
  UINT Command() const { return command_; }
  bool InFrame() const override { return true; }

 protected:
  void Paint(TCanvas& canvas) override {
    TRect r = ClientRect();
    const bool close = command_ == SC_CLOSE;
    const bool hot = MouseInside() && Enabled();
    const bool down = hot && MouseCaptured();
    TColor face = close ? (down ? skin_->FrameColor(L"CloseDown", clRed) : skin_->FrameColor(L"CloseHot", clRed))
                        : (down ? skin_->FrameColor(L"ButtonDown", clHighlight)
                                : skin_->FrameColor(L"ButtonHot", clHighlight));
    // The caption gradient behind, as the form paints it.
    canvas.BrushColor = skin_->FrameColor(L"CaptionTop", clHighlight);
    canvas.FillRect(r);
    if (hot) {
      canvas.BrushColor = face;
      canvas.FillRect(r);
    }
    canvas.PenColor = skin_->FrameColor(hot ? L"GlyphHot" : L"Glyph", clWhite);
    const int cx = r.Width() / 2, cy = r.Height() / 2;
    if (close) {
      for (int d = 0; d < 2; ++d) {  // two pixels wide
        canvas.Line(cx - 5 + d, cy - 5, cx + 5 + d, cy + 5);
        canvas.Line(cx + 4 + d, cy - 5, cx - 6 + d, cy + 5);
      }
    } else {
      canvas.BrushColor = canvas.PenColor;
      canvas.FillRect(TRect(cx - 5, cy + 1, cx + 6, cy + 3));
    }
  }
  void Click() override {
    if (TCustomForm* form = ParentForm()) PostMessageW(form->Handle(), WM_SYSCOMMAND, command_, 0);
  }

 private:
  TSkinForm* skin_;
  UINT command_;
};

TSkinForm::TSkinForm(TComponent* owner) : TUiComponent(owner) {}

TSkinForm::~TSkinForm() {
  if (TCustomForm* form = Form(); form && form->Frame() == this) form->SetFrame(nullptr);
}

TCustomForm* TSkinForm::Form() const { return dynamic_cast<TCustomForm*>(Owner()); }

void TSkinForm::SetSkinData(TSkinData* data) {
  skinData_ = data;
  if (data) FreeNotification(data);
}

void TSkinForm::Notification(TComponent* component, TOperation operation) {
  TUiComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == skinData_) skinData_ = nullptr;
  buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), component), buttons_.end());
}

UnicodeString TSkinForm::Text(const wchar_t* key, const wchar_t* fallback) const {
  return skinData_ ? skinData_->Text(key, fallback) : UnicodeString(fallback);
}

TColor TSkinForm::FrameColor(const wchar_t* key, TColor fallback) const {
  return skinData_ ? skinData_->Color(L"form", key, fallback) : fallback;
}

int TSkinForm::CaptionHeight() const { return skinData_ ? skinData_->Int(L"form", L"CaptionHeight", 28) : 28; }

TRect TSkinForm::Insets() const { return TRect(1, CaptionHeight(), 1, 1); }

void TSkinForm::Loaded() {
  TCustomForm* form = Form();
  if (!form) return;
  form->SetBorderIcons(BorderIcons);
  form->SetFrame(this);
  if (AlphaBlend) {
    form->SetAlphaBlendValue(AlphaBlendValue);
    form->SetAlphaBlend(true);
  }
  if (BorderIcons & biMinimize) {
    auto* b = new TSkinCaptionButton(this, form, SC_MINIMIZE);
    b->SetHint(Text(L"MINBUTTON_HINT", L"Minimize"));
    buttons_.push_back(b);
  }
  if (BorderIcons & biSystemMenu) {
    auto* b = new TSkinCaptionButton(this, form, SC_CLOSE);
    b->SetHint(Text(L"CLOSEBUTTON_HINT", L"Close"));
    buttons_.push_back(b);
  }
}

void TSkinForm::FrameResized() {
  TCustomForm* form = Form();
  if (!form) return;
  const int h = CaptionHeight() - 1, w = std::max(30, h + 8);
  int right = form->ClientRect().Width() - 1;
  for (auto it = buttons_.rbegin(); it != buttons_.rend(); ++it) {
    right -= w;
    (*it)->SetBounds(right, 1, w, h);
  }
  // The task bar shows the same menu: keep 还原's state in step with
  // minimising and restoring, which both resize the window.
  LocaliseSystemMenu();
}

LRESULT TSkinForm::HitTest(TPoint p) {
  if (p.Y < CaptionHeight()) return HTCAPTION;
  return HTCLIENT;
}

void TSkinForm::PaintFrame(TCanvas& canvas, const TRect& client) {
  TCustomForm* form = Form();
  const int ch = CaptionHeight();
  const bool active = form && form->HandleAllocated() && GetActiveWindow() == form->WindowHandle();
  canvas.BrushColor = FrameColor(active ? L"CaptionTop" : L"InactiveCaption", clHighlight);
  canvas.FillRect(TRect(client.Left, client.Top, client.Right, client.Top + ch));
  canvas.BrushColor = FrameColor(L"CaptionLine", clHighlight);
  canvas.FillRect(TRect(client.Left, client.Top + ch - 1, client.Right, client.Top + ch));
  canvas.PenColor = FrameColor(L"Border", clGray);
  canvas.FrameRect(client);

  int textLeft = 10;
  if (ShowIcon) {
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 16, 16, LR_SHARED));
    if (icon) DrawIconEx(canvas.Handle(), 8, (ch - 16) / 2, icon, 16, 16, 0, nullptr, DI_NORMAL);
    textLeft = 30;
  }
  if (form) {
    canvas.Font().Assign(form->Font());
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(FrameColor(L"CaptionText", clWhite));
    int buttonsWidth = static_cast<int>(buttons_.size()) * std::max(30, ch + 7);
    canvas.DrawText(form->Caption(), TRect(textLeft, 0, client.Right - buttonsWidth - 4, ch),
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
}

void TSkinForm::LocaliseSystemMenu() {
  TCustomForm* form = Form();
  if (!form || !form->HandleAllocated() || DisableSystemMenu) return;
  HMENU menu = GetSystemMenu(form->WindowHandle(), FALSE);
  if (!menu) return;
  struct Item {
    UINT command;
    const wchar_t* key;
    const wchar_t* fallback;
  };
  static const Item items[] = {{SC_RESTORE, L"MI_RESTORECAPTION", L"&Restore"},
                               {SC_MINIMIZE, L"MI_MINCAPTION", L"Mi&nimize"},
                               {SC_MAXIMIZE, L"MI_MAXCAPTION", L"Ma&ximize"},
                               {SC_CLOSE, L"MI_CLOSECAPTION", L"&Close"}};
  // Only the commands the table names: moving and sizing have no rows.
  DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  for (const Item& item : items) {
    UnicodeString text = Text(item.key, item.fallback);
    if (item.command == SC_CLOSE) text += L"\tAlt+F4";
    ModifyMenuW(menu, item.command, MF_BYCOMMAND | MF_STRING, item.command, text.c_str());
  }
  const bool iconic = IsIconic(form->WindowHandle()) != FALSE;
  EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | (iconic ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | ((BorderIcons & biMaximize) ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | ((BorderIcons & biMinimize) && !iconic ? MF_ENABLED : MF_GRAYED));
}

void TSkinForm::ShowWindowMenu(TPoint screenPoint) {
  TCustomForm* form = Form();
  if (!form || DisableSystemMenu) return;
  LocaliseSystemMenu();
  HWND hwnd = form->Handle();
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  if (!menu) return;
  UINT command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.X, screenPoint.Y, 0, hwnd, nullptr);
  if (command) PostMessageW(hwnd, WM_SYSCOMMAND, command, 0);
}

const TClassInfo& TSkinForm::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TSkinForm), [] {
    TClassInfo c = DescribeClass<TSkinForm>(L"TSkinForm", nullptr, true);
    using C = TSkinForm;
    static const TEnumNames<unsigned> icons = {
        {biSystemMenu, L"biSystemMenu"}, {biMinimize, L"biMinimize"}, {biMaximize, L"biMaximize"}, {biHelp, L"biHelp"}};
    c.properties = {
        BoolProp<C>(L"AlphaBlend", [](C& o) { return o.AlphaBlend; }, [](C& o, bool v) { o.AlphaBlend = v; }, false),
        IntProp<C>(L"AlphaBlendValue", [](C& o) { return o.AlphaBlendValue; }, [](C& o, int v) { o.AlphaBlendValue = v; },
                   200),
        SetProp<C>(L"BorderIcons", icons, [](C& o) { return o.BorderIcons; }, [](C& o, unsigned v) { o.BorderIcons = v; },
                   biSystemMenu | biMinimize | biMaximize),
        BoolProp<C>(L"DisableSystemMenu", [](C& o) { return o.DisableSystemMenu; },
                    [](C& o, bool v) { o.DisableSystemMenu = v; }, false),
        BoolProp<C>(L"Magnetic", [](C& o) { return o.Magnetic; }, [](C& o, bool v) { o.Magnetic = v; }, false),
        BoolProp<C>(L"ShowIcon", [](C& o) { return o.ShowIcon; }, [](C& o, bool v) { o.ShowIcon = v; }, false),
        RefProp<C, TSkinData>(L"SkinData", [](C& o) { return o.SkinData(); }, [](C& o, TSkinData* v) { o.SetSkinData(v); }),
        BoolProp<C>(L"UseDefaultSysMenu", [](C& o) { return o.UseDefaultSysMenu; },
                    [](C& o, bool v) { o.UseDefaultSysMenu = v; }, true),
    };
    return c;
  }());
  return info;
}

}  // namespace ui::skin
