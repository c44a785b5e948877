// A screen's menu bar: captions as stored (the screens convert them to
// Unicode when they load), handlers and shortcuts. Items that carry a name
// can be enabled, disabled and re-captioned once the bar is built; a command
// runs only while its item and every menu above it are enabled, whatever
// the system does with shortcuts of disabled menus.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tq {

struct MenuItem {
  std::wstring caption{};  // "-" makes a separator
  std::function<void()> onClick{};
  std::vector<MenuItem> items{};  // a submenu when not empty
  wchar_t shortcut = 0;         // a letter or digit, or a virtual key such as VK_F12
  bool ctrl = true;             // the shortcut is Ctrl + the key
  std::wstring name{};          // to reach the item after the bar is built
  bool enabled = true;
};

class Menu {
 public:
  Menu() = default;
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;
  ~Menu() { Clear(); }

  void Build(const std::vector<MenuItem>& items);
  bool Empty() const { return bar_ == nullptr; }
  // Hands the bar to a window, which destroys it with itself; the bar's
  // items stay reachable through this object until Clear.
  HMENU TakeBar();
  HACCEL Shortcuts() const { return shortcuts_; }
  // Runs the handler of a menu command; false when the id is none of ours.
  // A command of a disabled item (or of an item in a disabled menu) does nothing.
  bool Command(UINT id);
  void Clear();

  // By name; unknown names are ignored (false, empty).
  void SetEnabled(const std::wstring& name, bool enabled);
  bool Enabled(const std::wstring& name) const;
  // The caption as stored, without its shortcut; the shortcut's text is kept.
  void SetCaption(const std::wstring& name, const std::wstring& caption);
  // The caption as the menu shows it now, without the shortcut's text.
  std::wstring Caption(const std::wstring& name) const;
  // The command id of a named item; 0 for a submenu or an unknown name.
  UINT CommandId(const std::wstring& name) const;
  // The text a shortcut shows beside its caption ("Ctrl+S", "F12").
  static std::wstring ShortcutText(wchar_t key, bool ctrl);

 private:
  struct Entry {
    HMENU parent = nullptr;
    UINT position = 0;
    int up = -1;  // the entry of the menu that holds this one
    bool enabled = true;
    std::wstring shortcut;  // its text, empty without one
    UINT id = 0;            // 0 for a submenu
  };
  HMENU BuildMenu(const std::vector<MenuItem>& items, bool bar, int up);
  bool EnabledWithParents(int entry) const;

  HMENU bar_ = nullptr;
  bool barOwned_ = false;
  HACCEL shortcuts_ = nullptr;
  std::vector<std::function<void()>> handlers_;
  std::vector<int> handlerEntries_;
  std::vector<ACCEL> accels_;
  std::vector<Entry> entries_;
  std::map<std::wstring, int> names_;
};

}  // namespace tq
