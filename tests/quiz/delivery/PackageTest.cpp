// Test packages: written by the compile screen, opened by the set-up screen.
#include <gtest/gtest.h>
#include <windows.h>

#include "ScreenFakes.h"
#include "ZipTestFiles.h"
#include "authoring/QuestionBank.h"
#include "authoring/mdlEncrypt.h"
#include "delivery/frmBienDich.h"
#include "delivery/frmTTTN.h"

using namespace ziptest;

namespace {

const SYSTEMTIME kChristmas = LocalTime(12, 25, 14, 30, 5);

// A bank folder with pictures beside the bank, one elsewhere, and a package
// compiled from it into `package`.
struct CompiledPackage {
  ScratchFolder dir;
  std::wstring appTemp = dir / L"Temp\\";
  std::wstring package = dir / L"test.zip";
  std::string picture = std::string("\x89PNG\r\n\x1a\n", 8) + Noise(70000, 12345);

  CompiledPackage() {
    CreateDirectoryW((dir / L"bank").c_str(), nullptr);
    CreateDirectoryW((dir / L"pics").c_str(), nullptr);
    WriteBytes(dir / L"bank\\a.jpg", "jpeg a");
    WriteBytes(dir / L"bank\\data.xml", "an attachment named like the bank");
    WriteBytes(dir / L"pics\\ảnh.png", picture);
    WriteBytes(dir / L"pics\\s.mp3", "mp3");
    const std::wstring pics = dir / L"pics\\";
    const std::vector<QuestionRecord> records = {
        {L"Câu 1 [image]a.jpg[/image]", L"[image]" + pics + L"ảnh.png[/image]", L"b", L"c", L"d", L'B'},
        {L"Câu 2 [media]" + pics + L"s.mp3[/media]", L"[image]A.JPG[/image]", L"[image]data.xml[/image]", L"c", L"d",
         L'D'}};
    EXPECT_TRUE(WriteBankFile(dir / L"bank\\bank.xml", records));
  }

  frmBienDich::CompileBank Read() {
    frmBienDich::CompileBank bank;
    EXPECT_EQ(frmBienDich::DocXML(dir / L"bank\\bank.xml", bank), BankReadResult::Ok);
    return bank;
  }

  PackageStatus Write() {
    const frmBienDich::CompileBank bank = Read();
    return frmBienDich::WritePackage(bank, frmBienDich::CollectAttachments(bank), package, appTemp);
  }
};

// Enciphers a hand-made archive as a package.
void WriteHostilePackage(const std::wstring& path, const std::vector<RawEntry>& entries) {
  WriteArchive(path + L".plain", entries);
  ASSERT_TRUE(mdlEncrypt::CipherFile(path + L".plain", path, mdlEncrypt::QuizKey));
  DeleteFileW((path + L".plain").c_str());
}

}  // namespace

TEST(UnpackStamp, MonthDayHourMinuteSecondWithoutZeros) {
  EXPECT_EQ(frmTTTN::UnpackStamp(kChristmas), L"122514305");
  EXPECT_EQ(frmTTTN::UnpackStamp(LocalTime(1, 11, 1, 2, 3)), L"111123");
  EXPECT_EQ(frmTTTN::UnpackStamp(LocalTime(11, 1, 1, 2, 3)), L"111123");
  EXPECT_EQ(frmTTTN::UnpackStamp(LocalTime(10, 10, 0, 0, 0)), L"1010000");
}

TEST(Package, RoundTripGivesTheBankAndItsFilesSideBySide) {
  CompiledPackage c;
  ASSERT_TRUE(c.Write());
  EXPECT_NE(ReadBytes(c.package).substr(0, 4), "PK\x03\x04");  // enciphered whole
  EXPECT_TRUE(ListFolder(c.appTemp).empty());                  // work files removed

  std::wstring folder;
  ASSERT_TRUE(frmTTTN::OpenPackage(c.package, c.appTemp, kChristmas, folder));
  EXPECT_EQ(folder, c.appTemp + L"122514305");
  EXPECT_EQ(ListFolder(c.appTemp), std::vector<std::wstring>{L"122514305"});
  // Case-sensitive duplicates and an attachment named like the bank are
  // listed by the screen but packed once / not at all.
  EXPECT_EQ(ListFolder(folder), (std::vector<std::wstring>{L"a.jpg", L"data.xml", L"s.mp3", L"ảnh.png"}));
  EXPECT_EQ(ReadBytes(folder + L"\\ảnh.png"), c.picture);
  EXPECT_EQ(ReadBytes(folder + L"\\a.jpg"), "jpeg a");
  EXPECT_EQ(ReadBytes(folder + L"\\s.mp3"), "mp3");

  BankFileReader reader;
  ASSERT_TRUE(reader.Load(folder + L"\\data.xml"));
  ASSERT_EQ(reader.QuestionCount(), 2);
  EXPECT_EQ(reader.Record(1).CauA, L"[image]ảnh.png[/image]");
  EXPECT_EQ(reader.Record(2).CauHoi, L"Câu 2 [media]s.mp3[/media]");
  EXPECT_EQ(reader.Record(2).DapAn, L'D');
  // The package itself is untouched by opening.
  EXPECT_TRUE(Exists(c.package));
}

TEST(Package, SameStampOpensIntoANewFolder) {
  CompiledPackage c;
  ASSERT_TRUE(c.Write());
  std::wstring first, second;
  ASSERT_TRUE(frmTTTN::OpenPackage(c.package, c.appTemp, kChristmas, first));
  ASSERT_TRUE(frmTTTN::OpenPackage(c.package, c.appTemp, kChristmas, second));
  EXPECT_EQ(second, c.appTemp + L"122514305_2");
  EXPECT_EQ(ListFolder(first), ListFolder(second));
}

TEST(Package, PackageInsideTheTempFolderSurvivesOpening) {
  CompiledPackage c;
  c.package = c.appTemp + L"test.zip";
  ASSERT_TRUE(c.Write());
  const std::string before = ReadBytes(c.package);
  std::wstring folder;
  ASSERT_TRUE(frmTTTN::OpenPackage(c.package, c.appTemp, kChristmas, folder));
  EXPECT_EQ(ReadBytes(c.package), before);
  EXPECT_EQ(ListFolder(c.appTemp), (std::vector<std::wstring>{L"122514305", L"test.zip"}));
}

TEST(Package, ANewPackageReplacesTheOldWholeAndAFailedOneKeepsIt) {
  CompiledPackage c;
  WriteBytes(c.package, std::string(500000, 'o'));
  ASSERT_TRUE(c.Write());
  const std::string good = ReadBytes(c.package);
  EXPECT_LT(good.size(), 500000u);

  DeleteFileW((c.dir / L"pics\\s.mp3").c_str());
  const PackageStatus status = c.Write();
  EXPECT_EQ(status.failure, PackageFailure::ArchiveFailed);
  EXPECT_EQ(status.zipFailure, tq::ZipFailure::CannotOpen);
  EXPECT_EQ(status.item, c.dir / L"pics\\s.mp3");
  EXPECT_EQ(ReadBytes(c.package), good);
  EXPECT_TRUE(ListFolder(c.appTemp).empty());
}

TEST(Package, HostilePackagesAreRefusedAndLeaveNothing) {
  const struct {
    const char* what;
    std::vector<RawEntry> entries;
    PackageFailure failure;
    tq::ZipFailure zip;
  } cases[] = {
      {"device name",
       {{"data.xml", "<Quorel/>"}, {"pics/CON", "x"}},
       PackageFailure::ArchiveFailed,
       tq::ZipFailure::UnsafeName},
      {"drive name",
       {{"data.xml", "<Quorel/>"}, {"C:570MS.exe", "x"}},
       PackageFailure::ArchiveFailed,
       tq::ZipFailure::UnsafeName},
      {"duplicate",
       {{"data.xml", "<Quorel/>"}, {"..\\DATA.XML", "x"}},
       PackageFailure::ArchiveFailed,
       tq::ZipFailure::DuplicateName},
      {"oversize",
       {{"data.xml", "<Quorel/>"}, {"big.bin", std::string(3000, 'b')}},
       PackageFailure::ArchiveFailed,
       tq::ZipFailure::TooLarge},
      {"no bank", {{"a.jpg", "x"}}, PackageFailure::NoBank, tq::ZipFailure::CannotOpen},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder dir;
    WriteHostilePackage(dir / L"evil.zip", c.entries);
    std::wstring folder;
    frmTTTN::UnpackBounds bounds;
    bounds.zip = {2000, 100};
    const PackageStatus status = frmTTTN::OpenPackage(dir / L"evil.zip", dir / L"Temp\\", kChristmas, folder, bounds);
    EXPECT_EQ(status.failure, c.failure);
    if (c.failure == PackageFailure::ArchiveFailed) {
      EXPECT_EQ(status.zipFailure, c.zip);
    }
    EXPECT_TRUE(folder.empty());
    EXPECT_TRUE(ListFolder(dir / L"Temp").empty());
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::wstring>{L"Temp", L"evil.zip"}));
  }
}

TEST(Package, TraversingNamesLandInsideTheUnpackFolder) {
  ScratchFolder dir;
  CreateDirectoryW((dir / L"app").c_str(), nullptr);
  WriteHostilePackage(dir / L"evil.zip",
                      {{"data.xml", "<Quorel/>"}, {"..\\..\\570MS.exe", "exe"}, {"a/../../b.jpg", "b"}});
  std::wstring folder;
  ASSERT_TRUE(frmTTTN::OpenPackage(dir / L"evil.zip", dir / L"app\\Temp\\", kChristmas, folder));
  EXPECT_EQ(ListFolder(folder), (std::vector<std::wstring>{L"570MS.exe", L"b.jpg", L"data.xml"}));
  EXPECT_EQ(ListFolder(dir / L"app"), std::vector<std::wstring>{L"Temp"});
  EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::wstring>{L"app", L"evil.zip"}));
}

TEST(Package, WhatIsNoPackageIsRefused) {
  ScratchFolder dir;
  WriteBytes(dir / L"plain.zip", std::string(5000, 'n'));
  std::wstring folder;
  PackageStatus status = frmTTTN::OpenPackage(dir / L"plain.zip", dir / L"Temp\\", kChristmas, folder);
  EXPECT_EQ(status.failure, PackageFailure::ArchiveFailed);
  EXPECT_EQ(status.zipFailure, tq::ZipFailure::NotAnArchive);
  EXPECT_EQ(status.item, dir / L"plain.zip");  // the user's file, not the deleted work copy
  status = frmTTTN::OpenPackage(dir / L"missing.zip", dir / L"Temp\\", kChristmas, folder);
  EXPECT_EQ(status.failure, PackageFailure::CipherFailed);
  EXPECT_TRUE(folder.empty());
  EXPECT_TRUE(ListFolder(dir / L"Temp").empty());
}

namespace {

// Opens a package with the Temp folder's drive said to have `free` bytes.
PackageStatus OpenWithFree(const std::wstring& package, const std::wstring& appTemp, uint64_t free,
                           std::wstring& folder) {
  frmTTTN::UnpackBounds bounds;
  bounds.freeBytes = free;
  return frmTTTN::OpenPackage(package, appTemp, kChristmas, folder, bounds);
}

constexpr uint64_t kPlentyFree = uint64_t{1} << 40;

}  // namespace

// Eight directory entries share one compressed block of 9 MiB (compressed
// less than 100 times): the package declares 72 MiB from about 100 kB of file,
// over the larger of 64 MiB and 100 times its size, and nothing is written.
TEST(Package, MoreThanTheFilesSizeAllowsIsRefusedBeforeUnpacking) {
  ScratchFolder dir;
  const std::string block = Noise(100000, 7) + std::string(9 << 20, '\0');
  WriteSharedBlockArchive(dir / L"shared.plain", block,
                          {"data.xml", "pic1.png", "pic2.png", "pic3.png", "pic4.png", "pic5.png", "pic6.png", "pic7.png"});
  ASSERT_TRUE(mdlEncrypt::CipherFile(dir / L"shared.plain", dir / L"shared.zip", mdlEncrypt::QuizKey));
  ASSERT_LT(ReadBytes(dir / L"shared.zip").size(), 200000u);  // 100 times that is far below 64 MiB
  std::wstring folder;
  PackageStatus status = OpenWithFree(dir / L"shared.zip", dir / L"Temp\\", kPlentyFree, folder);
  EXPECT_EQ(status.failure, PackageFailure::ArchiveFailed);
  EXPECT_EQ(status.zipFailure, tq::ZipFailure::TooLarge);
  EXPECT_TRUE(ListFolder(dir / L"Temp").empty());
  EXPECT_TRUE(folder.empty());

  // Sizes declared beyond the data: refused on the directory alone.
  WriteHostilePackage(dir / L"liar.zip",
                      {{"data.xml", "<Quorel/>"}, {"big.bin", std::string(20000, 'x'), 0x800, 1LL << 30}});
  status = OpenWithFree(dir / L"liar.zip", dir / L"Temp\\", kPlentyFree, folder);
  EXPECT_EQ(status.zipFailure, tq::ZipFailure::TooLarge);
  EXPECT_TRUE(ListFolder(dir / L"Temp").empty());
  EXPECT_TRUE(folder.empty());
}

// What the compile step writes opens again, however well it compresses: a bank
// of 300 identical questions, and ten questions with one blank 640 x 480 BMP.
TEST(Package, RepetitivePackagesFromTheCompileStepOpen) {
  ScratchFolder dir;
  CreateDirectoryW((dir / L"bank").c_str(), nullptr);
  std::string bmp = "BM";
  const uint32_t pixels = 640 * 480 * 3;
  for (uint32_t value : {pixels + 54, 0u, 54u, 40u, 640u, 480u}) bmp += std::string(reinterpret_cast<char*>(&value), 4);
  bmp += std::string("\x01\x00\x18\x00", 4) + std::string(24, '\0') + std::string(pixels, '\xFF');
  WriteBytes(dir / L"bank\\blank.bmp", bmp);
  std::vector<QuestionRecord> blank = NumberedQuestions(10);
  blank[0].CauHoi += L"[image]blank.bmp[/image]";
  const struct {
    const wchar_t* name;
    std::vector<QuestionRecord> records;
  } cases[] = {
      {L"same", std::vector<QuestionRecord>(300, QuestionRecord{L"Q", L"a", L"b", L"c", L"d", L'A'})},
      {L"blank", blank},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    const std::wstring bankPath = dir / (L"bank\\" + std::wstring(c.name) + L".xml");
    ASSERT_TRUE(WriteBankFile(bankPath, c.records));
    frmBienDich::CompileBank bank;
    ASSERT_EQ(frmBienDich::DocXML(bankPath, bank), BankReadResult::Ok);
    const std::wstring package = dir / (std::wstring(c.name) + L".zip");
    ASSERT_TRUE(frmBienDich::WritePackage(bank, frmBienDich::CollectAttachments(bank), package, dir / L"Temp\\"));
    std::wstring folder;
    ASSERT_TRUE(OpenWithFree(package, dir / L"Temp\\", kPlentyFree, folder));
    EXPECT_TRUE(Exists(folder + L"\\data.xml"));
  }
}

TEST(Package, MoreThanTheTempDriveHoldsIsRefused) {
  CompiledPackage c;
  ASSERT_TRUE(c.Write());
  const uint64_t margin = frmTTTN::UnpackBounds{}.freeMargin;
  std::wstring folder;
  // The package unpacks to about 70 kB: refused when less than that is left above the margin.
  const PackageStatus status = OpenWithFree(c.package, c.appTemp, margin + 20000, folder);
  EXPECT_EQ(status.failure, PackageFailure::ArchiveFailed);
  EXPECT_EQ(status.zipFailure, tq::ZipFailure::TooLarge);
  EXPECT_TRUE(ListFolder(c.appTemp).empty());
  EXPECT_TRUE(OpenWithFree(c.package, c.appTemp, margin + 200000, folder));
  EXPECT_TRUE(OpenWithFree(c.package, c.appTemp, kPlentyFree, folder));
  // Measured on the real drive when not given.
  EXPECT_TRUE(frmTTTN::OpenPackage(c.package, c.appTemp, kChristmas, folder));
}
