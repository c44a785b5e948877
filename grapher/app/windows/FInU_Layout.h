// The formula dialog's layout for a record, as arithmetic on the sizes of its
// pictures and labels: the window applies it. Lefts and sizes not named here
// stay as the form resource gives them.
#pragma once

#include <cstdint>

#include "app/model/RangeArray.h"
#include "framework/core/Colors.h"

namespace kx {

// Widths of the dialog without and with its help panel.
constexpr int FuncDialogNarrowWidth = 595;
constexpr int FuncDialogWideWidth = 790;

// What the layout depends on besides the kind: the picture of the kind's
// equation, the kind's caption as its label draws it, and the heights of the
// name field and the formula memos.
struct TFuncDialogSizes {
  int ImageTop = 35;
  int ImageWidth = 0, ImageHeight = 0;
  int CaptionWidth = 0;  // lbFuncType, sized to its caption
  int NameEditHeight = 25;
  int MemoHeight = 44;
};

// One formula row: its label, the bevel round the label, its memo.
struct TFormulaRowTops {
  int Label = 0, Bevel = 0, Memo = 0;
};

struct TFuncDialogLayout {
  int CaptionLeft = 0, CaptionTop = 0;  // lbFuncType
  int ImageLeft = 0;
  int FrameLeft = 0, FrameWidth = 0, FrameHeight = 0;  // bv0 round caption and picture
  // Top of the name row: lbFuncName, edFuncName, lbDdn, edDdn, UpDown1, lbClb,
  // ColorBox and cbNewF.
  int NameTop = 0;
  bool LineWidthShown = true;  // lbDdn, edDdn, UpDown1: not for surfaces
  bool NewFuncShown = false;   // cbNewF: only while an entry is edited
  int Rows = 0;                // formula rows shown, from the first
  TRangeArray<TFormulaRowTops, 1, 3> RowTops;
  int ButtonsTop = 0;      // btnOther, btnOK, btnCancel
  int StatusTop = 0;       // Stbv1, Stbv2
  int StatusLabelTop = 0;  // Stlb1, Stlb2
  int ClientHeight = 0;
  int FormWidth = 0;   // kvForm1
  int HelpHeight = 0;  // mmHelp and scrbarHelp, when the panel shows
};

// The layout for a record of kind 1 to 8.
TFuncDialogLayout FuncDialogLayout(int32_t kind, const TFuncDialogSizes& sizes, bool isNewFunc, bool helpShown);

// Height of the help memo and its scroll bar in a dialog of this client height.
int HelpPanelHeight(int clientHeight);

// The colour list's item (0 to 9) of a record's colour in its kind's palette;
// a colour of neither palette selects the tenth item.
int ColorItemIndex(int32_t kind, TColor color);
// The palette colour of an item of the colour list for a kind.
TColor ColorOfItem(int32_t kind, int itemIndex);

}  // namespace kx
