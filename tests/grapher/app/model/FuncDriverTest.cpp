// The Add, Edit, Delete and check-mark commands and the add/edit driver,
// with fake dialogs and a fake main window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/model/MainU_Driver.h"
#include "app/model/MainU_FuncFile.h"
#include "app/model/MainU_Funcs.h"
#include "app/windows/SelFTU_Logic.h"

using namespace kx;

namespace {

using Dialog = std::function<TModalResult(TFuncModel&)>;

// Dialogs and main window that log what they are asked; each dialog runs the
// script a test gives it.
class FakeWindows : public TFuncDialogs, public TFuncView {
 public:
  explicit FakeWindows(TFuncModel& model) : model_(model) {}

  Dialog chooser, funcDialog, tnDialog;
  std::vector<std::string> log;

  TModalResult ShowKindChooser() override { return Run("chooser", chooser); }
  TModalResult ShowFuncDialog() override { return Run("formula dialog", funcDialog); }
  TModalResult ShowTNDialog() override { return Run("data dialog", tnDialog); }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    log.push_back(text + " / " + caption);
  }
  // The mode switch shows as "2D" or "3D" in the log; its parts are kept apart.
  void ShowModeOptions(const TModeOptions& options) override {
    log.push_back(&options == &ModeOptions(true) ? "2D" : "3D");
    modeOptions = &options;
  }
  void ShowSpaceObjects() override { ++spaceObjectsShown; }
  void FillFuncList(const std::vector<TFuncListItem>& items) override { listItems = items; }
  void FuncEdited() override { log.push_back("edited"); }
  void FuncDeleted() override { log.push_back("deleted"); }
  void RepaintView() override { ++repaints; }

  const TModeOptions* modeOptions = nullptr;
  int spaceObjectsShown = 0;
  std::vector<TFuncListItem> listItems;
  int repaints = 0;

 private:
  TModalResult Run(const char* name, const Dialog& dialog) {
    log.push_back(name);
    return dialog ? dialog(model_) : mrCancel;
  }

  TFuncModel& model_;
};

// The chooser as the user drives it: one kind button.
Dialog ChooseKind(int32_t kind) {
  return [kind](TFuncModel& m) { return KindButtonClicked(m.CurFunc, kind); };
}

// The formula dialog as the user drives it: each attempt types the formulas
// and presses OK, which compiles; the dialog closes on the first attempt that
// compiles, and the user cancels when none does.
Dialog Typing(std::vector<std::vector<std::string>> attempts, bool saveAsNew = false) {
  return [attempts, saveAsNew](TFuncModel& m) {
    for (const auto& formulas : attempts) {
      for (size_t j = 0; j < formulas.size(); ++j) m.CurFunc.Func[int(j) + 1] = formulas[j];
      if (m.CompileFuncs()) {
        m.SaveAsNew = saveAsNew;
        return mrOk;
      }
    }
    return mrCancel;
  };
}

// The data dialog: it releases CurFunc's arrays and makes new ones as it
// reads the table and fits, then closes with `result`.
Dialog EnteringPoints(std::vector<TTNPoint> points, std::vector<long double> differences, TModalResult result,
                      bool saveAsNew = false) {
  return [=](TFuncModel& m) {
    std::vector<TTNPoint>(points).swap(m.CurFunc.TNPoints);
    std::vector<long double>(differences).swap(m.CurFunc.TyHieu);
    m.CurFunc.DrawType = 2;
    if (result == mrOk) m.SaveAsNew = saveAsNew;
    return result;
  };
}

const char* const kListFull = "Chuong trinh chi cho phep toi da 20 ham so / Thong bao";

class Driver : public ::testing::Test {
 protected:
  int Owned() const { return model.TemplateCompiler->ComponentCount(); }

  // The Add command with the kind chosen and the formulas typed.
  void Add(int32_t kind, std::vector<std::string> formulas) {
    windows.chooser = ChooseKind(kind);
    windows.funcDialog = Typing({formulas});
    driver.AddClicked();
  }
  void AddData(std::vector<TTNPoint> points) {
    windows.chooser = ChooseKind(TNKind);
    windows.tnDialog = EnteringPoints(points, {}, mrOk);
    driver.AddClicked();
  }
  long double ValueAt(const TFuncRec& f, int formula, long double x, long double y = 0) {
    model.VarCells[1] = x;
    model.VarCells[2] = y;
    return f.Compilers[formula]->Calculate();
  }
  void FillPlaneList() {
    for (int i = 0; i < MaxFuncs; ++i) Add(1, {"x+" + std::to_string(i)});
    ASSERT_EQ(model.Count2D, MaxFuncs);
    windows.log.clear();
  }

  TFuncModel model;
  TViewState viewState;
  FakeWindows windows{model};
  TFuncDriver driver{model, viewState, windows, windows};
};

}  // namespace

TEST_F(Driver, FirstRecordOfEachListGetsItsNameAndColour) {
  bool newDuringDialog = false;
  windows.chooser = ChooseKind(1);
  windows.funcDialog = [&](TFuncModel& m) {
    newDuringDialog = m.IsNewFunc;
    return Typing({{"x*x"}})(m);
  };
  driver.AddClicked();
  EXPECT_TRUE(newDuringDialog);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"chooser", "formula dialog", "2D"}));
  ASSERT_EQ(model.Count2D, 1);
  const TFuncRec& plane = model.List2D[1];
  EXPECT_EQ(plane.FuncName, "Ham so 2D 1");
  EXPECT_EQ(plane.Color, 0xFF0000);
  EXPECT_EQ(plane.FuncType, 1);
  EXPECT_TRUE(plane.Shown);
  EXPECT_EQ(plane.LineWidth, 1);
  EXPECT_EQ(plane.First1, -15);
  EXPECT_EQ(plane.Last1, 15);
  EXPECT_EQ(plane.Step1, 0.01);
  EXPECT_EQ(plane.RelX, 0);
  EXPECT_EQ(plane.Rotate, 0);
  EXPECT_EQ(ValueAt(plane, 1, 3), 9);

  Add(7, {"x*y"});
  ASSERT_EQ(model.Count3D, 1);
  EXPECT_EQ(model.List3D[1].FuncName, "Ham so 3D 1");
  EXPECT_EQ(model.List3D[1].Color, 0xD08410);
  EXPECT_EQ(model.List3D[1].Step2, 0.1);
  EXPECT_EQ(model.CurList, &model.List3D);
  EXPECT_EQ(ValueAt(model.List3D[1], 1, 3, 4), 12);

  // An experimental record is numbered in the whole plane list.
  AddData({{0, 1}, {1, 3}});
  ASSERT_EQ(model.Count2D, 2);
  const TFuncRec& data = model.List2D[2];
  EXPECT_EQ(data.FuncName, "Ham so TN 2");
  EXPECT_EQ(data.Color, 0x00FF00);
  EXPECT_EQ(data.First1, 0);
  EXPECT_EQ(data.Last1, 0);
  EXPECT_EQ(data.Step1, 0);
  EXPECT_EQ(data.TNCount(), 2);
  EXPECT_EQ(data.Compilers[1], nullptr);
  EXPECT_EQ(model.CurList, &model.List2D);
  EXPECT_EQ(Owned(), 2);
}

TEST_F(Driver, EleventhRecordStartsThePaletteAgain) {
  for (int i = 1; i <= 12; ++i) {
    if (i % 2)
      Add(1, {"x"});
    else
      Add(5, {"t", "t*t"});
  }
  for (int i = 1; i <= 12; ++i) {
    EXPECT_EQ(model.List2D[i].FuncName, "Ham so 2D " + std::to_string(i));
    EXPECT_EQ(model.List2D[i].Color, ColorTable2D[(i - 1) % 10 + 1]) << i;
  }
  for (int i = 1; i <= 11; ++i) Add(8, {"u", "v", "u*v"});
  EXPECT_EQ(model.List3D[10].Color, 0xC0DCC0);
  EXPECT_EQ(model.List3D[11].Color, 0xD08410);
  EXPECT_EQ(model.List3D[11].FuncName, "Ham so 3D 11");
  AddData({{0, 0}});
  EXPECT_EQ(model.List2D[13].FuncName, "Ham so TN 13");
  EXPECT_EQ(model.List2D[13].Color, ColorTable2D[3]);
}

TEST_F(Driver, AddingToAFullListChangesNothing) {
  FillPlaneList();
  for (int32_t kind : {3, TNKind}) {
    windows.log.clear();
    windows.chooser = ChooseKind(kind);
    windows.funcDialog = Typing({{"p"}});
    driver.AddClicked();
    EXPECT_EQ(windows.log, (std::vector<std::string>{"chooser", kListFull})) << kind;
    EXPECT_EQ(model.Count2D, MaxFuncs);
    EXPECT_EQ(Owned(), MaxFuncs);
  }
  EXPECT_EQ(model.List2D[MaxFuncs].FuncName, "Ham so 2D 20");
  // The space list is not full.
  Add(6, {"t", "t", "t"});
  EXPECT_EQ(model.Count3D, 1);
}

TEST_F(Driver, ChooserClosedAddsNothing) {
  for (TModalResult result : {mrCancel, mrAbort}) {
    windows.chooser = [result](TFuncModel&) { return result; };
    windows.funcDialog = Typing({{"x"}});
    driver.AddClicked();
  }
  EXPECT_EQ(windows.log, (std::vector<std::string>{"chooser", "chooser"}));
  EXPECT_EQ(model.Count2D, 0);
  EXPECT_EQ(Owned(), 0);
}

TEST_F(Driver, CancelledAddDiscardsTheRecordAndItsCompilers) {
  int ownedDuringDialog = 0;
  windows.chooser = ChooseKind(6);
  windows.funcDialog = [&](TFuncModel& m) {
    ownedDuringDialog = Owned();
    return Typing({{"t", "t*", "t"}})(m);  // does not compile; the user gives up
  };
  driver.AddClicked();
  EXPECT_EQ(ownedDuringDialog, 3);
  EXPECT_EQ(Owned(), 0);
  EXPECT_EQ(model.Count3D, 0);
  EXPECT_EQ(model.CurFunc.Compilers[1], nullptr);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"chooser", "formula dialog"}));
}

TEST_F(Driver, CompileFirstFailureWarnsThenOpensTheDialog) {
  model.CurFunc = TFuncRec();
  model.CurFunc.FuncType = 5;
  model.CurFunc.Func[1] = "t";
  model.CurFunc.Func[2] = "t*(";
  int errorIndex = 0;
  windows.funcDialog = [&](TFuncModel& m) {
    errorIndex = m.CompileErrIdx;
    return Typing({{"t", "t*2"}})(m);
  };
  EXPECT_TRUE(driver.AddOrEditFunc(0, true));
  EXPECT_EQ(windows.log,
            (std::vector<std::string>{"Nhap sai cong thuc ham so / Thong bao loi", "formula dialog", "2D"}));
  EXPECT_EQ(errorIndex, 2);
  ASSERT_EQ(model.Count2D, 1);
  EXPECT_EQ(ValueAt(model.List2D[1], 2, 4), 8);
}

TEST_F(Driver, CompileFirstSuccessOpensNoDialog) {
  model.CurFunc = TFuncRec();
  model.CurFunc.FuncType = 7;
  model.CurFunc.Func[1] = "x-y";
  EXPECT_TRUE(driver.AddOrEditFunc(0, true));
  model.CurFunc = TFuncRec();
  model.CurFunc.FuncType = TNKind;
  model.CurFunc.TNPoints = {{1, 1}};
  EXPECT_TRUE(driver.AddOrEditFunc(0, true));
  EXPECT_EQ(windows.log, (std::vector<std::string>{"3D", "2D"}));
  EXPECT_EQ(ValueAt(model.List3D[1], 1, 5, 2), 3);
  EXPECT_EQ(model.List2D[1].TNCount(), 1);
  // Something that is no kind is never stored.
  model.CurFunc.FuncType = 0;
  EXPECT_FALSE(driver.AddOrEditFunc(0, true));
  EXPECT_EQ(Owned(), 1);
}

TEST_F(Driver, EditCancelledKeepsTheOldCompilersWorking) {
  Add(1, {"x*2"});
  TKCompiler* old = model.List2D[1].Compilers[1].get();
  windows.log.clear();
  int ownedDuringDialog = 0;
  bool editing = true;
  windows.funcDialog = [&](TFuncModel& m) {
    ownedDuringDialog = Owned();
    editing = !m.IsNewFunc;
    return Typing({{"x*"}})(m);
  };
  driver.EditClicked(0);
  EXPECT_EQ(ownedDuringDialog, 2);
  EXPECT_TRUE(editing);
  EXPECT_EQ(Owned(), 1);
  EXPECT_EQ(model.List2D[1].Compilers[1].get(), old);
  EXPECT_EQ(model.List2D[1].Func[1], "x*2");
  EXPECT_EQ(ValueAt(model.List2D[1], 1, 7), 14);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"formula dialog"}));
}

TEST_F(Driver, EditConfirmedDestroysTheOldCompilers) {
  Add(1, {"x*2"});
  Add(1, {"x*3"});
  TKCompiler* old = model.List2D[2].Compilers[1].get();
  windows.log.clear();
  windows.funcDialog = Typing({{"x*5"}});
  driver.EditClicked(1);
  EXPECT_EQ(Owned(), 2);
  for (int i = 0; i < Owned(); ++i) EXPECT_NE(model.TemplateCompiler->Components(i), old);
  EXPECT_EQ(model.Count2D, 2);
  EXPECT_EQ(model.List2D[2].FuncName, "Ham so 2D 2");
  EXPECT_EQ(ValueAt(model.List2D[2], 1, 7), 35);
  EXPECT_EQ(ValueAt(model.List2D[1], 1, 7), 14);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"formula dialog", "2D", "edited"}));
}

TEST_F(Driver, EditSavedAsNewAppendsAndKeepsTheEntry) {
  Add(1, {"x*2"});
  windows.funcDialog = Typing({{"x*9"}}, true);
  driver.EditClicked(0);
  ASSERT_EQ(model.Count2D, 2);
  EXPECT_EQ(ValueAt(model.List2D[1], 1, 1), 2);
  EXPECT_EQ(ValueAt(model.List2D[2], 1, 1), 9);
  EXPECT_EQ(Owned(), 2);
}

TEST_F(Driver, EditSavedAsNewIntoAFullListKeepsTheEntry) {
  FillPlaneList();
  TKCompiler* old = model.List2D[4].Compilers[1].get();
  windows.funcDialog = Typing({{"x*100"}}, true);
  driver.EditClicked(3);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"formula dialog", kListFull}));
  EXPECT_EQ(model.Count2D, MaxFuncs);
  EXPECT_EQ(Owned(), MaxFuncs);  // the edit's compilers are gone
  EXPECT_EQ(model.List2D[4].Compilers[1].get(), old);
  EXPECT_EQ(ValueAt(model.List2D[4], 1, 1), 4);
  EXPECT_EQ(model.CurFunc.Compilers[1], nullptr);
}

TEST_F(Driver, EditOutsideTheListDoesNothing) {
  Add(1, {"x"});
  windows.log.clear();
  windows.funcDialog = Typing({{"x*2"}});
  driver.EditClicked(-1);
  driver.EditClicked(1);
  EXPECT_TRUE(windows.log.empty());
  EXPECT_EQ(Owned(), 1);
}

TEST_F(Driver, DeletingTheFirstOfThree) {
  Add(1, {"x+1"});
  Add(1, {"x+2"});
  Add(1, {"x+3"});
  windows.log.clear();
  driver.DeleteClicked(0);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"deleted"}));
  ASSERT_EQ(model.Count2D, 2);
  EXPECT_EQ(model.List2D[1].FuncName, "Ham so 2D 2");
  EXPECT_EQ(model.List2D[2].FuncName, "Ham so 2D 3");
  EXPECT_EQ(ValueAt(model.List2D[1], 1, 0), 2);
  EXPECT_EQ(ValueAt(model.List2D[2], 1, 0), 3);
  EXPECT_EQ(Owned(), 2);
  // No selection, or an item past the list: nothing.
  driver.DeleteClicked(-1);
  driver.DeleteClicked(2);
  EXPECT_EQ(windows.log.size(), 1u);
  EXPECT_EQ(model.Count2D, 2);
}

TEST_F(Driver, DeleteWorksOnTheCurrentModesList) {
  Add(1, {"x"});
  Add(6, {"t", "t", "t"});
  EXPECT_EQ(model.CurList, &model.List3D);
  driver.DeleteClicked(0);
  EXPECT_EQ(model.Count3D, 0);
  EXPECT_EQ(model.Count2D, 1);
  EXPECT_EQ(Owned(), 1);
}

TEST_F(Driver, CheckMarksOutsideTheListAreIgnored) {
  Add(1, {"x"});
  Add(1, {"x"});
  windows.log.clear();
  windows.repaints = 0;
  driver.CheckClicked(1, false);
  EXPECT_FALSE(model.List2D[2].Shown);
  EXPECT_EQ(windows.repaints, 1);
  driver.CheckClicked(1, true);
  EXPECT_TRUE(model.List2D[2].Shown);
  windows.repaints = 0;
  for (int itemIndex : {-1, 2, 20, 100}) EXPECT_NO_THROW(driver.CheckClicked(itemIndex, false)) << itemIndex;
  EXPECT_EQ(windows.repaints, 0);
  EXPECT_TRUE(model.List2D[1].Shown);
  EXPECT_TRUE(model.List2D[2].Shown);
  // The space list is empty: its item 0 is no entry.
  model.SetCurrentList(false);
  driver.CheckClicked(0, false);
  EXPECT_EQ(windows.repaints, 0);
  EXPECT_TRUE(windows.log.empty());
}

TEST_F(Driver, ModeSwitchShowsTheModesListAndOptions) {
  Add(1, {"x"});
  Add(5, {"t", "t"});
  driver.CheckClicked(1, false);
  Add(7, {"x+y"});
  // The store of a space function switched to 3D.
  EXPECT_FALSE(viewState.Is2DMode);
  EXPECT_EQ(windows.modeOptions, &ModeOptions(false));
  EXPECT_EQ(windows.spaceObjectsShown, 1);
  EXPECT_EQ(windows.listItems, (std::vector<TFuncListItem>{{"Ham so 3D 1", true}}));

  windows.repaints = 0;
  driver.SwitchTo2D();
  EXPECT_TRUE(viewState.Is2DMode);
  EXPECT_EQ(model.CurList, &model.List2D);
  EXPECT_EQ(model.CurCount, &model.Count2D);
  EXPECT_EQ(windows.modeOptions, &ModeOptions(true));
  EXPECT_EQ(windows.listItems, (std::vector<TFuncListItem>{{"Ham so 2D 1", true}, {"Ham so 2D 2", false}}));
  EXPECT_EQ(windows.spaceObjectsShown, 1);
  EXPECT_EQ(windows.repaints, 1);

  driver.SwitchTo3D();
  EXPECT_FALSE(viewState.Is2DMode);
  EXPECT_EQ(model.CurList, &model.List3D);
  EXPECT_EQ(windows.spaceObjectsShown, 2);
  EXPECT_EQ(windows.listItems.size(), 1u);
  EXPECT_EQ(windows.repaints, 2);
  // Deleting the only space function leaves an empty list box after the next switch.
  driver.DeleteClicked(0);
  driver.SwitchTo3D();
  EXPECT_TRUE(windows.listItems.empty());
}

TEST_F(Driver, DataEditCancelledLeavesTheEntrysArrays) {
  AddData({{0, 1}, {1, 3}, {2, 7}});
  TFuncRec& entry = model.List2D[1];
  entry.TyHieu = {4, 1};
  entry.DrawType = 1;
  const TTNPoint* points = entry.TNPoints.data();
  bool sharedDuringDialog = true;
  windows.tnDialog = [&](TFuncModel& m) {
    sharedDuringDialog =
        m.CurFunc.TNPoints.data() == entry.TNPoints.data() || m.CurFunc.TyHieu.data() == entry.TyHieu.data();
    return EnteringPoints({{5, 5}, {6, 6}}, {1}, mrCancel)(m);
  };
  driver.EditClicked(0);
  EXPECT_FALSE(sharedDuringDialog);
  ASSERT_EQ(entry.TNCount(), 3);
  EXPECT_EQ(entry.TNPoints.data(), points);
  EXPECT_EQ(entry.TNPoints[2].Y, 7);
  EXPECT_EQ(entry.TyHieu, (std::vector<long double>{4, 1}));
  EXPECT_EQ(entry.DrawType, 1);
  // The cancelled copy's arrays are released.
  EXPECT_EQ(model.CurFunc.TNCount(), 0);
  EXPECT_TRUE(model.CurFunc.TyHieu.empty());
}

TEST_F(Driver, DataEditSavedAsNewLeavesBothEntries) {
  AddData({{0, 1}, {1, 3}, {2, 7}});
  model.List2D[1].TyHieu = {4, 1};
  windows.tnDialog = EnteringPoints({{5, 5}, {6, 8}}, {3}, mrOk, true);
  driver.EditClicked(0);
  ASSERT_EQ(model.Count2D, 2);
  const TFuncRec& first = model.List2D[1];
  const TFuncRec& second = model.List2D[2];
  ASSERT_EQ(first.TNCount(), 3);
  EXPECT_EQ(first.TNPoints[1].Y, 3);
  EXPECT_EQ(first.TyHieu, (std::vector<long double>{4, 1}));
  ASSERT_EQ(second.TNCount(), 2);
  EXPECT_EQ(second.TNPoints[1].Y, 8);
  EXPECT_EQ(second.TyHieu, (std::vector<long double>{3}));
  EXPECT_EQ(second.DrawType, 2);
  EXPECT_NE(first.TNPoints.data(), second.TNPoints.data());
}

TEST_F(Driver, DataEditConfirmedReplacesTheEntry) {
  AddData({{0, 1}, {1, 3}});
  windows.tnDialog = EnteringPoints({{2, 4}}, {}, mrOk);
  driver.EditClicked(0);
  ASSERT_EQ(model.Count2D, 1);
  ASSERT_EQ(model.List2D[1].TNCount(), 1);
  EXPECT_EQ(model.List2D[1].TNPoints[0].X, 2);
  EXPECT_EQ(model.List2D[1].DrawType, 2);
}

TEST_F(Driver, DataAddCancelledReleasesWhatTheDialogMade) {
  windows.chooser = ChooseKind(TNKind);
  windows.tnDialog = EnteringPoints({{1, 2}}, {5}, mrCancel);
  driver.AddClicked();
  EXPECT_EQ(model.Count2D, 0);
  EXPECT_EQ(model.CurFunc.TNCount(), 0);
  EXPECT_TRUE(model.CurFunc.TyHieu.empty());
}

TEST_F(Driver, AddKeepsTheLastFormulasTyped) {
  Add(1, {"x*7"});
  std::string offered;
  windows.chooser = ChooseKind(2);
  windows.funcDialog = [&](TFuncModel& m) {
    offered = m.CurFunc.Func[1];
    return mrCancel;
  };
  driver.AddClicked();
  EXPECT_EQ(offered, "x*7");
}

// The data dialog has no box to write the save-as-new flag from: after a
// formula edit saved as new, its OK replaces the data entry it edits.
TEST_F(Driver, AnEditAfterASavedAsNewEditReplacesItsEntry) {
  Add(1, {"x*2"});
  AddData({{0, 1}, {1, 3}});
  windows.funcDialog = Typing({{"x*3"}}, true);
  driver.EditClicked(0);
  ASSERT_EQ(model.Count2D, 3);
  windows.tnDialog = [](TFuncModel& m) {
    m.CurFunc.TNPoints = {{5, 6}};
    return mrOk;
  };
  driver.EditClicked(1);
  ASSERT_EQ(model.Count2D, 3);
  ASSERT_EQ(model.List2D[2].TNPoints.size(), 1u);
  EXPECT_EQ(model.List2D[2].TNPoints[0].X, 5);
}

namespace {

// A file of the given records, written by the program's own writer.
std::string FileOf(std::vector<std::pair<int32_t, std::vector<std::string>>> records) {
  TFuncList list2D, list3D;
  int32_t count2D = 0, count3D = 0;
  for (auto& [kind, formulas] : records) {
    TFuncRec& f = IsKind2D(kind) ? list2D[++count2D] : list3D[++count3D];
    f.FuncType = kind, f.FuncName = "f", f.LineWidth = 1;
    f.First1 = -1, f.Last1 = 1, f.Step1 = 0.5, f.First2 = -1, f.Last2 = 1, f.Step2 = 0.5;
    for (size_t j = 0; j < formulas.size(); ++j) f.Func[int(j) + 1] = formulas[j];
  }
  return WriteFuncListText(list2D, count2D, list3D, count3D);
}

const char* const kBadFile = "Loi file hoac file dinh dang sai / Error";

}  // namespace

TEST_F(Driver, LoadingAddsCompiledRecordsBehindTheEntriesAndEndsInTheLastMode) {
  Add(1, {"x"});
  windows.log.clear();
  driver.LoadFuncList(FileOf({{1, {"x*2"}}, {5, {"t", "t*t"}}, {7, {"x*y"}}}));
  EXPECT_EQ(windows.log, (std::vector<std::string>{"2D", "2D", "3D"}));  // one store each, no dialog
  ASSERT_EQ(model.Count2D, 3);
  ASSERT_EQ(model.Count3D, 1);
  EXPECT_EQ(ValueAt(model.List2D[1], 1, 3), 3);
  EXPECT_EQ(ValueAt(model.List2D[2], 1, 3), 6);
  EXPECT_EQ(ValueAt(model.List2D[3], 2, 3), 9);
  EXPECT_EQ(ValueAt(model.List3D[1], 1, 2, 5), 10);
  EXPECT_TRUE(model.List3D[1].Shown);
  EXPECT_FALSE(viewState.Is2DMode);
  EXPECT_EQ(windows.listItems.size(), 1u);  // the space list's
}

TEST_F(Driver, ARecordThatDoesNotCompileOpensItsDialog) {
  windows.funcDialog = Typing({{"x+1"}});
  driver.LoadFuncList(FileOf({{1, {"x+"}}, {1, {"x*4"}}}));
  EXPECT_EQ(windows.log, (std::vector<std::string>{"Nhap sai cong thuc ham so / Thong bao loi", "formula dialog", "2D", "2D"}));
  ASSERT_EQ(model.Count2D, 2);
  EXPECT_EQ(ValueAt(model.List2D[1], 1, 1), 2);
  EXPECT_EQ(ValueAt(model.List2D[2], 1, 1), 4);
}

TEST_F(Driver, ALoadThatWouldPassTwentyIsRefusedWithOneMessage) {
  for (int i = 0; i < 15; ++i) Add(7, {"x+y"});
  windows.log.clear();
  // Six space records and a plane one: 21 in the space list.
  driver.LoadFuncList(FileOf({{7, {"x"}}, {8, {"u", "v", "u"}}, {6, {"t", "t", "t"}}, {7, {"y"}}, {7, {"x"}},
                              {1, {"x"}}, {7, {"x*y"}}}));
  EXPECT_EQ(windows.log, (std::vector<std::string>{kListFull}));
  EXPECT_EQ(model.Count3D, 15);
  EXPECT_EQ(model.Count2D, 0);
  EXPECT_EQ(Owned(), 15);
  // Twenty fits.
  windows.log.clear();
  driver.LoadFuncList(FileOf({{7, {"x"}}, {8, {"u", "v", "u"}}, {6, {"t", "t", "t"}}, {7, {"y"}}, {1, {"x"}},
                              {7, {"x*y"}}}));
  EXPECT_EQ(model.Count3D, 20);
  EXPECT_EQ(model.Count2D, 1);
}

TEST_F(Driver, AFileThatDoesNotReadAddsNothing) {
  Add(1, {"x"});
  windows.log.clear();
  std::string text = FileOf({{1, {"x*2"}}, {7, {"x*y"}}});
  text.replace(text.find("FuncType=7"), 10, "FuncType=0");
  driver.LoadFuncList(text);
  EXPECT_EQ(windows.log, (std::vector<std::string>{kBadFile}));
  EXPECT_EQ(model.Count2D, 1);
  EXPECT_EQ(model.Count3D, 0);
  EXPECT_EQ(Owned(), 1);
}
