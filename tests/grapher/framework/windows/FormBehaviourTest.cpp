// Forms and the application: focus and tab order, window state, topmost,
// centring and size limits, the message hook, dialogs, resources, the screen.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "framework/windows/Dialogs.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "framework/windows/StdCtrls.h"
#include "OwnDialog.h"
#include "TestSupport.h"

using namespace kx;

namespace {

using Log = std::vector<std::string>;

class Behaviour : public ::testing::Test {
 protected:
  void SetUp() override { form_ = TCustomForm::Create<TForm>(nullptr); }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  void Settle() {
    for (int i = 0; i < 5; ++i) {
      Application->ProcessMessages();
      Sleep(20);
    }
  }
  TForm* form_ = nullptr;
};

// Presses a key through the application's message loop, as the user would.
void PressKey(HWND focus, WORD key) {
  PostMessageA(focus, WM_KEYDOWN, key, 0);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000000);
  Application->ProcessMessages();
}

}  // namespace

TEST_F(Behaviour, TabMovesFocusInTabOrderWithEnterAndExit) {
  Log log;
  std::vector<TEdit*> edits;
  for (int i = 0; i < 3; ++i) {
    auto* e = new TEdit(form_);
    e->SetParent(form_);
    e->SetBounds(10, 10 + 30 * i, 100, 22);
    e->SetName("E" + std::to_string(i));
    e->OnEnter = TNotifyEvent([&log, e](TObject*) { log.push_back("enter " + e->Name()); });
    e->OnExit = TNotifyEvent([&log, e](TObject*) { log.push_back("exit " + e->Name()); });
    edits.push_back(e);
  }
  edits[2]->SetTabOrder(0);  // order now E2, E0, E1
  form_->Show();
  Settle();
  // A form shown without an active control gives the keys to the first in tab order.
  EXPECT_TRUE(edits[2]->Focused());
  EXPECT_EQ(form_->ActiveControl(), edits[2]);
  EXPECT_EQ(log, (Log{"enter E2"}));
  log.clear();
  PressKey(GetFocus(), VK_TAB);
  EXPECT_TRUE(edits[0]->Focused());
  PressKey(GetFocus(), VK_TAB);
  EXPECT_TRUE(edits[1]->Focused());
  PressKey(GetFocus(), VK_TAB);  // wraps round
  EXPECT_TRUE(edits[2]->Focused());
  EXPECT_EQ(log, (Log{"exit E2", "enter E0", "exit E0", "enter E1", "exit E1", "enter E2"}));
  EXPECT_EQ(form_->ActiveControl(), edits[2]);

  // A disabled control is passed over.
  edits[0]->SetEnabled(false);
  PressKey(GetFocus(), VK_TAB);
  EXPECT_TRUE(edits[1]->Focused());
}

TEST_F(Behaviour, KeyEventsCanSwallowKeys) {
  auto* edit = new TEdit(form_);
  edit->SetParent(form_);
  Log log;
  edit->OnKeyDown = TKeyEvent([&](TObject*, WORD& key, TShiftState) { log.push_back("down " + std::to_string(key)); });
  edit->OnKeyPress = TKeyPressEvent([&](TObject*, char& ch) {
    log.push_back(std::string("press ") + ch);
    if (ch == 'x') ch = 0;  // refused
  });
  edit->OnKeyUp = TKeyEvent([&](TObject*, WORD& key, TShiftState) { log.push_back("up " + std::to_string(key)); });
  form_->Show();
  Settle();
  SendMessageA(edit->Handle(), WM_KEYDOWN, 'A', 0);
  SendMessageA(edit->Handle(), WM_CHAR, 'a', 0);
  SendMessageA(edit->Handle(), WM_KEYUP, 'A', 0xC0000000);
  SendMessageA(edit->Handle(), WM_CHAR, 'x', 0);
  EXPECT_EQ(log, (Log{"down 65", "press a", "up 65", "press x"}));
  EXPECT_EQ(edit->Text(), "a");
}

TEST_F(Behaviour, CentringTopmostWindowStateAndLimits) {
  form_->SetBounds(0, 0, 300, 200);
  form_->SetPosition(poScreenCenter);
  form_->SetFormStyle(fsStayOnTop);
  form_->Constraints()->SetMinWidth(250);
  form_->Show();
  Settle();
  const RECT work = Screen->WorkAreaRect();
  RECT r;
  GetWindowRect(form_->Handle(), &r);
  EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);
  EXPECT_TRUE(GetWindowLongA(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  form_->SetWidth(100);  // below the limit
  EXPECT_EQ(form_->Width(), 250);

  form_->SetWindowState(wsMaximized);
  Settle();
  EXPECT_TRUE(IsZoomed(form_->Handle()));
  EXPECT_EQ(form_->WindowState(), wsMaximized);
  form_->SetWindowState(wsNormal);
  Settle();
  EXPECT_FALSE(IsZoomed(form_->Handle()));

  form_->SetBorderStyle(bsDialog);
  EXPECT_FALSE(GetWindowLongA(form_->Handle(), GWL_STYLE) & WS_THICKFRAME);
  form_->SetBorderStyle(bsNone);
  EXPECT_FALSE(GetWindowLongA(form_->Handle(), GWL_STYLE) & WS_CAPTION);
  form_->SetClientWidth(222);
  EXPECT_EQ(form_->ClientWidth(), 250);  // the limit still holds: no frame now
  form_->SetClientWidth(333);
  EXPECT_EQ(form_->Width(), 333);
}

TEST_F(Behaviour, MessageHookSeesQueuedMessagesAndCanStopThem) {
  auto* panel = new TPanel(form_);
  panel->SetParent(form_);
  form_->Show();
  Settle();
  int clicks = 0;
  panel->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  int seen = 0;
  bool swallow = true;
  Application->OnMessage = TMessageEvent([&](MSG& msg, bool& handled) {
    if (msg.hwnd == panel->Handle() && msg.message == WM_LBUTTONUP) {
      ++seen;
      handled = swallow;
    }
  });
  PostMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  Application->ProcessMessages();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(clicks, 0);
  swallow = false;
  PostMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  Application->ProcessMessages();
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(clicks, 1);
  Application->OnMessage = TMessageEvent();
}

TEST_F(Behaviour, CommonDialogsAndTheMessageBox) {
  EXPECT_EQ(FilterToSystemForm("Function List (*.fls)|*.fls"), std::string("Function List (*.fls)\0*.fls\0\0", 29));

  form_->Show();
  Settle();
  // A helper presses a button of the first dialog that carries the title.
  auto answer = [](const char* title, int button) {
    return std::thread([title, button] {
      // Only this process's dialog: other programs may show the same title.
      if (HWND box = WaitForOwnDialog(title, 10000)) PostMessageA(box, WM_COMMAND, button, 0);
    });
  };
  TOpenDialog open(form_);
  open.SetTitle("Open function list");
  open.SetFilter("Function List (*.fls)|*.fls");
  std::thread cancel = answer("Open function list", IDCANCEL);
  EXPECT_FALSE(open.Execute());
  cancel.join();

  std::thread yes = answer("Thong bao", IDYES);
  EXPECT_EQ(ShowMessageBox(form_, "Chuong trinh chi cho phep toi da 20 ham so", "Thong bao", MB_YESNO | MB_ICONWARNING),
            IDYES);
  yes.join();
}

TEST_F(Behaviour, BitmapFromANamedResource) {
  TBitmap b;
  b.LoadFromResourceName(GetModuleHandleA(nullptr), "BLUE_PIC");
  EXPECT_EQ(b.Width(), 16);
  EXPECT_EQ(b.Height(), 12);
  EXPECT_EQ(b.Canvas()->Pixel(3, 3), clBlue);
  EXPECT_THROW(b.LoadFromResourceName(GetModuleHandleA(nullptr), "NO_SUCH_PICTURE"), EResNotFound);
  EXPECT_EQ(b.Width(), 16);
}

TEST_F(Behaviour, ScreenKnowsItsSizeAndFonts) {
  EXPECT_GT(Screen->Width(), 0);
  const RECT work = Screen->WorkAreaRect();
  EXPECT_LE(work.right - work.left, Screen->Width());
  EXPECT_GE(Screen->Fonts()->Count(), 1);
  // Sorted as a string list sorts, letters compared as capitals ("Noto Sans Newa" before "Noto Sans NKo").
  auto capitals = [](std::string text) {
    for (char& c : text) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
  };
  for (int i = 1; i < Screen->Fonts()->Count(); ++i)
    EXPECT_LE(capitals(Screen->Fonts()->Get(i - 1)), capitals(Screen->Fonts()->Get(i)));
  Screen->SetCursor(32514);  // IDC_WAIT
  EXPECT_EQ(Screen->Cursor(), 32514);
  Screen->SetCursor(crDefault);
}

TEST_F(Behaviour, ReleaseFreesTheFormAfterItsMessages) {
  TForm* doomed = TCustomForm::Create<TForm>(nullptr);
  bool destroyed = false;
  doomed->OnDestroy = TNotifyEvent([&](TObject*) { destroyed = true; });
  doomed->Show();
  doomed->Release();
  EXPECT_FALSE(destroyed);
  Application->ProcessMessages();
  EXPECT_TRUE(destroyed);

  // A form that was never shown goes too.
  destroyed = false;
  TForm* unseen = TCustomForm::Create<TForm>(nullptr);
  unseen->OnDestroy = TNotifyEvent([&](TObject*) { destroyed = true; });
  unseen->Release();
  Application->ProcessMessages();
  EXPECT_TRUE(destroyed);
}

// A form whose OnDestroy handler reads the derived part, as a main form that
// saves its settings does.
class TNotesForm : public TForm {
 public:
  explicit TNotesForm(TComponent* owner) : TForm(owner) {
    OnDestroy = TNotifyEvent([this](TObject*) { seen->push_back(notes.empty() ? "gone" : notes); });
  }
  ~TNotesForm() override { notes.clear(); }
  std::string notes = "whole";
  Log* seen = nullptr;
};

TEST_F(Behaviour, OnDestroyRunsWhileTheDerivedFormIsWhole) {
  Log seen;
  TComponent owner(nullptr);
  auto* owned = TCustomForm::Create<TNotesForm>(&owner);
  owned->seen = &seen;
  owner.DestroyComponents();
  EXPECT_EQ(seen, Log{"whole"});
  EXPECT_EQ(owner.ComponentCount(), 0);

  seen.clear();
  auto* released = TCustomForm::Create<TNotesForm>(nullptr);
  released->seen = &seen;
  released->Show();
  released->Release();
  Application->ProcessMessages();
  EXPECT_EQ(seen, Log{"whole"});

  // Freed by a dying owner, the form still raises it once, and whole.
  seen.clear();
  {
    TComponent dying(nullptr);
    TCustomForm::Create<TNotesForm>(&dying)->seen = &seen;
  }
  EXPECT_EQ(seen, Log{"whole"});
}

TEST_F(Behaviour, TimersTickUntilStoppedAndNeverAfter) {
  int ticks = 0;
  auto* timer = new TTimer(form_);
  timer->OnTimer = TNotifyEvent([&](TObject* sender) {
    EXPECT_EQ(sender, timer);
    ++ticks;
  });
  timer->SetInterval(10);
  timer->SetEnabled(true);
  EXPECT_TRUE(testsupport::PumpUntil([&] { return ticks >= 2; }, 5000));

  // A tick still queued when the timer stops, or after it is freed, is dropped.
  HWND timers = FindWindowExA(HWND_MESSAGE, nullptr, "KxTimerWindow", nullptr);
  ASSERT_NE(timers, nullptr);
  timer->SetEnabled(false);
  const int stoppedAt = ticks;
  PostMessageA(timers, WM_TIMER, reinterpret_cast<WPARAM>(timer), 0);
  Settle();
  EXPECT_EQ(ticks, stoppedAt);

  timer->SetEnabled(true);
  PostMessageA(timers, WM_TIMER, reinterpret_cast<WPARAM>(timer), 0);
  delete timer;
  Settle();
  EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(Behaviour, NotificationsOfChildListFocusAndResize) {
  Log log;
  TWndMethod old = form_->WindowProc;
  form_->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_CONTROLLISTCHANGE)
      log.push_back(std::string(m.LParam ? "insert " : "remove ") + reinterpret_cast<TControl*>(m.WParam)->Name());
    old(m);
  };
  auto* edit = new TEdit(form_);
  edit->SetName("Edit");
  edit->SetParent(form_);
  auto* panel = new TPanel(form_);
  panel->SetName("Panel");
  panel->SetParent(form_);
  TControl* focusSeen = nullptr;
  panel->WindowProc = [&, inner = panel->WindowProc](TMessage& m) {
    if (m.Msg == CM_FOCUSCHANGED) focusSeen = reinterpret_cast<TControl*>(m.LParam);
    inner(m);
  };
  form_->Show();
  Settle();
  edit->SetFocus();
  Settle();
  EXPECT_EQ(focusSeen, edit);
  panel->SetParent(nullptr);
  EXPECT_EQ(log, (Log{"insert Edit", "insert Panel", "remove Panel"}));
  form_->WindowProc = old;
  delete panel;

  // OnCanResize may change or refuse a new size.
  edit->OnCanResize = TCanResizeEvent([](TObject*, int& w, int&, bool& resize) {
    if (w > 200)
      resize = false;
    else
      w = w / 10 * 10;
  });
  edit->SetWidth(87);
  EXPECT_EQ(edit->Width(), 80);
  edit->SetWidth(300);
  EXPECT_EQ(edit->Width(), 80);
}

TEST(Accelerators, CaptionsAndShortCuts) {
  EXPECT_TRUE(IsAccel('S', "&Save"));
  EXPECT_TRUE(IsAccel('s', "&Save"));
  EXPECT_FALSE(IsAccel('A', "&Save"));
  EXPECT_FALSE(IsAccel('S', "Save"));
  EXPECT_TRUE(IsAccel('B', "A && &B"));
  EXPECT_FALSE(IsAccel('&', "A && B"));
  EXPECT_EQ(ShortCutToText(scCtrl | 'S'), "Ctrl+S");
  EXPECT_EQ(ShortCutToText(VK_F2), "F2");
  EXPECT_EQ(ShortCutToText(scShift | VK_DELETE), "Shift+Del");
  EXPECT_EQ(ShortCutToText(0), "");

  TMainMenu menu(nullptr);
  auto* file = new TMenuItem(&menu);
  auto* save = new TMenuItem(&menu);
  save->SetShortCut(scCtrl | 'S');
  menu.Items()->Add(file);
  file->Add(save);
  EXPECT_EQ(menu.FindItemByShortCut(scCtrl | 'S'), save);
  EXPECT_EQ(menu.FindItemByShortCut(scCtrl | 'O'), nullptr);
}
