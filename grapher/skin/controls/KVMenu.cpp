#include "skin/controls/KVMenu.h"

#include <algorithm>
#include <memory>

namespace kx {

void UseSystemMenuFont(TFont& font) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
  const LOGFONTA& lf = metrics.lfMenuFont;
  font.SetName(lf.lfFaceName);
  font.SetHeight(lf.lfHeight);
  TFontStyles style;
  if (lf.lfWeight >= FW_BOLD) style.Include(fsBold);
  if (lf.lfItalic) style.Include(fsItalic);
  if (lf.lfUnderline) style.Include(fsUnderline);
  if (lf.lfStrikeOut) style.Include(fsStrikeOut);
  font.SetStyle(style);
  font.SetCharset(lf.lfCharSet);
  font.SetColor(clMenuText);
}

void LoadMenuCheckImage(TImageList& list) {
  list.SetWidth(16);
  list.SetHeight(16);
  TBitmap check;
  check.LoadFromResourceName(GetModuleHandleA(nullptr), ThemeResourceName(TkvUIStyle::DeepBlue, 23));
  check.SetTransparent(true);
  list.AddMasked(&check, 0xFFFFFF);
}

TImageList& SharedMenuCheckImages() {
  static const std::unique_ptr<TImageList> list = [] {
    auto made = std::make_unique<TImageList>(nullptr, 16, 16);
    LoadMenuCheckImage(*made);
    return made;
  }();
  return *list;
}

void DrawFlatMenuBorder(HWND menuWindow, TColor first, TColor second) {
  RECT w{};
  GetWindowRect(menuWindow, &w);
  OffsetRect(&w, -w.left, -w.top);
  HDC dc = GetWindowDC(menuWindow);
  if (!dc) return;
  TGdiHandle<HBRUSH> outer(CreateSolidBrush(ColorToRGB(first)));
  TGdiHandle<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
  RECT r{w.left, w.top + 1, w.right - 1, w.bottom - 1};
  FrameRect(dc, &r, outer.Get());
  r = RECT{w.left + 1, w.top + 2, w.right - 2, w.bottom - 2};
  FrameRect(dc, &r, white.Get());
  TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(second)));
  HGDIOBJ old = SelectObject(dc, pen.Get());
  MoveToEx(dc, w.left, w.bottom - 1, nullptr);
  LineTo(dc, w.right - 1, w.bottom - 1);
  LineTo(dc, w.right - 1, w.top);
  LineTo(dc, w.right, w.top);
  LineTo(dc, w.left, w.top);
  SelectObject(dc, old);
  ReleaseDC(menuWindow, dc);
}

// ---------------------------------------------------------------------------
// TkvMenuLook

void TkvMenuLook::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  if (style == TkvUIStyle::Custom) return;
  menuItemHeight_ = ThemeInteger(style, 20);
  separatorHeight_ = ThemeInteger(style, 21);
  barColor_ = ThemeColor(style, 17);
  barWidth_ = ThemeInteger(style, 22);
  color_ = ThemeColor(style, 15);
  separatorColor_ = ThemeColor(style, 18);
  selectedBorderColor_ = ThemeColor(style, 11);
  selectedColor_ = ThemeColor(style, 12);
  selectedFontColor_ = ThemeColor(style, 13);
  fontColor_ = ThemeColor(style, 16);
  borderColor_ = ThemeColor(style, 2);
}

void TkvMenuLook::SetMenuItemHeight(int v) {
  if (uiStyle_ != TkvUIStyle::MacOS) menuItemHeight_ = v;
}

void TkvMenuLook::SetSeparatorHeight(int v) {
  if (uiStyle_ != TkvUIStyle::MacOS) separatorHeight_ = v;
}

void TkvMenuLook::HookItems(TMenuItem& parent, TObject* menu) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = *parent.Items(i);
    item.OnMeasureItem = TMenuMeasureItemEvent([this](TObject* sender, TCanvas* canvas, int& w, int& h) {
      MeasureItem(*static_cast<TMenuItem*>(sender), *canvas, w, h);
    });
    item.OnDrawItem = TMenuDrawItemEvent([this](TObject* sender, TCanvas* canvas, RECT r, bool selected) {
      DrawItem(*static_cast<TMenuItem*>(sender), *canvas, r, selected);
    });
    HookItems(item, menu);
  }
}

void TkvMenuLook::MeasureItem(TMenuItem& item, TCanvas& canvas, int& width, int& height) const {
  height = item.Caption() == "-" ? separatorHeight_ : menuItemHeight_;
  width = canvas.TextWidth(item.Caption()) + canvas.TextWidth(ShortCutToText(item.ShortCut())) + barWidth_ + 40;
}

bool TkvMenuLook::HasImage(const TMenuItem& item) const {
  TImageList* images = ItemImages();
  return item.ImageIndex() != -1 && images && images->Count() > item.ImageIndex();
}

namespace {

// The top rows of a MacOS menu picture stretched over the rectangle.
void DrawMacPicture(TCanvas& canvas, const RECT& r, const char* name, int rows) {
  TBitmap picture;
  picture.LoadFromResourceName(GetModuleHandleA(nullptr), name);
  canvas.CopyRect(r, picture.Canvas(), RECT{0, 0, picture.Width(), std::min(rows, picture.Height())});
}

}  // namespace

void TkvMenuLook::DrawBackground(TCanvas& canvas, const RECT& r, bool separator, bool selected) const {
  const bool mac = uiStyle_ == TkvUIStyle::MacOS;
  canvas.Brush()->SetStyle(bsSolid);
  if (selected) {
    if (mac) {
      DrawMacPicture(canvas, r, "MACOS_MENU_SELECT", 20);
      return;
    }
    canvas.Brush()->SetColor(selectedColor_);
    canvas.FillRect(r);
    canvas.Brush()->SetColor(selectedBorderColor_);
    canvas.FrameRect(r);
    return;
  }
  if (mac) {
    DrawMacPicture(canvas, r, "MACOS_MENU_BAR", separator ? 12 : 20);
    return;
  }
  if (barWidth_ > 0) {
    canvas.Brush()->SetColor(barColor_);
    canvas.FillRect(RECT{r.left, r.top, r.left + barWidth_, r.bottom});
  }
  canvas.Brush()->SetColor(color_);
  canvas.FillRect(RECT{r.left + barWidth_, r.top, r.right, r.bottom});
}

void TkvMenuLook::DrawItem(TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected) const {
  if (flatMenu_)
    if (HWND menuWindow = WindowFromDC(canvas.Handle()))
      DrawFlatMenuBorder(menuWindow, borderColor_, ThemeColor(uiStyle_, 3));
  if (item.Caption() == "-") {
    DrawBackground(canvas, r, true, false);
    if (uiStyle_ == TkvUIStyle::MacOS) return;
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetColor(separatorColor_);
    canvas.MoveTo(r.left + barWidth_ + 4, r.top + 2);
    canvas.LineTo(r.right - 2, r.top + 2);
    return;
  }
  DrawBackground(canvas, r, false, selected && item.Enabled());

  TFont& font = *canvas.Font();
  if (useSystemFont_) {
    UseSystemMenuFont(font);
  } else {
    font.SetName(fontName_);
    font.SetSize(fontSize_);
    font.SetCharset(fontCharset_);
  }
  canvas.Brush()->SetStyle(bsClear);
  font.SetColor(!item.Enabled() ? 0x808080 : selected ? selectedFontColor_ : fontColor_);
  TFontStyles style = font.Style();
  if (item.Default()) style.Include(fsBold);
  font.SetStyle(style);

  RECT text{r.left + barWidth_ + 4, r.top + 4, r.right, r.bottom};
  canvas.TextRect(text, item.Caption(), DT_SINGLELINE);
  const std::string shortCut = ShortCutToText(item.ShortCut());
  if (!shortCut.empty()) canvas.TextOut(r.right - canvas.TextWidth(shortCut) - 16, r.top + 4, shortCut);

  const bool image = HasImage(item);
  if (item.Checked()) {
    if (image) {
      canvas.Brush()->SetStyle(bsSolid);
      canvas.Brush()->SetColor(clBlack);
      canvas.FrameRect(RECT{r.left + 2, r.top + 1, r.left + 21, r.top + 20});
      canvas.Brush()->SetColor(selectedColor_);
      canvas.FillRect(RECT{r.left + 3, r.top + 2, r.left + 20, r.top + 19});
    } else {
      CheckImages().Draw(canvas, r.left + 4, r.top + 3, 0, item.Enabled());
    }
  }
  if (image) ItemImages()->Draw(canvas, r.left + 4, r.top + 3, item.ImageIndex(), item.Enabled());
}

}  // namespace kx
