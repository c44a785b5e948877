// Collections of heterogeneous items that own their items, copy themselves
// item by item, and stream through the framework's filer with the class of
// every item named once. Item classes are found by name in a registry.
#pragma once

#include "framework/core/Classes.h"
#include "framework/core/Filer.h"

#include <string>
#include <vector>

namespace kx {

class TXCollection;
class TXCollectionItem;

// What the collections know of an item class without an instance of it.
struct TXCollectionItemClass {
  const TClassInfo* Info = nullptr;
  // Makes an item with the collection as owner; its Name is the class's display name.
  TXCollectionItem* (*Create)(TXCollection* owner) = nullptr;
  // Several items of the class may not coexist in one collection.
  bool Singleton = false;
};

class TXCollectionItem : public TPersistent {
  KX_CLASS(TXCollectionItem, TPersistent)
 public:
  // Appends the item to its owner when one is given.
  explicit TXCollectionItem(TXCollection* owner);
  // Leaves the owner's list.
  ~TXCollectionItem() override;

  TXCollection* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }
  int Index() const;

  void Assign(TPersistent* source) override;
  // The item's own data: the version 0, then Name.
  virtual void WriteToFiler(TWriter& writer);
  virtual void ReadFromFiler(TReader& reader);
  virtual void Loaded() {}

  // Class functions: subclasses hide these statics, and the instance
  // versions report them.
  static std::string ClassDisplayName() { return "XCollectionItem"; }
  static bool IsSingletonClass() { return false; }
  virtual std::string DisplayName() const { return ClassDisplayName(); }
  virtual std::string DisplayDescription() const { return DisplayName(); }
  virtual std::string CategoryName() const { return {}; }
  virtual bool IsSingleton() const { return IsSingletonClass(); }

  TPersistent* GetOwner() const override;
  std::string GetNamePath() const override;

 private:
  friend class TXCollection;
  TXCollection* owner_;
  std::string name_;
};

// The class record of T, for registration and CanAdd.
template <class T>
const TXCollectionItemClass& XCollectionItemClassOf() {
  static const TXCollectionItemClass record{&T::StaticClass(),
                                            [](TXCollection* owner) -> TXCollectionItem* {
                                              auto* item = new T(owner);
                                              item->SetName(item->DisplayName());
                                              return item;
                                            },
                                            T::IsSingletonClass()};
  return record;
}

class TXCollection : public TPersistent {
  KX_CLASS(TXCollection, TPersistent)
 public:
  explicit TXCollection(TPersistent* owner);
  ~TXCollection() override;

  TPersistent* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TXCollectionItem* Items(int index) const;
  // The class every item derives from.
  virtual const TClassInfo& ItemsClass() const { return TXCollectionItem::StaticClass(); }
  // False when a singleton rule forbids an item of this class.
  virtual bool CanAdd(const TXCollectionItemClass& itemClass) const;
  void Clear();
  void Loaded();

  // Another collection of exactly this class: a copy of each of its items.
  void Assign(TPersistent* source) override;
  void WriteToFiler(TWriter& writer);
  // Replaces the items by those of the stream; a refused stream leaves the
  // collection empty.
  void ReadFromFiler(TReader& reader);

  TPersistent* GetOwner() const override { return owner_; }
  std::string GetNamePath() const override;

 private:
  friend class TXCollectionItem;
  void ReadItems(TReader& reader);
  TPersistent* owner_;
  std::vector<TXCollectionItem*> items_;
};

void RegisterXCollectionItemClass(const TXCollectionItemClass& itemClass);
void UnregisterXCollectionItemClass(const TXCollectionItemClass& itemClass);
// The first registered class of exactly this name (case-sensitive), or nullptr.
const TXCollectionItemClass* FindXCollectionItemClass(const std::string& name);

}  // namespace kx
