// A small archiving scheme of the scene library: objects that save and load
// themselves through abstract readers and writers (by default the
// framework's typed-value filer), and an object list that archives its items
// with their class names.
#pragma once

#include "framework/core/Classes.h"
#include "framework/core/Filer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kx {

class TStream;

class EFilerException : public Exception {
 public:
  using Exception::Exception;
};

class EInvalidFileSignature : public Exception {
 public:
  using Exception::Exception;
};

class TVirtualReader : public TObject {
 public:
  explicit TVirtualReader(TStream& stream) : stream_(stream) {}
  TStream& Stream() { return stream_; }
  virtual void Read(void* buffer, int32_t count) = 0;
  virtual TValueType NextValue() = 0;
  virtual int32_t ReadInteger() = 0;
  virtual bool ReadBoolean() = 0;
  virtual std::string ReadString() = 0;
  virtual long double ReadFloat() = 0;
  virtual void ReadListBegin() = 0;
  virtual void ReadListEnd() = 0;
  virtual bool EndOfList() = 0;

 private:
  TStream& stream_;
};

class TVirtualWriter : public TObject {
 public:
  explicit TVirtualWriter(TStream& stream) : stream_(stream) {}
  TStream& Stream() { return stream_; }
  virtual void Write(const void* buffer, int32_t count) = 0;
  virtual void WriteInteger(int32_t value) = 0;
  virtual void WriteBoolean(bool value) = 0;
  virtual void WriteString(const std::string& value) = 0;
  virtual void WriteFloat(long double value) = 0;
  virtual void WriteListBegin() = 0;
  virtual void WriteListEnd() = 0;
  // Completes the output; a writer freed without it may lose buffered data.
  virtual void Flush() {}

 private:
  TStream& stream_;
};

inline constexpr int kArchiveBufferSize = 16384;

class TBinaryReader : public TVirtualReader {
 public:
  explicit TBinaryReader(TStream& stream) : TVirtualReader(stream), reader_(stream, kArchiveBufferSize) {}
  void Read(void* buffer, int32_t count) override { reader_.Read(buffer, count); }
  TValueType NextValue() override { return reader_.NextValue(); }
  int32_t ReadInteger() override { return reader_.ReadInteger(); }
  bool ReadBoolean() override { return reader_.ReadBoolean(); }
  std::string ReadString() override { return reader_.ReadString(); }
  long double ReadFloat() override { return reader_.ReadFloat(); }
  void ReadListBegin() override { reader_.ReadListBegin(); }
  void ReadListEnd() override { reader_.ReadListEnd(); }
  bool EndOfList() override { return reader_.EndOfList(); }

 private:
  TReader reader_;
};

class TBinaryWriter : public TVirtualWriter {
 public:
  explicit TBinaryWriter(TStream& stream) : TVirtualWriter(stream), writer_(stream, kArchiveBufferSize) {}
  void Write(const void* buffer, int32_t count) override { writer_.Write(buffer, count); }
  void WriteInteger(int32_t value) override { writer_.WriteInteger(value); }
  void WriteBoolean(bool value) override { writer_.WriteBoolean(value); }
  void WriteString(const std::string& value) override { writer_.WriteString(value); }
  void WriteFloat(long double value) override { writer_.WriteFloat(value); }
  void WriteListBegin() override { writer_.WriteListBegin(); }
  void WriteListEnd() override { writer_.WriteListEnd(); }
  void Flush() override { writer_.FlushBuffer(); }

 private:
  TWriter writer_;
};

// Makes a reader or writer on a stream; nullptr stands for the binary ones.
using TVirtualReaderClass = std::unique_ptr<TVirtualReader> (*)(TStream&);
using TVirtualWriterClass = std::unique_ptr<TVirtualWriter> (*)(TStream&);
std::unique_ptr<TVirtualReader> MakeBinaryReader(TStream& stream);
std::unique_ptr<TVirtualWriter> MakeBinaryWriter(TStream& stream);

class TPersistentObject : public TPersistent {
  KX_CLASS(TPersistentObject, TPersistent)
 public:
  TPersistentObject() = default;
  // An object of the same class is copied through an archive of it.
  void Assign(TPersistent* source) override;
  // Raw bytes that precede the archive; none by default.
  virtual std::string ArchiveSignature() const { return {}; }
  virtual TVirtualWriterClass DefaultWriterClass() const { return &MakeBinaryWriter; }
  virtual TVirtualReaderClass DefaultReaderClass() const { return &MakeBinaryReader; }

  // A new object of this object's class with the same state.
  std::unique_ptr<TPersistentObject> Clone() const;
  virtual void WriteToFiler(TVirtualWriter&) {}
  virtual void ReadFromFiler(TVirtualReader&) {}

  void SaveToStream(TStream& stream, TVirtualWriterClass writerClass = nullptr) const;
  void LoadFromStream(TStream& stream, TVirtualReaderClass readerClass = nullptr);
  // Through a temporary file moved over the target: a failed save keeps the old file.
  void SaveToFile(const std::string& fileName, TVirtualWriterClass writerClass = nullptr) const;
  void LoadFromFile(const std::string& fileName, TVirtualReaderClass readerClass = nullptr);
  std::string SaveToString(TVirtualWriterClass writerClass = nullptr) const;
  void LoadFromString(const std::string& data, TVirtualReaderClass readerClass = nullptr);

  [[noreturn]] void RaiseArchiveVersionError(int version) const;
};

// A list of object references that archives persistent objects with their
// class names. The list does not own its objects: FreeAllAndClear frees them.
class TPersistentObjectList : public TPersistentObject {
  KX_CLASS(TPersistentObjectList, TPersistentObject)
 public:
  TPersistentObjectList() = default;
  ~TPersistentObjectList() override { Clear(); }

  int Count() const { return count_; }
  int Capacity() const { return static_cast<int>(list_.size()); }
  int GrowthDelta() const { return growthDelta_; }
  void SetGrowthDelta(int delta) { growthDelta_ = delta; }
  TObject* Items(int index) const;
  void SetItems(int index, TObject* item);
  TObject* const* List() const { return list_.data(); }

  int Add(TObject* item);
  void SetCount(int count);
  void SetCapacity(int capacity);
  void Exchange(int a, int b);
  void Clear();
  void FreeAllAndClear();

  void WriteToFiler(TVirtualWriter& writer) override;
  void ReadFromFiler(TVirtualReader& reader) override;
  void ReadItemsNotifying(TVirtualReader& reader, const std::function<void(TObject*)>& event);

 protected:
  [[noreturn]] virtual void Error() const;
  virtual void AfterObjectCreated(TObject*) {}

 private:
  void ReadItems(TVirtualReader& reader, const std::function<void(TObject*)>& event);

  std::vector<TObject*> list_;
  int count_ = 0;
  int growthDelta_ = 16;
};

}  // namespace kx
