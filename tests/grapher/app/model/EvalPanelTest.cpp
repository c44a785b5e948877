// The evaluation panel's logic through a panel of plain texts: reading the
// inputs, "???" on bad input or a floating-point error, the target check,
// the set-up for a kind and re-evaluation when an input changes.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "EvalFixture.h"
#include "app/model/MainU_EvalPanel.h"
#include "app/model/Tcvn3Text.h"

namespace kx {
namespace {

// The panel's edits as texts; writing an input raises its change event.
class FakePanel : public TEvalPanelView {
 public:
  TEvalPanel* Logic = nullptr;
  std::map<TEvalInput, std::string> Inputs;
  std::map<std::pair<int, TEvalColumn>, std::string> Results;
  std::string Title;
  bool Enabled = true;
  std::vector<int> Layouts;  // the ValueRows of each layout applied
  TEvalLayout LastLayout;
  int Repaints = 0;

  FakePanel() {
    for (TEvalInput input : EvalInputs) Inputs[input] = "0";
  }
  std::string InputText(TEvalInput input) override { return Inputs[input]; }
  void SetInputText(TEvalInput input, const std::string& text) override {
    if (Inputs[input] == text) return;
    Inputs[input] = text;
    if (Logic) Logic->InputChanged();
  }
  void SetResultText(int row, TEvalColumn column, const std::string& text) override {
    Results[{row, column}] = text;
  }
  void SetPanelTitle(const std::string& text) override { Title = text; }
  void SetPagesEnabled(bool enabled) override { Enabled = enabled; }
  void ApplyLayout(const TEvalLayout& layout) override {
    LastLayout = layout;
    Layouts.push_back(layout.ValueRows);
  }
  void RepaintView() override { ++Repaints; }

  std::string Result(int row, TEvalColumn column) { return Results[{row, column}]; }
  bool AllResultsAre(const std::string& text) {
    for (int row = 1; row <= 3; ++row)
      for (TEvalColumn c : {TEvalColumn::Value, TEvalColumn::Derivative, TEvalColumn::Integral})
        if (Result(row, c) != text) return false;
    return true;
  }
};

class EvalPanelTest : public EvalTest {
 protected:
  EvalPanelTest() { fake.Logic = &logic; }
  TViewState view;
  FakePanel fake;
  TEvalPanel logic{model, view, eval, fake};
};

TEST_F(EvalPanelTest, TypedInputsGiveTheResults) {
  Target(1, {"x*x"});
  fake.Inputs[TEvalInput::Var1] = "3";
  fake.Inputs[TEvalInput::To1] = "3";
  EXPECT_TRUE(logic.EvaluateAll(true, true));
  EXPECT_EQ(fake.Result(1, TEvalColumn::Value), "9");
  EXPECT_EQ(fake.Result(1, TEvalColumn::Derivative), "6");
  EXPECT_EQ(fake.Result(1, TEvalColumn::Integral), "9");
  EXPECT_EQ(eval.IntegralTo, 3.0);
}

TEST_F(EvalPanelTest, BadInputAnywhereShowsQuestionMarksAndKeepsTheRest) {
  Target(1, {"x*x"});
  fake.Inputs[TEvalInput::Var1] = "2";
  ASSERT_TRUE(logic.EvaluateAll(true, true));
  for (const char* bad : {"", "abc", "1,5", "1e99999"}) {
    fake.Inputs[TEvalInput::Var1] = "3";
    fake.Inputs[TEvalInput::To2] = bad;  // a hidden edit of a plane target
    EXPECT_FALSE(logic.EvaluateAll(true, true)) << bad;
    EXPECT_TRUE(fake.AllResultsAre("???")) << bad;
    EXPECT_EQ(eval.EvalVar1, 3) << "read before the bad edit";
    EXPECT_EQ(eval.EvalF[1], 4) << "the previous value stays";
  }
}

TEST_F(EvalPanelTest, AFloatingPointErrorShowsQuestionMarks) {
  Target(1, {"1/x"});
  EXPECT_FALSE(logic.EvaluateAll(true, true));
  EXPECT_TRUE(fake.AllResultsAre("???"));
  // The integral over [0, 0] divides by zero too.
  fake.Inputs[TEvalInput::Var1] = "2";
  EXPECT_FALSE(logic.EvaluateAll(true, true));
  fake.Inputs[TEvalInput::From1] = "1";
  fake.Inputs[TEvalInput::To1] = "2";
  EXPECT_TRUE(logic.EvaluateAll(true, true));
  EXPECT_EQ(fake.Result(1, TEvalColumn::Value), "0.5");
}

TEST_F(EvalPanelTest, AVanishedTargetLeavesThePanelWithoutOne) {
  for (bool floating : {false, true}) {
    Target(1, {"x"});
    view.EvalPanelFloating = floating;
    ASSERT_TRUE(logic.CheckEvalTarget());
    ASSERT_TRUE(model.DeleteFunc(model.List2D, eval.EvalFuncIdx, model.Count2D));
    EXPECT_FALSE(logic.EvaluateAll(true, true));
    EXPECT_EQ(eval.EvalMode, 0);
    EXPECT_EQ(eval.EvalFuncIdx, -1);
    EXPECT_FALSE(fake.Enabled);
    EXPECT_EQ(fake.Title, floating ? "Chua chon ham so" : Tcvn3Text("Chưa chọn hàm số"));
  }
}

TEST_F(EvalPanelTest, DeletingInFrontMovesTheTargetToTheNextEntry) {
  Target(1, {"x"});
  Target(1, {"x+10"});
  ASSERT_EQ(eval.EvalFuncIdx, 2);
  ASSERT_TRUE(model.DeleteFunc(model.List2D, 1, model.Count2D));
  logic.SetupEvalPanel();
  EXPECT_EQ(eval.EvalMode, 0) << "index 2 is past the list of one";
  logic.SelectTarget(0);
  logic.SetupEvalPanel();
  EXPECT_EQ(fake.Result(1, TEvalColumn::Value), "10");
}

TEST_F(EvalPanelTest, SetupShowsTheKindsRowsTitleAndValues) {
  Target(8, {"u*v", "u+v", "u-v"}).FuncName = "surface";
  view.Is2DMode = false;
  fake.Inputs[TEvalInput::Var1] = "2";
  fake.Inputs[TEvalInput::Var2] = "3";
  eval.EvalVar1 = 2, eval.EvalVar2 = 3;
  logic.SetupEvalPanel();
  EXPECT_EQ(fake.LastLayout.VarRows, 2);
  EXPECT_EQ(fake.LastLayout.ValueRows, 3);
  EXPECT_EQ(fake.Title, "surface");
  EXPECT_TRUE(fake.Enabled);
  EXPECT_EQ(fake.Result(1, TEvalColumn::Value), "6");
  EXPECT_EQ(fake.Result(2, TEvalColumn::Value), "5");
  EXPECT_EQ(fake.Result(3, TEvalColumn::Value), "-1");
  EXPECT_EQ(fake.Result(1, TEvalColumn::Derivative), "5");  // v + u
  EXPECT_GE(fake.Repaints, 2);
}

TEST_F(EvalPanelTest, SelectingTakesTheEntryOfTheViewsMode) {
  Target(1, {"x"});
  Target(6, {"t", "t", "t"});
  view.Is2DMode = true;
  logic.SelectTarget(0);
  EXPECT_EQ(eval.EvalMode, 1);
  EXPECT_EQ(eval.EvalFuncIdx, 1);
  logic.SelectTarget(1);  // no such plane entry: the target stays
  EXPECT_EQ(eval.EvalMode, 1);
  view.Is2DMode = false;
  logic.SelectTarget(0);
  EXPECT_EQ(eval.EvalMode, 2);
  logic.SelectTarget(-1);
  EXPECT_EQ(eval.EvalMode, 2);
}

TEST_F(EvalPanelTest, AChangedInputReevaluatesUnlessASearchRuns) {
  Target(1, {"x*x"});
  eval.SearchHit = true;
  fake.SetInputText(TEvalInput::Var1, "5");
  EXPECT_EQ(fake.Result(1, TEvalColumn::Value), "25");
  EXPECT_FALSE(eval.SearchHit);
  EXPECT_EQ(fake.Repaints, 1) << "a plane target in the plane view";

  eval.SearchRunning = true;
  eval.SearchHit = true;
  fake.SetInputText(TEvalInput::Var1, "6");
  EXPECT_EQ(fake.Result(1, TEvalColumn::Value), "25");
  EXPECT_FALSE(eval.SearchHit);
}

TEST_F(EvalPanelTest, ResultsWrittenWithoutReadingShowTheInputsToo) {
  Target(1, {"x*x"});
  eval.EvalVar1 = 1.5L, eval.IntegralFrom = -1, eval.IntegralTo = 1.0 / 3;
  ASSERT_TRUE(logic.EvaluateAll(false, true));
  EXPECT_EQ(fake.Inputs[TEvalInput::Var1], "1.5");
  EXPECT_EQ(fake.Inputs[TEvalInput::From1], "-1");
  EXPECT_EQ(fake.Inputs[TEvalInput::To1], "0.33333");
  EXPECT_EQ(fake.Result(1, TEvalColumn::Value), "2.25");
}

TEST_F(EvalPanelTest, ClosingResetsThePointAndTheLimits) {
  Target(7, {"x+y"});
  eval.EvalVar1 = 1, eval.EvalVar2 = 2, eval.IntegralFrom = 3, eval.IntegralTo2 = 4;
  eval.SearchHit = true;
  logic.ResetInputs();
  EXPECT_EQ(eval.EvalVar1, 0);
  EXPECT_EQ(eval.EvalVar2, 0);
  EXPECT_EQ(eval.IntegralFrom, 0);
  EXPECT_EQ(eval.IntegralTo2, 0);
  EXPECT_FALSE(eval.SearchHit);
  EXPECT_EQ(eval.EvalMode, 2) << "the target stays";
}

}  // namespace
}  // namespace kx
