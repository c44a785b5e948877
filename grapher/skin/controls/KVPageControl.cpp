#include "skin/controls/KVPageControl.h"

#include <algorithm>

#include "framework/core/Filer.h"
#include "skin/controls/KVThemesControls.h"

namespace kx {

KX_PUBLISH(TkvPageControlTopPanel) {}

KX_PUBLISH(TkvTabSheet) {
  p.Property("PageIndex", &TkvTabSheet::PageIndex, &TkvTabSheet::SetPageIndex);
  p.Property("Caption", &TkvTabSheet::SheetCaption, &TkvTabSheet::SetSheetCaption);
  p.Property("TabVisible", &TkvTabSheet::TabVisible, &TkvTabSheet::SetTabVisible).Default(true);
  p.Field("OnShow", &TkvTabSheet::OnShow);
}

KX_PUBLISH(TkvPageControl) {
  p.Property("ActivePage", &TkvPageControl::ActivePage, &TkvPageControl::SetActivePage);
  p.Property("PageCount", &TkvPageControl::PageCount, nullptr).NotStored();
}

namespace {
struct PageControlModule {
  PageControlModule() { RegisterClasses({&TkvPageControl::StaticClass(), &TkvTabSheet::StaticClass()}); }
} pageControlModule;

// A list of component names, as identifiers or strings.
std::vector<std::string> ReadNameList(TReader& reader) {
  std::vector<std::string> names;
  reader.ReadListBegin();
  while (!reader.EndOfList()) names.push_back(reader.NextValue() == vaIdent ? reader.ReadIdent() : reader.ReadString());
  reader.ReadListEnd();
  return names;
}
}  // namespace

// ---------------------------------------------------------------------------
// TkvTabSheet

TkvTabSheet::TkvTabSheet(TComponent* owner) : TCustomPanel(owner) {
  SetCaption(" ");
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  SetBorderWidth(0);
  SetAlign(alClient);
}

TkvTabSheet::~TkvTabSheet() {
  // Leave the page control before this object is gone: the child-list
  // notification no longer knows a sheet once the destructor has run, and
  // none comes while the form is being destroyed.
  if (pageControl_) pageControl_->RemovePage(*this);
  if (Parent()) SetParent(nullptr);
}

void TkvTabSheet::SetPageIndex(int index) {
  if (!pageControl_) return;
  pageIndex_ = pageControl_->MovePage(*this, index);
}

void TkvTabSheet::SetSheetCaption(const std::string& caption) {
  caption_ = caption;
  if (pageControl_) pageControl_->RebuildTabs();
}

bool TkvTabSheet::TabVisible() const {
  return pageControl_ ? pageControl_->Strip()->TabVisible(pageIndex_) : tabVisible_;
}

void TkvTabSheet::SetTabVisible(bool visible) {
  tabVisible_ = visible;
  if (!pageControl_) return;
  pageControl_->Strip()->SetTabVisible(pageIndex_, visible);
  if (visible)
    pageControl_->SelectPageByIndex(pageIndex_);
  else
    pageControl_->SelectNearestVisible(pageIndex_);
}

void TkvTabSheet::SetBorderColor(TColor color) {
  borderColor_ = color;
  Invalidate();
}

void TkvTabSheet::DefineProperties(TFiler& filer) {
  TCustomPanel::DefineProperties(filer);
  filer.DefineProperty(
      "PageControl",
      [this](TReader& reader) {
        const std::string name = reader.ReadIdent();
        TComponent* root = reader.Root() ? reader.Root() : Owner();
        auto* control = dynamic_cast<TkvPageControl*>(root ? root->FindComponent(name) : nullptr);
        if (!control) reader.ReadError("PageControl: " + name + " is not a page control of this form");
        if (Parent() != control) SetParent(control);
        control->ApplyStreamedOrder();
      },
      [this](TWriter& writer) { writer.WriteIdent(pageControl_->Name()); }, pageControl_ != nullptr);
}

void TkvTabSheet::Paint() {
  TCustomPanel::Paint();
  TCanvas& canvas = *Canvas();
  const int w = Width(), h = Height();
  canvas.Pen()->SetColor(borderColor_);
  canvas.MoveTo(0, 0);
  canvas.LineTo(0, h - 1);
  canvas.LineTo(w - 1, h - 1);
  canvas.LineTo(w - 1, -1);
}

// ---------------------------------------------------------------------------
// TkvPageControl

TkvPageControl::TkvPageControl(TComponent* owner)
    : TkvTab(owner, [](TkvTab* tab) -> TkvTabControlTopPanel* { return new TkvPageControlTopPanel(tab, tab); }) {
  Strip()->Tabs()->Clear();
}

TkvPageControl::~TkvPageControl() {
  for (TkvTabSheet* page : pages_) {
    page->pageControl_ = nullptr;
    page->pageIndex_ = -1;
  }
  pages_.clear();
  activePage_ = nullptr;
}

void TkvPageControl::ShowActivePage() {
  TkvTabSheet* page = activePage_;
  page->SetVisible(true);
  page->BringToFront();
  page->Repaint();
  page->OnShow(page);
}

void TkvPageControl::SetActivePage(TkvTabSheet* page) {
  if (page && page->pageControl_ != this) return;
  activePage_ = page;
  if (!page) return;
  TkvTab::SetTabIndex(page->pageIndex_);
  Strip()->SetTabIndex(page->pageIndex_);
  if (activePage_ != page) return;  // a handler chose another page meanwhile
  ShowActivePage();
}

void TkvPageControl::ShowControl(TControl* control) {
  TkvTab::ShowControl(control);
  if (auto* page = dynamic_cast<TkvTabSheet*>(control)) SetActivePage(page);
}

void TkvPageControl::ActivateTab(int index) {
  if (index >= 0 && index < PageCount()) {
    activePage_ = pages_[size_t(index)];
    ShowActivePage();
  }
  TkvTab::ActivateTab(index);
}

void TkvPageControl::SelectPageByIndex(int index) {
  if (index < 0 || index > Strip()->Tabs()->Count() - 1 || index >= PageCount()) {
    activePage_ = nullptr;
    return;
  }
  TkvTab::SetTabIndex(index);
  Strip()->SetTabIndex(index);
  activePage_ = pages_[size_t(index)];
  ShowActivePage();
}

void TkvPageControl::SelectNearestVisible(int index) {
  for (int i = index - 1; i >= 0; --i)
    if (pages_[size_t(i)]->TabVisible()) return SelectPageByIndex(i);
  for (int i = index + 1; i < PageCount(); ++i)
    if (pages_[size_t(i)]->TabVisible()) return SelectPageByIndex(i);
}

void TkvPageControl::Renumber() {
  for (size_t i = 0; i < pages_.size(); ++i) pages_[i]->pageIndex_ = int(i);
}

void TkvPageControl::RebuildTabs() {
  TStrings& tabs = *Strip()->Tabs();
  TUpdateScope<TStrings> update(tabs);
  tabs.Clear();
  for (TkvTabSheet* page : pages_) tabs.Add(page->caption_);
}

void TkvPageControl::InsertPage(TkvTabSheet& page) {
  page.pageControl_ = this;
  page.SetColor(Color());
  page.SetBorderColor(BorderColor());
  pages_.push_back(&page);
  Renumber();
  RebuildTabs();
  SetActivePage(&page);
}

void TkvPageControl::RemovePage(TkvTabSheet& page) {
  const auto it = std::find(pages_.begin(), pages_.end(), &page);
  if (it == pages_.end()) return;
  const int index = int(it - pages_.begin());
  pages_.erase(it);
  // The sheet no longer points here: this control may be freed before it.
  page.pageControl_ = nullptr;
  page.pageIndex_ = -1;
  if (activePage_ == &page) activePage_ = nullptr;
  Renumber();
  RebuildTabs();
  if (!IsDestroying()) SelectPageByIndex(index - 1);
}

int TkvPageControl::MovePage(TkvTabSheet& page, int index) {
  if (index < 0 || index > PageCount() - 1) return page.pageIndex_;
  const auto it = std::find(pages_.begin(), pages_.end(), &page);
  if (it == pages_.end()) return page.pageIndex_;
  pages_.erase(it);
  pages_.insert(pages_.begin() + index, &page);
  Renumber();
  RebuildTabs();
  SetActivePage(&page);
  return page.pageIndex_;
}

void TkvPageControl::ApplyStreamedOrder() {
  if (pageNames_.size() != pages_.size()) return;
  for (TkvTabSheet* page : pages_) {
    const auto it = std::find_if(pageNames_.begin(), pageNames_.end(),
                                 [&](const std::string& name) { return SameText(name, page->Name()); });
    page->pageIndex_ = it == pageNames_.end() ? -1 : int(it - pageNames_.begin());
  }
  std::stable_sort(pages_.begin(), pages_.end(),
                   [](const TkvTabSheet* a, const TkvTabSheet* b) { return a->pageIndex_ < b->pageIndex_; });
  Renumber();
  RebuildTabs();
  for (TkvTabSheet* page : pages_) Strip()->SetTabVisible(page->pageIndex_, page->tabVisible_);
}

void TkvPageControl::BorderColorChanged() {
  for (TkvTabSheet* page : pages_) page->SetBorderColor(BorderColor());
  if (activePage_) activePage_->Repaint();
}

void TkvPageControl::ApplyStyleToContents(TkvUIStyle style) {
  for (TkvTabSheet* page : pages_) {
    page->SetColor(Color());
    page->SetBorderColor(BorderColor());
    ApplyStyleToControls(*page, style);
  }
}

void TkvPageControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_CONTROLLISTCHANGE:
      if (auto* page = dynamic_cast<TkvTabSheet*>(reinterpret_cast<TControl*>(m.WParam))) {
        if (m.LParam)
          InsertPage(*page);
        else
          RemovePage(*page);
      }
      return;
    case CM_COLORCHANGED:
      for (TkvTabSheet* page : pages_) page->SetColor(Color());
      Invalidate();
      return;
    default:
      TkvTab::WndProc(m);
  }
}

void TkvPageControl::DefineProperties(TFiler& filer) {
  TkvTab::DefineProperties(filer);
  filer.DefineProperty(
      "Pages", [this](TReader& reader) { pageNames_ = ReadNameList(reader); },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (TkvTabSheet* page : pages_) writer.WriteIdent(page->Name());
        writer.WriteListEnd();
      },
      !pages_.empty());
}

}  // namespace kx
