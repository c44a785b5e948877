#include "runtime/Menu.h"

namespace tq {

namespace {

constexpr UINT FirstMenuId = 0x7000;

}  // namespace

HMENU Menu::BuildMenu(const std::vector<MenuItem>& items, bool bar) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  for (const MenuItem& item : items) {
    if (item.caption == L"-") {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::wstring caption = item.caption;
    if (!item.items.empty()) {
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(BuildMenu(item.items, false)),
                  caption.c_str());
      continue;
    }
    const UINT id = FirstMenuId + static_cast<UINT>(handlers_.size());
    handlers_.push_back(item.onClick);
    if (item.shortcut) {
      caption += L"\tCtrl+";
      caption += item.shortcut;
      accels_.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>(item.shortcut), static_cast<WORD>(id)});
    }
    AppendMenuW(menu, MF_STRING, id, caption.c_str());
  }
  return menu;
}

void Menu::Build(const std::vector<MenuItem>& items) {
  Clear();
  bar_ = BuildMenu(items, true);
  if (!accels_.empty()) shortcuts_ = CreateAcceleratorTableW(accels_.data(), static_cast<int>(accels_.size()));
}

HMENU Menu::TakeBar() {
  HMENU bar = bar_;
  bar_ = nullptr;
  return bar;
}

bool Menu::Command(UINT id) {
  if (id < FirstMenuId || id >= FirstMenuId + handlers_.size()) return false;
  // A copy: the handler may rebuild or unload the screen.
  const std::function<void()> handler = handlers_[id - FirstMenuId];
  if (handler) handler();
  return true;
}

void Menu::Clear() {
  if (bar_) DestroyMenu(bar_);
  bar_ = nullptr;
  if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
  shortcuts_ = nullptr;
  handlers_.clear();
  accels_.clear();
}

}  // namespace tq
