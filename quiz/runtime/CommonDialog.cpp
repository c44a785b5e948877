#include "runtime/CommonDialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace tq {

std::wstring CommonDialog::SystemFilter(const std::wstring& filter) {
  std::wstring out = filter;
  for (wchar_t& c : out) {
    if (c == L'|') c = L'\0';
  }
  if (out.empty() || out.back() != L'\0') out += L'\0';
  out += L'\0';
  return out;
}

void CommonDialog::ShowFile(HWND owner, bool save) {
  std::vector<wchar_t> name(32768, L'\0');
  FileName.copy(name.data(), name.size() - 1);
  const std::wstring filter = SystemFilter(Filter);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrTitle = DialogTitle.empty() ? nullptr : DialogTitle.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
              (save ? (AskOverwrite ? OFN_OVERWRITEPROMPT : 0) : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  FileName = chosen ? std::wstring(name.data()) : std::wstring();
}

void CommonDialog::ShowOpen(HWND owner) { ShowFile(owner, false); }
void CommonDialog::ShowSave(HWND owner) { ShowFile(owner, true); }

bool CommonDialog::ShowColor(HWND owner) {
  static COLORREF custom[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = Color;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&cc)) return false;
  Color = cc.rgbResult;
  return true;
}

void CommonDialog::ShowFolder(HWND owner) {
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = DialogTitle.empty() ? nullptr : DialogTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  Folder.clear();
  PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
  if (!list) return;
  wchar_t path[MAX_PATH] = {};
  if (SHGetPathFromIDListW(list, path)) Folder = path;
  CoTaskMemFree(list);
}

}  // namespace tq
