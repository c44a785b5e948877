#include "skin/controls/KVFontComboBox.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "framework/core/SysUtils.h"

namespace kx {

KX_PUBLISH(TkvFontDrawComboBox) {
  p.Property("Style", &TkvFontDrawComboBox::DrawStyle, &TkvFontDrawComboBox::SetDrawStyle).Default(csDropDownList);
}

KX_PUBLISH(TkvFontComboBox) {
  p.Property("Device", &TkvFontComboBox::Device, &TkvFontComboBox::SetDevice).Default(fdScreen);
  p.Property("FontName", &TkvFontComboBox::FontName, &TkvFontComboBox::SetFontName);
  p.Property("Options", &TkvFontComboBox::Options, &TkvFontComboBox::SetOptions);
  p.Property("UseFonts", &TkvFontComboBox::UseFonts, &TkvFontComboBox::SetUseFonts).Default(false);
  p.Field("OnChange", &TkvFontComboBox::OnChange);
}

KX_PUBLISH(TkvFontSizeComboBox) {
  p.Property("FontName", &TkvFontSizeComboBox::FontName, &TkvFontSizeComboBox::SetFontName);
}

namespace {

struct FontComboModule {
  FontComboModule() { RegisterClasses({&TkvFontComboBox::StaticClass(), &TkvFontSizeComboBox::StaticClass()}); }
} fontComboModule;

int CALLBACK CollectFont(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD type, LPARAM param) {
  auto& fonts = *reinterpret_cast<std::vector<TFontFamilyRecord>*>(param);
  fonts.push_back(
      {lf->lfFaceName, lf->lfCharSet, lf->lfPitchAndFamily & 3, type, int(tm->tmHeight), int(tm->tmInternalLeading)});
  return 1;
}

std::vector<TFontFamilyRecord> EnumerateOn(HDC dc, const std::string& face) {
  std::vector<TFontFamilyRecord> fonts;
  EnumFontFamiliesA(dc, face.empty() ? nullptr : face.c_str(), &CollectFont, reinterpret_cast<LPARAM>(&fonts));
  return fonts;
}

// The default printer's device context, released when the holder goes.
class PrinterDC {
 public:
  PrinterDC() {
    char device[512] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    std::string name(device);
    name = name.substr(0, name.find(','));
    if (!name.empty()) dc_ = CreateDCA(nullptr, name.c_str(), nullptr, nullptr);
    if (!dc_) throw std::runtime_error("no printer");
  }
  ~PrinterDC() { DeleteDC(dc_); }
  PrinterDC(const PrinterDC&) = delete;
  PrinterDC& operator=(const PrinterDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

class PlatformFonts : public TFontEnumeration {
 public:
  std::vector<TFontFamilyRecord> Fonts(TFontDevice device, const std::string& face) override {
    if (device == fdPrinter) {
      PrinterDC printer;
      return EnumerateOn(printer.Get(), face);
    }
    HDC screen = GetDC(nullptr);
    std::vector<TFontFamilyRecord> fonts = EnumerateOn(screen, face);
    ReleaseDC(nullptr, screen);
    return fonts;
  }
  int ScreenPixelsPerInch() override {
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return ppi;
  }
};

PlatformFonts platformFonts;
TFontEnumeration* currentFonts = &platformFonts;

const char* const kTrueTypeSizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                      "20", "22", "24", "26", "28", "36", "48", "72"};

}  // namespace

TFontEnumeration& FontEnumeration() { return *currentFonts; }

TFontEnumeration* SetFontEnumeration(TFontEnumeration* enumeration) {
  TFontEnumeration* old = currentFonts;
  currentFonts = enumeration ? enumeration : &platformFonts;
  return old;
}

bool PassesFontOptions(const TFontFamilyRecord& font, TFontListOptions options) {
  if (options.Contains(foAnsiOnly) && font.CharSet != ANSI_CHARSET) return false;
  if (options.Contains(foTrueTypeOnly) && !(font.FontType & TRUETYPE_FONTTYPE)) return false;
  if (options.Contains(foFixedPitchOnly) && !(font.Pitch & FIXED_PITCH)) return false;
  if (options.Contains(foOEMFontsOnly) && font.CharSet != OEM_CHARSET) return false;
  if (options.Contains(foNoOEMFonts) && font.CharSet == OEM_CHARSET) return false;
  if (options.Contains(foNoSymbolFonts) && font.CharSet == SYMBOL_CHARSET) return false;
  if (options.Contains(foScalableOnly) && (font.FontType & RASTER_FONTTYPE)) return false;
  return true;
}

void AddFontFamily(std::vector<TFontListEntry>& list, const TFontFamilyRecord& font, TFontListOptions options) {
  for (const TFontListEntry& e : list)
    if (SameText(e.Name, font.Name)) return;
  if (!PassesFontOptions(font, options)) return;
  list.push_back({font.Name, uint32_t(font.FontType) + (font.CharSet != SYMBOL_CHARSET ? 0x100u : 0u)});
}

std::vector<std::string> FontSizeList(const std::vector<TFontFamilyRecord>& fonts, int pixelsPerInch) {
  std::vector<std::string> sizes;
  for (const TFontFamilyRecord& font : fonts) {
    if (font.FontType & TRUETYPE_FONTTYPE) {
      sizes.insert(sizes.end(), std::begin(kTrueTypeSizes), std::end(kTrueTypeSizes));
      break;
    }
    if (pixelsPerInch <= 0) continue;
    // Halves to even, as the platform's rounding does.
    const int size = int(std::nearbyint(double(font.Height - font.InternalLeading) * 72.0 / pixelsPerInch));
    auto at = sizes.begin();
    while (at != sizes.end() && std::stoi(*at) < size) ++at;
    if (at != sizes.end() && std::stoi(*at) == size) continue;
    sizes.insert(at, std::to_string(size));
  }
  return sizes;
}

// ---------------------------------------------------------------------------
// TkvFontDrawComboBox

TkvFontDrawComboBox::TkvFontDrawComboBox(TComponent* owner) : TkvCustomComboBox(owner) {
  TComboBox::SetStyle(csDropDownList);
}

void TkvFontDrawComboBox::SetDrawStyle(TComboBoxStyle style) {
  if (style == drawStyle_ || style > csDropDownList) return;
  drawStyle_ = style;
  TComboBox::SetStyle(style);
}

void TkvFontDrawComboBox::CreateParams(TCreateParams& params) {
  TkvCustomComboBox::CreateParams(params);
  params.Style &= ~DWORD(3);
  params.Style |= CBS_OWNERDRAWFIXED;
  params.Style |= drawStyle_ == csDropDown ? CBS_DROPDOWN : drawStyle_ == csSimple ? CBS_SIMPLE : CBS_DROPDOWNLIST;
}

void TkvFontDrawComboBox::CreateWindowHandle(const TCreateParams& params) {
  TkvCustomComboBox::CreateWindowHandle(params);
  ResetItemHeight();
}

int TkvFontDrawComboBox::ItemHeightForFont() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return std::max(int(tm.tmHeight) + 1, 9);
}

void TkvFontDrawComboBox::ResetItemHeight() { SetItemHeight(ItemHeightForFont()); }

void TkvFontDrawComboBox::WndProc(TMessage& m) {
  TkvCustomComboBox::WndProc(m);
  if (m.Msg == CM_FONTCHANGED) {
    ResetItemHeight();
    if (HandleAllocated()) RecreateWnd();
  }
}

// ---------------------------------------------------------------------------
// TkvFontComboBox

TkvFontComboBox::TkvFontComboBox(TComponent* owner)
    : TkvFontDrawComboBox(owner),
      trueTypePicture_(std::make_unique<TBitmap>()),
      devicePicture_(std::make_unique<TBitmap>()) {
  trueTypePicture_->LoadFromResourceName(GetModuleHandleA(nullptr), "FONTCOMBO_TRUETYPE_FNT");
  devicePicture_->LoadFromResourceName(GetModuleHandleA(nullptr), "FONTCOMBO_DEVICE_FNT");
  trueTypePicture_->SetTransparent(true);
  devicePicture_->SetTransparent(true);
  static_cast<TStringList*>(Items())->SetSorted(true);
  SetItemHeight(ItemHeightForFont());
}

TkvFontComboBox::~TkvFontComboBox() = default;

int TkvFontComboBox::ItemHeightForFont() {
  return std::max(TkvFontDrawComboBox::ItemHeightForFont(), trueTypePicture_->Height() - 1);
}

uint32_t TkvFontComboBox::ItemData(int index) const {
  return uint32_t(reinterpret_cast<uintptr_t>(Items()->Objects(index)));
}

void TkvFontComboBox::FillFontList() {
  if (!HandleAllocated()) return;
  std::vector<TFontListEntry> list;
  TFontEnumeration& fonts = FontEnumeration();
  if (device_ == fdScreen || device_ == fdBoth)
    for (const TFontFamilyRecord& f : fonts.Fonts(fdScreen, {})) AddFontFamily(list, f, options_);
  if (device_ == fdPrinter || device_ == fdBoth) {
    try {
      for (const TFontFamilyRecord& f : fonts.Fonts(fdPrinter, {})) AddFontFamily(list, f, options_);
    } catch (...) {
      // No printer: the list holds what the screen offers.
    }
  }
  TUpdateScope<TStrings> update(*Items());
  Items()->Clear();
  for (const TFontListEntry& e : list) Items()->AddObject(e.Name, reinterpret_cast<TObject*>(uintptr_t(e.Data)));
}

void TkvFontComboBox::NotifyChange() {
  if (!IsLoading() && !updating_) OnChange(this);
}

void TkvFontComboBox::CreateWindowHandle(const TCreateParams& params) {
  const std::string remembered = FontName();
  TkvFontDrawComboBox::CreateWindowHandle(params);
  updating_ = true;
  FillFontList();
  SetText("");
  SetFontName(remembered);
  updating_ = false;
  if (!SameText(FontName(), remembered)) NotifyChange();
}

void TkvFontComboBox::Reset() {
  if (!HandleAllocated()) return;
  updating_ = true;
  const std::string remembered = FontName();
  FillFontList();
  SetFontName(remembered);
  updating_ = false;
  if (FontName() != remembered) NotifyChange();
}

void TkvFontComboBox::SetDevice(TFontDevice device) {
  if (device == device_) return;
  device_ = device;
  Reset();
}

void TkvFontComboBox::SetOptions(TFontListOptions options) {
  if (options == options_) return;
  options_ = options;
  Reset();
}

void TkvFontComboBox::SetUseFonts(bool on) {
  if (on == useFonts_) return;
  useFonts_ = on;
  Invalidate();
}

void TkvFontComboBox::SetFontName(const std::string& name) {
  if (name == FontName()) return;
  if (IsLoading()) {
    SetText(name);
    return;
  }
  HandleNeeded();
  for (int i = 0; i < Items()->Count(); ++i)
    if (SameText(Items()->Get(i), name)) {
      SetItemIndex(i);
      NotifyChange();
      return;
    }
  if (DrawStyle() == csDropDownList)
    SetItemIndex(-1);
  else
    SetText(name);
  NotifyChange();
}

void TkvFontComboBox::Change() {
  TkvFontDrawComboBox::Change();
  if (DrawStyle() == csDropDownList) return;
  const std::string text = Text();
  for (int i = 0; i < Items()->Count(); ++i)
    if (SameText(Items()->Get(i), text)) {
      if (i != ItemIndex()) {
        SetItemIndex(i);
        NotifyChange();
      }
      return;
    }
}

void TkvFontComboBox::Click() {
  TkvFontDrawComboBox::Click();
  NotifyChange();
}

void TkvFontComboBox::WndProc(TMessage& m) {
  TkvFontDrawComboBox::WndProc(m);
  if (m.Msg == WM_FONTCHANGE) Reset();
}

void TkvFontComboBox::DrawItem(int index, RECT rect, TOwnerDrawState) {
  TCanvas& canvas = *Canvas();
  canvas.FillRect(rect);
  if (index < 0 || index >= Items()->Count()) return;
  const uint32_t data = ItemData(index);
  TBitmap* picture = data & TRUETYPE_FONTTYPE ? trueTypePicture_.get()
                     : data & DEVICE_FONTTYPE ? devicePicture_.get()
                                              : nullptr;
  const int width = picture ? picture->Width() : 20;
  if (picture) canvas.Draw(rect.left + 2, (rect.top + rect.bottom - picture->Height()) / 2, picture);
  rect.left += width + 6;
  if (useFonts_ && (data & 0x100)) canvas.Font()->SetName(Items()->Get(index));
  canvas.Brush()->SetStyle(bsClear);
  canvas.TextRect(rect, Items()->Get(index), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  canvas.Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------
// TkvFontSizeComboBox

TkvFontSizeComboBox::TkvFontSizeComboBox(TComponent* owner) : TkvCustomComboBox(owner) {
  TComboBox::SetStyle(csDropDownList);
}

void TkvFontSizeComboBox::SetFontName(const std::string& name) {
  fontName_ = name;
  const std::string current = Text();
  TFontEnumeration& fonts = FontEnumeration();
  TUpdateScope<TStrings> update(*Items());
  Items()->Clear();
  if (fontName_.empty()) return;
  pixelsPerInch_ = fonts.ScreenPixelsPerInch();
  for (const std::string& size : FontSizeList(fonts.Fonts(fdScreen, fontName_), pixelsPerInch_)) Items()->Add(size);
  const TNotifyEvent click = OnClick;
  OnClick = TNotifyEvent();
  SetItemIndex(Items()->IndexOf(current));
  OnClick = click;
  OnClick(this);
}

}  // namespace kx
