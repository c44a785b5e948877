#include <gtest/gtest.h>

#include <set>

#include "EvalTNWindowsTest.h"
#include "app/model/Tcvn3Text.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/controls/KVPageControl.h"
#include "TextPictures.h"

using namespace kx;

namespace evaltn {

namespace {

// The text a component shows: a caption, or an edit's text.
std::string TextOf(TComponent& c) {
  if (auto* b = dynamic_cast<TkvCustomButton*>(&c)) return b->Caption();
  if (auto* g = dynamic_cast<TkvCustomGroupBox*>(&c)) return g->Caption();
  if (auto* s = dynamic_cast<TkvTabSheet*>(&c)) return s->SheetCaption();
  if (auto* e = dynamic_cast<TCustomEdit*>(&c)) return e->Text();
  if (auto* l = dynamic_cast<TLabel*>(&c)) return l->Caption();
  ADD_FAILURE() << c.Name() << " has no text";
  return {};
}

// Text drawn in the screen font, black on white, as a picture of its extent.
testsupport::Picture RenderText(const std::string& text) {
  TFont font;
  font.SetName("Kurvexsans");
  font.SetHeight(14);
  font.SetCharset(ANSI_CHARSET);
  return testsupport::DrawnText(font, text);
}

}  // namespace

void ExpectComponents(TForm& form, const std::vector<TComponentRow>& rows, const std::vector<std::string>& others) {
  std::set<std::string> named(others.begin(), others.end());
  for (const TComponentRow& row : rows) {
    SCOPED_TRACE(row.Name);
    named.insert(row.Name);
    auto* c = As<TControl>(form.FindComponent(row.Name));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ClassName(), row.ClassName);
    ASSERT_NE(c->Parent(), nullptr);
    EXPECT_EQ(c->Parent()->Name(), row.Parent);
    EXPECT_EQ(c->Left(), row.Left);
    EXPECT_EQ(c->Top(), row.Top);
    if (row.Width >= 0) {
      EXPECT_EQ(c->Width(), row.Width);
    }
    if (row.Height >= 0) {
      EXPECT_EQ(c->Height(), row.Height);
    }
    if (row.TabOrder >= 0) {
      EXPECT_EQ(As<TWinControl>(c)->TabOrder(), row.TabOrder);
    }
    if (row.Text) {
      EXPECT_EQ(TextOf(*c), Tcvn3Text(row.Text));
    }
    if (*row.Hint) {
      EXPECT_EQ(c->Hint(), Tcvn3Text(row.Hint));
    }
  }
  for (int i = 0; i < form.ComponentCount(); ++i)
    EXPECT_TRUE(named.count(form.Components(i)->Name())) << "not in the table: " << form.Components(i)->Name();
}

void ExpectFrame(TForm& form, TkvUIStyle style, const char* caption, int width, int height) {
  TkvForm* frame = TkvForm::FindOn(&form);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->UIStyle(), style);
  EXPECT_FALSE(frame->UIStyleAutoUpdateSub());
  EXPECT_EQ(frame->BorderWidth(), 1);
  EXPECT_EQ(frame->RoundCorner(), 0);
  EXPECT_EQ(frame->MenuBarHeight(), 22);
  EXPECT_EQ(frame->TitleBarFont()->Name(), "Tahoma");
  EXPECT_EQ(frame->TitleBarFont()->Color(), clWhite);
  EXPECT_EQ(frame->TitleBarFont()->Style(), TFontStyles{fsBold});
  ASSERT_EQ(frame->TitleBarButtons()->Count(), 2);
  EXPECT_EQ(frame->TitleBarButtons()->Items(0)->ButtonType(), kvControlBox);
  EXPECT_EQ(frame->TitleBarButtons()->Items(1)->ButtonType(), kvClose);
  EXPECT_EQ(frame->Caption(), caption);
  EXPECT_EQ(form.Caption(), caption);
  EXPECT_EQ(frame->OriginalBorderStyle(), bsSingle);
  EXPECT_EQ(form.Position(), poScreenCenter);
  EXPECT_EQ(form.Font()->Name(), "Kurvexsans");
  EXPECT_EQ(frame->Width(), width);
  EXPECT_EQ(frame->Height(), height);
}

void AddScreenFont() {
  static const bool added = AddFontResourceA(testsupport::ProgramPath("kurvex.fon").c_str()) > 0;
  ASSERT_TRUE(added);
}

void ShowAndSettle(TForm& form) {
  form.Show();
  for (int i = 0; i < 5; ++i) {
    Application->ProcessMessages();
    Sleep(20);
  }
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  // The screen shows a window's new pixels a moment after it painted them.
  GdiFlush();
  Sleep(150);
  Application->ProcessMessages();
}

testsupport::Picture Screenshot(TForm& form, const std::string& png) {
  ShowAndSettle(form);
  testsupport::Picture shot = testsupport::CaptureWindow(form.Handle());
  EXPECT_TRUE(testsupport::SavePng(shot, png));
  return shot;
}

POINT OriginInWindow(TForm& form, TControl& control) {
  RECT window;
  GetWindowRect(form.Handle(), &window);
  POINT p = control.Parent()->ClientToScreen(POINT{control.Left(), control.Top()});
  return POINT{p.x - window.left, p.y - window.top};
}

bool ShowsText(const testsupport::Picture& shot, TForm& form, TControl& control, const std::string& text) {
  const testsupport::Picture ink = RenderText(text);
  const POINT o = OriginInWindow(form, control);
  // The control's rectangle, with a margin for its own placing of the text.
  const int left = std::max(0, int(o.x) - 2), top = std::max(0, int(o.y) - 2);
  const int right = std::min(shot.width, int(o.x) + control.Width() + 2);
  const int bottom = std::min(shot.height, int(o.y) + control.Height() + 2);
  for (int oy = top; oy + ink.height <= bottom; ++oy)
    for (int ox = left; ox + ink.width <= right; ++ox) {
      bool match = true;
      for (int y = 0; y < ink.height && match; ++y)
        for (int x = 0; x < ink.width && match; ++x) match = (ink.At(x, y) == 0) == (shot.At(ox + x, oy + y) == 0);
      if (match) return true;
    }
  return false;
}

void Click(TWinControl& control) {
  const LPARAM at = MAKELPARAM(5, control.Height() / 2);
  SendMessageA(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(control.Handle(), WM_LBUTTONUP, 0, at);
}

}  // namespace evaltn
