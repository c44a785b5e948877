#include "framework/windows/Menus.h"

#include <algorithm>
#include <cctype>

#include "framework/windows/Controls.h"
#include "framework/windows/Forms.h"

namespace kx {
namespace {

// The window that owns popup menus while they are open: it receives the
// owner-draw messages of their items.
LRESULT CALLBACK MenuWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  bool handled = false;
  GuardWindowsCallback([&] {
    if (msg == WM_DRAWITEM && reinterpret_cast<DRAWITEMSTRUCT*>(lp)->CtlType == ODT_MENU) {
      result = TMenuItem::HandleMenuDraw(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      handled = true;
    } else if (msg == WM_MEASUREITEM && reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->CtlType == ODT_MENU) {
      result = TMenuItem::HandleMenuMeasure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
      handled = true;
    }
  });
  return handled ? result : DefWindowProcA(w, msg, wp, lp);
}

HWND MenuWindow() {
  static HWND wnd = [] {
    static const char kClass[] = "KxMenuWindow";
    WNDCLASSA cls{};
    cls.lpfnWndProc = &MenuWindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = kClass;
    RegisterClassA(&cls);
    return CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }();
  return wnd;
}

// A screen context for measuring when the system gives none.
struct ScreenCanvas {
  ScreenCanvas() : dc(GetDC(nullptr)) { canvas.SetHandle(dc); }
  ~ScreenCanvas() {
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
  }
  HDC dc;
  TCanvas canvas;
};

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const unsigned key = shortCut & 0xFF;
  if (!key) return {};
  std::string name;
  if (key >= 'A' && key <= 'Z')
    name = std::string(1, static_cast<char>(key));
  else if (key >= '0' && key <= '9')
    name = std::string(1, static_cast<char>(key));
  else if (key >= VK_F1 && key <= VK_F24)
    name = "F" + std::to_string(key - VK_F1 + 1);
  else {
    static const struct {
      unsigned vk;
      const char* name;
    } kNames[] = {{VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
                  {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
                  {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
                  {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};
    for (const auto& n : kNames)
      if (n.vk == key) name = n.name;
    if (name.empty()) return {};
  }
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

KX_PUBLISH(TMenuItem) {
  p.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  p.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
  p.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
  p.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
  p.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
  p.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
  p.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
  p.Field("OnClick", &TMenuItem::OnClick);
  p.Field("OnDrawItem", &TMenuItem::OnDrawItem);
  p.Field("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  // Leaves quietly: the menu must not look at an item half destroyed.
  if (parent_) parent_->Unlink(this);
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed(false);
}

void TMenuItem::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  Changed(false);
}

void TMenuItem::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Changed(false);
}

void TMenuItem::SetVisible(bool on) {
  if (on == visible_) return;
  visible_ = on;
  Changed(true);
}

void TMenuItem::SetShortCut(TShortCut v) {
  if (v == shortCut_) return;
  shortCut_ = v;
  Changed(false);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

void TMenuItem::Changed(bool rebuild) {
  if (TMenu* menu = GetParentMenu(); menu && !menu->IsDestroying()) menu->MenuChanged(this, rebuild);
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  item->parent_ = this;
  items_.push_back(item);
  Changed(true);
}

void TMenuItem::Unlink(TMenuItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->parent_ = nullptr;
}

void TMenuItem::Remove(TMenuItem* item) {
  Unlink(item);
  Changed(true);
}

char TMenuItem::Accelerator() const {
  for (size_t i = 0; i + 1 < caption_.size(); ++i) {
    if (caption_[i] != '&') continue;
    if (caption_[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(caption_[i + 1])));
    ++i;  // "&&" is a plain ampersand
  }
  return 0;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* item = dynamic_cast<TMenuItem*>(parent)) {
    item->Add(this);
  } else if (auto* menu = dynamic_cast<TMenu*>(parent)) {
    menu->Items()->Add(this);
  }
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TMenuItem* item : items_) proc(item);
}

void TMenuItem::Click() { OnClick(this); }

TMenuItem* TMenuItem::TrackSubItems(int x, int y, HWND owner) {
  const TMenu* menu = GetParentMenu();
  return TrackItems(menu && menu->OwnerDraw(), x, y, owner);
}

void TMenuItem::BuildInto(HMENU menu, bool ownerDraw, std::vector<TMenuItem*>& byId) {
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    UINT flags = (item->checked_ ? MF_CHECKED : 0) | (item->enabled_ ? 0 : MF_GRAYED);
    const bool drawn = ownerDraw || static_cast<bool>(item->OnDrawItem);
    if (drawn) flags |= MF_OWNERDRAW;
    if (!item->items_.empty()) {
      HMENU sub = CreatePopupMenu();
      item->BuildInto(sub, ownerDraw, byId);
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                  drawn ? reinterpret_cast<LPCSTR>(item) : item->caption_.c_str());
    } else if (item->caption_ == "-") {
      AppendMenuA(menu, MF_SEPARATOR | (drawn ? MF_OWNERDRAW : 0), 0, drawn ? reinterpret_cast<LPCSTR>(item) : nullptr);
    } else {
      byId.push_back(item);
      AppendMenuA(menu, flags | MF_STRING, byId.size(),
                  drawn ? reinterpret_cast<LPCSTR>(item) : item->caption_.c_str());
    }
  }
}

void TMenuItem::DrawItem(TCanvas& canvas, RECT rect, bool selected) {
  if (OnDrawItem) {
    OnDrawItem(this, &canvas, rect, selected);
    return;
  }
  canvas.Brush()->SetColor(selected ? clHighlight : clMenu);
  canvas.FillRect(rect);
  if (caption_ == "-") {
    canvas.Pen()->SetColor(clBtnShadow);
    const int y = (rect.top + rect.bottom) / 2;
    canvas.MoveTo(rect.left + 2, y);
    canvas.LineTo(rect.right - 2, y);
    return;
  }
  canvas.Font()->SetColor(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText);
  canvas.Brush()->SetStyle(bsClear);
  const int textHeight = canvas.TextHeight(caption_);
  canvas.TextOut(rect.left + 18, (rect.top + rect.bottom - textHeight) / 2, caption_);
  if (checked_) canvas.TextOut(rect.left + 5, (rect.top + rect.bottom - textHeight) / 2, "v");
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  if (caption_ == "-") {
    height = 5;
    width = 20;
  } else {
    const SIZE size = canvas.TextExtent(caption_);
    width = size.cx + 30;
    height = std::max(static_cast<int>(size.cy) + 6, 18);
  }
  if (OnMeasureItem) OnMeasureItem(this, &canvas, width, height);
}

LRESULT TMenuItem::HandleMenuDraw(const DRAWITEMSTRUCT& dis) {
  auto* item = reinterpret_cast<TMenuItem*>(dis.itemData);
  if (!item) return FALSE;
  TSavedDC saved(dis.hDC);
  TCanvas canvas;
  TCanvasOnDC drawOn(canvas, dis.hDC);
  item->DrawItem(canvas, dis.rcItem, (dis.itemState & ODS_SELECTED) != 0);
  return TRUE;
}

LRESULT TMenuItem::HandleMenuMeasure(MEASUREITEMSTRUCT& mis) {
  auto* item = reinterpret_cast<TMenuItem*>(mis.itemData);
  if (!item) return FALSE;
  ScreenCanvas screen;
  int width = 0, height = 0;
  item->MeasureItem(screen.canvas, width, height);
  mis.itemWidth = static_cast<UINT>(std::max(width, 0));
  mis.itemHeight = static_cast<UINT>(std::max(height, 0));
  return TRUE;
}

KX_PUBLISH(TMenu) { p.Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw); }

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() = default;

void TMenu::MenuChanged(TMenuItem*, bool) {}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  items_->GetChildren(proc, root);
}

namespace {

TMenuItem* FindShortCut(const TMenuItem& parent, TShortCut shortCut) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (item->ShortCut() == shortCut) return item;
    if (TMenuItem* found = FindShortCut(*item, shortCut)) return found;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const {
  return shortCut ? FindShortCut(*items_, shortCut) : nullptr;
}

KX_PUBLISH(TMainMenu) {}

KX_PUBLISH(TPopupMenu) { p.Field("OnPopup", &TPopupMenu::OnPopup); }

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TMenuItem* TMenuItem::TrackItems(bool ownerDraw, int x, int y, HWND owner) {
  if (!owner && TWinControl::FindControl(GetActiveWindow())) owner = GetActiveWindow();
  if (!owner) {
    owner = MenuWindow();
    SetForegroundWindow(owner);
  }
  std::vector<TMenuItem*> byId;
  HMENU menu = CreatePopupMenu();
  BuildInto(menu, ownerDraw, byId);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
  DestroyMenu(menu);
  return chosen >= 1 && chosen <= byId.size() ? byId[chosen - 1] : nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  // The form the menu belongs to owns it, so that form stays active; its
  // window passes the owner-draw messages on like the menu window does.
  HWND owner = nullptr;
  if (auto* control = dynamic_cast<TControl*>(popupComponent_))
    if (TCustomForm* form = GetParentForm(control); form && form->HandleAllocated()) owner = form->Handle();
  if (TMenuItem* chosen = Items()->TrackItems(OwnerDraw(), x, y, owner)) chosen->Click();
}

}  // namespace kx
