// TList (untyped pointers), TStrings (abstract list of strings with objects)
// and TStringList.
#pragma once

#include "framework/core/Classes.h"

#include <functional>
#include <string>
#include <vector>

namespace kx {

class TStream;

// A list of untyped pointers; EListError "List index out of bounds (i)".
class TList : public TObject {
  KX_CLASS(TList, TObject)
 public:
  using TCompare = std::function<int(void*, void*)>;
  TList() = default;
  int Count() const { return int(items_.size()); }
  void* Items(int index) const;
  void SetItems(int index, void* item);
  template <class T>
  T* ItemAs(int index) const {
    return static_cast<T*>(Items(index));
  }
  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  int Remove(void* item);  // index it had, -1 when absent
  void* Extract(void* item);
  int IndexOf(const void* item) const;
  void Move(int from, int to);
  void Exchange(int a, int b);
  void Clear() { items_.clear(); }
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  void Pack();  // drops nil entries
  // Stable sort by a comparison returning <0, 0, >0.
  void Sort(const TCompare& compare);

 private:
  void Check(int index, int limit) const;
  std::vector<void*> items_;
};

class TStrings : public TPersistent {
  KX_CLASS(TStrings, TPersistent)
 public:
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* obj);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void InsertObject(int index, const std::string& s, TObject* obj);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const std::string& s);
  int AddObject(const std::string& s, TObject* obj);
  void AddStrings(const TStrings& other);
  virtual void Exchange(int a, int b);
  virtual void Move(int from, int to);
  // Case-insensitive by default, as list lookups of names are.
  virtual int IndexOf(const std::string& s) const;
  int IndexOfName(std::string_view name) const;
  int IndexOfObject(const TObject* obj) const;

  std::string Strings(int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }

  // Lines end with CR LF; SetText splits at CR LF, LF or CR.
  std::string Text() const;
  virtual void SetText(std::string_view text);
  // "Name=Value" lines.
  std::string Names(int index) const;
  std::string Values(std::string_view name) const;
  void SetValue(std::string_view name, const std::string& value);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  bool Equals(const TStrings& other) const;
  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 protected:
  virtual void SetUpdateState(bool updating);
  [[noreturn]] void Error(const char* message, int index) const;

 private:
  int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };
KX_ENUM_NAMES(TDuplicates, "dupIgnore", "dupAccept", "dupError")

class TStringList : public TStrings {
  KX_CLASS(TStringList, TStrings)
 public:
  using TCompare = std::function<int(TStringList&, int, int)>;
  TStringList() = default;

  int Count() const override { return int(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* obj) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* obj) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;
  void Exchange(int a, int b) override;
  int IndexOf(const std::string& s) const override;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates d) { duplicates_ = d; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool on);
  // Binary search of a sorted list: true when found; index is where it is or would go.
  bool Find(const std::string& s, int& index) const;
  void Sort();
  void CustomSort(const TCompare& compare);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool updating) override;

 private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  int Compare(const std::string& a, const std::string& b) const;
  void InsertItem(int index, const std::string& s, TObject* obj);
  void CheckIndex(int index) const;
  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

}  // namespace kx
