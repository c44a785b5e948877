// The up-down control: a pair of arrows attached to an edit.
#pragma once

#include "framework/windows/Controls.h"

namespace kx {

enum TUDAlignButton { udLeft, udRight };
KX_ENUM_NAMES(TUDAlignButton, "udLeft", "udRight")
enum TUDBtnType { btNext, btPrev };
KX_ENUM_NAMES(TUDBtnType, "btNext", "btPrev")
using TUDClickEvent = TEvent<TObject*, TUDBtnType>;

class TUpDown : public TWinControl {
  KX_CLASS(TUpDown, TWinControl)
 public:
  explicit TUpDown(TComponent* owner);

  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  // Writing clamps to Min..Max and shows the value in the attached edit.
  int Position() const;
  void SetPosition(int v);
  int Increment() const { return increment_; }
  void SetIncrement(int v) { increment_ = v; }
  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* control);
  TUDAlignButton AlignButton() const { return alignButton_; }
  void SetAlignButton(TUDAlignButton v) { alignButton_ = v; }
  bool Wrap() const { return wrap_; }
  void SetWrap(bool on) { wrap_ = on; }
  void Loaded() override;

  TUDClickEvent OnClick;
  TNotifyEvent OnChanging;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void UpdateAssociate();
  int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
  bool wrap_ = false;
  TUDAlignButton alignButton_ = udRight;
  TWinControl* associate_ = nullptr;
};

}  // namespace kx
