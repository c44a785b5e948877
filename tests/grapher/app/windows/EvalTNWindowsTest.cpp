// The floating evaluation window from its form resource: the skinned frame,
// every component with its class, parent, place, size, tab order, text and
// hint, the two pages in order, the input and result edits, the "always on
// top" check box, and screenshots of both pages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EvalTNWindowsTest.h"
#include "app/model/Tcvn3Text.h"
#include "app/windows/EvalFU.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVPageControl.h"
#include "skin/frame/KVForm.h"

using namespace kx;
using evaltn::TComponentRow;

namespace {

class EvalWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterControlClasses();
    evaltn::AddScreenFont();
  }
  void SetUp() override { form_.reset(TCustomForm::Create<TEvalForm>(nullptr)); }
  void TearDown() override {
    form_.reset();
    Application->ProcessMessages();
  }
  template <class T>
  T* Find(const char* name) {
    return As<T>(form_->FindComponent(name));
  }
  bool Topmost() const { return (GetWindowLongA(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  // Whether an ordinary window brought to the top of the others covers ours.
  bool CoveredByANewWindow() const {
    HWND other =
        CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr);
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    bool above = false;
    for (HWND h = GetWindow(form_->Handle(), GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV)) above |= h == other;
    DestroyWindow(other);
    return above;
  }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(form_->Handle(), &r);
    return r;
  }
  std::unique_ptr<TEvalForm> form_;
};

const char* const kInputs[] = {"edEvalVar1", "edEvalVar2", "edTFVar1F", "edTFVar1L", "edTFVar2F", "edTFVar2L"};
const char* const kResults[] = {"edEvalF1",  "edEvalF2", "edEvalF3", "edEvalDF1", "edEvalDF2",
                                "edEvalDF3", "edTF1",    "edTF2",    "edTF3"};

}  // namespace

TEST_F(EvalWindow, TheProteinFrame) {
  TkvForm* frame = TkvForm::FindOn(form_.get());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Name(), "kvForm1");
  // The frame's size from the resource; the host is larger by the border.
  evaltn::ExpectFrame(*form_, TkvUIStyle::Protein, "Chua chon ham so", 390, 316);
  EXPECT_EQ(form_->Width(), 392);
  EXPECT_EQ(form_->Height(), 317);
  EXPECT_FALSE(form_->Visible());

  // Shown centred on the work area.
  evaltn::ShowAndSettle(*form_);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const RECT r = WindowRect();
  EXPECT_LE(std::abs((r.left - work.left) - (work.right - r.right)), 1);
  EXPECT_LE(std::abs((r.top - work.top) - (work.bottom - r.bottom)), 1);
}

TEST_F(EvalWindow, EveryComponentFromTheResource) {
  const char* const maxHint = "Tìm cực đại địa phương tại lân cận của biến";
  const char* const minHint = "Tìm cực tiểu địa phương tại lân cận của biến";
  const char* const rootHint = "Tìm nghiệm tại lân cận của biến";
  const std::vector<TComponentRow> rows = {
      {"pgEval", "TkvPageControl", "kvForm1", 4, 24, 382, 288, 0, nullptr},
      {"TabLgGia", "TkvTabSheet", "pgEval", 0, 22, -1, -1, -1, "Lượng giá"},
      {"cbOnTop", "TkvCheckBox", "TabLgGia", 8, 6, 120, 17, 0, "Luôn nổi"},
      {"gbEvalVar", "TkvGroupBox", "TabLgGia", 6, 28, 180, 89, 1, "Giá trị biến"},
      {"lbEvalVar1", "TLabel", "gbEvalVar", 8, 26, -1, -1, -1, "x"},
      {"edEvalVar1", "TkvEdit", "gbEvalVar", 34, 22, 138, 22, 0, "0"},
      {"lbEvalVar2", "TLabel", "gbEvalVar", 8, 58, -1, -1, -1, "y"},
      {"edEvalVar2", "TkvEdit", "gbEvalVar", 34, 54, 138, 22, 1, "0"},
      {"btnEvalMax", "TkvButton", "TabLgGia", 6, 127, 86, 30, 2, "Tìm Max", maxHint},
      {"btnEvalMin", "TkvButton", "TabLgGia", 100, 127, 86, 30, 3, "Tìm Min", minHint},
      {"btnEvalZ", "TkvButton", "TabLgGia", 6, 177, 180, 30, 4, "Tìm nghiệm", rootHint},
      {"gbEvalF", "TkvGroupBox", "TabLgGia", 194, 6, 180, 121, 5, "Giá trị hàm số"},
      {"lbEvalF1", "TLabel", "gbEvalF", 8, 26, -1, -1, -1, "X"},
      {"edEvalF1", "TkvEdit", "gbEvalF", 34, 22, 138, 22, 0, ""},
      {"lbEvalF2", "TLabel", "gbEvalF", 8, 58, -1, -1, -1, "Y"},
      {"edEvalF2", "TkvEdit", "gbEvalF", 34, 54, 138, 22, 1, ""},
      {"lbEvalF3", "TLabel", "gbEvalF", 8, 90, -1, -1, -1, "Z"},
      {"edEvalF3", "TkvEdit", "gbEvalF", 34, 86, 138, 22, 2, ""},
      {"gbEvalDF", "TkvGroupBox", "TabLgGia", 194, 134, 180, 121, 6, "Giá trị đạo hàm"},
      {"lbEvalDF1", "TLabel", "gbEvalDF", 8, 26, -1, -1, -1, "X'"},
      {"edEvalDF1", "TkvEdit", "gbEvalDF", 34, 22, 138, 22, 0, ""},
      {"lbEvalDF2", "TLabel", "gbEvalDF", 8, 58, -1, -1, -1, "Y'"},
      {"edEvalDF2", "TkvEdit", "gbEvalDF", 34, 54, 138, 22, 1, ""},
      {"lbEvalDF3", "TLabel", "gbEvalDF", 8, 90, -1, -1, -1, "Z'"},
      {"edEvalDF3", "TkvEdit", "gbEvalDF", 34, 86, 138, 22, 2, ""},
      {"TabTichPhan", "TkvTabSheet", "pgEval", 0, 22, -1, -1, -1, "Tích phân"},
      {"gbTFVar", "TkvGroupBox", "TabTichPhan", 6, 6, 180, 215, 0, "Khoảng tích phân"},
      {"gbTFVar1", "TkvGroupBox", "gbTFVar", 8, 18, 164, 90, 0, "Biến x"},
      {"lbTFVar1F", "TLabel", "gbTFVar1", 10, 26, -1, -1, -1, "Từ"},
      {"edTFVar1F", "TkvEdit", "gbTFVar1", 44, 22, 110, 22, 0, "0"},
      {"lbTFVar1L", "TLabel", "gbTFVar1", 10, 58, -1, -1, -1, "Đến"},
      {"edTFVar1L", "TkvEdit", "gbTFVar1", 44, 54, 110, 22, 1, "0"},
      {"gbTFVar2", "TkvGroupBox", "gbTFVar", 8, 116, 164, 90, 1, "Biến y"},
      {"lbTFVar2F", "TLabel", "gbTFVar2", 10, 26, -1, -1, -1, "Từ"},
      {"edTFVar2F", "TkvEdit", "gbTFVar2", 44, 22, 110, 22, 0, "0"},
      {"lbTFVar2L", "TLabel", "gbTFVar2", 10, 58, -1, -1, -1, "Đến"},
      {"edTFVar2L", "TkvEdit", "gbTFVar2", 44, 54, 110, 22, 1, "0"},
      {"gbTF", "TkvGroupBox", "TabTichPhan", 194, 6, 180, 121, 1, "Tích phân"},
      {"lbTF1", "TLabel", "gbTF", 8, 26, -1, -1, -1, "IX"},
      {"edTF1", "TkvEdit", "gbTF", 34, 22, 138, 22, 0, ""},
      {"lbTF2", "TLabel", "gbTF", 8, 58, -1, -1, -1, "IY"},
      {"edTF2", "TkvEdit", "gbTF", 34, 54, 138, 22, 1, ""},
      {"lbTF3", "TLabel", "gbTF", 8, 90, -1, -1, -1, "IZ"},
      {"edTF3", "TkvEdit", "gbTF", 34, 86, 138, 22, 2, ""},
  };
  evaltn::ExpectComponents(*form_, rows, {"kvForm1"});
  // Hints show: the window lets its controls show theirs.
  EXPECT_TRUE(form_->ShowHint());
  EXPECT_TRUE(Find<TkvButton>("btnEvalZ")->ShowHint());
}

TEST_F(EvalWindow, ThePagesInOrderWithTheValuesInFront) {
  auto* pages = Find<TkvPageControl>("pgEval");
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->Pages(0)->Name(), "TabLgGia");
  EXPECT_EQ(pages->Pages(1)->Name(), "TabTichPhan");
  EXPECT_EQ(pages->UIStyle(), TkvUIStyle::Protein);
  EXPECT_EQ(pages->ActivePage(), Find<TkvTabSheet>("TabLgGia"));
  EXPECT_EQ(pages->Strip()->TabIndex(), 0);
  ASSERT_EQ(pages->Strip()->Tabs()->Count(), 2);
  EXPECT_EQ(pages->Strip()->Tabs()->Get(0), Tcvn3Text("Lượng giá"));
  EXPECT_EQ(pages->Strip()->Tabs()->Get(1), Tcvn3Text("Tích phân"));
  // A page chosen reaches the main window through the window's forwarder.
  EXPECT_TRUE(pages->OnTabActive);
  EXPECT_FALSE(pages->OnChange);
}

TEST_F(EvalWindow, InputsStartAtZeroAndResultsAreReadOnly) {
  for (const char* name : kInputs) {
    SCOPED_TRACE(name);
    auto* edit = Find<TkvEdit>(name);
    EXPECT_EQ(edit->Text(), "0");
    EXPECT_FALSE(edit->ReadOnly());
  }
  for (const char* name : kResults) {
    SCOPED_TRACE(name);
    auto* edit = Find<TkvEdit>(name);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_TRUE(edit->ReadOnly());
    // Read-only also for the window: typing changes nothing.
    EXPECT_NE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY, 0);
  }
}

TEST_F(EvalWindow, StaysOnTopWhileTicked) {
  auto* onTop = Find<TkvCheckBox>("cbOnTop");
  EXPECT_TRUE(onTop->Checked());
  evaltn::ShowAndSettle(*form_);
  EXPECT_TRUE(Topmost());
  EXPECT_FALSE(CoveredByANewWindow());
  const RECT before = WindowRect();

  evaltn::Click(*onTop);
  EXPECT_FALSE(onTop->Checked());
  EXPECT_FALSE(Topmost());
  EXPECT_TRUE(CoveredByANewWindow());
  // Still the application's window.
  EXPECT_EQ(GetWindow(form_->Handle(), GW_OWNER), Application->Handle());
  evaltn::Click(*onTop);
  EXPECT_TRUE(onTop->Checked());
  EXPECT_TRUE(Topmost());
  EXPECT_FALSE(CoveredByANewWindow());
  // Neither moved nor sized.
  const RECT after = WindowRect();
  EXPECT_TRUE(EqualRect(&before, &after));

  // Shown again unticked, it is an ordinary window.
  form_->Hide();
  onTop->SetChecked(false);
  evaltn::ShowAndSettle(*form_);
  EXPECT_FALSE(Topmost());
  form_->Hide();
  onTop->SetChecked(true);
  evaltn::ShowAndSettle(*form_);
  EXPECT_TRUE(Topmost());
}

TEST_F(EvalWindow, ScreenshotsOfBothPages) {
  auto* pages = Find<TkvPageControl>("pgEval");
  // The windows are made after loading, in the order that puts the last
  // page on top: the values page is brought forward again once they exist.
  form_->HandleNeeded();
  pages->SetActivePage(Find<TkvTabSheet>("TabLgGia"));
  const testsupport::Picture values = evaltn::Screenshot(*form_, "evaltn_eval_values.png");
  ASSERT_EQ(values.width, form_->Width());
  EXPECT_TRUE(evaltn::ShowsText(values, *form_, *Find<TkvCheckBox>("cbOnTop"), Tcvn3Text("Luôn nổi")));
  EXPECT_TRUE(evaltn::ShowsText(values, *form_, *Find<TLabel>("lbEvalDF1"), "X'"));

  pages->SetActivePage(Find<TkvTabSheet>("TabTichPhan"));
  const testsupport::Picture integrals = evaltn::Screenshot(*form_, "evaltn_eval_integrals.png");
  EXPECT_TRUE(evaltn::ShowsText(integrals, *form_, *Find<TLabel>("lbTFVar1L"), Tcvn3Text("Đến")));
  EXPECT_TRUE(evaltn::ShowsText(integrals, *form_, *Find<TLabel>("lbTFVar2F"), Tcvn3Text("Từ")));
}
