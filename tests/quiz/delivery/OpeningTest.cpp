// Opening a bank or package on the set-up screen, the parked bank, the start
// of a test and leaving the set-up.
#include <gtest/gtest.h>
#include <windows.h>

#include "ScreenFakes.h"
#include "ZipTestFiles.h"
#include "authoring/mdlEncrypt.h"
#include "authoring/mdlMain.h"
#include "delivery/frmBienDich.h"
#include "delivery/frmTTTN.h"
#include "runtime/FileIo.h"

using frmTTTN::SetupInput;
using frmTTTN::SetupState;
using namespace ziptest;

namespace {

// The program's Temp folder and a stand-in for the Windows temporary folder,
// both inside a scratch folder, and the two screens' logic over fake windows.
struct SetupScreen {
  ScratchFolder dir;
  std::wstring appTemp = dir / L"app\\Temp\\";
  std::wstring systemTemp = dir / L"sys\\";
  FakeSetupView view;
  FakeTestView testView;
  SetupState state{view, Places()};
  frmLamTN::TestSession test{testView, appTemp, [] { return uint64_t{3}; }};
  int stamp = 0;

  SetupScreen() {
    CreateDirectoryW((dir / L"app").c_str(), nullptr);
    CreateDirectoryW(appTemp.c_str(), nullptr);
    CreateDirectoryW(systemTemp.c_str(), nullptr);
    CreateDirectoryW((dir / L"src").c_str(), nullptr);
    state.Form_Load();
  }

  frmTTTN::SetupPlaces Places() {
    frmTTTN::SetupPlaces places;
    places.appTemp = appTemp;
    places.systemTemp = systemTemp;
    // Each opening a second later, so each package gets a stamp folder of its own.
    places.clock = [this] {
      SYSTEMTIME t = LocalTime(12, 25, 14, 30, 5);
      t.wSecond = static_cast<WORD>(stamp++);
      return t;
    };
    places.bounds.freeBytes = uint64_t{1} << 40;
    return places;
  }

  std::wstring Bank(const std::wstring& name, int count) {
    const std::wstring path = dir / name;
    EXPECT_TRUE(WriteBankFile(path, NumberedQuestions(count)));
    return path;
  }

  // A package of `count` questions whose first names a picture beside the bank.
  std::wstring Package(const std::wstring& name, int count) {
    const std::wstring source = dir / (L"src\\" + name + L".xml");
    std::vector<QuestionRecord> records = NumberedQuestions(count);
    records[0].CauHoi += L" [image]pic.png[/image]";
    WriteBytes(dir / L"src\\pic.png", Noise(5000, static_cast<uint32_t>(name.size())));
    EXPECT_TRUE(WriteBankFile(source, records));
    frmBienDich::CompileBank bank;
    EXPECT_EQ(frmBienDich::DocXML(source, bank), BankReadResult::Ok);
    const std::wstring path = dir / name;
    EXPECT_TRUE(frmBienDich::WritePackage(bank, frmBienDich::CollectAttachments(bank), path, appTemp));
    return path;
  }

  SetupInput Input(const std::wstring& from, const std::wstring& to, const std::wstring& minutes = L"10") const {
    return {view.txtPath, from, to, to, minutes, false, false};
  }
  std::wstring LastMessage() const { return view.messages.empty() ? L"" : view.messages.back().text; }
};

std::wstring NotATest(const std::wstring& path) { return std::wstring(frmTTTN::NotATestMessage) + L"\r\n\r\n" + path; }

}  // namespace

TEST(Opening, CommandLineTakesXmlAsABankAndAnythingElseAsAPackage) {
  SetupScreen s;
  const std::wstring bank = s.Bank(L"t.XmL", 7);
  EXPECT_TRUE(s.state.NapDuongDan(bank));
  EXPECT_EQ(s.view.txtPath, bank);
  EXPECT_EQ(s.state.BankCount(), 7);
  EXPECT_FALSE(s.state.FromPackage());
  EXPECT_TRUE(s.view.messages.empty());

  for (const wchar_t* name : {L"t.zip", L"t.txt"}) {
    const std::wstring package = s.Package(name, 5);
    EXPECT_TRUE(s.state.NapDuongDan(package));
    EXPECT_EQ(s.view.txtPath, package);
    EXPECT_TRUE(s.state.FromPackage());
    EXPECT_EQ(s.state.BankCount(), 5);
    EXPECT_TRUE(s.view.messages.empty());
  }
}

TEST(Opening, TheDialogTakesZipAsAPackageAndAnythingElseAsABank) {
  SetupScreen s;
  s.view.chosen = s.Package(L"p.ZIP", 4);
  s.state.cmdPath_Click();
  EXPECT_EQ(s.view.filters, std::vector<std::wstring>{L"Tessaro File (*.xml;*.zip)|*.xml;*.zip|"});
  EXPECT_TRUE(s.state.FromPackage());
  EXPECT_EQ(s.view.txtPath, s.view.chosen);

  s.view.chosen = s.Bank(L"bank.txt", 6);
  s.state.cmdPath_Click();
  EXPECT_FALSE(s.state.FromPackage());
  EXPECT_EQ(s.state.BankCount(), 6);
  EXPECT_EQ(s.view.txtPath, s.view.chosen);

  // A package under another name is read as a bank, and refused.
  CopyFileW(s.Package(L"p2.zip", 4).c_str(), (s.dir / L"p2.dat").c_str(), FALSE);
  s.view.chosen = s.dir / L"p2.dat";
  s.state.cmdPath_Click();
  EXPECT_EQ(s.LastMessage(), NotATest(s.dir / L"p2.dat"));
  EXPECT_EQ(s.state.BankCount(), 6);
}

TEST(Opening, ACancelledDialogOrAMissingFileDoesNothing) {
  SetupScreen s;
  s.state.NapDuongDan(s.Bank(L"bank.xml", 3));
  for (const std::wstring& chosen : {std::wstring(), s.dir / L"missing.zip", s.dir.Path()}) {
    s.view.chosen = chosen;
    s.state.cmdPath_Click();
  }
  EXPECT_TRUE(s.view.messages.empty());
  EXPECT_EQ(s.view.opened.size(), 1u);
}

TEST(Opening, APackageLeavesItsPicturesInTheUnpackFolderAndParksTheBank) {
  SetupScreen s;
  WriteBytes(s.systemTemp + L"data.xml", "another program's file");
  const std::wstring package = s.Package(L"t.zip", 5);
  ASSERT_TRUE(s.state.NapDuongDan(package));
  EXPECT_EQ(s.state.KeptUnpackFolder(), s.appTemp + L"122514300");
  EXPECT_EQ(ListFolder(s.appTemp), std::vector<std::wstring>{L"122514300"});
  EXPECT_EQ(ListFolder(s.state.KeptUnpackFolder()), std::vector<std::wstring>{L"pic.png"});

  const std::wstring parked = s.state.ParkedBank();
  ASSERT_FALSE(parked.empty());
  EXPECT_EQ(parked.rfind(s.systemTemp, 0), 0u);
  EXPECT_NE(parked, s.systemTemp + L"data.xml");
  EXPECT_EQ(ReadBytes(s.systemTemp + L"data.xml"), "another program's file");
  BankFileReader reader;
  ASSERT_TRUE(reader.Load(parked));
  EXPECT_EQ(reader.QuestionCount(), 5);
  EXPECT_EQ(reader.Record(1).CauHoi, L"Q1 [image]pic.png[/image]");
}

TEST(Opening, ASecondPackageOrAPlainBankReplacesTheFirstPackage) {
  SetupScreen s;
  ASSERT_TRUE(s.state.NapDuongDan(s.Package(L"one.zip", 3)));
  const std::wstring firstFolder = s.state.KeptUnpackFolder();
  const std::wstring firstParked = s.state.ParkedBank();

  s.view.chosen = s.Package(L"two.zip", 4);
  s.state.cmdPath_Click();
  EXPECT_FALSE(Exists(firstFolder));
  EXPECT_FALSE(Exists(firstParked));
  EXPECT_EQ(ListFolder(s.appTemp), std::vector<std::wstring>{L"122514301"});
  EXPECT_EQ(s.state.BankCount(), 4);
  const std::wstring secondParked = s.state.ParkedBank();
  EXPECT_TRUE(Exists(secondParked));

  s.view.chosen = s.Bank(L"plain.xml", 9);
  s.state.cmdPath_Click();
  EXPECT_FALSE(s.state.FromPackage());
  EXPECT_EQ(s.state.KeptUnpackFolder(), L"");
  EXPECT_EQ(s.state.ParkedBank(), L"");
  EXPECT_TRUE(ListFolder(s.appTemp).empty());
  EXPECT_FALSE(Exists(secondParked));
  EXPECT_TRUE(ListFolder(s.systemTemp).empty());

  // Leaving now deletes nothing more.
  s.state.Form_Unload();
  EXPECT_TRUE(Exists(s.dir / L"plain.xml"));
}

TEST(Opening, AFailedOpeningKeepsTheFieldsAndLeavesNothingInTemp) {
  SetupScreen s;
  const std::wstring good = s.Package(L"good.zip", 6);
  ASSERT_TRUE(s.state.NapDuongDan(good));
  const std::wstring folder = s.state.KeptUnpackFolder();
  const std::wstring parked = s.state.ParkedBank();

  WriteBytes(s.dir / L"noise.zip", Noise(3000, 7));
  {
    WriteArchive(s.dir / L"nobank.plain", {{"a.jpg", Noise(100, 1)}});
    ASSERT_TRUE(mdlEncrypt::CipherFile(s.dir / L"nobank.plain", s.dir / L"nobank.zip", mdlEncrypt::QuizKey));
  }
  {
    WriteArchive(s.dir / L"noquestions.plain", {{"data.xml", "<Quorel charset='UTF-8'/>"}});
    ASSERT_TRUE(mdlEncrypt::CipherFile(s.dir / L"noquestions.plain", s.dir / L"noquestions.zip", mdlEncrypt::QuizKey));
  }
  {
    std::string many = "<Quorel>";
    for (int k = 0; k < 32768; ++k) many += "<Question/>";
    many += "</Quorel>";
    WriteArchive(s.dir / L"many.plain", {{"data.xml", many}});
    ASSERT_TRUE(mdlEncrypt::CipherFile(s.dir / L"many.plain", s.dir / L"many.zip", mdlEncrypt::QuizKey));
  }
  WriteBytes(s.dir / L"broken.xml", "<Quorel><Question>");
  WriteBytes(s.dir / L"empty.xml", "<Quorel charset='UTF-8'/>");

  const struct {
    const char* what;
    std::wstring path;
    std::wstring message;
    int bankCount;
  } cases[] = {
      {"not a package", s.dir / L"noise.zip", NotATest(s.dir / L"noise.zip"), 6},
      {"no data.xml", s.dir / L"nobank.zip", NotATest(s.dir / L"nobank.zip"), 6},
      {"over 32767 questions", s.dir / L"many.zip", NotATest(s.dir / L"many.zip"), 6},
      {"unreadable bank", s.dir / L"broken.xml", NotATest(s.dir / L"broken.xml"), 6},
      {"a package without questions", s.dir / L"noquestions.zip", std::wstring(frmTTTN::NoQuestionsMessage), 0},
      {"a bank without questions", s.dir / L"empty.xml", std::wstring(frmTTTN::NoQuestionsMessage), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    s.view.chosen = c.path;
    s.state.cmdPath_Click();
    EXPECT_EQ(s.LastMessage(), c.message);
    EXPECT_EQ(s.view.messages.back().style, 64);
    EXPECT_EQ(s.state.BankCount(), c.bankCount);
    EXPECT_TRUE(s.state.FromPackage());
    EXPECT_EQ(s.state.KeptUnpackFolder(), folder);
    EXPECT_EQ(s.state.ParkedBank(), parked);
    EXPECT_EQ(s.state.OpenedPath(), good);
    EXPECT_EQ(s.view.txtPath, good);
    EXPECT_EQ(ListFolder(s.appTemp), std::vector<std::wstring>{mdlMain::FileNameOfPath(folder)});
    EXPECT_EQ(ListFolder(s.systemTemp), std::vector<std::wstring>{mdlMain::FileNameOfPath(parked)});
  }
}

TEST(Opening, ABadPlainBankOnTheCommandLineEndsTheSetUp) {
  SetupScreen s;
  EXPECT_FALSE(s.state.NapDuongDan(s.dir / L"missing.xml"));
  EXPECT_EQ(s.LastMessage(), NotATest(s.dir / L"missing.xml"));
  WriteBytes(s.dir / L"empty.xml", "<Quorel/>");
  EXPECT_FALSE(s.state.NapDuongDan(s.dir / L"empty.xml"));
  EXPECT_EQ(s.LastMessage(), frmTTTN::NoQuestionsMessage);
  EXPECT_EQ(s.state.BankCount(), 0);
  EXPECT_TRUE(s.view.opened.empty());
}

TEST(Opening, AQuotedOrMissingPackageOnTheCommandLineKeepsTheScreen) {
  SetupScreen s;
  const std::wstring quoted = L"\"" + s.Package(L"t.zip", 3) + L"\"";
  EXPECT_TRUE(s.state.NapDuongDan(quoted));
  EXPECT_EQ(s.LastMessage(), NotATest(quoted));
  EXPECT_TRUE(s.view.opened.empty());
  EXPECT_FALSE(s.state.FromPackage());
  EXPECT_TRUE(ListFolder(s.appTemp).empty());
}

// The message says why: the package declares more than it may unpack.
TEST(Opening, APackageDeclaringTooMuchIsRefusedWithTheMessage) {
  SetupScreen s;
  WriteSharedBlockArchive(s.dir / L"bomb.plain", std::string(48 << 20, '\0'), {"data.xml", "zero.bin"});
  ASSERT_TRUE(mdlEncrypt::CipherFile(s.dir / L"bomb.plain", s.dir / L"bomb.zip", mdlEncrypt::QuizKey));
  EXPECT_TRUE(s.state.NapDuongDan(s.dir / L"bomb.zip"));
  EXPECT_EQ(s.LastMessage(), NotATest(s.dir / L"bomb.zip") + L"\r\n\r\n" + std::wstring(frmTTTN::TooLargeReason));
  EXPECT_TRUE(ListFolder(s.appTemp).empty());
}

TEST(ParkedBank, LeavingWithoutATestRemovesItAndTheUnpackFolder) {
  SetupScreen s;
  ASSERT_TRUE(s.state.NapDuongDan(s.Package(L"t.zip", 3)));
  s.state.Form_Unload();
  EXPECT_TRUE(ListFolder(s.appTemp).empty());
  EXPECT_TRUE(ListFolder(s.systemTemp).empty());
  EXPECT_EQ(s.state.KeptUnpackFolder(), L"");
  EXPECT_EQ(s.state.ParkedBank(), L"");
  EXPECT_FALSE(s.state.FromPackage());

  // The next load starts with nothing open.
  s.state.Form_Load();
  EXPECT_FALSE(s.state.cmdLamBai_Click(s.Input(L"1", L"3"), s.test));
  EXPECT_EQ(s.LastMessage(), frmTTTN::SetupRefusedMessage);
}

TEST(ParkedBank, AFolderGoneFromOutsideLetsTheScreenClose) {
  SetupScreen s;
  ASSERT_TRUE(s.state.NapDuongDan(s.Package(L"t.zip", 3)));
  tq::RemoveFolderTree(s.state.KeptUnpackFolder());
  DeleteFileW(s.state.ParkedBank().c_str());
  s.state.Form_Unload();
  EXPECT_EQ(s.state.KeptUnpackFolder(), L"");
}

TEST(Start, ARefusedSetUpChangesNothing) {
  SetupScreen s;
  ASSERT_TRUE(s.state.NapDuongDan(s.Package(L"t.zip", 10)));
  const std::wstring parked = s.state.ParkedBank();
  EXPECT_FALSE(s.state.cmdLamBai_Click(s.Input(L"5", L"3"), s.test));
  EXPECT_EQ(s.LastMessage(), L"Bạn cần nhập lại phần thiết lập làm bài hợp lệ !");
  EXPECT_EQ(s.view.messages.back().style, 64);
  EXPECT_FALSE(s.state.TestStarting());
  EXPECT_EQ(s.state.ParkedBank(), parked);
  EXPECT_TRUE(Exists(parked));
  EXPECT_EQ(ListFolder(s.state.KeptUnpackFolder()), std::vector<std::wstring>{L"pic.png"});
  EXPECT_EQ(s.test.QuestionCount(), 0);
}

TEST(Start, APlainBankGoesToTheTest) {
  SetupScreen s;
  const std::wstring bank = s.Bank(L"bank.xml", 10);
  ASSERT_TRUE(s.state.NapDuongDan(bank));
  SetupInput input = s.Input(L"2", L"9", L"30");
  input.random = true;
  input.count = L"4";
  ASSERT_TRUE(s.state.cmdLamBai_Click(input, s.test));
  EXPECT_TRUE(s.state.TestStarting());
  EXPECT_EQ(s.test.QuestionCount(), 4);
  EXPECT_EQ(s.test.SecondsLeft(), 1800);
  EXPECT_FALSE(s.test.FromPackage());
  for (int16_t k : s.test.ChosenOrder()) {
    EXPECT_GE(k, 2);
    EXPECT_LE(k, 9);
  }
  s.state.Form_Unload();
  EXPECT_TRUE(Exists(bank));
}

TEST(Start, APackagesBankGoesBackBesideItsPicturesAndNothingStaysBehind) {
  SetupScreen s;
  ASSERT_TRUE(s.state.NapDuongDan(s.Package(L"t.zip", 10)));
  const std::wstring folder = s.state.KeptUnpackFolder();
  const std::wstring parked = s.state.ParkedBank();
  ASSERT_TRUE(s.state.cmdLamBai_Click(s.Input(L"1", L"10", L"0"), s.test));
  EXPECT_TRUE(s.state.TestStarting());
  EXPECT_FALSE(Exists(parked));
  EXPECT_EQ(s.state.ParkedBank(), L"");
  EXPECT_EQ(s.state.OpenedPath(), folder + L"\\data.xml");
  // The test read the bank and removed it; the pictures stay for the pages.
  EXPECT_EQ(ListFolder(folder), std::vector<std::wstring>{L"pic.png"});
  EXPECT_TRUE(s.test.FromPackage());
  EXPECT_EQ(s.test.PageFolder(), folder);
  EXPECT_NE(s.test.Pages()[0].find(L"<img src='" + folder + L"\\pic.png'"), std::wstring::npos);
  EXPECT_FALSE(s.test.TimerOn());

  // The set-up unloads and keeps its hands off the folder; the test's close removes it.
  s.state.Form_Unload();
  EXPECT_TRUE(Exists(folder));
  s.test.cmdLamXong_Click();
  s.test.cmdBack_Click();
  EXPECT_EQ(s.test.Form_Unload(), frmLamTN::CloseResult::CloseToMainMenu);
  EXPECT_TRUE(ListFolder(s.appTemp).empty());
  EXPECT_TRUE(ListFolder(s.systemTemp).empty());
}

// A test screen that cannot be shown drops its test: a package's folder goes
// with it, so Temp is as it was, and a plain bank stays where it lies.
TEST(Start, AnAbandonedTestLeavesTempAsItWas) {
  SetupScreen s;
  ASSERT_TRUE(s.state.NapDuongDan(s.Package(L"t.zip", 10)));
  ASSERT_TRUE(s.state.cmdLamBai_Click(s.Input(L"1", L"10", L"5"), s.test));
  s.state.Form_Unload();
  EXPECT_TRUE(s.test.TimerOn());
  s.test.Abandon();
  EXPECT_EQ(s.test.QuestionCount(), 0);
  EXPECT_FALSE(s.test.TimerOn());
  EXPECT_FALSE(s.test.FromPackage());
  EXPECT_TRUE(ListFolder(s.appTemp).empty());
  EXPECT_TRUE(ListFolder(s.systemTemp).empty());

  const std::wstring bank = s.Bank(L"bank.xml", 10);
  ASSERT_TRUE(s.state.NapDuongDan(bank));
  ASSERT_TRUE(s.state.cmdLamBai_Click(s.Input(L"1", L"10", L"0"), s.test));
  s.test.Abandon();
  EXPECT_TRUE(Exists(bank));
}

TEST(Start, ABankChangedSinceOpeningIsRefusedAndTheSetUpStays) {
  SetupScreen s;
  const std::wstring bank = s.Bank(L"bank.xml", 10);
  ASSERT_TRUE(s.state.NapDuongDan(bank));
  s.Bank(L"bank.xml", 5);  // shortened after it was counted
  EXPECT_FALSE(s.state.cmdLamBai_Click(s.Input(L"1", L"10"), s.test));
  EXPECT_EQ(s.LastMessage(), frmTTTN::NotATestMessage);
  EXPECT_FALSE(s.state.TestStarting());
  EXPECT_EQ(s.test.QuestionCount(), 0);
  EXPECT_EQ(s.view.txtPath, bank);

  // The path box edited by hand to a file that is no bank.
  SetupInput edited = s.Input(L"1", L"5");
  edited.path = s.dir / L"nothing.xml";
  EXPECT_FALSE(s.state.cmdLamBai_Click(edited, s.test));
  EXPECT_EQ(s.LastMessage(), frmTTTN::NotATestMessage);
  EXPECT_TRUE(s.state.cmdLamBai_Click(s.Input(L"1", L"5"), s.test));
}

TEST(Start, APackageWhoseParkedBankWentIsRefusedAndKeepsItsFolder) {
  SetupScreen s;
  ASSERT_TRUE(s.state.NapDuongDan(s.Package(L"t.zip", 10)));
  const std::wstring folder = s.state.KeptUnpackFolder();
  WriteBytes(s.state.ParkedBank(), "<Quorel><Question>");
  EXPECT_FALSE(s.state.cmdLamBai_Click(s.Input(L"1", L"10"), s.test));
  EXPECT_EQ(s.LastMessage(), frmTTTN::NotATestMessage);
  EXPECT_FALSE(s.state.TestStarting());
  EXPECT_EQ(s.state.KeptUnpackFolder(), folder);
  EXPECT_EQ(ListFolder(folder), std::vector<std::wstring>{L"pic.png"});
  EXPECT_TRUE(Exists(s.state.ParkedBank()));
  s.state.Form_Unload();
  EXPECT_TRUE(ListFolder(s.appTemp).empty());
  EXPECT_TRUE(ListFolder(s.systemTemp).empty());
}

TEST(Start, CandidateFieldsAsEditedGoToTheTestScreen) {
  const frmTTTN::CandidateLabels labels = frmTTTN::CandidateLabelsOf(L"Trần Thị Bình", L"12C", L"A-17");
  EXPECT_EQ(labels.lblTenTS, L"Họ và tên : Trần Thị Bình");
  EXPECT_EQ(labels.lblLop, L"Lớp : 12C");
  EXPECT_EQ(labels.lblMaSo, L"Mã số thí sinh : A-17");
}
