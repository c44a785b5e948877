// Platform calls the scene library needs outside a rendering context, and
// the form of its consistency checks.
#pragma once

#include "framework/core/SysUtils.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace kx {

// Consistency check of the library: raises EAssertionFailed naming the
// module and the line, in every build.
#define KX_SCENE_ASSERT(condition, module) ::kx::Assert((condition), #condition, module, __LINE__)

// Bits per pixel times colour planes of the screen.
int GetCurrentColorDepth();
int GetDeviceLogicalPixelsX(HDC device);
void QueryPerformanceCounter(int64_t& value);
void QueryPerformanceFrequency(int64_t& value);

// The framework's message box with the text.
void InformationDlg(const std::string& text);
// The framework's input box; the edited text, or the default when cancelled.
std::string InputDlg(const std::string& caption, const std::string& prompt, const std::string& defaultText);
// A picture-open dialog preset with the file name and, when given, the
// initial folder; true with the chosen file name when confirmed.
bool OpenPictureDlg(std::string& fileName, const std::string& initialDir);

}  // namespace kx
