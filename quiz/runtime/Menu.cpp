#include "runtime/Menu.h"

namespace tq {

namespace {

constexpr UINT FirstMenuId = 0x7000;

}  // namespace

std::wstring Menu::ShortcutText(wchar_t key, bool ctrl) {
  if (!key) return {};
  std::wstring text = ctrl ? L"Ctrl+" : L"";
  if (key >= VK_F1 && key <= VK_F24) return text + L"F" + std::to_wstring(key - VK_F1 + 1);
  return text + key;
}

HMENU Menu::BuildMenu(const std::vector<MenuItem>& items, bool bar, int up) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  UINT position = 0;
  for (const MenuItem& item : items) {
    if (item.caption == L"-") {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      ++position;
      continue;
    }
    const int index = static_cast<int>(entries_.size());
    entries_.push_back({menu, position++, up, item.enabled, ShortcutText(item.shortcut, item.ctrl), 0});
    if (!item.name.empty()) names_[item.name] = index;
    const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
    if (!item.items.empty()) {
      HMENU sub = BuildMenu(item.items, false, index);
      AppendMenuW(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(sub), item.caption.c_str());
      continue;
    }
    const UINT id = FirstMenuId + static_cast<UINT>(handlers_.size());
    entries_[static_cast<size_t>(index)].id = id;
    handlers_.push_back(item.onClick);
    handlerEntries_.push_back(index);
    std::wstring caption = item.caption;
    if (item.shortcut) {
      caption += L"\t" + entries_[static_cast<size_t>(index)].shortcut;
      const BYTE flags = FVIRTKEY | (item.ctrl ? FCONTROL : 0);
      accels_.push_back({flags, static_cast<WORD>(item.shortcut), static_cast<WORD>(id)});
    }
    AppendMenuW(menu, MF_STRING | state, id, caption.c_str());
  }
  return menu;
}

void Menu::Build(const std::vector<MenuItem>& items) {
  Clear();
  bar_ = BuildMenu(items, true, -1);
  barOwned_ = true;
  if (!accels_.empty()) shortcuts_ = CreateAcceleratorTableW(accels_.data(), static_cast<int>(accels_.size()));
}

HMENU Menu::TakeBar() {
  barOwned_ = false;
  return bar_;
}

bool Menu::EnabledWithParents(int entry) const {
  for (; entry >= 0; entry = entries_[static_cast<size_t>(entry)].up) {
    if (!entries_[static_cast<size_t>(entry)].enabled) return false;
  }
  return true;
}

bool Menu::Command(UINT id) {
  if (id < FirstMenuId || id >= FirstMenuId + handlers_.size()) return false;
  const size_t k = id - FirstMenuId;
  if (!EnabledWithParents(handlerEntries_[k])) return true;
  // A copy: the handler may rebuild or unload the screen.
  const std::function<void()> handler = handlers_[k];
  if (handler) handler();
  return true;
}

void Menu::Clear() {
  if (bar_ && barOwned_) DestroyMenu(bar_);
  bar_ = nullptr;
  barOwned_ = false;
  if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
  shortcuts_ = nullptr;
  handlers_.clear();
  handlerEntries_.clear();
  accels_.clear();
  entries_.clear();
  names_.clear();
}

void Menu::SetEnabled(const std::wstring& name, bool enabled) {
  const auto found = names_.find(name);
  if (found == names_.end()) return;
  Entry& entry = entries_[static_cast<size_t>(found->second)];
  entry.enabled = enabled;
  EnableMenuItem(entry.parent, entry.position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool Menu::Enabled(const std::wstring& name) const {
  const auto found = names_.find(name);
  return found != names_.end() && entries_[static_cast<size_t>(found->second)].enabled;
}

void Menu::SetCaption(const std::wstring& name, const std::wstring& caption) {
  const auto found = names_.find(name);
  if (found == names_.end()) return;
  const Entry& entry = entries_[static_cast<size_t>(found->second)];
  std::wstring text = caption;
  if (!entry.shortcut.empty()) text += L"\t" + entry.shortcut;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = text.data();
  SetMenuItemInfoW(entry.parent, entry.position, TRUE, &info);
}

std::wstring Menu::Caption(const std::wstring& name) const {
  const auto found = names_.find(name);
  if (found == names_.end()) return {};
  const Entry& entry = entries_[static_cast<size_t>(found->second)];
  wchar_t buffer[256] = {};
  GetMenuStringW(entry.parent, entry.position, buffer, 256, MF_BYPOSITION);
  std::wstring text = buffer;
  if (const size_t tab = text.find(L'\t'); tab != std::wstring::npos) text.resize(tab);
  return text;
}

UINT Menu::CommandId(const std::wstring& name) const {
  const auto found = names_.find(name);
  return found == names_.end() ? 0 : entries_[static_cast<size_t>(found->second)].id;
}

}  // namespace tq
