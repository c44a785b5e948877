// A screen's menu bar: captions as stored (the screens convert them to
// Unicode when they load), handlers and Ctrl shortcuts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tq {

struct MenuItem {
  std::wstring caption;  // "-" makes a separator
  std::function<void()> onClick;
  std::vector<MenuItem> items;  // a submenu when not empty
  wchar_t shortcut = 0;         // Ctrl + this letter or digit
};

class Menu {
 public:
  Menu() = default;
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;
  ~Menu() { Clear(); }

  void Build(const std::vector<MenuItem>& items);
  bool Empty() const { return bar_ == nullptr; }
  // Hands the bar to a window, which destroys it with itself.
  HMENU TakeBar();
  HACCEL Shortcuts() const { return shortcuts_; }
  // Runs the handler of a menu command; false when the id is none of ours.
  bool Command(UINT id);
  void Clear();

 private:
  HMENU BuildMenu(const std::vector<MenuItem>& items, bool bar);

  HMENU bar_ = nullptr;
  HACCEL shortcuts_ = nullptr;
  std::vector<std::function<void()>> handlers_;
  std::vector<ACCEL> accels_;
};

}  // namespace tq
