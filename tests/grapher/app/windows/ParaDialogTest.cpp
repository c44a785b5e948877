// The extra-parameter dialog without its window: the number form, the strict
// parser, filling the fields and the loop that shows the dialog again until
// the numbers are right.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "app/model/MainU_Funcs.h"
#include "app/windows/ParaU_Logic.h"
#include "app/windows/ParaU_Numbers.h"

using namespace kx;

namespace {

TEST(ParaNumbers, FormTwelveDigitsFixedOrScientific) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {-15, "-15"},
      {15, "15"},
      {0.01, "0.01"},
      {0.1 + 0.2, "0.3"},
      {1234.5, "1234.5"},
      {2 * std::numbers::pi, "6.28318530718"},
      {-2 * std::numbers::pi, "-6.28318530718"},
      {5e-5, "5E-05"},
      {-1.5e-7, "-1.5E-07"},
      {1e12, "1E12"},
      {1.23456789012345e100, "1.23456789012E100"},
      {2e-300, "2E-300"},
      // Both sides of 0.0001 and of 10^12.
      {0.0001, "0.0001"},
      {0.00009999, "9.999E-05"},
      {999999999999, "999999999999"},
      {9.999999999999e11, "1E12"},
      {-999999999999, "-999999999999"},
      {1e11, "100000000000"},
      {123456789012345.0, "1.23456789012E14"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParaNumberText(c.value), c.text) << c.value;
  EXPECT_EQ(ParaNumberText(INFINITY), "INF");
  EXPECT_EQ(ParaNumberText(-INFINITY), "-INF");
  EXPECT_EQ(ParaNumberText(NAN), "NAN");
}

TEST(ParaNumbers, ParserTakesDotNumbersOnly) {
  const struct {
    const char* text;
    double value;
  } accepted[] = {
      {"1.5", 1.5},   {" 1.5 ", 1.5},
      {"-2", -2},     {"1e3", 1000},
      {"+3", 3},      {"1.5E-3", 0.0015},
      {"1e+3", 1000}, {".5", 0.5},
      {"5.", 5},      {"-15", -15},
      {"0.01", 0.01}, {"5E-05", 5e-5},
      {"1E12", 1e12}, {"6.28318530718", 6.28318530718},
      {"1e-400", 0},  {"-0", 0},
  };
  for (const auto& c : accepted) {
    double value = -99;
    EXPECT_TRUE(TryParseParaNumber(c.text, value)) << '"' << c.text << '"';
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
  }
  for (const char* text :
       {"1,5", "",  "  ",   "1e400", "-1e400", "1e99999999999", "1.2.3", "1 000", "1,000", "1e",  "e3",
        ".",   "-", "0x10", "inf",   "NAN",    "INF",           "1e3.5", "1.5x",  "--1",   "+-1", "1e--3"}) {
    double value = -99;
    EXPECT_FALSE(TryParseParaNumber(text, value)) << '"' << text << '"';
    EXPECT_EQ(value, -99) << "a refused text leaves the value: " << text;
  }
}

TEST(ParaNumbers, WhatIsWrittenReadsBack) {
  for (double v : {0.0, -15.0, 0.01, 2 * std::numbers::pi, 5e-5, 1e12, -1.5e-7, 1e300, 123.456}) {
    double back = 0;
    ASSERT_TRUE(TryParseParaNumber(ParaNumberText(v), back)) << v;
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-11) << v;
  }
}

TEST(ParaNumbers, RegionalSettingsChangeNothing) {
  // A C runtime locale whose decimal separator is a comma, if this system has one.
  const char* found = nullptr;
  for (const char* name : {"German_Germany.1252", "German", "de-DE", "de_DE.UTF-8", "French", "fr-FR"})
    if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
      found = name;
      break;
    }
  if (!found) {
    std::setlocale(LC_ALL, "C");
    GTEST_SKIP() << "no locale with a decimal comma here";
  }
  double value = 0;
  const bool comma = TryParseParaNumber("1,5", value);
  const bool dot = TryParseParaNumber("1.5", value);
  const std::string text = ParaNumberText(0.01);
  std::setlocale(LC_ALL, "C");
  EXPECT_FALSE(comma) << found;
  EXPECT_TRUE(dot) << found;
  EXPECT_EQ(value, 1.5);
  EXPECT_EQ(text, "0.01");
}

// The dialog as the user sees it: each showing runs the next step of a script
// (typing into the fields, then a button); without one it is closed.
class FakeParaWindow : public TParaWindow {
 public:
  using Step = std::function<TModalResult(FakeParaWindow&)>;

  std::map<TParaField, std::string> fields;
  std::map<int, std::string> headings;
  bool shiftEnabled = false, secondEnabled = false;
  std::vector<Step> script;
  // What each showing showed in the first column, and the warnings.
  std::vector<std::string> shownSteps;
  std::vector<std::string> warnings;

  std::string FieldText(TParaField field) const override {
    auto it = fields.find(field);
    return it == fields.end() ? "" : it->second;
  }
  void SetFieldText(TParaField field, const std::string& text) override { fields[field] = text; }
  void SetVarHeading(int column, const std::string& caption) override { headings[column] = caption; }
  void EnableShiftGroup(bool enabled) override { shiftEnabled = enabled; }
  void EnableSecondColumn(bool enabled) override { secondEnabled = enabled; }
  TModalResult ShowModal() override {
    shownSteps.push_back(FieldText(TParaField::Step1));
    if (shownSteps.size() > script.size()) return mrCancel;
    return script[shownSteps.size() - 1](*this);
  }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    warnings.push_back(text + " / " + caption);
  }
};

// Types texts into fields, then presses a button.
FakeParaWindow::Step Type(std::map<TParaField, std::string> texts, TModalResult button = mrOk) {
  return [texts, button](FakeParaWindow& w) {
    for (const auto& [field, text] : texts) w.fields[field] = text;
    return button;
  };
}

const char* const kBadNumber = "Nhap sai so / Error";

class ParaDialog : public ::testing::Test {
 protected:
  // A record as the Add command and the chooser leave it.
  void SetUp() override { Record(1); }
  void Record(int32_t kind) {
    f.FuncType = kind;
    f.First1 = -15, f.Last1 = 15, f.Step1 = 0.01;
    f.First2 = -15, f.Last2 = 15, f.Step2 = 0.01;
    if (kind >= 6 && kind <= 8) {
      f.First1 = -5, f.Last1 = 5, f.Step1 = 0.1;
      f.First2 = -5, f.Last2 = 5, f.Step2 = 0.1;
    }
    f.RelX = 0, f.RelY = 0, f.Rotate = 0;
  }
  std::vector<double> Values() const {
    return {f.First1, f.Last1, f.Step1, f.First2, f.Last2, f.Step2, f.RelX, f.RelY, f.Rotate};
  }

  TFuncRec f;
  FakeParaWindow window;
};

TEST_F(ParaDialog, PlaneKindsFillTheFirstColumnAndTheShift) {
  f.RelX = 2.5, f.RelY = -1, f.Rotate = std::numbers::pi / 4;
  window.fields[TParaField::First2] = "left from before";
  LoadParaForm(f, window);
  EXPECT_EQ(window.fields[TParaField::First1], "-15");
  EXPECT_EQ(window.fields[TParaField::Last1], "15");
  EXPECT_EQ(window.fields[TParaField::Step1], "0.01");
  EXPECT_EQ(window.fields[TParaField::RelX], "2.5");
  EXPECT_EQ(window.fields[TParaField::RelY], "-1");
  EXPECT_EQ(window.fields[TParaField::Rotate], "0.785398163397");
  EXPECT_TRUE(window.shiftEnabled);
  EXPECT_FALSE(window.secondEnabled);
  // The greyed column still shows what it showed.
  EXPECT_EQ(window.fields[TParaField::First2], "left from before");
  EXPECT_EQ(window.headings[1], "Bi\xd5n x");  // "Biến x" in TCVN3
  EXPECT_EQ(window.headings.count(2), 0u);
}

TEST_F(ParaDialog, HeadingsNameTheKindsVariables) {
  const struct {
    int32_t kind;
    const char* first;
    const char* second;
  } cases[] = {{1, "x", nullptr}, {2, "y", nullptr}, {3, "p", nullptr}, {4, "r", nullptr},
               {5, "t", nullptr}, {6, "t", nullptr}, {7, "x", "y"},     {8, "u", "v"}};
  for (const auto& c : cases) {
    FakeParaWindow w;
    Record(c.kind);
    LoadParaForm(f, w);
    EXPECT_EQ(w.headings[1], std::string("Bi\xd5n ") + c.first) << c.kind;
    if (c.second) {
      EXPECT_EQ(w.headings[2], std::string("Bi\xd5n ") + c.second) << c.kind;
    }
    EXPECT_EQ(w.secondEnabled, c.second != nullptr) << c.kind;
    EXPECT_EQ(w.shiftEnabled, c.second == nullptr) << c.kind;
  }
}

TEST_F(ParaDialog, SurfacesFillBothColumnsAndKeepTheShiftTexts) {
  Record(8);
  window.fields[TParaField::RelX] = "7";
  LoadParaForm(f, window);
  EXPECT_EQ(window.fields[TParaField::First2], "-5");
  EXPECT_EQ(window.fields[TParaField::Last2], "5");
  EXPECT_EQ(window.fields[TParaField::Step2], "0.1");
  EXPECT_EQ(window.fields[TParaField::RelX], "7");
}

TEST_F(ParaDialog, TinyStepsAreRefusedAndTheDialogShowsAgain) {
  for (const char* step : {"0", "1E-12", "-1E-13", "1e-400"}) {
    SetUp();
    FakeParaWindow w;
    w.script = {Type({{TParaField::Step1, step}}), Type({{TParaField::Step1, "0.5"}})};
    EXPECT_TRUE(RunParaDialog(f, w)) << step;
    EXPECT_EQ(w.warnings, std::vector<std::string>{kBadNumber}) << step;
    // Shown again with the user's text, not reloaded from the record.
    EXPECT_EQ(w.shownSteps, (std::vector<std::string>{"0.01", step})) << step;
    EXPECT_EQ(f.Step1, 0.5) << step;
  }
  SetUp();
  window.script = {Type({{TParaField::Step1, "2E-12"}})};
  EXPECT_TRUE(RunParaDialog(f, window));
  EXPECT_TRUE(window.warnings.empty());
  EXPECT_EQ(f.Step1, 2e-12);
}

TEST_F(ParaDialog, SurfacesCheckTheSecondStep) {
  Record(7);
  window.script = {Type({{TParaField::Step2, "-1E-13"}}), Type({{TParaField::Step2, "-0.25"}})};
  EXPECT_TRUE(RunParaDialog(f, window));
  EXPECT_EQ(window.warnings, std::vector<std::string>{kBadNumber});
  EXPECT_EQ(f.Step2, -0.25);
}

TEST_F(ParaDialog, BadTextsAreRefused) {
  for (const char* text : {"1,5", "", "1e400", "abc", "1.2.3"}) {
    SetUp();
    FakeParaWindow w;
    w.script = {Type({{TParaField::Last1, text}}), Type({{TParaField::Last1, " 1.5 "}})};
    EXPECT_TRUE(RunParaDialog(f, w)) << text;
    EXPECT_EQ(w.warnings, std::vector<std::string>{kBadNumber}) << text;
    EXPECT_EQ(f.Last1, 1.5) << text;
  }
}

TEST_F(ParaDialog, CancelAfterARefusalKeepsWhatWasRead) {
  // First1 is read, Last1 stops the reading: the shift after it is not read.
  window.script = {Type({{TParaField::First1, "-3"}, {TParaField::Last1, "x"}, {TParaField::RelX, "4"}}),
                   Type({}, mrCancel)};
  EXPECT_FALSE(RunParaDialog(f, window));
  EXPECT_EQ(window.warnings, std::vector<std::string>{kBadNumber});
  EXPECT_EQ(f.First1, -3);
  EXPECT_EQ(f.Last1, 15);
  EXPECT_EQ(f.RelX, 0);
}

TEST_F(ParaDialog, ARefusedStepKeepsTheRecordsStepAndTheReadingGoesOn) {
  window.script = {Type({{TParaField::Step1, "0"}, {TParaField::RelX, "4"}, {TParaField::Rotate, "1.5"}}),
                   Type({}, mrCancel)};
  EXPECT_FALSE(RunParaDialog(f, window));
  EXPECT_EQ(window.warnings, std::vector<std::string>{kBadNumber});
  // A zero step kept after the Cancel would never let the drawing end.
  EXPECT_EQ(f.Step1, 0.01);
  EXPECT_EQ(f.RelX, 4);
  EXPECT_EQ(f.Rotate, 1.5);
}

TEST_F(ParaDialog, CancelOrCloseOfTheFirstShowingChangesNothing) {
  for (TModalResult button : {mrCancel, mrAbort}) {
    SetUp();
    const std::vector<double> before = Values();
    FakeParaWindow w;
    w.script = {Type({{TParaField::First1, "1"}, {TParaField::Step1, "0.5"}}, button)};
    EXPECT_FALSE(RunParaDialog(f, w));
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(w.shownSteps.size(), 1u);
    EXPECT_TRUE(w.warnings.empty());
  }
}

TEST_F(ParaDialog, ValuesAreStoredAsTyped) {
  // Nothing asks that the start lie below the end or that the step lead to it.
  window.script = {Type({{TParaField::First1, "5"},
                         {TParaField::Last1, "-5"},
                         {TParaField::Step1, "-0.5"},
                         {TParaField::RelX, "1e3"},
                         {TParaField::RelY, "-2"},
                         {TParaField::Rotate, "3.14159265359"}})};
  EXPECT_TRUE(RunParaDialog(f, window));
  EXPECT_EQ(Values(), (std::vector<double>{5, -5, -0.5, -15, 15, 0.01, 1000, -2, 3.14159265359}));
}

TEST_F(ParaDialog, SurfacesReadBothColumnsAndNoShift) {
  Record(8);
  window.fields[TParaField::RelX] = "not a number, and not read";
  window.script = {
      Type({{TParaField::First2, "0"}, {TParaField::Last2, "6.28318530718"}, {TParaField::Step2, "0.05"}})};
  EXPECT_TRUE(RunParaDialog(f, window));
  EXPECT_TRUE(window.warnings.empty());
  EXPECT_EQ(Values(), (std::vector<double>{-5, 5, 0.1, 0, 6.28318530718, 0.05, 0, 0, 0}));
}

}  // namespace
