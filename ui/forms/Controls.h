#pragma once
// Windowed controls. Every control has its own window, created when first
// needed; its object is bound to the window at WM_NCCREATE and one static
// window procedure dispatches to virtual handlers. No exception leaves a
// window procedure: it goes to the application's exception display.
#include <windows.h>

#include <vector>

#include "ui/graphics/Graphics.h"
#include "ui/streaming/Persistence.h"

namespace ui {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlags : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;
using TCursor = int;
constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeAll = -22,
                  crHandPoint = -21, crHelp = -20, crHourGlass = -11;
// The system cursor for a cursor value (crDefault: nullptr).
HCURSOR CursorHandle(TCursor cursor);

// (sender, button, shift, x, y); x and y in the control's client pixels.
using TMouseEvent = TEvent<TComponent*, TMouseButton, TShiftState, int, int>;

class TCustomForm;

class TControl : public TUiComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // --- published -------------------------------------------------------
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const UnicodeString& Caption() const { return caption_; }
  void SetCaption(const UnicodeString& caption);
  const UnicodeString& Hint() const { return hint_; }
  void SetHint(const UnicodeString& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFont& Font() { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }

  TMouseEvent OnMouseDown, OnMouseUp;
  TNotifyEvent OnClick;

  // --- tree and window -------------------------------------------------
  TControl* Parent() const { return parent_; }
  void SetParent(TControl* parent);
  const std::vector<TControl*>& Controls() const { return controls_; }
  HWND Handle();  // creates the window (and its parents') when needed
  bool HandleAllocated() const { return hwnd_ != nullptr; }
  HWND WindowHandle() const { return hwnd_; }
  // The part of the client area that child controls are laid out in, in
  // client pixels; forms with a skinned frame leave the frame out.
  virtual TRect ContentRect() const;
  TRect ClientRect() const;
  // Screen rectangle of the window.
  TRect BoundsRect() const;
  TCustomForm* ParentForm();
  void Invalidate();
  // True while the left button went down on this control and is not up.
  bool MouseCaptured() const { return captured_; }
  bool MouseInside() const { return hot_; }

  // Fills rect of canvas with what this control shows behind its children,
  // with the control's (0, 0) at origin; transparent children ask for it.
  virtual void PaintBackground(TCanvas& canvas, const TRect& rect, TPoint origin);
  // Frame parts (caption buttons) sit in the client area outside ContentRect.
  virtual bool InFrame() const { return false; }

  void SetParentComponent(TComponent* parent) override;
  std::vector<TComponent*> ChildComponents() const override;
  void Loaded() override;

  static const TClassInfo& Class();

 protected:
  struct TCreateParams {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    TRect bounds;  // in the parent's client pixels (screen for top-level)
  };
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  void DestroyHandle();
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Paints the whole client area into canvas (double-buffered by the caller).
  virtual void Paint(TCanvas& canvas);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseEnter() { Invalidate(); }
  virtual void MouseLeave() { Invalidate(); }
  virtual void Click() { OnClick(this); }
  virtual void EnabledChanged() { Invalidate(); }
  virtual void VisibleChanged();
  virtual void Resized() {}
  void AlignControls();
  // Places the window where Left/Top/Width/Height say.
  virtual void UpdateWindowBounds();
  // The parent's origin for child coordinates, in the parent's client pixels.
  TPoint ChildOrigin() const;
  void RegisterHint();

  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static const wchar_t* WindowClassName();

  HWND hwnd_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

 private:
  void AddControl(TControl* child);
  void RemoveControl(TControl* child);
  void ParentFontChanged();
  void PaintWindow();
  void TrackMouse();

  TControl* parent_ = nullptr;
  std::vector<TControl*> controls_;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  UnicodeString caption_, hint_;
  bool showHint_ = false;
  TColor color_ = clBtnFace;
  TFont font_;
  bool parentFont_ = true;
  TCursor cursor_ = crDefault;
  bool captured_ = false;
  bool hot_ = false;
  bool aligning_ = false;
};

// Shift state from a mouse message's key flags.
TShiftState ShiftFromKeys(WPARAM keys);

}  // namespace ui
