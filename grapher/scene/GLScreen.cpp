#include "scene/GLScreen.h"

#include "scene/GLCrossPlatform.h"

#include <cstdio>

namespace kx {

TDisplayModeEntry DisplayModes[MaxDisplayModes + 1];
int DisplayModeCount = 1;
uint8_t ActiveDisplayMode = 0;
TDisplaySettingsCalls DisplaySettingsCalls;

const TLowResolutionMode LowResolutionModes[60] = {
#define KX_LOW_RES(w, h) \
  {w, h, 8}, {w, h, 15}, {w, h, 16}, {w, h, 24}, { w, h, 32 }
    KX_LOW_RES(320, 200), KX_LOW_RES(320, 240), KX_LOW_RES(320, 350), KX_LOW_RES(320, 400),
    KX_LOW_RES(320, 480), KX_LOW_RES(360, 200), KX_LOW_RES(360, 240), KX_LOW_RES(360, 350),
    KX_LOW_RES(360, 400), KX_LOW_RES(360, 480), KX_LOW_RES(400, 300), KX_LOW_RES(512, 384),
#undef KX_LOW_RES
};

namespace {

constexpr DWORD kModeFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;

DEVMODEA ModeRecord(DWORD width, DWORD height, DWORD depth) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = kModeFields;
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmBitsPerPel = depth;
  return mode;
}

bool WouldSucceed(DEVMODEA mode) {
  return DisplaySettingsCalls.ChangeSettings(&mode, CDS_TEST | CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

struct ScreenModule {
  ScreenModule() { BuildDisplayModeList(); }
  ~ScreenModule() {
    if (ActiveDisplayMode != 0) RestoreDefaultMode();
  }
};
ScreenModule screenModule;

}  // namespace

void BuildDisplayModeList() {
  DisplayModeCount = 1;
  TDisplayModeEntry& desktop = DisplayModes[0];
  desktop.ColorDepth = static_cast<uint8_t>(GetCurrentColorDepth());
  desktop.Width = static_cast<uint16_t>(GetSystemMetrics(SM_CXSCREEN));
  desktop.Height = static_cast<uint16_t>(GetSystemMetrics(SM_CYSCREEN));
  desktop.Description = "default";

  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  for (DWORD index = 0; DisplayModeCount < MaxDisplayModes; ++index) {
    if (!DisplaySettingsCalls.EnumSettings(nullptr, index, &mode)) break;
    OfferDisplayMode(mode);
  }

  // A driver that accepts even this is not asked about the low resolutions.
  if (!WouldSucceed(ModeRecord(42, 37, 8))) {
    for (const TLowResolutionMode& low : LowResolutionModes) {
      if (DisplayModeCount >= MaxDisplayModes) break;
      OfferDisplayMode(ModeRecord(low.Width, low.Height, low.ColorDepth));
    }
  }
}

void OfferDisplayMode(const DEVMODEA& mode) {
  if (DisplayModeCount >= MaxDisplayModes) return;
  const auto width = static_cast<uint16_t>(mode.dmPelsWidth);
  const auto height = static_cast<uint16_t>(mode.dmPelsHeight);
  const auto depth = static_cast<uint8_t>(mode.dmBitsPerPel);
  for (int i = 1; i < DisplayModeCount; ++i)
    if (DisplayModes[i].ColorDepth == depth && DisplayModes[i].Width == width && DisplayModes[i].Height == height)
      return;
  if (!WouldSucceed(ModeRecord(mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel))) return;
  char description[48];
  std::snprintf(description, sizeof description, "%d x %d, %d bpp", width, height, depth);
  DisplayModes[DisplayModeCount] = {width, height, depth, description};
  ++DisplayModeCount;
}

uint8_t GetIndexFromResolution(int width, int height, int depth) {
  uint8_t best = 0;
  int dw = 9999, dh = 9999, dd = 99;
  for (int i = 1; i < DisplayModeCount; ++i) {
    const TDisplayModeEntry& entry = DisplayModes[i];
    if (entry.Width >= width && entry.Height >= height && entry.ColorDepth >= depth && entry.Width - width <= dw &&
        entry.Height - height <= dh && entry.ColorDepth - depth <= dd) {
      best = static_cast<uint8_t>(i);
      dw = entry.Width - width;
      dh = entry.Height - height;
      dd = entry.ColorDepth - depth;
    }
  }
  return best;
}

void SetFullscreenMode(uint8_t index) {
  if (index >= DisplayModeCount) return;
  const TDisplayModeEntry& entry = DisplayModes[index];
  DEVMODEA mode = ModeRecord(entry.Width, entry.Height, entry.ColorDepth);
  if (DisplaySettingsCalls.ChangeSettings(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) ActiveDisplayMode = index;
}

void RestoreDefaultMode() { DisplaySettingsCalls.ChangeSettings(nullptr, CDS_FULLSCREEN); }

}  // namespace kx
