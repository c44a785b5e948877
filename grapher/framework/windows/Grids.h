// Grids: a self-drawn grid of cells with fixed rows and columns, keyboard
// and mouse selection and an in-place editor; the string grid keeps a text
// per cell.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Controls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"

namespace kx {

class TEdit;

enum TGridOption {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking
};
KX_ENUM_NAMES(TGridOption, "goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
              "goDrawFocusSelected", "goRowSizing", "goColSizing", "goEditing", "goTabs", "goRowSelect",
              "goAlwaysShowEditor", "goThumbTracking")
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
KX_ENUM_NAMES(TGridDrawStateFlag, "gdSelected", "gdFocused", "gdFixed")
using TGridDrawState = TSet<TGridDrawStateFlag>;

using TDrawCellEvent = TEvent<TObject*, int, int, RECT, TGridDrawState>;
using TSelectCellEvent = TEvent<TObject*, int, int, bool&>;
// Column or row moved from one index to another.
using TMovedEvent = TEvent<TObject*, int, int>;
// Column, row and the edit mask or text of that cell.
using TGetEditEvent = TEvent<TObject*, int, int, std::string&>;
using TSetEditEvent = TEvent<TObject*, int, int, const std::string&>;

class TCustomGrid : public TCustomControl {
  KX_CLASS(TCustomGrid, TCustomControl)
 public:
  explicit TCustomGrid(TComponent* owner);
  ~TCustomGrid() override;

  int ColCount() const { return colCount_; }
  virtual void SetColCount(int n);
  int RowCount() const { return rowCount_; }
  virtual void SetRowCount(int n);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int n);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int n);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int w);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int h);
  int ColWidths(int col) const;
  void SetColWidths(int col, int w);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int h);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor c) {
    fixedColor_ = c;
    Invalidate();
  }
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions o) {
    options_ = o;
    Invalidate();
  }
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool on) { defaultDrawing_ = on; }
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int w) {
    gridLineWidth_ = std::max(0, w);
    Invalidate();
  }
  // bsSingle (a sunken edge) or bsNone.
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  // The grid scrolls its rows only: a style without the vertical bar hides it.
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  // Scrollable columns and rows that fit whole in the view.
  int VisibleColCount() const;
  int VisibleRowCount() const;

  int Col() const { return col_; }
  void SetCol(int c) { MoveTo(c, row_); }
  int Row() const { return row_; }
  void SetRow(int r) { MoveTo(col_, r); }
  int TopRow() const { return topRow_; }
  RECT CellRect(int col, int row) const;
  // The cell under a client point; false outside the cells.
  bool MouseToCell(int x, int y, int& col, int& row) const;
  bool EditorMode() const;
  void SetEditorMode(bool on);

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  // The text the cell editor starts with and the text it leaves.
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  // The first scrolled row changed.
  TNotifyEvent OnTopLeftChanged;
  // Kept for form resources: the grid neither moves columns or rows nor
  // asks for edit masks.
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  TGetEditEvent OnGetEditMask;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void WndProc(TMessage& m) override;
  void CreateWnd() override;
  void Resize() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual void DrawCell(int col, int row, RECT rect, TGridDrawState state);
  virtual std::string GetEditText(int col, int row) const;
  virtual void SetEditText(int col, int row, const std::string& text);
  virtual bool CanEditCell(int col, int row) const;
  // Moves the current cell; false when OnSelectCell refuses.
  bool MoveTo(int col, int row);
  // The number of rows or columns changed.
  virtual void SizeChanged() {}

 private:
  void ShowEditor();
  void HideEditor(bool commit);
  void ScrollInView();
  // The last top row that still fills the view; the fixed rows' when all rows fit.
  int MaxTopRow() const;
  void UpdateScrollBar();

  int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
  int defaultColWidth_ = 64, defaultRowHeight_ = 24;
  std::vector<int> colWidths_, rowHeights_;
  TColor fixedColor_ = clBtnFace;
  TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  bool defaultDrawing_ = true;
  int gridLineWidth_ = 1;
  TFormBorderStyle borderStyle_ = bsSingle;
  TScrollStyle scrollBars_ = ssBoth;
  int reportedTopRow_ = 1;
  int col_ = 1, row_ = 1, topRow_ = 1;
  TEdit* editor_ = nullptr;
  int editCol_ = -1, editRow_ = -1;
};

// A grid whose cells the program paints in OnDrawCell.
class TCustomDrawGrid : public TCustomGrid {
  KX_CLASS(TCustomDrawGrid, TCustomGrid)
 public:
  explicit TCustomDrawGrid(TComponent* owner) : TCustomGrid(owner) {}
};

class TDrawGrid : public TCustomDrawGrid {
  KX_CLASS(TDrawGrid, TCustomDrawGrid)
 public:
  explicit TDrawGrid(TComponent* owner) : TCustomDrawGrid(owner) {}
};

class TStringGrid : public TCustomGrid {
  KX_CLASS(TStringGrid, TCustomGrid)
 public:
  explicit TStringGrid(TComponent* owner);
  std::string Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);

 protected:
  void DrawCell(int col, int row, RECT rect, TGridDrawState state) override;
  std::string GetEditText(int col, int row) const override;
  void SetEditText(int col, int row, const std::string& text) override;
  void SizeChanged() override;

 private:
  std::vector<std::vector<std::string>> cells_;  // [row][col]
};

}  // namespace kx
