// The skinned colour box: named colours with a swatch per item, and an
// optional first item whose colour the user picks in the colour dialog.
// Each item's object word is its colour.
#pragma once

#include <string>
#include <vector>

#include "framework/core/Colors.h"
#include "skin/controls/KVComboBox.h"

namespace kx {

enum TColorBoxStyles {
  cbStandardColors,
  cbExtendedColors,
  cbSystemColors,
  cbIncludeNone,
  cbIncludeDefault,
  cbCustomColor,
  cbPrettyNames
};
KX_ENUM_NAMES(TColorBoxStyles, "cbStandardColors", "cbExtendedColors", "cbSystemColors", "cbIncludeNone",
              "cbIncludeDefault", "cbCustomColor", "cbPrettyNames")
using TColorBoxStyle = TSet<TColorBoxStyles>;

// "No colour chosen".
constexpr TColor NoColorSelected = TColor(0xFF000000);

struct TColorListItem {
  std::string Text;
  TColor Color;
};

// The name without a leading "cl" and with a space before every capital
// but the first: "clMoneyGreen" -> "Money Green", "cl3DDkShadow" -> "3 D Dk Shadow".
std::string PrettyColorName(const std::string& name);

// The list a colour box of `style` shows for the named colours `names` (the
// framework's order: 16 standard, 4 extended, then the system ones with the
// none and default colours among them). With cbCustomColor it starts with
// "Custom..." in `customColor`.
std::vector<TColorListItem> BuildColorList(const std::vector<TColorName>& names, TColorBoxStyle style,
                                           TColor customColor);

// The framework's 52 named colours, in their order.
std::vector<TColorName> FrameworkNamedColors();

// The one-pixel frame of a swatch: black when any byte of the colour's
// current value is above 192, else white when the item is selected, else
// the colour itself.
TColor SwatchFrameColor(TColor color, bool selected);

class TkvCustomColorBox : public TkvCustomComboBox {
  KX_CLASS(TkvCustomColorBox, TkvCustomComboBox)
 public:
  explicit TkvCustomColorBox(TComponent* owner);

  TColorBoxStyle ColorStyle() const { return colorStyle_; }
  // Enabled exactly when one of the four colour ranges is asked for.
  void SetColorStyle(TColorBoxStyle style);
  // The colour at ItemIndex (NoColorSelected for none) with a window; the
  // stored one without.
  TColor Selected() const;
  void SetSelected(TColor color);
  TColor DefaultColorColor() const { return defaultColorColor_; }
  void SetDefaultColorColor(TColor color);
  TColor NoneColorColor() const { return noneColorColor_; }
  void SetNoneColorColor(TColor color);
  TColor ItemColor(int index) const;

  // Shows the colour dialog for item 0; true when the user confirmed.
  virtual bool ChooseCustomColor();

  // Kept for form resources: the box neither completes typed names, drops
  // down by itself nor draws bevels.
  struct TStoredOnly {
    bool AutoComplete = true;
    bool AutoDropDown = false;
    TBevelEdges BevelEdges{beLeft, beTop, beRight, beBottom};
    TBevelCut BevelInner = bvRaised;
    TBevelKind BevelKind = bkNone;
    TBevelCut BevelOuter = bvLowered;
  };
  TStoredOnly& StoredOnly() { return storedOnly_; }
  const TStoredOnly& StoredOnly() const { return storedOnly_; }

 protected:
  void CreateWindowHandle(const TCreateParams& params) override;
  void DrawItem(int index, RECT rect, TOwnerDrawState state) override;
  void CloseUp() override;
  void Select() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;

 private:
  void Populate();
  void SetItemColor(int index, TColor color);

  TColorBoxStyle colorStyle_{cbStandardColors, cbExtendedColors, cbSystemColors};
  bool needToPopulate_ = false;
  bool listSelected_ = false;
  TColor defaultColorColor_ = 0;
  TColor noneColorColor_ = 0;
  TColor selectedColor_ = clBlack;
  TStoredOnly storedOnly_;
};

class TkvColorBox : public TkvCustomColorBox {
  KX_CLASS(TkvColorBox, TkvCustomColorBox)
 public:
  explicit TkvColorBox(TComponent* owner) : TkvCustomColorBox(owner) {}
};

}  // namespace kx
