// The compile screen's handlers: choosing a bank and the output, and what a
// compile writes, refuses and says, in folder and package mode.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "ScreenFakes.h"
#include "ZipTestFiles.h"
#include "authoring/QuestionBank.h"
#include "delivery/frmBienDich.h"
#include "delivery/frmTTTN.h"

using namespace frmBienDich;
using namespace ziptest;

namespace {

// A bank folder, a folder to compile into and the program's Temp folder.
class CompileScreen : public testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryW((dir / L"bank").c_str(), nullptr);
    CreateDirectoryW((dir / L"out").c_str(), nullptr);
    CreateDirectoryW(appTemp.c_str(), nullptr);
    state.Form_Load();
  }

  std::wstring Bank(const std::wstring& name) const { return dir / (L"bank\\" + name); }

  // Writes a bank whose first question and answer A hold the texts, and reads it through "...".
  void ReadBank(const std::wstring& question, const std::wstring& answer = L"a") {
    const std::vector<QuestionRecord> records = {{question, answer, L"b", L"c", L"d", L'B'},
                                                 {L"Câu hai", L"a", L"b", L"c", L"d", L'D'}};
    ASSERT_TRUE(WriteBankFile(Bank(L"ngân hàng.xml"), records));
    view.chosen = Bank(L"ngân hàng.xml");
    state.cmdPath_Click();
    ASSERT_TRUE(state.BankRead());
  }

  bool Compile(OutputMode mode, const CompileInput& input) {
    state.optKieu_Click(static_cast<int>(mode));
    view.messages.clear();
    return state.cmdDoIt_Click(input);
  }
  CompileInput FolderInput(const std::wstring& name = L"Đề 1", bool html = false) const {
    return {dir / L"out", name, html, {}};
  }
  CompileInput PackageInput() const { return {{}, {}, false, package}; }

  // The files a package holds, as the set-up screen unpacks it.
  std::vector<std::wstring> PackageFiles() {
    std::wstring folder;
    const PackageStatus opened = frmTTTN::OpenPackage(package, dir / L"open\\", LocalTime(3, 1, 8, 0, 0), folder);
    EXPECT_TRUE(opened);
    return opened ? ListFolder(folder) : std::vector<std::wstring>{};
  }

  ScratchFolder dir;
  std::wstring appTemp = dir / L"Temp\\";
  std::wstring package = dir / L"đề.zip";
  FakeCompileView view;
  CompileState state{view, appTemp};
};

}  // namespace

TEST_F(CompileScreen, StartsInPackageModeWithoutABank) {
  EXPECT_EQ(state.Mode(), OutputMode::Package);
  EXPECT_FALSE(state.BankRead());
  // Without a bank the compile command does nothing, whatever the boxes hold.
  EXPECT_FALSE(state.cmdDoIt_Click(PackageInput()));
  EXPECT_TRUE(view.messages.empty());
  EXPECT_FALSE(Exists(package));
}

TEST_F(CompileScreen, ChoosingABank) {
  WriteBytes(Bank(L"a.jpg"), "a");
  ReadBank(L"[image]a.jpg[/image]", L"[media]C:\\nhạc\\s.mp3[/media][image]a.jpg[/image]");
  EXPECT_EQ(view.filters, std::vector<std::wstring>{std::wstring(BankFilter)});
  EXPECT_EQ(view.txtPath, Bank(L"ngân hàng.xml"));
  EXPECT_EQ(view.lstDS, (std::vector<std::wstring>{L"a.jpg", L"s.mp3"}));
  EXPECT_EQ(state.Files().paths, (std::vector<std::wstring>{Bank(L"a.jpg"), L"C:\\nhạc\\s.mp3"}));
  EXPECT_TRUE(view.doItEnabled);
  EXPECT_TRUE(view.messages.empty());

  // A cancelled dialog, a missing file, a folder and a file without questions
  // leave the bank, its path and its list as they were.
  WriteBytes(Bank(L"rỗng.xml"), "<Quorel charset=\"UTF-8\"></Quorel>");
  const struct {
    std::wstring chosen;
    std::wstring message;
  } cases[] = {{L"", L""},
               {L"   ", L""},
               {Bank(L"không có.xml"), std::wstring(NoFileMessage)},
               {dir / L"bank", std::wstring(NoFileMessage)},
               {Bank(L"rỗng.xml"), std::wstring(NotABankMessage)},
               {Bank(L"a.jpg"), std::wstring(NotABankMessage)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.chosen));
    view.messages.clear();
    view.txtPath = L"unchanged";
    view.chosen = c.chosen;
    state.cmdPath_Click();
    if (c.message.empty()) {
      EXPECT_TRUE(view.messages.empty());
    } else {
      ASSERT_EQ(view.messages.size(), 1u);
      EXPECT_EQ(view.messages[0].text, c.message);
      EXPECT_EQ(view.messages[0].style, 64);
    }
    EXPECT_EQ(view.txtPath, L"unchanged");
    EXPECT_EQ(state.Bank().records.size(), 2u);
    EXPECT_EQ(state.Files().names, (std::vector<std::wstring>{L"a.jpg", L"s.mp3"}));
  }

  // Loading the screen again forgets the bank.
  state.Form_Load();
  EXPECT_FALSE(state.BankRead());
  EXPECT_TRUE(state.Files().names.empty());
}

TEST_F(CompileScreen, EveryAttachmentIsCheckedBeforeAnythingIsWritten) {
  const struct {
    const char* what;
    std::wstring question, answer;
    std::vector<std::wstring> bankFiles;  // made in the bank's folder
    std::vector<std::wstring> missing;    // in the bank's folder, as listed
    std::vector<std::wstring> output;     // the attached files of the output
  } cases[] = {
      {"none missing", L"[image]a.jpg[/image]", L"[media]s.mp3[/media]", {L"a.jpg", L"s.mp3"}, {}, {L"a.jpg", L"s.mp3"}},
      {"one missing", L"[image]a.jpg[/image]", L"[media]s.mp3[/media]", {L"a.jpg"}, {L"s.mp3"}, {}},
      {"several missing",
       L"[image]a.jpg[/image][image]b.png[/image]",
       L"[media]s.mp3[/media]",
       {L"b.png"},
       {L"a.jpg", L"s.mp3"},
       {}},
      {"relative with a slash", L"[image]hình/b.png[/image]", L"a", {L"b.png"}, {}, {L"b.png"}},
      {"relative with a slash, only in its subfolder", L"[image]hình/c.png[/image]", L"a", {L"hình\\c.png"},
       {L"c.png"}, {}},
      {"reaching outside", L"[image]../../x.png[/image]", L"[image]..\\..\\..\\y.png[/image]", {L"x.png", L"y.png"},
       {}, {L"x.png", L"y.png"}},
      {"one bare name for two files keeps the first", L"[image]a.jpg[/image]",
       L"[image]" + Bank(L"hình\\a.jpg") + L"[/image]",
       {L"a.jpg", L"hình\\a.jpg"}, {}, {L"a.jpg"}},
  };
  for (const auto& c : cases) {
    for (const OutputMode mode : {OutputMode::Folder, OutputMode::Package}) {
      SCOPED_TRACE(std::string(c.what) + (mode == OutputMode::Folder ? ", folder" : ", package"));
      tq::RemoveFolderTree(dir / L"bank");
      tq::RemoveFolderTree(dir / L"out");
      DeleteFileW(package.c_str());
      CreateDirectoryW((dir / L"bank").c_str(), nullptr);
      CreateDirectoryW((dir / L"bank\\hình").c_str(), nullptr);
      CreateDirectoryW((dir / L"out").c_str(), nullptr);
      for (const std::wstring& file : c.bankFiles) WriteBytes(Bank(file), "file " + std::to_string(file.size()));
      ReadBank(c.question, c.answer);

      const bool done = Compile(mode, mode == OutputMode::Folder ? FolderInput() : PackageInput());
      ASSERT_EQ(view.messages.size(), 1u);
      EXPECT_EQ(view.messages[0].style, 64);
      if (c.missing.empty()) {
        EXPECT_TRUE(done);
        EXPECT_EQ(view.messages[0].text, DoneMessage);
        std::vector<std::wstring> expected = c.output;
        expected.push_back(L"data.xml");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(mode == OutputMode::Folder ? ListFolder(dir / L"out\\Đề 1") : PackageFiles(), expected);
        // Nothing lands beside the output, whatever the names say.
        EXPECT_EQ(ListFolder(dir / L"out"),
                  mode == OutputMode::Folder ? std::vector<std::wstring>{L"Đề 1"} : std::vector<std::wstring>{});
        if (mode == OutputMode::Folder) {
          EXPECT_EQ(ReadBytes(dir / (L"out\\Đề 1\\" + c.output[0])), ReadBytes(Bank(c.bankFiles[0])));
        }
      } else {
        EXPECT_FALSE(done);
        std::wstring text(MissingFilesHeading);
        for (const std::wstring& name : c.missing) text += L"\r\n" + Bank(name);
        text += L"\r\n" + std::wstring(NothingWrittenLine);
        EXPECT_EQ(view.messages[0].text, text);
        EXPECT_TRUE(ListFolder(dir / L"out").empty());
        EXPECT_FALSE(Exists(package));
      }
      EXPECT_TRUE(ListFolder(appTemp).empty());
    }
  }
}

TEST_F(CompileScreen, ALongListOfMissingFilesNamesTheFirstOnes) {
  std::vector<std::wstring> missing;
  for (int k = 1; k <= 40; ++k) missing.push_back(L"C:\\p\\" + std::to_wstring(k) + L".png");
  const std::wstring text = MissingFilesMessage(missing);
  EXPECT_NE(text.find(L"\r\nC:\\p\\15.png\r\n... và 25 file khác\r\n"), std::wstring::npos);
  EXPECT_EQ(text.find(L"16.png"), std::wstring::npos);
}

TEST_F(CompileScreen, AnExistingOutputFolderIsRefusedAndKeptAsItIs) {
  WriteBytes(Bank(L"a.jpg"), "new picture");
  ReadBank(L"[image]a.jpg[/image]");
  CreateDirectoryW((dir / L"out\\Đề 1").c_str(), nullptr);
  WriteBytes(dir / L"out\\Đề 1\\a.jpg", "old picture");
  for (const bool html : {false, true}) {
    EXPECT_FALSE(Compile(OutputMode::Folder, FolderInput(L"Đề 1", html)));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, std::wstring(FolderExistsHeading) + L"\r\n" + (dir / L"out\\Đề 1") + L"\r\n" +
                                         std::wstring(OtherNameLine));
    EXPECT_EQ(ListFolder(dir / L"out\\Đề 1"), std::vector<std::wstring>{L"a.jpg"});
    EXPECT_EQ(ReadBytes(dir / L"out\\Đề 1\\a.jpg"), "old picture");
  }
  // A file of that name is no place for an output folder either.
  WriteBytes(dir / L"out\\Đề 2", "a file");
  EXPECT_FALSE(Compile(OutputMode::Folder, FolderInput(L"Đề 2")));
  EXPECT_EQ(ReadBytes(dir / L"out\\Đề 2"), "a file");
}

TEST_F(CompileScreen, FolderModeWritesTheBankOrThePageAndCompilesAgain) {
  WriteBytes(Bank(L"a.jpg"), "a");
  ReadBank(L"[image]" + dir.Path() + L"\\bank\\a.jpg[/image] x");
  ASSERT_TRUE(Compile(OutputMode::Folder, FolderInput(L"bank", false)));
  EXPECT_EQ(ListFolder(dir / L"out\\bank"), (std::vector<std::wstring>{L"a.jpg", L"data.xml"}));
  BankFileReader reader;
  ASSERT_TRUE(reader.Load(dir / L"out\\bank\\data.xml"));
  EXPECT_EQ(reader.Record(1).CauHoi, L"[image]a.jpg[/image] x");

  ASSERT_TRUE(Compile(OutputMode::Folder, FolderInput(L"page", true)));
  EXPECT_EQ(ListFolder(dir / L"out\\page"), (std::vector<std::wstring>{L"a.jpg", L"index.htm"}));
  EXPECT_EQ(ReadBytes(dir / L"out\\page\\index.htm").substr(0, 4), "\xEF\xBB\xBF<");

  ASSERT_TRUE(Compile(OutputMode::Package, PackageInput()));
  ASSERT_TRUE(Compile(OutputMode::Package, PackageInput()));
  EXPECT_EQ(PackageFiles(), (std::vector<std::wstring>{L"a.jpg", L"data.xml"}));
}

TEST_F(CompileScreen, BlankBoxesDoNothing) {
  ReadBank(L"q");
  const CompileInput blanks[] = {{L"", L"x", false, L""}, {dir / L"out", L"  ", false, L""}, {L" ", L"x", true, L""}};
  for (const CompileInput& input : blanks) EXPECT_FALSE(Compile(OutputMode::Folder, input));
  EXPECT_FALSE(Compile(OutputMode::Package, {dir / L"out", L"x", false, L"  "}));
  EXPECT_TRUE(view.messages.empty());
  EXPECT_TRUE(ListFolder(dir / L"out").empty());
}

TEST_F(CompileScreen, AFolderThatCannotBeMadeOrFilledLeavesNothing) {
  WriteBytes(Bank(L"a.jpg"), "a");
  ReadBank(L"[image]a.jpg[/image]");
  // No parent folder.
  EXPECT_FALSE(Compile(OutputMode::Folder, {dir / L"nowhere", L"Đề", false, {}}));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text.rfind(std::wstring(NotCompiledHeading) + L"\r\n" + (dir / L"nowhere\\Đề"), 0), 0u);
  EXPECT_FALSE(Exists(dir / L"nowhere"));

  // An attached file that is there but cannot be read: the half-made folder goes again.
  HANDLE held = CreateFileW(Bank(L"a.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Compile(OutputMode::Folder, FolderInput()));
  CloseHandle(held);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text.rfind(std::wstring(NotCompiledHeading) + L"\r\na.jpg\r\n", 0), 0u);
  EXPECT_TRUE(ListFolder(dir / L"out").empty());
}

TEST_F(CompileScreen, AFailingPackerIsReportedAndKeepsTheOldPackage) {
  WriteBytes(Bank(L"a.jpg"), "a");
  ReadBank(L"[image]a.jpg[/image]");
  WriteBytes(package, "the old package");
  HANDLE held = CreateFileW(Bank(L"a.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Compile(OutputMode::Package, PackageInput()));
  CloseHandle(held);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text,
            std::wstring(NotCompiledHeading) + L"\r\n" + Bank(L"a.jpg") + L"\r\nKhông đọc được file này.");
  EXPECT_EQ(ReadBytes(package), "the old package");
  EXPECT_TRUE(ListFolder(appTemp).empty());

  // A package that cannot be written where it is asked for.
  EXPECT_FALSE(Compile(OutputMode::Package, {{}, {}, false, dir / L"nowhere\\đề.zip"}));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text,
            std::wstring(NotCompiledHeading) + L"\r\n" + (dir / L"nowhere\\đề.zip") + L"\r\nKhông ghi được file này.");
  EXPECT_TRUE(ListFolder(appTemp).empty());
}

TEST_F(CompileScreen, APackageNamedLikeAWorkFileOrMadeInsideTempIsWhole) {
  WriteBytes(Bank(L"a.jpg"), "a");
  ReadBank(L"[image]a.jpg[/image]");
  for (const wchar_t* name : {L"data.xml", L"package.zip", L"đề.zip"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    package = appTemp + name;
    ASSERT_TRUE(Compile(OutputMode::Package, PackageInput()));
    EXPECT_EQ(ListFolder(appTemp), std::vector<std::wstring>{name});
    EXPECT_EQ(PackageFiles(), (std::vector<std::wstring>{L"a.jpg", L"data.xml"}));
    DeleteFileW(package.c_str());
  }
}

TEST_F(CompileScreen, ChoosingTheOutput) {
  // The folder browser: a blank choice keeps the box.
  view.chosen = L"";
  state.cmdChange_Click(0);
  EXPECT_EQ(view.txtOutPath[0], L"");
  view.chosen = dir / L"out";
  state.cmdChange_Click(0);
  EXPECT_EQ(view.txtOutPath[0], dir / L"out");
  EXPECT_TRUE(view.messages.empty());

  // The save dialog: an existing file is taken only on Yes.
  WriteBytes(package, "old");
  view.chosen = package;
  view.answer = 7;
  state.cmdChange_Click(1);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, OverwriteQuestion);
  EXPECT_EQ(view.messages[0].style, 36);
  EXPECT_EQ(view.txtOutPath[1], L"");
  view.answer = 6;
  state.cmdChange_Click(1);
  EXPECT_EQ(view.txtOutPath[1], package);
  EXPECT_EQ(view.filters.back(), PackageFilter);

  // A new file is taken without a question; a cancelled dialog changes nothing.
  view.messages.clear();
  view.chosen = dir / L"mới.zip";
  state.cmdChange_Click(1);
  EXPECT_EQ(view.txtOutPath[1], dir / L"mới.zip");
  view.chosen = L"";
  state.cmdChange_Click(1);
  EXPECT_EQ(view.txtOutPath[1], dir / L"mới.zip");
  EXPECT_TRUE(view.messages.empty());
}

namespace {

std::wstring Repeat(std::wstring_view piece, size_t times) {
  std::wstring text;
  text.reserve(piece.size() * times);
  for (size_t k = 0; k < times; ++k) text += piece;
  return text;
}

}  // namespace

TEST_F(CompileScreen, HostileFieldsListTheSameFilesInTimeInProportion) {
  std::wstring distinct;
  std::vector<std::wstring> distinctNames;
  for (int k = 0; k < 64000; ++k) {
    distinctNames.push_back(std::to_wstring(k) + L".png");
    distinct += L"[image]" + distinctNames.back() + L"[/image]";
  }
  const struct {
    const char* what;
    std::wstring field;
    std::vector<std::wstring> names;
  } cases[] = {
      {"200,000 identical pairs", Repeat(L"[image]a.jpg[/image][media]a.jpg[/media]", 100000), {L"a.jpg"}},
      {"64,000 distinct names", distinct, distinctNames},
      {"end tags before start tags", Repeat(L"[/image]", 100000) + Repeat(L"[image]", 100000), {}},
      {"end tags before a pair", Repeat(L"[/image]", 100000) + L"[image]x.jpg[/image]" + Repeat(L"[/media]", 100000) +
                                     L"[media]s.mp3[/media]",
       {L"x.jpg", L"s.mp3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ReadBank(c.field);
    EXPECT_EQ(view.lstDS, c.names);
    ASSERT_EQ(state.Files().paths.size(), c.names.size());
    if (!c.names.empty()) {
      EXPECT_EQ(state.Files().paths.back(), Bank(c.names.back()));
    }
  }
}
