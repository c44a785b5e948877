// Every member the skinned controls publish is read from a form resource;
// the members the framework has no machinery for keep their values, and
// the native styles reach the windows.
#include "ControlsMembersForm.h"

using namespace kx;
using namespace membertest;

namespace {

// Both grids publish the same members.
const std::vector<std::string> kGridMembers = {
    "UIStyle",         "BorderColor", "FocusedColor",    "SelectedColor",    "FixedFontColor", "FontColor",
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
    "OnTopLeftChanged"};

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
    {"TkvStringGrid", kGridMembers},
    {"TkvDrawGrid", kGridMembers},
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
    {"TkvImagePanel", {"BorderWidth", "Picture",     "Transparent", "AutoSize",   "Alignment",     "Align",
                       "Font",        "TabStop",     "TabOrder",    "Caption",    "Color",         "DrawStyle",
                       "Visible",     "Anchors",     "BiDiMode",    "OnClick",    "OnMouseDown",   "OnResize",
                       "OnEnter",     "OnExit",      "OnDragDrop",  "OnDragOver", "OnEndDrag",     "OnStartDrag",
                       "OnEndDock",   "OnStartDock", "OnDockDrop",  "OnDockOver", "OnGetSiteInfo", "OnUnDock"}},
    {"TkvRadioGroup", {"UIStyle", "Items", "Columns", "TopMargin", "FontColor", "BorderColor", "OnClick"}},
    {"TkvFontSizeComboBox",
     {"FontName",       "UIStyle",        "BorderColor", "ArrowColor", "ButtonColor", "Color",       "Ctl3D",
      "DragMode",       "DragCursor",     "Enabled",     "Font",       "Anchors",     "BiDiMode",    "Constraints",
      "DragKind",       "ParentBiDiMode", "ImeMode",     "ImeName",    "ParentColor", "ParentCtl3D", "ParentFont",
      "ParentShowHint", "PopupMenu",      "ShowHint",    "Style",      "TabOrder",    "TabStop",     "Text",
      "Visible",        "OnChange",       "OnClick",     "OnDblClick", "OnDragDrop",  "OnDragOver",  "OnDropDown",
      "OnEndDrag",      "OnEnter",        "OnExit",      "OnKeyDown",  "OnKeyPress",  "OnKeyUp",     "OnStartDrag",
      "OnContextPopup", "OnEndDock",      "OnStartDock"}},
    {"TkvPageControl",
     {"ActivePage", "PageCount", "UIStyle", "LeftMargin", "BorderColor", "FullRepaint", "Locked", "UseDockManager",
      "DockSite", "OnTabActive", "OnChange", "OnChanging", "OnUnDock"}},
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

namespace membertest {

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

}  // namespace membertest

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
