// The experimental-data dialog from its form resource: the skinned frame,
// every component with its class, parent, place, size, tab order, text and
// hint, the data table's and the coefficient grid's headers, the draw-type
// choices and the colour list, the results of OK, Cancel and closing, and a
// screenshot.
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
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/ValEdit.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVComboBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVGrid.h"
#include "skin/frame/KVForm.h"

using namespace kx;
using evaltn::TComponentRow;

namespace {

class DataDialog : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterControlClasses();
    evaltn::AddScreenFont();
  }
  void SetUp() override { form_.reset(TCustomForm::Create<TTNForm>(nullptr)); }
  void TearDown() override {
    form_.reset();
    Application->ProcessMessages();
  }
  template <class T>
  T* Find(const char* name) {
    return As<T>(form_->FindComponent(name));
  }
  std::unique_ptr<TTNForm> form_;
};

}  // namespace

TEST_F(DataDialog, TheDeepBlueFrame) { evaltn::ExpectFrame(*form_, TkvUIStyle::DeepBlue, "Ham thuc nghiem", 606, 506); }

TEST_F(DataDialog, EveryComponentFromTheResource) {
  const std::vector<TComponentRow> rows = {
      {"lbFuncType", "TLabel", "kvForm1", 12, 40, -1, -1, -1, "Hàm thực nghiệm  F{(x,y)...}"},
      {"lbFuncName", "TLabel", "kvForm1", 12, 68, -1, -1, -1, "Tên hàm"},
      {"edFuncName", "TkvEdit", "kvForm1", 64, 64, 200, 22, 0, "", "Nhập tên hàm số hoặc dùng tên mặc định"},
      {"lbDdn", "TLabel", "kvForm1", 278, 68, -1, -1, -1, "Nét vẽ"},
      {"edDdn", "TkvEdit", "kvForm1", 322, 64, 28, 22, 1, "1"},
      {"UpDown2", "TUpDown", "kvForm1", 350, 64, 15, 22, 2, nullptr},
      {"lbClb", "TLabel", "kvForm1", 378, 68, -1, -1, -1, "Mầu"},
      {"ColorBox", "TkvComboBox", "kvForm1", 410, 64, 72, -1, 3, nullptr},
      {"cbNewF", "TkvCheckBox", "kvForm1", 496, 66, 96, 17, 4, "Hàm mới", "Coi hàm đang sửa như một hàm mới"},
      {"TNVal", "TValueListEditor", "kvForm1", 12, 96, 200, 248, 5, nullptr,
       "Bảng các giá trị thực nghiệm (Bấm phím xuống để thêm, phím Insert để chèn)"},
      {"btnSwapXY", "TkvButton", "kvForm1", 12, 352, 96, 26, 6, "", "Tráo đổi giá trị của X và Y"},
      {"btnSort", "TkvButton", "kvForm1", 116, 352, 96, 26, 7, "Sắp xếp",
       "Sắp xếp lại bảng thực nghiệm theo chiều tăng dần của X"},
      {"GroupBox1", "TkvGroupBox", "kvForm1", 224, 96, 370, 282, 8, "Cách vẽ hàm"},
      {"rbDRR", "TkvRadioButton", "GroupBox1", 12, 24, 170, 17, 0, "Điểm rời rạc"},
      {"Image3", "TImage", "GroupBox1", 300, 18, 56, 28, -1, nullptr},
      {"rbDGK", "TkvRadioButton", "GroupBox1", 12, 56, 170, 17, 1, "Đường gấp khúc"},
      {"Image4", "TImage", "GroupBox1", 300, 50, 56, 28, -1, nullptr},
      {"rbDTNS", "TkvRadioButton", "GroupBox1", 12, 88, 170, 17, 2, "Hàm đa thức nội suy",
       "Hàm đi qua tất cả các điểm thực nghiệm"},
      {"Image5", "TImage", "GroupBox1", 300, 82, 56, 28, -1, nullptr},
      {"rbHHQ", "TkvRadioButton", "GroupBox1", 12, 122, 17, 17, 3, "", "Hàm đi gần nhất với các điểm thực nghiệm"},
      {"gbHHQ", "TkvGroupBox", "GroupBox1", 30, 122, 330, 148, 4, " Hàm hồi quy"},
      {"rbTT", "TkvRadioButton", "gbHHQ", 12, 30, 150, 17, 0, "Tuyến tính"},
      {"Image1", "TImage", "gbHHQ", 266, 24, 56, 28, -1, nullptr},
      {"rbDTBN", "TkvRadioButton", "gbHHQ", 12, 72, 100, 17, 1, "Đa thức bậc"},
      {"edPTBac", "TkvEdit", "gbHHQ", 116, 70, 34, 22, 2, "1"},
      {"UpDown1", "TUpDown", "gbHHQ", 150, 70, 15, 22, 3, nullptr},
      {"Image2", "TImage", "gbHHQ", 266, 66, 56, 28, -1, nullptr},
      {"gridHS", "TkvStringGrid", "kvForm1", 12, 388, 536, 66, 9, nullptr,
       "Các hệ số của hàm hồi quy hoặc các tỷ hiệu của hàm nội suy"},
      {"btnHSPT", "TkvButton", "kvForm1", 556, 408, 38, 26, 10, ">>",
       "Tính thử các hệ số của hàm hồi quy hoặc các tỷ hiệu của hàm nội suy"},
      {"btnOK", "TkvButton", "kvForm1", 404, 466, 90, 28, 11, "Đồng ý"},
      {"btnCancel", "TkvButton", "kvForm1", 504, 466, 90, 28, 12, "Bỏ qua"},
  };
  evaltn::ExpectComponents(*form_, rows, {"kvForm1"});

  // Limits and ranges of the fields.
  EXPECT_EQ(Find<TkvEdit>("edFuncName")->MaxLength(), 25);
  EXPECT_EQ(Find<TkvEdit>("edDdn")->MaxLength(), 2);
  EXPECT_TRUE(Find<TkvEdit>("edPTBac")->ReadOnly());
  struct UpDownCase {
    const char* name;
    const char* edit;
    int min, max;
  } upDowns[] = {{"UpDown2", "edDdn", 1, 5}, {"UpDown1", "edPTBac", 1, 100}};
  for (const UpDownCase& c : upDowns) {
    SCOPED_TRACE(c.name);
    auto* upDown = Find<TUpDown>(c.name);
    EXPECT_EQ(upDown->Associate(), Find<TkvEdit>(c.edit));
    EXPECT_EQ(upDown->Min(), c.min);
    EXPECT_EQ(upDown->Max(), c.max);
    EXPECT_EQ(upDown->Position(), 1);
  }
  // The closing buttons: OK sets its result itself, Cancel and Escape give 2.
  EXPECT_EQ(Find<TkvButton>("btnOK")->ModalResult(), mrNone);
  EXPECT_TRUE(Find<TkvButton>("btnOK")->Default());
  EXPECT_EQ(Find<TkvButton>("btnCancel")->ModalResult(), mrCancel);
  EXPECT_TRUE(Find<TkvButton>("btnCancel")->Cancel());
  // The swap button shows its picture.
  EXPECT_EQ(Find<TkvButton>("btnSwapXY")->Glyph()->Width(), 44);
  EXPECT_EQ(Find<TkvButton>("btnSwapXY")->Glyph()->Height(), 16);
  // Each draw type's picture.
  for (const char* name : {"Image1", "Image2", "Image3", "Image4", "Image5"}) {
    SCOPED_TRACE(name);
    TPicture* picture = Find<TImage>(name)->Picture();
    EXPECT_TRUE(Is<TBitmap>(picture->Graphic()));
    EXPECT_EQ(picture->Width(), 56);
    EXPECT_EQ(picture->Height(), 28);
  }
}

TEST_F(DataDialog, TheTableHeadersAndTheChoices) {
  auto* table = Find<TValueListEditor>("TNVal");
  EXPECT_EQ(table->Cells(0, 0), "X");
  EXPECT_EQ(table->Cells(1, 0), "Y");
  EXPECT_EQ(table->KeyOptions(), (TKeyOptions{keyEdit, keyAdd, keyDelete}));
  auto* grid = Find<TkvStringGrid>("gridHS");
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->FixedCols(), 1);
  EXPECT_EQ(grid->FixedRows(), 0);
  // Both rows show, the first at the top.
  EXPECT_EQ(grid->TopRow(), 0);

  auto* colors = Find<TkvComboBox>("ColorBox");
  EXPECT_EQ(colors->Style(), csOwnerDrawFixed);
  ASSERT_EQ(colors->Items()->Count(), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(colors->Items()->Get(i), std::to_string(i + 1));
  EXPECT_EQ(colors->ItemIndex(), 0);

  // The four draw types are one choice, the two regressions another.
  const char* const drawTypes[] = {"rbDRR", "rbDGK", "rbDTNS", "rbHHQ"};
  auto checked = [&](const char* name) { return Find<TkvCheckBox>(name)->Checked(); };
  EXPECT_TRUE(checked("rbDRR"));
  for (const char* name : {"rbDGK", "rbDTNS", "rbHHQ", "rbTT", "rbDTBN", "cbNewF"}) EXPECT_FALSE(checked(name)) << name;
  evaltn::ShowAndSettle(*form_);
  for (const char* chosen : drawTypes) {
    SCOPED_TRACE(chosen);
    evaltn::Click(*Find<TkvRadioButton>(chosen));
    for (const char* name : drawTypes) EXPECT_EQ(checked(name), name == std::string(chosen)) << name;
  }
  evaltn::Click(*Find<TkvRadioButton>("rbDTBN"));
  EXPECT_TRUE(checked("rbDTBN"));
  EXPECT_TRUE(checked("rbHHQ"));
  evaltn::Click(*Find<TkvRadioButton>("rbTT"));
  EXPECT_TRUE(checked("rbTT"));
  EXPECT_FALSE(checked("rbDTBN"));
  EXPECT_TRUE(checked("rbHHQ"));
}

TEST_F(DataDialog, OkCancelAndClosingAnswerTheCaller) {
  struct Case {
    const char* name;
    const char* button;  // nullptr: the window is closed
    TModalResult result;
  } cases[] = {{"OK", "btnOK", mrOk}, {"Cancel", "btnCancel", mrCancel}, {"closed", nullptr, mrCancel}};
  // OK accepts a table of one point; an empty one it leaves open (the
  // dialog's own tests show that).
  FuncModel().CurFunc = TFuncRec();
  FuncModel().CurFunc.TNPoints = {{1, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Queued now, handled by the dialog's own message loop once it shows.
    if (c.button) {
      HWND button = Find<TkvButton>(c.button)->Handle();
      PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
      PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    } else {
      PostMessageA(form_->Handle(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(form_->EditCurFunc(), c.result);
    EXPECT_FALSE(form_->Visible());
  }
  FuncModel().CurFunc = TFuncRec();
  // The coefficient grid names its rows.
  auto* grid = Find<TkvStringGrid>("gridHS");
  EXPECT_EQ(grid->Cells(0, 0), Tcvn3Text("Hệ số thứ"));
  EXPECT_EQ(grid->Cells(0, 1), Tcvn3Text("Giá trị"));
}

TEST_F(DataDialog, Screenshot) {
  auto* grid = Find<TkvStringGrid>("gridHS");
  grid->SetCells(0, 0, Tcvn3Text("Hệ số thứ"));
  grid->SetCells(0, 1, Tcvn3Text("Giá trị"));
  const testsupport::Picture shot = evaltn::Screenshot(*form_, "evaltn_data_dialog.png");
  ASSERT_EQ(shot.width, form_->Width());
  for (const char* name : {"lbFuncName", "lbDdn", "lbClb"}) {
    auto* label = Find<TLabel>(name);
    EXPECT_TRUE(evaltn::ShowsText(shot, *form_, *label, label->Caption())) << name;
  }
  // The colour list shows its first colour inside the item's margin.
  auto* colors = Find<TkvComboBox>("ColorBox");
  const POINT o = evaltn::OriginInWindow(*form_, *colors);
  EXPECT_EQ(shot.At(o.x + 12, o.y + colors->Height() / 2), evaltn::OnScreen(ColorTable2D[1]));
}
