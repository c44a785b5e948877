// A viewer that opens its own borderless form over the whole screen (or a
// stay-on-top form of Width x Height), switches the display to the listed
// mode that fits Width, Height and ScreenDepth unless the screen already
// has it, renders there on every paint, and puts the display mode back
// when it stops.
#pragma once

#include "framework/windows/Forms.h"
#include "scene/GLStageViewers.h"
#include "scene/GLWin32Viewer.h"

namespace kx {

enum TGLScreenDepth { sd8bits, sd16bits, sd24bits, sd32bits };
KX_ENUM_NAMES(TGLScreenDepth, "sd8bits", "sd16bits", "sd24bits", "sd32bits")
// Bits per pixel of a depth.
int ScreenDepthBits(TGLScreenDepth depth);

class TGLFullScreenViewer : public TGLNonVisualViewer {
  KX_CLASS(TGLFullScreenViewer, TGLNonVisualViewer)
 public:
  explicit TGLFullScreenViewer(TComponent* owner);
  ~TGLFullScreenViewer() override;

  bool Active() const { return active_; }
  // Starting raises "Unsupported video mode" when no listed mode is large
  // enough; the viewer then stays inactive without a form.
  void SetActive(bool value);
  TGLScreenDepth ScreenDepth() const { return screenDepth_; }
  void SetScreenDepth(TGLScreenDepth value);
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool value);
  TVSyncMode VSync() const { return vSync_; }
  void SetVSync(TVSyncMode value) { vSync_ = value; }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* value);
  // The form while the viewer is active.
  TForm* Form() const { return form_; }
  // Whether starting switched the display mode.
  bool SwitchedMode() const { return switchedMode_; }

  void Render() override;

  // The form's events, passed on as they come.
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  void DoOnChange(TObject* sender) override;
  void DoBufferStructuralChange(TObject* sender) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void Startup();
  void Shutdown();
  void BindFormEvents();
  void FormClose(TCloseAction& action);

  TForm* form_ = nullptr;
  TWndMethod savedWindowProc_;
  HDC formDC_ = nullptr;
  bool active_ = false;
  bool switchedMode_ = false;
  TGLScreenDepth screenDepth_ = sd32bits;
  bool stayOnTop_ = false;
  TVSyncMode vSync_ = vsmSync;
  TCursor cursor_ = crDefault;
  TPopupMenu* popupMenu_ = nullptr;
};

}  // namespace kx
