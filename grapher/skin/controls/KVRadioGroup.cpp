#include "skin/controls/KVRadioGroup.h"

#include <algorithm>

#include "skin/controls/KVThemesControls.h"

namespace kx {

KX_PUBLISH(TkvCheckGroup) {
  p.Property("UIStyle", &TkvCheckGroup::UIStyle, &TkvCheckGroup::SetUIStyle);
  p.Property("Items", &TkvCheckGroup::Items, &TkvCheckGroup::SetItems);
  p.Property("Columns", &TkvCheckGroup::Columns, &TkvCheckGroup::SetColumns).Default(1);
  p.Property("TopMargin", &TkvCheckGroup::TopMargin, &TkvCheckGroup::SetTopMargin).Default(8);
  p.Color("FontColor", &TkvCheckGroup::FontColor, &TkvCheckGroup::SetFontColor);
  p.Color("BorderColor", &TkvCheckGroup::BorderColor, &TkvCheckGroup::SetBorderColor);
  p.Field("OnClick", &TkvCheckGroup::OnClick);
}

KX_PUBLISH(TkvRadioGroup) {
  p.Property("ItemIndex", &TkvRadioGroup::ItemIndex, &TkvRadioGroup::SetItemIndex).NotStored();
}

namespace {

struct RadioGroupModule {
  RadioGroupModule() { RegisterClasses({&TkvCheckGroup::StaticClass(), &TkvRadioGroup::StaticClass()}); }
} radioGroupModule;

}  // namespace

std::vector<POINT> CheckGroupPlaces(int width, RECT inner, int topMargin, int count, int columns) {
  std::vector<POINT> places;
  if (count <= 0) return places;
  columns = std::max(columns, 1);
  const int top = inner.top + topMargin;
  const int h = inner.bottom - top;
  const int rows = (count + columns - 1) / columns;
  const int columnWidth = (width - 10) / columns;
  const int rowHeight = h / rows;
  const int firstTop = (h % rows) / 2 + top;
  for (int i = 0; i < count; ++i)
    places.push_back(POINT{(i / rows) * columnWidth + 8, (i % rows) * rowHeight + firstTop});
  return places;
}

// ---------------------------------------------------------------------------
// TkvCheckGroup

TkvCheckGroup::TkvCheckGroup(TComponent* owner)
    : TkvCustomGroupBox(owner), items_(std::make_unique<TStringList>()), uiStyle_(FormSkinStyle(owner)) {
  items_->OnChange = TNotifyEvent([this](TObject*) { SynchroniseItems(); });
  SetTransparent(false);
  SetParentColor(true);
  TControl::OnClick = TNotifyEvent([this](TObject*) { RelayClick(); });
}

TkvCheckGroup::~TkvCheckGroup() { items_->OnChange = TNotifyEvent(); }

void TkvCheckGroup::RelayClick() {
  ItemClick();
  OnClick(this);
}

TkvCheckBox* TkvCheckGroup::CreateItem() { return new TkvCheckBox(this); }

void TkvCheckGroup::SynchroniseItems() {
  const int wanted = items_->Count();
  const bool adding = wanted > ItemCount();
  while (ItemCount() < wanted) {
    TkvCheckBox* item = CreateItem();
    item->SetParent(this);
    item->SetFont(Font());
    item->SetAutoSize(true);
    item->SetUIStyle(uiStyle_);
    item->SetTransparent(Transparent());
    item->SetParentColor(true);
    item->TControl::OnClick = TNotifyEvent([this](TObject*) { RelayClick(); });
    itemControls_.push_back(item);
  }
  while (ItemCount() > wanted) {
    delete itemControls_.back();
    itemControls_.pop_back();
  }
  for (int i = 0; i < ItemCount(); ++i) itemControls_[i]->SetCaption(items_->Strings(i));
  ArrangeItems();
  if (adding) {
    // Passes the group's Transparent to every item once more.
    const bool transparent = Transparent();
    SetTransparent(!transparent);
    SetTransparent(transparent);
  }
}

void TkvCheckGroup::ArrangeItems() {
  const std::vector<POINT> places = CheckGroupPlaces(Width(), InnerRect(), topMargin_, ItemCount(), columns_);
  for (int i = 0; i < ItemCount(); ++i) {
    itemControls_[i]->SetLeft(places[i].x);
    itemControls_[i]->SetTop(places[i].y);
  }
}

void TkvCheckGroup::SetColumns(int columns) {
  if (columns < 0) return;
  columns_ = columns;
  ArrangeItems();
}

void TkvCheckGroup::SetTopMargin(int margin) {
  if (margin < 0) return;
  topMargin_ = margin;
  ArrangeItems();
}

void TkvCheckGroup::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  ApplyUIStyle(style);
}

void TkvCheckGroup::ApplyUIStyle(TkvUIStyle style) {
  SetBorderColor(ThemeColor(style, 8));
  Font()->SetColor(ThemeColor(style, 10));
  if (!ParentColor()) SetColor(ThemeColor(style, 9));
  for (TkvCheckBox* item : itemControls_) {
    item->SetUIStyle(style);
    item->SetColor(Color());
  }
}

void TkvCheckGroup::DoSetTransparent(bool on) {
  TkvCustomGroupBox::DoSetTransparent(on);
  for (TkvCheckBox* item : itemControls_) item->SetTransparent(on);
}

void TkvCheckGroup::FontChanged() {
  TkvCustomGroupBox::FontChanged();
  for (TkvCheckBox* item : itemControls_) item->SetFont(Font());
}

void TkvCheckGroup::Resize() {
  TkvCustomGroupBox::Resize();
  ArrangeItems();
}

// ---------------------------------------------------------------------------
// TkvRadioGroup

TkvCheckBox* TkvRadioGroup::CreateItem() { return new TkvRadioButton(this); }

int TkvRadioGroup::ItemIndex() const {
  for (int i = 0; i < ItemCount(); ++i)
    if (ItemControl(i)->Checked()) return i;
  return -1;
}

void TkvRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= Items()->Count()) return;
  if (index == -1) {
    for (int i = 0; i < ItemCount(); ++i) ItemControl(i)->SetChecked(false);
    return;
  }
  ItemControl(index)->SetChecked(true);
}

}  // namespace kx
