#include "Forms.h"

#include <algorithm>

namespace kx {
namespace {

constexpr UINT CM_ACTIVATEFORM = CM_BASE + 0x100;
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

// The part of a hint before "|" is the one shown.
std::string ShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

bool EffectiveShowHint(const TControl* c) {
  return c->ShowHint() && !c->Hint().empty();
}

int CALLBACK AddFontName(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
  auto* names = reinterpret_cast<TStringList*>(list);
  try {
    if (font->lfFaceName[0] != '@' && names->IndexOf(font->lfFaceName) < 0) names->Add(font->lfFaceName);
    return 1;
  } catch (...) {
    return 0;  // out of memory: stop the enumeration with what there is
  }
}

}  // namespace

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

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

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {
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
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
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
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
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
  ShowWindow(Handle(), state == wsMaximized ? SW_MAXIMIZE
                       : state == wsMinimized ? SW_MINIMIZE
                                              : SW_RESTORE);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  if (control && GetParentForm(control) != this)
    throw EInvalidOperation("Invalid active control");
  activeControl_ = control;
  if (control && HandleAllocated() && GetActiveWindow() == Handle() && control->CanFocus() &&
      !control->Focused())
    control->SetFocus();
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::CenterOn(const RECT& area) {
  SetBounds(area.left + ((area.right - area.left) - Width()) / 2,
            area.top + ((area.bottom - area.top) - Height()) / 2, Width(), Height());
}

void TCustomForm::ApplyPosition() {
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      CenterOn(Screen->WorkAreaRect());
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* other = position_ == poMainFormCenter ? Application->MainForm()
                                                         : dynamic_cast<TCustomForm*>(Owner());
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
    ShowWindow(Handle(), windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                         : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                       : SW_SHOW);
    if (formStyle_ == fsStayOnTop)
      SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (activeControl_ && activeControl_->CanFocus()) activeControl_->SetFocus();
  } else {
    OnHide(this);
    TControl::SetVisible(false);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) SetForegroundWindow(Handle());
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || modal_)
    throw EInvalidOperation("Cannot make a visible window modal");
  if (GetCapture()) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  Application->CancelHint();
  modal_ = true;
  HWND before = GetActiveWindow();
  // Every other window of the program waits while this one is up.
  std::vector<HWND> disabled;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f != this && f->HandleAllocated() && IsWindowVisible(f->Handle()) &&
        IsWindowEnabled(f->Handle())) {
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
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
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
    case WM_SYSCOMMAND:
      if ((m.WParam & 0xFFF0) == SC_MAXIMIZE) windowState_ = wsMaximized;
      else if ((m.WParam & 0xFFF0) == SC_RESTORE) windowState_ = wsNormal;
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

KX_PUBLISH(TForm) {}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

// ---------------------------------------------------------------------------
// THintWindow

KX_PUBLISH(THintWindow) {}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  TControl::SetVisible(false);
  SetColor(clInfoBk);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.WndParent = Application->Handle();
}

void THintWindow::ActivateHint(POINT pos, const std::string& text) {
  SetColor(Application->HintColor());
  Font()->Assign(Screen->HintFont());
  SetText(text);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, Font()->Handle());
  RECT r{0, 0, 300, 0};
  DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  const int w = r.right + 6 + 2, h = r.bottom + 4 + 2;
  const RECT work = Screen->WorkAreaRect();
  pos.x = std::min<long>(pos.x, work.right - w);
  pos.y = std::min<long>(pos.y, work.bottom - h);
  HWND wnd = Handle();
  SetWindowTextA(wnd, text.c_str());
  SetBounds(pos.x, pos.y, w, h);
  SetWindowPos(wnd, HWND_TOPMOST, pos.x, pos.y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  TControl::SetVisible(true);
  InvalidateRect(wnd, nullptr, TRUE);
}

void THintWindow::ReleaseHandle() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  TControl::SetVisible(false);
}

void THintWindow::Paint() {
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  c->Font()->Assign(Font());
  r.left += 2;
  r.top += 2;
  c->Brush()->SetStyle(bsClear);
  c->TextRect(r, Caption(), DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------
// TApplication

KX_PUBLISH(TApplication) {}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  ControlHooks().HandleException = [this](std::exception_ptr e) { HandleException(e); };
  ControlHooks().MouseControlChanged = [this](TControl* c) { MouseControlChanged(c); };
  ControlHooks().FocusReceived = [](TWinControl* c) {
    if (TCustomForm* form = GetParentForm(c); form && form != c) form->SetActiveControl(c);
  };
}

TApplication::~TApplication() {
  hintWindow_.reset();
  if (wnd_) DestroyWindow(wnd_);
}

void TApplication::Initialize() {
  if (wnd_) return;
  static const char kClass[] = "TApplication";
  WNDCLASSA cls{};
  cls.lpfnWndProc = &TApplication::WndProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.hIcon = LoadIconA(cls.hInstance, "MAINICON");
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.lpszClassName = kClass;
  RegisterClassA(&cls);
  // A window of no size that stands for the program (its title is the
  // application title; activating it brings the program's forms forward).
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  wnd_ = CreateWindowExA(0, kClass, title_.c_str(),
                         WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
                         0, 0, nullptr, nullptr, cls.hInstance, nullptr);
  SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ShowWindow(wnd_, SW_SHOWNOACTIVATE);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (wnd_) SetWindowTextA(wnd_, title.c_str());
}

LRESULT CALLBACK TApplication::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (!app) return DefWindowProcA(wnd, msg, wp, lp);
  switch (msg) {
    case WM_SETFOCUS:
      // The program was brought forward through this window: hand the
      // activation to the form the user works in.
      PostMessageA(wnd, CM_ACTIVATEFORM, 0, 0);
      break;
    case CM_ACTIVATEFORM:
      GuardWindowsCallback([app] { app->ActivateTopForm(); });
      return 0;
    case WM_CLOSE:
      if (app->mainForm_) {
        GuardWindowsCallback([app] { app->mainForm_->Close(); });
        return 0;
      }
      break;
    case WM_TIMER:
      GuardWindowsCallback([app, wp, wnd] {
        KillTimer(wnd, wp);
        if (wp == kHintShowTimer) app->ShowHintNow();
        if (wp == kHintHideTimer) app->CancelHint();
      });
      return 0;
    default:
      break;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

void TApplication::ActivateTopForm() {
  if (GetFocus() != wnd_ && GetActiveWindow() != wnd_) return;
  // A modal form first, then the active form, then the main form.
  TCustomForm* target = nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i)->Modal() && Screen->Forms(i)->Visible()) target = Screen->Forms(i);
  if (!target && Screen->ActiveForm() && Screen->ActiveForm()->Visible()) target = Screen->ActiveForm();
  if (!target && mainForm_ && mainForm_->Visible()) target = mainForm_;
  if (!target || !target->HandleAllocated()) return;
  if (IsIconic(target->Handle())) ShowWindow(target->Handle(), SW_RESTORE);
  SetForegroundWindow(target->Handle());
  SetActiveWindow(target->Handle());
}

void TApplication::Run() {
  if (!wnd_) Initialize();
  if (mainForm_) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  TCustomForm* form = control ? GetParentForm(control) : nullptr;
  return form && form->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  GuardWindowsCallback([&] {
    OnMessage(msg, handled);
    if (!handled) handled = IsKeyMsg(msg);
  });
  if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MBUTTONDBLCLK) CancelHint();
  if (!handled) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) {
    Idle();
    WaitMessage();
  }
}

void TApplication::Idle() { FreeControlCanvasContexts(); }

void TApplication::HandleException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    // A silent exception: the action was abandoned on purpose.
  } catch (const std::exception& e) {
    if (OnException) {
      OnException(this, e);
    } else {
      ShowException(e.what());
    }
  } catch (...) {
    ShowException("Unknown error");
  }
}

void TApplication::ShowException(const std::string& message) {
  std::string text = message;
  if (!text.empty() && text.back() != '.') text += '.';
  HWND owner = GetActiveWindow();
  MessageBoxA(owner, text.c_str(), title_.empty() ? "Error" : title_.c_str(),
              MB_OK | MB_ICONSTOP);
}

void TApplication::SetShowHint(bool on) {
  showHint_ = on;
  if (!on) CancelHint();
}

THintWindow* TApplication::HintWindow() const {
  return hintWindow_ && hintWindow_->Visible() ? hintWindow_.get() : nullptr;
}

void TApplication::CancelHint() {
  if (wnd_) {
    KillTimer(wnd_, kHintShowTimer);
    KillTimer(wnd_, kHintHideTimer);
  }
  if (hintWindow_) hintWindow_->ReleaseHandle();
}

void TApplication::MouseControlChanged(TControl* control) {
  if (control == hintControl_) return;
  hintControl_ = control;
  CancelHint();
  if (!showHint_ || !control || !EffectiveShowHint(control) || !wnd_) return;
  SetTimer(wnd_, kHintShowTimer, static_cast<UINT>(std::max(hintPause_, 1)), nullptr);
}

void TApplication::ShowHintNow() {
  if (!hintControl_ || !EffectiveShowHint(hintControl_)) return;
  if (!hintWindow_) hintWindow_ = std::make_unique<THintWindow>(nullptr);
  POINT cursor;
  GetCursorPos(&cursor);
  hintWindow_->ActivateHint(POINT{cursor.x, cursor.y + 20}, ShortHint(hintControl_->Hint()));
  if (hintHidePause_ > 0 && hintHidePause_ < 0x7FFFFFFF)
    SetTimer(wnd_, kHintHideTimer, static_cast<UINT>(hintHidePause_), nullptr);
}

// ---------------------------------------------------------------------------
// TScreen

KX_PUBLISH(TScreen) {}

TScreen::TScreen(TComponent* owner) : TComponent(owner), hintFont_(std::make_unique<TFont>()) {
  hintFont_->SetColor(clInfoText);
}

TScreen::~TScreen() = default;

RECT TScreen::WorkAreaRect() const {
  RECT r{0, 0, Width(), Height()};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

int TScreen::WorkAreaWidth() const {
  const RECT r = WorkAreaRect();
  return r.right - r.left;
}

int TScreen::WorkAreaHeight() const {
  const RECT r = WorkAreaRect();
  return r.bottom - r.top;
}

TCursor TScreen::Cursor() const { return ControlHooks().ScreenCursor; }

void TScreen::SetCursor(TCursor cursor) {
  ControlHooks().ScreenCursor = cursor;
  ::SetCursor(LoadCursor(nullptr, MAKEINTRESOURCE(cursor == crDefault ? 32512 : cursor)));
}

TStrings* TScreen::Fonts() {
  if (!fonts_) {
    fonts_ = std::make_unique<TStringList>();
    HDC dc = GetDC(nullptr);
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &lf, &AddFontName, reinterpret_cast<LPARAM>(fonts_.get()), 0);
    ReleaseDC(nullptr, dc);
    fonts_->Sort();
  }
  return fonts_.get();
}

}  // namespace kx
