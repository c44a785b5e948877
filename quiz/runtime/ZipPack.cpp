#include "runtime/ZipPack.h"

#include <windows.h>

#include <minizip/zip.h>
// iowin32.h relies on the declarations above.
#include <minizip/iowin32.h>

#include <set>
#include <vector>

#include "runtime/FileIo.h"
#include "runtime/Utf.h"
#include "runtime/ZipError.h"
#include "runtime/ZipNames.h"

namespace tq {

namespace {

constexpr DWORD kChunk = 64 * 1024;
constexpr unsigned kUtf8NamesFlag = 0x800;  // general purpose bit 11

// The archive under construction: closed on every path, removed unless committed.
class PendingArchive {
 public:
  explicit PendingArchive(std::wstring path) : path_(std::move(path)) {
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    zip_ = zipOpen2_64(path_.c_str(), APPEND_STATUS_CREATE, nullptr, &io);
  }
  ~PendingArchive() {
    if (zip_) zipClose(zip_, nullptr);
    if (!committed_) DeleteFileW(path_.c_str());
  }
  PendingArchive(const PendingArchive&) = delete;
  PendingArchive& operator=(const PendingArchive&) = delete;

  zipFile Get() const { return zip_; }
  bool Close() {
    const int rc = zipClose(zip_, nullptr);
    zip_ = nullptr;
    return rc == ZIP_OK;
  }
  void Commit() { committed_ = true; }

 private:
  std::wstring path_;
  zipFile zip_ = nullptr;
  bool committed_ = false;
};

zip_fileinfo EntryInfo(HANDLE file) {
  zip_fileinfo info{};
  FILETIME written, local;
  SYSTEMTIME t;
  if (GetFileTime(file, nullptr, nullptr, &written) && FileTimeToLocalFileTime(&written, &local) &&
      FileTimeToSystemTime(&local, &t)) {
    info.tmz_date = {t.wSecond, t.wMinute, t.wHour, t.wDay, t.wMonth - 1, t.wYear};
  }
  return info;
}

void AddEntry(zipFile zip, const std::wstring& path, const std::wstring& name) {
  const FileHandle source = OpenForReading(path);
  LARGE_INTEGER size;
  if (!source.Valid() || !GetFileSizeEx(source.Get(), &size)) {
    throw ZipError(ZipFailure::CannotOpen, path, "cannot open a file to pack");
  }
  const zip_fileinfo info = EntryInfo(source.Get());
  const int zip64 = size.QuadPart >= 0xFFFFFFFFLL ? 1 : 0;
  if (zipOpenNewFileInZip4_64(zip, Utf8FromUtf16(name).c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0,
                              kUtf8NamesFlag, zip64) != ZIP_OK) {
    throw ZipError(ZipFailure::WriteFailed, name, "cannot add an entry");
  }
  std::vector<char> buffer(kChunk);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(source.Get(), buffer.data(), kChunk, &got, nullptr)) {
      zipCloseFileInZip(zip);
      throw ZipError(ZipFailure::ReadFailed, path, "cannot read a file to pack");
    }
    if (got == 0) break;
    if (zipWriteInFileInZip(zip, buffer.data(), got) != ZIP_OK) {
      zipCloseFileInZip(zip);
      throw ZipError(ZipFailure::WriteFailed, name, "cannot write an entry");
    }
  }
  if (zipCloseFileInZip(zip) != ZIP_OK) {
    throw ZipError(ZipFailure::WriteFailed, name, "cannot write an entry");
  }
}

}  // namespace

void ZipPacker::AddFile(const std::wstring& path) { files_.push_back(path); }

void ZipPacker::Create() const {
  std::set<std::wstring> keys;
  for (const std::wstring& path : files_) {
    const std::wstring name = ZipBareName(path);
    if (!IsPlainFileName(name)) throw ZipError(ZipFailure::UnsafeName, name, "bad entry name");
    if (!keys.insert(FileNameKey(name)).second) {
      throw ZipError(ZipFailure::DuplicateName, name, "two entries with one name");
    }
  }

  std::wstring temp;
  if (!CreateTempBeside(archive_, temp)) {
    throw ZipError(ZipFailure::WriteFailed, archive_, "cannot create the archive");
  }
  PendingArchive pending(temp);
  if (!pending.Get()) {
    throw ZipError(ZipFailure::WriteFailed, archive_, "cannot create the archive");
  }
  for (const std::wstring& path : files_) AddEntry(pending.Get(), path, ZipBareName(path));
  if (!pending.Close()) throw ZipError(ZipFailure::WriteFailed, archive_, "cannot write the archive");
  // From here the move owns the temporary: it removes it when it fails.
  pending.Commit();
  if (!MoveOverTarget(temp, archive_)) {
    throw ZipError(ZipFailure::WriteFailed, archive_, "cannot write the archive");
  }
}

}  // namespace tq
