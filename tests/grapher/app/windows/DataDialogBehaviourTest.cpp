// The experimental-data dialog at work on the model's CurFunc: filling it
// from a record, the table read, sorted and swapped, the draw types, the
// trial fit of ">>", and what OK accepts, refuses and stores; the dialog's
// message boxes are recorded instead of shown.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EvalTNWindowsTest.h"
#include "app/model/MainU_Funcs.h"
#include "app/model/Tcvn3Text.h"
#include "app/windows/ThNghiemU.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/ValEdit.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVComboBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVGrid.h"

using namespace kx;

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

class DataDialogAtWork : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterControlClasses();
    evaltn::AddScreenFont();
  }
  void SetUp() override {
    form_.reset(TCustomForm::Create<TTNForm>(nullptr));
    form_->WarningBox = [this](TControl*, const std::string& text, const std::string& caption) {
      messages_.push_back(text + " / " + caption);
    };
    TFuncModel& model = FuncModel();
    model.CurFunc = TFuncRec();
    model.CurFunc.FuncType = TNKind;
    model.CurFunc.FuncName = "Ham so TN 1";
    model.CurFunc.LineWidth = 1;
    model.CurFunc.Color = ColorTable2D[1];
    model.IsNewFunc = true;
    model.SaveAsNew = false;
  }
  void TearDown() override {
    form_.reset();
    FuncModel().CurFunc = TFuncRec();
    Application->ProcessMessages();
  }
  template <class T>
  T* Find(const char* name) {
    return As<T>(form_->FindComponent(name));
  }
  TValueListEditor& Table() { return *Find<TValueListEditor>("TNVal"); }
  TkvStringGrid& Grid() { return *Find<TkvStringGrid>("gridHS"); }
  TFuncRec& Cur() { return FuncModel().CurFunc; }
  void Type(const Rows& rows) {
    TStrings& strings = *Table().Strings();
    strings.Clear();
    for (const auto& [x, y] : rows) strings.Add(x + "=" + y);
  }
  Rows TableRows() {
    Rows rows;
    for (int r = 1; r <= Table().Strings()->Count(); ++r) rows.emplace_back(Table().Cells(0, r), Table().Cells(1, r));
    return rows;
  }
  // The grid's columns after the fixed one: (number, value).
  Rows GridColumns() {
    Rows columns;
    for (int c = 1; c < Grid().ColCount(); ++c)
      if (!Grid().Cells(c, 0).empty()) columns.emplace_back(Grid().Cells(c, 0), Grid().Cells(c, 1));
    return columns;
  }
  void Press(const char* button) { evaltn::Click(*Find<TkvButton>(button)); }
  void Choose(const char* radio) { evaltn::Click(*Find<TkvRadioButton>(radio)); }
  bool Checked(const char* name) { return Find<TkvCheckBox>(name)->Checked(); }

  std::unique_ptr<TTNForm> form_;
  std::vector<std::string> messages_;
};

}  // namespace

TEST_F(DataDialogAtWork, PreparedFromTheRecord) {
  TFuncRec& f = Cur();
  f.FuncName = "Do am";
  f.Color = ColorTable2D[4];
  f.LineWidth = 3;
  f.TNPoints = {{0, 1}, {1, 3}, {2, 7}};
  f.DrawType = 2;
  f.TyHieu = {4, 1};
  FuncModel().IsNewFunc = false;
  form_->PrepareTNDialog();
  EXPECT_EQ(Find<TkvEdit>("edFuncName")->Text(), "Do am");
  EXPECT_EQ(Find<TkvComboBox>("ColorBox")->ItemIndex(), 3);
  EXPECT_EQ(Find<TkvEdit>("edDdn")->Text(), "3");
  EXPECT_TRUE(Checked("rbDTNS"));
  EXPECT_TRUE(Find<TkvCheckBox>("cbNewF")->Visible());
  EXPECT_FALSE(Checked("cbNewF"));
  EXPECT_EQ(Grid().Cells(0, 0), Tcvn3Text("Tỷ hiệu cấp"));
  EXPECT_EQ(Grid().Cells(0, 1), Tcvn3Text("Giá trị"));
  EXPECT_EQ(GridColumns(), (Rows{{"1", "4"}, {"2", "1"}}));
  EXPECT_EQ(TableRows(), (Rows{{"0", "1"}, {"1", "3"}, {"2", "7"}}));

  // A least-squares record of degree 3 with two points opens at degree 1;
  // a colour of no palette entry selects the tenth; the table shows eight digits.
  f = TFuncRec();
  f.FuncType = TNKind;
  f.Color = 0x123456;
  f.TNPoints = {{1.0L / 3, 2.5L}, {123456789, -0.00005L}};
  f.DrawType = 3;
  f.BacPT = 3;
  f.HeSo = {1, 2, 3, 4};
  FuncModel().IsNewFunc = true;
  form_->PrepareTNDialog();
  EXPECT_EQ(f.BacPT, 1);
  EXPECT_EQ(Find<TkvEdit>("edPTBac")->Text(), "1");
  EXPECT_TRUE(Checked("rbHHQ"));
  EXPECT_TRUE(Checked("rbTT"));
  EXPECT_FALSE(Checked("rbDTBN"));
  EXPECT_FALSE(Find<TkvCheckBox>("cbNewF")->Visible());
  EXPECT_EQ(Find<TkvComboBox>("ColorBox")->ItemIndex(), 9);
  EXPECT_EQ(Grid().Cells(0, 0), Tcvn3Text("Hệ số thứ"));
  EXPECT_EQ(GridColumns(), (Rows{{"0", "1"}, {"1", "2"}}));
  EXPECT_EQ(TableRows(), (Rows{{"0.33333333", "2.5"}, {"1.2345679E08", "-5E-05"}}));

  // Points alone: no grid values, both regressions cleared.
  f = TFuncRec();
  form_->PrepareTNDialog();
  EXPECT_TRUE(Checked("rbDRR"));
  EXPECT_FALSE(Checked("rbTT"));
  EXPECT_TRUE(GridColumns().empty());
  EXPECT_TRUE(TableRows().empty());
}

TEST_F(DataDialogAtWork, SortSwapAndStrictCells) {
  form_->PrepareTNDialog();
  evaltn::ShowAndSettle(*form_);
  Type({{"3", "30"}, {"-1.5", "15"}, {"2", "20"}});
  Press("btnSort");
  EXPECT_EQ(TableRows(), (Rows{{"-1.5", "15"}, {"2", "20"}, {"3", "30"}}));
  ASSERT_EQ(Cur().TNCount(), 3);
  EXPECT_EQ(Cur().TNPoints[0].X, -1.5L);
  EXPECT_EQ(Cur().TNPoints[2].Y, 30);

  // The swap trades the texts as typed, parsing nothing.
  Type({{"1", "a"}, {"2.5", "4"}});
  Press("btnSwapXY");
  EXPECT_EQ(TableRows(), (Rows{{"a", "1"}, {"4", "2.5"}}));
  EXPECT_TRUE(messages_.empty());

  // A comma, letters or a trailing empty row are refused, and no point is kept.
  for (const Rows& bad : {Rows{{"1", "2,5"}}, Rows{{"1", "2"}, {"x", "3"}}, Rows{{"1", "2"}, {"", ""}}}) {
    messages_.clear();
    Type(bad);
    Press("btnSort");
    EXPECT_EQ(messages_, (std::vector<std::string>{"Nhap sai gia tri thuc nghiem / Thong bao"}));
    EXPECT_EQ(Cur().TNCount(), 0);
    EXPECT_EQ(TableRows(), bad);
  }
  // An empty table fails without a word.
  messages_.clear();
  Type({});
  EXPECT_FALSE(form_->ReadAndSortDataTable());
  EXPECT_TRUE(messages_.empty());
}

TEST_F(DataDialogAtWork, ACellTypedAndLeftForAButtonIsRead) {
  form_->PrepareTNDialog();
  evaltn::ShowAndSettle(*form_);
  Type({{"", "5"}});
  // The teacher types into the first X cell and goes straight to "Sắp xếp".
  Table().SetFocus();
  Table().SetCol(0);
  Table().SetRow(1);
  Table().SetEditorMode(true);
  Application->ProcessMessages();
  HWND editor = GetFocus();
  ASSERT_NE(editor, Table().Handle());
  for (char ch : std::string("3.5")) SendMessageA(editor, WM_CHAR, static_cast<WPARAM>(ch), 0);
  Press("btnSort");
  EXPECT_TRUE(messages_.empty());
  ASSERT_EQ(Cur().TNCount(), 1);
  EXPECT_EQ(Cur().TNPoints[0].X, 3.5L);
  EXPECT_EQ(Cur().TNPoints[0].Y, 5);
}

TEST_F(DataDialogAtWork, DrawTypesWriteTheRecord) {
  form_->PrepareTNDialog();
  evaltn::ShowAndSettle(*form_);
  const std::pair<const char*, int32_t> choices[] = {{"rbDGK", 1}, {"rbDTNS", 2}, {"rbDRR", 0}, {"rbHHQ", 3}};
  for (const auto& [radio, drawType] : choices) {
    Choose(radio);
    EXPECT_EQ(Cur().DrawType, drawType) << radio;
  }
  // The regression alone picks the linear one.
  EXPECT_TRUE(Checked("rbTT"));
  EXPECT_EQ(Cur().BacPT, 1);
  // The degree: the up-down writes it while "Đa thức bậc" is chosen.
  Choose("rbDRR");
  EXPECT_FALSE(Checked("rbTT"));
  Find<TUpDown>("UpDown1")->SetPosition(3);
  EXPECT_EQ(Cur().BacPT, 1);
  Choose("rbDTBN");
  EXPECT_TRUE(Checked("rbHHQ"));
  EXPECT_EQ(Cur().DrawType, 3);
  EXPECT_EQ(Cur().BacPT, 3);
  Find<TUpDown>("UpDown1")->SetPosition(4);
  EXPECT_EQ(Cur().BacPT, 4);
  Choose("rbTT");
  EXPECT_EQ(Cur().BacPT, 1);
  Choose("rbDTNS");
  EXPECT_FALSE(Checked("rbTT"));
  EXPECT_FALSE(Checked("rbDTBN"));
  EXPECT_EQ(Grid().Cells(0, 0), Tcvn3Text("Tỷ hiệu cấp"));
}

TEST_F(DataDialogAtWork, TrialFitShowsDifferencesCoefficientsOrWhyNot) {
  form_->PrepareTNDialog();
  evaltn::ShowAndSettle(*form_);
  // Points and lines have nothing to show.
  Type({{"2", "7"}, {"0", "1"}, {"1", "3"}});
  Press("btnHSPT");
  EXPECT_TRUE(GridColumns().empty());
  EXPECT_EQ(TableRows()[0].first, "2");

  Choose("rbDTNS");
  Press("btnHSPT");
  EXPECT_EQ(TableRows(), (Rows{{"0", "1"}, {"1", "3"}, {"2", "7"}}));
  EXPECT_EQ(GridColumns(), (Rows{{"1", "4"}, {"2", "1"}}));

  Type({{"0", "1"}, {"1", "3"}, {"2", "5"}});
  Choose("rbTT");
  Press("btnHSPT");
  EXPECT_EQ(Grid().Cells(0, 0), Tcvn3Text("Hệ số thứ"));
  EXPECT_EQ(GridColumns(), (Rows{{"0", "1"}, {"1", "2"}}));
  EXPECT_TRUE(messages_.empty());
  // A parabola through points typed out of order, as the teacher sees it.
  Type({{"2", "4.1"}, {"-1", "1.2"}, {"0", "0.1"}, {"1", "0.9"}, {"-2", "3.7"}});
  Find<TUpDown>("UpDown1")->SetPosition(2);
  Choose("rbDTBN");
  Press("btnHSPT");
  EXPECT_EQ(GridColumns().size(), 3u);
  evaltn::Screenshot(*form_, "evaltn_data_dialog_fit.png");

  // Refused fits empty the grid and say why.
  struct Case {
    const char* name;
    Rows rows;
    const char* radio;
    int degree;
    const char* message;
  } cases[] = {
      {"one point", {{"1", "1"}}, "rbDTNS", 0, "Co qua it diem thuc nghiem / Thong bao"},
      {"equal X", {{"0", "1"}, {"0", "2"}}, "rbDTNS", 0, "Khong tinh duoc cac he so / Thong bao"},
      {"all X 0.1", {{"0.1", "1"}, {"0.1", "2"}, {"0.1", "3"}}, "rbTT", 0, "Khong tinh duoc cac he so / Thong bao"},
      {"four points, degree 5", {{"0", "1"}, {"1", "2"}, {"2", "0"}, {"3", "5"}}, "rbDTBN", 5,
       "Khong tinh duoc cac he so / Thong bao"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    messages_.clear();
    Type(c.rows);
    if (c.degree) Find<TUpDown>("UpDown1")->SetPosition(c.degree);
    Choose(c.radio);
    Press("btnHSPT");
    EXPECT_EQ(messages_, (std::vector<std::string>{c.message}));
    EXPECT_TRUE(GridColumns().empty());
    // Only the array of the fit asked for is released.
    EXPECT_TRUE(std::string(c.radio) == "rbDTNS" ? Cur().TyHieu.empty() : Cur().HeSo.empty());
  }
}

TEST_F(DataDialogAtWork, OkStoresOnlyWhatReads) {
  form_->PrepareTNDialog();
  // Queued now, handled by the dialog's own loop: OK on the empty table, then
  // Cancel. The first does nothing and says nothing.
  auto post = [&](const char* button) {
    HWND h = Find<TkvButton>(button)->Handle();
    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  };
  post("btnOK");
  post("btnCancel");
  EXPECT_EQ(form_->ShowModal(), mrCancel);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(Cur().TNCount(), 0);

  // Line widths: clamped to 1..5; a width that is no number keeps the dialog open.
  evaltn::ShowAndSettle(*form_);
  Type({{"2", "5"}, {"0", "1"}, {"1", "3"}});
  Choose("rbTT");
  Find<TkvEdit>("edFuncName")->SetText("Nhiet do");
  Find<TkvComboBox>("ColorBox")->SetItemIndex(6);
  const std::pair<const char*, int32_t> widths[] = {{"9", 5}, {"0", 1}, {"3", 3}, {"-4", 1}};
  for (const auto& [typed, stored] : widths) {
    form_->SetModalResult(mrNone);
    Find<TkvEdit>("edDdn")->SetText(typed);
    Press("btnOK");
    EXPECT_EQ(form_->ModalResult(), mrOk) << typed;
    EXPECT_EQ(Cur().LineWidth, stored) << typed;
  }
  EXPECT_EQ(Cur().FuncName, "Nhiet do");
  EXPECT_EQ(Cur().Color, ColorTable2D[7]);
  EXPECT_EQ(Cur().DrawType, 3);
  ASSERT_EQ(Cur().HeSo.size(), 2u);
  EXPECT_NEAR(static_cast<double>(Cur().HeSo[1]), 2, 1e-15);
  // Stored sorted, and the table shows them so.
  EXPECT_EQ(Cur().TNPoints[2].X, 2);
  EXPECT_EQ(TableRows()[0].first, "0");
  EXPECT_FALSE(FuncModel().SaveAsNew);
  EXPECT_TRUE(messages_.empty());

  form_->SetModalResult(mrNone);
  Find<TkvEdit>("edDdn")->SetText("x");
  Press("btnOK");
  EXPECT_EQ(form_->ModalResult(), mrNone);
  EXPECT_EQ(messages_, (std::vector<std::string>{"Nhap sai do day net ve / Error"}));
  EXPECT_EQ(Find<TkvEdit>("edDdn")->SelLength(), 1);

  // A failed fit keeps the dialog open too.
  messages_.clear();
  Find<TkvEdit>("edDdn")->SetText("2");
  Type({{"1", "1"}});
  Press("btnOK");
  EXPECT_EQ(form_->ModalResult(), mrNone);
  EXPECT_EQ(messages_, (std::vector<std::string>{"Co qua it diem thuc nghiem / Thong bao"}));

  // An edited record may be stored as a new one.
  FuncModel().IsNewFunc = false;
  Cur().TNPoints = {{0, 0}};
  Cur().DrawType = 0;
  form_->PrepareTNDialog();
  evaltn::ShowAndSettle(*form_);
  evaltn::Click(*Find<TkvCheckBox>("cbNewF"));
  Press("btnOK");
  EXPECT_EQ(form_->ModalResult(), mrOk);
  EXPECT_TRUE(FuncModel().SaveAsNew);
  FuncModel().SaveAsNew = false;
}
