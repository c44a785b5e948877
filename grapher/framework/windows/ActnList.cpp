#include "framework/windows/ActnList.h"

#include <algorithm>

namespace kx {

KX_PUBLISH(TBasicAction) { p.Field("OnExecute", &TBasicAction::OnExecute); }

KX_PUBLISH(TCustomAction) {}

KX_PUBLISH(TAction) {
  p.Property("Caption", &TAction::Caption, &TAction::SetCaption);
  p.Property("Enabled", &TAction::Enabled, &TAction::SetEnabled).Default(true);
  p.Property("Hint", &TAction::Hint, &TAction::SetHint);
  p.Property("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex).Default(-1);
  p.Property("Visible", &TAction::Visible, &TAction::SetVisible).Default(true);
}

KX_PUBLISH(TActionList) { p.Property("Images", &TActionList::Images, &TActionList::SetImages); }

// ---------------------------------------------------------------------------
// TBasicAction

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
  // Each client hears of the freeing through its free notification.
  for (TControl* client : std::vector<TControl*>(clients_)) client->SetAction(nullptr);
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::RegisterClient(TControl* control) {
  if (std::find(clients_.begin(), clients_.end(), control) == clients_.end()) clients_.push_back(control);
}

void TBasicAction::UnRegisterClient(TControl* control) { std::erase(clients_, control); }

void TBasicAction::Change() {
  for (TControl* client : std::vector<TControl*>(clients_)) client->ActionChange(this, false);
}

// ---------------------------------------------------------------------------
// TCustomAction

TCustomAction::TCustomAction(TComponent* owner) : TBasicAction(owner) {}

TCustomAction::~TCustomAction() { SetActionList(nullptr); }

void TCustomAction::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Change();
}

void TCustomAction::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Change();
}

void TCustomAction::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  Change();
}

void TCustomAction::SetVisible(bool on) {
  if (on == visible_) return;
  visible_ = on;
  Change();
}

void TCustomAction::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Change();
}

void TCustomAction::SetActionList(TActionList* list) {
  if (list == actionList_) return;
  if (actionList_) std::erase(actionList_->actions_, this);
  actionList_ = list;
  if (list) list->actions_.push_back(this);
}

bool TCustomAction::Execute() { return enabled_ && TBasicAction::Execute(); }

void TCustomAction::SetParentComponent(TComponent* parent) {
  if (auto* list = dynamic_cast<TActionList*>(parent)) SetActionList(list);
}

TComponent* TCustomAction::GetParentComponent() const { return actionList_; }

// ---------------------------------------------------------------------------
// TActionList

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
  SetImages(nullptr);
  for (TCustomAction* action : std::vector<TCustomAction*>(actions_)) action->SetActionList(nullptr);
}

void TActionList::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
}

void TActionList::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TCustomAction* action : actions_)
    if (action->Owner() == root) proc(action);
}

void TActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}

// ---------------------------------------------------------------------------
// The control's side of the link

void TControl::SetAction(TBasicAction* action) {
  if (action == action_) return;
  if (action_) {
    action_->UnRegisterClient(this);
    action_->RemoveFreeNotification(this);
  }
  action_ = action;
  if (!action) return;
  action->RegisterClient(this);
  action->FreeNotification(this);
  // An action still loading gives its values only where the control keeps
  // its defaults.
  ActionChange(action, action->ComponentState().Contains(csLoading));
}

void TControl::ActionChange(TBasicAction* action, bool checkDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(action);
  if (!a) return;
  if (!checkDefaults || Caption().empty() || Caption() == Name()) SetCaption(a->Caption());
  if (!checkDefaults || Enabled()) SetEnabled(a->Enabled());
  if (!checkDefaults || Hint().empty()) SetHint(a->Hint());
  if (!checkDefaults || Visible()) SetVisible(a->Visible());
}

}  // namespace kx
