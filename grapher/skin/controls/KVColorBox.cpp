#include "skin/controls/KVColorBox.h"

#include <algorithm>
#include <cstdio>

#include "framework/windows/Dialogs.h"

namespace kx {

KX_PUBLISH(TkvCustomColorBox) {
  p.Color("DefaultColorColor", &TkvCustomColorBox::DefaultColorColor, &TkvCustomColorBox::SetDefaultColorColor)
      .Default(0);
  p.Color("NoneColorColor", &TkvCustomColorBox::NoneColorColor, &TkvCustomColorBox::SetNoneColorColor).Default(0);
  p.Color("Selected", &TkvCustomColorBox::Selected, &TkvCustomColorBox::SetSelected).Default(0);
  p.Property("Style", &TkvCustomColorBox::ColorStyle, &TkvCustomColorBox::SetColorStyle).Default(7);
  using Box = TkvCustomColorBox;
  p.Property(
       "AutoComplete", [](const Box& b) { return b.StoredOnly().AutoComplete; },
       [](Box& b, bool on) { b.StoredOnly().AutoComplete = on; })
      .Default(true);
  p.Property(
       "AutoDropDown", [](const Box& b) { return b.StoredOnly().AutoDropDown; },
       [](Box& b, bool on) { b.StoredOnly().AutoDropDown = on; })
      .Default(false);
  p.Property(
       "BevelEdges", [](const Box& b) { return b.StoredOnly().BevelEdges; },
       [](Box& b, TBevelEdges edges) { b.StoredOnly().BevelEdges = edges; })
      .Default(int64_t(TBevelEdges{beLeft, beTop, beRight, beBottom}.Bits()));
  p.Property(
       "BevelInner", [](const Box& b) { return b.StoredOnly().BevelInner; },
       [](Box& b, TBevelCut cut) { b.StoredOnly().BevelInner = cut; })
      .Default(bvRaised);
  p.Property(
       "BevelKind", [](const Box& b) { return b.StoredOnly().BevelKind; },
       [](Box& b, TBevelKind kind) { b.StoredOnly().BevelKind = kind; })
      .Default(bkNone);
  p.Property(
       "BevelOuter", [](const Box& b) { return b.StoredOnly().BevelOuter; },
       [](Box& b, TBevelCut cut) { b.StoredOnly().BevelOuter = cut; })
      .Default(bvLowered);
}

KX_PUBLISH(TkvColorBox) {}

namespace {
struct ColorBoxModule {
  ColorBoxModule() { RegisterClasses({&TkvColorBox::StaticClass()}); }
} colorBoxModule;

TObject* ColorWord(TColor color) { return reinterpret_cast<TObject*>(static_cast<intptr_t>(color)); }

// Deletes items first..last (clamped to the list) from the highest down.
void DeleteRange(std::vector<TColorListItem>& items, int first, int last) {
  for (int i = std::min(last, int(items.size()) - 1); i >= first; --i) items.erase(items.begin() + i);
}

void DeleteFirstOf(std::vector<TColorListItem>& items, TColor color) {
  const auto it = std::find_if(items.begin(), items.end(), [&](const TColorListItem& i) { return i.Color == color; });
  if (it != items.end()) items.erase(it);
}
}  // namespace

std::string PrettyColorName(const std::string& name) {
  const std::string rest = name.compare(0, 2, "cl") == 0 ? name.substr(2) : name;
  std::string out;
  for (char c : rest) {
    if (c >= 'A' && c <= 'Z' && !out.empty()) out += ' ';
    out += c;
  }
  return out;
}

std::vector<TColorListItem> BuildColorList(const std::vector<TColorName>& names, TColorBoxStyle style,
                                           TColor customColor) {
  std::vector<TColorListItem> items;
  for (const TColorName& n : names)
    items.push_back({style.Contains(cbPrettyNames) ? PrettyColorName(n.Name) : std::string(n.Name), n.Value});
  if (!style.Contains(cbIncludeNone)) DeleteFirstOf(items, clNone);
  if (!style.Contains(cbIncludeDefault)) DeleteFirstOf(items, clDefault);
  // Positions count after the deletions before them, as the list stands.
  if (!style.Contains(cbSystemColors)) DeleteRange(items, 20, int(items.size()) - 1);
  if (!style.Contains(cbExtendedColors)) DeleteRange(items, 16, 19);
  if (!style.Contains(cbStandardColors)) DeleteRange(items, 0, 15);
  if (style.Contains(cbCustomColor)) items.insert(items.begin(), TColorListItem{"Custom...", customColor});
  return items;
}

std::vector<TColorName> FrameworkNamedColors() {
  const TColorName* table = NamedColors();
  return std::vector<TColorName>(table, table + NamedColorCount);
}

TColor SwatchFrameColor(TColor color, bool selected) {
  const COLORREF rgb = ColorToRGB(color);
  if (GetRValue(rgb) > 192 || GetGValue(rgb) > 192 || GetBValue(rgb) > 192) return clBlack;
  return selected ? clWhite : color;
}

TkvCustomColorBox::TkvCustomColorBox(TComponent* owner) : TkvCustomComboBox(owner) {
  TComboBox::SetStyle(csOwnerDrawFixed);
  Populate();
}

TColor TkvCustomColorBox::ItemColor(int index) const {
  return TColor(reinterpret_cast<intptr_t>(Items()->Objects(index)));
}

void TkvCustomColorBox::SetItemColor(int index, TColor color) { Items()->PutObject(index, ColorWord(color)); }

void TkvCustomColorBox::Populate() {
  if (!HandleAllocated()) {
    needToPopulate_ = true;
    return;
  }
  const TColor custom = colorStyle_.Contains(cbCustomColor) && Items()->Count() > 0 ? ItemColor(0) : clBlack;
  const TColor selected = selectedColor_;
  {
    TUpdateScope<TStrings> update(*Items());
    Items()->Clear();
    for (const TColorListItem& item : BuildColorList(FrameworkNamedColors(), colorStyle_, custom))
      Items()->AddObject(item.Text, ColorWord(item.Color));
  }
  SetSelected(selected);
  needToPopulate_ = false;
}

void TkvCustomColorBox::CreateWindowHandle(const TCreateParams& params) {
  TkvCustomComboBox::CreateWindowHandle(params);
  if (needToPopulate_) Populate();
}

TColor TkvCustomColorBox::Selected() const {
  if (!HandleAllocated()) return selectedColor_;
  const int index = ItemIndex();
  return index < 0 ? NoColorSelected : ItemColor(index);
}

void TkvCustomColorBox::SetSelected(TColor color) {
  if (HandleAllocated()) {
    int found = -1;
    for (int i = 0; i < Items()->Count() && found < 0; ++i)
      if (ItemColor(i) == color) found = i;
    if (found < 0 && colorStyle_.Contains(cbCustomColor) && color != NoColorSelected && Items()->Count() > 0) {
      SetItemColor(0, color);
      found = 0;
    }
    SetItemIndex(found);
  }
  selectedColor_ = color;
}

void TkvCustomColorBox::SetColorStyle(TColorBoxStyle style) {
  if (style == colorStyle_) return;
  colorStyle_ = style;
  SetEnabled(style.Contains(cbStandardColors) || style.Contains(cbExtendedColors) || style.Contains(cbSystemColors) ||
             style.Contains(cbCustomColor));
  Populate();
  if (Items()->Count() > 0 && ItemIndex() == -1) SetItemIndex(0);
}

void TkvCustomColorBox::SetDefaultColorColor(TColor color) {
  if (color == defaultColorColor_) return;
  defaultColorColor_ = color;
  Invalidate();
}

void TkvCustomColorBox::SetNoneColorColor(TColor color) {
  if (color == noneColorColor_) return;
  noneColorColor_ = color;
  Invalidate();
}

void TkvCustomColorBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
  TCanvas& canvas = *Canvas();
  canvas.FillRect(rect);
  if (index < 0 || index >= Items()->Count()) return;
  const TColor background = canvas.Brush()->Color();
  RECT swatch{rect.left, rect.top, rect.left + (rect.bottom - rect.top), rect.bottom};
  InflateRect(&swatch, -1, -1);
  TColor color = ItemColor(index);
  if (color == clDefault) color = defaultColorColor_;
  if (color == clNone) color = noneColorColor_;
  canvas.Brush()->SetColor(color);
  canvas.FillRect(swatch);
  canvas.Brush()->SetColor(SwatchFrameColor(color, state.Contains(odSelected)));
  canvas.FrameRect(swatch);
  canvas.Brush()->SetColor(background);
  rect.left = swatch.right + 5;
  canvas.TextRect(rect, rect.left, rect.top + (rect.bottom - rect.top - canvas.TextHeight(Items()->Get(index))) / 2,
                  Items()->Get(index));
}

bool TkvCustomColorBox::ChooseCustomColor() {
  TColorDialog dialog(nullptr);
  const TColor current = TColor(ColorToRGB(ItemColor(0)));
  dialog.SetColor(current);
  // The chooser's first custom box offers the colour chosen last time.
  char line[32];
  std::snprintf(line, sizeof line, "ColorA=%.8lx", static_cast<unsigned long>(current));
  dialog.CustomColors()->SetText(line);
  if (!dialog.Execute()) return false;
  SetItemColor(0, dialog.Color());
  Invalidate();
  return true;
}

void TkvCustomColorBox::CloseUp() {
  listSelected_ = true;
  TkvCustomComboBox::CloseUp();
}

void TkvCustomColorBox::KeyDown(WORD& key, TShiftState shift) {
  listSelected_ = false;
  TkvCustomComboBox::KeyDown(key, shift);
}

void TkvCustomColorBox::Select() {
  if (listSelected_) {
    listSelected_ = false;
    if (colorStyle_.Contains(cbCustomColor) && ItemIndex() == 0 && !ChooseCustomColor()) return;
  }
  TkvCustomComboBox::Select();
}

void TkvCustomColorBox::KeyPress(char& key) {
  TkvCustomComboBox::KeyPress(key);
  if (colorStyle_.Contains(cbCustomColor) && key == 13 && ItemIndex() == 0) {
    ChooseCustomColor();
    key = 0;
  }
}

}  // namespace kx
