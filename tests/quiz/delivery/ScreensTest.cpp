// The set-up and test screens driven as a student would: a package opened from
// the command line, a random test with a time limit answered, graded, looked
// over and left; a test graded by its countdown. Screenshots are saved.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>

#include "GifWriter.h"
#include "ScreenFakes.h"
#include "ScreenTesting.h"
#include "TempFolder.h"
#include "TestSupport.h"
#include "ZipTestFiles.h"
#include "authoring/frmMain.h"
#include "authoring/mdlMain.h"
#include "delivery/frmBienDich.h"
#include "delivery/frmLamTN_Screen.h"
#include "delivery/frmTTTN_Screen.h"
#include "runtime/App.h"
#include "runtime/Utf.h"

using screentest::DialogAnswerer;

namespace {

void Click(tq::Control& control) { SendMessageW(control.Hwnd(), BM_CLICK, 0, 0); }

std::vector<std::wstring> Items(const tq::ComboBox& list) {
  std::vector<std::wstring> items;
  for (int k = 0; k < list.ListCount(); ++k) items.push_back(list.List(k));
  return items;
}

// A picture of one colour with a darker frame, as a PNG.
void WritePicture(const std::wstring& path, unsigned colour) {
  testsupport::Picture picture;
  picture.width = 120;
  picture.height = 60;
  picture.pixels.assign(120 * 60, colour);
  for (int x = 0; x < 120; ++x) picture.pixels[x] = picture.pixels[59 * 120 + x] = 0x202020;
  char narrow[MAX_PATH];
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
  ASSERT_TRUE(testsupport::SavePng(picture, narrow));
}

// The program folder with its Temp folder, options as start-up reads them.
class TestScreens : public testing::Test {
 protected:
  void SetUp() override {
    mdlMain::SetProgramFolder(program.Path().substr(0, program.Path().size() - 1));
    CreateDirectoryW((program / L"Temp").c_str(), nullptr);
    mdlMain::InitTempPage();
    mdlMain::ProgramOptions = {};
    mdlMain::ProgramOptions.userName = L"Nguyễn Thị Hương";
    mdlMain::ProgramOptions.className = L"10A2";
    mdlMain::ProgramOptions.candidateNumber = L"0815";
    mdlMain::ProgramOptions.backColor = mdlMain::DefaultBackColor;
  }
  void TearDown() override {
    frmLamTN::Screen& test = frmLamTN::Get();
    if (test.Loaded()) {
      DialogAnswerer no(IDNO);
      test.Unload();
    }
    frmTTTN::Get().Unload();
    frmMain::Get().Tat();
    tq::App::Get().DoEvents();
    mdlMain::SetProgramFolder({});
  }

  // Ticks of the countdown come from the test alone.
  static void StopRealTicks(frmLamTN::Screen& test) {
    KillTimer(test.Hwnd(), reinterpret_cast<UINT_PTR>(&test.tmrTime));
  }

  // A bank of `count` questions whose first ones show pictures beside the bank.
  std::wstring PictureBank(int count) {
    CreateDirectoryW((source / L"bài").c_str(), nullptr);
    WritePicture(source / L"bài\\hình 1.png", 0x3070D0);
    WritePicture(source / L"bài\\hình 2.png", 0xD07030);
    std::vector<QuestionRecord> records = NumberedQuestions(count);
    for (int k = 0; k < count; ++k) {
      records[static_cast<size_t>(k)].CauHoi =
          L"Câu số " + std::to_wstring(k + 1) + L": Tính [b]đạo hàm[/b] của x[t]2[/t] <tại> x = 1 ?";
      records[static_cast<size_t>(k)].CauA = L"[image]hình " + std::to_wstring(k % 2 + 1) + L".png[/image]";
    }
    const std::wstring path = source / L"bài\\ngân hàng.xml";
    EXPECT_TRUE(WriteBankFile(path, records));
    return path;
  }

  std::wstring PackageOf(const std::wstring& bankPath) {
    frmBienDich::CompileBank bank;
    EXPECT_EQ(frmBienDich::DocXML(bankPath, bank), BankReadResult::Ok);
    const std::wstring package = source / L"đề thi 10A.zip";
    EXPECT_TRUE(
        frmBienDich::WritePackage(bank, frmBienDich::CollectAttachments(bank), package, mdlMain::AppTempFolder()));
    return package;
  }

  TempFolder program;
  TempFolder source;
};

}  // namespace

TEST_F(TestScreens, APackageFromTheCommandLineTakenGradedAndLeft) {
  const std::wstring package = PackageOf(PictureBank(10));
  ASSERT_TRUE(ziptest::ListFolder(program / L"Temp").empty());

  // Start-up with a quoted command line.
  frmTTTN::Screen& setup = frmTTTN::Get();
  frmTTTN::Show();
  screentest::SaveScreenshot(setup.Hwnd(), "quiz_setup_empty");
  EXPECT_EQ(setup.txtPath.Text(), L"Bạn chưa chọn file trắc nghiệm !");
  EXPECT_FALSE(setup.Khung[1].Visible());
  frmTTTN::NapDuongDan(mdlMain::PathFromCommandLine(L"\"" + package + L"\""));
  ASSERT_TRUE(setup.Loaded());
  EXPECT_EQ(setup.txtPath.Text(), package);
  EXPECT_TRUE(setup.Khung[1].Visible());
  EXPECT_TRUE(setup.cmdLamBai.Visible());
  EXPECT_EQ(setup.txtTu.Text(), L"1");
  EXPECT_EQ(setup.txtDen.Text(), L"10");
  EXPECT_EQ(setup.txtSoCau.Text(), L"10");
  EXPECT_EQ(setup.txtTen.Text(), L"Nguyễn Thị Hương");
  const std::wstring folder = setup.State().KeptUnpackFolder();
  const std::wstring parked = setup.State().ParkedBank();
  EXPECT_EQ(ziptest::ListFolder(folder), (std::vector<std::wstring>{L"hình 1.png", L"hình 2.png"}));
  ASSERT_TRUE(ziptest::Exists(parked));

  // Five of ten at random, 30 minutes; the candidate's name edited here.
  Click(setup.ckRandom);
  EXPECT_TRUE(setup.txtSoCau.Enabled());
  setup.txtSoCau.SetText(L"5");
  SetWindowTextW(setup.txtTime.Hwnd(), L"30");
  EXPECT_EQ(setup.lblTrungBinh.Caption(), L"Vậy trung bình là 360 giây / 1 câu hỏi");
  setup.txtTen.SetText(L"Trần Văn Bình");
  screentest::SaveScreenshot(setup.Hwnd(), "quiz_setup_package");

  Click(setup.cmdLamBai);
  frmLamTN::Screen& test = frmLamTN::Get();
  ASSERT_TRUE(test.Visible());
  EXPECT_FALSE(setup.Loaded());
  StopRealTicks(test);
  frmLamTN::TestSession& session = test.Session();
  ASSERT_EQ(session.QuestionCount(), 5);
  EXPECT_FALSE(ziptest::Exists(parked));
  EXPECT_EQ(ziptest::ListFolder(folder).size(), 2u);  // the bank read and gone, the pictures stay
  EXPECT_EQ(test.lblTenTS.Caption(), L"Họ và tên : Trần Văn Bình");
  EXPECT_EQ(test.lblSoCau.Caption(), L"of 5");
  EXPECT_EQ(test.txtCauSo.Text(), L"1");
  EXPECT_FALSE(test.cmdTruoc.Visible());
  EXPECT_TRUE(test.cmdSau.Visible());
  EXPECT_GE(test.DHTML.Page().Result().contentLines, 5);
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_question1");

  // Right answers to 1 to 3, a wrong one to 4, nothing to 5.
  const std::vector<wchar_t> keys = session.Keys();
  for (int q = 1; q <= 4; ++q) {
    EXPECT_EQ(test.txtCauSo.Text(), std::to_wstring(q));
    const wchar_t key = keys[static_cast<size_t>(q - 1)];
    const wchar_t letter = q < 4 ? key : (key == L'A' ? L'B' : L'A');
    Click(test.cmdChon[static_cast<size_t>(letter - L'A')]);
    EXPECT_FALSE(test.cmdChon[static_cast<size_t>(letter - L'A')].Visible());
    Click(test.cmdSau);
  }
  EXPECT_FALSE(test.cmdSau.Visible());
  Click(test.cmdTab[1]);
  EXPECT_EQ(Items(test.cbo1), (std::vector<std::wstring>{L"1", L"2", L"3", L"4"}));
  EXPECT_EQ(Items(test.cbo2), std::vector<std::wstring>{L"5"});
  EXPECT_EQ(test.lblNhan[0].Caption(), L"Câu đã làm : ");
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_answering");

  {
    DialogAnswerer ok(IDOK, [](HWND box) { screentest::SaveScreenshot(box, "quiz_test_result"); });
    Click(test.cmdLamXong);
    EXPECT_EQ(ok.Answered(), 1);
    EXPECT_EQ(ok.Title(), L"Tessaro");
    EXPECT_EQ(ok.Text(), L"Kết quả làm bài :\r\nTổng số câu : 5\rSố câu đúng : 3\rĐiểm : 6");
  }
  EXPECT_FALSE(test.cmdLamXong.Visible());
  EXPECT_EQ(test.lblNhan[0].Caption(), L"Các câu đúng : ");
  EXPECT_EQ(test.lblNhan[1].Caption(), L"Các câu sai : ");
  EXPECT_EQ(Items(test.cbo1), (std::vector<std::wstring>{L"1", L"2", L"3"}));
  EXPECT_EQ(Items(test.cbo2), (std::vector<std::wstring>{L"4", L"5"}));

  // The wrong list takes the student to question 4: its cross and its key.
  test.cbo2.SetListIndex(0);
  SendMessageW(test.Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(test.cbo2.Hwnd()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(test.cbo2.Hwnd()));
  EXPECT_EQ(test.txtCauSo.Text(), L"4");
  EXPECT_TRUE(test.imgFalse.Visible());
  EXPECT_FALSE(test.imgTrue.Visible());
  EXPECT_EQ(test.lblDapAn.Caption(), L"Đáp án : " + std::wstring(1, keys[3]));
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_graded_wrong");
  test.txtCauSo.SetText(L"2");
  EXPECT_TRUE(test.imgTrue.Visible());
  EXPECT_FALSE(test.imgFalse.Visible());
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_graded_right");

  // "Menu chính": the main menu, and nothing left in the Temp folders.
  Click(test.cmdBack);
  EXPECT_FALSE(test.Loaded());
  EXPECT_TRUE(frmMain::Get().Visible());
  EXPECT_FALSE(ziptest::Exists(folder));
  EXPECT_TRUE(ziptest::ListFolder(program / L"Temp").empty());
  EXPECT_FALSE(ziptest::Exists(parked));
}

namespace {

BOOL CALLBACK CountShownScreen(HWND wnd, LPARAM count) {
  wchar_t cls[32];
  if (IsWindowVisible(wnd) && GetClassNameW(wnd, cls, 32) && std::wstring(cls) == L"TessaroForm") {
    ++*reinterpret_cast<int*>(count);
  }
  return TRUE;
}

// The screens this thread shows, from the window list.
int ShownScreens() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountShownScreen, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace

// A package whose first page holds a GIF frame of 65535 x 65535 and a dozen
// pictures of 20 million pixels: the test screen shows, with broken boxes
// past the page's bound, and leaving it leaves the Temp folder as it was.
TEST_F(TestScreens, AHostilePackageLeavesAScreenShownAndTempAsItWas) {
  CreateDirectoryW((source / L"bài").c_str(), nullptr);
  ASSERT_TRUE(tq::WriteFileAtomic(source / L"bài\\frame.gif", giftest::SparseGif(4, 4, 65535, 65535)));
  std::vector<QuestionRecord> records = NumberedQuestions(2);
  records[0].CauHoi = L"Hình: [image]frame.gif[/image]";
  for (int k = 0; k < 12; ++k) {
    const std::wstring name = L"lớn " + std::to_wstring(k) + L".gif";
    ASSERT_TRUE(tq::WriteFileAtomic(source / (L"bài\\" + name), giftest::SparseGif(5000, 4000, 5000, 4000)));
    records[0].CauHoi += L"[image]" + name + L"[/image]";
  }
  ASSERT_TRUE(WriteBankFile(source / L"bài\\ngân hàng.xml", records));
  const std::wstring package = PackageOf(source / L"bài\\ngân hàng.xml");
  ASSERT_TRUE(ziptest::ListFolder(program / L"Temp").empty());

  frmTTTN::Show();
  frmTTTN::NapDuongDan(package);
  frmTTTN::Screen& setup = frmTTTN::Get();
  ASSERT_TRUE(setup.cmdLamBai.Visible());
  frmLamTN::Screen& test = frmLamTN::Get();
  {
    DialogAnswerer anyError(IDOK);
    Click(setup.cmdLamBai);
    EXPECT_EQ(anyError.Answered(), 0) << testing::PrintToString(anyError.Text());
  }
  EXPECT_EQ(ShownScreens(), 1);
  ASSERT_TRUE(test.Visible());
  int broken = 0, shown = 0;
  for (const tq::HtmlBox& box : test.DHTML.Page().Result().boxes) {
    if (box.kind != tq::HtmlBox::Image) continue;
    (box.rect.right - box.rect.left == 16 ? broken : shown) += 1;
  }
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(broken, 12);
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_hostile_pictures");

  {
    DialogAnswerer no(IDNO);
    Click(test.cmdBack);
  }
  EXPECT_FALSE(test.Loaded());
  EXPECT_EQ(ShownScreens(), 1);  // the main menu
  EXPECT_TRUE(ziptest::ListFolder(program / L"Temp").empty());
}

TEST_F(TestScreens, ACountdownGradesTheTestAndTheCloseBoxEndsTheProgram) {
  mdlMain::ProgramOptions.layout = mdlMain::Layout::Small800x600;
  const std::wstring bank = PictureBank(4);
  frmTTTN::Show();
  frmTTTN::Screen& setup = frmTTTN::Get();
  frmTTTN::NapDuongDan(bank);
  SetWindowTextW(setup.txtTime.Hwnd(), L"1");
  EXPECT_EQ(setup.lblTrungBinh.Caption(), L"Vậy trung bình là 15 giây / 1 câu hỏi");
  Click(setup.cmdLamBai);
  frmLamTN::Screen& test = frmLamTN::Get();
  ASSERT_TRUE(test.Visible());
  StopRealTicks(test);
  EXPECT_EQ(test.lblTime.Caption(), L"");
  Click(test.cmdChon[0]);  // question 1's key is A

  test.tmrTime.Tick();
  EXPECT_EQ(test.lblTime.Caption(), L"00:00:59");
  for (int tick = 2; tick < 60; ++tick) test.tmrTime.Tick();
  EXPECT_EQ(test.lblTime.Caption(), L"00:00:01");
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_small_layout");
  {
    DialogAnswerer ok(IDOK);
    test.tmrTime.Tick();
    EXPECT_EQ(ok.Text(),
              L"Kết quả làm bài :\r\nTổng số câu : 4\rSố câu đúng : 1\rĐiểm : " + frmLamTN::RegionalScoreText(25));
  }
  EXPECT_TRUE(test.Session().Graded());
  EXPECT_FALSE(test.tmrTime.Enabled());
  EXPECT_EQ(test.lblTime.Caption(), L"00:00:01");

  // The close box of a graded test asks nothing; no screen is left.
  PostMessageW(test.Hwnd(), WM_CLOSE, 0, 0);
  tq::App::Get().DoEvents();
  EXPECT_FALSE(test.Loaded());
  EXPECT_EQ(tq::App::Get().LoadedForms(), 0);
  EXPECT_TRUE(ziptest::Exists(bank));
}

TEST_F(TestScreens, ClosingAnUngradedTestAsksFirst) {
  const std::wstring bank = PictureBank(3);
  frmTTTN::Show();
  frmTTTN::NapDuongDan(bank);
  Click(frmTTTN::Get().cmdLamBai);
  frmLamTN::Screen& test = frmLamTN::Get();
  ASSERT_TRUE(test.Visible());
  {
    DialogAnswerer cancel(IDCANCEL);
    Click(test.cmdBack);
    EXPECT_EQ(cancel.Text(), L"Bạn muốn chấm điểm bài làm này ?");
  }
  EXPECT_TRUE(test.Loaded());
  EXPECT_FALSE(test.Session().MainMenuRequested());
  {
    // Yes grades: the result box follows the question.
    std::optional<DialogAnswerer> result;
    DialogAnswerer yes(IDYES, [&](HWND) { result.emplace(IDOK); });
    PostMessageW(test.Hwnd(), WM_CLOSE, 0, 0);
    tq::App::Get().DoEvents();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Answered(), 1);
    EXPECT_EQ(result->Text(), L"Kết quả làm bài :\r\nTổng số câu : 3\rSố câu đúng : 0\rĐiểm : 0");
  }
  EXPECT_TRUE(test.Loaded());
  EXPECT_TRUE(test.Session().Graded());
  EXPECT_FALSE(test.cmdLamXong.Visible());
}

TEST_F(TestScreens, ABadPlainBankOnTheCommandLineEndsTheSetUp) {
  ziptest::WriteBytes(source / L"hỏng.xml", "<Quorel><Question>");
  frmTTTN::Show();
  {
    DialogAnswerer ok(IDOK);
    frmTTTN::NapDuongDan(source / L"hỏng.xml");
    EXPECT_EQ(ok.Text(), std::wstring(frmTTTN::NotATestMessage) + L"\r\n\r\n" + (source / L"hỏng.xml"));
  }
  EXPECT_FALSE(frmTTTN::Get().Loaded());
  EXPECT_EQ(tq::App::Get().LoadedForms(), 0);
}

namespace {

BOOL CALLBACK CollectTexts(HWND wnd, LPARAM param) {
  // Asked of the control itself: the text of another process's edit box is not its caption.
  wchar_t text[MAX_PATH * 2] = L"";
  SendMessageTimeoutW(wnd, WM_GETTEXT, MAX_PATH * 2, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(text);
  return TRUE;
}

std::vector<std::wstring> ChildTexts(HWND wnd) {
  std::vector<std::wstring> texts;
  EnumChildWindows(wnd, CollectTexts, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// The texts of another program's window once one of them is `wanted` (or the time is up).
std::vector<std::wstring> TextsOnceShown(HWND wnd, const std::wstring& wanted) {
  std::vector<std::wstring> texts;
  testsupport::PumpUntil(
      [&] {
        texts = ChildTexts(wnd);
        return std::find(texts.begin(), texts.end(), wanted) != texts.end();
      },
      60000);
  return texts;
}

}  // namespace

TEST_F(TestScreens, TheProgramOpensAQuotedPackageFromItsCommandLine) {
  // The package where a file association would find it: a path with a space.
  const std::wstring package = PackageOf(PictureBank(3));
  const std::wstring spaced = source / L"de thi.zip";
  ASSERT_TRUE(MoveFileW(package.c_str(), spaced.c_str()));
  char narrow[MAX_PATH];
  WideCharToMultiByte(CP_ACP, 0, spaced.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
  const std::wstring programTemp = tq::Utf16FromUtf8(testsupport::ProgramPath("Temp"));
  const std::vector<std::wstring> before = ziptest::ListFolder(programTemp);

  testsupport::ChildProcess tool;
  ASSERT_TRUE(tool.Start(testsupport::ProgramPath("Tessaro.exe"), "\"" + std::string(narrow) + "\""));
  HWND setup = testsupport::WaitForWindow("Tessaro", tool.Id(), 60000);
  ASSERT_NE(setup, nullptr);
  const std::vector<std::wstring> texts = TextsOnceShown(setup, spaced);
  EXPECT_NE(std::find(texts.begin(), texts.end(), spaced), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"Chọn số câu hỏi : ( File đề có 3 câu hỏi )"), texts.end());
  EXPECT_EQ(ziptest::ListFolder(programTemp).size(), before.size() + 1);  // its unpack folder
  screentest::SaveScreenshot(setup, "quiz_program_setup_package");

  // Closing the set-up ends the program and takes the unpack folder with it.
  PostMessageW(setup, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool.WaitForExit(60000), 0);
  EXPECT_EQ(ziptest::ListFolder(programTemp), before);
}

// A bank named relative to the working folder is opened by its full path, so
// that its pages find their pictures beside it.
TEST_F(TestScreens, TheProgramMakesARelativeBankPathFull) {
  CreateDirectoryW((source / L"banks").c_str(), nullptr);
  ASSERT_TRUE(WriteBankFile(source / L"banks\\bank.xml", NumberedQuestions(3)));
  wchar_t working[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, working);
  ASSERT_TRUE(SetCurrentDirectoryW((source / L"banks").c_str()));
  testsupport::ChildProcess tool;
  const bool started = tool.Start(testsupport::ProgramPath("Tessaro.exe"), "bank.xml");
  SetCurrentDirectoryW(working);
  ASSERT_TRUE(started);
  HWND setup = testsupport::WaitForWindow("Tessaro", tool.Id(), 60000);
  ASSERT_NE(setup, nullptr);
  const std::wstring full = source / L"banks\\bank.xml";
  const std::vector<std::wstring> texts = TextsOnceShown(setup, full);
  EXPECT_NE(std::find(texts.begin(), texts.end(), full), texts.end());
  PostMessageW(setup, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool.WaitForExit(60000), 0);
}

namespace {

// What a button draws by itself, caption and border, as the screen would show it.
testsupport::Picture PrintedAlone(HWND button) {
  RECT client;
  GetClientRect(button, &client);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  testsupport::Picture picture{client.right, client.bottom, {}};
  const auto* pixels = static_cast<const unsigned*>(bits);
  for (int k = 0; k < client.right * client.bottom; ++k) picture.pixels.push_back(pixels[k] & 0xFFFFFF);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return picture;
}

// Pixels of a button's caption area (inside its border) that differ on the
// screen from what the button draws.
int CoveredPixels(const testsupport::Picture& window, RECT place, const testsupport::Picture& alone) {
  constexpr int Border = 3;
  int covered = 0;
  for (int y = Border; y < alone.height - Border; ++y) {
    for (int x = Border; x < alone.width - Border; ++x) {
      covered += window.At(place.left + x, place.top + y) != alone.At(x, y);
    }
  }
  return covered;
}

}  // namespace

// The three tab captions lie on the panels' top edge and are drawn whole,
// whichever panel is shown: nothing of the panel covers a tab.
TEST_F(TestScreens, TheTabCaptionsAreDrawnWhole) {
  frmTTTN::Show();
  frmTTTN::NapDuongDan(PictureBank(2));
  Click(frmTTTN::Get().cmdLamBai);
  frmLamTN::Screen& test = frmLamTN::Get();
  ASSERT_TRUE(test.Visible());
  for (int shown : {1, 2, 0}) {
    Click(test.cmdTab[static_cast<size_t>(shown)]);
    SetFocus(test.txtCauSo.Hwnd());  // no focus mark on a tab
    tq::App::Get().DoEvents();
    RedrawWindow(test.Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const testsupport::Picture window = testsupport::CaptureWindow(test.Hwnd());
    RECT frame;
    GetWindowRect(test.Hwnd(), &frame);
    for (size_t k = 0; k < test.cmdTab.Count(); ++k) {
      RECT place;
      GetWindowRect(test.cmdTab[k].Hwnd(), &place);
      OffsetRect(&place, -frame.left, -frame.top);
      EXPECT_EQ(CoveredPixels(window, place, PrintedAlone(test.cmdTab[k].Hwnd())), 0)
          << "tab " << k << ", panel " << shown;
    }
  }
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_tabs");
}
