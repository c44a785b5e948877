// Byte streams: the abstract stream, memory, string, file and resource streams.
#pragma once

#include "framework/core/Classes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kx {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  KX_CLASS(TStream, TObject)
 public:
  // Read/Write move up to count bytes and return how many moved.
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t size);

  // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* buffer, int32_t count);
  void WriteBuffer(const void* buffer, int32_t count);
  // Copies count bytes from source (the whole source from its start when count is 0).
  int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over memory it does not necessarily own; read-only unless derived.
class TCustomMemoryStream : public TStream {
  KX_CLASS(TCustomMemoryStream, TStream)
 public:
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return size_; }
  int64_t DataSize() const { return size_; }
  const uint8_t* Memory() const { return data_; }
  void SaveToStream(TStream& stream);
  void SaveToFile(const std::string& fileName);

 protected:
  void SetPointer(const uint8_t* data, int64_t size);
  int64_t pos_ = 0;

 private:
  const uint8_t* data_ = nullptr;
  int64_t size_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  KX_CLASS(TMemoryStream, TCustomMemoryStream)
 public:
  TMemoryStream() = default;
  int32_t Write(const void* buffer, int32_t count) override;
  void SetSize(int64_t size) override;
  void Clear();
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  uint8_t* Memory() { return bytes_.data(); }

 private:
  void Resize(int64_t size);
  std::vector<uint8_t> bytes_;
};

// A memory stream whose data is a string ("the saved text is the stream's data").
class TStringStream : public TMemoryStream {
  KX_CLASS(TStringStream, TMemoryStream)
 public:
  TStringStream() = default;
  explicit TStringStream(std::string_view data);
  std::string DataString() const;
  void WriteString(std::string_view s) { WriteBuffer(s.data(), int32_t(s.size())); }
};

// File modes: one of the open modes, optionally with a share mode.
enum : uint16_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFFFF,
};

class THandleStream : public TStream {
  KX_CLASS(THandleStream, TStream)
 public:
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;

 protected:
  THandleStream() = default;
  void* handle_ = nullptr;  // a Win32 HANDLE
};

// EFCreateError "Cannot create file X" / EFOpenError "Cannot open file X".
class TFileStream : public THandleStream {
  KX_CLASS(TFileStream, THandleStream)
 public:
  TFileStream(const std::string& fileName, uint16_t mode);
  ~TFileStream() override;
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
};

// Read-only view of a resource of the given module (nullptr: the program).
// EResNotFound "Resource X not found".
class TResourceStream : public TCustomMemoryStream {
  KX_CLASS(TResourceStream, TCustomMemoryStream)
 public:
  TResourceStream(void* module, const std::string& name, const char* type);
  static bool Exists(void* module, const std::string& name, const char* type);
};

// Writes data to fileName through a temporary file in the same folder that is
// moved over the target only when complete, so a failed save leaves the old
// file as it was. EFCreateError or EWriteError name the file and give the
// system's reason on failure.
void SaveToFileSafely(const std::string& fileName, std::string_view data);

}  // namespace kx
