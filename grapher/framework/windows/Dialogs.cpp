#include "framework/windows/Dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "framework/windows/Forms.h"

namespace kx {
namespace {

HWND DialogOwner(TControl* control) {
  if (TCustomForm* form = control ? GetParentForm(control) : nullptr; form && form->HandleAllocated())
    return form->Handle();
  return GetActiveWindow();
}

}  // namespace

std::string FilterToSystemForm(const std::string& filter) {
  std::string out = filter;
  std::replace(out.begin(), out.end(), '|', '\0');
  out.append(2, '\0');
  return out;
}

KX_PUBLISH(TOpenDialog) {
  p.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
  p.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
  p.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
  p.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
  p.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
  p.Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions);
  p.Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute() { return Run(false); }

bool TOpenDialog::Run(bool save) {
  std::vector<char> name(32768, '\0');
  std::copy_n(fileName_.begin(), std::min(fileName_.size(), name.size() - 1), name.begin());
  const std::string filter = FilterToSystemForm(filter_);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = DialogOwner(dynamic_cast<TControl*>(Owner()));
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  ofn.Flags = OFN_EXPLORER;
  if (options_.Contains(ofReadOnly)) ofn.Flags |= OFN_READONLY;
  if (options_.Contains(ofOverwritePrompt)) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (options_.Contains(ofHideReadOnly)) ofn.Flags |= OFN_HIDEREADONLY;
  if (options_.Contains(ofNoChangeDir)) ofn.Flags |= OFN_NOCHANGEDIR;
  if (options_.Contains(ofPathMustExist)) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (options_.Contains(ofFileMustExist)) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (options_.Contains(ofEnableSizing)) ofn.Flags |= OFN_ENABLESIZING;
  Application->CancelHint();
  const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  fileName_ = name.data();
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  return true;
}

KX_PUBLISH(TSaveDialog) {}

bool TSaveDialog::Execute() { return Run(true); }

KX_PUBLISH(TColorDialog) { p.Color("Color", &TColorDialog::Color, &TColorDialog::SetColor); }

TColorDialog::TColorDialog(TComponent* owner) : TComponent(owner) {
  std::fill(std::begin(custom_), std::end(custom_), RGB(255, 255, 255));
}

bool TColorDialog::Execute() {
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = DialogOwner(dynamic_cast<TControl*>(Owner()));
  cc.rgbResult = ColorToRGB(color_);
  cc.lpCustColors = custom_;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  Application->CancelHint();
  if (!ChooseColorA(&cc)) return false;
  color_ = static_cast<TColor>(cc.rgbResult);
  return true;
}

int ShowMessageBox(TControl* owner, const std::string& text, const std::string& caption, unsigned flags) {
  Application->CancelHint();
  HWND wnd = owner ? DialogOwner(owner) : GetActiveWindow();
  return MessageBoxA(wnd, text.c_str(), caption.c_str(), flags);
}

}  // namespace kx
