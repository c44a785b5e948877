// The title bar's sections and buttons and their collections.
#include "skin/frame/KVTitleBar.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvTitleBarSection) {
  p.Property("AutoSize", &TkvTitleBarSection::AutoSize, &TkvTitleBarSection::SetAutoSize).Default(false);
  p.Property("Width", &TkvTitleBarSection::Width, &TkvTitleBarSection::SetWidth).Default(10);
  p.Property("Align", &TkvTitleBarSection::Align, &TkvTitleBarSection::SetAlign)
      .Default(static_cast<int64_t>(TkvTitleBarAlign::kvLeft));
  p.Property("Picture", &TkvTitleBarSection::Picture, &TkvTitleBarSection::SetPicture);
  p.Property("Stretch", &TkvTitleBarSection::Stretch, &TkvTitleBarSection::SetStretch).Default(false);
}

KX_PUBLISH(TkvTitleBarButton) {
  p.Property("UIStyle", &TkvTitleBarButton::UIStyle, &TkvTitleBarButton::SetUIStyle)
      .Default(int64_t(TkvUIStyle::DeepBlue));
  p.Property("ButtonType", &TkvTitleBarButton::ButtonType, &TkvTitleBarButton::SetButtonType).Default(kvCustom);
  p.Property("Transparent", &TkvTitleBarButton::Transparent, &TkvTitleBarButton::SetTransparent).Default(false);
  p.Property("Top", &TkvTitleBarButton::Top, &TkvTitleBarButton::SetTop).Default(2);
  p.Property("ControlBoxMenu", &TkvTitleBarButton::ControlBoxMenu, &TkvTitleBarButton::SetControlBoxMenu);
  p.Property("Visible", &TkvTitleBarButton::Visible, &TkvTitleBarButton::SetVisible).Default(true);
  p.Property("PicNormal", &TkvTitleBarButton::PicNormal, &TkvTitleBarButton::SetPicNormal);
  p.Property("PicMouseOn", &TkvTitleBarButton::PicMouseOn, &TkvTitleBarButton::SetPicMouseOn);
  p.Property("PicMouseDown", &TkvTitleBarButton::PicMouseDown, &TkvTitleBarButton::SetPicMouseDown);
}

KX_PUBLISH(TkvTitleBarSections) {}
KX_PUBLISH(TkvTitleBarButtons) {}

namespace {

void LoadResourcePicture(TPicture& picture, const std::string& name) {
  picture.Bitmap()->LoadFromResourceName(GetModuleHandleA(nullptr), name);
}

}  // namespace

// ---------------------------------------------------------------------------
// Sections

TkvTitleBarSection::TkvTitleBarSection(TCollection* collection)
    : TCollectionItem(collection), picture_(std::make_unique<TPicture>()) {}

TkvTitleBarSection::~TkvTitleBarSection() = default;

TkvTitleBar* TkvTitleBarSection::Bar() const {
  auto* sections = dynamic_cast<TkvTitleBarSections*>(Collection());
  return sections ? sections->Bar() : nullptr;
}

void TkvTitleBarSection::Changed() { TCollectionItem::Changed(false); }

void TkvTitleBarSection::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TkvTitleBarSection*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  SetWidth(other->width_);
  SetAlign(other->align_);
  SetPicture(other->picture_.get());
  SetStretch(other->stretch_);
  SetAutoSize(other->autoSize_);
}

void TkvTitleBarSection::SetAutoSize(bool on) {
  autoSize_ = on;
  if (picture_->Graphic()) width_ = picture_->Width();
  Changed();
}

void TkvTitleBarSection::SetWidth(int width) {
  width_ = width;
  Changed();
}

void TkvTitleBarSection::SetAlign(TkvTitleBarAlign align) {
  if (align == align_) return;
  if (align == TkvTitleBarAlign::kvClient) {
    for (int i = 0; Collection() && i < Collection()->Count(); ++i)
      if (Collection()->ItemAs<TkvTitleBarSection>(i)->align_ == TkvTitleBarAlign::kvClient) {
        ShowSkinError("Sorry, only one section's Align property can be \"kvClient\"");
        return;
      }
    stretch_ = true;
  }
  align_ = align;
  Changed();
}

void TkvTitleBarSection::SetPicture(TPicture* picture) {
  picture_->Assign(picture);
  if (picture && autoSize_) width_ = picture_->Width();
  Changed();
}

void TkvTitleBarSection::SetStretch(bool on) {
  stretch_ = on || align_ == TkvTitleBarAlign::kvClient;
  Changed();
}

// ---------------------------------------------------------------------------
// Buttons

TkvTitleBarButton::TkvTitleBarButton(TCollection* collection) : TCollectionItem(collection) {
  for (auto& picture : pictures_) picture = std::make_unique<TPicture>();
  SetUIStyle(TkvUIStyle::DeepBlue);  // a custom button: no pictures to load
}

TkvTitleBarButton::~TkvTitleBarButton() = default;

TkvTitleBar* TkvTitleBarButton::Bar() const {
  auto* buttons = dynamic_cast<TkvTitleBarButtons*>(Collection());
  return buttons ? buttons->Bar() : nullptr;
}

void TkvTitleBarButton::Changed() { TCollectionItem::Changed(false); }

void TkvTitleBarButton::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TkvTitleBarButton*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  SetVisible(other->visible_);
  SetButtonType(other->buttonType_);
  SetTransparent(other->transparent_);
  SetTop(other->top_);
  SetUIStyle(other->uiStyle_);
  for (int i = 0; i < 3; ++i) SetPictureOf(i, other->pictures_[i].get());
  SetControlBoxMenu(other->controlBoxMenu_);
}

void TkvTitleBarButton::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  LoadStylePictures();
}

void TkvTitleBarButton::SetButtonType(TkvTitleBarBtnType type) {
  if (type == buttonType_) return;
  if (type == kvControlBox)
    for (int i = 0; Collection() && i < Collection()->Count(); ++i)
      if (Collection()->ItemAs<TkvTitleBarButton>(i)->buttonType_ == kvControlBox) {
        ShowSkinError("Sorry, only one button's ButtonType property can be \"kvControlBox\"");
        return;
      }
  buttonType_ = type;
  LoadStylePictures();
  Changed();
}

void TkvTitleBarButton::SetTransparent(bool on) {
  transparent_ = on;
  Changed();
}

void TkvTitleBarButton::SetTop(int top) {
  top_ = top;
  Changed();
}

void TkvTitleBarButton::SetControlBoxMenu(TPopupMenu* menu) {
  controlBoxMenu_ = menu;
  // The bar forgets a menu that is freed before it.
  if (TkvTitleBar* bar = Bar(); bar && menu) menu->FreeNotification(bar);
}

void TkvTitleBarButton::SetVisible(bool on) {
  visible_ = on;
  Changed();
}

void TkvTitleBarButton::SetPictureOf(int index, TPicture* picture) {
  pictures_[index]->Assign(picture);
  Changed();
}

void TkvTitleBarButton::LoadPictures(int firstEntry) {
  for (int i = 0; i < 3; ++i) LoadResourcePicture(*pictures_[i], ThemeResourceName(uiStyle_, firstEntry + i));
}

void TkvTitleBarButton::LoadStylePictures() {
  if (uiStyle_ == TkvUIStyle::Custom) return;
  transparent_ = ThemeFlag(uiStyle_, 66);
  switch (buttonType_) {
    case kvMax:
      LoadPictures(51);
      break;
    case kvMin:
      LoadPictures(54);
      break;
    case kvClose:
      LoadPictures(48);
      break;
    case kvHelp:
      LoadPictures(57);
      break;
    case kvControlBox:
      LoadPictures(60);
      break;
    case kvCustom:
      return;
  }
  top_ = ThemeInteger(uiStyle_, 69);
  UpdateMaxRestorePictures();
}

void TkvTitleBarButton::UpdateMaxRestorePictures() {
  if (buttonType_ != kvMax || uiStyle_ == TkvUIStyle::Custom) return;
  const TkvTitleBar* bar = Bar();
  LoadPictures(bar && bar->FormMaximized() ? 63 : 51);
}

// ---------------------------------------------------------------------------
// Collections

TkvTitleBarSections::TkvTitleBarSections(TkvTitleBar* bar)
    : TCollection(bar, TCollection::ItemsOf<TkvTitleBarSection>()), bar_(bar) {}

void TkvTitleBarSections::Update(TCollectionItem* item) {
  TCollection::Update(item);
  bar_->Invalidate();
}

TkvTitleBarButtons::TkvTitleBarButtons(TkvTitleBar* bar)
    : TCollection(bar, TCollection::ItemsOf<TkvTitleBarButton>()), bar_(bar) {}

void TkvTitleBarButtons::Update(TCollectionItem* item) {
  TCollection::Update(item);
  bar_->Invalidate();
}

}  // namespace kx
