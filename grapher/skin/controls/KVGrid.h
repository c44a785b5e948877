// Skinned grids: the framework's draw grid and string grid with a one-pixel
// frame in BorderColor, colours from the style table, and every normal cell
// repainted by its state in SelectedColor, FocusedColor or the grid's Color.
// The string grid also writes its fixed cells in FixedFontColor.
#pragma once

#include "framework/windows/Grids.h"
#include "skin/look/KVThemes.h"

namespace kx {

// What both grids keep of their look.
struct TkvGridLook {
  TColor BorderColor = 0;
  TColor FocusedColor = 0;
  TColor SelectedColor = clYellow;
  TkvUIStyle UIStyle = TkvUIStyle::Custom;
  TColor FixedFontColor = 0;
};

// The colour a normal cell of `state` is filled with: SelectedColor when
// selected, FocusedColor when focused (also when selected as well), the
// grid's colour otherwise. Fixed cells are left to the framework's fill.
TColor SkinnedCellColor(const TkvGridLook& look, TColor gridColor, TGridDrawState state);

// The skinned look over one of the framework's grids: the colours, the
// frame and the fill of normal cells, shared by both skinned grids.
template <class Grid>
class TkvSkinnedGrid : public Grid {
 public:
  // `focused`: the grid's own FocusedColor until a resource or code sets one.
  TkvSkinnedGrid(TComponent* owner, TColor focused);

  TkvUIStyle UIStyle() const { return look_.UIStyle; }
  // Border (8), fixed colour (12), colour (9), fixed font (13) and font (16)
  // colours from the table; Custom is stored and changes nothing else.
  void SetUIStyle(TkvUIStyle style);
  TColor BorderColor() const { return look_.BorderColor; }
  void SetBorderColor(TColor color) { SetLookColor(look_.BorderColor, color); }
  TColor FocusedColor() const { return look_.FocusedColor; }
  void SetFocusedColor(TColor color) { SetLookColor(look_.FocusedColor, color); }
  TColor SelectedColor() const { return look_.SelectedColor; }
  void SetSelectedColor(TColor color) { SetLookColor(look_.SelectedColor, color); }
  TColor FixedFontColor() const { return look_.FixedFontColor; }
  void SetFixedFontColor(TColor color) { SetLookColor(look_.FixedFontColor, color); }
  TColor FontColor() const { return this->Font()->Color(); }
  void SetFontColor(TColor color) {
    this->Font()->SetColor(color);
    this->Repaint();
  }
  // The skinned grid never has the 3D look.
  bool Ctl3D() const { return false; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void Paint() override;
  void DrawCell(int col, int row, RECT rect, TGridDrawState state) override;

  TkvGridLook look_;

 private:
  void SetLookColor(TColor& field, TColor color) {
    field = color;
    this->Repaint();
  }
};

using TkvSkinnedDrawGrid = TkvSkinnedGrid<TCustomDrawGrid>;
using TkvSkinnedStringGrid = TkvSkinnedGrid<TStringGrid>;

class TkvCustomDrawGrid : public TkvSkinnedDrawGrid {
  KX_CLASS(TkvCustomDrawGrid, TkvSkinnedDrawGrid)
 public:
  explicit TkvCustomDrawGrid(TComponent* owner) : TkvSkinnedDrawGrid(owner, clGreen) {}
};

class TkvDrawGrid : public TkvCustomDrawGrid {
  KX_CLASS(TkvDrawGrid, TkvCustomDrawGrid)
 public:
  explicit TkvDrawGrid(TComponent* owner) : TkvCustomDrawGrid(owner) {}
};

class TkvStringGrid : public TkvSkinnedStringGrid {
  KX_CLASS(TkvStringGrid, TkvSkinnedStringGrid)
 public:
  explicit TkvStringGrid(TComponent* owner) : TkvSkinnedStringGrid(owner, clLime) {}

 protected:
  // Fixed cells also get their text in FixedFontColor.
  void DrawCell(int col, int row, RECT rect, TGridDrawState state) override;
};

}  // namespace kx
