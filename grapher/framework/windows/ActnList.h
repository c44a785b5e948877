// Actions: a command with a caption, an enabled state, a hint, a picture
// (an index into its action list's images) and a handler, which controls
// follow through their Action property. A control linked to an action
// takes the action's caption, enabled state, hint and visibility whenever
// one of them changes, and a click with no OnClick of its own runs the
// action.
#pragma once

#include <string>
#include <vector>

#include "framework/windows/Controls.h"
#include "framework/windows/Graphics.h"

namespace kx {

class TActionList;

class TBasicAction : public TComponent {
  KX_CLASS(TBasicAction, TComponent)
 public:
  explicit TBasicAction(TComponent* owner);
  ~TBasicAction() override;

  // Runs OnExecute; false when there is none.
  virtual bool Execute();
  // The controls that follow this action.
  const std::vector<TControl*>& Clients() const { return clients_; }
  void RegisterClient(TControl* control);
  void UnRegisterClient(TControl* control);

  TNotifyEvent OnExecute;

 protected:
  // Every client hears of the change.
  void Change();

 private:
  std::vector<TControl*> clients_;
};

class TCustomAction : public TBasicAction {
  KX_CLASS(TCustomAction, TBasicAction)
 public:
  explicit TCustomAction(TComponent* owner);
  ~TCustomAction() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  // An index into the action list's Images; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  // The list the action belongs to, or nullptr.
  TActionList* ActionList() const { return actionList_; }
  void SetActionList(TActionList* list);

  // A disabled action does not run.
  bool Execute() override;

  // Read from a form resource inside its action list.
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;

 private:
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool visible_ = true;
  int imageIndex_ = -1;
  TActionList* actionList_ = nullptr;
};

class TAction : public TCustomAction {
  KX_CLASS(TAction, TCustomAction)
 public:
  using TCustomAction::TCustomAction;
};

// The actions of a form, and the images their ImageIndex picks from.
class TActionList : public TComponent {
  KX_CLASS(TActionList, TComponent)
 public:
  explicit TActionList(TComponent* owner);
  ~TActionList() override;

  int ActionCount() const { return int(actions_.size()); }
  TCustomAction* Actions(int index) const { return actions_.at(size_t(index)); }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TCustomAction;
  std::vector<TCustomAction*> actions_;  // their owner frees them
  TImageList* images_ = nullptr;
};

}  // namespace kx
