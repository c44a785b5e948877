#include "scene/PersistentClasses.h"

#include "framework/core/Streams.h"

#include <algorithm>
#include <utility>

namespace kx {

KX_PUBLISH(TPersistentObject) {}
KX_PUBLISH(TPersistentObjectList) {}

namespace {

[[noreturn]] void RaiseBrokenArchive() { throw Exception("Broken ObjectList archive"); }

// Object lists read inside one another at once: an archive of lists nested
// without end would otherwise exhaust the stack.
constexpr int kMaxListNesting = 256;
thread_local int ListNesting = 0;

struct NestingGuard {
  NestingGuard() {
    if (ListNesting >= kMaxListNesting) RaiseBrokenArchive();
    ++ListNesting;
  }
  ~NestingGuard() { --ListNesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
};

struct PersistentClassesModule {
  PersistentClassesModule() { RegisterClasses({&TPersistentObjectList::StaticClass()}); }
};
PersistentClassesModule persistentClassesModule;

}  // namespace

std::unique_ptr<TVirtualReader> MakeBinaryReader(TStream& stream) { return std::make_unique<TBinaryReader>(stream); }

std::unique_ptr<TVirtualWriter> MakeBinaryWriter(TStream& stream) { return std::make_unique<TBinaryWriter>(stream); }

// TPersistentObject ------------------------------------------------------------------

void TPersistentObject::Assign(TPersistent* source) {
  if (source && &source->ClassType() == &ClassType()) {
    LoadFromString(static_cast<TPersistentObject*>(source)->SaveToString());
    return;
  }
  TPersistent::Assign(source);
}

std::unique_ptr<TPersistentObject> TPersistentObject::Clone() const {
  std::unique_ptr<TObject> created(ClassType().Create(nullptr));
  auto* copy = dynamic_cast<TPersistentObject*>(created.get());
  if (!copy) throw EInvalidCast("Invalid class typecast");
  created.release();
  std::unique_ptr<TPersistentObject> result(copy);
  result->Assign(const_cast<TPersistentObject*>(this));
  return result;
}

void TPersistentObject::SaveToStream(TStream& stream, TVirtualWriterClass writerClass) const {
  std::unique_ptr<TVirtualWriter> writer = (writerClass ? writerClass : &MakeBinaryWriter)(stream);
  const std::string signature = ArchiveSignature();
  if (!signature.empty()) writer->Write(signature.data(), static_cast<int32_t>(signature.size()));
  const_cast<TPersistentObject*>(this)->WriteToFiler(*writer);
  writer->Flush();
}

void TPersistentObject::LoadFromStream(TStream& stream, TVirtualReaderClass readerClass) {
  std::unique_ptr<TVirtualReader> reader = (readerClass ? readerClass : &MakeBinaryReader)(stream);
  const std::string signature = ArchiveSignature();
  if (!signature.empty()) {
    std::string found(signature.size(), '\0');
    reader->Read(found.data(), static_cast<int32_t>(found.size()));
    if (found != signature) throw EInvalidFileSignature("Invalid file signature");
  }
  ReadFromFiler(*reader);
}

void TPersistentObject::SaveToFile(const std::string& fileName, TVirtualWriterClass writerClass) const {
  TMemoryStream data;
  SaveToStream(data, writerClass ? writerClass : DefaultWriterClass());
  SaveToFileSafely(fileName,
                   std::string_view(reinterpret_cast<const char*>(data.Memory()), static_cast<size_t>(data.Size())));
}

void TPersistentObject::LoadFromFile(const std::string& fileName, TVirtualReaderClass readerClass) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file, readerClass ? readerClass : DefaultReaderClass());
}

std::string TPersistentObject::SaveToString(TVirtualWriterClass writerClass) const {
  TStringStream data;
  SaveToStream(data, writerClass);
  return data.DataString();
}

void TPersistentObject::LoadFromString(const std::string& data, TVirtualReaderClass readerClass) {
  TStringStream stream(data);
  LoadFromStream(stream, readerClass);
}

void TPersistentObject::RaiseArchiveVersionError(int version) const {
  throw EFilerException(ClassName() + " : unknown archive version " + std::to_string(version));
}

// TPersistentObjectList --------------------------------------------------------------

void TPersistentObjectList::Error() const { throw EListError("Invalid list index"); }

TObject* TPersistentObjectList::Items(int index) const {
  if (index < 0 || index >= count_) Error();
  return list_[index];
}

void TPersistentObjectList::SetItems(int index, TObject* item) {
  if (index < 0 || index >= count_) Error();
  list_[index] = item;
}

int TPersistentObjectList::Add(TObject* item) {
  if (count_ == Capacity()) SetCapacity(Capacity() + growthDelta_);
  list_[count_] = item;
  return count_++;
}

void TPersistentObjectList::SetCount(int count) {
  if (count < 0) Error();
  if (count > Capacity()) SetCapacity(count);
  std::fill(list_.begin() + std::min(count_, count), list_.begin() + count, nullptr);
  count_ = count;
}

void TPersistentObjectList::SetCapacity(int capacity) {
  if (capacity < count_) Error();
  list_.resize(capacity, nullptr);
  list_.shrink_to_fit();
}

void TPersistentObjectList::Exchange(int a, int b) {
  if (a < 0 || a >= count_ || b < 0 || b >= count_) Error();
  std::swap(list_[a], list_[b]);
}

void TPersistentObjectList::Clear() {
  count_ = 0;
  list_.clear();
  list_.shrink_to_fit();
}

void TPersistentObjectList::FreeAllAndClear() {
  for (int i = count_ - 1; i >= 0; --i) delete list_[i];
  Clear();
}

void TPersistentObjectList::WriteToFiler(TVirtualWriter& writer) {
  writer.WriteInteger(0);  // archive version
  writer.WriteListBegin();
  std::vector<const TClassInfo*> classes;
  for (int i = 0; i < count_; ++i) {
    TObject* item = list_[i];
    auto* persistent = dynamic_cast<TPersistentObject*>(item);
    if (!persistent) {
      // nil, or a bare reference that reads back as nil.
      writer.WriteBoolean(false);
      writer.WriteInteger(static_cast<int32_t>(reinterpret_cast<intptr_t>(item)));
      continue;
    }
    const auto known = std::find(classes.begin(), classes.end(), &persistent->ClassType());
    if (known == classes.end()) {
      writer.WriteString(persistent->ClassName());
      classes.push_back(&persistent->ClassType());
    } else {
      writer.WriteInteger(static_cast<int32_t>(known - classes.begin()));
    }
    persistent->WriteToFiler(writer);
  }
  writer.WriteListEnd();
}

void TPersistentObjectList::ReadFromFiler(TVirtualReader& reader) {
  ReadItemsNotifying(reader, [this](TObject* created) { AfterObjectCreated(created); });
}

void TPersistentObjectList::ReadItemsNotifying(TVirtualReader& reader, const std::function<void(TObject*)>& event) {
  FreeAllAndClear();
  const NestingGuard nesting;
  try {
    ReadItems(reader, event);
  } catch (...) {
    // A refused archive leaves an empty list, and nothing read from it behind.
    FreeAllAndClear();
    throw;
  }
}

void TPersistentObjectList::ReadItems(TVirtualReader& reader, const std::function<void(TObject*)>& event) {
  const int version = reader.ReadInteger();
  if (version != 0) RaiseArchiveVersionError(version);
  reader.ReadListBegin();
  std::vector<const TClassInfo*> classes;
  while (!reader.EndOfList()) {
    const TClassInfo* cls = nullptr;
    switch (reader.NextValue()) {
      case vaInt8:
      case vaInt16:
      case vaInt32: {
        const int index = reader.ReadInteger();
        if (index < 0 || index >= static_cast<int>(classes.size())) RaiseBrokenArchive();
        cls = classes[index];
        break;
      }
      case vaString:
      case vaLString: {
        cls = &FindClass(reader.ReadString());
        if (!cls->InheritsFrom(TPersistentObject::StaticClass())) RaiseBrokenArchive();
        classes.push_back(cls);
        break;
      }
      case vaFalse:
      case vaTrue:
        // A bare reference of an earlier run cannot be meaningful now.
        reader.ReadBoolean();
        reader.ReadInteger();
        Add(nullptr);
        continue;
      default:
        RaiseBrokenArchive();
    }
    std::unique_ptr<TObject> created(cls->Create(nullptr));
    auto* item = static_cast<TPersistentObject*>(created.get());
    if (event) event(item);
    item->ReadFromFiler(reader);
    Add(created.release());
  }
  reader.ReadListEnd();
}

}  // namespace kx
