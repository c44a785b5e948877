#include "scene/VectorLists.h"

#include "scene/GLCrossPlatform.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kx {

namespace {

constexpr const char* kModule = "VectorLists";
// Items read per step: a truncated archive fails before a large allocation.
constexpr int kReadChunkBytes = 1 << 16;

struct VectorListsModule {
  VectorListsModule() {
    RegisterClasses({&TAffineVectorList::StaticClass(), &TVectorList::StaticClass(), &TTexPointList::StaticClass(),
                     &TSingleList::StaticClass()});
  }
};
VectorListsModule vectorListsModule;

}  // namespace

KX_PUBLISH(TBaseList) {}
KX_PUBLISH(TBaseVectorList) {}
KX_PUBLISH(TAffineVectorList) {}
KX_PUBLISH(TVectorList) {}
KX_PUBLISH(TTexPointList) {}
KX_PUBLISH(TSingleList) {}

// TBaseList -----------------------------------------------------------------------------

void TBaseList::SetCapacity(int capacity) {
  if (capacity == capacity_) return;
  const int kept = std::min(count_, capacity);
  if (options_.Contains(loExternalStorage)) {
    // The external items that still fit move into storage of the list's own.
    std::vector<uint8_t> own(static_cast<size_t>(capacity) * itemSize_);
    if (kept > 0) std::memcpy(own.data(), items_, static_cast<size_t>(kept) * itemSize_);
    storage_ = std::move(own);
    options_.Exclude(loExternalStorage);
  } else {
    storage_.resize(static_cast<size_t>(capacity) * itemSize_);
    storage_.shrink_to_fit();
  }
  items_ = storage_.data();
  capacity_ = capacity;
  count_ = kept;
}

void TBaseList::SetZeroNewItems(bool on) {
  if (on)
    options_.Include(loZeroNewItems);
  else
    options_.Exclude(loZeroNewItems);
}

bool TBaseList::UseMemory(void* storage, int byteSize) {
  const int capacity = byteSize / itemSize_;
  if (!storage || capacity < count_) return false;
  if (count_ > 0) std::memmove(storage, items_, static_cast<size_t>(count_) * itemSize_);
  storage_.clear();
  storage_.shrink_to_fit();
  items_ = static_cast<uint8_t*>(storage);
  capacity_ = capacity;
  options_.Include(loExternalStorage);
  return true;
}

void TBaseList::SetCount(int count) {
  KX_SCENE_ASSERT(count >= 0, kModule);
  if (count > capacity_) SetCapacity(count);
  if (count > count_ && options_.Contains(loZeroNewItems)) std::memset(ItemAt(count_), 0, static_cast<size_t>(count - count_) * itemSize_);
  count_ = count;
}

void TBaseList::ReleaseStorage() {
  SetCount(0);
  SetCapacity(0);
}

void TBaseList::SwapItems(int a, int b) {
  if (scratchItem_.empty()) scratchItem_.resize(itemSize_);
  std::memcpy(scratchItem_.data(), ItemAt(a), itemSize_);
  std::memcpy(ItemAt(a), ItemAt(b), itemSize_);
  std::memcpy(ItemAt(b), scratchItem_.data(), itemSize_);
}

void TBaseList::Assign(TPersistent* source) {
  if (!source) {
    ReleaseStorage();
  } else if (auto* list = dynamic_cast<TBaseList*>(source)) {
    SetCapacity(list->count_);
    growthDelta_ = list->growthDelta_;
    count_ = capacity_;
  } else {
    TPersistentObject::Assign(source);
  }
}

void TBaseList::CopyItemsFrom(const TBaseList& source) {
  if (&source.ClassType() == &ClassType() && count_ > 0)
    std::memcpy(ItemAt(0), source.ItemAt(0), static_cast<size_t>(count_) * itemSize_);
}

void TBaseList::WriteToFiler(TVirtualWriter& writer) {
  writer.WriteInteger(0);  // archive version
  writer.WriteInteger(count_);
  writer.WriteInteger(itemSize_);
  if (count_ > 0) writer.Write(ItemAt(0), count_ * itemSize_);
}

void TBaseList::ReadFromFiler(TVirtualReader& reader) {
  const int version = reader.ReadInteger();
  if (version != 0) RaiseArchiveVersionError(version);
  const int count = reader.ReadInteger();
  const int itemSize = reader.ReadInteger();
  // Items of another size would overrun this list's storage.
  if (itemSize != itemSize_)
    throw EFilerException(ClassName() + " : stored item size " + std::to_string(itemSize) + " differs from " +
                          std::to_string(itemSize_));
  if (count < 0 || count > std::numeric_limits<int32_t>::max() / itemSize_)
    throw EFilerException(ClassName() + " : invalid item count " + std::to_string(count));
  ReleaseStorage();
  try {
    const int chunk = std::max(1, kReadChunkBytes / itemSize_);
    for (int done = 0; done < count;) {
      const int step = std::min(chunk, count - done);
      SetCapacity(done + step);
      reader.Read(ItemAt(done), step * itemSize_);
      done += step;
      count_ = done;
    }
  } catch (...) {
    ReleaseStorage();
    throw;
  }
}

// TBaseVectorList ---------------------------------------------------------------------

void TBaseVectorList::ComputeExtents(TAffineVector& min, TAffineVector& max) const {
  constexpr float inf = std::numeric_limits<float>::infinity();
  min = {inf, inf, inf};
  max = {-inf, -inf, -inf};
  for (int i = 0; i < Count(); ++i)
    for (int k = 0; k < 3; ++k) {
      const float v = Affine(i)[k];
      if (v < min[k]) min[k] = v;
      if (v > max[k]) max[k] = v;
    }
}

TAffineVector TBaseVectorList::SumItems() const {
  TAffineVector sum = NullVector;
  for (int i = 0; i < Count(); ++i) AddVector(sum, Affine(i));
  return sum;
}

void TBaseVectorList::NormalizeItems() {
  for (int i = 0; i < Count(); ++i) NormalizeVector(Affine(i));
}

float TBaseVectorList::MaxItemSpacing(const TBaseVectorList& other) const {
  KX_SCENE_ASSERT(other.Count() == Count(), kModule);
  float result = 0;
  for (int i = 0; i < Count(); ++i) result = std::max(result, VectorSpacing(Affine(i), other.Affine(i)));
  return result;
}

void TBaseVectorList::OffsetAll(const TAffineVector& delta) {
  for (int i = 0; i < Count(); ++i) AddVector(Affine(i), delta);
}

void TBaseVectorList::OffsetByList(const TBaseVectorList& other) {
  KX_SCENE_ASSERT(Count() <= other.Count(), kModule);
  for (int i = 0; i < Count(); ++i) AddVector(Affine(i), other.Affine(i));
}

void TBaseVectorList::AngleLerpLists(const TBaseVectorList& a, const TBaseVectorList& b, float t) {
  KX_SCENE_ASSERT(a.Count() == b.Count(), kModule);
  SetCount(a.Count());
  for (int i = 0; i < Count(); ++i) Affine(i) = VectorAngleLerp(a.Affine(i), b.Affine(i), t);
}

void TBaseVectorList::AddScaledList(const TBaseVectorList& other, float factor) {
  KX_SCENE_ASSERT(other.Count() >= Count(), kModule);
  for (int i = 0; i < Count(); ++i) CombineVector(Affine(i), other.Affine(i), factor);
}

void TBaseVectorList::WriteToFiler(TVirtualWriter& writer) {
  TBaseList::WriteToFiler(writer);
  writer.WriteInteger(0);
}

void TBaseVectorList::ReadFromFiler(TVirtualReader& reader) {
  TBaseList::ReadFromFiler(reader);
  const int version = reader.ReadInteger();
  if (version != 0) RaiseArchiveVersionError(version);
}

// Typed lists ----------------------------------------------------------------------------

namespace {

template <class List, class Item>
int AddItem(List& list, const Item& value) {
  if (list.Count() == list.Capacity()) list.SetCapacity(list.Capacity() + list.GrowthDelta());
  const int index = list.Count();
  list.SetCount(index + 1);
  std::memcpy(list.ItemAt(index), &value, sizeof value);
  return index;
}

}  // namespace

int TAffineVectorList::Add(const TAffineVector& value) { return AddItem(*this, value); }

void TAffineVectorList::Assign(TPersistent* source) {
  TBaseVectorList::Assign(source);
  if (auto* list = dynamic_cast<TBaseList*>(source)) CopyItemsFrom(*list);
}

void TAffineVectorList::NormalizeItems() { NormalizeVectorArray(List(), Count()); }

void TAffineVectorList::OffsetAll(const TAffineVector& delta) { VectorArrayAdd(List(), delta, Count(), List()); }

void TAffineVectorList::LerpLists(const TBaseVectorList& a, const TBaseVectorList& b, float t) {
  auto* first = dynamic_cast<const TAffineVectorList*>(&a);
  auto* second = dynamic_cast<const TAffineVectorList*>(&b);
  KX_SCENE_ASSERT(first && second && a.Count() == b.Count(), kModule);
  SetCount(a.Count());
  VectorArrayLerp(reinterpret_cast<const TAffineVector*>(first->ItemAt(0)),
                  reinterpret_cast<const TAffineVector*>(second->ItemAt(0)), t, Count(), List());
}

int TVectorList::Add(const TVector& value) { return AddItem(*this, value); }

void TVectorList::Assign(TPersistent* source) {
  TBaseVectorList::Assign(source);
  if (auto* list = dynamic_cast<TBaseList*>(source)) CopyItemsFrom(*list);
}

void TVectorList::LerpLists(const TBaseVectorList& a, const TBaseVectorList& b, float t) {
  auto* first = dynamic_cast<const TVectorList*>(&a);
  auto* second = dynamic_cast<const TVectorList*>(&b);
  KX_SCENE_ASSERT(first && second && a.Count() == b.Count(), kModule);
  SetCount(a.Count());
  VectorArrayLerp4(reinterpret_cast<const TVector*>(first->ItemAt(0)),
                   reinterpret_cast<const TVector*>(second->ItemAt(0)), t, Count(), List());
}

int TTexPointList::Add(const TTexPoint& value) { return AddItem(*this, value); }

void TTexPointList::Assign(TPersistent* source) {
  TBaseList::Assign(source);
  if (auto* list = dynamic_cast<TBaseList*>(source)) CopyItemsFrom(*list);
}

int TSingleList::Add(float value) { return AddItem(*this, value); }

void TSingleList::Assign(TPersistent* source) {
  TBaseList::Assign(source);
  if (auto* list = dynamic_cast<TBaseList*>(source)) CopyItemsFrom(*list);
}

void TSingleList::QuickSortWithObjects(int lo, int hi, TPersistentObjectList& objects) {
  KX_SCENE_ASSERT(lo >= 0 && hi < Count() && hi < objects.Count(), kModule);
  float* keys = List();
  auto exchange = [&](int a, int b) {
    std::swap(keys[a], keys[b]);
    objects.Exchange(a, b);
  };
  while (hi > lo) {
    if (hi - lo == 1) {
      if (keys[hi] < keys[lo]) exchange(lo, hi);
      return;
    }
    const float pivot = keys[(lo + hi) / 2];
    int i = lo, j = hi;
    do {
      while (keys[i] < pivot) ++i;
      while (keys[j] > pivot) --j;
      if (i <= j) {
        exchange(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j > lo) QuickSortWithObjects(lo, j, objects);
    lo = i;
  }
}

}  // namespace kx
