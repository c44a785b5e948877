#include "skin/look/KVPublic.h"

#include <utility>

#include "framework/windows/Dialogs.h"

namespace kx {

void PaintParentBackground(TCanvas& canvas, TControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent) return;
  HDC dc = canvas.Handle();
  TSavedDC saved(dc);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - control.Left(), origin.y - control.Top(), nullptr);
  IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
  // Straight to the parent's message procedure: no paint cycle, no BeginPaint.
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void TilePicture(TCanvas& canvas, TPicture& picture, const RECT& rect) {
  const int pw = picture.Width(), ph = picture.Height();
  if (pw <= 0 || ph <= 0) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  for (int x = 0; x < pw + w; x += pw)
    for (int y = 0; y < ph + h; y += ph) canvas.Draw(x, y, picture.Graphic());
}

bool IsPointInRect(POINT point, const RECT& rect) { return IsPointInRectXY(point.x, point.y, rect); }

bool IsPointInRectXY(int x, int y, const RECT& rect) {
  return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
}

RECT QueryDesktopWorkArea() {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

void MoveControlTo(TControl& control, POINT point) {
  control.SetLeft(point.x);
  control.SetTop(point.y);
}

void SetControlRect(TControl& control, const RECT& rect) {
  control.SetLeft(rect.left);
  control.SetTop(rect.top);
  control.SetWidth(rect.right - rect.left);
  control.SetHeight(rect.bottom - rect.top);
}

void FrameControlWindow(TWinControl& control, TColor borderColor, TColor innerColor) {
  HWND wnd = control.Handle();
  RECT r{};
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  TGdiHandle<HBRUSH> border(CreateSolidBrush(ColorToRGB(borderColor)));
  TGdiHandle<HBRUSH> inner(CreateSolidBrush(ColorToRGB(innerColor)));
  HDC dc = GetWindowDC(wnd);
  FrameRect(dc, &r, border.Get());
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, inner.Get());
  ReleaseDC(wnd, dc);
}

namespace {

// Turns a W x H bitmap into H x W; `to` maps a source pixel to its place.
template <class Place>
void Rotate(TBitmap& bitmap, Place to) {
  const int w = bitmap.Width(), h = bitmap.Height();
  TBitmap turned;
  turned.SetSize(h, w);
  TCanvas& from = *bitmap.Canvas();
  TCanvas& into = *turned.Canvas();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const POINT p = to(x, y, w, h);
      into.SetPixel(p.x, p.y, from.Pixel(x, y));
    }
  bitmap.SetHeight(w);
  bitmap.SetWidth(h);
  bitmap.Canvas()->Draw(0, 0, &turned);
}

// True while a window of this process is the foreground window.
bool ApplicationActive() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId();
}

}  // namespace

void RotateBitmapCounterClockwise(TBitmap& bitmap) {
  Rotate(bitmap, [](int x, int y, int w, int) { return POINT{y, w - 1 - x}; });
}

void RotateBitmapClockwise(TBitmap& bitmap) {
  Rotate(bitmap, [](int x, int y, int, int h) { return POINT{h - 1 - y, x}; });
}

bool IsFormActive(TCustomForm* form) {
  if (!ApplicationActive()) return false;
  if (!form || (Application && form == Application->MainForm())) return true;
  if (!form->HandleAllocated()) return false;
  // Inside an MDI frame the active window is the frame; the client knows
  // which child is active.
  if (TCustomForm* frame = Application ? Application->MainForm() : nullptr;
      frame && frame->FormStyle() == fsMDIForm && frame->ClientHandle() &&
      reinterpret_cast<HWND>(SendMessageA(frame->ClientHandle(), WM_MDIGETACTIVE, 0, 0)) == form->Handle())
    return true;
  return GetActiveWindow() == form->Handle();
}

namespace {

TSkinErrorSink& ErrorSink() {
  static TSkinErrorSink sink;
  return sink;
}

}  // namespace

void ShowSkinError(const std::string& text) {
  if (ErrorSink())
    ErrorSink()(text);
  else
    ShowMessageBox(nullptr, text, "Error", MB_OK | MB_ICONERROR);
}

TSkinErrorSink SetSkinErrorSink(TSkinErrorSink sink) { return std::exchange(ErrorSink(), std::move(sink)); }

}  // namespace kx
