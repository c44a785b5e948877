// Font choosers: TkvFontComboBox lists the installed font families (with a
// small picture beside TrueType and device fonts, optionally each name in
// its own face); TkvFontSizeComboBox lists the sizes one font offers. The
// platform's font enumeration is reached through a replaceable seam, and
// the filtering and the size list are plain functions over its records.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/KVComboBox.h"

namespace kx {

enum TFontDevice { fdScreen, fdPrinter, fdBoth };
KX_ENUM_NAMES(TFontDevice, "fdScreen", "fdPrinter", "fdBoth")

enum TFontListOption {
  foAnsiOnly,
  foTrueTypeOnly,
  foFixedPitchOnly,
  foNoOEMFonts,
  foOEMFontsOnly,
  foScalableOnly,
  foNoSymbolFonts
};
KX_ENUM_NAMES(TFontListOption, "foAnsiOnly", "foTrueTypeOnly", "foFixedPitchOnly", "foNoOEMFonts", "foOEMFontsOnly",
              "foScalableOnly", "foNoSymbolFonts")
using TFontListOptions = TSet<TFontListOption>;

// What the platform reports for one font of a family.
struct TFontFamilyRecord {
  std::string Name;
  int CharSet = ANSI_CHARSET;
  int Pitch = 0;       // the pitch bits: 1 fixed
  DWORD FontType = 0;  // RASTER_FONTTYPE 1, DEVICE_FONTTYPE 2, TRUETYPE_FONTTYPE 4
  int Height = 0;      // cell height in pixels
  int InternalLeading = 0;
};

struct TFontListEntry {
  std::string Name;
  uint32_t Data;  // the font type, plus 0x100 when not a symbol font
};

bool PassesFontOptions(const TFontFamilyRecord& font, TFontListOptions options);
// Adds the family unless the list has it (ignoring case) or the options
// refuse it.
void AddFontFamily(std::vector<TFontListEntry>& list, const TFontFamilyRecord& font, TFontListOptions options);
// The sizes the fonts of one family offer, in points: the sixteen usual
// sizes for TrueType; each raster size once, ascending, otherwise.
std::vector<std::string> FontSizeList(const std::vector<TFontFamilyRecord>& fonts, int pixelsPerInch);

// The platform's fonts. Tests put a fake in its place.
class TFontEnumeration {
 public:
  virtual ~TFontEnumeration() = default;
  // Every family of the device (empty face), or every font of one family.
  // Throws when the device cannot be reached (no printer).
  virtual std::vector<TFontFamilyRecord> Fonts(TFontDevice device, const std::string& face) = 0;
  virtual int ScreenPixelsPerInch() = 0;
};
TFontEnumeration& FontEnumeration();
// Returns the enumeration it replaces; nullptr restores the platform's.
TFontEnumeration* SetFontEnumeration(TFontEnumeration* enumeration);

// A combo box whose native window is always owner-drawn with fixed-height
// items; its own Style picks the kind (drop-down, simple, list).
class TkvFontDrawComboBox : public TkvCustomComboBox {
  KX_CLASS(TkvFontDrawComboBox, TkvCustomComboBox)
 public:
  explicit TkvFontDrawComboBox(TComponent* owner);
  TComboBoxStyle DrawStyle() const { return drawStyle_; }
  // csDropDown, csSimple or csDropDownList; the window is made again.
  void SetDrawStyle(TComboBoxStyle style);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  // The text height of the font on the screen plus 1, at least 9.
  virtual int ItemHeightForFont();
  void ResetItemHeight();

 private:
  TComboBoxStyle drawStyle_ = csDropDownList;
  bool itemHeightChanging_ = false;
};

class TkvFontComboBox : public TkvFontDrawComboBox {
  KX_CLASS(TkvFontComboBox, TkvFontDrawComboBox)
 public:
  explicit TkvFontComboBox(TComponent* owner);
  ~TkvFontComboBox() override;

  std::string FontName() const { return Text(); }
  void SetFontName(const std::string& name);
  TFontDevice Device() const { return device_; }
  void SetDevice(TFontDevice device);
  TFontListOptions Options() const { return options_; }
  void SetOptions(TFontListOptions options);
  bool UseFonts() const { return useFonts_; }
  void SetUseFonts(bool on);
  uint32_t ItemData(int index) const;

  // Raised when the chosen font changes; never while loading or refilling.
  TNotifyEvent OnChange;

  virtual void FillFontList();

 protected:
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void DrawItem(int index, RECT rect, TOwnerDrawState state) override;
  int ItemHeightForFont() override;
  void Change() override;
  void Click() override;

 private:
  void Reset();
  void NotifyChange();

  std::unique_ptr<TBitmap> trueTypePicture_;
  std::unique_ptr<TBitmap> devicePicture_;
  TFontDevice device_ = fdScreen;
  bool updating_ = false;
  bool useFonts_ = false;
  TFontListOptions options_;
};

class TkvFontSizeComboBox : public TkvCustomComboBox {
  KX_CLASS(TkvFontSizeComboBox, TkvCustomComboBox)
 public:
  explicit TkvFontSizeComboBox(TComponent* owner);
  const std::string& FontName() const { return fontName_; }
  // Rebuilds the size list and selects the current text in it.
  void SetFontName(const std::string& name);

 private:
  int pixelsPerInch_ = 96;
  std::string fontName_;
};

}  // namespace kx
