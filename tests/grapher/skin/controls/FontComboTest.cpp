// The font boxes over a fake font enumeration: the option filter, the list
// each device gives, the chosen name, and the size list.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/windows/Forms.h"
#include "skin/controls/KVFontComboBox.h"
#include "SkinStandIn.h"

using namespace kx;

namespace {

TFontFamilyRecord TrueType(const std::string& name, int charSet = ANSI_CHARSET, int pitch = 2) {
  return {name, charSet, pitch, TRUETYPE_FONTTYPE, 16, 3};
}
TFontFamilyRecord Raster(const std::string& name, int charSet, int height, int leading, int pitch = 1) {
  return {name, charSet, pitch, RASTER_FONTTYPE, height, leading};
}

// Screen and printer fonts as a test sets them; the printer may be missing.
class FakeFonts : public TFontEnumeration {
 public:
  std::vector<TFontFamilyRecord> screen, printer;
  bool noPrinter = false;
  std::vector<TFontFamilyRecord> Fonts(TFontDevice device, const std::string& face) override {
    if (device == fdPrinter && noPrinter) throw std::runtime_error("no printer");
    const auto& all = device == fdPrinter ? printer : screen;
    if (face.empty()) return all;
    std::vector<TFontFamilyRecord> of;
    for (const auto& f : all)
      if (f.Name == face) of.push_back(f);
    return of;
  }
  int ScreenPixelsPerInch() override { return 96; }
};

std::vector<std::string> Names(const TStrings& items) {
  std::vector<std::string> names;
  for (int i = 0; i < items.Count(); ++i) names.push_back(items.Get(i));
  return names;
}

class FontBoxes : public testing::Test {
 protected:
  void SetUp() override {
    fonts_.screen = {TrueType("Verdana"),
                     TrueType("Symbol", SYMBOL_CHARSET),
                     Raster("Terminal", OEM_CHARSET, 12, 0),
                     Raster("MS Sans Serif", ANSI_CHARSET, 13, 3, 2),
                     TrueType("Courier New", ANSI_CHARSET, 1),
                     TrueType("verdana"),  // reported twice
                     {"Printer Gothic", ANSI_CHARSET, 1, DEVICE_FONTTYPE, 12, 0}};
    fonts_.printer = {{"Draft", ANSI_CHARSET, 1, DEVICE_FONTTYPE, 12, 0}, TrueType("Verdana")};
    old_ = SetFontEnumeration(&fonts_);
    form_ = skintest::NewStyledForm(TkvUIStyle::DeepBlue);
  }
  void TearDown() override {
    delete form_;
    SetFontEnumeration(old_);
    Application->ProcessMessages();
  }
  TkvFontComboBox* NewFontBox() {
    auto* box = new TkvFontComboBox(form_);
    box->SetParent(form_);
    box->SetBounds(10, 10, 200, 22);
    box->HandleNeeded();
    return box;
  }
  FakeFonts fonts_;
  TFontEnumeration* old_ = nullptr;
  TForm* form_ = nullptr;
};

}  // namespace

TEST(FontOptions, FilterTable) {
  const TFontFamilyRecord verdana = TrueType("Verdana"), symbol = TrueType("Symbol", SYMBOL_CHARSET),
                          terminal = Raster("Terminal", OEM_CHARSET, 12, 0), courier = TrueType("Courier", 0, 1);
  struct Case {
    TFontListOptions options;
    bool verdana, symbol, terminal, courier;
  } cases[] = {
      {TFontListOptions{}, true, true, true, true},
      {TFontListOptions{foAnsiOnly}, true, false, false, true},
      {TFontListOptions{foTrueTypeOnly}, true, true, false, true},
      {TFontListOptions{foFixedPitchOnly}, false, false, true, true},
      {TFontListOptions{foNoOEMFonts}, true, true, false, true},
      {TFontListOptions{foOEMFontsOnly}, false, false, true, false},
      {TFontListOptions{foScalableOnly}, true, true, false, true},
      {TFontListOptions{foNoSymbolFonts}, true, false, true, true},
      {TFontListOptions{foOEMFontsOnly, foNoOEMFonts}, false, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PassesFontOptions(verdana, c.options), c.verdana) << c.options.Bits();
    EXPECT_EQ(PassesFontOptions(symbol, c.options), c.symbol) << c.options.Bits();
    EXPECT_EQ(PassesFontOptions(terminal, c.options), c.terminal) << c.options.Bits();
    EXPECT_EQ(PassesFontOptions(courier, c.options), c.courier) << c.options.Bits();
  }
}

TEST(FontOptions, FamiliesOnceWithTheirData) {
  std::vector<TFontListEntry> list;
  AddFontFamily(list, TrueType("Verdana"), {});
  AddFontFamily(list, TrueType("VERDANA"), {});
  AddFontFamily(list, TrueType("Symbol", SYMBOL_CHARSET), {});
  AddFontFamily(list, Raster("Terminal", OEM_CHARSET, 12, 0), {});
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].Data, 0x104u);
  EXPECT_EQ(list[1].Data, 0x004u);
  EXPECT_EQ(list[2].Data, 0x101u);
}

TEST(FontSizes, TrueTypeAndRaster) {
  const std::vector<std::string> trueType = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                             "20", "22", "24", "26", "28", "36", "48", "72"};
  EXPECT_EQ(FontSizeList({TrueType("Verdana")}, 96), trueType);
  // Cells of 13 and 16 pixels with a leading of 3 at 96 per inch: 7.5 and
  // 9.75 points, reported several times in any order.
  const std::vector<TFontFamilyRecord> raster = {Raster("Sans", 0, 16, 3), Raster("Sans", 0, 13, 3),
                                                 Raster("Sans", 0, 16, 3), Raster("Sans", 0, 13, 3)};
  EXPECT_EQ(FontSizeList(raster, 96), (std::vector<std::string>{"8", "10"}));
  EXPECT_EQ(FontSizeList({Raster("A", 0, 40, 4), Raster("A", 0, 11, 0), Raster("A", 0, 20, 0)}, 96),
            (std::vector<std::string>{"8", "15", "27"}));
  EXPECT_TRUE(FontSizeList({}, 96).empty());
}

TEST_F(FontBoxes, ListsByDeviceAndOptions) {
  TkvFontComboBox* box = NewFontBox();
  EXPECT_EQ(Names(*box->Items()), (std::vector<std::string>{"Courier New", "MS Sans Serif", "Printer Gothic", "Symbol",
                                                            "Terminal", "Verdana"}));
  EXPECT_EQ(box->ItemData(box->Items()->IndexOf("Symbol")), 0x004u);
  box->SetOptions(TFontListOptions{foTrueTypeOnly});
  EXPECT_EQ(Names(*box->Items()), (std::vector<std::string>{"Courier New", "Symbol", "Verdana"}));
  box->SetOptions(TFontListOptions{foOEMFontsOnly, foNoOEMFonts});
  EXPECT_EQ(box->Items()->Count(), 0);
  box->SetOptions(TFontListOptions{foTrueTypeOnly});
  box->SetDevice(fdBoth);
  EXPECT_EQ(Names(*box->Items()), (std::vector<std::string>{"Courier New", "Symbol", "Verdana"}));
  box->SetOptions({});
  EXPECT_EQ(box->Items()->Count(), 7);  // Draft from the printer
  fonts_.noPrinter = true;
  box->SetDevice(fdPrinter);
  EXPECT_EQ(box->Items()->Count(), 0);
  box->SetDevice(fdBoth);
  EXPECT_EQ(box->Items()->Count(), 6);
}

TEST_F(FontBoxes, FontNameAndItsChangeEvent) {
  TkvFontComboBox* box = NewFontBox();
  int changes = 0;
  box->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  box->SetFontName("verdana");
  EXPECT_EQ(box->FontName(), "Verdana");
  EXPECT_EQ(changes, 1);
  box->SetFontName("Verdana");  // the same: nothing
  EXPECT_EQ(changes, 1);
  box->SetFontName("Nowhere");  // a list: nothing chosen
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(changes, 2);
  // A refill keeps the name and tells nothing.
  box->SetFontName("Symbol");
  changes = 0;
  box->SetOptions(TFontListOptions{foTrueTypeOnly});
  EXPECT_EQ(box->FontName(), "Symbol");
  EXPECT_EQ(changes, 0);
}

TEST_F(FontBoxes, ItemHeightFitsThePicture) {
  TkvFontComboBox* box = NewFontBox();
  EXPECT_GE(box->ItemHeight(), 11);
  EXPECT_EQ(box->Style(), csDropDownList);
  EXPECT_EQ(GetWindowLongA(box->Handle(), GWL_STYLE) & (CBS_OWNERDRAWFIXED | 3), CBS_OWNERDRAWFIXED | CBS_DROPDOWNLIST);
  box->SetDrawStyle(csDropDown);
  EXPECT_EQ(GetWindowLongA(box->Handle(), GWL_STYLE) & (CBS_OWNERDRAWFIXED | 3), CBS_OWNERDRAWFIXED | CBS_DROPDOWN);
}

TEST_F(FontBoxes, SizeBoxFollowsItsFont) {
  fonts_.screen.push_back(Raster("Small", 0, 16, 3));
  fonts_.screen.push_back(Raster("Small", 0, 13, 3));
  fonts_.screen.push_back(Raster("Small", 0, 16, 3));
  auto* sizes = new TkvFontSizeComboBox(form_);
  sizes->SetParent(form_);
  sizes->HandleNeeded();
  int clicks = 0;
  sizes->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  sizes->SetFontName("Verdana");
  EXPECT_EQ(sizes->Items()->Count(), 16);
  EXPECT_EQ(clicks, 1);
  sizes->SetFontName("Small");
  EXPECT_EQ(Names(*sizes->Items()), (std::vector<std::string>{"8", "10"}));
  EXPECT_EQ(clicks, 2);
  sizes->SetFontName("");
  EXPECT_EQ(sizes->Items()->Count(), 0);
  EXPECT_EQ(clicks, 2);
}
