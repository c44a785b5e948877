// Group boxes: a one-pixel frame with the caption set into its top line.
// Disabling or enabling a group does the same to every control directly
// inside it.
#pragma once

#include <string>

#include "skin/controls/KVImagePanel.h"

namespace kx {

class TkvCustomGroupBox : public TkvCustomPanel {
  KX_CLASS(TkvCustomGroupBox, TkvCustomPanel)
 public:
  explicit TkvCustomGroupBox(TComponent* owner);

  // The group's own caption; the panel's caption stays a single space, so
  // the panel paint draws no text.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  // Enables or disables the group, then gives every child control the same
  // value: enabling also enables a child that was disabled on its own.
  void SetEnabled(bool enabled) override;

  virtual void ApplyUIStyle(TkvUIStyle style);
  void PaintTo(TBitmap& bitmap) override;
  // The client rectangle less the frame and the caption's line.
  RECT InnerRect() const;

 protected:
  void FontChanged() override;
  void TextChanged() override { Invalidate(); }

 private:
  TColor borderColor_;
  std::string caption_;
};

class TkvGroupBox : public TkvCustomGroupBox {
  KX_CLASS(TkvGroupBox, TkvCustomGroupBox)
 public:
  explicit TkvGroupBox(TComponent* owner) : TkvCustomGroupBox(owner) {}
};

}  // namespace kx
