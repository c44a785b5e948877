#include "framework/core/Lists.h"

#include "framework/core/Filer.h"
#include "framework/core/Streams.h"

#include <algorithm>

namespace kx {

KX_PUBLISH(TList) {}
KX_PUBLISH(TStrings) {}
KX_PUBLISH(TStringList) {
  p.Property("Sorted", &TStringList::Sorted, &TStringList::SetSorted);
  p.Property("Duplicates", &TStringList::Duplicates, &TStringList::SetDuplicates);
  p.Property("CaseSensitive", &TStringList::CaseSensitive, &TStringList::SetCaseSensitive);
}

namespace {
std::string OutOfBounds(int index) { return "List index out of bounds (" + std::to_string(index) + ")"; }
int CompareText(std::string_view a, std::string_view b, bool caseSensitive) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (!caseSensitive) {
      if (x >= 'a' && x <= 'z') x = x - 'a' + 'A';
      if (y >= 'a' && y <= 'z') y = y - 'a' + 'A';
    }
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}
}  // namespace

// ---------------------------------------------------------------------------
// TList

void TList::Check(int index, int limit) const {
  if (index < 0 || index > limit) throw EListError(OutOfBounds(index));
}

void* TList::Items(int index) const {
  Check(index, Count() - 1);
  return items_[size_t(index)];
}

void TList::SetItems(int index, void* item) {
  Check(index, Count() - 1);
  items_[size_t(index)] = item;
}

int TList::Add(void* item) {
  items_.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  Check(index, Count());
  items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index) {
  Check(index, Count() - 1);
  items_.erase(items_.begin() + index);
}

int TList::Remove(void* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) { return Remove(item) >= 0 ? item : nullptr; }

int TList::IndexOf(const void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : int(it - items_.begin());
}

void TList::Move(int from, int to) {
  if (from == to) return;
  Check(from, Count() - 1);
  Check(to, Count() - 1);
  void* item = items_[size_t(from)];
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, item);
}

void TList::Exchange(int a, int b) {
  Check(a, Count() - 1);
  Check(b, Count() - 1);
  std::swap(items_[size_t(a)], items_[size_t(b)]);
}

void TList::Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }

void TList::Sort(const TCompare& compare) {
  std::stable_sort(items_.begin(), items_.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

// ---------------------------------------------------------------------------
// TStrings

void TStrings::Error(const char* message, int index) const {
  throw EStringListError(std::string(message) + " (" + std::to_string(index) + ")");
}

void TStrings::Put(int index, const std::string& s) {
  TObject* obj = GetObject(index);
  Delete(index);
  InsertObject(index, s, obj);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const std::string& s, TObject* obj) {
  Insert(index, s);
  PutObject(index, obj);
}

int TStrings::Add(const std::string& s) {
  const int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* obj) {
  const int index = Add(s);
  PutObject(index, obj);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  TUpdateScope update(*this);
  for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
}

void TStrings::Exchange(int a, int b) {
  TUpdateScope update(*this);
  const std::string sa = Get(a), sb = Get(b);
  TObject* oa = GetObject(a);
  TObject* ob = GetObject(b);
  Put(a, sb);
  PutObject(a, ob);
  Put(b, sa);
  PutObject(b, oa);
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  TUpdateScope update(*this);
  const std::string s = Get(from);
  TObject* obj = GetObject(from);
  Delete(from);
  InsertObject(to, s, obj);
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Get(i), s)) return i;
  return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string line = Get(i);
    const size_t eq = line.find('=');
    if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), name)) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == obj) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  TUpdateScope update(*this);
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    Add(std::string(text.substr(start, end - start)));
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    start = end;
  }
}

std::string TStrings::Names(int index) const {
  const std::string line = Get(index);
  const size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::Values(std::string_view name) const {
  const int i = IndexOfName(name);
  if (i < 0) return {};
  const std::string line = Get(i);
  return line.substr(line.find('=') + 1);
}

void TStrings::SetValue(std::string_view name, const std::string& value) {
  const int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i >= 0) {
    Put(i, std::string(name) + "=" + value);
  } else {
    Add(std::string(name) + "=" + value);
  }
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

void TStrings::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TStrings*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  TUpdateScope update(*this);
  Clear();
  AddStrings(*other);
}

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Strings",
      [this](TReader& reader) {
        reader.ReadListBegin();
        {
          TUpdateScope update(*this);
          Clear();
          while (!reader.EndOfList()) Add(reader.ReadString());
        }
        reader.ReadListEnd();
      },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (int i = 0; i < Count(); ++i) writer.WriteString(Get(i));
        writer.WriteListEnd();
      },
      Count() > 0);
}

void TStrings::LoadFromStream(TStream& stream) {
  const int64_t size = stream.Size() - stream.Position();
  std::string text(size_t(std::max<int64_t>(size, 0)), '\0');
  if (!text.empty()) stream.ReadBuffer(text.data(), int32_t(text.size()));
  SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
  const std::string text = Text();
  stream.WriteBuffer(text.data(), int32_t(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const { SaveToFileSafely(fileName, Text()); }

// ---------------------------------------------------------------------------
// TStringList

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) Error("List index out of bounds", index);
}

int TStringList::Compare(const std::string& a, const std::string& b) const { return CompareText(a, b, caseSensitive_); }

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[size_t(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(index);
  Changing();
  items_[size_t(index)].text = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[size_t(index)].object;
}

void TStringList::PutObject(int index, TObject* obj) {
  CheckIndex(index);
  Changing();
  items_[size_t(index)].object = obj;
  Changed();
}

void TStringList::InsertItem(int index, const std::string& s, TObject* obj) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, obj});
  Changed();
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* obj) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  if (index < 0 || index > Count()) Error("List index out of bounds", index);
  InsertItem(index, s, obj);
}

int TStringList::Add(const std::string& s) {
  if (!sorted_) {
    InsertItem(Count(), s, nullptr);
    return Count() - 1;
  }
  int index;
  if (Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, s, nullptr);
  return index;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::Exchange(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  Changing();
  std::swap(items_[size_t(a)], items_[size_t(b)]);
  Changed();
}

int TStringList::IndexOf(const std::string& s) const {
  if (!sorted_) {
    for (int i = 0; i < Count(); ++i)
      if (Compare(items_[size_t(i)].text, s) == 0) return i;
    return -1;
  }
  int index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = Compare(items_[size_t(mid)].text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool on) {
  if (on == caseSensitive_) return;
  caseSensitive_ = on;
  if (sorted_) Sort();
}

void TStringList::Sort() {
  CustomSort([](TStringList& list, int a, int b) {
    return list.Compare(list.items_[size_t(a)].text, list.items_[size_t(b)].text);
  });
}

void TStringList::CustomSort(const TCompare& compare) {
  if (Count() < 2) return;
  Changing();
  // Sort positions, then rebuild, so the comparison sees indexes as documented.
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(items_[size_t(i)]);
  items_ = std::move(sorted);
  Changed();
}

void TStringList::Changing() {
  if (UpdateCount() == 0) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  // One notice pair brackets a whole update.
  if (updating)
    OnChanging(this);
  else
    OnChange(this);
}

}  // namespace kx
