// The skinned grids: colours by style and from a form resource, and the
// cells as DrawCell paints them on a memory canvas.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/FormResources.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVGrid.h"
#include "SkinStandIn.h"

using namespace kx;

namespace {

// Opens DrawCell to the test.
template <class Grid>
class OpenGrid : public Grid {
 public:
  using Grid::DrawCell;
  using Grid::Grid;
};

template <class Grid>
TColor DrawnCellColor(Grid& grid, TBitmap& target, int col, int row, TGridDrawState state) {
  target.SetSize(64, 24);
  target.Canvas()->Brush()->SetColor(clHighlight);  // what the framework's fill left
  target.Canvas()->FillRect(RECT{0, 0, 64, 24});
  {
    TCanvasOnDC on(*grid.Canvas(), target.Canvas()->Handle());
    grid.DrawCell(col, row, RECT{0, 0, 64, 24}, state);
  }
  return target.Canvas()->Pixel(60, 20) & 0xFFFFFF;
}

class Grids : public testing::Test {
 protected:
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  TForm* form_ = nullptr;
};

}  // namespace

TEST_F(Grids, NewStringGridOnAMacOSForm) {
  form_ = skintest::NewStyledForm(TkvUIStyle::MacOS);
  auto* grid = new TkvStringGrid(form_);
  EXPECT_EQ(grid->UIStyle(), TkvUIStyle::MacOS);
  EXPECT_EQ(grid->Color(), 0xE7E7E7);
  EXPECT_EQ(grid->FixedColor(), 0xC47339);
  EXPECT_EQ(grid->FixedFontColor(), 0xFFFFFF);
  EXPECT_EQ(grid->FontColor(), 0);
  EXPECT_EQ(grid->BorderColor(), 0x7F7F7F);
  EXPECT_EQ(grid->FocusedColor(), clLime);
  EXPECT_EQ(grid->SelectedColor(), clYellow);
  EXPECT_FALSE(grid->Ctl3D());
  EXPECT_EQ(std::get<int64_t>(GetPropValue(*grid, "Ctl3D")), 0);

  auto* draw = new TkvDrawGrid(form_);
  EXPECT_EQ(draw->FocusedColor(), clGreen);
  EXPECT_EQ(draw->SelectedColor(), clYellow);
  EXPECT_EQ(draw->Color(), 0xE7E7E7);
}

TEST_F(Grids, CustomKeepsEveryColour) {
  form_ = skintest::NewStyledForm(TkvUIStyle::WinXP);
  auto* grid = new TkvStringGrid(form_);
  const TColor color = grid->Color(), fixed = grid->FixedColor(), border = grid->BorderColor();
  grid->SetUIStyle(TkvUIStyle::Custom);
  EXPECT_EQ(grid->UIStyle(), TkvUIStyle::Custom);
  EXPECT_EQ(grid->Color(), color);
  EXPECT_EQ(grid->FixedColor(), fixed);
  EXPECT_EQ(grid->BorderColor(), border);
}

TEST_F(Grids, CellsAreFilledByTheirState) {
  form_ = skintest::NewStyledForm(TkvUIStyle::DeepBlue);
  auto* strings = new OpenGrid<TkvStringGrid>(form_);
  auto* draws = new OpenGrid<TkvDrawGrid>(form_);
  for (auto* g : {static_cast<TCustomGrid*>(strings), static_cast<TCustomGrid*>(draws)}) g->SetColor(0x102030);
  strings->SetSelectedColor(0x00AA00);
  strings->SetFocusedColor(0x0000AA);
  draws->SetSelectedColor(0x00AA00);
  draws->SetFocusedColor(0x0000AA);
  struct Case {
    TGridDrawState state;
    TColor expected;
  } cases[] = {
      {TGridDrawState{gdSelected}, 0x00AA00},
      {TGridDrawState{gdFocused}, 0x0000AA},
      {TGridDrawState{gdSelected, gdFocused}, 0x0000AA},
      {TGridDrawState{}, 0x102030},
  };
  TBitmap target;
  for (const Case& c : cases) {
    EXPECT_EQ(DrawnCellColor(*strings, target, 1, 1, c.state), c.expected) << c.state.Bits();
    EXPECT_EQ(DrawnCellColor(*draws, target, 1, 1, c.state), c.expected) << c.state.Bits();
  }
  // A fixed cell keeps the framework's fill.
  EXPECT_EQ(DrawnCellColor(*strings, target, 0, 0, TGridDrawState{gdFixed}), ColorToRGB(clHighlight));
}

TEST_F(Grids, FixedCellTextInFixedFontColor) {
  form_ = skintest::NewStyledForm(TkvUIStyle::MacOS);
  auto* grid = new OpenGrid<TkvStringGrid>(form_);
  grid->SetCells(0, 0, "WWWW");
  grid->SetFixedFontColor(0x0000FF);
  grid->SetFontColor(0xFF0000);
  TBitmap target;
  DrawnCellColor(*grid, target, 0, 0, TGridDrawState{gdFixed});
  int red = 0, blue = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 64; ++x) {
      const TColor c = target.Canvas()->Pixel(x, y) & 0xFFFFFF;
      red += c == 0x0000FF;
      blue += c == 0xFF0000;
    }
  EXPECT_GT(red, 10);
  EXPECT_EQ(blue, 0);
}

namespace {

class TDataForm : public TForm {
  KX_CLASS(TDataForm, TForm)
 public:
  using TForm::TForm;
};
KX_PUBLISH(TDataForm) {}

// The data dialog's grid: colours before the style, its own after it.
const char kDataText[] = R"(object DataForm: TDataForm
  Width = 400
  Height = 200
  object gridHS: TkvStringGrid
    Left = 8
    Top = 8
    Width = 300
    Height = 60
    ColCount = 4
    RowCount = 2
    Color = 15198183
    FixedColor = 12874553
    UIStyle = MacOS
    BorderColor = clTeal
    FocusedColor = clLime
    SelectedColor = clLime
    FixedFontColor = clWhite
    FontColor = clBlue
  end
end
)";

}  // namespace

TEST_F(Grids, GraphersGridResourceEndsWithItsOwnColours) {
  RegisterControlClasses();
  RegisterClasses({&TDataForm::StaticClass()});
  auto* data = TCustomForm::Create<TDataForm>(nullptr);
  form_ = data;
  ReadComponentText(*data, kDataText, "data");
  auto* grid = dynamic_cast<TkvStringGrid*>(data->FindComponent("gridHS"));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->Color(), 0xE7E7E7);
  EXPECT_EQ(grid->FixedColor(), 0xC47339);
  EXPECT_EQ(grid->BorderColor(), clTeal);
  EXPECT_EQ(grid->FocusedColor(), clLime);
  EXPECT_EQ(grid->SelectedColor(), clLime);
  EXPECT_EQ(grid->FixedFontColor(), clWhite);
  EXPECT_EQ(grid->FontColor(), clBlue);
  grid->SetCells(0, 0, "a0");
  grid->SetCells(1, 1, "1.5");
  data->Show();
  Application->ProcessMessages();
  // The frame's outer ring in BorderColor on the window's corner.
  HDC dc = GetWindowDC(grid->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 0), COLORREF(clTeal));
  ReleaseDC(grid->Handle(), dc);
}
