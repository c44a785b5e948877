// File access for the quiz tool: whole-file reads and writes that never leave a
// half-written target behind.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tq {

// Outcome of a file operation: a Win32 error code, ERROR_SUCCESS when it worked.
struct IoStatus {
  DWORD error = ERROR_SUCCESS;

  explicit operator bool() const { return error == ERROR_SUCCESS; }
  // The system's own description of the error (empty on success).
  std::wstring Text() const;
};

// Owns one Win32 file handle.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(FileHandle&& other) noexcept : handle_(other.Release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  HANDLE Release();
  // Closes the handle; false when the system reports that the close failed.
  bool Close();

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Opens an existing file for reading (shared with other readers).
FileHandle OpenForReading(const std::wstring& path);

// For files that a library writes by path: creates a fresh, empty temporary
// file in the target's folder and returns its path.
IoStatus CreateTempBeside(const std::wstring& target, std::wstring& temp);
// Moves a finished temporary file over the target; removes the temporary when
// that fails, leaving the target as it was.
IoStatus MoveOverTarget(const std::wstring& temp, const std::wstring& target);

// Writes a file by way of a temporary file in the target's folder, which is
// moved over the target only once every byte is on disk. Until Commit the
// target is untouched; a writer destroyed without Commit removes its temporary.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::wstring target);
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  IoStatus Open();
  IoStatus Write(const void* data, size_t size);
  IoStatus Commit();

 private:
  void Discard();

  std::wstring target_;
  std::wstring temp_;
  FileHandle file_;
};

// Replaces the file at path with exactly these bytes, atomically.
IoStatus WriteFileAtomic(const std::wstring& path, std::string_view bytes);

// Reads a whole file; files over maxSize bytes are refused (ERROR_FILE_TOO_LARGE).
IoStatus ReadFileBytes(const std::wstring& path, std::string& out, unsigned long long maxSize = 512ull << 20);

// Removes a folder with everything in it; read-only files too. A link to a
// folder elsewhere is removed as a link: nothing outside the folder is touched.
// False when anything is left (a missing folder counts as removed).
bool RemoveFolderTree(const std::wstring& folder);

}  // namespace tq
