// The published members that behave, from real window messages: anchors on
// a resize, reading order and 3D look inherited from the parent, the wheel,
// context-popup and constrained-resize events, and the grid's edit texts
// and top row.
#include "ControlsMembersForm.h"

using namespace kx;
using namespace membertest;

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

// A graphic control (a link label) has no window: the request that reaches
// its parent's window is its own, at its own coordinates.
TEST_F(PublishedMembers, AGraphicControlUnderTheMouseGetsTheContextPopup) {
  ShowAndSettle();
  auto* link = Find<TkvURLLabel>("Link1");
  const POINT screen = form_->ClientToScreen(POINT{link->Left() + 3, link->Top() + 4});
  SendMessageA(form_->Handle(), WM_CONTEXTMENU, WPARAM(form_->Handle()), MAKELPARAM(screen.x, screen.y));
  ASSERT_EQ(form_->popupSenders.size(), 1u);
  EXPECT_EQ(form_->popupSenders[0], link);
  EXPECT_EQ(form_->popupRequests[0].x, 3);
  EXPECT_EQ(form_->popupRequests[0].y, 4);
  // Elsewhere on the form nobody asks.
  const POINT free = form_->ClientToScreen(POINT{form_->ClientWidth() - 5, form_->ClientHeight() - 5});
  SendMessageA(form_->Handle(), WM_CONTEXTMENU, WPARAM(form_->Handle()), MAKELPARAM(free.x, free.y));
  EXPECT_EQ(form_->popupSenders.size(), 1u);
}

// Anchors hold at every depth of a skinned frame: the host grows, the
// frame's panel follows by its alignment, the page control by its anchors,
// its sheets by theirs, and the edit anchored left and right on a sheet.
TEST_F(PublishedMembers, AnchorsHoldInsideASkinnedFrame) {
  std::unique_ptr<TFramedForm> framed(TCustomForm::Create<TFramedForm>(nullptr));
  ReadComponentText(*framed, kFramedForm, "framed form");
  framed->Show();
  Application->ProcessMessages();
  auto* pages = As<TkvPageControl>(framed->FindComponent("Pages1"));
  auto* field = As<TkvEdit>(framed->FindComponent("Field1"));
  auto* ok = As<TkvButton>(framed->FindComponent("Ok2"));
  const int pagesWidth = pages->Width(), pagesHeight = pages->Height(), fieldWidth = field->Width();
  const RECT okBounds = ok->BoundsRect();
  SetWindowPos(framed->Handle(), nullptr, 0, 0, framed->Width() + 50, framed->Height() + 30,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  EXPECT_EQ(pages->Width(), pagesWidth + 50);
  EXPECT_EQ(pages->Height(), pagesHeight + 30);
  EXPECT_EQ(field->Width(), fieldWidth + 50);
  EXPECT_EQ(ok->BoundsRect().left, okBounds.left);
  EXPECT_EQ(ok->BoundsRect().top, okBounds.top);
  for (const char* sheet : {"Sheet1", "Sheet2"})
    EXPECT_EQ(As<TControl>(framed->FindComponent(sheet))->Width(), pages->Width()) << sheet;
  // What the resize painted is what a full repaint paints: no title-bar
  // button or sheet frame is left where it was.
  const testsupport::Picture resized = testsupport::CaptureWindow(framed->Handle());
  RedrawWindow(framed->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application->ProcessMessages();
  const testsupport::Picture repainted = testsupport::CaptureWindow(framed->Handle());
  ASSERT_EQ(resized.pixels.size(), repainted.pixels.size());
  int stale = 0;
  for (size_t i = 0; i < resized.pixels.size(); ++i) stale += resized.pixels[i] != repainted.pixels[i];
  EXPECT_EQ(stale, 0);
  testsupport::SavePng(resized, "skin_published_framed_resized.png");
  testsupport::SavePng(testsupport::CaptureWindow(framed->Handle()), "skin_published_framed_anchors.png");
}
