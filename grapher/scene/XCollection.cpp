#include "scene/XCollection.h"

#include "scene/GLCrossPlatform.h"
#include "scene/PersistentClasses.h"

#include <algorithm>

namespace kx {

KX_PUBLISH(TXCollectionItem) {}
KX_PUBLISH(TXCollection) {}

namespace {

constexpr const char* kModule = "XCollection";

std::vector<const TXCollectionItemClass*>& Registry() {
  static auto* classes = new std::vector<const TXCollectionItemClass*>;
  return *classes;
}

const TXCollectionItemClass* FindByInfo(const TClassInfo& info) {
  for (const TXCollectionItemClass* c : Registry())
    if (c->Info == &info) return c;
  return nullptr;
}

}  // namespace

void RegisterXCollectionItemClass(const TXCollectionItemClass& itemClass) {
  if (std::find(Registry().begin(), Registry().end(), &itemClass) == Registry().end()) Registry().push_back(&itemClass);
}

void UnregisterXCollectionItemClass(const TXCollectionItemClass& itemClass) { std::erase(Registry(), &itemClass); }

const TXCollectionItemClass* FindXCollectionItemClass(const std::string& name) {
  for (const TXCollectionItemClass* c : Registry())
    if (c->Info->Name == name) return c;
  return nullptr;
}

// TXCollectionItem -------------------------------------------------------------------

TXCollectionItem::TXCollectionItem(TXCollection* owner) : owner_(owner) {
  if (owner_) owner_->items_.push_back(this);
}

TXCollectionItem::~TXCollectionItem() {
  if (owner_) std::erase(owner_->items_, this);
}

int TXCollectionItem::Index() const {
  if (!owner_) return -1;
  const auto& items = owner_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TXCollectionItem::Assign(TPersistent* source) {
  if (auto* item = dynamic_cast<TXCollectionItem*>(source)) {
    name_ = item->name_;
    return;
  }
  TPersistent::Assign(source);
}

void TXCollectionItem::WriteToFiler(TWriter& writer) {
  writer.WriteInteger(0);
  writer.WriteString(name_);
}

void TXCollectionItem::ReadFromFiler(TReader& reader) {
  KX_SCENE_ASSERT(reader.ReadInteger() == 0, kModule);
  name_ = reader.ReadString();
}

TPersistent* TXCollectionItem::GetOwner() const { return owner_; }

std::string TXCollectionItem::GetNamePath() const {
  if (!owner_) return TPersistent::GetNamePath();
  return owner_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

// TXCollection -------------------------------------------------------------------------

TXCollection::TXCollection(TPersistent* owner) : owner_(owner) {}

TXCollection::~TXCollection() { Clear(); }

TXCollectionItem* TXCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return items_[index];
}

bool TXCollection::CanAdd(const TXCollectionItemClass& itemClass) const {
  for (const TXCollectionItem* item : items_) {
    if (itemClass.Singleton && item->InheritsFrom(*itemClass.Info)) return false;
    if (item->IsSingleton() && itemClass.Info->InheritsFrom(item->ClassType())) return false;
  }
  return true;
}

void TXCollection::Clear() {
  const std::vector<TXCollectionItem*> items = std::move(items_);
  items_.clear();
  for (TXCollectionItem* item : items) {
    item->owner_ = nullptr;  // its destructor leaves no list
    delete item;
  }
}

void TXCollection::Loaded() {
  for (TXCollectionItem* item : std::vector<TXCollectionItem*>(items_)) item->Loaded();
}

void TXCollection::Assign(TPersistent* source) {
  if (!source) {
    Clear();
    return;
  }
  if (&source->ClassType() != &ClassType()) {
    TPersistent::Assign(source);
    return;
  }
  auto* other = static_cast<TXCollection*>(source);
  if (other == this) return;
  Clear();
  items_.reserve(other->items_.size());
  for (TXCollectionItem* item : other->items_) {
    const TXCollectionItemClass* itemClass = FindByInfo(item->ClassType());
    if (!itemClass) throw EFilerException("Class " + item->ClassName() + " cannot be copied: it is not registered");
    itemClass->Create(this)->Assign(item);
  }
}

void TXCollection::WriteToFiler(TWriter& writer) {
  writer.WriteInteger(Count());
  std::vector<const TClassInfo*> classes;
  for (TXCollectionItem* item : items_) {
    const auto known = std::find(classes.begin(), classes.end(), &item->ClassType());
    if (known == classes.end()) {
      writer.WriteString(item->ClassName());
      classes.push_back(&item->ClassType());
    } else {
      writer.WriteInteger(static_cast<int>(known - classes.begin()));
    }
    item->WriteToFiler(writer);
  }
}

void TXCollection::ReadFromFiler(TReader& reader) {
  Clear();
  try {
    ReadItems(reader);
  } catch (...) {
    // Nothing half-read stays behind.
    Clear();
    throw;
  }
}

void TXCollection::ReadItems(TReader& reader) {
  const int count = reader.ReadInteger();
  if (count < 0) throw EFilerException("Invalid item count " + std::to_string(count) + " in " + ClassName());
  std::vector<const TXCollectionItemClass*> classes;
  for (int n = 0; n < count; ++n) {
    const TXCollectionItemClass* itemClass = nullptr;
    const TValueType next = reader.NextValue();
    if (next == vaString || next == vaLString) {
      const std::string name = reader.ReadString();
      itemClass = FindXCollectionItemClass(name);
      if (!itemClass)
        AssertFailed("Class " + name + " unknown. Add the relevant unit to your \"uses\".", kModule, __LINE__);
      classes.push_back(itemClass);
    } else {
      const int index = reader.ReadInteger();
      if (index < 0 || index >= static_cast<int>(classes.size()))
        throw EFilerException("Item class index " + std::to_string(index) + " refers to none of the " +
                              std::to_string(classes.size()) + " classes named so far");
      itemClass = classes[index];
    }
    if (!itemClass->Info->InheritsFrom(ItemsClass()) || !CanAdd(*itemClass))
      throw EFilerException(ClassName() + " cannot hold an item of class " + itemClass->Info->Name);
    itemClass->Create(this)->ReadFromFiler(reader);
  }
}

std::string TXCollection::GetNamePath() const {
  const std::string ownerPath = owner_ ? owner_->GetNamePath() : std::string();
  return ownerPath.empty() ? ClassName() : ownerPath + ".XCollection";
}

}  // namespace kx
