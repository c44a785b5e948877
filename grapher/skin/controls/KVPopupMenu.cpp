#include "skin/controls/KVPopupMenu.h"

#include "skin/controls/KVThemesControls.h"

namespace kx {

KX_PUBLISH(TkvPopupMenu) {
  PublishMenuLook(p);
  p.Property("OwnerDraw", &TkvPopupMenu::AlwaysOwnerDrawn, &TkvPopupMenu::IgnoreOwnerDraw).NotStored();
  p.Property("Images", &TkvPopupMenu::Images, &TkvPopupMenu::SetImages);
}

namespace {

struct PopupMenuModule {
  PopupMenuModule() { RegisterClasses({&TkvPopupMenu::StaticClass()}); }
} popupMenuModule;

}  // namespace

TkvPopupMenu::TkvPopupMenu(TComponent* owner) : TPopupMenu(owner) {
  SetOwnerDraw(true);
  TkvMenuLook::SetUIStyle(FormSkinStyle(owner));
}

void TkvPopupMenu::SetImages(TImageList* images) {
  images_ = images;
  if (images) images->FreeNotification(this);
}

void TkvPopupMenu::Loaded() {
  TPopupMenu::Loaded();
  HookItems(*Items(), this);
}

void TkvPopupMenu::Notification(TComponent* component, TOperation operation) {
  TPopupMenu::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}

}  // namespace kx
