// Track and scroll bars: geometry, writes, paging and dragging with manual
// timer ticks, lost captures, the line buttons' steps and the thumb.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVProgressBar.h"
#include "skin/controls/KVScrollBar.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/controls/KVTrackBar.h"
#include "SkinStandIn.h"
#include "TestSupport.h"

using namespace kx;

namespace {

TColor PixelOf(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

void Press(TWinControl& c, int x, int y) { SendMessageA(c.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void Move(TWinControl& c, int x, int y) { SendMessageA(c.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
void Release(TWinControl& c, int x, int y) { SendMessageA(c.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
void Tick(TTimer* timer) { timer->OnTimer(timer); }

class Bars : public testing::Test {
 protected:
  void SetUp() override {
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBounds(100, 100, 400, 300);
  }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  void SkinForm(TkvUIStyle style) { skintest::AddStyleStrip(form_, style); }
  template <class T>
  T* Add(int left, int top, int width, int height) {
    T* control = new T(form_);
    control->SetParent(form_);
    control->SetBounds(left, top, width, height);
    return control;
  }
  // The grapher's axis-ratio slider.
  TkvTrackBar* GrapherTrackBar() {
    SkinForm(TkvUIStyle::Protein);
    auto* bar = Add<TkvTrackBar>(20, 20, 241, 20);
    bar->SetMax(200);
    bar->SetPosition(100);
    bar->OnChange = TNotifyEvent([this, bar](TObject* sender) {
      EXPECT_EQ(sender, bar);
      changes_.push_back(bar->Position());
    });
    form_->Show();
    Application->ProcessMessages();
    return bar;
  }
  void PointCursorAt(TControl& c, int x, int y) {
    const POINT s = c.ClientToScreen(POINT{x, y});
    SetCursorPos(s.x, s.y);
  }

  TForm* form_ = nullptr;
  std::vector<int> changes_;
};

}  // namespace

// ---------------------------------------------------------------------------
// Track bar

TEST(TrackGeometry, PlaceAndPositionAt) {
  TkvTrackGeometry g;
  g.Width = 241, g.Height = 20, g.SliderWidth = 11, g.SliderHeight = 20, g.Min = 0, g.Max = 200;
  const struct {
    int position;
    POINT place;
  } places[] = {{100, {115, 0}}, {0, {0, 0}}, {200, {230, 0}}, {250, {287, 0}}, {-10, {-11, 0}}};
  for (const auto& c : places) {
    const POINT p = TrackSliderPlace(g, c.position);
    EXPECT_EQ(p.x, c.place.x) << c.position;
    EXPECT_EQ(p.y, c.place.y) << c.position;
  }
  EXPECT_EQ(TrackPositionAt(g, 120, 7), 100);
  EXPECT_EQ(TrackPositionAt(g, 125, 7), 104);
  EXPECT_EQ(TrackPositionAt(g, 0, 7), -4);  // not clamped
  // Paging: one page, never past the point; on the slider's place nothing.
  EXPECT_EQ(TrackPageTowards(g, 100, 10, 125, 7), 104);
  EXPECT_EQ(TrackPageTowards(g, 100, 10, 200, 7), 110);
  EXPECT_EQ(TrackPageTowards(g, 100, 10, 60, 7), 90);
  EXPECT_EQ(TrackPageTowards(g, 100, 10, 115, 7), 100);
  // A slider as wide as the bar, an empty range.
  TkvTrackGeometry full = g;
  full.SliderWidth = 241;
  EXPECT_EQ(TrackPositionAt(full, 100, 0), 0);
  TkvTrackGeometry empty = g;
  empty.Max = 0;
  EXPECT_EQ(TrackSliderPlace(empty, 0).x, 0);
  // Vertical: the value grows downward, the slider centred across.
  TkvTrackGeometry v;
  v.Orientation = kvVertical, v.Width = 20, v.Height = 141, v.SliderWidth = 18, v.SliderHeight = 11, v.Max = 100;
  EXPECT_EQ(TrackSliderPlace(v, 50).x, 1);
  EXPECT_EQ(TrackSliderPlace(v, 50).y, 65);
  EXPECT_EQ(TrackPositionAt(v, 0, 70), 50);
}

TEST(TrackGeometry, LargeRangesDoNotOverflow) {
  TkvTrackGeometry g;
  g.Width = 241, g.Height = 20, g.SliderWidth = 11, g.SliderHeight = 20, g.Min = 0, g.Max = 1 << 30;
  EXPECT_EQ(TrackSliderPlace(g, 1 << 29).x, 115);
  EXPECT_EQ(TrackSliderPlace(g, 1 << 30).x, 230);
  EXPECT_EQ(TrackPositionAt(g, 120, 0), 1 << 29);
  EXPECT_EQ(TrackPositionAt(g, 235, 0), 1 << 30);
  g.Min = -(1 << 30);
  EXPECT_EQ(TrackSliderPlace(g, 0).x, 115);
  // Not clamped here: the bar clamps what it is given.
  EXPECT_EQ(TrackPageTowards(g, (1 << 30) - 5, 10, 240, 0), (1 << 30) + 5);
}

TEST_F(Bars, TheGraphersTrackBar) {
  TkvTrackBar* bar = GrapherTrackBar();
  EXPECT_EQ(bar->Height(), 20);
  EXPECT_EQ(bar->Color(), 0xFBFBFB);
  EXPECT_EQ(bar->BarImage()->Width(), 45);
  EXPECT_EQ(bar->BarImage()->Height(), 4);
  EXPECT_EQ(bar->BarBitmap()->Width(), 241);
  EXPECT_EQ(bar->Slider()->Width(), 11);
  EXPECT_EQ(bar->Slider()->Left(), 115);
  EXPECT_EQ(bar->Slider()->Top(), 0);
  // The bar in three slices at y = 8, the colour around it.
  TBitmap shot;
  bar->PaintTo(shot);
  TBitmap& pieces = *bar->BarImage()->Bitmap();
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(PixelOf(shot, 0, 8 + y), PixelOf(pieces, 0, y)) << y;
    EXPECT_EQ(PixelOf(shot, 240, 8 + y), PixelOf(pieces, 44, y)) << y;
    EXPECT_EQ(PixelOf(shot, 120, 8 + y), PixelOf(*bar->BarBitmap(), 120, y)) << y;
  }
  EXPECT_EQ(PixelOf(shot, 120, 7), 0xFBFBFB);
  EXPECT_EQ(PixelOf(shot, 120, 12), 0xFBFBFB);
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_bars_trackbar.png");
}

TEST_F(Bars, WritesReportOnlyChanges) {
  TkvTrackBar* bar = GrapherTrackBar();
  bar->SetPosition(250);
  EXPECT_EQ(bar->Position(), 200);
  bar->SetPosition(200);
  EXPECT_EQ(changes_, std::vector<int>{200});
  // Max below the position leaves it, and the slider past the bar's end.
  bar->SetPosition(100);
  bar->SetMax(50);
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(bar->Slider()->Left(), 460);
  EXPECT_EQ(changes_, (std::vector<int>{200, 100}));
}

TEST_F(Bars, ALoadedPositionRaisesNothing) {
  TkvTrackBar* bar = GrapherTrackBar();
  bar->BeginLoading();
  SetPropValue(*bar, "Position", int64_t{30});
  bar->EndReading();
  bar->Loaded();
  EXPECT_TRUE(changes_.empty());
  EXPECT_EQ(bar->LastPosition(), 30);
  bar->SetPosition(30);
  EXPECT_TRUE(changes_.empty());
  bar->SetPosition(31);
  EXPECT_EQ(changes_, std::vector<int>{31});
}

TEST_F(Bars, PagingStopsAtThePointUnderTheCursor) {
  TkvTrackBar* bar = GrapherTrackBar();
  PointCursorAt(*bar, 125, 10);
  Press(*bar, 125, 10);
  EXPECT_EQ(bar->Position(), 104);
  ASSERT_NE(bar->PageTimer(), nullptr);
  EXPECT_EQ(bar->PageTimer()->Interval(), 500u);
  Tick(bar->PageTimer());
  Tick(bar->PageTimer());
  EXPECT_EQ(bar->Position(), 104);
  Release(*bar, 125, 10);
  EXPECT_EQ(bar->PageTimer(), nullptr);
  EXPECT_EQ(changes_, std::vector<int>{104});
}

TEST_F(Bars, AHeldPressPagesOnEveryTick) {
  TkvTrackBar* bar = GrapherTrackBar();
  bar->SetPosition(0);
  changes_.clear();
  // Held 1.2 s: at once, then at 500 and 1000 ms.
  PointCursorAt(*bar, 238, 10);
  Press(*bar, 238, 10);
  Tick(bar->PageTimer());
  Tick(bar->PageTimer());
  Release(*bar, 238, 10);
  EXPECT_EQ(changes_, (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(bar->PageTimer(), nullptr);
  // Leaving the bar stops the paging.
  Press(*bar, 238, 10);
  SendMessageA(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(238, 25));
  EXPECT_EQ(bar->PageTimer(), nullptr);
  Release(*bar, 238, 25);
}

TEST_F(Bars, ADragReportsEveryMoveAndEndsAtMax) {
  TkvTrackBar* bar = GrapherTrackBar();
  Press(*bar->Slider(), 5, 10);
  ASSERT_TRUE(bar->Dragging());
  EXPECT_EQ(GetCapture(), bar->Handle());
  for (int x : {130, 180, 250}) Move(*bar, x, 10);
  // (x - 5) * 200 div 230 at each move, the last clamped to Max.
  EXPECT_EQ(changes_, (std::vector<int>{108, 152, 200}));
  EXPECT_EQ(bar->Slider()->Left(), 230);
  Release(*bar, 250, 10);
  EXPECT_FALSE(bar->Dragging());
  EXPECT_EQ(bar->Position(), 200);
  EXPECT_EQ(changes_.size(), 3u);
  EXPECT_NE(GetCapture(), bar->Handle());
}

TEST_F(Bars, ALostCaptureEndsPagingAndDragging) {
  TkvTrackBar* bar = GrapherTrackBar();
  auto* other = Add<TPanel>(300, 100, 50, 50);
  PointCursorAt(*bar, 238, 10);
  Press(*bar, 238, 10);
  ASSERT_NE(bar->PageTimer(), nullptr);
  SetCapture(other->Handle());
  EXPECT_EQ(bar->PageTimer(), nullptr);
  ReleaseCapture();

  Press(*bar->Slider(), 5, 10);
  Move(*bar, 150, 10);
  ASSERT_TRUE(bar->Dragging());
  SetCapture(other->Handle());
  EXPECT_FALSE(bar->Dragging());
  ReleaseCapture();
  // The bar takes the mouse again on the next press.
  Press(*bar, 20, 10);
  EXPECT_EQ(GetCapture(), bar->Handle());
  Release(*bar, 20, 10);
}

TEST_F(Bars, AVerticalTrackBar) {
  SkinForm(TkvUIStyle::WinXP);
  // As a form resource has it: the orientation before the size.
  auto* bar = new TkvTrackBar(form_);
  bar->SetOrientation(kvVertical);
  bar->SetParent(form_);
  bar->SetBounds(20, 20, 20, 141);
  form_->Show();
  Application->ProcessMessages();
  // The slider 22 x 11 sets the width; the bar turned, 8 pixels thick.
  EXPECT_EQ(bar->Slider()->Width(), 22);
  EXPECT_EQ(bar->Width(), 22);
  EXPECT_EQ(bar->BarBitmap()->Width(), 8);
  EXPECT_EQ(bar->BarBitmap()->Height(), 141);
  bar->SetPosition(50);
  EXPECT_EQ(bar->Slider()->Top(), (141 - 11) * 50 / 100);
}

// ---------------------------------------------------------------------------
// Scroll bar

TEST(ScrollGeometry, ArrangementAndThumb) {
  const TkvScrollBarLayout v = ArrangeScrollBar(kvVertical, 30, 221, SIZE{16, 17}, SIZE{16, 17}, 16);
  EXPECT_EQ(v.Up.top, 0);
  EXPECT_EQ(v.Track.top, 17);
  EXPECT_EQ(v.Track.bottom - v.Track.top, 186);
  EXPECT_EQ(v.Down.top, 204);
  EXPECT_EQ(v.Width, 16);
  const TkvScrollBarLayout h = ArrangeScrollBar(kvHorizontal, 200, 30, SIZE{17, 16}, SIZE{17, 16}, 16);
  EXPECT_EQ(h.Track.left, 17);
  EXPECT_EQ(h.Track.right - h.Track.left, 166);
  EXPECT_EQ(h.Down.left, 183);
  EXPECT_EQ(h.Height, 16);
  const struct {
    int lineButton, pageSize, track, length;
  } thumbs[] = {{18, 10, 186, 18}, {10, 10, 186, 18}, {30, 10, 186, 30}, {0, 10, 186, 18},
                {0, 5, 186, 18},   {0, 50, 186, 93},  {0, 101, 186, 18}, {0, 100, 186, 186}};
  for (const auto& t : thumbs)
    EXPECT_EQ(ScrollThumbLength(t.lineButton, t.pageSize, t.track), t.length) << t.lineButton << " " << t.pageSize;
}

TEST_F(Bars, TheVerticalWinXPScrollBar) {
  SkinForm(TkvUIStyle::WinXP);
  auto* bar = Add<TkvScrollBar>(50, 20, 16, 221);
  bar->SetOrientation(kvVertical);
  bar->SetBounds(50, 20, 16, 221);
  form_->Show();
  Application->ProcessMessages();
  EXPECT_EQ(bar->Color(), 0xF9F9F9);
  EXPECT_EQ(bar->Width(), 16);
  EXPECT_EQ(bar->Height(), 221);
  auto rectOf = [](TControl* c) {
    return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + " " + std::to_string(c->Width()) + "x" +
           std::to_string(c->Height());
  };
  EXPECT_EQ(rectOf(bar->UpButton()), "0,0 16x17");
  EXPECT_EQ(rectOf(bar->DownButton()), "0,204 16x17");
  EXPECT_EQ(rectOf(bar->Track()), "0,17 16x186");
  EXPECT_EQ(bar->Track()->Color(), 0xF9F9F9);
  // The thumb's three slices, turned back for a vertical bar.
  EXPECT_EQ(bar->ThumbStart()->Width(), 16);
  EXPECT_EQ(bar->ThumbStart()->Height(), 7);
  const struct {
    int lineButton, pageSize, length, reads;
  } cases[] = {{18, 10, 18, 18}, {10, 10, 18, 18}, {40, 10, 40, 40}, {0, 10, 18, 0}, {0, 5, 18, 0}, {0, 50, 93, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.lineButton) + " " + std::to_string(c.pageSize));
    bar->SetPageSize(c.pageSize);
    bar->SetLineButton(c.lineButton);
    EXPECT_EQ(bar->Track()->Slider()->Height(), c.length);
    EXPECT_EQ(bar->Track()->Slider()->Width(), 16);
    EXPECT_EQ(bar->LineButton(), c.reads);
  }
  bar->SetLineButton(30);
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_bars_scrollbar.png");
}

TEST_F(Bars, LineButtonsStepOnQuickClicksAndWhileHeld) {
  SkinForm(TkvUIStyle::WinXP);
  auto* bar = Add<TkvScrollBar>(50, 20, 16, 221);
  bar->SetOrientation(kvVertical);
  bar->SetPosition(50);
  std::vector<int> changes;
  bar->SetOnChange(TNotifyEvent([&](TObject* sender) {
    EXPECT_EQ(sender, bar->Track());
    changes.push_back(bar->Position());
  }));
  form_->Show();
  Application->ProcessMessages();
  TkvImageButton* down = bar->DownButton();
  // A click quicker than the 100 ms interval: one step, on release.
  Press(*down, 5, 5);
  ASSERT_NE(down->RepeatTimer(), nullptr);
  EXPECT_EQ(down->RepeatTimer()->Interval(), 100u);
  EXPECT_EQ(bar->Position(), 50);
  Release(*down, 5, 5);
  EXPECT_EQ(bar->Position(), 51);
  // Held 350 ms: steps at 100, 200 and 300 ms, none more on release.
  Press(*down, 5, 5);
  for (int i = 0; i < 3; ++i) Tick(down->RepeatTimer());
  Release(*down, 5, 5);
  EXPECT_EQ(bar->Position(), 54);
  EXPECT_EQ(down->RepeatTimer(), nullptr);
  // The up button, with a larger line step.
  bar->SetSmallChange(5);
  Press(*bar->UpButton(), 5, 5);
  Release(*bar->UpButton(), 5, 5);
  EXPECT_EQ(changes, (std::vector<int>{51, 52, 53, 54, 49}));
}

// A click on an arrow scrolls without taking the focus from the control
// that has it (a memo whose bar it is, or any other).
TEST_F(Bars, LineButtonsLeaveTheFocusWhereItIs) {
  SkinForm(TkvUIStyle::WinXP);
  auto* edit = Add<TEdit>(100, 20, 120, 21);
  auto* bar = Add<TkvScrollBar>(50, 20, 16, 221);
  bar->SetOrientation(kvVertical);
  form_->Show();
  Application->ProcessMessages();
  edit->SetFocus();
  ASSERT_EQ(GetFocus(), edit->Handle());
  for (TkvImageButton* arrow : {bar->DownButton(), bar->UpButton()}) {
    const int before = bar->Position();
    Press(*arrow, 5, 5);
    Release(*arrow, 5, 5);
    EXPECT_NE(bar->Position(), before);
    EXPECT_EQ(GetFocus(), edit->Handle());
  }
}

// The line button is the picture button: held, it repeats; dragged off the
// arrow it stops at once and shows its normal picture, and a release there
// is no click.
TEST_F(Bars, ALineButtonDraggedOffItsArrowStopsStepping) {
  SkinForm(TkvUIStyle::WinXP);
  auto* bar = Add<TkvScrollBar>(50, 20, 16, 221);
  bar->SetOrientation(kvVertical);
  bar->SetPosition(50);
  form_->Show();
  Application->ProcessMessages();
  TkvImageButton* down = bar->DownButton();
  EXPECT_EQ(down->ClassName(), "TkvImageButton");
  Move(*down, 5, 5);  // the mouse comes onto the arrow
  Press(*down, 5, 5);
  Tick(down->RepeatTimer());
  EXPECT_EQ(bar->Position(), 51);
  Move(*down, 8, 8);
  ASSERT_NE(down->RepeatTimer(), nullptr);  // still on the arrow
  EXPECT_TRUE(down->Pressed());
  Move(*down, 8, -40);  // onto the track above
  EXPECT_EQ(down->RepeatTimer(), nullptr);
  EXPECT_FALSE(down->Pressed());
  EXPECT_FALSE(down->Hover());
  Release(*down, 8, -40);
  EXPECT_EQ(bar->Position(), 51);

  // Dragged off and back before the first step: the release on the arrow
  // is a click, one line.
  Move(*down, 5, 5);
  Press(*down, 5, 5);
  Move(*down, 40, 5);
  EXPECT_EQ(down->RepeatTimer(), nullptr);
  Move(*down, 5, 5);
  EXPECT_TRUE(down->Hover());
  EXPECT_EQ(down->RepeatTimer(), nullptr);  // no repeating after coming back
  Release(*down, 5, 5);
  EXPECT_EQ(bar->Position(), 52);
}

TEST_F(Bars, AHorizontalScrollBarTurnsItsPictures) {
  SkinForm(TkvUIStyle::WinXP);
  auto* bar = Add<TkvScrollBar>(20, 250, 200, 16);
  form_->Show();
  Application->ProcessMessages();
  EXPECT_EQ(bar->Orientation(), kvHorizontal);
  EXPECT_EQ(bar->UpButton()->Width(), 17);
  EXPECT_EQ(bar->UpButton()->Height(), 16);
  EXPECT_EQ(bar->Height(), 16);
  EXPECT_EQ(bar->Track()->Left(), 17);
  EXPECT_EQ(bar->Track()->Width(), 166);
  EXPECT_EQ(bar->Track()->Slider()->Width(), 166 * 10 / 100);
}

// ---------------------------------------------------------------------------
// Progress bar

TEST(ProgressGeometry, PercentAndFilledLength) {
  EXPECT_EQ(ProgressPercent(0, 100, 50), 50);
  EXPECT_EQ(ProgressPercent(5, 5, 5), 0);
  EXPECT_EQ(ProgressPercent(0, 1 << 30, 1 << 29), 50);
  EXPECT_EQ(ProgressFilledLength(0, 100, 50, 149), 74);
  EXPECT_EQ(ProgressFilledLength(0, 100, 0, 149), 0);
  EXPECT_EQ(ProgressFilledLength(0, 100, 120, 149), 149);
  EXPECT_EQ(ProgressFilledLength(10, 10, 10, 149), 0);
  EXPECT_EQ(ProgressFilledLength(0, 1 << 30, 1 << 29, 149), 74);
}

namespace {

// Pixels that differ between two pictures of the same size.
int Differences(TBitmap& a, TBitmap& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += PixelOf(a, x, y) != PixelOf(b, x, y);
  return n;
}

}  // namespace

TEST_F(Bars, AProgressBarAtHalf) {
  SkinForm(TkvUIStyle::Protein);
  auto* bar = Add<TkvProgressBar>(20, 20, 150, 12);
  form_->Show();
  Application->ProcessMessages();
  EXPECT_EQ(bar->Caption(), "50%");
  EXPECT_EQ(bar->Width(), 150);
  EXPECT_EQ(bar->Height(), 12);
  TBitmap shot, plain;
  bar->PaintTo(shot);
  TBitmap& picture = *bar->Picture()->Bitmap();
  ASSERT_EQ(picture.Height(), 10);
  // The picture over (1, 1, 74, 11), the bar's colour after it, the frame.
  for (int y = 1; y < 11; ++y) {
    EXPECT_EQ(PixelOf(shot, 1, y), PixelOf(picture, 0, y - 1)) << y;
    EXPECT_EQ(PixelOf(shot, 148, y), static_cast<TColor>(ColorToRGB(bar->Color()))) << y;
  }
  EXPECT_EQ(PixelOf(shot, 73, 1), PixelOf(picture, 0, 0));
  EXPECT_EQ(PixelOf(shot, 74, 1), static_cast<TColor>(ColorToRGB(bar->Color())));
  EXPECT_EQ(PixelOf(shot, 0, 5), static_cast<TColor>(bar->BorderColor()));
  // The caption is there, and only while it is asked for.
  bar->SetShowCaption(false);
  bar->PaintTo(plain);
  EXPECT_GT(Differences(shot, plain), 10);
  bar->SetShowCaption(true);
  bar->SetSmartShowCaption(true);
  bar->SetPosition(0);
  TBitmap empty, emptyPlain;
  bar->PaintTo(empty);
  bar->SetShowCaption(false);
  bar->PaintTo(emptyPlain);
  EXPECT_EQ(Differences(empty, emptyPlain), 0);
  bar->SetShowCaption(true);
  bar->SetPosition(50);
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_bars_progress.png");
}

TEST_F(Bars, AVerticalProgressBarKeepsShowCaption) {
  SkinForm(TkvUIStyle::Protein);
  auto* bar = Add<TkvProgressBar>(20, 20, 150, 12);
  bar->SetOrientation(kvVertical);
  EXPECT_EQ(bar->Width(), 12);
  EXPECT_EQ(bar->Height(), 150);
  TBitmap shot;
  bar->PaintTo(shot);
  EXPECT_TRUE(bar->ShowCaption());
  // Turned back, the caption shows again.
  bar->SetOrientation(kvHorizontal);
  TBitmap withCaption, without;
  bar->PaintTo(withCaption);
  bar->SetShowCaption(false);
  bar->PaintTo(without);
  EXPECT_GT(Differences(withCaption, without), 10);
  // Sizes that would change the thickness are refused.
  bar->SetHeight(30);
  EXPECT_EQ(bar->Height(), 12);
}

TEST_F(Bars, AStreamedVerticalProgressBarKeepsItsLength) {
  SkinForm(TkvUIStyle::Protein);
  auto* bar = new TkvProgressBar(form_);
  bar->BeginLoading();
  // As a form resource has them: the size before the orientation.
  SetPropValue(*bar, "Width", int64_t{12});
  SetPropValue(*bar, "Height", int64_t{150});
  SetPropValue(*bar, "Orientation", int64_t{kvVertical});
  bar->EndReading();
  bar->Loaded();
  bar->SetParent(form_);
  EXPECT_EQ(bar->Width(), 12);
  EXPECT_EQ(bar->Height(), 150);
}
