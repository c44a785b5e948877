// Popup menus and their items, optionally owner-drawn.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

namespace kx {

class TMenuItem;
class TPopupMenu;
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, RECT, bool>;
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;

class TMenuItem : public TComponent {
  KX_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  bool Checked() const { return checked_; }
  void SetChecked(bool on) { checked_ = on; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }
  bool Visible() const { return visible_; }
  void SetVisible(bool on) { visible_ = on; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  TMenuItem* Parent() const { return parent_; }
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);

  // Stored nesting: items are written inside their parent item or menu.
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  virtual void Click();

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
  friend class TPopupMenu;
  // Appends this item's children to a native menu; ids number the items.
  void BuildInto(HMENU menu, bool ownerDraw, std::vector<TMenuItem*>& byId);

  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  TMenuItem* parent_ = nullptr;
  TPopupMenu* menu_ = nullptr;  // set on the root item of a menu
  std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
  KX_CLASS(TPopupMenu, TComponent)
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  TMenuItem* Items() const { return items_.get(); }
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool on) { ownerDraw_ = on; }
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* c) { popupComponent_ = c; }

  // Shows the menu at screen coordinates and waits for the choice; the chosen
  // item's OnClick runs after the menu has closed.
  virtual void Popup(int x, int y);
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  TNotifyEvent OnPopup;

 private:
  std::unique_ptr<TMenuItem> items_;
  bool ownerDraw_ = false;
  TComponent* popupComponent_ = nullptr;
};

}  // namespace kx
