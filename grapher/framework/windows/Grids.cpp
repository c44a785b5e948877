#include "framework/windows/Grids.h"

#include <algorithm>
#include <functional>

#include "framework/windows/StdCtrls.h"

namespace kx {

KX_PUBLISH(TCustomGrid) {
  p.Property("ColCount", &TCustomGrid::ColCount, &TCustomGrid::SetColCount);
  p.Property("DefaultColWidth", &TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth);
  p.Property("DefaultDrawing", &TCustomGrid::DefaultDrawing, &TCustomGrid::SetDefaultDrawing);
  p.Property("DefaultRowHeight", &TCustomGrid::DefaultRowHeight, &TCustomGrid::SetDefaultRowHeight);
  p.Color("FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor);
  p.Property("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols);
  p.Property("FixedRows", &TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows);
  p.Property("Options", &TCustomGrid::Options, &TCustomGrid::SetOptions);
  p.Property("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount);
  p.Property("BorderStyle", &TCustomGrid::BorderStyle, &TCustomGrid::SetBorderStyle).Default(bsSingle);
  p.Property("GridLineWidth", &TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth).Default(1);
  p.Property("ScrollBars", &TCustomGrid::ScrollBars, &TCustomGrid::SetScrollBars).Default(ssBoth);
  p.Property("VisibleColCount", &TCustomGrid::VisibleColCount, nullptr);
  p.Property("VisibleRowCount", &TCustomGrid::VisibleRowCount, nullptr);
  p.Field("OnDrawCell", &TCustomGrid::OnDrawCell);
  p.Field("OnSelectCell", &TCustomGrid::OnSelectCell);
  p.Field("OnColumnMoved", &TCustomGrid::OnColumnMoved);
  p.Field("OnGetEditMask", &TCustomGrid::OnGetEditMask);
  p.Field("OnGetEditText", &TCustomGrid::OnGetEditText);
  p.Field("OnRowMoved", &TCustomGrid::OnRowMoved);
  p.Field("OnSetEditText", &TCustomGrid::OnSetEditText);
  p.Field("OnTopLeftChanged", &TCustomGrid::OnTopLeftChanged);
}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
  if (borderStyle_ != bsNone) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::SetBorderStyle(TFormBorderStyle style) {
  style = style == bsNone ? bsNone : bsSingle;
  if (style == borderStyle_) return;
  borderStyle_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetScrollBars(TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetColCount(int n) {
  n = std::max(n, fixedCols_ + 1);
  if (n == colCount_) return;
  colCount_ = n;
  colWidths_.resize(static_cast<size_t>(n), defaultColWidth_);
  if (col_ >= n) col_ = n - 1;
  SizeChanged();
  UpdateScrollBar();
  Invalidate();
}

void TCustomGrid::SetRowCount(int n) {
  n = std::max(n, fixedRows_ + 1);
  if (n == rowCount_) return;
  rowCount_ = n;
  rowHeights_.resize(static_cast<size_t>(n), defaultRowHeight_);
  if (row_ >= n) row_ = n - 1;
  topRow_ = std::clamp(topRow_, fixedRows_, n - 1);
  SizeChanged();
  UpdateScrollBar();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int n) {
  fixedCols_ = std::clamp(n, 0, colCount_ - 1);
  col_ = std::max(col_, fixedCols_);
  Invalidate();
}

void TCustomGrid::SetFixedRows(int n) {
  fixedRows_ = std::clamp(n, 0, rowCount_ - 1);
  // The scrolled rows start again at the first one below the fixed rows,
  // and the current cell moves there: fewer fixed rows show rows that would
  // otherwise stay above the top.
  row_ = topRow_ = fixedRows_;
  UpdateScrollBar();
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int w) {
  defaultColWidth_ = w;
  colWidths_.assign(static_cast<size_t>(colCount_), w);
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int h) {
  defaultRowHeight_ = h;
  rowHeights_.assign(static_cast<size_t>(rowCount_), h);
  UpdateScrollBar();
  Invalidate();
}

int TCustomGrid::ColWidths(int col) const {
  return col >= 0 && static_cast<size_t>(col) < colWidths_.size() ? colWidths_[static_cast<size_t>(col)]
                                                                  : defaultColWidth_;
}

void TCustomGrid::SetColWidths(int col, int w) {
  if (col < 0 || col >= colCount_) throw EInvalidOperation("Grid index out of range");
  colWidths_.resize(static_cast<size_t>(colCount_), defaultColWidth_);
  colWidths_[static_cast<size_t>(col)] = w;
  Invalidate();
}

int TCustomGrid::RowHeights(int row) const {
  return row >= 0 && static_cast<size_t>(row) < rowHeights_.size() ? rowHeights_[static_cast<size_t>(row)]
                                                                   : defaultRowHeight_;
}

void TCustomGrid::SetRowHeights(int row, int h) {
  if (row < 0 || row >= rowCount_) throw EInvalidOperation("Grid index out of range");
  rowHeights_.resize(static_cast<size_t>(rowCount_), defaultRowHeight_);
  rowHeights_[static_cast<size_t>(row)] = h;
  Invalidate();
}

RECT TCustomGrid::CellRect(int col, int row) const {
  // Fixed rows stay at the top; scrolled rows start at TopRow.
  int x = 0;
  for (int c = 0; c < col; ++c) x += ColWidths(c) + GridLineWidth();
  int y = 0;
  if (row < fixedRows_) {
    for (int r = 0; r < row; ++r) y += RowHeights(r) + GridLineWidth();
  } else {
    if (row < topRow_) return RECT{0, 0, 0, 0};
    for (int r = 0; r < fixedRows_; ++r) y += RowHeights(r) + GridLineWidth();
    for (int r = topRow_; r < row; ++r) y += RowHeights(r) + GridLineWidth();
  }
  return RECT{x, y, x + ColWidths(col), y + RowHeights(row)};
}

bool TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
  for (int r = 0; r < rowCount_; ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    for (int c = 0; c < colCount_; ++c) {
      const RECT cell = CellRect(c, r);
      if (x >= cell.left && x < cell.right + GridLineWidth() && y >= cell.top && y < cell.bottom + GridLineWidth()) {
        col = c;
        row = r;
        return true;
      }
    }
  }
  return false;
}

void TCustomGrid::Paint() {
  TCanvas& c = *Canvas();
  const RECT client = ClientRect();
  c.Brush()->SetColor(Color());
  c.FillRect(client);
  c.Font()->Assign(Font());
  for (int r = 0; r < rowCount_; ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    for (int col = 0; col < colCount_; ++col) {
      const RECT cell = CellRect(col, r);
      if (cell.top >= client.bottom) break;
      if (cell.left >= client.right) break;
      TGridDrawState state;
      const bool fixed = r < fixedRows_ || col < fixedCols_;
      if (fixed) state.Include(gdFixed);
      const bool current = options_.Contains(goRowSelect) ? r == row_ : (r == row_ && col == col_);
      if (!fixed && current) {
        state.Include(gdSelected);
        if (Focused()) state.Include(gdFocused);
      }
      if (defaultDrawing_) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(fixed ? fixedColor_ : state.Contains(gdSelected) ? clHighlight : Color());
        c.Font()->SetColor(state.Contains(gdSelected) && !fixed ? clHighlightText : Font()->Color());
        c.FillRect(cell);
      }
      DrawCell(col, r, cell, state);
      if (state.Contains(gdFocused) && defaultDrawing_) DrawFocusRect(c.Handle(), &cell);
      // Grid lines right of and below the cell.
      c.Pen()->SetColor(fixed ? clBtnShadow : clSilver);
      const bool vert = options_.Contains(fixed ? goFixedVertLine : goVertLine);
      const bool horz = options_.Contains(fixed ? goFixedHorzLine : goHorzLine);
      if (vert) {
        c.MoveTo(cell.right, cell.top);
        c.LineTo(cell.right, cell.bottom + 1);
      }
      if (horz) {
        c.MoveTo(cell.left, cell.bottom);
        c.LineTo(cell.right + 1, cell.bottom);
      }
    }
  }
}

void TCustomGrid::DrawCell(int col, int row, RECT rect, TGridDrawState state) {
  OnDrawCell(this, col, row, rect, state);
}

std::string TCustomGrid::GetEditText(int col, int row) const {
  std::string text;
  OnGetEditText(const_cast<TCustomGrid*>(this), col, row, text);
  return text;
}

void TCustomGrid::SetEditText(int col, int row, const std::string& text) { OnSetEditText(this, col, row, text); }

bool TCustomGrid::CanEditCell(int col, int row) const {
  return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && col >= fixedCols_ && row >= fixedRows_;
}

bool TCustomGrid::MoveTo(int col, int row) {
  col = std::clamp(col, fixedCols_, colCount_ - 1);
  row = std::clamp(row, fixedRows_, rowCount_ - 1);
  if (col == col_ && row == row_) return true;
  bool can = true;
  OnSelectCell(this, col, row, can);
  if (!can) return false;
  HideEditor(true);
  col_ = col;
  row_ = row;
  ScrollInView();
  Invalidate();
  return true;
}

void TCustomGrid::ScrollInView() {
  if (row_ < topRow_) topRow_ = row_;
  const RECT client = ClientRect();
  while (topRow_ < row_ && CellRect(col_, row_).bottom > client.bottom) ++topRow_;
  UpdateScrollBar();
}

int TCustomGrid::MaxTopRow() const {
  int view = ClientRect().bottom;
  for (int r = 0; r < fixedRows_; ++r) view -= RowHeights(r) + GridLineWidth();
  int top = rowCount_ - 1;
  int used = RowHeights(top) + GridLineWidth();
  while (top > fixedRows_ && used + RowHeights(top - 1) + GridLineWidth() <= view) {
    --top;
    used += RowHeights(top) + GridLineWidth();
  }
  return std::max(top, fixedRows_);
}

namespace {

// How many of the sizes, taken from `first` on, fit whole into `view`
// pixels after the fixed ones.
int FittingCount(int first, int count, int fixed, int view, int line, const std::function<int(int)>& size) {
  for (int i = 0; i < fixed; ++i) view -= size(i) + line;
  int fitting = 0;
  for (int i = first; i < count && view >= size(i) + line; ++i, ++fitting) view -= size(i) + line;
  return fitting;
}

}  // namespace

int TCustomGrid::VisibleColCount() const {
  return FittingCount(fixedCols_, colCount_, fixedCols_, ClientRect().right, gridLineWidth_,
                      [this](int c) { return ColWidths(c); });
}

int TCustomGrid::VisibleRowCount() const {
  return FittingCount(topRow_, rowCount_, fixedRows_, ClientRect().bottom, gridLineWidth_,
                      [this](int r) { return RowHeights(r); });
}

void TCustomGrid::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  // Fewer rows or a taller view bring rows above the top back into reach.
  topRow_ = std::min(topRow_, MaxTopRow());
  // The page is the rows shown from the last top row, so the bar can scroll
  // no further than that and hides itself when every row fits.
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  si.nMax = std::max(0, rowCount_ - fixedRows_ - 1);
  si.nPage = static_cast<UINT>(rowCount_ - MaxTopRow());
  si.nPos = topRow_ - fixedRows_;
  // Setting the range would make a bar the style left out.
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
  if (topRow_ != reportedTopRow_) {
    reportedTopRow_ = topRow_;
    OnTopLeftChanged(this);
  }
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBar();
}

void TCustomGrid::Resize() {
  TCustomControl::Resize();
  UpdateScrollBar();
}

bool TCustomGrid::EditorMode() const { return editor_ && editor_->Visible(); }

void TCustomGrid::SetEditorMode(bool on) {
  if (on)
    ShowEditor();
  else
    HideEditor(true);
}

void TCustomGrid::ShowEditor() {
  if (!CanEditCell(col_, row_)) return;
  if (!editor_) {
    editor_ = new TEdit(this);
    editor_->SetVisible(false);
    editor_->SetParent(this);
    editor_->OnKeyDown = TKeyEvent([this](TObject*, WORD& key, TShiftState) {
      if (key == VK_RETURN) {
        HideEditor(true);
        SetFocus();
        key = 0;
      } else if (key == VK_ESCAPE) {
        HideEditor(false);
        SetFocus();
        key = 0;
      } else if (key == VK_UP || key == VK_DOWN) {
        WORD k = key;
        HideEditor(true);
        SetFocus();
        KeyDown(k, TShiftState{});
        key = 0;
      }
    });
    editor_->OnExit = TNotifyEvent([this](TObject*) { HideEditor(true); });
  }
  editCol_ = col_;
  editRow_ = row_;
  const RECT cell = CellRect(col_, row_);
  editor_->SetBounds(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
  editor_->SetText(GetEditText(col_, row_));
  editor_->SetVisible(true);
  editor_->SetFocus();
  editor_->SelectAll();
}

void TCustomGrid::HideEditor(bool commit) {
  if (!editor_ || !editor_->Visible() || editCol_ < 0) return;
  const int col = editCol_, row = editRow_;
  editCol_ = editRow_ = -1;
  const std::string text = editor_->Text();
  editor_->SetVisible(false);
  if (commit) SetEditText(col, row, text);
  Invalidate();
}

void TCustomGrid::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  switch (key) {
    case VK_UP:
      MoveTo(col_, row_ - 1);
      break;
    case VK_DOWN:
      MoveTo(col_, row_ + 1);
      break;
    case VK_LEFT:
      MoveTo(col_ - 1, row_);
      break;
    case VK_RIGHT:
      MoveTo(col_ + 1, row_);
      break;
    case VK_HOME:
      MoveTo(fixedCols_, row_);
      break;
    case VK_END:
      MoveTo(colCount_ - 1, row_);
      break;
    case VK_F2:
    case VK_RETURN:
      ShowEditor();
      break;
    default:
      return;
  }
  key = 0;
}

void TCustomGrid::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (static_cast<unsigned char>(key) >= 32 && CanEditCell(col_, row_)) {
    ShowEditor();
    if (editor_ && editor_->Visible()) {
      editor_->SetText(std::string(1, key));
      editor_->SetSelStart(1);
    }
    key = 0;
  }
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (CanFocus() && !Focused()) SetFocus();
  int col, row;
  if (button == mbLeft && MouseToCell(x, y, col, row) && col >= fixedCols_ && row >= fixedRows_) {
    const bool same = col == col_ && row == row_;
    MoveTo(col, row);
    if (same && shift.Contains(ssDouble)) ShowEditor();
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_VSCROLL: {
      int top = topRow_;
      switch (LOWORD(m.WParam)) {
        case SB_LINEUP:
          --top;
          break;
        case SB_LINEDOWN:
          ++top;
          break;
        case SB_PAGEUP:
          top -= 5;
          break;
        case SB_PAGEDOWN:
          top += 5;
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          top = fixedRows_ + HIWORD(m.WParam);
          break;
        default:
          break;
      }
      topRow_ = std::clamp(top, fixedRows_, MaxTopRow());
      UpdateScrollBar();
      Invalidate();
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      Invalidate();
      return;
    default:
      TCustomControl::WndProc(m);
  }
}

KX_PUBLISH(TCustomDrawGrid) {}
KX_PUBLISH(TDrawGrid) {}

// ---------------------------------------------------------------------------
// TStringGrid

KX_PUBLISH(TStringGrid) {}

TStringGrid::TStringGrid(TComponent* owner) : TCustomGrid(owner) { SizeChanged(); }

void TStringGrid::SizeChanged() {
  cells_.resize(static_cast<size_t>(RowCount()));
  for (auto& row : cells_) row.resize(static_cast<size_t>(ColCount()));
}

std::string TStringGrid::Cells(int col, int row) const {
  if (row < 0 || col < 0 || row >= RowCount() || col >= ColCount()) return {};
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
  if (row < 0 || col < 0 || row >= RowCount() || col >= ColCount()) throw EInvalidOperation("Grid index out of range");
  cells_[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
  if (HandleAllocated()) {
    RECT r = CellRect(col, row);
    InvalidateRect(Handle(), &r, FALSE);
  }
}

std::string TStringGrid::GetEditText(int col, int row) const {
  std::string text = Cells(col, row);
  OnGetEditText(const_cast<TStringGrid*>(this), col, row, text);
  return text;
}

void TStringGrid::SetEditText(int col, int row, const std::string& text) {
  SetCells(col, row, text);
  TCustomGrid::SetEditText(col, row, text);
}

void TStringGrid::DrawCell(int col, int row, RECT rect, TGridDrawState state) {
  if (DefaultDrawing()) {
    const std::string text = Cells(col, row);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->TextRect(rect, rect.left + 2, rect.top + 2, text);
    Canvas()->Brush()->SetStyle(bsSolid);
  }
  TCustomGrid::DrawCell(col, row, rect, state);
}

}  // namespace kx
