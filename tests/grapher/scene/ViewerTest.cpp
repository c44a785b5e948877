// The grapher's scene read from a form resource and shown by the viewer
// under Wine: what reaches the screen, the state PostRender sees, repaint
// requests, failures inside a frame, and frames rendered into bitmaps.
#include "framework/core/FormResources.h"
#include "framework/windows/Forms.h"
#include "scene/GLGraph.h"
#include "scene/GLObjects.h"
#include "scene/GLWin32Context.h"
#include "scene/GLWin32Viewer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace kx;

namespace {

constexpr unsigned kRed = 0xFF0000, kBlack = 0x000000;

class TSceneForm : public TForm {
  KX_CLASS(TSceneForm, TForm)
 public:
  explicit TSceneForm(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }

  void ViewerPostRender(TObject* sender) {
    ++postRenders;
    lastSender = sender;
    if (onPostRender) onPostRender();
  }
  void ViewerAfterRender(TObject*) {
    ++afterRenders;
    currentAfterRender = GL.wglGetCurrentContext ? GL.wglGetCurrentContext() : nullptr;
  }

  void ViewerClick(TObject*) { mouse.push_back("click"); }
  void ViewerMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
    mouse.push_back("down " + std::to_string(button) + " at " + std::to_string(x) + "," + std::to_string(y) +
                    (GetCapture() == As<TGLStageViewer>(FindComponent("GLStageViewer1"))->Handle() ? " captured" : ""));
  }
  void ViewerMouseUp(TObject*, TMouseButton button, TShiftState, int x, int y) {
    mouse.push_back("up " + std::to_string(button) + " at " + std::to_string(x) + "," + std::to_string(y));
  }

  template <class T>
  T* Find(const char* name) {
    return As<T>(FindComponent(name));
  }

  std::vector<std::string> mouse;
  int postRenders = 0;
  int afterRenders = 0;
  TObject* lastSender = nullptr;
  HGLRC currentAfterRender = nullptr;
  std::function<void()> onPostRender;
};

KX_PUBLISH(TSceneForm) {
  p.Handler("ViewerPostRender", &TSceneForm::ViewerPostRender);
  p.Handler("ViewerAfterRender", &TSceneForm::ViewerAfterRender);
  p.Handler("ViewerClick", &TSceneForm::ViewerClick);
  p.Handler("ViewerMouseDown", &TSceneForm::ViewerMouseDown);
  p.Handler("ViewerMouseUp", &TSceneForm::ViewerMouseUp);
}

// Handles every queued message, the paint messages included, until nothing
// is left to do: no time passes, no frame is missed.
void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The frame as OpenGL holds it, rows from the top, 0x00RRGGBB.
testsupport::Picture ReadFrame(int width, int height) {
  testsupport::Picture picture;
  picture.width = width;
  picture.height = height;
  std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
  GL.glPixelStorei(GL_PACK_ALIGNMENT, 4);
  GL.glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  picture.pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &rgba[(static_cast<size_t>(height - 1 - y) * width + x) * 4];
      picture.pixels[static_cast<size_t>(y) * width + x] = (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
    }
  return picture;
}

testsupport::Picture FromBitmap(TBitmap& bitmap) {
  testsupport::Picture picture;
  picture.width = bitmap.Width();
  picture.height = bitmap.Height();
  const int bytes = bitmap.PixelFormat() == pf32bit ? 4 : 3;
  for (int y = 0; y < picture.height; ++y) {
    const auto* row = static_cast<const unsigned char*>(bitmap.ScanLine(y));
    for (int x = 0; x < picture.width; ++x, row += bytes)
      picture.pixels.push_back((unsigned(row[2]) << 16) | (unsigned(row[1]) << 8) | row[0]);
  }
  return picture;
}

class Viewer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterClasses({&TSceneForm::StaticClass()});
    form_ = TCustomForm::Create<TSceneForm>(nullptr);
    form_->Show();
    Drain();
  }
  static void TearDownTestSuite() {
    delete form_;
    form_ = nullptr;
    Drain();
  }
  void SetUp() override {
    form_->onPostRender = nullptr;
    Application->OnException =
        TExceptionEvent([this](TObject*, const std::exception& e) { reports.push_back(e.what()); });
  }
  void TearDown() override { Application->OnException = TExceptionEvent(); }

  TGLStageViewer* View() const { return form_->Find<TGLStageViewer>("GLStageViewer1"); }
  // Asks for a frame and draws it.
  void Frame() {
    View()->Invalidate();
    Drain();
  }
  // Draws a frame and finds the scene in what PostRender read back.
  void ExpectTheSceneInAFrame(const char* what);

  static TSceneForm* form_;
  std::vector<std::string> reports;
};

TSceneForm* Viewer::form_ = nullptr;

// The pixel a world point lands on, through the matrices of a frame.
struct Projection {
  GLfloat projection[16], modelView[16];
  GLint viewport[4];
  void Read() {
    GL.glGetFloatv(GL_PROJECTION_MATRIX, projection);
    GL.glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    GL.glGetIntegerv(GL_VIEWPORT, viewport);
  }
  // x from the left, y from the top; `scale` for a picture that many times larger.
  POINT Pixel(float x, float y, float z, int scale = 1) const {
    float eye[4], clip[4];
    const float p[4] = {x, y, z, 1};
    for (int i = 0; i < 4; ++i)
      eye[i] = p[0] * modelView[i] + p[1] * modelView[4 + i] + p[2] * modelView[8 + i] + modelView[12 + i];
    for (int i = 0; i < 4; ++i)
      clip[i] = eye[0] * projection[i] + eye[1] * projection[4 + i] + eye[2] * projection[8 + i] +
                eye[3] * projection[12 + i];
    const double w = viewport[2] * scale, h = viewport[3] * scale;
    const double px = (clip[0] / clip[3] + 1) / 2 * w, py = (clip[1] / clip[3] + 1) / 2 * h;
    return POINT{static_cast<LONG>(std::floor(px)), static_cast<LONG>(std::floor(h - py))};
  }
};

// A PostRender handler that keeps the matrices and the pixels of each frame.
std::function<void()> KeepFrames(Projection& view, testsupport::Picture& frame) {
  return [&view, &frame] {
    view.Read();
    frame = ReadFrame(view.viewport[2], view.viewport[3]);
  };
}

// A pixel of exactly this colour within `radius` of the point.
bool ColourNear(const testsupport::Picture& picture, POINT at, unsigned colour, int radius = 1) {
  for (int y = at.y - radius; y <= at.y + radius; ++y)
    for (int x = at.x - radius; x <= at.x + radius; ++x)
      if (x >= 0 && y >= 0 && x < picture.width && y < picture.height && (picture.At(x, y) & 0xFFFFFF) == colour)
        return true;
  return false;
}

unsigned Red(unsigned c) { return (c >> 16) & 0xFF; }
unsigned Green(unsigned c) { return (c >> 8) & 0xFF; }
unsigned Blue(unsigned c) { return c & 0xFF; }

// What the scene shows at a few points: a red line of the XY grid, the X
// axis (a lit grey shaft), the marker sphere (orange, lit up to yellow) and
// the black background between the lines.
void ExpectTheScene(const testsupport::Picture& picture, const Projection& view, int scale, const char* what) {
  EXPECT_TRUE(ColourNear(picture, view.Pixel(-0.5f, 1.5f, 0, scale), kRed, scale)) << what;
  EXPECT_TRUE(ColourNear(picture, view.Pixel(1.5f, -0.5f, 0, scale), kRed, scale)) << what;
  const POINT axis = view.Pixel(2, 0, 0, scale);
  const unsigned shaft = picture.At(axis.x, axis.y);
  EXPECT_GT(Red(shaft), 40u) << what;
  EXPECT_NEAR(double(Red(shaft)), double(Blue(shaft)), 12) << what << std::hex << shaft;
  EXPECT_NEAR(double(Green(shaft)), double(Blue(shaft)), 12) << what << std::hex << shaft;
  const POINT dot = view.Pixel(2, 3, 4, scale);
  const unsigned sphere = picture.At(dot.x, dot.y);
  EXPECT_GE(Red(sphere), 250u) << what << std::hex << sphere;
  EXPECT_GE(Green(sphere), 100u) << what << std::hex << sphere;
  EXPECT_LE(Blue(sphere), 20u) << what << std::hex << sphere;
  int black = 0;
  for (unsigned pixel : picture.pixels) black += (pixel & 0xFFFFFF) == kBlack;
  EXPECT_GT(black, static_cast<int>(picture.pixels.size() / 4)) << what;
}

void Viewer::ExpectTheSceneInAFrame(const char* what) {
  testsupport::Picture frame;
  Projection view{};
  form_->onPostRender = KeepFrames(view, frame);
  Frame();
  ASSERT_EQ(frame.width, 240) << what;
  ExpectTheScene(frame, view, 1, what);
}

// The share of pixels of `large` (scale times the size) whose block holds
// the colour of the pixel of `small`.
double Agreement(const testsupport::Picture& small, const testsupport::Picture& large, int scale) {
  int same = 0;
  for (int y = 0; y < small.height; ++y)
    for (int x = 0; x < small.width; ++x) {
      const unsigned want = small.At(x, y) & 0xFFFFFF;
      bool found = false;
      for (int dy = -1; dy <= scale && !found; ++dy)
        for (int dx = -1; dx <= scale && !found; ++dx) {
          const int lx = x * scale + dx, ly = y * scale + dy;
          if (lx < 0 || ly < 0 || lx >= large.width || ly >= large.height) continue;
          const unsigned got = large.At(lx, ly) & 0xFFFFFF;
          found = std::abs(int(Red(got)) - int(Red(want))) <= 24 &&
                  std::abs(int(Green(got)) - int(Green(want))) <= 24 &&
                  std::abs(int(Blue(got)) - int(Blue(want))) <= 24;
        }
      same += found;
    }
  return double(same) / (small.width * small.height);
}

TEST_F(Viewer, ShowsTheSceneOfItsFormResource) {
  testsupport::Picture frame;
  Projection view{};
  form_->onPostRender = KeepFrames(view, frame);
  Frame();
  ASSERT_EQ(frame.width, 240);
  ASSERT_EQ(frame.height, 160);
  testsupport::SavePng(frame, "scene_viewer_frame.png");
  ExpectTheScene(frame, view, 1, "frame read back");

  if (RunningUnderWine()) {
    auto* context = static_cast<TGLWin32Context*>(View()->Buffer()->RenderingContext());
    EXPECT_EQ(context->PresentationWindow(), View()->Handle());  // through a pixel buffer
  }
  GdiFlush();
  const testsupport::Picture shot = testsupport::CaptureWindow(View()->Handle());
  testsupport::SavePng(shot, "scene_viewer.png");
  ASSERT_EQ(shot.width, 240);
  ExpectTheScene(shot, view, 1, "screenshot");
  EXPECT_GT(Agreement(frame, shot, 1), 0.99);
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(form_->lastSender, View()->Buffer());
}

TEST_F(Viewer, PostRenderSeesTheCamerasMatricesAndTheFramesState) {
  std::vector<std::string> broken;
  auto check = [&](bool ok, const std::string& what) {
    if (!ok) broken.push_back(what);
  };
  TGLStageBuffer* buffer = View()->Buffer();
  form_->onPostRender = [&] {
    auto* context = static_cast<TGLWin32Context*>(buffer->RenderingContext());
    check(CurrentGLContext() == context, "the buffer's context is the current one");
    check(GL.wglGetCurrentContext() == context->RC(), "and current in WGL");
    GLint mode = 0, depth = 0, viewport[4] = {}, redBits = 0;
    GL.glGetIntegerv(GL_MATRIX_MODE, &mode);
    GL.glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    GL.glGetIntegerv(GL_VIEWPORT, viewport);
    GL.glGetIntegerv(GL_RED_BITS, &redBits);
    check(mode == GL_MODELVIEW, "the model-view matrix is current");
    check(depth == 1, "at stack depth 1, not " + std::to_string(depth));
    check(viewport[0] == 0 && viewport[1] == 0 && viewport[2] == 240 && viewport[3] == 160, "the viewport is the view");

    // The projection of a 240 x 160 view at 96 dpi, focal length 200, depth of view 100.
    const double n = 200.0 * 2 * 96 / (25.4 * 240), f = n + 100, r = 0.5, t = 160.0 / 480;
    const double projection[16] = {
        n / r, 0, 0, 0, 0, n / t, 0, 0, 0, 0, -(f + n) / (f - n), -1, 0, 0, -2 * f * n / (f - n), 0};
    GLfloat got[16];
    GL.glGetFloatv(GL_PROJECTION_MATRIX, got);
    for (int i = 0; i < 16; ++i)
      check(std::fabs(got[i] - projection[i]) <= 1e-5 * std::max(1.0, std::fabs(projection[i])),
            "projection element " + std::to_string(i) + ": " + std::to_string(got[i]) + " for " +
                std::to_string(projection[i]));

    // The view from (20, 20, 20) at the XY grid's centre, z up.
    const double eye[3] = {20, 20, 20};
    const double s3 = std::sqrt(3.0), s2 = std::sqrt(2.0), s6 = std::sqrt(6.0);
    const double forward[3] = {-1 / s3, -1 / s3, -1 / s3}, side[3] = {-1 / s2, 1 / s2, 0},
                 up[3] = {-1 / s6, -1 / s6, 2 / s6};
    auto dot = [](const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
    const double modelView[16] = {side[0], up[0], -forward[0], 0, side[1],         up[1],         -forward[1],       0,
                                  side[2], up[2], -forward[2], 0, -dot(side, eye), -dot(up, eye), dot(forward, eye), 1};
    GL.glGetFloatv(GL_MODELVIEW_MATRIX, got);
    for (int i = 0; i < 16; ++i)
      check(std::fabs(got[i] - modelView[i]) <= 2e-5 * std::max(1.0, std::fabs(modelView[i])),
            "model-view element " + std::to_string(i) + ": " + std::to_string(got[i]) + " for " +
                std::to_string(modelView[i]));

    auto enabled = [](GLenum capability) {
      GLboolean on = GL_FALSE;
      GL.glGetBooleanv(capability, &on);
      return on == GL_TRUE;
    };
    check(enabled(GL_LIGHT0), "the first light shines");
    check(!enabled(GL_LIGHT1), "the second does not");
    check(enabled(GL_LIGHTING) && enabled(GL_DEPTH_TEST) && enabled(GL_CULL_FACE), "the buffer's switches");
    check(!enabled(GL_FOG), "no fog");
    check(enabled(GL_NORMALIZE), "normals are normalised");
    check(enabled(GL_DITHER) == (redBits < 8), "dithering below 8 red bits only");
    check(!enabled(GL_BLEND) && !enabled(GL_TEXTURE_2D), "the sphere's blending is off again");
  };
  Frame();
  EXPECT_EQ(broken, std::vector<std::string>{});
  form_->onPostRender = nullptr;
  Frame();
  // Outside the frame no context is current, AfterRender included.
  EXPECT_EQ(form_->currentAfterRender, nullptr);
  EXPECT_EQ(CurrentGLContext(), nullptr);
  EXPECT_EQ(GL.wglGetCurrentContext(), nullptr);
}

TEST_F(Viewer, APropertyChangeAsksForOneFrameAChangeInsidePostRenderForNone) {
  Frame();
  const int before = form_->postRenders;
  auto* grid = form_->Find<TXYZGrid>("XYGrid");
  grid->SetVisible(false);
  grid->LineColor()->SetGreen(0.5f);
  Drain();
  EXPECT_EQ(form_->postRenders, before + 1);
  RECT invalid{};
  EXPECT_FALSE(GetUpdateRect(View()->Handle(), &invalid, FALSE));
  grid->SetVisible(true);
  grid->LineColor()->SetGreen(0);
  Drain();
  EXPECT_EQ(form_->postRenders, before + 2);

  auto* dot = form_->Find<TSphere>("spDot");
  form_->onPostRender = [&] { dot->Position()->SetX(dot->Position()->X() + 0.5f); };
  Frame();
  Drain();
  EXPECT_EQ(form_->postRenders, before + 3);  // the move inside the frame asked for none
  EXPECT_FALSE(GetUpdateRect(View()->Handle(), &invalid, FALSE));
  // A change after one made inside a frame still asks for a frame.
  form_->onPostRender = nullptr;
  dot->Position()->SetX(2);
  Drain();
  EXPECT_EQ(form_->postRenders, before + 4);
  form_->onPostRender = [&] { grid->SetLineWidth(grid->LineWidth() == 1 ? 2 : 1); };
  Frame();
  EXPECT_EQ(form_->postRenders, before + 5);
  form_->onPostRender = nullptr;
  grid->SetLineWidth(1);
  Drain();
  EXPECT_EQ(form_->postRenders, before + 6);
}

TEST_F(Viewer, AFailingFrameIsReportedOnceAndTheNextFrameDraws) {
  int attempts = 0;
  form_->onPostRender = [&] {
    ++attempts;
    throw Exception("The plot failed");
  };
  for (int i = 0; i < 3; ++i) Frame();
  EXPECT_EQ(attempts, 3);
  EXPECT_EQ(reports, std::vector<std::string>{"The plot failed"});
  RECT invalid{};
  EXPECT_FALSE(GetUpdateRect(View()->Handle(), &invalid, FALSE));  // the paint was ended
  EXPECT_EQ(CurrentGLContext(), nullptr);
  EXPECT_FALSE(View()->Buffer()->Rendering());

  ExpectTheSceneInAFrame("after a failure");
  EXPECT_EQ(reports.size(), 1u);
  form_->onPostRender = [&] { throw Exception("The plot failed"); };
  Frame();  // failing again after a good frame: a new report
  EXPECT_EQ(reports.size(), 2u);
}

TEST_F(Viewer, ABitmapHoldsTheSameFrameScaledWithExactColours) {
  Projection view{};
  testsupport::Picture frame;
  form_->onPostRender = KeepFrames(view, frame);
  Frame();
  int bitmapFrames = 0;
  form_->onPostRender = [&] { ++bitmapFrames; };
  TBitmap same;
  same.SetSize(240, 160);
  View()->Buffer()->RenderToBitmap(&same, 96);
  TBitmap twice;
  twice.SetSize(480, 320);
  View()->Buffer()->RenderToBitmap(&twice, 192);
  EXPECT_EQ(bitmapFrames, 2);  // PostRender draws into the bitmaps too
  EXPECT_EQ(same.PixelFormat(), pf24bit);
  const testsupport::Picture samePicture = FromBitmap(same), twicePicture = FromBitmap(twice);
  testsupport::SavePng(samePicture, "scene_bitmap.png");
  testsupport::SavePng(twicePicture, "scene_bitmap_twice.png");
  ExpectTheScene(samePicture, view, 1, "bitmap");
  ExpectTheScene(twicePicture, view, 2, "bitmap at twice the size");
  EXPECT_GT(Agreement(frame, samePicture, 1), 0.97);
  EXPECT_GT(Agreement(samePicture, twicePicture, 2), 0.95);
  EXPECT_EQ(CurrentGLContext(), nullptr);

  // The window's frames go on, its display lists built again.
  form_->onPostRender = [&] { frame = ReadFrame(240, 160); };
  Frame();
  ExpectTheScene(frame, view, 1, "window frame after the bitmaps");
}

TEST_F(Viewer, ABitmapIsRenderedWhileAnotherContextIsCurrent) {
  TGLWin32Context other;
  other.SetColorBits(24);
  other.CreateMemoryContext(nullptr, 16, 16);
  other.Activate();
  other.Activate();
  TBitmap bitmap;
  bitmap.SetSize(60, 40);
  View()->Buffer()->RenderToBitmap(&bitmap, 24);
  EXPECT_EQ(CurrentGLContext(), &other);
  EXPECT_EQ(GL.wglGetCurrentContext(), other.RC());
  other.Deactivate();
  EXPECT_TRUE(other.Active());
  other.Deactivate();
  other.DestroyContext();
  const testsupport::Picture picture = FromBitmap(bitmap);
  int red = 0;
  for (unsigned pixel : picture.pixels) red += pixel == kRed;
  EXPECT_GT(red, 0);
}

TEST_F(Viewer, ABitmapLargerThanOpenGLCanDrawIsRefused) {
  const int limit = View()->Buffer()->GetLimit(limViewportDims);
  ASSERT_GT(limit, 1000);
  TBitmap bitmap;
  bitmap.SetSize(limit + 1, 1);
  bitmap.Canvas()->Brush()->SetColor(clLime);
  bitmap.Canvas()->FillRect(RECT{0, 0, limit + 1, 1});
  EXPECT_THROW(View()->Buffer()->RenderToBitmap(&bitmap, 96), EGLContext);
  EXPECT_EQ(bitmap.Canvas()->Pixel(limit, 0), clLime);  // not a partial picture
  EXPECT_EQ(CurrentGLContext(), nullptr);
  Frame();  // the view still draws
  EXPECT_TRUE(reports.empty());
}

TEST_F(Viewer, ThePresentationFollowsTheViewsSize) {
  testsupport::Picture frame;
  Projection view{};
  form_->onPostRender = KeepFrames(view, frame);
  View()->SetBounds(8, 8, 200, 120);
  Drain();
  ASSERT_EQ(frame.width, 200);
  ASSERT_EQ(frame.height, 120);
  GdiFlush();
  const testsupport::Picture shot = testsupport::CaptureWindow(View()->Handle());
  testsupport::SavePng(shot, "scene_viewer_smaller.png");
  ASSERT_EQ(shot.width, 200);
  EXPECT_GT(Agreement(frame, shot, 1), 0.99);
  EXPECT_TRUE(ColourNear(shot, view.Pixel(-0.5f, 1.5f, 0), kRed));

  View()->SetBounds(8, 8, 240, 160);
  Drain();
  EXPECT_EQ(frame.width, 240);
  GdiFlush();
  const testsupport::Picture again = testsupport::CaptureWindow(View()->Handle());
  EXPECT_GT(Agreement(frame, again, 1), 0.99);
}

TEST_F(Viewer, AContextSettingRecreatesTheWindowAndTheContext) {
  View()->Buffer()->SetDepthPrecision(dp16bits);
  TGLContext* after = View()->Buffer()->RenderingContext();
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->DepthBits(), 16);
  testsupport::Picture frame;
  Projection view{};
  form_->onPostRender = KeepFrames(view, frame);
  Frame();
  ASSERT_EQ(frame.width, 240);
  testsupport::SavePng(frame, "scene_viewer_new_context.png");
  ExpectTheScene(frame, view, 1, "new context");
  View()->Buffer()->SetDepthPrecision(dpDefault);
  Frame();
  EXPECT_TRUE(reports.empty());
}

// The grapher orbits and picks with the mouse on the view: the viewer hands
// the presses to the form's handlers and holds the mouse while a button is down.
TEST_F(Viewer, MousePressesReachTheFormsHandlers) {
  form_->mouse.clear();
  const HWND view = View()->Handle();
  SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
  SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(32, 41));
  Drain();
  EXPECT_EQ(form_->mouse, (std::vector<std::string>{"down 0 at 30,40 captured", "click", "up 0 at 32,41"}));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(reports.empty());
}

// A view squeezed to nothing keeps a one-pixel viewport and draws on; its
// full size brings the whole scene back.
TEST_F(Viewer, AViewOfNoSizeKeepsOnePixelAndComesBack) {
  View()->SetBounds(8, 8, 0, 0);
  Frame();
  EXPECT_EQ(View()->Buffer()->ViewPort().Width, 1);
  EXPECT_EQ(View()->Buffer()->ViewPort().Height, 1);
  View()->SetBounds(8, 8, 240, 160);
  ExpectTheSceneInAFrame("back to its size");
  EXPECT_TRUE(reports.empty());
}

// A camera that goes while the view shows it leaves frames that only clear.
TEST_F(Viewer, AFreedCameraLeavesTheViewWithoutOne) {
  auto* scene = form_->Find<TGLStage>("GLStage1");
  auto* own = form_->Find<TGLCamera>("GLCamera1");
  auto* spare = scene->CameraRoot()->AddNewChild<TGLCamera>();
  spare->Position()->SetPoint(0, 0, 30);
  View()->SetCamera(spare);
  ASSERT_EQ(View()->Camera(), spare);
  Frame();
  delete spare;
  EXPECT_EQ(View()->Camera(), nullptr);
  const int before = form_->postRenders;
  Frame();
  EXPECT_EQ(form_->postRenders, before);  // nothing to look through: no scene, no PostRender
  GdiFlush();
  const testsupport::Picture blank = testsupport::CaptureWindow(View()->Handle());
  int black = 0;
  for (unsigned pixel : blank.pixels) black += (pixel & 0xFFFFFF) == kBlack;
  EXPECT_EQ(black, static_cast<int>(blank.pixels.size()));

  View()->SetCamera(own);
  ExpectTheSceneInAFrame("its own camera again");
  EXPECT_TRUE(reports.empty());
}

}  // namespace
