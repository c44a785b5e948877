// One contact sheet per style, from the pictures the program carries: a sample
// window put together the way the skinned controls draw (with the drawing
// services), twice its size, and every picture of the style three times its
// size. Written as skin_<style>.png beside the test programs, to be looked at;
// each sheet is checked to hold every picture and the window where they lie.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Graphics.h"
#include "skin/look/KVPublic.h"
#include "skin/look/KVThemes.h"
#include "TestSupport.h"

using namespace kx;

namespace {

std::unique_ptr<TBitmap> Load(const std::string& name) {
  auto b = std::make_unique<TBitmap>();
  b->LoadFromResourceName(GetModuleHandleA(nullptr), name);
  return b;
}

void SetFont(TCanvas& c, TColor color, bool bold = false, int height = -11) {
  c.Font()->SetName("Tahoma");
  c.Font()->SetHeight(height);
  c.Font()->SetColor(color);
  c.Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
  c.Brush()->SetStyle(bsClear);
}

void Text(TCanvas& c, RECT r, const std::string& text, UINT format = DT_SINGLELINE | DT_VCENTER) {
  c.TextRect(r, text, format | DT_NOPREFIX);
}

void Fill(TCanvas& c, const RECT& r, TColor color) {
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(color);
  c.FillRect(r);
}

// A picture masked on its top-left pixel, as check and radio boxes draw.
void DrawMasked(TCanvas& c, int x, int y, TBitmap& picture, bool masked) {
  TImageList list(nullptr, picture.Width(), picture.Height());
  list.SetMasked(masked);
  list.AddMasked(&picture, picture.Canvas()->Pixel(0, 0));
  list.Draw(c, x, y, 0, true);
}

// What a control does: the background under it, then its own picture, in
// one bitmap of its size.
template <class Paint>
void Control(TCanvas& c, TBitmap& background, const RECT& r, Paint paint) {
  TBitmap b;
  b.SetSize(r.right - r.left, r.bottom - r.top);
  b.Canvas()->CopyRect(RECT{0, 0, b.Width(), b.Height()}, background.Canvas(), r);
  paint(*b.Canvas(), b.Width(), b.Height());
  c.Draw(r.left, r.top, &b);
}

struct Sample {
  TkvUIStyle style;
  std::string prefix;
  TColor Color(int entry) const { return ThemeColor(style, entry); }
  int Integer(int entry) const { return ThemeInteger(style, entry); }
  std::unique_ptr<TBitmap> Picture(int entry) const { return Load(ThemeResourceName(style, entry)); }
};

void DrawTitle(const Sample& s, TCanvas& c, int width) {
  auto left = s.Picture(45), client = s.Picture(46), right = s.Picture(47);
  const int h = left->Height();
  c.Draw(0, 0, left.get());
  c.StretchDraw(RECT{left->Width(), 0, width - right->Width(), h}, client.get());
  c.Draw(width - right->Width(), 0, right.get());
  const int top = s.Integer(69);
  int xr = width + 1 + s.Integer(68);
  for (int entry : {48, 51, 54}) {                      // close, maximise, minimise from the right
    auto button = s.Picture(entry == 48 ? 49 : entry);  // the close button under the mouse
    button->SetTransparent(ThemeFlag(s.style, 66));
    xr -= button->Width() + 1;
    c.Draw(xr, top, button.get());
  }
  const int xl = s.Integer(67);
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 16, 16, 0));
  DrawIconEx(c.Handle(), xl + 3, top, icon, 16, 16, 0, nullptr, DI_NORMAL);
  DestroyIcon(icon);
  SetFont(c, s.style == TkvUIStyle::MacOS ? clBlack : clWhite, true);
  Text(c, RECT{xl + 21, 0, xr, h}, "Plotvane v2.21");
}

void DrawSample(const Sample& s, TBitmap& window) {
  const int W = window.Width(), H = window.Height();
  TCanvas& c = *window.Canvas();
  if (s.style == TkvUIStyle::MacOS || s.style == TkvUIStyle::Protein) {
    TPicture pattern;
    pattern.SetGraphic(Load(s.prefix + "FORM_BACKGROUND").get());
    TilePicture(c, pattern, RECT{0, 0, W, H});
  } else {
    Fill(c, RECT{0, 0, W, H}, s.Color(3));
  }
  DrawTitle(s, c, W);
  int y = s.Picture(45)->Height() + 12;

  // Push buttons in three states.
  const char* captions[] = {"Normal", "Mouse on", "Pressed"};
  for (int i = 0; i < 3; ++i) {
    auto skin = s.Picture(24 + i);
    Control(c, window, RECT{12 + 90 * i, y, 92 + 90 * i, y + 27}, [&](TCanvas& b, int w, int h) {
      const bool keyed = s.style == TkvUIStyle::MacOS || s.style == TkvUIStyle::BlueGlass;
      StretchSkinBitmap(*skin, b, RECT{0, 0, w, h}, keyed);
      SetFont(b, clBlack);
      RECT r{i == 2 ? 1 : 0, i == 2 ? 1 : 0, w, h};
      Text(b, r, captions[i], DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    });
  }
  y += 40;

  // Check boxes and radio buttons.
  int x = 12;
  const std::pair<int, const char*> boxes[] = {{30, "Luoi"}, {29, "Truc"}, {27, "Khoa"}, {38, "2D"}, {37, "3D"}};
  for (auto [entry, caption] : boxes) {
    auto picture = s.Picture(entry);
    DrawMasked(c, x, y, *picture, entry >= 35);
    SetFont(c, entry == 27 ? clGray : clBlack);
    Text(c, RECT{x + picture->Width() + 4, y - 2, x + 80, y + picture->Height() + 2}, caption);
    x += 70;
  }
  y += 30;

  // A tab strip over its page.
  auto active = s.Picture(70), inactive = s.Picture(71), line = s.Picture(72);
  const int hI = inactive->Height(), hL = line->Height(), stripW = 250;
  Control(c, window, RECT{12, y, 12 + stripW, y + hI + hL}, [&](TCanvas& b, int w, int) {
    b.StretchDraw(RECT{1, hI, w - 1, hI + hL}, line.get());
    b.Pen()->SetColor(s.Color(8));
    b.MoveTo(0, hI), b.LineTo(0, hI + hL);
    b.MoveTo(w - 1, hI), b.LineTo(w - 1, hI + hL);
    int tx = 4;
    SetFont(b, clBlack);
    for (int i = 0; i < 2; ++i) {
      const char* caption = i == 0 ? "Gia tri" : "Tich phan";
      const int tw = b.TextWidth(caption) + 20;
      const RECT r = i == 0 ? RECT{tx, 1, tx + tw, hI + 1} : RECT{tx, 0, tx + tw, hI};
      DrawThreeSliceBitmap(i == 0 ? *active : *inactive, b, r, true);
      SetFont(b, clBlack);
      Text(b, RECT(r), caption, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
      tx += tw;
    }
  });
  y += hI + hL;
  Fill(c, RECT{12, y, 12 + stripW, y + 40}, s.Color(9));
  c.Pen()->SetColor(s.Color(8));
  c.MoveTo(12, y), c.LineTo(12, y + 39), c.LineTo(12 + stripW - 1, y + 39), c.LineTo(12 + stripW - 1, y - 1);
  y += 52;

  // A track bar and a progress bar at 60 %.
  auto bar = s.Picture(75), slider = s.Picture(76);
  const int trackH = std::max(bar->Height(), slider->Height());
  Control(c, window, RECT{12, y, 212, y + trackH}, [&](TCanvas& b, int w, int h) {
    Fill(b, RECT{0, 0, w, h}, s.Color(79));
    TBitmap sliced;
    sliced.SetSize(w, bar->Height());
    DrawThreeSliceBitmap(*bar, *sliced.Canvas(), RECT{0, 0, w, bar->Height()}, false);
    b.Draw(0, (h - bar->Height()) / 2, &sliced);
    b.Draw(120, 0, slider.get());
  });
  auto progress = s.Picture(43);
  const int pw = 150, ph = progress->Height() + 2, px = 230, py = y + (trackH - ph) / 2;
  Fill(c, RECT{px, py, px + pw, py + ph}, s.Color(9));
  c.StretchDraw(RECT{px + 1, py + 1, px + pw * 6 / 10, py + ph - 1}, progress.get());
  c.Brush()->SetColor(s.Color(8));
  c.FrameRect(RECT{px, py, px + pw, py + ph});
  SetFont(c, clBlack);
  Text(c, RECT{px, py, px + pw, py + ph}, "60%", DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  y += trackH + 16;

  // A combo box and a font list.
  const RECT combo{12, y, 172, y + 21}, button{172 - 17, y + 2, 172 - 2, y + 19};
  Fill(c, combo, clWhite);
  c.Brush()->SetColor(s.Color(8));
  c.FrameRect(combo);
  if (s.style == TkvUIStyle::MacOS) {
    c.StretchDraw(button, Load("MACOS_COMBOBOX_BUTTON").get());
  } else {
    Fill(c, button, s.Color(74));
    c.Brush()->SetColor(s.Color(8));
    const int ax = (button.left + button.right) / 2, ay = (button.top + button.bottom) / 2 - 1;
    for (int i = 0; i < 4; ++i) c.FillRect(RECT{ax - 3 + i, ay + i, ax + 4 - i, ay + i + 1});
  }
  SetFont(c, clBlack);
  Text(c, RECT{combo.left + 4, combo.top, button.left, combo.bottom}, "0.01");
  const RECT fonts{190, y, 360, y + 58};
  Fill(c, fonts, clWhite);
  c.Brush()->SetColor(s.Color(8));
  c.FrameRect(fonts);
  const std::pair<const char*, const char*> faces[] = {
      {"FONTCOMBO_TRUETYPE_FNT", "Tahoma"}, {"FONTCOMBO_DEVICE_FNT", "Courier"}, {"FONTCOMBO_TRUETYPE_FNT", "Verdana"}};
  for (int i = 0; i < 3; ++i) {
    auto glyph = Load(faces[i].first);
    glyph->SetTransparent(true);
    c.Draw(fonts.left + 3, fonts.top + 3 + 18 * i + 3, glyph.get());
    SetFont(c, clBlack);
    Text(c, RECT{fonts.left + 29, fonts.top + 1 + 18 * i, fonts.right, fonts.top + 19 + 18 * i}, faces[i].second);
  }

  // A vertical scroll bar: line buttons and a thumb cut from the track picture.
  auto up = s.Picture(85), down = s.Picture(88);
  const int sx = W - up->Width() - 10, sy = s.Picture(45)->Height() + 12, sh = 150;
  Fill(c, RECT{sx, sy, sx + up->Width(), sy + sh}, s.Color(84));
  c.Draw(sx, sy, up.get());
  c.Draw(sx, sy + sh - down->Height(), down.get());
  auto track = s.Picture(91);
  RotateBitmapCounterClockwise(*track);
  TImageList thirds(nullptr, track->Width() / 3, 16);
  thirds.SetMasked(false);
  thirds.AddMasked(track.get(), clFuchsia);
  TBitmap start, middle, end;
  thirds.GetBitmap(0, start), thirds.GetBitmap(1, middle), thirds.GetBitmap(2, end);
  for (TBitmap* piece : {&start, &middle, &end}) RotateBitmapClockwise(*piece);
  const int ty = sy + up->Height() + 20, tl = 56, tx = sx + (up->Width() - 16) / 2;
  c.Draw(tx, ty, &start);
  c.StretchDraw(RECT{tx, ty + start.Height(), tx + 16, ty + tl - end.Height()}, &middle);
  c.Draw(tx, ty + tl - end.Height(), &end);

  // A check-list box.
  const int lx = W - 170, ly = sy;
  Fill(c, RECT{lx, ly, lx + 120, ly + 44}, clWhite);
  c.Brush()->SetColor(s.Color(8));
  c.FrameRect(RECT{lx, ly, lx + 120, ly + 44});
  for (int i = 0; i < 2; ++i) {
    auto item = s.Picture(i == 0 ? 94 : 95);
    c.Draw(lx + 4, ly + 5 + 18 * i, item.get());
    SetFont(c, clBlack);
    Text(c, RECT{lx + 20, ly + 2 + 18 * i, lx + 118, ly + 20 + 18 * i}, i == 0 ? "y = sin(x)" : "y = x^2");
  }

  // A pop-up menu: an item, the selected item, a separator and a checked item.
  const int mx = W - 170, my = ly + 56, mw = 130, ih = s.Integer(20), barW = s.Integer(22);
  const bool mac = s.style == TkvUIStyle::MacOS;
  auto menuBar = mac ? Load("MACOS_MENU_BAR") : nullptr;
  auto menuSelect = mac ? Load("MACOS_MENU_SELECT") : nullptr;
  auto tick = Load("MENU_CHECKED");
  int iy = my;
  for (int i = 0; i < 4; ++i) {
    const bool separator = i == 2, selected = i == 1;
    const int h = separator ? s.Integer(21) : ih;
    const RECT r{mx, iy, mx + mw, iy + h};
    if (mac) {
      TBitmap* source = selected ? menuSelect.get() : menuBar.get();
      TCanvas* from = source->Canvas();
      c.CopyRect(r, from, RECT{0, 0, 1, separator ? 12 : 20});
    } else if (selected) {
      Fill(c, r, s.Color(12));
      c.Brush()->SetColor(s.Color(11));
      c.FrameRect(r);
    } else {
      Fill(c, RECT{mx, iy, mx + barW, iy + h}, s.Color(17));
      Fill(c, RECT{mx + barW, iy, mx + mw, iy + h}, s.Color(15));
      if (separator) {
        c.Pen()->SetColor(s.Color(18));
        c.MoveTo(mx + barW + 4, iy + 2), c.LineTo(mx + mw - 2, iy + 2);
      }
    }
    if (!separator) {
      const char* items[] = {"Luu hinh", "Xuat PNG", "", "Hien luoi"};
      if (i == 3) DrawMasked(c, mx + (barW - 16) / 2, iy + (h - 16) / 2, *tick, true);
      SetFont(c, selected ? s.Color(13) : s.Color(16));
      if (mac && !selected) SetFont(c, clBlack);
      Text(c, RECT{mx + barW + 6, iy, mx + mw, iy + h}, items[i]);
    }
    iy += h;
  }
  c.Brush()->SetColor(s.Color(2));
  c.FrameRect(RECT{mx, my, mx + mw, iy});

  // The window's border.
  c.Brush()->SetColor(s.Color(2));
  for (int i = 0; i < s.Integer(4); ++i) c.FrameRect(RECT{i, i, W - i, H - i});
}

std::string Lower(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

testsupport::Picture ToPicture(TBitmap& b) {
  testsupport::Picture p;
  p.width = b.Width();
  p.height = b.Height();
  const int bytes = b.PixelFormat() == pf32bit ? 4 : 3;
  for (int y = 0; y < p.height; ++y) {
    const auto* row = static_cast<const uint8_t*>(b.ScanLine(y));
    for (int x = 0; x < p.width; ++x)
      p.pixels.push_back(unsigned(row[x * bytes + 2]) << 16 | unsigned(row[x * bytes + 1]) << 8 | row[x * bytes]);
  }
  return p;
}

}  // namespace

TEST(ContactSheets, OnePerStyle) {
  const std::pair<TkvUIStyle, const char*> styles[] = {{TkvUIStyle::MacOS, "MACOS_"},
                                                       {TkvUIStyle::WinXP, "WINXP_"},
                                                       {TkvUIStyle::DeepBlue, "DEEPBLUE_"},
                                                       {TkvUIStyle::Protein, "PROTEIN_"},
                                                       {TkvUIStyle::BlueGlass, "BLUEGLASS_"}};
  for (auto [style, prefix] : styles) {
    const Sample sample{style, prefix};
    // The pictures of the sheet: the style's, then those every style shares.
    std::vector<std::string> names;
    for (int entry = 24; entry <= ThemeEntryCount; ++entry) {
      const std::string name = ThemeResourceName(style, entry);
      if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    if (style == TkvUIStyle::MacOS)
      for (const char* n : {"MACOS_FORM_BACKGROUND", "MACOS_MENU_BAR", "MACOS_MENU_SELECT", "MACOS_COMBOBOX_BUTTON"})
        names.push_back(n);
    if (style == TkvUIStyle::Protein) names.push_back("PROTEIN_FORM_BACKGROUND");
    for (const char* n : {"MENU_CHECKED", "FONTCOMBO_TRUETYPE_FNT", "FONTCOMBO_DEVICE_FNT", "SIDECHANNEL_BAR_NORMAL",
                          "SIDECHANNEL_BAR_MOUSEON", "SIDECHANNEL_BTN_NOONTOP", "SIDECHANNEL_BTN_ONTOP"})
      names.push_back(n);

    // Lay the enlarged pictures out in rows under the sample window.
    const int sheetW = 1400, sampleW = 560, sampleH = 320, pad = 10;
    struct Cell {
      std::string name;
      int x, y, w, zoom;
    };
    std::vector<Cell> cells;
    int x = pad, y = 2 * sampleH + 2 * pad, rowH = 0;
    for (const std::string& name : names) {
      auto b = Load(name);
      const int zoom = b->Width() * 3 > sheetW - 2 * pad || b->Height() > 100 ? 2 : 3;
      const int w = std::max(b->Width() * zoom, 90), h = b->Height() * zoom + 16;
      if (x + w > sheetW - pad) x = pad, y += rowH + pad, rowH = 0;
      cells.push_back({name, x, y, w, zoom});
      x += w + pad;
      rowH = std::max(rowH, h);
    }
    TBitmap sheet;
    sheet.SetSize(sheetW, y + rowH + pad);
    TCanvas& c = *sheet.Canvas();
    Fill(c, RECT{0, 0, sheet.Width(), sheet.Height()}, 0xC8C8C8);

    TBitmap window;
    window.SetSize(sampleW, sampleH);
    DrawSample(sample, window);
    c.StretchDraw(RECT{pad, pad, pad + 2 * sampleW, pad + 2 * sampleH}, &window);
    for (const Cell& cell : cells) {
      auto b = Load(cell.name);
      c.StretchDraw(RECT{cell.x, cell.y, cell.x + b->Width() * cell.zoom, cell.y + b->Height() * cell.zoom}, b.get());
      SetFont(c, clBlack, false, -10);
      std::string label = cell.name.rfind(prefix, 0) == 0 ? cell.name.substr(std::string(prefix).size()) : cell.name;
      const int top = cell.y + b->Height() * cell.zoom + 1;
      Text(c, RECT{cell.x, top, cell.x + cell.w, top + 14}, Lower(label), DT_SINGLELINE | DT_TOP | DT_END_ELLIPSIS);
    }
    // Every picture enlarged in its cell, pixel for pixel: its corners and
    // its middle.
    for (const Cell& cell : cells) {
      SCOPED_TRACE(cell.name);
      auto b = Load(cell.name);
      ASSERT_GT(b->Width(), 0);
      ASSERT_GT(b->Height(), 0);
      const int right = b->Width() - 1, bottom = b->Height() - 1;
      for (const POINT p :
           {POINT{0, 0}, POINT{right, 0}, POINT{0, bottom}, POINT{right, bottom}, POINT{right / 2, bottom / 2}}) {
        const int sx = cell.x + p.x * cell.zoom + cell.zoom - 1, sy = cell.y + p.y * cell.zoom + cell.zoom - 1;
        EXPECT_EQ(c.Pixel(sx, sy) & 0xFFFFFF, b->Canvas()->Pixel(p.x, p.y) & 0xFFFFFF) << p.x << "," << p.y;
      }
    }
    // The sample window twice its size, inside its border in the style's
    // border colour.
    if (sample.Integer(4) > 0) {
      EXPECT_EQ(c.Pixel(pad, pad + sampleH) & 0xFFFFFF, sample.Color(2) & 0xFFFFFF);
      EXPECT_EQ(c.Pixel(pad + 2 * sampleW - 1, pad + sampleH) & 0xFFFFFF, sample.Color(2) & 0xFFFFFF);
    }
    EXPECT_EQ(c.Pixel(pad + 2 * sampleW, pad + sampleH) & 0xFFFFFF, 0xC8C8C8);  // the sheet beside it

    const std::string file = "skin_" + Lower(std::string(prefix).substr(0, std::string(prefix).size() - 1)) + ".png";
    EXPECT_TRUE(testsupport::SavePng(ToPicture(sheet), file)) << file;
  }
}
