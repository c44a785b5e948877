#include "app/windows/WarningBox.h"

#include "framework/windows/Dialogs.h"

namespace kx {

void ShowWarningBox(TControl* owner, const std::string& text, const std::string& caption) {
  ShowMessageBox(owner, text, caption, MB_OK | MB_ICONWARNING);
}

}  // namespace kx
