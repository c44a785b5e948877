// The check-list box with a one-pixel skinned frame; each item's check box
// shows the style's picture.
#pragma once

#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVLinkedBars.h"
#include "skin/look/KVThemes.h"

namespace kx {

class TkvCheckListBox : public TCheckListBox {
  KX_CLASS(TkvCheckListBox, TCheckListBox)
 public:
  explicit TkvCheckListBox(TComponent* owner);

  TkvUIStyle UIStyle() const { return uiStyle_; }
  // Custom is refused: the box keeps its style and border colour. Any other
  // style sets the border colour (entry 8).
  void SetUIStyle(TkvUIStyle style);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  // A skinned bar laid over the native vertical bar, which it mirrors.
  TkvScrollBar* VScrollBar() const { return bars_.Bar(true); }
  void SetVScrollBar(TkvScrollBar* bar);
  // The frame is always one pixel: these read so whatever was written.
  TFormBorderStyle BorderStyle() const { return bsSingle; }
  void SetBorderStyle(TFormBorderStyle) {}
  int BorderWidth() const { return 1; }
  void SetBorderWidth(int) {}

  // The style picture of an item's check box: entry 94/95 (checked or not),
  // 92/93 on a disabled box; empty for Custom.
  std::string CheckPictureName(bool checked) const;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void DrawItem(int index, RECT rect, TOwnerDrawState state) override;

 private:
  void DrawFrame();

  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;
  TColor borderColor_ = clBlack;
  TkvLinkedBars bars_{*this, false};
};

}  // namespace kx
