// Every member a skinned control publishes is read from a form resource,
// behaves where the framework has the machinery (anchors, reading order and
// 3D look inherited from the parent, wheel, context-popup and
// constrained-resize events from real window messages) and is written back
// so that a reread yields the same form.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/FormResources.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/controls/KVColorBox.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/controls/KVPopupMenu.h"
#include "skin/controls/KVRadioGroup.h"
#include "skin/controls/KVScrollBar.h"
#include "skin/controls/KVToolBar.h"
#include "skin/controls/KVTrackBar.h"
#include "skin/controls/KVComboBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVFontComboBox.h"
#include "skin/controls/KVGrid.h"
#include "skin/controls/KVListBox.h"
#include "skin/controls/KVListView.h"
#include "skin/controls/KVMemo.h"
#include "skin/controls/KVPageControl.h"
#include "skin/controls/KVProgressBar.h"
#include "skin/controls/KVSideChannel.h"
#include "skin/controls/KVTabControl.h"
#include "skin/controls/KVTreeView.h"
#include "skin/controls/KVURLLabel.h"
#include "skin/frame/KVForm.h"
#include "skin/frame/KVMainMenu.h"
#include "skin/frame/KVTitleBar.h"
#include "TestSupport.h"

using namespace kx;

namespace {

class TMembersForm : public TForm {
  KX_CLASS(TMembersForm, TForm)
 public:
  using TForm::TForm;
  void MemoWheel(TObject*, TShiftState, int delta, POINT, bool& handled) {
    wheelDeltas.push_back(delta);
    handled = handleWheel;
  }
  void MemoWheelDown(TObject*, TShiftState, POINT, bool&) { ++wheelDowns; }
  void MemoWheelUp(TObject*, TShiftState, POINT, bool&) { ++wheelUps; }
  void EditContextPopup(TObject*, POINT mousePos, bool& handled) {
    popupRequests.push_back(mousePos);
    handled = handlePopup;
  }
  void MenuPopup(TObject*) { ++menuPopups; }
  void PanelConstrainedResize(TObject*, int&, int&, int& maxWidth, int&) { maxWidth = 300; }
  void GridDragDrop(TObject*, TObject*, int, int) {}
  void GridStartDrag(TObject*, TObject*&) {}
  void GridGetEditText(TObject*, int col, int row, std::string& text) {
    text += "@" + std::to_string(col) + "," + std::to_string(row);
  }
  void GridSetEditText(TObject*, int, int, const std::string& text) { editTexts.push_back(text); }
  void GridTopLeftChanged(TObject*) { ++topLeftChanges; }
  void ListMeasureItem(TWinControl*, int index, int& height) { height = 12 + 4 * index; }

  std::vector<std::string> editTexts;
  int topLeftChanges = 0;

  std::vector<int> wheelDeltas;
  int wheelDowns = 0, wheelUps = 0;
  bool handleWheel = false;
  std::vector<POINT> popupRequests;
  bool handlePopup = true;
  int menuPopups = 0;
};

// A form resource naming members of several skinned controls, with a
// right-to-left, flat panel whose children inherit or refuse its modes.
constexpr char kForm[] = R"(object MembersForm: TMembersForm
  Left = 40
  Top = 40
  Width = 520
  Height = 400
  Caption = 'Members'
  object EditMenu: TPopupMenu
    OnPopup = MenuPopup
  end
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 300
    Height = 150
    BiDiMode = bdRightToLeft
    Ctl3D = False
    ShowHint = True
    FullRepaint = False
    Locked = True
    OnConstrainedResize = PanelConstrainedResize
    object Edit1: TkvEdit
      Left = 8
      Top = 8
      Width = 120
      Height = 21
      Anchors = [akLeft, akTop, akRight]
      AutoSelect = False
      CharCase = ecUpperCase
      DragCursor = crNoDrop
      DragKind = dkDock
      DragMode = dmAutomatic
      HideSelection = False
      ImeMode = imClose
      ImeName = 'Pinyin'
      OEMConvert = True
      PasswordChar = '*'
      PopupMenu = EditMenu
      Text = 'secret'
      OnContextPopup = EditContextPopup
    end
    object Edit2: TkvEdit
      Left = 8
      Top = 40
      Width = 120
      Height = 21
      BiDiMode = bdLeftToRight
      Ctl3D = True
      Text = 'own modes'
    end
    object Combo1: TkvComboBox
      Left = 140
      Top = 8
      Width = 150
      Height = 21
      CharCase = ecLowerCase
      MaxLength = 12
      Sorted = True
      Items.Strings = (
        'pear'
        'apple')
    end
  end
  object Memo1: TkvMemo
    Left = 320
    Top = 8
    Width = 180
    Height = 150
    Alignment = taCenter
    Anchors = [akTop, akRight]
    Lines.Strings = (
      'one'
      'two')
    OnMouseWheel = MemoWheel
    OnMouseWheelDown = MemoWheelDown
    OnMouseWheelUp = MemoWheelUp
  end
  object List1: TkvListBox
    Left = 8
    Top = 170
    Width = 150
    Height = 120
    Columns = 2
    ExtendedSelect = False
    IntegralHeight = True
    MultiSelect = True
    TabWidth = 24
    Items.Strings = (
      'a'
      'b')
  end
  object Grid1: TkvStringGrid
    Left = 170
    Top = 170
    Width = 200
    Height = 120
    Anchors = [akLeft, akTop, akRight, akBottom]
    GridLineWidth = 2
    DockSite = True
    UseDockManager = True
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing]
    RowCount = 20
    ScrollBars = ssNone
    OnDragDrop = GridDragDrop
    OnStartDrag = GridStartDrag
    OnGetEditText = GridGetEditText
    OnSetEditText = GridSetEditText
    OnTopLeftChanged = GridTopLeftChanged
  end
  object List2: TkvListBox
    Left = 8
    Top = 330
    Width = 80
    Height = 40
    Style = lbOwnerDrawVariable
    Items.Strings = (
      'x'
      'y'
      'z')
    OnMeasureItem = ListMeasureItem
  end
  object Checks1: TkvCheckListBox
    Left = 100
    Top = 330
    Width = 60
    Height = 40
    Flat = False
  end
  object Colors1: TkvColorBox
    Left = 8
    Top = 300
    Width = 150
    Height = 22
    AutoComplete = False
    AutoDropDown = True
    BevelEdges = [beLeft, beRight]
    BevelKind = bkFlat
    BevelInner = bvSpace
    BevelOuter = bvNone
  end
  object View1: TkvListView
    Left = 380
    Top = 170
    Width = 120
    Height = 80
    Anchors = [akRight, akBottom]
    BorderStyle = bsSingle
    BorderWidth = 4
    Checkboxes = True
    HideSelection = False
    HotTrack = True
    MultiSelect = True
    ShowColumnHeaders = False
    ViewStyle = vsReport
  end
  object Tree1: TkvTreeView
    Left = 380
    Top = 260
    Width = 120
    Height = 60
    BorderStyle = bsNone
    BorderWidth = 0
    AutoExpand = True
    HideSelection = False
    HotTrack = True
    Indent = 30
    RowSelect = True
    ToolTips = False
  end
end
)";

// A skinned frame with its panel, and a page control on it whose sheets hold
// controls: every control lies some levels deep.
class TFramedForm : public TForm {
  KX_CLASS(TFramedForm, TForm)
 public:
  using TForm::TForm;
};

constexpr char kFramedForm[] = R"(object FramedForm: TFramedForm
  Left = 60
  Top = 60
  Caption = 'Framed'
  ClientWidth = 320
  ClientHeight = 240
  object kvForm1: TkvForm
    Width = 320
    Height = 240
    UIStyle = Protein
    BorderWidth = 1
    Caption = 'Framed'
    FormPanel = Body
    object Body: TPanel
      Left = 1
      Top = 23
      Width = 318
      Height = 216
      object Pages1: TkvPageControl
        Left = 8
        Top = 8
        Width = 300
        Height = 190
        ActivePage = Sheet2
        Pages = (
          Sheet1
          Sheet2)
        object Sheet1: TkvTabSheet
          Caption = 'One'
          PageControl = Pages1
          object Field1: TkvEdit
            Left = 10
            Top = 10
            Width = 100
            Height = 21
            Anchors = [akLeft, akTop, akRight]
            Text = 'on the first page'
          end
        end
        object Sheet2: TkvTabSheet
          Caption = 'Two'
          PageControl = Pages1
          object Ok2: TkvButton
            Left = 10
            Top = 40
            Caption = 'OK'
          end
        end
      end
    end
  end
end
)";

class PublishedMembers : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterControlClasses();
    RegisterClasses({&TMembersForm::StaticClass(),    &TFramedForm::StaticClass(),    &TkvPageControl::StaticClass(),
                     &TkvEdit::StaticClass(),         &TkvMemo::StaticClass(),        &TkvListBox::StaticClass(),
                     &TkvCheckListBox::StaticClass(), &TkvComboBox::StaticClass(),    &TkvColorBox::StaticClass(),
                     &TkvFontComboBox::StaticClass(), &TkvStringGrid::StaticClass(),  &TkvListView::StaticClass(),
                     &TkvTreeView::StaticClass(),     &TkvTabControl::StaticClass(),  &TkvTabSheet::StaticClass(),
                     &TkvButton::StaticClass(),       &TkvProgressBar::StaticClass(), &TkvURLLabel::StaticClass(),
                     &TkvSideChannel::StaticClass(),  &TkvForm::StaticClass(),        &TkvTitleBar::StaticClass(),
                     &TkvImageButton::StaticClass(),  &TkvCheckBox::StaticClass(),    &TkvRadioButton::StaticClass(),
                     &TkvGroupBox::StaticClass(),     &TkvCheckGroup::StaticClass(),  &TkvTrackBar::StaticClass(),
                     &TkvScrollBar::StaticClass(),    &TkvToolBar::StaticClass(),     &TkvPopupMenu::StaticClass(),
                     &TkvMainMenu::StaticClass()});
  }
  void SetUp() override {
    form_.reset(TCustomForm::Create<TMembersForm>(nullptr));
    ReadComponentText(*form_, kForm, "members form");
  }
  void TearDown() override {
    form_.reset();
    Application->ProcessMessages();
  }
  template <class T>
  T* Find(const char* name) {
    return As<T>(form_->FindComponent(name));
  }
  void ShowAndSettle() {
    form_->Show();
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  }

  std::unique_ptr<TMembersForm> form_;
};

// A property value as text, to compare one read with another.
std::string Shown(const TValue& value) {
  if (const auto* i = std::get_if<int64_t>(&value)) return std::to_string(*i);
  if (const auto* s = std::get_if<std::string>(&value)) return "'" + *s + "'";
  if (const auto* m = std::get_if<TMethodValue>(&value)) return "handler " + m->Name;
  return "other";
}

// The members each control publishes, as form resources name them.
const std::map<std::string, std::vector<std::string>> kPublished = {
    {"TkvForm",
     {"UIStyle",
      "UIStyleAutoUpdateSub",
      "BorderColor",
      "BorderWidth",
      "TitleBarVisible",
      "BiDiMode",
      "Color",
      "Caption",
      "FormPanel",
      "TitleBarButtons",
      "TitleBarSections",
      "TitleBarDrawAppIcon",
      "Font",
      "Menu",
      "MenuBarColor",
      "MenuBarHeight",
      "Height",
      "Width",
      "RoundCorner",
      "PopupMenu",
      "OnTitleBarCustomBtnsClick",
      "OnTitleBarHelpBtnClick",
      "OnMouseDown",
      "OnClick",
      "OnMouseUp"}},
    {"TkvButton",
     {"BiDiMode", "Anchors", "ParentColor", "UIStyle", "Font", "PopupMenu", "ShowHint", "Caption", "AutoSize",
      "Visible", "ParentShowHint", "ParentBiDiMode", "ParentFont", "TabStop", "OnEnter", "OnExit"}},
    {"TkvURLLabel",
     {"Anchors",       "BiDiMode", "Caption",  "AutoSize",    "Color",       "Enabled",  "ShowHint",
      "Transparent",   "Visible",  "WordWrap", "PopupMenu",   "Cursor",      "URL",      "FontHoverColor",
      "FontLinkColor", "Font",     "OnClick",  "OnMouseDown", "OnMouseMove", "OnMouseUp"}},
    {"TkvProgressBar",
     {"UIStyle", "CaptionColor", "ShowCaption", "SmartShowCaption", "Max", "Min", "Position", "Orientation",
      "BorderColor", "Color", "Picture", "Visible", "Anchors", "BiDiMode", "OnMouseDown", "OnMouseMove", "OnMouseUp",
      "OnClick"}},
    {"TkvEdit",
     {"BorderColor",   "Anchors",    "AutoSelect",     "AutoSize",     "BiDiMode",   "CharCase",       "Color",
      "Constraints",   "Ctl3D",      "DragCursor",     "DragKind",     "DragMode",   "Enabled",        "Font",
      "HideSelection", "ImeMode",    "ImeName",        "MaxLength",    "OEMConvert", "ParentBiDiMode", "ParentColor",
      "ParentCtl3D",   "ParentFont", "ParentShowHint", "PasswordChar", "PopupMenu",  "ReadOnly",       "ShowHint",
      "TabOrder",      "TabStop",    "Text",           "Visible",      "OnChange",   "OnClick",        "OnDblClick",
      "OnDragDrop",    "OnDragOver", "OnEndDock",      "OnEndDrag",    "OnEnter",    "OnExit",         "OnKeyDown",
      "OnKeyPress",    "OnKeyUp",    "OnMouseDown",    "OnMouseMove",  "OnMouseUp",  "OnStartDock",    "OnStartDrag"}},
    {"TkvMemo", {"BorderColor", "VScrollBar",     "HScrollBar",  "Align",          "Alignment",   "Anchors",
                 "BiDiMode",    "Color",          "Constraints", "Ctl3D",          "DragCursor",  "DragKind",
                 "DragMode",    "Enabled",        "Font",        "HideSelection",  "ImeMode",     "ImeName",
                 "Lines",       "MaxLength",      "OEMConvert",  "ParentBiDiMode", "ParentColor", "ParentCtl3D",
                 "ParentFont",  "ParentShowHint", "PopupMenu",   "ReadOnly",       "ScrollBars",  "ShowHint",
                 "TabOrder",    "TabStop",        "Visible",     "WantReturns",    "WantTabs",    "WordWrap"}},
    {"TkvListBox",
     {"BorderColor",    "VScrollBar", "Style",          "Align",       "Anchors",        "BiDiMode",
      "Color",          "Columns",    "Constraints",    "Ctl3D",       "DragCursor",     "DragKind",
      "DragMode",       "Enabled",    "ExtendedSelect", "Font",        "ImeMode",        "ImeName",
      "IntegralHeight", "ItemHeight", "Items",          "MultiSelect", "ParentBiDiMode", "ParentColor",
      "ParentCtl3D",    "ParentFont", "ParentShowHint", "PopupMenu",   "ShowHint",       "Sorted",
      "TabOrder",       "TabStop",    "TabWidth",       "Visible",     "OnDrawItem",     "OnMeasureItem"}},
    {"TkvComboBox",
     {"Style",      "Anchors",        "BiDiMode",   "CharCase",      "Color",          "Constraints", "Ctl3D",
      "DragCursor", "DragKind",       "DragMode",   "DropDownCount", "Enabled",        "Font",        "ImeMode",
      "ImeName",    "ItemHeight",     "ItemIndex",  "MaxLength",     "ParentBiDiMode", "ParentColor", "ParentCtl3D",
      "ParentFont", "ParentShowHint", "PopupMenu",  "ShowHint",      "Sorted",         "TabOrder",    "TabStop",
      "Text",       "Visible",        "OnChange",   "OnClick",       "OnContextPopup", "OnDblClick",  "OnDragDrop",
      "OnDragOver", "OnDrawItem",     "OnDropDown", "OnEndDock",     "OnEndDrag",      "OnEnter",     "OnExit",
      "OnKeyDown",  "OnKeyPress",     "OnKeyUp",    "OnMeasureItem", "OnStartDock",    "OnStartDrag", "Items"}},
    {"TkvColorBox", {"AutoComplete",   "AutoDropDown", "DefaultColorColor",
                     "NoneColorColor", "Selected",     "Style",
                     "Anchors",        "BevelEdges",   "BevelInner",
                     "BevelKind",      "BevelOuter",   "BiDiMode",
                     "Color",          "Constraints",  "DropDownCount",
                     "Enabled",        "Font",         "ItemHeight",
                     "ParentBiDiMode", "ParentColor",  "ParentFont",
                     "ParentShowHint", "PopupMenu",    "ShowHint",
                     "TabOrder",       "TabStop",      "Visible",
                     "OnChange",       "OnCloseUp",    "OnClick",
                     "OnContextPopup", "OnDblClick",   "OnDragDrop",
                     "OnDragOver",     "OnDropDown",   "OnEndDock",
                     "OnEndDrag",      "OnEnter",      "OnExit",
                     "OnKeyDown",      "OnKeyPress",   "OnKeyUp",
                     "OnSelect",       "OnStartDock",  "OnStartDrag"}},
    {"TkvFontComboBox",
     {"Device",         "FontName",   "Options",    "UseFonts",    "Color",       "Ctl3D",          "DragMode",
      "DragCursor",     "Enabled",    "Font",       "Anchors",     "BiDiMode",    "Constraints",    "DragKind",
      "ParentBiDiMode", "ImeMode",    "ImeName",    "ParentColor", "ParentCtl3D", "ParentFont",     "ParentShowHint",
      "PopupMenu",      "ShowHint",   "Style",      "TabOrder",    "TabStop",     "Visible",        "OnChange",
      "OnClick",        "OnDblClick", "OnDragDrop", "OnDragOver",  "OnDropDown",  "OnEndDrag",      "OnEnter",
      "OnExit",         "OnKeyDown",  "OnKeyPress", "OnKeyUp",     "OnStartDrag", "OnContextPopup", "OnEndDock",
      "OnStartDock"}},
    {"TkvStringGrid",
     {"UIStyle",         "BorderColor", "FocusedColor",    "SelectedColor",    "FixedFontColor", "FontColor",
      "Ctl3D",           "Align",       "Anchors",         "BiDiMode",         "BorderStyle",    "Color",
      "ColCount",        "Constraints", "DefaultColWidth", "DefaultRowHeight", "DefaultDrawing", "DragCursor",
      "DragKind",        "DragMode",    "Enabled",         "FixedColor",       "FixedCols",      "RowCount",
      "FixedRows",       "Font",        "GridLineWidth",   "Options",          "ParentBiDiMode", "ParentColor",
      "ParentCtl3D",     "ParentFont",  "ParentShowHint",  "PopupMenu",        "ScrollBars",     "ShowHint",
      "TabOrder",        "Visible",     "VisibleColCount", "VisibleRowCount",  "OnClick",        "OnColumnMoved",
      "OnContextPopup",  "OnDblClick",  "OnDragDrop",      "OnDragOver",       "OnDrawCell",     "OnEndDock",
      "OnEndDrag",       "OnEnter",     "OnExit",          "OnGetEditMask",    "OnGetEditText",  "OnKeyDown",
      "OnKeyPress",      "OnKeyUp",     "OnMouseDown",     "OnMouseMove",      "OnMouseUp",      "OnMouseWheelDown",
      "OnMouseWheelUp",  "OnRowMoved",  "OnSelectCell",    "OnSetEditText",    "OnStartDock",    "OnStartDrag",
      "OnTopLeftChanged"}},
    {"TkvTabControl",
     {"Align",          "UIStyle",     "LeftMargin",  "BorderColor", "Color",          "Font",
      "Visible",        "Anchors",     "BiDiMode",    "Constraints", "UseDockManager", "DockSite",
      "DragCursor",     "DragKind",    "DragMode",    "Enabled",     "FullRepaint",    "Locked",
      "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",  "ParentShowHint", "PopupMenu",
      "ShowHint",       "TabOrder",    "TabStop",     "OnCanResize", "OnClick",        "OnConstrainedResize",
      "OnContextPopup", "OnDockDrop",  "OnDockOver",  "OnDblClick",  "OnDragDrop",     "OnDragOver",
      "OnEndDock",      "OnEndDrag",   "OnEnter",     "OnExit",      "OnGetSiteInfo",  "OnMouseDown",
      "OnMouseMove",    "OnMouseUp",   "OnResize",    "OnStartDock", "OnStartDrag",    "OnUnDock",
      "OnTabActive",    "OnChange",    "OnChanging",  "Tabs",        "TabIndex"}},
    {"TkvTabSheet",
     {"PageIndex", "Caption",        "TabVisible",  "BiDiMode",    "Color",      "Constraints",    "UseDockManager",
      "DockSite",  "DragCursor",     "DragKind",    "DragMode",    "Enabled",    "FullRepaint",    "Font",
      "Locked",    "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
      "ShowHint",  "TabOrder",       "TabStop",     "Visible",     "OnShow"}},
    {"TkvSideChannel", {"Anchors",     "BiDiMode",       "Width",          "SideBarColor", "SideBarWidth", "Caption",
                        "Font",        "Alignment",      "Align",          "StayOn",       "Visible",      "Color",
                        "ParentColor", "ParentShowHint", "ParentBiDiMode", "ParentFont",   "PopupMode",    "QuickMove",
                        "OnResize",    "OnCanResize",    "OnPush",         "OnPop"}},
    {"TkvTitleBar",
     {"AutoSize", "BiDiMode", "UIStyle", "Sections", "Buttons", "ButtonInterval", "Caption", "Font", "FormActive",
      "LeftBtnXOffset", "RightBtnXOffset", "DrawAppIcon", "RoundCorner", "OnCustomBtnsClick", "OnHelpBtnClick"}},
    {"TkvImageButton",
     {"PicNormal", "PicMouseOn", "PicMouseDown", "PicDisabled", "Stretch", "Cancel", "Default",
      "MouseContinuouslyDownInterval", "Action", "Caption", "Font", "Enabled", "TabOrder", "Transparent", "ModalResult",
      "AutoSize", "OnMouseEnter", "OnMouseExit", "OnMouseContinuouslyDown"}},
    {"TkvCheckBox",
     {"Checked", "Caption", "Enabled", "Font", "Color", "Transparent", "TabOrder", "OnClick", "OnDblClick",
      "OnMouseMove", "OnMouseDown", "OnMouseUp", "OnKeyDown", "OnKeyUp", "OnKeyPress", "UIStyle", "AutoSize",
      "TabStop"}},
    {"TkvRadioButton", {"GroupIndex", "Checked"}},
    {"TkvGroupBox",
     {"Align", "Caption", "Color", "Font", "Enabled", "Transparent", "ParentColor", "Visible", "BorderColor",
      "OnClick"}},
    {"TkvCheckGroup", {"UIStyle", "Items", "Columns", "TopMargin", "FontColor", "BorderColor", "OnClick"}},
    {"TkvTrackBar", {"Orientation", "UIStyle",  "BarImage",  "SliderImage", "Max",         "Min",       "Position",
                     "PageSize",    "Align",    "Alignment", "Color",       "Enabled",     "TabStop",   "TabOrder",
                     "Visible",     "OnChange", "OnClick",   "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"}},
    {"TkvScrollBar",
     {"LineButton", "Orientation", "UIStyle", "Max", "Min", "Position", "SmallChange", "LargeChange", "PageSize",
      "Align", "Color", "Enabled", "ParentColor", "Visible", "OnChange"}},
    {"TkvToolBar", {"UIStyle", "ButtonColor", "ButtonBorderColor", "ButtonDownColor", "Color", "Transparent"}},
    {"TkvPopupMenu",
     {"UIStyle", "MenuItemHeight", "SeparatorHeight", "BarColor", "BarWidth", "Color", "SeparatorColor",
      "SelectedBorderColor", "SelectedColor", "SelectedFontColor", "FontColor", "BorderColor", "FlatMenu", "FontName",
      "FontSize", "FontCharset", "UseSystemFont", "OwnerDraw"}},
    {"TkvMainMenu",
     {"UIStyle", "MenuItemHeight", "SeparatorHeight", "BarColor", "BarWidth", "Color", "SeparatorColor",
      "SelectedBorderColor", "SelectedColor", "SelectedFontColor", "FontColor", "BorderColor", "FlatMenu", "FontName",
      "FontSize", "FontCharset", "UseSystemFont", "OwnerDraw", "Images"}},
    {"TkvCheckListBox",
     {"UIStyle", "BorderColor", "BorderStyle", "BorderWidth", "VScrollBar", "OnClickCheck", "Flat", "Style",
      "ItemHeight", "Items", "OnDrawItem"}},
    {"TkvListView",
     {"BorderColor",    "BorderStyle",       "BorderWidth", "Checkboxes",  "Columns",       "GridLines",
      "HideSelection",  "HotTrack",          "Items",       "LargeImages", "MultiSelect",   "ReadOnly",
      "RowSelect",      "ShowColumnHeaders", "SmallImages", "ViewStyle",   "OnColumnClick", "OnSelectItem",
      "OnContextPopup", "OnMouseWheel"}},
    {"TkvTreeView",
     {"AutoExpand", "BorderColor", "BorderStyle", "BorderWidth", "HideSelection", "HotTrack", "Images", "Indent",
      "Items", "ReadOnly", "RowSelect", "ShowButtons", "ShowLines", "ShowRoot", "ToolTips", "OnChange", "OnCollapsed",
      "OnExpanded", "OnContextPopup"}},
};

}  // namespace

KX_PUBLISH(TFramedForm) {}
KX_PUBLISH(TMembersForm) {
  p.Handler("MemoWheel", &TMembersForm::MemoWheel);
  p.Handler("MemoWheelDown", &TMembersForm::MemoWheelDown);
  p.Handler("MemoWheelUp", &TMembersForm::MemoWheelUp);
  p.Handler("EditContextPopup", &TMembersForm::EditContextPopup);
  p.Handler("MenuPopup", &TMembersForm::MenuPopup);
  p.Handler("PanelConstrainedResize", &TMembersForm::PanelConstrainedResize);
  p.Handler("GridDragDrop", &TMembersForm::GridDragDrop);
  p.Handler("GridStartDrag", &TMembersForm::GridStartDrag);
  p.Handler("GridGetEditText", &TMembersForm::GridGetEditText);
  p.Handler("GridSetEditText", &TMembersForm::GridSetEditText);
  p.Handler("GridTopLeftChanged", &TMembersForm::GridTopLeftChanged);
  p.Handler("ListMeasureItem", &TMembersForm::ListMeasureItem);
}

TEST_F(PublishedMembers, EveryControlPublishesItsMembers) {
  for (const auto& [className, names] : kPublished) {
    const TClassInfo* cls = GetClass(className);
    if (!cls) {
      ADD_FAILURE() << className << " is not registered";
      continue;
    }
    std::string missing;
    for (const std::string& name : names)
      if (!cls->FindProperty(name)) missing += " " + name;
    EXPECT_EQ(missing, "") << className << " lacks these members";
  }
}

TEST_F(PublishedMembers, StoredOnlyMembersKeepTheirValues) {
  auto* edit = Find<TkvEdit>("Edit1");
  EXPECT_FALSE(edit->AutoSelect());
  EXPECT_EQ(edit->DragCursor(), -13);
  EXPECT_EQ(edit->DragKind(), dkDock);
  EXPECT_EQ(edit->DragMode(), dmAutomatic);
  EXPECT_EQ(edit->ImeMode(), imClose);
  EXPECT_EQ(edit->ImeName(), "Pinyin");
  auto* grid = Find<TkvStringGrid>("Grid1");
  EXPECT_TRUE(grid->DockSite());
  EXPECT_TRUE(grid->UseDockManager());
  EXPECT_TRUE(grid->OnDragDrop);
  EXPECT_TRUE(grid->OnStartDrag);
  auto* panel = Find<TPanel>("Panel1");
  EXPECT_FALSE(panel->FullRepaint());
  EXPECT_TRUE(panel->Locked());
  const auto& box = Find<TkvColorBox>("Colors1")->StoredOnly();
  EXPECT_FALSE(box.AutoComplete);
  EXPECT_TRUE(box.AutoDropDown);
  EXPECT_EQ(box.BevelEdges, (TBevelEdges{beLeft, beRight}));
  EXPECT_EQ(box.BevelKind, bkFlat);
  EXPECT_EQ(box.BevelInner, bvSpace);
  EXPECT_EQ(box.BevelOuter, bvNone);
}

TEST_F(PublishedMembers, NativeStylesReachTheWindows) {
  ShowAndSettle();
  struct Case {
    const char* control;
    int styleBits;
  };
  const Case cases[] = {
      {"Edit1", ES_UPPERCASE | ES_NOHIDESEL | ES_OEMCONVERT | ES_PASSWORD},
      {"Combo1", CBS_LOWERCASE},
      {"Memo1", ES_CENTER},
      {"List1", LBS_MULTICOLUMN | LBS_MULTIPLESEL | LBS_USETABSTOPS},
  };
  for (const Case& c : cases) {
    HWND wnd = Find<TWinControl>(c.control)->Handle();
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & c.styleBits, c.styleBits) << c.control;
  }
  EXPECT_EQ(GetWindowLongA(Find<TWinControl>("List1")->Handle(), GWL_STYLE) & LBS_NOINTEGRALHEIGHT, 0);
  EXPECT_EQ(GetWindowLongA(Find<TWinControl>("Edit2")->Handle(), GWL_STYLE) & ES_UPPERCASE, 0);
  EXPECT_EQ(SendMessageA(Find<TkvEdit>("Edit1")->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  // A sorted combo box holds its items in order; its text is limited.
  auto* combo = Find<TkvComboBox>("Combo1");
  EXPECT_EQ(combo->Items()->Strings(0), "apple");
  EXPECT_EQ(combo->MaxLength(), 12);
  // The list box keeps its focused item as the index while it selects several.
  auto* list = Find<TkvListBox>("List1");
  list->SetItemIndex(1);
  EXPECT_EQ(list->ItemIndex(), 1);
  // The grid's lines are two pixels wide: the second column starts later;
  // without scroll bars it has no vertical bar.
  auto* grid = Find<TkvStringGrid>("Grid1");
  EXPECT_EQ(grid->CellRect(1, 0).left, grid->ColWidths(0) + 2);
  EXPECT_EQ(GetWindowLongA(grid->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
  // The list whose items differ in height asks for each one.
  HWND list2 = Find<TkvListBox>("List2")->Handle();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageA(list2, LB_GETITEMHEIGHT, i, 0), 12 + 4 * i) << i;
  EXPECT_FALSE(Find<TkvCheckListBox>("Checks1")->Flat());
  // The views' own styles, and the list view's extended ones.
  HWND view = Find<TkvListView>("View1")->Handle();
  const LONG viewStyle = LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | LVS_REPORT;
  EXPECT_EQ(GetWindowLongA(view, GWL_STYLE) & (viewStyle | LVS_SINGLESEL), viewStyle);
  const LRESULT extended = LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT;
  EXPECT_EQ(SendMessageA(view, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & extended, extended);
  HWND tree = Find<TkvTreeView>("Tree1")->Handle();
  const LONG treeStyle = TVS_SHOWSELALWAYS | TVS_SINGLEEXPAND | TVS_TRACKSELECT | TVS_FULLROWSELECT | TVS_NOTOOLTIPS;
  EXPECT_EQ(GetWindowLongA(tree, GWL_STYLE) & treeStyle, treeStyle);
  EXPECT_EQ(SendMessageA(tree, TVM_GETINDENT, 0, 0), 30);
}

TEST_F(PublishedMembers, TheGridReportsItsEditTextsAndItsTopRow) {
  ShowAndSettle();
  auto* grid = Find<TkvStringGrid>("Grid1");
  grid->SetCells(1, 1, "x");
  grid->SetEditorMode(true);
  TEdit* editor = nullptr;
  for (int i = 0; i < grid->ControlCount(); ++i)
    if (auto* e = dynamic_cast<TEdit*>(grid->Controls(i))) editor = e;
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Text(), "x@1,1");
  editor->SetText("typed");
  grid->SetEditorMode(false);
  EXPECT_EQ(form_->editTexts, (std::vector<std::string>{"typed"}));
  EXPECT_EQ(grid->Cells(1, 1), "typed");
  // A line down from the scroll message moves the top row once.
  SendMessageA(grid->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 2);
  EXPECT_EQ(form_->topLeftChanges, 1);
  SendMessageA(grid->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1), 0);
  EXPECT_EQ(form_->topLeftChanges, 1) << "no move, no event";
}

TEST_F(PublishedMembers, ReadingOrderAnd3DLookFollowTheParent) {
  auto* panel = Find<TPanel>("Panel1");
  auto* edit1 = Find<TkvEdit>("Edit1");
  auto* edit2 = Find<TkvEdit>("Edit2");
  EXPECT_TRUE(edit1->ParentBiDiMode());
  EXPECT_EQ(edit1->BiDiMode(), bdRightToLeft);
  EXPECT_FALSE(edit1->Ctl3D());
  EXPECT_EQ(edit2->BiDiMode(), bdLeftToRight);
  EXPECT_FALSE(edit2->ParentCtl3D());
  EXPECT_TRUE(edit2->Ctl3D());
  ShowAndSettle();
  EXPECT_NE(GetWindowLongA(edit1->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING, 0);
  EXPECT_EQ(GetWindowLongA(edit2->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING, 0);
  // A change of the parent reaches the children that follow it, windows too.
  panel->SetBiDiMode(bdLeftToRight);
  panel->SetCtl3D(true);
  EXPECT_EQ(edit1->BiDiMode(), bdLeftToRight);
  EXPECT_EQ(GetWindowLongA(edit1->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING, 0);
  EXPECT_TRUE(edit1->Ctl3D());
  panel->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(edit1->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_EQ(edit2->BiDiMode(), bdLeftToRight);
  // Writing the child's own mode stops the following.
  edit1->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(edit1->ParentBiDiMode());
  panel->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(edit1->BiDiMode(), bdLeftToRight);
}

TEST_F(PublishedMembers, AnchoredControlsKeepTheirDistancesWhenTheFormIsResized) {
  ShowAndSettle();
  auto* memo = Find<TkvMemo>("Memo1");
  auto* grid = Find<TkvStringGrid>("Grid1");
  auto* view = Find<TkvListView>("View1");
  auto* edit = Find<TkvEdit>("Edit1");
  auto* list = Find<TkvListBox>("List1");
  const RECT client = form_->ClientRect();
  struct Distances {
    int right, bottom;
  };
  auto distances = [&](TControl* c) {
    const RECT r = form_->ClientRect();
    return Distances{r.right - (c->Left() + c->Width()), r.bottom - (c->Top() + c->Height())};
  };
  const Distances memoBefore = distances(memo), gridBefore = distances(grid), viewBefore = distances(view);
  const RECT gridBounds = grid->BoundsRect(), listBounds = list->BoundsRect(), memoBounds = memo->BoundsRect();
  const int editWidth = edit->Width();

  // A real resize of the window: 100 pixels wider, 60 higher.
  SetWindowPos(form_->Handle(), nullptr, 0, 0, form_->Width() + 100, form_->Height() + 60,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  ASSERT_EQ(form_->ClientRect().right, client.right + 100);
  ASSERT_EQ(form_->ClientRect().bottom, client.bottom + 60);

  // Right and top: moves along, keeps its size.
  EXPECT_EQ(distances(memo).right, memoBefore.right);
  EXPECT_EQ(memo->Left(), memoBounds.left + 100);
  EXPECT_EQ(memo->Top(), memoBounds.top);
  EXPECT_EQ(memo->Width(), memoBounds.right - memoBounds.left);
  // All four edges: grows with the form.
  EXPECT_EQ(distances(grid).right, gridBefore.right);
  EXPECT_EQ(distances(grid).bottom, gridBefore.bottom);
  EXPECT_EQ(grid->Left(), gridBounds.left);
  EXPECT_EQ(grid->Top(), gridBounds.top);
  // Right and bottom: moves to keep the corner's distance.
  EXPECT_EQ(distances(view).right, viewBefore.right);
  EXPECT_EQ(distances(view).bottom, viewBefore.bottom);
  // The default anchors stay; the panel did not grow, so neither did its edit.
  EXPECT_EQ(list->BoundsRect().left, listBounds.left);
  EXPECT_EQ(list->BoundsRect().top, listBounds.top);
  EXPECT_EQ(edit->Width(), editWidth);
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_published_anchors.png");

  // The panel narrows by 40: its left-and-right anchored edit narrows by 40.
  auto* panel = Find<TPanel>("Panel1");
  panel->SetWidth(panel->Width() - 40);
  EXPECT_EQ(edit->Width(), editWidth - 40);
  // Back to the start: everything where it was.
  SetWindowPos(form_->Handle(), nullptr, 0, 0, form_->Width() - 100, form_->Height() - 60,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  EXPECT_EQ(grid->BoundsRect().right, gridBounds.right);
  EXPECT_EQ(memo->BoundsRect().left, memoBounds.left);
}

TEST_F(PublishedMembers, ConstrainedResizeNarrowsTheLimits) {
  auto* panel = Find<TPanel>("Panel1");
  panel->SetWidth(500);
  EXPECT_EQ(panel->Width(), 300);
  panel->SetWidth(250);
  EXPECT_EQ(panel->Width(), 250);
}

TEST_F(PublishedMembers, TheWheelReachesTheEventsFromItsMessage) {
  ShowAndSettle();
  auto* memo = Find<TkvMemo>("Memo1");
  const POINT screen = memo->ClientToScreen(POINT{10, 10});
  SendMessageA(memo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(screen.x, screen.y));
  SendMessageA(memo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
  EXPECT_EQ(form_->wheelDeltas, (std::vector<int>{-WHEEL_DELTA, WHEEL_DELTA}));
  EXPECT_EQ(form_->wheelDowns, 1);
  EXPECT_EQ(form_->wheelUps, 1);
  // Handled by OnMouseWheel: neither direction's event follows.
  form_->handleWheel = true;
  SendMessageA(memo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(screen.x, screen.y));
  EXPECT_EQ(form_->wheelDeltas.size(), 3u);
  EXPECT_EQ(form_->wheelDowns, 1);
}

namespace {
// Closes the popup menu's modal loop from inside it.
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}
}  // namespace

TEST_F(PublishedMembers, AHandledContextPopupKeepsThePopupMenuClosed) {
  ShowAndSettle();
  auto* edit = Find<TkvEdit>("Edit1");
  const POINT screen = edit->ClientToScreen(POINT{5, 6});
  SendMessageA(edit->Handle(), WM_CONTEXTMENU, WPARAM(edit->Handle()), MAKELPARAM(screen.x, screen.y));
  ASSERT_EQ(form_->popupRequests.size(), 1u);
  EXPECT_EQ(form_->popupRequests[0].x, 5);
  EXPECT_EQ(form_->popupRequests[0].y, 6);
  EXPECT_EQ(form_->menuPopups, 0);
  // Not handled: the control's popup menu opens (and is closed by a timer).
  form_->handlePopup = false;
  SetTimer(nullptr, 0, 200, &EndMenuSoon);
  SendMessageA(edit->Handle(), WM_CONTEXTMENU, WPARAM(edit->Handle()), MAKELPARAM(screen.x, screen.y));
  EXPECT_EQ(form_->popupRequests.size(), 2u);
  EXPECT_EQ(form_->menuPopups, 1);
}

TEST_F(PublishedMembers, ViewsReadTheirBorderStyleAndWidth) {
  auto* view = Find<TkvListView>("View1");
  auto* tree = Find<TkvTreeView>("Tree1");
  EXPECT_EQ(view->BorderStyle(), bsSingle);
  EXPECT_EQ(view->BorderWidth(), 4);
  EXPECT_EQ(tree->BorderStyle(), bsNone);
  EXPECT_EQ(tree->BorderWidth(), 0);
  ShowAndSettle();
  // The native edge comes back with bsSingle; the band is the width asked for.
  EXPECT_NE(GetWindowLongA(view->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(GetWindowLongA(tree->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  RECT client;
  GetClientRect(tree->Handle(), &client);
  EXPECT_EQ(client.right, tree->Width());
  GetClientRect(view->Handle(), &client);
  EXPECT_EQ(client.right, view->Width() - 2 * 4 - 2 * GetSystemMetrics(SM_CXEDGE));
}

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
