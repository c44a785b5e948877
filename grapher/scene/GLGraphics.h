// An RGBA pixel buffer in the byte order OpenGL takes, filled from the
// framework's pictures and uploaded as a texture fitted to OpenGL's limits
// (power-of-two sides, the driver's largest size).
#pragma once

#include "framework/core/Classes.h"
#include "framework/windows/Graphics.h"
#include "scene/OpenGL1x.h"

#include <cstdint>
#include <vector>

namespace kx {

enum TGLMinFilter : uint8_t {
  miNearest,
  miLinear,
  miNearestMipmapNearest,
  miLinearMipmapNearest,
  miNearestMipmapLinear,
  miLinearMipmapLinear
};
KX_ENUM_NAMES(TGLMinFilter, "miNearest", "miLinear", "miNearestMipmapNearest", "miLinearMipmapNearest",
              "miNearestMipmapLinear", "miLinearMipmapLinear")

// One pixel; read as a 32-bit value its lowest byte is R.
struct TGLPixel32 {
  uint8_t r, g, b, a;
};
static_assert(sizeof(TGLPixel32) == 4);

class TGLBitmap32 : public TPersistent {
  KX_CLASS(TGLBitmap32, TPersistent)
 public:
  TGLBitmap32() = default;

  // Null empties the buffer; another buffer is copied; a 24- or 32-bit
  // framework bitmap whose width is a multiple of 4 converts directly, any
  // other graphic is drawn into a 24-bit bitmap whose width is a multiple
  // of 4 first (stretched when its own width is not).
  void Assign(TPersistent* source) override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int DataSize() const { return static_cast<int>(data_.size()); }
  // Widths are rounded up to a multiple of 4. Existing bytes are kept up to
  // the smaller size; new bytes are not defined.
  void SetWidth(int width);
  void SetHeight(int height);
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  TGLPixel32* Data() { return reinterpret_cast<TGLPixel32*>(data_.data()); }
  const TGLPixel32* Data() const { return reinterpret_cast<const TGLPixel32*>(data_.data()); }
  // Row 0 is the picture's bottom row unless RowReversal was on when it was assigned.
  TGLPixel32* ScanLine(int row) { return Data() + static_cast<size_t>(row) * width_; }

  // Off: the picture's bottom row becomes row 0 (texture t = 0 at the
  // bottom); on: its top row does.
  bool RowReversal() const { return rowReversal_; }
  void SetRowReversal(bool on) { rowReversal_ = on; }

  void SetAlphaFromIntensity();
  // Pixels of exactly this colour's red, green and blue become transparent,
  // every other pixel opaque.
  void SetAlphaTransparentForColor(TColor color);
  void SetAlphaTransparentForColor(TGLPixel32 color);
  void SetAlphaToValue(uint8_t value);
  void SetAlphaFromSqrtIntensity();

  // Uploads into the texture bound to `target`, scaled to power-of-two sides
  // within the driver's maximum, with mipmaps when the filter needs them.
  // Nothing happens (and the sizes are not written) for an empty buffer.
  void RegisterAsOpenGLTexture(GLenum target, TGLMinFilter minFilter, GLint internalFormat, int& textureWidth,
                               int& textureHeight);

 private:
  void AssignFromBitmap(TBitmap& bitmap);
  void Resize(int width, int height);
  template <class F>
  void ForEachPixel(F f);

  std::vector<uint8_t> data_;
  int width_ = 0;
  int height_ = 0;
  bool rowReversal_ = false;
};

}  // namespace kx
