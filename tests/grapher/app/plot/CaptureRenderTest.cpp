// The 2D view rendered by the scene's viewer under Wine into PNG pictures
// through SaveCapture, decoded again: background, axes where the view state
// puts them, grid, numbers, curves where their formulas put them, the other
// background, point mode, the evaluation marks, twice the size, and a 3D
// capture. The pictures stay in the test folder to be looked at.
#include "app/plot/MainU_Capture.h"
#include "app/plot/MainU_Render2D.h"
#include "framework/core/FormResources.h"
#include "framework/windows/Forms.h"
#include "scene/GLWin32Viewer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

using namespace kx;

namespace {

constexpr unsigned kWhite = 0xFFFFFF, kBlack = 0x000000, kSilver = 0xC0C0C0, kBlue = 0x0000FF, kLime = 0x00FF00;

// The main window's viewer and scene, its post-render event bound to the 2D
// drawing while the view is in 2D mode.
class TCaptureForm : public TForm {
  KX_CLASS(TCaptureForm, TForm)
 public:
  explicit TCaptureForm(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }

  void ViewerPostRender(TObject*) {
    if (!plot || !plot->View.Is2DMode) return;
    before = ReadState();
    Render2D(*plot);
    after = ReadState();
  }

  // What Render2D must leave as it found it.
  struct TState {
    GLint projectionDepth, modelViewDepth, matrixMode;
    GLboolean depthTest, lighting, blend, cullFace, texture2D, lineSmooth;
    GLfloat lineWidth, color[4];
    bool operator==(const TState& o) const {
      return projectionDepth == o.projectionDepth && modelViewDepth == o.modelViewDepth && matrixMode == o.matrixMode &&
             depthTest == o.depthTest && lighting == o.lighting && blend == o.blend && cullFace == o.cullFace &&
             texture2D == o.texture2D && lineSmooth == o.lineSmooth && lineWidth == o.lineWidth &&
             color[0] == o.color[0] && color[1] == o.color[1] && color[2] == o.color[2] && color[3] == o.color[3];
    }
  };
  static TState ReadState() {
    TState s{};
    GL.glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
    GL.glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelViewDepth);
    GL.glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
    GL.glGetBooleanv(GL_DEPTH_TEST, &s.depthTest);
    GL.glGetBooleanv(GL_LIGHTING, &s.lighting);
    GL.glGetBooleanv(GL_BLEND, &s.blend);
    GL.glGetBooleanv(GL_CULL_FACE, &s.cullFace);
    GL.glGetBooleanv(GL_TEXTURE_2D, &s.texture2D);
    GL.glGetBooleanv(GL_LINE_SMOOTH, &s.lineSmooth);
    GL.glGetFloatv(GL_LINE_WIDTH, &s.lineWidth);
    GL.glGetFloatv(GL_CURRENT_COLOR, s.color);
    return s;
  }

  TGLStageViewer* Viewer() { return As<TGLStageViewer>(FindComponent("GLStageViewer1")); }

  const TPlot2D* plot = nullptr;
  TState before{}, after{};
};

KX_PUBLISH(TCaptureForm) { p.Handler("ViewerPostRender", &TCaptureForm::ViewerPostRender); }

void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

unsigned Red(unsigned c) { return (c >> 16) & 0xFF; }
unsigned Green(unsigned c) { return (c >> 8) & 0xFF; }
unsigned Blue(unsigned c) { return c & 0xFF; }

bool Near(unsigned got, unsigned want, int tolerance) {
  return std::abs(int(Red(got)) - int(Red(want))) <= tolerance &&
         std::abs(int(Green(got)) - int(Green(want))) <= tolerance &&
         std::abs(int(Blue(got)) - int(Blue(want))) <= tolerance;
}

// A pixel of the colour within `radius` of (x, y).
bool ColourNear(const testsupport::Picture& picture, double x, double y, unsigned colour, int radius,
                int tolerance = 0) {
  const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
  for (int py = cy - radius; py <= cy + radius; ++py)
    for (int px = cx - radius; px <= cx + radius; ++px)
      if (px >= 0 && py >= 0 && px < picture.width && py < picture.height &&
          Near(picture.At(px, py) & 0xFFFFFF, colour, tolerance))
        return true;
  return false;
}

class Capture2D : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterClasses({&TCaptureForm::StaticClass()});
    form_ = TCustomForm::Create<TCaptureForm>(nullptr);
    form_->Show();
    Drain();
  }
  static void TearDownTestSuite() {
    delete form_;
    form_ = nullptr;
    Drain();
  }
  Capture2D() {
    const uint16_t word = 0x133F;
    asm volatile("fnclex\n\tfldcw %0" : : "m"(word));
    view.ViewW = 603, view.ViewH = 400;
    view.CenterX = 301, view.CenterY = 200;
    Add({"sin(x)"}, 0xFF0000);
    Add({"x*x"}, 0x00FF00);
    form_->plot = &plot;
  }
  ~Capture2D() override { form_->plot = nullptr; }

  TFuncRec& Add(std::initializer_list<const char*> formulas, TColor color) {
    model.CurFunc = TFuncRec();
    TFuncRec& f = model.CurFunc;
    f.FuncType = 1, f.Shown = true, f.LineWidth = 1, f.Color = color;
    f.First1 = -15, f.Last1 = 15, f.Step1 = 0.01;
    f.Func[1] = *formulas.begin();
    model.CreateCompilers();
    EXPECT_TRUE(model.CompileFuncs());
    EXPECT_TRUE(model.StoreFunc(model.List2D, 0, model.Count2D));
    return model.List2D[model.Count2D];
  }

  // Saves the view at width x height and reads the picture back.
  testsupport::Picture Shoot(const std::string& name, int width, int height) {
    TViewerCaptureSource source(*form_->Viewer());
    SaveCapture(view, source, name, width, height);
    testsupport::Picture picture;
    EXPECT_TRUE(testsupport::LoadPng(name, picture)) << name;
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
    EXPECT_TRUE(form_->before == form_->after) << "Render2D changed the GL state it found";
    return picture;
  }

  static TCaptureForm* form_;
  TFuncModel model;
  TViewState view;
  TDisplayOptions options;
  TEvalState eval;
  TPlot2D plot{model, view, options, eval, false};
};

TCaptureForm* Capture2D::form_ = nullptr;

// What the 2D view shows at scale `s` pixels per unit with the origin at
// (ox, oy): background, axes, grid, a number, and both curves.
void ExpectThePlot(const testsupport::Picture& picture, double ox, double oy, double s, unsigned back, unsigned axis,
                   const char* what) {
  SCOPED_TRACE(what);
  auto px = [&](double x) { return ox + x * s; };
  auto py = [&](double y) { return oy - y * s; };
  // Background between the grid lines, away from curves and labels.
  for (const auto& [x, y] : {std::pair{-12.5, 7.5}, {12.5, -7.5}, {-8.5, -6.5}, {10.5, 4.5}})
    EXPECT_TRUE(ColourNear(picture, px(x), py(y), back, 0)) << x << "," << y;
  // The axes on the origin's row and column (a line on a pixel edge may fall
  // on either side), away from the curves.
  EXPECT_TRUE(ColourNear(picture, px(11), oy, axis, 1));
  EXPECT_TRUE(ColourNear(picture, px(-11.5), oy, axis, 1));
  EXPECT_TRUE(ColourNear(picture, ox, py(-7.5), axis, 1));
  EXPECT_TRUE(ColourNear(picture, ox, py(8.5), axis, 1));
  // A grid line through x = 5 away from the axes.
  if (back == kWhite) {
    EXPECT_TRUE(ColourNear(picture, px(5), py(-6.5), kSilver, 1));
  }
  // The number 1 below the x axis: the foot of its glyph, rows 10 below the pen.
  bool number = false;
  for (int dy = 3; dy <= 15 && !number; ++dy) number = ColourNear(picture, px(1), oy + dy, axis, 1);
  EXPECT_TRUE(number);
  // The curves where their formulas put them (off the frame).
  for (double x : {-12.0, -9.3, -6.0, -4.2, 4.4, 7.0, 10.1, 13.0})
    EXPECT_TRUE(ColourNear(picture, px(x), py(std::sin(x)), kBlue, 1)) << "sin at " << x;
  for (double x : {-2.9, -2.2, -1.4, 1.6, 2.4, 3.1})
    EXPECT_TRUE(ColourNear(picture, px(x), py(x * x), kLime, 1)) << "x*x at " << x;
}

}  // namespace

TEST_F(Capture2D, TheViewAtItsOwnSize) {
  const testsupport::Picture picture = Shoot("capture_2d.png", 603, 400);
  ExpectThePlot(picture, 301, 200, 20, kWhite, kBlack, "on-screen size");
}

TEST_F(Capture2D, TwiceTheSizeShowsTheSameRegionAtTwiceTheScale) {
  view.OffsetX = -40, view.OffsetY = 20;
  const testsupport::Picture once = Shoot("capture_2d_panned.png", 603, 400);
  ExpectThePlot(once, 261, 220, 20, kWhite, kBlack, "panned");
  const testsupport::Picture twice = Shoot("capture_2d_twice.png", 1206, 800);
  ExpectThePlot(twice, 522, 440, 40, kWhite, kBlack, "twice the size");
  EXPECT_EQ(view.ScaleX, 20);
  EXPECT_EQ(view.OffsetX, -40);
}

TEST_F(Capture2D, A611By400ViewAt800By600SpansTheSameWidth) {
  view.ViewW = 611, view.CenterX = 305;
  const testsupport::Picture picture = Shoot("capture_2d_800x600.png", 800, 600);
  const double k = 800.0 / 611;
  ExpectThePlot(picture, 400, 300, 20 * k, kWhite, kBlack, "800 x 600");
}

TEST_F(Capture2D, WithoutTheBackgroundBoxBlackWithWhiteAxes) {
  options.BkGround = false;
  const testsupport::Picture picture = Shoot("capture_2d_black.png", 603, 400);
  ExpectThePlot(picture, 301, 200, 20, kBlack, kWhite, "black background");
  EXPECT_TRUE(ColourNear(picture, 301 + 5 * 20, 200 + 6.5 * 20, 0x808080, 1));  // gray grid
}

TEST_F(Capture2D, PointModeDrawsTheSamplesApart) {
  options.PointMode = true;
  model.List2D[1].Step1 = 0.5;
  model.List2D[1].LineWidth = 3;
  const testsupport::Picture picture = Shoot("capture_2d_points.png", 603, 400);
  for (double x : {-4.5, 1.5, 3.0, 6.5})
    EXPECT_TRUE(ColourNear(picture, 301 + 20 * x, 200 - 20 * std::sin(x), kBlue, 2));
  // Between two samples a line would pass; points leave it empty.
  EXPECT_FALSE(ColourNear(picture, 301 + 20 * 0.25, 200 - 20 * (std::sin(0.0) + std::sin(0.5)) / 2, kBlue, 1));
}

TEST_F(Capture2D, TheMarkerAndTheShadedIntegral) {
  view.EvalPanelOpen = true;
  eval.EvalMode = 1, eval.EvalFuncIdx = 1, eval.EvalVar1 = 1.25L;
  eval.IntegralFrom = 3, eval.IntegralTo = 2;
  plot.IntegralPageActive = true;
  testsupport::Picture picture = Shoot("capture_2d_marks.png", 603, 400);
  // Translucent red over white between sin(x) and the axis.
  EXPECT_TRUE(ColourNear(picture, 301 + 20 * 2.5, 200 - 10 * std::sin(2.5), 0xFF6666, 0, 12));
  EXPECT_TRUE(ColourNear(picture, 301 + 20 * 3.5, 200 - 10 * std::sin(3.5), kWhite, 0)) << "outside the bounds";
  // The marker, fuchsia at 0.7 over white, above the curve point.
  const double mx = 301 + 20 * 1.25, my = 200 - 20 * std::sin(1.25);
  EXPECT_TRUE(ColourNear(picture, mx, my - 3, 0xFF4DFF, 0, 12));
  eval.SearchHit = true;
  picture = Shoot("capture_2d_hit.png", 603, 400);
  EXPECT_TRUE(ColourNear(picture, mx, my - 3, 0xFF0000, 0, 0));
}

TEST_F(Capture2D, A3DCaptureShowsTheRedGrid) {
  view.Is2DMode = false;
  const testsupport::Picture picture = Shoot("capture_3d.png", 603, 400);
  int red = 0;
  for (unsigned pixel : picture.pixels) red += (pixel & 0xFFFFFF) == 0xFF0000;
  EXPECT_GT(red, 500);
  EXPECT_EQ(view.ViewW, 603);
}
