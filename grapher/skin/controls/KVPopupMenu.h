// The skinned popup menu: its items are measured and drawn in the colours
// of a style.
#pragma once

#include "framework/windows/Menus.h"
#include "skin/controls/KVMenu.h"

namespace kx {

class TkvPopupMenu : public TPopupMenu, public TkvMenuLook {
  KX_CLASS(TkvPopupMenu, TPopupMenu)
 public:
  explicit TkvPopupMenu(TComponent* owner);

  // The items are always drawn by the menu.
  static bool AlwaysOwnerDrawn(const TkvPopupMenu&) { return true; }
  void IgnoreOwnerDraw(bool) {}
  // The pictures of the items' ImageIndex; none by default.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  // Binds every item, at any depth, to the menu's drawing. Items added
  // later are not bound.
  void Loaded() override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  TImageList* ItemImages() const override { return images_; }
  TImageList& CheckImages() const override { return SharedMenuCheckImages(); }

 private:
  TImageList* images_ = nullptr;
};

}  // namespace kx
