// The main road through the program's real windows: Add on the main window,
// y = f(x) in the kind chooser, sin(x) typed into the formula dialog,
// "Đồng ý", and the curve in the picture the capture button saves; measured
// points sorted and fitted in the data dialog, and a circle from the
// chooser's template, each in its saved picture.
#include <cmath>
#include <cstdlib>

#include "EndToEndFixture.h"
#include "app/model/MainU_Funcs.h"
#include "app/windows/ThNghiemU.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/ValEdit.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVMemo.h"

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
using endtoend::Named;

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

namespace {

// The experimental-data dialog, made as the program's start-up makes it.
void MakeDataDialog() {
  if (!TNForm) TNForm = TCustomForm::Create<TTNForm>(nullptr);
}

// The capture button's right click saves the view as Pic0.png.
testsupport::Picture SavedView(TkvButton& capture, const char* look) {
  SendMessageA(capture.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageA(capture.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  Application->ProcessMessages();
  testsupport::Picture picture;
  EXPECT_TRUE(testsupport::LoadPng("Pic0.png", picture));
  testsupport::SavePng(picture, look);
  return picture;
}

}  // namespace

TEST_F(AddFunction, MeasuredPointsSortedAndFittedByAParabola) {
  MakeDataDialog();
  ShowWindow();
  dialogtesting::ModalScript script;
  script.Then(*SelFTypeForm, [] { dialogtesting::Click(Named<TkvButton>(*SelFTypeForm, "btnHamTN")); })
      .Then(*TNForm, [] {
        // The points as typed, out of order.
        auto& table = Named<TValueListEditor>(*TNForm, "TNVal");
        for (const char* row : {"3=8.8", "-1=1.2", "0=0.1", "2=4.1", "-3=9.5", "1=0.9", "-2=3.7"})
          table.Strings()->Add(row);
        dialogtesting::Click(Named<TkvButton>(*TNForm, "btnSort"));
        Named<TUpDown>(*TNForm, "UpDown1").SetPosition(2);
        dialogtesting::Click(Named<TkvRadioButton>(*TNForm, "rbDTBN"));
        dialogtesting::Click(Named<TkvButton>(*TNForm, "btnOK"));
      });
  script.Run([&] { Click(*Find<TkvButton>("BtnAddFunc")); });

  TFuncModel& model = FuncModel();
  ASSERT_EQ(model.Count2D, 1);
  const TFuncRec& entry = model.List2D[1];
  EXPECT_EQ(entry.FuncName, "Ham so TN 1");
  EXPECT_EQ(entry.DrawType, 3);
  EXPECT_EQ(entry.BacPT, 2);
  ASSERT_EQ(entry.TNCount(), 7);
  for (int i = 1; i < 7; ++i) EXPECT_LT(entry.TNPoints[i - 1].X, entry.TNPoints[i].X);
  ASSERT_EQ(entry.HeSo.size(), 3u);
  EXPECT_NEAR(static_cast<double>(entry.HeSo[2]), 1, 0.1);

  // The parabola and the points in the record's colour: origin in the
  // middle, 20 pixels a unit.
  const testsupport::Picture picture =
      SavedView(*Find<TkvButton>("btnCapture"), "end_to_end_least_squares.png");
  const unsigned colour = mainwindow::Rgb(entry.Color);
  // The curve spans the points, from the first abscissa to the last.
  for (double x : {-2.8, -2.5, -1.5, -0.5, 0.5, 1.5, 2.5, 2.8}) {
    const double y = static_cast<double>(entry.HeSo[0] + entry.HeSo[1] * x + entry.HeSo[2] * x * x);
    EXPECT_TRUE(ColourNear(picture, 305 + 20 * x, 200 - 20 * y, colour)) << "curve at " << x;
  }
  for (const TTNPoint& p : entry.TNPoints)
    EXPECT_TRUE(ColourNear(picture, 305 + 20 * static_cast<double>(p.X), 200 - 20 * static_cast<double>(p.Y), colour))
        << "point at " << static_cast<double>(p.X);
}

TEST_F(AddFunction, CircleTemplateFromTheChooser) {
  ShowWindow();
  dialogtesting::ModalScript script;
  script.Then(*SelFTypeForm, [] { dialogtesting::Click(Named<TkvButton>(*SelFTypeForm, "btnTron")); })
      .Then(*frmHamMau, [] {
        // A comma first: refused, and the form comes back with the texts.
        for (int i = 1; i <= 3; ++i) frmHamMau->ed(i)->SetText(i == 1 ? "1" : i == 2 ? "-2" : "3,5");
        dialogtesting::Click(*frmHamMau->btnOK());
      })
      .Then(*frmHamMau, [] {
        EXPECT_EQ(frmHamMau->ed(3)->Text(), "3,5");
        frmHamMau->ed(3)->SetText("3");
        dialogtesting::Click(*frmHamMau->btnOK());
      })
      .Then(*FInForm, [] {
        EXPECT_EQ(Named<TkvMemo>(*FInForm, "meFInput1").Text(), "3*Cos(t)");
        dialogtesting::Click(Named<TkvButton>(*FInForm, "btnOK"));
      });
  std::vector<std::string> warnings;
  SelFTypeForm->WarningBox = [&](TControl*, const std::string& text, const std::string& caption) {
    warnings.push_back(text + " / " + caption);
  };
  script.Run([&] { Click(*Find<TkvButton>("BtnAddFunc")); });
  SelFTypeForm->WarningBox = ShowWarningBox;
  EXPECT_EQ(warnings, (std::vector<std::string>{"Nhap sai so / Error"}));

  TFuncModel& model = FuncModel();
  ASSERT_EQ(model.Count2D, 1);
  const TFuncRec& entry = model.List2D[1];
  EXPECT_EQ(entry.FuncType, 5);
  EXPECT_EQ(entry.Func[2], "3*Sin(t)");
  EXPECT_EQ(entry.RelX, 1);
  EXPECT_EQ(entry.RelY, -2);

  // The circle of radius 3 around (1, -2).
  const testsupport::Picture picture = SavedView(*Find<TkvButton>("btnCapture"), "end_to_end_circle.png");
  const unsigned colour = mainwindow::Rgb(entry.Color);
  for (double t = 0.3; t < 6.2; t += 0.7)
    EXPECT_TRUE(ColourNear(picture, 305 + 20 * (1 + 3 * std::cos(t)), 200 - 20 * (-2 + 3 * std::sin(t)), colour))
        << "circle at t " << t;
}
