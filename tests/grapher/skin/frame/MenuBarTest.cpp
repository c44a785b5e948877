// The skinned frame's menu bar: its buttons for a main menu's top-level
// items, following the items, going with the menu, its height, colour and
// font, both drawing handlers in synthetic states, the menu's shortcuts
// through the key hook, and a picture of a frame with one item dropped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVMenu.h"
#include "skin/frame/KVForm.h"
#include "skin/frame/KVMainMenu.h"
#include "FormTesting.h"
#include "TestSupport.h"

using namespace kx;
using namespace formtesting;

namespace {

TMenuItem* AddItem(TMenu& menu, TMenuItem& parent, const std::string& caption) {
  auto* item = new TMenuItem(menu.Owner());
  item->SetCaption(caption);
  parent.Add(item);
  return item;
}

// Pixels of `area` within `tolerance` of `color` in every channel.
int CountNear(TBitmap& b, const RECT& area, TColor color, int tolerance) {
  const TColor c = ColorToRGB(color);
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      const TColor p = PixelOf(b, x, y);
      bool within = true;
      for (int shift : {0, 8, 16})
        within = within && std::abs(int((p >> shift) & 0xFF) - int((c >> shift) & 0xFF)) <= tolerance;
      n += within;
    }
  return n;
}

class MenuBar : public testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(0, 0);  // away from the bar
    savedHook_ = Application->OnMessage;
    Application->OnMessage = TMessageEvent();
    host_ = TCustomForm::Create<TForm>(nullptr);
    host_->SetBounds(120, 90, 420, 300);
    frame_ = new TkvForm(host_);
    frame_->SetUIStyle(TkvUIStyle::Protein);
    frame_->SetCaption("Plotvane");
    frame_->SetWidth(420);
    frame_->SetHeight(280);
  }
  void TearDown() override {
    delete host_;
    Application->ProcessMessages();
    Application->OnMessage = savedHook_;
  }
  // A main menu made on the host (it hands itself to the frame) with three
  // top-level items, each with two sub-items, read in as a form resource
  // would read it.
  TkvMainMenu* NewMenu() {
    auto* menu = new TkvMainMenu(host_);
    for (const char* caption : {"&Tep", "&Sua", "Tro &giup"}) {
      TMenuItem* top = AddItem(*menu, *menu->Items(), caption);
      AddItem(*menu, *top, std::string(caption + 1) + " 1");
      AddItem(*menu, *top, std::string(caption + 1) + " 2");
    }
    menu->Loaded();
    return menu;
  }
  // Shows the host with an edit on the frame, where keys are typed.
  TEdit* ShowWithEdit() {
    auto* edit = new TEdit(host_);
    edit->SetParent(frame_);
    edit->SetBounds(10, 60, 120, 22);
    host_->Show();
    Application->ProcessMessages();
    return edit;
  }
  // The width of a caption as shown: "&" marks the accelerator.
  int CaptionWidth(std::string caption) {
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas()->Font()->Assign(frame_->MenuBar()->Font());
    return scratch.Canvas()->TextWidth(caption);
  }
  static std::vector<std::string> Captions(TToolBar& bar) {
    std::vector<std::string> captions;
    for (int i = 0; i < bar.ButtonCount(); ++i) captions.push_back(bar.Buttons(i)->Caption());
    return captions;
  }

  TForm* host_ = nullptr;
  TkvForm* frame_ = nullptr;
  TMessageEvent savedHook_;
};

}  // namespace

TEST_F(MenuBar, OneButtonPerTopLevelItemInMenuOrder) {
  EXPECT_EQ(frame_->MenuBar(), nullptr);
  TkvMainMenu* menu = NewMenu();
  ASSERT_EQ(frame_->Menu(), menu);
  TToolBar* bar = frame_->MenuBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ(Captions(*bar), (std::vector<std::string>{"&Tep", "&Sua", "Tro &giup"}));
  int left = 0;
  for (int i = 0; i < 3; ++i) {
    TToolButton& button = *bar->Buttons(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(button.MenuItem(), menu->Items()->Items(i));
    EXPECT_TRUE(button.Grouped());
    EXPECT_EQ(button.Owner(), frame_);
    EXPECT_EQ(button.Left(), left);
    EXPECT_EQ(button.Width(), CaptionWidth(button.Caption()) + 14);
    left += button.Width();
  }
  // A flat bar with captions, on the frame under its title bar.
  EXPECT_EQ(bar->Parent(), frame_);
  EXPECT_EQ(bar->Owner(), frame_);
  EXPECT_TRUE(bar->Flat());
  EXPECT_TRUE(bar->ShowCaptions());
  EXPECT_EQ(bar->EdgeInner(), esNone);
  EXPECT_EQ(bar->EdgeOuter(), esNone);
  EXPECT_EQ(frame_->TitleBar()->Top(), 0);
  EXPECT_EQ(bar->Top(), frame_->TitleBar()->Height());
  EXPECT_EQ(bar->Height(), 22);
  EXPECT_EQ(bar->Color(), frame_->MenuBarColor());
  EXPECT_EQ(frame_->MenuBarColor(), frame_->Color());
  // The frame's style reaches the menu.
  frame_->SetUIStyle(TkvUIStyle::DeepBlue);
  EXPECT_EQ(menu->UIStyle(), TkvUIStyle::DeepBlue);
  EXPECT_EQ(bar->Color(), ThemeColor(TkvUIStyle::DeepBlue, 3));
}

TEST_F(MenuBar, CaptionAndEnabledChangesReachTheButtons) {
  TkvMainMenu* menu = NewMenu();
  TToolBar& bar = *frame_->MenuBar();
  TMenuItem* edit = menu->Items()->Items(1);
  const int narrow = bar.Buttons(1)->Width();
  edit->SetCaption("&Sua doi");
  EXPECT_EQ(bar.Buttons(1)->Caption(), "&Sua doi");
  EXPECT_GT(bar.Buttons(1)->Width(), narrow);
  EXPECT_EQ(bar.Buttons(2)->Left(), bar.Buttons(1)->Left() + bar.Buttons(1)->Width());
  edit->SetEnabled(false);
  EXPECT_FALSE(bar.Buttons(1)->Enabled());
  EXPECT_TRUE(bar.Buttons(0)->Enabled());
  edit->SetEnabled(true);
  EXPECT_TRUE(bar.Buttons(1)->Enabled());
  // A sub-item's change leaves the buttons as they are.
  edit->Items(0)->SetCaption("Hoan tac");
  EXPECT_EQ(Captions(bar), (std::vector<std::string>{"&Tep", "&Sua doi", "Tro &giup"}));
}

TEST_F(MenuBar, NoMenuNoBar) {
  TkvMainMenu* menu = NewMenu();
  frame_->SetMenu(nullptr);
  EXPECT_EQ(frame_->MenuBar(), nullptr);
  EXPECT_EQ(menu->MenuBarForm(), nullptr);
  // Changes of a menu no longer shown reach no bar.
  menu->Items()->Items(0)->SetCaption("&Tep tin");
  frame_->SetMenu(menu);
  ASSERT_NE(frame_->MenuBar(), nullptr);
  EXPECT_EQ(Captions(*frame_->MenuBar()), (std::vector<std::string>{"&Tep tin", "&Sua", "Tro &giup"}));
  EXPECT_EQ(menu->MenuBarForm(), frame_);
  // A top-level item freed: its button stays, bound to nothing.
  delete menu->Items()->Items(2);
  EXPECT_EQ(frame_->MenuBar()->Buttons(2)->MenuItem(), nullptr);
  frame_->RefreshMenuBarButtons();
  frame_->MenuBar()->Buttons(2)->Click();
  // The menu freed, then the form: the bar goes with the menu.
  delete menu;
  EXPECT_EQ(frame_->Menu(), nullptr);
  EXPECT_EQ(frame_->MenuBar(), nullptr);
  delete host_;
  host_ = nullptr;
}

TEST_F(MenuBar, TheFormFreedFirstLeavesTheMenuAlone) {
  auto* menu = new TkvMainMenu(nullptr);
  AddItem(*menu, *menu->Items(), "&Tep");
  frame_->SetMenu(menu);
  ASSERT_EQ(frame_->MenuBar()->ButtonCount(), 1);
  delete host_;
  host_ = nullptr;
  EXPECT_EQ(menu->MenuBarForm(), nullptr);
  menu->Items()->Items(0)->SetCaption("&Tep tin");  // reaches no freed bar
  delete menu;
}

TEST_F(MenuBar, HeightAndColourReachBarAndButtons) {
  NewMenu();
  TToolBar& bar = *frame_->MenuBar();
  frame_->SetMenuBarHeight(30);
  EXPECT_EQ(frame_->MenuBarHeight(), 30);
  EXPECT_EQ(bar.Height(), 30);
  for (int i = 0; i < bar.ButtonCount(); ++i) EXPECT_EQ(bar.Buttons(i)->Height(), 30) << i;
  frame_->SetMenuBarColor(0x123456);
  EXPECT_EQ(bar.Color(), 0x123456);
  // Without a bar both are only stored, and taken when one is made.
  frame_->SetMenu(nullptr);
  frame_->SetMenuBarHeight(26);
  TkvMainMenu* menu = NewMenu();
  ASSERT_NE(frame_->MenuBar(), nullptr);
  EXPECT_EQ(frame_->MenuBar()->Height(), 26);
  EXPECT_EQ(frame_->MenuBar()->Buttons(0)->Height(), 26);
  EXPECT_EQ(frame_->MenuBar()->Color(), 0x123456);
  EXPECT_EQ(frame_->Menu(), menu);
}

TEST_F(MenuBar, FontOfTheMenuOrOfTheSystem) {
  TkvMainMenu* menu = NewMenu();
  TToolBar& bar = *frame_->MenuBar();
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_TRUE(menu->UseSystemFont());
  EXPECT_EQ(bar.Font()->Name(), metrics.lfMenuFont.lfFaceName);
  menu->SetUseSystemFont(false);
  menu->SetFontName("Tahoma");
  menu->SetFontSize(14);
  EXPECT_EQ(bar.Font()->Name(), "Tahoma");
  EXPECT_EQ(bar.Font()->Size(), 14);
  // The buttons are measured in it.
  EXPECT_EQ(bar.Buttons(0)->Width(), CaptionWidth("&Tep") + 14);
  menu->SetUseSystemFont(true);
  EXPECT_EQ(bar.Font()->Name(), metrics.lfMenuFont.lfFaceName);

  // The drawing handler writes the menu's font and colour on the canvas.
  menu->SetUseSystemFont(false);
  menu->SetFontColor(0x00AA00);
  TBitmap target;
  target.SetSize(bar.Width(), bar.Height());
  bool defaultDraw = true;
  frame_->DrawMenuBarButton(*target.Canvas(), *bar.Buttons(0), TCustomDrawState{}, defaultDraw);
  EXPECT_TRUE(defaultDraw);
  EXPECT_EQ(target.Canvas()->Font()->Name(), "Tahoma");
  EXPECT_EQ(target.Canvas()->Font()->Size(), 14);
  EXPECT_EQ(target.Canvas()->Font()->Color(), 0x00AA00);
}

TEST_F(MenuBar, ButtonsDrawnInSyntheticStates) {
  TkvMainMenu* menu = NewMenu();
  TToolBar& bar = *frame_->MenuBar();
  TToolButton& button = *bar.Buttons(1);
  const RECT r = button.BoundsRect();
  const int mid = (r.top + r.bottom) / 2;
  for (TkvUIStyle style : {TkvUIStyle::Protein, TkvUIStyle::DeepBlue, TkvUIStyle::WinXP, TkvUIStyle::BlueGlass}) {
    SCOPED_TRACE(int(style));
    menu->SetUIStyle(style);
    const TColor frameColor = ColorToRGB(ThemeColor(style, 11));
    const TColor fill = ColorToRGB(ThemeColor(style, 12));
    const TColor text = ThemeColor(style, 13);
    struct Case {
      TCustomDrawState state;
      bool selected;
    } cases[] = {{TCustomDrawState{cdsHot}, false},
                 {TCustomDrawState{cdsSelected}, true},
                 {TCustomDrawState{cdsHot, cdsSelected}, true}};
    for (const Case& c : cases) {
      TBitmap target;
      target.SetSize(bar.Width(), bar.Height());
      target.Canvas()->Brush()->SetColor(clWhite);
      target.Canvas()->FillRect(RECT{0, 0, bar.Width(), bar.Height()});
      bool defaultDraw = true;
      frame_->DrawMenuBarButton(*target.Canvas(), button, c.state, defaultDraw);
      EXPECT_FALSE(defaultDraw);
      EXPECT_EQ(PixelOf(target, r.left, r.top), frameColor);
      EXPECT_EQ(PixelOf(target, r.left, r.bottom - 1), frameColor);
      EXPECT_EQ(PixelOf(target, r.left + 2, mid), fill);
      // A selected button is two pixels narrower on the right.
      const int right = c.selected ? r.right - 3 : r.right - 1;
      EXPECT_EQ(PixelOf(target, right, mid), frameColor);
      if (c.selected) {
        EXPECT_EQ(PixelOf(target, r.right - 1, mid), clWhite);
      }
      EXPECT_EQ(PixelOf(target, r.left - 1, mid), clWhite);
      EXPECT_GT(CountNear(target, r, text, 0x30), 5);
    }
    // Neither hot nor selected: the framework's drawing, nothing of ours.
    TBitmap untouched;
    untouched.SetSize(bar.Width(), bar.Height());
    untouched.Canvas()->Brush()->SetColor(clWhite);
    untouched.Canvas()->FillRect(RECT{0, 0, bar.Width(), bar.Height()});
    bool defaultDraw = true;
    frame_->DrawMenuBarButton(*untouched.Canvas(), button, TCustomDrawState{}, defaultDraw);
    frame_->DrawMenuBarBackground(*untouched.Canvas(), RECT{0, 0, bar.Width(), bar.Height()});
    EXPECT_TRUE(defaultDraw);
    const RECT around{r.left - 4, r.top, r.right + 4, r.bottom};
    EXPECT_EQ(CountNear(untouched, around, clWhite, 0), (around.right - around.left) * (around.bottom - around.top));
  }
}

TEST_F(MenuBar, MacOSPictures) {
  TkvMainMenu* menu = NewMenu();
  menu->SetUIStyle(TkvUIStyle::MacOS);
  TToolBar& bar = *frame_->MenuBar();
  TToolButton& button = *bar.Buttons(0);
  const RECT r = button.BoundsRect();
  TBitmap picture, expected;
  // The selection picture stretched over the button, text on it.
  picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_SELECT");
  expected.SetSize(r.right - r.left, r.bottom - r.top);
  expected.Canvas()->StretchDraw(RECT{0, 0, expected.Width(), expected.Height()}, &picture);
  TBitmap target;
  target.SetSize(bar.Width(), bar.Height());
  bool defaultDraw = true;
  frame_->DrawMenuBarButton(*target.Canvas(), button, TCustomDrawState{cdsHot}, defaultDraw);
  EXPECT_FALSE(defaultDraw);
  for (POINT p : {POINT{1, 1}, POINT{2, expected.Height() - 2}, POINT{expected.Width() - 2, 3}})
    EXPECT_EQ(PixelOf(target, r.left + p.x, r.top + p.y), PixelOf(expected, p.x, p.y)) << p.x << ", " << p.y;
  EXPECT_GT(CountNear(target, r, ThemeColor(TkvUIStyle::MacOS, 13), 0x30), 5);
  // The bar picture behind everything.
  picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_BAR");
  expected.SetSize(bar.Width(), bar.Height());
  expected.Canvas()->StretchDraw(RECT{0, 0, bar.Width(), bar.Height()}, &picture);
  frame_->DrawMenuBarBackground(*target.Canvas(), RECT{0, 0, bar.Width(), bar.Height()});
  for (POINT p : {POINT{0, 0}, POINT{bar.Width() - 1, bar.Height() - 1}, POINT{bar.Width() / 2, 5}})
    EXPECT_EQ(PixelOf(target, p.x, p.y), PixelOf(expected, p.x, p.y)) << p.x << ", " << p.y;
  // A plain main menu: the frame's own style is in force.
  TMainMenu plain(host_);
  AddItem(plain, *plain.Items(), "Tep");
  frame_->SetMenu(&plain);
  frame_->SetUIStyle(TkvUIStyle::WinXP);
  TBitmap winxp;
  winxp.SetSize(bar.Width(), bar.Height());
  frame_->DrawMenuBarButton(*winxp.Canvas(), *frame_->MenuBar()->Buttons(0), TCustomDrawState{cdsHot}, defaultDraw);
  EXPECT_EQ(PixelOf(winxp, 0, 0), ColorToRGB(ThemeColor(TkvUIStyle::WinXP, 11)));
  frame_->SetMenu(nullptr);
}

// ---------------------------------------------------------------------------
// Shortcuts: keys typed into the frame's window reach the menu through the
// key hook.

namespace {

// Posts a key to `wnd` and lets the application take it from its queue.
void Type(HWND wnd, UINT message, WPARAM key, LPARAM data = 1) {
  PostMessageA(wnd, message, key, data);
  Application->ProcessMessages();
}

// Holds Ctrl down in this thread's key state for one scope.
struct CtrlDown {
  CtrlDown() {
    GetKeyboardState(keys);
    BYTE down[256];
    std::copy(std::begin(keys), std::end(keys), down);
    down[VK_CONTROL] = down[VK_LCONTROL] = 0x80;
    SetKeyboardState(down);
  }
  ~CtrlDown() { SetKeyboardState(keys); }
  BYTE keys[256];
};

}  // namespace

TEST_F(MenuBar, AShortcutRunsItsItem) {
  ASSERT_TRUE(frame_->HookInstalled());
  TkvMainMenu* menu = NewMenu();
  TMenuItem* save = menu->Items()->Items(0)->Items(1);
  TMenuItem* find = menu->Items()->Items(1)->Items(0);
  save->SetShortCut(scCtrl | 'S');
  find->SetShortCut(VK_F3);
  std::vector<std::string> ran;
  for (TMenuItem* item : {save, find})
    item->OnClick = TNotifyEvent([&ran, item](TObject*) { ran.push_back(item->Caption()); });
  TEdit* edit = ShowWithEdit();
  std::string typed;
  edit->OnKeyDown = TKeyEvent([&typed](TObject*, WORD& key, TShiftState) { typed += char(key); });

  Type(edit->Handle(), WM_KEYDOWN, VK_F3);
  EXPECT_EQ(ran, std::vector<std::string>{"Sua 1"});
  {
    CtrlDown ctrl;
    Type(edit->Handle(), WM_KEYDOWN, 'S');
  }
  EXPECT_EQ(ran, (std::vector<std::string>{"Sua 1", "Tep 2"}));
  // Without Ctrl the key is the edit's; a disabled item's shortcut too.
  Type(edit->Handle(), WM_KEYDOWN, 'S');
  find->SetEnabled(false);
  Type(edit->Handle(), WM_KEYDOWN, VK_F3);
  EXPECT_EQ(ran.size(), 2u);
  EXPECT_EQ(typed, std::string("S") + char(VK_F3));

  // A key typed into another window is that window's.
  TForm* other = TCustomForm::Create<TForm>(nullptr);
  other->SetBounds(600, 90, 200, 120);
  other->Show();
  Application->ProcessMessages();
  find->SetEnabled(true);
  Type(other->Handle(), WM_KEYDOWN, VK_F3);
  EXPECT_EQ(ran.size(), 2u);
  delete other;
  // The host's own window answers the shortcut too.
  Type(host_->Handle(), WM_KEYDOWN, VK_F3);
  EXPECT_EQ(ran.size(), 3u);
  EXPECT_EQ(frame_->HandleMenuShortcut(VK_F3, 0), true);
  EXPECT_EQ(ran.size(), 4u);
  EXPECT_FALSE(frame_->HandleMenuShortcut(VK_F4, 0));
}

TEST_F(MenuBar, AltAndAnAcceleratorTakeATopLevelItem) {
  TkvMainMenu* menu = NewMenu();
  TMenuItem* view = AddItem(*menu, *menu->Items(), "&Xem");
  int viewed = 0;
  view->OnClick = TNotifyEvent([&viewed](TObject*) { ++viewed; });
  menu->Loaded();
  TEdit* edit = ShowWithEdit();
  // Bit 29 of the key data: Alt is down. An item without sub-items runs.
  Type(edit->Handle(), WM_SYSKEYDOWN, 'X', LPARAM(1) | (LPARAM(1) << 29));
  EXPECT_EQ(viewed, 1);
  // Without Alt, or with a letter no item has, the key passes on.
  EXPECT_FALSE(frame_->HandleMenuShortcut('X', 0));
  EXPECT_FALSE(frame_->HandleMenuShortcut('Q', LPARAM(1) << 29));
  view->SetEnabled(false);
  EXPECT_FALSE(frame_->HandleMenuShortcut('X', LPARAM(1) << 29));
  EXPECT_EQ(viewed, 1);
}

TEST_F(MenuBar, AltAndAnAcceleratorDropAnItemWithSubItems) {
  TkvMainMenu* menu = NewMenu();
  TMenuItem* help = menu->Items()->Items(2);
  std::vector<std::string> chosen;
  for (int i = 0; i < help->Count(); ++i) {
    TMenuItem* item = help->Items(i);
    item->OnClick = TNotifyEvent([&chosen, item](TObject*) { chosen.push_back(item->Caption()); });
  }
  TEdit* edit = ShowWithEdit();

  TToolButton* button = frame_->MenuBar()->Buttons(2);
  bool dropped = false;
  const bool sawMenu =
      testsupport::DriveShownMenu([&] { Type(edit->Handle(), WM_SYSKEYDOWN, 'G', LPARAM(1) | (LPARAM(1) << 29)); },
                                  [&](HWND shown, int) {
                                    dropped = button->MenuDropped();
                                    PostMessageA(shown, WM_KEYDOWN, VK_DOWN, 0);
                                    PostMessageA(shown, WM_KEYDOWN, VK_RETURN, 0);
                                  });
  ASSERT_TRUE(sawMenu);
  EXPECT_TRUE(dropped);
  EXPECT_FALSE(button->MenuDropped());
  EXPECT_EQ(chosen, std::vector<std::string>{help->Items(0)->Caption()});
}

// A click on a bar button drops its item's sub-items below it; the screen
// is saved while they are shown, then the second is chosen.

TEST_F(MenuBar, APictureWithOneItemDropped) {
  TkvMainMenu* menu = NewMenu();
  menu->SetUseSystemFont(false);
  menu->SetFontName("Tahoma");
  menu->SetFontSize(9);
  TMenuItem* file = menu->Items()->Items(0);
  file->Items(0)->SetCaption("Mo tep...");
  file->Items(1)->SetCaption("Luu");
  file->Items(1)->SetShortCut(scCtrl | 'S');
  AddItem(*menu, *file, "-");
  AddItem(*menu, *file, "Thoat");
  std::vector<std::string> chosen;
  for (int i = 0; i < file->Count(); ++i) {
    TMenuItem* item = file->Items(i);
    item->OnClick = TNotifyEvent([&chosen, item](TObject*) { chosen.push_back(item->Caption()); });
  }
  menu->Loaded();  // the new items are drawn by the menu too
  host_->Show();
  Application->ProcessMessages();
  testsupport::PumpUntil([] { return false; }, 300);

  TToolBar& bar = *frame_->MenuBar();
  TToolButton* button = bar.Buttons(0);
  bool dropped = false;
  RECT menuRect{};
  testsupport::Picture shot;
  const int x = button->Left() + 5, y = button->Top() + 5;
  const bool sawMenu = testsupport::DriveShownMenu(
      [&] {
        SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
      },
      [&](HWND menu, int call) {
        if (call == 0) {
          dropped = button->MenuDropped();
          GetWindowRect(menu, &menuRect);
          PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
          return;
        }
        // One tick later the menu and the bar have painted.
        shot = testsupport::CaptureWindow(host_->Handle());
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
      });

  ASSERT_TRUE(sawMenu);
  EXPECT_TRUE(dropped);
  EXPECT_FALSE(button->MenuDropped());
  EXPECT_EQ(chosen, std::vector<std::string>{"Luu"});
  const POINT corner = bar.ClientToScreen(POINT{0, bar.Height()});
  EXPECT_EQ(menuRect.left, corner.x);
  EXPECT_EQ(menuRect.top, corner.y);
  ASSERT_GT(shot.width, 0);
  EXPECT_TRUE(testsupport::SavePng(shot, "skin_menubar_protein.png"));
  // The dropped button in Protein's selection colour on the screen.
  const RECT b = button->BoundsRect();
  const POINT onHost = host_->ScreenToClient(bar.ClientToScreen(POINT{b.left + 2, b.top + 10}));
  EXPECT_EQ(shot.At(onHost.x, onHost.y), OnScreen(ThemeColor(TkvUIStyle::Protein, 12)));
}
