// The form-resource writer stores child controls inside their parent and
// the values a parent gives only where a reread needs them, so that what it
// writes reads back into the same form.
#include "ControlsMembersForm.h"

using namespace kx;
using namespace membertest;

namespace {

// A property value as text, to compare one read with another.
std::string Shown(const TValue& value) {
  if (const auto* i = std::get_if<int64_t>(&value)) return std::to_string(*i);
  if (const auto* s = std::get_if<std::string>(&value)) return "'" + *s + "'";
  if (const auto* m = std::get_if<TMethodValue>(&value)) return "handler " + m->Name;
  return "other";
}

}  // namespace

namespace membertest {
KX_PUBLISH(TFramedForm) {}
}  // namespace membertest

TEST_F(PublishedMembers, TheWriterStoresNestedControlsAndInheritedValuesSoThatARereadIsTheSame) {
  const std::string text = WriteComponentText(*form_);
  // Children come inside their parent.
  const size_t panel = text.find("object Panel1: TPanel");
  const size_t edit = text.find("object Edit1: TkvEdit");
  const size_t memo = text.find("object Memo1: TkvMemo");
  ASSERT_NE(panel, std::string::npos) << text;
  ASSERT_NE(edit, std::string::npos) << text;
  ASSERT_NE(memo, std::string::npos) << text;
  EXPECT_LT(panel, edit);
  EXPECT_LT(edit, memo);
  EXPECT_EQ(text.find("object EditMenu"), text.find("object EditMenu: TPopupMenu"));
  EXPECT_EQ(text.compare(edit - 4, 4, "    "), 0) << "Edit1 is written one level deeper";
  // Values the parent gives are not written; the flags are written only off their default.
  EXPECT_EQ(text.find("ParentBiDiMode = True"), std::string::npos) << text;
  EXPECT_EQ(text.find("ParentCtl3D = True"), std::string::npos) << text;
  EXPECT_NE(text.find("ParentBiDiMode = False"), std::string::npos) << text;

  std::unique_ptr<TMembersForm> second(TCustomForm::Create<TMembersForm>(nullptr));
  ReadComponentText(*second, text, "written members form");
  EXPECT_EQ(WriteComponentText(*second), text);
  struct Case {
    const char* component;
    const char* property;
  };
  const Case cases[] = {
      {"Edit1", "Anchors"},        {"Edit1", "BiDiMode"},
      {"Edit1", "ParentBiDiMode"}, {"Edit1", "Ctl3D"},
      {"Edit1", "ParentCtl3D"},    {"Edit1", "ShowHint"},
      {"Edit1", "ParentShowHint"}, {"Edit1", "CharCase"},
      {"Edit1", "PasswordChar"},   {"Edit1", "DragCursor"},
      {"Edit1", "ImeName"},        {"Edit1", "ImeMode"},
      {"Edit1", "OnContextPopup"}, {"Edit2", "ParentBiDiMode"},
      {"Edit2", "BiDiMode"},       {"Edit2", "ParentCtl3D"},
      {"Edit2", "Ctl3D"},          {"Panel1", "ShowHint"},
      {"Panel1", "BiDiMode"},      {"Panel1", "Locked"},
      {"Memo1", "Alignment"},      {"Memo1", "OnMouseWheelUp"},
      {"List1", "MultiSelect"},    {"List1", "TabWidth"},
      {"Grid1", "GridLineWidth"},  {"Grid1", "DockSite"},
      {"Colors1", "BevelEdges"},   {"View1", "BorderStyle"},
      {"View1", "BorderWidth"},    {"Tree1", "BorderWidth"},
      {"Combo1", "Sorted"},        {"Panel1", "OnConstrainedResize"},
      {"Grid1", "ScrollBars"},     {"Grid1", "OnTopLeftChanged"},
      {"List2", "OnMeasureItem"},  {"Checks1", "Flat"},
      {"View1", "MultiSelect"},    {"View1", "Checkboxes"},
      {"Tree1", "Indent"},         {"Tree1", "ToolTips"},
  };
  for (const Case& c : cases) {
    TComponent* before = form_->FindComponent(c.component);
    TComponent* after = second->FindComponent(c.component);
    ASSERT_NE(after, nullptr) << c.component;
    EXPECT_EQ(Shown(GetPropValue(*before, c.property)), Shown(GetPropValue(*after, c.property)))
        << c.component << "." << c.property;
  }
  // The child still follows its parent's hints after the reread.
  auto* edit1 = As<TkvEdit>(second->FindComponent("Edit1"));
  EXPECT_TRUE(edit1->ParentShowHint());
  EXPECT_TRUE(edit1->ShowHint());
  Find<TPanel>("Panel1")->SetShowHint(false);
  As<TPanel>(second->FindComponent("Panel1"))->SetShowHint(false);
  EXPECT_FALSE(edit1->ShowHint());
}

TEST_F(PublishedMembers, AFramedFormWithPagesIsWrittenAsItIsRead) {
  std::unique_ptr<TFramedForm> first(TCustomForm::Create<TFramedForm>(nullptr));
  ReadComponentText(*first, kFramedForm, "framed form");
  const std::string text = WriteComponentText(*first);
  std::unique_ptr<TFramedForm> second(TCustomForm::Create<TFramedForm>(nullptr));
  ReadComponentText(*second, text, "written framed form");
  EXPECT_EQ(WriteComponentText(*second), text);
  // Each control is read back into the parent it was written inside.
  struct Case {
    const char* control;
    const char* parent;
  };
  for (const Case& c : {Case{"Body", "kvForm1"}, Case{"Pages1", "Body"}, Case{"Sheet1", "Pages1"},
                        Case{"Field1", "Sheet1"}, Case{"Ok2", "Sheet2"}}) {
    auto* control = As<TControl>(second->FindComponent(c.control));
    ASSERT_NE(control, nullptr) << c.control << " is missing in\n" << text;
    ASSERT_NE(control->Parent(), nullptr) << c.control;
    EXPECT_EQ(control->Parent()->Name(), c.parent) << c.control;
  }
  // The frame's own parts (title bar, page strip) are not written as controls of the form.
  EXPECT_EQ(second->ComponentCount(), first->ComponentCount());
  EXPECT_EQ(As<TkvPageControl>(second->FindComponent("Pages1"))->ActivePage(), second->FindComponent("Sheet2"));
}
