#include "framework/windows/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include "framework/windows/ActnList.h"
#include "framework/windows/ControlsDetail.h"
#include "framework/windows/Menus.h"

namespace kx {
namespace controls_detail {

TControl* g_captureControl = nullptr;
TControl* g_mouseControl = nullptr;

void SetMouseControl(TControl* control) {
  if (control == g_mouseControl) return;
  TControl* old = g_mouseControl;
  g_mouseControl = control;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (control) control->Perform(CM_MOUSEENTER);
  if (ControlHooks().MouseControlChanged) ControlHooks().MouseControlChanged(control);
}

}  // namespace controls_detail

namespace {

std::vector<TControlCanvas*> g_canvasesWithContext;

// Every framework window gets double-click messages; a control without the
// double-click style takes a quick second press as a plain one.
UINT AsPlainPress(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDBLCLK:
      return WM_LBUTTONDOWN;
    case WM_RBUTTONDBLCLK:
      return WM_RBUTTONDOWN;
    case WM_MBUTTONDBLCLK:
      return WM_MBUTTONDOWN;
    default:
      return msg;
  }
}

}  // namespace

using namespace controls_detail;

TControlHooks& ControlHooks() {
  static TControlHooks hooks;
  return hooks;
}

void GuardWindowsCallback(const std::function<void()>& fn) {
  try {
    fn();
  } catch (...) {
    std::exception_ptr error = std::current_exception();
    try {
      if (ControlHooks().HandleException) {
        ControlHooks().HandleException(error);
      } else {
        try {
          std::rethrow_exception(error);
        } catch (const std::exception& e) {
          MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONSTOP);
        }
      }
    } catch (...) {
      // The handler itself failed: nothing more can be shown safely.
    }
  }
}

TShiftState KeyboardState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

// ---------------------------------------------------------------------------
// TSizeConstraints

void TSizeConstraints::Assign(TPersistent* source) {
  if (auto* c = dynamic_cast<TSizeConstraints*>(source)) {
    minWidth_ = c->minWidth_;
    minHeight_ = c->minHeight_;
    maxWidth_ = c->maxWidth_;
    maxHeight_ = c->maxHeight_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TSizeConstraints::Apply(int& width, int& height) const {
  if (maxWidth_ > 0) width = std::min(width, maxWidth_);
  if (maxHeight_ > 0) height = std::min(height, maxHeight_);
  width = std::max(width, minWidth_);
  height = std::max(height, minHeight_);
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner)
    : TComponent(owner), font_(std::make_unique<TFont>()), constraints_(std::make_unique<TSizeConstraints>()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_->OnChange = TNotifyEvent([this](TObject*) {
    if (!settingParentFont_) parentFont_ = false;
    FontChanged();
    Perform(CM_FONTCHANGED);
  });
  constraints_->OnChange = TNotifyEvent([this](TObject*) { SetBounds(left_, top_, width_, height_); });
}

// Out of line: the compiler cannot tell that a watch is unlinked or its
// control freed before the watch goes, and would warn of a dangling pointer.
TControl::TFreedWatch::TFreedWatch(TControl& c) : control(c), outer(c.freedWatch_) { c.freedWatch_ = this; }

TControl::~TControl() {
  for (TFreedWatch* watch = freedWatch_; watch; watch = watch->outer) watch->freed = true;
  if (g_captureControl == this) g_captureControl = nullptr;
  if (g_mouseControl == this) {
    g_mouseControl = nullptr;
    if (ControlHooks().MouseControlChanged) ControlHooks().MouseControlChanged(nullptr);
  }
  SetPopupMenu(nullptr);
  SetAction(nullptr);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  WindowProc(m);
  return m.Result;
}

bool IsAccel(unsigned key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" is a plain ampersand
      continue;
    }
    return toupper(static_cast<unsigned char>(caption[i + 1])) == static_cast<int>(toupper(key & 0xFF));
  }
  return false;
}

bool TControl::CanResize(int& width, int& height) {
  bool resize = true;
  OnCanResize(this, width, height, resize);
  return resize;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if ((width != width_ || height != height_) && !CanResize(width, height)) {
    width = width_;
    height = height_;
  }
  ConstrainedResize(width, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  InvalidateControl(visible_);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  InvalidateControl(visible_);
  UpdateAnchorRules();
  if (align_ != alNone) RequestAlign();
  if (resized) Resize();
}

void TControl::UpdateBoundsRect(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  const bool resized = w != width_ || h != height_;
  left_ = r.left;
  top_ = r.top;
  width_ = w;
  height_ = h;
  UpdateAnchorRules();
  if (resized) {
    if (auto* self = dynamic_cast<TWinControl*>(this)) self->Realign();
    Resize();
  }
}

void TControl::Resize() { OnResize(this); }

POINT TControl::ClientToScreen(POINT p) const {
  if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleAllocated()) {
    ::ClientToScreen(const_cast<TWinControl*>(w)->Handle(), &p);
    return p;
  }
  if (!parent_) return p;
  return parent_->ClientToScreen(POINT{p.x + left_, p.y + top_});
}

POINT TControl::ScreenToClient(POINT p) const {
  if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleAllocated()) {
    ::ScreenToClient(const_cast<TWinControl*>(w)->Handle(), &p);
    return p;
  }
  if (!parent_) return p;
  POINT q = parent_->ScreenToClient(p);
  return POINT{q.x - left_, q.y - top_};
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  InvalidateControl(true);
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible);
  if (align_ != alNone) RequestAlign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
    if (!c->parent_) {
      auto* w = dynamic_cast<const TWinControl*>(c);
      return w && w->HandleAllocated() && IsWindowVisible(const_cast<TWinControl*>(w)->Handle());
    }
  }
  return false;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Perform(CM_TEXTCHANGED);
  Invalidate();
}

void TControl::SetParentFont(bool on) {
  if (on == parentFont_) return;
  parentFont_ = on;
  if (on && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor color) {
  if (color != color_) {
    color_ = color;
    ColorChanged();
    Perform(CM_COLORCHANGED);
  }
  parentColor_ = false;
}

void TControl::SetParentColor(bool on) {
  if (on == parentColor_) return;
  parentColor_ = on;
  if (on && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetShowHint(bool on) {
  showHint_ = on;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED);
  // The controls inside that follow their parent's hints follow this one.
  if (auto* w = dynamic_cast<TWinControl*>(this)) w->Broadcast(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool on) {
  parentShowHint_ = on;
  if (on && parent_) showHint_ = parent_->ShowHint();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == popupMenu_) popupMenu_ = nullptr;
  if (component == static_cast<TComponent*>(action_)) action_ = nullptr;
}

void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }

void TControl::InvalidateControl(bool wasVisible) {
  if (!wasVisible || !parent_ || !parent_->HandleAllocated() || dynamic_cast<TWinControl*>(this)) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, !controlStyle_.Contains(csOpaque));
}

void TControl::Invalidate() { InvalidateControl(visible_); }

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Show() {
  if (Parent()) Parent()->ShowControl(this);
  SetVisible(true);
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::Click() {
  if (!OnClick && action_)
    action_->Execute();
  else
    OnClick(this);
}
void TControl::DblClick() { OnDblClick(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { OnMouseUp(this, button, shift, x, y); }

bool TControl::MouseCapture() const { return g_captureControl == this; }

void TControl::SetMouseCapture(bool on) {
  if (on == MouseCapture()) return;
  if (on) {
    g_captureControl = this;
    TWinControl* owner = dynamic_cast<TWinControl*>(this);
    if (!owner) owner = parent_;
    if (owner && owner->HandleAllocated()) SetCapture(owner->Handle());
  } else {
    g_captureControl = nullptr;
    ReleaseCapture();
  }
}

void TControl::HandleMouseMessage(TMessage& m) {
  // Native behaviour first, then the framework's events.
  DefaultHandler(m);
  if (!enabled_) return;
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  const TShiftState shift = MouseShiftState(m.WParam);
  switch (controlStyle_.Contains(csDoubleClicks) ? m.Msg : AsPlainPress(m.Msg)) {
    case WM_LBUTTONDOWN:
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
      if (controlStyle_.Contains(csClickEvents)) clicked_ = true;
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONDBLCLK: {
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
      TFreedWatch watch(*this);
      DblClick();
      if (!watch.freed) MouseDown(mbLeft, shift + TShiftState{ssDouble}, x, y);
      break;
    }
    case WM_LBUTTONUP: {
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
      // The click comes after the release and before OnMouseUp.
      TFreedWatch watch(*this);
      if (clicked_) {
        clicked_ = false;
        const RECT client = ClientRect();
        if (x >= client.left && x < client.right && y >= client.top && y < client.bottom) Click();
      }
      if (!watch.freed) MouseUp(mbLeft, shift, x, y);
      break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseDown(mbRight, shift, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MouseDown(mbMiddle, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    default:
      break;
  }
}

void TControl::WndProc(TMessage& m) {
  if (IsMouseMessage(m.Msg) && m.Msg != WM_MOUSEWHEEL) {
    HandleMouseMessage(m);
    return;
  }
  switch (m.Msg) {
    case CM_MOUSEENTER:
      OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      OnMouseLeave(this);
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        settingParentFont_ = true;
        font_->Assign(parent_->Font());
        settingParentFont_ = false;
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_) {
        SetColor(parent_->Color());
        parentColor_ = true;
      }
      return;
    case CM_SHOWHINTCHANGED:
      if (parentShowHint_ && parent_) showHint_ = parent_->ShowHint();
      return;
    case CM_PARENTBIDIMODECHANGED:
    case CM_PARENTCTL3DCHANGED:
      InheritMode(m.Msg);
      return;
    case CM_BIDIMODECHANGED:
    case CM_CTL3DCHANGED:
      ModeChanged(m.Msg);
      return;
    default:
      DefaultHandler(m);
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Loaded() {
  TComponent::Loaded();
  if (parent_) {
    if (parentFont_) Perform(CM_PARENTFONTCHANGED);
    if (parentColor_) Perform(CM_PARENTCOLORCHANGED);
    if (parentShowHint_) Perform(CM_SHOWHINTCHANGED);
    if (parentBiDiMode_) Perform(CM_PARENTBIDIMODECHANGED);
    if (parentCtl3D_) Perform(CM_PARENTCTL3DCHANGED);
  }
  if (align_ != alNone) RequestAlign();
}

// ---------------------------------------------------------------------------
// TGraphicControl

KX_PUBLISH(TGraphicControl) {}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    // The parent hands its device context, origin moved to this control.
    static_cast<TControlCanvas*>(canvas_.get())->FreeContext();
    TCanvasOnDC paintOn(*canvas_, reinterpret_cast<HDC>(m.WParam));
    Paint();
    return;
  }
  TControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TControlCanvas

TControlCanvas::~TControlCanvas() { FreeContext(); }

void TControlCanvas::CreateHandle() {
  HWND wnd = nullptr;
  POINT origin{0, 0};
  RECT clip{0, 0, control_.Width(), control_.Height()};
  if (auto* w = dynamic_cast<TWinControl*>(&control_)) {
    wnd = w->Handle();
  } else if (control_.Parent()) {
    wnd = control_.Parent()->Handle();
    origin = POINT{control_.Left(), control_.Top()};
  }
  if (!wnd) return;
  ownDc_ = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  ownWnd_ = wnd;
  SetViewportOrgEx(ownDc_, origin.x, origin.y, nullptr);
  IntersectClipRect(ownDc_, 0, 0, clip.right, clip.bottom);
  SetHandle(ownDc_);
  g_canvasesWithContext.push_back(this);
}

void TControlCanvas::FreeContext() {
  if (!ownDc_) return;
  SetHandle(nullptr);
  ReleaseDC(ownWnd_, ownDc_);
  ownDc_ = nullptr;
  ownWnd_ = nullptr;
  g_canvasesWithContext.erase(std::remove(g_canvasesWithContext.begin(), g_canvasesWithContext.end(), this),
                              g_canvasesWithContext.end());
}

void FreeControlCanvasContexts() {
  while (!g_canvasesWithContext.empty()) g_canvasesWithContext.back()->FreeContext();
}

}  // namespace kx
