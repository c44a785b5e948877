// A style pushed onto the skinned controls of a container.
//
// ApplyStyleToControls runs, for each direct child control in child order,
// the steps of StyleSteps in their order; a control of several of the step
// classes (a radio button is also a check box) is handled by each step.
//
// Each step names its class and holds the function that restyles a control
// of that class, built from the templates below, e.g.
//   {"TkvButton", RestyleUnlessCustom<TkvButton>},
//   {"TkvEdit", SetBorderColorOf<TkvEdit>},
// A step whose class is not built yet holds nullptr and is passed over.
#pragma once

#include <array>

#include "framework/windows/Controls.h"
#include "skin/look/KVThemes.h"

namespace kx {

// Restyles `control` when it is of the step's class; does nothing otherwise.
using TStyleStepFn = void (*)(TControl& control, TkvUIStyle style);

struct TStyleStep {
  const char* ClassName;
  TStyleStepFn Apply;  // nullptr: the class does not exist yet
};

constexpr int StyleStepCount = 24;
extern const std::array<TStyleStep, StyleStepCount> StyleSteps;

// A container class whose children ApplyStyleToNestedContainers restyles.
struct TStyleContainer {
  const char* ClassName;
  bool (*Matches)(const TControl& control);  // nullptr: the class does not exist yet
};

constexpr int StyleContainerCount = 4;
extern const std::array<TStyleContainer, StyleContainerCount> StyleContainers;

// What the controls read of the skinned form of their window: the form's
// skinned frame (TkvForm) has this face.
class TkvSkinnedForm {
 public:
  virtual TkvUIStyle SkinStyle() const = 0;
  virtual TColor SkinColor() const = 0;

 protected:
  ~TkvSkinnedForm() = default;
};

// The first skinned form among the direct child controls of `owner`, in
// child order; nullptr for none, for no owner and for an owner that is not a
// windowed control.
const TkvSkinnedForm* FindSkinnedForm(const TComponent* owner);
// Its style, DeepBlue without one.
TkvUIStyle FormSkinStyle(const TComponent* owner);
// Its colour, clBtnFace without one.
TColor FormSkinColor(const TComponent* owner);
// The border colour of its style (entry 8), black without one.
TColor FormSkinBorderColor(const TComponent* owner);

// Runs StyleSteps over the direct children of `container`.
void ApplyStyleToControls(TWinControl& container, TkvUIStyle style);
// ApplyStyleToControls on each direct child that is one of StyleContainers;
// one level deep.
void ApplyStyleToNestedContainers(TWinControl& container, TkvUIStyle style);

// The same walks over tables of one's own (tests use stand-in classes).
template <size_t N>
void ApplyStyleSteps(TWinControl& container, TkvUIStyle style, const std::array<TStyleStep, N>& steps) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    TControl& control = *container.Controls(i);
    for (const TStyleStep& step : steps)
      if (step.Apply) step.Apply(control, style);
  }
}

template <size_t N>
void ApplyStyleToContainers(TWinControl& container, TkvUIStyle style, const std::array<TStyleContainer, N>& kinds,
                            void (*apply)(TWinControl&, TkvUIStyle)) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(container.Controls(i));
    if (!child) continue;
    for (const TStyleContainer& kind : kinds)
      if (kind.Matches && kind.Matches(*child)) {
        apply(*child, style);
        break;
      }
  }
}

// ---------------------------------------------------------------------------
// What a step does to a control of class T.

// Controls that keep a Custom look (push, check and radio buttons, progress bars).
template <class T>
void RestyleUnlessCustom(TControl& control, TkvUIStyle style) {
  if (auto* c = dynamic_cast<T*>(&control); c && c->UIStyle() != TkvUIStyle::Custom) c->SetUIStyle(style);
}

// Controls restyled whatever their own style.
template <class T>
void Restyle(TControl& control, TkvUIStyle style) {
  if (auto* c = dynamic_cast<T*>(&control)) c->SetUIStyle(style);
}

// Bordered native controls: entry 8 (black for Custom).
template <class T>
void SetBorderColorOf(TControl& control, TkvUIStyle style) {
  if (auto* c = dynamic_cast<T*>(&control)) c->SetBorderColor(ThemeColor(style, 8));
}

// Group boxes: border (8), caption (10), then face (9).
template <class T>
void RestyleGroupBox(TControl& control, TkvUIStyle style) {
  if (auto* c = dynamic_cast<T*>(&control)) {
    c->SetBorderColor(ThemeColor(style, 8));
    c->Font()->SetColor(ThemeColor(style, 10));
    c->SetColor(ThemeColor(style, 9));
  }
}

// The side channel: its colour, then its bar's, both entry 9.
template <class T>
void RestyleSideChannel(TControl& control, TkvUIStyle style) {
  if (auto* c = dynamic_cast<T*>(&control)) {
    c->SetColor(ThemeColor(style, 9));
    c->SetSideBarColor(ThemeColor(style, 9));
  }
}

template <class T>
bool IsStyleContainer(const TControl& control) {
  return dynamic_cast<const T*>(&control) != nullptr;
}

}  // namespace kx
