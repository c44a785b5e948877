// The form runtime: screens that load on their first show and rebuild their
// controls on every load, controls and their events, timers, menus.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ScreenTesting.h"
#include "authoring/mnuUnicode.h"
#include "runtime/App.h"
#include "runtime/CommonDialog.h"
#include "runtime/Controls.h"
#include "runtime/Form.h"

namespace {

class SampleForm : public tq::Form {
 public:
  SampleForm() : tq::Form(L"Mẫu", 6000, 4500) {}

  tq::TextBox txtName;
  tq::ControlGroup<tq::OptionButton> optKind{3};
  tq::Button cmdGo;
  tq::Timer tmrClock;
  tq::ComboBox cboSize;
  tq::UpDown updCount;
  std::vector<std::wstring> events;
  int loads = 0;
  int ticks = 0;
  bool refuseUnload = false;
  std::wstring keptField;  // a field of the screen: it outlives unloading
  std::vector<tq::MenuItem> menu;

 protected:
  void CreateControls() override {
    if (!menu.empty()) SetMenuBar(menu);
    txtName.Create(*this, false, 240, 240, 3000, 360);
    for (size_t k = 0; k < optKind.Count(); ++k) {
      optKind[k].Create(*this, L"Loại " + std::to_wstring(k), k == 0, 240, 720 + 360 * static_cast<int>(k), 2400, 300);
    }
    cmdGo.Create(*this, L"Đi", 3600, 240, 1200, 420);
    cboSize.Create(*this, 240, 1980, 2400, 360);
    updCount.Create(*this, 3000, 1980, 1200, 360, 1, 50);
    tmrClock.Create(*this);
    txtName.OnChange = [this] { events.push_back(L"change:" + txtName.Text()); };
    optKind.OnClick([this](int index) { events.push_back(L"kind:" + std::to_wstring(index)); });
    tmrClock.OnTimer = [this] { ++ticks; };
  }
  void Form_Load() override { ++loads; }
  void Form_Unload(bool& cancel) override { cancel = refuseUnload; }
};

// A screen whose loading throws.
class FailingForm : public tq::Form {
 public:
  FailingForm() : tq::Form(L"Hỏng", 6000, 4500) {}
  tq::Button cmdGo;
  bool fail = true;

 protected:
  void CreateControls() override { cmdGo.Create(*this, L"Đi", 240, 240, 1200, 420); }
  void Form_Load() override {
    if (fail) throw std::runtime_error("cannot load");
  }
};

// A screen that cannot load leaves no window behind and does not count as
// loaded, so the program cannot live on with nothing on the screen; the
// error reaches the caller, and a later show loads it afresh.
TEST(Forms, AScreenWhoseLoadingThrowsLeavesNoWindow) {
  const int loadedBefore = tq::App::Get().LoadedForms();
  FailingForm form;
  EXPECT_THROW(form.Show(), std::runtime_error);
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(tq::App::Get().LoadedForms(), loadedBefore);
  EXPECT_EQ(FindWindowW(L"TessaroForm", L"Hỏng"), nullptr);
  EXPECT_FALSE(form.cmdGo.Exists());
  form.fail = false;
  form.Show();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(tq::App::Get().LoadedForms(), loadedBefore + 1);
  form.Unload();
  tq::App::Get().DoEvents();
}

TEST(Forms, LoadOnFirstShowRebuildControlsKeepFields) {
  SampleForm form;
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(form.txtName.Exists());
  form.keptField = L"kept";
  form.Show();
  ASSERT_TRUE(form.Loaded());
  EXPECT_EQ(form.loads, 1);
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(tq::App::Get().LoadedForms(), 1);
  form.Show();  // shown again: no second load
  EXPECT_EQ(form.loads, 1);

  // Sizes are in twips: 1440 to an inch.
  RECT outer;
  GetWindowRect(form.Hwnd(), &outer);
  EXPECT_EQ(outer.right - outer.left, tq::PixelsFromTwipsX(6000));
  EXPECT_EQ(tq::PixelsFromTwipsX(1440), 1440 / tq::TwipsPerPixelX());
  RECT box;
  GetWindowRect(form.cmdGo.Hwnd(), &box);
  EXPECT_EQ(box.right - box.left, tq::PixelsFromTwipsX(1200));

  form.txtName.SetText(L"An");
  form.refuseUnload = true;
  EXPECT_FALSE(form.Unload());
  EXPECT_TRUE(form.Loaded());
  form.refuseUnload = false;
  EXPECT_TRUE(form.Unload());
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(form.txtName.Exists());
  EXPECT_EQ(form.txtName.Text(), L"");
  EXPECT_EQ(form.keptField, L"kept");

  // The last screen gone, the message loop ends.
  EXPECT_FALSE(tq::App::Get().DoEvents());

  form.Show();  // a fresh load: fresh controls, fields as they were
  EXPECT_EQ(form.loads, 2);
  EXPECT_EQ(form.txtName.Text(), L"");
  EXPECT_TRUE(form.Unload());
  tq::App::Get().DoEvents();
}

TEST(Forms, TextBoxChangeEvents) {
  SampleForm form;
  form.Show();
  form.events.clear();
  const struct {
    const wchar_t* text;
    std::vector<std::wstring> events;
  } writes[] = {
      {L"a", {L"change:a"}},
      {L"a", {L"change:a"}},  // unchanged: still one event
      {L"", {L"change:"}},
      {L"Tiếng Việt", {L"change:Tiếng Việt"}},
  };
  for (const auto& w : writes) {
    form.events.clear();
    form.txtName.SetText(w.text);
    EXPECT_EQ(form.events, w.events) << w.text;
  }
  // Typing raises one event per change.
  form.events.clear();
  form.txtName.Select(0, 0);
  SendMessageW(form.txtName.Hwnd(), WM_CHAR, L'X', 1);
  EXPECT_EQ(form.events, std::vector<std::wstring>{L"change:XTiếng Việt"});
  form.txtName.Select(1, 5);
  EXPECT_EQ(form.txtName.SelStart(), 1);
  EXPECT_EQ(form.txtName.SelLength(), 5);
  EXPECT_EQ(form.txtName.SelText(), L"Tiếng");
  form.Unload();
  tq::App::Get().DoEvents();
}

TEST(Forms, GroupsTellTheirIndexAndControlsKeepTheirValues) {
  SampleForm form;
  form.Show();
  form.events.clear();
  SendMessageW(form.optKind[2].Hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form.optKind[0].Hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.events, (std::vector<std::wstring>{L"kind:2", L"kind:0"}));
  EXPECT_TRUE(form.optKind[0].Value());
  EXPECT_FALSE(form.optKind[2].Value());

  EXPECT_EQ(form.cboSize.ListIndex(), -1);
  form.cboSize.AddItem(L"800 x 600");
  form.cboSize.AddItem(L"1024 x 768");
  form.cboSize.SetListIndex(1);
  EXPECT_EQ(form.cboSize.ListIndex(), 1);
  EXPECT_EQ(form.cboSize.List(0), L"800 x 600");

  EXPECT_EQ(form.updCount.Value(), 1);
  form.updCount.SetValue(70);
  EXPECT_EQ(form.updCount.Value(), 50);
  SendMessageW(form.updCount.Hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
  EXPECT_EQ(form.updCount.Value(), 12);
  screentest::SaveScreenshot(form.Hwnd(), "quiz_form_controls");
  form.Unload();
  tq::App::Get().DoEvents();
}

TEST(Forms, TimerTicksOnlyWhileItsScreenIsLoaded) {
  SampleForm form;
  form.Show();
  form.tmrClock.Tick();  // not enabled: nothing
  EXPECT_EQ(form.ticks, 0);
  form.tmrClock.SetEnabled(true);
  form.tmrClock.Tick();
  form.tmrClock.Tick();
  EXPECT_EQ(form.ticks, 2);
  form.Unload();
  EXPECT_FALSE(form.tmrClock.Enabled());
  form.tmrClock.Tick();
  EXPECT_EQ(form.ticks, 2);
  form.tmrClock.SetEnabled(true);  // no screen: stays off
  EXPECT_FALSE(form.tmrClock.Enabled());
  tq::App::Get().DoEvents();
}

TEST(Forms, MenuCaptionsConvertedAndShortcutsReachTheMenu) {
  SampleForm form;
  int help = 0, open = 0;
  form.menu = {
      {L"&Ta65p tin",
       nullptr,
       {{L"&Mo73", [&] { ++open; }, {}, L'O'},
        {L"-", nullptr, {}, 0},
        {L"Ca1c mu5c", nullptr, {{L"Mu5c con", nullptr, {{L"Mu5c sa6u", nullptr, {}, 0}}, 0}}, 0}},
       0},
      {L"Tro75 giu1p", nullptr, {{L"Hu7o71ng da64n", [&] { ++help; }, {}, L'H'}}, 0},
  };
  form.Show();
  mnuUnicode::MenuToUnicode(form.Hwnd());
  HMENU bar = GetMenu(form.Hwnd());
  auto text = [](HMENU menu, int position) {
    wchar_t buffer[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), buffer, 256, MF_BYPOSITION);
    return std::wstring(buffer);
  };
  EXPECT_EQ(text(bar, 0), L"&Tập tin");
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(text(file, 0), L"&Mở\tCtrl+O");
  EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  HMENU deeper = GetSubMenu(GetSubMenu(file, 2), 0);
  EXPECT_EQ(text(GetSubMenu(file, 2), 0), L"Mục con");
  EXPECT_EQ(text(deeper, 0), L"Mục sâu");
  EXPECT_EQ(text(GetSubMenu(bar, 1), 0), L"Hướng dẫn\tCtrl+H");

  // Ctrl+H in a text box would delete a character there; it reaches the menu.
  form.txtName.SetText(L"abc");
  form.txtName.SetFocus();
  form.txtName.Select(3, 0);
  screentest::PressKey(form.txtName.Hwnd(), 'H', true);
  EXPECT_EQ(help, 1);
  EXPECT_EQ(form.txtName.Text(), L"abc");
  screentest::SaveScreenshot(form.Hwnd(), "quiz_form_menu");
  form.Unload();
  tq::App::Get().DoEvents();
}

TEST(Forms, MenuItemsEnabledDisabledAndRecaptionedAfterBuilding) {
  SampleForm form;
  std::vector<std::wstring> runs;
  auto run = [&](const wchar_t* what) { return [&runs, what] { runs.push_back(what); }; };
  form.menu = {
      {L"&Ta65p tin",
       nullptr,
       {{L"&Lu7u", run(L"save"), {}, L'S', true, L"mnuSave", false},
        {L"Lu7u d9e2", run(L"saveas"), {}, VK_F12, false, L"mnuSaveas"}},
       0,
       true,
       L"mnuFile"},
      {L"&Chi3nh su73a", nullptr, {{L"The6m", run(L"add"), {}, L'T', true, L"mnuAdd"}}, 0, true, L"mnuEditQ", false},
      {L"Tu75 d9o65ng : OFF", run(L"auto"), {}, 0, true, L"mnuAuto"},
  };
  form.Show();
  mnuUnicode::MenuToUnicode(form.Hwnd());
  HMENU bar = GetMenu(form.Hwnd());
  HMENU file = GetSubMenu(bar, 0);

  // As built: the stored states, shown by the system too.
  EXPECT_FALSE(form.MenuEnabled(L"mnuSave"));
  EXPECT_TRUE(GetMenuState(file, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_FALSE(form.MenuEnabled(L"mnuEditQ"));
  EXPECT_TRUE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(form.MenuCaption(L"mnuSave"), L"&Lưu");
  EXPECT_EQ(form.MenuCaption(L"mnuSaveas"), L"Lưu đè");

  // Disabled items and items of a disabled menu do nothing, by click or by key.
  form.ClickMenu(L"mnuSave");
  form.ClickMenu(L"mnuAdd");
  screentest::PressKey(form.txtName.Hwnd(), 'S', true);
  screentest::PressKey(form.txtName.Hwnd(), 'T', true);
  EXPECT_TRUE(runs.empty());
  screentest::PressKey(form.txtName.Hwnd(), VK_F12, false);
  EXPECT_EQ(runs, std::vector<std::wstring>{L"saveas"});

  form.SetMenuEnabled(L"mnuSave", true);
  form.SetMenuEnabled(L"mnuEditQ", true);
  EXPECT_FALSE(GetMenuState(file, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
  screentest::PressKey(form.txtName.Hwnd(), 'S', true);
  screentest::PressKey(form.txtName.Hwnd(), 'T', true);
  form.ClickMenu(L"mnuAuto");
  EXPECT_EQ(runs, (std::vector<std::wstring>{L"saveas", L"save", L"add", L"auto"}));

  // Disabling the menu again stops its items; re-captioning keeps the shortcut's text.
  form.SetMenuEnabled(L"mnuEditQ", false);
  screentest::PressKey(form.txtName.Hwnd(), 'T', true);
  EXPECT_EQ(runs.size(), 4u);
  form.SetMenuCaption(L"mnuAuto", L"Auto preview : ON");
  form.SetMenuCaption(L"mnuSaveas", L"Lưu khác");
  EXPECT_EQ(form.MenuCaption(L"mnuAuto"), L"Auto preview : ON");
  wchar_t shown[64] = {};
  GetMenuStringW(file, 1, shown, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(shown), L"Lưu khác\tF12");
  EXPECT_EQ(form.MenuCaption(L"nothing"), L"");
  form.SetMenuEnabled(L"nothing", true);  // an unknown name changes nothing
  screentest::SaveScreenshot(form.Hwnd(), "quiz_form_menu_states");

  // A fresh load builds the bar as stored again.
  form.Unload();
  form.Show();
  EXPECT_FALSE(form.MenuEnabled(L"mnuSave"));
  EXPECT_EQ(form.MenuCaption(L"mnuAuto"), L"Tu75 d9o65ng : OFF");
  form.Unload();
  tq::App::Get().DoEvents();
}

TEST(Forms, ABoxThatTakesTabTypesATab) {
  SampleForm form;
  form.Show();
  form.txtName.TakeTab();
  form.txtName.SetText(L"ab");
  form.txtName.SetFocus();
  form.txtName.Select(1, 0);
  form.events.clear();
  screentest::PressKey(form.txtName.Hwnd(), VK_TAB, false);
  EXPECT_EQ(form.txtName.Text(), L"a\tb");
  EXPECT_EQ(GetFocus(), form.txtName.Hwnd());
  EXPECT_EQ(form.events, std::vector<std::wstring>{L"change:a\tb"});
  // Shift+Tab still moves on, and types nothing.
  screentest::PressKey(form.txtName.Hwnd(), VK_TAB, false, true);
  EXPECT_EQ(form.txtName.Text(), L"a\tb");
  EXPECT_NE(GetFocus(), form.txtName.Hwnd());
  form.Unload();
  tq::App::Get().DoEvents();
}

}  // namespace

namespace {

TEST(CommonDialog, FiltersAndCancelledDialogs) {
  EXPECT_EQ(tq::CommonDialog::SystemFilter(L"Tessaro File (*.xml)|*.xml|"),
            std::wstring(L"Tessaro File (*.xml)\0*.xml\0\0", 28));
  EXPECT_EQ(tq::CommonDialog::SystemFilter(L"Image File (*.jpg;*.gif;*.png)|*.jpg;*.gif;*.png|"),
            std::wstring(L"Image File (*.jpg;*.gif;*.png)\0*.jpg;*.gif;*.png\0\0", 50));
  SampleForm form;
  form.Show();
  tq::CommonDialog dialog;
  dialog.Filter = L"Tessaro File (*.xml)|*.xml|";
  dialog.FileName = L"old.xml";
  {
    screentest::DialogAnswerer cancel(IDCANCEL, [](HWND box) { screentest::SaveScreenshot(box, "quiz_dialog_open"); });
    dialog.ShowOpen(form.Hwnd());
    EXPECT_EQ(cancel.Answered(), 1);
  }
  EXPECT_EQ(dialog.FileName, L"") << "a cancelled dialog gives an empty name";
  {
    screentest::DialogAnswerer cancel(IDCANCEL);
    dialog.ShowSave(form.Hwnd());
    EXPECT_EQ(cancel.Answered(), 1);
  }
  EXPECT_EQ(dialog.FileName, L"");
  form.Unload();
  tq::App::Get().DoEvents();
}

}  // namespace
