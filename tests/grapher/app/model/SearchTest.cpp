// The root and extremum searches without windows: results against values
// computed independently, every message, the stop by a click through the
// message pump, and data records.
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "EvalFixture.h"
#include "app/model/MainU_Eval.h"
#include "app/model/MainU_Search.h"

namespace kx {
namespace {

// Evaluates as the panel does; records messages, repaints and pump calls.
class FakeHost : public TSearchHost {
 public:
  FakeHost(TFuncModel& model, TEvalState& eval) : model_(model), eval_(eval) {}
  bool Evaluate(bool shown) override {
    ++Evaluations;
    if (shown) Shown.push_back(eval_.EvalVar1);
    return EvalTarget(model_, eval_) && EvaluateStep(model_, eval_, shown);
  }
  void RepaintView() override { ++Repaints; }
  void ProcessMessages() override {
    ++Pumps;
    if (Pump) Pump(Pumps);
  }
  void SetHourglass(bool busy) override {
    Hourglass = busy;
    HourglassShown |= busy;
  }
  void ShowSearchMessage(const std::string& text) override {
    // Shown while the search still counts as running.
    EXPECT_TRUE(eval_.SearchRunning);
    Messages.push_back(text);
  }
  void SearchEnded() override { ++Ended; }

  std::function<void(int call)> Pump;
  std::vector<std::string> Messages;
  std::vector<long double> Shown;
  int Evaluations = 0, Repaints = 0, Pumps = 0, Ended = 0;
  bool Hourglass = false, HourglassShown = false;

 private:
  TFuncModel& model_;
  TEvalState& eval_;
};

class SearchTest : public EvalTest {
 protected:
  // Ends the search and checks what every ending has in common.
  void ExpectEnded(const char* message) {
    EXPECT_FALSE(eval.SearchRunning);
    EXPECT_FALSE(host.Hourglass);
    EXPECT_TRUE(host.HourglassShown);
    EXPECT_EQ(host.Ended, 1);
    if (message) {
      ASSERT_EQ(host.Messages.size(), 1u);
      EXPECT_EQ(host.Messages[0], message);
      EXPECT_FALSE(eval.SearchHit);
    } else {
      EXPECT_TRUE(host.Messages.empty()) << host.Messages[0];
      EXPECT_TRUE(eval.SearchHit);
    }
    // The panel shows the point where the search stopped.
    ASSERT_FALSE(host.Shown.empty());
    EXPECT_EQ(host.Shown.back(), eval.EvalVar1);
  }
  // A fresh host and search on a new target of kind 1 at `from`, for one
  // row of a table.
  FakeHost& Row(const char* formula, long double from, double first = -15, double last = 15) {
    rowHost_ = std::make_unique<FakeHost>(model, eval);
    rowSearch_ = std::make_unique<TSearch>(model, eval, *rowHost_);
    Target(1, {formula}, first, last);
    eval.EvalVar1 = from;
    eval.SearchHit = false;
    return *rowHost_;
  }
  TSearch& RowSearch() { return *rowSearch_; }

  FakeHost host{model, eval};
  TSearch search{model, eval, host};

 private:
  std::unique_ptr<FakeHost> rowHost_;
  std::unique_ptr<TSearch> rowSearch_;
};

TEST_F(SearchTest, OppositeSigns) {
  const long double big = 1e400L;  // infinite as a 64-bit value
  EXPECT_TRUE(OppositeSigns(1, -1));
  EXPECT_TRUE(OppositeSigns(0, 5));
  EXPECT_TRUE(OppositeSigns(-0.0L, -5));
  EXPECT_TRUE(OppositeSigns(1e-400L, 1));  // zero as a 64-bit value
  EXPECT_FALSE(OppositeSigns(2, 3));
  EXPECT_FALSE(OppositeSigns(-2, -big));
}

TEST_F(SearchTest, RootsAgainstKnownValues) {
  const struct {
    const char* formula;
    long double from;
    double root;
  } cases[] = {{"x*x-2", 1, std::sqrt(2.0)}, {"x*x-2", -1, -std::sqrt(2.0)}, {"sin(x)", 3, std::numbers::pi}, {"x*x*x-8", 0.5, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    FakeHost& fresh = Row(c.formula, c.from);
    RowSearch().FindRoot();
    EXPECT_NEAR(static_cast<double>(eval.EvalVar1), c.root, 1e-7);
    EXPECT_TRUE(eval.SearchHit);
    EXPECT_TRUE(fresh.Messages.empty());
    EXPECT_GT(fresh.Repaints, 10) << "the marker travels";
  }
}

TEST_F(SearchTest, RootOfAParametricComponent) {
  Target(5, {"t", "t*t-2"});
  eval.EvalVar1 = 1;
  eval.SearchComponent = 2;
  search.FindRoot();
  ExpectEnded(nullptr);
  EXPECT_NEAR(static_cast<double>(eval.EvalVar1), std::sqrt(2.0), 1e-7);
}

TEST_F(SearchTest, RootMessages) {
  const struct {
    const char* formula;
    long double from;
    double first, last;
    const char* message;
  } cases[] = {
      {"x*x+1", 1, -15, 15, NoRootText},
      // A double root turns before it crosses.
      {"x*x", 1, -15, 15, NoRootText},
      {"x*x-2", 20, -15, 15, RootOutOfRangeText},
      {"x*x-2", 1, -15, 1.2, RootOutOfRangeText},
      {"sqrt(x)+1", 1, -15, 15, RootOverflowText},
      {"arctan(x)+2", 0, -1e6, 1e6, TooManyStepsText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    FakeHost& fresh = Row(c.formula, c.from, c.first, c.last);
    RowSearch().FindRoot();
    ASSERT_EQ(fresh.Messages.size(), 1u);
    EXPECT_EQ(fresh.Messages[0], c.message);
    EXPECT_FALSE(eval.SearchRunning);
    EXPECT_FALSE(eval.SearchHit);
    EXPECT_FALSE(fresh.Hourglass);
  }
}

TEST_F(SearchTest, SurfacesHaveNoRootSearch) {
  for (int kind : {7, 8}) {
    if (kind == 7)
      Target(7, {"x+y"});
    else
      Target(8, {"u", "v", "u+v"});
    eval.SearchComponent = kind == 7 ? 1 : 3;
    search.FindRoot();
    EXPECT_EQ(host.Evaluations, 0) << kind;
    EXPECT_FALSE(eval.SearchRunning);
  }
}

TEST_F(SearchTest, ExtremaAgainstKnownValues) {
  const struct {
    const char* formula;
    long double from;
    bool findMin;
    double at;
  } cases[] = {{"x*x*x-3*x", 0.5, true, 1},
               {"x*x*x-3*x", -0.5, false, -1},
               {"(x-1)*(x-1)", 3, true, 1},
               {"cos(x)", 0.5, false, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    FakeHost& fresh = Row(c.formula, c.from);
    RowSearch().FindExtremum(c.findMin);
    EXPECT_TRUE(fresh.Messages.empty()) << fresh.Messages[0];
    EXPECT_TRUE(eval.SearchHit);
    EXPECT_NEAR(static_cast<double>(eval.EvalVar1), c.at, 1e-4);
    EXPECT_GT(fresh.Pumps, 1) << "messages go through once per step";
  }
}

TEST_F(SearchTest, TwoVariableMinimum) {
  Target(7, {"(x-1)*(x-1)+2*(y+0.5)*(y+0.5)"});
  eval.EvalVar1 = 0, eval.EvalVar2 = 0;
  search.FindExtremum(true);
  ExpectEnded(nullptr);
  EXPECT_NEAR(static_cast<double>(eval.EvalVar1), 1, 1e-4);
  EXPECT_NEAR(static_cast<double>(eval.EvalVar2), -0.5, 1e-4);
}

TEST_F(SearchTest, ExtremumMessages) {
  const struct {
    const char* formula;
    bool findMin;
    double first, last;
    const char* message;
  } cases[] = {
      {"x", true, -15, 15, ExtremumOutOfRangeText},
      {"ln(x)", true, -15, 15, ExtremumOverflowText},
      {"x", false, -1e6, 1e6, TooManyStepsText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    FakeHost& fresh = Row(c.formula, 1, c.first, c.last);
    RowSearch().FindExtremum(c.findMin);
    ASSERT_EQ(fresh.Messages.size(), 1u);
    EXPECT_EQ(fresh.Messages[0], c.message);
    EXPECT_FALSE(eval.SearchRunning);
  }
}

TEST_F(SearchTest, AClickThroughThePumpStopsTheSearch) {
  Target(1, {"x"}, -1e6, 1e6);
  eval.EvalVar1 = 0;
  host.Pump = [&](int call) {
    if (call == 3) eval.StopSearch = true;
  };
  search.FindExtremum(true);
  ExpectEnded(StoppedText);
  EXPECT_EQ(host.Pumps, 3);
  // A new search starts unstopped.
  host.Pump = nullptr;
  host.Messages.clear();
  host.Ended = 0;
  Target(1, {"(x-1)*(x-1)"});
  search.FindExtremum(true);
  ExpectEnded(nullptr);
}

TEST_F(SearchTest, OneVariableExtremumIgnoresTheHiddenSecondVariable) {
  // The second input edit last held 100, far outside the second range.
  Target(1, {"(x-1)*(x-1)"});
  eval.EvalVar1 = 3, eval.EvalVar2 = 100;
  search.FindExtremum(true);
  ExpectEnded(nullptr);
  EXPECT_NEAR(static_cast<double>(eval.EvalVar1), 1, 1e-4);
}

TEST_F(SearchTest, MaximumShrinksItsStepAsTheMinimumDoes) {
  // A kink whose central difference is not zero at the top: no step ever
  // climbs, so only the shrinking step ends the inner loop.
  Target(1, {"min(x,-2*x)"});
  eval.EvalVar1 = 0;
  search.FindExtremum(false);
  ExpectEnded(nullptr);
  EXPECT_NEAR(static_cast<double>(eval.EvalVar1), 0, 1e-8);
  EXPECT_LT(host.Evaluations, 100);
}

TEST_F(SearchTest, MaximumStopsInsideItsInnerLoop) {
  Target(1, {"min(x,-2*x)"});
  eval.EvalVar1 = 0;
  host.Pump = [&](int) { eval.StopSearch = true; };
  search.FindExtremum(false);
  ExpectEnded(StoppedText);
  EXPECT_LT(host.Evaluations, 5);
}

TEST_F(SearchTest, PointExtremumTakesTheFirstBestPoint) {
  DataTarget({{0, 3}, {1, 1}, {2, 1}, {3, 5}, {4, 5}}, 0);
  search.PointExtremum(true);
  EXPECT_EQ(eval.EvalVar1, 1);
  EXPECT_TRUE(eval.SearchHit);
  EXPECT_FALSE(eval.SearchRunning);
  search.PointExtremum(false);
  EXPECT_EQ(eval.EvalVar1, 3);
  EXPECT_EQ(eval.EvalF[1], 5);
}

TEST_F(SearchTest, DataRecordSearchesKeepToTheirPoints) {
  // The range runs from the first to the last point: a minimum of the
  // broken line from 1 ends at its lowest corner.
  DataTarget({{0, 2}, {1, 1}, {2, 0}, {3, 2}}, 1);
  eval.EvalVar1 = 0.5;
  search.FindExtremum(true);
  EXPECT_NEAR(static_cast<double>(eval.EvalVar1), 2, 1e-3);
}

TEST_F(SearchTest, ADataRecordWithoutPointsIsNotSearched) {
  TFuncRec& f = DataTarget({}, 3);
  f.BacPT = 1;
  f.HeSo = {1, 2};
  search.FindRoot();
  search.FindExtremum(true);
  search.PointExtremum(false);
  EXPECT_EQ(host.Evaluations, 0);
  EXPECT_FALSE(eval.SearchRunning);
  EXPECT_FALSE(eval.SearchHit);
  EXPECT_TRUE(host.Messages.empty());
}

TEST_F(SearchTest, CommandsOnlyStopARunningSearch) {
  EXPECT_FALSE(StopSearchInstead(eval));
  EXPECT_FALSE(eval.StopSearch);
  eval.SearchRunning = true;
  EXPECT_TRUE(StopSearchInstead(eval));
  EXPECT_TRUE(eval.StopSearch);
}

}  // namespace
}  // namespace kx
