// A panel that plays the skinned form of a window for the controls' owner
// lookups (FormSkinStyle, FormSkinColor), so a control can be made on a form
// of any style without the form's own frame.
#pragma once

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVThemesControls.h"

namespace skintest {

class StyledPanel : public kx::TPanel, public kx::TkvSkinnedForm {
 public:
  StyledPanel(kx::TComponent* owner, kx::TkvUIStyle style, kx::TColor color = kx::clBtnFace)
      : kx::TPanel(owner), style_(style), color_(color) {
    SetBevelOuter(kx::bvNone);
  }
  kx::TkvUIStyle SkinStyle() const override { return style_; }
  kx::TColor SkinColor() const override { return color_; }

 private:
  kx::TkvUIStyle style_;
  kx::TColor color_;
};

// A strip along the top of `form` that plays its skinned form; made before
// the controls, as a form resource makes its frame.
inline void AddStyleStrip(kx::TForm* form, kx::TkvUIStyle style) {
  auto* panel = new StyledPanel(form, style);
  panel->SetAlign(kx::alTop);
  panel->SetHeight(4);
  panel->SetParent(form);
}

// A form of the given style: controls owned by it find that style. It has
// its window from the start, so its controls get theirs when parented.
inline kx::TForm* NewStyledForm(kx::TkvUIStyle style, int width = 360, int height = 240) {
  kx::TForm* form = kx::TCustomForm::Create<kx::TForm>(nullptr);
  form->SetBounds(120, 100, width, height);
  form->HandleNeeded();
  auto* panel = new StyledPanel(form, style);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 1, 1);
  return form;
}

}  // namespace skintest
