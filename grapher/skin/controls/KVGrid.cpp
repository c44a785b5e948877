#include "skin/controls/KVGrid.h"

#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

namespace {

// The style's colours, in the order a form resource relies on.
template <class Grid>
void ApplyGridStyle(Grid& grid, TkvGridLook& look, TkvUIStyle style) {
  look.UIStyle = style;
  if (style == TkvUIStyle::Custom) return;
  look.BorderColor = ThemeColor(style, 8);
  grid.SetFixedColor(ThemeColor(style, 12));
  grid.SetColor(ThemeColor(style, 9));
  look.FixedFontColor = ThemeColor(style, 13);
  grid.Font()->SetColor(ThemeColor(style, 16));
  grid.Repaint();
}

template <class Grid>
void InitGrid(Grid& grid, TkvGridLook& look, TColor focused) {
  grid.SetControlStyle(grid.ControlStyle() + TControlStyle{csOpaque});
  ApplyGridStyle(grid, look, FormSkinStyle(grid.Owner()));
  look.FocusedColor = focused;
  look.SelectedColor = clYellow;
  grid.SetParentCtl3D(false);
  grid.TControl::SetCtl3D(false);
}

// No sunken edge: a one-pixel border band that the frame covers.
void GridParams(TCreateParams& params) {
  params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
  params.Style |= WS_BORDER;
}

void FillNormalCell(TCanvas& canvas, const TkvGridLook& look, TColor gridColor, const RECT& rect,
                    TGridDrawState state) {
  if (state.Contains(gdFixed)) return;
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(SkinnedCellColor(look, gridColor, state));
  canvas.FillRect(rect);
}

template <class Grid>
void PublishGrid(TPublisher<Grid>& p) {
  p.Property("UIStyle", &Grid::UIStyle, &Grid::SetUIStyle);
  p.Color("BorderColor", &Grid::BorderColor, &Grid::SetBorderColor);
  p.Color("FocusedColor", &Grid::FocusedColor, &Grid::SetFocusedColor);
  p.Color("SelectedColor", &Grid::SelectedColor, &Grid::SetSelectedColor);
  p.Color("FixedFontColor", &Grid::FixedFontColor, &Grid::SetFixedFontColor);
  p.Color("FontColor", &Grid::FontColor, &Grid::SetFontColor).NotStored();
  p.Property("Ctl3D", &Grid::Ctl3D, [](Grid& g, bool on) { g.TControl::SetCtl3D(on); });
}

}  // namespace

KX_PUBLISH(TkvCustomDrawGrid) { PublishGrid(p); }
KX_PUBLISH(TkvDrawGrid) {}
KX_PUBLISH(TkvStringGrid) { PublishGrid(p); }

namespace {
struct GridModule {
  GridModule() { RegisterClasses({&TkvDrawGrid::StaticClass(), &TkvStringGrid::StaticClass()}); }
} gridModule;
}  // namespace

TColor SkinnedCellColor(const TkvGridLook& look, TColor gridColor, TGridDrawState state) {
  if (state.Contains(gdFocused)) return look.FocusedColor;
  if (state.Contains(gdSelected)) return look.SelectedColor;
  return gridColor;
}

// ---------------------------------------------------------------------------
// TkvSkinnedGrid

template <class Grid>
TkvSkinnedGrid<Grid>::TkvSkinnedGrid(TComponent* owner, TColor focused) : Grid(owner) {
  InitGrid(*this, look_, focused);
}

template <class Grid>
void TkvSkinnedGrid<Grid>::SetUIStyle(TkvUIStyle style) {
  ApplyGridStyle(*this, look_, style);
}

template <class Grid>
void TkvSkinnedGrid<Grid>::CreateParams(TCreateParams& params) {
  Grid::CreateParams(params);
  GridParams(params);
}

template <class Grid>
void TkvSkinnedGrid<Grid>::WndProc(TMessage& m) {
  // The frame is drawn again whenever the background would be erased.
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;
    FrameControlWindow(*this, look_.BorderColor, this->Color());
    return;
  }
  Grid::WndProc(m);
}

template <class Grid>
void TkvSkinnedGrid<Grid>::Paint() {
  Grid::Paint();
  FrameControlWindow(*this, look_.BorderColor, this->Color());
}

template <class Grid>
void TkvSkinnedGrid<Grid>::DrawCell(int col, int row, RECT rect, TGridDrawState state) {
  FillNormalCell(*this->Canvas(), look_, this->Color(), rect, state);
  Grid::DrawCell(col, row, rect, state);
}

template class TkvSkinnedGrid<TCustomDrawGrid>;
template class TkvSkinnedGrid<TStringGrid>;

// ---------------------------------------------------------------------------
// TkvStringGrid

void TkvStringGrid::DrawCell(int col, int row, RECT rect, TGridDrawState state) {
  if (state.Contains(gdFixed)) {
    TCanvas& canvas = *Canvas();
    canvas.Font()->SetColor(look_.FixedFontColor);
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(rect, rect.left + 2, rect.top + 2, Cells(col, row));
    canvas.Brush()->SetStyle(bsSolid);
  }
  TkvSkinnedStringGrid::DrawCell(col, row, rect, state);
}

}  // namespace kx
