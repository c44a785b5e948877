// The set-up and test screens driven as a student would: a package opened from
// the command line, a random test with a time limit answered, graded, looked
// over and left; a test graded by its countdown. Screenshots are saved.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>

#include "ScreenFixture.h"
#include "ZipTestFiles.h"
#include "runtime/Utf.h"

using screentest::DialogAnswerer;

namespace {

std::vector<std::wstring> Items(const tq::ListControl& list) {
  std::vector<std::wstring> items;
  for (int k = 0; k < list.ListCount(); ++k) items.push_back(list.List(k));
  return items;
}

// Types a path into a file dialog's name box (its place differs between
// Windows and Wine), for a DialogAnswerer that then presses OK.
void TypeFileName(HWND dialog, const std::wstring& path) {
  constexpr int kNameCombo = 0x47C, kNameEdit = 0x480;
  SetDlgItemTextW(dialog, kNameCombo, path.c_str());
  SetDlgItemTextW(dialog, kNameEdit, path.c_str());
}

// A message box can be visible before its text is drawn: it gets a moment
// to finish painting before it is saved.
void SaveSettledBox(HWND box, const std::string& name) {
  for (int round = 0; round < 20; ++round) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
  screentest::SaveScreenshot(box, name);
}

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

TEST_F(TestScreens, ABankCompiledOnTheCompileScreenIsTakenFromItsPackageAndGraded) {
  const std::wstring bank = PictureBank(4);
  frmMain::Show();
  Click(frmMain::Get().cmdBienDich);
  frmBienDich::Screen& compile = frmBienDich::Get();
  ASSERT_TRUE(compile.Visible());
  EXPECT_EQ(compile.Caption(), L"Tessaro");
  EXPECT_EQ(compile.Nhan.Caption(), L"Danh sách file đính kèm : ");
  EXPECT_EQ(compile.cmdDoIt.Caption(), L"Biên dịch");
  EXPECT_EQ(compile.cmdBack.Caption(), L"Trở về Menu chính");
  // Package mode first; nothing to compile yet.
  EXPECT_TRUE(compile.optKieu[1].Value());
  EXPECT_FALSE(compile.optKieu[0].Value());
  EXPECT_FALSE(compile.cmdDoIt.Enabled());
  EXPECT_TRUE(compile.txtOutPath[1].Enabled());
  EXPECT_TRUE(compile.cmdChange[1].Enabled());
  for (tq::Control* folderGroup : std::initializer_list<tq::Control*>{&compile.ckHTML, &compile.txtOutPath[0],
                                                                     &compile.txtName, &compile.cmdChange[0]}) {
    EXPECT_FALSE(folderGroup->Enabled());
  }
  screentest::SaveScreenshot(compile.Hwnd(), "quiz_compile_empty");

  // The bank through the open dialog, the package through the save dialog.
  {
    DialogAnswerer open(IDOK, [&](HWND dialog) { TypeFileName(dialog, bank); });
    Click(compile.cmdPath);
    EXPECT_EQ(open.Answered(), 1);
  }
  EXPECT_EQ(compile.txtPath.Text(), bank);
  EXPECT_EQ(Items(compile.lstDS), (std::vector<std::wstring>{L"hình 1.png", L"hình 2.png"}));
  EXPECT_TRUE(compile.cmdDoIt.Enabled());
  const std::wstring package = source / L"đề 10A.zip";
  {
    DialogAnswerer save(IDOK, [&](HWND dialog) { TypeFileName(dialog, package); });
    Click(compile.cmdChange[1]);
    EXPECT_EQ(save.Answered(), 1);
  }
  EXPECT_EQ(compile.txtOutPath[1].Text(), package);
  screentest::SaveScreenshot(compile.Hwnd(), "quiz_compile_package_mode");
  {
    DialogAnswerer ok(IDOK, [](HWND box) { SaveSettledBox(box, "quiz_compile_done"); });
    Click(compile.cmdDoIt);
    EXPECT_EQ(ok.Title(), L"Tessaro");
    EXPECT_EQ(ok.Text(), L"Đã biên dịch xong !");
  }
  ASSERT_TRUE(ziptest::Exists(package));
  EXPECT_TRUE(ziptest::ListFolder(program / L"Temp").empty());

  // Folder mode: the self-scoring page beside its pictures; the package path stays.
  Click(compile.optKieu[0]);
  EXPECT_TRUE(compile.optKieu[0].Value());
  EXPECT_FALSE(compile.optKieu[1].Value());
  EXPECT_FALSE(compile.txtOutPath[1].Enabled());
  EXPECT_FALSE(compile.cmdChange[1].Enabled());
  EXPECT_TRUE(compile.ckHTML.Enabled());
  EXPECT_TRUE(compile.txtName.Enabled());
  EXPECT_EQ(compile.txtOutPath[1].Text(), package);
  compile.txtOutPath[0].SetText(source.Path().substr(0, source.Path().size() - 1));
  compile.txtName.SetText(L"trang 10A");
  Click(compile.ckHTML);
  screentest::SaveScreenshot(compile.Hwnd(), "quiz_compile_folder_mode");
  {
    DialogAnswerer ok(IDOK);
    Click(compile.cmdDoIt);
    EXPECT_EQ(ok.Text(), L"Đã biên dịch xong !");
  }
  EXPECT_EQ(ziptest::ListFolder(source / L"trang 10A"),
            (std::vector<std::wstring>{L"hình 1.png", L"hình 2.png", L"index.htm"}));
  {
    // The same folder again is refused, not merged into.
    DialogAnswerer ok(IDOK, [](HWND box) { SaveSettledBox(box, "quiz_compile_folder_exists"); });
    Click(compile.cmdDoIt);
    EXPECT_EQ(ok.Text().rfind(std::wstring(frmBienDich::FolderExistsHeading), 0), 0u) << tq::Utf8FromUtf16(ok.Text());
  }

  {
    // A picture gone from the bank's folder: named, and nothing is written.
    DeleteFileW((source / L"bài\\hình 2.png").c_str());
    compile.txtName.SetText(L"trang 10B");
    DialogAnswerer ok(IDOK, [](HWND box) { SaveSettledBox(box, "quiz_compile_missing"); });
    Click(compile.cmdDoIt);
    EXPECT_EQ(ok.Text(), frmBienDich::MissingFilesMessage({source / L"bài\\hình 2.png"}));
    EXPECT_FALSE(ziptest::Exists(source / L"trang 10B"));
  }

  Click(compile.cmdBack);
  EXPECT_FALSE(compile.Loaded());
  ASSERT_TRUE(frmMain::Get().Visible());
  // Shown again, the screen starts afresh: a bank must be chosen again.
  Click(frmMain::Get().cmdBienDich);
  ASSERT_TRUE(compile.Visible());
  EXPECT_TRUE(compile.optKieu[1].Value());
  EXPECT_FALSE(compile.cmdDoIt.Enabled());
  EXPECT_EQ(compile.txtPath.Text(), L"");
  EXPECT_EQ(compile.lstDS.ListCount(), 0);
  EXPECT_FALSE(compile.State().BankRead());
  Click(compile.cmdBack);
  ASSERT_TRUE(frmMain::Get().Visible());

  // The set-up screen opens the package through its own dialog.
  Click(frmMain::Get().cmdLamTN);
  frmTTTN::Screen& setup = frmTTTN::Get();
  ASSERT_TRUE(setup.Visible());
  {
    DialogAnswerer open(IDOK, [&](HWND dialog) { TypeFileName(dialog, package); });
    Click(setup.cmdPath);
    EXPECT_EQ(open.Answered(), 1);
  }
  EXPECT_EQ(setup.txtPath.Text(), package);
  EXPECT_TRUE(setup.State().FromPackage());
  EXPECT_EQ(setup.txtDen.Text(), L"4");
  Click(setup.cmdLamBai);
  frmLamTN::Screen& test = frmLamTN::Get();
  ASSERT_TRUE(test.Visible());
  StopRealTicks(test);
  // Question 1 shows its picture from the package, decoded at its own size.
  bool picture = false;
  for (const tq::HtmlBox& box : test.DHTML.Page().Result().boxes) {
    picture |= box.kind == tq::HtmlBox::Image && box.rect.right - box.rect.left == 120 &&
               box.rect.bottom - box.rect.top == 60;
  }
  EXPECT_TRUE(picture);
  screentest::SaveScreenshot(test.Hwnd(), "quiz_compiled_package_question1");

  // Three right answers and one wrong: 7.5.
  const std::vector<wchar_t> keys = test.Session().Keys();
  for (int q = 1; q <= 4; ++q) {
    const wchar_t key = keys[static_cast<size_t>(q - 1)];
    const wchar_t letter = q < 4 ? key : (key == L'A' ? L'B' : L'A');
    Click(test.cmdChon[static_cast<size_t>(letter - L'A')]);
    if (q < 4) Click(test.cmdSau);
  }
  {
    DialogAnswerer ok(IDOK);
    Click(test.cmdLamXong);
    EXPECT_EQ(ok.Text(), L"Kết quả làm bài :\r\nTổng số câu : 4\rSố câu đúng : 3\rĐiểm : " +
                             frmLamTN::RegionalScoreText(75));
  }
  Click(test.cmdBack);
  EXPECT_FALSE(test.Loaded());
  EXPECT_TRUE(ziptest::ListFolder(program / L"Temp").empty());
}

TEST_F(TestScreens, AQuestionTooLongForOnePageShowsWhatFitsAndScrollsToItsEnd) {
  // Superscripts nested 2,000 deep over 30,000 lines: far taller than a page may be.
  std::wstring question;
  for (int k = 0; k < 2000; ++k) question += L"[t]";
  for (int k = 0; k < 30000; ++k) question += L"x[E]";
  std::vector<QuestionRecord> records = NumberedQuestions(2);
  records[0].CauHoi = question;
  const std::wstring bank = source / L"dài.xml";
  ASSERT_TRUE(WriteBankFile(bank, records));
  frmTTTN::Show();
  frmTTTN::NapDuongDan(bank);
  Click(frmTTTN::Get().cmdLamBai);
  frmLamTN::Screen& test = frmLamTN::Get();
  ASSERT_TRUE(test.Visible());
  StopRealTicks(test);

  const tq::HtmlLayoutResult& page = test.DHTML.Page().Result();
  EXPECT_TRUE(page.cut);
  EXPECT_GT(page.height, 0);
  EXPECT_LE(page.height, tq::HtmlLayout::MaxHeight + 100);
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(GetScrollInfo(test.DHTML.Hwnd(), SB_VERT, &bar));
  EXPECT_EQ(bar.nMax + 1, page.height);
  test.DHTML.ScrollTo(page.height);
  EXPECT_EQ(test.DHTML.ScrollTop(), page.height - static_cast<int>(bar.nPage));
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_page_cut");
}
