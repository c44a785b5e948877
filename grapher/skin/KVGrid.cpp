#include "skin/KVGrid.h"

#include "skin/KVPublic.h"
#include "skin/KVThemesControls.h"

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
  grid.TCustomGrid::SetCtl3D(false);
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
  p.Property("Ctl3D", &Grid::Ctl3D, [](Grid& g, bool on) { g.TCustomGrid::SetCtl3D(on); });
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
// TkvCustomDrawGrid

TkvCustomDrawGrid::TkvCustomDrawGrid(TComponent* owner) : TCustomDrawGrid(owner) { InitGrid(*this, look_, clGreen); }

void TkvCustomDrawGrid::SetUIStyle(TkvUIStyle style) { ApplyGridStyle(*this, look_, style); }

void TkvCustomDrawGrid::SetBorderColor(TColor color) {
  look_.BorderColor = color;
  Repaint();
}

void TkvCustomDrawGrid::SetFocusedColor(TColor color) {
  look_.FocusedColor = color;
  Repaint();
}

void TkvCustomDrawGrid::SetSelectedColor(TColor color) {
  look_.SelectedColor = color;
  Repaint();
}

void TkvCustomDrawGrid::SetFixedFontColor(TColor color) {
  look_.FixedFontColor = color;
  Repaint();
}

void TkvCustomDrawGrid::SetFontColor(TColor color) {
  Font()->SetColor(color);
  Repaint();
}

void TkvCustomDrawGrid::CreateParams(TCreateParams& params) {
  TCustomDrawGrid::CreateParams(params);
  GridParams(params);
}

void TkvCustomDrawGrid::WndProc(TMessage& m) {
  // The frame is drawn again whenever the background would be erased.
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;
    FrameControlWindow(*this, look_.BorderColor, Color());
    return;
  }
  TCustomDrawGrid::WndProc(m);
}

void TkvCustomDrawGrid::Paint() {
  TCustomDrawGrid::Paint();
  FrameControlWindow(*this, look_.BorderColor, Color());
}

void TkvCustomDrawGrid::DrawCell(int col, int row, RECT rect, TGridDrawState state) {
  FillNormalCell(*Canvas(), look_, Color(), rect, state);
  TCustomDrawGrid::DrawCell(col, row, rect, state);
}

// ---------------------------------------------------------------------------
// TkvStringGrid

TkvStringGrid::TkvStringGrid(TComponent* owner) : TStringGrid(owner) { InitGrid(*this, look_, clLime); }

void TkvStringGrid::SetUIStyle(TkvUIStyle style) { ApplyGridStyle(*this, look_, style); }

void TkvStringGrid::SetBorderColor(TColor color) {
  look_.BorderColor = color;
  Repaint();
}

void TkvStringGrid::SetFocusedColor(TColor color) {
  look_.FocusedColor = color;
  Repaint();
}

void TkvStringGrid::SetSelectedColor(TColor color) {
  look_.SelectedColor = color;
  Repaint();
}

void TkvStringGrid::SetFixedFontColor(TColor color) {
  look_.FixedFontColor = color;
  Repaint();
}

void TkvStringGrid::SetFontColor(TColor color) {
  Font()->SetColor(color);
  Repaint();
}

void TkvStringGrid::CreateParams(TCreateParams& params) {
  TStringGrid::CreateParams(params);
  GridParams(params);
}

void TkvStringGrid::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;
    FrameControlWindow(*this, look_.BorderColor, Color());
    return;
  }
  TStringGrid::WndProc(m);
}

void TkvStringGrid::Paint() {
  TStringGrid::Paint();
  FrameControlWindow(*this, look_.BorderColor, Color());
}

void TkvStringGrid::DrawCell(int col, int row, RECT rect, TGridDrawState state) {
  TCanvas& canvas = *Canvas();
  FillNormalCell(canvas, look_, Color(), rect, state);
  if (state.Contains(gdFixed)) {
    canvas.Font()->SetColor(look_.FixedFontColor);
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(rect, rect.left + 2, rect.top + 2, Cells(col, row));
    canvas.Brush()->SetStyle(bsSolid);
  }
  TStringGrid::DrawCell(col, row, rect, state);
}

}  // namespace kx
