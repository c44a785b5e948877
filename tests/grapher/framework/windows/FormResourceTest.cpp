// A form with one of each control, read from its form resource: the tree,
// the texts, the look, and TCVN3 text through a label, an edit and a hint.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/windows/ComCtrls.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/core/FormResources.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Grids.h"
#include "framework/windows/Menus.h"
#include "framework/windows/StdCtrls.h"
#include "framework/core/Tcvn3.h"
#include "TestSupport.h"
#include "TextPictures.h"
#include "framework/windows/ValEdit.h"

using namespace kx;
using testsupport::ContainsText;
using testsupport::Crop;
using testsupport::DrawnText;

namespace {

class TWidgetsForm : public TForm {
  KX_CLASS(TWidgetsForm, TForm)
 public:
  explicit TWidgetsForm(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }

  void EditChange(TObject*) { ++edits; }
  void MemoChange(TObject*) { ++memos; }
  void PanelResize(TObject*) { ++resizes; }
  void BtnOkClick(TObject*) { clickResult = ModalResult(); }
  void ListDrawItem(TWinControl* c, int index, RECT r, TOwnerDrawState) {
    drawnItems.push_back(index);
    auto* list = static_cast<TCheckListBox*>(c);
    list->Canvas()->FillRect(r);
    list->Canvas()->TextOut(r.left + 2, r.top, list->Items()->Get(index));
  }
  void ListClickCheck(TObject*) { ++checkClicks; }
  void ComboDrawItem(TWinControl* c, int index, RECT r, TOwnerDrawState) {
    auto* combo = static_cast<TComboBox*>(c);
    combo->Canvas()->Brush()->SetColor(index == 1 ? clRed : clWhite);
    combo->Canvas()->FillRect(r);
  }

  int edits = 0;
  int memos = 0;
  int resizes = 0;
  int checkClicks = 0;
  TModalResult clickResult = -1;
  std::vector<int> drawnItems;
};

KX_PUBLISH(TWidgetsForm) {
  p.Handler("EditChange", &TWidgetsForm::EditChange);
  p.Handler("MemoChange", &TWidgetsForm::MemoChange);
  p.Handler("PanelResize", &TWidgetsForm::PanelResize);
  p.Handler("BtnOkClick", &TWidgetsForm::BtnOkClick);
  p.Handler("ListDrawItem", &TWidgetsForm::ListDrawItem);
  p.Handler("ListClickCheck", &TWidgetsForm::ListClickCheck);
  p.Handler("ComboDrawItem", &TWidgetsForm::ComboDrawItem);
}

// A window read from text, counting the changes of its memo.
class TMemoForm : public TForm {
  KX_CLASS(TMemoForm, TForm)
 public:
  using TForm::TForm;
  void MemoChange(TObject*) { ++changes; }
  int changes = 0;
};

KX_PUBLISH(TMemoForm) { p.Handler("MemoChange", &TMemoForm::MemoChange); }

std::string Tcvn3(const std::string& utf8) {
  std::string out;
  EXPECT_TRUE(Utf8ToTcvn3(utf8, out)) << utf8;
  return out;
}

// The client area of a window as the screen shows it.
testsupport::Picture CaptureClient(HWND wnd) {
  testsupport::Picture whole = testsupport::CaptureWindow(wnd);
  RECT frame, client;
  GetWindowRect(wnd, &frame);
  GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  testsupport::Picture out;
  out.width = client.right;
  out.height = client.bottom;
  const int dx = origin.x - frame.left, dy = origin.y - frame.top;
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.pixels.push_back(whole.At(x + dx, y + dy));
  return out;
}

class FormResource : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterControlClasses();
    RegisterClasses({&TWidgetsForm::StaticClass(), &TMemoForm::StaticClass()});
    fontAdded_ = AddFontResourceA(testsupport::ProgramPath("kurvex.fon").c_str()) > 0;
  }
  static void TearDownTestSuite() {
    if (fontAdded_) RemoveFontResourceA(testsupport::ProgramPath("kurvex.fon").c_str());
  }
  void SetUp() override {
    ASSERT_TRUE(fontAdded_);
    form_ = TCustomForm::Create<TWidgetsForm>(nullptr);
  }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  template <class T>
  T* Find(const char* name) {
    return As<T>(form_->FindComponent(name));
  }
  void ShowAndSettle() {
    form_->Show();
    for (int i = 0; i < 5; ++i) {
      Application->ProcessMessages();
      Sleep(20);
    }
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The screen shows a window's new pixels a moment after it painted them.
    GdiFlush();
    Sleep(150);
    Application->ProcessMessages();
  }
  static bool fontAdded_;
  TWidgetsForm* form_ = nullptr;
};

bool FormResource::fontAdded_ = false;

}  // namespace

TEST_F(FormResource, BuildsTheTreeWithTextsAndBindings) {
  EXPECT_EQ(form_->Caption(), Tcvn3("Thử nghiệm các điều khiển"));
  EXPECT_EQ(form_->ClientWidth(), 460);
  EXPECT_EQ(form_->ClientHeight(), 330);
  auto* panel = Find<TPanel>("Panel1");
  auto* bevel = Find<TBevel>("Bevel1");
  EXPECT_EQ(bevel->Parent(), panel);
  EXPECT_EQ(panel->Parent(), form_);
  EXPECT_EQ(panel->Caption(), Tcvn3("Danh sách hàm số"));
  EXPECT_EQ(panel->Color(), clYellow);
  EXPECT_EQ(Find<TLabel>("Label1")->Font()->Name(), "Kurvexsans");  // the form's font
  EXPECT_EQ(Find<TEdit>("Edit1")->Text(), Tcvn3("Đổi màu nền"));
  // No events while loading, though each handler is bound before the value
  // whose setter raises it.
  EXPECT_EQ(form_->edits, 0);
  EXPECT_EQ(form_->memos, 0);
  EXPECT_EQ(form_->resizes, 0);
  auto* memo = Find<TMemo>("Memo1");
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Get(1), "cos(x)");
  auto* checks = Find<TCheckListBox>("CheckList1");
  EXPECT_EQ(checks->Count(), 2);
  EXPECT_EQ(checks->ItemHeight(), 16);
  EXPECT_EQ(Find<TComboBox>("Combo1")->Style(), csOwnerDrawFixed);
  EXPECT_EQ(Find<TUpDown>("UpDown1")->Associate(), Find<TEdit>("Edit2"));
  EXPECT_EQ(Find<TEdit>("Edit2")->Text(), "2");
  EXPECT_EQ(Find<TButton>("Button1")->ModalResult(), mrOk);
  EXPECT_TRUE(Is<TBitmap>(Find<TImage>("Image1")->Picture()->Graphic()));
  EXPECT_EQ(Find<TImage>("Image1")->Picture()->Width(), 16);
  auto* values = Find<TValueListEditor>("Values1");
  EXPECT_EQ(values->RowCount(), 3);
  EXPECT_EQ(values->Keys(2), "3");
  EXPECT_EQ(values->Values("3"), "5");
  auto* popup = Find<TPopupMenu>("Popup1");
  ASSERT_EQ(popup->Items()->Count(), 2);
  EXPECT_EQ(popup->Items()->Items(0)->Caption(), Tcvn3("Hàm X"));
  EXPECT_FALSE(Find<TTimer>("Timer1")->Enabled());

  // Bound handlers run after loading.
  Find<TEdit>("Edit1")->SetText("x");
  EXPECT_EQ(form_->edits, 1);
  memo->Lines()->Add("tan(x)");
  EXPECT_EQ(form_->memos, 1);
  panel->SetWidth(210);
  EXPECT_EQ(form_->resizes, 1);
  Find<TButton>("Button1")->Click();
  EXPECT_EQ(form_->clickResult, mrOk);
}

TEST_F(FormResource, AMemoAsTheWriterStoresItLoadsWithoutEvents) {
  std::unique_ptr<TMemoForm> first(TCustomForm::Create<TMemoForm>(nullptr));
  auto* written = new TMemo(first.get());  // without a parent the writer stores it at the top
  written->SetName("Memo1");
  written->Lines()->SetText("sin(x)\r\ncos(x)");
  SetPropValue(*written, "OnChange",
               TMethodValue{"MemoChange", first->ClassType().FindHandler("MemoChange")->Bind(*first)});
  // The writer stores the edit's event before the memo's lines.
  const std::string text = WriteComponentText(*first);
  ASSERT_LT(text.find("OnChange = MemoChange"), text.find("Lines.Strings")) << text;

  std::unique_ptr<TMemoForm> second(TCustomForm::Create<TMemoForm>(nullptr));
  ReadComponentText(*second, text, "written memo form");
  auto* memo = As<TMemo>(second->FindComponent("Memo1"));
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(second->changes, 0);
  memo->SetText("x");
  EXPECT_EQ(second->changes, 1);
}

TEST_F(FormResource, ShowsTheFormAndItsTcvn3Texts) {
  // The edit, first in tab order, would take the focus and show its text selected.
  form_->SetActiveControl(Find<TButton>("Button1"));
  ShowAndSettle();
  const testsupport::Picture shot = CaptureClient(form_->Handle());
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "widgets_form.png");

  // The panel's colour, the picture's blue, the owner-drawn items and combo.
  EXPECT_EQ(shot.At(150, 40), 0xFFFF00u);
  EXPECT_EQ(shot.At(108, 186), 0x0000FFu);
  EXPECT_GE(form_->drawnItems.size(), 2u);

  // TCVN3 captions show as Vietnamese: the label and the edit carry the
  // exact glyphs the screen font draws for those bytes.
  TFont font;
  font.SetName("Kurvexsans");
  font.SetHeight(14);
  font.SetCharset(ANSI_CHARSET);
  auto* label = Find<TLabel>("Label1");
  EXPECT_TRUE(ContainsText(Crop(shot, label->BoundsRect()), DrawnText(font, label->Caption()), 0));
  auto* edit = Find<TEdit>("Edit1");
  EXPECT_TRUE(ContainsText(Crop(shot, edit->BoundsRect()), DrawnText(font, edit->Text()), 0));
  auto* panel = Find<TPanel>("Panel1");
  EXPECT_TRUE(ContainsText(Crop(shot, panel->BoundsRect()), DrawnText(font, panel->Caption()), 0));
}

TEST_F(FormResource, HintShowsTcvn3TextInTheScreenFont) {
  Screen->HintFont()->SetName("Kurvexsans");
  Screen->HintFont()->SetHeight(14);
  Screen->HintFont()->SetCharset(ANSI_CHARSET);
  Screen->HintFont()->SetColor(clBlack);
  Application->SetHintPause(50);
  Application->SetHintHidePause(0x7FFFFFFF);
  ShowAndSettle();
  auto* label = Find<TLabel>("Label1");
  const POINT inside = form_->ClientToScreen(POINT{label->Left() + 5, label->Top() + 5});
  SetCursorPos(inside.x, inside.y);
  const POINT client = form_->ScreenToClient(inside);
  SendMessageA(form_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
  const std::string hint = Tcvn3("Hiện lưới tọa độ");  // the part before "|"
  HWND hintWnd = nullptr;
  testsupport::PumpUntil(
      [&] {
        hintWnd = FindWindowA(nullptr, hint.c_str());
        return hintWnd && IsWindowVisible(hintWnd);
      },
      3000);
  ASSERT_TRUE(hintWnd);
  ASSERT_NE(Application->HintWindow(), nullptr);
  UpdateWindow(hintWnd);
  const testsupport::Picture shot = testsupport::CaptureWindow(hintWnd);
  testsupport::SavePng(shot, "widgets_hint.png");
  TFont font;
  font.Assign(Screen->HintFont());
  EXPECT_TRUE(ContainsText(shot, DrawnText(font, hint), 0));
  // Leaving the control takes the hint away.
  SendMessageA(form_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(440, 320));
  EXPECT_EQ(Application->HintWindow(), nullptr);
}

TEST_F(FormResource, GridsAndValueListTakeInput) {
  ShowAndSettle();
  auto* values = Find<TValueListEditor>("Values1");
  values->SetFocus();
  values->SetRow(2);
  // Down on the last row adds an empty row; typing edits the value cell.
  SendMessageA(values->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(values->RowCount(), 4);
  EXPECT_EQ(values->Row(), 3);
  values->SetCol(1);
  SendMessageA(values->Handle(), WM_CHAR, '7', 0);
  ASSERT_TRUE(values->EditorMode());
  HWND editor = GetFocus();
  SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_FALSE(values->EditorMode());
  EXPECT_EQ(values->Cells(1, 3), "7");
  EXPECT_EQ(values->Strings()->Count(), 3);
  EXPECT_EQ(values->Strings()->Get(2), "=7");
  values->DeleteRow(1);
  EXPECT_EQ(values->Strings()->Get(0), "3=5");

  auto* grid = Find<TStringGrid>("Grid1");
  grid->SetColCount(4);
  grid->SetCells(3, 1, "2.5");
  EXPECT_EQ(grid->Cells(3, 1), "2.5");
  EXPECT_EQ(grid->Cells(3, 0), "");
  EXPECT_THROW(grid->SetCells(4, 0, "x"), EInvalidOperation);

  auto* up = Find<TUpDown>("UpDown1");
  up->SetPosition(9);  // clamped
  EXPECT_EQ(up->Position(), 5);
  EXPECT_EQ(Find<TEdit>("Edit2")->Text(), "5");
}
