#include "framework/core/Collections.h"

#include <algorithm>

namespace kx {

KX_PUBLISH(TCollectionItem) {}
KX_PUBLISH(TCollection) {}

// ---------------------------------------------------------------------------
// TCollectionItem

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  const int current = Index();
  if (current < 0 || index == current) return;
  auto& items = collection_->items_;
  index = std::clamp(index, 0, int(items.size()) - 1);
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
  Changed(true);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

std::string TCollectionItem::GetNamePath() const {
  if (!collection_) return ClassName();
  return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_ && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

// ---------------------------------------------------------------------------
// TCollection

TCollection::TCollection(TPersistent* owner, TItemFactory factory) : owner_(owner), factory_(std::move(factory)) {}

TCollection::~TCollection() {
  updateCount_ = 1;  // no change notices while going
  Clear();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return items_[size_t(index)];
}

TCollectionItem* TCollection::Add() {
  if (!factory_) throw EInvalidOperation(ClassName() + " cannot create items");
  TCollectionItem* item = factory_(this);
  if (item->collection_ != this) item->SetCollection(this);
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  TUpdateScope update(*this);
  while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  TUpdateScope update(*this);
  Clear();
  for (TCollectionItem* item : other->items_) Add()->Assign(item);
}

std::string TCollection::GetNamePath() const {
  if (!owner_) return ClassName();
  // The owner's property that holds this collection names it.
  for (const TPropInfo* p : owner_->ClassType().AllProperties()) {
    if (p->Kind != TPropKind::Class) continue;
    if (std::get<TObject*>(p->Get(*owner_)) == this) {
      const std::string ownerPath = owner_->GetNamePath();
      return ownerPath.empty() ? p->Name : ownerPath + "." + p->Name;
    }
  }
  return ClassName();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
}

void TCollection::RemoveItem(TCollectionItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed();
}

}  // namespace kx
