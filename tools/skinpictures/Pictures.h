// The skin pictures of the five looks, drawn by the build.
//
// Each look has one palette, taken from its row of the style table (form
// border and colour, control border and colour, selection colours), and the
// picture sizes the controls are laid out by. The designs are flat and
// clean; what the drawing code keys out is fixed per picture:
//   push buttons: Fuchsia only outside the rounded corners (MacOS, BlueGlass);
//   radio buttons: Fuchsia outside the circle, the top-left pixel included;
//   keyed title-bar buttons (Protein, BlueGlass), font-list and pin glyphs:
//     the bottom-left pixel's colour (Fuchsia);
//   tabs: Fuchsia, top-left pixel and outer thirds only; menu tick: white;
//   everything else is opaque and holds no Fuchsia.
#pragma once

#include <string>
#include <vector>

#include "BmpFile.h"
#include "Raster.h"
#include "skin/look/KVThemes.h"

namespace skinpictures {

struct Size {
  int w = 0, h = 0;
};

struct Look {
  kx::TkvUIStyle style;
  // Picture sizes.
  Size button, check, radio, checkList, progress, progressV;
  Size titleLeft, titleClient, titleRight, titleButton;
  Size tab, tabLine, trackBar, slider, sliderV, scrollButton, scrollTrack;
  int titleButtonTop = 0;
  bool keyedButtons = false;       // push buttons drawn over the parent
  bool keyedTitleButtons = false;  // title-bar buttons keyed on their bottom-left pixel

  // The palette.
  Rgb formBorder, face, controlBorder, controlFace, selection, selectionLight;
  Rgb trackFace, scrollFace;
  Rgb edge;    // outline of buttons, boxes and thumbs
  Rgb ink;     // ticks, dots and arrows
  Rgb accent;  // filled parts: progress, thumbs, sliders
};

const Look& LookOf(kx::TkvUIStyle style);

enum class State { Normal, MouseOn, MouseDown, Disabled };
enum class TitleGlyph { Close, Max, Min, Help, ControlBox, Restore };

// Colour of row y of the style's title bar (all sections share it).
Rgb TitleRow(const Look& look, int y);

Image PushButton(const Look& look, State state);
Image CheckBox(const Look& look, State state, bool checked);
Image RadioButton(const Look& look, State state, bool checked);
Image CheckListItem(const Look& look, bool enabled, bool checked);

Image TitleLeft(const Look& look);
Image TitleClient(const Look& look);
Image TitleRight(const Look& look);
Image TitleButton(const Look& look, TitleGlyph glyph, State state);

Image ProgressBar(const Look& look, bool vertical);
Image Tab(const Look& look, bool active);
Image TabLine(const Look& look);
Image TrackBar(const Look& look);
Image TrackSlider(const Look& look, bool vertical);
Image ScrollButton(const Look& look, bool up, State state);
Image ScrollThumb(const Look& look);

// Pictures outside the style table.
Image FormBackground(kx::TkvUIStyle style);  // MacOS and Protein, 8 x 8
Image MacMenuBar();                          // 1 x 22
Image MacMenuSelect();                       // 1 x 21
Image MacComboButton();                      // 16 x 17
Image MenuChecked();                         // 16 x 16, keyed on white
Image FontTrueType();                        // 20 x 12, 16 colours
Image FontDevice();                          // 20 x 12, 16 colours
Image SideBar(bool hover);                   // 8 x 172
Image PinUp();                               // 7 x 9, two colours
Image PinDown();                             // 8 x 7, two colours
IconImage AppIcon(int size);

// Shared drawing helpers of the picture families.
namespace draw {
// A shape's coverage set in one colour where it covers at least half a pixel.
void FillHard(Image& image, const Shape& shape, Rgb c);
// The glyph of a title-bar button over the square [x0, x0 + size) x [y0, y0 + size).
Shape Glyph(TitleGlyph glyph, double x0, double y0, double size);
// A tick in the box [x0, x0 + size) x [y0, y0 + size).
Shape Tick(double x0, double y0, double size);
}  // namespace draw

}  // namespace skinpictures
