// The dialogs' warnings: a message box with the warning icon and one OK
// button. Each dialog holds the box it shows through, so tests can record
// the messages instead.
#pragma once

#include <functional>
#include <string>

#include "framework/windows/Controls.h"

namespace kx {

// A message box with the warning icon and one OK button, owned by the
// window of `owner`.
using TWarningBox = std::function<void(TControl* owner, const std::string& text, const std::string& caption)>;
void ShowWarningBox(TControl* owner, const std::string& text, const std::string& caption);

}  // namespace kx
