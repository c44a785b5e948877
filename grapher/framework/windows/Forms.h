// Forms (top-level windows with modal loop and modal results), the
// application object with its own window, message loop, message hook,
// exception handler and hints, and the screen.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Lists.h"
#include "framework/core/ModalResult.h"
#include "framework/windows/Controls.h"

namespace kx {

static_assert(mrOk == IDOK && mrCancel == IDCANCEL && mrAbort == IDABORT && mrRetry == IDRETRY &&
              mrIgnore == IDIGNORE && mrYes == IDYES && mrNo == IDNO);

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
KX_ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin")
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
KX_ENUM_NAMES(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
KX_ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
              "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
KX_ENUM_NAMES(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
KX_ENUM_NAMES(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")
enum TCloseAction { caNone, caHide, caFree, caMinimize };
KX_ENUM_NAMES(TCloseAction, "caNone", "caHide", "caFree", "caMinimize")

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

class TCustomForm : public TWinControl {
  KX_CLASS(TCustomForm, TWinControl)
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Makes a form of class T and runs its creation (OnCreate).
  template <class T>
  static T* Create(TComponent* owner) {
    T* form = new T(owner);
    form->AfterConstruction();
    return form;
  }
  // Runs OnCreate; called once right after construction.
  virtual void AfterConstruction();
  // Raises OnDestroy once, while the whole form still exists: its owner calls
  // it before freeing the form, as does Release; a form deleted directly
  // raises it from its destructor, after the derived parts are gone.
  void BeforeDestruction() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TFormStyle FormStyle() const { return formStyle_; }
  // Takes effect when the window is made: an MDI frame (fsMDIForm) holds
  // the system's MDI client window in the area its aligned controls leave;
  // an MDI child (fsMDIChild) lives in the client of the application's main
  // form, which must be an MDI frame with its window.
  void SetFormStyle(TFormStyle style);
  // The MDI client window of a frame; nullptr for any other form.
  HWND ClientHandle() const { return clientWnd_; }
  // A frame's control (a panel filling it) whose free client area, what its
  // aligned children leave, the MDI client covers, above that control; the
  // form's own free area when none.
  TWinControl* MDIClientArea() const { return mdiClientArea_; }
  void SetMDIClientArea(TWinControl* area);
  // The frame's active child, or nullptr.
  TCustomForm* ActiveMDIChild() const;
  // The frame's children, in the client's order (the active one first).
  std::vector<TCustomForm*> MDIChildren() const;
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool on) { scaled_ = on; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool on) { autoScroll_ = on; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on) { keyPreview_ = on; }

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  bool Modal() const { return modal_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  TCanvas* Canvas() const { return canvas_.get(); }

  void SetVisible(bool visible) override;
  void Loaded() override;
  void Show();
  // Shows the form modally and runs messages until ModalResult is set;
  // returns it.
  TModalResult ShowModal();
  // Asks OnCloseQuery, then OnClose; a modal form gets mrCancel instead.
  void Close();
  bool CloseQuery();
  // Frees the form once the messages now queued are handled.
  void Release();
  // Centres the form on the screen's work area or on another form.
  void CenterOn(const RECT& area);
  // Focuses the next (or previous) control in tab order.
  void SelectNext(TWinControl* current, bool forward);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void AlignControls(RECT& rect) override;
  void Notification(TComponent* component, TOperation operation) override;
  void DefaultHandler(TMessage& m) override;
  void WndProc(TMessage& m) override;
  void PaintWindow(HDC dc) override;
  virtual void Paint() { OnPaint(this); }
  virtual void DoClose(TCloseAction& action);

 private:
  void ApplyPosition();
  void ApplyFrameStyle();
  void MDIChildParams(TCreateParams& params);
  void CreateMDIClient();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  HWND clientWnd_ = nullptr;  // the frame's MDI client; destroyed with the frame's window
  TWinControl* mdiClientArea_ = nullptr;
  TWindowState windowState_ = wsNormal;
  bool scaled_ = true;
  bool autoScroll_ = false;
  bool keyPreview_ = false;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool created_ = false;
  bool destroyRaised_ = false;
  TWinControl* activeControl_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
};

class TForm : public TCustomForm {
  KX_CLASS(TForm, TCustomForm)
 public:
  explicit TForm(TComponent* owner);
};

// The form that holds a control, or nullptr.
TCustomForm* GetParentForm(const TControl* control);

// ---------------------------------------------------------------------------
// TApplication

using TMessageEvent = TEvent<MSG&, bool&>;
using TExceptionEvent = TEvent<TObject*, const std::exception&>;

class THintWindow;

class TApplication : public TComponent {
  KX_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Creates the application window.
  void Initialize();
  HWND Handle() const { return wnd_; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  TCustomForm* MainForm() const { return mainForm_; }
  // Creates a form owned by the application; the first becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = new T(this);
    if (!mainForm_) mainForm_ = form;
    form->AfterConstruction();
    return form;
  }
  // Shows the main form and runs the message loop until it closes.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every queued message, then returns.
  void ProcessMessages();
  // Handles one message, waiting for it when the queue is empty.
  void HandleMessage();

  // Shows an exception that escaped an event handler; the program goes on.
  void HandleException(std::exception_ptr error);
  void ShowException(const std::string& message);

  // Hints.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on);
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor color) { hintColor_ = color; }
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int ms) { hintHidePause_ = ms; }
  int HintShortPause() const { return hintShortPause_; }
  void SetHintShortPause(int ms) { hintShortPause_ = ms; }
  void CancelHint();
  // The hint window now shown, or nullptr.
  THintWindow* HintWindow() const;

  // Raised for every message taken from the queue; handled stops it.
  TMessageEvent OnMessage;
  TExceptionEvent OnException;

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  bool ProcessMessage(MSG& msg);
  bool IsKeyMsg(MSG& msg);
  void Idle();
  void MouseControlChanged(TControl* control);
  void ShowHintNow();
  void ActivateTopForm();

  HWND wnd_ = nullptr;
  std::string title_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool showHint_ = true;
  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500;
  int hintHidePause_ = 2500;
  int hintShortPause_ = 50;
  TControl* hintControl_ = nullptr;
  std::unique_ptr<THintWindow> hintWindow_;
};

// The hint window: a small top-level popup that shows one hint text.
class THintWindow : public TCustomControl {
  KX_CLASS(THintWindow, TCustomControl)
 public:
  explicit THintWindow(TComponent* owner);
  void ActivateHint(POINT screenPos, const std::string& text);
  void ReleaseHandle();

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
};

// ---------------------------------------------------------------------------
// TScreen

class TScreen : public TComponent {
  KX_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* owner);
  ~TScreen() override;

  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  RECT WorkAreaRect() const;
  int WorkAreaWidth() const;
  int WorkAreaHeight() const;
  TCursor Cursor() const;
  void SetCursor(TCursor cursor);
  // Names of the installed font families, sorted.
  TStrings* Fonts();
  TFont* HintFont() const { return hintFont_.get(); }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(index); }
  TCustomForm* ActiveForm() const { return activeForm_; }

 private:
  friend class TCustomForm;
  std::unique_ptr<TStringList> fonts_;
  std::unique_ptr<TFont> hintFont_;
  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
};

// The process-wide application and screen objects.
extern TApplication* Application;
extern TScreen* Screen;

}  // namespace kx
