// Build-time generator of the skin pictures (host program).
//
//   MakeSkinPictures <output folder>
//
// Draws every bitmap the style table names (for each look, from its
// resource-name entries), the pictures the controls load by name outside the
// table and the program's icon, and writes them as <NAME>.bmp and
// MAINICON.ico with a resource script, SkinPictures.rc, that names each
// file by absolute path. Stops the build with a message when a file cannot
// be written or the count of pictures is not the one the program expects.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "Pictures.h"
#include "skin/look/KVThemes.h"

namespace fs = std::filesystem;
using namespace skinpictures;
using kx::TkvUIStyle;

namespace {

// 48 pictures per look and 11 more for WinXP's own hover, pressed and restore
// pictures; the menu tick shared by all; 11 loaded by name outside the table.
constexpr size_t ExpectedBitmaps = 263;

State StateOf(int index) {  // 0 normal, 1 mouse over, 2 pressed
  return index == 0 ? State::Normal : index == 1 ? State::MouseOn : State::MouseDown;
}

Image PictureOfEntry(const Look& k, int entry) {
  switch (entry) {
    case 23:
      return MenuChecked();
    case 24:
    case 25:
    case 26:
      return PushButton(k, StateOf(entry - 24));
    case 27:
    case 28:
      return CheckBox(k, State::Disabled, entry == 27);
    case 35:
    case 36:
      return RadioButton(k, State::Disabled, entry == 35);
    case 43:
    case 44:
      return ProgressBar(k, entry == 44);
    case 45:
      return TitleLeft(k);
    case 46:
      return TitleClient(k);
    case 47:
      return TitleRight(k);
    case 70:
    case 71:
      return Tab(k, entry == 70);
    case 72:
      return TabLine(k);
    case 75:
    case 77:
      return TrackBar(k);
    case 76:
    case 78:
      return TrackSlider(k, entry == 78);
    case 91:
      return ScrollThumb(k);
    default:
      break;
  }
  if (entry >= 29 && entry <= 34) return CheckBox(k, StateOf((entry - 29) / 2), entry % 2 == 1);
  if (entry >= 37 && entry <= 42) return RadioButton(k, StateOf((entry - 37) / 2), entry % 2 == 1);
  if (entry >= 48 && entry <= 65) {
    static constexpr TitleGlyph glyphs[] = {TitleGlyph::Close, TitleGlyph::Max,        TitleGlyph::Min,
                                            TitleGlyph::Help,  TitleGlyph::ControlBox, TitleGlyph::Restore};
    TitleGlyph glyph = glyphs[(entry - 48) / 3];
    // Only WinXP names pictures of its own for a maximised form's button.
    if (glyph == TitleGlyph::Restore && k.style != TkvUIStyle::WinXP) glyph = TitleGlyph::Max;
    return TitleButton(k, glyph, StateOf((entry - 48) % 3));
  }
  if (entry >= 85 && entry <= 90) return ScrollButton(k, entry <= 87, StateOf((entry - 85) % 3));
  if (entry >= 92 && entry <= 95) return CheckListItem(k, entry >= 94, entry % 2 == 0);
  throw std::logic_error("no picture for entry " + std::to_string(entry));
}

struct Output {
  fs::path folder;
  std::string script;
  std::set<std::string> written;

  bool Has(const std::string& name) const { return written.count(name) != 0; }

  void Write(const std::string& file, const std::vector<uint8_t>& bytes) {
    const fs::path path = folder / file;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
  }

  // A bitmap resource; a name met again (the table repeats names) is kept once.
  void Bitmap(const std::string& name, const std::vector<uint8_t>& bytes) {
    if (!written.insert(name).second) return;
    Write(name + ".bmp", bytes);
    script += name + " BITMAP \"" + (folder / (name + ".bmp")).generic_string() + "\"\n";
  }
};

void Run(const fs::path& folder) {
  fs::create_directories(folder);
  Output out{fs::absolute(folder), {}, {}};
  for (int row = 1; row <= kx::ThemeStyleCount; ++row) {
    const auto style = static_cast<TkvUIStyle>(row);
    const Look& look = LookOf(style);
    for (int entry = 1; entry <= kx::ThemeEntryCount; ++entry) {
      const std::string name = kx::ThemeResourceName(style, entry);
      if (!name.empty() && !out.Has(name)) out.Bitmap(name, Bmp24(PictureOfEntry(look, entry)));
    }
  }
  out.Bitmap("MACOS_FORM_BACKGROUND", Bmp24(FormBackground(TkvUIStyle::MacOS)));
  out.Bitmap("PROTEIN_FORM_BACKGROUND", Bmp24(FormBackground(TkvUIStyle::Protein)));
  out.Bitmap("MACOS_MENU_BAR", Bmp24(MacMenuBar()));
  out.Bitmap("MACOS_MENU_SELECT", Bmp24(MacMenuSelect()));
  out.Bitmap("MACOS_COMBOBOX_BUTTON", Bmp24(MacComboButton()));
  out.Bitmap("FONTCOMBO_TRUETYPE_FNT", BmpIndexed(FontTrueType(), StandardPalette16()));
  out.Bitmap("FONTCOMBO_DEVICE_FNT", BmpIndexed(FontDevice(), StandardPalette16()));
  out.Bitmap("SIDECHANNEL_BAR_NORMAL", Bmp24(SideBar(false)));
  out.Bitmap("SIDECHANNEL_BAR_MOUSEON", Bmp24(SideBar(true)));
  out.Bitmap("SIDECHANNEL_BTN_NOONTOP", BmpIndexed(PinUp(), {Fuchsia, Black}));
  out.Bitmap("SIDECHANNEL_BTN_ONTOP", BmpIndexed(PinDown(), {Fuchsia, Black}));
  if (out.written.size() != ExpectedBitmaps)
    throw std::logic_error("drew " + std::to_string(out.written.size()) + " bitmaps, not " +
                           std::to_string(ExpectedBitmaps));

  out.Write("MAINICON.ico", IconFile({AppIcon(16), AppIcon(32)}));
  out.script += "MAINICON ICON \"" + (out.folder / "MAINICON.ico").generic_string() + "\"\n";

  // The script last: its date tells the build that the pictures are complete.
  std::ofstream rc(out.folder / "SkinPictures.rc", std::ios::trunc);
  rc << "// Generated by MakeSkinPictures: the skin pictures and the program's icon.\n" << out.script;
  rc.close();
  if (!rc) throw std::runtime_error("cannot write the resource script");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeSkinPictures <output folder>\n");
    return 2;
  }
  try {
    Run(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "MakeSkinPictures: error: %s\n", e.what());
    return 1;
  }
  return 0;
}
