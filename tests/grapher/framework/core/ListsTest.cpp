#include "framework/core/Collections.h"
#include "framework/core/FormResources.h"
#include "framework/core/Lists.h"
#include "framework/core/Streams.h"
#include "framework/core/Tcvn3.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace kx {
namespace {

// ---------------------------------------------------------------------------
// TList

TEST(List, IndexingMovingSortingAndBounds) {
  int a = 1, b = 2, c = 3;
  TList list;
  list.Add(&c);
  list.Add(&a);
  list.Insert(1, &b);
  EXPECT_EQ(list.IndexOf(&b), 1);
  list.Move(0, 2);  // c to the end
  EXPECT_EQ(list.ItemAs<int>(2), &c);
  list.Sort([](void* x, void* y) { return *static_cast<int*>(y) - *static_cast<int*>(x); });
  EXPECT_EQ(list.ItemAs<int>(0), &c);
  EXPECT_EQ(list.ItemAs<int>(2), &a);
  list.Exchange(0, 2);
  EXPECT_EQ(list.First(), &a);
  EXPECT_EQ(list.Remove(&b), 1);
  EXPECT_EQ(list.Remove(&b), -1);
  list.Add(nullptr);
  list.Pack();
  EXPECT_EQ(list.Count(), 2);
  try {
    list.Items(2);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
  }
  EXPECT_THROW(list.Insert(3, &a), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
}

// ---------------------------------------------------------------------------
// TStringList

TEST(StringList, TextSplitsEveryLineBreakAndJoinsWithCrLf) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Strings(3), "d");
  EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  list.SetText("x\r\n\r\n");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Strings(1), "");
}

TEST(StringList, SortedListsFindAndHandleDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"pear", "Apple", "fig", "apple"}) list.Add(s);
  // Duplicates are ignored by default, compared ignoring case.
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Strings(0), "Apple");
  int index;
  EXPECT_TRUE(list.Find("FIG", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("banana", index));
  EXPECT_EQ(index, 1);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add("PEAR"), EStringListError);
  list.SetDuplicates(dupAccept);
  list.Add("PEAR");
  EXPECT_EQ(list.Count(), 4);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("pear"), 3);
  EXPECT_EQ(list.IndexOf("PEAR"), 1);  // re-sorted by code: upper case first
}

TEST(StringList, NamesValuesObjectsAndChangeNotices) {
  TStringList list;
  int changes = 0, changings = 0;
  list.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  list.OnChanging = TNotifyEvent([&](TObject*) { ++changings; });
  list.Add("Width=10");
  list.SetValue("Height", "20");
  list.SetValue("width", "11");
  EXPECT_EQ(list.Values("WIDTH"), "11");
  EXPECT_EQ(list.Names(1), "Height");
  list.SetValue("Height", "");
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(changings, 4);
  list.BeginUpdate();
  list.Add("a");
  list.Add("b");
  list.EndUpdate();
  EXPECT_EQ(changes, 5);  // one notice for the whole update
  TObject marker;
  list.AddObject("c", &marker);
  EXPECT_EQ(list.IndexOfObject(&marker), 3);
  list.Move(3, 0);
  EXPECT_EQ(list.Objects(0), &marker);
  EXPECT_THROW(list.Strings(9), EStringListError);
}

TEST(StringList, AssignEqualsAndStreams) {
  TStringList a, b;
  a.SetText("one\ntwo");
  b.Assign(&a);
  EXPECT_TRUE(b.Equals(a));
  TMemoryStream stream;
  a.SaveToStream(stream);
  stream.SetPosition(0);
  TStringList c;
  c.LoadFromStream(stream);
  EXPECT_TRUE(c.Equals(a));
  TCollection notStrings(nullptr, nullptr);
  EXPECT_THROW(a.Assign(&notStrings), EConvertError);
}

// A component whose lines a form stores.
class TNotes : public TComponent {
  KX_CLASS(TNotes, TComponent)
 public:
  explicit TNotes(TComponent* owner) : TComponent(owner) {}
  TStringList* Lines() const { return lines_.get(); }

 private:
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
};
KX_PUBLISH(TNotes) { p.Property("Lines", &TNotes::Lines, nullptr); }

TEST(StringList, AnUpdateThatFailsStillEnds) {
  struct Case {
    const char* what;
    void (*fail)(TNotes&);
  };
  const Case cases[] = {
      {"a stored list with a number in it",
       [](TNotes& n) { ReadComponentText(n, "object Notes: TNotes\n  Lines.Strings = ('one' 2)\nend\n", "notes"); }},
      {"a text with a duplicate", [](TNotes& n) { n.Lines()->SetText("x\ny\nx"); }},
      {"strings with a duplicate",
       [](TNotes& n) {
         TStringList other;
         other.SetText("y\na");
         n.Lines()->AddStrings(other);
       }},
      {"an assigned list with a duplicate",
       [](TNotes& n) {
         TStringList other;
         other.SetText("x\nx");
         n.Lines()->Assign(&other);
       }},
      {"a move from past the end", [](TNotes& n) { n.Lines()->Move(5, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TNotes notes(nullptr);
    TStringList& list = *notes.Lines();
    list.SetSorted(true);
    list.SetDuplicates(dupError);
    list.Add("a");
    int changes = 0;
    list.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    EXPECT_THROW(c.fail(notes), Exception);
    EXPECT_EQ(list.UpdateCount(), 0);
    // The list tells of its changes again.
    changes = 0;
    list.Add("z");
    EXPECT_EQ(changes, 1);
  }
}

// ---------------------------------------------------------------------------
// TCollection

class TRow : public TCollectionItem {
  KX_CLASS(TRow, TCollectionItem)
 public:
  explicit TRow(TCollection* c) : TCollectionItem(c) { ++live; }
  ~TRow() override { --live; }
  int value = 0;
  void Assign(TPersistent* source) override {
    if (auto* r = dynamic_cast<TRow*>(source))
      value = r->value;
    else
      TCollectionItem::Assign(source);
  }
  static int live;
};
int TRow::live = 0;
KX_PUBLISH(TRow) {}

class TCounted : public TCollection {
 public:
  using TCollection::TCollection;
  int updates = 0;

 protected:
  void Update(TCollectionItem*) override { ++updates; }
};

class TGrid : public TComponent {
  KX_CLASS(TGrid, TComponent)
 public:
  explicit TGrid(TComponent* owner) : TComponent(owner) {}
  TCollection* Rows() const { return rows_.get(); }

 private:
  std::unique_ptr<TCollection> rows_ = std::make_unique<TCollection>(this, TCollection::ItemsOf<TRow>());
};
KX_PUBLISH(TGrid) { p.Property("Rows", &TGrid::Rows, nullptr); }

TEST(Collection, OwnsItemsKeepsOrderAndNamesPaths) {
  TRow::live = 0;
  {
    TGrid grid(nullptr);
    grid.SetName("Grid1");
    TCollection& rows = *grid.Rows();
    auto* r0 = As<TRow>(rows.Add());
    auto* r1 = As<TRow>(rows.Add());
    auto* r2 = As<TRow>(rows.Insert(0));
    EXPECT_EQ(rows.Items(0), r2);
    EXPECT_EQ(r1->Index(), 2);
    EXPECT_EQ(r1->GetNamePath(), "Grid1.Rows[2]");
    EXPECT_EQ(rows.FindItemID(r0->ID()), r0);
    r2->SetIndex(5);  // clamped to the end
    EXPECT_EQ(rows.Items(2), r2);
    delete r0;  // an item leaves its collection when freed
    EXPECT_EQ(rows.Count(), 2);
    rows.Delete(0);
    EXPECT_EQ(rows.Count(), 1);
    EXPECT_THROW(rows.Items(1), EListError);
    EXPECT_EQ(TRow::live, 1);
  }
  EXPECT_EQ(TRow::live, 0);
}

TEST(Collection, AssignCopiesItemsAndUpdatesOnce) {
  TRow::live = 0;
  {
    TCounted a(nullptr, TCollection::ItemsOf<TRow>());
    TCounted b(nullptr, TCollection::ItemsOf<TRow>());
    As<TRow>(a.Add())->value = 7;
    As<TRow>(a.Add())->value = 8;
    b.Add();
    b.updates = 0;
    b.Assign(&a);
    EXPECT_EQ(b.Count(), 2);
    EXPECT_EQ(b.ItemAs<TRow>(1)->value, 8);
    EXPECT_EQ(b.updates, 1);
  }
  EXPECT_EQ(TRow::live, 0);
}

// ---------------------------------------------------------------------------
// Streams

TEST(Streams, MemoryStreamReadsWritesSeeksAndRefusesShortReads) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Size(), 5);
  m.Seek(-2, soEnd);
  char two[2];
  m.ReadBuffer(two, 2);
  EXPECT_EQ(std::string(two, 2), "lo");
  EXPECT_EQ(m.Read(two, 2), 0);
  EXPECT_THROW(m.ReadBuffer(two, 1), EReadError);
  m.SetPosition(7);  // writing past the end fills the gap
  m.WriteBuffer("!", 1);
  EXPECT_EQ(m.Size(), 8);
  EXPECT_EQ(m.Memory()[5], 0);
  EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);
  TStringStream s("abc");
  TMemoryStream copy;
  copy.CopyFrom(s, 0);
  EXPECT_EQ(copy.Size(), 3);
  TStringStream out;
  out.CopyFrom(copy, 0);
  EXPECT_EQ(out.DataString(), "abc");
}

TEST(Streams, FileStreamCreatesOpensAndNamesMissingFiles) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string path = std::string(dir) + "kx_stream_test.bin";
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("data", 4);
  }
  {
    TFileStream f(path, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(f.Size(), 4);
    char buf[4];
    f.ReadBuffer(buf, 4);
    EXPECT_EQ(std::string(buf, 4), "data");
    EXPECT_THROW(TFileStream(path, fmOpenWrite | fmShareExclusive), EFOpenError);
  }
  DeleteFileA(path.c_str());
  try {
    TFileStream f(path, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + path);
  }
  EXPECT_THROW(TFileStream(std::string(dir) + "no\\such\\dir\\x.bin", fmCreate), EFCreateError);
  EXPECT_THROW(TResourceStream(nullptr, "NO_SUCH_RESOURCE", MAKEINTRESOURCEA(10)), EResNotFound);
}

TEST(Streams, SavingReplacesWholeOrLeavesTheOldFile) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string folder = std::string(dir) + "kx_save_test";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\list.txt";
  TStringList list;
  list.SetText("old");
  list.SaveToFile(path);
  list.SetText("new\nlines");
  list.SaveToFile(path);
  TStringList back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.Text(), "new\r\nlines\r\n");

  // A target that cannot be replaced (held open without sharing) keeps its
  // content, and no temporary stays behind.
  {
    TFileStream holder(path, fmOpenRead | fmShareExclusive);
    list.SetText("lost");
    EXPECT_THROW(list.SaveToFile(path), EFCreateError);
  }
  back.LoadFromFile(path);
  EXPECT_EQ(back.Text(), "new\r\nlines\r\n");
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\*.tmp").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << found.cFileName;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  EXPECT_THROW(list.SaveToFile(folder + "\\missing\\x.txt"), EFCreateError);

  DeleteFileA(path.c_str());
  RemoveDirectoryA(folder.c_str());
}

// ---------------------------------------------------------------------------
// TCVN3

// Every letter TCVN3 holds, as UTF-8, and its byte.
struct Letter {
  const char* utf8;
  unsigned char byte;
};
const Letter kLetters[] = {
    {"Ă", 0xA1}, {"Â", 0xA2}, {"Ê", 0xA3}, {"Ô", 0xA4}, {"Ơ", 0xA5}, {"Ư", 0xA6}, {"Đ", 0xA7}, {"ă", 0xA8}, {"â", 0xA9},
    {"ê", 0xAA}, {"ô", 0xAB}, {"ơ", 0xAC}, {"ư", 0xAD}, {"đ", 0xAE}, {"à", 0xB5}, {"ả", 0xB6}, {"ã", 0xB7}, {"á", 0xB8},
    {"ạ", 0xB9}, {"ằ", 0xBB}, {"ẳ", 0xBC}, {"ẵ", 0xBD}, {"ắ", 0xBE}, {"ặ", 0xC6}, {"ầ", 0xC7}, {"ẩ", 0xC8}, {"ẫ", 0xC9},
    {"ấ", 0xCA}, {"ậ", 0xCB}, {"è", 0xCC}, {"ẻ", 0xCE}, {"ẽ", 0xCF}, {"é", 0xD0}, {"ẹ", 0xD1}, {"ề", 0xD2}, {"ể", 0xD3},
    {"ễ", 0xD4}, {"ế", 0xD5}, {"ệ", 0xD6}, {"ì", 0xD7}, {"ỉ", 0xD8}, {"ĩ", 0xDC}, {"í", 0xDD}, {"ị", 0xDE}, {"ò", 0xDF},
    {"ỏ", 0xE1}, {"õ", 0xE2}, {"ó", 0xE3}, {"ọ", 0xE4}, {"ồ", 0xE5}, {"ổ", 0xE6}, {"ỗ", 0xE7}, {"ố", 0xE8}, {"ộ", 0xE9},
    {"ờ", 0xEA}, {"ở", 0xEB}, {"ỡ", 0xEC}, {"ớ", 0xED}, {"ợ", 0xEE}, {"ù", 0xEF}, {"ủ", 0xF1}, {"ũ", 0xF2}, {"ú", 0xF3},
    {"ụ", 0xF4}, {"ừ", 0xF5}, {"ử", 0xF6}, {"ữ", 0xF7}, {"ứ", 0xF8}, {"ự", 0xF9}, {"ỳ", 0xFA}, {"ỷ", 0xFB}, {"ỹ", 0xFC},
    {"ý", 0xFD}, {"ỵ", 0xFE},
};

TEST(Tcvn3, EveryLetterConvertsBothWays) {
  std::string allUtf8, allBytes;
  for (const Letter& l : kLetters) {
    std::string out;
    ASSERT_TRUE(Utf8ToTcvn3(l.utf8, out)) << l.utf8;
    EXPECT_EQ(out, std::string(1, char(l.byte))) << l.utf8;
    EXPECT_EQ(Tcvn3ToUtf8(out), l.utf8);
    allUtf8 += l.utf8;
    allBytes += char(l.byte);
  }
  std::string out;
  ASSERT_TRUE(
      Utf8ToTcvn3("Kh\xC3\xB4ng x\xC3\xA1"
                  "c \xC4\x91\xE1\xBB\x8Bnh " +
                      allUtf8,
                  out));
  EXPECT_EQ(out,
            "Kh\xABng x\xB8"
            "c \xAE\xDEnh " +
                allBytes);
  // ASCII passes unchanged, control characters included.
  for (int c = 0; c < 0x80; ++c) {
    ASSERT_TRUE(Utf8ToTcvn3(std::string(1, char(c)), out));
    EXPECT_EQ(out, std::string(1, char(c)));
  }
  // Bytes the table leaves empty read back as the replacement character.
  int empty = 0;
  for (int b = 0x80; b < 0x100; ++b)
    if (Tcvn3ToCodePoint(static_cast<unsigned char>(b)) == U'\uFFFD') ++empty;
  EXPECT_EQ(empty, 128 - 74);
}

TEST(Tcvn3, RefusesWhatItCannotHoldAndSaysWhere) {
  const struct {
    const char* text;
    size_t offset;
    char32_t cp;
  } cases[] = {
      {"ab\xE1\xBA\xA4", 2, U'Ấ'},  // a capital with a tone mark
      {"x\xE2\x82\xAC", 1, U'€'},   // outside the Vietnamese letters
      {"a\xCC\x81", 1, 0x301},      // a combining accent on its own
      {"ok\xC3", 2, 0},             // truncated sequence
      {"\xC0\x80", 0, 0},           // overlong encoding
      {"\xED\xA0\x80", 0, 0},       // surrogate
  };
  for (const auto& c : cases) {
    std::string out;
    TTcvn3Error error;
    EXPECT_FALSE(Utf8ToTcvn3(c.text, out, &error)) << c.text;
    EXPECT_EQ(error.Offset, c.offset) << c.text;
    EXPECT_EQ(error.CodePoint, c.cp) << c.text;
  }
}

}  // namespace
}  // namespace kx
