// The framework's tool bar: buttons sized to their captions, buttons bound
// to menu items (caption, enabled state, running the item or dropping its
// sub-items), what a menu hears of its items' changes, and the default look
// of a disabled caption.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "framework/windows/ToolBars.h"
#include "TestSupport.h"

using namespace kx;

namespace {

// A main menu that writes down what its items tell it.
class TLoggingMenu : public TMainMenu {
 public:
  using TMainMenu::TMainMenu;
  std::vector<std::string> log;

 protected:
  void MenuChanged(TMenuItem* source, bool rebuild) override {
    log.push_back(source->Caption() + (rebuild ? " rebuild" : " change"));
  }
};

// An item owned (and freed) by `menu`.
TMenuItem* AddItem(TMenu& menu, TMenuItem& parent, const std::string& caption) {
  auto* item = new TMenuItem(&menu);
  item->SetCaption(caption);
  parent.Add(item);
  return item;
}

TColor PixelOf(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

// Pixels whose every channel lies in lo..hi.
int CountBetween(TBitmap& b, int lo, int hi) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor c = PixelOf(b, x, y);
      bool in = true;
      for (int shift : {0, 8, 16}) in = in && int((c >> shift) & 0xFF) >= lo && int((c >> shift) & 0xFF) <= hi;
      n += in;
    }
  return n;
}

class ToolBars : public testing::Test {
 protected:
  void SetUp() override {
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBounds(140, 120, 360, 200);
    bar_ = new TToolBar(form_);
    bar_->SetParent(form_);
    bar_->SetFlat(true);
    bar_->Font()->SetName("Tahoma");
    bar_->Font()->SetSize(10);
  }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  TToolButton* NewButton(const std::string& caption) {
    auto* b = new TToolButton(form_);
    b->SetParent(bar_);
    b->SetCaption(caption);
    return b;
  }
  int CaptionWidth(const std::string& caption) {
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas()->Font()->Assign(bar_->Font());
    return scratch.Canvas()->TextWidth(caption);
  }
  TForm* form_ = nullptr;
  TToolBar* bar_ = nullptr;
};

}  // namespace

TEST_F(ToolBars, AutoSizedButtonsFollowTheirCaptions) {
  TToolButton* file = NewButton("Tep tin");
  TToolButton* help = NewButton("Tro giup");
  file->SetAutoSize(true);
  help->SetAutoSize(true);
  // Without captions shown every button has the bar's button width.
  EXPECT_EQ(file->Width(), 23);
  bar_->SetShowCaptions(true);
  EXPECT_EQ(file->Width(), CaptionWidth("Tep tin") + 14);
  EXPECT_EQ(help->Left(), file->Width());
  file->SetCaption("Tep");
  EXPECT_EQ(file->Width(), CaptionWidth("Tep") + 14);
  EXPECT_EQ(help->Left(), file->Width());
  // "&" marks the accelerator and takes no room.
  file->SetCaption("&Tep");
  EXPECT_EQ(file->Width(), CaptionWidth("Tep") + 14);
  // A new bar font measures anew.
  bar_->Font()->SetSize(16);
  EXPECT_EQ(file->Width(), CaptionWidth("Tep") + 14);
  EXPECT_GT(CaptionWidth("Tep"), 0);
  // A button without AutoSize keeps the bar's width.
  TToolButton* fixed = NewButton("Mot chu rat dai");
  EXPECT_EQ(fixed->Width(), 23);
  EXPECT_EQ(bar_->ButtonHeight(), file->Height());
}

TEST_F(ToolBars, AButtonBoundToAMenuItem) {
  TMainMenu menu(form_);
  TMenuItem* file = AddItem(menu, *menu.Items(), "&Tep");
  file->SetEnabled(false);
  TToolButton* button = NewButton("");
  button->SetGrouped(true);
  button->SetMenuItem(file);
  EXPECT_TRUE(button->Grouped());
  EXPECT_EQ(button->Caption(), "&Tep");
  EXPECT_FALSE(button->Enabled());
  EXPECT_TRUE(button->DrawState().Contains(cdsDisabled));
  EXPECT_EQ(std::get<TObject*>(GetPropValue(*button, "MenuItem")), file);
  // The item goes first: the button lets it go.
  delete file;
  EXPECT_EQ(button->MenuItem(), nullptr);
  button->Click();  // nothing left to run
}

TEST_F(ToolBars, AClickRunsAnItemWithoutSubItems) {
  TMainMenu menu(form_);
  TMenuItem* about = AddItem(menu, *menu.Items(), "Gioi thieu");
  int runs = 0, clicks = 0;
  about->OnClick = TNotifyEvent([&runs](TObject*) { ++runs; });
  TToolButton* button = NewButton("");
  button->SetMenuItem(about);
  button->OnClick = TNotifyEvent([&clicks](TObject*) { ++clicks; });
  button->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(button->MenuDropped());
}

TEST(ToolBarMenus, TheMenuHearsWhatItsItemsChange) {
  TLoggingMenu menu(nullptr);
  TMenuItem* file = AddItem(menu, *menu.Items(), "Tep");
  TMenuItem* open = AddItem(menu, *file, "Mo");
  menu.log.clear();
  struct Case {
    std::function<void()> write;
    std::vector<std::string> heard;
  } cases[] = {
      {[&] { file->SetCaption("Tep tin"); }, {"Tep tin change"}},
      {[&] { file->SetCaption("Tep tin"); }, {}},  // nothing changed
      {[&] { open->SetEnabled(false); }, {"Mo change"}},
      {[&] { open->SetChecked(true); }, {"Mo change"}},
      {[&] { open->SetShortCut(scCtrl | 'O'); }, {"Mo change"}},
      {[&] { open->SetVisible(false); }, {"Mo rebuild"}},
      {[&] { AddItem(menu, *file, "Luu"); }, {"Tep tin rebuild"}},
      {[&] { file->Remove(open); }, {"Tep tin rebuild"}},
      {[&] { open->SetCaption("Mo ra"); }, {}},  // no longer in the menu
      {[&] { delete file->Items(0); }, {}},      // an item freed leaves quietly
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    menu.log.clear();
    cases[i].write();
    EXPECT_EQ(menu.log, cases[i].heard) << i;
  }
  EXPECT_EQ(file->GetParentMenu(), &menu);
  EXPECT_EQ(open->GetParentMenu(), nullptr);
  delete open;
}

TEST(ToolBarMenus, Accelerators) {
  struct Case {
    const char* caption;
    char key;
  } cases[] = {{"&Tep", 'T'}, {"Tro &giup", 'G'}, {"A&&B", 0}, {"&&A&b", 'B'}, {"Khong", 0}, {"Cuoi&", 0}};
  for (const Case& c : cases) {
    TMenuItem item(nullptr);
    item.SetCaption(c.caption);
    EXPECT_EQ(item.Accelerator(), c.key) << c.caption;
  }
}

TEST_F(ToolBars, DisabledCaptionsAreGrey) {
  bar_->SetShowCaptions(true);
  bar_->SetColor(clWhite);
  TToolButton* button = NewButton("Tep tin");
  button->SetAutoSize(true);
  TBitmap enabled, disabled;
  for (TBitmap* b : {&enabled, &disabled}) {
    button->SetEnabled(b == &enabled);
    b->SetSize(bar_->Width(), bar_->Height());
    b->Canvas()->Font()->Assign(bar_->Font());
    b->Canvas()->Font()->SetColor(clBlack);
    bar_->PaintBar(*b->Canvas());
  }
  EXPECT_GT(CountBetween(enabled, 0, 0x40), 10);
  EXPECT_EQ(CountBetween(disabled, 0, 0x40), 0);
  EXPECT_GT(CountBetween(disabled, 0x60, 0xC0), 10);
  // The canvas keeps its own colour for what is drawn next.
  EXPECT_EQ(disabled.Canvas()->Font()->Color(), clBlack);
}

// ---------------------------------------------------------------------------
// A click on a button whose item has sub-items drops them below the button;
// the second is chosen with the keyboard while they are shown.

TEST_F(ToolBars, AClickDropsTheSubItemsBelowTheButton) {
  form_->Show();
  Application->ProcessMessages();
  TMainMenu menu(form_);
  TMenuItem* file = AddItem(menu, *menu.Items(), "&Tep");
  std::vector<std::string> chosen;
  for (const char* caption : {"Mo", "Luu", "Thoat"}) {
    TMenuItem* item = AddItem(menu, *file, caption);
    item->OnClick = TNotifyEvent([&chosen, item](TObject*) { chosen.push_back(item->Caption()); });
  }
  NewButton("x");
  TToolButton* button = NewButton("");
  button->SetMenuItem(file);
  ASSERT_GT(button->Left(), 0);

  bool droppedWhileShown = false;
  RECT menuRect{};
  // A real click on the bar's window, where the button stands.
  const int x = button->Left() + 5, y = button->Top() + 5;
  const bool sawMenu = testsupport::DriveShownMenu(
      [&] {
        SendMessageA(bar_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(bar_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
      },
      [&](HWND menu, int call) {
        if (call == 0) {
          droppedWhileShown = button->MenuDropped() && button->DrawState().Contains(cdsSelected);
          GetWindowRect(menu, &menuRect);
          PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
          return;
        }
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
      });

  ASSERT_TRUE(sawMenu);
  EXPECT_TRUE(droppedWhileShown);
  EXPECT_FALSE(button->MenuDropped());
  EXPECT_EQ(chosen, std::vector<std::string>{"Luu"});
  // Below the button's bottom-left corner.
  const POINT corner = bar_->ClientToScreen(POINT{button->Left(), button->Top() + button->Height()});
  EXPECT_EQ(menuRect.left, corner.x);
  EXPECT_EQ(menuRect.top, corner.y);
}
