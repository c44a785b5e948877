// Self-drawn tabs: the strip (TkvTabControlTopPanel) paints every tab from
// the style's active-tab, inactive-tab and line pictures, measures each tab
// from its caption, finds the tab under a click and asks OnChanging whether
// a click may change the tab; its container (TkvTab) then raises
// OnTabActive and OnChange, never while it is being loaded.
// TkvTabControl is the plain variant: tab captions and a tab index, no pages.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Lists.h"
#include "framework/windows/ExtCtrls.h"
#include "skin/look/KVThemes.h"

namespace kx {

class TkvTab;

// (the container, the index of the tab just activated)
using TTabActiveNotify = TEvent<TObject*, int>;
// (the container, may the click change the tab)
using TTabChangingEvent = TEvent<TObject*, bool&>;

class TkvTabControlTopPanel : public TCustomPanel {
  KX_CLASS(TkvTabControlTopPanel, TCustomPanel)
 public:
  TkvTabControlTopPanel(TComponent* owner, TkvTab* tab);
  ~TkvTabControlTopPanel() override;

  TStrings* Tabs() const { return tabs_.get(); }
  void SetTabs(TStrings* tabs) { tabs_->Assign(tabs); }
  TkvUIStyle UIStyle() const { return uiStyle_; }
  // The pictures' names and the height from the table. A strip never holds
  // Custom (which names no pictures): such a write is ignored.
  void SetUIStyle(TkvUIStyle style);
  int TabIndex() const { return tabIndex_; }
  // -1..count-1; a click asks the container's OnChanging first. Activates
  // the tab on the container, also when it is the current one.
  void SetTabIndex(int index);
  int LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int pixels);
  // One slot per tab position, as many as there are tabs.
  bool TabVisible(int index) const;
  void SetTabVisible(int index, bool visible);
  // The widths the last paint measured: one per tab, 0 for a hidden one.
  const std::vector<int>& TabWidths() const { return widths_; }
  int TabHeight() const { return tabHeight_; }
  TkvTab* Tab() const { return tab_; }

  // Draws the strip into `bmp`, sized to the strip, and records the widths.
  void PaintTo(TBitmap& bmp);
  // The tab a click at (x, y) hits by the last paint's widths, or -1.
  int TabAt(int x, int y) const;

 protected:
  void Paint() override;
  void WndProc(TMessage& m) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  std::unique_ptr<TStringList> tabs_;
  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;
  std::string activePicture_, inactivePicture_, linePicture_;
  int tabIndex_ = 0;
  int leftMargin_ = 10;
  std::vector<int> widths_;
  int tabHeight_ = 0;
  bool clicking_ = false;
  TkvTab* tab_;
  std::vector<bool> visible_;
};

// A framed container with a tab strip along its top.
class TkvTab : public TCustomPanel {
  KX_CLASS(TkvTab, TCustomPanel)
 public:
  ~TkvTab() override;

  TkvUIStyle UIStyle() const { return uiStyle_; }
  // Custom is ignored. Otherwise the strip's and the body's colours, the
  // border colour and the strip's style, then the contents.
  void SetUIStyle(TkvUIStyle style);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  // The font of the tab captions (the container's own).
  TFont* TabFont() const { return font_.get(); }
  void SetTabFont(TFont* font);
  int LeftMargin() const { return strip_->LeftMargin(); }
  void SetLeftMargin(int pixels) { strip_->SetLeftMargin(pixels); }
  TkvTabControlTopPanel* Strip() const { return strip_; }

  virtual void SetTabIndex(int index);
  // Raises OnTabActive, then OnChange; nothing while loading.
  virtual void ActivateTab(int index);

  TTabActiveNotify OnTabActive;
  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  using TStripFactory = TkvTabControlTopPanel* (*)(TkvTab* tab);
  TkvTab(TComponent* owner, TStripFactory makeStrip);
  virtual void BorderColorChanged() {}
  virtual void ApplyStyleToContents(TkvUIStyle style);
  void Paint() override;
  void Resize() override;
  // The pages fill the area below the strip.
  void AlignControls(RECT& rect) override;

 private:
  void PlaceStrip();
  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;
  TColor borderColor_ = 0;
  std::unique_ptr<TFont> font_;
  TkvTabControlTopPanel* strip_ = nullptr;  // owned as a component
};

class TkvTabControl : public TkvTab {
  KX_CLASS(TkvTabControl, TkvTab)
 public:
  explicit TkvTabControl(TComponent* owner);

  TStrings* Tabs() const { return Strip()->Tabs(); }
  void SetTabs(TStrings* tabs) { Strip()->SetTabs(tabs); }
  int TabIndex() const { return Strip()->TabIndex(); }
};

}  // namespace kx
