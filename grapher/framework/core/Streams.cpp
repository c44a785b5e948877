#include "framework/core/Streams.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace kx {

KX_PUBLISH(TStream) {}
KX_PUBLISH(TCustomMemoryStream) {}
KX_PUBLISH(TMemoryStream) {}
KX_PUBLISH(TStringStream) {}
KX_PUBLISH(THandleStream) {}
KX_PUBLISH(TFileStream) {}
KX_PUBLISH(TResourceStream) {}

// ---------------------------------------------------------------------------
// TStream

int64_t TStream::Size() {
  const int64_t pos = Seek(0, soCurrent);
  const int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw EStreamError(ClassName() + " cannot change its size"); }

void TStream::ReadBuffer(void* buffer, int32_t count) {
  if (count < 0 || (count != 0 && Read(buffer, count) != count)) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
  if (count < 0 || (count != 0 && Write(buffer, count) != count)) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<uint8_t> buffer(size_t(std::min<int64_t>(count, 0xF000)));
  int64_t left = count;
  while (left > 0) {
    const int32_t n = int32_t(std::min<int64_t>(left, int64_t(buffer.size())));
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return count;
}

// ---------------------------------------------------------------------------
// Memory streams

void TCustomMemoryStream::SetPointer(const uint8_t* data, int64_t size) {
  data_ = data;
  size_ = size;
}

int32_t TCustomMemoryStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || pos_ >= size_) return 0;
  const int32_t n = int32_t(std::min<int64_t>(count, size_ - pos_));
  std::memcpy(buffer, data_ + pos_, size_t(n));
  pos_ += n;
  return n;
}

int32_t TCustomMemoryStream::Write(const void*, int32_t) { return 0; }

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? pos_ : size_;
  const int64_t target = base + offset;
  if (target < 0) throw EStreamError("Seek before the start of the stream");
  pos_ = target;
  return pos_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) { stream.WriteBuffer(data_, int32_t(size_)); }

void TCustomMemoryStream::SaveToFile(const std::string& fileName) {
  SaveToFileSafely(fileName, std::string_view(reinterpret_cast<const char*>(data_), size_t(size_)));
}

void TMemoryStream::Resize(int64_t size) {
  if (size < 0 || size > INT32_MAX) throw EStreamError("Out of memory while expanding memory stream");
  bytes_.resize(size_t(size));
  SetPointer(bytes_.data(), size);
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const int64_t end = pos_ + count;
  if (end > Size()) {
    if (end > int64_t(bytes_.capacity()))
      bytes_.reserve(size_t(std::max<int64_t>(end, int64_t(bytes_.capacity()) * 2)));
    Resize(end);
  }
  std::memcpy(bytes_.data() + pos_, buffer, size_t(count));
  pos_ = end;
  return count;
}

void TMemoryStream::SetSize(int64_t size) {
  Resize(size);
  if (pos_ > size) pos_ = size;
}

void TMemoryStream::Clear() {
  bytes_.clear();
  SetPointer(nullptr, 0);
  pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const int64_t size = stream.Size();
  Resize(size);
  pos_ = 0;
  if (size) stream.ReadBuffer(bytes_.data(), int32_t(size));
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

TStringStream::TStringStream(std::string_view data) {
  WriteString(data);
  SetPosition(0);
}

std::string TStringStream::DataString() const {
  return std::string(reinterpret_cast<const char*>(TCustomMemoryStream::Memory()), size_t(DataSize()));
}

// ---------------------------------------------------------------------------
// Handle and file streams

int32_t THandleStream::Read(void* buffer, int32_t count) {
  DWORD done = 0;
  if (count <= 0 || !ReadFile(handle_, buffer, DWORD(count), &done, nullptr)) return 0;
  return int32_t(done);
}

int32_t THandleStream::Write(const void* buffer, int32_t count) {
  DWORD done = 0;
  if (count <= 0 || !WriteFile(handle_, buffer, DWORD(count), &done, nullptr)) return 0;
  return int32_t(done);
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  LARGE_INTEGER dist, result;
  dist.QuadPart = offset;
  const DWORD method = origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(handle_, dist, &result, method)) throw EStreamError("Seek failed");
  return result.QuadPart;
}

void THandleStream::SetSize(int64_t size) {
  Seek(size, soBeginning);
  if (!SetEndOfFile(handle_)) throw EStreamError("Cannot change the stream size");
}

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : fileName_(fileName) {
  if (mode == fmCreate) {
    handle_ = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw EFCreateError("Cannot create file " + fileName);
    return;
  }
  static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  static const DWORD share[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
  const unsigned openMode = mode & 3u, shareMode = (mode & 0xF0u) >> 4;
  if (openMode > 2 || shareMode > 4) throw EFOpenError("Cannot open file " + fileName);
  // The compatible share mode lets others read, as the old file calls did.
  const DWORD shareFlags = shareMode == 0 ? FILE_SHARE_READ : share[shareMode];
  handle_ = CreateFileA(fileName.c_str(), access[openMode], shareFlags, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) throw EFOpenError("Cannot open file " + fileName);
}

TFileStream::~TFileStream() {
  if (handle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

namespace {
// What failed, the file, and the system's reason for the last error.
std::string FailedSave(const char* what, const std::string& fileName) {
  const std::string reason = SysErrorMessage(GetLastError());
  return what + fileName + (reason.empty() ? "" : ".\r\n" + reason);
}
}  // namespace

void SaveToFileSafely(const std::string& fileName, std::string_view data) {
  const size_t slash = fileName.find_last_of("\\/");
  const std::string dir = slash == std::string::npos ? std::string(".") : fileName.substr(0, slash + 1);
  char temp[MAX_PATH];
  if (!GetTempFileNameA(dir.c_str(), "kx", 0, temp)) throw EFCreateError(FailedSave("Cannot create file ", fileName));
  bool written = false;
  HANDLE h = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    DWORD done = 0;
    written =
        data.size() <= MAXDWORD &&
        (data.empty() || (WriteFile(h, data.data(), DWORD(data.size()), &done, nullptr) && done == data.size())) &&
        FlushFileBuffers(h);
    written = CloseHandle(h) && written;
  }
  if (!written) {
    const std::string message = FailedSave("Cannot write file ", fileName);
    DeleteFileA(temp);
    throw EWriteError(message);
  }
  if (!MoveFileExA(temp, fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const std::string message = FailedSave("Cannot create file ", fileName);
    DeleteFileA(temp);
    throw EFCreateError(message);
  }
}

// ---------------------------------------------------------------------------
// Resource stream

namespace {
HRSRC FindRes(void* module, const std::string& name, const char* type) {
  return FindResourceA(static_cast<HMODULE>(module), name.c_str(), type);
}
}  // namespace

bool TResourceStream::Exists(void* module, const std::string& name, const char* type) {
  return FindRes(module, name, type) != nullptr;
}

TResourceStream::TResourceStream(void* module, const std::string& name, const char* type) {
  HMODULE mod = static_cast<HMODULE>(module);
  HRSRC info = FindRes(module, name, type);
  HGLOBAL global = info ? LoadResource(mod, info) : nullptr;
  const void* data = global ? LockResource(global) : nullptr;
  if (!data) throw EResNotFound("Resource " + name + " not found");
  // Resource memory lives as long as the module; nothing to release.
  SetPointer(static_cast<const uint8_t*>(data), SizeofResource(mod, info));
}

}  // namespace kx
