// The typed-value filer: TReader and TWriter move tagged values (a type byte,
// then the value) through a buffered stream, and read and write component
// trees with their published and user-defined properties.
//
// Stored component tree:
//   signature "KXF0"
//   component := class name, component name (short strings),
//                property* vaNull, component* vaNull
//   property  := name (short string, dotted for nested objects), value
#pragma once

#include "framework/core/Classes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kx {

class TStream;
class TCollection;
class TReader;
class TWriter;

enum TValueType : uint8_t {
  vaNull,
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
  vaUTF8String,
  vaDouble,
};

inline constexpr char kFilerSignature[4] = {'K', 'X', 'F', '0'};
// Deepest nesting of objects, lists and collections a stream may have; deeper
// input is refused rather than risking the stack.
inline constexpr int kMaxNesting = 64;

// Where each object and property of a stream came from in its source text.
struct TLineMap {
  std::vector<std::pair<int64_t, int>> Entries;  // (stream offset, line), ascending offsets
  int LineAt(int64_t offset) const;              // 0 when unknown
};

class TFiler : public TObject {
  KX_CLASS(TFiler, TObject)
 public:
  using TReaderProc = std::function<void(TReader&)>;
  using TWriterProc = std::function<void(TWriter&)>;
  using TStreamProc = std::function<void(TStream&)>;

  TFiler(TStream& stream, int bufSize);

  // A user-defined stored property: read/write the value through the filer;
  // hasData tells the writer whether to store it at all.
  virtual void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                              bool hasData) = 0;
  // A binary stored property: a named blob.
  virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& read, const TStreamProc& write,
                                    bool hasData) = 0;

  TStream& Stream() { return stream_; }
  TComponent* Root() const { return root_; }
  void SetRoot(TComponent* root) { root_ = root; }

 protected:
  TStream& stream_;
  std::vector<uint8_t> buffer_;
  size_t bufPos_ = 0, bufEnd_ = 0;
  TComponent* root_ = nullptr;
};

class TReader : public TFiler {
  KX_CLASS(TReader, TFiler)
 public:
  explicit TReader(TStream& stream, int bufSize = 4096);
  // Hands unread buffered bytes back, so the stream stands after the last value read.
  ~TReader() override;

  // Names errors "<source>, line N, property P: ..."; lines come from the map.
  void SetSource(std::string sourceName, const TLineMap* lines = nullptr);

  void Read(void* buffer, int32_t count);
  int64_t Position() const;
  int64_t Size() const;  // of the whole stream
  TValueType ReadValue();
  TValueType NextValue();
  void CheckValue(TValueType expected);
  void SkipValue();

  bool EndOfList() { return NextValue() == vaNull; }
  void ReadListBegin() { CheckValue(vaList); }
  void ReadListEnd() { CheckValue(vaNull); }
  int32_t ReadInteger();
  int64_t ReadInt64();
  bool ReadBoolean();
  std::string ReadString();
  std::string ReadIdent();  // also False, True, nil and Null by name
  long double ReadFloat();  // any integer or float value
  float ReadSingle() { return float(ReadFloat()); }
  double ReadDouble() { return double(ReadFloat()); }
  std::string ReadStr();  // short string without a tag
  void ReadSignature();
  uint64_t ReadSet(const TEnumInfo& type);
  void ReadCollection(TCollection& collection);

  // Reads a stored tree into an existing root: creates each component in
  // stream order with the root as owner, gives it its parent, reads its
  // properties, then resolves references and runs Loaded on all.
  void ReadRootComponent(TComponent& root);
  // Reads one property (name and value) into instance.
  void ReadProperty(TPersistent& instance);

  void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                      bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& read, const TStreamProc& write,
                            bool hasData) override;

  [[noreturn]] void ReadError(const std::string& message);

 private:
  struct Fixup {
    TObject* instance;
    const TPropInfo* prop;
    std::string target;
    int64_t position;
    std::string propPath;
  };
  uint8_t ReadByte();
  int64_t ReadIntValue(TValueType type);
  int64_t RemainingBytes() const;
  void CheckSize(int64_t size);
  TComponent* ReadComponent(TComponent& parent);
  void ReadPropValue(TObject& instance, const TPropInfo& prop);
  void ReadEvent(TObject& instance, const TPropInfo& prop);
  void ResolveFixups();
  void DropFixupsWithin(const TPersistent& container);
  std::string Context(int64_t position) const;

  std::string sourceName_;
  const TLineMap* lines_ = nullptr;
  std::string propName_;  // defined property being looked for
  std::string propPath_;  // full path, for messages
  int64_t propStart_ = -1;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
  int depth_ = 0;
};

class TWriter : public TFiler {
  KX_CLASS(TWriter, TFiler)
 public:
  explicit TWriter(TStream& stream, int bufSize = 4096);
  ~TWriter() override;  // flushes

  void Write(const void* buffer, int32_t count);
  void FlushBuffer();
  int64_t Position() const;
  void WriteValue(TValueType value);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  void WriteInteger(int64_t value);  // smallest integer tag that holds it
  void WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }
  void WriteString(std::string_view value);
  void WriteIdent(std::string_view ident);
  void WriteFloat(long double value);
  void WriteSingle(float value);
  void WriteDouble(double value);
  void WriteStr(std::string_view value);  // short string without a tag
  void WriteSignature();
  void WriteSet(uint64_t bits, const TEnumInfo& type);
  void WriteCollection(TCollection& collection);
  void WriteBinary(const void* data, int32_t size);

  void WriteRootComponent(TComponent& root);
  void WriteComponent(TComponent& component);
  // Published properties (nested ones as dotted names), then defined ones.
  void WriteProperties(TPersistent& instance);

  void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                      bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& read, const TStreamProc& write,
                            bool hasData) override;

 private:
  void WriteProperty(TPersistent& instance, const TPropInfo& prop);
  std::string prefix_;  // dotted path of the nested object being written
};

}  // namespace kx
