// Drawing over GDI: fonts, pens, brushes, the canvas, and the pictures that
// draw on it (DIB-section bitmaps, icons, JPEG pictures, image lists).
#pragma once

#include <windows.h>
#include <commctrl.h>
// These names are framework methods (TStrings::GetObject, TCanvas::TextOut);
// the system calls are used by their ANSI names.
#undef GetObject
#undef TextOut

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/Colors.h"

namespace kx {

// The current RGB value of a colour (system colours resolved).
COLORREF ColorToRGB(TColor color);

// ---------------------------------------------------------------------------
// GDI object handles owned by RAII.

template <class H>
class TGdiHandle {
 public:
  TGdiHandle() = default;
  explicit TGdiHandle(H handle) : handle_(handle) {}
  ~TGdiHandle() { Reset(); }
  TGdiHandle(TGdiHandle&& other) noexcept : handle_(other.Release()) {}
  TGdiHandle& operator=(TGdiHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  H Get() const { return handle_; }
  H Release() {
    H h = handle_;
    handle_ = nullptr;
    return h;
  }
  void Reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  H handle_ = nullptr;
};

// ---------------------------------------------------------------------------
// Font, pen and brush: values that make their GDI object on demand and tell
// their owner on every change.

class TGraphicsObject : public TPersistent {
  KX_CLASS(TGraphicsObject, TPersistent)
 public:
  TNotifyEvent OnChange;

 protected:
  // Drops the cached handle and raises OnChange.
  virtual void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
KX_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
KX_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed")

class TFont : public TGraphicsObject {
  KX_CLASS(TFont, TGraphicsObject)
 public:
  TFont();

  void Assign(TPersistent* source) override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Points; set through Height in pixels (negative: character height).
  int Size() const;
  void SetSize(int points);
  int Height() const { return height_; }
  void SetHeight(int pixels);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  uint8_t Charset() const { return charset_; }
  void SetCharset(uint8_t charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  static constexpr int PixelsPerInch = 96;

  HFONT Handle() const;

 protected:
  void Changed() override;

 private:
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_;
  uint8_t charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  mutable TGdiHandle<HFONT> handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
KX_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame")
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};
KX_ENUM_NAMES(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
              "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor")

class TPen : public TGraphicsObject {
  KX_CLASS(TPen, TGraphicsObject)
 public:
  TPen() = default;
  void Assign(TPersistent* source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);
  // The raster operation (R2_...) of the mode.
  int Rop2() const;

  HPEN Handle() const;

 protected:
  void Changed() override;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  mutable TGdiHandle<HPEN> handle_;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
KX_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
              "bsDiagCross")

class TBrush : public TGraphicsObject {
  KX_CLASS(TBrush, TGraphicsObject)
 public:
  TBrush() = default;
  void Assign(TPersistent* source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

  HBRUSH Handle() const;  // null for bsClear

 protected:
  void Changed() override;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  mutable TGdiHandle<HBRUSH> handle_;
};

// ---------------------------------------------------------------------------
// TCanvas

class TGraphic;

class TCanvas : public TPersistent {
  KX_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;

  // The device context drawn on; a subclass may create one on demand.
  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont* Font() const { return font_.get(); }
  TPen* Pen() const { return pen_.get(); }
  TBrush* Brush() const { return brush_.get(); }
  void SetFont(TFont* font) { font_->Assign(font); }
  void SetPen(TPen* pen) { pen_->Assign(pen); }
  void SetBrush(TBrush* brush) { brush_->Assign(brush); }
  // Raster operation of CopyRect and Draw (SRCCOPY and friends).
  DWORD CopyMode() const { return copyMode_; }
  void SetCopyMode(DWORD mode) { copyMode_ = mode; }
  POINT PenPos();
  void SetPenPos(POINT p) { MoveTo(p.x, p.y); }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Polygon(const std::vector<POINT>& points);
  void Polyline(const std::vector<POINT>& points);
  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void TextOut(int x, int y, const std::string& text);
  // Text clipped to the rectangle, starting at (x, y).
  void TextRect(const RECT& r, int x, int y, const std::string& text);
  // Text laid out in the rectangle with DrawText formatting (DT_CENTER, DT_WORDBREAK...).
  void TextRect(RECT& r, const std::string& text, UINT format);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const RECT& r, TGraphic* graphic);
  // Copies (and stretches) a rectangle of another canvas with CopyMode.
  void CopyRect(const RECT& dest, TCanvas* source, const RECT& src);
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Called when a drawing call needs a device context and none is set.
  virtual void CreateHandle() {}
  void Changing();
  void Changed();
  // Selects the font, pen and brush into the context as the call needs them.
  enum : unsigned { csFont = 1, csPen = 2, csBrush = 4 };
  void RequireState(unsigned state);
  void DeselectObjects();

 private:
  HDC dc_ = nullptr;
  unsigned selected_ = 0;
  HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  DWORD copyMode_ = SRCCOPY;
};

// Draws through `canvas` on a context lent for one scope (a paint or
// owner-draw message's); the canvas lets go of it when the scope ends.
class TCanvasOnDC {
 public:
  TCanvasOnDC(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
  ~TCanvasOnDC() { canvas_.SetHandle(nullptr); }
  TCanvasOnDC(const TCanvasOnDC&) = delete;
  TCanvasOnDC& operator=(const TCanvasOnDC&) = delete;

 private:
  TCanvas& canvas_;
};

// Keeps a lent context's state (objects, origin, clipping) for one scope.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() { RestoreDC(dc_, saved_); }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// ---------------------------------------------------------------------------
// Pictures

class TGraphic : public TPersistent {
  KX_CLASS(TGraphic, TPersistent)
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool on);
  // Draws the picture stretched to the rectangle.
  virtual void Draw(TCanvas& canvas, const RECT& r) = 0;
  // Reads the picture from the bytes of its file format; EInvalidGraphic when they are bad.
  virtual void LoadFromBytes(const std::vector<uint8_t>& data) = 0;
  void LoadFromFile(const std::string& path);
  // The bytes of its file format (what LoadFromBytes reads).
  virtual std::vector<uint8_t> SaveToBytes() = 0;

  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  bool transparent_ = false;
};

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
KX_ENUM_NAMES(TPixelFormat, "pfDevice", "pf1bit", "pf4bit", "pf8bit", "pf15bit", "pf16bit", "pf24bit", "pf32bit")
enum TTransparentMode { tmAuto, tmFixed };
KX_ENUM_NAMES(TTransparentMode, "tmAuto", "tmFixed")

class TBitmap;

// The canvas of a bitmap: a memory context with the bitmap selected.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override;
  // Gives the bitmap back before it changes its pixels' storage.
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap& bitmap_;
  HDC memDc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

// A bitmap held as a DIB section (pf24bit or pf32bit; other formats are kept
// as pf24bit), rows bottom-up as Windows stores them.
class TBitmap : public TGraphic {
  KX_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  ~TBitmap() override;

  void Assign(TPersistent* source) override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return width_ == 0 || height_ == 0; }
  // Resizing keeps the pixels that still fit; new pixels are white.
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat format);

  // Start of row y (0 = top) in the DIB's memory.
  void* ScanLine(int y);
  TCanvas* Canvas();
  HBITMAP Handle() const { return dib_.Get(); }

  // The colour keyed out when Transparent: the bottom-left pixel (tmAuto) or
  // TransparentColor (tmFixed).
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);

  void Draw(TCanvas& canvas, const RECT& r) override;
  void LoadFromBytes(const std::vector<uint8_t>& data) override;  // a .bmp file
  // Loads a bitmap resource by name; EResNotFound when it does not exist.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  // Takes a copy of any GDI bitmap's pixels.
  void LoadFromHandle(HBITMAP bitmap);
  std::vector<uint8_t> SaveToBytes() override;  // a .bmp file
  // Stored in form resources as "Data": the .bmp file's bytes (a button's
  // glyph, for one).
  void DefineProperties(TFiler& filer) override;

 private:
  int BytesPerPixel() const { return format_ == pf32bit ? 4 : 3; }
  int Stride() const { return ((width_ * BytesPerPixel() + 3) / 4) * 4; }
  void Recreate(int width, int height, TPixelFormat format);

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pf24bit;
  TGdiHandle<HBITMAP> dib_;
  uint8_t* bits_ = nullptr;
  std::unique_ptr<TBitmapCanvas> canvas_;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
  friend class TBitmapCanvas;
};

class TIcon : public TGraphic {
  KX_CLASS(TIcon, TGraphic)
 public:
  TIcon() = default;
  ~TIcon() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return handle_ == nullptr; }
  HICON Handle() const { return handle_; }
  // Takes ownership of the icon.
  void SetHandle(HICON icon);
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void Draw(TCanvas& canvas, const RECT& r) override;
  void LoadFromBytes(const std::vector<uint8_t>& data) override;  // a .ico file
  std::vector<uint8_t> SaveToBytes() override { return data_; }

 private:
  std::vector<uint8_t> data_;
  HICON handle_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// A JPEG picture, decoded with libjpeg into a 24-bit bitmap.
class TJPEGImage : public TGraphic {
  KX_CLASS(TJPEGImage, TGraphic)
 public:
  TJPEGImage();
  int Width() const override { return bitmap_->Width(); }
  int Height() const override { return bitmap_->Height(); }
  bool Empty() const override { return bitmap_->Empty(); }
  void Draw(TCanvas& canvas, const RECT& r) override { bitmap_->Draw(canvas, r); }
  void LoadFromBytes(const std::vector<uint8_t>& data) override;
  std::vector<uint8_t> SaveToBytes() override { return data_; }
  TBitmap* Bitmap() const { return bitmap_.get(); }

 private:
  std::vector<uint8_t> data_;
  std::unique_ptr<TBitmap> bitmap_;
};

// Holds one graphic of any kind; the kind follows the data it loads.
class TPicture : public TPersistent {
  KX_CLASS(TPicture, TPersistent)
 public:
  TPicture() = default;
  void Assign(TPersistent* source) override;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Takes a copy of the graphic (nil clears the picture).
  void SetGraphic(TGraphic* graphic);
  // The graphic as a bitmap; an empty picture gets a new bitmap.
  TBitmap* Bitmap();
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  // Recognises BMP, JPEG and ICO data by their signatures.
  void LoadFromBytes(const std::vector<uint8_t>& data);
  void LoadFromFile(const std::string& path);
  // Stored in form resources as "Data": the picture file's bytes.
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnChange;

 private:
  void Changed();
  void Attach(std::unique_ptr<TGraphic> graphic);

  std::unique_ptr<TGraphic> graphic_;
};

// ---------------------------------------------------------------------------
// TImageList

class TImageList : public TComponent {
  KX_CLASS(TImageList, TComponent)
 public:
  explicit TImageList(TComponent* owner);
  TImageList(TComponent* owner, int width, int height);
  ~TImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size clears the list.
  void SetWidth(int width);
  void SetHeight(int height);
  bool Masked() const { return masked_; }
  void SetMasked(bool masked);
  int Count() const;
  HIMAGELIST Handle();

  // The bitmap is cut into images of the list's width; returns the first index.
  int Add(TBitmap* image, TBitmap* mask);
  int AddMasked(TBitmap* image, TColor maskColor);
  void Clear();
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
  // Copies image `index` into the bitmap (resized to the image size).
  void GetBitmap(int index, TBitmap& bitmap);

 private:
  void Recreate();

  int width_ = 16;
  int height_ = 16;
  bool masked_ = true;
  HIMAGELIST handle_ = nullptr;
};

}  // namespace kx
