// The function-list file: its bytes for empty lists and for every kind, the
// real form, round trips through the reader, the reader's key search, and
// files that are damaged or hostile.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "app/model/MainU_FuncFile.h"

using namespace kx;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const std::string kHeader =
    "    ..-[ Plotvane v2.11 ]-..\r\n"
    "     Kurvex - phan mem ve do thi ham so\r\n"
    "\r\n"
    "Danh sach ham so :\r\n"
    "\r\n";
const std::string kSection = "[==========================================================]\r\n";
const std::string kRecord = "[----------------------------------------------------------]\r\n";
const std::string kZero = " 0.00000000000000E+0000";
const std::string kMinus15 = "-1.50000000000000E+0001";
const std::string kPlus15 = " 1.50000000000000E+0001";
const std::string kHundredth = " 1.00000000000000E-0002";

struct Lists {
  TFuncList list2D, list3D;
  int32_t count2D = 0, count3D = 0;

  TFuncRec& Add(int32_t kind) {
    TFuncList& list = IsKind2D(kind) ? list2D : list3D;
    int32_t& count = IsKind2D(kind) ? count2D : count3D;
    TFuncRec& f = list[++count];
    f.FuncType = kind;
    f.FuncName = "Ham " + std::to_string(count);
    f.Shown = true;
    f.LineWidth = 1;
    f.Color = 0xFF0000;
    return f;
  }
  TFuncRec& AddFormula(int32_t kind, std::vector<std::string> formulas) {
    TFuncRec& f = Add(kind);
    f.First1 = -15, f.Last1 = 15, f.Step1 = 0.01;
    f.First2 = -15, f.Last2 = 15, f.Step2 = 0.01;
    for (size_t j = 0; j < formulas.size(); ++j) f.Func[int(j) + 1] = formulas[j];
    return f;
  }
  TFuncRec& AddData(int32_t drawType, std::vector<TTNPoint> points) {
    TFuncRec& f = Add(TNKind);
    f.DrawType = drawType;
    f.TNPoints = std::move(points);
    return f;
  }
  std::string Text() const { return WriteFuncListText(list2D, count2D, list3D, count3D); }
};

// Lists made from what the reader gave.
Lists FromRecords(TFuncFileRecords& records) {
  Lists lists;
  for (TFuncRec& f : records.Section2D) lists.list2D[++lists.count2D] = std::move(f);
  for (TFuncRec& f : records.Section3D) lists.list3D[++lists.count3D] = std::move(f);
  return lists;
}

// The lines of a formula record with its nine reals as the file spells them.
std::string FormulaBlock(int kind, const std::string& name, int width, const std::string& color,
                         const std::vector<std::string>& reals, const std::vector<std::string>& formulas) {
  const char* keys[] = {"First1=", "Last1=", "Step1=", "First2=", "Last2=", "Step2=", "RelX=", "RelY=", "Rotate="};
  std::string s = kRecord + "FuncType=" + std::to_string(kind) + "\r\nFuncName=" + name +
                  "\r\nLineWidth=" + std::to_string(width) + "\r\nColor=" + color + "\r\n";
  for (int i = 0; i < 9; ++i) s += keys[i] + reals[size_t(i)] + "\r\n";
  for (int j = 0; j < 3; ++j) s += "Func" + std::to_string(j + 1) + "=" + formulas[size_t(j)] + "\r\n";
  return s;
}

const std::vector<std::string> kStartRanges = {kMinus15, kPlus15, kHundredth, kMinus15, kPlus15,
                                               kHundredth, kZero, kZero, kZero};

// One record of each kind; kind 9 in its four draw types.
Lists EveryKind() {
  Lists l;
  l.AddFormula(1, {"sin(x)"});
  TFuncRec& f2 = l.AddFormula(2, {"y*y"});
  f2.RelX = 2.5, f2.Rotate = 0.78539816339744830962;
  TFuncRec& f3 = l.AddFormula(3, {"2*p"});
  f3.First1 = 0, f3.Last1 = 6.283185307179586, f3.LineWidth = 3;
  TFuncRec& f4 = l.AddFormula(4, {"r"});
  f4.RelY = -0.1, f4.Color = static_cast<TColor>(0xFF000005);  // a system colour: negative
  l.AddFormula(5, {"cos(t)", "sin(t)"});
  l.AddData(0, {{1, 2}, {3, -4.5}});
  l.AddData(1, {{1, 2}, {3, -4.5}});
  TFuncRec& d2 = l.AddData(2, {{0, 1}, {1, 3}, {2, 7}});
  d2.TyHieu = {2, 1};
  TFuncRec& d3 = l.AddData(3, {{0, 0.5}, {1, 2.5}});
  d3.BacPT = 1, d3.HeSo = {0.5, 2};
  TFuncRec& f6 = l.AddFormula(6, {"cos(t)", "sin(t)", "t/5"});
  f6.Last1 = 0.3;
  l.AddFormula(7, {"sin(x)*cos(y)"});
  TFuncRec& f8 = l.AddFormula(8, {"u", "v", "u*v"});
  f8.Step2 = -0.5;
  return l;
}

std::string EveryKindText() {
  const std::string blue = "16711680";
  auto ranges = [](std::vector<std::pair<int, std::string>> changes) {
    std::vector<std::string> r = kStartRanges;
    for (auto& [i, text] : changes) r[size_t(i)] = text;
    return r;
  };
  std::string s = kHeader + kSection + "2D:9\r\n";
  s += FormulaBlock(1, "Ham 1", 1, blue, kStartRanges, {"sin(x)", "", ""});
  s += FormulaBlock(2, "Ham 2", 1, blue,
                    ranges({{6, " 2.50000000000000E+0000"}, {8, " 7.85398163397448E-0001"}}), {"y*y", "", ""});
  s += FormulaBlock(3, "Ham 3", 3, blue, ranges({{0, kZero}, {1, " 6.28318530717959E+0000"}}), {"2*p", "", ""});
  s += FormulaBlock(4, "Ham 4", 1, "-16777211", ranges({{7, "-1.00000000000000E-0001"}}), {"r", "", ""});
  s += FormulaBlock(5, "Ham 5", 1, blue, kStartRanges, {"cos(t)", "sin(t)", ""});
  const std::string points =
      " 1.00000000000000E+0000  2.00000000000000E+0000\r\n"
      " 3.00000000000000E+0000 -4.50000000000000E+0000\r\n";
  for (int drawType : {0, 1})
    s += kRecord + "FuncType=9\r\nFuncName=Ham " + std::to_string(6 + drawType) + "\r\nLineWidth=1\r\nColor=" + blue +
         "\r\nDrawType=" + std::to_string(drawType) + "\r\nBacPT=0\r\nTNCount=2\r\n" + points;
  s += kRecord + "FuncType=9\r\nFuncName=Ham 8\r\nLineWidth=1\r\nColor=" + blue +
       "\r\nDrawType=2\r\nBacPT=0\r\nTNCount=3\r\n"
       " 0.00000000000000E+0000  1.00000000000000E+0000\r\n"
       " 1.00000000000000E+0000  3.00000000000000E+0000\r\n"
       " 2.00000000000000E+0000  7.00000000000000E+0000\r\n"
       "TyHieu=2\r\n"
       " 2.00000000000000E+0000\r\n"
       " 1.00000000000000E+0000\r\n";
  s += kRecord + "FuncType=9\r\nFuncName=Ham 9\r\nLineWidth=1\r\nColor=" + blue +
       "\r\nDrawType=3\r\nBacPT=1\r\nTNCount=2\r\n"
       " 0.00000000000000E+0000  5.00000000000000E-0001\r\n"
       " 1.00000000000000E+0000  2.50000000000000E+0000\r\n"
       "HeSo=2\r\n"
       " 5.00000000000000E-0001\r\n"
       " 2.00000000000000E+0000\r\n";
  s += kSection + "3D:3\r\n";
  s += FormulaBlock(6, "Ham 1", 1, blue, ranges({{1, " 3.00000000000000E-0001"}}), {"cos(t)", "sin(t)", "t/5"});
  s += FormulaBlock(7, "Ham 2", 1, blue, kStartRanges, {"sin(x)*cos(y)", "", ""});
  s += FormulaBlock(8, "Ham 3", 1, blue, ranges({{5, "-5.00000000000000E-0001"}}), {"u", "v", "u*v"});
  return s;
}

bool Reads(const std::string& text) {
  TFuncFileRecords records;
  return ReadFuncListText(text, records);
}

// A file of one data record in the plane list, its lines given.
std::string DataFile(const std::string& dataLines) {
  return kHeader + kSection + "2D:1\r\n" + kRecord + "FuncType=9\r\nFuncName=d\r\nLineWidth=1\r\nColor=0\r\n" +
         dataLines + kSection + "3D:0\r\n";
}

// A file of one formula record of kind 1, its head lines given.
std::string FormulaFile(const std::string& head, const std::vector<std::string>& reals = kStartRanges) {
  std::string block = FormulaBlock(1, "f", 1, "0", reals, {"x", "", ""});
  block.replace(block.find("FuncType=1\r\n"), std::string("FuncType=1\r\nFuncName=f\r\nLineWidth=1\r\nColor=0\r\n").size(),
                head);
  return kHeader + kSection + "2D:1\r\n" + block + kSection + "3D:0\r\n";
}
const std::string kGoodHead = "FuncType=1\r\nFuncName=f\r\nLineWidth=1\r\nColor=0\r\n";

}  // namespace

TEST(FuncFile, EmptyListsAreTheHeaderAndTwoCountLines) {
  const Lists empty;
  const std::string text = empty.Text();
  EXPECT_EQ(text, kHeader + kSection + "2D:0\r\n" + kSection + "3D:0\r\n");
  TFuncFileRecords records;
  ASSERT_TRUE(ReadFuncListText(text, records));
  EXPECT_TRUE(records.Section2D.empty());
  EXPECT_TRUE(records.Section3D.empty());
}

TEST(FuncFile, EveryKindIsWrittenByteForByte) { EXPECT_EQ(EveryKind().Text(), EveryKindText()); }

TEST(FuncFile, EveryKindReadsBackAndWritesTheSameBytes) {
  const std::string text = EveryKind().Text();
  TFuncFileRecords records;
  ASSERT_TRUE(ReadFuncListText(text, records));
  ASSERT_EQ(records.Section2D.size(), 9u);
  ASSERT_EQ(records.Section3D.size(), 3u);
  const TFuncRec& polar = records.Section2D[2];
  EXPECT_EQ(polar.FuncType, 3);
  EXPECT_EQ(polar.LineWidth, 3);
  EXPECT_DOUBLE_EQ(polar.Last1, 6.28318530717959);
  EXPECT_EQ(records.Section2D[3].Color, static_cast<TColor>(0xFF000005));
  const TFuncRec& fitted = records.Section2D[8];
  EXPECT_EQ(fitted.DrawType, 3);
  EXPECT_EQ(fitted.HeSo, (std::vector<long double>{0.5, 2}));
  EXPECT_TRUE(fitted.TyHieu.empty());
  EXPECT_EQ(records.Section2D[7].TyHieu, (std::vector<long double>{2, 1}));
  EXPECT_TRUE(records.Section2D[7].HeSo.empty());
  EXPECT_EQ(records.Section2D[5].TNPoints[1].Y, -4.5L);
  EXPECT_EQ(records.Section3D[2].Func[3], "u*v");
  for (const TFuncRec& f : records.Section3D) EXPECT_TRUE(f.Shown);
  EXPECT_EQ(FromRecords(records).Text(), text);
}

TEST(FuncFile, RealsAreTwentyThreeCharactersOfFifteenDigits) {
  const struct {
    long double value;
    const char* text;
  } cases[] = {
      {-15, "-1.50000000000000E+0001"},
      {0.01, " 1.00000000000000E-0002"},
      {0, " 0.00000000000000E+0000"},
      {-0.0, " 0.00000000000000E+0000"},  // not negative: a blank
      {0.1, " 1.00000000000000E-0001"},
      {123456789012345678.0, " 1.23456789012346E+0017"},
      {9.999999999999999, " 1.00000000000000E+0001"},
      {DBL_MAX, " 1.79769313486232E+0308"},
      {-DBL_MAX, "-1.79769313486232E+0308"},
      {4.9406564584124654e-324, " 4.94065645841247E-0324"},
      {1e1000L, " 1.00000000000000E+1000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FuncFileReal(c.value), c.text) << double(c.value);
    EXPECT_EQ(FuncFileReal(c.value).size(), 23u);
  }
  EXPECT_EQ(FuncFileReal(kInf), " INF");
  EXPECT_EQ(FuncFileReal(-kInf), "-INF");
  EXPECT_EQ(FuncFileReal(kNaN), " NAN");
}

TEST(FuncFile, RealsReadInTheirFormsAndOnlyThose) {
  const struct {
    const char* text;
    long double value;
  } good[] = {
      {"-1.50000000000000E+0001", -15}, {"1.5", 1.5}, {"+2", 2}, {".5e1", 5}, {"7.", 7}, {"1e-400", 0},
      {"1.79769313486232E+0308", DBL_MAX}, {"-1.79769313486232E+0308", -DBL_MAX}, {"1e99999", DBL_MAX},
      {"INF", kInf}, {"-inf", -kInf},
  };
  for (const auto& c : good) {
    long double value = 0;
    EXPECT_TRUE(TryParseFuncFileReal(c.text, value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  long double nan = 0;
  EXPECT_TRUE(TryParseFuncFileReal("NaN", nan));
  EXPECT_TRUE(std::isnan(nan));
  for (const char* bad : {"", "-", ".", "1.5x", "--1", "E5", "1.5E", "1,5", " 1.5", "0x10", "INFINITY", "1e+"}) {
    long double value = 42;
    EXPECT_FALSE(TryParseFuncFileReal(bad, value)) << bad;
    EXPECT_EQ(value, 42) << bad;
  }
}

TEST(FuncFile, LargestAndNonFiniteValuesRoundTrip) {
  Lists l;
  TFuncRec& f = l.AddFormula(7, {"x*y"});
  f.First1 = -DBL_MAX, f.Last1 = DBL_MAX, f.Step1 = kInf, f.RelX = -kInf, f.RelY = kNaN;
  l.AddData(1, {{DBL_MAX, -kInf}, {kNaN, -DBL_MAX}});
  const std::string text = l.Text();
  TFuncFileRecords records;
  ASSERT_TRUE(ReadFuncListText(text, records));
  const TFuncRec& surface = records.Section3D.at(0);
  // The written largest value rounds above it: it reads back clamped.
  EXPECT_EQ(surface.First1, -DBL_MAX);
  EXPECT_EQ(surface.Last1, DBL_MAX);
  EXPECT_EQ(surface.Step1, kInf);
  EXPECT_EQ(surface.RelX, -kInf);
  EXPECT_TRUE(std::isnan(surface.RelY));
  const TFuncRec& data = records.Section2D.at(0);
  EXPECT_EQ(data.TNPoints[0].X, DBL_MAX);
  EXPECT_EQ(data.TNPoints[0].Y, -kInf);
  EXPECT_TRUE(std::isnan(data.TNPoints[1].X));
  EXPECT_EQ(FromRecords(records).Text(), text);
}

TEST(FuncFile, KeysMatchInAnyCaseAndValuesLoseTheirBlanks) {
  std::string text = FormulaFile("functype=1\r\nFUNCNAME=  \t Ham so  \t\r\nlinewidth= 2 \r\ncOlOr=255\r\n");
  text.replace(text.find("Func1=x"), 7, "fUNC1=  x*x  ");
  TFuncFileRecords records;
  ASSERT_TRUE(ReadFuncListText(text, records));
  const TFuncRec& f = records.Section2D.at(0);
  EXPECT_EQ(f.FuncName, "Ham so");
  EXPECT_EQ(f.LineWidth, 2);
  EXPECT_EQ(f.Color, 255);
  EXPECT_EQ(f.Func[1], "x*x");
}

TEST(FuncFile, LinesAreCutAt255Characters) {
  const std::string name(300, 'n');
  TFuncFileRecords records;
  ASSERT_TRUE(ReadFuncListText(FormulaFile("FuncType=1\r\nFuncName=" + name + "\r\nLineWidth=1\r\nColor=0\r\n"), records));
  EXPECT_EQ(records.Section2D.at(0).FuncName, std::string(255 - 9, 'n'));
}

TEST(FuncFile, StrayAndUnknownLinesArePassedOver) {
  // A stray coefficient line after a record of points alone, a comment, and
  // lines ending in LF alone.
  const std::string data = "DrawType=0\r\nBacPT=0\r\nTNCount=1\r\n 1.0 2.0 trailing words\r\nHeSo=3\r\n 9\r\nnote\n";
  std::string text = kHeader + kSection + "2D:2\r\n" + kRecord +
                     "FuncType=9\r\nFuncName=d\r\nLineWidth=1\r\nColor=0\r\n" + data +
                     FormulaBlock(1, "f", 1, "0", kStartRanges, {"x", "", ""}) + kSection + "3D:0\n";
  TFuncFileRecords records;
  ASSERT_TRUE(ReadFuncListText(text, records));
  ASSERT_EQ(records.Section2D.size(), 2u);
  EXPECT_EQ(records.Section2D[0].TNPoints.size(), 1u);
  EXPECT_EQ(records.Section2D[0].TNPoints[0].Y, 2);
  EXPECT_TRUE(records.Section2D[0].HeSo.empty());
  EXPECT_EQ(records.Section2D[1].Func[1], "x");
}

TEST(FuncFile, ADamagedSpaceSectionLoadsNothing) {
  std::string text = EveryKind().Text();
  text.erase(text.rfind("Func3=u*v"));  // the file ends inside the last record
  TFuncFileRecords records;
  EXPECT_FALSE(ReadFuncListText(text, records));
  EXPECT_TRUE(records.Section2D.empty());
  EXPECT_TRUE(records.Section3D.empty());
}

TEST(FuncFile, HostileFilesAreFormatErrors) {
  const std::string points2 = "TNCount=2\r\n1 2\r\n3 4\r\n";
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"no text", ""},
      {"negative count", kHeader + kSection + "2D:-1\r\n" + kSection + "3D:0\r\n"},
      {"21 records", kHeader + kSection + "2D:21\r\n" + kSection + "3D:0\r\n"},
      {"count beyond 32 bits", kHeader + kSection + "2D:4294967297\r\n" + kSection + "3D:0\r\n"},
      {"space count missing", kHeader + kSection + "2D:0\r\n"},
      {"kind 0", FormulaFile("FuncType=0\r\nFuncName=f\r\nLineWidth=1\r\nColor=0\r\n")},
      {"kind 10", FormulaFile("FuncType=10\r\nFuncName=f\r\nLineWidth=1\r\nColor=0\r\n")},
      {"width not a number", FormulaFile("FuncType=1\r\nFuncName=f\r\nLineWidth=wide\r\nColor=0\r\n")},
      {"real with a comma", FormulaFile(kGoodHead, {"-15,0", kPlus15, kHundredth, kMinus15, kPlus15, kHundredth,
                                                    kZero, kZero, kZero})},
      {"negative points", DataFile("DrawType=0\r\nBacPT=0\r\nTNCount=-1\r\n")},
      {"points beyond the bound", DataFile("DrawType=0\r\nBacPT=0\r\nTNCount=" + std::to_string(MaxFilePoints + 1) +
                                           "\r\n")},
      {"points beyond 32 bits", DataFile("DrawType=0\r\nBacPT=0\r\nTNCount=4294967298\r\n1 2\r\n3 4\r\n")},
      {"draw type -1", DataFile("DrawType=-1\r\nBacPT=0\r\n" + points2)},
      {"draw type 4", DataFile("DrawType=4\r\nBacPT=0\r\n" + points2)},
      {"interpolation through one point", DataFile("DrawType=2\r\nBacPT=0\r\nTNCount=1\r\n1 2\r\nTyHieu=0\r\n")},
      {"fit of degree 0", DataFile("DrawType=3\r\nBacPT=0\r\n" + points2 + "HeSo=1\r\n1\r\n")},
      {"fit of the largest degree", DataFile("DrawType=3\r\nBacPT=2147483647\r\n" + points2 + "HeSo=-2147483648\r\n")},
      {"differences miscounted", DataFile("DrawType=2\r\nBacPT=0\r\n" + points2 + "TyHieu=2\r\n1\r\n2\r\n")},
      {"coefficients miscounted", DataFile("DrawType=3\r\nBacPT=1\r\n" + points2 + "HeSo=3\r\n1\r\n2\r\n3\r\n")},
      {"point that does not convert", DataFile("DrawType=0\r\nBacPT=0\r\nTNCount=2\r\n1 2\r\n3 y\r\n")},
      {"points cut short", DataFile("DrawType=0\r\nBacPT=0\r\nTNCount=3\r\n1 2\r\n3 4\r\n")},
      {"value token too long", DataFile("DrawType=0\r\nBacPT=0\r\nTNCount=1\r\n1 " + std::string(65, '0') + "\r\n")},
  };
  for (const auto& c : cases) {
    TFuncFileRecords records;
    records.Section2D.emplace_back();
    EXPECT_FALSE(ReadFuncListText(c.text, records)) << c.what;
    EXPECT_TRUE(records.Section2D.empty() && records.Section3D.empty()) << c.what;
  }
  // The same shapes within bounds read.
  EXPECT_TRUE(Reads(DataFile("DrawType=2\r\nBacPT=0\r\n" + points2 + "TyHieu=1\r\n1\r\n")));
  EXPECT_TRUE(Reads(DataFile("DrawType=3\r\nBacPT=1\r\n" + points2 + "HeSo=2\r\n1\r\n2\r\n")));
  EXPECT_TRUE(Reads(DataFile("DrawType=0\r\nBacPT=0\r\nTNCount=0\r\n")));
  EXPECT_TRUE(Reads(DataFile("DrawType=0\r\nBacPT=0\r\nTNCount=1\r\n1 " + std::string(64, '0') + "\r\n")));
}

TEST(FuncFile, LineWidthsOutsideOneToFiveAreBroughtInside) {
  const struct {
    const char* width;
    int32_t read;
  } cases[] = {{"0", 1}, {"-3", 1}, {"1", 1}, {"5", 5}, {"6", 5}, {"2147483647", 5}};
  for (const auto& c : cases) {
    TFuncFileRecords records;
    ASSERT_TRUE(ReadFuncListText(
        FormulaFile(std::string("FuncType=1\r\nFuncName=f\r\nLineWidth=") + c.width + "\r\nColor=0\r\n"), records))
        << c.width;
    EXPECT_EQ(records.Section2D.at(0).LineWidth, c.read) << c.width;
  }
}
