// The options file as start-up and the options screen read and write it,
// and the path the command line hands to the set-up screen.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "authoring/mdlMain.h"
#include "runtime/App.h"

using mdlMain::Layout;
using mdlMain::Options;

namespace {

void ExpectOptions(const Options& got, const Options& want, const std::string& what) {
  EXPECT_EQ(got.userName, want.userName) << what;
  EXPECT_EQ(got.className, want.className) << what;
  EXPECT_EQ(got.candidateNumber, want.candidateNumber) << what;
  EXPECT_EQ(got.backColor, want.backColor) << what;
  EXPECT_EQ(got.layout, want.layout) << what;
}

TEST(CommandLine, QuotedPathLosesItsQuotes) {
  const struct {
    const wchar_t* text;
    const wchar_t* path;
  } cases[] = {
      {L"\"C:\\My Banks\\a.xml\"", L"C:\\My Banks\\a.xml"},
      {L"C:\\bank.xml", L"C:\\bank.xml"},
      {L"\"C:\\a.xml", L"\"C:\\a.xml"},
      {L"C:\\a.xml\"", L"C:\\a.xml\""},
      {L"\"a\" \"b\"", L"\"a\" \"b\""},
      {L"\"\"", L""},
      {L"\"", L"\""},
      {L" \"C:\\a.xml\"", L" \"C:\\a.xml\""},
  };
  for (const auto& c : cases) EXPECT_EQ(mdlMain::PathFromCommandLine(c.text), c.path) << c.text;
}

// A relative path is made full against the working folder before use.
TEST(CommandLine, ARelativeBankPathIsMadeFull) {
  wchar_t working[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, working);
  const std::wstring folder = std::wstring(working) + (working[wcslen(working) - 1] == L'\\' ? L"" : L"\\");
  const struct {
    const wchar_t* text;
    std::wstring path;
  } cases[] = {
      {L"bank.xml", folder + L"bank.xml"},
      {L"\"đề thi\\bank.zip\"", folder + L"đề thi\\bank.zip"},
      {L"sub\\..\\bank.XML", folder + L"bank.XML"},
      {L"C:\\banks\\bank.xml", L"C:\\banks\\bank.xml"},
      {L"\"C:\\a.xml", L"\"C:\\a.xml"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(mdlMain::BankPathFromCommandLine(c.text), c.path) << c.text;
}

TEST(CommandLine, TailIsWhatFollowsTheProgramName) {
  const struct {
    const wchar_t* line;
    const wchar_t* tail;
  } cases[] = {
      {L"Tessaro.exe", L""},
      {L"Tessaro.exe C:\\a.xml", L"C:\\a.xml"},
      {L"\"C:\\Program Files\\Tessaro.exe\" \"C:\\b c.zip\"", L"\"C:\\b c.zip\""},
      {L"\"C:\\Program Files\\Tessaro.exe\"", L""},
      {L"Tessaro.exe   x  ", L"x  "},
  };
  for (const auto& c : cases) EXPECT_EQ(tq::App::CommandTail(c.line), c.tail) << c.line;
}

TEST(Options, LeadingNumberRoundsHalvesToEven) {
  const struct {
    const wchar_t* text;
    std::optional<int32_t> value;
  } cases[] = {
      {L"16706001", 16706001},
      {L"abc", 0},
      {L"", 0},
      {L"12abc", 12},
      {L"  -7", -7},
      {L"2.5", 2},
      {L"3.5", 4},
      {L"2.51", 3},
      {L"-2.5", -2},
      {L"0.49", 0},
      {L"2147483647", 2147483647},
      {L"-2147483648", INT32_MIN},
      {L"2147483648", std::nullopt},
      {L"99999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(mdlMain::LeadingNumber(c.text), c.value) << c.text;
}

TEST(Options, ReadAsStartUpDoes) {
  TempFolder folder;
  const std::string head = "<?xml version='1.0' standalone='yes'?><Tessaro charset='UTF-8'>";
  const struct {
    const char* name;
    const char* content;  // nullptr: no file
    Options want;
  } cases[] = {
      {"missing", nullptr, {L"", L"", L"", mdlMain::DefaultBackColor, Layout::NotSet}},
      {"complete",
       "<Option>An</Option><Option>10A</Option><Option>7</Option><Option>255</Option><Option>0</Option></Tessaro>",
       {L"An", L"10A", L"7", 255, Layout::Small800x600}},
      {"large",
       "<Option/><Option/><Option/><Option>1</Option><Option>1</Option></Tessaro>",
       {L"", L"", L"", 1, Layout::Large1024x768}},
      {"colour abc",
       "<Option/><Option/><Option/><Option>abc</Option><Option>x</Option></Tessaro>",
       {L"", L"", L"", 0, Layout::Large1024x768}},
      {"unparsable", "<Option>An</Option><Option>", {L"", L"", L"", 0, Layout::NotSet}},
      {"too few", "<Option>An</Option><Option>10A</Option></Tessaro>", {L"An", L"10A", L"", 0, Layout::NotSet}},
      {"nested",
       "<a><Option>An</Option><b><Option>B</Option></b></a><Option>3</Option><c><Option>99</Option>"
       "</c><Option>0</Option></Tessaro>",
       {L"An", L"B", L"3", 99, Layout::Small800x600}},
      {"escaped", "<Option>&lt;b&gt; &amp;</Option></Tessaro>", {L"<b> &", L"", L"", 0, Layout::NotSet}},
  };
  for (const auto& c : cases) {
    const std::wstring path = folder / (L"config" + std::to_wstring(&c - cases) + L".xml");
    if (c.content) {
      ASSERT_TRUE(tq::WriteFileAtomic(path, head + c.content));
    }
    ExpectOptions(mdlMain::ReadProgramOptions(path), c.want, c.name);
  }
}

TEST(Options, WrittenFileReadsBackAndDropsWhatXmlCannotHold) {
  TempFolder folder;
  const std::wstring path = folder / L"config.xml";
  Options options{L"<Nguyễn> & \"An\"", std::wstring(L"1\x01") + L"0A\x0B", L"x\x1Fy", 16706001, Layout::Small800x600};
  ASSERT_TRUE(mdlMain::WriteOptionsFile(path, options));
  EXPECT_EQ(ReadAll(path),
            "<?xml version=\"1.0\" standalone=\"yes\"?><Tessaro charset=\"UTF-8\"><Option>&lt;Nguy\xE1\xBB\x85n&gt; "
            "&amp; \"An\"</Option><Option>10A</Option><Option>xy</Option><Option>16706001</Option>"
            "<Option>0</Option></Tessaro>");
  ExpectOptions(mdlMain::ReadProgramOptions(path),
                {L"<Nguyễn> & \"An\"", L"10A", L"xy", 16706001, Layout::Small800x600}, "read back");

  options.layout = Layout::NotSet;  // written as the large layout
  options.backColor = 0xFFFFFFFF;   // a signed 32-bit number in the file
  ASSERT_TRUE(mdlMain::WriteOptionsFile(path, options));
  EXPECT_NE(ReadAll(path).find("<Option>-1</Option><Option>1</Option>"), std::string::npos);
}

TEST(Options, AnUnsetLayoutIsTheLargeOne) {
  Options options;
  EXPECT_FALSE(mdlMain::UsesSmallLayout(options));
  options.layout = Layout::Large1024x768;
  EXPECT_FALSE(mdlMain::UsesSmallLayout(options));
  options.layout = Layout::Small800x600;
  EXPECT_TRUE(mdlMain::UsesSmallLayout(options));
}

TEST(Options, FailedSaveKeepsTheOldFile) {
  TempFolder folder;
  const std::wstring path = folder / L"config.xml";
  ASSERT_TRUE(tq::WriteFileAtomic(path, "old"));
  const Options options{L"a", L"b", L"c", 1, Layout::Large1024x768};
  // A folder that does not exist cannot take the file.
  EXPECT_FALSE(mdlMain::WriteOptionsFile(folder / L"missing\\config.xml", options));
  // A folder in the file's place cannot be replaced.
  ASSERT_TRUE(CreateDirectoryW((folder / L"taken.xml").c_str(), nullptr));
  const tq::IoStatus status = mdlMain::WriteOptionsFile(folder / L"taken.xml", options);
  EXPECT_FALSE(status);
  EXPECT_FALSE(status.Text().empty());
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_EQ(folder.Listing(), L"config.xml;taken.xml;");
}

}  // namespace
