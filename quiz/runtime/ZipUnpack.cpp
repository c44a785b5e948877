#include "runtime/ZipUnpack.h"

#include <windows.h>

#include <minizip/unzip.h>
// iowin32.h relies on the declarations above.
#include <minizip/iowin32.h>

#include <set>

#include "runtime/FileIo.h"
#include "runtime/Utf.h"
#include "runtime/ZipError.h"
#include "runtime/ZipNames.h"

namespace tq {

namespace {

constexpr unsigned kChunk = 64 * 1024;
constexpr unsigned long kUtf8NamesFlag = 0x800;
constexpr unsigned long kEncryptedFlag = 0x1;
constexpr UINT kDosCodePage = 437;  // names of archives that do not say UTF-8

class Archive {
 public:
  explicit Archive(const std::wstring& path) {
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    unz_ = unzOpen2_64(path.c_str(), &io);
  }
  ~Archive() {
    if (unz_) unzClose(unz_);
  }
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;
  unzFile Get() const { return unz_; }

 private:
  unzFile unz_ = nullptr;
};

struct Entry {
  std::wstring name;  // as stored, decoded
  std::wstring bare;  // the file it lands on
  unz_file_info64 info;
};

std::wstring DecodeName(const std::string& raw, bool utf8) {
  if (utf8) return Utf16FromUtf8(raw);
  if (raw.empty()) return {};
  const int size = MultiByteToWideChar(kDosCodePage, 0, raw.data(), static_cast<int>(raw.size()), nullptr, 0);
  std::wstring out(size, L'\0');
  MultiByteToWideChar(kDosCodePage, 0, raw.data(), static_cast<int>(raw.size()), out.data(), size);
  return out;
}

// `raw` is a buffer of the largest name a ZIP entry can have.
Entry ReadEntry(unzFile unz, std::string& raw) {
  Entry entry{};
  if (unzGetCurrentFileInfo64(unz, &entry.info, raw.data(), static_cast<uLong>(raw.size()), nullptr, 0, nullptr, 0) !=
      UNZ_OK) {
    throw ZipError(ZipFailure::NotAnArchive, L"", "damaged central directory");
  }
  entry.name = DecodeName(raw.substr(0, entry.info.size_filename), (entry.info.flag & kUtf8NamesFlag) != 0);
  entry.bare = ZipBareName(entry.name);
  return entry;
}

// Reads and checks the whole directory before a single byte is written.
std::vector<Entry> ReadDirectory(unzFile unz, const ZipLimits& limits) {
  unz_global_info64 global;
  if (unzGetGlobalInfo64(unz, &global) != UNZ_OK) {
    throw ZipError(ZipFailure::NotAnArchive, L"", "damaged archive");
  }
  if (global.number_entry > limits.maxEntries) {
    throw ZipError(ZipFailure::TooLarge, L"", "too many entries");
  }
  std::vector<Entry> entries;
  std::set<std::wstring> keys;
  uint64_t total = 0;
  std::string raw(0xFFFF, '\0');
  int rc = unzGoToFirstFile(unz);
  while (rc == UNZ_OK) {
    Entry entry = ReadEntry(unz, raw);
    if (!IsPlainFileName(entry.bare)) {
      throw ZipError(ZipFailure::UnsafeName, entry.name, "entry name is no plain file name");
    }
    if (!keys.insert(FileNameKey(entry.bare)).second) {
      throw ZipError(ZipFailure::DuplicateName, entry.name, "two entries land on one file");
    }
    if ((entry.info.flag & kEncryptedFlag) != 0 ||
        (entry.info.compression_method != 0 && entry.info.compression_method != Z_DEFLATED)) {
      throw ZipError(ZipFailure::Unsupported, entry.name, "encrypted or unknown compression");
    }
    // Each size is checked before it is added, so the total cannot wrap around.
    if (entry.info.uncompressed_size > limits.maxTotalBytes) {
      throw ZipError(ZipFailure::TooLarge, entry.name, "archive too large");
    }
    total += entry.info.uncompressed_size;
    if (total > limits.maxTotalBytes) {
      throw ZipError(ZipFailure::TooLarge, entry.name, "archive too large");
    }
    entries.push_back(std::move(entry));
    rc = unzGoToNextFile(unz);
  }
  if (rc != UNZ_END_OF_LIST_OF_FILE) {
    throw ZipError(ZipFailure::NotAnArchive, L"", "damaged central directory");
  }
  return entries;
}

// Files and the folder made by one extraction; removed again unless it succeeds.
class Extraction {
 public:
  Extraction(std::wstring folder, bool madeFolder) : folder_(std::move(folder)), madeFolder_(madeFolder) {}
  ~Extraction() {
    if (done_) return;
    for (const std::wstring& path : written_) DeleteFileW(path.c_str());
    if (madeFolder_) RemoveDirectoryW(folder_.c_str());
  }
  Extraction(const Extraction&) = delete;
  Extraction& operator=(const Extraction&) = delete;

  void Written(const std::wstring& path) { written_.push_back(path); }
  void Done() { done_ = true; }

 private:
  std::wstring folder_;
  bool madeFolder_;
  std::vector<std::wstring> written_;
  bool done_ = false;
};

class OpenEntry {
 public:
  explicit OpenEntry(unzFile unz) : unz_(unz), open_(unzOpenCurrentFile(unz) == UNZ_OK) {}
  ~OpenEntry() {
    if (open_) unzCloseCurrentFile(unz_);
  }
  OpenEntry(const OpenEntry&) = delete;
  OpenEntry& operator=(const OpenEntry&) = delete;
  bool IsOpen() const { return open_; }
  // Closing verifies the checksum of the data read.
  bool Close() {
    open_ = false;
    return unzCloseCurrentFile(unz_) == UNZ_OK;
  }

 private:
  unzFile unz_;
  bool open_;
};

// Streams the current entry into a new file. The reader never yields more than
// the declared size, which the directory check has already bounded.
void ExtractEntry(unzFile unz, const Entry& entry, const std::wstring& target, Extraction& extraction) {
  OpenEntry open(unz);
  if (!open.IsOpen()) throw ZipError(ZipFailure::ReadFailed, entry.name, "cannot read entry");
  FileHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) throw ZipError(ZipFailure::WriteFailed, entry.name, "cannot create file");
  extraction.Written(target);

  std::vector<char> buffer(kChunk);
  uint64_t written = 0;
  for (;;) {
    const int got = unzReadCurrentFile(unz, buffer.data(), kChunk);
    if (got < 0) throw ZipError(ZipFailure::ReadFailed, entry.name, "damaged entry data");
    if (got == 0) break;
    written += static_cast<unsigned>(got);
    DWORD put = 0;
    if (!WriteFile(file.Get(), buffer.data(), static_cast<DWORD>(got), &put, nullptr) ||
        put != static_cast<DWORD>(got)) {
      throw ZipError(ZipFailure::WriteFailed, entry.name, "cannot write file");
    }
  }
  if (!open.Close()) throw ZipError(ZipFailure::ReadFailed, entry.name, "checksum mismatch");
  if (!file.Close()) throw ZipError(ZipFailure::WriteFailed, entry.name, "cannot write file");
  if (written != entry.info.uncompressed_size) {
    throw ZipError(ZipFailure::ReadFailed, entry.name, "entry shorter than declared");
  }
}

bool MakeFolder(const std::wstring& folder) {
  if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw ZipError(ZipFailure::WriteFailed, folder, "cannot make the folder");
  }
  return false;
}

}  // namespace

std::vector<std::wstring> ZipExtract(const std::wstring& archive, const std::wstring& folder, const ZipLimits& limits) {
  if (GetFileAttributesW(archive.c_str()) == INVALID_FILE_ATTRIBUTES) {
    throw ZipError(ZipFailure::CannotOpen, archive, "archive missing");
  }
  Archive zip(archive);
  if (!zip.Get()) throw ZipError(ZipFailure::NotAnArchive, archive, "not a ZIP archive");
  const std::vector<Entry> entries = ReadDirectory(zip.Get(), limits);

  Extraction extraction(folder, MakeFolder(folder));
  std::wstring base = folder;
  if (!base.empty() && base.back() != L'\\' && base.back() != L'/') base += L'\\';
  std::vector<std::wstring> names;
  int rc = unzGoToFirstFile(zip.Get());
  for (const Entry& entry : entries) {
    if (rc != UNZ_OK) throw ZipError(ZipFailure::NotAnArchive, entry.name, "damaged archive");
    ExtractEntry(zip.Get(), entry, base + entry.bare, extraction);
    names.push_back(entry.bare);
    rc = unzGoToNextFile(zip.Get());
  }
  extraction.Done();
  return names;
}

}  // namespace tq
