// The full-screen display modes the display accepts, listed once at start-up.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace kx {

struct TDisplayModeEntry {
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t ColorDepth = 0;
  std::string Description;
};

inline constexpr int MaxDisplayModes = 200;

// Entry 0 is the desktop mode found at start ("default"); then the accepted
// modes in the order they were found. One slot is never filled.
extern TDisplayModeEntry DisplayModes[MaxDisplayModes + 1];
extern int DisplayModeCount;
// The entry SetFullscreenMode last switched to; 0 for the default.
extern uint8_t ActiveDisplayMode;

struct TLowResolutionMode {
  uint16_t Width, Height;
  uint8_t ColorDepth;
};
// Offered when the driver's own enumeration may leave low resolutions out.
extern const TLowResolutionMode LowResolutionModes[60];

// The platform's mode calls; tests replace them so that nothing is switched.
struct TDisplaySettingsCalls {
  BOOL(WINAPI* EnumSettings)(LPCSTR device, DWORD index, DEVMODEA* mode) = EnumDisplaySettingsA;
  LONG(WINAPI* ChangeSettings)(DEVMODEA* mode, DWORD flags) = ChangeDisplaySettingsA;
};
extern TDisplaySettingsCalls DisplaySettingsCalls;

// Builds the list afresh: the desktop mode, the enumerated modes, and the
// low-resolution table when the driver does not accept even an absurd mode.
void BuildDisplayModeList();
// Appends a mode that is new (among entries 1 and up) and accepted.
void OfferDisplayMode(const DEVMODEA& mode);
// The listed mode at least as large in all three that exceeds them least; 0 when none.
uint8_t GetIndexFromResolution(int width, int height, int depth);
void SetFullscreenMode(uint8_t index);
void RestoreDefaultMode();

}  // namespace kx
