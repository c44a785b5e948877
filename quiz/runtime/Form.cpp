#include "runtime/Form.h"

#include <algorithm>
#include <stdexcept>

#include "runtime/App.h"
#include "runtime/Controls.h"

namespace tq {

namespace {

constexpr wchar_t FormClass[] = L"TessaroForm";

int ScreenDpi(int index) {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, index) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

void RegisterFormClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW cls{};
  cls.style = CS_DBLCLKS;
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = App::Get().Instance();
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hIcon = LoadIconW(App::Get().Instance(), L"MAINICON");
  cls.lpszClassName = FormClass;
  registered = RegisterClassW(&cls) != 0;
}

}  // namespace

int TwipsPerPixelX() { return 1440 / ScreenDpi(LOGPIXELSX); }
int TwipsPerPixelY() { return 1440 / ScreenDpi(LOGPIXELSY); }
int PixelsFromTwipsX(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSX), 1440); }
int PixelsFromTwipsY(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSY), 1440); }

Form::Form(std::wstring caption, int widthTwips, int heightTwips)
    : caption_(std::move(caption)), width_(widthTwips), height_(heightTwips), backColor_(GetSysColor(COLOR_BTNFACE)) {}

Form::~Form() {
  if (wnd_) Destroy();
}

Form* Form::FromWindow(HWND wnd) {
  if (!wnd) return nullptr;
  wchar_t cls[32];
  if (!GetClassNameW(wnd, cls, 32) || std::wstring_view(cls) != FormClass) return nullptr;
  return reinterpret_cast<Form*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
}

void Form::Load() {
  RegisterFormClass();
  const int width = PixelsFromTwipsX(width_);
  const int height = PixelsFromTwipsY(height_);
  int left = PixelsFromTwipsX(left_);
  int top = PixelsFromTwipsY(top_);
  if (left_ < 0 || top_ < 0) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    left = std::max<int>(work.left, work.left + (work.right - work.left - width) / 2);
    top = std::max<int>(work.top, work.top + (work.bottom - work.top - height) / 2);
  }
  HWND wnd = CreateWindowExW(WS_EX_CONTROLPARENT, FormClass, caption_.c_str(),
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, left, top,
                             width, height, nullptr, nullptr, App::Get().Instance(), nullptr);
  if (!wnd) throw std::runtime_error("cannot make a window");
  wnd_ = wnd;
  SetWindowLongPtrW(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(wnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
  App::Get().FormLoaded(this);
  try {
    brush_ = CreateSolidBrush(backColor_);
    font_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    CreateControls();
    if (!menu_.Empty()) {
      SetMenu(wnd_, menu_.TakeBar());
      // The client area keeps its size; the bar comes on top.
      SetWindowPos(wnd_, nullptr, 0, 0, width, height + GetSystemMetrics(SM_CYMENU), SWP_NOMOVE | SWP_NOZORDER);
    }
    Form_Load();
  } catch (...) {
    // A screen that could not load leaves no window behind: one never shown
    // would keep the program running with nothing on the screen.
    if (wnd_) Destroy();
    throw;
  }
}

void Form::Show() {
  if (!wnd_) Load();  // throws, with the screen unloaded again, when loading fails
  if (!wnd_) return;  // Form_Load unloaded the screen again
  ShowWindow(wnd_, SW_SHOW);
  SetForegroundWindow(wnd_);
}

void Form::Hide() {
  if (wnd_) ShowWindow(wnd_, SW_HIDE);
}

bool Form::Unload() {
  if (!wnd_) return true;
  if (unloading_) return false;
  unloading_ = true;
  bool cancel = false;
  try {
    Form_Unload(cancel);
  } catch (...) {
    unloading_ = false;
    throw;
  }
  unloading_ = false;
  if (cancel) return false;
  Destroy();
  return true;
}

void Form::Destroy() {
  for (Timer* timer : std::vector<Timer*>(timers_)) timer->Detach();
  HWND wnd = wnd_;
  wnd_ = nullptr;
  SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
  DestroyWindow(wnd);
  for (Control* control : std::vector<Control*>(controls_)) control->Detach();
  controls_.clear();
  timers_.clear();
  menu_.Clear();
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
  if (font_) DeleteObject(font_);
  font_ = nullptr;
  App::Get().FormUnloaded(this);
}

void Form::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  if (wnd_) SetWindowTextW(wnd_, caption_.c_str());
}

void Form::SetBackColor(COLORREF color) {
  backColor_ = color;
  if (!wnd_) return;
  if (brush_) DeleteObject(brush_);
  brush_ = CreateSolidBrush(color);
  InvalidateRect(wnd_, nullptr, TRUE);
}

void Form::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!wnd_) return;
  int barHeight = GetMenu(wnd_) ? GetSystemMetrics(SM_CYMENU) : 0;
  MoveWindow(wnd_, PixelsFromTwipsX(left), PixelsFromTwipsY(top), PixelsFromTwipsX(width),
             PixelsFromTwipsY(height) + barHeight, TRUE);
}

void Form::SetMenuBar(const std::vector<MenuItem>& items) { menu_.Build(items); }

void Form::SetMenuEnabled(const std::wstring& name, bool enabled) {
  menu_.SetEnabled(name, enabled);
  if (wnd_) DrawMenuBar(wnd_);
}

void Form::SetMenuCaption(const std::wstring& name, const std::wstring& caption) {
  menu_.SetCaption(name, caption);
  if (wnd_) DrawMenuBar(wnd_);
}

void Form::ClickMenu(const std::wstring& name) {
  if (const UINT id = menu_.CommandId(name); wnd_ && id) SendMessageW(wnd_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool Form::TranslateShortcut(MSG& msg) {
  return wnd_ && menu_.Shortcuts() && TranslateAcceleratorW(wnd_, menu_.Shortcuts(), &msg);
}

void Form::Attach(Control* control) { controls_.push_back(control); }
void Form::Attach(Timer* timer) { timers_.push_back(timer); }
void Form::Forget(Control* control) { std::erase(controls_, control); }
void Form::Forget(Timer* timer) { std::erase(timers_, timer); }

Control* Form::ControlOf(HWND wnd) const {
  for (Control* control : controls_) {
    if (control->Hwnd() == wnd) return control;
  }
  return nullptr;
}

LRESULT CALLBACK Form::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(wnd, msg, wp, lp);
  try {
    return form->Handle(msg, wp, lp);
  } catch (...) {
    App::Get().HandleException();
    return 0;
  }
}

LRESULT Form::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  HWND wnd = wnd_;
  switch (msg) {
    case WM_CLOSE:
      Unload();
      return 0;
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(wnd, &area);
      FillRect(reinterpret_cast<HDC>(wp), &area, brush_);
      return 1;
    }
    case WM_COMMAND:
      if (lp) {
        if (Control* control = ControlOf(reinterpret_cast<HWND>(lp))) control->Command(HIWORD(wp));
      } else if (HIWORD(wp) <= 1) {
        menu_.Command(LOWORD(wp));
      }
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lp);
      if (Control* control = ControlOf(header->hwndFrom)) control->Notify(header);
      return 0;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (Control* control = ControlOf(item->hwndItem)) control->DrawItem(*item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(wp);
      if (Control* control = ControlOf(reinterpret_cast<HWND>(lp))) {
        if (HBRUSH brush = control->ColorFor(dc)) return reinterpret_cast<LRESULT>(brush);
      }
      // Labels and boxes without a colour of their own take the screen's.
      if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
        SetBkColor(dc, backColor_);
        return reinterpret_cast<LRESULT>(brush_);
      }
      break;
    }
    case WM_TIMER:
      for (Timer* timer : timers_) {
        if (reinterpret_cast<UINT_PTR>(timer) == wp) {
          timer->Tick();
          break;
        }
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace tq
