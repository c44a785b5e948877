// The message box, the main menu and the options screen, driven as a user
// would: buttons clicked, boxes answered, screenshots saved.
#include <gtest/gtest.h>

#include "ScreenTesting.h"
#include "TempFolder.h"
#include "authoring/frmMain.h"
#include "authoring/frmOption.h"
#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"
#include "runtime/App.h"

using screentest::DialogAnswerer;

namespace {

// The screens work in a folder of their own, with its "config.xml".
class ScreenFolder : public testing::Test {
 protected:
  void SetUp() override {
    mdlMain::SetProgramFolder(folder.Path().substr(0, folder.Path().size() - 1));
    mdlMain::ProgramOptions = {};
  }
  void TearDown() override {
    frmOption::Get().Unload();
    frmMain::Get().Tat();
    tq::App::Get().DoEvents();
    mdlMain::SetProgramFolder({});
  }
  TempFolder folder;
};

void Click(tq::Button& button) { SendMessageW(button.Hwnd(), BM_CLICK, 0, 0); }

TEST(UniMsgBox, TextInTahoma13Weight500AndFontDeletedAfterwards) {
  const struct {
    UINT style;
    int button;
    const char* shot;
  } cases[] = {
      {mUniMsgBox::Information, IDOK, "quiz_msgbox_64"},
      {mUniMsgBox::YesNo, IDNO, "quiz_msgbox_36"},
      {mUniMsgBox::YesNoCancel, IDCANCEL, "quiz_msgbox_35"},
  };
  for (const auto& c : cases) {
    HFONT font = nullptr;
    LOGFONTW shown{};
    DialogAnswerer answer(c.button, [&](HWND box) {
      font = reinterpret_cast<HFONT>(SendMessageW(screentest::MessageTextWindow(box), WM_GETFONT, 0, 0));
      GetObjectW(font, sizeof shown, &shown);
      screentest::SaveScreenshot(box, c.shot);
    });
    const int result =
        mUniMsgBox::UnicodeMsgBox(L"Bạn muốn thoát chương trình ?\r\nĐặng Thị Ngọc Ánh", c.style, L"Tessaro", nullptr);
    EXPECT_EQ(result, c.button);
    EXPECT_EQ(answer.Title(), L"Tessaro");
    EXPECT_EQ(answer.Text(), L"Bạn muốn thoát chương trình ?\r\nĐặng Thị Ngọc Ánh");
    EXPECT_EQ(shown.lfHeight, 13);
    EXPECT_EQ(shown.lfWeight, 500);
    EXPECT_STREQ(shown.lfFaceName, L"Tahoma");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetObjectType(font), 0u) << "the box's font is deleted once it has closed";
  }
}

TEST(UniMsgBox, ABoxThatNeverOpensLeavesNoHook) {
  // An owner that is no window: the box is not shown and never activates.
  const int answer = mUniMsgBox::UnicodeMsgBox(L"x", 64, L"Tessaro", reinterpret_cast<HWND>(0x7FFF0));
  EXPECT_NE(answer, IDOK);
  const unsigned hookCalls = mUniMsgBox::HookCalls();
  // A window activated afterwards keeps the font of its own text, and no hook sees it.
  HWND wnd = CreateWindowExW(0, L"#32770", L"after", WS_POPUP | WS_CAPTION, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                             nullptr);
  HWND first = CreateWindowExW(0, L"Static", L"a", WS_CHILD, 0, 0, 50, 20, wnd, nullptr, nullptr, nullptr);
  HWND second = CreateWindowExW(0, L"Static", L"b", WS_CHILD, 0, 20, 50, 20, wnd, nullptr, nullptr, nullptr);
  ShowWindow(wnd, SW_SHOW);
  SetActiveWindow(wnd);
  EXPECT_EQ(SendMessageW(second, WM_GETFONT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(first, WM_GETFONT, 0, 0), 0);
  DestroyWindow(wnd);
  EXPECT_EQ(mUniMsgBox::HookCalls(), hookCalls);
}

// The help viewer is loaded from the system folder, never from the program's
// own folder, which the build fills with a stand-in of the same name.
TEST(Help, TheViewerComesFromTheSystemFolder) {
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring beside = program;
  beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + L"hhctrl.ocx";
  ASSERT_NE(GetFileAttributesW(beside.c_str()), INVALID_FILE_ATTRIBUTES);
  const frmMain::HtmlHelpProc entry = frmMain::HtmlHelpEntry();
  ASSERT_NE(entry, nullptr);
  HMODULE viewer = nullptr;
  ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCWSTR>(entry), &viewer));
  wchar_t loaded[MAX_PATH], system[MAX_PATH];
  GetModuleFileNameW(viewer, loaded, MAX_PATH);
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(CompareStringOrdinal(loaded, -1, (std::wstring(system) + L"\\hhctrl.ocx").c_str(), -1, TRUE), CSTR_EQUAL)
      << testing::PrintToString(std::wstring(loaded));
}

TEST_F(ScreenFolder, MainMenuQuitAnsweredNoThenYes) {
  frmMain::Show();
  frmMain::Screen& menu = frmMain::Get();
  ASSERT_TRUE(menu.Visible());
  EXPECT_EQ(menu.Caption(), L"Tessaro");
  EXPECT_EQ(menu.cmdLamTN.Caption(), L"Làm bài tập trắc nghiệm");
  EXPECT_EQ(menu.cmdQuit.Caption(), L"Thoát chương trình");
  screentest::SaveScreenshot(menu.Hwnd(), "quiz_main_menu");
  {
    DialogAnswerer no(IDNO);
    Click(menu.cmdQuit);
    EXPECT_EQ(no.Answered(), 1);
    EXPECT_EQ(no.Text(), L"Bạn muốn thoát chương trình ?");
  }
  EXPECT_TRUE(menu.Visible());
  {
    DialogAnswerer no(IDNO);
    PostMessageW(menu.Hwnd(), WM_CLOSE, 0, 0);  // the window's own close asks too
    tq::App::Get().DoEvents();
    EXPECT_EQ(no.Answered(), 1);
  }
  EXPECT_TRUE(menu.Loaded());
  {
    DialogAnswerer yes(IDYES);
    Click(menu.cmdQuit);
    EXPECT_EQ(yes.Answered(), 1);
  }
  EXPECT_FALSE(menu.Loaded());
  EXPECT_EQ(tq::App::Get().LoadedForms(), 0);
}

// Visible windows of this thread other than the menu: what a help viewer opened.
struct OtherWindowsSearch {
  HWND menu;
  int count = 0;
};

BOOL CALLBACK CountOtherWindow(HWND wnd, LPARAM param) {
  auto* search = reinterpret_cast<OtherWindowsSearch*>(param);
  if (wnd != search->menu && IsWindowVisible(wnd)) ++search->count;
  return TRUE;
}

int OtherWindows(HWND menu) {
  OtherWindowsSearch search{menu};
  EnumThreadWindows(GetCurrentThreadId(), CountOtherWindow, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

TEST_F(ScreenFolder, HelpWithoutAUsableFileShowsNothingAndReturns) {
  frmMain::Show();
  frmMain::Screen& menu = frmMain::Get();
  for (const char* content : {static_cast<const char*>(nullptr), "not a help file"}) {
    if (content) {
      ASSERT_TRUE(tq::WriteFileAtomic(folder / L"Tessaro.chm", content));
    }
    DialogAnswerer none(IDOK);
    Click(menu.cmdHelp);
    tq::App::Get().DoEvents();
    EXPECT_EQ(none.Answered(), 0) << "the help viewer reported a failure";
    EXPECT_EQ(OtherWindows(menu.Hwnd()), 0);
    EXPECT_TRUE(menu.Visible());
  }
}

TEST_F(ScreenFolder, OptionsOkWritesTheFileAndTheSettings) {
  frmMain::Show();
  Click(frmMain::Get().cmdOption);  // asks nothing
  frmOption::Screen& options = frmOption::Get();
  ASSERT_TRUE(options.Visible());
  EXPECT_FALSE(frmMain::Get().Loaded());
  // Without a file: empty boxes, the light blue swatch, no layout chosen.
  EXPECT_EQ(options.txtUser.Text(), L"");
  EXPECT_EQ(options.lblColor.BackColor(), mdlMain::DefaultBackColor);
  EXPECT_EQ(options.cboPG.ListIndex(), -1);
  EXPECT_EQ(options.Nhan[0].Caption(), L"Tên người sử dụng :");
  options.txtUser.SetText(L"Nguyễn <Văn> An\x01");
  options.txtLop.SetText(L"10A");
  options.txtMaso.SetText(L"17");
  options.cboPG.SetListIndex(0);
  screentest::SaveScreenshot(options.Hwnd(), "quiz_options");
  Click(options.cmdOK);
  EXPECT_FALSE(options.Loaded());
  EXPECT_TRUE(frmMain::Get().Visible());
  EXPECT_EQ(mdlMain::ProgramOptions.userName, L"Nguyễn <Văn> An");
  EXPECT_EQ(mdlMain::ProgramOptions.backColor, mdlMain::DefaultBackColor);
  EXPECT_EQ(mdlMain::ProgramOptions.layout, mdlMain::Layout::Small800x600);
  const mdlMain::Options read = mdlMain::ReadProgramOptions(folder / L"config.xml");
  EXPECT_EQ(read.userName, L"Nguyễn <Văn> An");
  EXPECT_EQ(read.className, L"10A");
  EXPECT_EQ(read.candidateNumber, L"17");
  EXPECT_EQ(read.layout, mdlMain::Layout::Small800x600);

  // Opened again, the screen shows the file.
  Click(frmMain::Get().cmdOption);
  EXPECT_EQ(options.txtUser.Text(), L"Nguyễn <Văn> An");
  EXPECT_EQ(options.cboPG.ListIndex(), 0);
}

TEST_F(ScreenFolder, OptionsCancelAndColourDialogCancelChangeNothing) {
  const std::string file =
      "<?xml version=\"1.0\"?><Tessaro><Option>An</Option><Option>9</Option><Option>3</Option>"
      "<Option>255</Option><Option>1</Option></Tessaro>";
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"config.xml", file));
  frmOption::Show();
  frmOption::Screen& options = frmOption::Get();
  EXPECT_EQ(options.lblColor.BackColor(), 255u);
  EXPECT_EQ(options.cboPG.ListIndex(), 1);
  {
    COLORREF start = 1;
    DialogAnswerer cancel(IDCANCEL, [&](HWND dialog) {
      screentest::SaveScreenshot(dialog, "quiz_options_colour");
      start = 0;  // the dialog opened
    });
    options.lblColor_Click();
    EXPECT_EQ(cancel.Answered(), 1);
    EXPECT_EQ(start, 0u);
  }
  EXPECT_EQ(options.lblColor.BackColor(), 255u) << "a cancelled colour dialog keeps the swatch";
  EXPECT_EQ(options.CDBox.Color, 255u) << "the dialog starts from the swatch";
  options.txtUser.SetText(L"changed");
  Click(options.cmdCancel);
  EXPECT_FALSE(options.Loaded());
  EXPECT_TRUE(frmMain::Get().Visible());
  EXPECT_EQ(ReadAll(folder / L"config.xml"), file);
  EXPECT_EQ(mdlMain::ProgramOptions.userName, L"");
}

TEST_F(ScreenFolder, FailedSaveKeepsScreenFileAndSettings) {
  // A folder in the file's place: nothing to read, and no file can replace it.
  ASSERT_TRUE(CreateDirectoryW((folder / L"config.xml").c_str(), nullptr));
  frmOption::Show();
  frmOption::Screen& options = frmOption::Get();
  EXPECT_EQ(options.txtUser.Text(), L"");
  options.txtUser.SetText(L"new");
  {
    DialogAnswerer ok(IDOK, [](HWND box) { screentest::SaveScreenshot(box, "quiz_options_save_failed"); });
    Click(options.cmdOK);
    EXPECT_EQ(ok.Answered(), 1);
    EXPECT_NE(ok.Text().find(L"config.xml"), std::wstring::npos);
  }
  EXPECT_TRUE(options.Visible());
  EXPECT_EQ(options.txtUser.Text(), L"new");
  EXPECT_EQ(mdlMain::ProgramOptions.userName, L"");
  EXPECT_EQ(folder.Listing(), L"config.xml;");
}

}  // namespace
