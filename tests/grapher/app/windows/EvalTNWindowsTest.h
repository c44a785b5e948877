// Helpers of the tests of the floating evaluation window and the
// experimental-data dialog: their component tables, the screen font, and
// what the screen shows of a window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/windows/Forms.h"
#include "framework/windows/Graphics.h"
#include "skin/frame/KVForm.h"
#include "TestSupport.h"
#include "TextPictures.h"

namespace evaltn {

// One component as the window's form resource has it. Texts are UTF-8 (the
// window holds them in TCVN3); a size of -1 is not checked (labels size
// themselves, sheets fill their page control), nor a tab order of -1, nor
// an empty hint.
struct TComponentRow {
  const char* Name;
  const char* ClassName;
  const char* Parent;
  int Left, Top, Width, Height;
  int TabOrder;
  const char* Text;  // caption or edit text; nullptr: none to check
  const char* Hint = "";
};

// Every row against the component of that name on `form`, and no component
// on the form that the table does not name (but `others`).
void ExpectComponents(kx::TForm& form, const std::vector<TComponentRow>& rows, const std::vector<std::string>& others);

// The skinned frame both windows share: `style`, a one-pixel border, the
// white bold Tahoma title with the control box and the close button,
// `caption` on frame and host, centred on the screen, the frame's size.
void ExpectFrame(kx::TForm& form, kx::TkvUIStyle style, const char* caption, int width, int height);

// Adds the screen font "kurvex.fon" beside the test programs for the whole
// test program.
void AddScreenFont();

// Shows the form and lets it paint before the screen is read.
void ShowAndSettle(kx::TForm& form);
// The whole window as the screen shows it, also saved as `png`.
testsupport::Picture Screenshot(kx::TForm& form, const std::string& png);

// True when `text`, drawn in the screen font black on white, shows with the
// same ink inside `area` of the picture (client coordinates of `form`'s frame).
bool ShowsText(const testsupport::Picture& shot, kx::TForm& form, kx::TControl& control, const std::string& text);

// The host-window position of a control's client origin.
POINT OriginInWindow(kx::TForm& form, kx::TControl& control);

// A left click near the left end of a windowed control (a check box's box)
// through its window messages.
void Click(kx::TWinControl& control);

using testsupport::OnScreen;

}  // namespace evaltn
