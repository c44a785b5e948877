// The application, its hint window and the screen.
#include "framework/windows/Forms.h"

#include <algorithm>

namespace kx {
namespace {

constexpr UINT CM_ACTIVATEFORM = CM_BASE + 0x100;
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

// The part of a hint before "|" is the one shown.
std::string ShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

bool EffectiveShowHint(const TControl* c) { return c->ShowHint() && !c->Hint().empty(); }

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
  wnd_ =
      CreateWindowExA(0, kClass, title_.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                      x, y, 0, 0, nullptr, nullptr, cls.hInstance, nullptr);
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
  MessageBoxA(owner, text.c_str(), title_.empty() ? "Error" : title_.c_str(), MB_OK | MB_ICONSTOP);
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
