// The evaluation panel in the real main window and the real floating window:
// opening it docked and floating, closing it, the window widths, typing into
// the input edits of both windows, "???" on bad input, and the marker and the
// shaded integral on screen.
#include <windows.h>

#include <string>

#include "EvalPanelFixture.h"
#include "scene/GLWin32Viewer.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVPageControl.h"
#include "skin/frame/KVForm.h"

using namespace kx;

namespace {

class EvalPanelWindows : public mainwindow::EvalPanelWindow {
 protected:
  // The edit of that name on the main window or the floating window.
  TkvEdit* Edit(const char* name, bool floating = false) const {
    TComponent* window = floating ? static_cast<TComponent*>(EvalForm) : form_;
    return As<TkvEdit>(window->FindComponent(name));
  }
  // Replaces the edit's text key by key, as the keyboard does.
  static void TypeInto(TkvEdit& edit, const std::string& text) {
    SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
    SendMessageA(edit.Handle(), WM_CHAR, VK_BACK, 0);
    for (char c : text) SendMessageA(edit.Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    Drain();
  }
  std::string Text(const char* name, bool floating = false) const { return Edit(name, floating)->Text(); }
  void Select(int item) {
    Find<TkvCheckListBox>("FuncListBox")->SetItemIndex(item);
    Drain();
  }
  void RightClickEval() {
    TkvButton& button = *Find<TkvButton>("btnEval");
    const LPARAM at = MAKELPARAM(button.Width() / 2, button.Height() / 2);
    SendMessageA(button.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageA(button.Handle(), WM_RBUTTONUP, 0, at);
    Drain();
  }
  // What the screen shows of the viewer, with the plot pixel (x, y) of the
  // plane at x * ScaleX right of the origin.
  testsupport::Picture ViewerShot() {
    TGLStageViewer& viewer = *Find<TGLStageViewer>("GLStageViewer1");
    viewer.Repaint();
    Drain();
    return testsupport::CaptureWindow(viewer.Handle());
  }
  static unsigned PlotPixel(const testsupport::Picture& shot, double x, double y) {
    const TViewState& view = ViewState();
    return shot.At(static_cast<int>(view.OriginX() + x * view.ScaleX),
                   static_cast<int>(view.OriginY() - y * view.ScaleY));
  }
};

int Red(unsigned c) { return (c >> 16) & 0xFF; }
int Green(unsigned c) { return (c >> 8) & 0xFF; }
int Blue(unsigned c) { return c & 0xFF; }

TEST_F(EvalPanelWindows, DockedTypingGivesValueDerivativeAndIntegral) {
  AddThroughDriver("x*x", 0x00FF00, "y = x*x");
  ShowWindow();
  Select(0);
  const int closedWidth = form_->Width();
  Click(*Find<TkvButton>("btnEval"));
  EXPECT_TRUE(ViewState().EvalPanelOpen);
  EXPECT_FALSE(ViewState().EvalPanelFloating);
  EXPECT_EQ(form_->Width(), std::min(closedWidth + 191, Screen->Width()));
  EXPECT_TRUE(Find<TkvPageControl>("pgEval")->Visible());
  EXPECT_EQ(Find<TLabel>("lbEvalFunc")->Caption(), "y = x*x");
  EXPECT_EQ(Find<TLabel>("lbEvalVar1")->Caption(), "x");
  EXPECT_FALSE(Edit("edEvalVar2")->Visible());
  EXPECT_FALSE(Edit("edEvalF2")->Visible());

  TypeInto(*Edit("edEvalVar1"), "3");
  TypeInto(*Edit("edTFVar1L"), "3");
  EXPECT_EQ(Text("edEvalF1"), "9");
  EXPECT_EQ(Text("edEvalDF1"), "6");
  EXPECT_EQ(Text("edTF1"), "9");
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "eval_panel_docked.png");

  // A hidden edit counts too: every result shows "???", the inputs stay.
  TypeInto(*Edit("edTFVar2F"), "abc");
  for (const char* name : {"edEvalF1", "edEvalDF1", "edTF1", "edEvalF2", "edEvalDF3", "edTF3"})
    EXPECT_EQ(Text(name), "???") << name;
  EXPECT_EQ(Text("edEvalVar1"), "3");
  TypeInto(*Edit("edTFVar2F"), "0");
  EXPECT_EQ(Text("edEvalF1"), "9");

  Click(*Find<TkvButton>("btnEvalOff"));
  EXPECT_FALSE(ViewState().EvalPanelOpen);
  EXPECT_EQ(form_->Width(), closedWidth);
  EXPECT_FALSE(Find<TkvPageControl>("pgEval")->Visible());
  EXPECT_EQ(EvalState().EvalVar1, 0) << "closing puts the point back to 0";
}

TEST_F(EvalPanelWindows, ANarrowScreenTakesTheDockedPanelToItsWidth) {
  ShowWindow();
  TkvForm& frame = *TkvForm::FindOn(form_);
  frame.SetWidth(Screen->Width() - 100);
  Drain();
  Click(*Find<TkvButton>("btnEval"));
  EXPECT_EQ(form_->Width(), Screen->Width());
  // Closing narrows by the panel's width, below where it started.
  Click(*Find<TkvButton>("btnEvalOff"));
  EXPECT_EQ(form_->Width(), Screen->Width() - 191);
}

TEST_F(EvalPanelWindows, MarkerAndShadingOnScreen) {
  AddThroughDriver("x*x", 0x00FF00, "y = x*x");
  ShowWindow();
  Select(0);
  Click(*Find<TkvButton>("btnEval"));
  TypeInto(*Edit("edEvalVar1"), "1");
  TypeInto(*Edit("edTFVar1F"), "-2");
  TypeInto(*Edit("edTFVar1L"), "2");
  testsupport::Picture shot = ViewerShot();
  testsupport::SavePng(shot, "eval_panel_marker.png");
  // The fuchsia diamond at (1, 1), translucent over the curve.
  const unsigned marker = PlotPixel(shot, 1, 1);
  EXPECT_GT(Red(marker), 180) << std::hex << marker;
  EXPECT_GT(Blue(marker), 120) << std::hex << marker;
  EXPECT_LT(Green(marker), Red(marker) - 60) << std::hex << marker;
  // No shading while the values' page shows.
  EXPECT_EQ(PlotPixel(shot, 1.5, 0.5), 0xFFFFFFu);

  TkvPageControl& pages = *Find<TkvPageControl>("pgEval");
  pages.SetActivePage(pages.Pages(1));
  Drain();
  shot = ViewerShot();
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "eval_panel_integral.png");
  // Translucent red between the curve and the x axis, white above it.
  const unsigned shade = PlotPixel(shot, 1.5, 0.5);
  EXPECT_GT(Red(shade), 200) << std::hex << shade;
  EXPECT_LT(Green(shade), 180) << std::hex << shade;
  EXPECT_EQ(PlotPixel(shot, 1.5, 2.7), 0xFFFFFFu);
  EXPECT_EQ(PlotPixel(shot, 2.5, 0.5), 0xFFFFFFu) << "outside the limits";
}

TEST_F(EvalPanelWindows, FloatingWindowTypingAndShading) {
  AddThroughDriver("x*x", 0x00FF00, "y = x*x");
  ShowWindow();
  Select(0);
  const int closedWidth = form_->Width();
  Click(*Find<TkvButton>("btnEval"));
  Click(*Find<TkvButton>("btnEvalForm"));
  EXPECT_TRUE(ViewState().EvalPanelOpen);
  EXPECT_TRUE(ViewState().EvalPanelFloating);
  EXPECT_EQ(form_->Width(), closedWidth);
  EXPECT_FALSE(Find<TkvPageControl>("pgEval")->Visible());
  ASSERT_TRUE(EvalForm->Visible());
  EXPECT_EQ(EvalForm->Caption(), "y = x*x");

  TypeInto(*Edit("edEvalVar1", true), "2");
  TypeInto(*Edit("edTFVar1L", true), "3");
  EXPECT_EQ(Text("edEvalF1", true), "4");
  EXPECT_EQ(Text("edEvalDF1", true), "4");
  EXPECT_EQ(Text("edTF1", true), "9");
  EXPECT_EQ(Text("edEvalF1"), "0") << "the docked panel stays at the point it showed";
  TypeInto(*Edit("edEvalVar1", true), "");
  EXPECT_EQ(Text("edEvalF1", true), "???");
  testsupport::SavePng(testsupport::CaptureWindow(EvalForm->Handle()), "eval_panel_floating_bad.png");
  TypeInto(*Edit("edEvalVar1", true), "2");

  // The floating window's integral page shades the view as the docked one
  // does; the window moves off the view first.
  EvalForm->SetBounds(Screen->Width() - EvalForm->Width(), Screen->Height() - EvalForm->Height(), EvalForm->Width(),
                      EvalForm->Height());
  TkvPageControl& pages = *As<TkvPageControl>(EvalForm->FindComponent("pgEval"));
  pages.SetActivePage(pages.Pages(1));
  Drain();
  testsupport::Picture shot = ViewerShot();
  EXPECT_GT(Red(PlotPixel(shot, 1.5, 0.5)), 200);
  EXPECT_LT(Green(PlotPixel(shot, 1.5, 0.5)), 180);
  testsupport::SavePng(testsupport::CaptureWindow(EvalForm->Handle()), "eval_panel_floating.png");

  EvalForm->Close();
  Drain();
  EXPECT_FALSE(ViewState().EvalPanelOpen);
  EXPECT_TRUE(ViewState().EvalPanelFloating);
  EXPECT_EQ(form_->Width(), closedWidth);

  // A right click on btnEval opens the floating window again.
  RightClickEval();
  EXPECT_TRUE(ViewState().EvalPanelOpen);
  EXPECT_TRUE(EvalForm->Visible());
  EXPECT_EQ(form_->Width(), closedWidth);
  EvalForm->Close();
  Drain();
  // A left click docks it, sized for the docked panel.
  Click(*Find<TkvButton>("btnEval"));
  EXPECT_FALSE(ViewState().EvalPanelFloating);
  EXPECT_EQ(form_->Width(), std::min(closedWidth + 191, Screen->Width()));
  EXPECT_EQ(ViewState().ViewW, form_->ClientWidth() - 8 - 190);
}

TEST_F(EvalPanelWindows, EditAndDeleteReachThePanel) {
  AddThroughDriver("x*x", 0x00FF00, "first");
  AddThroughDriver("x+10", 0xFF0000, "second");
  ShowWindow();
  Select(1);
  Click(*Find<TkvButton>("btnEval"));
  TypeInto(*Edit("edEvalVar1"), "1");
  EXPECT_EQ(Text("edEvalF1"), "11");
  // Deleting the entry in front: index 2 is past the list, no target.
  Select(0);
  form_->BtnDelFuncClick(form_);
  Drain();
  EXPECT_EQ(Find<TLabel>("lbEvalFunc")->Caption(), Tcvn3Text("Chưa chọn hàm số"));
  EXPECT_FALSE(Find<TkvPageControl>("pgEval")->Enabled());
  // Choosing the moved entry and editing it: the panel follows the new formula.
  Select(0);
  Click(*Find<TkvButton>("btnEval"));
  EXPECT_EQ(Text("edEvalF1"), "11");
  TFuncRec& f = FuncModel().CurFunc;
  f = FuncModel().List2D[1].CopyForEdit();
  f.Func[1] = "x+20";
  ASSERT_TRUE(form_->Driver().AddOrEditFunc(1, true));
  form_->FuncEdited();
  EXPECT_EQ(Text("edEvalF1"), "21");
}

}  // namespace
