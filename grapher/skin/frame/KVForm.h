// The skinned frame of a window. Placed on a form of the framework (the
// host), it takes the host's caption and border away, lies over the host's
// client area inset by a coloured border, carries the bitmap title bar at
// its top, answers the sizing hit test of the borderless window, keeps a
// maximised window inside the desktop work area and shows the caption the
// program writes.
//
// It listens to the host through the host's replaceable message procedure
// (WindowProc), so it keeps listening when the host's window is made again,
// and stops in its destructor.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "framework/windows/ToolBars.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/frame/KVTitleBar.h"
#include "skin/look/KVThemes.h"

namespace kx {

class TkvForm;

// The side of a main menu that a skinned frame shows: the frame tells the
// menu when it takes it as its Menu and when it lets it go, so the menu can
// reach back to the frame it shows in.
class TkvMenuBarLink {
 public:
  virtual void SetMenuBarForm(TkvForm* form) = 0;

 protected:
  ~TkvMenuBarLink() = default;
};

class TkvForm : public TCustomPanel, public TkvSkinnedForm, public TkvTitleBarFrame {
  KX_CLASS(TkvForm, TCustomPanel)
 public:
  // On a framework form the frame takes the form over; on any other owner it
  // stays an ordinary panel. A second frame on one form raises
  // EComponentError before anything of the form has changed.
  explicit TkvForm(TComponent* owner);
  ~TkvForm() override;

  // The first skinned frame among the direct child controls of `host`, or
  // nullptr. A main menu made on a form hands itself over through it:
  // TkvForm::FindOn(owner)->SetMenu(menu).
  static TkvForm* FindOn(const TComponent* host);

  // The form taken over; nullptr when the owner was no form.
  TCustomForm* Host() const { return host_; }
  TkvTitleBar* TitleBar() const { return titleBar_; }

  TkvUIStyle UIStyle() const { return uiStyle_; }
  // Border, colours and the title bar from the style table; Custom keeps
  // what the frame holds.
  void SetUIStyle(TkvUIStyle style);
  // When set, a style write restyles the controls on the frame too.
  bool UIStyleAutoUpdateSub() const { return uiStyleAutoUpdateSub_; }
  void SetUIStyleAutoUpdateSub(bool on) { uiStyleAutoUpdateSub_ = on; }
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  // The border drawn on the host around the frame (not the panel's own,
  // inner border, which the frame keeps at 0).
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int pixels);
  bool TitleBarVisible() const;
  // Without the title bar the frame starts BorderWidth below the host's top.
  void SetTitleBarVisible(bool on);

  // The title bar's caption; a write is also the host's window text.
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  TkvTitleBarButtons* TitleBarButtons() const;
  void SetTitleBarButtons(TkvTitleBarButtons* buttons);
  TkvTitleBarSections* TitleBarSections() const;
  void SetTitleBarSections(TkvTitleBarSections* sections);
  // The title bar's click events of its custom and help buttons.
  TkvTitleBarButtonClickEvent OnTitleBarCustomBtnsClick() const;
  void SetOnTitleBarCustomBtnsClick(TkvTitleBarButtonClickEvent handler);
  TkvTitleBarButtonClickEvent OnTitleBarHelpBtnClick() const;
  void SetOnTitleBarHelpBtnClick(TkvTitleBarButtonClickEvent handler);

  // A panel that fills the frame's client area: it is aligned to the client,
  // a plain TPanel loses its bevels, border and caption, a picture panel its
  // caption. The frame itself is refused with an error message.
  TCustomPanel* FormPanel() const { return formPanel_; }
  void SetFormPanel(TCustomPanel* panel);
  bool TitleBarDrawAppIcon() const;
  void SetTitleBarDrawAppIcon(bool on);
  // The title bar's font (published as Font).
  TFont* TitleBarFont() const;
  void SetTitleBarFont(TFont* font);
  int RoundCorner() const;
  void SetRoundCorner(int radius);

  // The menu the frame shows in its menu bar; a menu that is a
  // TkvMenuBarLink learns of the link. Setting one makes the bar (when
  // missing) and its buttons anew; none, or the menu's freeing, frees it.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  TColor MenuBarColor() const { return menuBarColor_; }
  void SetMenuBarColor(TColor color);
  // The height of the bar and of each of its buttons.
  int MenuBarHeight() const { return menuBarHeight_; }
  void SetMenuBarHeight(int pixels);

  // The menu bar: a flat tool bar under the title bar, one grouped button
  // per top-level item of Menu, bound to the item (its caption; a click
  // drops its sub-items) and as wide as its caption. nullptr without Menu.
  TToolBar* MenuBar() const { return menuBar_; }
  void CreateMenuBar();
  // Frees the bar and lets Menu go.
  void DestroyMenuBar();
  // One button per top-level item, in menu order (frees the bar when there
  // is no Menu).
  void RebuildMenuBar();
  // Each button takes its item's caption and enabled state.
  void RefreshMenuBarButtons();
  // The bar's font: a skinned menu's item font, or the system's menu font
  // when the menu uses that.
  void ApplyMenuFontToBar();
  // The bar's drawing handlers on any canvas: the MacOS bar picture behind
  // the buttons; a hot or selected button in the style's colours (or the
  // MacOS selection picture). A button in neither state keeps defaultDraw.
  void DrawMenuBarBackground(TCanvas& canvas, const RECT& rect);
  void DrawMenuBarButton(TCanvas& canvas, TToolButton& button, TCustomDrawState state, bool& defaultDraw);
  // A key of the host (WM_KEYDOWN or WM_SYSKEYDOWN with its lParam) as a
  // shortcut of Menu: an enabled item with that shortcut runs; Alt and the
  // accelerator of a top-level item drops that item. True when taken.
  bool HandleMenuShortcut(WPARAM key, LPARAM keyData);

  // Width and Height read the frame's own size, the skinned client size.
  // Writing sizes the host: Width + 2 x BorderWidth wide, Height +
  // BorderWidth + BorderWidth div 2 high; then the frame is laid out again.
  void SetWidth(int width);
  void SetHeight(int height);

  // The host's border style before the frame took it over.
  TFormBorderStyle OriginalBorderStyle() const override { return originalBorderStyle_; }
  // The host's bounds (left, top, right, bottom) when the frame was made.
  RECT CreateBounds() const { return createBounds_; }
  bool MaximizedAtCreate() const { return maximizedAtCreate_; }
  // Size messages this host had while maximised since it was made so (at
  // most 2 are counted), and whether it had one; each host counts its own.
  int MaximizeCount() const { return maximizeCount_; }
  bool MaximizeSeen() const { return maximizeSeen_; }
  // A maximised MDI child hides its title bar and its contents move up by
  // the bar's height, until it is restored.
  bool ContentsScrolledUp() const { return contentsScrolledUp_; }
  // This frame put the application's message hook in place.
  bool HookInstalled() const { return hookInstalled_; }

  // The frame's bounds in the host: below the host's top edge (under the
  // title bar) or BorderWidth lower without it, inset by the border.
  void ArrangeInForm();
  // An MDI host shows its MDI client over the panel (or the frame).
  void ShowMDIClientInPanel();
  // The border strips on the host's client area, in BorderColor.
  void PaintFormBorder();
  // The frame's face into `bmp`, sized to the frame: the style's pattern
  // (MacOS, Protein) or Color.
  void PaintTo(TBitmap& bmp);

  // TkvSkinnedForm
  TkvUIStyle SkinStyle() const override { return uiStyle_; }
  TColor SkinColor() const override { return Color(); }

 protected:
  void CreateWnd() override;
  void Loaded() override;
  void Paint() override;
  void WndProc(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  struct HostLink;
  friend struct TkvFormHostProcedure;

  bool IsMDIHost() const;
  bool IsMDIChild() const;
  // An MDI window keeps its border style; only its caption goes.
  void DropHostCaption();
  // Moves the frame's own controls (not the title bar or aligned ones) by dy.
  void ScrollContents(int dy);
  // Host messages, after the host's previous procedure answered them.
  void FormWindowProc(TMessage& m);
  void HostSized();
  void HostHitTest(TMessage& m);
  void HookHost();
  void UnhookHost();
  void InstallKeyHook();
  void RemoveKeyHook();
  // The menu's style when it is a skinned menu (TkvMenuLook), else the frame's.
  TkvUIStyle MenuBarStyle() const;
  // The item font of a skinned menu (or the system's menu font) on `font`.
  void TakeMenuFont(TFont& font) const;

  TCustomForm* host_ = nullptr;
  TkvTitleBar* titleBar_ = nullptr;
  TMainMenu* menu_ = nullptr;
  TCustomPanel* formPanel_ = nullptr;
  TToolBar* menuBar_ = nullptr;
  std::shared_ptr<HostLink> link_;  // shared with the host's procedure and the key hook
  std::string keyHookName_;         // tells our key hook from any other
  TFormBorderStyle originalBorderStyle_ = bsSizeable;
  RECT createBounds_{};
  bool maximizedAtCreate_ = false;
  int maximizeCount_ = 0;
  bool maximizeSeen_ = false;
  bool contentsScrolledUp_ = false;  // a maximised MDI child's contents moved up under its hidden title bar
  bool placing_ = false;             // the size handler moves the host itself
  bool hookInstalled_ = false;
  TkvUIStyle uiStyle_ = TkvUIStyle::DeepBlue;
  bool uiStyleAutoUpdateSub_ = false;
  TColor borderColor_ = clBlack;
  int borderWidth_ = 0;
  TColor menuBarColor_ = clBtnFace;
  int menuBarHeight_ = 22;
};

}  // namespace kx
