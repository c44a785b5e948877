// Controls over real Win32 windows: TControl (bounds, align, visibility,
// font and colour inheritance, mouse and click rules, painting), graphic
// controls painted by their parent, and windowed controls with their own
// window, focus and keyboard.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/windows/ControlTypes.h"
#include "framework/windows/Graphics.h"

namespace kx {

class TWinControl;
class TPopupMenu;
class TBasicAction;

// A window message as the control's message procedure sees it.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};
using TWndMethod = std::function<void(TMessage&)>;

// Notifications between controls, delivered through the message procedure so
// that a replaced procedure (skinned controls) sees them too.
enum : UINT {
  CM_BASE = 0xB000,
  CM_ENABLEDCHANGED = CM_BASE + 1,
  CM_COLORCHANGED,
  CM_FONTCHANGED,
  CM_TEXTCHANGED,
  CM_VISIBLECHANGED,
  CM_MOUSEENTER,
  CM_MOUSELEAVE,
  CM_PARENTFONTCHANGED,
  CM_PARENTCOLORCHANGED,
  CM_SHOWHINTCHANGED,
  CM_DIALOGKEY,
  CM_RELEASE,            // posted to a window: its control is freed
  CM_CONTROLLISTCHANGE,  // to a parent: WParam the child, LParam 1 inserting, 0 removing
  CM_FOCUSCHANGED,       // to every control of a form: LParam its active control
  CM_BIDIMODECHANGED,
  CM_PARENTBIDIMODECHANGED,
  CM_CTL3DCHANGED,
  CM_PARENTCTL3DCHANGED,
  // Messages a parent reflects to the child control they concern.
  CN_BASE = 0xBC00,
  CN_COMMAND = CN_BASE + WM_COMMAND,
  CN_NOTIFY = CN_BASE + WM_NOTIFY,
  CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
  CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
  CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
  CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX,
  CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
  CN_VSCROLL = CN_BASE + WM_VSCROLL,
  CN_HSCROLL = CN_BASE + WM_HSCROLL,
};

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
KX_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient")

enum TMouseButton { mbLeft, mbRight, mbMiddle };
KX_ENUM_NAMES(TMouseButton, "mbLeft", "mbRight", "mbMiddle")

enum TControlStyleFlag {
  csAcceptsControls,
  csCaptureMouse,
  csClickEvents,
  csDoubleClicks,
  csOpaque,
  csSetCaption,
  csNoStdEvents
};
KX_ENUM_NAMES(TControlStyleFlag, "csAcceptsControls", "csCaptureMouse", "csClickEvents", "csDoubleClicks", "csOpaque",
              "csSetCaption", "csNoStdEvents")
using TControlStyle = TSet<TControlStyleFlag>;

using TCursor = int;  // crDefault 0, or a system cursor id (IDC_*)
constexpr TCursor crDefault = 0;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, WORD&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;
using TCanResizeEvent = TEvent<TObject*, int&, int&, bool&>;

// True when `caption` marks `key` as its accelerator ("&Save" for S or s).
bool IsAccel(unsigned key, const std::string& caption);

TShiftState KeyboardState();
TShiftState MouseShiftState(WPARAM keys);

// Size limits of a control (0 = none).
class TSizeConstraints : public TPersistent {
  KX_CLASS(TSizeConstraints, TPersistent)
 public:
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int v) {
    minWidth_ = v;
    Changed();
  }
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int v) {
    minHeight_ = v;
    Changed();
  }
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int v) {
    maxWidth_ = v;
    Changed();
  }
  int MaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int v) {
    maxHeight_ = v;
    Changed();
  }
  void Assign(TPersistent* source) override;
  // Clamps a size to the limits.
  void Apply(int& width, int& height) const;

  TNotifyEvent OnChange;

 private:
  void Changed() { OnChange(this); }
  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

// ---------------------------------------------------------------------------
// TControl

class TControl : public TComponent {
  KX_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }
  virtual void SetClientWidth(int v) { SetWidth(v); }
  virtual void SetClientHeight(int v) { SetHeight(v); }
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;
  TSizeConstraints* Constraints() const { return constraints_.get(); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  // Edges of the parent the control keeps its distance to when the parent
  // is resized (ControlsAlign.cpp).
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);

  // Reading order, and the 3D look; both follow the parent while their
  // Parent flag is set, and writing one clears the flag (ControlsModes.cpp).
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool on);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool on);

  // Drag settings, kept for form resources only.
  int DragCursor() const { return dragCursor_; }
  void SetDragCursor(int cursor) { dragCursor_ = cursor; }
  TDragKind DragKind() const { return dragKind_; }
  void SetDragKind(TDragKind kind) { dragKind_ = kind; }
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode mode) { dragMode_ = mode; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  // Asks the containers up the chain to show it (a page control turns to
  // the page it lies on), then makes it visible.
  void Show();
  void Hide() { SetVisible(false); }
  // Visible here and in every parent, up to a shown top-level window.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  // The caption or text.
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& text) { SetText(text); }
  virtual std::string Text() const { return text_; }
  virtual void SetText(const std::string& text);

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* font) { font_->Assign(font); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool on);
  TColor Color() const { return color_; }
  virtual void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool on);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool on);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle style) { controlStyle_ = style; }

  // The message procedure; replaceable (skinned controls chain to the old one).
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);

  virtual void Invalidate();
  // Updates what is invalid now.
  virtual void Update();
  // Invalidate and paint at once.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // The action the control follows (ActnList.h), or nullptr.
  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* action);
  // The action changed (or was linked): the control takes its caption,
  // enabled state, hint and visibility; with checkDefaults only those the
  // control still has at their defaults.
  virtual void ActionChange(TBasicAction* action, bool checkDefaults);

  // Raised on a completed left click (or keyboard activation of a button):
  // OnClick, or the action's when there is no OnClick.
  virtual void Click();
  virtual void DblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TContextPopupEvent OnContextPopup;
  TConstrainedResizeEvent OnConstrainedResize;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  // Raised by no machinery of the framework; kept for form resources.
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnEndDrag;
  TStartDragEvent OnStartDrag;
  TDragDropEvent OnEndDock;
  TStartDragEvent OnStartDock;

  void Loaded() override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  virtual void WndProc(TMessage& m);
  // Unhandled messages end here.
  virtual void DefaultHandler(TMessage& m);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Resize();
  // Asked before a change of size; may change the new size or refuse it.
  virtual bool CanResize(int& width, int& height);
  // Clamps a new size to the constraints, which OnConstrainedResize may change.
  void ConstrainedResize(int& width, int& height);
  // Raises OnContextPopup; true when a handler took the request.
  virtual bool DoContextPopup(POINT mousePos);
  // Raises OnMouseWheel, then OnMouseWheelDown or OnMouseWheelUp while
  // unhandled; true when a handler took the wheel.
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos);
  // Takes the parent's reading order or 3D look (CM_PARENT...CHANGED).
  void InheritMode(UINT msg);
  // The reading order or 3D look changed (CM_BIDIMODECHANGED, CM_CTL3DCHANGED).
  virtual void ModeChanged(UINT msg);
  // Remembers the bounds and the parent's client size the anchors keep to.
  void UpdateAnchorRules();
  // Places the control by its anchors in a parent of that client size.
  void ApplyAnchors(SIZE parentClient);
  virtual void FontChanged();
  virtual void ColorChanged();
  // The pixel area the control covers on its parent changed or must repaint.
  void InvalidateControl(bool wasVisible);
  // Bounds changed by the window itself (windowed controls): store and realign.
  void UpdateBoundsRect(const RECT& r);
  void RequestAlign();
  bool MouseCapture() const;
  void SetMouseCapture(bool on);

  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  bool clicked_ = false;  // left button went down here and has not come up

  // Marks, while a handler runs, whether the control was freed meanwhile: an
  // OnClick may free the control whose click it handles, and so may the
  // events a control raises of its own.
  struct TFreedWatch {
    explicit TFreedWatch(TControl& c);
    ~TFreedWatch() {
      if (!freed) control.freedWatch_ = outer;
    }
    TFreedWatch(const TFreedWatch&) = delete;
    TFreedWatch& operator=(const TFreedWatch&) = delete;
    TControl& control;
    TFreedWatch* outer;
    bool freed = false;
  };

 private:
  friend class TWinControl;
  void HandleMouseMessage(TMessage& m);

  TFreedWatch* freedWatch_ = nullptr;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = kDefaultAnchors;
  RECT anchorBounds_{};
  SIZE anchorParent_{};
  bool anchorRulesSet_ = false;
  bool anchoring_ = false;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  int dragCursor_ = crDrag;
  TDragKind dragKind_ = dkDrag;
  TDragMode dragMode_ = dmManual;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool settingParentFont_ = false;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  TPopupMenu* popupMenu_ = nullptr;
  TBasicAction* action_ = nullptr;
  std::unique_ptr<TSizeConstraints> constraints_;
};

// A control without a window of its own, painted by its parent into the
// parent's device context.
class TGraphicControl : public TControl {
  KX_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  void WndProc(TMessage& m) override;
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> canvas_;
};

// ---------------------------------------------------------------------------
// TWinControl

// Parameters of the window a windowed control creates.
struct TCreateParams {
  std::string WinClassName;  // the framework class, or a native one to subclass
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
  KX_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();
  bool HandleAllocated() const { return wnd_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys and makes the window again (after a change of creation parameters).
  void RecreateWnd();
  // The control that owns a window of this framework, or nullptr.
  static TWinControl* FindControl(HWND wnd);
  // A child asks to be shown: the request goes on up the parents, and a
  // container that shows one child at a time turns to it.
  virtual void ShowControl(TControl* control);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The enabled, visible child under a client point (graphic controls first
  // when `graphicOnly`).
  TControl* ControlAtPos(POINT p, bool allowDisabled = false, bool graphicOnly = false) const;

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  void SetClientWidth(int v) override;
  void SetClientHeight(int v) override;
  void SetEnabled(bool enabled) override;
  void SetVisible(bool visible) override;
  void SetText(const std::string& text) override;
  std::string Text() const override;

  TBrush* Brush() const { return brush_.get(); }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool on);
  int TabOrder() const;
  void SetTabOrder(int order);
  // Windowed children in tab order.
  std::vector<TWinControl*> TabList() const;

  bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  // Lays out the aligned children again.
  void Realign();
  // Sends a message to every control inside, at any depth.
  void Broadcast(UINT msg, WPARAM wp, LPARAM lp);
  // The writer stores the child controls the root owns inside their parent.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  // Dock and input-method settings, kept for form resources only.
  bool DockSite() const { return dockSite_; }
  void SetDockSite(bool on) { dockSite_ = on; }
  bool UseDockManager() const { return useDockManager_; }
  void SetUseDockManager(bool on) { useDockManager_ = on; }
  TImeMode ImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode mode) { imeMode_ = mode; }
  const std::string& ImeName() const { return imeName_; }
  void SetImeName(const std::string& name) { imeName_ = name; }

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TDragDropEvent OnDockDrop;
  TDragOverEvent OnDockOver;
  TGetSiteInfoEvent OnGetSiteInfo;
  TUnDockEvent OnUnDock;

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // After the window exists: the place for native set-up (items, limits).
  virtual void CreateWindowHandle(const TCreateParams& params);
  void WndProc(TMessage& m) override;
  void DefaultHandler(TMessage& m) override;
  // Paints the window's own face (not its children) into a device context.
  virtual void PaintWindow(HDC dc);
  // Paints the graphic children into the device context.
  void PaintControls(HDC dc);
  virtual void AlignControls(RECT& rect);
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void DoEnter();
  virtual void DoExit();
  void ColorChanged() override;
  void FontChanged() override;
  // Sends the notification to every child.
  void NotifyControls(UINT msg);
  // Window style bits follow the control's state.
  void UpdateWindowStyle();
  void ModeChanged(UINT msg) override;
  // Extended window styles of the reading order.
  DWORD ModeExStyle() const;
  // Moves the anchored children after a change of the client size.
  void AnchorControls();

  WNDPROC defWndProc_ = nullptr;
  bool nativeClass_ = false;  // a system control class paints itself

 private:
  friend class TControl;
  static LRESULT CALLBACK MainWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  // The control whose child window has this id (WM_MEASUREITEM names it so).
  static TWinControl* FindControlById(UINT id);
  void WMPaint(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void ReflectToChild(TMessage& m, HWND child);
  void CreateChildHandles();
  void StackAmongSiblings();
  void UpdateShowing();

  HWND wnd_ = nullptr;
  UINT ctlId_ = 0;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  std::unique_ptr<TBrush> brush_;
  bool tabStop_ = false;
  bool aligning_ = false;
  bool dockSite_ = false;
  bool useDockManager_ = false;
  TImeMode imeMode_ = imDontCare;
  std::string imeName_;
  HFONT windowFont_ = nullptr;
};

// A windowed control that paints itself on its canvas in Paint.
class TCustomControl : public TWinControl {
  KX_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  void PaintWindow(HDC dc) override;
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> canvas_;
};

// The canvas of a control: draws on the control's client area when no
// device context is bound (a paint handler binds the one it paints into).
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl& control) : control_(control) {}
  ~TControlCanvas() override;
  // Releases a context taken from the window.
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TControl& control_;
  HDC ownDc_ = nullptr;
  HWND ownWnd_ = nullptr;
};

// Window class of the framework's own windows.
const char* FrameworkWindowClass();

// What the application object plugs into every control.
struct TControlHooks {
  std::function<void(std::exception_ptr)> HandleException;
  std::function<void(TControl*)> MouseControlChanged;  // nullptr: the mouse left them all
  std::function<void(TWinControl*)> FocusReceived;
  TCursor ScreenCursor = crDefault;  // overrides every control's cursor
};
TControlHooks& ControlHooks();
// Gives back the window contexts that control canvases took outside painting.
void FreeControlCanvasContexts();
// Runs `fn`, handing any exception to the application's handler: nothing
// may unwind through a Windows frame.
void GuardWindowsCallback(const std::function<void()>& fn);

}  // namespace kx
