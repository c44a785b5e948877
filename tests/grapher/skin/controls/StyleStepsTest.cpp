// The style's passage over a control tree: the order of its steps with
// stand-in classes, and the real steps over the real controls.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/windows/ExtCtrls.h"
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
#include "skin/controls/KVTabControl.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/controls/KVToolBar.h"
#include "skin/controls/KVTrackBar.h"
#include "skin/controls/KVTreeView.h"
#include "skin/look/KVThemes.h"

using namespace kx;

namespace {

constexpr TkvUIStyle Custom = TkvUIStyle::Custom, MacOS = TkvUIStyle::MacOS, WinXP = TkvUIStyle::WinXP,
                     DeepBlue = TkvUIStyle::DeepBlue, Protein = TkvUIStyle::Protein, BlueGlass = TkvUIStyle::BlueGlass;

// A colour as $BBGGRR.
std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "$%06X", v);
  return text;
}

}  // namespace

// Passing a style to the controls of a container, with stand-in classes.

namespace {

std::vector<std::string>* g_log = nullptr;

void Log(const TControl* control, const std::string& what) { g_log->push_back(control->Name() + "." + what); }

// Controls with a style of their own; like the real classes, a check box is
// no push button and a radio button is a check box.
class StandInStyled : public TControl {
 public:
  StandInStyled(TComponent* owner, TkvUIStyle style) : TControl(owner), style_(style) {}
  TkvUIStyle UIStyle() const { return style_; }
  void SetUIStyle(TkvUIStyle style) {
    style_ = style;
    Log(this, "UIStyle=" + EnumInfoOf<TkvUIStyle>().NameOf(static_cast<int>(style)));
  }

 private:
  TkvUIStyle style_;
};
class StandInButton : public StandInStyled {
  using StandInStyled::StandInStyled;
};
class StandInCheckBox : public StandInStyled {
  using StandInStyled::StandInStyled;
};
class StandInRadioButton : public StandInCheckBox {
  using StandInCheckBox::StandInCheckBox;
};
class StandInCheckListBox : public StandInStyled {
  using StandInStyled::StandInStyled;
};

class StandInEdit : public TControl {
 public:
  using TControl::TControl;
  void SetBorderColor(TColor c) { Log(this, "BorderColor=" + Hex(static_cast<uint32_t>(c))); }
};

class StandInGroupBox : public TWinControl {
 public:
  explicit StandInGroupBox(TComponent* owner) : TWinControl(owner) {
    Font()->OnChange = TNotifyEvent([this](TObject*) { Log(this, "Font.Color=" + Hex(Font()->Color())); });
  }
  void SetBorderColor(TColor c) { Log(this, "BorderColor=" + Hex(static_cast<uint32_t>(c))); }
  void SetColor(TColor c) override {
    TWinControl::SetColor(c);
    Log(this, "Color=" + Hex(static_cast<uint32_t>(c)));
  }
};

class StandInSideChannel : public TControl {
 public:
  using TControl::TControl;
  void SetColor(TColor c) override { Log(this, "Color=" + Hex(static_cast<uint32_t>(c))); }
  void SetSideBarColor(TColor c) { Log(this, "SideBarColor=" + Hex(static_cast<uint32_t>(c))); }
};

class StandInPanel : public TWinControl {
  using TWinControl::TWinControl;
};

// The real table's kinds of steps in the real table's order (radio button
// before check box), with a class not built yet among them.
const std::array<TStyleStep, 8> TestSteps = {{
    {"radio", RestyleUnlessCustom<StandInRadioButton>},
    {"check", RestyleUnlessCustom<StandInCheckBox>},
    {"button", RestyleUnlessCustom<StandInButton>},
    {"not built yet", nullptr},
    {"group", RestyleGroupBox<StandInGroupBox>},
    {"edit", SetBorderColorOf<StandInEdit>},
    {"checklist", Restyle<StandInCheckListBox>},
    {"side channel", RestyleSideChannel<StandInSideChannel>},
}};

const std::array<TStyleContainer, 3> TestContainers = {{
    {"panel", IsStyleContainer<StandInPanel>},
    {"not built yet", nullptr},
    {"group", IsStyleContainer<StandInGroupBox>},
}};

void ApplyTestSteps(TWinControl& container, TkvUIStyle style) { ApplyStyleSteps(container, style, TestSteps); }

class StylePassage : public testing::Test {
 protected:
  void SetUp() override { g_log = &log_; }
  void TearDown() override { g_log = nullptr; }

  template <class T, class... A>
  T* Add(TWinControl* parent, const std::string& name, A... args) {
    T* control = new T(&root_, args...);
    control->SetName(name);
    control->SetParent(parent);
    return control;
  }

  std::vector<std::string> log_;
  TComponent root_{nullptr};
};

}  // namespace

TEST_F(StylePassage, StepsRunInOrderOverTheChildrenInOrder) {
  auto* form = Add<StandInPanel>(nullptr, "form");
  Add<StandInCheckBox>(form, "check", MacOS);
  Add<StandInRadioButton>(form, "customRadio", Custom);
  Add<StandInRadioButton>(form, "radio", DeepBlue);
  Add<StandInButton>(form, "customButton", Custom);
  Add<StandInEdit>(form, "edit");
  Add<StandInGroupBox>(form, "group");
  Add<StandInSideChannel>(form, "side");
  Add<StandInCheckListBox>(form, "customList", Custom);
  log_.clear();  // what parenting reported
  ApplyStyleSteps(*form, WinXP, TestSteps);
  const std::vector<std::string> expected = {
      "check.UIStyle=WinXP",
      // A radio button is a check box too: both steps restyle it.
      "radio.UIStyle=WinXP",
      "radio.UIStyle=WinXP",
      "edit.BorderColor=$686868",
      "group.BorderColor=$686868",
      "group.Font.Color=$CF4602",
      "group.Color=$DEEBEF",
      "side.Color=$DEEBEF",
      "side.SideBarColor=$DEEBEF",
      // Restyled whatever its own style.
      "customList.UIStyle=WinXP",
  };
  EXPECT_EQ(log_, expected);
}

TEST_F(StylePassage, CustomPaintsBordersBlack) {
  auto* form = Add<StandInPanel>(nullptr, "form");
  Add<StandInButton>(form, "button", WinXP);
  Add<StandInEdit>(form, "edit");
  Add<StandInGroupBox>(form, "group");
  log_.clear();
  ApplyStyleSteps(*form, Custom, TestSteps);
  const std::vector<std::string> expected = {
      "button.UIStyle=Custom",    "edit.BorderColor=$000000", "group.BorderColor=$000000",
      "group.Font.Color=$000000", "group.Color=$000000",
  };
  EXPECT_EQ(log_, expected);
}

TEST_F(StylePassage, NestedContainersOneLevelDeep) {
  auto* form = Add<StandInPanel>(nullptr, "form");
  Add<StandInEdit>(form, "onForm");
  auto* panel = Add<StandInPanel>(form, "panel");
  Add<StandInEdit>(panel, "inPanel");
  auto* inner = Add<StandInPanel>(panel, "inner");
  Add<StandInEdit>(inner, "tooDeep");
  auto* group = Add<StandInGroupBox>(form, "group");
  Add<StandInEdit>(group, "inGroup");
  log_.clear();
  ApplyStyleToContainers(*form, DeepBlue, TestContainers, &ApplyTestSteps);
  // The form's own children are not restyled, nor the inner panel's.
  const std::vector<std::string> expected = {"inPanel.BorderColor=$000000", "inGroup.BorderColor=$000000"};
  EXPECT_EQ(log_, expected);
}

TEST(StyleSteps, TheOrderOfTheSteps) {
  const char* order[] = {"TkvRadioButton", "TkvCheckBox",  "TkvProgressBar", "TkvButton",       "TkvListBox",
                         "TkvGroupBox",    "TkvEdit",      "TkvMemo",        "TkvCheckListBox", "TkvSideChannel",
                         "TkvCheckGroup",  "TkvComboBox",  "TkvColorBox",    "TkvFontComboBox", "TkvFontSizeComboBox",
                         "TkvListView",    "TkvTreeView",  "TkvTabControl",  "TkvTrackBar",     "TkvToolBar",
                         "TkvPageControl", "TkvScrollBar", "TkvDrawGrid",    "TkvStringGrid"};
  ASSERT_EQ(std::size(order), StyleSteps.size());
  for (size_t i = 0; i < StyleSteps.size(); ++i) EXPECT_STREQ(StyleSteps[i].ClassName, order[i]) << i;
  const char* containers[] = {"TkvImagePanel", "TkvGroupBox", "TkvTabControl", "TkvTabSheet"};
  for (size_t i = 0; i < StyleContainers.size(); ++i) EXPECT_STREQ(StyleContainers[i].ClassName, containers[i]);
}

// ---------------------------------------------------------------------------
// The real steps over the real controls: each case puts one control on a
// container, passes a style over it, and reads what the control holds.

namespace {

struct RealStepCase {
  const char* name;
  std::function<TControl*(TComponent* owner)> make;
  TkvUIStyle style;
  std::function<std::string(TControl&)> read;
  std::string expected;
};

template <class T>
std::function<TControl*(TComponent*)> Make(TkvUIStyle own) {
  return [own](TComponent* owner) -> TControl* {
    auto* c = new T(owner);
    c->SetUIStyle(own);
    return c;
  };
}

template <class T>
std::string StyleOf(TControl& c) {
  return EnumInfoOf<TkvUIStyle>().NameOf(static_cast<int>(dynamic_cast<T&>(c).UIStyle()));
}

std::string GroupColours(TControl& c) {
  auto& g = dynamic_cast<TkvCustomGroupBox&>(c);
  return Hex(static_cast<uint32_t>(g.BorderColor())) + " " + Hex(static_cast<uint32_t>(g.Font()->Color())) + " " +
         Hex(static_cast<uint32_t>(g.Color()));
}

std::string ComboColours(TControl& c) {
  auto& b = dynamic_cast<TkvComboBox&>(c);
  return StyleOf<TkvComboBox>(c) + " " + Hex(static_cast<uint32_t>(b.ButtonColor())) + " " +
         Hex(static_cast<uint32_t>(b.ArrowColor())) + " " + Hex(static_cast<uint32_t>(b.BorderColor()));
}

template <class T>
TControl* New(TComponent* owner) {
  return new T(owner);
}

template <class T>
std::string BorderOf(TControl& c) {
  return Hex(static_cast<uint32_t>(dynamic_cast<T&>(c).BorderColor()));
}

template <class T>
std::string StyleAndBorderOf(TControl& c) {
  return StyleOf<T>(c) + " " + BorderOf<T>(c);
}

template <class T>
std::string StyleAndColorOf(TControl& c) {
  return StyleOf<T>(c) + " " + Hex(static_cast<uint32_t>(c.Color()));
}

std::string CheckBoxLook(TControl& c) {
  auto& b = dynamic_cast<TkvCheckBox&>(c);
  return StyleOf<TkvCheckBox>(c) + " " + b.PicNormalResName() + (b.Transparent() ? " transparent" : "");
}

const std::vector<RealStepCase>& RealStepCases() {
  static const std::vector<RealStepCase> cases = {
      {"button", Make<TkvButton>(DeepBlue), WinXP, StyleOf<TkvButton>, "WinXP"},
      {"custom button", Make<TkvButton>(Custom), WinXP, StyleOf<TkvButton>, "Custom"},
      {"check box", Make<TkvCheckBox>(MacOS), WinXP, CheckBoxLook, "WinXP WINXP_CHECKBOX_NORMAL_UNCHECK"},
      {"radio button", Make<TkvRadioButton>(WinXP), Protein, CheckBoxLook,
       "Protein PROTEIN_RADIOBUTTON_UNCHECK transparent"},
      {"custom radio button", Make<TkvRadioButton>(Custom), Protein, StyleOf<TkvRadioButton>, "Custom"},
      {"group box", [](TComponent* o) -> TControl* { return new TkvGroupBox(o); }, WinXP, GroupColours,
       "$686868 $CF4602 $DEEBEF"},
      {"group box, Custom", [](TComponent* o) -> TControl* { return new TkvGroupBox(o); }, Custom, GroupColours,
       "$000000 $000000 $000000"},
      {"custom check group", Make<TkvCheckGroup>(Custom), BlueGlass, StyleOf<TkvCheckGroup>, "BlueGlass"},
      {"radio group", Make<TkvRadioGroup>(DeepBlue), MacOS, StyleOf<TkvRadioGroup>, "MacOS"},
      {"combo box", Make<TkvComboBox>(MacOS), WinXP, StyleOf<TkvComboBox>, "WinXP"},
      {"combo box, Custom", Make<TkvComboBox>(WinXP), Custom, ComboColours, "Custom $000000 $000000 $000000"},
      {"colour box", Make<TkvColorBox>(DeepBlue), Protein, StyleOf<TkvColorBox>, "Protein"},
      {"font size box", Make<TkvFontSizeComboBox>(DeepBlue), BlueGlass, StyleOf<TkvFontSizeComboBox>, "BlueGlass"},
      {"tab control", Make<TkvTabControl>(DeepBlue), WinXP, StyleOf<TkvTabControl>, "WinXP"},
      {"tab control ignores Custom", Make<TkvTabControl>(MacOS), Custom, StyleOf<TkvTabControl>, "MacOS"},
      {"page control", Make<TkvPageControl>(DeepBlue), Protein, StyleOf<TkvPageControl>, "Protein"},
      {"page control ignores Custom", Make<TkvPageControl>(WinXP), Custom, StyleOf<TkvPageControl>, "WinXP"},
      {"tool bar", Make<TkvToolBar>(DeepBlue), MacOS, StyleOf<TkvToolBar>, "MacOS"},
      {"draw grid", Make<TkvDrawGrid>(DeepBlue), WinXP, StyleOf<TkvDrawGrid>, "WinXP"},
      {"string grid", Make<TkvStringGrid>(DeepBlue), MacOS, StyleOf<TkvStringGrid>, "MacOS"},
      {"string grid, Custom", Make<TkvStringGrid>(MacOS), Custom, StyleOf<TkvStringGrid>, "Custom"},
      // Bordered controls take the style's border colour, black for Custom.
      {"edit", New<TkvEdit>, WinXP, BorderOf<TkvEdit>, "$686868"},
      {"edit, Custom", New<TkvEdit>, Custom, BorderOf<TkvEdit>, "$000000"},
      {"memo", New<TkvMemo>, WinXP, BorderOf<TkvMemo>, "$686868"},
      {"list box", New<TkvListBox>, WinXP, BorderOf<TkvListBox>, "$686868"},
      {"list view", New<TkvListView>, WinXP, BorderOf<TkvListView>, "$686868"},
      {"tree view, Custom", New<TkvTreeView>, Custom, BorderOf<TkvTreeView>, "$000000"},
      // A check list refuses Custom and keeps its style and border.
      {"check list", New<TkvCheckListBox>, WinXP, StyleAndBorderOf<TkvCheckListBox>, "WinXP $686868"},
      {"check list, Custom", New<TkvCheckListBox>, Custom, StyleAndBorderOf<TkvCheckListBox>, "DeepBlue $000000"},
      // Bars are restyled whatever their own style; Custom keeps the colour.
      {"track bar", Make<TkvTrackBar>(DeepBlue), WinXP, StyleAndColorOf<TkvTrackBar>, "WinXP $DEEBEF"},
      {"track bar, Custom", Make<TkvTrackBar>(DeepBlue), Custom, StyleAndColorOf<TkvTrackBar>, "Custom $E8E8E8"},
      {"scroll bar", Make<TkvScrollBar>(DeepBlue), WinXP, StyleAndColorOf<TkvScrollBar>, "WinXP $F9F9F9"},
      {"scroll bar, Custom", Make<TkvScrollBar>(DeepBlue), Custom, StyleAndColorOf<TkvScrollBar>, "Custom $F5F5F5"},
      // A Custom progress bar keeps its look.
      {"progress bar", Make<TkvProgressBar>(DeepBlue), WinXP, StyleAndBorderOf<TkvProgressBar>, "WinXP $686868"},
      {"custom progress bar", Make<TkvProgressBar>(Custom), WinXP, StyleAndBorderOf<TkvProgressBar>, "Custom $000000"},
  };
  return cases;
}

}  // namespace

TEST(RealStyleSteps, EachControlAsItsStepLeavesIt) {
  for (const RealStepCase& c : RealStepCases()) {
    SCOPED_TRACE(c.name);
    TComponent owner(nullptr);
    auto* container = new TPanel(&owner);
    TControl* control = c.make(&owner);
    control->SetParent(container);
    ApplyStyleToControls(*container, c.style);
    EXPECT_EQ(c.read(*control), c.expected);
  }
}

TEST(RealStyleSteps, NestedContainersReachPanelsAndGroupBoxes) {
  TComponent owner(nullptr);
  auto* form = new TPanel(&owner);
  auto* panel = new TkvImagePanel(&owner);
  panel->SetParent(form);
  auto* group = new TkvGroupBox(&owner);
  group->SetParent(form);
  auto* inPanel = new TkvButton(&owner);
  inPanel->SetParent(panel);
  auto* inGroup = new TkvCheckBox(&owner);
  inGroup->SetParent(group);
  auto* onForm = new TkvButton(&owner);
  onForm->SetParent(form);
  ApplyStyleToNestedContainers(*form, WinXP);
  EXPECT_EQ(inPanel->UIStyle(), WinXP);
  EXPECT_EQ(inGroup->UIStyle(), WinXP);
  EXPECT_EQ(onForm->UIStyle(), DeepBlue);  // the form's own children are not restyled
  panel->ApplyStyleToPanel(Protein);
  EXPECT_EQ(inPanel->UIStyle(), Protein);
  group->ApplyUIStyle(MacOS);
  EXPECT_EQ(inGroup->UIStyle(), MacOS);
}

// Inside a tab control and inside a sheet, one level down.
TEST(StyleSteps, TabControlsAndSheetsAreContainers) {
  TComponent root(nullptr);
  auto* panel = new TPanel(&root);
  auto* tabs = new TkvTabControl(&root);
  tabs->SetParent(panel);
  auto* inTabs = new TkvComboBox(&root);
  inTabs->SetParent(tabs);
  auto* sheet = new TkvTabSheet(&root);
  sheet->SetParent(panel);
  auto* onSheet = new TkvStringGrid(&root);
  onSheet->SetParent(sheet);
  ApplyStyleToNestedContainers(*panel, MacOS);
  EXPECT_EQ(inTabs->UIStyle(), MacOS);
  EXPECT_EQ(onSheet->UIStyle(), MacOS);
  EXPECT_EQ(tabs->UIStyle(), DeepBlue);  // the container itself is not restyled here
  delete panel;
}
