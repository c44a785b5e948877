// The skinned list and tree views filled from a form resource: columns,
// items and nested nodes reach the native windows, code changes refill
// them, and the user's selections, column clicks, expansions and
// collapses come back as events.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/FormResources.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVListView.h"
#include "skin/controls/KVTreeView.h"
#include "TestSupport.h"

using namespace kx;

namespace {

class TViewsForm : public TForm {
  KX_CLASS(TViewsForm, TForm)
 public:
  using TForm::TForm;
  void FunctionSelected(TObject*, TListItem* item, bool selected) {
    log.push_back((selected ? "select " : "leave ") + item->Caption());
  }
  void ColumnClicked(TObject*, TListColumn* column) { log.push_back("column " + column->Caption()); }
  void NodeChanged(TObject*, TTreeNode* node) { log.push_back("node " + (node ? node->Text() : "-")); }
  void NodeExpanded(TObject*, TTreeNode* node) { log.push_back("open " + node->Text()); }
  void NodeCollapsed(TObject*, TTreeNode* node) { log.push_back("close " + node->Text()); }
  std::vector<std::string> log;
};

KX_PUBLISH(TViewsForm) {
  p.Handler("FunctionSelected", &TViewsForm::FunctionSelected);
  p.Handler("ColumnClicked", &TViewsForm::ColumnClicked);
  p.Handler("NodeChanged", &TViewsForm::NodeChanged);
  p.Handler("NodeExpanded", &TViewsForm::NodeExpanded);
  p.Handler("NodeCollapsed", &TViewsForm::NodeCollapsed);
}

const char kViewsText[] = R"(object ViewsForm: TViewsForm
  Left = 80
  Top = 80
  Width = 460
  Height = 260
  Color = clBtnFace
  object Functions: TkvListView
    Left = 10
    Top = 10
    Width = 250
    Height = 200
    BorderColor = $00C00000
    ViewStyle = vsReport
    RowSelect = True
    Columns = <
      item
        Caption = 'Ham so'
        Width = 120
      end
      item
        Caption = 'Mau'
        Width = 100
      end>
    Items = <
      item
        Caption = 'y = sin(x)'
        SubItems.Strings = (
          'Do')
      end
      item
        Caption = 'y = x^2'
        SubItems.Strings = (
          'Xanh')
      end
      item
        Caption = 'y = ln(x)'
        SubItems.Strings = (
          'Den')
      end>
    OnSelectItem = FunctionSelected
    OnColumnClick = ColumnClicked
  end
  object Kinds: TkvTreeView
    Left = 270
    Top = 10
    Width = 170
    Height = 200
    BorderColor = $00008000
    Items = <
      item
        Text = 'Do thi'
        Expanded = True
        Nodes = <
          item
            Text = 'Ham so'
          end
          item
            Text = 'Tham so'
            Nodes = <
              item
                Text = 'Duong cong'
              end>
          end>
      end>
    OnChange = NodeChanged
    OnExpanded = NodeExpanded
    OnCollapsed = NodeCollapsed
  end
end
)";

std::string ListText(HWND list, int item, int column) {
  char text[64] = {};
  LVITEMA query{};
  query.iSubItem = column;
  query.pszText = text;
  query.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&query));
  return text;
}

HTREEITEM Next(HWND tree, UINT relation, HTREEITEM from) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

// The screen's 0x00RRGGBB as a colour 0x00BBGGRR.
TColor AsColor(unsigned rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

class Views : public testing::Test {
 protected:
  void SetUp() override {
    RegisterControlClasses();
    RegisterClasses({&TViewsForm::StaticClass()});
    form_.reset(TCustomForm::Create<TViewsForm>(nullptr));
    form_->HandleNeeded();
    ReadComponentText(*form_, kViewsText, "views");
    list_ = dynamic_cast<TkvListView*>(form_->FindComponent("Functions"));
    tree_ = dynamic_cast<TkvTreeView*>(form_->FindComponent("Kinds"));
    form_->Show();
    Application->ProcessMessages();
    form_->log.clear();
  }
  void TearDown() override {
    form_.reset();
    Application->ProcessMessages();
  }
  std::unique_ptr<TViewsForm> form_;
  TkvListView* list_ = nullptr;
  TkvTreeView* tree_ = nullptr;
};

}  // namespace

TEST_F(Views, TheListViewFromItsResource) {
  ASSERT_NE(list_, nullptr);
  EXPECT_EQ(list_->ViewStyle(), vsReport);
  ASSERT_EQ(list_->Items()->Count(), 3);
  EXPECT_EQ(list_->Item(1)->SubItems()->Strings(0), "Xanh");
  const HWND wnd = list_->Handle();
  EXPECT_EQ(SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(ListText(wnd, 0, 0), "y = sin(x)");
  EXPECT_EQ(ListText(wnd, 2, 1), "Den");
  EXPECT_EQ(SendMessageA(wnd, LVM_GETCOLUMNWIDTH, 1, 0), 100);
  EXPECT_EQ(list_->ItemIndex(), -1);

  // Selections by code and by the keyboard come back as events.
  list_->SetItemIndex(1);
  EXPECT_EQ(list_->Selected(), list_->Item(1));
  list_->SetFocus();
  SendMessageA(wnd, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(wnd, WM_KEYUP, VK_DOWN, 0);
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(form_->log, (std::vector<std::string>{"select y = x^2", "leave y = x^2", "select y = ln(x)"}));

  // A click on the second column's header.
  form_->log.clear();
  const HWND header = reinterpret_cast<HWND>(SendMessageA(wnd, LVM_GETHEADER, 0, 0));
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(header, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(form_->log, std::vector<std::string>{"column Mau"});

  // Code changes the items: the window follows and keeps the selection.
  list_->Item(0)->SetCaption("y = cos(x)");
  list_->Item(0)->SubItems()->Add("Tim");
  EXPECT_EQ(ListText(wnd, 0, 0), "y = cos(x)");
  EXPECT_EQ(ListText(wnd, 0, 1), "Do");
  EXPECT_EQ(list_->ItemIndex(), 2);
  list_->Items()->Delete(1);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(Views, TheTreeViewFromItsResource) {
  ASSERT_NE(tree_, nullptr);
  ASSERT_EQ(tree_->Items()->Count(), 1);
  TTreeNode* root = tree_->Node(0);
  ASSERT_EQ(root->Nodes()->Count(), 2);
  TTreeNode* params = root->Node(1);
  EXPECT_EQ(params->Node(0)->Text(), "Duong cong");
  EXPECT_EQ(params->Node(0)->Level(), 2);
  EXPECT_EQ(params->Node(0)->ParentNode(), params);
  const HWND wnd = tree_->Handle();
  EXPECT_EQ(SendMessageA(wnd, TVM_GETCOUNT, 0, 0), 4);
  const HTREEITEM top = Next(wnd, TVGN_ROOT, nullptr);
  EXPECT_TRUE(SendMessageA(wnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(top), TVIS_EXPANDED) & TVIS_EXPANDED);

  // The user walks down with the keyboard, opens the branch, closes it.
  tree_->SetFocus();
  auto key = [&](WPARAM k) {
    SendMessageA(wnd, WM_KEYDOWN, k, 0);
    SendMessageA(wnd, WM_KEYUP, k, 0);
  };
  tree_->SetSelected(root);
  form_->log.clear();
  key(VK_DOWN);
  key(VK_DOWN);
  EXPECT_EQ(tree_->Selected(), params);
  key(VK_RIGHT);
  EXPECT_TRUE(params->Expanded());
  key(VK_LEFT);
  EXPECT_FALSE(params->Expanded());
  EXPECT_EQ(form_->log, (std::vector<std::string>{"node Ham so", "node Tham so", "open Tham so", "close Tham so"}));

  // A node renamed by code shows so; the selection stays.
  params->SetText("Tham so t");
  char text[32] = {};
  TVITEMA query{};
  query.mask = TVIF_TEXT;
  query.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
  query.pszText = text;
  query.cchTextMax = sizeof text;
  SendMessageA(wnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  EXPECT_STREQ(text, "Tham so t");
  EXPECT_EQ(tree_->Selected(), params);
  // Its branch going takes the selection with it.
  root->Nodes()->Delete(1);
  EXPECT_EQ(tree_->Selected(), nullptr);
  EXPECT_EQ(SendMessageA(wnd, TVM_GETCOUNT, 0, 0), 2);
}

TEST_F(Views, BothWearTheirFrame) {
  list_->SetItemIndex(0);
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application->ProcessMessages();
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_views.png");
  const struct {
    TWinControl* control;
    TColor border;
  } cases[] = {{list_, 0xC00000}, {tree_, 0x008000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control->ClassName());
    c.control->Repaint();
    Application->ProcessMessages();
    const testsupport::Picture shot = testsupport::CaptureWindow(c.control->Handle());
    EXPECT_EQ(c.control->ClientWidth(), c.control->Width() - 4);
    const int w = shot.width, h = shot.height;
    for (POINT p : {POINT{0, 0}, POINT{w / 2, 0}, POINT{w - 1, h / 2}, POINT{0, h - 1}})
      EXPECT_EQ(AsColor(shot.At(p.x, p.y)), c.border) << p.x << ", " << p.y;
    EXPECT_EQ(AsColor(shot.At(1, h / 2)), ColorToRGB(clWindow));
  }
}
