// The main window's view state, layout and mode texts, without a window.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/model/MainU_View.h"
#include "framework/core/Tcvn3.h"

using namespace kx;

namespace {

std::map<std::string, TPlacement> ByControl(const std::vector<TPlacement>& placements) {
  std::map<std::string, TPlacement> byName;
  for (const TPlacement& p : placements) EXPECT_TRUE(byName.emplace(p.Control, p).second) << p.Control;
  return byName;
}

}  // namespace

TEST(ViewState, StartsIn2DWithTheDefaultScales) {
  const TViewState state;
  EXPECT_TRUE(state.Is2DMode);
  EXPECT_EQ(state.OffsetX, 0);
  EXPECT_EQ(state.OffsetY, 0);
  EXPECT_EQ(state.ScaleX, 20.0);
  EXPECT_EQ(state.ScaleY, 20.0);
  EXPECT_EQ(state.AspectXY, 1.0);
  EXPECT_FALSE(state.EvalPanelOpen);
  EXPECT_FALSE(state.EvalPanelFloating);
  EXPECT_EQ(&ViewState(), &ViewState());
}

TEST(ViewState, ViewerSizeFromTheClientArea) {
  struct Case {
    int clientW, clientH;
    bool open, floating;
    int viewW, viewH;
  };
  const Case cases[] = {
      {611, 601, false, false, 603, 400},  // the window as it opens, panel closed
      {802, 601, true, false, 604, 400},   // docked panel
      {802, 601, true, true, 794, 400},    // floating panel leaves the width to the viewer
      {801, 602, false, false, 793, 401},  // odd sizes centre by integer division
  };
  for (const Case& c : cases) {
    TViewState state;
    state.EvalPanelOpen = c.open;
    state.EvalPanelFloating = c.floating;
    state.SizeView(c.clientW, c.clientH);
    SCOPED_TRACE(c.clientW);
    EXPECT_EQ(state.ViewW, c.viewW);
    EXPECT_EQ(state.ViewH, c.viewH);
    EXPECT_EQ(state.CenterX, c.viewW / 2);
    EXPECT_EQ(state.CenterY, c.viewH / 2);
  }
}

TEST(ViewState, ViewerNeverSmallerThanOnePixel) {
  struct Case {
    int clientW, clientH;
    bool docked;
  };
  // A low window, a window without client area, a narrow one with the panel docked.
  const Case cases[] = {{611, 150, false}, {611, 201, false}, {0, 0, false}, {150, 601, true}, {198, 601, true}};
  for (const Case& c : cases) {
    TViewState state;
    state.EvalPanelOpen = c.docked;
    state.SizeView(c.clientW, c.clientH);
    SCOPED_TRACE(std::to_string(c.clientW) + "x" + std::to_string(c.clientH));
    EXPECT_GE(state.ViewW, 1);
    EXPECT_GE(state.ViewH, 1);
    EXPECT_GE(state.CenterX, 0);
    EXPECT_GE(state.CenterY, 0);
  }
  TViewState docked;
  docked.EvalPanelOpen = true;
  docked.SizeView(199, 202);
  EXPECT_EQ(docked.ViewW, 1);
  EXPECT_EQ(docked.ViewH, 1);
}

TEST(ViewState, ResizingKeepsThePanAndRecentres) {
  TViewState state;
  state.SizeView(611, 601);
  state.OffsetX = 35;
  state.OffsetY = -12;
  EXPECT_EQ(state.OriginX(), 301 + 35);
  EXPECT_EQ(state.OriginY(), 200 - 12);
  state.SizeView(1011, 801);
  EXPECT_EQ(state.OffsetX, 35);
  EXPECT_EQ(state.OffsetY, -12);
  EXPECT_EQ(state.CenterX, 501);
  EXPECT_EQ(state.CenterY, 300);
  EXPECT_EQ(state.OriginX(), 536);
  EXPECT_EQ(state.OriginY(), 288);
}

TEST(MainLayout, PanelFollowsTheRightEdgeAndRowsTheBottom) {
  const auto layout = ByControl(MainLayout(802, 601));
  EXPECT_EQ(layout.size(), 26u);
  struct Expected {
    const char* control;
    TPlacement::TEdge edge;
    int value;
  };
  // B = 601 - 169 = 432; the panel's left edge is 802 - 193 = 609.
  const Expected expected[] = {
      {"pgEval", TPlacement::Left, 609},      {"btnEvalOff", TPlacement::Left, 609},
      {"btnEvalForm", TPlacement::Left, 625}, {"lbEvalFunc", TPlacement::Left, 640},
      {"btn2D", TPlacement::Top, 432},        {"btn3D", TPlacement::Top, 432},
      {"gbDshs", TPlacement::Top, 432},       {"btnZoomIn", TPlacement::Top, 432},
      {"BtnZoomOut", TPlacement::Top, 432},   {"gbCachve", TPlacement::Top, 432},
      {"btnUp", TPlacement::Top, 472},        {"BtnAddFunc", TPlacement::Top, 496},
      {"BtnDelFunc", TPlacement::Top, 496},   {"BtnEditFunc", TPlacement::Top, 496},
      {"cbShowNum", TPlacement::Top, 496},    {"btnCapture", TPlacement::Top, 498},
      {"btnLeft", TPlacement::Top, 500},      {"btnRight", TPlacement::Top, 500},
      {"cbBkGround", TPlacement::Top, 520},   {"btnDown", TPlacement::Top, 528},
      {"btnSave", TPlacement::Top, 544},      {"btnLoad", TPlacement::Top, 544},
      {"btnEval", TPlacement::Top, 544},      {"cbShowLine", TPlacement::Top, 544},
      {"btnAbout", TPlacement::Top, 560},     {"cbShowGrid", TPlacement::Top, 568},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.control);
    const auto it = layout.find(e.control);
    ASSERT_NE(it, layout.end());
    EXPECT_EQ(it->second.Edge, e.edge);
    EXPECT_EQ(it->second.Value, e.value);
  }
  // Growing the window by 100 x 50 moves every control by as much.
  const auto grown = ByControl(MainLayout(902, 651));
  for (const auto& [name, p] : layout)
    EXPECT_EQ(grown.at(name).Value, p.Value + (p.Edge == TPlacement::Left ? 100 : 50)) << name;
}

TEST(ModeOptions, CaptionsOfTheOptionBoxesInEachMode) {
  const TModeOptions& plane = ModeOptions(true);
  EXPECT_EQ(Tcvn3ToUtf8(plane.raKDuong), "Kiểu đường");
  EXPECT_EQ(Tcvn3ToUtf8(plane.raKDiem), "Kiểu điểm");
  EXPECT_EQ(Tcvn3ToUtf8(plane.cbShowLine), "Hiện vạch chia");
  EXPECT_EQ(Tcvn3ToUtf8(plane.cbBkGround), "Đổi mầu nền");
  EXPECT_TRUE(plane.ShowNumEnabled);
  const TModeOptions& space = ModeOptions(false);
  EXPECT_EQ(Tcvn3ToUtf8(space.raKDuong), "Kiểu mặt");
  EXPECT_EQ(Tcvn3ToUtf8(space.raKDiem), "Kiểu đường");
  EXPECT_EQ(Tcvn3ToUtf8(space.cbShowLine), "Hiện trục tọa độ");
  EXPECT_EQ(Tcvn3ToUtf8(space.cbBkGround), "Đảo pha sáng");
  EXPECT_FALSE(space.ShowNumEnabled);
}
