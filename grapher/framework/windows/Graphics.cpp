#include "framework/windows/Graphics.h"

namespace kx {

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

// ---------------------------------------------------------------------------
// TGraphicsObject, TFont, TPen, TBrush

KX_PUBLISH(TGraphicsObject) {}

void TGraphicsObject::Changed() { OnChange(this); }

KX_PUBLISH(TFont) {
  p.Property("Charset", &TFont::Charset, &TFont::SetCharset);
  p.Color("Color", &TFont::Color, &TFont::SetColor);
  p.Property("Height", &TFont::Height, &TFont::SetHeight);
  p.Property("Name", &TFont::Name, &TFont::SetName);
  p.Property("Pitch", &TFont::Pitch, &TFont::SetPitch);
  p.Property("Size", &TFont::Size, &TFont::SetSize);
  p.Property("Style", &TFont::Style, &TFont::SetStyle);
}

TFont::TFont() = default;

void TFont::Assign(TPersistent* source) {
  if (auto* f = dynamic_cast<TFont*>(source)) {
    name_ = f->name_;
    height_ = f->height_;
    color_ = f->color_;
    style_ = f->style_;
    charset_ = f->charset_;
    pitch_ = f->pitch_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TFont::Changed() {
  handle_.Reset();
  TGraphicsObject::Changed();
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == name_) return;
  name_ = name;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }

void TFont::SetHeight(int pixels) {
  if (pixels == height_) return;
  height_ = pixels;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  // The colour is not part of the GDI font: keep the handle.
  TGraphicsObject::Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetCharset(uint8_t charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = charset_;
    lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.Reset(CreateFontIndirectA(&lf));
  }
  return handle_.Get();
}

KX_PUBLISH(TPen) {
  p.Color("Color", &TPen::Color, &TPen::SetColor);
  p.Property("Mode", &TPen::Mode, &TPen::SetMode);
  p.Property("Style", &TPen::Style, &TPen::SetStyle);
  p.Property("Width", &TPen::Width, &TPen::SetWidth);
}

void TPen::Assign(TPersistent* source) {
  if (auto* pen = dynamic_cast<TPen*>(source)) {
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TPen::Changed() {
  handle_.Reset();
  TGraphicsObject::Changed();
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width < 0 || width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  TGraphicsObject::Changed();
}

int TPen::Rop2() const {
  static constexpr int kRop[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                 R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                 R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                 R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  return kRop[mode_];
}

HPEN TPen::Handle() const {
  if (!handle_) {
    static constexpr int kStyle[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    handle_.Reset(CreatePen(kStyle[style_], width_, ColorToRGB(color_)));
  }
  return handle_.Get();
}

KX_PUBLISH(TBrush) {
  p.Color("Color", &TBrush::Color, &TBrush::SetColor);
  p.Property("Style", &TBrush::Style, &TBrush::SetStyle);
}

void TBrush::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBrush*>(source)) {
    color_ = b->color_;
    style_ = b->style_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TBrush::Changed() {
  handle_.Reset();
  TGraphicsObject::Changed();
}

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ != bsClear) return;
  color_ = color;
  // A colour makes a clear brush solid again.
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HBRUSH TBrush::Handle() const {
  if (style_ == bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!handle_) {
    if (style_ == bsSolid) {
      handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
    } else {
      static constexpr int kHatch[] = {0,        0,           HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL,
                                       HS_CROSS, HS_DIAGCROSS};
      handle_.Reset(CreateHatchBrush(kHatch[style_], ColorToRGB(color_)));
    }
  }
  return handle_.Get();
}

// ---------------------------------------------------------------------------
// TCanvas

KX_PUBLISH(TCanvas) {}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  // A changed tool must be selected again before the next call uses it.
  font_->OnChange = TNotifyEvent([this](TObject*) { DeselectObjects(); });
  pen_->OnChange = TNotifyEvent([this](TObject*) { DeselectObjects(); });
  brush_->OnChange = TNotifyEvent([this](TObject*) { DeselectObjects(); });
}

TCanvas::~TCanvas() { DeselectObjects(); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  DeselectObjects();
  dc_ = dc;
}

void TCanvas::DeselectObjects() {
  if (dc_ && selected_) {
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (oldPen_) SelectObject(dc_, oldPen_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
  }
  oldFont_ = oldPen_ = oldBrush_ = nullptr;
  selected_ = 0;
}

void TCanvas::RequireState(unsigned state) {
  HDC dc = Handle();
  if (!dc) throw EInvalidOperation("Canvas does not allow drawing");
  if ((state & csFont) && !(selected_ & csFont)) {
    HGDIOBJ old = SelectObject(dc, font_->Handle());
    if (!oldFont_) oldFont_ = old;
    SetTextColor(dc, ColorToRGB(font_->Color()));
    selected_ |= csFont;
  }
  if ((state & csPen) && !(selected_ & csPen)) {
    HGDIOBJ old = SelectObject(dc, pen_->Handle());
    if (!oldPen_) oldPen_ = old;
    SetROP2(dc, pen_->Rop2());
    selected_ |= csPen;
  }
  if ((state & csBrush) && !(selected_ & csBrush)) {
    HGDIOBJ old = SelectObject(dc, brush_->Handle());
    if (!oldBrush_) oldBrush_ = old;
    SetBkColor(dc, ColorToRGB(brush_->Color()));
    SetBkMode(dc, brush_->Style() == bsClear ? TRANSPARENT : OPAQUE);
    selected_ |= csBrush;
  }
}

void TCanvas::Changing() { OnChanging(this); }
void TCanvas::Changed() { OnChange(this); }

POINT TCanvas::PenPos() {
  RequireState(0);
  POINT p{};
  MoveToEx(dc_, 0, 0, &p);
  MoveToEx(dc_, p.x, p.y, nullptr);
  return p;
}

void TCanvas::MoveTo(int x, int y) {
  RequireState(0);
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequireState(csPen | csBrush);
  ::LineTo(dc_, x, y);
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  RequireState(csPen | csBrush);
  ::Rectangle(dc_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
  Changing();
  RequireState(csPen | csBrush);
  ::RoundRect(dc_, x1, y1, x2, y2, w, h);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  RequireState(csPen | csBrush);
  ::Ellipse(dc_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
  if (points.empty()) return;
  Changing();
  RequireState(csPen | csBrush);
  ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
  Changed();
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
  if (points.empty()) return;
  Changing();
  RequireState(csPen | csBrush);
  ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
  Changed();
}

void TCanvas::FillRect(const RECT& r) {
  Changing();
  RequireState(csBrush);
  ::FillRect(dc_, &r, brush_->Handle());
  Changed();
}

void TCanvas::FrameRect(const RECT& r) {
  Changing();
  RequireState(csBrush);
  ::FrameRect(dc_, &r, brush_->Handle());
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Changing();
  RequireState(csFont | csBrush);
  ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
  Changed();
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text) {
  Changing();
  RequireState(csFont | csBrush);
  UINT options = ETO_CLIPPED;
  if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
  ::ExtTextOutA(dc_, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(RECT& r, const std::string& text, UINT format) {
  Changing();
  RequireState(csFont | csBrush);
  DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
  Changed();
}

SIZE TCanvas::TextExtent(const std::string& text) {
  RequireState(csFont);
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  RECT r{x, y, x + graphic->Width(), y + graphic->Height()};
  StretchDraw(r, graphic);
}

void TCanvas::StretchDraw(const RECT& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequireState(0);
  graphic->Draw(*this, r);
  Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* source, const RECT& src) {
  Changing();
  RequireState(csBrush);
  HDC from = source->Handle();
  SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from, src.left, src.top,
             src.right - src.left, src.bottom - src.top, copyMode_);
  Changed();
}

TColor TCanvas::Pixel(int x, int y) {
  RequireState(0);
  return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Changing();
  RequireState(0);
  ::SetPixel(dc_, x, y, ColorToRGB(color));
  Changed();
}

}  // namespace kx
