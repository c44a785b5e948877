// What the small windows' tests share: the screen font and control classes,
// a table check of the components a form resource made, and screenshots.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/Tcvn3Text.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/frame/KVForm.h"
#include "TestSupport.h"
#include "TextPictures.h"

namespace smallwindows {

using testsupport::ContainsText;
using testsupport::Crop;
using testsupport::DrawnText;
using testsupport::OnScreen;

// One component as the form resource must make it; text in UTF-8 (nullptr:
// not checked), a size of -1 is not checked (labels size to their text).
struct TPartSpec {
  const char* Name;
  const char* Class;
  const char* Parent;
  int Left, Top, Width, Height;
  const char* Text;
};

inline std::string TextOf(kx::TComponent* c) {
  if (auto* f = dynamic_cast<kx::TkvForm*>(c)) return f->Caption();
  if (auto* b = dynamic_cast<kx::TkvCustomButton*>(c)) return b->Caption();
  if (auto* g = dynamic_cast<kx::TkvCustomGroupBox*>(c)) return g->Caption();
  if (auto* e = dynamic_cast<kx::TCustomEdit*>(c)) return e->Text();
  if (auto* l = dynamic_cast<kx::TLabel*>(c)) return l->Caption();
  return {};
}

inline void ExpectParts(kx::TForm& form, const std::vector<TPartSpec>& parts) {
  for (const TPartSpec& spec : parts) {
    SCOPED_TRACE(spec.Name);
    auto* control = dynamic_cast<kx::TControl*>(form.FindComponent(spec.Name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->ClassName(), spec.Class);
    ASSERT_NE(control->Parent(), nullptr);
    EXPECT_EQ(control->Parent()->Name(), spec.Parent);
    EXPECT_EQ(control->Left(), spec.Left);
    EXPECT_EQ(control->Top(), spec.Top);
    if (spec.Width >= 0) {
      EXPECT_EQ(control->Width(), spec.Width);
    }
    if (spec.Height >= 0) {
      EXPECT_EQ(control->Height(), spec.Height);
    }
    if (spec.Text) {
      EXPECT_EQ(TextOf(control), kx::Tcvn3Text(spec.Text));
      // TCVN3 texts need the screen font; the frame's title is plain ASCII in Tahoma.
      if (!dynamic_cast<kx::TkvForm*>(control)) {
        EXPECT_EQ(control->Font()->Name(), "Kurvexsans");
      }
    }
  }
}

// The title-bar buttons of a skinned frame, in order.
inline std::vector<kx::TkvTitleBarBtnType> ButtonTypes(kx::TkvForm& frame) {
  std::vector<kx::TkvTitleBarBtnType> types;
  for (int i = 0; i < frame.TitleBarButtons()->Count(); ++i)
    types.push_back(frame.TitleBarButtons()->Items(i)->ButtonType());
  return types;
}

// What every window of the grapher's frame has in common.
inline void ExpectGrapherFrame(kx::TForm& form, kx::TkvUIStyle style, const char* caption, int width, int height) {
  kx::TkvForm* frame = kx::TkvForm::FindOn(&form);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Name(), "kvForm1");
  EXPECT_EQ(frame->UIStyle(), style);
  EXPECT_FALSE(frame->UIStyleAutoUpdateSub());
  EXPECT_EQ(frame->BorderWidth(), 1);
  EXPECT_EQ(frame->RoundCorner(), 0);
  EXPECT_EQ(frame->MenuBarHeight(), 22);
  EXPECT_EQ(frame->TitleBarFont()->Name(), "Tahoma");
  EXPECT_TRUE(frame->TitleBarFont()->Style().Contains(kx::fsBold));
  EXPECT_EQ(frame->TitleBarFont()->Color(), kx::clWhite);
  EXPECT_EQ(frame->Caption(), caption);
  EXPECT_EQ(form.Caption(), caption);
  EXPECT_EQ(frame->Width(), width);
  EXPECT_EQ(frame->Height(), height);
  EXPECT_EQ(form.Position(), kx::poScreenCenter);
}

// The screen font for the windows' TCVN3 texts, and the framework's classes
// that form resources name.
class WindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    kx::RegisterControlClasses();
    fontAdded_ = AddFontResourceA(testsupport::ProgramPath("kurvex.fon").c_str()) > 0;
  }
  static void TearDownTestSuite() {
    if (fontAdded_) RemoveFontResourceA(testsupport::ProgramPath("kurvex.fon").c_str());
  }
  void SetUp() override {
    ASSERT_TRUE(fontAdded_);
    SetCursorPos(0, 0);
  }
  void TearDown() override { kx::Application->ProcessMessages(); }

  // What the screen shows of a window now showing, saved to be looked at.
  static testsupport::Picture Shoot(kx::TForm& form, const std::string& file) {
    kx::Application->ProcessMessages();
    form.Repaint();
    kx::Application->ProcessMessages();
    GdiFlush();
    testsupport::Picture shot = testsupport::CaptureWindow(form.Handle());
    EXPECT_TRUE(testsupport::SavePng(shot, file));
    return shot;
  }

  static inline bool fontAdded_ = false;
};

}  // namespace smallwindows
