// The open, save, colour and folder dialogs of the screens. Filters are
// written as "description|pattern|" pairs. After ShowOpen, ShowSave and
// ShowFolder an empty FileName or Folder means the user cancelled.
#pragma once

#include <windows.h>

#include <string>

namespace tq {

class CommonDialog {
 public:
  std::wstring Filter;
  std::wstring FileName;
  std::wstring Folder;
  std::wstring DialogTitle;
  // The save dialog asks before an existing file is chosen; a screen that
  // asks its own question turns this off.
  bool AskOverwrite = true;
  // Starts the colour dialog and receives its choice; a cancelled dialog keeps it.
  COLORREF Color = 0;

  void ShowOpen(HWND owner);
  void ShowSave(HWND owner);
  // True when a colour was chosen.
  bool ShowColor(HWND owner);
  void ShowFolder(HWND owner);

  // "a|b|c|d|" as the system wants it: "a\0b\0c\0d\0\0".
  static std::wstring SystemFilter(const std::wstring& filter);

 private:
  void ShowFile(HWND owner, bool save);
};

}  // namespace tq
