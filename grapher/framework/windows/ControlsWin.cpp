// The windowed controls: TWinControl and TCustomControl (the message
// procedure is in ControlsWinProc.cpp).
#include "framework/windows/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

#include "framework/windows/ControlsDetail.h"
#include "framework/windows/Menus.h"

namespace kx {
namespace {

constexpr char kControlProp[] = "KxControl";
constexpr char kWindowClass[] = "KxWindow";

std::map<UINT, TWinControl*> g_controlsById;  // child window ids, for WM_MEASUREITEM
UINT g_nextId = 100;

}  // namespace

using namespace controls_detail;

// ---------------------------------------------------------------------------
// TWinControl

const char* FrameworkWindowClass() {
  static const ATOM atom = [] {
    WNDCLASSA cls{};
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = &DefWindowProcA;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.lpszClassName = kWindowClass;
    return RegisterClassA(&cls);
  }();
  (void)atom;
  return kWindowClass;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>()) {
  brush_->SetColor(Color());
}

TWinControl::~TWinControl() {
  Destroying();
  // A parent frees the controls it holds, last first.
  while (!controls_.empty()) delete controls_.back();
  DestroyWnd();
}

TWinControl* TWinControl::FindControlById(UINT id) {
  auto it = g_controlsById.find(id);
  return it == g_controlsById.end() ? nullptr : it->second;
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  return wnd ? static_cast<TWinControl*>(GetPropA(wnd, kControlProp)) : nullptr;
}

HWND TWinControl::Handle() {
  if (!wnd_) CreateWnd();
  return wnd_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.WinClassName = FrameworkWindowClass();
  params.Caption = Caption();
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.ExStyle |= ModeExStyle();
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  // CreateWnd makes the parent's window first. Measuring a control without a
  // window asks for these parameters too, and must not make windows.
  if (Parent() && Parent()->HandleAllocated()) params.WndParent = Parent()->Handle();
}

void TWinControl::CreateWnd() {
  if (Parent()) Parent()->HandleNeeded();
  if (wnd_) return;  // the parent created this one with its children
  TCreateParams params;
  CreateParams(params);
  CreateWindowHandle(params);
  if (!wnd_) throw EOutOfResources("Error creating window of " + ClassName());
  if (params.Style & WS_CHILD) StackAmongSiblings();
  if (!(params.Style & WS_CHILD) || IsZoomed(wnd_)) {
    RECT r;
    GetWindowRect(wnd_, &r);
    UpdateBoundsRect(r);
  }
  SendMessageA(wnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
  CreateChildHandles();
  Realign();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  const bool own = params.WinClassName == kWindowClass;
  const bool mdiChild = (params.ExStyle & WS_EX_MDICHILD) != 0;
  HMENU id = nullptr;
  if ((params.Style & WS_CHILD) && !mdiChild) {  // the MDI client numbers its children itself
    ctlId_ = g_nextId++;
    id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ctlId_));
    g_controlsById[ctlId_] = this;
  }
  HWND wnd = nullptr;
  if (mdiChild) {
    MDICREATESTRUCTA mcs{params.WinClassName.c_str(),
                         params.Caption.c_str(),
                         GetModuleHandleA(nullptr),
                         params.X,
                         params.Y,
                         params.Width,
                         params.Height,
                         params.Style & ~WS_CHILD,
                         0};
    wnd = reinterpret_cast<HWND>(SendMessageA(params.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  } else {
    wnd = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
                          params.Y, params.Width, params.Height, params.WndParent, id, GetModuleHandleA(nullptr),
                          nullptr);
  }
  if (!wnd) {
    if (id) g_controlsById.erase(ctlId_);
    return;
  }
  wnd_ = wnd;
  SetPropA(wnd, kControlProp, this);
  // Own windows and native ones alike run through MainWndProc; the class's
  // procedure becomes the default handler.
  defWndProc_ =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWndProc)));
  if (own) defWndProc_ = mdiChild ? &DefMDIChildProcA : &DefWindowProcA;
  nativeClass_ = !own;
}

void TWinControl::StackAmongSiblings() {
  // Later controls in the parent's list lie above earlier ones, as windowless
  // controls are painted and BringToFront orders them; the system would put
  // each new child window below the others instead.
  if (!Parent()) return;
  const auto& siblings = Parent()->controls_;
  HWND below = HWND_TOP;
  for (auto it = std::find(siblings.begin(), siblings.end(), this); it != siblings.end(); ++it) {
    auto* w = dynamic_cast<TWinControl*>(*it);
    if (w && w != this && w->wnd_) {
      below = w->wnd_;
      break;
    }
  }
  SetWindowPos(wnd_, below, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::CreateChildHandles() {
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->wnd_) w->CreateWnd();
}

void TWinControl::DestroyWnd() {
  if (!wnd_) return;
  HWND wnd = wnd_;
  DestroyWindow(wnd);  // WM_NCDESTROY clears wnd_
  wnd_ = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!wnd_) return;
  // Children windows go with ours; they are made again with it.
  DestroyWnd();
  CreateWnd();
}

LRESULT CALLBACK TWinControl::MainWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* control = FindControl(wnd);
  if (!control) return DefWindowProcA(wnd, msg, wp, lp);
  if (control->IsDestroying() && msg != WM_NCDESTROY) return CallWindowProcA(control->defWndProc_, wnd, msg, wp, lp);
  if (msg == CM_RELEASE) {
    // Freed here, outside its own message procedure.
    GuardWindowsCallback([control] {
      control->BeforeDestruction();
      delete control;
    });
    return 0;
  }
  TMessage m{msg, wp, lp, 0};
  GuardWindowsCallback([&] { control->WindowProc(m); });
  if (msg == WM_NCDESTROY) {
    RemovePropA(wnd, kControlProp);
    if (control->wnd_ == wnd) {
      control->wnd_ = nullptr;
      g_controlsById.erase(control->ctlId_);
    }
  }
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!wnd_) return;
  if (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400) return;
  m.Result = CallWindowProcA(defWndProc_ ? defWndProc_ : &DefWindowProcA, wnd_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::InsertControl(TControl* control) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
  control->parent_ = this;
  controls_.push_back(control);
  control->UpdateAnchorRules();
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (wnd_) w->CreateWnd();
  }
  if (control->parentFont_) control->Perform(CM_PARENTFONTCHANGED);
  if (control->parentColor_) control->Perform(CM_PARENTCOLORCHANGED);
  if (control->parentShowHint_) control->Perform(CM_SHOWHINTCHANGED);
  if (control->parentBiDiMode_) control->Perform(CM_PARENTBIDIMODECHANGED);
  if (control->parentCtl3D_) control->Perform(CM_PARENTCTL3DCHANGED);
  control->Invalidate();
  if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  if (!IsDestroying()) Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
  control->Invalidate();
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    if (w->wnd_ && !IsDestroying()) w->DestroyWnd();
  }
  control->parent_ = nullptr;
  if (control->Align() != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool graphicOnly) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (graphicOnly && dynamic_cast<TWinControl*>(c)) continue;
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

namespace {

// Size of the frame around the client area for a window of these styles.
SIZE NonClientSize(HWND wnd, const TCreateParams* params) {
  if (wnd) {
    RECT w, c;
    GetWindowRect(wnd, &w);
    GetClientRect(wnd, &c);
    return SIZE{(w.right - w.left) - c.right, (w.bottom - w.top) - c.bottom};
  }
  RECT r{0, 0, 100, 100};
  AdjustWindowRectEx(&r, params->Style, FALSE, params->ExStyle);
  return SIZE{r.right - r.left - 100, r.bottom - r.top - 100};
}

}  // namespace

RECT TWinControl::ClientRect() const {
  if (wnd_) {
    RECT r;
    GetClientRect(wnd_, &r);
    return r;
  }
  TCreateParams params;
  const_cast<TWinControl*>(this)->CreateParams(params);
  const SIZE frame = NonClientSize(nullptr, &params);
  return RECT{0, 0, std::max(0L, Width() - frame.cx), std::max(0L, Height() - frame.cy)};
}

void TWinControl::SetClientWidth(int v) {
  TCreateParams params;
  if (!wnd_) CreateParams(params);
  SetWidth(v + NonClientSize(wnd_, &params).cx);
}

void TWinControl::SetClientHeight(int v) {
  TCreateParams params;
  if (!wnd_) CreateParams(params);
  SetHeight(v + NonClientSize(wnd_, &params).cy);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (!wnd_) {
    const SIZE old{Width(), Height()};
    TControl::SetBounds(left, top, width, height);
    if ((old.cx != Width() || old.cy != Height()) && !IsLoading()) AnchorControls();
    return;
  }
  if ((width != Width() || height != Height()) && !CanResize(width, height)) {
    width = Width();
    height = Height();
  }
  ConstrainedResize(width, height);
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  // WM_WINDOWPOSCHANGED stores the new bounds and realigns.
  SetWindowPos(wnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (Align() != alNone) RequestAlign();
}

void TWinControl::Realign() {
  if (aligning_ || IsLoading()) return;
  aligning_ = true;
  RECT r = ClientRect();
  try {
    AnchorControls();
    AlignControls(r);
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

void TWinControl::AlignControls(RECT& r) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : controls_) {
      if (c->Align() != align || !c->Visible()) continue;
      const int w = r.right - r.left, h = r.bottom - r.top;
      switch (align) {
        case alTop:
          c->SetBounds(r.left, r.top, w, c->Height());
          r.top += c->Height();
          break;
        case alBottom:
          c->SetBounds(r.left, r.bottom - c->Height(), w, c->Height());
          r.bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(r.left, r.top, c->Width(), h);
          r.left += c->Width();
          break;
        case alRight:
          c->SetBounds(r.right - c->Width(), r.top, c->Width(), h);
          r.right -= c->Width();
          break;
        default:
          c->SetBounds(r.left, r.top, w, h);
          break;
      }
    }
  }
}

void TWinControl::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (wnd_) EnableWindow(wnd_, enabled);
  TControl::SetEnabled(enabled);
}

void TWinControl::SetVisible(bool visible) {
  if (visible == Visible()) return;
  TControl::SetVisible(visible);
  UpdateShowing();
}

void TWinControl::UpdateShowing() {
  if (!wnd_) return;
  ShowWindow(wnd_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetText(const std::string& text) {
  if (text == Text()) return;
  if (wnd_) SetWindowTextA(wnd_, text.c_str());
  TControl::SetText(text);
}

std::string TWinControl::Text() const {
  if (!wnd_) return TControl::Text();
  const int length = GetWindowTextLengthA(wnd_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(wnd_, text.data(), length + 1)));
  return text;
}

void TWinControl::SetTabStop(bool on) {
  if (on == tabStop_) return;
  tabStop_ = on;
  UpdateWindowStyle();
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  list.erase(std::find(list.begin(), list.end(), this));
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

std::vector<TWinControl*> TWinControl::TabList() const { return tabList_; }

void TWinControl::UpdateWindowStyle() {
  if (!wnd_) return;
  LONG_PTR style = GetWindowLongPtrA(wnd_, GWL_STYLE);
  style = tabStop_ ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
  SetWindowLongPtrA(wnd_, GWL_STYLE, style);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return wnd_ && GetFocus() == wnd_; }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

void TWinControl::Invalidate() {
  if (wnd_) InvalidateRect(wnd_, nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::Update() {
  if (wnd_) UpdateWindow(wnd_);
}

void TWinControl::Repaint() {
  if (!wnd_) return;
  // Children too: a repaint shows the whole control at once.
  RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::ColorChanged() {
  brush_->SetColor(Color());
  NotifyControls(CM_PARENTCOLORCHANGED);
  TControl::ColorChanged();
}

void TWinControl::FontChanged() {
  if (wnd_) SendMessageA(wnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
  NotifyControls(CM_PARENTFONTCHANGED);
  TControl::FontChanged();
}

void TWinControl::NotifyControls(UINT msg) {
  for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(msg);
}

void TWinControl::Broadcast(UINT msg, WPARAM wp, LPARAM lp) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->Perform(msg, wp, lp);
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->Broadcast(msg, wp, lp);
  }
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) { OnKeyDown(this, key, shift); }
void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }
void TWinControl::KeyUp(WORD& key, TShiftState shift) { OnKeyUp(this, key, shift); }
void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    const RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    TSavedDC saved(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + r.left, origin.y + r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::WMPaint(TMessage& m) {
  if (nativeClass_) {
    // A native control paints itself; graphic children are rare on them.
    DefaultHandler(m);
    return;
  }
  if (m.WParam) {
    // Painting into a device context the sender gives (a parent background,
    // a print): no BeginPaint.
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PaintWindow(dc);
    PaintControls(dc);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd_, &ps);
  try {
    PaintWindow(dc);
    PaintControls(dc);
  } catch (...) {
    EndPaint(wnd_, &ps);
    throw;
  }
  EndPaint(wnd_, &ps);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  if (nativeClass_) {
    DefaultHandler(m);
    return;
  }
  if (!ControlStyle().Contains(csOpaque)) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    RECT r = ClientRect();
    ::FillRect(dc, &r, brush_->Handle());
  }
  m.Result = 1;
}

void TWinControl::ShowControl(TControl*) {
  if (Parent()) Parent()->ShowControl(this);
}

// ---------------------------------------------------------------------------
// TCustomControl

KX_PUBLISH(TCustomControl) {}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  static_cast<TControlCanvas*>(canvas_.get())->FreeContext();
  TCanvasOnDC paintOn(*canvas_, dc);
  Paint();
}

}  // namespace kx
