// Forms: TCustomForm and TForm.
#include "framework/windows/Forms.h"

#include <algorithm>

namespace kx {

TCustomForm* GetParentForm(const TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

// ---------------------------------------------------------------------------
// TCustomForm

KX_PUBLISH(TCustomForm) {
  p.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  p.Property("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll);
  p.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons);
  p.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle);
  p.Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
  p.Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
  p.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle);
  p.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview);
  p.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition);
  p.Property("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled);
  p.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState);
  p.Field("OnActivate", &TCustomForm::OnActivate);
  p.Field("OnClose", &TCustomForm::OnClose);
  p.Field("OnCloseQuery", &TCustomForm::OnCloseQuery);
  p.Field("OnCreate", &TCustomForm::OnCreate);
  p.Field("OnDeactivate", &TCustomForm::OnDeactivate);
  p.Field("OnDestroy", &TCustomForm::OnDestroy);
  p.Field("OnHide", &TCustomForm::OnHide);
  p.Field("OnPaint", &TCustomForm::OnPaint);
  p.Field("OnShow", &TCustomForm::OnShow);
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {
  TControl::SetVisible(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  BeforeDestruction();
  auto& forms = Screen->forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (Screen->activeForm_ == this) Screen->activeForm_ = nullptr;
  if (Application->MainForm() == this) Application->Terminate();
}

void TCustomForm::BeforeDestruction() {
  if (!created_ || destroyRaised_) return;
  destroyRaised_ = true;
  GuardWindowsCallback([this] { OnDestroy(this); });
}

void TCustomForm::AfterConstruction() {
  created_ = true;
  OnCreate(this);
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.ExStyle = 0;
  switch (borderStyle_) {
    case bsNone:
      params.Style |= WS_POPUP;
      break;
    case bsSingle:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      params.Style |= WS_CAPTION;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
    params.Style |= WS_SYSMENU;
    if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
      if (borderIcons_.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
      if (borderIcons_.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  // Forms belong to the application window: it stands for the program.
  if (!Application->Handle()) Application->Initialize();
  params.WndParent = Application->Handle();
  if (formStyle_ == fsMDIChild) MDIChildParams(params);
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (formStyle_ == fsMDIForm && !clientWnd_) CreateMDIClient();
  if (windowState_ == wsMaximized && Visible()) ShowWindow(Handle(), SW_MAXIMIZE);
}

void TCustomForm::ApplyFrameStyle() {
  if (!HandleAllocated()) return;
  TCreateParams params;
  CreateParams(params);
  const LONG_PTR keep = GetWindowLongPtrA(Handle(), GWL_STYLE) & (WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
  SetWindowLongPtrA(Handle(), GWL_STYLE, static_cast<LONG_PTR>(params.Style) | keep);
  SetWindowLongPtrA(Handle(), GWL_EXSTYLE, params.ExStyle);
  SetWindowPos(Handle(), formStyle_ == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  ApplyFrameStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  ApplyFrameStyle();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_) return;
  formStyle_ = style;
  ApplyFrameStyle();
}

TWindowState TCustomForm::WindowState() const {
  if (auto* self = const_cast<TCustomForm*>(this); self->HandleAllocated()) {
    if (IsZoomed(self->Handle())) return wsMaximized;
    if (IsIconic(self->Handle())) return wsMinimized;
    if (IsWindowVisible(self->Handle())) return wsNormal;
  }
  return windowState_;
}

void TCustomForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (!HandleAllocated() || !Visible()) return;
  if (formStyle_ == fsMDIChild && state != wsMinimized) {
    // The client keeps its children's maximised state in step with its menu.
    SendMessageA(GetParent(Handle()), state == wsMaximized ? WM_MDIMAXIMIZE : WM_MDIRESTORE,
                 reinterpret_cast<WPARAM>(Handle()), 0);
    return;
  }
  ShowWindow(Handle(), state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  if (control && GetParentForm(control) != this) throw EInvalidOperation("Invalid active control");
  activeControl_ = control;
  if (control && HandleAllocated() && GetActiveWindow() == Handle() && control->CanFocus() && !control->Focused())
    control->SetFocus();
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::CenterOn(const RECT& area) {
  SetBounds(area.left + ((area.right - area.left) - Width()) / 2, area.top + ((area.bottom - area.top) - Height()) / 2,
            Width(), Height());
}

void TCustomForm::ApplyPosition() {
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      CenterOn(Screen->WorkAreaRect());
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* other =
          position_ == poMainFormCenter ? Application->MainForm() : dynamic_cast<TCustomForm*>(Owner());
      if (other && other != this && other->Visible())
        CenterOn(other->BoundsRect());
      else
        CenterOn(Screen->WorkAreaRect());
      break;
    }
    default:
      break;
  }
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  // A form resource that says Visible shows the form once it is complete.
  if (Visible() && !HandleAllocated()) {
    TControl::SetVisible(false);
    SetVisible(true);
  }
}

void TCustomForm::SetVisible(bool visible) {
  if (IsLoading()) {
    TControl::SetVisible(visible);
    return;
  }
  if (visible == Visible()) {
    if (visible && HandleAllocated()) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return;
  }
  if (visible) {
    if (!shownOnce_) {
      shownOnce_ = true;
      ApplyPosition();
    }
    TControl::SetVisible(true);
    HandleNeeded();
    OnShow(this);
    ShowWindow(Handle(), windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
                         : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                       : SW_SHOW);
    if (formStyle_ == fsStayOnTop) SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (formStyle_ == fsMDIChild)
      SendMessageA(GetParent(Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
    if (activeControl_ && activeControl_->CanFocus())
      activeControl_->SetFocus();
    else if (GetActiveWindow() == Handle())
      SelectNext(nullptr, true);  // typing goes to the first field at once
  } else {
    OnHide(this);
    TControl::SetVisible(false);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  // A child comes forward inside its frame, the frame on the desktop.
  if (HandleAllocated()) SetForegroundWindow(formStyle_ == fsMDIChild ? GetAncestor(Handle(), GA_ROOT) : Handle());
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
  if (GetCapture()) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  Application->CancelHint();
  modal_ = true;
  HWND before = GetActiveWindow();
  // Every other window of the program waits while this one is up.
  std::vector<HWND> disabled;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f != this && f->HandleAllocated() && IsWindowVisible(f->Handle()) && IsWindowEnabled(f->Handle())) {
      EnableWindow(f->Handle(), FALSE);
      disabled.push_back(f->Handle());
    }
  }
  modalResult_ = mrNone;
  try {
    Show();
    do {
      Application->HandleMessage();
      if (Application->Terminated()) {
        modalResult_ = mrCancel;
      } else if (modalResult_ != mrNone) {
        TCloseAction action = caHide;
        if (CloseQuery()) {
          DoClose(action);
        } else {
          action = caNone;
        }
        if (action == caNone) modalResult_ = mrNone;
      }
    } while (modalResult_ == mrNone);
  } catch (...) {
    for (HWND w : disabled) EnableWindow(w, TRUE);
    modal_ = false;
    throw;
  }
  for (HWND w : disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  Hide();
  if (before && IsWindow(before)) SetActiveWindow(before);
  modal_ = false;
  return modalResult_;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) { OnClose(this, action); }

void TCustomForm::Close() {
  if (modal_) {
    // Closing a modal form answers Cancel.
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    case caFree:
      Release();
      break;
    default:
      break;
  }
}

void TCustomForm::Release() {
  // A form never shown gets its window here, so that it is freed all the same.
  PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

namespace {

void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out) {
  for (TWinControl* c : parent->TabList()) {
    if (c->TabStop()) out.push_back(c);
    CollectTabStops(c, out);
  }
}

}  // namespace

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> order;
  CollectTabStops(this, order);
  if (order.empty()) return;
  const int n = static_cast<int>(order.size());
  int start = static_cast<int>(std::find(order.begin(), order.end(), current) - order.begin());
  if (start == n) start = forward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    const int i = ((start + (forward ? step : -step)) % n + n) % n;
    if (order[i]->CanFocus()) {
      order[i]->SetFocus();
      return;
    }
  }
}

void TCustomForm::PaintWindow(HDC dc) {
  static_cast<TControlCanvas*>(canvas_.get())->FreeContext();
  TCanvasOnDC paintOn(*canvas_, dc);
  Paint();
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_FOCUSCHANGED:
      Broadcast(CM_FOCUSCHANGED, m.WParam, m.LParam);
      return;
    case CM_DIALOGKEY:
      if (m.WParam == VK_TAB && !(KeyboardState().Contains(ssCtrl) || KeyboardState().Contains(ssAlt))) {
        SelectNext(activeControl_, !KeyboardState().Contains(ssShift));
        m.Result = 1;
      }
      return;
    case WM_GETMINMAXINFO: {
      DefaultHandler(m);
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      const TSizeConstraints* c = Constraints();
      if (c->MinWidth() > 0) info->ptMinTrackSize.x = c->MinWidth();
      if (c->MinHeight() > 0) info->ptMinTrackSize.y = c->MinHeight();
      if (c->MaxWidth() > 0) info->ptMaxTrackSize.x = c->MaxWidth();
      if (c->MaxHeight() > 0) info->ptMaxTrackSize.y = c->MaxHeight();
      return;
    }
    case WM_ACTIVATE:
      DefaultHandler(m);
      if (LOWORD(m.WParam) != WA_INACTIVE) {
        Screen->activeForm_ = this;
        if (activeControl_ && activeControl_->CanFocus() && !activeControl_->Focused())
          ::SetFocus(activeControl_->Handle());
        OnActivate(this);
      } else {
        OnDeactivate(this);
      }
      return;
    case WM_DESTROY:
      clientWnd_ = nullptr;  // it goes with the frame's window
      break;
    case WM_SYSCOMMAND:
      if ((m.WParam & 0xFFF0) == SC_MAXIMIZE)
        windowState_ = wsMaximized;
      else if ((m.WParam & 0xFFF0) == SC_RESTORE)
        windowState_ = wsNormal;
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

KX_PUBLISH(TForm) {}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

}  // namespace kx
