#include "skin/controls/KVThemesControls.h"

#include "skin/controls/KVButton.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/controls/KVColorBox.h"
#include "skin/controls/KVComboBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVFontComboBox.h"
#include "skin/controls/KVGrid.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/controls/KVImagePanel.h"
#include "skin/controls/KVListBox.h"
#include "skin/controls/KVListView.h"
#include "skin/controls/KVMemo.h"
#include "skin/controls/KVPageControl.h"
#include "skin/controls/KVProgressBar.h"
#include "skin/controls/KVRadioGroup.h"
#include "skin/controls/KVScrollBar.h"
#include "skin/controls/KVSideChannel.h"
#include "skin/controls/KVTabControl.h"
#include "skin/controls/KVToolBar.h"
#include "skin/controls/KVTrackBar.h"
#include "skin/controls/KVTreeView.h"

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
