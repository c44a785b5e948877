// Removal of unpack folders and parked banks: only inside their folder, never through a link.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

#include "ZipTestFiles.h"
#include "delivery/TempCleanup.h"

using tq::CleanupResult;
using ziptest::Exists;
using ziptest::ListFolder;
using ziptest::ScratchFolder;
using ziptest::WriteBytes;

TEST(IsInsideFolder, StrictlyInsideOnceNormalised) {
  const std::wstring root = L"C:\\p\\Temp\\";
  const struct {
    const wchar_t* path;
    bool inside;
  } cases[] = {
      {L"C:\\p\\Temp\\a", true},
      {L"C:\\p\\Temp\\a\\b\\", true},
      {L"c:\\P\\temp\\A", true},
      {L"C:/p/Temp/a", true},
      {L"C:\\p\\Temp\\.\\a", true},
      {L"C:\\p\\Temp\\x\\..\\a", true},
      {L"C:\\p\\Temp", false},
      {L"C:\\p\\Temp\\", false},
      {L"C:\\p\\Temp\\a\\..", false},
      {L"C:\\p\\Temp\\..\\x", false},
      {L"C:\\p\\Temp\\a\\..\\..\\x", false},
      {L"C:\\p\\TempX\\a", false},
      {L"C:\\p\\Tem", false},
      {L"D:\\p\\Temp\\a", false},
      {L"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tq::IsInsideFolder(c.path, root), c.inside) << testing::PrintToString(std::wstring(c.path));
  }
  EXPECT_FALSE(tq::IsInsideFolder(L"C:\\p\\Temp\\a", L""));
}

TEST(IsInsideFolder, ShortNamesAreExpanded) {
  ScratchFolder dir;
  const std::wstring root = dir / L"Program Files Long Name";
  CreateDirectoryW(root.c_str(), nullptr);
  CreateDirectoryW((root + L"\\Temp").c_str(), nullptr);
  CreateDirectoryW((root + L"\\Temp\\12345").c_str(), nullptr);
  wchar_t shortPath[MAX_PATH];
  const DWORD length = GetShortPathNameW((root + L"\\Temp\\12345").c_str(), shortPath, MAX_PATH);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(tq::NormalisedPath(shortPath), tq::NormalisedPath(root + L"\\Temp\\12345"));
  EXPECT_TRUE(tq::IsInsideFolder(shortPath, root + L"\\Temp\\"));
  EXPECT_FALSE(tq::IsInsideFolder(std::wstring(shortPath) + L"\\..\\..", root + L"\\Temp\\"));
}

namespace {

// A Temp folder inside a scratch folder, with a folder beside it that must survive.
struct Folders {
  ScratchFolder dir;
  std::wstring temp = dir / L"Temp";
  std::wstring outside = dir / L"keep";

  Folders() {
    CreateDirectoryW(temp.c_str(), nullptr);
    CreateDirectoryW(outside.c_str(), nullptr);
    WriteBytes(outside + L"\\precious.txt", "keep me");
  }
  std::wstring Root() const { return temp + L"\\"; }
};

}  // namespace

TEST(RemoveFolderInside, RemovesATreeWithReadOnlyFiles) {
  Folders f;
  const std::wstring folder = f.temp + L"\\122514305";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\sub").c_str(), nullptr);
  WriteBytes(folder + L"\\a.png", "a");
  WriteBytes(folder + L"\\sub\\b.png", "b");
  SetFileAttributesW((folder + L"\\a.png").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(tq::RemoveFolderInside(folder, f.Root()), CleanupResult::Removed);
  EXPECT_FALSE(Exists(folder));
  EXPECT_EQ(tq::RemoveFolderInside(folder, f.Root()), CleanupResult::AlreadyGone);
  EXPECT_EQ(tq::RemoveFolderInside(folder + L"\\deeper", f.Root()), CleanupResult::AlreadyGone);
}

TEST(RemoveFolderInside, NothingOutsideTheRoot) {
  Folders f;
  const std::wstring refused[] = {
      f.outside, f.temp, f.Root(), f.temp + L"\\..\\keep", f.temp + L"\\x\\..\\..\\keep", f.dir.Path(), L"",
  };
  for (const std::wstring& path : refused) {
    EXPECT_EQ(tq::RemoveFolderInside(path, f.Root()), CleanupResult::Refused) << testing::PrintToString(path);
  }
  EXPECT_EQ(tq::RemoveFolderInside(f.outside, L""), CleanupResult::Refused);
  EXPECT_EQ(ziptest::ReadBytes(f.outside + L"\\precious.txt"), "keep me");
  EXPECT_TRUE(Exists(f.temp));
  // A file is no folder to remove, and a folder no file.
  WriteBytes(f.temp + L"\\file", "x");
  EXPECT_EQ(tq::RemoveFolderInside(f.temp + L"\\file", f.Root()), CleanupResult::Refused);
  CreateDirectoryW((f.temp + L"\\dir").c_str(), nullptr);
  EXPECT_EQ(tq::RemoveFileInside(f.temp + L"\\dir", f.Root()), CleanupResult::Refused);
  EXPECT_EQ(tq::RemoveFileInside(f.outside + L"\\precious.txt", f.Root()), CleanupResult::Refused);
  EXPECT_EQ(tq::RemoveFileInside(f.temp + L"\\file", f.Root()), CleanupResult::Removed);
  EXPECT_EQ(tq::RemoveFileInside(f.temp + L"\\file", f.Root()), CleanupResult::AlreadyGone);
}

namespace {

// Makes `link` (a new empty folder) a junction to `target`; false where the
// system cannot make one.
bool MakeJunction(const std::wstring& link, const std::wstring& target) {
  if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
  const std::wstring substitute = L"\\??\\" + target;
  const size_t subBytes = substitute.size() * sizeof(wchar_t);
  const size_t printBytes = target.size() * sizeof(wchar_t);
  // Tag, data length, reserved; then the four offsets and lengths and both names.
  const size_t dataLength = 8 + subBytes + sizeof(wchar_t) + printBytes + sizeof(wchar_t);
  std::vector<unsigned char> buffer(8 + dataLength, 0);
  auto put16 = [&](size_t at, size_t value) {
    const WORD word = static_cast<WORD>(value);
    std::memcpy(&buffer[at], &word, 2);
  };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(&buffer[0], &tag, 4);
  put16(4, dataLength);
  put16(8, 0);
  put16(10, subBytes);
  put16(12, subBytes + sizeof(wchar_t));
  put16(14, printBytes);
  std::memcpy(&buffer[16], substitute.data(), subBytes);
  std::memcpy(&buffer[16 + subBytes + sizeof(wchar_t)], target.data(), printBytes);

  HANDLE handle = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  DWORD returned = 0;
  const BOOL ok = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  nullptr, 0, &returned, nullptr);
  CloseHandle(handle);
  const DWORD attributes = GetFileAttributesW(link.c_str());
  return ok && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         Exists(link + L"\\precious.txt");
}

// A folder link of either kind; false where neither can be made here.
bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
  if (MakeJunction(link, target)) return true;
  RemoveDirectoryW(link.c_str());
  const DWORD flags = SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2;  // unprivileged creation where allowed
  if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), flags)) return false;
  const DWORD attributes = GetFileAttributesW(link.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         Exists(link + L"\\precious.txt");
}

}  // namespace

TEST(RemoveFolderInside, NeverThroughALink) {
  Folders f;
  const std::wstring unpacked = f.temp + L"\\122514305";
  CreateDirectoryW(unpacked.c_str(), nullptr);
  WriteBytes(unpacked + L"\\a.png", "a");
  if (!MakeFolderLink(unpacked + L"\\link", f.outside)) {
    GTEST_SKIP() << "this system makes no junction or folder link";
  }
  // A path through the link names a folder outside: refused.
  CreateDirectoryW((f.outside + L"\\sub").c_str(), nullptr);
  EXPECT_EQ(tq::RemoveFolderInside(unpacked + L"\\link\\sub", f.Root()), CleanupResult::Refused);
  EXPECT_EQ(tq::RemoveFileInside(unpacked + L"\\link\\precious.txt", f.Root()), CleanupResult::Refused);
  EXPECT_TRUE(Exists(f.outside + L"\\sub"));

  // A link inside the folder goes as a link; what it points to stays.
  EXPECT_EQ(tq::RemoveFolderInside(unpacked, f.Root()), CleanupResult::Removed);
  EXPECT_FALSE(Exists(unpacked));
  EXPECT_EQ(ziptest::ReadBytes(f.outside + L"\\precious.txt"), "keep me");

  // The folder itself a link: the link goes.
  ASSERT_TRUE(MakeFolderLink(unpacked, f.outside));
  EXPECT_EQ(tq::RemoveFolderInside(unpacked, f.Root()), CleanupResult::Removed);
  EXPECT_FALSE(Exists(unpacked));
  EXPECT_EQ(ListFolder(f.outside), (std::vector<std::wstring>{L"precious.txt", L"sub"}));
}

namespace {

// The folder the ctest fixture fills with host-made links; empty when it is not there.
std::wstring HostLinks() {
  wchar_t cwd[MAX_PATH];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, cwd);
  if (length == 0 || length >= MAX_PATH) return {};
  const std::wstring root = std::wstring(cwd) + L"\\quiz_links";
  const DWORD attributes = GetFileAttributesW((root + L"\\app\\Temp\\whole").c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return {};
  return root;
}

}  // namespace

TEST(RemoveFolderInside, NeverThroughALinkMadeOnTheHost) {
  const std::wstring root = HostLinks();
  if (root.empty()) GTEST_SKIP() << "run through ctest: its fixture makes the links";
  const std::wstring temp = root + L"\\app\\Temp\\";
  const std::wstring keep = root + L"\\keep";
  const std::wstring unpacked = temp + L"122514305";

  EXPECT_EQ(tq::RemoveFileInside(temp + L"whole\\precious.txt", temp), CleanupResult::Refused);
  EXPECT_EQ(tq::RemoveFolderInside(unpacked + L"\\link\\sub", temp), CleanupResult::Refused);

  // Wine cannot remove such a link; Windows removes the link alone. Either way
  // what it points to stays.
  for (const std::wstring& folder : {unpacked, temp + L"whole"}) {
    const CleanupResult result = tq::RemoveFolderInside(folder, temp);
    EXPECT_TRUE(result == CleanupResult::Removed || result == CleanupResult::Failed);
    if (result == CleanupResult::Removed) {
      EXPECT_FALSE(Exists(folder));
    }
    EXPECT_EQ(ziptest::ReadBytes(keep + L"\\precious.txt"), "keep me");
  }
  EXPECT_FALSE(Exists(unpacked + L"\\a.png"));
}
