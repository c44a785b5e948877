// The bordered edits and lists: their frame, the check-list pictures and the
// owner drawing of rows outside the list.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVListBox.h"
#include "skin/controls/KVListView.h"
#include "skin/controls/KVMemo.h"
#include "skin/controls/KVScrollBar.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/controls/KVTreeView.h"
#include "SkinStandIn.h"
#include "TestSupport.h"

using namespace kx;

namespace {

// The screen's 0x00RRGGBB as a colour 0x00BBGGRR.
TColor AsColor(unsigned rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

class Bordered : public testing::Test {
 protected:
  void SetUp() override {
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBounds(100, 100, 360, 300);
    form_->SetColor(clBtnFace);
  }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  void SkinForm(TkvUIStyle style) { skintest::AddStyleStrip(form_, style); }
  template <class T>
  T* Add(int left, int top, int width, int height) {
    T* control = new T(form_);
    control->SetParent(form_);
    control->SetBounds(left, top, width, height);
    return control;
  }
  testsupport::Picture Shot(TWinControl& control) {
    form_->Show();
    control.Repaint();
    Application->ProcessMessages();
    return testsupport::CaptureWindow(control.Handle());
  }

  TForm* form_ = nullptr;
};

}  // namespace

TEST_F(Bordered, FrameRingsAndTheBand) {
  SkinForm(TkvUIStyle::WinXP);
  auto* edit = Add<TkvEdit>(10, 10, 120, 21);
  auto* memo = Add<TkvMemo>(10, 40, 120, 60);
  auto* list = Add<TkvListBox>(140, 10, 100, 80);
  auto* checks = Add<TkvCheckListBox>(140, 100, 100, 80);
  auto* listView = Add<TkvListView>(250, 10, 90, 80);
  auto* treeView = Add<TkvTreeView>(250, 100, 90, 80);
  // The border colour of the form's style, the next ring in the control's colour.
  EXPECT_EQ(edit->BorderColor(), 0x686868);
  memo->SetColor(0xE0FFE0);
  list->SetBorderColor(0x0000C0);
  const struct {
    TWinControl* control;
    TColor border;
    TColor inner;  // the second ring; -1 where the band is one pixel
    int band;
  } cases[] = {
      {edit, 0x686868, clWindow, 2}, {memo, 0x686868, 0xE0FFE0, 2},     {list, 0x0000C0, clWindow, 2},
      {checks, 0x686868, -1, 1},     {listView, 0x686868, clWindow, 2}, {treeView, 0x686868, clWindow, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control->ClassName());
    const testsupport::Picture shot = Shot(*c.control);
    EXPECT_EQ(c.control->ClientWidth(), c.control->Width() - 2 * c.band);
    EXPECT_EQ(c.control->ClientHeight(), c.control->Height() - 2 * c.band);
    ASSERT_EQ(shot.width, c.control->Width());
    const int w = shot.width, h = shot.height;
    for (POINT p : {POINT{0, 0}, POINT{w / 2, 0}, POINT{w - 1, h / 2}, POINT{w / 3, h - 1}, POINT{0, h - 1}})
      EXPECT_EQ(AsColor(shot.At(p.x, p.y)), c.border) << p.x << ", " << p.y;
    if (c.inner != -1) {
      for (POINT p : {POINT{1, 1}, POINT{w / 2, 1}, POINT{w - 2, h / 2}, POINT{w / 3, h - 2}})
        EXPECT_EQ(AsColor(shot.At(p.x, p.y)), ColorToRGB(c.inner)) << p.x << ", " << p.y;
    }
  }
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_edits_frames.png");
}

TEST_F(Bordered, CheckListPicturesFollowStateAndStyle) {
  SkinForm(TkvUIStyle::DeepBlue);
  auto* list = Add<TkvCheckListBox>(10, 10, 150, 100);
  list->Items()->Add("Ham so 1");
  list->Items()->Add("Ham so 2");
  list->SetChecked(0, true);
  ASSERT_EQ(list->UIStyle(), TkvUIStyle::DeepBlue);

  // Where the picture lands: x = 1, centred in the row (one row more when "W"
  // is lower than 12 pixels), plus the one-pixel band.
  TBitmap measure;
  measure.SetSize(4, 4);
  measure.Canvas()->Font()->Assign(list->Font());
  const int rowHeight = list->ItemHeight() + (measure.Canvas()->TextHeight("W") < 12 ? 1 : 0);
  auto pictureTop = [&](int row) { return 1 + row * list->ItemHeight() + (rowHeight - 11) / 2; };

  const struct {
    bool enabled;
    int row;
    const char* picture;
  } cases[] = {
      {true, 0, "DEEPBLUE_CHECKLIST_CHECK"},
      {true, 1, "DEEPBLUE_CHECKLIST_UNCHECK"},
      {false, 0, "DEEPBLUE_CHECKLIST_DISABLE_CHECK"},
      {false, 1, "DEEPBLUE_CHECKLIST_DISABLE_UNCHECK"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture);
    list->SetEnabled(c.enabled);
    const testsupport::Picture shot = Shot(*list);
    TBitmap picture;
    picture.LoadFromResourceName(GetModuleHandleA(nullptr), c.picture);
    ASSERT_EQ(picture.Width(), 11);
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 11; ++x)
        ASSERT_EQ(AsColor(shot.At(2 + x, pictureTop(c.row) + y)), picture.Canvas()->Pixel(x, y) & 0xFFFFFF)
            << x << ", " << y;
  }
  list->SetEnabled(true);
  Shot(*list);
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_edits_checklist.png");
}

TEST_F(Bordered, ACustomCheckListDrawsTheFrameworksCheckBoxes) {
  SkinForm(TkvUIStyle::Custom);
  auto* list = Add<TkvCheckListBox>(10, 10, 150, 60);
  ASSERT_EQ(list->UIStyle(), TkvUIStyle::Custom);
  EXPECT_EQ(list->CheckPictureName(true), "");
  list->Items()->Add("Mot");
  list->SetChecked(0, true);
  const testsupport::Picture shot = Shot(*list);
  // The framework's flat box: a frame of shadow colour round a 13-pixel box.
  int dark = 0;
  for (int y = 1; y < 17; ++y)
    for (int x = 1; x < 16; ++x) dark += (shot.At(x, y) & 0xFF) < 0xA0;
  EXPECT_GT(dark, 20);
}

TEST_F(Bordered, CheckListStyleAndFixedFrame) {
  SkinForm(TkvUIStyle::WinXP);
  auto* list = Add<TkvCheckListBox>(10, 10, 150, 60);
  EXPECT_EQ(list->UIStyle(), TkvUIStyle::WinXP);
  list->SetUIStyle(TkvUIStyle::Protein);
  EXPECT_EQ(list->BorderColor(), 0);
  list->SetUIStyle(TkvUIStyle::WinXP);
  list->SetUIStyle(TkvUIStyle::Custom);
  EXPECT_EQ(list->UIStyle(), TkvUIStyle::WinXP);
  EXPECT_EQ(list->BorderColor(), 0x686868);
  SetPropValue(*list, "BorderStyle", int64_t{bsNone});
  SetPropValue(*list, "BorderWidth", int64_t{4});
  EXPECT_EQ(std::get<int64_t>(GetPropValue(*list, "BorderStyle")), bsSingle);
  EXPECT_EQ(std::get<int64_t>(GetPropValue(*list, "BorderWidth")), 1);
  form_->Show();
  Application->ProcessMessages();
  EXPECT_EQ(list->ClientWidth(), 148);
}

TEST_F(Bordered, RowsOutsideTheListDrawOnlyTheBackground) {
  auto* checks = Add<TkvCheckListBox>(10, 10, 150, 60);
  auto* list = Add<TkvListBox>(10, 80, 150, 60);
  list->SetStyle(lbOwnerDrawFixed);
  checks->SetColor(0x00FFE0);
  list->SetColor(0xE0FF00);
  int drawn = 0;
  const TDrawItemEvent count([&](TWinControl*, int, RECT, TOwnerDrawState) { ++drawn; });
  checks->OnDrawItem = count;
  list->OnDrawItem = count;
  form_->Show();
  Application->ProcessMessages();
  const struct {
    TCustomListBox* control;
    int items;
    UINT row;
  } cases[] = {
      {checks, 0, static_cast<UINT>(-1)},
      {checks, 2, 5},
      {list, 0, static_cast<UINT>(-1)},
      {list, 2, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.control->ClassName()) + " row " + std::to_string(static_cast<int>(c.row)));
    c.control->Clear();
    for (int i = 0; i < c.items; ++i) c.control->Items()->Add("item");
    drawn = 0;
    TBitmap target;
    target.SetSize(40, 16);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.itemID = c.row;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = ODS_FOCUS;
    dis.hwndItem = c.control->Handle();
    dis.hDC = target.Canvas()->Handle();
    dis.rcItem = RECT{0, 0, 40, 16};
    EXPECT_EQ(c.control->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_EQ(drawn, 0);
    for (POINT p : {POINT{0, 0}, POINT{5, 8}, POINT{39, 15}})
      EXPECT_EQ(target.Canvas()->Pixel(p.x, p.y) & 0xFFFFFF, c.control->Color()) << p.x << ", " << p.y;
  }
}

TEST_F(Bordered, EditAndMemoText) {
  auto* edit = Add<TkvEdit>(10, 10, 120, 21);
  auto* memo = Add<TkvMemo>(10, 40, 120, 60);
  int changes = 0;
  edit->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  form_->Show();
  edit->SetText("1.5");
  EXPECT_EQ(changes, 1);
  edit->SetMaxLength(3);
  edit->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY);

  // Without WantReturns a Return reaches OnKeyPress and not the text.
  std::vector<char> keys;
  memo->OnKeyPress = TKeyPressEvent([&](TObject*, char& key) { keys.push_back(key); });
  memo->SetWantReturns(false);
  SendMessageA(memo->Handle(), WM_CHAR, 'x', 0);
  SendMessageA(memo->Handle(), WM_CHAR, '\r', 0);
  EXPECT_EQ(memo->Text(), "x");
  memo->SetWantReturns(true);
  SendMessageA(memo->Handle(), WM_CHAR, '\r', 0);
  EXPECT_EQ(memo->Text(), "x\r\n");
  EXPECT_EQ(keys, (std::vector<char>{'x', '\r', '\r'}));
}

// ---------------------------------------------------------------------------
// What Wine's edit and list box report of their native scroll bars. The
// figures go to skin_scroll_measure.txt; the test holds what the linked bars
// rely on.

namespace {

std::string ScrollState(HWND wnd, const char* what) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  const BOOL known = GetScrollBarInfo(wnd, OBJID_VSCROLL, &info);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(wnd, SB_VERT, &si);
  char text[256];
  std::snprintf(text, sizeof text,
                "%s: GetScrollBarInfo %s state $%lX thumb %d..%d; WS_VSCROLL %d; range %d..%d page %u pos %d\n", what,
                known ? "ok" : "failed", static_cast<unsigned long>(info.rgstate[0]), info.xyThumbTop,
                info.xyThumbBottom, (GetWindowLongA(wnd, GWL_STYLE) & WS_VSCROLL) != 0, si.nMin, si.nMax, si.nPage,
                si.nPos);
  return text;
}

}  // namespace

TEST_F(Bordered, WhatTheNativeBarsReport) {
  auto* list = Add<TkvListBox>(10, 10, 120, 100);
  auto* memo = Add<TkvMemo>(140, 10, 150, 100);
  memo->SetScrollBars(ssVertical);
  form_->Show();
  Application->ProcessMessages();
  std::string report;
  list->Items()->Add("one");
  list->Items()->Add("two");
  report += ScrollState(list->Handle(), "list, 2 items");
  for (int i = 2; i < 40; ++i) list->Items()->Add("item " + std::to_string(i));
  report += ScrollState(list->Handle(), "list, 40 items");
  SendMessageA(list->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10), 0);
  const LRESULT top = SendMessageA(list->Handle(), LB_GETTOPINDEX, 0, 0);
  report += "list after SB_THUMBPOSITION 10: top index " + std::to_string(top) + "\n";
  report += ScrollState(memo->Handle(), "memo, empty");
  std::string lines;
  for (int i = 0; i < 50; ++i) lines += "line " + std::to_string(i) + "\r\n";
  memo->SetText(lines);
  report += ScrollState(memo->Handle(), "memo, 50 lines");
  SendMessageA(memo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20), 0);
  const LRESULT first = SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
  report += "memo after SB_THUMBPOSITION 20: first line " + std::to_string(first) + "\n";
  report += ScrollState(memo->Handle(), "memo, scrolled");
  std::printf("%s", report.c_str());
  if (FILE* f = std::fopen("skin_scroll_measure.txt", "w")) {
    std::fputs(report.c_str(), f);
    std::fclose(f);
  }
  EXPECT_EQ(top, 10);
  EXPECT_EQ(first, 20);
}

// ---------------------------------------------------------------------------
// Linked scroll bars

namespace {

int FirstVisibleLine(TkvMemo& memo) {
  return static_cast<int>(SendMessageA(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
}

SCROLLINFO NativeRange(TWinControl& control) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(control.Handle(), SB_VERT, &si);
  return si;
}

}  // namespace

TEST_F(Bordered, AListsBarAppearsWithItsScrollBar) {
  SkinForm(TkvUIStyle::WinXP);
  auto* list = Add<TkvListBox>(20, 20, 150, 120);
  auto* bar = Add<TkvScrollBar>(0, 0, 16, 100);
  list->Items()->Add("one");
  list->Items()->Add("two");
  form_->Show();
  list->SetVScrollBar(bar);
  Application->ProcessMessages();
  EXPECT_EQ(bar->Orientation(), kvVertical);
  // Over the list's right edge, inside its frame.
  EXPECT_EQ(bar->Left(), 20 + 150 - bar->Width() - 2);
  EXPECT_EQ(bar->Top(), 21);
  EXPECT_EQ(bar->Height(), 118);
  // Fewer items than fit: no native bar, so no skinned one.
  EXPECT_FALSE(bar->Visible());
  EXPECT_FALSE(bar->Enabled());
  EXPECT_EQ(bar->LineButton(), 0);
  for (int i = 2; i < 40; ++i) list->Items()->Add("item " + std::to_string(i));
  Application->ProcessMessages();
  EXPECT_TRUE(bar->Visible());
  EXPECT_TRUE(bar->Enabled());
  const SCROLLINFO si = NativeRange(*list);
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->Max(), 40 - static_cast<int>(si.nPage));
  EXPECT_GE(bar->LineButton(), 18);
  // The skinned bar moves the list; the list's own scrolling moves the bar.
  bar->SetPosition(7);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETTOPINDEX, 0, 0), 7);
  SendMessageA(list->Handle(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(bar->Position(), 8);
  form_->Repaint();
  Application->ProcessMessages();
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_edits_list_bar.png");
}

TEST_F(Bordered, AnEmptyMemoKeepsItsBarWithoutThumb) {
  SkinForm(TkvUIStyle::DeepBlue);
  auto* memo = Add<TkvMemo>(20, 20, 200, 100);
  auto* bar = Add<TkvScrollBar>(0, 0, 16, 100);
  form_->Show();
  memo->SetVScrollBar(bar);
  Application->ProcessMessages();
  EXPECT_EQ(memo->ScrollBars(), ssVertical);
  EXPECT_TRUE(bar->Visible());
  EXPECT_FALSE(bar->Enabled());
  EXPECT_FALSE(bar->Track()->GetSliderVisible());
  EXPECT_EQ(bar->Left(), 20 + 200 - bar->Width() - 2);
  EXPECT_EQ(bar->Height(), 99);
  std::string lines;
  for (int i = 0; i < 60; ++i) lines += "dong " + std::to_string(i) + "\r\n";
  memo->SetText(lines);
  EXPECT_TRUE(bar->Enabled());
  EXPECT_TRUE(bar->Track()->GetSliderVisible());
  memo->SetVScrollBar(nullptr);
  EXPECT_EQ(memo->ScrollBars(), ssNone);
}

TEST_F(Bordered, DraggingTheSkinnedBarScrollsTheMemo) {
  SkinForm(TkvUIStyle::DeepBlue);
  auto* memo = Add<TkvMemo>(20, 20, 200, 120);
  auto* bar = Add<TkvScrollBar>(0, 0, 16, 100);
  form_->Show();
  memo->SetVScrollBar(bar);
  std::string lines;
  for (int i = 0; i < 80; ++i) lines += "dong " + std::to_string(i) + "\r\n";
  memo->SetText(lines);
  Application->ProcessMessages();
  TkvScrollTrackBar* track = bar->Track();
  SendMessageA(track->Slider()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  for (int y : {20, 40, 60}) SendMessageA(track->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, y));
  SendMessageA(track->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 60));
  // The memo stands where the thumb was dropped, and the bar where the memo is.
  EXPECT_GT(FirstVisibleLine(*memo), 0);
  EXPECT_EQ(FirstVisibleLine(*memo), bar->Position());
  EXPECT_EQ(NativeRange(*memo).nPos, bar->Position());
  memo->Repaint();
  Application->ProcessMessages();
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_edits_memo_bar.png");
}

TEST_F(Bordered, PositionsBeyondSixteenBitsReachTheMemo) {
  auto* memo = Add<TkvMemo>(20, 20, 200, 120);
  auto* bar = Add<TkvScrollBar>(0, 0, 16, 100);
  form_->Show();
  memo->SetVScrollBar(bar);
  std::string lines;
  for (int i = 0; i < 70000; ++i) lines += "\r\n";
  memo->SetText(lines);
  ASSERT_GT(bar->Max(), 69000);
  bar->SetPosition(69000);
  EXPECT_EQ(FirstVisibleLine(*memo), 69000);
  EXPECT_EQ(bar->Position(), 69000);
}

TEST_F(Bordered, RelinkingAndFreeingABar) {
  SkinForm(TkvUIStyle::WinXP);
  auto* list = Add<TkvCheckListBox>(20, 20, 150, 120);
  auto* first = Add<TkvScrollBar>(0, 0, 16, 100);
  auto* second = Add<TkvScrollBar>(0, 0, 16, 100);
  for (int i = 0; i < 40; ++i) list->Items()->Add("item " + std::to_string(i));
  form_->Show();
  list->SetVScrollBar(first);
  EXPECT_GT(first->LineButton(), 0);
  EXPECT_NE(first->Max(), 100);
  int moved = 0;
  first->SetOnChange(TNotifyEvent([&](TObject*) { ++moved; }));
  list->SetVScrollBar(first);  // the same bar: nothing happens
  first->SetPosition(3);
  EXPECT_EQ(moved, 1);

  list->SetVScrollBar(second);
  // The first bar is given back as it was made, and no longer moves the list.
  EXPECT_FALSE(first->OnChange());
  EXPECT_EQ(first->LineButton(), 0);
  EXPECT_EQ(first->Max(), 100);
  EXPECT_TRUE(first->Enabled());
  EXPECT_EQ(second->Left(), 20 + 150 - second->Width() - 2);
  second->SetLeft(300);
  list->SetVScrollBar(second);
  EXPECT_EQ(second->Left(), 300);

  delete second;
  EXPECT_EQ(list->VScrollBar(), nullptr);
  list->Items()->Add("one more");
  SendMessageA(list->Handle(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  Application->ProcessMessages();
}
