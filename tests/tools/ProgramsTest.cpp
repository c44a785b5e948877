// Both programs start, show their main window and end cleanly when it closes;
// the system draws the quiz tool's title bar buttons as buttons.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"

using namespace testsupport;

namespace {

// The glyph of a window's close button: the dark pixels of the rightmost
// caption-sized square of its title bar, as a picture saved to `shot`.
// Returns the glyph's pixels that have no mirror image across the glyph's
// middle (left-right or top-bottom), out of all its pixels: a cross has
// almost none; the letter "r" that stands in when the symbol font is
// missing has many.
struct Glyph {
  int area = 0;
  int pixels = 0;
  int unmatched = 0;
};

bool IsDark(unsigned c) { return ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) < 3 * 96; }
// The button's face: light grey, unlike the title bar's colour around it
// (it fills well over a third of the square).
bool IsLight(unsigned c) { return ((c >> 16) & 0xFF) >= 160 && ((c >> 8) & 0xFF) >= 160 && (c & 0xFF) >= 160; }

// The close button's square once the button is on the screen: a freshly
// shown window may not have reached the screen yet, which reads as black, or
// show its title bar before the buttons on it.
Picture CloseButtonSquare(HWND window) {
  Picture square;
  for (int attempt = 0; attempt < 100; ++attempt) {
    Picture picture = CaptureWindow(window);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int border = InCapture(window, origin).x;
    const RECT button{picture.width - border - GetSystemMetrics(SM_CXSIZE), border, picture.width - border,
                      border + GetSystemMetrics(SM_CYSIZE)};
    square = Crop(picture, button);
    const auto light = std::count_if(square.pixels.begin(), square.pixels.end(), IsLight);
    if (light * 3 > static_cast<long>(square.pixels.size())) break;
    Sleep(100);
  }
  return square;
}

Glyph CloseButtonGlyph(HWND window, const std::string& shot) {
  const Picture square = CloseButtonSquare(window);
  SavePng(square, shot);

  auto dark = [&](int x, int y) { return IsDark(square.At(x, y)); };
  RECT box{square.width, square.height, -1, -1};
  Glyph glyph;
  glyph.area = square.width * square.height;
  for (int y = 0; y < square.height; ++y)
    for (int x = 0; x < square.width; ++x)
      if (dark(x, y)) {
        box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                   std::max<LONG>(box.bottom, y)};
        ++glyph.pixels;
      }
  for (int y = box.top; y <= box.bottom; ++y)
    for (int x = box.left; x <= box.right; ++x)
      if (dark(x, y) && (!dark(box.left + box.right - x, y) || !dark(x, box.top + box.bottom - y)))
        ++glyph.unmatched;
  return glyph;
}

void ExpectClosesCleanly(ChildProcess& program, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kProgramStartTimeoutMs), 0);
}

}  // namespace

TEST(Programs, GrapherShowsMainWindow) {
  ChildProcess grapher;
  ASSERT_TRUE(grapher.Start(ProgramPath("Kurvex.exe")));
  HWND main = WaitForWindow("Plotvane v2.21", grapher.Id(), kProgramStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  ExpectClosesCleanly(grapher, main);
}

TEST(Programs, QuizToolShowsMainWindow) {
  ChildProcess quiz;
  ASSERT_TRUE(quiz.Start(ProgramPath("Tessaro.exe")));
  HWND main = WaitForWindow("Tessaro", quiz.Id(), kProgramStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  // The system draws the title bar: its close button shows a cross (drawn
  // from the symbol font), not a letter.
  ASSERT_TRUE(GetWindowLongA(main, GWL_STYLE) & WS_SYSMENU);
  const Glyph close = CloseButtonGlyph(main, "quiz_close_button.png");
  EXPECT_GE(close.pixels, 8);
  // Mostly the button's light face around the glyph.
  EXPECT_LT(close.pixels * 2, close.area) << close.pixels << " of " << close.area;
  EXPECT_LE(close.unmatched * 10, close.pixels) << close.unmatched << " of " << close.pixels;
  // Closing the main menu asks whether to quit; Yes ends the program.
  PostMessageA(main, WM_CLOSE, 0, 0);
  HWND question = nullptr;
  PumpUntil([&] { return (question = FindWindowA("#32770", "Tessaro")) != nullptr; }, kProgramStartTimeoutMs);
  ASSERT_NE(question, nullptr);
  PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  EXPECT_EQ(quiz.WaitForExit(kProgramStartTimeoutMs), 0);
}
