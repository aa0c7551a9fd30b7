#include "ui/forms/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/forms/Application.h"
#include "ui/forms/Forms.h"
#include "ui/forms/PropertyKinds.h"
#include "ui/win/WindowClasses.h"

namespace ui {

HCURSOR CursorHandle(TCursor cursor) {
  const wchar_t* id = nullptr;
  switch (cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    case crHandPoint: id = IDC_HAND; break;
    case crHelp: id = IDC_HELP; break;
    case crHourGlass: id = IDC_WAIT; break;
    default: return nullptr;
  }
  return LoadCursorW(nullptr, id);
}

TShiftState ShiftFromKeys(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TControl::TControl(TComponent* owner) : TUiComponent(owner) {
  font_.OnChange = [this] {
    parentFont_ = false;  // the font is now the control's own
    for (TControl* child : controls_) child->ParentFontChanged();
    Invalidate();
  };
}

TControl::~TControl() {
  // Children owned elsewhere lose their parent window with ours.
  for (TControl* child : std::vector<TControl*>(controls_)) child->SetParent(nullptr);
  DestroyHandle();
  if (parent_) parent_->RemoveControl(this);
}

void TControl::DestroyHandle() {
  if (hwnd_) {
    HWND h = hwnd_;
    DestroyWindow(h);  // WM_NCDESTROY clears hwnd_
    hwnd_ = nullptr;
  }
}

const wchar_t* TControl::WindowClassName() { return win::WindowClass(L"ZentaroControl", &TControl::StaticWndProc); }

LRESULT CALLBACK TControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TControl* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  try {
    return self->WndProc(msg, wParam, lParam);
  } catch (...) {
    if (Application) Application->HandleException();
    return 0;
  }
}

LRESULT TControl::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (msg) {
    case WM_PAINT:
      PaintWindow();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(mbLeft, ShiftFromKeys(wParam), x, y);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseDown(mbRight, ShiftFromKeys(wParam), x, y);
      return 0;
    case WM_MBUTTONDOWN:
      MouseDown(mbMiddle, ShiftFromKeys(wParam), x, y);
      return 0;
    case WM_LBUTTONUP:
      MouseUp(mbLeft, ShiftFromKeys(wParam), x, y);
      return 0;
    case WM_RBUTTONUP:
      MouseUp(mbRight, ShiftFromKeys(wParam), x, y);
      return 0;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, ShiftFromKeys(wParam), x, y);
      return 0;
    case WM_MOUSEMOVE:
      TrackMouse();
      return 0;
    case WM_MOUSELEAVE:
      hot_ = false;
      MouseLeave();
      return 0;
    case WM_CAPTURECHANGED:
      if (captured_) {
        captured_ = false;
        Invalidate();
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        HCURSOR c = CursorHandle(Screen && Screen->Cursor() != crDefault ? Screen->Cursor() : cursor_);
        if (c) {
          ::SetCursor(c);
          return TRUE;
        }
      }
      break;
    case WM_SIZE:
      AlignControls();
      Resized();
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

void TControl::TrackMouse() {
  if (hot_) return;
  hot_ = true;
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd_, 0};
  TrackMouseEvent(&tme);
  MouseEnter();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // The left button keeps the mouse until it is released, wherever that is.
  if (button == mbLeft) {
    SetCapture(hwnd_);
    captured_ = true;
    Invalidate();
  }
  OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  bool clicked = false;
  if (button == mbLeft && captured_) {
    captured_ = false;
    ReleaseCapture();
    clicked = ClientRect().Contains(TPoint(x, y));
    Invalidate();
  }
  if (clicked) Click();
  OnMouseUp(this, button, shift, x, y);
}

void TControl::PaintWindow() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  TRect client = ClientRect();
  if (client.Width() > 0 && client.Height() > 0) {
    TBitmap buffer;
    buffer.SetSize(client.Width(), client.Height());
    TCanvas& canvas = buffer.Canvas();
    canvas.Font().Assign(font_);
    Paint(canvas);
    BitBlt(dc, 0, 0, client.Width(), client.Height(), canvas.Handle(), 0, 0, SRCCOPY);
  }
  EndPaint(hwnd_, &ps);
}

void TControl::Paint(TCanvas& canvas) { PaintBackground(canvas, ClientRect(), TPoint(0, 0)); }

void TControl::PaintBackground(TCanvas& canvas, const TRect& rect, TPoint) {
  canvas.BrushColor = color_;
  canvas.FillRect(rect);
}

// --- geometry ---------------------------------------------------------------

TRect TControl::ClientRect() const {
  if (hwnd_) {
    RECT r;
    GetClientRect(hwnd_, &r);
    return TRect(r);
  }
  return TRect(0, 0, width_, height_);
}

TRect TControl::ContentRect() const { return ClientRect(); }

TRect TControl::BoundsRect() const {
  if (!hwnd_) return TRect();
  RECT r;
  GetWindowRect(hwnd_, &r);
  return TRect(r);
}

TPoint TControl::ChildOrigin() const {
  if (!parent_ || InFrame()) return TPoint(0, 0);
  TRect content = parent_->ContentRect();
  return TPoint(content.Left, content.Top);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  UpdateWindowBounds();
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::UpdateWindowBounds() {
  if (!hwnd_) return;
  TPoint origin = ChildOrigin();
  SetWindowPos(hwnd_, nullptr, origin.X + left_, origin.Y + top_, width_, height_,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  TRect area = ContentRect();
  area = TRect(0, 0, area.Width(), area.Height());
  auto place = [](TControl* c, int l, int t, int w, int h) {
    c->left_ = l;
    c->top_ = t;
    c->width_ = std::max(0, w);
    c->height_ = std::max(0, h);
    c->UpdateWindowBounds();
  };
  std::vector<TControl*> order(controls_);
  std::stable_sort(order.begin(), order.end(), [](TControl* a, TControl* b) {
    if (a->align_ == alLeft && b->align_ == alLeft) return a->left_ < b->left_;
    if (a->align_ == alTop && b->align_ == alTop) return a->top_ < b->top_;
    return false;
  });
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : order) {
      if (c->align_ != pass || !c->visible_) continue;
      switch (pass) {
        case alTop:
          place(c, area.Left, area.Top, area.Width(), c->height_);
          area.Top += c->height_;
          break;
        case alBottom:
          area.Bottom -= c->height_;
          place(c, area.Left, area.Bottom, area.Width(), c->height_);
          break;
        case alLeft:
          place(c, area.Left, area.Top, c->width_, area.Height());
          area.Left += c->width_;
          break;
        case alRight:
          area.Right -= c->width_;
          place(c, area.Right, area.Top, c->width_, area.Height());
          break;
        default:
          place(c, area.Left, area.Top, area.Width(), area.Height());
          break;
      }
    }
  }
  aligning_ = false;
}

// --- tree -------------------------------------------------------------------

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* p = dynamic_cast<TControl*>(parent)) SetParent(p);
}

void TControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) {
    parent_->AddControl(this);
    if (parentFont_) ParentFontChanged();
    if (hwnd_) {
      ::SetParent(hwnd_, parent_->HandleAllocated() ? parent_->WindowHandle() : nullptr);
    }
    if (parent_->HandleAllocated()) Handle();
  } else {
    DestroyHandle();
  }
}

void TControl::AddControl(TControl* child) {
  controls_.push_back(child);
  if (child->align_ != alNone) AlignControls();
}

void TControl::RemoveControl(TControl* child) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), child), controls_.end());
  if (child->align_ != alNone && !Destroying()) AlignControls();
}

std::vector<TComponent*> TControl::ChildComponents() const {
  std::vector<TComponent*> out;
  for (TControl* c : controls_)
    if (!c->Name().IsEmpty()) out.push_back(c);  // frame parts are not stored
  return out;
}

void TControl::ParentFontChanged() {
  if (!parent_ || !parentFont_) return;
  auto handler = std::move(font_.OnChange);
  font_.Assign(parent_->font_);
  font_.OnChange = std::move(handler);
  for (TControl* child : controls_) child->ParentFontChanged();
  Invalidate();
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value) ParentFontChanged();
}

TCustomForm* TControl::ParentForm() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(c);
}

void TControl::Loaded() {
  if (!controls_.empty()) AlignControls();
}

// --- window -----------------------------------------------------------------

void TControl::CreateParams(TCreateParams& params) {
  params.parent = parent_ ? parent_->Handle() : nullptr;
  TPoint origin = ChildOrigin();
  params.bounds = TRect(origin.X + left_, origin.Y + top_, origin.X + left_ + width_, origin.Y + top_ + height_);
  if (visible_) params.style |= WS_VISIBLE;
  if (!enabled_) params.style |= WS_DISABLED;
}

void TControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  HWND h = CreateWindowExW(params.exStyle, WindowClassName(), caption_.c_str(), params.style,
                           params.bounds.Left, params.bounds.Top, params.bounds.Width(),
                           params.bounds.Height(), params.parent, nullptr, GetModuleHandleW(nullptr), this);
  if (!h) throw EOutOfResources(L"Cannot create window " + Name());
}

HWND TControl::Handle() {
  if (!hwnd_) {
    if (parent_) parent_->Handle();
    if (hwnd_) return hwnd_;  // the parent created ours with its own
    CreateWnd();
    for (TControl* child : controls_) child->Handle();
    AlignControls();
    RegisterHint();
  }
  return hwnd_;
}

void TControl::RegisterHint() {
  if (!hwnd_ || hint_.IsEmpty()) return;
  TCustomForm* form = ParentForm();
  if (!form || form == this) return;
  if (!showHint_ && !form->ShowHint()) return;
  HWND tip = form->ToolTipWindow();
  if (!tip) return;
  TOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = form->Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  ti.lpszText = const_cast<wchar_t*>(hint_.c_str());
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TControl::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
}

void TControl::VisibleChanged() {
  if (hwnd_) ShowWindow(hwnd_, visible_ ? SW_SHOWNA : SW_HIDE);
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
  if (!enabled) hot_ = false;
  EnabledChanged();
}

void TControl::SetCaption(const UnicodeString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (hwnd_) SetWindowTextW(hwnd_, caption_.c_str());
  Invalidate();
}

void TControl::SetHint(const UnicodeString& hint) {
  hint_ = hint;
  RegisterHint();
}

void TControl::SetShowHint(bool show) {
  showHint_ = show;
  RegisterHint();
}

void TControl::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

// --- published properties ----------------------------------------------------

const TClassInfo& TControl::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TControl), [] {
    TClassInfo c;
    c.name = L"TControl";
    using C = TControl;
    c.properties = {
        IntProp<C>(L"Left", [](C& o) { return o.Left(); }, [](C& o, int v) { o.SetLeft(v); }, std::nullopt),
        IntProp<C>(L"Top", [](C& o) { return o.Top(); }, [](C& o, int v) { o.SetTop(v); }, std::nullopt),
        IntProp<C>(L"Width", [](C& o) { return o.Width(); }, [](C& o, int v) { o.SetWidth(v); }, std::nullopt),
        IntProp<C>(L"Height", [](C& o) { return o.Height(); }, [](C& o, int v) { o.SetHeight(v); }, std::nullopt),
        EnumProp<C>(L"Align", AlignNames(), [](C& o) { return o.Align(); }, [](C& o, TAlign v) { o.SetAlign(v); },
                    alNone),
        StrProp<C>(L"Caption", [](C& o) { return o.Caption(); },
                   [](C& o, const UnicodeString& v) { o.SetCaption(v); }),
        ColorProp<C>(L"Color", [](C& o) { return o.Color(); }, [](C& o, TColor v) { o.SetColor(v); }, clBtnFace),
        CursorProp<C>(L"Cursor", [](C& o) { return o.Cursor(); }, [](C& o, TCursor v) { o.SetCursor(v); }),
        BoolProp<C>(L"Enabled", [](C& o) { return o.Enabled(); }, [](C& o, bool v) { o.SetEnabled(v); }, true),
    };
    AddFontProps<C>(c.properties, [](C& o) -> TFont& { return o.Font(); },
                    [](C& o) { return !o.ParentFont(); });
    c.properties.push_back(StrProp<C>(L"Hint", [](C& o) { return o.Hint(); },
                                      [](C& o, const UnicodeString& v) { o.SetHint(v); }));
    c.properties.push_back(
        BoolProp<C>(L"ParentFont", [](C& o) { return o.ParentFont(); }, [](C& o, bool v) { o.SetParentFont(v); }, true));
    c.properties.push_back(
        BoolProp<C>(L"ShowHint", [](C& o) { return o.ShowHint(); }, [](C& o, bool v) { o.SetShowHint(v); }, false));
    c.properties.push_back(
        BoolProp<C>(L"Visible", [](C& o) { return o.Visible(); }, [](C& o, bool v) { o.SetVisible(v); }, true));
    c.properties.push_back(EventProp<C>(L"OnClick", &C::OnClick));
    c.properties.push_back(EventProp<C>(L"OnMouseDown", &C::OnMouseDown));
    c.properties.push_back(EventProp<C>(L"OnMouseUp", &C::OnMouseUp));
    return c;
  }());
  return info;
}

}  // namespace ui
