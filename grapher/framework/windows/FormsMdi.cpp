// MDI frames and children: the frame's client window, the children's
// windows in it and the default handling both need of the system.
#include "framework/windows/Forms.h"

#include <algorithm>

namespace kx {

namespace {

// Ids of the window-menu entries the client adds for its children.
constexpr UINT kFirstMDIChildId = 0xFF00;

}  // namespace

void TCustomForm::MDIChildParams(TCreateParams& params) {
  TCustomForm* frame = Application->MainForm();
  if (!frame || frame == this || frame->formStyle_ != fsMDIForm)
    throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
  frame->HandleNeeded();
  // The client makes the window (WM_MDICREATE) and gives it its frame.
  params.Style = (params.Style & ~WS_POPUP) | WS_CHILD;
  params.ExStyle |= WS_EX_MDICHILD;
  params.WndParent = frame->clientWnd_;
}

void TCustomForm::CreateMDIClient() {
  CLIENTCREATESTRUCT ccs{nullptr, kFirstMDIChildId};
  const RECT r = ClientRect();
  clientWnd_ =
      CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, r.left,
                      r.top, r.right - r.left, r.bottom - r.top, Handle(), nullptr, GetModuleHandleA(nullptr), &ccs);
  if (!clientWnd_) throw EOutOfResources("Error creating the MDI client of " + ClassName());
  // Below the frame's own controls, which lie over it as over any form.
  SetWindowPos(clientWnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Realign();
}

void TCustomForm::SetMDIClientArea(TWinControl* area) {
  if (area == mdiClientArea_) return;
  if (mdiClientArea_) mdiClientArea_->RemoveFreeNotification(this);
  mdiClientArea_ = area;
  if (area) area->FreeNotification(this);
  Realign();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == mdiClientArea_) {
    mdiClientArea_ = nullptr;
    if (!IsDestroying()) Realign();
  }
}

namespace {

// What the control's aligned children leave of its client area (the
// alClient ones excepted: the MDI client lies over them).
RECT FreeClientRect(const TWinControl& control) {
  RECT r = control.ClientRect();
  for (int i = 0; i < control.ControlCount(); ++i) {
    const TControl* c = control.Controls(i);
    if (!c->Visible()) continue;
    const RECT b = c->BoundsRect();
    switch (c->Align()) {
      case alTop:
        r.top = std::max(r.top, b.bottom);
        break;
      case alBottom:
        r.bottom = std::min(r.bottom, b.top);
        break;
      case alLeft:
        r.left = std::max(r.left, b.right);
        break;
      case alRight:
        r.right = std::min(r.right, b.left);
        break;
      default:
        break;
    }
  }
  r.right = std::max(r.left, r.right);
  r.bottom = std::max(r.top, r.bottom);
  return r;
}

}  // namespace

void TCustomForm::AlignControls(RECT& rect) {
  TWinControl::AlignControls(rect);
  if (!clientWnd_) return;
  if (mdiClientArea_ && mdiClientArea_->HandleAllocated()) {
    // Over the area's free part and above the area, which would hide it.
    RECT r = FreeClientRect(*mdiClientArea_);
    MapWindowPoints(mdiClientArea_->Handle(), Handle(), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(clientWnd_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
    return;
  }
  SetWindowPos(clientWnd_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::DefaultHandler(TMessage& m) {
  const bool frameMessage = clientWnd_ && HandleAllocated() && !(m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400);
  // The frame's own alignment places the client; the system would fill the
  // whole client area with it on WM_SIZE.
  if (frameMessage && m.Msg != WM_SIZE) {
    m.Result = DefFrameProcA(Handle(), clientWnd_, m.Msg, m.WParam, m.LParam);
    return;
  }
  TWinControl::DefaultHandler(m);
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (!clientWnd_) return nullptr;
  auto* active = reinterpret_cast<HWND>(SendMessageA(clientWnd_, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(active));
}

std::vector<TCustomForm*> TCustomForm::MDIChildren() const {
  std::vector<TCustomForm*> children;
  if (!clientWnd_) return children;
  for (HWND w = GetWindow(clientWnd_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(w))) children.push_back(form);
  return children;
}

}  // namespace kx
