#include "skin/frame/KVMainMenu.h"

#include "skin/controls/KVThemesControls.h"

namespace kx {

KX_PUBLISH(TkvMainMenu) {
  PublishMenuLook(p);
  p.Property("Images", &TkvMainMenu::Images, &TkvMainMenu::SetImages);
}

namespace {

struct MainMenuModule {
  MainMenuModule() { RegisterClasses({&TkvMainMenu::StaticClass()}); }
} mainMenuModule;

}  // namespace

TkvMainMenu::TkvMainMenu(TComponent* owner)
    : TMainMenu(owner), checkImages_(std::make_unique<TImageList>(nullptr, 16, 16)) {
  LoadMenuCheckImage(*checkImages_);
  images_ = checkImages_.get();
  SetOwnerDraw(true);
  TkvMenuLook::SetUIStyle(FormSkinStyle(owner));
  if (TkvForm* frame = TkvForm::FindOn(owner)) frame->SetMenu(this);
}

TkvMainMenu::~TkvMainMenu() = default;

void TkvMainMenu::SetImages(TImageList* images) {
  images_ = images ? images : checkImages_.get();
  if (images) images->FreeNotification(this);
}

void TkvMainMenu::Loaded() {
  TMainMenu::Loaded();
  HookItems(*Items(), this);
  if (menuBarForm_) menuBarForm_->RebuildMenuBar();
}

void TkvMainMenu::MenuChanged(TMenuItem* source, bool rebuild) {
  TMainMenu::MenuChanged(source, rebuild);
  if (menuBarForm_ && dynamic_cast<TCustomForm*>(Owner())) menuBarForm_->RefreshMenuBarButtons();
}

void TkvMainMenu::MenuFontChanged() {
  if (menuBarForm_) menuBarForm_->ApplyMenuFontToBar();
}

void TkvMainMenu::Notification(TComponent* component, TOperation operation) {
  TMainMenu::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = checkImages_.get();
}

}  // namespace kx
