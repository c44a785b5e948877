// What the formula dialog reads in a formula before compiling it, its live
// help and texts, its layout per kind, and the screen font's membership sign.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/model/MainU_Funcs.h"
#include "app/model/Tcvn3Text.h"
#include "app/windows/FInU_Check.h"
#include "app/windows/FInU_Layout.h"
#include "app/windows/FInU_Rows.h"
#include "app/windows/FInU_Tables.h"

using namespace kx;

namespace {

const std::string kUnknown = Tcvn3Text("Tên hàm hoặc tên biến không xác định");
std::string Forbidden(const char* letter) { return Tcvn3Text(std::string("Biến ") + letter + " không hợp lệ"); }

TEST(FormulaScanner, TakesWordsBetweenSeparators) {
  const std::string text = "  sin(x)";
  int pos = 1, start = -1, end = -1;
  std::string token;
  NextFormulaToken(text, pos, start, end, token);
  EXPECT_EQ(token, "SIN");
  EXPECT_EQ(start, 3);
  EXPECT_EQ(end, 6);
  EXPECT_EQ(pos, 6);
  NextFormulaToken(text, pos, start, end, token);
  EXPECT_EQ(token, "X");
  EXPECT_EQ(start, 7);
  EXPECT_EQ(end, 8);
  // Only ")" is left.
  NextFormulaToken(text, pos, start, end, token);
  EXPECT_EQ(token, "");
  EXPECT_EQ(pos, 9);
  EXPECT_EQ(start, 9);
  EXPECT_EQ(end, 0);

  pos = 5;
  NextFormulaToken("", pos, start, end, token);
  EXPECT_EQ(pos, 1);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(token, "");
  // Points and carets belong to words; all eleven separators split them.
  pos = 1;
  NextFormulaToken("x^2.5 ", pos, start, end, token);
  EXPECT_EQ(token, "X^2.5");
  for (char c : std::string(" ()*+,-/<=>")) EXPECT_TRUE(IsFormulaSeparator(c)) << c;
  for (char c : std::string(".^_;:!a0\t")) EXPECT_FALSE(IsFormulaSeparator(c)) << c;
}

TEST(FormulaScanner, PlainNumbersAreDigitsAndPoints) {
  for (const char* t : {"", "0", "12", "1.5", ".5", "1.2.3", "..."}) EXPECT_TRUE(IsPlainNumber(t)) << t;
  for (const char* t : {"1E3", "2X", "-1", "1,5", "X"}) EXPECT_FALSE(IsPlainNumber(t)) << t;
}

TEST(FormulaCheck, WordsOfTheDialogsVocabulary) {
  const struct {
    int32_t kind;
    const char* formula;
    std::string message;  // empty: passes
    int selStart, selLength;
  } cases[] = {
      {1, "2*x", "", 0, 0},
      {1, "2x", kUnknown, 0, 2},
      {1, "x^2", kUnknown, 0, 3},
      {1, "1.5e3", kUnknown, 0, 5},
      {1, ".5", "", 0, 0},
      {1, "1.2.3", "", 0, 0},
      {1, "sin(x)", "", 0, 0},
      {2, "sin(x)", Forbidden("X"), 4, 1},
      {7, "sin(x)", "", 0, 0},
      {8, "sin(x)", Forbidden("X"), 4, 1},
      {7, "x*y", "", 0, 0},
      {7, "x and y", "", 0, 0},
      {8, "u*v", "", 0, 0},
      {8, "sin(u)*y", Forbidden("Y"), 7, 1},
      {3, "p", "", 0, 0},
      {3, "p+r", Forbidden("R"), 2, 1},
      {4, "r*p", Forbidden("P"), 2, 1},
      {5, "t", "", 0, 0},
      {6, "cos(t)", "", 0, 0},
      {5, "t*x", Forbidden("X"), 2, 1},
      {1, "arccotan(x)", kUnknown, 0, 8},
      {1, "int(x)", kUnknown, 0, 3},
      {1, "", "", 0, 0},
      {1, " ( ) ", "", 0, 0},
      {1, "SIN(X) + Sin(x) - sin(x)", "", 0, 0},
      {1, "2 * sin(x) + 3y", kUnknown, 13, 2},
      {1, "x + foo(x) + bar", kUnknown, 4, 3},
      {1, "ifthen(x<0, x, random(x)) mod 2", "", 0, 0},
      {1, "inrange(x,1,2) xor true", "", 0, 0},
  };
  for (const auto& c : cases) {
    const TIdentifierCheck check = CheckFormulaIdentifiers(c.formula, c.kind);
    EXPECT_EQ(check.Passed, c.message.empty()) << c.kind << " " << c.formula;
    EXPECT_EQ(check.Message, c.message) << c.kind << " " << c.formula;
    if (!c.message.empty()) {
      EXPECT_EQ(check.SelStart, c.selStart) << c.formula;
      EXPECT_EQ(check.SelLength, c.selLength) << c.formula;
    }
  }
}

TEST(FormulaCheck, EachKindAllowsItsOwnLetters) {
  const char* const allowed[9] = {"", "X", "Y", "P", "R", "T", "T", "XY", "UV"};
  for (int32_t kind = 1; kind <= 8; ++kind)
    for (char letter : std::string("XYPRTUV")) {
      const bool expected = std::string(allowed[kind]).find(letter) != std::string::npos;
      const std::string lower(1, static_cast<char>(letter - 'A' + 'a'));
      EXPECT_EQ(CheckFormulaIdentifiers(lower, kind).Passed, expected) << kind << " " << letter;
    }
}

TEST(FormulaHelp, StatusTextsForTheWordAtTheCaret) {
  const struct {
    const char* text;
    int caret;
    std::string syntax, description;
  } cases[] = {
      {"S", 1, "(  SIN  SQR  SQRT  SIGN  )", ""},
      {"sqr", 3, "Sqr(x)     (  SQRT  )", Tcvn3Text("Bình phương của x")},
      {"x", 1, "x     (  XOR  )", Tcvn3Text("Biến x")},
      {"x", 0, "x     (  XOR  )", Tcvn3Text("Biến x")},
      {"sin(", 4, "", ""},
      {"", 0, "", ""},
      {"2*sqrt(x)", 4, "Sqrt(x)", Tcvn3Text("Căn bậc 2 của x")},
      {"2*sqrt(x)", 2, "Sqrt(x)", Tcvn3Text("Căn bậc 2 của x")},
      {"2*sqrt(x)", 1, "", ""},
      {"abs(x)", 2, "Abs(x)", Tcvn3Text("Giá trị tuyệt đối của x ")},
      {"log", 3, "(  LOG2  LOG10  LOGN  )", ""},
      {"a", 1, "(  AND  ARCSIN  ARCCOS  ARCTAN  ABS  )", ""},
      {"zz", 2, "", ""},
      {"arccotan", 8, "", ""},
  };
  for (const auto& c : cases) {
    const TFormulaHelp help = IdentifierHelp(c.text, c.caret);
    EXPECT_EQ(help.Syntax, c.syntax) << c.text << " at " << c.caret;
    EXPECT_EQ(help.Description, c.description) << c.text << " at " << c.caret;
  }
}

TEST(FormulaTexts, IdentifierTableAndMessages) {
  const auto& table = FormulaIdentifierTable();
  std::set<std::string> names;
  for (const TFormulaIdentifier& e : table) {
    EXPECT_EQ(e.Name, UpperCase(e.Name));
    EXPECT_TRUE(names.insert(e.Name).second) << e.Name;
    EXPECT_FALSE(e.Syntax.empty());
    EXPECT_FALSE(e.Description.empty());
  }
  EXPECT_EQ(table[0].Name, "X");
  EXPECT_EQ(table[7].Name, "AND");
  EXPECT_EQ(table[44].Name, "RANDOM");
  // TCVN3 bytes: "Biến x", "Đ" 0xA7, "ụ" 0xF4.
  EXPECT_EQ(table[0].Description, "Bi\xd5n x");
  EXPECT_EQ(table[7].Syntax, "\xa7K1 and \xa7K2");
  // The membership sign is the screen font's character 0x81.
  EXPECT_EQ(table[41].Name, "INRANGE");
  EXPECT_EQ(table[41].Description,
            Tcvn3Text("Kết quả là đúng nếu x ") + "\x81" + Tcvn3Text(" [a,b] và là sai nếu ngược lại"));
  EXPECT_EQ(table[36].Description.back(), ' ');
  EXPECT_EQ(FormulaErrorHeading(), Tcvn3Text("Có lỗi trong công thức hàm "));
  EXPECT_EQ(FormulaErrorHeading().back(), ' ');
  EXPECT_EQ(UnknownWordMessage(), kUnknown);
  EXPECT_EQ(ForbiddenVariableMessage("X"), "Bi\xd5n X kh\xabng h\xeep l\xd6");
}

TEST(FormulaTexts, HelpLinesInOrderWithTheirBlanks) {
  const auto& lines = FormulaHelpLines();
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines.front(), Tcvn3Text("Biểu thức hàm bao gồm những "));
  EXPECT_EQ(lines[8], "ARCCOS(),  ARCTAN(), ");
  EXPECT_EQ(lines[9], "ARCCOTAN()");
  EXPECT_EQ(lines[26], Tcvn3Text("Chú ý :"));
  EXPECT_EQ(lines.back(), Tcvn3Text("giác là Rađian"));
}

TEST(FormulaDialogLayout, RowsButtonsAndStatusFollowThePicture) {
  const TFuncDialogSizes sizes{35, 120, 60, 200, 25, 44};
  const struct {
    int32_t kind;
    std::vector<int> memoTops;
    int buttons;
  } cases[] = {{1, {140}, 198},      {2, {140}, 198},           {3, {140}, 198}, {4, {140}, 198},
               {5, {140, 196}, 254}, {6, {140, 196, 252}, 310}, {7, {140}, 198}, {8, {140, 196, 252}, 310}};
  for (const auto& c : cases) {
    const TFuncDialogLayout l = FuncDialogLayout(c.kind, sizes, true, false);
    EXPECT_EQ(l.CaptionTop, 35 + 30 - 12);
    EXPECT_EQ(l.CaptionLeft, 135);  // (600 - 200 - 120 - 10) / 2
    EXPECT_EQ(l.ImageLeft, 345);
    EXPECT_EQ(l.FrameLeft, 125);
    EXPECT_EQ(l.FrameWidth, 350);
    EXPECT_EQ(l.FrameHeight, 68);
    EXPECT_EQ(l.NameTop, 105);
    ASSERT_EQ(l.Rows, static_cast<int>(c.memoTops.size())) << c.kind;
    for (int i = 1; i <= l.Rows; ++i) {
      EXPECT_EQ(l.RowTops[i].Memo, c.memoTops[i - 1]) << c.kind;
      EXPECT_EQ(l.RowTops[i].Bevel, c.memoTops[i - 1]) << c.kind;
      EXPECT_EQ(l.RowTops[i].Label, c.memoTops[i - 1] + 2) << c.kind;
    }
    EXPECT_EQ(l.ButtonsTop, c.buttons) << c.kind;
    EXPECT_EQ(l.StatusTop, c.buttons + 54);
    EXPECT_EQ(l.StatusLabelTop, c.buttons + 57);
    EXPECT_EQ(l.ClientHeight, c.buttons + 78);
    EXPECT_EQ(l.LineWidthShown, c.kind != 7 && c.kind != 8) << c.kind;
    EXPECT_FALSE(l.NewFuncShown);
    EXPECT_EQ(l.FormWidth, 595);
  }
}

TEST(FormulaDialogLayout, HalvingTruncatesTowardZero) {
  // Odd sizes, and a caption and picture wider than the pair's width.
  TFuncDialogLayout l = FuncDialogLayout(1, {35, 121, 61, 200, 25, 44}, true, false);
  EXPECT_EQ(l.CaptionTop, 35 + 30 - 12);
  EXPECT_EQ(l.CaptionLeft, 134);
  l = FuncDialogLayout(1, {35, 200, 40, 501, 25, 44}, true, false);
  EXPECT_EQ(l.CaptionLeft, -55);  // -111 / 2
  EXPECT_EQ(l.ImageLeft, -55 + 501 + 10);
}

TEST(FormulaDialogLayout, NewFunctionBoxOnlyWhileEditingAndTheHelpPanelWide) {
  const TFuncDialogSizes sizes{35, 120, 60, 200, 25, 44};
  EXPECT_TRUE(FuncDialogLayout(1, sizes, false, false).NewFuncShown);
  EXPECT_FALSE(FuncDialogLayout(1, sizes, true, false).NewFuncShown);
  const TFuncDialogLayout wide = FuncDialogLayout(5, sizes, true, true);
  EXPECT_EQ(wide.FormWidth, 790);
  EXPECT_EQ(wide.HelpHeight, wide.ClientHeight - 32);
}

TEST(FormulaDialogLayout, ColourItemOfTheKindsPalette) {
  const struct {
    int32_t kind;
    TColor color;
    int item;
  } cases[] = {{1, 0xFF0000, 0}, {1, 0xD08410, 2}, {5, 0xC0DCC0, 9}, {1, 0x123456, 9},
               {6, 0xD08410, 0}, {7, 0xFF0000, 7}, {8, 0x00FFFF, 2}, {8, 0x000000, 9}};
  for (const auto& c : cases) {
    EXPECT_EQ(ColorItemIndex(c.kind, c.color), c.item) << c.kind << " " << std::hex << c.color;
  }
  EXPECT_EQ(ColorOfItem(1, 9), 0xC0DCC0);
  EXPECT_EQ(ColorOfItem(7, 7), 0xFF0000);
  EXPECT_EQ(ColorOfItem(2, 7), 0xF0CAA6);
}

TEST(FormulaDialogRows, FoundByNameIgnoringCase) {
  TComponent form(nullptr);
  auto add = [&](const std::string& name) { (new TComponent(&form))->SetName(name); };
  for (int i = 1; i <= 8; ++i) add("Image" + std::to_string(i));
  for (const char* name : {"lbFunc1", "lbFunc2", "lbFunc3", "bv1", "bv2", "bv3", "meFInput1", "meFInput2", "meFinput3",
                           "kvScrollBar1", "kvScrollBar2", "kvScrollBar3"})
    add(name);
  TComponentRows<TComponent, TComponent, TComponent, TComponent, TComponent> rows;
  rows.Fill(form);
  EXPECT_EQ(rows.Images[8]->Name(), "Image8");
  EXPECT_EQ(rows.Rows[3].Memo->Name(), "meFinput3");
  EXPECT_EQ(rows.Rows[2].Bevel->Name(), "bv2");
  EXPECT_EQ(rows.Rows[1].ScrollBar->Name(), "kvScrollBar1");

  TComponent broken(nullptr);
  (new TComponent(&broken))->SetName("Image1");
  EXPECT_THROW(rows.Fill(broken), EComponentError);
}

// The font generator's listing: per byte from 0x20 a line "U+XXXX width" and
// the glyph's rows.
TEST(ScreenFontGlyphs, MembershipSignAt0x81) {
  char self[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self, n);
  path = path.substr(0, path.find_last_of("\\/") + 1) + "kurvex-glyphs.txt";
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::vector<std::string> codes;
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("U+", 0) == 0) codes.push_back(line.substr(0, line.find(' ')));
  ASSERT_EQ(codes.size(), 0x100u - 0x20u);
  EXPECT_EQ(codes[0x81 - 0x20], "U+2208");
}

}  // namespace
