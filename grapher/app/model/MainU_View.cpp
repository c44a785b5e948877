#include "app/model/MainU_View.h"

#include <algorithm>

#include "app/model/Tcvn3Text.h"

namespace kx {

namespace {

// The evaluation panel's left edge lies this far from the client's right edge.
constexpr int PanelFromRight = 193;
// The rows below the viewer start this far above the client's bottom edge.
constexpr int RowsFromBottom = 169;

struct TRule {
  const char* control;
  TPlacement::TEdge edge;
  int offset;  // from the panel's left edge (Left) or from the first row (Top)
};

constexpr TRule kRules[] = {
    {"pgEval", TPlacement::Left, 0},      {"btnEvalOff", TPlacement::Left, 0},  {"btnEvalForm", TPlacement::Left, 16},
    {"lbEvalFunc", TPlacement::Left, 31}, {"btn2D", TPlacement::Top, 0},        {"btn3D", TPlacement::Top, 0},
    {"gbDshs", TPlacement::Top, 0},       {"btnZoomIn", TPlacement::Top, 0},    {"BtnZoomOut", TPlacement::Top, 0},
    {"gbCachve", TPlacement::Top, 0},     {"btnUp", TPlacement::Top, 40},       {"BtnAddFunc", TPlacement::Top, 64},
    {"BtnDelFunc", TPlacement::Top, 64},  {"BtnEditFunc", TPlacement::Top, 64}, {"cbShowNum", TPlacement::Top, 64},
    {"btnCapture", TPlacement::Top, 66},  {"btnLeft", TPlacement::Top, 68},     {"btnRight", TPlacement::Top, 68},
    {"cbBkGround", TPlacement::Top, 88},  {"btnDown", TPlacement::Top, 96},     {"btnSave", TPlacement::Top, 112},
    {"btnLoad", TPlacement::Top, 112},    {"btnEval", TPlacement::Top, 112},    {"cbShowLine", TPlacement::Top, 112},
    {"btnAbout", TPlacement::Top, 128},   {"cbShowGrid", TPlacement::Top, 136},
};

TModeOptions Options(const char* kDuong, const char* kDiem, const char* showLine, const char* bkGround, bool showNum) {
  return {Tcvn3Text(kDuong), Tcvn3Text(kDiem), Tcvn3Text(showLine), Tcvn3Text(bkGround), showNum};
}

}  // namespace

void TViewState::SizeView(int clientWidth, int clientHeight) {
  int width = clientWidth - ViewerMargin;
  if (EvalPanelOpen && !EvalPanelFloating) width -= DockedPanelWidth;
  ViewW = std::max(width, 1);
  ViewH = std::max(clientHeight - ControlsHeight, 1);
  CenterX = ViewW / 2;
  CenterY = ViewH / 2;
}

TViewState& ViewState() {
  static TViewState state;
  return state;
}

std::vector<TPlacement> MainLayout(int clientWidth, int clientHeight) {
  const int panelLeft = clientWidth - PanelFromRight;
  const int firstRow = clientHeight - RowsFromBottom;
  std::vector<TPlacement> placements;
  for (const TRule& rule : kRules)
    placements.push_back(
        {rule.control, rule.edge, (rule.edge == TPlacement::Left ? panelLeft : firstRow) + rule.offset});
  return placements;
}

const TModeOptions& ModeOptions(bool is2DMode) {
  // Back in 2D the background box reads "mầu" where the form resource has "màu".
  static const TModeOptions plane = Options("Kiểu đường", "Kiểu điểm", "Hiện vạch chia", "Đổi mầu nền", true);
  static const TModeOptions space = Options("Kiểu mặt", "Kiểu đường", "Hiện trục tọa độ", "Đảo pha sáng", false);
  return is2DMode ? plane : space;
}

}  // namespace kx
