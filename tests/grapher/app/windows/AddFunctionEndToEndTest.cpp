// The main road through the program's real windows: Add on the main window,
// y = f(x) in the kind chooser, sin(x) typed into the formula dialog,
// "Đồng ý", and the curve in the picture the capture button saves.
#include <cmath>
#include <cstdlib>

#include "DialogWindowsTest.h"
#include "MainWindowFixture.h"
#include "app/model/MainU_Funcs.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/controls/KVMemo.h"

using namespace kx;

namespace {

template <class T>
T& Named(TComponent& form, const char* name) {
  T* found = dynamic_cast<T*>(form.FindComponent(name));
  if (!found) throw EComponentError(std::string("no ") + name);
  return *found;
}

// Pixels of the colour within a few pixels of (x, y).
bool ColourNear(const testsupport::Picture& picture, double x, double y, unsigned colour) {
  const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
  for (int py = cy - 1; py <= cy + 1; ++py)
    for (int px = cx - 1; px <= cx + 1; ++px)
      if (px >= 0 && py >= 0 && px < picture.width && py < picture.height && (picture.At(px, py) & 0xFFFFFF) == colour)
        return true;
  return false;
}

class AddFunction : public mainwindow::MainWindow {
 protected:
  static void SetUpTestSuite() {
    MainWindow::SetUpTestSuite();
    dialogtesting::MakeDialogs();
  }
  void SetUp() override {
    MainWindow::SetUp();
    DeleteFileA("Pic0.png");
  }
  void TearDown() override {
    DeleteFileA("Pic0.png");
    MainWindow::TearDown();
  }
};

}  // namespace

TEST_F(AddFunction, SinXTypedAfterAddIsListedAndDrawn) {
  ShowWindow();
  dialogtesting::ModalScript script;
  script.Then(*SelFTypeForm, [] { dialogtesting::Click(Named<TkvButton>(*SelFTypeForm, "btnFType1")); })
      .Then(*FInForm, [] {
        TkvMemo& formula = Named<TkvMemo>(*FInForm, "meFInput1");
        formula.SetFocus();
        formula.SelectAll();
        SendMessageA(formula.Handle(), WM_CLEAR, 0, 0);
        dialogtesting::Type(formula, "sin(x)");
        dialogtesting::Click(Named<TkvButton>(*FInForm, "btnOK"));
      });
  script.Run([&] { Click(*Find<TkvButton>("BtnAddFunc")); });

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
  auto* capture = Find<TkvButton>("btnCapture");
  SendMessageA(capture->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageA(capture->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  Drain();
  testsupport::Picture picture;
  ASSERT_TRUE(testsupport::LoadPng("Pic0.png", picture));
  testsupport::SavePng(picture, "end_to_end_sin.png");
  const unsigned colour = mainwindow::Rgb(entry.Color);
  for (double x : {-12.0, -6.0, -4.2, 4.4, 7.0, 13.0})
    EXPECT_TRUE(ColourNear(picture, 305 + 20 * x, 200 - 20 * std::sin(x), colour)) << "sin at " << x;
}
