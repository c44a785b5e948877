// Two skinned frames read from form resources, as the program's windows
// are: a Protein main frame and a DeepBlue dialog, with their screenshots.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/FormResources.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "skin/frame/KVForm.h"
#include "skin/look/KVPublic.h"
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

class TSkinPanelForm : public TForm {
  KX_CLASS(TSkinPanelForm, TForm)
 public:
  explicit TSkinPanelForm(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }
  void CustomClick(TObject*, int index) { custom.push_back(index); }
  void HelpClick(TObject*, int index) { help.push_back(index); }
  std::vector<int> custom, help;
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
KX_PUBLISH(TSkinPanelForm) {
  p.Handler("CustomClick", &TSkinPanelForm::CustomClick);
  p.Handler("HelpClick", &TSkinPanelForm::HelpClick);
}

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

// The frame's panel, its own title-bar sections and the events of its
// custom and help buttons, all named by the form resource.
TEST_F(SkinForms, PanelSectionsAndTitleBarEventsFromTheResource) {
  std::unique_ptr<TSkinPanelForm> form(TCustomForm::Create<TSkinPanelForm>(nullptr));
  TkvForm* frame = TkvForm::FindOn(form.get());
  ASSERT_NE(frame, nullptr);
  auto* body = dynamic_cast<TPanel*>(form->FindComponent("Body"));
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(frame->FormPanel(), body);
  EXPECT_EQ(body->Align(), alClient);
  EXPECT_EQ(body->BevelInner(), bvNone);
  EXPECT_EQ(body->BevelOuter(), bvNone);
  EXPECT_EQ(body->BorderWidth(), 0);
  EXPECT_EQ(body->Caption(), "");

  TkvTitleBarSections& sections = *frame->TitleBarSections();
  ASSERT_EQ(sections.Count(), 3);
  EXPECT_EQ(sections.Items(0)->Width(), 40);
  EXPECT_EQ(sections.Items(1)->Align(), TkvTitleBarAlign::kvRight);
  EXPECT_EQ(sections.Items(2)->Align(), TkvTitleBarAlign::kvClient);
  EXPECT_TRUE(sections.Items(2)->Stretch());

  // The custom button gets a face, so it has a place on the bar.
  TBitmap face;
  face.SetSize(19, 19);
  TPicture picture;
  picture.Bitmap()->Assign(&face);
  frame->TitleBarButtons()->Items(2)->SetPicNormal(&picture);
  form->Show();
  Application->ProcessMessages();
  TkvTitleBar& bar = *frame->TitleBar();
  EXPECT_EQ(bar.Top(), 0);
  EXPECT_EQ(body->Top(), bar.Height());
  EXPECT_EQ(body->Width(), frame->Width());
  const TkvTitleBarLayout layout = bar.Layout(bar.Width());
  ASSERT_EQ(layout.Buttons.size(), 3u);
  for (const auto& place : layout.Buttons) {
    const POINT p{(place.Rect.left + place.Rect.right) / 2, (place.Rect.top + place.Rect.bottom) / 2};
    if (place.Index == 0) continue;  // the close button would close the form
    const POINT s = bar.ClientToScreen(p);
    SetCursorPos(s.x, s.y);
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  EXPECT_EQ(form->help, std::vector<int>{1});
  EXPECT_EQ(form->custom, std::vector<int>{2});

  // The events read back through the frame, with their handlers' names.
  EXPECT_EQ(frame->OnTitleBarCustomBtnsClick().HandlerName(), "CustomClick");
  EXPECT_EQ(frame->OnTitleBarHelpBtnClick().HandlerName(), "HelpClick");
}

// The frame cannot be its own panel; a panel freed before the frame is let go.
TEST_F(SkinForms, FormPanelRefusesTheFrameAndForgetsAFreedPanel) {
  std::unique_ptr<TSkinDialog> form(TCustomForm::Create<TSkinDialog>(nullptr));
  TkvForm* frame = TkvForm::FindOn(form.get());
  ASSERT_NE(frame, nullptr);
  std::vector<std::string> errors;
  TSkinErrorSink old = SetSkinErrorSink([&](const std::string& text) { errors.push_back(text); });
  auto* panel = new TPanel(form.get());
  panel->SetParent(frame);
  frame->SetFormPanel(panel);
  frame->SetFormPanel(frame);
  SetSkinErrorSink(old);
  EXPECT_EQ(errors, std::vector<std::string>{"Sorry, you can't select the Form assign to FormPanel property"});
  EXPECT_EQ(frame->FormPanel(), panel);
  delete panel;
  EXPECT_EQ(frame->FormPanel(), nullptr);
}
