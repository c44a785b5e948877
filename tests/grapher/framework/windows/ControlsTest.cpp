// Controls and forms over real windows: event orders, painting into a given
// device context, owner drawing, modal loops and the exception guard.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Grids.h"
#include "framework/windows/Menus.h"
#include "framework/windows/StdCtrls.h"
#include "OwnDialog.h"
#include "TestSupport.h"

using namespace kx;

namespace {

using Log = std::vector<std::string>;

const char* ButtonName(TMouseButton b) { return b == mbLeft ? "left" : b == mbRight ? "right" : "middle"; }

void LogMouse(TControl* c, Log& log) {
  c->OnMouseDown = TMouseEvent([&log](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back(std::string("down ") + ButtonName(b) + (s.Contains(ssDouble) ? " double" : "") + " " +
                  std::to_string(x) + "," + std::to_string(y));
  });
  c->OnMouseUp = TMouseEvent(
      [&log](TObject*, TMouseButton b, TShiftState, int, int) { log.push_back(std::string("up ") + ButtonName(b)); });
  c->OnClick = TNotifyEvent([&log](TObject*) { log.push_back("click"); });
  c->OnDblClick = TNotifyEvent([&log](TObject*) { log.push_back("dblclick"); });
}

void SendMouse(HWND wnd, UINT msg, int x, int y, WPARAM keys = 0) { SendMessageA(wnd, msg, keys, MAKELPARAM(x, y)); }

TColor PixelAt(HDC dc, int x, int y) { return static_cast<TColor>(GetPixel(dc, x, y)); }

// A control that counts its paints and fills itself with its colour.
class TCountingControl : public TCustomControl {
 public:
  explicit TCountingControl(TComponent* owner) : TCustomControl(owner) {}
  void SetOpaque(bool on) {
    SetControlStyle(on ? ControlStyle() + TControlStyle{csOpaque} : ControlStyle() - TControlStyle{csOpaque});
  }
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};

class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBounds(40, 40, 420, 320);
    form_->SetCaption("Controls test");
  }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  template <class T>
  T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    T* c = new T(form_);
    c->SetParent(parent ? parent : form_);
    c->SetBounds(left, top, width, height);
    return c;
  }
  void ShowAndSettle() {
    form_->Show();
    Application->ProcessMessages();
    UpdateWindow(form_->Handle());
  }
  TForm* form_ = nullptr;
};

}  // namespace

TEST_F(FormFixture, LeftClickFiresAfterReleaseAndBeforeMouseUp) {
  auto* panel = Add<TPanel>(10, 10, 100, 60);
  ShowAndSettle();
  Log log;
  LogMouse(panel, log);
  HWND wnd = panel->Handle();
  SendMouse(wnd, WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
  SendMouse(wnd, WM_LBUTTONUP, 5, 6);
  EXPECT_EQ(log, (Log{"down left 5,6", "click", "up left"}));

  // A release outside the control gives no click.
  log.clear();
  SendMouse(wnd, WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
  SendMouse(wnd, WM_LBUTTONUP, 150, 6);
  EXPECT_EQ(log, (Log{"down left 5,6", "up left"}));

  // A right click gives down and up only.
  log.clear();
  SendMouse(wnd, WM_RBUTTONDOWN, 7, 8, MK_RBUTTON);
  SendMouse(wnd, WM_RBUTTONUP, 7, 8);
  EXPECT_EQ(log, (Log{"down right 7,8", "up right"}));

  // A double click: the second press is a double-click, not a second click.
  log.clear();
  SendMouse(wnd, WM_LBUTTONDOWN, 1, 1, MK_LBUTTON);
  SendMouse(wnd, WM_LBUTTONUP, 1, 1);
  SendMouse(wnd, WM_LBUTTONDBLCLK, 1, 1, MK_LBUTTON);
  SendMouse(wnd, WM_LBUTTONUP, 1, 1);
  EXPECT_EQ(log, (Log{"down left 1,1", "click", "up left", "dblclick", "down left double 1,1", "up left"}));
}

TEST_F(FormFixture, AQuickSecondPressIsADoubleClickOnlyWithTheDoubleClickStyle) {
  // Windows sends a double-click message to every framework window, whatever
  // the control's style says.
  auto* windowed = Add<TCountingControl>(10, 10, 60, 40);
  auto* graphic = Add<TLabel>(100, 10, 60, 40);
  graphic->SetAutoSize(false);
  ShowAndSettle();
  struct Case {
    TControl* control;
    HWND window;  // where the messages arrive
    POINT origin;
  };
  const Case cases[] = {{windowed, windowed->Handle(), {0, 0}}, {graphic, form_->Handle(), {100, 10}}};
  for (const Case& c : cases) {
    for (bool doubleClicks : {true, false}) {
      SCOPED_TRACE(std::string(c.control->ClassName()) + (doubleClicks ? " with" : " without") +
                   " the double-click style");
      const TControlStyle style = c.control->ControlStyle() - TControlStyle{csDoubleClicks};
      c.control->SetControlStyle(doubleClicks ? style + TControlStyle{csDoubleClicks} : style);
      Log log;
      LogMouse(c.control, log);
      const int x = c.origin.x + 3, y = c.origin.y + 4;
      SendMouse(c.window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
      SendMouse(c.window, WM_LBUTTONUP, x, y);
      SendMouse(c.window, WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
      SendMouse(c.window, WM_LBUTTONUP, x, y);
      if (doubleClicks)
        EXPECT_EQ(log, (Log{"down left 3,4", "click", "up left", "dblclick", "down left double 3,4", "up left"}));
      else
        EXPECT_EQ(log, (Log{"down left 3,4", "click", "up left", "down left 3,4", "click", "up left"}));

      // A right double press gives a plain down and up either way.
      log.clear();
      SendMouse(c.window, WM_RBUTTONDBLCLK, x, y, MK_RBUTTON);
      SendMouse(c.window, WM_RBUTTONUP, x, y);
      EXPECT_EQ(log, (Log{"down right 3,4", "up right"}));
    }
  }
}

TEST_F(FormFixture, GraphicControlsGetTheMouseThroughTheirParent) {
  auto* label = Add<TLabel>(30, 40, 80, 20);
  label->SetAutoSize(false);
  label->SetCaption("label");
  ShowAndSettle();
  Log log;
  LogMouse(label, log);
  Log enterLeave;
  label->OnMouseEnter = TNotifyEvent([&](TObject*) { enterLeave.push_back("enter"); });
  label->OnMouseLeave = TNotifyEvent([&](TObject*) { enterLeave.push_back("leave"); });
  HWND wnd = form_->Handle();
  SendMouse(wnd, WM_MOUSEMOVE, 5, 5);
  SendMouse(wnd, WM_MOUSEMOVE, 35, 45);
  SendMouse(wnd, WM_LBUTTONDOWN, 35, 45, MK_LBUTTON);
  SendMouse(wnd, WM_LBUTTONUP, 36, 46);
  SendMouse(wnd, WM_MOUSEMOVE, 200, 200);
  EXPECT_EQ(log, (Log{"down left 5,5", "click", "up left"}));
  EXPECT_EQ(enterLeave, (Log{"enter", "leave"}));
}

TEST_F(FormFixture, ButtonCopiesItsModalResultBeforeItsClick) {
  auto* button = Add<TButton>(10, 10, 80, 25);
  button->SetModalResult(mrOk);
  TModalResult seen = -1;
  button->OnClick = TNotifyEvent([&](TObject*) { seen = form_->ModalResult(); });
  ShowAndSettle();
  SendMouse(button->Handle(), WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
  SendMouse(button->Handle(), WM_LBUTTONUP, 3, 3);
  EXPECT_EQ(seen, mrOk);
  // A result of 0 is copied too.
  button->SetModalResult(mrNone);
  form_->SetModalResult(mrCancel);
  button->Click();
  EXPECT_EQ(seen, mrNone);
}

TEST_F(FormFixture, ModalLoopsNestAndReturnTheirResults) {
  TForm* inner = TCustomForm::Create<TForm>(nullptr);
  inner->SetCaption("Inner");
  auto* ok = new TButton(inner);
  ok->SetParent(inner);
  ok->SetModalResult(mrOk);
  Log log;
  TModalResult innerResult = -1;
  int step = 0;
  // A timer drives the dialogs: first a nested modal form closed by Close
  // (Cancel), then a button with result OK, then the outer form by result 3.
  TTimer timer(nullptr);
  timer.SetInterval(30);
  timer.OnTimer = TNotifyEvent([&](TObject*) {
    switch (step++) {
      case 0:
        innerResult = inner->ShowModal();  // runs its own loop inside this tick
        log.push_back("inner returned " + std::to_string(innerResult));
        break;
      case 1:
        form_->SetModalResult(3);
        break;
      default:
        break;
    }
  });
  TTimer innerTimer(nullptr);
  innerTimer.SetInterval(20);
  int innerStep = 0;
  innerTimer.OnTimer = TNotifyEvent([&](TObject*) {
    if (!inner->Modal()) return;
    log.push_back("inner tick " + std::to_string(innerStep));
    if (innerStep++ == 0) inner->Close();
  });
  const TModalResult outer = form_->ShowModal();
  timer.SetEnabled(false);
  innerTimer.SetEnabled(false);
  EXPECT_EQ(outer, 3);
  EXPECT_EQ(innerResult, mrCancel);
  EXPECT_EQ(log, (Log{"inner tick 0", "inner returned 2"}));
  EXPECT_FALSE(form_->Visible());
  EXPECT_FALSE(inner->Visible());

  // A button with a modal result closes a modal form with it.
  TTimer clicker(nullptr);
  clicker.SetInterval(20);
  clicker.OnTimer = TNotifyEvent([&](TObject*) {
    if (inner->Modal()) SendMessageA(ok->Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(inner->ShowModal(), mrOk);
  clicker.SetEnabled(false);

  // OnCloseQuery may refuse: the form stays until it agrees.
  int asked = 0;
  inner->OnCloseQuery = TCloseQueryEvent([&](TObject*, bool& can) { can = ++asked > 1; });
  TTimer closer(nullptr);
  closer.SetInterval(20);
  closer.OnTimer = TNotifyEvent([&](TObject*) {
    if (inner->Modal()) inner->Close();
  });
  EXPECT_EQ(inner->ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
  closer.SetEnabled(false);
  delete inner;
}

TEST_F(FormFixture, EditChangeFiresOnWritesByCodeAndTyping) {
  auto* edit = Add<TEdit>(10, 10, 120, 22);
  auto* memo = Add<TMemo>(10, 40, 200, 80);
  ShowAndSettle();
  int edits = 0, memos = 0;
  edit->OnChange = TNotifyEvent([&](TObject*) { ++edits; });
  memo->OnChange = TNotifyEvent([&](TObject*) { ++memos; });
  edit->SetText("1.5");
  EXPECT_EQ(edits, 1);
  edit->SetText("1.5");  // same text: no change
  EXPECT_EQ(edits, 1);
  memo->SetText("sin(x)");
  EXPECT_EQ(memos, 1);
  memo->Lines()->Add("cos(x)");
  EXPECT_EQ(memos, 2);
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Get(1), "cos(x)");
  SendMessageA(edit->Handle(), WM_CHAR, '7', 0);
  EXPECT_EQ(edits, 2);
  EXPECT_EQ(edit->Text(), "71.5");
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelText(), "1.");
}

TEST_F(FormFixture, CheckListBoxDrawsItsItemsAndTogglesOnCheckClicks) {
  auto* list = Add<TCheckListBox>(10, 10, 200, 120);
  list->SetItemHeight(16);
  std::vector<int> drawn;
  int heights = 0;
  list->OnDrawItem = TDrawItemEvent([&](TWinControl* c, int index, RECT r, TOwnerDrawState) {
    drawn.push_back(index);
    heights = r.bottom - r.top;
    auto* box = static_cast<TCheckListBox*>(c);
    box->Canvas()->FillRect(r);
    box->Canvas()->Font()->SetColor(clRed);
    box->Canvas()->TextOut(r.left + 2, r.top, box->Items()->Get(index));
  });
  int checks = 0;
  list->OnClickCheck = TNotifyEvent([&](TObject*) { ++checks; });
  list->Items()->Add("y = sin(x)");
  list->Items()->Add("y = x^2");
  list->Items()->Add("y = 2x");
  list->SetChecked(1, true);  // silent
  ShowAndSettle();
  EXPECT_EQ(checks, 0);
  EXPECT_GE(drawn.size(), 3u);
  EXPECT_EQ(heights, 16);

  // A click on the check box of item 2 toggles it and raises OnClickCheck.
  HWND wnd = list->Handle();
  RECT item = list->ItemRect(2);
  SendMouse(wnd, WM_LBUTTONDOWN, item.left + 5, item.top + 8, MK_LBUTTON);
  SendMouse(wnd, WM_LBUTTONUP, item.left + 5, item.top + 8);
  EXPECT_TRUE(list->Checked(2));
  EXPECT_EQ(checks, 1);
  // A click on the text selects without toggling.
  item = list->ItemRect(0);
  SendMouse(wnd, WM_LBUTTONDOWN, item.left + 60, item.top + 8, MK_LBUTTON);
  SendMouse(wnd, WM_LBUTTONUP, item.left + 60, item.top + 8);
  EXPECT_FALSE(list->Checked(0));
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(checks, 1);
  // Deleting the selected item keeps the other check marks with their items.
  list->DeleteSelected();
  ASSERT_EQ(list->Count(), 2);
  EXPECT_TRUE(list->Checked(0));
  EXPECT_TRUE(list->Checked(1));

  // The owner-drawn text is on screen in red.
  UpdateWindow(wnd);
  HDC dc = GetDC(wnd);
  item = list->ItemRect(0);
  int red = 0;
  for (int x = item.left + 16; x < item.left + 80; ++x)
    for (int y = item.top; y < item.bottom; ++y) red += PixelAt(dc, x, y) == clRed;
  ReleaseDC(wnd, dc);
  EXPECT_GT(red, 5);
}

TEST_F(FormFixture, OwnerDrawnComboBoxDrawsItsItems) {
  auto* combo = Add<TComboBox>(10, 10, 120, 22);
  combo->SetStyle(csOwnerDrawFixed);
  for (int i = 1; i <= 10; ++i) combo->Items()->Add(std::to_string(i));
  std::vector<int> drawn;
  combo->OnDrawItem = TDrawItemEvent([&](TWinControl* c, int index, RECT r, TOwnerDrawState) {
    drawn.push_back(index);
    auto* box = static_cast<TComboBox*>(c);
    box->Canvas()->Brush()->SetColor(index == 3 ? clBlue : clWhite);
    box->Canvas()->FillRect(r);
  });
  int changes = 0;
  combo->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  combo->SetItemIndex(3);
  ShowAndSettle();
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 3), drawn.end());
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(changes, 0);  // a write by code is silent
  HDC dc = GetDC(combo->Handle());
  EXPECT_EQ(PixelAt(dc, 6, 8), clBlue);
  ReleaseDC(combo->Handle(), dc);
}

TEST_F(FormFixture, PaintsIntoAGivenDeviceContext) {
  auto* panel = Add<TPanel>(0, 0, 60, 40);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clYellow);
  auto* bevel = Add<TBevel>(10, 10, 20, 20, panel);
  bevel->SetShape(bsBox);
  ShowAndSettle();

  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(60, 40);
  HDC dc = target.Canvas()->Handle();
  panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  EXPECT_EQ(target.Canvas()->Pixel(50, 35), clYellow);
  EXPECT_EQ(target.Canvas()->Pixel(10, 10), static_cast<TColor>(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(target.Canvas()->Pixel(29, 29), static_cast<TColor>(ColorToRGB(clBtnHighlight)));
}

TEST_F(FormFixture, NotificationsReachAReplacedMessageProcedure) {
  auto* panel = Add<TPanel>(0, 0, 60, 40);
  Log seen;
  TWndMethod old = panel->WindowProc;
  panel->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_FONTCHANGED) seen.push_back("font");
    if (m.Msg == CM_COLORCHANGED) seen.push_back("color");
    if (m.Msg == CM_TEXTCHANGED) seen.push_back("text");
    if (m.Msg == CM_ENABLEDCHANGED) seen.push_back("enabled");
    old(m);
  };
  panel->Font()->SetSize(12);
  panel->SetColor(clRed);
  panel->SetCaption("x");
  panel->SetEnabled(false);
  EXPECT_EQ(seen, (Log{"font", "color", "text", "enabled"}));
  // Children take the parent's font and colour while they ask for it.
  auto* label = Add<TLabel>(0, 0, 10, 10, panel);
  EXPECT_EQ(label->Font()->Size(), 12);
  EXPECT_EQ(label->Color(), clRed);
  panel->Font()->SetName("Tahoma");
  EXPECT_EQ(label->Font()->Name(), "Tahoma");
  label->Font()->SetSize(9);
  panel->Font()->SetSize(14);
  EXPECT_EQ(label->Font()->Size(), 9);  // its own font now
}

TEST_F(FormFixture, AlignLaysOutChildrenInOrder) {
  form_->SetClientWidth(300);
  form_->SetClientHeight(200);
  auto* top = Add<TPanel>(0, 0, 10, 30);
  top->SetAlign(alTop);
  auto* left = Add<TPanel>(0, 0, 40, 10);
  left->SetAlign(alLeft);
  auto* client = Add<TPanel>(0, 0, 10, 10);
  client->SetAlign(alClient);
  ShowAndSettle();
  EXPECT_EQ(form_->ClientWidth(), 300);
  EXPECT_EQ(top->BoundsRect().right, 300);
  EXPECT_EQ(left->Top(), 30);
  EXPECT_EQ(left->Height(), 170);
  EXPECT_EQ(client->Left(), 40);
  EXPECT_EQ(client->Width(), 260);
  form_->SetClientWidth(400);
  EXPECT_EQ(client->Width(), 360);
}

TEST_F(FormFixture, AlignedChildrenOfAHiddenFormMakeNoWindows) {
  // Aligning nested panels measures their parents' client areas; that must
  // not make windows for a form nobody has shown, so that it can be freed as
  // it is.
  auto* outer = Add<TPanel>(0, 0, 200, 100);
  outer->SetAlign(alClient);
  auto* inner = Add<TPanel>(0, 0, 50, 50, outer);
  inner->SetAlign(alLeft);
  EXPECT_GT(inner->Height(), 250);  // stretched over the outer panel
  EXPECT_FALSE(form_->HandleAllocated());
  EXPECT_FALSE(outer->HandleAllocated());
  EXPECT_FALSE(inner->HandleAllocated());
}

TEST_F(FormFixture, APartsTreeBuiltWithoutAParentGetsItsWindowsOnAShownForm) {
  // A composite control lays out its aligned parts before it has a parent.
  // Laying out measures each part's client area; that must not ask the
  // parentless container for a window, which a child window cannot have.
  ShowAndSettle();
  auto* outer = new TPanel(form_);
  auto* strip = new TPanel(outer);
  strip->SetParent(outer);
  strip->SetAlign(alTop);
  auto* bar = new TPanel(outer);
  bar->SetParent(outer);
  bar->SetAlign(alLeft);
  bar->SetBevelOuter(bvNone);
  auto* inside = new TPanel(outer);
  inside->SetParent(bar);
  inside->SetAlign(alClient);
  EXPECT_FALSE(outer->HandleAllocated());
  EXPECT_FALSE(inside->HandleAllocated());
  outer->SetParent(form_);
  outer->SetAlign(alLeft);
  for (TWinControl* c : std::initializer_list<TWinControl*>{outer, strip, bar, inside}) {
    ASSERT_TRUE(c->HandleAllocated()) << c->ClassName();
    EXPECT_TRUE(IsWindowVisible(c->Handle())) << c->ClassName();
  }
  EXPECT_EQ(outer->Height(), form_->ClientHeight());
  EXPECT_EQ(bar->Top(), strip->Top() + strip->Height());
}

TEST_F(FormFixture, ExceptionsInHandlersGoToTheApplication) {
  auto* panel = Add<TPanel>(0, 0, 60, 40);
  ShowAndSettle();
  panel->OnClick = TNotifyEvent([](TObject*) { throw EConvertError("'abc' is not a valid number"); });
  std::string reported;
  Application->OnException = TExceptionEvent([&](TObject*, const std::exception& e) { reported = e.what(); });
  SendMouse(panel->Handle(), WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
  SendMouse(panel->Handle(), WM_LBUTTONUP, 3, 3);
  EXPECT_EQ(reported, "'abc' is not a valid number");
  Application->OnException = TExceptionEvent();

  // Without a handler the message is shown in a box, and the program goes on.
  Application->SetTitle("Controls test app");
  std::atomic<bool> closed{false};
  std::string shown;
  std::thread closer([&] {
    if (HWND box = WaitForOwnDialog("Controls test app", 10000)) {
      char text[256] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      shown = text;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      closed = true;
    }
  });
  SendMouse(panel->Handle(), WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
  SendMouse(panel->Handle(), WM_LBUTTONUP, 3, 3);
  closer.join();
  EXPECT_TRUE(closed);
  EXPECT_EQ(shown, "'abc' is not a valid number.");
  int clicks = 0;
  panel->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  SendMouse(panel->Handle(), WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
  SendMouse(panel->Handle(), WM_LBUTTONUP, 3, 3);
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormFixture, OwnerDrawnPopupMenuItems) {
  TPopupMenu menu(form_);
  menu.SetOwnerDraw(true);
  std::vector<std::string> drawn;
  auto* first = new TMenuItem(form_);
  first->SetCaption("Ham X");
  auto* second = new TMenuItem(form_);
  second->SetCaption("Ham Y");
  menu.Items()->Add(first);
  menu.Items()->Add(second);
  for (TMenuItem* item : {first, second})
    item->OnDrawItem = TMenuDrawItemEvent([&drawn, item](TObject*, TCanvas* c, RECT r, bool) {
      drawn.push_back(item->Caption());
      c->FillRect(r);
    });
  std::string chosen;
  second->OnClick = TNotifyEvent([&](TObject* s) { chosen = static_cast<TMenuItem*>(s)->Caption(); });
  ShowAndSettle();
  // Choose the second item with the keyboard once the menu is open; the
  // menu's loop reads the keys from this thread's queue. A second timer
  // closes the menu in any case, so that a lost key cannot hang the test.
  TTimer keys(nullptr);
  keys.SetInterval(100);
  int tick = 0;
  keys.OnTimer = TNotifyEvent([&](TObject*) {
    if (tick++ != 0) return;
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
      PostMessageA(form_->Handle(), WM_KEYDOWN, key, 0);
      PostMessageA(form_->Handle(), WM_KEYUP, key, 0xC0000000);
    }
  });
  TTimer safety(nullptr);
  safety.SetInterval(3000);
  safety.OnTimer = TNotifyEvent([](TObject*) { EndMenu(); });
  POINT at = form_->ClientToScreen(POINT{20, 20});
  menu.Popup(at.x, at.y);
  keys.SetEnabled(false);
  safety.SetEnabled(false);
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), "Ham X"), drawn.end());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), "Ham Y"), drawn.end());
  EXPECT_EQ(chosen, "Ham Y");
  EXPECT_EQ(GetActiveWindow(), form_->Handle());  // the form stayed active
}

TEST_F(FormFixture, RefreshPaintsAtOnceInvalidateWaits) {
  auto* c = Add<TCountingControl>(10, 10, 40, 30);
  ShowAndSettle();
  const int before = c->paints;
  c->Invalidate();
  EXPECT_EQ(c->paints, before);  // only marked
  c->Update();
  EXPECT_EQ(c->paints, before + 1);
  c->Refresh();
  EXPECT_EQ(c->paints, before + 2);
}

TEST_F(FormFixture, OpaqueControlsAreNotErased) {
  auto* c = Add<TCountingControl>(0, 0, 20, 20);
  c->SetColor(clRed);
  ShowAndSettle();
  TBitmap target;
  target.SetSize(20, 20);
  target.Canvas()->Brush()->SetColor(clLime);
  target.Canvas()->FillRect(RECT{0, 0, 20, 20});
  c->SetOpaque(true);
  c->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Canvas()->Handle()));
  EXPECT_EQ(target.Canvas()->Pixel(5, 5), clLime);
  c->SetOpaque(false);
  c->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Canvas()->Handle()));
  EXPECT_EQ(target.Canvas()->Pixel(5, 5), clRed);  // erased with its colour
}

TEST_F(FormFixture, ChildOrderDecidesWhichControlGetsTheMouse) {
  auto* below = Add<TLabel>(10, 10, 50, 20);
  auto* above = Add<TLabel>(10, 10, 50, 20);
  below->SetAutoSize(false);
  above->SetAutoSize(false);
  ShowAndSettle();
  Log log;
  below->OnClick = TNotifyEvent([&](TObject*) { log.push_back("below"); });
  above->OnClick = TNotifyEvent([&](TObject*) { log.push_back("above"); });
  auto click = [&] {
    SendMouse(form_->Handle(), WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    SendMouse(form_->Handle(), WM_LBUTTONUP, 20, 20);
  };
  click();
  below->BringToFront();
  click();
  below->SendToBack();
  click();
  EXPECT_EQ(log, (Log{"above", "below", "above"}));
  EXPECT_EQ(form_->Controls(form_->ControlCount() - 1), above);
  above->SetVisible(false);  // a hidden control gets nothing
  click();
  EXPECT_EQ(log.back(), "below");
}

TEST_F(FormFixture, AClickOrDoubleClickMayFreeItsControl) {
  // A windowed control gets the mouse itself; a windowless one through its form.
  for (const bool windowed : {true, false}) {
    for (const bool doubleClick : {false, true}) {
      SCOPED_TRACE(std::string(windowed ? "panel" : "label") + (doubleClick ? ", double click" : ", click"));
      TControl* control = windowed ? static_cast<TControl*>(Add<TPanel>(10, 10, 50, 30)) : Add<TLabel>(10, 10, 50, 30);
      ShowAndSettle();
      Log log;
      auto freeIt = TNotifyEvent([&log, &control](TObject*) {
        log.push_back("freed");
        delete control;
        control = nullptr;
      });
      (doubleClick ? control->OnDblClick : control->OnClick) = freeIt;
      control->OnMouseDown =
          TMouseEvent([&log](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("down"); });
      control->OnMouseUp = TMouseEvent([&log](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); });
      const HWND target = windowed ? static_cast<TWinControl*>(control)->Handle() : form_->Handle();
      const int x = windowed ? 5 : 15, y = windowed ? 5 : 15;
      SendMouse(target, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
      SendMouse(target, WM_LBUTTONUP, x, y);
      if (doubleClick) {
        SendMouse(target, WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
        if (control) SendMouse(target, WM_LBUTTONUP, x, y);
      }
      EXPECT_EQ(control, nullptr);
      EXPECT_EQ(log, doubleClick ? (Log{"down", "up", "freed"}) : (Log{"down", "freed"}));
      Application->ProcessMessages();
    }
  }
}

TEST_F(FormFixture, LaterWindowedControlsLieAboveEarlierOnes) {
  auto* first = Add<TPanel>(10, 10, 60, 40);
  auto* second = Add<TPanel>(20, 20, 60, 40);
  auto* third = Add<TPanel>(30, 30, 60, 40);
  ShowAndSettle();
  auto topmostAt = [&](int x, int y) { return ChildWindowFromPoint(form_->Handle(), POINT{x, y}); };
  EXPECT_EQ(topmostAt(35, 35), third->Handle());
  EXPECT_EQ(topmostAt(25, 25), second->Handle());

  // A window made again goes back between its neighbours.
  second->RecreateWnd();
  EXPECT_EQ(topmostAt(25, 25), second->Handle());
  EXPECT_EQ(topmostAt(35, 35), third->Handle());

  first->BringToFront();
  EXPECT_EQ(topmostAt(35, 35), first->Handle());
  // A control added to a shown form lies above all.
  auto* added = Add<TPanel>(0, 0, 100, 100);
  added->HandleNeeded();
  EXPECT_EQ(topmostAt(35, 35), added->Handle());
}

TEST_F(FormFixture, AGridWithoutFixedRowsStartsAtItsFirstRow) {
  auto* grid = Add<TStringGrid>(10, 10, 200, 60);
  grid->SetRowCount(2);
  grid->SetFixedRows(0);
  EXPECT_EQ(grid->TopRow(), 0);
  EXPECT_EQ(grid->Row(), 0);
  grid->SetCells(0, 0, "first");
  grid->SetCells(0, 1, "second");
  ShowAndSettle();
  // The first row is drawn at the top of the grid, the second below it.
  const RECT first = grid->CellRect(0, 0), second = grid->CellRect(0, 1);
  EXPECT_EQ(first.top, 0);
  EXPECT_GT(first.bottom, first.top);
  EXPECT_GE(second.top, first.bottom);
}

TEST_F(FormFixture, AGridShowsItsScrollBarOnlyWhileItsRowsDoNotFit) {
  // 96 pixels inside the frame: the fixed row and two rows of 24 + 1 fit.
  auto* grid = Add<TStringGrid>(10, 10, 200, 100);
  grid->SetRowCount(3);
  ShowAndSettle();
  auto barShown = [&] { return (GetWindowLongA(grid->Handle(), GWL_STYLE) & WS_VSCROLL) != 0; };
  EXPECT_FALSE(barShown());

  grid->SetRowCount(10);
  EXPECT_TRUE(barShown());
  // Scrolling down stops where the last two rows fill the view.
  for (int i = 0; i < 3; ++i) grid->Perform(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(grid->TopRow(), 8);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(grid->Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nPos + static_cast<int>(si.nPage) - 1, si.nMax);

  // A view tall enough for every row hides the bar and shows the first row again.
  grid->SetBounds(10, 10, 200, 300);
  EXPECT_FALSE(barShown());
  EXPECT_EQ(grid->TopRow(), 1);
}
