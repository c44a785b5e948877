#include "scene/GLGraphics.h"

#include "scene/GLCrossPlatform.h"
#include "scene/GLMisc.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace kx {

KX_PUBLISH(TGLBitmap32) {}

namespace {

constexpr GLenum GL_GENERATE_MIPMAP_SGIS = 0x8191;

int RoundUpToMultipleOf4(int width) { return width % 4 == 0 ? width : (width & ~3) + 4; }

bool IsMipmapFilter(TGLMinFilter filter) { return filter != miNearest && filter != miLinear; }

}  // namespace

void TGLBitmap32::Resize(int width, int height) {
  KX_SCENE_ASSERT(width >= 0 && height >= 0, "GLGraphics");
  // A picture too large to address is refused before anything is allocated.
  if (height > 0 && width > std::numeric_limits<int32_t>::max() / 4 / height) OutOfMemoryError();
  try {
    data_.resize(static_cast<size_t>(width) * height * 4);
    data_.shrink_to_fit();
  } catch (const std::bad_alloc&) {
    OutOfMemoryError();
  }
  width_ = width;
  height_ = height;
}

void TGLBitmap32::SetWidth(int width) {
  width = RoundUpToMultipleOf4(width);
  if (width != width_) Resize(width, height_);
}

void TGLBitmap32::SetHeight(int height) {
  if (height != height_) Resize(width_, height);
}

void TGLBitmap32::Assign(TPersistent* source) {
  if (!source) {
    Resize(0, 0);
    return;
  }
  if (auto* other = dynamic_cast<TGLBitmap32*>(source)) {
    if (other == this) return;
    data_ = other->data_;
    width_ = other->width_;
    height_ = other->height_;
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(source);
      bitmap && (bitmap->PixelFormat() == pf24bit || bitmap->PixelFormat() == pf32bit) && bitmap->Width() % 4 == 0) {
    AssignFromBitmap(*bitmap);
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    TBitmap temporary;
    temporary.SetPixelFormat(pf24bit);
    const int width = RoundUpToMultipleOf4(graphic->Width());
    temporary.SetSize(width, graphic->Height());
    if (!temporary.Empty()) {
      if (width == graphic->Width())
        temporary.Canvas()->Draw(0, 0, graphic);
      else
        temporary.Canvas()->StretchDraw(RECT{0, 0, width, graphic->Height()}, graphic);
    }
    AssignFromBitmap(temporary);
    return;
  }
  TPersistent::Assign(source);
}

void TGLBitmap32::AssignFromBitmap(TBitmap& bitmap) {
  const bool wide = bitmap.PixelFormat() == pf32bit;
  KX_SCENE_ASSERT(bitmap.PixelFormat() == pf24bit || wide, "GLGraphics");
  KX_SCENE_ASSERT(bitmap.Width() % 4 == 0, "GLGraphics");
  Resize(bitmap.Width(), bitmap.Height());
  for (int row = 0; row < height_; ++row) {
    const auto* source = static_cast<const uint8_t*>(bitmap.ScanLine(rowReversal_ ? row : height_ - 1 - row));
    TGLPixel32* target = ScanLine(row);
    for (int x = 0; x < width_; ++x) {
      // B, G, R (and A) in the framework's bitmap; exactly the row's bytes are read.
      const uint8_t* p = wide ? source + 4 * x : source + 3 * x;
      target[x] = {p[2], p[1], p[0], wide ? p[3] : uint8_t{255}};
    }
  }
}

template <class F>
void TGLBitmap32::ForEachPixel(F f) {
  TGLPixel32* pixel = Data();
  for (size_t i = 0, n = data_.size() / 4; i < n; ++i) f(pixel[i]);
}

void TGLBitmap32::SetAlphaFromIntensity() {
  ForEachPixel([](TGLPixel32& p) { p.a = static_cast<uint8_t>((p.r + p.g + p.b) / 3); });
}

void TGLBitmap32::SetAlphaTransparentForColor(TColor color) {
  const auto value = static_cast<uint32_t>(color);
  SetAlphaTransparentForColor(TGLPixel32{static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                                         static_cast<uint8_t>(value >> 16), 0});
}

void TGLBitmap32::SetAlphaTransparentForColor(TGLPixel32 color) {
  ForEachPixel([color](TGLPixel32& p) {
    p.a = (p.r == color.r && p.g == color.g && p.b == color.b) ? 0 : 255;
  });
}

void TGLBitmap32::SetAlphaToValue(uint8_t value) {
  ForEachPixel([value](TGLPixel32& p) { p.a = value; });
}

void TGLBitmap32::SetAlphaFromSqrtIntensity() {
  const uint8_t* table = GetSqrt255Table();
  ForEachPixel([table](TGLPixel32& p) { p.a = table[(p.r + p.g + p.b) / 3]; });
}

void TGLBitmap32::RegisterAsOpenGLTexture(GLenum target, TGLMinFilter minFilter, GLint internalFormat,
                                          int& textureWidth, int& textureHeight) {
  if (data_.empty()) return;
  int w2 = RoundUpToPowerOf2(width_), h2 = RoundUpToPowerOf2(height_);
  GLint maxSize = 0;
  GL.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  // A driver that answers nothing sensible must not shrink the picture to nothing.
  if (maxSize > 0) {
    w2 = std::min(w2, static_cast<int>(maxSize));
    h2 = std::min(h2, static_cast<int>(maxSize));
  }
  textureWidth = w2;
  textureHeight = h2;
  std::vector<uint8_t> scaled;
  const void* pixels = data_.data();
  if (w2 != width_ || h2 != height_) {
    try {
      scaled.resize(static_cast<size_t>(w2) * h2 * 4);
    } catch (const std::bad_alloc&) {
      OutOfMemoryError();
    }
    GL.gluScaleImage(GL_RGBA, width_, height_, GL_UNSIGNED_BYTE, data_.data(), w2, h2, GL_UNSIGNED_BYTE,
                     scaled.data());
    pixels = scaled.data();
  }
  if (!IsMipmapFilter(minFilter)) {
    GL.glTexImage2D(target, 0, internalFormat, w2, h2, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  } else if (GLCaps.GL_SGIS_generate_mipmap && target == GL_TEXTURE_2D) {
    GL.glTexParameteri(target, GL_GENERATE_MIPMAP_SGIS, 1);
    GL.glTexImage2D(target, 0, internalFormat, w2, h2, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  } else {
    GL.gluBuild2DMipmaps(target, internalFormat, w2, h2, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  }
}

}  // namespace kx
