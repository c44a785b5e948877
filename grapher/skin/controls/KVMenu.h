// What the skinned menus share: the look of their items (colours, heights,
// side bar, font), the measuring and drawing of an item, the flat border
// round a menu window, the system's menu font and the shared check picture.
#pragma once

#include <windows.h>

#include <string>

#include "framework/core/Classes.h"
#include "framework/windows/Graphics.h"
#include "framework/windows/Menus.h"
#include "skin/look/KVThemes.h"

namespace kx {

// Sets a font to the system's menu font in the menu-text colour; a failing
// query leaves the font as it is.
void UseSystemMenuFont(TFont& font);

// The check picture "MENU_CHECKED" (16 x 16, keyed on white) that every
// popup menu shares; made at its first use, freed when the program ends.
TImageList& SharedMenuCheckImages();
// A new list holding the check picture, for a menu of its own.
void LoadMenuCheckImage(TImageList& list);

// The flat border of a menu window, drawn on the window's own device
// context in its own coordinates: a frame in `first`, a white frame inside
// it, and the top and bottom lines in `second`.
void DrawFlatMenuBorder(HWND menuWindow, TColor first, TColor second);

// The look of a skinned menu's items, shared by the popup and main menus.
class TkvMenuLook {
 public:
  TkvUIStyle UIStyle() const { return uiStyle_; }
  // A style other than Custom sets the heights, bar and colours from the
  // style table (entries 20, 21, 17, 22, 15, 18, 11, 12, 13, 16, 2).
  void SetUIStyle(TkvUIStyle style);
  int MenuItemHeight() const { return menuItemHeight_; }
  // Both heights are fixed while the style is MacOS.
  void SetMenuItemHeight(int v);
  int SeparatorHeight() const { return separatorHeight_; }
  void SetSeparatorHeight(int v);
  TColor BarColor() const { return barColor_; }
  void SetBarColor(TColor v) { barColor_ = v; }
  int BarWidth() const { return barWidth_; }
  void SetBarWidth(int v) { barWidth_ = v; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TColor SeparatorColor() const { return separatorColor_; }
  void SetSeparatorColor(TColor v) { separatorColor_ = v; }
  TColor SelectedBorderColor() const { return selectedBorderColor_; }
  void SetSelectedBorderColor(TColor v) { selectedBorderColor_ = v; }
  TColor SelectedColor() const { return selectedColor_; }
  void SetSelectedColor(TColor v) { selectedColor_ = v; }
  TColor SelectedFontColor() const { return selectedFontColor_; }
  void SetSelectedFontColor(TColor v) { selectedFontColor_ = v; }
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor v) { fontColor_ = v; }
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor v) { borderColor_ = v; }
  bool FlatMenu() const { return flatMenu_; }
  void SetFlatMenu(bool on) { flatMenu_ = on; }
  // The item font; a write tells the menu (MenuFontChanged).
  const std::string& FontName() const { return fontName_; }
  void SetFontName(const std::string& name) {
    fontName_ = name;
    MenuFontChanged();
  }
  int FontSize() const { return fontSize_; }
  void SetFontSize(int v) {
    fontSize_ = v;
    MenuFontChanged();
  }
  uint8_t FontCharset() const { return fontCharset_; }
  void SetFontCharset(uint8_t v) {
    fontCharset_ = v;
    MenuFontChanged();
  }
  bool UseSystemFont() const { return useSystemFont_; }
  void SetUseSystemFont(bool on) {
    useSystemFont_ = on;
    MenuFontChanged();
  }

  // The menu's events for each item.
  void MeasureItem(TMenuItem& item, TCanvas& canvas, int& width, int& height) const;
  void DrawItem(TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected) const;

 protected:
  virtual ~TkvMenuLook() = default;
  // The image list the menu's owner chose for item images, or nullptr.
  virtual TImageList* ItemImages() const = 0;
  // The list whose first image is the check picture.
  virtual TImageList& CheckImages() const = 0;
  // Binds every item, at any depth, to the menu's measure and draw routines.
  void HookItems(TMenuItem& parent, TObject* menu);
  // The item font changed (a menu bar showing the menu takes it).
  virtual void MenuFontChanged() {}

 private:
  bool HasImage(const TMenuItem& item) const;
  void DrawBackground(TCanvas& canvas, const RECT& r, bool separator, bool selected) const;

  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;
  int menuItemHeight_ = 21;
  int separatorHeight_ = 21;
  TColor barColor_ = clBtnFace;
  int barWidth_ = 0;
  TColor color_ = 0xFFFFFF;
  TColor separatorColor_ = 0x808080;
  TColor selectedBorderColor_ = clHighlight;
  TColor selectedColor_ = clHighlight;
  TColor selectedFontColor_ = 0xFFFFFF;
  TColor fontColor_ = 0xFFFFFF;
  TColor borderColor_ = 0;
  bool flatMenu_ = false;
  std::string fontName_ = "MS Sans Serif";
  int fontSize_ = 8;
  uint8_t fontCharset_ = DEFAULT_CHARSET;
  bool useSystemFont_ = true;
};

// Publishes the look's properties on a menu class C that derives from it.
template <class C>
void PublishMenuLook(TPublisher<C>& p) {
  using L = TkvMenuLook;
  p.Property("UIStyle", &L::UIStyle, &L::SetUIStyle);
  p.Property("MenuItemHeight", &L::MenuItemHeight, &L::SetMenuItemHeight).Default(21);
  p.Property("SeparatorHeight", &L::SeparatorHeight, &L::SetSeparatorHeight).Default(21);
  p.Color("BarColor", &L::BarColor, &L::SetBarColor);
  p.Property("BarWidth", &L::BarWidth, &L::SetBarWidth).Default(0);
  p.Color("Color", &L::Color, &L::SetColor);
  p.Color("SeparatorColor", &L::SeparatorColor, &L::SetSeparatorColor);
  p.Color("SelectedBorderColor", &L::SelectedBorderColor, &L::SetSelectedBorderColor);
  p.Color("SelectedColor", &L::SelectedColor, &L::SetSelectedColor);
  p.Color("SelectedFontColor", &L::SelectedFontColor, &L::SetSelectedFontColor);
  p.Color("FontColor", &L::FontColor, &L::SetFontColor);
  p.Color("BorderColor", &L::BorderColor, &L::SetBorderColor);
  p.Property("FlatMenu", &L::FlatMenu, &L::SetFlatMenu).Default(false);
  p.Property("FontName", &L::FontName, &L::SetFontName);
  p.Property("FontSize", &L::FontSize, &L::SetFontSize).Default(8);
  p.Property("FontCharset", &L::FontCharset, &L::SetFontCharset).Default(DEFAULT_CHARSET);
  p.Property("UseSystemFont", &L::UseSystemFont, &L::SetUseSystemFont).Default(true);
}

}  // namespace kx
