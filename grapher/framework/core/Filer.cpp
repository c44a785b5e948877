#include "framework/core/Filer.h"

#include "framework/core/Collections.h"
#include "framework/core/Colors.h"
#include "framework/core/Streams.h"

#include <algorithm>
#include <cstring>

namespace kx {

KX_PUBLISH(TFiler) {}
KX_PUBLISH(TReader) {}
KX_PUBLISH(TWriter) {}

namespace {

// A read error that already names its place; passed on unchanged.
class EPlacedReadError : public EReadError {
 public:
  using EReadError::EReadError;
};

// Counts one level of nesting for as long as it lives.
class NestingGuard {
 public:
  NestingGuard(int& depth, TReader& reader) : depth_(depth) {
    if (++depth_ > kMaxNesting) {
      --depth_;
      reader.ReadError("Nesting too deep");
    }
  }
  ~NestingGuard() { --depth_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  int& depth_;
};

bool IsIntType(TValueType t) { return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64; }

}  // namespace

int TLineMap::LineAt(int64_t offset) const {
  auto it = std::upper_bound(Entries.begin(), Entries.end(), offset,
                             [](int64_t off, const std::pair<int64_t, int>& e) { return off < e.first; });
  return it == Entries.begin() ? 0 : std::prev(it)->second;
}

TFiler::TFiler(TStream& stream, int bufSize) : stream_(stream), buffer_(size_t(std::max(bufSize, 16))) {}

// ===========================================================================
// TReader

TReader::TReader(TStream& stream, int bufSize) : TFiler(stream, bufSize) {}

TReader::~TReader() {
  if (bufEnd_ > bufPos_) {
    try {
      stream_.Seek(-int64_t(bufEnd_ - bufPos_), soCurrent);
    } catch (const Exception&) {
      // The stream cannot go back; it is left where the buffer ended.
    }
  }
}

void TReader::SetSource(std::string sourceName, const TLineMap* lines) {
  sourceName_ = std::move(sourceName);
  lines_ = lines;
}

std::string TReader::Context(int64_t position) const {
  std::string text = sourceName_.empty() ? std::string("Stream") : sourceName_;
  const int line = lines_ ? lines_->LineAt(position) : 0;
  if (line > 0)
    text += ", line " + std::to_string(line);
  else if (position >= 0)
    text += ", offset " + std::to_string(position);
  if (!propPath_.empty()) text += ", property " + propPath_;
  return text + ": ";
}

void TReader::ReadError(const std::string& message) {
  throw EPlacedReadError(Context(propStart_ >= 0 ? propStart_ : Position()) + message);
}

int64_t TReader::Position() const { return stream_.Position() - int64_t(bufEnd_ - bufPos_); }

int64_t TReader::Size() const { return stream_.Size(); }

int64_t TReader::RemainingBytes() const { return Size() - Position(); }

void TReader::CheckSize(int64_t size) {
  if (size < 0 || size > RemainingBytes()) ReadError("Invalid stream format (size " + std::to_string(size) + ")");
}

void TReader::Read(void* buffer, int32_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  while (count > 0) {
    if (bufPos_ == bufEnd_) {
      if (size_t(count) >= buffer_.size()) {
        stream_.ReadBuffer(out, count);
        return;
      }
      bufPos_ = 0;
      bufEnd_ = size_t(stream_.Read(buffer_.data(), int32_t(buffer_.size())));
      if (bufEnd_ == 0) throw EReadError("Stream read error");
    }
    const size_t n = std::min(size_t(count), bufEnd_ - bufPos_);
    std::memcpy(out, buffer_.data() + bufPos_, n);
    bufPos_ += n;
    out += n;
    count -= int32_t(n);
  }
}

uint8_t TReader::ReadByte() {
  uint8_t b;
  Read(&b, 1);
  return b;
}

TValueType TReader::ReadValue() {
  const uint8_t b = ReadByte();
  if (b > vaDouble) ReadError("Invalid stream format (value type " + std::to_string(b) + ")");
  return TValueType(b);
}

TValueType TReader::NextValue() {
  if (bufPos_ == bufEnd_) {
    bufPos_ = 0;
    bufEnd_ = size_t(stream_.Read(buffer_.data(), int32_t(buffer_.size())));
    if (bufEnd_ == 0) throw EReadError("Stream read error");
  }
  return TValueType(buffer_[bufPos_]);
}

void TReader::CheckValue(TValueType expected) {
  if (ReadValue() != expected) ReadError("Invalid stream format");
}

int64_t TReader::ReadIntValue(TValueType type) {
  switch (type) {
    case vaInt8: {
      int8_t v;
      Read(&v, 1);
      return v;
    }
    case vaInt16: {
      int16_t v;
      Read(&v, 2);
      return v;
    }
    case vaInt32: {
      int32_t v;
      Read(&v, 4);
      return v;
    }
    case vaInt64: {
      int64_t v;
      Read(&v, 8);
      return v;
    }
    default:
      ReadError("Integer expected");
  }
}

int32_t TReader::ReadInteger() {
  const int64_t v = ReadIntValue(ReadValue());
  if (v < INT32_MIN || v > INT32_MAX) ReadError("Integer out of range");
  return int32_t(v);
}

int64_t TReader::ReadInt64() { return ReadIntValue(ReadValue()); }

bool TReader::ReadBoolean() {
  const TValueType t = ReadValue();
  if (t != vaTrue && t != vaFalse) ReadError("Boolean expected");
  return t == vaTrue;
}

std::string TReader::ReadString() {
  const TValueType t = ReadValue();
  int64_t size;
  if (t == vaString) {
    size = ReadByte();
  } else if (t == vaLString) {
    int32_t n;
    Read(&n, 4);
    size = n;
  } else {
    ReadError("String expected");
  }
  CheckSize(size);
  std::string s(size_t(size), '\0');
  if (size) Read(s.data(), int32_t(size));
  return s;
}

std::string TReader::ReadStr() {
  const uint8_t size = ReadByte();
  std::string s(size, '\0');
  if (size) Read(s.data(), size);
  return s;
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    case vaNull:
      return "Null";
    default:
      ReadError("Identifier expected");
  }
}

long double TReader::ReadFloat() {
  const TValueType t = ReadValue();
  switch (t) {
    case vaExtended: {
      long double v = 0;
      Read(&v, 10);
      return v;
    }
    case vaDouble: {
      double v;
      Read(&v, 8);
      return v;
    }
    case vaSingle: {
      float v;
      Read(&v, 4);
      return v;
    }
    default:
      if (IsIntType(t)) return (long double)ReadIntValue(t);
      ReadError("Float expected");
  }
}

void TReader::ReadSignature() {
  char sig[4];
  Read(sig, 4);
  if (std::memcmp(sig, kFilerSignature, 4) != 0) ReadError("Invalid stream format");
}

uint64_t TReader::ReadSet(const TEnumInfo& type) {
  CheckValue(vaSet);
  uint64_t bits = 0;
  for (;;) {
    const std::string name = ReadStr();
    if (name.empty()) return bits;
    const int ordinal = type.ValueOf(name);
    if (ordinal < 0 || ordinal >= 64) ReadError("\"" + name + "\" is not a value of " + type.TypeName);
    bits |= uint64_t(1) << ordinal;
  }
}

void TReader::SkipValue() {
  const TValueType t = ReadValue();
  switch (t) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      return;
    case vaList: {
      NestingGuard nesting(depth_, *this);
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      return;
    }
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      ReadIntValue(t);
      return;
    case vaExtended:
    case vaSingle:
    case vaDouble:
    case vaCurrency:
    case vaDate: {
      const int32_t size = t == vaExtended ? 10 : t == vaSingle ? 4 : 8;
      uint8_t skip[10];
      Read(skip, size);
      return;
    }
    case vaString:
    case vaIdent: {
      ReadStr();
      return;
    }
    case vaLString:
    case vaBinary:
    case vaWString:
    case vaUTF8String: {
      int32_t size;
      Read(&size, 4);
      if (t == vaWString) size *= 2;
      CheckSize(size);
      std::vector<uint8_t> skip(static_cast<size_t>(size));
      if (size) Read(skip.data(), size);
      return;
    }
    case vaSet:
      while (!ReadStr().empty()) {
      }
      return;
    case vaCollection: {
      NestingGuard nesting(depth_, *this);
      while (!EndOfList()) {
        if (IsIntType(NextValue())) ReadInteger();
        CheckValue(vaList);
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      return;
    }
  }
}

// ---------------------------------------------------------------------------
// Component trees

namespace {
// A second window of one class under the same owner is named Name_1, Name_2...
std::string UniqueRootName(const TComponent& root, const std::string& name) {
  const TComponent* owner = root.Owner();
  std::string unique = name;
  for (int i = 1; owner; ++i) {
    const TComponent* other = owner->FindComponent(unique);
    if (!other || other == &root) break;
    unique = name + "_" + std::to_string(i);
  }
  return unique;
}
}  // namespace

void TReader::ReadRootComponent(TComponent& root) {
  root_ = &root;
  loaded_.clear();
  fixups_.clear();
  propPath_.clear();
  propStart_ = Position();
  root.BeginLoading();
  loaded_.push_back(&root);
  try {
    ReadSignature();
    propStart_ = Position();
    const std::string className = ReadStr();
    const std::string name = ReadStr();
    if (className != root.ClassName()) ReadError("The stored object is a " + className + ", not a " + root.ClassName());
    try {
      if (!name.empty()) root.SetName(UniqueRootName(root, name));
    } catch (const Exception& e) {
      ReadError(e.Message());
    }
    while (!EndOfList()) ReadProperty(root);
    ReadListEnd();
    while (!EndOfList()) ReadComponent(root);
    ReadListEnd();
    ResolveFixups();
  } catch (...) {
    for (TComponent* c : loaded_) c->AbortLoading();
    loaded_.clear();
    throw;
  }
  const std::vector<TComponent*> loaded = std::move(loaded_);
  loaded_.clear();
  for (TComponent* c : loaded) c->EndReading();
  for (TComponent* c : loaded) c->Loaded();
}

TComponent* TReader::ReadComponent(TComponent& parent) {
  NestingGuard nesting(depth_, *this);
  propPath_.clear();
  propStart_ = Position();
  const std::string className = ReadStr();
  const std::string name = ReadStr();
  const TClassInfo* cls = GetClass(className);
  if (!cls) ReadError("Class " + className + " not found");
  if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->Factory)
    ReadError(className + " cannot be created from a form");
  TComponent* component = nullptr;
  try {
    component = As<TComponent>(cls->Create(root_));
    component->BeginLoading();
    loaded_.push_back(component);
    component->SetName(name);
    component->SetParentComponent(&parent);
  } catch (const EPlacedReadError&) {
    throw;
  } catch (const Exception& e) {
    ReadError((name.empty() ? className : name) + ": " + e.Message());
  }
  while (!EndOfList()) ReadProperty(*component);
  ReadListEnd();
  while (!EndOfList()) ReadComponent(*component);
  ReadListEnd();
  return component;
}

void TReader::ReadProperty(TPersistent& instance) {
  propStart_ = Position();
  const std::string name = ReadStr();
  const std::string saved = propPath_;
  std::string owner;
  if (auto* c = dynamic_cast<TComponent*>(&instance))
    owner = c->Name();
  else
    owner = saved;
  propPath_ = owner.empty() ? name : owner + "." + name;
  try {
    TObject* target = &instance;
    std::string_view rest = name;
    size_t dot;
    while ((dot = rest.find('.')) != std::string_view::npos) {
      const std::string_view head = rest.substr(0, dot);
      const TPropInfo* info = target->ClassType().FindProperty(head);
      if (!info) ReadError("Property does not exist");
      if (info->Kind != TPropKind::Class) ReadError(std::string(head) + " has no sub-properties");
      TObject* nested = std::get<TObject*>(info->Get(*target));
      if (!nested) ReadError(std::string(head) + " is nil");
      target = nested;
      rest = rest.substr(dot + 1);
    }
    if (const TPropInfo* info = target->ClassType().FindProperty(rest)) {
      ReadPropValue(*target, *info);
    } else {
      propName_ = std::string(rest);
      if (auto* p = dynamic_cast<TPersistent*>(target)) p->DefineProperties(*this);
      if (!propName_.empty()) {
        propName_.clear();
        ReadError("Property does not exist");
      }
    }
  } catch (const EPlacedReadError&) {
    throw;
  } catch (const Exception& e) {
    ReadError(e.Message());
  }
  propPath_ = saved;
}

void TReader::ReadPropValue(TObject& instance, const TPropInfo& prop) {
  if (prop.ReadOnly() && prop.Kind != TPropKind::Class) ReadError("Property is read-only");
  switch (prop.Kind) {
    case TPropKind::Integer:
      if (NextValue() == vaIdent && !prop.Idents.empty()) {
        const std::string ident = ReadIdent();
        auto it = std::find_if(prop.Idents.begin(), prop.Idents.end(),
                               [&](const TIdentMapEntry& e) { return SameText(e.Name, ident); });
        if (it == prop.Idents.end()) ReadError("\"" + ident + "\" is not a value of " + prop.Name);
        SetPropInfoValue(instance, prop, it->Value);
      } else {
        SetPropInfoValue(instance, prop, ReadInt64());
      }
      return;
    case TPropKind::Boolean:
      SetPropInfoValue(instance, prop, int64_t(ReadBoolean()));
      return;
    case TPropKind::Single:
    case TPropKind::Double:
    case TPropKind::Extended:
      SetPropInfoValue(instance, prop, ReadFloat());
      return;
    case TPropKind::Enum: {
      const std::string ident = ReadIdent();
      const int ordinal = prop.EnumType->ValueOf(ident);
      if (ordinal < 0) ReadError("\"" + ident + "\" is not a value of " + prop.EnumType->TypeName);
      SetPropInfoValue(instance, prop, int64_t(ordinal));
      return;
    }
    case TPropKind::Set:
      SetPropInfoValue(instance, prop, int64_t(ReadSet(*prop.EnumType)));
      return;
    case TPropKind::String:
      SetPropInfoValue(instance, prop, ReadString());
      return;
    case TPropKind::Color: {
      if (NextValue() == vaIdent) {
        const std::string ident = ReadIdent();
        TColor color;
        if (!IdentToColor(ident, color)) ReadError("\"" + ident + "\" is not a colour name");
        SetPropInfoValue(instance, prop, int64_t(color));
      } else {
        SetPropInfoValue(instance, prop, ReadInt64());
      }
      return;
    }
    case TPropKind::Class: {
      const TValueType next = NextValue();
      if (next == vaCollection) {
        auto* collection = dynamic_cast<TCollection*>(std::get<TObject*>(prop.Get(instance)));
        if (!collection) ReadError("Property is not a collection");
        ReadCollection(*collection);
      } else if (next == vaNil) {
        ReadValue();
        if (prop.ReadOnly()) ReadError("Property is read-only");
        SetPropInfoValue(instance, prop, static_cast<TObject*>(nullptr));
      } else {
        ReadError("Invalid property value");
      }
      return;
    }
    case TPropKind::Component: {
      const TValueType next = NextValue();
      if (next == vaNil) {
        ReadValue();
        SetPropInfoValue(instance, prop, static_cast<TObject*>(nullptr));
      } else if (next == vaIdent) {
        // Resolved once every component of the tree exists.
        fixups_.push_back({&instance, &prop, ReadIdent(), propStart_, propPath_});
      } else {
        ReadError("Invalid property value");
      }
      return;
    }
    case TPropKind::Event:
      ReadEvent(instance, prop);
      return;
  }
}

void TReader::ReadEvent(TObject& instance, const TPropInfo& prop) {
  const TValueType next = NextValue();
  if (next == vaNil) {
    ReadValue();
    SetPropInfoValue(instance, prop, TMethodValue{});
    return;
  }
  if (next != vaIdent) ReadError("Invalid property value");
  const std::string name = ReadIdent();
  if (!root_) ReadError("Handler " + name + " has no form to come from");
  const THandlerInfo* handler = root_->ClassType().FindHandler(name);
  if (!handler) ReadError("Handler " + name + " not found in " + root_->ClassName());
  if (handler->Signature != prop.ValueType) ReadError("Handler " + name + " does not fit event " + prop.Name);
  SetPropInfoValue(instance, prop, TMethodValue{handler->Name, handler->Bind(*root_)});
}

void TReader::ResolveFixups() {
  for (const Fixup& f : fixups_) {
    propStart_ = f.position;
    propPath_ = f.propPath;
    TComponent* target = nullptr;
    if (root_ && SameText(root_->Name(), f.target))
      target = root_;
    else if (root_)
      target = root_->FindComponent(f.target);
    if (!target) ReadError("Unresolved reference to " + f.target);
    try {
      SetPropInfoValue(*f.instance, *f.prop, static_cast<TObject*>(target));
    } catch (const Exception& e) {
      ReadError(e.Message());
    }
  }
  fixups_.clear();
  propPath_.clear();
}

// Forgets the pending references of objects held (through their owners) by
// container, before container frees them.
void TReader::DropFixupsWithin(const TPersistent& container) {
  std::erase_if(fixups_, [&](const Fixup& f) {
    for (auto* p = dynamic_cast<TPersistent*>(f.instance); p; p = p->GetOwner())
      if (p == &container) return true;
    return false;
  });
}

void TReader::ReadCollection(TCollection& collection) {
  CheckValue(vaCollection);
  NestingGuard nesting(depth_, *this);
  const std::string path = propPath_;
  TUpdateScope update(collection);
  // A collection read a second time (later wins) frees the items read before.
  DropFixupsWithin(collection);
  collection.Clear();
  while (!EndOfList()) {
    if (IsIntType(NextValue())) ReadInteger();  // stored order index, not needed
    CheckValue(vaList);
    propPath_ = path + "[" + std::to_string(collection.Count()) + "]";
    TCollectionItem* item = collection.Add();
    while (!EndOfList()) ReadProperty(*item);
    ReadListEnd();
  }
  ReadListEnd();
  propPath_ = path;
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc&, bool) {
  if (propName_.empty() || !read || !SameText(name, propName_)) return;
  propName_.clear();
  read(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& read, const TStreamProc&, bool) {
  if (propName_.empty() || !read || !SameText(name, propName_)) return;
  propName_.clear();
  CheckValue(vaBinary);
  int32_t size;
  Read(&size, 4);
  CheckSize(size);
  TMemoryStream data;
  data.SetSize(size);
  if (size) Read(data.Memory(), size);
  data.SetPosition(0);
  read(data);
}

// ===========================================================================
// TWriter

TWriter::TWriter(TStream& stream, int bufSize) : TFiler(stream, bufSize) {}

TWriter::~TWriter() {
  try {
    FlushBuffer();
  } catch (const Exception&) {
    // Callers that must know call FlushBuffer themselves; a destructor cannot report.
  }
}

void TWriter::FlushBuffer() {
  if (bufPos_ == 0) return;
  const size_t n = bufPos_;
  bufPos_ = 0;
  stream_.WriteBuffer(buffer_.data(), int32_t(n));
}

int64_t TWriter::Position() const { return stream_.Position() + int64_t(bufPos_); }

void TWriter::Write(const void* buffer, int32_t count) {
  if (count <= 0) return;
  if (bufPos_ + size_t(count) > buffer_.size()) FlushBuffer();
  if (size_t(count) >= buffer_.size()) {
    stream_.WriteBuffer(buffer, count);
    return;
  }
  std::memcpy(buffer_.data() + bufPos_, buffer, size_t(count));
  bufPos_ += size_t(count);
}

void TWriter::WriteValue(TValueType value) {
  const uint8_t b = value;
  Write(&b, 1);
}

void TWriter::WriteInteger(int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(vaInt8);
    const int8_t v = int8_t(value);
    Write(&v, 1);
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(vaInt16);
    const int16_t v = int16_t(value);
    Write(&v, 2);
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(vaInt32);
    const int32_t v = int32_t(value);
    Write(&v, 4);
  } else {
    WriteValue(vaInt64);
    Write(&value, 8);
  }
}

void TWriter::WriteStr(std::string_view value) {
  if (value.size() > 255) throw EWriteError("Name too long: " + std::string(value.substr(0, 32)) + "...");
  const uint8_t n = uint8_t(value.size());
  Write(&n, 1);
  Write(value.data(), n);
}

void TWriter::WriteString(std::string_view value) {
  if (value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(value);
    return;
  }
  if (value.size() > size_t(INT32_MAX)) throw EWriteError("String too long");
  WriteValue(vaLString);
  const int32_t n = int32_t(value.size());
  Write(&n, 4);
  Write(value.data(), n);
}

void TWriter::WriteIdent(std::string_view ident) {
  if (SameText(ident, "False"))
    WriteValue(vaFalse);
  else if (SameText(ident, "True"))
    WriteValue(vaTrue);
  else if (SameText(ident, "nil"))
    WriteValue(vaNil);
  else if (SameText(ident, "Null"))
    WriteValue(vaNull);
  else {
    WriteValue(vaIdent);
    WriteStr(ident);
  }
}

void TWriter::WriteFloat(long double value) {
  WriteValue(vaExtended);
  Write(&value, 10);
}

void TWriter::WriteSingle(float value) {
  WriteValue(vaSingle);
  Write(&value, 4);
}

void TWriter::WriteDouble(double value) {
  WriteValue(vaDouble);
  Write(&value, 8);
}

void TWriter::WriteSignature() { Write(kFilerSignature, 4); }

void TWriter::WriteSet(uint64_t bits, const TEnumInfo& type) {
  WriteValue(vaSet);
  for (int i = 0; i < 64; ++i)
    if (bits & (uint64_t(1) << i)) WriteStr(type.NameOf(i));
  WriteStr("");
}

void TWriter::WriteBinary(const void* data, int32_t size) {
  WriteValue(vaBinary);
  Write(&size, 4);
  Write(data, size);
}

void TWriter::WriteCollection(TCollection& collection) {
  WriteValue(vaCollection);
  const std::string saved = prefix_;
  prefix_.clear();
  for (int i = 0; i < collection.Count(); ++i) {
    WriteListBegin();
    WriteProperties(*collection.Items(i));
    WriteListEnd();
  }
  prefix_ = saved;
  WriteListEnd();
}

void TWriter::WriteRootComponent(TComponent& root) {
  root_ = &root;
  WriteSignature();
  WriteComponent(root);
  FlushBuffer();
}

void TWriter::WriteComponent(TComponent& component) {
  component.SetComponentState(csWriting, true);
  WriteStr(component.ClassName());
  WriteStr(component.Name());
  WriteProperties(component);
  WriteListEnd();
  component.GetChildren([this](TComponent* child) { WriteComponent(*child); }, root_);
  WriteListEnd();
  component.SetComponentState(csWriting, false);
}

void TWriter::WriteProperties(TPersistent& instance) {
  for (const TPropInfo* prop : instance.ClassType().AllProperties())
    if (prop->Stored && (!prop->StoredIf || prop->StoredIf(instance))) WriteProperty(instance, *prop);
  instance.DefineProperties(*this);
}

void TWriter::WriteProperty(TPersistent& instance, const TPropInfo& prop) {
  if (prop.ReadOnly() && prop.Kind != TPropKind::Class) return;
  const std::string name = prefix_ + prop.Name;
  const TValue value = prop.Get(instance);
  switch (prop.Kind) {
    case TPropKind::Integer:
    case TPropKind::Boolean:
    case TPropKind::Enum:
    case TPropKind::Set:
    case TPropKind::Color: {
      const int64_t v = std::get<int64_t>(value);
      if (prop.HasDefault && v == prop.Default) return;
      WriteStr(name);
      if (prop.Kind == TPropKind::Integer) {
        auto it =
            std::find_if(prop.Idents.begin(), prop.Idents.end(), [&](const TIdentMapEntry& e) { return e.Value == v; });
        if (it != prop.Idents.end())
          WriteIdent(it->Name);
        else
          WriteInteger(v);
      } else if (prop.Kind == TPropKind::Boolean)
        WriteBoolean(v != 0);
      else if (prop.Kind == TPropKind::Enum)
        WriteIdent(prop.EnumType->NameOf(int(v)));
      else if (prop.Kind == TPropKind::Set)
        WriteSet(uint64_t(v), *prop.EnumType);
      else {
        const std::string ident = ColorToIdent(TColor(v));
        if (!ident.empty())
          WriteIdent(ident);
        else
          WriteInteger(v);
      }
      return;
    }
    case TPropKind::Single:
      WriteStr(name);
      WriteSingle(float(std::get<long double>(value)));
      return;
    case TPropKind::Double:
      WriteStr(name);
      WriteDouble(double(std::get<long double>(value)));
      return;
    case TPropKind::Extended:
      WriteStr(name);
      WriteFloat(std::get<long double>(value));
      return;
    case TPropKind::String:
      WriteStr(name);
      WriteString(std::get<std::string>(value));
      return;
    case TPropKind::Class: {
      TObject* obj = std::get<TObject*>(value);
      if (auto* collection = dynamic_cast<TCollection*>(obj)) {
        WriteStr(name);
        WriteCollection(*collection);
      } else if (auto* nested = dynamic_cast<TPersistent*>(obj)) {
        const std::string saved = prefix_;
        prefix_ = name + ".";
        WriteProperties(*nested);
        prefix_ = saved;
      }
      return;
    }
    case TPropKind::Component: {
      auto* target = dynamic_cast<TComponent*>(std::get<TObject*>(value));
      if (!target || target->Name().empty()) return;
      WriteStr(name);
      WriteIdent(target->Name());
      return;
    }
    case TPropKind::Event: {
      const TMethodValue& m = std::get<TMethodValue>(value);
      if (!m.Event.has_value() || m.Name.empty()) return;
      WriteStr(name);
      WriteIdent(m.Name);
      return;
    }
  }
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&, const TWriterProc& write, bool hasData) {
  if (!hasData || !write) return;
  WriteStr(prefix_ + name);
  write(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&, const TStreamProc& write,
                                   bool hasData) {
  if (!hasData || !write) return;
  TMemoryStream data;
  write(data);
  WriteStr(prefix_ + name);
  WriteBinary(data.Memory(), int32_t(data.Size()));
}

}  // namespace kx
