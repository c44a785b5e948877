// Drawing and geometry services of the skinned controls.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/look/KVPublic.h"
#include "TestSupport.h"

using namespace kx;

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor color) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(RECT{0, 0, w, h});
  return b;
}

// A bitmap whose every pixel is color(x, y).
std::unique_ptr<TBitmap> Painted(int w, int h, const std::function<TColor(int, int)>& color) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->Canvas()->SetPixel(x, y, color(x, y));
  return b;
}

TColor PixelOf(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

std::string RectText(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

// Pumps messages until `done` or half a minute has passed (the emulated
// machine is slow).
template <class Pred>
bool Until(Pred done) {
  return testsupport::PumpUntil(done, 30000);
}

}  // namespace

TEST(Geometry, PointInRectCountsEveryEdge) {
  const RECT r{0, 0, 10, 5};
  struct Case {
    int x, y;
    bool inside;
  } cases[] = {{10, 5, true},  {11, 5, false}, {0, 0, true},  {-1, 0, false}, {10, 6, false},
               {5, -1, false}, {0, 5, true},   {10, 0, true}, {5, 2, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsPointInRectXY(c.x, c.y, r), c.inside) << c.x << ", " << c.y;
    EXPECT_EQ(IsPointInRect(POINT{c.x, c.y}, r), c.inside) << c.x << ", " << c.y;
  }
}

TEST(Geometry, PlacingControls) {
  TPanel panel(nullptr);
  SetControlRect(panel, RECT{5, 7, 45, 27});
  EXPECT_EQ(RectText(panel.BoundsRect()), "(5, 7, 45, 27)");
  MoveControlTo(panel, POINT{-3, 11});
  EXPECT_EQ(RectText(panel.BoundsRect()), "(-3, 11, 37, 31)");
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_EQ(RectText(QueryDesktopWorkArea()), RectText(area));
}

// ---------------------------------------------------------------------------
// Nine slices

namespace {

void ExpectPlan(const TNineSlicePlan& plan, const char* const (&expected)[9][2]) {
  const char* names[] = {"top-left", "bottom-left", "left",   "top-right", "bottom-right",
                         "right",    "top",         "centre", "bottom"};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(RectText(plan[static_cast<size_t>(i)].Dest), expected[i][0]) << names[i] << " placed";
    EXPECT_EQ(RectText(plan[static_cast<size_t>(i)].Source), expected[i][1]) << names[i] << " taken from";
  }
}

}  // namespace

TEST(NineSlice, PlanOfAWinXPButton) {
  // An 18 x 21 skin over an 80 x 27 button.
  const TNineSlicePlan plan = NineSlicePlan(18, 21, RECT{0, 0, 80, 27});
  const char* const expected[9][2] = {
      {"(0, 0, 9, 10)", "(0, 0, 9, 10)"},        // 9 x 10 at (0, 0)
      {"(0, 18, 9, 27)", "(0, 12, 9, 21)"},      // 9 x 9 at (0, 18)
      {"(0, 10, 9, 18)", "(0, 10, 9, 11)"},      // from skin row 10
      {"(72, 0, 80, 10)", "(10, 0, 18, 10)"},    // 8 x 10 at (72, 0)
      {"(72, 18, 80, 27)", "(10, 12, 18, 21)"},  // 8 x 9 at (72, 18)
      {"(72, 10, 80, 18)", "(10, 11, 18, 12)"},  // from skin row 11
      {"(9, 0, 72, 10)", "(9, 0, 10, 10)"},      // from skin column 9
      {"(9, 10, 72, 17)", "(9, 10, 10, 11)"},    // from the one pixel (9, 10)
      {"(8, 17, 72, 27)", "(9, 11, 10, 21)"},    // column 9, rows 11 to 20
  };
  ExpectPlan(plan, expected);
  for (int piece : {npTopLeft, npBottomLeft, npTopRight, npBottomRight}) EXPECT_FALSE(plan[piece].Stretched);
  for (int piece : {npLeft, npRight, npTop, npCentre, npBottom}) EXPECT_TRUE(plan[piece].Stretched);
  for (const TSlicePiece& piece : plan) EXPECT_FALSE(piece.Skipped());
}

TEST(NineSlice, PlanOfATargetSmallerThanTheSkin) {
  // A 74 x 21 skin over 40 x 14: the corners are clipped, the edges shrink.
  const TNineSlicePlan plan = NineSlicePlan(74, 21, RECT{0, 0, 40, 14});
  const char* const expected[9][2] = {
      {"(0, 0, 20, 7)", "(0, 0, 20, 7)"},       // 20 x 7
      {"(0, 8, 20, 14)", "(0, 15, 20, 21)"},    // 20 x 6
      {"(0, 7, 20, 8)", "(0, 10, 20, 11)"},     // cut to its left 20 columns
      {"(21, 0, 40, 7)", "(55, 0, 74, 7)"},     // 19 x 7
      {"(21, 8, 40, 14)", "(55, 15, 74, 21)"},  // 19 x 6
      {"(21, 7, 40, 8)", "(55, 11, 74, 12)"},   // cut to its right 19 columns
      {"(20, 0, 21, 7)", "(37, 0, 38, 7)"},     // cut to its top 7 rows
      {"(20, 7, 21, 7)", "(37, 10, 38, 11)"},   // nothing left
      {"(19, 7, 21, 14)", "(37, 14, 38, 21)"},  // cut to its bottom 7 rows
  };
  ExpectPlan(plan, expected);
  EXPECT_TRUE(plan[npCentre].Skipped());
}

TEST(NineSlice, PiecesWithoutAreaAreSkipped) {
  // A target too small for anything but the top-left corner; a one-pixel skin.
  const TNineSlicePlan tiny = NineSlicePlan(18, 21, RECT{0, 0, 2, 2});
  EXPECT_FALSE(tiny[npTopLeft].Skipped());
  for (int piece : {npBottomLeft, npTopRight, npBottomRight, npCentre}) EXPECT_TRUE(tiny[piece].Skipped()) << piece;
  const TNineSlicePlan dot = NineSlicePlan(1, 1, RECT{0, 0, 80, 27});
  for (const TSlicePiece& piece : dot) {
    EXPECT_GE(piece.Source.left, 0);
    EXPECT_LE(piece.Source.right, 1);
  }
}

namespace {

// An 18 x 21 skin in nine colours: columns 0-8 | 9 | 10-17 by rows 0-9 | 10-11 | 12-20.
constexpr TColor NineColors[3][3] = {
    {0x0000C0, 0x00C000, 0xC00000}, {0x00C0C0, 0xC0C000, 0xC000C0}, {0x404040, 0x808080, 0x4080C0}};

TColor NineRegion(int x, int y) {
  const int col = x < 9 ? 0 : x == 9 ? 1 : 2;
  const int row = y < 10 ? 0 : y < 12 ? 1 : 2;
  return NineColors[row][col];
}

}  // namespace

TEST(NineSlice, PixelsOfNineColouredRegions) {
  auto skin = Painted(18, 21, NineRegion);
  auto target = Filled(80, 27, 0xFFFFFF);
  StretchSkinBitmap(*skin, *target->Canvas(), RECT{0, 0, 80, 27}, false);
  // Where each output pixel comes from: the corners unscaled, the edges and
  // the centre stretched; the bottom edge, drawn last, takes column 8 and
  // row 17 (from skin row 11).
  auto expected = [](int x, int y) -> TColor {
    if (y >= 17 && x >= 8 && x < 72) return y == 17 ? NineColors[1][1] : NineColors[2][1];
    const int col = x < 9 ? 0 : x < 72 ? 1 : 2;
    const int row = y < 10 ? 0 : y < 18 ? 1 : 2;
    return NineColors[row][col];
  };
  int wrong = 0;
  for (int y = 0; y < 27; ++y)
    for (int x = 0; x < 80; ++x)
      if (PixelOf(*target, x, y) != expected(x, y) && wrong++ < 10)
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << PixelOf(*target, x, y) << ", not "
                      << expected(x, y);
  EXPECT_EQ(wrong, 0);
}

TEST(NineSlice, FuchsiaIsKeyedOnEdgesAlwaysAndOnCornersWhenAsked) {
  // Fuchsia at the skin's top-left pixel (a corner) and at the top of column 9 (the top edge).
  auto skin = Painted(
      18, 21, [](int x, int y) { return (x == 0 && y == 0) || (x == 9 && y == 0) ? clFuchsia : NineRegion(x, y); });
  for (bool corners : {false, true}) {
    auto target = Filled(80, 27, 0x123456);
    StretchSkinBitmap(*skin, *target->Canvas(), RECT{0, 0, 80, 27}, corners);
    EXPECT_EQ(PixelOf(*target, 0, 0), corners ? 0x123456 : clFuchsia) << corners;
    EXPECT_EQ(PixelOf(*target, 1, 0), NineColors[0][0]);
    EXPECT_EQ(PixelOf(*target, 30, 0), 0x123456) << corners;  // the stretched top edge's first row
    EXPECT_EQ(PixelOf(*target, 30, 1), NineColors[0][1]);
  }
}

TEST(NineSlice, AnEmptySkinDrawsNothing) {
  TBitmap empty;
  auto target = Filled(20, 10, 0x00FF00);
  StretchSkinBitmap(empty, *target->Canvas(), RECT{0, 0, 20, 10}, true);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(PixelOf(*target, x, y), 0x00FF00) << x << ", " << y;
}

// ---------------------------------------------------------------------------
// Three slices

TEST(ThreeSlice, Plan) {
  const TThreeSlicePlan bar = ThreeSlicePlan(45, 4, RECT{10, 5, 110, 9});
  EXPECT_EQ(RectText(bar[tpLeft].Dest), "(10, 5, 25, 9)");
  EXPECT_EQ(RectText(bar[tpLeft].Source), "(0, 0, 15, 4)");
  EXPECT_EQ(RectText(bar[tpRight].Dest), "(95, 5, 110, 9)");
  EXPECT_EQ(RectText(bar[tpRight].Source), "(30, 0, 45, 4)");
  EXPECT_EQ(RectText(bar[tpMiddle].Dest), "(25, 5, 95, 9)");
  EXPECT_EQ(RectText(bar[tpMiddle].Source), "(15, 0, 30, 4)");
  EXPECT_TRUE(bar[tpMiddle].Stretched);
  // The last pixels of a width not divisible by 3 are not used.
  EXPECT_EQ(RectText(ThreeSlicePlan(47, 4, RECT{0, 0, 60, 4})[tpRight].Source), "(30, 0, 45, 4)");
  // The ends keep their height; the middle takes the rectangle's.
  const TThreeSlicePlan tall = ThreeSlicePlan(9, 17, RECT{0, 1, 50, 30});
  EXPECT_EQ(RectText(tall[tpLeft].Dest), "(0, 1, 3, 18)");
  EXPECT_EQ(RectText(tall[tpMiddle].Dest), "(3, 1, 47, 30)");
  for (const TSlicePiece& piece : ThreeSlicePlan(2, 4, RECT{0, 0, 60, 4})) EXPECT_TRUE(piece.Skipped());
}

TEST(ThreeSlice, Pixels) {
  // Thirds of blue, green and red; the top-left pixel yellow (the mask colour).
  auto bar = Painted(45, 4, [](int x, int y) -> TColor {
    if (x == 0 && y == 0) return 0x00FFFF;
    return x < 15 ? 0xFF0000 : x < 30 ? 0x00FF00 : 0x0000FF;
  });
  for (bool transparent : {false, true}) {
    auto target = Filled(100, 8, 0x808080);
    DrawThreeSliceBitmap(*bar, *target->Canvas(), RECT{0, 0, 100, 8}, transparent);
    EXPECT_EQ(PixelOf(*target, 0, 0), transparent ? 0x808080 : 0x00FFFF) << transparent;
    EXPECT_EQ(PixelOf(*target, 1, 0), 0xFF0000);
    EXPECT_EQ(PixelOf(*target, 14, 3), 0xFF0000);
    EXPECT_EQ(PixelOf(*target, 15, 0), 0x00FF00);
    EXPECT_EQ(PixelOf(*target, 84, 7), 0x00FF00);  // the middle stretched to the rectangle's height
    EXPECT_EQ(PixelOf(*target, 85, 3), 0x0000FF);
    EXPECT_EQ(PixelOf(*target, 99, 0), 0x0000FF);
    EXPECT_EQ(PixelOf(*target, 99, 4), 0x808080);  // the ends keep the picture's height
    EXPECT_EQ(PixelOf(*target, 0, 4), 0x808080);
  }
}

TEST(ThreeSlice, APictureNarrowerThanThreePixelsDrawsNothing) {
  auto narrow = Filled(2, 4, 0x0000FF);
  auto target = Filled(30, 6, 0x00FF00);
  DrawThreeSliceBitmap(*narrow, *target->Canvas(), RECT{0, 0, 30, 6}, false);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(PixelOf(*target, x, y), 0x00FF00) << x << ", " << y;
}

// ---------------------------------------------------------------------------
// Tiles and turns

TEST(Tiles, StartAtTheCanvasOriginAndReachOnePictureBeyond) {
  // An 8 x 8 picture marked at its top-left pixel.
  TPicture picture;
  picture.SetGraphic(
      Painted(8, 8, [](int x, int y) -> TColor { return x == 0 && y == 0 ? 0x0000FF : 0x00FF00; }).get());
  auto target = Filled(40, 30, 0xFFFFFF);
  TilePicture(*target->Canvas(), picture, RECT{5, 5, 21, 13});
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool tileOrigin = x % 8 == 0 && y % 8 == 0 && x <= 16 && y <= 8;
      const bool covered = x < 24 && y < 16;
      const TColor expected = tileOrigin ? 0x0000FF : covered ? 0x00FF00 : 0xFFFFFF;
      ASSERT_EQ(PixelOf(*target, x, y), expected) << x << ", " << y;
    }
}

TEST(Tiles, AnEmptyPictureEndsAtOnce) {
  TPicture empty;
  auto target = Filled(10, 10, 0x00FF00);
  TilePicture(*target->Canvas(), empty, RECT{0, 0, 10, 10});
  empty.Bitmap();  // a bitmap of no size
  TilePicture(*target->Canvas(), empty, RECT{0, 0, 10, 10});
  EXPECT_EQ(PixelOf(*target, 5, 5), 0x00FF00);
}

TEST(Turns, AQuarterTurnAndBack) {
  auto colour = [](int x, int y) -> TColor { return RGB(x * 5, y * 50, 200 - x); };
  auto bitmap = Painted(45, 5, colour);
  RotateBitmapCounterClockwise(*bitmap);
  ASSERT_EQ(bitmap->Width(), 5);
  ASSERT_EQ(bitmap->Height(), 45);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 45; ++x) ASSERT_EQ(PixelOf(*bitmap, y, 44 - x), colour(x, y)) << x << ", " << y;
  // The top row became the left column, read from bottom to top.
  EXPECT_EQ(PixelOf(*bitmap, 0, 44), colour(0, 0));
  EXPECT_EQ(PixelOf(*bitmap, 0, 0), colour(44, 0));

  RotateBitmapClockwise(*bitmap);
  ASSERT_EQ(bitmap->Width(), 45);
  ASSERT_EQ(bitmap->Height(), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 45; ++x) ASSERT_EQ(PixelOf(*bitmap, x, y), colour(x, y)) << x << ", " << y;

  RotateBitmapClockwise(*bitmap);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 45; ++x) ASSERT_EQ(PixelOf(*bitmap, 4 - y, x), colour(x, y)) << x << ", " << y;
}

// ---------------------------------------------------------------------------
// Services on windows

namespace {

TColor Pattern(int x, int y) { return RGB((x / 5) * 23 % 256, (y / 5) * 37 % 256, 77); }

class OnWindows : public testing::Test {
 protected:
  void SetUp() override {
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBounds(40, 40, 300, 200);
  }
  void TearDown() override {
    delete second_;
    delete form_;
    Application->ProcessMessages();
  }
  TForm* form_ = nullptr;
  TForm* second_ = nullptr;
};

}  // namespace

TEST_F(OnWindows, TheParentPaintsUnderTheChild) {
  form_->OnPaint = TNotifyEvent([this](TObject*) {
    TCanvas& c = *form_->Canvas();
    for (int y = 0; y < form_->ClientHeight(); y += 5)
      for (int x = 0; x < form_->ClientWidth(); x += 5) {
        c.Brush()->SetColor(Pattern(x, y));
        c.FillRect(RECT{x, y, x + 5, y + 5});
      }
  });
  auto* child = new TPanel(form_);
  child->SetParent(form_);
  child->SetBounds(30, 20, 40, 30);
  form_->HandleNeeded();

  auto buffer = Filled(40, 30, 0xFFFFFF);
  PaintParentBackground(*buffer->Canvas(), *child);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(PixelOf(*buffer, x, y), Pattern(x + 30, y + 20)) << x << ", " << y;

  // Only the parent's client area is painted; the canvas keeps its origin.
  child->SetBounds(form_->ClientWidth() - 10, 20, 40, 30);
  auto edge = Filled(40, 30, 0xFFFFFF);
  PaintParentBackground(*edge->Canvas(), *child);
  EXPECT_EQ(PixelOf(*edge, 9, 5), Pattern(form_->ClientWidth() - 1, 25));
  EXPECT_EQ(PixelOf(*edge, 10, 5), 0xFFFFFF);
  POINT origin{};
  GetViewportOrgEx(edge->Canvas()->Handle(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);

  // Without a parent nothing happens.
  TPanel orphan(nullptr);
  auto untouched = Filled(10, 10, 0x00FF00);
  PaintParentBackground(*untouched->Canvas(), orphan);
  EXPECT_EQ(PixelOf(*untouched, 5, 5), 0x00FF00);
}

TEST_F(OnWindows, TwoRingsOnTheControlsWholeWindow) {
  auto* edit = new TEdit(form_);
  edit->SetParent(form_);
  edit->SetBounds(20, 20, 120, 24);
  form_->Show();
  ASSERT_TRUE(Until([&] { return IsWindowVisible(edit->Handle()) != 0; }));
  Application->ProcessMessages();

  FrameControlWindow(*edit, clRed, clBtnFace);
  RECT r{};
  GetWindowRect(edit->Handle(), &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC dc = GetWindowDC(edit->Handle());
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const std::pair<POINT, COLORREF> probes[] = {
      {{0, 0}, RGB(255, 0, 0)},
      {{w - 1, 0}, RGB(255, 0, 0)},
      {{0, h - 1}, RGB(255, 0, 0)},
      {{w - 1, h - 1}, RGB(255, 0, 0)},
      {{w / 2, 0}, RGB(255, 0, 0)},
      {{0, h / 2}, RGB(255, 0, 0)},
      {{1, 1}, face},
      {{w - 2, h - 2}, face},
      {{w / 2, 1}, face},
      {{1, h / 2}, face},
      {{w - 2, h / 2}, face},
      {{w / 2, h - 2}, face},
  };
  for (const auto& [p, colour] : probes) EXPECT_EQ(GetPixel(dc, p.x, p.y), colour) << p.x << ", " << p.y;
  ReleaseDC(edit->Handle(), dc);
}

TEST_F(OnWindows, TheActiveForm) {
  form_->Show();
  second_ = TCustomForm::Create<TForm>(nullptr);
  second_->SetBounds(400, 40, 200, 100);
  second_->Show();
  SetForegroundWindow(form_->Handle());
  ASSERT_TRUE(Until([&] { return GetActiveWindow() == form_->Handle(); }));
  EXPECT_TRUE(IsFormActive(nullptr));
  EXPECT_TRUE(IsFormActive(form_));
  EXPECT_FALSE(IsFormActive(second_));

  SetForegroundWindow(second_->Handle());
  ASSERT_TRUE(Until([&] { return GetActiveWindow() == second_->Handle(); }));
  EXPECT_TRUE(IsFormActive(second_));
  EXPECT_FALSE(IsFormActive(form_));

  // Another program in front: no form of ours is active, nor is nil.
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  testsupport::ChildProcess other;
  ASSERT_TRUE(other.Start(std::string(system) + "\\notepad.exe"));
  WaitForInputIdle(other.Process(), 30000);
  ASSERT_TRUE(Until([&] {
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    return GetForegroundWindow() && process != GetCurrentProcessId();
  })) << "another program's window did not come to the front";
  EXPECT_FALSE(IsFormActive(nullptr));
  EXPECT_FALSE(IsFormActive(second_));
}
