// Two skinned frames read from form resources, as the program's windows
// are: a Protein main frame and a DeepBlue dialog, with their screenshots.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/core/FormResources.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "skin/frame/KVForm.h"
#include "FormTesting.h"
#include "TestSupport.h"

using namespace kx;
using namespace formtesting;

namespace {

class TSkinMainForm : public TForm {
  KX_CLASS(TSkinMainForm, TForm)
 public:
  explicit TSkinMainForm(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }
  void FrameClick(TObject*) { ++clicks; }
  int clicks = 0;
};

class TSkinDialog : public TForm {
  KX_CLASS(TSkinDialog, TForm)
 public:
  explicit TSkinDialog(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }
};

class SkinForms : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterControlClasses(); }
  void SetUp() override { SetCursorPos(0, 0); }
};

std::vector<TkvTitleBarBtnType> ButtonTypes(TkvForm& frame) {
  std::vector<TkvTitleBarBtnType> types;
  for (int i = 0; i < frame.TitleBarButtons()->Count(); ++i)
    types.push_back(frame.TitleBarButtons()->Items(i)->ButtonType());
  return types;
}

}  // namespace

KX_PUBLISH(TSkinMainForm) { p.Handler("FrameClick", &TSkinMainForm::FrameClick); }
KX_PUBLISH(TSkinDialog) {}

TEST_F(SkinForms, TheProteinMainFrame) {
  std::unique_ptr<TSkinMainForm> form(TCustomForm::Create<TSkinMainForm>(nullptr));
  TkvForm* frame = TkvForm::FindOn(form.get());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Name(), "kvForm1");
  EXPECT_EQ(frame->UIStyle(), TkvUIStyle::Protein);
  EXPECT_EQ(frame->BorderWidth(), 1);
  EXPECT_EQ(frame->BorderColor(), 0x804020);
  EXPECT_EQ(frame->OriginalBorderStyle(), bsSizeable);
  EXPECT_EQ(form->BorderStyle(), bsNone);
  // The resource's client size wins over the host's own.
  EXPECT_EQ(form->Width(), 522);
  EXPECT_EQ(form->Height(), 331);
  EXPECT_EQ(frame->Width(), 520);
  EXPECT_EQ(frame->Height(), 330);
  EXPECT_EQ(ButtonTypes(*frame), (std::vector<TkvTitleBarBtnType>{kvControlBox, kvClose, kvMax, kvMin}));
  EXPECT_TRUE(frame->TitleBarDrawAppIcon());
  EXPECT_EQ(frame->TitleBarFont()->Name(), "Tahoma");
  EXPECT_EQ(frame->MenuBarHeight(), 22);
  EXPECT_EQ(frame->RoundCorner(), 0);
  EXPECT_EQ(frame->TitleBar()->Height(), 23);
  EXPECT_EQ(frame->TitleBar()->Width(), 520);
  EXPECT_EQ(frame->Caption(), "Kurvex - main frame");
  EXPECT_EQ(form->Caption(), "Kurvex - main frame");
  EXPECT_TRUE(frame->HookInstalled());

  form->Show();
  Application->ProcessMessages();
  frame->Repaint();
  const testsupport::Picture shot = testsupport::CaptureWindow(form->Handle());
  testsupport::SavePng(shot, "skin_form_protein.png");
  ASSERT_EQ(shot.width, 522);
  // The pattern behind the controls, from the frame's origin at (1, 0).
  TBitmap tile;
  tile.LoadFromResourceName(GetModuleHandleA(nullptr), "PROTEIN_FORM_BACKGROUND");
  for (int y = 200; y < 240; ++y)
    for (int x = 300; x < 340; ++x)
      ASSERT_EQ(shot.At(1 + x, y), OnScreen(PixelOf(tile, x % 8, y % 8))) << x << ", " << y;
  // The border on the left, right and bottom.
  for (POINT p : {POINT{0, 100}, POINT{521, 100}, POINT{260, 330}}) EXPECT_EQ(shot.At(p.x, p.y), 0x204080u);

  // A click on the frame's free area raises its OnClick.
  SendMessageA(frame->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
  SendMessageA(frame->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
  EXPECT_EQ(form->clicks, 1);
}

TEST_F(SkinForms, TheDeepBlueDialog) {
  std::unique_ptr<TSkinDialog> form(TCustomForm::Create<TSkinDialog>(nullptr));
  TkvForm* frame = TkvForm::FindOn(form.get());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->UIStyle(), TkvUIStyle::DeepBlue);
  EXPECT_EQ(frame->OriginalBorderStyle(), bsDialog);
  EXPECT_EQ(form->Width(), 379);
  EXPECT_EQ(form->Height(), 161);
  EXPECT_EQ(ButtonTypes(*frame), (std::vector<TkvTitleBarBtnType>{kvControlBox, kvClose}));
  EXPECT_FALSE(frame->TitleBarDrawAppIcon());
  EXPECT_EQ(frame->TitleBar()->Height(), 32);
  EXPECT_EQ(frame->TitleBar()->Width(), 377);
  EXPECT_EQ(frame->Caption(), "Nhap ham so");

  form->Show();
  Application->ProcessMessages();
  frame->Repaint();
  const testsupport::Picture shot = testsupport::CaptureWindow(form->Handle());
  testsupport::SavePng(shot, "skin_form_deepblue.png");
  ASSERT_EQ(shot.width, 379);
  // The close button at x = 358 of the 377-pixel bar, one pixel in from the host's edge.
  const TkvTitleBarLayout layout = frame->TitleBar()->Layout(377);
  ASSERT_EQ(layout.Buttons.size(), 1u);
  EXPECT_EQ(layout.Buttons[0].Rect.left, 358);
  EXPECT_EQ(layout.CaptionLeft, 24);
  // The style's colour fills the free area; the border frames it.
  const unsigned fill = OnScreen(ThemeColor(TkvUIStyle::DeepBlue, 3));
  for (int y = 100; y < 140; ++y)
    for (int x = 20; x < 200; ++x) ASSERT_EQ(shot.At(1 + x, y), fill) << x << ", " << y;
  for (POINT p : {POINT{0, 100}, POINT{378, 100}, POINT{200, 160}}) EXPECT_EQ(shot.At(p.x, p.y), 0x103070u);
  // A dialog answers no sizing band.
  EXPECT_EQ(HitTest(*form, POINT{0, 100}), HTCLIENT);
}
