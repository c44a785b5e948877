// The formula dialog's decisions with a fake window: preparing it, OK and
// Enter through the check and the compiler, the live help, the help panel, the
// extra parameters, and the kind chooser in front of it, driven through the
// Add and Edit commands.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/model/MainU_Driver.h"
#include "app/model/Tcvn3Text.h"
#include "app/windows/FInU_Logic.h"
#include "app/windows/FInU_Tables.h"
#include "app/windows/ParaU_Logic.h"
#include "app/windows/SelFTU_Logic.h"

using namespace kx;

namespace {

struct Selection {
  int row, start, length;
  bool operator==(const Selection&) const = default;
};

// The dialog's window: ShowRecord fills the fields from the record as the
// real one does; tests then type into them and press the buttons.
class FakeFuncWindow : public TFuncDialogWindow {
 public:
  std::string name;
  TRangeArray<std::string, 1, 3> formulas;
  TRangeArray<int, 1, 3> carets;
  std::string lineWidth;
  int colorItem = -1;
  bool newFunc = false;

  std::optional<TFuncDialogLayout> layout;
  std::vector<Selection> selections;
  int focused = 0;
  std::string statusLeft = "Ham", statusRight = "Mo ta ham";
  std::vector<std::string> warnings;
  std::optional<TModalResult> closed;
  int width = FuncDialogNarrowWidth, helpHeight = 0;

  std::string NameText() const override { return name; }
  std::string FormulaText(int row) const override { return formulas[row]; }
  int FormulaCaret(int row) const override { return carets[row]; }
  std::string LineWidthText() const override { return lineWidth; }
  int ColorItem() const override { return colorItem; }
  bool NewFuncChecked() const override { return newFunc; }

  void ShowRecord(const TFuncDialogLayout& l, const TFuncRec& f, int item) override {
    layout = l;
    name = f.FuncName;
    for (int i = 1; i <= 3; ++i) formulas[i] = i <= l.Rows ? f.Func[i] : "";
    lineWidth = std::to_string(f.LineWidth);
    colorItem = item;
    newFunc = false;
    width = l.FormWidth;
    helpHeight = l.HelpHeight;
    closed.reset();
  }
  void SetFormWidth(int w, int h) override { width = w, helpHeight = h; }
  void FocusFormula(int row) override { focused = row; }
  void SelectInFormula(int row, int start, int length) override {
    focused = row;
    selections.push_back({row, start, length});
  }
  void ShowStatus(const std::string& left, const std::string& right) override {
    statusLeft = left, statusRight = right;
  }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    warnings.push_back(text + " / " + caption);
  }
  void Close(TModalResult result) override { closed = result; }
};

// The extra-parameter dialog: each showing types a step and presses OK.
class FakeParaWindow : public TParaWindow {
 public:
  std::vector<std::string> steps;
  std::string fields[9];
  std::vector<std::string> warnings;

  std::string FieldText(TParaField f) const override { return fields[static_cast<int>(f)]; }
  void SetFieldText(TParaField f, const std::string& text) override { fields[static_cast<int>(f)] = text; }
  void SetVarHeading(int, const std::string&) override {}
  void EnableShiftGroup(bool) override {}
  void EnableSecondColumn(bool) override {}
  TModalResult ShowModal() override {
    if (shown_ >= steps.size()) return mrCancel;
    fields[static_cast<int>(TParaField::Step1)] = steps[shown_++];
    return mrOk;
  }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    warnings.push_back(text + " / " + caption);
  }

 private:
  size_t shown_ = 0;
};

const TFuncDialogSizes kSizes{35, 120, 60, 200, 25, 44};
const char* const kListFull = "Chuong trinh chi cho phep toi da 20 ham so / Thong bao";

std::string Heading(char letter) { return FormulaErrorHeading() + letter; }

class FormulaDialog : public ::testing::Test {
 protected:
  // CurFunc as the Add command, the chooser and the driver hand it over.
  void Open(int32_t kind, bool isNew = true) {
    TFuncRec& f = model.CurFunc;
    f.FuncType = kind;
    f.FuncName = "Ham so 2D 1";
    f.Shown = true;
    f.LineWidth = 1;
    f.Color = DefaultColor(kind, 0);
    model.IsNewFunc = isNew;
    model.CreateCompilers();
    logic.PrepareFuncDialog(kSizes);
  }
  void Type(std::vector<std::string> texts) {
    for (size_t i = 0; i < texts.size(); ++i) window.formulas[static_cast<int>(i) + 1] = texts[i];
  }

  TFuncModel model;
  FakeFuncWindow window;
  FakeParaWindow para;
  TFuncDialogLogic logic{model, window, para};
};

TEST_F(FormulaDialog, OkChecksWordsThenCompiles) {
  const std::string unknown = Tcvn3Text("Tên hàm hoặc tên biến không xác định");
  const std::string forbiddenX = Tcvn3Text("Biến X không hợp lệ");
  const auto& compileError = CompileErrorMessages();
  const struct {
    int32_t kind;
    std::vector<std::string> formulas;
    char letter;  // 0: accepted
    std::string message;
    int formula;
    std::vector<Selection> selected;
  } cases[] = {
      {1, {"2*x"}, 0, "", 0, {}},
      {1, {"sin(x)"}, 0, "", 0, {}},
      {7, {"sin(x)"}, 0, "", 0, {}},
      {5, {"cos(t)", "sin(t)"}, 0, "", 0, {}},
      {8, {"u", "v", "u*v"}, 0, "", 0, {}},
      {1, {"2x"}, 'f', unknown, 1, {{1, 0, 2}}},
      {1, {"x^2"}, 'f', unknown, 1, {{1, 0, 3}}},
      {1, {"1.5e3"}, 'f', unknown, 1, {{1, 0, 5}}},
      {1, {"arccotan(x)"}, 'f', unknown, 1, {{1, 0, 8}}},
      {1, {"int(x)"}, 'f', unknown, 1, {{1, 0, 3}}},
      {2, {"sin(x)"}, 'f', forbiddenX, 1, {{1, 4, 1}}},
      {8, {"sin(x)", "v", "u"}, 'X', forbiddenX, 1, {{1, 4, 1}}},
      {5, {"sin(t)", "x"}, 'Y', forbiddenX, 2, {{2, 0, 1}}},
      // Words the dialog knows and the compiler does not, and texts the
      // compiler refuses: the compile error, nothing selected.
      {7, {"x and y"}, 'f', compileError[eOpExpected], 1, {}},
      {1, {"ceil(x)"}, 'f', compileError[eUnknown], 1, {}},
      {1, {".5"}, 'f', compileError[eValExpected], 1, {}},
      {1, {"1.2.3"}, 'f', compileError[eNumFormat], 1, {}},
      {1, {""}, 'f', compileError[eValExpected], 1, {}},
      {5, {"t", "t+"}, 'Y', compileError[eValExpected], 2, {}},
      {6, {"t", "t", "1.2.3"}, 'Z', compileError[eNumFormat], 3, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    SCOPED_TRACE(c.formulas.back());
    window = FakeFuncWindow();
    Open(c.kind);
    Type(c.formulas);
    logic.OkClicked();
    for (size_t i = 0; i < c.formulas.size(); ++i)
      EXPECT_EQ(model.CurFunc.Func[static_cast<int>(i) + 1], c.formulas[i]);
    if (!c.letter) {
      EXPECT_EQ(window.closed, mrOk);
      EXPECT_EQ(window.statusLeft, "Ham");
      continue;
    }
    EXPECT_FALSE(window.closed.has_value());
    EXPECT_EQ(window.statusLeft, Heading(c.letter));
    EXPECT_EQ(window.statusRight, c.message);
    EXPECT_EQ(model.CompileErrIdx, c.formula);
    EXPECT_EQ(model.CompileErrMsg, c.message);
    EXPECT_EQ(window.selections, c.selected);
    // What was typed stays in the dialog.
    for (size_t i = 0; i < c.formulas.size(); ++i) EXPECT_EQ(window.formulas[static_cast<int>(i) + 1], c.formulas[i]);
  }
}

TEST_F(FormulaDialog, AcceptedFormulasAreCompiled) {
  Open(5);
  Type({"cos(t)", "2*sin(t)"});
  logic.OkClicked();
  ASSERT_EQ(window.closed, mrOk);
  model.VarCells[1] = 0.5L;
  EXPECT_NEAR(static_cast<double>(model.CurFunc.Compilers[1]->Calculate()), std::cos(0.5), 1e-12);
  EXPECT_NEAR(static_cast<double>(model.CurFunc.Compilers[2]->Calculate()), 2 * std::sin(0.5), 1e-12);
}

TEST_F(FormulaDialog, OkWritesTheFieldsBeforeCheckingAndCancelKeepsThem) {
  Open(1);
  window.name = "Parabol";
  window.lineWidth = "3";
  window.colorItem = 4;
  Type({"2x"});
  logic.OkClicked();
  EXPECT_FALSE(window.closed.has_value());
  EXPECT_EQ(model.CurFunc.FuncName, "Parabol");
  EXPECT_EQ(model.CurFunc.LineWidth, 3);
  EXPECT_EQ(model.CurFunc.Color, ColorTable2D[5]);
  EXPECT_EQ(model.CurFunc.Func[1], "2x");
  logic.CancelClicked();
  EXPECT_EQ(window.closed, mrCancel);
  EXPECT_EQ(model.CurFunc.FuncName, "Parabol");
  EXPECT_EQ(model.CurFunc.Func[1], "2x");
}

TEST_F(FormulaDialog, ColourOutsideThePaletteSelectsAndStoresTheTenthEntry) {
  model.CurFunc.FuncType = 6;
  model.IsNewFunc = true;
  model.CreateCompilers();
  model.CurFunc.Color = 0x123456;
  logic.PrepareFuncDialog(kSizes);
  EXPECT_EQ(window.colorItem, 9);
  Type({"t", "t", "t"});
  logic.OkClicked();
  ASSERT_EQ(window.closed, mrOk);
  EXPECT_EQ(model.CurFunc.Color, ColorTable3D[10]);
}

TEST_F(FormulaDialog, EnterMovesToTheNextFormulaAndInTheLastActsAsOk) {
  Open(6);
  Type({"t", "t*t", "2x"});
  EXPECT_FALSE(logic.FormulaKeyPressed(1, 'a'));
  EXPECT_EQ(window.focused, 0);
  EXPECT_TRUE(logic.FormulaKeyPressed(1, '\r'));
  EXPECT_EQ(window.focused, 2);
  EXPECT_TRUE(logic.FormulaKeyPressed(2, '\r'));
  EXPECT_EQ(window.focused, 3);
  EXPECT_FALSE(window.closed.has_value());
  // In the last formula Enter is OK: refused here, with the word selected.
  EXPECT_TRUE(logic.FormulaKeyPressed(3, '\r'));
  EXPECT_FALSE(window.closed.has_value());
  EXPECT_EQ(window.selections, (std::vector<Selection>{{3, 0, 2}}));
  EXPECT_EQ(window.statusLeft, Heading('Z'));
  window.formulas[3] = "2*t";
  EXPECT_TRUE(logic.FormulaKeyPressed(3, '\r'));
  EXPECT_EQ(window.closed, mrOk);

  window = FakeFuncWindow();
  Open(1);
  Type({"x"});
  EXPECT_TRUE(logic.FormulaKeyPressed(1, '\r'));
  EXPECT_EQ(window.closed, mrOk);
}

TEST_F(FormulaDialog, LiveHelpShowsTheWordAtTheCaret) {
  Open(5);
  Type({"", "sqr"});
  window.carets[2] = 3;
  logic.FormulaHelpRequested(2);
  EXPECT_EQ(window.statusLeft, "Sqr(x)     (  SQRT  )");
  EXPECT_EQ(window.statusRight, Tcvn3Text("Bình phương của x"));
  window.formulas[2] = "sin(";
  window.carets[2] = 4;
  logic.FormulaHelpRequested(2);
  EXPECT_EQ(window.statusLeft, "");
  EXPECT_EQ(window.statusRight, "");
}

TEST_F(FormulaDialog, PreparingLaysOutTheKindAndKeepsTheStatusLine) {
  Open(5, false);
  ASSERT_TRUE(window.layout.has_value());
  EXPECT_EQ(window.layout->Rows, 2);
  EXPECT_TRUE(window.layout->NewFuncShown);
  EXPECT_EQ(window.layout->ButtonsTop, 254);
  Type({"t", "2y"});
  logic.OkClicked();
  const std::string left = window.statusLeft;
  EXPECT_EQ(left, Heading('Y'));
  Open(1, true);
  EXPECT_FALSE(window.layout->NewFuncShown);
  EXPECT_EQ(window.layout->Rows, 1);
  EXPECT_EQ(window.statusLeft, left);
}

TEST_F(FormulaDialog, ADialogClosedWideOpensWide) {
  Open(1);
  EXPECT_EQ(window.width, 595);
  logic.HelpClicked();
  EXPECT_TRUE(logic.HelpPanelShown());
  EXPECT_EQ(window.width, 790);
  EXPECT_EQ(window.helpHeight, window.layout->ClientHeight - 32);
  logic.CancelClicked();

  Open(8);
  EXPECT_EQ(window.layout->FormWidth, 790);
  EXPECT_EQ(window.width, 790);
  EXPECT_EQ(window.helpHeight, window.layout->ClientHeight - 32);
  logic.HelpClicked();
  EXPECT_FALSE(logic.HelpPanelShown());
  EXPECT_EQ(window.width, 595);
  Open(1);
  EXPECT_EQ(window.width, 595);
}

TEST_F(FormulaDialog, MoreParametersWorkOnTheRecordAndLeaveTheDialogOpen) {
  Open(1);
  model.CurFunc.Step1 = 0.01;
  para.steps = {"0", "0.5"};
  logic.OtherClicked();
  EXPECT_EQ(para.warnings, std::vector<std::string>{"Nhap sai so / Error"});
  EXPECT_EQ(model.CurFunc.Step1, 0.5);
  EXPECT_FALSE(window.closed.has_value());
}

// ---------------------------------------------------------------------------
// The chooser and the dialog behind the Add and Edit commands.

class Windows : public TFuncDialogs, public TFuncView {
 public:
  std::function<TModalResult()> chooser, funcDialog;
  std::vector<std::string> warnings;

  TModalResult ShowKindChooser() override { return chooser ? chooser() : mrCancel; }
  TModalResult ShowFuncDialog() override { return funcDialog ? funcDialog() : mrCancel; }
  TModalResult ShowTNDialog() override { return mrCancel; }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    warnings.push_back(text + " / " + caption);
  }
  void ShowModeOptions(const TModeOptions&) override {}
  void ShowSpaceObjects() override {}
  void FillFuncList(const std::vector<TFuncListItem>&) override {}
  void FuncEdited() override {}
  void FuncDeleted() override {}
  void RepaintView() override {}
};

class AddAndEdit : public ::testing::Test {
 protected:
  // The chooser's kind button, then the dialog: prepared, typed, OK (and, when
  // the first OK is refused, the user's second try).
  void Add(int32_t kind, std::vector<std::string> formulas) {
    windows.chooser = [this, kind] { return KindButtonClicked(model.CurFunc, kind); };
    windows.funcDialog = [this, formulas] {
      logic.PrepareFuncDialog(kSizes);
      for (size_t i = 0; i < formulas.size(); ++i) window.formulas[static_cast<int>(i) + 1] = formulas[i];
      logic.OkClicked();
      return window.closed.value_or(mrCancel);
    };
    driver.AddClicked();
  }
  void FillPlane(int count) {
    for (int i = 0; i < count; ++i) Add(1, {"x+" + std::to_string(i)});
    ASSERT_EQ(model.Count2D, count);
  }
  // Edits list item 0: types a formula, checks "new function" and presses OK;
  // when that is refused, unchecks it and presses OK again.
  void EditFirstAsNew(const std::string& formula) {
    windows.funcDialog = [this, formula] {
      logic.PrepareFuncDialog(kSizes);
      window.formulas[1] = formula;
      window.newFunc = true;
      logic.OkClicked();
      firstTryClosed = window.closed.has_value();
      typedKept = window.formulas[1] == formula;
      if (!window.closed) {
        window.newFunc = false;
        logic.OkClicked();
      }
      return window.closed.value_or(mrCancel);
    };
    driver.EditClicked(0);
  }

  TFuncModel model;
  TViewState viewState;
  Windows windows;
  TFuncDriver driver{model, viewState, windows, windows};
  FakeFuncWindow window;
  FakeParaWindow para;
  TFuncDialogLogic logic{model, window, para};
  bool firstTryClosed = false, typedKept = false;
};

TEST_F(AddAndEdit, KindButtonsSetTheKindAndTheSpaceKindsTheirRanges) {
  for (int32_t kind = 1; kind <= 8; ++kind) {
    std::vector<double> seen;
    int32_t seenKind = 0;
    windows.chooser = [&] { return KindButtonClicked(model.CurFunc, kind); };
    windows.funcDialog = [&] {
      const TFuncRec& f = model.CurFunc;
      seenKind = f.FuncType;
      seen = {f.First1, f.Last1, f.Step1, f.First2, f.Last2, f.Step2, f.RelX, f.RelY, f.Rotate};
      return mrCancel;
    };
    driver.AddClicked();
    EXPECT_EQ(seenKind, kind);
    const std::vector<double> plane{-15, 15, 0.01, -15, 15, 0.01, 0, 0, 0}, space{-5, 5, 0.1, -5, 5, 0.1, 0, 0, 0};
    EXPECT_EQ(seen, kind <= 5 ? plane : space) << kind;
  }
}

TEST_F(AddAndEdit, PlaneKindsAndExperimentalDataChangeOnlyTheKind) {
  for (int32_t kind : {1, 2, 3, 4, 5, 9}) {
    TFuncRec f;
    f.FuncType = 3;
    f.FuncName = "before";
    f.First1 = 1, f.Last1 = 2, f.Step1 = 3, f.First2 = 4, f.Last2 = 5, f.Step2 = 6;
    f.RelX = 7, f.RelY = 8, f.Rotate = 9;
    EXPECT_EQ(KindButtonClicked(f, kind), mrOk);
    EXPECT_EQ(f.FuncType, kind);
    EXPECT_EQ(f.FuncName, "before");
    EXPECT_EQ((std::vector<double>{f.First1, f.Last1, f.Step1, f.First2, f.Last2, f.Step2, f.RelX, f.RelY, f.Rotate}),
              (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9}))
        << kind;
  }
}

TEST_F(AddAndEdit, ClosingTheChooserAddsNothing) {
  bool dialogShown = false;
  windows.chooser = [] { return mrCancel; };
  windows.funcDialog = [&] {
    dialogShown = true;
    return mrOk;
  };
  driver.AddClicked();
  EXPECT_FALSE(dialogShown);
  EXPECT_EQ(model.Count2D, 0);
  EXPECT_EQ(model.Count3D, 0);
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 0);
  EXPECT_TRUE(windows.warnings.empty());
}

TEST_F(AddAndEdit, RefusedFormulaThenCorrectedIsAdded) {
  windows.chooser = [this] { return KindButtonClicked(model.CurFunc, 1); };
  windows.funcDialog = [this] {
    logic.PrepareFuncDialog(kSizes);
    window.formulas[1] = "2x";
    logic.OkClicked();
    EXPECT_FALSE(window.closed.has_value());
    window.formulas[1] = "2*x";
    logic.OkClicked();
    return window.closed.value_or(mrCancel);
  };
  driver.AddClicked();
  ASSERT_EQ(model.Count2D, 1);
  EXPECT_EQ(model.List2D[1].Func[1], "2*x");
  EXPECT_EQ(model.List2D[1].FuncName, "Ham so 2D 1");
  EXPECT_EQ(model.List2D[1].Color, 0xFF0000);
}

TEST_F(AddAndEdit, EditWithNewFunctionAppends) {
  FillPlane(3);
  EditFirstAsNew("x*x");
  EXPECT_TRUE(firstTryClosed);
  ASSERT_EQ(model.Count2D, 4);
  EXPECT_EQ(model.List2D[1].Func[1], "x+0");
  EXPECT_EQ(model.List2D[4].Func[1], "x*x");
}

TEST_F(AddAndEdit, NewFunctionWithAFullListKeepsTheDialogOpen) {
  FillPlane(MaxFuncs);
  EditFirstAsNew("x*x");
  // Refused with the message, the dialog open with the formula typed.
  EXPECT_FALSE(firstTryClosed);
  EXPECT_TRUE(typedKept);
  EXPECT_EQ(window.warnings, std::vector<std::string>{kListFull});
  // Unchecked, the edit replaced its entry.
  EXPECT_EQ(model.Count2D, MaxFuncs);
  EXPECT_EQ(model.List2D[1].Func[1], "x*x");
  EXPECT_EQ(model.List2D[2].Func[1], "x+1");
  EXPECT_TRUE(windows.warnings.empty());
}

TEST_F(AddAndEdit, AFullSpaceListDoesNotStopAPlaneNewFunction) {
  for (int i = 0; i < MaxFuncs; ++i) Add(7, {"x*y"});
  ASSERT_EQ(model.Count3D, MaxFuncs);
  FillPlane(2);
  EditFirstAsNew("x*x");
  EXPECT_TRUE(firstTryClosed);
  EXPECT_EQ(model.Count2D, 3);
}

}  // namespace
