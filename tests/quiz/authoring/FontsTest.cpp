// The faces the quiz tool's screens and pages name draw every Vietnamese
// letter with a glyph of its own (Wine's own faces lack most of them).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
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

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Every letter differs from all others, capitals with stacked marks too.
TEST_P(Faces, EveryVietnameseLetterHasItsOwnGlyph) {
  GlyphCanvas canvas;
  const std::vector<unsigned> missing = canvas.Draw(GetParam(), L"\xE000");
  std::map<std::vector<unsigned>, wchar_t> seen;
  for (wchar_t letter : mnuUnicode::VniLetters()) {
    const std::vector<unsigned> pixels = canvas.Draw(GetParam(), std::wstring(1, letter));
    EXPECT_NE(pixels, missing) << "no glyph for U+" << std::hex << static_cast<unsigned>(letter);
    if (auto [at, fresh] = seen.emplace(pixels, letter); !fresh) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(letter) << " drawn as U+"
                    << static_cast<unsigned>(at->second);
    }
  }
  canvas.SaveSheet(GetParam(), mnuUnicode::VniLetters());
}

INSTANTIATE_TEST_SUITE_P(QuizFaces, Faces, testing::Values(L"Tahoma", L"Verdana", L"Times New Roman"));

// Chromium shows all three faces in Noto Sans here; the pages must look alike.
TEST(Faces, TheQuizFacesDrawAsNotoSans) {
  GlyphCanvas canvas;
  const std::wstring sample = L"Câu hỏi : Đáp án Ơ ư ặ ỹ Kiểm tra Tổng số";
  for (const wchar_t* face : {L"Tahoma", L"Verdana", L"Times New Roman"}) {
    EXPECT_TRUE(canvas.Draw(face, sample) == canvas.Draw(L"Noto Sans", sample)) << Narrow(face);
    EXPECT_FALSE(canvas.Draw(face, sample) == canvas.Draw(L"DejaVu Sans", sample)) << Narrow(face);
  }
}

// Each vowel with its six tones: none, grave, acute, hook, tilde, dot below.
constexpr const wchar_t* ToneRows[] = {
    L"aàáảãạ", L"ăằắẳẵặ", L"âầấẩẫậ", L"eèéẻẽẹ", L"êềếểễệ", L"iìíỉĩị",
    L"oòóỏõọ", L"ôồốổỗộ", L"ơờớởỡợ", L"uùúủũụ", L"ưừứửữự", L"yỳýỷỹỵ",
};

// A font as a screen makes it.
struct ScreenFace {
  const wchar_t* face;
  int height;  // CreateFont's: negative for the character height, positive for the cell
  int weight;
  DWORD quality;
};

// Pixels of one letter drawn in black on white, as the screens draw it.
std::vector<unsigned> LetterPixels(const ScreenFace& f, wchar_t letter) {
  constexpr int Size = 48;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), Size, -Size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC dc = CreateCompatibleDC(nullptr);
  unsigned* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HFONT font = CreateFontW(f.height, 0, 0, 0, f.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, f.quality, DEFAULT_PITCH, f.face);
  HGDIOBJ oldFont = SelectObject(dc, font);
  RECT all{0, 0, Size, Size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  ExtTextOutW(dc, 8, 32, 0, nullptr, &letter, 1, nullptr);
  GdiFlush();
  std::vector<unsigned> pixels(bits, bits + Size * Size);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

std::string Hex(wchar_t c) {
  char text[8];
  snprintf(text, sizeof text, "%04X", static_cast<unsigned>(c));
  return text;
}

class ScreenFaces : public testing::TestWithParam<ScreenFace> {};

// At the sizes the screens and pages use, a letter with two marks keeps both:
// every letter differs from the same vowel with any other tone.
TEST_P(ScreenFaces, EveryToneOfEveryVowelIsDrawnApart) {
  std::string alike;
  for (const wchar_t* row : ToneRows) {
    for (bool capital : {false, true}) {
      std::vector<std::vector<unsigned>> drawn;
      std::wstring letters(row);
      if (capital) CharUpperBuffW(letters.data(), static_cast<DWORD>(letters.size()));
      for (wchar_t letter : letters) drawn.push_back(LetterPixels(GetParam(), letter));
      for (size_t a = 0; a < drawn.size(); ++a) {
        for (size_t b = a + 1; b < drawn.size(); ++b) {
          if (drawn[a] == drawn[b]) alike += " U+" + Hex(letters[a]) + "=U+" + Hex(letters[b]);
        }
      }
    }
  }
  EXPECT_EQ(alike, "") << "drawn alike";
}

INSTANTIATE_TEST_SUITE_P(
    QuizSizes, ScreenFaces,
    testing::Values(ScreenFace{L"Verdana", -11, FW_NORMAL, DEFAULT_QUALITY},  // the screens' 8 points
                    ScreenFace{L"Tahoma", -13, FW_NORMAL, DEFAULT_QUALITY},   // the forms' own font
                    ScreenFace{L"Tahoma", 13, 500, DEFAULT_QUALITY},          // the message box
                    ScreenFace{L"Tahoma", -13, FW_NORMAL, ANTIALIASED_QUALITY},  // a page's embedded box
                    ScreenFace{L"Times New Roman", -16, FW_NORMAL, ANTIALIASED_QUALITY},  // a page's text
                    ScreenFace{L"Times New Roman", -16, FW_BOLD, ANTIALIASED_QUALITY},
                    ScreenFace{L"Times New Roman", -13, FW_NORMAL, ANTIALIASED_QUALITY}));  // sup, sub, size 2

}  // namespace
