// The generated screen font "kurvex.fon": Windows loads it, and every TCVN3
// letter drawn through ANSI calls shows the glyph of its Vietnamese letter.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/windows/Graphics.h"
#include "framework/core/Tcvn3.h"
#include "TestSupport.h"

using namespace kx;

namespace {

// The TCVN3 codes of the Vietnamese letters, from the framework's table (the
// framework's own tests check it against the standard).
struct Letter {
  unsigned char code;
  char32_t unicode;
};
std::vector<Letter> Tcvn3Letters() {
  std::vector<Letter> letters;
  for (int code = 0x80; code < 0x100; ++code) {
    const char32_t cp = Tcvn3ToCodePoint(static_cast<unsigned char>(code));
    if (cp != U'\uFFFD') letters.push_back({static_cast<unsigned char>(code), cp});
  }
  return letters;
}
const std::vector<Letter> kTcvn3Letters = Tcvn3Letters();

struct Cell {
  int width = 0;
  std::vector<std::string> rows;
};

std::string TestFolder() {
  char self[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string dir(self, n);
  return dir.substr(0, dir.find_last_of("\\/") + 1);
}

// The generator's listing: "U+XXXX width" then one text row per pixel row.
std::map<char32_t, Cell> ReadListing(const std::string& path) {
  std::map<char32_t, Cell> cells;
  std::ifstream in(path);
  std::string line;
  Cell* current = nullptr;
  while (std::getline(in, line)) {
    if (line.rfind("U+", 0) == 0) {
      std::istringstream fields(line.substr(2));
      unsigned cp = 0;
      int width = 0;
      fields >> std::hex >> cp >> std::dec >> width;
      current = &cells[cp];
      current->width = width;
      current->rows.clear();
    } else if (current) {
      current->rows.push_back(line);
    }
  }
  return cells;
}

class ScreenFont : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fontPath_ = new std::string(testsupport::ProgramPath("kurvex.fon"));
    added_ = AddFontResourceA(fontPath_->c_str());
  }
  static void TearDownTestSuite() {
    if (added_) RemoveFontResourceA(fontPath_->c_str());
    delete fontPath_;
  }

  void SetUp() override {
    ASSERT_GT(added_, 0) << "AddFontResourceA refused " << *fontPath_;
    cells_ = ReadListing(TestFolder() + "kurvex-glyphs.txt");
    ASSERT_FALSE(cells_.empty());
    height_ = static_cast<int>(cells_.begin()->second.rows.size());
    font_.SetName("Kurvexsans");
    font_.SetHeight(height_);
    font_.SetCharset(ANSI_CHARSET);
  }

  // Draws the bytes in black on white and returns the bitmap.
  std::unique_ptr<TBitmap> Draw(const std::string& text, int width) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf32bit);
    b->SetSize(width, height_);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(RECT{0, 0, width, height_});
    c->SetFont(&font_);
    c->Font()->SetColor(clBlack);
    c->TextOut(0, 0, text);
    return b;
  }

  // The glyph drawn for `code` as text rows, like the listing.
  Cell Drawn(unsigned char code) {
    Cell cell;
    auto b = Draw(std::string(1, static_cast<char>(code)), 64);
    cell.width = b->Canvas()->TextWidth(std::string(1, static_cast<char>(code)));
    for (int y = 0; y < height_; ++y) {
      const auto* row = static_cast<const uint32_t*>(b->ScanLine(y));
      std::string text;
      for (int x = 0; x < cell.width; ++x) text += (row[x] & 0xFFFFFF) == 0 ? '#' : '.';
      cell.rows.push_back(text);
    }
    return cell;
  }

  static std::string* fontPath_;
  static int added_;
  std::map<char32_t, Cell> cells_;
  int height_ = 0;
  TFont font_;
};

std::string* ScreenFont::fontPath_ = nullptr;
int ScreenFont::added_ = 0;

TEST_F(ScreenFont, IsFoundByItsFaceName) {
  auto b = Draw("x", 8);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(b->Canvas()->Handle(), LF_FACESIZE, face);
  EXPECT_STREQ(face, "Kurvexsans");
  TEXTMETRICA tm{};
  GetTextMetricsA(b->Canvas()->Handle(), &tm);
  EXPECT_EQ(tm.tmHeight, height_);
  EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
}

TEST_F(ScreenFont, EveryTcvn3LetterDrawsItsGlyph) {
  ASSERT_EQ(kTcvn3Letters.size(), 74u);
  for (const Letter& l : kTcvn3Letters) {
    auto ref = cells_.find(l.unicode);
    ASSERT_NE(ref, cells_.end()) << "no glyph listed for U+" << std::hex << unsigned(l.unicode);
    const Cell drawn = Drawn(l.code);
    EXPECT_EQ(drawn.width, ref->second.width) << "code " << std::hex << int(l.code);
    EXPECT_EQ(drawn.rows, ref->second.rows) << "code " << std::hex << int(l.code);
  }
}

TEST_F(ScreenFont, LettersWithDifferentMarksLookDifferent) {
  // A font that drew a base letter for every tone would pass the width test
  // but not this one: the 74 letters give 74 distinct pictures.
  std::map<std::vector<std::string>, unsigned char> seen;
  for (const Letter& l : kTcvn3Letters) {
    const auto [it, fresh] = seen.emplace(Drawn(l.code).rows, l.code);
    EXPECT_TRUE(fresh) << std::hex << int(l.code) << " looks like " << int(it->second);
  }
  EXPECT_NE(Drawn('a').rows, Drawn(0xB9).rows);
}

TEST_F(ScreenFont, AsciiKeepsItsCharacters) {
  for (unsigned char code : {'A', 'z', '0', '(', '?'}) {
    ASSERT_TRUE(cells_.count(code));
    EXPECT_EQ(Drawn(code).rows, cells_[code].rows) << code;
  }
}

TEST_F(ScreenFont, ScreenshotOfAllLetters) {
  std::string line1 =
      "Danh s\xb8"
      "ch h\xb5m s\xe8 - C\xb8"
      "ch v\xcf \xae\xe5 th\xde";
  std::string line2;
  for (const Letter& l : kTcvn3Letters) line2 += static_cast<char>(l.code);
  const int width =
      2 + std::max(Draw(line1, 1)->Canvas()->TextWidth(line1), Draw(line2, 1)->Canvas()->TextWidth(line2));
  TBitmap sheet;
  sheet.SetPixelFormat(pf32bit);
  sheet.SetSize(width, height_ * 2 + 4);
  TCanvas* c = sheet.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(RECT{0, 0, width, height_ * 2 + 4});
  c->SetFont(&font_);
  c->TextOut(1, 1, line1);
  c->TextOut(1, height_ + 3, line2);

  testsupport::Picture pic;
  pic.width = sheet.Width();
  pic.height = sheet.Height();
  for (int y = 0; y < pic.height; ++y) {
    const auto* row = static_cast<const uint32_t*>(sheet.ScanLine(y));
    for (int x = 0; x < pic.width; ++x) pic.pixels.push_back(row[x] & 0xFFFFFF);
  }
  EXPECT_TRUE(testsupport::SavePng(pic, "screenfont_letters.png"));
}

}  // namespace
