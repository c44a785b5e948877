// The value-list editor: a two-column string grid of key/value rows under a
// title row, kept in step with a list of "key=value" strings.
#pragma once

#include <memory>
#include <string>

#include "framework/windows/Grids.h"
#include "framework/core/Lists.h"

namespace kx {

enum TKeyOption { keyEdit, keyAdd, keyDelete, keyUnique };
KX_ENUM_NAMES(TKeyOption, "keyEdit", "keyAdd", "keyDelete", "keyUnique")
using TKeyOptions = TSet<TKeyOption>;

class TValueListEditor : public TStringGrid {
  KX_CLASS(TValueListEditor, TStringGrid)
 public:
  explicit TValueListEditor(TComponent* owner);
  ~TValueListEditor() override;

  // "key=value" per data row, in row order.
  TStrings* Strings() const { return strings_.get(); }
  void SetStrings(TStrings* strings) { strings_->Assign(strings); }
  TStrings* TitleCaptions() const { return titles_.get(); }
  void SetTitleCaptions(TStrings* titles) { titles_->Assign(titles); }
  TKeyOptions KeyOptions() const { return keyOptions_; }
  void SetKeyOptions(TKeyOptions o) { keyOptions_ = o; }

  // Data rows are numbered from 1 (row 0 holds the titles).
  std::string Keys(int row) const { return Cells(0, row); }
  void SetKeys(int row, const std::string& key);
  std::string Values(const std::string& key) const;
  void SetValues(const std::string& key, const std::string& value);
  // Adds a row (at the end, or before the current row); returns its number.
  int InsertRow(const std::string& key, const std::string& value, bool append);
  void DeleteRow(int row);

 protected:
  void KeyDown(WORD& key, TShiftState shift) override;
  void SetEditText(int col, int row, const std::string& text) override;
  bool CanEditCell(int col, int row) const override;

 private:
  void StringsToCells();
  void CellsToStrings();
  std::unique_ptr<TStringList> strings_;
  std::unique_ptr<TStringList> titles_;
  TKeyOptions keyOptions_;
  bool syncing_ = false;
};

}  // namespace kx
