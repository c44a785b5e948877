#include "runtime/FileIo.h"

#include <algorithm>
#include <utility>

namespace tq {

namespace {

IoStatus LastError() { return IoStatus{GetLastError()}; }

// Folder part of a path for the temporary file; "." when the path has none.
std::wstring FolderForTemp(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  if (slash == 0 || path[slash - 1] == L':') return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

}  // namespace

std::wstring IoStatus::Text() const {
  if (error == ERROR_SUCCESS) return {};
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(error);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.Release();
  }
  return *this;
}

HANDLE FileHandle::Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

bool FileHandle::Close() {
  if (!Valid()) return true;
  return CloseHandle(Release()) != 0;
}

FileHandle OpenForReading(const std::wstring& path) {
  return FileHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

IoStatus CreateTempBeside(const std::wstring& target, std::wstring& temp) {
  temp.clear();
  wchar_t name[MAX_PATH + 1];
  if (!GetTempFileNameW(FolderForTemp(target).c_str(), L"tq", 0, name)) return LastError();
  temp = name;
  return {};
}

IoStatus MoveOverTarget(const std::wstring& temp, const std::wstring& target) {
  if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
  const IoStatus status = LastError();
  DeleteFileW(temp.c_str());
  return status;
}

AtomicFileWriter::AtomicFileWriter(std::wstring target) : target_(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
  file_.Close();
  if (!temp_.empty()) DeleteFileW(temp_.c_str());
  temp_.clear();
}

IoStatus AtomicFileWriter::Open() {
  Discard();
  if (IoStatus status = CreateTempBeside(target_, temp_); !status) return status;
  file_ =
      FileHandle(CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_.Valid()) {
    const IoStatus status = LastError();
    Discard();
    return status;
  }
  return {};
}

IoStatus AtomicFileWriter::Write(const void* data, size_t size) {
  if (!file_.Valid()) return IoStatus{ERROR_INVALID_HANDLE};
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file_.Get(), bytes, chunk, &written, nullptr)) return LastError();
    if (written == 0) return IoStatus{ERROR_WRITE_FAULT};
    bytes += written;
    size -= written;
  }
  return {};
}

IoStatus AtomicFileWriter::Commit() {
  if (!file_.Valid()) return IoStatus{ERROR_INVALID_HANDLE};
  if (!FlushFileBuffers(file_.Get()) || !file_.Close()) {
    const IoStatus status = LastError();
    Discard();
    return status;
  }
  const IoStatus status = MoveOverTarget(temp_, target_);
  temp_.clear();
  return status;
}

IoStatus WriteFileAtomic(const std::wstring& path, std::string_view bytes) {
  AtomicFileWriter writer(path);
  if (IoStatus status = writer.Open(); !status) return status;
  if (IoStatus status = writer.Write(bytes.data(), bytes.size()); !status) return status;
  return writer.Commit();
}

IoStatus ReadFileBytes(const std::wstring& path, std::string& out, unsigned long long maxSize) {
  out.clear();
  FileHandle file = OpenForReading(path);
  if (!file.Valid()) return LastError();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size)) return LastError();
  if (static_cast<unsigned long long>(size.QuadPart) > maxSize) return IoStatus{ERROR_FILE_TOO_LARGE};
  out.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < out.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(out.size() - done, 1u << 20));
    DWORD read = 0;
    if (!ReadFile(file.Get(), out.data() + done, chunk, &read, nullptr)) {
      out.clear();
      return LastError();
    }
    if (read == 0) break;  // the file shrank while we read it
    done += read;
  }
  out.resize(done);
  return {};
}

bool RemoveFolderTree(const std::wstring& folder) {
  std::wstring base = folder;
  while (base.size() > 1 && (base.back() == L'\\' || base.back() == L'/')) base.pop_back();
  const DWORD attributes = GetFileAttributesW(base.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  bool removed = true;
  // A link (junction or symbolic link) is not entered: its target lies elsewhere.
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((base + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = base + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          removed = RemoveFolderTree(path) && removed;
        } else {
          if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          removed = DeleteFileW(path.c_str()) && removed;
        }
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(base.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return RemoveDirectoryW(base.c_str()) && removed;
}

}  // namespace tq
