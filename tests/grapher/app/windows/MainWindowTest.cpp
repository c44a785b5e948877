// The main window from its form resource: its controls and scene, the state
// its creation leaves, resizing, the mode switch, the function list drawn in
// the records' colours, and Add, Edit, Delete and check marks through the
// real buttons with fake dialogs. Screenshots stay in the test folder.
#include "MainWindowFixture.h"

#include <memory>
#include <vector>

#include "app/model/MainU_View.h"
#include "scene/GLObjects.h"
#include "scene/GLStageCamera.h"
#include "scene/GLWin32Viewer.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVPageControl.h"
#include "skin/frame/KVForm.h"
#include "TextPictures.h"

using namespace kx;
using namespace mainwindow;

namespace {

std::string Text(TObject& object, const char* property) {
  return std::get<std::string>(GetPropValue(object, property));
}
std::string Handler(TObject& object, const char* event) {
  return std::get<TMethodValue>(GetPropValue(object, event)).Name;
}

struct TControlRow {
  const char* name;
  const char* className;
  int left, top, width, height;
  const char* property;  // "Caption" or "Hint"
  const char* text;      // UTF-8; empty: no text
};

// Every control of the window as its form resource places it.
const TControlRow kControls[] = {
    {"GLStageViewer1", "TGLStageViewer", 4, 25, 603, 400, "Hint", ""},
    {"btn2D", "TkvButton", 8, 431, 65, 57, "Hint", "Chọn chế độ hàm trong hệ tọa độ 2 chiều"},
    {"btn3D", "TkvButton", 80, 431, 65, 57, "Hint", "Chọn chế độ hàm trong hệ tọa độ 3 chiều"},
    {"BtnAddFunc", "TkvButton", 8, 495, 41, 41, "Hint", "Tạo một hàm mới và thêm vào danh sách hàm số"},
    {"BtnDelFunc", "TkvButton", 56, 495, 41, 41, "Hint", "Xóa hàm số đang chọn khỏi danh sách hàm số"},
    {"BtnEditFunc", "TkvButton", 104, 495, 41, 41, "Hint", "Sửa hàm số đang chọn trong danh sách hàm số"},
    {"btnSave", "TkvButton", 8, 543, 41, 41, "Hint", "Lưu danh sách hàm ra một file text"},
    {"btnLoad", "TkvButton", 56, 543, 41, 41, "Hint", "Nhập lại danh sách hàm từ một file text đã lưu"},
    {"btnEval", "TkvButton", 104, 543, 41, 41, "Hint", "Lượng giá và tính tích phân xác định của hàm số"},
    {"gbDshs", "TkvGroupBox", 152, 431, 225, 161, "Caption", "Danh sách hàm số"},
    {"FuncListBox", "TkvCheckListBox", 8, 24, 209, 129, "Hint", "Danh sách các hàm số"},
    {"btnZoomIn", "TkvButton", 396, 431, 33, 33, "Hint", "Phóng to ra"},
    {"BtnZoomOut", "TkvButton", 444, 431, 33, 33, "Hint", "Thu nhỏ lại"},
    {"btnUp", "TkvButton", 420, 471, 33, 25, "Hint", "Cuộn màn hình lên trên"},
    {"btnLeft", "TkvButton", 384, 499, 33, 25, "Hint", "Cuộn màn hình sang trái"},
    {"btnRight", "TkvButton", 456, 499, 33, 25, "Hint", "Cuộn màn hình sang phải"},
    {"btnDown", "TkvButton", 420, 527, 33, 25, "Hint", "Cuộn màn hình xuống dưới"},
    {"btnAbout", "TkvButton", 384, 559, 105, 33, "Hint", "Hướng dẫn sử dụng chương trình"},
    {"btnCapture", "TkvButton", 419, 497, 37, 29, "Hint", "Lưu màn hình ra một file ảnh bitmap"},
    {"gbCachve", "TkvRadioGroup", 496, 431, 105, 60, "Caption", "Cách vẽ đồ thị"},
    {"raKDuong", "TkvRadioButton", 8, 16, 89, 17, "Caption", "Kiểu đường"},
    {"raKDiem", "TkvRadioButton", 8, 36, 89, 17, "Caption", "Kiểu điểm"},
    {"cbShowNum", "TkvCheckBox", 504, 495, 97, 17, "Caption", "Hiện số"},
    {"cbBkGround", "TkvCheckBox", 504, 519, 97, 17, "Caption", "Đổi màu nền"},
    {"cbShowLine", "TkvCheckBox", 504, 543, 97, 17, "Caption", "Hiện vạch chia"},
    {"cbShowGrid", "TkvCheckBox", 504, 567, 97, 17, "Caption", "Hiện lưới tọa độ"},
    {"pgEval", "TkvPageControl", 609, 43, 188, 551, "Hint", ""},
    {"btnEvalOff", "TkvButton", 609, 26, 14, 15, "Hint", "Đóng tab lượng giá và tích phân"},
    {"btnEvalForm", "TkvButton", 625, 26, 14, 15, "Hint", "Mở cửa sổ lượng giá và tích phân"},
    {"lbEvalFunc", "TLabel", 640, 25, -1, -1, "Caption", "Chưa chọn hàm số"},
};

// The events the window binds, control by control.
const char* const kBindings[][3] = {
    {"MainForm", "OnCreate", "FormCreate"},
    {"MainForm", "OnResize", "FormResize"},
    {"MainForm", "OnDestroy", "FormDestroy"},
    {"btn2D", "OnClick", "Btn2DClick"},
    {"btn3D", "OnClick", "Btn3DClick"},
    {"BtnAddFunc", "OnClick", "BtnAddFuncClick"},
    {"BtnDelFunc", "OnClick", "BtnDelFuncClick"},
    {"BtnEditFunc", "OnClick", "BtnEditFuncClick"},
    {"FuncListBox", "OnClickCheck", "FuncListBoxClickCheck"},
    {"FuncListBox", "OnDrawItem", "FuncListBoxDrawItem"},
    {"GLStageViewer1", "PostRender", "FormPaint"},
    {"GLStageViewer1", "OnMouseDown", "GLStageViewer1MouseDown"},
    {"GLStageViewer1", "OnMouseMove", "GLStageViewer1MouseMove"},
    {"GLStageViewer1", "OnMouseUp", "GLStageViewer1MouseUp"},
    {"GLStageViewer1", "OnDblClick", "GLStageViewer1DblClick"},
    {"btnUp", "OnClick", "btnUpClick"},
    {"btnDown", "OnClick", "btnDownClick"},
    {"btnLeft", "OnClick", "btnLeftClick"},
    {"btnRight", "OnClick", "btnRightClick"},
    {"btnZoomIn", "OnClick", "btnZoomInClick"},
    {"BtnZoomOut", "OnClick", "BtnZoomOutClick"},
    {"cbShowNum", "OnClick", "cbShowNumClick"},
    {"cbShowLine", "OnClick", "cbShowLineClick"},
    {"cbShowGrid", "OnClick", "cbShowGridClick"},
    {"cbBkGround", "OnClick", "cbBkGroundClick"},
    {"raKDuong", "OnClick", "raKDuongClick"},
    {"raKDiem", "OnClick", "raKDuongClick"},
    {"btnCapture", "OnClick", "btnCaptureClick"},
    {"btnCapture", "OnMouseDown", "btnCaptureMouseDown"},
    {"btnCapture", "OnMouseUp", "btnCaptureMouseUp"},
    {"btnAbout", "OnClick", "btnAboutClick"},
};

// Every pixel of the row band right of the check boxes, as the screen shows it.
std::vector<unsigned> RowInk(const testsupport::Picture& list, int row) {
  std::vector<unsigned> ink;
  for (int y = 1 + 16 * row; y < 1 + 16 * (row + 1) && y < list.height; ++y)
    for (int x = 20; x < list.width - 20; ++x) ink.push_back(list.At(x, y) & 0xFFFFFF);
  return ink;
}
bool Holds(const std::vector<unsigned>& pixels, unsigned colour) {
  for (unsigned p : pixels)
    if (p == colour) return true;
  return false;
}

struct FakeDialogs : TFuncDialogs {
  int32_t kind = 1;
  std::string formula = "x*x";
  TModalResult chooserResult = mrOk;
  std::vector<std::string> warnings;
  TModalResult ShowKindChooser() override {
    FuncModel().CurFunc.FuncType = kind;
    return chooserResult;
  }
  TModalResult ShowFuncDialog() override {
    FuncModel().CurFunc.Func[1] = formula;
    return FuncModel().CompileFuncs() ? mrOk : mrCancel;
  }
  TModalResult ShowTNDialog() override { return mrCancel; }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    warnings.push_back(caption + ": " + text);
  }
};

}  // namespace

TEST_F(MainWindow, TheFormResourceHoldsEveryControlInItsPlace) {
  // Loaded without its creation handler, the window is as its resource says.
  std::unique_ptr<TMainForm> raw(new TMainForm(nullptr));
  EXPECT_EQ(raw->ClientWidth(), 802);
  EXPECT_EQ(raw->ClientHeight(), 601);
  EXPECT_EQ(raw->Caption(), "Plotvane v2.21");
  EXPECT_EQ(raw->Position(), poScreenCenter);
  for (const TControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    TComponent* found = raw->FindComponent(row.name);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->ClassName(), row.className);
    auto* control = As<TControl>(found);
    EXPECT_EQ(control->Left(), row.left);
    EXPECT_EQ(control->Top(), row.top);
    if (row.width >= 0) {
      EXPECT_EQ(control->Width(), row.width);
      EXPECT_EQ(control->Height(), row.height);
    }
    EXPECT_EQ(Text(*control, row.property), Tcvn3Text(row.text));
    if (*row.text) {
      EXPECT_EQ(control->Font()->Name(), "Kurvexsans");
    }
  }
  for (const auto& b : kBindings) {
    TComponent* c = std::string(b[0]) == "MainForm" ? raw.get() : raw->FindComponent(b[0]);
    EXPECT_EQ(Handler(*c, b[1]), b[2]) << b[0] << "." << b[1];
  }
  // The frame.
  TkvForm* frame = TkvForm::FindOn(raw.get());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->UIStyle(), TkvUIStyle::Protein);
  EXPECT_EQ(frame->BorderWidth(), 1);
  EXPECT_EQ(frame->Caption(), "Plotvane v2.21");
  EXPECT_EQ(frame->TitleBarButtons()->Count(), 4);
  EXPECT_TRUE(frame->TitleBarDrawAppIcon());
  EXPECT_EQ(frame->TitleBarFont()->Name(), "Tahoma");
  // Options checked, lines not points.
  for (const char* name : {"cbShowNum", "cbBkGround", "cbShowLine", "cbShowGrid", "raKDuong"})
    EXPECT_TRUE(As<TkvCustomButtonEx>(raw->FindComponent(name))->Checked()) << name;
  EXPECT_FALSE(As<TkvCustomButtonEx>(raw->FindComponent("raKDiem"))->Checked());
  // The evaluation panel: two tabs, input edits at "0", read-only results.
  auto* pages = As<TkvPageControl>(raw->FindComponent("pgEval"));
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->Pages(0)->SheetCaption(), Tcvn3Text("Lượng giá"));
  EXPECT_EQ(pages->Pages(1)->SheetCaption(), Tcvn3Text("Tích phân"));
  for (const char* name : {"edEvalVar1", "edEvalVar2", "edTFVar1F", "edTFVar1L", "edTFVar2F", "edTFVar2L"})
    EXPECT_EQ(As<TkvEdit>(raw->FindComponent(name))->Text(), "0") << name;
  for (const char* name :
       {"edEvalF1", "edEvalF2", "edEvalF3", "edEvalDF1", "edEvalDF2", "edEvalDF3", "edTF1", "edTF2", "edTF3"})
    EXPECT_TRUE(As<TkvEdit>(raw->FindComponent(name))->ReadOnly()) << name;
  const std::pair<const char*, const char*> groups[] = {{"gbEvalVar", "Giá trị biến"},
                                                        {"gbEvalF", "Giá trị hàm số"},
                                                        {"gbEvalDF", "Giá trị đạo hàm"},
                                                        {"gbTFVar", "Khoảng tích phân"},
                                                        {"gbTFVar1", "Biến x"},
                                                        {"gbTFVar2", "Biến y"},
                                                        {"gbTF", "Tích phân"}};
  for (const auto& [name, caption] : groups) EXPECT_EQ(Text(*raw->FindComponent(name), "Caption"), Tcvn3Text(caption));
  // The scene.
  auto* camera = As<TGLCamera>(raw->FindComponent("GLCamera1"));
  EXPECT_EQ(camera->FocalLength(), 200);
  EXPECT_EQ(As<TGLStageViewer>(raw->FindComponent("GLStageViewer1"))->Camera(), camera);
  EXPECT_FLOAT_EQ(As<TSphere>(raw->FindComponent("spDot"))->Radius(), 0.15f);
  for (const char* name : {"XYGrid", "XZGrid", "YZGrid", "TrucX", "TrucY", "TrucZ", "GLLightSource1", "GLLightSource2"})
    EXPECT_NE(raw->FindComponent(name), nullptr) << name;
  // The pictures of the buttons come from the resource.
  for (const char* name : {"btn2D", "btn3D", "BtnAddFunc", "btnCapture", "btnAbout", "btnUp"})
    EXPECT_FALSE(As<TkvButton>(raw->FindComponent(name))->Glyph()->Empty()) << name;
}

TEST_F(MainWindow, CreationNarrowsTheWindowAndSizesTheView) {
  EXPECT_EQ(form_->Width(), 619);
  EXPECT_EQ(form_->ClientWidth(), 619);
  for (const char* name : {"pgEval", "btnEvalOff", "btnEvalForm", "lbEvalFunc"})
    EXPECT_FALSE(Find<TControl>(name)->Visible()) << name;
  const TViewState& view = ViewState();
  EXPECT_TRUE(view.Is2DMode);
  EXPECT_EQ(view.ViewW, 611);
  EXPECT_EQ(view.ViewH, 400);
  EXPECT_EQ(view.CenterX, 305);
  EXPECT_EQ(view.CenterY, 200);
  EXPECT_EQ(view.OffsetX, 0);
  EXPECT_EQ(Find<TGLStageViewer>("GLStageViewer1")->Width(), 611);
  EXPECT_EQ(Find<TGLStageViewer>("GLStageViewer1")->Height(), 400);
  EXPECT_FALSE(Find<TSphere>("spDot")->Visible());
  EXPECT_EQ(Screen->HintFont()->Name(), "Kurvexsans");
  EXPECT_EQ(FuncModel().CurList, &FuncModel().List2D);
}

TEST_F(MainWindow, GrowingTheWindowKeepsThePanAndMovesTheOrigin) {
  TViewState& view = ViewState();
  view.OffsetX = 30, view.OffsetY = -20;
  form_->SetBounds(form_->Left(), form_->Top(), 719, 701);
  Drain();
  EXPECT_EQ(view.ViewW, 711);
  EXPECT_EQ(view.ViewH, 500);
  EXPECT_EQ(view.CenterX, 355);
  EXPECT_EQ(view.CenterY, 250);
  EXPECT_EQ(view.OffsetX, 30);
  EXPECT_EQ(view.OffsetY, -20);
  EXPECT_EQ(view.OriginX(), 385);
  EXPECT_EQ(Find<TGLStageViewer>("GLStageViewer1")->Width(), 711);
  // The rows below the view follow the bottom edge, the panel the right one.
  EXPECT_EQ(Find<TControl>("btn2D")->Top(), 701 - 169);
  EXPECT_EQ(Find<TControl>("cbShowGrid")->Top(), 701 - 169 + 136);
  EXPECT_EQ(Find<TControl>("pgEval")->Left(), 719 - 193);
  // A window lower than its controls still leaves a view of one pixel.
  form_->SetBounds(form_->Left(), form_->Top(), 300, 150);
  Drain();
  EXPECT_EQ(view.ViewH, 1);
}

TEST_F(MainWindow, ThreeDModeDisablesNumbersAndRenamesTheOptions) {
  Find<TkvCheckBox>("cbShowGrid")->SetChecked(false);
  Click(*Find<TkvButton>("btn3D"));
  EXPECT_FALSE(ViewState().Is2DMode);
  EXPECT_EQ(FuncModel().CurList, &FuncModel().List3D);
  EXPECT_FALSE(Find<TkvCheckBox>("cbShowNum")->Enabled());
  EXPECT_EQ(Find<TkvCheckBox>("cbBkGround")->Caption(), Tcvn3Text("Đảo pha sáng"));
  EXPECT_EQ(Find<TkvRadioButton>("raKDuong")->Caption(), Tcvn3Text("Kiểu mặt"));
  EXPECT_EQ(Find<TkvRadioButton>("raKDiem")->Caption(), Tcvn3Text("Kiểu đường"));
  EXPECT_EQ(Find<TkvCheckBox>("cbShowLine")->Caption(), Tcvn3Text("Hiện trục tọa độ"));
  // Grids as their box says (unchecked), axes as theirs (checked).
  for (const char* name : {"XYGrid", "XZGrid", "YZGrid"}) EXPECT_FALSE(Find<TGLBaseSceneObject>(name)->Visible());
  for (const char* name : {"TrucX", "TrucY", "TrucZ"}) EXPECT_TRUE(Find<TGLBaseSceneObject>(name)->Visible());

  Click(*Find<TkvButton>("btn2D"));
  EXPECT_TRUE(ViewState().Is2DMode);
  EXPECT_TRUE(Find<TkvCheckBox>("cbShowNum")->Enabled());
  EXPECT_EQ(Find<TkvCheckBox>("cbBkGround")->Caption(), Tcvn3Text("Đổi mầu nền"));
  EXPECT_EQ(Find<TkvRadioButton>("raKDuong")->Caption(), Tcvn3Text("Kiểu đường"));
  EXPECT_EQ(Find<TkvRadioButton>("raKDiem")->Caption(), Tcvn3Text("Kiểu điểm"));
  EXPECT_EQ(Find<TkvCheckBox>("cbShowLine")->Caption(), Tcvn3Text("Hiện vạch chia"));
}

TEST_F(MainWindow, ListItemsShowInTheirRecordsColours) {
  AddThroughDriver("sin(x)", 0xFF0000, "y = sin(x)");
  AddThroughDriver("x*x", 0x00FF00, "y = x*x");
  auto* list = Find<TkvCheckListBox>("FuncListBox");
  ASSERT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->Items()->Get(1), "y = x*x");
  EXPECT_TRUE(list->Checked(0));
  ShowWindow();
  const testsupport::Picture shot = testsupport::CaptureWindow(list->Handle());
  EXPECT_TRUE(Holds(RowInk(shot, 0), Rgb(0xFF0000)));
  EXPECT_FALSE(Holds(RowInk(shot, 0), Rgb(0x00FF00)));
  EXPECT_TRUE(Holds(RowInk(shot, 1), Rgb(0x00FF00)));
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "main_window_functions.png");
}

TEST_F(MainWindow, AnItemBeyondTheListDrawsNothing) {
  AddThroughDriver("sin(x)", 0xFF0000, "y = sin(x)");
  AddThroughDriver("x*x", 0x00FF00, "y = x*x");
  // The list box still shows two items while the model holds one.
  TFuncModel& m = FuncModel();
  ASSERT_TRUE(m.DeleteFunc(m.List2D, 2, m.Count2D));
  auto* list = Find<TkvCheckListBox>("FuncListBox");
  ShowWindow();
  list->Repaint();
  const testsupport::Picture shot = testsupport::CaptureWindow(list->Handle());
  const std::vector<unsigned> row = RowInk(shot, 1);
  ASSERT_FALSE(row.empty());
  for (unsigned p : row) ASSERT_EQ(p, row.front()) << "ink in the row of a missing entry";
}

TEST_F(MainWindow, AddEditCheckAndDeleteThroughTheButtons) {
  FakeDialogs dialogs;
  form_->UseDialogs(&dialogs);
  auto* list = Find<TkvCheckListBox>("FuncListBox");
  TFuncModel& m = FuncModel();

  Click(*Find<TkvButton>("BtnAddFunc"));
  ASSERT_EQ(m.Count2D, 1);
  EXPECT_EQ(m.List2D[1].FuncName, "Ham so 2D 1");
  EXPECT_EQ(m.List2D[1].Color, 0xFF0000u);
  ASSERT_EQ(list->Items()->Count(), 1);
  EXPECT_EQ(list->Items()->Get(0), "Ham so 2D 1");
  EXPECT_TRUE(list->Checked(0));

  // A space function switches the window to 3D and shows the space list.
  dialogs.kind = 7, dialogs.formula = "x*y";
  Click(*Find<TkvButton>("BtnAddFunc"));
  EXPECT_EQ(m.Count3D, 1);
  EXPECT_FALSE(ViewState().Is2DMode);
  ASSERT_EQ(list->Items()->Count(), 1);
  EXPECT_EQ(list->Items()->Get(0), "Ham so 3D 1");
  Click(*Find<TkvButton>("btn2D"));
  EXPECT_EQ(list->Items()->Get(0), "Ham so 2D 1");

  // Edit replaces the selected entry's formula.
  list->SetItemIndex(0);
  dialogs.formula = "sin(x)";
  Click(*Find<TkvButton>("BtnEditFunc"));
  EXPECT_EQ(m.List2D[1].Func[1], "sin(x)");
  EXPECT_EQ(m.Count2D, 1);

  // The item's check box hides the entry.
  list->SetItemIndex(0);
  const LPARAM box = MAKELPARAM(6, 8);
  SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, box);
  SendMessageA(list->Handle(), WM_LBUTTONUP, 0, box);
  Drain();
  EXPECT_FALSE(list->Checked(0));
  EXPECT_FALSE(m.List2D[1].Shown);

  // A chooser cancelled adds nothing.
  dialogs.kind = 1, dialogs.chooserResult = mrCancel;
  Click(*Find<TkvButton>("BtnAddFunc"));
  EXPECT_EQ(m.Count2D, 1);

  // Delete without a question.
  list->SetItemIndex(0);
  Click(*Find<TkvButton>("BtnDelFunc"));
  EXPECT_EQ(m.Count2D, 0);
  EXPECT_EQ(list->Items()->Count(), 0);
  EXPECT_TRUE(dialogs.warnings.empty());
}

TEST_F(MainWindow, AFullListRefusesTheTwentyFirst) {
  FakeDialogs dialogs;
  form_->UseDialogs(&dialogs);
  for (int i = 0; i < 20; ++i) AddThroughDriver("x", 0xFF0000, "f");
  Click(*Find<TkvButton>("BtnAddFunc"));
  EXPECT_EQ(FuncModel().Count2D, 20);
  EXPECT_EQ(Find<TkvCheckListBox>("FuncListBox")->Items()->Count(), 20);
  ASSERT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_EQ(dialogs.warnings[0], "Thong bao: Chuong trinh chi cho phep toi da 20 ham so");
}

TEST_F(MainWindow, TheEmptyWindowOnScreen) {
  ShowWindow();
  const testsupport::Picture shot = testsupport::CaptureWindow(form_->Handle());
  EXPECT_TRUE(testsupport::SavePng(shot, "main_window_empty.png"));
  EXPECT_EQ(shot.width, 619);
  EXPECT_EQ(shot.height, 601);
  // The function commands' buttons on screen as each paints itself.
  for (const char* name : {"BtnAddFunc", "BtnEditFunc", "BtnDelFunc"}) {
    SCOPED_TRACE(name);
    auto* button = Find<TkvButton>(name);
    TBitmap painted;
    button->PaintTo(painted);
    const POINT at = testsupport::InCapture(form_->Handle(), button->ClientToScreen(POINT{0, 0}));
    EXPECT_EQ(testsupport::DifferingPixels(shot, at, painted), 0);
  }
}
