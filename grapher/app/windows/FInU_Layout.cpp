#include "app/windows/FInU_Layout.h"

#include "app/model/MainU_Funcs.h"

namespace kx {

namespace {

// Caption and picture are centred as a pair in this width, this far apart.
constexpr int PairWidth = 600;
constexpr int PairGap = 10;

const TRangeArray<TColor, 1, 10>& PaletteOf(int32_t kind) { return IsKind2D(kind) ? ColorTable2D : ColorTable3D; }

}  // namespace

TFuncDialogLayout FuncDialogLayout(int32_t kind, const TFuncDialogSizes& sizes, bool isNewFunc, bool helpShown) {
  TFuncDialogLayout l;
  l.NewFuncShown = !isNewFunc;
  // C++ division truncates toward zero, as the halving must.
  l.CaptionTop = sizes.ImageTop + sizes.ImageHeight / 2 - 12;
  l.CaptionLeft = (PairWidth - sizes.CaptionWidth - sizes.ImageWidth - PairGap) / 2;
  l.ImageLeft = l.CaptionLeft + sizes.CaptionWidth + PairGap;
  l.FrameWidth = sizes.ImageWidth + sizes.CaptionWidth + 30;
  l.FrameHeight = sizes.ImageHeight + 8;
  l.FrameLeft = l.CaptionLeft - 10;
  l.NameTop = sizes.ImageTop + sizes.ImageHeight + 10;
  l.LineWidthShown = kind != 7 && kind != 8;

  int y = l.NameTop + sizes.NameEditHeight + 10;
  l.Rows = FormulaCount(kind);
  for (int i = 1; i <= l.Rows; ++i) {
    l.RowTops[i] = {y + 2, y, y};
    y += sizes.MemoHeight + 12;
  }
  l.ButtonsTop = y + 2;
  l.StatusTop = l.ButtonsTop + 54;
  l.StatusLabelTop = l.StatusTop + 3;
  l.ClientHeight = l.ButtonsTop + 78;
  l.FormWidth = helpShown ? FuncDialogWideWidth : FuncDialogNarrowWidth;
  if (helpShown) l.HelpHeight = HelpPanelHeight(l.ClientHeight);
  return l;
}

int HelpPanelHeight(int clientHeight) { return clientHeight - 32; }

int ColorItemIndex(int32_t kind, TColor color) {
  const auto& palette = PaletteOf(kind);
  for (int i = 0; i < 10; ++i)
    if (palette[i + 1] == color) return i;
  return 9;
}

TColor ColorOfItem(int32_t kind, int itemIndex) { return PaletteOf(kind)[itemIndex + 1]; }

}  // namespace kx
