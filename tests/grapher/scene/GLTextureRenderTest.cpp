// A textured quad drawn by Wine's OpenGL into a bitmap and read back: the
// texture's pixels land where they belong.
#include "scene/GLTexture.h"
#include "scene/GLTextureImages.h"
#include "scene/GLWin32Context.h"
#include "scene/XOpenGL.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

using namespace kx;

namespace {

constexpr int kSize = 64;

// A 32-bit DIB selected into a memory device context.
struct TargetBitmap {
  TargetBitmap() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
  }
  ~TargetBitmap() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

// 0xRRGGBB of the framebuffer at (x, y), y counted from the bottom.
uint32_t ReadPixel(int x, int y) {
  GLubyte rgba[4] = {};
  GL.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return (uint32_t(rgba[0]) << 16) | (uint32_t(rgba[1]) << 8) | rgba[2];
}

// A 4 x 4 picture of four 2 x 2 quadrants.
std::unique_ptr<TBitmap> Quadrants() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(4, 4);
  const TColor colors[2][2] = {{clRed, clLime}, {clBlue, clYellow}};  // [top/bottom][left/right]
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) bitmap->Canvas()->SetPixel(x, y, colors[y / 2][x / 2]);
  return bitmap;
}

TEST(TextureRender, ATexturedQuadShowsThePictureTheRightWayUp) {
  ASSERT_TRUE(InitOpenGL());
  TargetBitmap target;
  TGLWin32Context context;
  context.CreateContext(target.dc);
  context.Activate();
  {
    TGLMaterial material(nullptr);
    TGLTexture* texture = material.Texture();
    static_cast<TGLPersistentImage*>(texture->Image())->Picture()->SetGraphic(Quadrants().get());
    texture->SetMinFilter(miNearest);
    texture->SetMagFilter(maNearest);
    texture->SetTextureMode(tmReplace);
    texture->SetDisabled(false);

    GL.glViewport(0, 0, kSize, kSize);
    GL.glMatrixMode(GL_PROJECTION);
    GL.glLoadIdentity();
    GL.glMatrixMode(GL_MODELVIEW);
    GL.glLoadIdentity();
    GL.glClearColor(0, 0, 0, 1);
    GL.glClear(GL_COLOR_BUFFER_BIT);
    ResetGLCurrentTexture();
    TRenderContextInfo rci;
    texture->Apply(rci);
    EXPECT_TRUE(texture->IsHandleAllocated());
    EXPECT_EQ(texture->TexWidth(), 4);
    GL.glBegin(GL_QUADS);
    xglTexCoord2f(0, 0);
    GL.glVertex2f(-1, -1);
    xglTexCoord2f(1, 0);
    GL.glVertex2f(1, -1);
    xglTexCoord2f(1, 1);
    GL.glVertex2f(1, 1);
    xglTexCoord2f(0, 1);
    GL.glVertex2f(-1, 1);
    GL.glEnd();
    texture->UnApply(rci);
    GL.glFinish();
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));

    const int low = kSize / 4, high = 3 * kSize / 4;
    EXPECT_EQ(ReadPixel(low, high), 0xFF0000u) << "top left";
    EXPECT_EQ(ReadPixel(high, high), 0x00FF00u) << "top right";
    EXPECT_EQ(ReadPixel(low, low), 0x0000FFu) << "bottom left";
    EXPECT_EQ(ReadPixel(high, low), 0xFFFF00u) << "bottom right";
    texture->DestroyHandles();
  }
  context.Deactivate();
  context.DestroyContext();
}

}  // namespace
