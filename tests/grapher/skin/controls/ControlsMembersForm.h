// The form resource the published-members tests read, its form class with
// the handlers it names, and the fixture that reads it afresh for each test.
#pragma once

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
#include "skin/controls/KVImagePanel.h"
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

namespace membertest {

using namespace kx;

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
  void EditContextPopup(TObject* sender, POINT mousePos, bool& handled) {
    popupSenders.push_back(sender);
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
  std::vector<TObject*> popupSenders;
  std::vector<POINT> popupRequests;
  bool handlePopup = true;
  int menuPopups = 0;
};

// A form resource naming members of several skinned controls, with a
// right-to-left, flat panel whose children inherit or refuse its modes.
inline constexpr char kForm[] = R"(object MembersForm: TMembersForm
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
  object Link1: TkvURLLabel
    Left = 200
    Top = 330
    Caption = 'a link'
    OnContextPopup = EditContextPopup
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

inline constexpr char kFramedForm[] = R"(object FramedForm: TFramedForm
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
        Anchors = [akLeft, akTop, akRight, akBottom]
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
    RegisterClasses({&TMembersForm::StaticClass(),    &TFramedForm::StaticClass(),
                     &TkvPageControl::StaticClass(),  &TkvEdit::StaticClass(),
                     &TkvMemo::StaticClass(),         &TkvListBox::StaticClass(),
                     &TkvCheckListBox::StaticClass(), &TkvComboBox::StaticClass(),
                     &TkvColorBox::StaticClass(),     &TkvFontComboBox::StaticClass(),
                     &TkvStringGrid::StaticClass(),   &TkvListView::StaticClass(),
                     &TkvTreeView::StaticClass(),     &TkvTabControl::StaticClass(),
                     &TkvTabSheet::StaticClass(),     &TkvButton::StaticClass(),
                     &TkvProgressBar::StaticClass(),  &TkvURLLabel::StaticClass(),
                     &TkvSideChannel::StaticClass(),  &TkvForm::StaticClass(),
                     &TkvTitleBar::StaticClass(),     &TkvImageButton::StaticClass(),
                     &TkvCheckBox::StaticClass(),     &TkvRadioButton::StaticClass(),
                     &TkvGroupBox::StaticClass(),     &TkvCheckGroup::StaticClass(),
                     &TkvTrackBar::StaticClass(),     &TkvScrollBar::StaticClass(),
                     &TkvToolBar::StaticClass(),      &TkvPopupMenu::StaticClass(),
                     &TkvMainMenu::StaticClass(),     &TkvImagePanel::StaticClass(),
                     &TkvRadioGroup::StaticClass(),   &TkvFontSizeComboBox::StaticClass(),
                     &TkvDrawGrid::StaticClass()});
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

}  // namespace membertest
