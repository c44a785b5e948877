// Space functions and function-list files through the program's real
// windows: a surface added through the kind chooser and the formula dialog
// and drawn lit in 3D, saved, cleared and loaded back into the same list and
// the same picture, and a file named on the program's command line.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "EndToEndFixture.h"
#include "app/model/MainU_FuncFile.h"
#include "app/model/MainU_Funcs.h"
#include "skin/controls/KVCheckListBox.h"

using namespace kx;

namespace {

const char* const kListFile = "e2e_surface.fls";

// A pixel of a lit surface of the first space colour (red 0x10, green 0x84,
// blue 0xD0, scaled by its lighting): blue above green well above red. The
// grids are red, green-yellow and blue with red equal to green.
bool SurfaceColoured(unsigned pixel) {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return b > 60 && b > g && g > r + 24;
}

struct SurfaceArea {
  int pixels = 0;
  RECT bounds{INT_MAX, INT_MAX, -1, -1};
};

SurfaceArea FindSurface(const testsupport::Picture& picture) {
  SurfaceArea area;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (SurfaceColoured(picture.At(x, y))) {
        ++area.pixels;
        area.bounds.left = std::min<LONG>(area.bounds.left, x), area.bounds.top = std::min<LONG>(area.bounds.top, y);
        area.bounds.right = std::max<LONG>(area.bounds.right, x), area.bounds.bottom = std::max<LONG>(area.bounds.bottom, y);
      }
  return area;
}

// The surface covers a good part of the view around its centre, where the
// camera looks at the origin it spans.
void ExpectSurfaceAroundTheCentre(const testsupport::Picture& picture) {
  const SurfaceArea area = FindSurface(picture);
  EXPECT_GT(area.pixels, picture.width * picture.height / 20);
  EXPECT_LT(area.bounds.left, picture.width / 2);
  EXPECT_GT(area.bounds.right, picture.width / 2);
  EXPECT_LT(area.bounds.top, picture.height / 2);
  EXPECT_GT(area.bounds.bottom, picture.height / 2);
}

// The largest visible child window seen so far.
struct LargestWindow {
  RECT rect{0, 0, 0, 0};
  long area = 0;
};

BOOL CALLBACK KeepLargest(HWND child, LPARAM found) {
  RECT r;
  if (!IsWindowVisible(child) || !GetWindowRect(child, &r)) return TRUE;
  LargestWindow& largest = *reinterpret_cast<LargestWindow*>(found);
  const long area = (r.right - r.left) * (r.bottom - r.top);
  if (area > largest.area) largest.area = area, largest.rect = r;
  return TRUE;
}

// The screen rectangle of the largest visible child of a window: the
// grapher's viewer.
RECT LargestChild(HWND parent) {
  LargestWindow largest;
  EnumChildWindows(parent, KeepLargest, reinterpret_cast<LPARAM>(&largest));
  return largest.rect;
}

// What the screen shows of a program's viewer.
testsupport::Picture CaptureViewer(HWND main) {
  RECT window, viewer = LargestChild(main);
  GetWindowRect(main, &window);
  const RECT area{viewer.left - window.left, viewer.top - window.top, viewer.right - window.left,
                  viewer.bottom - window.top};
  return testsupport::Crop(testsupport::CaptureWindow(main), area);
}

std::string ReadText(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Dialogs that only keep the warnings shown.
struct WarningLog : TFuncDialogs {
  std::vector<std::string> warnings, captions;
  TModalResult ShowKindChooser() override { return mrCancel; }
  TModalResult ShowFuncDialog() override { return mrCancel; }
  TModalResult ShowTNDialog() override { return mrCancel; }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    warnings.push_back(text);
    captions.push_back(caption);
  }
};

// Pixels for which the test holds.
template <class Test>
int Count(const testsupport::Picture& picture, Test&& test) {
  int n = 0;
  for (unsigned pixel : picture.pixels) n += test((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF) ? 1 : 0;
  return n;
}

class FuncFiles : public endtoend::EndToEnd {
 protected:
  // A space record compiled and stored by the driver, its first and second
  // variable over the given ranges by 0.1.
  void AddSpace(int32_t kind, std::vector<std::string> formulas, TColor color, double last1, double last2) {
    TFuncRec& f = FuncModel().CurFunc;
    f = TFuncRec();
    f.FuncType = kind, f.Shown = true, f.LineWidth = 2, f.Color = color, f.FuncName = formulas[0];
    f.First1 = 0, f.Last1 = last1, f.Step1 = 0.1, f.First2 = 0, f.Last2 = last2, f.Step2 = 0.1;
    for (size_t j = 0; j < formulas.size(); ++j) f.Func[int(j) + 1] = formulas[j];
    FuncModel().IsNewFunc = true;
    ASSERT_TRUE(form_->Driver().AddOrEditFunc(0, true)) << formulas[0];
  }
  void SetUp() override {
    EndToEnd::SetUp();
    DeleteFileA(kListFile);
  }
  void TearDown() override {
    DeleteFileA(kListFile);
    EndToEnd::TearDown();
  }
};

}  // namespace

TEST_F(FuncFiles, ASurfaceIsDrawnLitSavedAndLoadedBack) {
  ShowWindow();
  Click(*Find<TkvButton>("btn3D"));
  const testsupport::Picture empty = Capture("end_to_end_3d_empty.png");
  EXPECT_LT(FindSurface(empty).pixels, 50);

  AddThroughDialogs("btnFType7", "sin(x)*cos(y)");

  TFuncModel& model = FuncModel();
  ASSERT_EQ(model.Count3D, 1);
  EXPECT_FALSE(ViewState().Is2DMode);
  const TFuncRec& entry = model.List3D[1];
  EXPECT_EQ(entry.FuncType, 7);
  EXPECT_EQ(entry.Color, ColorTable3D[1]);
  const testsupport::Picture drawn = Capture("end_to_end_3d_surface.png");
  ExpectSurfaceAroundTheCentre(drawn);

  // Save, then delete the entry: the view is empty again.
  form_->ChooseSaveFile = [](std::string& name) {
    name = kListFile;
    return true;
  };
  Click(*Find<TkvButton>("btnSave"));
  const std::string saved = ReadText(kListFile);
  EXPECT_NE(saved.find("\r\n3D:1\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\r\nFunc1=sin(x)*cos(y)\r\n"), std::string::npos) << saved;
  auto* list = Find<TkvCheckListBox>("FuncListBox");
  list->SetItemIndex(0);
  Click(*Find<TkvButton>("BtnDelFunc"));
  ASSERT_EQ(model.Count3D, 0);
  EXPECT_LT(FindSurface(Capture("end_to_end_3d_cleared.png")).pixels, 50);

  // Load from the plane view: the same entry, the view in 3D, the same picture.
  Click(*Find<TkvButton>("btn2D"));
  form_->ChooseLoadFile = [](std::string& name) {
    name = kListFile;
    return true;
  };
  Click(*Find<TkvButton>("btnLoad"));
  ASSERT_EQ(model.Count3D, 1);
  const TFuncRec& loaded = model.List3D[1];
  EXPECT_EQ(loaded.FuncName, "Ham so 3D 1");
  EXPECT_EQ(loaded.Func[1], "sin(x)*cos(y)");
  EXPECT_EQ(loaded.Color, ColorTable3D[1]);
  EXPECT_EQ((std::array<double, 6>{loaded.First1, loaded.Last1, loaded.Step1, loaded.First2, loaded.Last2,
                                    loaded.Step2}),
            (std::array<double, 6>{-5, 5, 0.1, -5, 5, 0.1}));
  EXPECT_FALSE(ViewState().Is2DMode);
  ASSERT_EQ(list->Items()->Count(), 1);
  EXPECT_TRUE(list->Checked(0));
  const testsupport::Picture reloaded = Capture("end_to_end_3d_reloaded.png");
  EXPECT_TRUE(reloaded.pixels == drawn.pixels);

}

TEST_F(FuncFiles, ASpaceCurveAndASphereShowInTheirColours) {
  ShowWindow();
  AddSpace(6, {"3*cos(2*t)", "3*sin(2*t)", "t/2-2"}, 0x00FF00, 8, 0);
  AddSpace(8, {"2*sin(u)*cos(v)", "2*sin(u)*sin(v)", "2*cos(u)+1"}, 0x00FFFF, 3.1416, 6.2832);
  // The helix keeps its lime from every side; the sphere is yellow, lit.
  auto lime = [](int r, int g, int b) { return g > 200 && r < 100 && b < 100; };
  auto yellow = [](int r, int g, int b) { return r > 90 && std::abs(r - g) < 30 && b < 60; };
  const testsupport::Picture filled = Capture("end_to_end_3d_curve_sphere.png");
  EXPECT_GT(Count(filled, lime), 300);
  const int sphere = Count(filled, yellow);
  EXPECT_GT(sphere, filled.width * filled.height / 30);
  // "Kiểu đường" in 3D draws the surfaces as wire frames: less of the sphere
  // is covered.
  Click(*Find<TkvRadioButton>("raKDiem"));
  const testsupport::Picture wires = Capture("end_to_end_3d_wire_sphere.png");
  EXPECT_LT(Count(wires, yellow), sphere * 3 / 4);
  EXPECT_GT(Count(wires, yellow), 300);
}

TEST_F(FuncFiles, ASaveThatFailsSaysWhyAndKeepsTheOldFile) {
  ShowWindow();
  AddThroughDriver("x", 0xFF0000, "f");
  {
    std::ofstream out(kListFile, std::ios::binary);
    out << "old";
  }
  // A file another program holds open cannot be replaced.
  HANDLE held = CreateFileA(kListFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  WarningLog log;
  form_->UseDialogs(&log);
  form_->ChooseSaveFile = [](std::string& name) {
    name = kListFile;
    return true;
  };
  Click(*Find<TkvButton>("btnSave"));
  form_->UseDialogs(nullptr);
  CloseHandle(held);
  ASSERT_EQ(log.warnings.size(), 1u);
  const std::string& text = log.warnings[0];
  EXPECT_EQ(text.rfind("Khong luu duoc file e2e_surface.fls\r\n", 0), 0u) << text;
  EXPECT_EQ(log.captions[0], "Error");
  // The system's reason closes the message.
  const size_t reason = text.rfind("\r\n") + 2;
  EXPECT_GT(text.size() - reason, 5u) << text;
  EXPECT_EQ(text.find("Cannot", reason), std::string::npos) << text;
  EXPECT_EQ(ReadText(kListFile), "old");
  WIN32_FIND_DATAA found;
  HANDLE left = FindFirstFileA("kx*.tmp", &found);
  EXPECT_EQ(left, INVALID_HANDLE_VALUE) << "a temporary file stayed behind";
  if (left != INVALID_HANDLE_VALUE) FindClose(left);
}

TEST_F(FuncFiles, AFileNamedOnTheCommandLineIsLoadedAtStart) {
  TFuncList list2D, list3D;
  TFuncRec& f = list3D[1];
  f.FuncType = 7, f.FuncName = "Mat yen ngua", f.LineWidth = 1, f.Color = ColorTable3D[1];
  f.First1 = -4, f.Last1 = 4, f.Step1 = 0.25, f.First2 = -4, f.Last2 = 4, f.Step2 = 0.25;
  f.Func[1] = "(x*x-y*y)/8";
  {
    std::ofstream out(kListFile, std::ios::binary);
    out << WriteFuncListText(list2D, 0, list3D, 1);
  }
  testsupport::ChildProcess grapher;
  ASSERT_TRUE(grapher.Start(testsupport::ProgramPath("Kurvex.exe"), kListFile));
  HWND main = testsupport::WaitForWindow("Plotvane v2.21", grapher.Id(), testsupport::kProgramStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // The surface shows once the first frames are drawn.
  testsupport::Picture shown;
  testsupport::PumpUntil(
      [&] {
        shown = CaptureViewer(main);
        return shown.width > 0 && FindSurface(shown).pixels > shown.width * shown.height / 20;
      },
      testsupport::kProgramStartTimeoutMs);
  testsupport::SavePng(shown, "end_to_end_command_line.png");
  ExpectSurfaceAroundTheCentre(shown);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(grapher.WaitForExit(testsupport::kProgramStartTimeoutMs), 0);
}
