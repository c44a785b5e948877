// The skinned main menu: the popup menu's item drawing for a form's menu,
// with a check picture of its own. Made on a form with a skinned frame, it
// hands itself to that frame, which shows it as its menu bar and keeps the
// bar in step with the items and the item font.
#pragma once

#include <memory>

#include "framework/windows/Menus.h"
#include "skin/controls/KVMenu.h"
#include "skin/frame/KVForm.h"

namespace kx {

class TkvMainMenu : public TMainMenu, public TkvMenuLook, public TkvMenuBarLink {
  KX_CLASS(TkvMainMenu, TMainMenu)
 public:
  explicit TkvMainMenu(TComponent* owner);
  ~TkvMainMenu() override;

  // Reads none while the menu uses its own check list; writing none puts
  // that list back, so the menu always has one.
  TImageList* Images() const { return images_ == checkImages_.get() ? nullptr : images_; }
  void SetImages(TImageList* images);
  TImageList* OwnCheckImages() const { return checkImages_.get(); }

  // The frame that shows this menu as its menu bar, or none; the frame
  // sets and clears it.
  TkvForm* MenuBarForm() const { return menuBarForm_; }
  void SetMenuBarForm(TkvForm* form) override { menuBarForm_ = form; }

  // Binds every item, at any depth, to the menu's drawing, then rebuilds
  // the menu bar that shows the menu.
  void Loaded() override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  // The menu bar follows the items' captions and enabled states.
  void MenuChanged(TMenuItem* source, bool rebuild) override;
  // The menu bar takes the item font.
  void MenuFontChanged() override;
  TImageList* ItemImages() const override { return images_ == checkImages_.get() ? nullptr : images_; }
  TImageList& CheckImages() const override { return *checkImages_; }

 private:
  std::unique_ptr<TImageList> checkImages_;
  TImageList* images_ = nullptr;
  TkvForm* menuBarForm_ = nullptr;
};

}  // namespace kx
