#include "ui/forms/Forms.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/forms/Application.h"
#include "ui/forms/PropertyKinds.h"
#include "ui/win/WindowClasses.h"

namespace ui {

TCustomForm::TCustomForm(TComponent* owner) : TControl(owner) {
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
  // Components go while the form is still whole; then its window.
  DestroyComponents();
  DestroyHandle();
}

void TCustomForm::InitInheritedComponent(const UnicodeString& className) {
  LoadFormResource(this, className, &handlers_);
}

void TCustomForm::SetFrame(TFormFrame* frame) {
  int cw = ClientWidth(), ch = ClientHeight();
  frame_ = frame;
  SetClientWidth(cw);
  SetClientHeight(ch);
}

TRect TCustomForm::ContentRect() const {
  TRect client = ClientRect();
  if (!hwnd_) {
    // Before the window exists the client area is the size we will ask for.
    RECT frame{0, 0, 0, 0};
    TCreateParams p;
    WindowStyles(p);
    AdjustWindowRectEx(&frame, p.style, FALSE, p.exStyle);
    client = TRect(0, 0, width_ - (frame.right - frame.left), height_ - (frame.bottom - frame.top));
  }
  if (frame_) {
    TRect in = frame_->Insets();
    client = TRect(client.Left + in.Left, client.Top + in.Top, client.Right - in.Right, client.Bottom - in.Bottom);
  }
  return client;
}

int TCustomForm::ClientWidth() const { return ContentRect().Width(); }
int TCustomForm::ClientHeight() const { return ContentRect().Height(); }

void TCustomForm::SetClientWidth(int width) { SetWidth(width_ + width - ClientWidth()); }
void TCustomForm::SetClientHeight(int height) { SetHeight(height_ + height - ClientHeight()); }

void TCustomForm::WindowStyles(TCreateParams& params) const {
  params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.exStyle = 0;
  const bool icons = borderStyle_ != bsNone;
  if (frame_ || borderStyle_ == bsNone) {
    params.style |= WS_POPUP;
  } else {
    params.style |= WS_CAPTION;
    if (borderStyle_ == bsSizeable) params.style |= WS_THICKFRAME;
    if (borderStyle_ == bsDialog) {
      params.style |= DS_MODALFRAME;
      params.exStyle |= WS_EX_DLGMODALFRAME;
    }
    if (borderStyle_ == bsToolWindow) params.exStyle |= WS_EX_TOOLWINDOW;
  }
  if (icons && (borderIcons_ & biSystemMenu)) params.style |= WS_SYSMENU;
  if (icons && borderStyle_ != bsDialog && (borderIcons_ & biMinimize)) params.style |= WS_MINIMIZEBOX;
  if (icons && borderStyle_ != bsDialog && (borderIcons_ & biMaximize)) params.style |= WS_MAXIMIZEBOX;
  if (!Enabled()) params.style |= WS_DISABLED;
  if (formStyle_ == fsStayOnTop) params.exStyle |= WS_EX_TOPMOST;
  if (alphaBlend_) params.exStyle |= WS_EX_LAYERED;
}

void TCustomForm::CreateParams(TCreateParams& params) {
  WindowStyles(params);
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (main == this || !main) {
    if (Application && Application->MainFormOnTaskBar) params.exStyle |= WS_EX_APPWINDOW;
    params.parent = nullptr;
  } else {
    params.parent = main->Handle();  // owned: no task-bar button of its own
  }
  params.bounds = TRect(left_, top_, left_ + width_, top_ + height_);
}

void TCustomForm::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  HWND h = CreateWindowExW(params.exStyle, win::WindowClass(L"ZentaroForm", &TControl::StaticWndProc, true), Caption().c_str(), params.style, params.bounds.Left,
                           params.bounds.Top, params.bounds.Width(), params.bounds.Height(), params.parent, nullptr,
                           GetModuleHandleW(nullptr), static_cast<TControl*>(this));
  if (!h) throw EOutOfResources(L"Cannot create window " + Name());
  ApplyLayered();
  if (frame_) frame_->FrameResized();
}

HWND TCustomForm::ToolTipWindow() {
  if (!toolTip_ && Handle()) {
    // Neither owned nor topmost at creation: under Wine a window cannot be
    // made topmost while it owns a topmost popup. The tip raises itself to
    // the top whenever it shows; the form destroys it with its own window.
    toolTip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (toolTip_) {
      SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, 600);
      int pause = Application ? Application->HintPause() : 500;
      int hide = Application ? Application->HintHidePause() : 2500;
      SendMessageW(toolTip_, TTM_SETDELAYTIME, TTDT_INITIAL, pause);
      SendMessageW(toolTip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, hide);
      SendMessageW(toolTip_, TTM_SETDELAYTIME, TTDT_RESHOW, pause);
    }
  }
  return toolTip_;
}

void TCustomForm::UpdateWindowBounds() {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::PlaceOnFirstShow() {
  if (placed_) return;
  placed_ = true;
  TRect area;
  switch (position_) {
    case poDesktopCenter:
      area = TRect(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                   GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                   GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN));
      break;
    case poScreenCenter:
      area = TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      auto* owner = dynamic_cast<TCustomForm*>(Owner());
      if (position_ == poMainFormCenter || !owner) owner = Application ? Application->MainForm() : nullptr;
      if (owner && owner != this && owner->HandleAllocated()) area = owner->BoundsRect();
      break;
    }
    default:
      break;
  }
  if (area.Width() > 0) {
    SetBounds(area.Left + (area.Width() - width_) / 2, area.Top + (area.Height() - height_) / 2, width_, height_);
  }
}

void TCustomForm::VisibleChanged() {
  if (!Visible()) {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    return;
  }
  Handle();
  PlaceOnFirstShow();
  DoShow();
  if (!Visible() || !hwnd_) return;  // OnShow may have hidden it again
  if (windowState_ == wsMaximized && (frame_ || BorderStyle() == bsNone)) {
    // A frameless window fills its monitor.
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &mi);
    TRect m(mi.rcMonitor);
    SetBounds(m.Left, m.Top, m.Width(), m.Height());
    ShowWindow(hwnd_, SW_SHOW);
  } else {
    ShowWindow(hwnd_, windowState_ == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
  }
  ApplyTopmost();
  SetForegroundWindow(hwnd_);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (hwnd_) {
    BringWindowToTop(hwnd_);
    SetForegroundWindow(hwnd_);
  }
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::Close() {
  if (inModal_) {
    modalResult_ = mrCancel;
    return;
  }
  TCloseAction action = caHide;
  OnClose(this, action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      if (hwnd_) ShowWindow(hwnd_, SW_MINIMIZE);
      break;
    case caFree:
      Hide();
      if (Application) Application->Post([this] { delete this; });
      break;
    default:
      break;
  }
}

namespace {
BOOL CALLBACK CollectEnabledWindow(HWND w, LPARAM list) {
  if (IsWindowVisible(w) && IsWindowEnabled(w)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
  if (Visible() || inModal_) throw Exception(L"Cannot make a visible window modal");
  HWND previous = GetActiveWindow();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  for (HWND w : disabled) EnableWindow(w, FALSE);
  struct Restore {
    TCustomForm* form;
    std::vector<HWND>& windows;
    HWND previous;
    ~Restore() {
      for (HWND w : windows)
        if (IsWindow(w)) EnableWindow(w, TRUE);
      form->inModal_ = false;
      form->Hide();
      if (previous && IsWindow(previous)) SetActiveWindow(previous);
    }
  } restore{this, disabled, previous};

  inModal_ = true;
  modalResult_ = mrNone;
  Show();
  while (modalResult_ == mrNone) {
    if (!Application || !Application->HandleMessage()) {
      PostQuitMessage(0);  // leave the outer loop too
      modalResult_ = mrCancel;
      break;
    }
    if (!Visible()) modalResult_ = mrCancel;
    if (modalResult_ != mrNone) {
      TCloseAction action = caHide;
      OnClose(this, action);
      if (action == caNone) modalResult_ = mrNone;
    }
  }
  return modalResult_;
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_) return;
  formStyle_ = style;
  ApplyTopmost();
}

void TCustomForm::ApplyTopmost() {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, formStyle_ == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (hwnd_ && Visible())
    ShowWindow(hwnd_, state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TCustomForm::SetAlphaBlend(bool value) {
  alphaBlend_ = value;
  ApplyLayered();
}

void TCustomForm::SetAlphaBlendValue(int value) {
  alphaBlendValue_ = std::clamp(value, 0, 255);
  ApplyLayered();
}

void TCustomForm::ApplyLayered() {
  if (!hwnd_) return;
  LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  if (alphaBlend_) {
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(alphaBlendValue_), LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
  }
}

void TCustomForm::Paint(TCanvas& canvas) {
  TRect client = ClientRect();
  PaintBackground(canvas, client, TPoint(0, 0));
  if (frame_) frame_->PaintFrame(canvas, client);
  if (OnPaint) {
    paintCanvas_.SetHandle(canvas.Handle());
    paintCanvas_.Font().Assign(Font());
    struct Detach {
      TCanvas& c;
      ~Detach() { c.SetHandle(nullptr); }
    } detach{paintCanvas_};
    OnPaint(this);
  }
}

LRESULT TCustomForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_NCHITTEST: {
      LRESULT hit = DefaultProc(msg, wParam, lParam);
      if (frame_ && hit == HTCLIENT) {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(hwnd_, &p);
        return frame_->HitTest(TPoint(p.x, p.y));
      }
      return hit;
    }
    case WM_CONTEXTMENU:
      if (frame_) {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        POINT c = p;
        ScreenToClient(hwnd_, &c);
        if (frame_->HitTest(TPoint(c.x, c.y)) == HTCAPTION) {
          frame_->ShowWindowMenu(TPoint(p.x, p.y));
          return 0;
        }
      }
      break;
    case WM_NCRBUTTONUP:
      if (frame_ && wParam == HTCAPTION) {
        frame_->ShowWindowMenu(TPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) {
        if (!IsIconic(hwnd_)) {
          RECT r;
          GetWindowRect(hwnd_, &r);
          left_ = r.left;
          top_ = r.top;
          width_ = r.right - r.left;
          height_ = r.bottom - r.top;
        }
      }
      break;
    }
    case WM_SIZE:
      if (frame_) frame_->FrameResized();
      Invalidate();
      break;
    case WM_ACTIVATE:
      Invalidate();
      break;
    case WM_DESTROY:
      if (toolTip_) DestroyWindow(toolTip_);
      toolTip_ = nullptr;
      break;
    default:
      break;
  }
  return TControl::WndProc(msg, wParam, lParam);
}

std::vector<TComponent*> TCustomForm::ChildComponents() const {
  // Non-visual components first, then the controls placed on the form.
  std::vector<TComponent*> out;
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Components(i);
    auto* control = dynamic_cast<TControl*>(c);
    if (!control) out.push_back(c);
  }
  for (TComponent* c : TControl::ChildComponents()) out.push_back(c);
  return out;
}

namespace {
template <typename C>
TPropInfo NotStored(TPropInfo p) {
  p.get = [](TComponent&) -> std::optional<FormValue> { return std::nullopt; };
  return p;
}
}  // namespace

const TClassInfo& TCustomForm::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TCustomForm), [] {
    TClassInfo c;
    c.name = L"TCustomForm";
    c.parent = &TControl::Class();
    using C = TCustomForm;
    static const TEnumNames<TFormBorderStyle> borders = {
        {bsNone, L"bsNone"}, {bsSingle, L"bsSingle"}, {bsSizeable, L"bsSizeable"}, {bsDialog, L"bsDialog"},
        {bsToolWindow, L"bsToolWindow"}};
    static const TEnumNames<TFormStyle> styles = {{fsNormal, L"fsNormal"}, {fsStayOnTop, L"fsStayOnTop"}};
    static const TEnumNames<TPosition> positions = {{poDesigned, L"poDesigned"},
                                                    {poDesktopCenter, L"poDesktopCenter"},
                                                    {poScreenCenter, L"poScreenCenter"},
                                                    {poMainFormCenter, L"poMainFormCenter"},
                                                    {poOwnerFormCenter, L"poOwnerFormCenter"}};
    static const TEnumNames<TWindowState> states = {
        {wsNormal, L"wsNormal"}, {wsMinimized, L"wsMinimized"}, {wsMaximized, L"wsMaximized"}};
    static const TEnumNames<unsigned> icons = {
        {biSystemMenu, L"biSystemMenu"}, {biMinimize, L"biMinimize"}, {biMaximize, L"biMaximize"}, {biHelp, L"biHelp"}};
    c.properties = {
        // A form stores its client size, not its outer size.
        NotStored<C>(*TControl::Class().FindProperty(L"Width")),
        NotStored<C>(*TControl::Class().FindProperty(L"Height")),
        NotStored<C>(*TControl::Class().FindProperty(L"ParentFont")),
        BoolProp<C>(L"Visible", [](C& o) { return o.Visible(); }, [](C& o, bool v) { o.SetVisible(v); }, false),
        BoolProp<C>(L"AlphaBlend", [](C& o) { return o.AlphaBlend(); }, [](C& o, bool v) { o.SetAlphaBlend(v); },
                    false),
        IntProp<C>(L"AlphaBlendValue", [](C& o) { return o.AlphaBlendValue(); },
                   [](C& o, int v) { o.SetAlphaBlendValue(v); }, 255),
        SetProp<C>(L"BorderIcons", icons, [](C& o) { return o.BorderIcons(); },
                   [](C& o, unsigned v) { o.SetBorderIcons(v); }, biSystemMenu | biMinimize | biMaximize),
        EnumProp<C>(L"BorderStyle", borders, [](C& o) { return o.BorderStyle(); },
                    [](C& o, TFormBorderStyle v) { o.SetBorderStyle(v); }, bsSizeable),
        IntProp<C>(L"ClientHeight", [](C& o) { return o.ClientHeight(); }, [](C& o, int v) { o.SetClientHeight(v); },
                   std::nullopt),
        IntProp<C>(L"ClientWidth", [](C& o) { return o.ClientWidth(); }, [](C& o, int v) { o.SetClientWidth(v); },
                   std::nullopt),
        EnumProp<C>(L"FormStyle", styles, [](C& o) { return o.FormStyle(); },
                    [](C& o, TFormStyle v) { o.SetFormStyle(v); }, fsNormal),
        EnumProp<C>(L"Position", positions, [](C& o) { return o.Position(); },
                    [](C& o, TPosition v) { o.SetPosition(v); }, poDesigned),
        EnumProp<C>(L"WindowState", states, [](C& o) { return o.WindowState(); },
                    [](C& o, TWindowState v) { o.SetWindowState(v); }, wsNormal),
        EventProp<C>(L"OnClose", &C::OnClose),
        EventProp<C>(L"OnPaint", &C::OnPaint),
        EventProp<C>(L"OnShow", &C::OnShow),
    };
    // A form's font is always its own.
    std::vector<TPropInfo> font;
    AddFontProps<C>(font, [](C& o) -> TFont& { return o.Font(); }, [](C&) { return true; });
    for (auto& p : font) c.properties.push_back(p);
    return c;
  }());
  return info;
}

const TClassInfo& TForm::Class() {
  static const TClassInfo& info = RegisterPlainClass<TForm>(L"TForm", &TCustomForm::Class());
  return info;
}

// ---------------------------------------------------------------------------

TDataModule::TDataModule(TComponent* owner) : TUiComponent(owner) {}

void TDataModule::InitInheritedComponent(const UnicodeString& className) {
  LoadFormResource(this, className, &handlers_);
}

std::vector<TComponent*> TDataModule::ChildComponents() const {
  std::vector<TComponent*> out;
  for (int i = 0; i < ComponentCount(); ++i) out.push_back(Components(i));
  return out;
}

const TClassInfo& TDataModule::Class() {
  static const TClassInfo& info = RegisterPlainClass<TDataModule>(L"TDataModule", nullptr);
  return info;
}

}  // namespace ui
