#include "skin/KVThemesControls.h"

#include "skin/KVButton.h"
#include "skin/KVCheckListBox.h"
#include "skin/KVColorBox.h"
#include "skin/KVComboBox.h"
#include "skin/KVEdit.h"
#include "skin/KVFontComboBox.h"
#include "skin/KVGrid.h"
#include "skin/KVGroupBox.h"
#include "skin/KVImagePanel.h"
#include "skin/KVListBox.h"
#include "skin/KVListView.h"
#include "skin/KVMemo.h"
#include "skin/KVPageControl.h"
#include "skin/KVProgressBar.h"
#include "skin/KVRadioGroup.h"
#include "skin/KVScrollBar.h"
#include "skin/KVSideChannel.h"
#include "skin/KVTabControl.h"
#include "skin/KVToolBar.h"
#include "skin/KVTrackBar.h"
#include "skin/KVTreeView.h"

namespace kx {

// The order matters: a control that is of several classes is restyled by
// each matching step, in this order.
const std::array<TStyleStep, StyleStepCount> StyleSteps = {{
    {"TkvRadioButton", RestyleUnlessCustom<TkvRadioButton>},
    {"TkvCheckBox", RestyleUnlessCustom<TkvCheckBox>},
    {"TkvProgressBar", RestyleUnlessCustom<TkvProgressBar>},
    {"TkvButton", RestyleUnlessCustom<TkvButton>},
    {"TkvListBox", SetBorderColorOf<TkvListBox>},
    {"TkvGroupBox", RestyleGroupBox<TkvGroupBox>},
    {"TkvEdit", SetBorderColorOf<TkvEdit>},
    {"TkvMemo", SetBorderColorOf<TkvMemo>},
    {"TkvCheckListBox", Restyle<TkvCheckListBox>},
    {"TkvSideChannel", RestyleSideChannel<TkvSideChannel>},
    {"TkvCheckGroup", Restyle<TkvCheckGroup>},
    {"TkvComboBox", Restyle<TkvComboBox>},
    {"TkvColorBox", Restyle<TkvColorBox>},
    {"TkvFontComboBox", Restyle<TkvFontComboBox>},
    {"TkvFontSizeComboBox", Restyle<TkvFontSizeComboBox>},
    {"TkvListView", SetBorderColorOf<TkvListView>},
    {"TkvTreeView", SetBorderColorOf<TkvTreeView>},
    {"TkvTabControl", Restyle<TkvTabControl>},
    {"TkvTrackBar", Restyle<TkvTrackBar>},
    {"TkvToolBar", Restyle<TkvToolBar>},
    {"TkvPageControl", Restyle<TkvPageControl>},
    {"TkvScrollBar", Restyle<TkvScrollBar>},
    {"TkvDrawGrid", Restyle<TkvDrawGrid>},
    {"TkvStringGrid", Restyle<TkvStringGrid>},
}};

// A page control's sheets are reached through its own style setter.
const std::array<TStyleContainer, StyleContainerCount> StyleContainers = {{
    {"TkvImagePanel", IsStyleContainer<TkvImagePanel>},
    {"TkvGroupBox", IsStyleContainer<TkvGroupBox>},
    {"TkvTabControl", IsStyleContainer<TkvTabControl>},
    {"TkvTabSheet", IsStyleContainer<TkvTabSheet>},
}};

const TkvSkinnedForm* FindSkinnedForm(const TComponent* owner) {
  const auto* container = dynamic_cast<const TWinControl*>(owner);
  if (!container) return nullptr;
  for (int i = 0; i < container->ControlCount(); ++i)
    if (const auto* form = dynamic_cast<const TkvSkinnedForm*>(container->Controls(i))) return form;
  return nullptr;
}

TkvUIStyle FormSkinStyle(const TComponent* owner) {
  const TkvSkinnedForm* form = FindSkinnedForm(owner);
  return form ? form->SkinStyle() : TkvUIStyle::DeepBlue;
}

TColor FormSkinColor(const TComponent* owner) {
  const TkvSkinnedForm* form = FindSkinnedForm(owner);
  return form ? form->SkinColor() : clBtnFace;
}

TColor FormSkinBorderColor(const TComponent* owner) {
  const TkvSkinnedForm* form = FindSkinnedForm(owner);
  return form ? ThemeColor(form->SkinStyle(), 8) : 0;
}

void ApplyStyleToControls(TWinControl& container, TkvUIStyle style) { ApplyStyleSteps(container, style, StyleSteps); }

void ApplyStyleToNestedContainers(TWinControl& container, TkvUIStyle style) {
  ApplyStyleToContainers(container, style, StyleContainers, &ApplyStyleToControls);
}

}  // namespace kx
