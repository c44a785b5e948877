// The faces the quiz tool's screens and pages name draw every Vietnamese
// letter with a glyph of its own (Wine's own faces lack most of them).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "authoring/mnuUnicode.h"

namespace {

// Draws a text in black on white and returns its pixels.
class GlyphCanvas {
 public:
  GlyphCanvas() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~GlyphCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  std::vector<unsigned> Draw(const wchar_t* face, const std::wstring& text) {
    HFONT font = CreateFontW(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ old = SelectObject(dc_, font);
    RECT all{0, 0, Width, Height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkMode(dc_, TRANSPARENT);
    // Well below the top: capitals with stacked marks reach above the font's ascent.
    ExtTextOutW(dc_, 4, 32, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    GdiFlush();
    SelectObject(dc_, old);
    DeleteObject(font);
    return std::vector<unsigned>(bits_, bits_ + Width * Height);
  }
  // Saves every letter drawn, one group a line, to look at.
  void SaveSheet(const std::wstring& face, std::span<const wchar_t> letters) {
    testsupport::Picture sheet;
    sheet.width = Width;
    sheet.height = Height * 7;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, 0xFFFFFF);
    for (size_t first = 0; first < letters.size(); first += 20) {
      const std::wstring line(letters.data() + first, std::min<size_t>(20, letters.size() - first));
      const std::vector<unsigned> pixels = Draw(face.c_str(), line);
      std::copy(pixels.begin(), pixels.end(), sheet.pixels.begin() + static_cast<long>(first / 20 * pixels.size()));
    }
    CreateDirectoryA("screenshots", nullptr);
    std::string name;
    for (wchar_t c : face) name += c == L' ' ? '_' : static_cast<char>(c);
    testsupport::SavePng(sheet, "screenshots\\quiz_letters_" + name + ".png");
  }
  static constexpr int Width = 720, Height = 96;

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  unsigned* bits_ = nullptr;
};

class Faces : public testing::TestWithParam<const wchar_t*> {};

// Wine cuts every glyph at the font's ascent, and DejaVu's capitals with a
// tone over their circumflex or breve reach above it: of those, three lose
// the only pixels that tell them from their twin (Ầ from Ấ, Ằ and Ẵ from
// Ắ). Every other letter must differ from all others.
TEST_P(Faces, EveryVietnameseLetterHasItsOwnGlyph) {
  const std::wstring cutAtTheAscent = L"\x1EA6\x1EB0\x1EB4";
  GlyphCanvas canvas;
  const std::vector<unsigned> missing = canvas.Draw(GetParam(), L"\xE000");
  std::map<std::vector<unsigned>, wchar_t> seen;
  std::wstring lacking;
  for (wchar_t letter : mnuUnicode::VniLetters()) {
    const std::vector<unsigned> pixels = canvas.Draw(GetParam(), std::wstring(1, letter));
    EXPECT_NE(pixels, missing) << "no glyph for U+" << std::hex << static_cast<unsigned>(letter);
    if (auto [at, fresh] = seen.emplace(pixels, letter); !fresh) {
      EXPECT_NE(cutAtTheAscent.find(letter), std::wstring::npos)
          << "U+" << std::hex << static_cast<unsigned>(letter) << " drawn as U+" << static_cast<unsigned>(at->second);
    }
  }
  canvas.SaveSheet(GetParam(), mnuUnicode::VniLetters());
}

INSTANTIATE_TEST_SUITE_P(QuizFaces, Faces, testing::Values(L"Tahoma", L"Verdana", L"Times New Roman"));

// Chromium shows Times New Roman in DejaVu Sans here; the pages must look alike.
TEST(Faces, AbsentFacesDrawAsTheirDejaVuReplacements) {
  GlyphCanvas canvas;
  const std::wstring sample = L"Câu hỏi : Đáp án Ơ ư ặ ỹ";
  EXPECT_TRUE(canvas.Draw(L"Verdana", sample) == canvas.Draw(L"DejaVu Sans", sample));
  EXPECT_TRUE(canvas.Draw(L"Times New Roman", sample) == canvas.Draw(L"DejaVu Sans", sample));
  EXPECT_FALSE(canvas.Draw(L"Times New Roman", sample) == canvas.Draw(L"DejaVu Serif", sample));
}

}  // namespace
