// The 2D frame without a window: tick layout, the bitmap font's metrics, the
// axes as emitted, and the GL state Render2D leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "GLRecorder.h"
#include "PlotFixture.h"
#include "app/plot/BitmapFont.h"
#include "app/plot/MainU_Render2D.h"

using namespace kx;

namespace {

using Axes2D = PlotTest;

// The ink rows of a glyph, first and last; -1 when it has none.
std::pair<int, int> InkRows(unsigned char code) {
  int first = -1, last = -1;
  for (int row = 0; row < TBitmapFont::Rows; ++row)
    if (BitmapFont().Glyphs[code][row]) {
      if (first < 0) first = row;
      last = row;
    }
  return {first, last};
}

// The texts drawn as point lists, by the position of their first pen: the
// recorder sees only points, so each text is matched by drawing it again.
bool DrewTextAt(const TRecordingEmitter& emitter, const std::string& text, double x, double y) {
  TRecordingEmitter expected;
  DrawBitmapText(expected, text, 1, x, y);
  for (const TRecordedPrimitive& p : emitter.Of(TPrimitive::Points))
    if (p.Vertices == expected.Primitives[0].Vertices) return true;
  return false;
}

// The vertical lines drawn at column x in the given colour.
int VerticalLinesAt(const TRecordingEmitter& emitter, double x, TColor color) {
  const TColorVector want = ColorToVector(color, 1);
  int count = 0;
  for (const TRecordedPrimitive& p : emitter.Of(TPrimitive::Lines))
    if (p.Vertices.size() == 2 && p.Vertices[0].first == x && p.Vertices[1].first == x && p.Color == want) ++count;
  return count;
}

}  // namespace

TEST(BitmapFont, MetricsOfTheDrawnCharacters) {
  const TBitmapFont& font = BitmapFont();
  struct Case {
    char ch;
    int width, firstRow, lastRow;
  };
  std::vector<Case> cases = {{'1', 3, 3, 10}, {'-', 3, 6, 6}, {'x', 7, 6, 13}, {'y', 6, 6, 15}};
  for (char digit : std::string("023456789")) cases.push_back({digit, 5, 3, 10});
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.ch));
    const auto code = static_cast<unsigned char>(c.ch);
    EXPECT_EQ(font.Widths[code], c.width);
    EXPECT_EQ(InkRows(code), (std::pair<int, int>{c.firstRow, c.lastRow}));
    // The glyph uses its whole width.
    uint8_t columns = 0;
    for (int row = 0; row < TBitmapFont::Rows; ++row) columns |= font.Glyphs[code][row];
    EXPECT_EQ(columns, static_cast<uint8_t>(0xFF00u >> c.width));
  }
  for (char capital = 'A'; capital <= 'Z'; ++capital) EXPECT_EQ(InkRows(capital).second, 13) << capital;
  EXPECT_EQ(font.Widths[0], 0);
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    if (code > 0) {
      EXPECT_GE(font.Widths[code], 1);
      EXPECT_LE(font.Widths[code], 8);
    }
    for (int row = 0; row < TBitmapFont::Rows; ++row)
      EXPECT_EQ(font.Glyphs[code][row] & (0xFFu >> font.Widths[code]), 0u) << "ink beyond the width, row " << row;
  }
}

TEST(BitmapFont, TextIsOnePointListOfTheInkedPixels) {
  EXPECT_EQ(BitmapTextWidth("-12", 1), 3 + 1 + 3 + 1 + 5 + 1 - 1);
  EXPECT_EQ(BitmapTextWidth("7", 0), 4);
  TRecordingEmitter emitter;
  DrawBitmapText(emitter, "-1", 2, 10, 20);
  ASSERT_EQ(emitter.Primitives.size(), 1u);
  const auto& points = emitter.Primitives[0].Vertices;
  // "-": three pixels in row 6; "1" from pen 10 + 3 + 2.
  EXPECT_EQ(points[0], (std::pair<double, double>{10, 26}));
  EXPECT_EQ(points[2], (std::pair<double, double>{12, 26}));
  std::map<std::pair<int, int>, bool> ink;
  for (const auto& [x, y] : points) ink[{static_cast<int>(x), static_cast<int>(y)}] = true;
  EXPECT_TRUE(ink.count({15, 30}) && ink.count({16, 23}) && ink.count({17, 30}));  // foot of "1"
  int bits = 0;
  for (unsigned char c : std::string("-1"))
    for (int row = 0; row < 16; ++row) bits += __builtin_popcount(BitmapFont().Glyphs[c][row]);
  EXPECT_EQ(static_cast<int>(points.size()), bits);
}

TEST_F(Axes2D, TickStepsKeepTicksMoreThanFifteenPixelsApart) {
  struct Case {
    double scale;
    int32_t step;
  };
  for (const Case c : {Case{20, 1}, Case{15, 2}, Case{10, 2}, Case{5, 4}, Case{300, 1}, Case{2, 8}, Case{304, 1}}) {
    view.ScaleX = view.ScaleY = c.scale;
    const TAxisLayout layout = LayoutAxes(view);
    EXPECT_EQ(layout.StepX, c.step) << c.scale;
    EXPECT_EQ(layout.StepY, c.step) << c.scale;
  }
}

TEST_F(Axes2D, BoundsAndTicksFollowTheOriginAndTheScale) {
  struct Case {
    int32_t offsetX, offsetY;
    double scale;
    TAxisLayout want;
    int32_t firstX, lastX;
  };
  const Case cases[] = {
      {0, 0, 20, {-16, 16, -11, 11, 1, 1}, -17, 15},
      {35, -15, 20, {-17, 14, -10, 11, 1, 1}, -18, 13},
      {0, 0, 10, {-31, 31, -21, 21, 2, 2}, -32, 30},
      {-700, 0, 20, {19, 51, -11, 11, 1, 1}, 18, 50},  // the origin left of the view
      {0, 0, 5, {-61, 61, -41, 41, 4, 4}, -64, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.offsetX << "," << c.offsetY << " at " << c.scale);
    view.OffsetX = c.offsetX, view.OffsetY = c.offsetY;
    view.ScaleX = view.ScaleY = c.scale;
    const TAxisLayout got = LayoutAxes(view);
    EXPECT_EQ(got.XMin, c.want.XMin);
    EXPECT_EQ(got.XMax, c.want.XMax);
    EXPECT_EQ(got.YMin, c.want.YMin);
    EXPECT_EQ(got.YMax, c.want.YMax);
    const std::vector<int32_t> ticks = TickValues(got.XMin, got.XMax, got.StepX);
    EXPECT_EQ(ticks.front(), c.firstX);
    EXPECT_EQ(ticks.back(), c.lastX);
    for (size_t i = 1; i < ticks.size(); ++i) EXPECT_EQ(ticks[i] - ticks[i - 1], got.StepX);
  }
  EXPECT_EQ(TickValues(5, 5, 1), std::vector<int32_t>{4});  // the body runs once
}

TEST_F(Axes2D, EveryUnitIsLabelledAtTheStartScaleAndEverySecondAtTen) {
  DrawAxes2D(Plot(), emitter);
  EXPECT_TRUE(DrewTextAt(emitter, "1", 320 - 1, 203));  // "1" is 3 wide: centred at 320
  EXPECT_TRUE(DrewTextAt(emitter, "-2", 260 - 4, 203));
  EXPECT_TRUE(DrewTextAt(emitter, "1", 300 - 3 - 5, 180 - 6));  // above the origin: 1
  EXPECT_TRUE(DrewTextAt(emitter, "-1", 300 - 7 - 5, 220 - 6));
  EXPECT_FALSE(DrewTextAt(emitter, "0", 300 - 2, 203));   // the origin has no number
  EXPECT_EQ(VerticalLinesAt(emitter, 300, clSilver), 0);  // nor grid line
  EXPECT_EQ(VerticalLinesAt(emitter, 320, clSilver), 1);
  EXPECT_EQ(VerticalLinesAt(emitter, 320, clBlack), 1);  // the tick

  emitter.Clear();
  view.ScaleX = view.ScaleY = 10;
  DrawAxes2D(Plot(), emitter);
  EXPECT_TRUE(DrewTextAt(emitter, "2", 320 - 2, 203));
  EXPECT_FALSE(DrewTextAt(emitter, "1", 310 - 1, 203));
  EXPECT_EQ(VerticalLinesAt(emitter, 310, clSilver), 0);

  emitter.Clear();
  options.ShowNum = options.ShowGrid = options.ShowLine = false;
  DrawAxes2D(Plot(), emitter);
  EXPECT_FALSE(DrewTextAt(emitter, "2", 320 - 2, 203));
  EXPECT_EQ(VerticalLinesAt(emitter, 320, clSilver), 0);
  EXPECT_EQ(VerticalLinesAt(emitter, 320, clBlack), 0);
  EXPECT_EQ(VerticalLinesAt(emitter, 300, clBlack), 1);  // the axis stays
  EXPECT_TRUE(DrewTextAt(emitter, "x", 600 - 9, 200 - 18));
  EXPECT_TRUE(DrewTextAt(emitter, "y", 300 + 6, -3));
}

TEST_F(Axes2D, TheBackgroundBoxSwapsBlackAndWhite) {
  options.BkGround = false;
  Draw2D(Plot(), emitter);
  ASSERT_FALSE(emitter.Primitives.empty());
  const TRecordedPrimitive& background = emitter.Primitives[0];
  EXPECT_EQ(background.Kind, TPrimitive::Quads);
  EXPECT_EQ(background.Color, ColorToVector(clBlack, 1));
  EXPECT_EQ(background.Vertices, (std::vector<std::pair<double, double>>{{0, 0}, {600, 0}, {600, 400}, {0, 400}}));
  EXPECT_EQ(VerticalLinesAt(emitter, 300, clWhite), 1);  // the y axis
  EXPECT_EQ(VerticalLinesAt(emitter, 320, clGray), 1);   // a grid line
  const TRecordedPrimitive& frame = emitter.Primitives.back();
  EXPECT_EQ(frame.Kind, TPrimitive::LineLoop);
  EXPECT_EQ(frame.Vertices, (std::vector<std::pair<double, double>>{{0, 1}, {599, 1}, {599, 400}, {0, 400}}));
}

TEST_F(Axes2D, RecordsAreDrawnInListOrderAndHiddenOnesSkipped) {
  AddRecord(1, {"x"}, -1, 1, 0.5).Color = clBlue;
  AddRecord(1, {"2*x"}, -1, 1, 0.5).Shown = false;
  TFuncRec& data = AddData({{0, 0}, {1, 1}}, 1);
  data.LineWidth = 0;
  Draw2D(Plot(), emitter);
  const auto strips = emitter.Of(TPrimitive::LineStrip);
  ASSERT_EQ(strips.size(), 2u);
  EXPECT_EQ(strips[0].Color, ColorToVector(clBlue, 1));
  EXPECT_EQ(strips[1].Vertices, (std::vector<std::pair<double, double>>{{300, 200}, {320, 180}}));
  EXPECT_EQ(strips[1].LineWidth, 1);
  const auto quads = emitter.Of(TPrimitive::Quads);
  ASSERT_EQ(quads.size(), 2u);  // the background, then the diamonds
  EXPECT_EQ(quads[1].Vertices.size(), 8u);
}

TEST_F(Axes2D, Render2DLeavesMatricesAndEnableBitsAsFound) {
  AddRecord(1, {"sin(x)"}, -15, 15, 0.01);
  TGLRecorder recorder;
  Render2D(Plot());
  const std::vector<std::string>& calls = recorder.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), "glMatrixMode(" + std::to_string(GL_PROJECTION) + ")");
  EXPECT_EQ(recorder.Count("glPushMatrix"), 2);
  EXPECT_EQ(recorder.Count("glPopMatrix"), 2);
  EXPECT_EQ(recorder.Count("glPushAttrib"), 1);
  EXPECT_EQ(recorder.Count("glPopAttrib"), 1);
  EXPECT_EQ(recorder.Count("glBegin"), recorder.Count("glEnd"));
  EXPECT_EQ(recorder.CallsTo("glOrtho"), std::vector<std::string>{"glOrtho(0,600,400,0,-1,1)"});
  // The modelview is current again, as the frame had it.
  std::string lastMode;
  for (const std::string& call : calls)
    if (call.rfind("glMatrixMode", 0) == 0) lastMode = call;
  EXPECT_EQ(lastMode, "glMatrixMode(" + std::to_string(GL_MODELVIEW) + ")");
  EXPECT_EQ(calls.back(), "glPopMatrix()");
  // Nothing outside the brackets: everything after the attribute push is
  // popped before the matrices are.
  const auto push = std::find(calls.begin(), calls.end(), recorder.CallsTo("glPushAttrib")[0]);
  const auto pop = std::find(calls.begin(), calls.end(), "glPopAttrib()");
  EXPECT_LT(push, pop);
  EXPECT_EQ(std::count_if(pop, calls.end(), [](const std::string& c) { return c.rfind("glBegin", 0) == 0; }), 0);
}
