// The style table, its readers, and the style's passage over a control tree.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/windows/ExtCtrls.h"
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
#include "skin/KVTabControl.h"
#include "skin/KVThemes.h"
#include "skin/KVTrackBar.h"
#include "skin/KVTreeView.h"
#include "skin/KVThemesControls.h"
#include "skin/KVToolBar.h"

using namespace kx;

namespace {

constexpr TkvUIStyle Custom = TkvUIStyle::Custom, MacOS = TkvUIStyle::MacOS, WinXP = TkvUIStyle::WinXP,
                     DeepBlue = TkvUIStyle::DeepBlue, Protein = TkvUIStyle::Protein, BlueGlass = TkvUIStyle::BlueGlass;
constexpr TkvUIStyle Styles[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "$%06X", v);
  return text;
}

enum class Reader { Integer, Color, Flag, Name, Entry };

// What a reader gives, as text: integers in decimal, colours as $BBGGRR,
// flags as true/false, ThemeEntry as "value/kind".
std::string Read(Reader reader, TkvUIStyle style, int entry) {
  switch (reader) {
    case Reader::Integer:
      return std::to_string(ThemeInteger(style, entry));
    case Reader::Color:
      return Hex(static_cast<uint32_t>(ThemeColor(style, entry)));
    case Reader::Flag:
      return ThemeFlag(style, entry) ? "true" : "false";
    case Reader::Name:
      return ThemeResourceName(style, entry);
    case Reader::Entry: {
      const TThemeValue v = ThemeEntry(style, entry);
      return std::to_string(v.Value) + "/" + std::to_string(static_cast<int>(v.Kind));
    }
  }
  return {};
}

}  // namespace

TEST(ThemeReaders, EdgeCases) {
  struct Case {
    Reader reader;
    TkvUIStyle style;
    int entry;
    const char* expected;
  } cases[] = {
      // A style without a row.
      {Reader::Integer, Custom, 4, "-1"},
      {Reader::Color, Custom, 8, "$000000"},
      {Reader::Flag, Custom, 66, "false"},
      {Reader::Name, Custom, 24, ""},
      {Reader::Entry, Custom, 1, "-1/0"},
      {Reader::Entry, static_cast<TkvUIStyle>(6), 2, "-1/0"},
      {Reader::Color, static_cast<TkvUIStyle>(255), 3, "$000000"},
      // An entry of another kind gives the reader's fallback, never the word.
      {Reader::Integer, WinXP, 2, "-1"},
      {Reader::Color, Protein, 4, "$000000"},
      {Reader::Integer, Protein, 66, "-1"},
      {Reader::Flag, MacOS, 67, "false"},
      {Reader::Name, DeepBlue, 8, ""},
      {Reader::Integer, BlueGlass, 24, "-1"},
      // Values.
      {Reader::Integer, MacOS, 68, "-2"},
      {Reader::Integer, BlueGlass, 68, "-3"},
      {Reader::Flag, Protein, 66, "true"},
      {Reader::Flag, DeepBlue, 66, "false"},
      {Reader::Entry, MacOS, 2, "8355711/1"},
      {Reader::Entry, Protein, 66, "1/3"},
      {Reader::Name, DeepBlue, 31, "DEEPBLUE_CHECKBOX_CHECK"},
      {Reader::Name, DeepBlue, 29, "DEEPBLUE_CHECKBOX_CHECK"},
      {Reader::Name, WinXP, 31, "WINXP_CHECKBOX_MOUSEON_CHECK"},
      {Reader::Name, BlueGlass, 23, "MENU_CHECKED"},
      {Reader::Name, WinXP, 65, "WINXP_TITLEBTN_RST_MOUSEDOWN"},
      {Reader::Name, Protein, 63, "PROTEIN_TITLEBTN_MAX_NORMAL"},
      {Reader::Name, MacOS, 77, "MACOS_TRACKBAR_BAR"},
      // Entries outside 1..95 read nothing beyond the table.
      {Reader::Entry, MacOS, 0, "-1/0"},
      {Reader::Entry, BlueGlass, 96, "-1/0"},
      {Reader::Integer, WinXP, 0, "-1"},
      {Reader::Integer, DeepBlue, 96, "-1"},
      {Reader::Color, Protein, 0, "$000000"},
      {Reader::Color, MacOS, 96, "$000000"},
      {Reader::Flag, BlueGlass, 0, "false"},
      {Reader::Flag, Protein, 96, "false"},
      {Reader::Name, WinXP, 0, ""},
      {Reader::Name, DeepBlue, 96, ""},
      {Reader::Entry, WinXP, -1, "-1/0"},
      {Reader::Entry, WinXP, INT_MIN, "-1/0"},
      {Reader::Name, MacOS, INT_MAX, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Read(c.reader, c.style, c.entry), c.expected)
        << "reader " << static_cast<int>(c.reader) << ", style " << static_cast<int>(c.style) << ", entry " << c.entry;
}

TEST(ThemeReaders, ValueColumns) {
  // Columns MacOS, WinXP, DeepBlue, Protein, BlueGlass.
  struct Column {
    Reader reader;
    int entry;
    std::vector<std::string> values;
  } columns[] = {
      {Reader::Integer, 1, {"1", "2", "3", "4", "5"}},
      {Reader::Color, 2, {"$7F7F7F", "$C82C00", "$000000", "$000000", "$000000"}},
      {Reader::Color, 3, {"$E7E7E7", "$DEEBEF", "$E8E8E8", "$FBFBFB", "$E7E7E7"}},
      {Reader::Integer, 4, {"1", "3", "1", "1", "1"}},
      {Reader::Integer, 6, {"130", "150", "130", "130", "270"}},
      {Reader::Integer, 7, {"0", "13", "0", "0", "11"}},
      {Reader::Color, 10, {"$000000", "$CF4602", "$000000", "$000000", "$000000"}},
      {Reader::Color, 12, {"$C47339", "$EFD3C6", "$A04A44", "$C4302D", "$EC5E5E"}},
      {Reader::Color, 15, {"$000000", "$FFFFFF", "$FFFFFF", "$FFFFFF", "$E7E7E7"}},
      {Reader::Color, 19, {"$000000", "$9CA6AD", "$9CA6AD", "$9CA6AD", "$9CA6AD"}},
      {Reader::Integer, 21, {"12", "5", "5", "5", "5"}},
      {Reader::Integer, 22, {"26", "26", "26", "26", "26"}},
      {Reader::Flag, 66, {"false", "false", "false", "true", "true"}},
      {Reader::Integer, 67, {"3", "2", "0", "0", "4"}},
      {Reader::Integer, 69, {"4", "5", "2", "2", "6"}},
      {Reader::Integer, 73, {"34", "19", "22", "22", "22"}},
      {Reader::Color, 74, {"$E7E7E7", "$DEEBEF", "$E8E8E8", "$FBFBFB", "$E9D6D5"}},
      {Reader::Color, 79, {"$EEEEEE", "$DEEBEF", "$E8E8E8", "$FBFBFB", "$E7E7E7"}},
      {Reader::Color, 82, {"$D8D8D8", "$E1AC93", "$D8D8D8", "$D8D8D8", "$D8D8D8"}},
      {Reader::Color, 84, {"$C9C9C9", "$F9F9F9", "$F5F5F5", "$F5F5F5", "$F4F4F4"}},
  };
  for (const Column& c : columns)
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Read(c.reader, Styles[i], c.entry), c.values[i]) << "entry " << c.entry;
}

TEST(ThemeTable, KindsOfTheEntries) {
  int names = 0;
  for (int entry = 1; entry <= ThemeEntryCount; ++entry) {
    const TThemeEntryKind kind = ThemeEntryKinds[static_cast<size_t>(entry - 1)];
    if (kind == TThemeEntryKind::ResourceName) ++names;
    // Every row agrees with the shared kinds.
    for (TkvUIStyle style : Styles) EXPECT_EQ(ThemeEntry(style, entry).Kind, kind) << entry;
  }
  EXPECT_EQ(names, 61);
  const std::pair<int, TThemeEntryKind> borders[] = {
      {22, TThemeEntryKind::Integer},      {23, TThemeEntryKind::ResourceName}, {65, TThemeEntryKind::ResourceName},
      {66, TThemeEntryKind::Flag},         {69, TThemeEntryKind::Integer},      {70, TThemeEntryKind::ResourceName},
      {72, TThemeEntryKind::ResourceName}, {73, TThemeEntryKind::Integer},      {74, TThemeEntryKind::Color},
      {75, TThemeEntryKind::ResourceName}, {78, TThemeEntryKind::ResourceName}, {79, TThemeEntryKind::Color},
      {84, TThemeEntryKind::Color},        {85, TThemeEntryKind::ResourceName}, {95, TThemeEntryKind::ResourceName},
  };
  for (auto [entry, kind] : borders) EXPECT_EQ(ThemeEntryKinds[static_cast<size_t>(entry - 1)], kind) << entry;
}

TEST(ThemeTable, DistinctPicturesOfEachStyle) {
  const std::pair<TkvUIStyle, const char*> prefixes[] = {
      {MacOS, "MACOS_"}, {WinXP, "WINXP_"}, {DeepBlue, "DEEPBLUE_"}, {Protein, "PROTEIN_"}, {BlueGlass, "BLUEGLASS_"}};
  for (auto [style, prefix] : prefixes) {
    std::set<std::string> names;
    for (int entry = 24; entry <= ThemeEntryCount; ++entry) {
      const std::string name = ThemeResourceName(style, entry);
      if (name.empty()) continue;
      EXPECT_EQ(name.rfind(prefix, 0), 0u) << name;
      names.insert(name);
    }
    EXPECT_EQ(names.size(), style == WinXP ? 59u : 48u) << prefix;
    EXPECT_EQ(ThemeResourceName(style, 23), "MENU_CHECKED");
  }
  EXPECT_EQ(ThemeResourceName(WinXP, 29), "WINXP_CHECKBOX_NORMAL_CHECK");
  EXPECT_EQ(ThemeResourceName(WinXP, 34), "WINXP_CHECKBOX_MOUSEDOWN_UNCHECK");
  EXPECT_EQ(ThemeResourceName(WinXP, 37), "WINXP_RADIOBUTTON_NORMAL_CHECK");
  EXPECT_EQ(ThemeResourceName(WinXP, 42), "WINXP_RADIOBUTTON_MOUSEDOWN_UNCHECK");
  EXPECT_EQ(ThemeResourceName(WinXP, 27), "WINXP_CHECKBOX_DISABLE_CHECK");
  EXPECT_EQ(ThemeResourceName(MacOS, 88), "MACOS_SCROLLBAR_BTMBUTTON_NORMAL");
  EXPECT_EQ(ThemeResourceName(BlueGlass, 95), "BLUEGLASS_CHECKLIST_UNCHECK");
}

TEST(ThemeReaders, PCharToString) {
  std::string out = "old";
  PCharToString(nullptr, out);
  EXPECT_EQ(out, "");
  PCharToString("", out);
  EXPECT_EQ(out, "");
  PCharToString("MENU_CHECKED", out);
  EXPECT_EQ(out, "MENU_CHECKED");
}

// ---------------------------------------------------------------------------
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
