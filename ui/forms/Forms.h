#pragma once
// Top-level windows (forms) and data modules, both loaded from the form
// resource named after their class when they are constructed.
#include <windows.h>

#include "ui/forms/Controls.h"

namespace ui {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poDesktopCenter, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL;

using TCloseEvent = TEvent<TComponent*, TCloseAction&>;

// What a skin does for a form whose frame it draws itself.
class TFormFrame {
 public:
  virtual ~TFormFrame() = default;
  // Space the frame takes at each edge of the client area.
  virtual TRect Insets() const = 0;
  virtual void PaintFrame(TCanvas& canvas, const TRect& client) = 0;
  virtual LRESULT HitTest(TPoint clientPoint) = 0;
  // Lays out the frame's own child windows (its caption buttons).
  virtual void FrameResized() = 0;
  virtual void ShowWindowMenu(TPoint screenPoint) = 0;
};

class TCustomForm : public TControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
  unsigned BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(unsigned icons) { borderIcons_ = icons; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool value);
  int AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(int value);

  TNotifyEvent OnShow, OnPaint;
  TCloseEvent OnClose;

  void Show();
  void Hide();
  void Close();
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  TCanvas& Canvas() { return paintCanvas_; }
  THandlerTable& Handlers() { return handlers_; }

  void SetFrame(TFormFrame* frame);
  TFormFrame* Frame() const { return frame_; }
  TRect ContentRect() const override;
  // Called by a tool tip window owned by this form.
  HWND ToolTipWindow();

  std::vector<TComponent*> ChildComponents() const override;
  static const TClassInfo& Class();

 protected:
  // Loads the form resource of the most derived class. Derived forms call it
  // at the top of their constructor body, after adding their handlers.
  void InitInheritedComponent(const UnicodeString& className);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Paint(TCanvas& canvas) override;
  void VisibleChanged() override;
  void UpdateWindowBounds() override;
  virtual void DoShow() { OnShow(this); }

 private:
  void WindowStyles(TCreateParams& params) const;
  void PlaceOnFirstShow();
  void ApplyTopmost();
  void ApplyLayered();

  TFormBorderStyle borderStyle_ = bsSizeable;
  unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = fsNormal;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  bool alphaBlend_ = false;
  int alphaBlendValue_ = 255;
  bool placed_ = false;
  bool inModal_ = false;
  TModalResult modalResult_ = mrNone;
  TFormFrame* frame_ = nullptr;
  TCanvas paintCanvas_;
  THandlerTable handlers_;
  HWND toolTip_ = nullptr;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
  static const TClassInfo& Class();
};

// A non-visual container of components, loaded from its resource.
class TDataModule : public TUiComponent {
 public:
  explicit TDataModule(TComponent* owner);
  std::vector<TComponent*> ChildComponents() const override;
  static const TClassInfo& Class();

 protected:
  void InitInheritedComponent(const UnicodeString& className);
  THandlerTable handlers_;
};

}  // namespace ui
