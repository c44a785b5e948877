// Skinned grids: the framework's draw grid and string grid with a one-pixel
// frame in BorderColor, colours from the style table, and every normal cell
// repainted by its state in SelectedColor, FocusedColor or the grid's Color.
// The string grid also writes its fixed cells in FixedFontColor.
#pragma once

#include "framework/windows/Grids.h"
#include "skin/KVThemes.h"

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

class TkvCustomDrawGrid : public TCustomDrawGrid {
  KX_CLASS(TkvCustomDrawGrid, TCustomDrawGrid)
 public:
  explicit TkvCustomDrawGrid(TComponent* owner);

  TkvUIStyle UIStyle() const { return look_.UIStyle; }
  // Border (8), fixed colour (12), colour (9), fixed font (13) and font (16)
  // colours from the table; Custom is stored and changes nothing else.
  void SetUIStyle(TkvUIStyle style);
  TColor BorderColor() const { return look_.BorderColor; }
  void SetBorderColor(TColor color);
  TColor FocusedColor() const { return look_.FocusedColor; }
  void SetFocusedColor(TColor color);
  TColor SelectedColor() const { return look_.SelectedColor; }
  void SetSelectedColor(TColor color);
  TColor FixedFontColor() const { return look_.FixedFontColor; }
  void SetFixedFontColor(TColor color);
  TColor FontColor() const { return Font()->Color(); }
  void SetFontColor(TColor color);
  // The skinned grid never has the 3D look.
  bool Ctl3D() const { return false; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void Paint() override;
  void DrawCell(int col, int row, RECT rect, TGridDrawState state) override;

 private:
  TkvGridLook look_;
};

class TkvDrawGrid : public TkvCustomDrawGrid {
  KX_CLASS(TkvDrawGrid, TkvCustomDrawGrid)
 public:
  explicit TkvDrawGrid(TComponent* owner) : TkvCustomDrawGrid(owner) {}
};

class TkvStringGrid : public TStringGrid {
  KX_CLASS(TkvStringGrid, TStringGrid)
 public:
  explicit TkvStringGrid(TComponent* owner);

  TkvUIStyle UIStyle() const { return look_.UIStyle; }
  void SetUIStyle(TkvUIStyle style);
  TColor BorderColor() const { return look_.BorderColor; }
  void SetBorderColor(TColor color);
  TColor FocusedColor() const { return look_.FocusedColor; }
  void SetFocusedColor(TColor color);
  TColor SelectedColor() const { return look_.SelectedColor; }
  void SetSelectedColor(TColor color);
  TColor FixedFontColor() const { return look_.FixedFontColor; }
  void SetFixedFontColor(TColor color);
  TColor FontColor() const { return Font()->Color(); }
  void SetFontColor(TColor color);
  bool Ctl3D() const { return false; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void Paint() override;
  void DrawCell(int col, int row, RECT rect, TGridDrawState state) override;

 private:
  TkvGridLook look_;
};

}  // namespace kx
