#include "GLRecorder.h"
#include "scene/GLWin32Context.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace kx;

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

LRESULT CALLBACK TestWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcA(wnd, message, wParam, lParam);
}

const char* TestWindowClass() {
  static const char* name = [] {
    WNDCLASSA cls{};
    cls.style = CS_OWNDC;
    cls.lpfnWndProc = TestWindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.lpszClassName = "SceneContextTestWindow";
    RegisterClassA(&cls);
    return "SceneContextTestWindow";
  }();
  return name;
}

// A top-level window with one child filling most of it.
struct TestWindows {
  TestWindows() {
    top = CreateWindowExA(0, TestWindowClass(), "Scene context test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 260,
                          220, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!top) ADD_FAILURE() << "the test window could not be made: error " << GetLastError();
    child = CreateWindowExA(0, TestWindowClass(), "", WS_CHILD | WS_VISIBLE, 10, 10, 160, 120, top, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    if (top && !child) ADD_FAILURE() << "its child could not be made: error " << GetLastError();
    testsupport::PumpUntil([] { return false; }, 200);
  }
  ~TestWindows() {
    if (IsWindow(top)) DestroyWindow(top);
  }
  HWND top = nullptr;
  HWND child = nullptr;
};

// A 32-bit top-down DIB selected into a memory device context.
struct TestBitmap {
  TestBitmap(int w, int h) : width(w), height(h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    old = SelectObject(dc, bitmap);
  }
  ~TestBitmap() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  uint32_t At(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; }
  int width, height;
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  uint32_t* bits = nullptr;
};

// Clears to `background` and fills the lower-left half with a red triangle.
void DrawFrame(int width, int height, float r, float g, float b) {
  GL.glViewport(0, 0, width, height);
  GL.glMatrixMode(GL_PROJECTION);
  GL.glLoadIdentity();
  GL.glMatrixMode(GL_MODELVIEW);
  GL.glLoadIdentity();
  GL.glDisable(GL_DEPTH_TEST);
  GL.glClearColor(r, g, b, 1);
  GL.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  GL.glColor3f(1, 0, 0);
  GL.glBegin(GL_TRIANGLES);
  GL.glVertex2f(-1, -1);
  GL.glVertex2f(1, -1);
  GL.glVertex2f(-1, 1);
  GL.glEnd();
  GL.glFinish();
}

// Reads one pixel of the current framebuffer as 0xRRGGBB; y counts from the top.
uint32_t ReadPixel(int x, int y, int height) {
  GLubyte rgba[4] = {};
  GL.glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return (uint32_t(rgba[0]) << 16) | (uint32_t(rgba[1]) << 8) | rgba[2];
}

// 24-bit colour and depth, double-buffered: what the grapher's view asks for.
void WishAsTheView(TGLContext& context) {
  context.SetColorBits(24);
  context.SetDepthBits(24);
  context.SetOptions({cfDoubleBuffer});
}

class Win32ContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitOpenGL());
    savedPresentation_ = PresentThroughPBuffer;
  }
  void TearDown() override { PresentThroughPBuffer = savedPresentation_; }

 private:
  bool savedPresentation_ = false;
};

TEST_F(Win32ContextTest, ABitmapContextDrawsIntoA32BitDib) {
  TestBitmap bitmap(64, 48);
  TGLWin32Context context;
  context.SetDepthBits(24);
  context.CreateContext(bitmap.dc);
  EXPECT_TRUE(context.IsValid());
  EXPECT_EQ(WatchedWindowCount(), 0);  // no utility window, nothing to watch
  PIXELFORMATDESCRIPTOR pfd{};
  DescribePixelFormat(bitmap.dc, GetPixelFormat(bitmap.dc), sizeof pfd, &pfd);
  EXPECT_TRUE(pfd.dwFlags & PFD_DRAW_TO_BITMAP);
  EXPECT_EQ(context.AccelerationKind(), (pfd.dwFlags & PFD_GENERIC_FORMAT) ? 2 : 1);

  context.Activate();
  EXPECT_TRUE(GLCaps.AtLeast(1, 1));
  DrawFrame(bitmap.width, bitmap.height, 0, 0, 1);
  context.Deactivate();
  GdiFlush();
  EXPECT_EQ(bitmap.At(4, bitmap.height - 4), kRed);
  EXPECT_EQ(bitmap.At(bitmap.width - 4, 4), kBlue);
  context.DestroyContext();
  EXPECT_FALSE(context.IsValid());
}

TEST_F(Win32ContextTest, AWindowContextDrawsAndReadsBack) {
  TestWindows windows;
  TGLWin32Context context;
  WishAsTheView(context);
  HDC dc = GetDC(windows.top);
  context.CreateContext(dc);
  EXPECT_EQ(context.PBuffer(), nullptr);
  EXPECT_EQ(context.DC(), dc);
  EXPECT_EQ(WatchedWindowCount(), 1);        // the window's entry; the utility window's is gone
  EXPECT_TRUE(GLCaps.WGL_ARB_pixel_format);  // read through the temporary context
  RECT client;
  GetClientRect(windows.top, &client);
  context.Activate();
  DrawFrame(client.right, client.bottom, 0, 1, 0);
  EXPECT_EQ(ReadPixel(4, client.bottom - 4, client.bottom), kRed);
  EXPECT_EQ(ReadPixel(client.right - 4, 4, client.bottom), kGreen);
  context.SwapBuffers();
  context.Deactivate();
  context.DestroyContext();
  EXPECT_EQ(WatchedWindowCount(), 0);
  ReleaseDC(windows.top, dc);
}

TEST_F(Win32ContextTest, UnderWineAChildWindowShowsItsFrameThroughAPixelBuffer) {
  if (!RunningUnderWine()) GTEST_SKIP() << "the presentation path is for Wine";
  ASSERT_TRUE(PresentThroughPBuffer);
  TestWindows windows;
  TGLWin32Context context;
  WishAsTheView(context);
  HDC dc = GetDC(windows.child);
  context.CreateContext(dc);
  EXPECT_EQ(context.PresentationWindow(), windows.child);
  EXPECT_NE(context.PBuffer(), nullptr);
  context.Activate();
  DrawFrame(160, 120, 0, 0, 1);
  context.SwapBuffers();
  context.Deactivate();
  GdiFlush();
  testsupport::PumpUntil([] { return false; }, 100);

  const testsupport::Picture shot = testsupport::CaptureWindow(windows.child);
  testsupport::SavePng(shot, "scene_child_presentation.png");
  ASSERT_EQ(shot.width, 160);
  ASSERT_EQ(shot.height, 120);
  EXPECT_EQ(shot.At(5, 114) & 0xFFFFFF, kRed);
  EXPECT_EQ(shot.At(154, 5) & 0xFFFFFF, kBlue);
  context.DestroyContext();
  ReleaseDC(windows.child, dc);
}

TEST_F(Win32ContextTest, TheDirectPathOnAChildWindowRendersIntoTheWindowsOwnBuffer) {
  PresentThroughPBuffer = false;
  TestWindows windows;
  TGLWin32Context context;
  WishAsTheView(context);
  HDC dc = GetDC(windows.child);
  context.CreateContext(dc);
  EXPECT_EQ(context.PBuffer(), nullptr);
  EXPECT_EQ(context.PresentationWindow(), nullptr);
  context.Activate();
  DrawFrame(160, 120, 0, 0, 1);
  EXPECT_EQ(ReadPixel(4, 116, 120), kRed);
  EXPECT_EQ(ReadPixel(156, 4, 120), kBlue);
  context.SwapBuffers();
  context.Deactivate();
  context.DestroyContext();
  ReleaseDC(windows.child, dc);
}

// What the child window saw of its context when its own destruction came.
TGLContext* ContextOfChild = nullptr;
bool ValidWhenChildWasDestroyed = true;
WNDPROC ChildBaseProc = nullptr;
LRESULT CALLBACK ChildProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY && ContextOfChild) ValidWhenChildWasDestroyed = ContextOfChild->IsValid();
  return CallWindowProcA(ChildBaseProc, wnd, message, wParam, lParam);
}

TEST_F(Win32ContextTest, AContextDiesWithAnAncestorOfItsWindow) {
  for (bool presentation : {false, true}) {
    PresentThroughPBuffer = presentation && RunningUnderWine();
    TestWindows windows;
    TGLWin32Context context;
    HDC dc = GetDC(windows.child);
    context.CreateContext(dc);
    ASSERT_TRUE(context.IsValid());
    EXPECT_EQ(WatchedWindowCount(), 1);
    ContextOfChild = &context;
    ValidWhenChildWasDestroyed = true;
    ChildBaseProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(windows.child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildProc)));
    DestroyWindow(windows.top);
    ContextOfChild = nullptr;
    EXPECT_FALSE(ValidWhenChildWasDestroyed) << presentation;  // gone before the child's own turn
    EXPECT_FALSE(context.IsValid()) << presentation;
    EXPECT_EQ(WatchedWindowCount(), 0);
  }
}

TEST_F(Win32ContextTest, AContextOutlivingItsWindowLeavesNoWatchBehind) {
  TestWindows windows;
  TGLListHandle list;
  {
    TGLWin32Context context;
    HDC dc = GetDC(windows.top);
    context.CreateContext(dc);
    context.Activate();
    list.AllocateHandle();
    context.Deactivate();
    DestroyWindow(windows.top);  // the watched window itself: no ancestor went
    EXPECT_TRUE(context.IsValid());
    EXPECT_THROW(context.DestroyContext(), EGLContext);  // cannot be made current any more
  }
  EXPECT_EQ(WatchedWindowCount(), 0);
  // Its name went with the context; the handle no longer refers to it.
  EXPECT_EQ(list.Handle(), 0u);
  EXPECT_EQ(list.OwnerContext(), nullptr);
}

TEST_F(Win32ContextTest, TwoContextsOnOneWindowKeepTheirOwnWatch) {
  TestWindows windows;
  HDC dc = GetDC(windows.child);
  auto first = std::make_unique<TGLWin32Context>();
  auto second = std::make_unique<TGLWin32Context>();
  first->CreateContext(dc);
  second->CreateContext(dc);
  EXPECT_EQ(WatchedWindowCount(), 2);
  second.reset();  // its entry goes, the first context's stays
  EXPECT_EQ(WatchedWindowCount(), 1);
  DestroyWindow(windows.top);
  EXPECT_FALSE(first->IsValid());  // the first still died with the window
  EXPECT_EQ(WatchedWindowCount(), 0);
}

TEST_F(Win32ContextTest, CreatingAContextKeepsTheCurrentOne) {
  TGLWin32Context current;
  current.SetColorBits(24);
  current.CreateMemoryContext(nullptr, 16, 16);
  current.Activate();
  // A window context chooses its format through a temporary context, a
  // memory context makes one for its pixel buffer.
  TestWindows windows;
  TGLWin32Context onWindow, inMemory;
  HDC dc = GetDC(windows.top);
  onWindow.CreateContext(dc);
  EXPECT_EQ(GL.wglGetCurrentContext(), current.RC());
  inMemory.CreateMemoryContext(nullptr, 8, 8);
  EXPECT_EQ(GL.wglGetCurrentContext(), current.RC());
  EXPECT_EQ(CurrentGLContext(), &current);
  DrawFrame(16, 16, 0, 1, 0);  // still the one drawn into
  EXPECT_EQ(ReadPixel(13, 2, 16), kGreen);
  current.Deactivate();
  inMemory.DestroyContext();
  onWindow.DestroyContext();
  current.DestroyContext();
  ReleaseDC(windows.top, dc);
}

TEST_F(Win32ContextTest, AMemoryContextRendersIntoAPixelBuffer) {
  TGLWin32Context context;
  context.SetColorBits(24);
  context.SetDepthBits(24);
  context.CreateMemoryContext(nullptr, 32, 32);
  ASSERT_NE(context.PBuffer(), nullptr);
  EXPECT_EQ(context.AccelerationKind(), 1);
  context.Activate();
  DrawFrame(32, 32, 0, 1, 0);
  EXPECT_EQ(ReadPixel(2, 29, 32), kRed);
  EXPECT_EQ(ReadPixel(29, 2, 32), kGreen);
  context.SwapBuffers();  // nothing to present
  context.Deactivate();
  context.DestroyContext();
  EXPECT_EQ(context.PBuffer(), nullptr);
}

TEST_F(Win32ContextTest, SharedContextsSeeEachOthersDisplayLists) {
  TGLWin32Context first, second;
  first.SetColorBits(24);
  second.SetColorBits(24);
  first.CreateMemoryContext(nullptr, 16, 16);
  second.CreateMemoryContext(nullptr, 16, 16);
  first.ShareLists(&second);
  TGLListHandle list;
  first.Activate();
  list.AllocateHandle();
  GL.glNewList(list.Handle(), GL_COMPILE);
  GL.glEndList();
  first.Deactivate();
  second.Activate();
  EXPECT_TRUE(GL.glIsList(list.Handle()));
  second.Deactivate();
  first.DestroyContext();
  EXPECT_EQ(list.OwnerContext(), &second);
  list.DestroyHandle();
}

// The default wishes (32 colour bits) on the pixel-buffer paths.
TEST_F(Win32ContextTest, PixelBuffersWithTheDefaultColourDepthCanBeDrawn) {
  TGLWin32Context memory;
  memory.CreateMemoryContext(nullptr, 16, 16);
  EXPECT_EQ(memory.ColorBits(), 32);  // the wish itself is kept
  memory.Activate();
  DrawFrame(16, 16, 0, 1, 0);
  EXPECT_EQ(ReadPixel(13, 2, 16), kGreen);
  memory.Deactivate();
  memory.DestroyContext();

  TestWindows windows;
  TGLWin32Context context;
  context.SetOptions({cfDoubleBuffer});
  HDC dc = GetDC(windows.child);
  context.CreateContext(dc);
  context.Activate();
  DrawFrame(160, 120, 0, 0, 1);
  EXPECT_EQ(ReadPixel(4, 116, 120), kRed);
  context.SwapBuffers();
  context.Deactivate();
  context.DestroyContext();
  ReleaseDC(windows.child, dc);
}

TEST(Win32ContextAttribs, PairsEndInOneZero) {
  TGLWin32Context context;
  EXPECT_EQ(context.IntAttribs(), std::vector<int>{0});
  context.AddIntAttrib(1, 10);
  context.AddIntAttrib(2, 20);
  context.ChangeIntAttrib(2, 21);
  context.ChangeIntAttrib(3, 30);
  EXPECT_EQ(context.IntAttribs(), (std::vector<int>{1, 10, 2, 21, 3, 30, 0}));
  context.DropIntAttrib(2);
  context.DropIntAttrib(99);
  EXPECT_EQ(context.IntAttribs(), (std::vector<int>{1, 10, 3, 30, 0}));
  context.ClearIntAttribs();
  EXPECT_EQ(context.IntAttribs(), std::vector<int>{0});
}

std::vector<std::vector<int>> Attempts;
BOOL APIENTRY RefusingChoice(HDC, const int* ints, const FLOAT*, UINT, int*, UINT* count) {
  std::vector<int> list;
  for (const int* p = ints; *p; p += 2) list.insert(list.end(), {p[0], p[1]});
  Attempts.push_back(list);
  *count = 0;
  return TRUE;
}

TEST(Win32ContextAttribs, TheChoiceRelaxesItsWishesStepByStep) {
  TGLRecorder recorder;
  GL.wglChoosePixelFormatARB = &RefusingChoice;
  GLCaps.WGL_ARB_multisample = GLCaps.GL_ARB_multisample = true;
  Attempts.clear();
  TGLWin32Context context;
  context.SetColorBits(32);
  context.SetDepthBits(32);
  context.SetAntiAliasing(aa4x);
  int formats[32];
  UINT count = 7;
  context.ChooseExtendedPixelFormat(nullptr, 32, formats, count);
  EXPECT_EQ(count, 0u);
  const int accel = WGL_ACCELERATION_ARB, full = WGL_FULL_ACCELERATION_ARB, color = WGL_COLOR_BITS_ARB,
            depth = WGL_DEPTH_BITS_ARB;
  const std::vector<std::vector<int>> expected = {
      {accel, full, color, 32, depth, 32, WGL_SAMPLE_BUFFERS_ARB, 1, WGL_SAMPLES_ARB, 4},
      {accel, full, color, 32, depth, 24},
      {accel, full, color, 32, depth, 16},
      {accel, full, color, 16, depth, 16},
      {color, 32, depth, 32},
  };
  EXPECT_EQ(Attempts, expected);
}

BOOL APIENTRY SampleBuffersOfFormat(HDC, int format, int, UINT, const int*, int* values) {
  *values = format >= 10 ? 1 : 0;  // formats from 10 up are multisampled
  return TRUE;
}

TEST(Win32ContextAttribs, TheFirstSingleSampledFormatIsTaken) {
  TGLRecorder recorder;
  GL.wglGetPixelFormatAttribivARB = &SampleBuffersOfFormat;
  const int mixed[] = {12, 11, 4, 5};
  EXPECT_EQ(FirstSingleSampledFormat(nullptr, mixed, 4), 4);
  const int multisampled[] = {12, 11, 13};
  EXPECT_EQ(FirstSingleSampledFormat(nullptr, multisampled, 3), 13);
  EXPECT_EQ(FirstSingleSampledFormat(nullptr, mixed, 0), 0);
  GL.wglGetPixelFormatAttribivARB = nullptr;
  EXPECT_EQ(FirstSingleSampledFormat(nullptr, mixed, 4), 12);
}

}  // namespace

TEST(Win32ContextPalette, OnlyFormatsOf8BitsOrFewerGetAPalette) {
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.cColorBits = 8;  // red 3 bits, green 3, blue 2
  pfd.cRedBits = 3;
  pfd.cRedShift = 0;
  pfd.cGreenBits = 3;
  pfd.cGreenShift = 3;
  pfd.cBlueBits = 2;
  pfd.cBlueShift = 6;
  std::vector<PALETTEENTRY> entries = LogicalPaletteEntries(pfd);
  ASSERT_EQ(entries.size(), 256u);
  EXPECT_EQ(entries[0].peRed + entries[0].peGreen + entries[0].peBlue, 0);
  EXPECT_EQ(entries[255].peRed, 255);
  EXPECT_EQ(entries[255].peGreen, 255);
  EXPECT_EQ(entries[255].peBlue, 255);
  EXPECT_EQ(entries[0x07].peRed, 255);
  EXPECT_EQ(entries[0x07].peGreen, 0);
  EXPECT_EQ(entries[0x40].peBlue, 85);

  pfd.cColorBits = 4;
  EXPECT_EQ(LogicalPaletteEntries(pfd).size(), 16u);
  for (BYTE bits : {BYTE{16}, BYTE{24}, BYTE{32}, BYTE{0}}) {
    pfd.cColorBits = bits;
    EXPECT_TRUE(LogicalPaletteEntries(pfd).empty()) << int(bits) << " colour bits";
  }
}
