// The formula dialog and its extra-parameter dialog as real windows: built
// from their form resources, laid out per kind, typed into and clicked, with
// the message boxes recorded instead of shown.
#include <cmath>
#include <memory>

#include "DialogWindowsTest.h"
#include "app/model/MainU_Driver.h"
#include "app/model/MainU_Funcs.h"
#include "app/model/Tcvn3Text.h"
#include "app/windows/FInU_Tables.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVComboBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/controls/KVMemo.h"
#include "skin/controls/KVScrollBar.h"

using namespace kx;
using namespace dialogtesting;

namespace {

template <class T>
T& Find(TComponent& form, const std::string& name) {
  T* found = dynamic_cast<T*>(form.FindComponent(name));
  if (!found) throw EComponentError("no " + name);
  return *found;
}

TkvMemo& Formula(int row) { return Find<TkvMemo>(*FInForm, row == 3 ? "meFinput3" : "meFInput" + std::to_string(row)); }
TkvButton& FInButton(const std::string& name) { return Find<TkvButton>(*FInForm, name); }
TkvEdit& ParaEdit(const std::string& name) { return Find<TkvEdit>(*ParaForm, name); }
std::string StatusLeft() { return Tcvn3ToUtf8(Find<TLabel>(*FInForm, "Stlb1").Caption()); }
std::string StatusRight() { return Tcvn3ToUtf8(Find<TLabel>(*FInForm, "Stlb2").Caption()); }

// Replaces a formula's text as a user does: select everything, type.
void Retype(int row, const std::string& text) {
  TkvMemo& memo = Formula(row);
  memo.SetFocus();
  memo.SelectAll();
  SendMessageA(memo.Handle(), WM_CLEAR, 0, 0);
  Type(memo, text);
}

void SetField(const std::string& name, const std::string& text) {
  TkvEdit& edit = ParaEdit(name);
  edit.SetFocus();
  edit.SelectAll();
  SendMessageA(edit.Handle(), WM_CLEAR, 0, 0);
  Type(edit, text);
}

// Both dialogs for real; the main window's part is a recorder.
class RealDialogs : public TFuncDialogs {
 public:
  TModalResult ShowKindChooser() override { return SelFTypeForm->ShowModal(); }
  TModalResult ShowFuncDialog() override { return FInForm->EditCurFunc(); }
  TModalResult ShowTNDialog() override { return mrCancel; }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    warnings.push_back(text + " / " + caption);
  }
  std::vector<std::string> warnings;
};

class NoView : public TFuncView {
 public:
  void ShowModeOptions(const TModeOptions&) override {}
  void ShowSpaceObjects() override {}
  void FillFuncList(const std::vector<TFuncListItem>& list) override { items = list; }
  void FuncEdited() override {}
  void FuncDeleted() override {}
  void RepaintView() override {}
  std::vector<TFuncListItem> items;
};

class FormulaWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() { MakeDialogs(); }
  void SetUp() override {
    SetCursorPos(0, 0);
    FInForm->WarningBox = [this](TControl* owner, const std::string& text, const std::string& caption) {
      EXPECT_EQ(owner, FInForm);
      warnings.push_back(text + " / " + caption);
    };
  }
  void TearDown() override { FInForm->WarningBox = ShowWarningBox; }

  // CurFunc as the driver hands a new record of `kind` to the dialog.
  void NewRecord(int32_t kind, bool isNew = true) {
    TFuncModel& model = FuncModel();
    TFuncRec& f = model.CurFunc;
    f = TFuncRec();
    f.FuncType = kind;
    f.FuncName = "Ham so " + std::to_string(kind);
    f.Shown = true;
    f.LineWidth = 2;
    f.Color = DefaultColor(kind, 2);
    f.First1 = f.First2 = -15;
    f.Last1 = f.Last2 = 15;
    f.Step1 = f.Step2 = 0.01;
    model.IsNewFunc = isNew;
    model.CreateCompilers();
  }

  std::vector<std::string> warnings;
  TFuncModel& model = FuncModel();
};

}  // namespace

TEST_F(FormulaWindow, TheFormulaDialogIsBuiltFromItsFormResource) {
  // A fresh one, as its form resource leaves it.
  std::unique_ptr<TFInForm> form(TCustomForm::Create<TFInForm>(nullptr));
  TkvForm& frame = *TkvForm::FindOn(form.get());
  EXPECT_EQ(frame.UIStyle(), TkvUIStyle::DeepBlue);
  EXPECT_FALSE(frame.UIStyleAutoUpdateSub());
  EXPECT_EQ(frame.BorderWidth(), 1);
  EXPECT_EQ(frame.Width(), 790);
  EXPECT_EQ(frame.Height(), 415);
  EXPECT_EQ(frame.Caption(), "Nhap ham so can ve");
  EXPECT_EQ(form->Caption(), "Nhap ham so can ve");
  EXPECT_EQ(frame.TitleBarFont()->Name(), "Tahoma");
  ASSERT_EQ(frame.TitleBarButtons()->Count(), 2);
  EXPECT_EQ(frame.TitleBarButtons()->Items(1)->ButtonType(), kvClose);
  EXPECT_EQ(form->Position(), poScreenCenter);

  const std::string memoHint;  // worded freely; checked below to exist
  const std::vector<Component> table = {
      {"lbFuncType", "TLabel", "kvForm1", 88, 64, -1, -1, "", ""},
      {"bv0", "TBevel", "kvForm1", 72, 32, 449, 105, "", ""},
      {"lbFuncName", "TLabel", "kvForm1", 7, 146, 81, 23, "Tên hàm", ""},
      {"edFuncName", "TkvEdit", "kvForm1", 80, 144, 214, 25, "", "Nhập tên hàm số hoặc dùng tên mặc định"},
      {"lbDdn", "TLabel", "kvForm1", 310, 146, 57, 23, "Nét vẽ", ""},
      {"edDdn", "TkvEdit", "kvForm1", 365, 144, 24, 25, "1", "Độ dày nét vẽ"},
      {"UpDown1", "TUpDown", "kvForm1", 389, 144, 15, 25, "", ""},
      {"lbClb", "TLabel", "kvForm1", 418, 146, 41, 23, "Mầu", ""},
      {"ColorBox", "TkvComboBox", "kvForm1", 457, 144, 42, 24, "", "Mầu của đồ thị"},
      {"cbNewF", "TkvCheckBox", "kvForm1", 510, 146, 78, 17, "Hàm mới", "Coi hàm đang sửa như một hàm mới"},
      {"lbFunc1", "TLabel", "kvForm1", 8, 187, 65, 22, "", ""},
      {"lbFunc2", "TLabel", "kvForm1", 8, 235, 65, 22, "", ""},
      {"lbFunc3", "TLabel", "kvForm1", 8, 283, 65, 22, "", ""},
      {"bv1", "TBevel", "kvForm1", 6, 184, 68, 25, "", ""},
      {"bv2", "TBevel", "kvForm1", 6, 232, 68, 25, "", ""},
      {"bv3", "TBevel", "kvForm1", 6, 280, 68, 25, "", ""},
      {"meFInput1", "TkvMemo", "kvForm1", 80, 184, 510, 44, "", ""},
      {"meFInput2", "TkvMemo", "kvForm1", 80, 232, 510, 44, "", ""},
      {"meFinput3", "TkvMemo", "kvForm1", 80, 280, 510, 44, "", ""},
      {"btnOther", "TkvButton", "kvForm1", 40, 338, 161, 41, "Thông số khác...", ""},
      {"btnOK", "TkvButton", "kvForm1", 248, 338, 137, 41, "Đồng ý", ""},
      {"btnCancel", "TkvButton", "kvForm1", 424, 338, 137, 41, "Bỏ qua", ""},
      {"kvButton1", "TkvButton", "kvForm1", 566, 35, 25, 25, "?", "Trợ giúp về cách nhập biểu thức"},
      {"mmHelp", "TkvMemo", "kvForm1", 595, 31, 196, 384, "", ""},
      {"scrbarHelp", "TkvScrollBar", "kvForm1", 773, 32, 16, 383, "", ""},
      {"Stbv1", "TBevel", "kvForm1", 1, 392, 224, 22, "", ""},
      {"Stlb1", "TLabel", "kvForm1", 3, 395, 220, 16, "Ham", ""},
      {"Stbv2", "TBevel", "kvForm1", 224, 392, 371, 22, "", ""},
      {"Stlb2", "TLabel", "kvForm1", 226, 395, 367, 16, "Mo ta ham", ""},
  };
  ExpectComponents(*form, table);

  // The kind pictures, each the size of its picture.
  for (int i = 1; i <= 8; ++i) {
    SCOPED_TRACE(i);
    auto& image = Find<TImage>(*form, "Image" + std::to_string(i));
    EXPECT_EQ(image.Left(), 376);
    EXPECT_EQ(image.Top(), 35);
    ASSERT_NE(image.Picture()->Graphic(), nullptr);
    EXPECT_EQ(image.Width(), image.Picture()->Width());
    EXPECT_EQ(image.Height(), image.Picture()->Height());
  }
  // Formulas: 254 characters, no line breaks, each with its scroll bar and
  // one shared hint.
  const std::string hint = Find<TkvMemo>(*form, "meFInput1").Hint();
  EXPECT_FALSE(hint.empty());
  for (int i = 1; i <= 3; ++i) {
    SCOPED_TRACE(i);
    auto& memo = Find<TkvMemo>(*form, i == 3 ? "meFinput3" : "meFInput" + std::to_string(i));
    EXPECT_EQ(memo.MaxLength(), 254);
    EXPECT_FALSE(memo.WantReturns());
    EXPECT_EQ(memo.VScrollBar(), &Find<TkvScrollBar>(*form, "kvScrollBar" + std::to_string(i)));
    EXPECT_EQ(memo.Hint(), hint);
    EXPECT_TRUE(memo.OnKeyPress);
    EXPECT_TRUE(memo.OnKeyUp);
    EXPECT_TRUE(memo.OnChange);
    EXPECT_TRUE(memo.OnClick);
    EXPECT_TRUE(memo.OnEnter);
    const auto& label = Find<TLabel>(*form, "lbFunc" + std::to_string(i));
    EXPECT_EQ(label.Alignment(), taCenter);
    EXPECT_TRUE(label.Font()->Style().Contains(fsBold));
  }
  auto& lineWidth = Find<TkvEdit>(*form, "edDdn");
  EXPECT_TRUE(lineWidth.ReadOnly());
  EXPECT_EQ(lineWidth.MaxLength(), 2);
  EXPECT_EQ(Find<TkvEdit>(*form, "edFuncName").MaxLength(), 25);
  auto& upDown = Find<TUpDown>(*form, "UpDown1");
  EXPECT_EQ(upDown.Associate(), &lineWidth);
  EXPECT_EQ(upDown.Min(), 1);
  EXPECT_EQ(upDown.Max(), 5);
  EXPECT_EQ(upDown.Position(), 1);
  auto& colors = Find<TkvComboBox>(*form, "ColorBox");
  EXPECT_EQ(colors.Style(), csOwnerDrawFixed);
  EXPECT_EQ(colors.ItemHeight(), 18);
  EXPECT_EQ(colors.DropDownCount(), 10);
  ASSERT_EQ(colors.Items()->Count(), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(colors.Items()->Strings(i), std::to_string(i + 1));
  EXPECT_FALSE(Find<TkvCheckBox>(*form, "cbNewF").Checked());

  // The help text, line by line; small blue text on sky blue.
  auto& help = Find<TkvMemo>(*form, "mmHelp");
  EXPECT_TRUE(help.ReadOnly());
  EXPECT_EQ(help.Font()->Color(), clBlue);
  EXPECT_EQ(help.Color(), clSkyBlue);
  ASSERT_EQ(help.Lines()->Count(), static_cast<int>(FormulaHelpLines().size()));
  for (int i = 0; i < help.Lines()->Count(); ++i) EXPECT_EQ(help.Lines()->Strings(i), FormulaHelpLines()[i]) << i;
  EXPECT_EQ(help.Lines()->Strings(27), Tcvn3Text("+ Đối số của các hàm đặt trong dấu "));
  // The status line: red on sky blue, blue on pale green.
  auto& left = Find<TLabel>(*form, "Stlb1");
  auto& right = Find<TLabel>(*form, "Stlb2");
  EXPECT_EQ(left.Font()->Color(), clRed);
  EXPECT_EQ(left.Color(), clSkyBlue);
  EXPECT_EQ(right.Font()->Color(), clBlue);
  EXPECT_EQ(right.Color(), clMoneyGreen);
  EXPECT_TRUE(left.ShowHint() && right.ShowHint());

  // Tab order: the formulas, OK, the name, the line width, the colours,
  // "Thông số khác...", Cancel, "?".
  const char* order[] = {"meFInput1", "meFInput2", "meFinput3", "btnOK",     "edFuncName",
                         "edDdn",     "ColorBox",  "btnOther",  "btnCancel", "kvButton1"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Find<TWinControl>(*form, order[i]).TabOrder(), i) << order[i];
  // Buttons in the XP style; only Cancel closes by itself; OK and Cancel
  // carry pictures; the labels in the screen font.
  for (const char* name : {"btnOther", "btnOK", "btnCancel", "kvButton1"})
    EXPECT_EQ(Find<TkvButton>(*form, name).UIStyle(), TkvUIStyle::WinXP) << name;
  EXPECT_EQ(Find<TkvButton>(*form, "btnOK").ModalResult(), mrNone);
  EXPECT_EQ(Find<TkvButton>(*form, "btnCancel").ModalResult(), mrCancel);
  EXPECT_FALSE(Find<TkvButton>(*form, "btnOK").Glyph()->Empty());
  EXPECT_FALSE(Find<TkvButton>(*form, "btnCancel").Glyph()->Empty());
  for (const char* name : {"lbFuncType", "lbFuncName", "lbDdn", "lbClb", "lbFunc1", "Stlb1", "Stlb2"})
    EXPECT_EQ(Find<TLabel>(*form, name).Font()->Name(), "Kurvexsans") << name;
  EXPECT_EQ(Find<TLabel>(*form, "lbFuncType").Font()->Color(), clBlue);
}

TEST_F(FormulaWindow, TheParameterDialogIsBuiltFromItsFormResource) {
  std::unique_ptr<TParaForm> form(TCustomForm::Create<TParaForm>(nullptr));
  TkvForm& frame = *TkvForm::FindOn(form.get());
  EXPECT_EQ(frame.UIStyle(), TkvUIStyle::DeepBlue);
  EXPECT_EQ(frame.Width(), 328);
  EXPECT_EQ(frame.Height(), 350);
  EXPECT_EQ(frame.Caption(), "Thong so bo sung");
  EXPECT_EQ(form->Position(), poScreenCenter);
  const std::vector<Component> table = {
      {"Label1", "TLabel", "kvForm1", 16, 66, -1, -1, "Cận đầu", "Giá trị khởi đầu của biến chạy (x,y,t,u,v)"},
      {"Label2", "TLabel", "kvForm1", 16, 98, -1, -1, "Cận cuối", "Giá trị kết thúc của biến chạy (x,y,t,u,v)"},
      {"Label3", "TLabel", "kvForm1", 16, 130, -1, -1, "Độ chính xác", ""},
      {"lbBien1", "TLabel", "kvForm1", 144, 38, -1, -1, "Biến", ""},
      {"lbBien2", "TLabel", "kvForm1", 248, 38, -1, -1, "Biến", ""},
      {"edFirst", "TkvEdit", "kvForm1", 128, 64, 89, 24, "", ""},
      {"edLast", "TkvEdit", "kvForm1", 128, 96, 89, 24, "", ""},
      {"edStep", "TkvEdit", "kvForm1", 128, 128, 89, 24, "", ""},
      {"edFirst2", "TkvEdit", "kvForm1", 232, 64, 89, 24, "", ""},
      {"edLast2", "TkvEdit", "kvForm1", 232, 96, 89, 24, "", ""},
      {"edStep2", "TkvEdit", "kvForm1", 232, 128, 89, 24, "", ""},
      {"gbRelOrd", "TkvGroupBox", "kvForm1", 8, 160, 313, 129, "Dời trục tọa độ", ""},
      {"Label4", "TLabel", "gbRelOrd", 8, 26, -1, -1, "Trục X", "Độ dời của trục X"},
      {"edXo", "TkvEdit", "gbRelOrd", 88, 24, 209, 24, "", ""},
      {"Label5", "TLabel", "gbRelOrd", 8, 58, -1, -1, "Trục Y", "Độ dời của trục Y"},
      {"edYo", "TkvEdit", "gbRelOrd", 88, 56, 209, 24, "", ""},
      {"Label6", "TLabel", "gbRelOrd", 8, 90, -1, -1, "Góc xoay", "Góc xoay của trục toạ độ mới ( theo radian )"},
      {"edRotate", "TkvEdit", "gbRelOrd", 88, 88, 177, 24, "", ""},
      {"Label7", "TLabel", "gbRelOrd", 272, 94, -1, -1, "rad", ""},
      {"btnOK", "TkvButton", "kvForm1", 24, 298, 129, 40, "Đồng ý", ""},
      {"btnCancel", "TkvButton", "kvForm1", 184, 298, 121, 40, "Bỏ qua", ""},
  };
  ExpectComponents(*form, table);
  EXPECT_FALSE(Find<TLabel>(*form, "Label3").Hint().empty());
  EXPECT_EQ(Find<TkvButton>(*form, "btnOK").ModalResult(), mrOk);
  EXPECT_EQ(Find<TkvButton>(*form, "btnCancel").ModalResult(), mrCancel);
  for (const char* name : {"Label1", "lbBien1", "Label4", "Label7"})
    EXPECT_EQ(Find<TLabel>(*form, name).Font()->Name(), "Kurvexsans") << name;
  EXPECT_EQ(Find<TkvGroupBox>(*form, "gbRelOrd").Font()->Name(), "Kurvexsans");
  const char* order[] = {"edFirst", "edLast",   "edStep", "edFirst2", "edLast2",
                         "edStep2", "gbRelOrd", "btnOK",  "btnCancel"};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(Find<TWinControl>(*form, order[i]).TabOrder(), i) << order[i];
}

TEST_F(FormulaWindow, EachKindIsLaidOutWithItsRows) {
  for (int32_t kind = 1; kind <= 8; ++kind) {
    for (bool isNew : {true, false}) {
      SCOPED_TRACE(std::to_string(kind) + (isNew ? " new" : " edited"));
      NewRecord(kind, isNew);
      TFuncRec& f = model.CurFunc;
      f.Func[1] = "a1", f.Func[2] = "a2", f.Func[3] = "a3";
      if (!isNew) f.Color = 0x123456;  // in no palette: the tenth item
      FInForm->PrepareFuncDialog();
      const int rows = FormulaCount(kind);
      for (int i = 1; i <= 8; ++i) EXPECT_EQ(Find<TImage>(*FInForm, "Image" + std::to_string(i)).Visible(), i == kind);
      const auto& image = Find<TImage>(*FInForm, "Image" + std::to_string(kind));
      const int nameTop = 35 + image.Height() + 10;
      EXPECT_EQ(Find<TkvEdit>(*FInForm, "edFuncName").Top(), nameTop);
      EXPECT_EQ(Tcvn3ToUtf8(Find<TkvEdit>(*FInForm, "edFuncName").Text()), f.FuncName);
      EXPECT_EQ(Find<TkvComboBox>(*FInForm, "ColorBox").Top(), nameTop);
      EXPECT_EQ(Find<TkvComboBox>(*FInForm, "ColorBox").ItemIndex(), isNew ? 2 : 9);
      EXPECT_EQ(Find<TkvEdit>(*FInForm, "edDdn").Text(), "2");
      EXPECT_EQ(Find<TkvEdit>(*FInForm, "edDdn").Visible(), kind < 7);
      EXPECT_EQ(Find<TkvCheckBox>(*FInForm, "cbNewF").Visible(), !isNew);
      EXPECT_FALSE(Find<TkvCheckBox>(*FInForm, "cbNewF").Checked());
      for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const int top = nameTop + 25 + 10 + (i - 1) * 56;
        EXPECT_EQ(Formula(i).Visible(), i <= rows);
        EXPECT_EQ(Find<TLabel>(*FInForm, "lbFunc" + std::to_string(i)).Visible(), i <= rows);
        if (i > rows) continue;
        EXPECT_EQ(Formula(i).Top(), top);
        EXPECT_EQ(Find<TLabel>(*FInForm, "lbFunc" + std::to_string(i)).Top(), top + 2);
        EXPECT_EQ(Find<TLabel>(*FInForm, "lbFunc" + std::to_string(i)).Caption(), KindTable()[kind].Labels[i]);
        EXPECT_EQ(Formula(i).Text(), f.Func[i]);
      }
      const int buttonsTop = nameTop + 25 + 10 + rows * 56 + 2;
      EXPECT_EQ(FInButton("btnOK").Top(), buttonsTop);
      EXPECT_EQ(Find<TLabel>(*FInForm, "Stlb2").Top(), buttonsTop + 57);
      EXPECT_EQ(FInForm->ClientHeight(), buttonsTop + 78);
      EXPECT_EQ(Find<TLabel>(*FInForm, "lbFuncType").Caption(), KindTable()[kind].Caption);
    }
  }
}

TEST_F(FormulaWindow, AddingSinXThroughChooserAndDialogStoresItCompiled) {
  TViewState viewState;
  RealDialogs dialogs;
  NoView view;
  TFuncDriver driver(model, viewState, dialogs, view);
  driver.SwitchTo2D();
  const int32_t before = model.Count2D;
  ModalScript script;
  script.Then(*SelFTypeForm, [] { Click(Find<TkvButton>(*SelFTypeForm, "btnFType1")); }).Then(*FInForm, [] {
    Retype(1, "sin(x)");
    SaveScreenshot(*FInForm, "dialogs_formula_kind1.png");
    Click(FInButton("btnOK"));
  });
  script.Run([&] { driver.AddClicked(); });
  EXPECT_FALSE(FInForm->Visible());
  ASSERT_EQ(model.Count2D, before + 1);
  TFuncRec& entry = model.List2D[model.Count2D];
  EXPECT_EQ(entry.FuncType, 1);
  EXPECT_EQ(entry.Func[1], "sin(x)");
  EXPECT_EQ(entry.FuncName, "Ham so 2D " + std::to_string(before + 1));
  ASSERT_TRUE(entry.Compilers[1]);
  model.VarCells[1] = 0.5L;
  EXPECT_NEAR(static_cast<double>(entry.Compilers[1]->Calculate()), std::sin(0.5), 1e-9);
  ASSERT_FALSE(view.items.empty());
  EXPECT_EQ(view.items.back(), (TFuncListItem{entry.FuncName, true}));
  EXPECT_TRUE(warnings.empty());
}

TEST_F(FormulaWindow, EachOpeningStartsWithTheKeysInTheFirstFormula) {
  for (const int32_t kind : {1, 5}) {
    SCOPED_TRACE(kind);
    NewRecord(kind);
    ModalScript script;
    script.Then(*FInForm, [] {
      EXPECT_TRUE(Formula(1).Focused());
      Click(FInButton("btnCancel"));  // the button takes the keys
    });
    script.Run([] { FInForm->EditCurFunc(); });
  }
}

TEST_F(FormulaWindow, ABadFormulaKeepsTheDialogOpenWithItsTextAndTheWordSelected) {
  NewRecord(1);
  ModalScript script;
  script
      .Then(*FInForm,
            [] {
              Retype(1, "2x");
              Click(FInButton("btnOK"));
            })
      .Then(*FInForm,
            [] {
              // Still open: the message, the word selected in its formula.
              EXPECT_EQ(StatusLeft(), "Có lỗi trong công thức hàm f");
              EXPECT_EQ(StatusRight(), "Tên hàm hoặc tên biến không xác định");
              EXPECT_EQ(Find<TLabel>(*FInForm, "Stlb1").Hint(), Find<TLabel>(*FInForm, "Stlb1").Caption());
              EXPECT_EQ(Formula(1).Text(), "2x");
              EXPECT_TRUE(Formula(1).Focused());
              EXPECT_EQ(Formula(1).SelStart(), 0);
              EXPECT_EQ(Formula(1).SelLength(), 2);
              EXPECT_EQ(FuncModel().CurFunc.Func[1], "2x");  // written before the check
              // A formula the compiler refuses: its message, nothing selected.
              Retype(1, "x and x");
              Click(FInButton("btnOK"));
            })
      .Then(*FInForm, [] {
        EXPECT_EQ(StatusLeft(), "Có lỗi trong công thức hàm f");
        EXPECT_EQ(StatusRight(), "Gọi hàm sai");
        EXPECT_EQ(Formula(1).Text(), "x and x");
        Retype(1, "2*x");
        Click(FInButton("btnOK"));
      });
  TModalResult result = mrNone;
  script.Run([&] { result = FInForm->EditCurFunc(); });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(model.CurFunc.Func[1], "2*x");
  EXPECT_TRUE(warnings.empty());
}

TEST_F(FormulaWindow, EnterGoesToTheNextFormulaAndInTheLastActsAsOk) {
  NewRecord(5);
  ModalScript script;
  script.Then(*FInForm, [] {
    Retype(1, "cos(t)\r");
    EXPECT_TRUE(Formula(2).Focused());
    EXPECT_EQ(Formula(1).Text(), "cos(t)");  // no line break
    Type(Formula(2), "sin(t)\r");
  });
  TModalResult result = mrNone;
  script.Run([&] { result = FInForm->EditCurFunc(); });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(model.CurFunc.Func[1], "cos(t)");
  EXPECT_EQ(model.CurFunc.Func[2], "sin(t)");
}

TEST_F(FormulaWindow, LiveHelpFollowsTheWordAtTheCaret) {
  NewRecord(1);
  ModalScript script;
  script.Then(*FInForm, [] {
    // The name's label in the screen font (the name's field covers its
    // right end); the colour list shows the record's palette entry as a
    // swatch.
    auto& name = Find<TLabel>(*FInForm, "lbFuncName");
    const int uncovered = Find<TkvEdit>(*FInForm, "edFuncName").Left() - name.Left();
    EXPECT_EQ(LabelPixelsUnlike(*FInForm, name, "Kurvexsans", uncovered), 0);
    EXPECT_GT(LabelPixelsUnlike(*FInForm, name, "Tahoma", uncovered), 0);
    auto& colors = Find<TkvComboBox>(*FInForm, "ColorBox");
    const testsupport::Picture box = testsupport::CaptureWindow(colors.Handle());
    const TColor swatch = ColorTable2D[3];
    EXPECT_EQ(box.At(box.width / 3, box.height / 2),
              ((swatch & 0xFF) << 16) | (swatch & 0xFF00) | ((swatch >> 16) & 0xFF));
    Retype(1, "sqr");
    EXPECT_EQ(StatusLeft(), "Sqr(x)     (  SQRT  )");
    EXPECT_EQ(StatusRight(), "Bình phương của x");
    Type(Formula(1), "t(");
    EXPECT_EQ(StatusLeft(), "");  // right after the bracket: no word
    EXPECT_EQ(StatusRight(), "");
    Click(FInButton("btnCancel"));
  });
  TModalResult result = mrNone;
  script.Run([&] { result = FInForm->EditCurFunc(); });
  EXPECT_EQ(result, mrCancel);
}

TEST_F(FormulaWindow, CancelAddsNothing) {
  TViewState viewState;
  RealDialogs dialogs;
  NoView view;
  TFuncDriver driver(model, viewState, dialogs, view);
  const int32_t before2D = model.Count2D, before3D = model.Count3D;
  ModalScript script;
  script.Then(*SelFTypeForm, [] { Click(Find<TkvButton>(*SelFTypeForm, "btnFType7")); }).Then(*FInForm, [] {
    Retype(1, "x*y");
    Click(FInButton("btnCancel"));
  });
  script.Run([&] { driver.AddClicked(); });
  EXPECT_EQ(FInForm->ModalResult(), mrCancel);
  EXPECT_EQ(model.Count2D, before2D);
  EXPECT_EQ(model.Count3D, before3D);
}

TEST_F(FormulaWindow, TheParameterDialogRefusesABadNumberAndKeepsTheTexts) {
  NewRecord(1);
  ModalScript script;
  script.Then(*FInForm, [] { Click(FInButton("btnOther")); })
      .Then(*ParaForm,
            [] {
              EXPECT_EQ(Tcvn3ToUtf8(Find<TLabel>(*ParaForm, "lbBien1").Caption()), "Biến x");
              EXPECT_EQ(ParaEdit("edFirst").Text(), "-15");
              EXPECT_EQ(ParaEdit("edLast").Text(), "15");
              EXPECT_EQ(ParaEdit("edStep").Text(), "0.01");
              EXPECT_EQ(ParaEdit("edXo").Text(), "0");
              EXPECT_TRUE(Find<TkvGroupBox>(*ParaForm, "gbRelOrd").Enabled());
              EXPECT_TRUE(ParaEdit("edXo").Enabled());
              EXPECT_FALSE(ParaEdit("edFirst2").Enabled());
              EXPECT_FALSE(Find<TLabel>(*ParaForm, "lbBien2").Enabled());
              auto& first = Find<TLabel>(*ParaForm, "Label1");
              EXPECT_EQ(LabelPixelsUnlike(*ParaForm, first, "Kurvexsans"), 0);
              EXPECT_GT(LabelPixelsUnlike(*ParaForm, first, "Tahoma"), 0);
              SetField("edFirst", "-3");
              SetField("edLast", "1,5");
              SaveScreenshot(*ParaForm, "dialogs_parameters.png");
              Click(Find<TkvButton>(*ParaForm, "btnOK"));
            })
      .Then(*ParaForm,
            [this] {
              // Shown again with what the user typed; the field before the
              // bad one is already in the record.
              EXPECT_EQ(warnings, (std::vector<std::string>{"Nhap sai so / Error"}));
              EXPECT_EQ(ParaEdit("edFirst").Text(), "-3");
              EXPECT_EQ(ParaEdit("edLast").Text(), "1,5");
              EXPECT_EQ(FuncModel().CurFunc.First1, -3);
              EXPECT_EQ(FuncModel().CurFunc.Last1, 15);
              SetField("edLast", "1e400");  // beyond a 64-bit float: refused too
              Click(Find<TkvButton>(*ParaForm, "btnOK"));
            })
      .Then(*ParaForm,
            [this] {
              EXPECT_EQ(warnings.size(), 2u);
              SetField("edLast", " 4.5 ");
              SetField("edStep", "0.1");
              Click(Find<TkvButton>(*ParaForm, "btnOK"));
            })
      .Then(*FInForm, [] {
        const TFuncRec& f = FuncModel().CurFunc;
        EXPECT_EQ(f.Last1, 4.5);
        EXPECT_EQ(f.Step1, 0.1);
        Click(FInButton("btnCancel"));
      });
  TModalResult result = mrNone;
  script.Run([&] { result = FInForm->EditCurFunc(); });
  EXPECT_EQ(result, mrCancel);
  EXPECT_FALSE(ParaForm->Visible());
}

TEST_F(FormulaWindow, ASurfaceUsesTheSecondColumnAndNoShift) {
  NewRecord(8);
  ModalScript script;
  script.Then(*FInForm, [] { Click(FInButton("btnOther")); })
      .Then(*ParaForm,
            [] {
              EXPECT_EQ(Tcvn3ToUtf8(Find<TLabel>(*ParaForm, "lbBien1").Caption()), "Biến u");
              EXPECT_EQ(Tcvn3ToUtf8(Find<TLabel>(*ParaForm, "lbBien2").Caption()), "Biến v");
              EXPECT_FALSE(Find<TkvGroupBox>(*ParaForm, "gbRelOrd").Enabled());
              EXPECT_FALSE(ParaEdit("edRotate").Enabled());
              EXPECT_TRUE(ParaEdit("edStep2").Enabled());
              EXPECT_EQ(ParaEdit("edStep2").Text(), "0.01");
              Click(Find<TkvButton>(*ParaForm, "btnCancel"));
            })
      .Then(*FInForm, [] { Click(FInButton("btnCancel")); });
  script.Run([] { FInForm->EditCurFunc(); });
  EXPECT_TRUE(warnings.empty());
}

TEST_F(FormulaWindow, TheHelpPanelStaysAsTheUserLeftIt) {
  TkvForm& frame = *TkvForm::FindOn(FInForm);
  NewRecord(1);
  ModalScript first;
  first.Then(*FInForm, [&] {
    EXPECT_EQ(frame.Width(), 595);
    Click(FInButton("kvButton1"));
    EXPECT_EQ(frame.Width(), 790);
    EXPECT_EQ(FInForm->Width(), 792);
    EXPECT_EQ(Find<TkvMemo>(*FInForm, "mmHelp").Height(), FInForm->ClientHeight() - 32);
    Click(FInButton("btnCancel"));
  });
  first.Run([] { FInForm->EditCurFunc(); });
  EXPECT_TRUE(FInForm->HelpPanelShown());

  // Opened again, for a surface: still wide.
  NewRecord(8);
  ModalScript second;
  second.Then(*FInForm, [&] {
    EXPECT_EQ(frame.Width(), 790);
    EXPECT_EQ(Find<TkvMemo>(*FInForm, "mmHelp").Height(), FInForm->ClientHeight() - 32);
    Retype(1, "u*cos(v)");
    SaveScreenshot(*FInForm, "dialogs_formula_kind8_wide.png");
    Click(FInButton("kvButton1"));
    EXPECT_EQ(frame.Width(), 595);
    SaveScreenshot(*FInForm, "dialogs_formula_kind8.png");
    Click(FInButton("btnCancel"));
  });
  second.Run([] { FInForm->EditCurFunc(); });
  EXPECT_FALSE(FInForm->HelpPanelShown());
}

TEST_F(FormulaWindow, ANewEntryIntoAFullListIsRefusedAndTheDialogKeepsEverything) {
  // The plane list filled up to its 20 records.
  const int32_t before = model.Count2D;
  while (model.Count2D < MaxFuncs) {
    NewRecord(1);
    model.StoreFunc(model.List2D, 0, model.Count2D);
  }
  NewRecord(1, false);  // an entry being edited
  model.CurFunc.Func[1] = "x";
  ModalScript script;
  script
      .Then(*FInForm,
            [] {
              auto& newFunc = Find<TkvCheckBox>(*FInForm, "cbNewF");
              EXPECT_TRUE(newFunc.Visible());
              Retype(1, "x*x");
              Click(newFunc);
              EXPECT_TRUE(newFunc.Checked());
              Click(FInButton("btnOK"));
            })
      .Then(*FInForm, [this] {
        EXPECT_EQ(warnings, (std::vector<std::string>{"Chuong trinh chi cho phep toi da 20 ham so / Thong bao"}));
        EXPECT_EQ(Formula(1).Text(), "x*x");
        auto& newFunc = Find<TkvCheckBox>(*FInForm, "cbNewF");
        EXPECT_TRUE(newFunc.Checked());
        // Unchecked, the edit replaces its entry.
        Click(newFunc);
        Click(FInButton("btnOK"));
      });
  TModalResult result = mrNone;
  script.Run([&] { result = FInForm->EditCurFunc(); });
  EXPECT_EQ(result, mrOk);
  EXPECT_FALSE(model.SaveAsNew);
  EXPECT_EQ(model.CurFunc.Func[1], "x*x");
  while (model.Count2D > before) model.DeleteFunc(model.List2D, model.Count2D, model.Count2D);
}
