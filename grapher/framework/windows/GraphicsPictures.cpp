// Pictures: bitmaps, icons, the picture holder and image lists.
#include "framework/windows/Graphics.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/core/Filer.h"
#include "framework/core/Streams.h"

namespace kx {

// ---------------------------------------------------------------------------
// TGraphic

KX_PUBLISH(TGraphic) {}

void TGraphic::SetTransparent(bool on) {
  if (on == transparent_) return;
  transparent_ = on;
  Changed();
}

void TGraphic::Changed() { OnChange(this); }

namespace {

// Whether the header, masks, colour table and pixels a .bmp file declares
// all lie within its `size` bytes: GDI reads what the header says, however
// much there is.
bool IsWholeBitmapFile(uint64_t size, const BITMAPFILEHEADER& fh, const BITMAPINFOHEADER& ih) {
  const int64_t width = ih.biWidth, height = std::abs(static_cast<int64_t>(ih.biHeight));
  if (width <= 0 || height <= 0 || width > 32768 || height > 32768 || ih.biPlanes != 1) return false;
  if (ih.biSize < sizeof ih || sizeof fh + uint64_t{ih.biSize} > size) return false;
  const unsigned bpp = ih.biBitCount;
  uint64_t masks = 0;
  bool runLength = false;
  switch (ih.biCompression) {
    case BI_RGB:
      if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
      break;
    case BI_BITFIELDS:
      if (bpp != 16 && bpp != 32) return false;
      if (ih.biSize == sizeof ih) masks = 3 * sizeof(DWORD);
      break;
    case BI_RLE8:
    case BI_RLE4:
      if (bpp != (ih.biCompression == BI_RLE8 ? 8u : 4u) || ih.biHeight < 0) return false;
      runLength = true;
      break;
    default:
      return false;
  }
  const uint64_t colors = ih.biClrUsed ? ih.biClrUsed : bpp <= 8 ? (1u << bpp) : 0;
  if (sizeof fh + ih.biSize + masks + colors * sizeof(RGBQUAD) > size) return false;
  const uint64_t pixels = runLength ? ih.biSizeImage : static_cast<uint64_t>((width * bpp + 31) / 32 * 4) * height;
  return pixels > 0 && fh.bfOffBits < size && pixels <= size - fh.bfOffBits;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + path + "\"");
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

void TGraphic::LoadFromFile(const std::string& path) { LoadFromBytes(ReadWholeFile(path)); }

// ---------------------------------------------------------------------------
// TBitmap

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  if (!bitmap_.dib_) bitmap_.Recreate(std::max(bitmap_.width_, 1), std::max(bitmap_.height_, 1), bitmap_.format_);
  memDc_ = CreateCompatibleDC(nullptr);
  oldBitmap_ = SelectObject(memDc_, bitmap_.dib_.Get());
  SetHandle(memDc_);
}

void TBitmapCanvas::FreeContext() {
  if (!memDc_) return;
  SetHandle(nullptr);
  SelectObject(memDc_, oldBitmap_);
  DeleteDC(memDc_);
  memDc_ = nullptr;
  oldBitmap_ = nullptr;
}

KX_PUBLISH(TBitmap) {
  p.Property("PixelFormat", &TBitmap::PixelFormat, &TBitmap::SetPixelFormat);
  p.Color("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor);
  p.Property("TransparentMode", &TBitmap::TransparentMode, &TBitmap::SetTransparentMode);
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { canvas_.reset(); }

void TBitmap::Recreate(int width, int height, TPixelFormat format) {
  if (format != pf32bit) format = pf24bit;
  std::vector<uint8_t> old;
  const int oldW = width_, oldH = height_, oldBpp = BytesPerPixel(), oldStride = Stride();
  if (bits_) old.assign(bits_, bits_ + static_cast<size_t>(oldStride) * oldH);
  if (canvas_) canvas_->FreeContext();

  width_ = width;
  height_ = height;
  format_ = format;
  dib_.Reset();
  bits_ = nullptr;
  if (width <= 0 || height <= 0) return;

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;  // bottom-up
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(BytesPerPixel() * 8);
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) throw EOutOfResources("Out of system resources");
  dib_.Reset(dib);
  bits_ = static_cast<uint8_t*>(bits);
  std::memset(bits_, 0xFF, static_cast<size_t>(Stride()) * height_);

  // Keep the top-left part that still fits, converting the pixel size if needed.
  const int bpp = BytesPerPixel();
  for (int y = 0; y < std::min(oldH, height_); ++y) {
    const uint8_t* from = old.data() + static_cast<size_t>(oldStride) * (oldH - 1 - y);
    uint8_t* to = bits_ + static_cast<size_t>(Stride()) * (height_ - 1 - y);
    for (int x = 0; x < std::min(oldW, width_); ++x) {
      std::memcpy(to + x * bpp, from + x * oldBpp, 3);
      if (bpp == 4) to[x * 4 + 3] = oldBpp == 4 ? from[x * 4 + 3] : 0;
    }
  }
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_ && (dib_ || width == 0 || height == 0)) return;
  Recreate(width, height, format_);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format != pf32bit) format = pf24bit;
  if (format == format_) return;
  Recreate(width_, height_, format);
  Changed();
}

void* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= height_ || !bits_) throw EInvalidOperation("Scan line index out of range");
  GdiFlush();
  return bits_ + static_cast<size_t>(Stride()) * (height_ - 1 - y);
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
  return canvas_.get();
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (!bits_) return clDefault;
  GdiFlush();
  const uint8_t* p = bits_;  // bottom-up: the first row is the bottom one
  return static_cast<TColor>(RGB(p[2], p[1], p[0]));
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  transparentMode_ = mode;
  if (mode == tmAuto) transparentColor_ = clDefault;
  Changed();
}

void TBitmap::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBitmap*>(source)) {
    if (b == this) return;
    Recreate(0, 0, b->format_);
    Recreate(b->width_, b->height_, b->format_);
    if (bits_) {
      GdiFlush();
      std::memcpy(bits_, b->bits_, static_cast<size_t>(Stride()) * height_);
    }
    transparentColor_ = b->transparentColor_;
    transparentMode_ = b->transparentMode_;
    SetTransparent(b->Transparent());
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

void TBitmap::Draw(TCanvas& canvas, const RECT& r) {
  if (Empty()) return;
  HDC dest = canvas.Handle();
  HDC src = Canvas()->Handle();
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (Transparent()) {
    TransparentBlt(dest, r.left, r.top, w, h, src, 0, 0, width_, height_, ColorToRGB(TransparentColor()));
  } else {
    SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, r.left, r.top, w, h, src, 0, 0, width_, height_, canvas.CopyMode());
  }
}

void TBitmap::LoadFromHandle(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) throw EInvalidGraphic("Bitmap image is not valid");
  const TPixelFormat format = info.bmBitsPixel == 32 ? pf32bit : pf24bit;
  Recreate(0, 0, format);
  Recreate(info.bmWidth, std::abs(info.bmHeight), format);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = height_;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(BytesPerPixel() * 8);
  bi.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  GdiFlush();
  GetDIBits(screen, bitmap, 0, height_, bits_, &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HBITMAP loaded = static_cast<HBITMAP>(LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!loaded) throw EResNotFound("Resource " + name + " not found");
  TGdiHandle<HBITMAP> owned(loaded);
  LoadFromHandle(owned.Get());
}

void TBitmap::LoadFromBytes(const std::vector<uint8_t>& data) {
  // A .bmp file: file header, then a packed DIB.
  if (data.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M')
    throw EInvalidGraphic("Bitmap image is not valid");
  BITMAPFILEHEADER fh;
  std::memcpy(&fh, data.data(), sizeof fh);
  BITMAPINFOHEADER ih;
  std::memcpy(&ih, data.data() + sizeof fh, sizeof ih);
  if (!IsWholeBitmapFile(data.size(), fh, ih)) throw EInvalidGraphic("Bitmap image is not valid");

  HDC screen = GetDC(nullptr);
  HBITMAP made = CreateDIBitmap(screen, &ih, CBM_INIT, data.data() + fh.bfOffBits,
                                reinterpret_cast<const BITMAPINFO*>(data.data() + sizeof fh), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (!made) throw EInvalidGraphic("Bitmap image is not valid");
  TGdiHandle<HBITMAP> owned(made);
  LoadFromHandle(owned.Get());
  // The file's pixel size, not the screen's, so that a bitmap is written
  // back as it was read.
  SetPixelFormat(ih.biBitCount == 32 ? pf32bit : pf24bit);
}

void TBitmap::DefineProperties(TFiler& filer) {
  TGraphic::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data",
      [this](TStream& stream) {
        std::vector<uint8_t> data(static_cast<size_t>(stream.Size() - stream.Position()));
        if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
        LoadFromBytes(data);
      },
      [this](TStream& stream) {
        const std::vector<uint8_t> data = SaveToBytes();
        stream.WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
      },
      !Empty());
}

std::vector<uint8_t> TBitmap::SaveToBytes() {
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = width_;
  ih.biHeight = height_;
  ih.biPlanes = 1;
  ih.biBitCount = static_cast<WORD>(BytesPerPixel() * 8);
  ih.biCompression = BI_RGB;
  const size_t pixels = bits_ ? static_cast<size_t>(Stride()) * height_ : 0;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = static_cast<DWORD>(fh.bfOffBits + pixels);
  std::vector<uint8_t> out(fh.bfSize);
  std::memcpy(out.data(), &fh, sizeof fh);
  std::memcpy(out.data() + sizeof fh, &ih, sizeof ih);
  if (pixels) {
    GdiFlush();
    // Row by row: the padding at each row's end is written as zeros, whatever
    // the bitmap holds there, so equal pictures give equal bytes.
    const size_t stride = static_cast<size_t>(Stride()), used = static_cast<size_t>(width_) * BytesPerPixel();
    for (int y = 0; y < height_; ++y) std::memcpy(out.data() + fh.bfOffBits + stride * y, bits_ + stride * y, used);
  }
  return out;
}

// ---------------------------------------------------------------------------
// TIcon

KX_PUBLISH(TIcon) {}

TIcon::~TIcon() {
  if (handle_) DestroyIcon(handle_);
}

void TIcon::SetHandle(HICON icon) {
  if (handle_) DestroyIcon(handle_);
  handle_ = icon;
  width_ = height_ = 0;
  ICONINFO info{};
  if (icon && GetIconInfo(icon, &info)) {
    BITMAP bm{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    width_ = bm.bmWidth;
    height_ = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  Changed();
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HICON icon = static_cast<HICON>(LoadImageA(instance, name.c_str(), IMAGE_ICON, 0, 0, 0));
  if (!icon) throw EResNotFound("Resource " + name + " not found");
  SetHandle(icon);
}

void TIcon::Draw(TCanvas& canvas, const RECT& r) {
  if (handle_)
    DrawIconEx(canvas.Handle(), r.left, r.top, handle_, r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromBytes(const std::vector<uint8_t>& data) {
  // An .ico file: directory, then the images; take the first one.
  if (data.size() < 6 + 16 || data[0] != 0 || data[1] != 0 || data[2] != 1 || data[3] != 0)
    throw EInvalidGraphic("Icon image is not valid");
  DWORD size, offset;
  std::memcpy(&size, data.data() + 6 + 8, 4);
  std::memcpy(&offset, data.data() + 6 + 12, 4);
  if (offset >= data.size() || size > data.size() - offset) throw EInvalidGraphic("Icon image is not valid");
  HICON icon = CreateIconFromResourceEx(const_cast<uint8_t*>(data.data() + offset), size, TRUE, 0x00030000, 0, 0,
                                        LR_DEFAULTCOLOR);
  if (!icon) throw EInvalidGraphic("Icon image is not valid");
  data_ = data;
  SetHandle(icon);
}

// ---------------------------------------------------------------------------
// TPicture

KX_PUBLISH(TPicture) {}

void TPicture::Changed() { OnChange(this); }

void TPicture::Attach(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = TNotifyEvent([this](TObject*) { Changed(); });
  Changed();
}

void TPicture::SetGraphic(TGraphic* graphic) {
  if (!graphic) {
    Attach(nullptr);
    return;
  }
  auto copy = std::unique_ptr<TGraphic>(static_cast<TGraphic*>(graphic->ClassType().Create(nullptr)));
  copy->Assign(graphic);
  Attach(std::move(copy));
}

void TPicture::Assign(TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
  } else if (auto* pic = dynamic_cast<TPicture*>(source)) {
    SetGraphic(pic->Graphic());
  } else if (auto* g = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(source);
  }
}

TBitmap* TPicture::Bitmap() {
  if (auto* b = dynamic_cast<TBitmap*>(graphic_.get())) return b;
  auto bitmap = std::make_unique<TBitmap>();
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(graphic_.get())) bitmap->Assign(jpeg->Bitmap());
  TBitmap* result = bitmap.get();
  Attach(std::move(bitmap));
  return result;
}

void TPicture::LoadFromBytes(const std::vector<uint8_t>& data) {
  std::unique_ptr<TGraphic> graphic;
  if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
    graphic = std::make_unique<TBitmap>();
  else if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
    graphic = std::make_unique<TJPEGImage>();
  else if (data.size() >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 1 && data[3] == 0)
    graphic = std::make_unique<TIcon>();
  else
    throw EInvalidGraphic("Unknown picture format");
  graphic->LoadFromBytes(data);
  Attach(std::move(graphic));
}

void TPicture::LoadFromFile(const std::string& path) { LoadFromBytes(ReadWholeFile(path)); }

void TPicture::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data",
      [this](TStream& stream) {
        std::vector<uint8_t> data(static_cast<size_t>(stream.Size() - stream.Position()));
        if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
        LoadFromBytes(data);
      },
      [this](TStream& stream) {
        const std::vector<uint8_t> data = graphic_->SaveToBytes();
        stream.WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
      },
      graphic_ && !graphic_->Empty());
}

// ---------------------------------------------------------------------------
// TImageList

KX_PUBLISH(TImageList) {
  p.Property("Height", &TImageList::Height, &TImageList::SetHeight);
  p.Property("Masked", &TImageList::Masked, &TImageList::SetMasked);
  p.Property("Width", &TImageList::Width, &TImageList::SetWidth);
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::TImageList(TComponent* owner, int width, int height) : TComponent(owner), width_(width), height_(height) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

void TImageList::Recreate() {
  if (handle_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

void TImageList::SetWidth(int width) {
  if (width == width_ || width <= 0) return;
  width_ = width;
  Recreate();
}

void TImageList::SetHeight(int height) {
  if (height == height_ || height <= 0) return;
  height_ = height;
  Recreate();
}

void TImageList::SetMasked(bool masked) {
  if (masked == masked_) return;
  masked_ = masked;
  Recreate();
}

HIMAGELIST TImageList::Handle() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, (masked_ ? ILC_MASK : 0) | ILC_COLOR24, 4, 4);
    if (!handle_) throw EOutOfResources("Out of system resources");
  }
  return handle_;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

namespace {

// ImageList_Add takes bitmaps that are not selected into any context.
HBITMAP DeviceBitmapOf(TBitmap& bitmap) {
  HDC screen = GetDC(nullptr);
  HBITMAP copy = CreateCompatibleBitmap(screen, bitmap.Width(), bitmap.Height());
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, copy);
  BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return copy;
}

}  // namespace

int TImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  TGdiHandle<HBITMAP> bits(DeviceBitmapOf(*image));
  TGdiHandle<HBITMAP> maskBits;
  if (mask && !mask->Empty()) maskBits.Reset(DeviceBitmapOf(*mask));
  return ImageList_Add(Handle(), bits.Get(), maskBits.Get());
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  TGdiHandle<HBITMAP> bits(DeviceBitmapOf(*image));
  if (!masked_) return ImageList_Add(Handle(), bits.Get(), nullptr);
  return ImageList_AddMasked(Handle(), bits.Get(), ColorToRGB(maskColor));
}

void TImageList::Clear() {
  if (handle_) ImageList_RemoveAll(handle_);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  if (!handle_ || index < 0 || index >= Count()) return;
  UINT style = masked_ ? ILD_TRANSPARENT : ILD_NORMAL;
  if (enabled) {
    ImageList_DrawEx(handle_, index, canvas.Handle(), x, y, 0, 0, CLR_NONE, CLR_NONE, style);
  } else {
    ImageList_DrawEx(handle_, index, canvas.Handle(), x, y, 0, 0, CLR_NONE, CLR_DEFAULT, style | ILD_BLEND50);
  }
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) {
  bitmap.SetSize(width_, height_);
  if (!handle_ || index < 0 || index >= Count()) return;
  ImageList_Draw(handle_, index, bitmap.Canvas()->Handle(), 0, 0, ILD_NORMAL);
}

}  // namespace kx
