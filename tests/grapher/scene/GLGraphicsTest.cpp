#include "GLRecorder.h"
#include "scene/GLGraphics.h"

#include "framework/core/SysUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

bool operator==(TGLPixel32 a, TGLPixel32 b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

std::string Text(TGLPixel32 p) {
  return std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b) + "," + std::to_string(p.a);
}

// A bitmap whose top half is `top` and bottom half `bottom`.
void PaintHalves(TBitmap& bitmap, TColor top, TColor bottom) {
  const int w = bitmap.Width(), h = bitmap.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bitmap.Canvas()->SetPixel(x, y, y < h / 2 ? top : bottom);
}

constexpr TGLPixel32 kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255}, kGreen{0, 255, 0, 255};

TEST(GLBitmap32, A24BitBitmapLandsBottomRowFirstUnlessRowsAreReversed) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(4, 2);
  PaintHalves(bitmap, clRed, clBlue);
  for (bool reversed : {false, true}) {
    TGLBitmap32 buffer;
    buffer.SetRowReversal(reversed);
    buffer.Assign(&bitmap);
    ASSERT_EQ(buffer.Width(), 4);
    ASSERT_EQ(buffer.Height(), 2);
    EXPECT_EQ(buffer.DataSize(), 32);
    for (int x = 0; x < 4; ++x) {
      EXPECT_TRUE(buffer.ScanLine(0)[x] == (reversed ? kRed : kBlue)) << reversed << " " << Text(buffer.ScanLine(0)[x]);
      EXPECT_TRUE(buffer.ScanLine(1)[x] == (reversed ? kBlue : kRed)) << reversed << " " << Text(buffer.ScanLine(1)[x]);
    }
  }
}

TEST(GLBitmap32, A32BitBitmapKeepsItsAlpha) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(4, 1);
  auto* row = static_cast<uint8_t*>(bitmap.ScanLine(0));
  for (int x = 0; x < 4; ++x) {
    row[4 * x] = 10;       // blue
    row[4 * x + 1] = 20;   // green
    row[4 * x + 2] = 30;   // red
    row[4 * x + 3] = static_cast<uint8_t>(40 + x);
  }
  TGLBitmap32 buffer;
  buffer.Assign(&bitmap);
  for (int x = 0; x < 4; ++x)
    EXPECT_TRUE(buffer.Data()[x] == (TGLPixel32{30, 20, 10, static_cast<uint8_t>(40 + x)})) << Text(buffer.Data()[x]);
}

TEST(GLBitmap32, AGraphicOfAnyWidthIsStretchedToAMultipleOf4) {
  TBitmap narrow;  // 30 wide: not converted directly
  narrow.SetSize(30, 2);
  for (int x = 0; x < 30; ++x)
    for (int y = 0; y < 2; ++y) narrow.Canvas()->SetPixel(x, y, x < 15 ? clRed : clLime);
  TGLBitmap32 buffer;
  buffer.Assign(&narrow);
  ASSERT_EQ(buffer.Width(), 32);
  EXPECT_EQ(buffer.Height(), 2);
  EXPECT_TRUE(buffer.Data()[0] == kRed) << Text(buffer.Data()[0]);
  EXPECT_TRUE(buffer.Data()[31] == kGreen) << "stretched to the last column: " << Text(buffer.Data()[31]);

  TGLBitmap32 copy;
  copy.Assign(&buffer);
  ASSERT_EQ(copy.Width(), 32);
  EXPECT_EQ(copy.DataSize(), buffer.DataSize());
  EXPECT_TRUE(copy.Data()[31] == kGreen) << "another buffer's pixels are copied";

  buffer.Assign(nullptr);
  EXPECT_EQ(buffer.Width(), 0);
  EXPECT_EQ(buffer.DataSize(), 0);
  EXPECT_TRUE(buffer.IsEmpty());
}

TEST(GLBitmap32, WidthsRoundUpToMultiplesOf4) {
  TGLBitmap32 buffer;
  buffer.SetHeight(2);
  buffer.SetWidth(5);
  EXPECT_EQ(buffer.Width(), 8);
  EXPECT_EQ(buffer.DataSize(), 8 * 2 * 4);
  buffer.Data()[0] = kRed;
  buffer.SetWidth(8);
  EXPECT_TRUE(buffer.Data()[0] == kRed);
  EXPECT_THROW(buffer.SetHeight(-1), EAssertionFailed);
  EXPECT_THROW(buffer.SetWidth(-8), EAssertionFailed);
  // A size that cannot be addressed is refused before anything is allocated.
  EXPECT_THROW(buffer.SetHeight(1 << 28), EOutOfMemory);
  EXPECT_EQ(buffer.Height(), 2);
}

TEST(GLBitmap32, AlphaOperations) {
  const std::vector<TGLPixel32> pixels = {{0, 0, 0, 77}, {255, 255, 255, 0}, {30, 60, 90, 1}, {0, 0, 1, 2}};
  TGLBitmap32 buffer;
  buffer.SetHeight(1);
  buffer.SetWidth(4);
  auto fill = [&] { std::copy(pixels.begin(), pixels.end(), buffer.Data()); };
  auto alphas = [&] {
    std::vector<int> result;
    for (int i = 0; i < 4; ++i) result.push_back(buffer.Data()[i].a);
    return result;
  };
  fill();
  buffer.SetAlphaFromIntensity();
  EXPECT_EQ(alphas(), (std::vector<int>{0, 255, 60, 0}));
  fill();
  buffer.SetAlphaTransparentForColor(clBlack);
  EXPECT_EQ(alphas(), (std::vector<int>{0, 255, 255, 255}));
  fill();
  buffer.SetAlphaTransparentForColor(TColor(0x5A3C1E));  // red 30, green 60, blue 90
  EXPECT_EQ(alphas(), (std::vector<int>{255, 255, 0, 255}));
  fill();
  buffer.SetAlphaTransparentForColor(TGLPixel32{0, 0, 1, 99});  // alpha of the key ignored
  EXPECT_EQ(alphas(), (std::vector<int>{255, 255, 255, 0}));
  fill();
  buffer.SetAlphaToValue(128);
  EXPECT_EQ(alphas(), (std::vector<int>{128, 128, 128, 128}));
  fill();
  buffer.SetAlphaFromSqrtIntensity();
  // trunc(sqrt(i / 255) * 255): 0, 255, 123 for i = 60.
  EXPECT_EQ(alphas(), (std::vector<int>{0, 255, 123, 0}));
  EXPECT_TRUE(buffer.Data()[2] == (TGLPixel32{30, 60, 90, 123})) << "colours untouched";
}

// The driver's largest texture side, answered to GL_MAX_TEXTURE_SIZE only.
GLint MaxTextureSize = 1024;
void APIENTRY AnswerMaxTextureSize(GLenum name, GLint* value) {
  TGLRecorder::current_->Record("glGetIntegerv", std::to_string(name));
  *value = name == GL_MAX_TEXTURE_SIZE ? MaxTextureSize : -1;
}

struct UploadCase {
  const char* what;
  int width, height, maxSize;
  TGLMinFilter filter;
  bool generateMipmap;
  GLenum target;
  int uploadedWidth, uploadedHeight;
  std::vector<std::string> calls;  // names of the upload calls, in order
};

TEST(GLBitmap32, UploadFitsTheSidesAndChoosesTheLevels) {
  constexpr GLenum kCubeFace = 0x8515;
  const UploadCase cases[] = {
      {"scaled up to powers of two", 100, 60, 1024, miLinear, false, GL_TEXTURE_2D, 128, 64,
       {"gluScaleImage", "glTexImage2D"}},
      {"the driver's maximum", 100, 60, 64, miLinear, false, GL_TEXTURE_2D, 64, 64, {"gluScaleImage", "glTexImage2D"}},
      {"already fitting: no scaling copy", 64, 32, 1024, miNearest, false, GL_TEXTURE_2D, 64, 32, {"glTexImage2D"}},
      {"the driver builds the mipmaps", 64, 32, 1024, miLinearMipmapLinear, true, GL_TEXTURE_2D, 64, 32,
       {"glTexParameteri", "glTexImage2D"}},
      {"mipmaps through GLU", 64, 32, 1024, miNearestMipmapNearest, false, GL_TEXTURE_2D, 64, 32,
       {"gluBuild2DMipmaps"}},
      {"a cube face builds its mipmaps through GLU", 64, 64, 1024, miLinearMipmapLinear, true, kCubeFace, 64, 64,
       {"gluBuild2DMipmaps"}},
  };
  for (const UploadCase& c : cases) {
    TGLRecorder recorder;
    GL.glGetIntegerv = &AnswerMaxTextureSize;
    MaxTextureSize = c.maxSize;
    GLCaps.GL_SGIS_generate_mipmap = c.generateMipmap;
    TGLBitmap32 buffer;
    buffer.SetHeight(c.height);
    buffer.SetWidth(c.width);
    int width = 0, height = 0;
    buffer.RegisterAsOpenGLTexture(c.target, c.filter, GL_RGBA8, width, height);
    EXPECT_EQ(width, c.uploadedWidth) << c.what;
    EXPECT_EQ(height, c.uploadedHeight) << c.what;
    std::vector<std::string> names;
    for (const std::string& call : recorder.Calls())
      if (call.rfind("glGetIntegerv", 0) != 0) names.push_back(call.substr(0, call.find('(')));
    EXPECT_EQ(names, c.calls) << c.what;
    const std::string size = std::to_string(c.uploadedWidth) + "," + std::to_string(c.uploadedHeight);
    for (const std::string& call : recorder.CallsTo("glTexImage2D"))
      EXPECT_EQ(call.rfind("glTexImage2D(" + std::to_string(c.target) + ",0," + std::to_string(GL_RGBA8) + "," + size +
                               ",0,6408,5121,",
                           0),
                0u)
          << call;
    for (const std::string& call : recorder.CallsTo("glTexParameteri"))
      EXPECT_EQ(call, "glTexParameteri(3553,33169,1)") << c.what;
    for (const std::string& call : recorder.CallsTo("gluScaleImage"))
      EXPECT_EQ(call.rfind("gluScaleImage(6408," + std::to_string(c.width) + "," + std::to_string(c.height) + ",5121,", 0),
                0u)
          << call;
  }
}

TEST(GLBitmap32, AnEmptyBufferUploadsNothing) {
  TGLRecorder recorder;
  TGLBitmap32 buffer;
  int width = 7, height = 9;
  buffer.RegisterAsOpenGLTexture(GL_TEXTURE_2D, miLinear, GL_RGBA, width, height);
  EXPECT_TRUE(recorder.Calls().empty());
  EXPECT_EQ(width, 7);
  EXPECT_EQ(height, 9);
}

}  // namespace
