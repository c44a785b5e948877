// A button linked to an action, as a form resource links it: it shows the
// action's caption and state, follows its changes, runs it on a click
// without an OnClick of its own, and takes its picture from the action
// list's images.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/FormResources.h"
#include "framework/windows/ActnList.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVButton.h"

using namespace kx;

namespace {

class TActionForm : public TForm {
  KX_CLASS(TActionForm, TForm)
 public:
  using TForm::TForm;
  void SaveExecute(TObject* sender) {
    ++saves;
    lastSender = sender;
  }
  void OwnClick(TObject*) { ++ownClicks; }
  int saves = 0;
  int ownClicks = 0;
  TObject* lastSender = nullptr;
};

KX_PUBLISH(TActionForm) {
  p.Handler("SaveExecute", &TActionForm::SaveExecute);
  p.Handler("OwnClick", &TActionForm::OwnClick);
}

const char kActionText[] = R"(object ActionForm: TActionForm
  Left = 120
  Top = 120
  Width = 300
  Height = 160
  object Actions: TActionList
    object SaveAction: TAction
      Caption = '&Luu'
      Hint = 'Luu do thi'
      OnExecute = SaveExecute
    end
  end
  object SaveButton: TkvButton
    Left = 20
    Top = 20
    Width = 80
    Height = 27
    Action = SaveAction
  end
  object OwnButton: TkvImageButton
    Left = 120
    Top = 20
    Width = 80
    Height = 27
    Caption = 'Rieng'
    Action = SaveAction
    OnClick = OwnClick
  end
end
)";

class ButtonAction : public testing::Test {
 protected:
  void SetUp() override {
    RegisterControlClasses();
    RegisterClasses({&TActionForm::StaticClass(), &TkvButton::StaticClass(), &TkvImageButton::StaticClass()});
    form_.reset(TCustomForm::Create<TActionForm>(nullptr));
    form_->HandleNeeded();
    ReadComponentText(*form_, kActionText, "actions");
    action_ = dynamic_cast<TAction*>(form_->FindComponent("SaveAction"));
    save_ = dynamic_cast<TkvButton*>(form_->FindComponent("SaveButton"));
    own_ = dynamic_cast<TkvImageButton*>(form_->FindComponent("OwnButton"));
  }
  void TearDown() override {
    form_.reset();
    Application->ProcessMessages();
  }
  static void ClickOn(TWinControl& c) {
    SendMessageA(c.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(c.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }

  std::unique_ptr<TActionForm> form_;
  TAction* action_ = nullptr;
  TkvButton* save_ = nullptr;
  TkvImageButton* own_ = nullptr;
};

}  // namespace

TEST_F(ButtonAction, TheResourceLinksButtonsToTheAction) {
  ASSERT_NE(action_, nullptr);
  ASSERT_NE(save_, nullptr);
  ASSERT_NE(own_, nullptr);
  auto* list = dynamic_cast<TActionList*>(form_->FindComponent("Actions"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(action_->ActionList(), list);
  ASSERT_EQ(list->ActionCount(), 1);
  EXPECT_EQ(save_->Action(), action_);
  EXPECT_EQ(save_->Caption(), "&Luu");
  EXPECT_EQ(save_->Hint(), "Luu do thi");
  // The action's caption replaces a button's own, which is no framework text.
  EXPECT_EQ(own_->Caption(), "&Luu");
  EXPECT_EQ(action_->Clients().size(), 2u);
}

TEST_F(ButtonAction, ClicksRunTheActionUnlessTheButtonHasItsOwnHandler) {
  form_->Show();
  Application->ProcessMessages();
  ClickOn(*save_);
  EXPECT_EQ(form_->saves, 1);
  EXPECT_EQ(form_->lastSender, action_);
  ClickOn(*own_);
  EXPECT_EQ(form_->ownClicks, 1);
  EXPECT_EQ(form_->saves, 1);
  // The accelerator of the action's caption clicks the button.
  EXPECT_TRUE(save_->DialogChar('l'));
  EXPECT_EQ(form_->saves, 2);
}

TEST_F(ButtonAction, ButtonsFollowTheActionsChanges) {
  action_->SetCaption("Ghi");
  EXPECT_EQ(save_->Caption(), "Ghi");
  EXPECT_EQ(own_->Caption(), "Ghi");
  action_->SetEnabled(false);
  EXPECT_FALSE(save_->Enabled());
  EXPECT_FALSE(own_->Enabled());
  // A disabled action does not run, even when called.
  EXPECT_FALSE(action_->Execute());
  EXPECT_EQ(form_->saves, 0);
  action_->SetEnabled(true);
  action_->SetVisible(false);
  EXPECT_FALSE(save_->Visible());
  action_->SetVisible(true);
  EXPECT_TRUE(save_->Visible());
}

TEST_F(ButtonAction, AnEmptyGlyphTakesTheActionsImage) {
  auto* images = new TImageList(form_.get(), 16, 16);
  TBitmap strip;
  strip.SetSize(32, 16);
  strip.Canvas()->Brush()->SetColor(clRed);
  strip.Canvas()->FillRect(RECT{0, 0, 16, 16});
  strip.Canvas()->Brush()->SetColor(clBlue);
  strip.Canvas()->FillRect(RECT{16, 0, 32, 16});
  images->SetMasked(false);
  images->Add(&strip, nullptr);
  action_->ActionList()->SetImages(images);
  action_->SetImageIndex(5);  // beyond the list: nothing
  EXPECT_TRUE(save_->Glyph()->Empty());
  action_->SetImageIndex(1);
  ASSERT_FALSE(save_->Glyph()->Empty());
  EXPECT_EQ(save_->Glyph()->Width(), 16);
  EXPECT_EQ(save_->Glyph()->Canvas()->Pixel(8, 8) & 0xFFFFFF, TColor(clBlue));
  // A glyph of its own stays.
  action_->SetImageIndex(0);
  EXPECT_EQ(save_->Glyph()->Canvas()->Pixel(8, 8) & 0xFFFFFF, TColor(clBlue));
  // The images going leaves the list without them.
  delete images;
  EXPECT_EQ(action_->ActionList()->Images(), nullptr);
}

TEST_F(ButtonAction, FreeingTheActionUnlinksTheButtons) {
  delete action_;
  EXPECT_EQ(save_->Action(), nullptr);
  EXPECT_EQ(own_->Action(), nullptr);
  form_->Show();
  Application->ProcessMessages();
  ClickOn(*save_);  // nothing to run, nothing breaks
  EXPECT_EQ(form_->saves, 0);
}
