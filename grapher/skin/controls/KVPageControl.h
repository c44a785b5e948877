// Tabs with pages: TkvPageControl holds TkvTabSheet pages, one per tab;
// choosing a tab brings its page to the front. The page order is stored in
// the form resource as "Pages" on the control and "PageControl" on each
// sheet; pages join and leave through the child-list notification.
#pragma once

#include <string>
#include <vector>

#include "skin/controls/KVTabControl.h"

namespace kx {

class TkvPageControl;

class TkvPageControlTopPanel : public TkvTabControlTopPanel {
  KX_CLASS(TkvPageControlTopPanel, TkvTabControlTopPanel)
 public:
  TkvPageControlTopPanel(TComponent* owner, TkvTab* tab) : TkvTabControlTopPanel(owner, tab) {}
};

class TkvTabSheet : public TCustomPanel {
  KX_CLASS(TkvTabSheet, TCustomPanel)
 public:
  explicit TkvTabSheet(TComponent* owner);
  ~TkvTabSheet() override;

  // The page control the sheet belongs to; nullptr once it left it.
  TkvPageControl* PageControl() const { return pageControl_; }
  int PageIndex() const { return pageIndex_; }
  // Moves the page (ignored without a page control) and makes it active.
  void SetPageIndex(int index);
  const std::string& SheetCaption() const { return caption_; }
  void SetSheetCaption(const std::string& caption);
  bool TabVisible() const;
  void SetTabVisible(bool visible);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);

  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnShow;

 protected:
  void Paint() override;

 private:
  friend class TkvPageControl;
  TkvPageControl* pageControl_ = nullptr;
  int pageIndex_ = -1;
  std::string caption_;
  TColor borderColor_ = 0;
  bool tabVisible_ = true;
};

class TkvPageControl : public TkvTab {
  KX_CLASS(TkvPageControl, TkvTab)
 public:
  explicit TkvPageControl(TComponent* owner);
  ~TkvPageControl() override;

  TkvTabSheet* ActivePage() const { return activePage_; }
  // A sheet of another page control is ignored.
  void SetActivePage(TkvTabSheet* page);
  int PageCount() const { return int(pages_.size()); }
  TkvTabSheet* Pages(int index) const { return pages_.at(size_t(index)); }

  void ActivateTab(int index) override;
  void DefineProperties(TFiler& filer) override;
  // A sheet asked to be shown (by its own Show, or by a control on it)
  // becomes the active page.
  void ShowControl(TControl* control) override;

  // The sheets' side of the bookkeeping.
  void RebuildTabs();
  // Moves the page to `index` and makes it active; out of range it stays.
  // Returns its index afterwards.
  int MovePage(TkvTabSheet& page, int index);
  void SelectPageByIndex(int index);
  // The nearest page before `index` whose tab shows, else after it.
  void SelectNearestVisible(int index);
  // Orders the pages as the streamed "Pages" names them, once every named
  // sheet has joined.
  void ApplyStreamedOrder();
  void RemovePage(TkvTabSheet& page);

 protected:
  void BorderColorChanged() override;
  void ApplyStyleToContents(TkvUIStyle style) override;
  void WndProc(TMessage& m) override;

 private:
  void InsertPage(TkvTabSheet& page);
  void Renumber();
  void ShowActivePage();

  std::vector<TkvTabSheet*> pages_;  // the form owns them
  TkvTabSheet* activePage_ = nullptr;
  std::vector<std::string> pageNames_;  // as the form resource lists them
};

}  // namespace kx
