// The searches from the real main window's panel: a root search moves the
// marker to the root, a click on the view stops a long search with its
// message, and every command that could free what a running search uses
// only stops it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "EvalPanelFixture.h"
#include "scene/GLWin32Viewer.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/controls/KVEdit.h"

using namespace kx;

namespace {

// The text of the message box the search shows, which the timer closes.
std::string g_messageText;

void CALLBACK CloseSearchMessage(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowA(nullptr, "Thong bao loi");
  if (!box) return;
  char text[256] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  g_messageText = text;
  KillTimer(nullptr, id);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// The window's own host, but the message pump runs a command once, at its
// second call, and messages are recorded instead of shown.
class CommandDuringSearch : public TSearchHost {
 public:
  CommandDuringSearch(TSearchHost& own, std::function<void()> command) : own_(own), command_(std::move(command)) {}
  bool Evaluate(bool shown) override { return own_.Evaluate(shown); }
  void RepaintView() override { own_.RepaintView(); }
  void ProcessMessages() override {
    if (++pumps_ == 2) command_();
    own_.ProcessMessages();
  }
  void SetHourglass(bool busy) override { own_.SetHourglass(busy); }
  void ShowSearchMessage(const std::string& text) override { Messages.push_back(text); }
  void SearchEnded() override { own_.SearchEnded(); }
  std::vector<std::string> Messages;

 private:
  TSearchHost& own_;
  std::function<void()> command_;
  int pumps_ = 0;
};

class EvalSearchWindows : public mainwindow::EvalPanelWindow {
 protected:  // The panel docked on the first entry, with x typed in.
  void OpenPanelAt(const char* x) {
    Find<TkvCheckListBox>("FuncListBox")->SetItemIndex(0);
    Click(*Find<TkvButton>("btnEval"));
    TkvEdit& edit = *Find<TkvEdit>("edEvalVar1");
    edit.SetText(x);
    Drain();
  }
};

TEST_F(EvalSearchWindows, ARootSearchMovesTheMarkerToTheRoot) {
  AddThroughDriver("x*x-2", 0x00FF00, "y = x*x-2");
  ShowWindow();
  OpenPanelAt("1");
  Click(*Find<TkvButton>("btnEvalZ"));
  EXPECT_TRUE(EvalState().SearchHit);
  EXPECT_FALSE(EvalState().SearchRunning);
  EXPECT_NEAR(static_cast<double>(EvalState().EvalVar1), 1.41421356, 1e-7);
  EXPECT_EQ(Find<TkvEdit>("edEvalVar1")->Text(), "1.4142");
  EXPECT_EQ(Find<TkvEdit>("edEvalF1")->Text(), "0");
  EXPECT_EQ(Find<TkvEdit>("edEvalDF1")->Text(), "2.8284");

  TGLStageViewer& viewer = *Find<TGLStageViewer>("GLStageViewer1");
  viewer.Repaint();
  Drain();
  const testsupport::Picture shot = testsupport::CaptureWindow(viewer.Handle());
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "eval_search_root.png");
  // The found point's diamond is solid red on the x axis.
  const TViewState& view = ViewState();
  const unsigned at = shot.At(view.OriginX() + static_cast<int>(1.41421356 * view.ScaleX) + 2, view.OriginY() + 2);
  EXPECT_EQ(at, 0xFF0000u) << std::hex << at;
}

TEST_F(EvalSearchWindows, AClickOnTheViewStopsALongSearch) {
  AddThroughDriver("x", 0x00FF00, "y = x");
  FuncModel().List2D[1].First1 = -1e6, FuncModel().List2D[1].Last1 = 1e6;
  ShowWindow();
  OpenPanelAt("0");
  // The click waits in the queue until the search lets messages through.
  TGLStageViewer& viewer = *Find<TGLStageViewer>("GLStageViewer1");
  PostMessageA(viewer.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(viewer.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  g_messageText.clear();
  SetTimer(nullptr, 0, 100, CloseSearchMessage);
  form_->btnEvalMinClick(form_);
  EXPECT_EQ(g_messageText, "Bi ket thuc boi nguoi dung");
  EXPECT_FALSE(EvalState().SearchRunning);
  EXPECT_FALSE(EvalState().SearchHit);
  EXPECT_GT(EvalState().EvalVar1, -10) << "stopped near its start";
}

TEST_F(EvalSearchWindows, APlaneParametricChoosesItsComponentFromTheMenu) {
  TFuncRec& f = FuncModel().CurFunc;
  f = TFuncRec();
  f.FuncType = 5, f.Shown = true, f.LineWidth = 1, f.Color = 0x0000FF, f.FuncName = "X, Y";
  f.First1 = -15, f.Last1 = 15, f.Step1 = 0.01;
  f.Func[1] = "t", f.Func[2] = "t*t-2";
  ASSERT_TRUE(form_->Driver().AddOrEditFunc(0, true));
  ShowWindow();
  OpenPanelAt("1");
  // The second item, "Hàm Y".
  const bool sawMenu = testsupport::DriveShownMenu([&] { Click(*Find<TkvButton>("btnEvalZ")); },
                                                   [&](HWND menu, int call) {
                                                     if (call == 0) {
                                                       PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
                                                       PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
                                                       return;
                                                     }
                                                     PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
                                                   });
  ASSERT_TRUE(sawMenu);
  Drain();
  EXPECT_EQ(EvalState().SearchComponent, 2);
  EXPECT_TRUE(EvalState().SearchHit);
  EXPECT_NEAR(static_cast<double>(EvalState().EvalVar1), 1.41421356, 1e-7);
}

TEST_F(EvalSearchWindows, CommandsDuringASearchOnlyStopIt) {
  const struct {
    const char* command;
    std::function<void(TMainForm&)> run;
  } cases[] = {
      {"Delete", [](TMainForm& f) { f.BtnDelFuncClick(&f); }},
      {"Edit", [](TMainForm& f) { f.BtnEditFuncClick(&f); }},
      {"Add", [](TMainForm& f) { f.BtnAddFuncClick(&f); }},
      {"Load", [](TMainForm& f) { f.btnLoadClick(&f); }},
      {"another search", [](TMainForm& f) { f.btnEvalMaxClick(&f); }},
      {"close", [](TMainForm& f) { f.Close(); }},
  };
  AddThroughDriver("(x-1)*(x-1)", 0x00FF00, "y = (x-1)^2");
  ShowWindow();
  OpenPanelAt("3");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    CommandDuringSearch host(form_->OwnSearchHost(), [&] {
      c.run(*form_);
      EXPECT_TRUE(form_->Visible()) << "not closed while the search runs";
    });
    form_->UseSearchHost(&host);
    EvalState().EvalVar1 = 3;
    form_->btnEvalMinClick(form_);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0], "Bi ket thuc boi nguoi dung");
    EXPECT_EQ(FuncModel().Count2D, 1);
    EXPECT_NE(FuncModel().List2D[1].Compilers[1], nullptr);
    EXPECT_FALSE(EvalState().SearchRunning);
    Drain();
  }
  // The close asked for during the search comes once it has ended.
  EXPECT_FALSE(form_->Visible());
}

}  // namespace
