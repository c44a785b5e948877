// Popup menus and their items, optionally owner-drawn.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/windows/Graphics.h"

namespace kx {

class TMenuItem;
class TMenu;
class TPopupMenu;

// A key with its modifiers: the virtual-key code in the low byte, scShift,
// scCtrl and scAlt above it.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+S", "F2", "Shift+Del"...; empty for 0.
std::string ShortCutToText(TShortCut shortCut);
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, RECT, bool>;
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;

class TMenuItem : public TComponent {
  KX_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // Writes that change what a menu shows tell the item's menu (MenuChanged).
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  bool Default() const { return default_; }
  void SetDefault(bool on) { default_ = on; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut v);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v) { imageIndex_ = v; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  TMenuItem* Parent() const { return parent_; }
  // The menu whose tree holds this item, or nullptr.
  TMenu* GetParentMenu() const;
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  // The key of the "&" accelerator of the caption (upper case), or 0.
  char Accelerator() const;

  // Stored nesting: items are written inside their parent item or menu.
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  virtual void Click();
  // Shows the sub-items as a popup menu at screen point (x, y), owned by
  // `owner` (whose window receives the owner-draw messages), waits for the
  // choice and returns the chosen item (nullptr when none); the caller runs
  // it once it no longer needs itself.
  TMenuItem* TrackSubItems(int x, int y, HWND owner);

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

  // WM_DRAWITEM / WM_MEASUREITEM of an owner-drawn menu item; TRUE when handled.
  static LRESULT HandleMenuDraw(const DRAWITEMSTRUCT& dis);
  static LRESULT HandleMenuMeasure(MEASUREITEMSTRUCT& mis);

 protected:
  virtual void DrawItem(TCanvas& canvas, RECT rect, bool selected);
  virtual void MeasureItem(TCanvas& canvas, int& width, int& height);

 private:
  friend class TMenu;
  friend class TPopupMenu;
  // Appends this item's children to a native menu; ids number the items.
  void BuildInto(HMENU menu, bool ownerDraw, std::vector<TMenuItem*>& byId);
  // Shows the sub-items as a popup menu and returns the one chosen.
  TMenuItem* TrackItems(bool ownerDraw, int x, int y, HWND owner);
  void Changed(bool rebuild);
  void Unlink(TMenuItem* item);

  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  TShortCut shortCut_ = 0;
  int imageIndex_ = -1;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item of a menu
  std::vector<TMenuItem*> items_;
};

// A menu: a tree of items under a root item.
class TMenu : public TComponent {
  KX_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_.get(); }
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool on) { ownerDraw_ = on; }
  // The item whose shortcut is `shortCut`, at any depth; nullptr when none.
  TMenuItem* FindItemByShortCut(TShortCut shortCut) const;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  friend class TMenuItem;
  // An item of the menu changed what it shows (`rebuild`: items came or went).
  virtual void MenuChanged(TMenuItem* source, bool rebuild);

 private:
  std::unique_ptr<TMenuItem> items_;
  bool ownerDraw_ = false;
};

// A form's menu; the skinned frame shows it in a menu bar of its own.
class TMainMenu : public TMenu {
  KX_CLASS(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
};

class TPopupMenu : public TMenu {
  KX_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* owner);
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* c) { popupComponent_ = c; }

  // Shows the menu at screen coordinates and waits for the choice; the chosen
  // item's OnClick runs after the menu has closed.
  virtual void Popup(int x, int y);

  TNotifyEvent OnPopup;

 private:
  TComponent* popupComponent_ = nullptr;
};

}  // namespace kx
