// The main road through the program's real windows: Add on the main window,
// y = f(x) in the kind chooser, sin(x) typed into the formula dialog,
// "Đồng ý", and the curve in the picture the capture button saves.
#include <cmath>
#include <cstdlib>

#include "EndToEndFixture.h"
#include "app/model/MainU_Funcs.h"
#include "skin/controls/KVCheckListBox.h"

using namespace kx;

namespace {

// Pixels of the colour within a few pixels of (x, y).
bool ColourNear(const testsupport::Picture& picture, double x, double y, unsigned colour) {
  const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
  for (int py = cy - 1; py <= cy + 1; ++py)
    for (int px = cx - 1; px <= cx + 1; ++px)
      if (px >= 0 && py >= 0 && px < picture.width && py < picture.height && (picture.At(px, py) & 0xFFFFFF) == colour)
        return true;
  return false;
}

using AddFunction = endtoend::EndToEnd;

}  // namespace

TEST_F(AddFunction, SinXTypedAfterAddIsListedAndDrawn) {
  ShowWindow();
  AddThroughDialogs("btnFType1", "sin(x)");

  // One entry, compiled, listed and checked.
  TFuncModel& model = FuncModel();
  ASSERT_EQ(model.Count2D, 1);
  const TFuncRec& entry = model.List2D[1];
  EXPECT_EQ(entry.Func[1], "sin(x)");
  auto* list = Find<TkvCheckListBox>("FuncListBox");
  ASSERT_EQ(list->Items()->Count(), 1);
  EXPECT_TRUE(list->Checked(0));

  // The capture button's right click saves the view: the curve in the
  // entry's colour where sin puts it, origin in the middle, 20 pixels a unit.
  const testsupport::Picture picture = Capture("end_to_end_sin.png");
  const unsigned colour = mainwindow::Rgb(entry.Color);
  for (double x : {-12.0, -6.0, -4.2, 4.4, 7.0, 13.0})
    EXPECT_TRUE(ColourNear(picture, 305 + 20 * x, 200 - 20 * std::sin(x), colour)) << "sin at " << x;
}
