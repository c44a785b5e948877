// TCollection and TCollectionItem: an owned, ordered list of persistent items
// of one item class, stored in forms as "< item ... end >".
#pragma once

#include "framework/core/Classes.h"

#include <functional>
#include <vector>

namespace kx {

class TCollection;

class TCollectionItem : public TPersistent {
  KX_CLASS(TCollectionItem, TPersistent)
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;  // leaves its collection

  TCollection* Collection() const { return collection_; }
  void SetCollection(TCollection* collection);
  int ID() const { return id_; }
  int Index() const;
  void SetIndex(int index);  // moves the item
  virtual std::string DisplayName() const { return ClassName(); }

  TPersistent* GetOwner() const override;
  std::string GetNamePath() const override;  // "Owner.Property[i]"

 protected:
  // Tells the collection that this item (or, with allItems, every item) changed.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

class TCollection : public TPersistent {
  KX_CLASS(TCollection, TPersistent)
 public:
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  template <class Item>
  static TItemFactory ItemsOf() {
    return [](TCollection* c) -> TCollectionItem* { return new Item(c); };
  }

  // owner: the object whose property holds the collection (for name paths).
  TCollection(TPersistent* owner, TItemFactory factory);
  ~TCollection() override;

  int Count() const { return int(items_.size()); }
  TCollectionItem* Items(int index) const;  // EListError out of range
  template <class Item>
  Item* ItemAs(int index) const {
    return As<Item>(Items(index));
  }
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override { return owner_; }
  std::string GetNamePath() const override;

 protected:
  // Called after a change of item (nil: of the whole collection) outside updates.
  virtual void Update(TCollectionItem* item);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  TPersistent* owner_;
  TItemFactory factory_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
};

}  // namespace kx
