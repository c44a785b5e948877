#include "scene/PersistentClasses.h"
#include "framework/core/Streams.h"
#include "scene/VectorLists.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

using namespace kx;

namespace {

class TSample : public TPersistentObject {
  KX_CLASS(TSample, TPersistentObject)
 public:
  TSample() { ++live_; }
  TSample(int v, std::string n) : value_(v), name_(std::move(n)) { ++live_; }
  TSample(const TSample& other) : TPersistentObject(), value_(other.value_), name_(other.name_) { ++live_; }
  ~TSample() override { --live_; }
  static inline int live_ = 0;
  void WriteToFiler(TVirtualWriter& writer) override {
    writer.WriteInteger(value_);
    writer.WriteString(name_);
  }
  void ReadFromFiler(TVirtualReader& reader) override {
    readCalled_ = true;
    value_ = reader.ReadInteger();
    name_ = reader.ReadString();
  }
  int value_ = 0;
  std::string name_;
  bool readCalled_ = false;
};
KX_PUBLISH(TSample) {}

class TSignedSample : public TSample {
  KX_CLASS(TSignedSample, TSample)
 public:
  std::string ArchiveSignature() const override { return "SMPL"; }
};
KX_PUBLISH(TSignedSample) {}

// Encodes values the way the binary writer does.
template <class F>
std::string Encoded(F&& write) {
  TStringStream stream;
  {
    TWriter writer(stream);
    write(writer);
  }
  return stream.DataString();
}

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClasses({&TSample::StaticClass(), &TSignedSample::StaticClass(), &TComponent::StaticClass()});
  }
};

TEST_F(ArchiveTest, AnObjectListStoresClassNamesOnceAndNilAsFalseZero) {
  TPersistentObjectList list;
  list.Add(new TSample(5, "x"));
  list.Add(nullptr);
  list.Add(new TSample(7, "y"));
  const std::string archive = list.SaveToString();
  const std::string expected = Encoded([](TWriter& w) {
    w.WriteInteger(0);
    w.WriteListBegin();
    w.WriteString("TSample");
    w.WriteInteger(5);
    w.WriteString("x");
    w.WriteBoolean(false);
    w.WriteInteger(0);
    w.WriteInteger(0);
    w.WriteInteger(7);
    w.WriteString("y");
    w.WriteListEnd();
  });
  EXPECT_EQ(archive, expected);

  TPersistentObjectList copy;
  copy.LoadFromString(archive);
  ASSERT_EQ(copy.Count(), 3);
  auto* first = dynamic_cast<TSample*>(copy.Items(0));
  auto* third = dynamic_cast<TSample*>(copy.Items(2));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(third, nullptr);
  EXPECT_NE(first, list.Items(0));
  EXPECT_EQ(first->value_, 5);
  EXPECT_EQ(third->name_, "y");
  EXPECT_EQ(copy.Items(1), nullptr);
  copy.FreeAllAndClear();
  list.FreeAllAndClear();
}

TEST_F(ArchiveTest, AStoredBareReferenceReadsBackAsNil) {
  TComponent foreign(nullptr);
  TPersistentObjectList list;
  list.Add(&foreign);
  TPersistentObjectList copy;
  copy.LoadFromString(list.SaveToString());
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.Items(0), nullptr);
  // Even an archive that claims a plausible address gives nil.
  copy.LoadFromString(Encoded([](TWriter& w) {
    w.WriteInteger(0);
    w.WriteListBegin();
    w.WriteBoolean(true);
    w.WriteInteger(0x12345678);
    w.WriteListEnd();
  }));
  EXPECT_EQ(copy.Items(0), nullptr);
}

TEST_F(ArchiveTest, BrokenObjectListArchivesAreRefused) {
  TPersistentObjectList list;
  auto expectBroken = [&](const std::string& archive) {
    try {
      list.LoadFromString(archive);
      ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Broken ObjectList archive");
    }
  };
  expectBroken(Encoded([](TWriter& w) { w.WriteInteger(0), w.WriteListBegin(), w.WriteFloat(1.5L); }));
  expectBroken(Encoded([](TWriter& w) { w.WriteInteger(0), w.WriteListBegin(), w.WriteInteger(0); }));
  expectBroken(Encoded([](TWriter& w) { w.WriteInteger(0), w.WriteListBegin(), w.WriteString("TComponent"); }));
  EXPECT_THROW(list.LoadFromString(
                   Encoded([](TWriter& w) { w.WriteInteger(0), w.WriteListBegin(), w.WriteString("TNoSuchClass"); })),
               EClassNotFound);
  try {
    list.LoadFromString(Encoded([](TWriter& w) { w.WriteInteger(2); }));
    ADD_FAILURE() << "accepted";
  } catch (const EFilerException& e) {
    EXPECT_STREQ(e.what(), "TPersistentObjectList : unknown archive version 2");
  }
  // A stream that ends inside an item.
  EXPECT_THROW(list.LoadFromString(Encoded([](TWriter& w) {
    w.WriteInteger(0), w.WriteListBegin(), w.WriteString("TSample"), w.WriteInteger(1);
  })),
               Exception);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ArchiveTest, ARefusedArchiveLeavesAnEmptyListAndNoObjects) {
  const int before = TSample::live_;
  TPersistentObjectList list;
  EXPECT_THROW(list.LoadFromString(Encoded([](TWriter& w) {
    w.WriteInteger(0), w.WriteListBegin();
    w.WriteString("TSample"), w.WriteInteger(1), w.WriteString("a");
    w.WriteInteger(0), w.WriteInteger(2), w.WriteString("b");
    w.WriteInteger(7);  // no such class
  })),
               Exception);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(TSample::live_, before);
  // The same inside a nested list.
  EXPECT_THROW(list.LoadFromString(Encoded([](TWriter& w) {
    w.WriteInteger(0), w.WriteListBegin(), w.WriteString("TPersistentObjectList");
    w.WriteInteger(0), w.WriteListBegin(), w.WriteString("TSample"), w.WriteInteger(1);
  })),
               Exception);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(TSample::live_, before);
}

TEST_F(ArchiveTest, EndlesslyNestedListsAreRefusedWithoutExhaustingTheStack) {
  const std::string archive = Encoded([](TWriter& w) {
    for (int i = 0; i < 100000; ++i) w.WriteInteger(0), w.WriteListBegin(), w.WriteString("TPersistentObjectList");
  });
  TPersistentObjectList list;
  try {
    list.LoadFromString(archive);
    ADD_FAILURE() << "accepted";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Broken ObjectList archive");
  }
  EXPECT_EQ(list.Count(), 0);
  // Lists nested a few levels deep are read as usual.
  const std::string nested = Encoded([](TWriter& w) {
    for (int i = 0; i < 3; ++i) w.WriteInteger(0), w.WriteListBegin(), w.WriteString("TPersistentObjectList");
    w.WriteInteger(0), w.WriteListBegin(), w.WriteListEnd();
    for (int i = 0; i < 3; ++i) w.WriteListEnd();
  });
  list.LoadFromString(nested);
  ASSERT_EQ(list.Count(), 1);
  list.FreeAllAndClear();
}

TEST_F(ArchiveTest, SignatureMismatchIsRaisedBeforeAnyData) {
  TSignedSample original;
  original.value_ = 3;
  const std::string archive = original.SaveToString();
  EXPECT_EQ(archive.substr(0, 4), "SMPL");
  TSignedSample target;
  EXPECT_THROW(target.LoadFromString("SMPX" + archive.substr(4)), EInvalidFileSignature);
  EXPECT_FALSE(target.readCalled_);
  target.LoadFromString(archive);
  EXPECT_EQ(target.value_, 3);
}

TEST_F(ArchiveTest, AssignAndCloneCopyWhatTheArchiveHolds) {
  TSample source(9, "nine"), target;
  target.Assign(&source);
  EXPECT_EQ(target.value_, 9);
  EXPECT_EQ(target.name_, "nine");
  std::unique_ptr<TPersistentObject> clone = source.Clone();
  auto* copy = dynamic_cast<TSample*>(clone.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->name_, "nine");
  TComponent other(nullptr);
  EXPECT_THROW(target.Assign(&other), EConvertError);
}

TEST_F(ArchiveTest, FilesAreWrittenWhole) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "kx_scene_archive_test.bin";
  TSample original(4, "four"), loaded;
  original.SaveToFile(path);
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.name_, "four");
  EXPECT_THROW(original.SaveToFile(std::string(folder) + "no such folder\\x.bin"), Exception);
  DeleteFileA(path.c_str());
}

// Vector lists ---------------------------------------------------------------------

TEST(VectorLists, SetCountZeroFillsAndAddGrowsByTheDelta) {
  TAffineVectorList list;
  list.SetCount(5);
  EXPECT_EQ(list.Capacity(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(AffineVectorEquals(list.Items(i), NullVector));
  list.Add({1, 2, 3});
  EXPECT_EQ(list.Capacity(), 21);
  EXPECT_EQ(list.Count(), 6);
  TSingleList singles;
  singles.Add(1);
  EXPECT_EQ(singles.Capacity(), 16);
  EXPECT_EQ(singles.ItemSize(), 4);
  EXPECT_EQ(TTexPointList().ItemSize(), 8);
  EXPECT_EQ(TVectorList().ItemSize(), 16);
}

TEST(VectorLists, AssignCopiesItemsAndGrowthStep) {
  TVectorList source, target;
  source.SetGrowthDelta(5);
  source.Add({1, 2, 3, 4});
  source.Add({5, 6, 7, 8});
  source.Add({9, 10, 11, 12});
  target.Assign(&source);
  ASSERT_EQ(target.Count(), 3);
  EXPECT_EQ(target.GrowthDelta(), 5);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(VectorEquals4(target.Items(i), source.Items(i)));
  target.Assign(nullptr);
  EXPECT_EQ(target.Count(), 0);
  EXPECT_EQ(target.Capacity(), 0);
}

TEST(VectorLists, SortingKeepsEachObjectWithItsKey) {
  TSingleList keys;
  TPersistentObjectList objects;
  TSample a(1, "A"), b(2, "B"), c(3, "C");
  for (auto [key, object] : {std::pair{3.0f, &a}, {1.0f, &b}, {2.0f, &c}}) {
    keys.Add(key);
    objects.Add(object);
  }
  keys.QuickSortWithObjects(0, 2, objects);
  EXPECT_EQ(keys.Items(0), 1);
  EXPECT_EQ(keys.Items(2), 3);
  EXPECT_EQ(objects.Items(0), &b);
  EXPECT_EQ(objects.Items(1), &c);
  EXPECT_EQ(objects.Items(2), &a);
}

TEST(VectorLists, SortingManyKeysMatchesAStableOrderOfKeys) {
  TSingleList keys;
  TPersistentObjectList objects;
  std::vector<TSample> samples(200);
  unsigned seed = 12345;
  for (int i = 0; i < 200; ++i) {
    seed = seed * 1103515245 + 12345;
    const float key = float((seed >> 8) % 50) * 0.5f;
    samples[i].value_ = int(key * 2);
    keys.Add(key);
    objects.Add(&samples[i]);
  }
  keys.QuickSortWithObjects(0, keys.Count() - 1, objects);
  for (int i = 0; i < keys.Count(); ++i) {
    if (i > 0) {
      EXPECT_LE(keys.Items(i - 1), keys.Items(i));
    }
    EXPECT_EQ(static_cast<TSample*>(objects.Items(i))->value_, int(keys.Items(i) * 2));
  }
}

TEST(VectorLists, ExtentsOfAnEmptyListStayInfinite) {
  TAffineVectorList list;
  TAffineVector min, max;
  list.ComputeExtents(min, max);
  EXPECT_EQ(min[0], std::numeric_limits<float>::infinity());
  EXPECT_EQ(max[2], -std::numeric_limits<float>::infinity());
  list.Add({1, -2, 3});
  list.Add({-1, 5, 0});
  list.ComputeExtents(min, max);
  EXPECT_TRUE(AffineVectorEquals(min, {-1, -2, 0}));
  EXPECT_TRUE(AffineVectorEquals(max, {1, 5, 3}));
  EXPECT_TRUE(AffineVectorEquals(list.SumItems(), {0, 3, 3}));
}

TEST(VectorLists, VectorWideOperations) {
  TAffineVectorList a, b, r;
  a.Add({0, 0, 0});
  a.Add({2, 0, 0});
  b.Add({2, 2, 2});
  b.Add({0, 0, 4});
  r.LerpLists(a, b, 0.5f);
  EXPECT_TRUE(AffineVectorEquals(r.Items(0), {1, 1, 1}));
  EXPECT_TRUE(AffineVectorEquals(r.Items(1), {1, 0, 2}));
  EXPECT_EQ(a.MaxItemSpacing(b), 6.0f);
  a.OffsetAll({1, 1, 1});
  EXPECT_TRUE(AffineVectorEquals(a.Items(1), {3, 1, 1}));
  a.OffsetByList(b);
  EXPECT_TRUE(AffineVectorEquals(a.Items(0), {3, 3, 3}));
  a.AddScaledList(b, -1);
  EXPECT_TRUE(AffineVectorEquals(a.Items(0), {1, 1, 1}));
  b.NormalizeItems();
  EXPECT_TRUE(AffineVectorEquals(b.Items(1), {0, 0, 1}));
  TVectorList v;
  v.Add({0, 3, 0, 9});
  v.NormalizeItems();
  EXPECT_TRUE(VectorEquals4(v.Items(0), {0, 1, 0, 9}));
  TAffineVectorList angles;
  angles.AngleLerpLists(a, a, 0.3f);
  EXPECT_TRUE(AffineVectorEquals(angles.Items(1), a.Items(1)));
  TVectorList mismatched;
  EXPECT_THROW(mismatched.LerpLists(a, b, 0.5f), EAssertionFailed);
}

TEST(VectorLists, AnAffineListArchivesCountItemSizeBytesAndATrailingZero) {
  TAffineVectorList list;
  list.Add({1, 2, 3});
  list.Add({4, 5, 6});
  const std::string archive = list.SaveToString();
  const float raw[6] = {1, 2, 3, 4, 5, 6};
  const std::string expected = Encoded([&](TWriter& w) {
    w.WriteInteger(0);
    w.WriteInteger(2);
    w.WriteInteger(12);
    w.Write(raw, sizeof raw);
    w.WriteInteger(0);
  });
  EXPECT_EQ(archive, expected);
  TAffineVectorList copy;
  copy.LoadFromString(archive);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Capacity(), 2);
  EXPECT_TRUE(AffineVectorEquals(copy.Items(1), {4, 5, 6}));
}

TEST(VectorLists, ArchivesThatWouldOverrunAreRefused) {
  TSingleList singles;
  singles.Add(1);
  // Items of another size: 16-byte vectors read into a list of 4-byte singles.
  TVectorList vectors;
  vectors.Add({1, 2, 3, 4});
  EXPECT_THROW(singles.LoadFromString(vectors.SaveToString()), EFilerException);
  // A count far beyond the data, and a negative one.
  const std::string huge = Encoded([](TWriter& w) { w.WriteInteger(0), w.WriteInteger(100000000), w.WriteInteger(4); });
  EXPECT_THROW(singles.LoadFromString(huge), Exception);
  EXPECT_EQ(singles.Count(), 0);
  const std::string negative = Encoded([](TWriter& w) { w.WriteInteger(0), w.WriteInteger(-3), w.WriteInteger(4); });
  EXPECT_THROW(singles.LoadFromString(negative), EFilerException);
  try {
    singles.LoadFromString(Encoded([](TWriter& w) { w.WriteInteger(3); }));
    ADD_FAILURE() << "accepted";
  } catch (const EFilerException& e) {
    EXPECT_STREQ(e.what(), "TSingleList : unknown archive version 3");
  }
}

TEST(VectorLists, AListMayKeepItsItemsInMemoryOfSomeoneElse) {
  float external[4] = {-1, -1, -1, -1};
  TSingleList list;
  list.Add(7);
  EXPECT_FALSE(list.UseMemory(external, 0)) << "the item does not fit";
  ASSERT_TRUE(list.UseMemory(external, sizeof external));
  EXPECT_TRUE(list.Options().Contains(loExternalStorage));
  EXPECT_EQ(list.Capacity(), 4);
  EXPECT_EQ(external[0], 7) << "the items moved there";
  list.Add(8);
  EXPECT_EQ(external[1], 8);
  EXPECT_EQ(list.SaveToString(), [] {
    TSingleList plain;
    plain.Add(7);
    plain.Add(8);
    return plain.SaveToString();
  }()) << "the archive does not depend on where the items are";

  // Growing beyond it: the list takes storage of its own and keeps its items.
  list.Add(9);
  list.Add(10);
  list.Add(11);
  EXPECT_FALSE(list.Options().Contains(loExternalStorage));
  ASSERT_EQ(list.Count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.Items(i), 7 + i);
  list.SetItems(0, 70);
  EXPECT_EQ(external[0], 7) << "the external memory is left alone";

  // Reading an archive into a list on external memory leaves that memory alone.
  float other[2] = {5, 5};
  TSingleList reader;
  reader.Add(1);
  ASSERT_TRUE(reader.UseMemory(other, sizeof other));
  reader.LoadFromString(list.SaveToString());
  EXPECT_EQ(reader.Count(), 5);
  EXPECT_EQ(reader.Items(0), 70);
  EXPECT_FALSE(reader.Options().Contains(loExternalStorage));
  EXPECT_EQ(other[1], 5);
}

TEST_F(ArchiveTest, EveryListReadsBackItsFullArchiveInsideAnObjectList) {
  TPersistentObjectList lists;
  auto* affine = new TAffineVectorList;
  affine->Add({1, 2, 3});
  auto* vectors = new TVectorList;
  vectors->Add({1, 2, 3, 4});
  vectors->Add({-5, 6, 7, 0.5f});
  auto* points = new TTexPointList;
  points->Add({0.25f, 0.75f});
  auto* singles = new TSingleList;
  for (float v : {3.0f, -1.0f, 2.5f}) singles->Add(v);
  auto* nested = new TPersistentObjectList;
  nested->Add(new TSample(1, "inner"));
  for (TObject* item : std::initializer_list<TObject*>{affine, vectors, points, singles, nested, nullptr, affine})
    lists.Add(item);
  const std::string archive = lists.SaveToString();

  TPersistentObjectList copy;
  copy.LoadFromString(archive);
  ASSERT_EQ(copy.Count(), 7);
  EXPECT_EQ(copy.Items(5), nullptr);
  EXPECT_NE(copy.Items(6), copy.Items(0)) << "each archived object reads back as an object of its own";
  auto* affineCopy = dynamic_cast<TAffineVectorList*>(copy.Items(0));
  auto* vectorsCopy = dynamic_cast<TVectorList*>(copy.Items(1));
  auto* pointsCopy = dynamic_cast<TTexPointList*>(copy.Items(2));
  auto* singlesCopy = dynamic_cast<TSingleList*>(copy.Items(3));
  auto* nestedCopy = dynamic_cast<TPersistentObjectList*>(copy.Items(4));
  ASSERT_TRUE(affineCopy && vectorsCopy && pointsCopy && singlesCopy && nestedCopy);
  EXPECT_TRUE(AffineVectorEquals(affineCopy->Items(0), {1, 2, 3}));
  ASSERT_EQ(vectorsCopy->Count(), 2);
  EXPECT_TRUE(VectorEquals4(vectorsCopy->Items(1), {-5, 6, 7, 0.5f}));
  EXPECT_EQ(pointsCopy->Items(0).T, 0.75f);
  ASSERT_EQ(singlesCopy->Count(), 3);
  EXPECT_EQ(singlesCopy->Items(2), 2.5f);
  ASSERT_EQ(nestedCopy->Count(), 1);
  EXPECT_EQ(dynamic_cast<TSample*>(nestedCopy->Items(0))->name_, "inner");
  EXPECT_EQ(copy.SaveToString(), archive) << "written again, the same archive";

  nestedCopy->FreeAllAndClear();
  copy.FreeAllAndClear();
  nested->FreeAllAndClear();  // the original holds `affine` twice: freed one by one below
  for (TObject* item : std::initializer_list<TObject*>{affine, vectors, points, singles, nested}) delete item;
}

TEST(VectorLists, ListsAreCreatedByClassName) {
  for (const char* name :
       {"TAffineVectorList", "TVectorList", "TTexPointList", "TSingleList", "TPersistentObjectList"}) {
    std::unique_ptr<TObject> created(FindClass(name).Create(nullptr));
    EXPECT_EQ(created->ClassName(), name);
  }
}

}  // namespace
