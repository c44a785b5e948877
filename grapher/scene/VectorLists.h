// Growable arrays of fixed-size items stored contiguously, typed for
// vectors, texture points and singles, with vector-wide operations.
#pragma once

#include "scene/Geometry.h"
#include "scene/PersistentClasses.h"

#include <cstdint>
#include <vector>

namespace kx {

enum TListOption : uint8_t {
  loExternalStorage,  // the storage belongs to someone else
  loZeroNewItems      // new items are zero-filled
};
using TListOptions = TSet<TListOption>;

class TBaseList : public TPersistentObject {
  KX_CLASS(TBaseList, TPersistentObject)
 public:
  TBaseList(const TBaseList&) = delete;
  TBaseList& operator=(const TBaseList&) = delete;
  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  int GrowthDelta() const { return growthDelta_; }
  void SetGrowthDelta(int delta) { growthDelta_ = delta; }
  int ItemSize() const { return itemSize_; }
  // {loZeroNewItems} after creation.
  TListOptions Options() const { return options_; }
  bool ZeroNewItems() const { return options_.Contains(loZeroNewItems); }
  void SetZeroNewItems(bool on);
  // Keeps the items in `byteSize` bytes that belong to the caller (who keeps
  // them alive while the list uses them), copying the current items there;
  // false, and nothing changed, when they do not fit. The list takes storage
  // of its own again as soon as its capacity changes.
  bool UseMemory(void* storage, int byteSize);

  virtual void SetCapacity(int capacity);
  void SetCount(int count);
  void ReleaseStorage();
  void SwapItems(int a, int b);
  uint8_t* ItemAt(int index) { return items_ + static_cast<size_t>(index) * itemSize_; }
  const uint8_t* ItemAt(int index) const { return items_ + static_cast<size_t>(index) * itemSize_; }

  void Assign(TPersistent* source) override;
  void WriteToFiler(TVirtualWriter& writer) override;
  void ReadFromFiler(TVirtualReader& reader) override;

 protected:
  explicit TBaseList(int itemSize) : itemSize_(itemSize) {}
  // Copies the items when the source has this very class.
  void CopyItemsFrom(const TBaseList& source);

 private:
  int count_ = 0;
  int capacity_ = 0;
  int growthDelta_ = 16;
  TListOptions options_{loZeroNewItems};
  const int itemSize_;
  std::vector<uint8_t> scratchItem_;
  std::vector<uint8_t> storage_;  // own storage, unused while the storage is external
  uint8_t* items_ = nullptr;      // the storage in use
};

// Lists whose items start with an affine vector.
class TBaseVectorList : public TBaseList {
  KX_CLASS(TBaseVectorList, TBaseList)
 public:
  void ComputeExtents(TAffineVector& min, TAffineVector& max) const;
  TAffineVector SumItems() const;
  virtual void NormalizeItems();
  float MaxItemSpacing(const TBaseVectorList& other) const;
  virtual void OffsetAll(const TAffineVector& delta);
  void OffsetByList(const TBaseVectorList& other);
  virtual void LerpLists(const TBaseVectorList& a, const TBaseVectorList& b, float t) = 0;
  void AngleLerpLists(const TBaseVectorList& a, const TBaseVectorList& b, float t);
  void AddScaledList(const TBaseVectorList& other, float factor);

  void WriteToFiler(TVirtualWriter& writer) override;
  void ReadFromFiler(TVirtualReader& reader) override;

 protected:
  using TBaseList::TBaseList;
  TAffineVector& Affine(int index) { return *reinterpret_cast<TAffineVector*>(ItemAt(index)); }
  const TAffineVector& Affine(int index) const { return *reinterpret_cast<const TAffineVector*>(ItemAt(index)); }
};

class TAffineVectorList : public TBaseVectorList {
  KX_CLASS(TAffineVectorList, TBaseVectorList)
 public:
  TAffineVectorList() : TBaseVectorList(sizeof(TAffineVector)) {}
  TAffineVector* List() { return reinterpret_cast<TAffineVector*>(ItemAt(0)); }
  const TAffineVector& Items(int index) const { return Affine(index); }
  void SetItems(int index, const TAffineVector& value) { Affine(index) = value; }
  int Add(const TAffineVector& value);
  void Assign(TPersistent* source) override;
  void NormalizeItems() override;
  void OffsetAll(const TAffineVector& delta) override;
  void LerpLists(const TBaseVectorList& a, const TBaseVectorList& b, float t) override;
};

class TVectorList : public TBaseVectorList {
  KX_CLASS(TVectorList, TBaseVectorList)
 public:
  TVectorList() : TBaseVectorList(sizeof(TVector)) {}
  TVector* List() { return reinterpret_cast<TVector*>(ItemAt(0)); }
  const TVector& Items(int index) const { return *reinterpret_cast<const TVector*>(ItemAt(index)); }
  void SetItems(int index, const TVector& value) { *reinterpret_cast<TVector*>(ItemAt(index)) = value; }
  int Add(const TVector& value);
  void Assign(TPersistent* source) override;
  void LerpLists(const TBaseVectorList& a, const TBaseVectorList& b, float t) override;
};

// Texture coordinates S, T.
struct TTexPoint {
  float S, T;
};

class TTexPointList : public TBaseList {
  KX_CLASS(TTexPointList, TBaseList)
 public:
  TTexPointList() : TBaseList(sizeof(TTexPoint)) {}
  TTexPoint* List() { return reinterpret_cast<TTexPoint*>(ItemAt(0)); }
  const TTexPoint& Items(int index) const { return *reinterpret_cast<const TTexPoint*>(ItemAt(index)); }
  int Add(const TTexPoint& value);
  void Assign(TPersistent* source) override;
};

class TSingleList : public TBaseList {
  KX_CLASS(TSingleList, TBaseList)
 public:
  TSingleList() : TBaseList(sizeof(float)) {}
  float* List() { return reinterpret_cast<float*>(ItemAt(0)); }
  float Items(int index) const { return *reinterpret_cast<const float*>(ItemAt(index)); }
  void SetItems(int index, float value) { *reinterpret_cast<float*>(ItemAt(index)) = value; }
  int Add(float value);
  void Assign(TPersistent* source) override;
  // Sorts items lo..hi ascending; every exchange is made in `objects` too,
  // so each object stays with its key.
  void QuickSortWithObjects(int lo, int hi, TPersistentObjectList& objects);
};

}  // namespace kx
