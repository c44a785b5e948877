#include "framework/windows/ValEdit.h"

#include <algorithm>

namespace kx {

KX_PUBLISH(TValueListEditor) {
  p.Property("KeyOptions", &TValueListEditor::KeyOptions, &TValueListEditor::SetKeyOptions);
  p.Property("Strings", &TValueListEditor::Strings, &TValueListEditor::SetStrings);
  p.Property("TitleCaptions", &TValueListEditor::TitleCaptions, &TValueListEditor::SetTitleCaptions);
}

TValueListEditor::TValueListEditor(TComponent* owner)
    : TStringGrid(owner), strings_(std::make_unique<TStringList>()), titles_(std::make_unique<TStringList>()) {
  SetColCount(2);
  SetFixedCols(0);
  SetRowCount(2);
  SetFixedRows(1);
  SetDefaultColWidth(150);
  SetOptions(Options() + TGridOptions{goEditing, goAlwaysShowEditor, goThumbTracking});
  titles_->Add("Key");
  titles_->Add("Value");
  titles_->OnChange = TNotifyEvent([this](TObject*) {
    for (int c = 0; c < 2; ++c) SetCells(c, 0, c < titles_->Count() ? titles_->Get(c) : "");
  });
  SetCells(0, 0, "Key");
  SetCells(1, 0, "Value");
  strings_->OnChange = TNotifyEvent([this](TObject*) {
    if (!syncing_) StringsToCells();
  });
}

TValueListEditor::~TValueListEditor() = default;

void TValueListEditor::StringsToCells() {
  syncing_ = true;
  const int n = strings_->Count();
  SetRowCount(std::max(n, 1) + 1);
  for (int i = 0; i < std::max(n, 1); ++i) {
    std::string key, value;
    if (i < n) {
      const std::string line = strings_->Get(i);
      const size_t eq = line.find('=');
      key = line.substr(0, eq);
      if (eq != std::string::npos) value = line.substr(eq + 1);
    }
    SetCells(0, i + 1, key);
    SetCells(1, i + 1, value);
  }
  syncing_ = false;
}

void TValueListEditor::CellsToStrings() {
  syncing_ = true;
  {
    TUpdateScope update(*strings_);
    strings_->Clear();
    for (int r = 1; r < RowCount(); ++r) {
      if (r == 1 && RowCount() == 2 && Cells(0, 1).empty() && Cells(1, 1).empty()) break;
      strings_->Add(Cells(0, r) + "=" + Cells(1, r));
    }
  }
  syncing_ = false;
}

void TValueListEditor::SetKeys(int row, const std::string& key) {
  SetCells(0, row, key);
  CellsToStrings();
}

std::string TValueListEditor::Values(const std::string& key) const {
  for (int r = 1; r < RowCount(); ++r)
    if (SameText(Cells(0, r), key)) return Cells(1, r);
  return {};
}

void TValueListEditor::SetValues(const std::string& key, const std::string& value) {
  for (int r = 1; r < RowCount(); ++r) {
    if (SameText(Cells(0, r), key)) {
      SetCells(1, r, value);
      CellsToStrings();
      return;
    }
  }
  InsertRow(key, value, true);
}

int TValueListEditor::InsertRow(const std::string& key, const std::string& value, bool append) {
  // A single empty row is the placeholder of an empty list.
  const bool empty = strings_->Count() == 0;
  int at = empty ? 0 : append ? strings_->Count() : std::max(Row() - 1, 0);
  syncing_ = true;
  strings_->Insert(at, key + "=" + value);
  syncing_ = false;
  StringsToCells();
  return at + 1;
}

void TValueListEditor::DeleteRow(int row) {
  if (row < 1 || row >= RowCount()) throw EInvalidOperation("Grid index out of range");
  if (row - 1 < strings_->Count()) {
    syncing_ = true;
    strings_->Delete(row - 1);
    syncing_ = false;
  }
  StringsToCells();
}

void TValueListEditor::SetEditText(int col, int row, const std::string& text) {
  TStringGrid::SetEditText(col, row, text);
  CellsToStrings();
}

bool TValueListEditor::CanEditCell(int col, int row) const {
  if (col == 0 && !keyOptions_.Contains(keyEdit)) return false;
  return TStringGrid::CanEditCell(col, row);
}

void TValueListEditor::KeyDown(WORD& key, TShiftState shift) {
  // Down on the last row adds a row; Insert inserts one; Ctrl+Delete deletes.
  if (key == VK_DOWN && Row() == RowCount() - 1 && keyOptions_.Contains(keyAdd)) {
    if (!Cells(0, Row()).empty() || !Cells(1, Row()).empty()) {
      CellsToStrings();
      SetRow(InsertRow("", "", true));
    }
    key = 0;
    return;
  }
  if (key == VK_INSERT && keyOptions_.Contains(keyAdd)) {
    CellsToStrings();
    SetRow(InsertRow("", "", false));
    key = 0;
    return;
  }
  if (key == VK_DELETE && shift.Contains(ssCtrl) && keyOptions_.Contains(keyDelete)) {
    DeleteRow(Row());
    key = 0;
    return;
  }
  TStringGrid::KeyDown(key, shift);
}

}  // namespace kx
