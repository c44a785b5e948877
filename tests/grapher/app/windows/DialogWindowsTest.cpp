// The kind chooser as a real window: built from its form resource, its kind
// buttons clicked, closed without a choice, and on screen.
#include "DialogWindowsTest.h"

#include <memory>
#include <string>
#include <vector>

#include "app/model/MainU_Driver.h"
#include "app/model/MainU_Funcs.h"
#include "app/windows/SelFTU.h"
#include "framework/core/Tcvn3.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVEdit.h"
#include "skin/frame/KVForm.h"
#include "TestSupport.h"

using namespace kx;
using namespace dialogtesting;

class ChooserWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() { MakeDialogs(); }
  void SetUp() override { SetCursorPos(0, 0); }
};

namespace {

// CurFunc as the Add command hands it to the chooser.
void ResetCurFunc() {
  TFuncRec& f = FuncModel().CurFunc;
  f = TFuncRec();
  f.FuncType = 1;
  f.Shown = true;
  f.LineWidth = 1;
  f.First1 = f.First2 = -15;
  f.Last1 = f.Last2 = 15;
  f.Step1 = f.Step2 = 0.01;
}

struct Ranges {
  double first1, last1, step1, first2, last2, step2;
  bool operator==(const Ranges&) const = default;
};

Ranges RangesOf(const TFuncRec& f) { return {f.First1, f.Last1, f.Step1, f.First2, f.Last2, f.Step2}; }

}  // namespace

TEST_F(ChooserWindow, TheChooserIsBuiltFromItsFormResource) {
  TSelFTypeForm& form = *SelFTypeForm;
  TkvForm* frame = TkvForm::FindOn(&form);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Name(), "kvForm1");
  EXPECT_EQ(frame->UIStyle(), TkvUIStyle::DeepBlue);
  EXPECT_FALSE(frame->UIStyleAutoUpdateSub());
  EXPECT_EQ(frame->BorderWidth(), 1);
  EXPECT_EQ(frame->RoundCorner(), 0);
  EXPECT_EQ(frame->MenuBarHeight(), 22);
  EXPECT_EQ(frame->Width(), 536);
  EXPECT_EQ(frame->Height(), 560);
  EXPECT_EQ(frame->TitleBarFont()->Name(), "Tahoma");
  EXPECT_EQ(frame->TitleBarFont()->Color(), clWhite);
  EXPECT_TRUE(frame->TitleBarFont()->Style().Contains(fsBold));
  ASSERT_EQ(frame->TitleBarButtons()->Count(), 2);
  EXPECT_EQ(frame->TitleBarButtons()->Items(0)->ButtonType(), kvControlBox);
  EXPECT_EQ(frame->TitleBarButtons()->Items(1)->ButtonType(), kvClose);
  EXPECT_EQ(form.Caption(), "Chon loai ham so");
  EXPECT_EQ(form.Position(), poScreenCenter);

  const std::vector<Component> table = {
      {"Bevel1", "TBevel", "kvForm1", 104, 32, 313, 41, "", ""},
      {"Label1", "TLabel", "kvForm1", 120, 38, -1, -1, "Chọn loại hàm số cần vẽ", ""},
      {"kvGroupBox8", "TkvGroupBox", "kvForm1", 8, 80, 520, 63, "Các hàm mẫu", ""},
      {"btnTron", "TkvButton", "kvGroupBox8", 8, 16, 39, 39, "", "Vẽ đường tròn"},
      {"btnElip", "TkvButton", "kvGroupBox8", 54, 16, 39, 39, "", "Vẽ hình Elip"},
      {"btnHyp", "TkvButton", "kvGroupBox8", 100, 16, 39, 39, "", "Vẽ hình Hyperbol"},
      {"btn2on1", "TkvButton", "kvGroupBox8", 146, 16, 39, 39, "2/1", "Vẽ hàm số Bậc 2/bậc 1"},
      {"btn4", "TkvButton", "kvGroupBox8", 192, 16, 39, 39, "4", "Vẽ hàm đa thức bậc 4 (hoặc nhỏ hơn)"},
      {"btnCau", "TkvButton", "kvGroupBox8", 238, 16, 39, 39, "", "Vẽ mặt cầu"},
      {"btnElipxoit", "TkvButton", "kvGroupBox8", 284, 16, 39, 39, "", "Vẽ mặt Elipxoit"},
      {"btnParaboloit", "TkvButton", "kvGroupBox8", 330, 16, 42, 39, "", "Vẽ mặt Paraboloit"},
      {"btnHyp1", "TkvButton", "kvGroupBox8", 379, 16, 39, 39, "", "Vẽ mặt Hyperboloit"},
      {"btnNon", "TkvButton", "kvGroupBox8", 425, 16, 39, 39, "", "Vẽ mặt nón"},
      {"btnHamTN", "TkvButton", "kvGroupBox8", 472, 16, 39, 39, "", "Hàm thực nghiệm"},
      {"kvGroupBox1", "TkvGroupBox", "kvForm1", 8, 152, 257, 402, "Hàm số hệ tọa độ 2 chiều", ""},
      {"kvGroupBox2", "TkvGroupBox", "kvGroupBox1", 8, 20, 241, 121, "Hàm số tọa độ Đề các", ""},
      {"btnFType1", "TkvButton", "kvGroupBox2", 20, 24, 200, 41, "", ""},
      {"btnFType2", "TkvButton", "kvGroupBox2", 20, 72, 200, 41, "", ""},
      {"kvGroupBox3", "TkvGroupBox", "kvGroupBox1", 8, 150, 241, 121, "Hàm số tọa độ cực", ""},
      {"btnFType3", "TkvButton", "kvGroupBox3", 20, 24, 200, 41, "", ""},
      {"btnFType4", "TkvButton", "kvGroupBox3", 20, 72, 200, 41, "", ""},
      {"kvGroupBox4", "TkvGroupBox", "kvGroupBox1", 8, 280, 241, 113, "Hàm tham số", ""},
      {"btnFType5", "TkvButton", "kvGroupBox4", 20, 24, 200, 81, "", ""},
      {"kvGroupBox5", "TkvGroupBox", "kvForm1", 279, 152, 249, 402, "Hàm số hệ tọa độ 3 chiều", ""},
      {"kvGroupBox6", "TkvGroupBox", "kvGroupBox5", 8, 20, 233, 153, "Hàm đường", ""},
      {"btnFType6", "TkvButton", "kvGroupBox6", 16, 24, 200, 113, "", ""},
      {"kvGroupBox7", "TkvGroupBox", "kvGroupBox5", 8, 184, 233, 209, "Hàm mặt", ""},
      {"btnFType7", "TkvButton", "kvGroupBox7", 16, 22, 200, 43, "", ""},
      {"btnFType8", "TkvButton", "kvGroupBox7", 16, 80, 200, 113, "", ""},
  };
  ExpectComponents(form, table);

  // The title and the groups in the screen font; every button in the XP
  // style, a kind button showing only its equation's picture, a template
  // button its shape or its caption.
  auto& title = *static_cast<TLabel*>(form.FindComponent("Label1"));
  EXPECT_EQ(title.Font()->Name(), "Kurvexsans");
  EXPECT_EQ(title.Font()->Height(), -11);
  EXPECT_EQ(title.Font()->Color(), clRed);
  EXPECT_TRUE(title.Font()->Style().Contains(fsBold));
  EXPECT_EQ(static_cast<TControl*>(form.FindComponent("kvGroupBox1"))->Font()->Color(), clBlue);
  EXPECT_EQ(static_cast<TControl*>(form.FindComponent("kvGroupBox5"))->Font()->Color(), clFuchsia);
  for (const Component& row : table) {
    auto* button = dynamic_cast<TkvButton*>(form.FindComponent(row.name));
    if (!button) continue;
    SCOPED_TRACE(row.name);
    EXPECT_EQ(button->UIStyle(), TkvUIStyle::WinXP);
    EXPECT_EQ(button->ModalResult(), mrNone);
    EXPECT_TRUE(button->OnClick);  // every button has its handler
    const bool captioned = row.name == "btn2on1" || row.name == "btn4";
    EXPECT_EQ(button->Glyph()->Empty(), captioned);
    if (row.name.rfind("btnFType", 0) == 0) {
      EXPECT_TRUE(button->Caption().empty());
      EXPECT_LE(button->Glyph()->Width(), button->Width() - 8);
      EXPECT_LE(button->Glyph()->Height(), button->Height() - 4);
    }
  }
}

TEST_F(ChooserWindow, KindButtonsChooseTheKindAndTheSpaceKindsTheirRange) {
  const Ranges plane{-15, 15, 0.01, -15, 15, 0.01};
  const Ranges space{-5, 5, 0.1, -5, 5, 0.1};
  for (int kind = 1; kind <= 9; ++kind) {
    SCOPED_TRACE(kind);
    ResetCurFunc();
    FuncModel().CurFunc.RelX = 2;  // a chooser leaves what it does not set
    const std::string name = kind == 9 ? "btnHamTN" : "btnFType" + std::to_string(kind);
    auto* button = dynamic_cast<TkvButton*>(SelFTypeForm->FindComponent(name));
    ASSERT_NE(button, nullptr);
    ModalScript script;
    script.Then(*SelFTypeForm, [&] { Click(*button); });
    EXPECT_EQ(script.Run(*SelFTypeForm), mrOk);
    const TFuncRec& f = FuncModel().CurFunc;
    EXPECT_EQ(f.FuncType, kind);
    EXPECT_EQ(RangesOf(f), kind >= 6 && kind <= 8 ? space : plane);
    EXPECT_EQ(f.RelX, 2);
    EXPECT_FALSE(SelFTypeForm->Visible());
  }
}

namespace {

// The chooser for real; the other dialogs are never reached.
class ChooserOnly : public TFuncDialogs {
 public:
  TModalResult ShowKindChooser() override { return SelFTypeForm->ShowModal(); }
  TModalResult ShowFuncDialog() override {
    ++funcDialogs;
    return mrCancel;
  }
  TModalResult ShowTNDialog() override {
    ++funcDialogs;
    return mrCancel;
  }
  void ShowWarning(const std::string&, const std::string&) override {}
  int funcDialogs = 0;
};

class NoView : public TFuncView {
 public:
  void ShowModeOptions(const TModeOptions&) override {}
  void ShowSpaceObjects() override {}
  void FillFuncList(const std::vector<TFuncListItem>&) override {}
  void FuncEdited() override {}
  void FuncDeleted() override {}
  void RepaintView() override {}
};

}  // namespace

TEST_F(ChooserWindow, TemplateButtonsOpenTheTemplateFormAndTheChooserStaysOpen) {
  ResetCurFunc();
  const char* buttons[] = {"btnTron", "btnElip",     "btnHyp",        "btn2on1", "btn4",
                           "btnCau",  "btnElipxoit", "btnParaboloit", "btnHyp1", "btnNon"};
  ModalScript script;
  for (const char* name : buttons) {
    script.Then(*SelFTypeForm, [name] { Click(*dynamic_cast<TkvButton*>(SelFTypeForm->FindComponent(name))); })
        .Then(*frmHamMau, [] { Click(*frmHamMau->btnCancel()); });
  }
  // Back in the chooser after each: it is still open for a choice.
  script.Then(*SelFTypeForm, [] { SelFTypeForm->Close(); });
  EXPECT_EQ(script.Run(*SelFTypeForm), mrCancel);
  EXPECT_EQ(FuncModel().CurFunc.FuncType, 1);
}

TEST_F(ChooserWindow, AnAcceptedTemplateClosesTheChooserWithItsRecord) {
  // The hyperbola of type 2: its picture follows the radio buttons, and OK
  // writes the type-2 formulas and closes the chooser accepted.
  ResetCurFunc();
  ModalScript script;
  script.Then(*SelFTypeForm, [] { Click(*dynamic_cast<TkvButton*>(SelFTypeForm->FindComponent("btnHyp"))); })
      .Then(*frmHamMau, [] {
        EXPECT_TRUE(frmHamMau->Image(3)->Visible());
        Click(*frmHamMau->raF2());
        EXPECT_TRUE(frmHamMau->Image(12)->Visible());
        EXPECT_FALSE(frmHamMau->Image(3)->Visible());
        const char* texts[] = {"1", "-2", "0.1", "2.5"};
        for (int i = 1; i <= 4; ++i) frmHamMau->ed(i)->SetText(texts[i - 1]);
        Click(*frmHamMau->btnOK());
      });
  EXPECT_EQ(script.Run(*SelFTypeForm), mrOk);
  const TFuncRec& f = FuncModel().CurFunc;
  EXPECT_EQ(f.FuncType, 5);
  EXPECT_EQ(f.Func[1], "0.10000000149*Sin(t)/Cos(t)");
  EXPECT_EQ(f.Func[2], "2.5/Cos(t)");
  EXPECT_EQ(f.RelX, 1);
  EXPECT_EQ(f.RelY, -2);
  EXPECT_FALSE(frmHamMau->Visible());

  // The next two-type template starts again at type 1; a refused paraboloid
  // says so and shows the form again, whose Cancel leaves the chooser open.
  std::vector<std::string> warnings;
  const auto shown = SelFTypeForm->WarningBox;
  SelFTypeForm->WarningBox = [&](TControl*, const std::string& text, const std::string& caption) {
    warnings.push_back(text + " / " + caption);
  };
  ModalScript second;
  second.Then(*SelFTypeForm, [] { Click(*dynamic_cast<TkvButton*>(SelFTypeForm->FindComponent("btnParaboloit"))); })
      .Then(*frmHamMau, [] {
        EXPECT_TRUE(frmHamMau->raF1()->Checked());
        EXPECT_TRUE(frmHamMau->Image(8)->Visible());
        frmHamMau->ed(1)->SetText("-1");
        frmHamMau->ed(2)->SetText("2");
        Click(*frmHamMau->btnOK());
      })
      .Then(*frmHamMau, [] {
        EXPECT_EQ(frmHamMau->ed(1)->Text(), "-1");
        Click(*frmHamMau->btnCancel());
      })
      .Then(*SelFTypeForm, [] { SelFTypeForm->Close(); });
  EXPECT_EQ(second.Run(*SelFTypeForm), mrCancel);
  EXPECT_EQ(warnings, (std::vector<std::string>{"Nhap sai so / Error"}));
  // What the refused attempt wrote stays.
  EXPECT_EQ(FuncModel().CurFunc.FuncType, 8);
  EXPECT_EQ(FuncModel().CurFunc.Func[3], "u");
  SelFTypeForm->WarningBox = shown;
}

TEST_F(ChooserWindow, ClosingTheChooserAddsNothing) {
  TFuncModel& model = FuncModel();
  TViewState viewState;
  ChooserOnly dialogs;
  NoView view;
  TFuncDriver driver(model, viewState, dialogs, view);
  const int32_t before2D = model.Count2D, before3D = model.Count3D;

  // The Add command shows the chooser; closed by its title bar's close
  // button, it goes no further.
  TkvForm& frame = *TkvForm::FindOn(SelFTypeForm);
  ModalScript script;
  script.Then(*SelFTypeForm, [&] { ClickTitleButton(frame, 1); });
  script.Run([&] { driver.AddClicked(); });
  EXPECT_FALSE(SelFTypeForm->Visible());
  EXPECT_EQ(SelFTypeForm->ModalResult(), mrCancel);
  EXPECT_EQ(dialogs.funcDialogs, 0);
  EXPECT_EQ(model.Count2D, before2D);
  EXPECT_EQ(model.Count3D, before3D);
}

TEST_F(ChooserWindow, TheChooserOnScreen) {
  ResetCurFunc();
  ModalScript script;
  script.Then(*SelFTypeForm, [&] {
    SaveScreenshot(*SelFTypeForm, "dialogs_chooser.png");
    SelFTypeForm->Close();
  });
  EXPECT_EQ(script.Run(*SelFTypeForm), mrCancel);
}
