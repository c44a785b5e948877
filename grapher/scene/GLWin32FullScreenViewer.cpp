#include "scene/GLWin32FullScreenViewer.h"

#include "framework/windows/Menus.h"
#include "scene/GLCrossPlatform.h"
#include "scene/GLScreen.h"
#include "scene/GLWin32Context.h"

namespace kx {

namespace {

constexpr const char* kModule = "GLWin32Viewer";
constexpr int kStartupLine = 663;
constexpr int kDefaultWidth = 800, kDefaultHeight = 600;

struct FullScreenModule {
  FullScreenModule() { RegisterClasses({&TGLFullScreenViewer::StaticClass()}); }
};
FullScreenModule fullScreenModule;

}  // namespace

KX_PUBLISH(TGLFullScreenViewer) {
  using C = TGLFullScreenViewer;
  p.Property("ScreenDepth", &C::ScreenDepth, &C::SetScreenDepth).Default(sd32bits);
  p.Property("StayOnTop", &C::StayOnTop, &C::SetStayOnTop).Default(false);
  p.Property("VSync", &C::VSync, &C::SetVSync).Default(vsmSync);
  p.Property("Cursor", &C::Cursor, &C::SetCursor).Default(crDefault);
  p.Property("PopupMenu", &C::PopupMenu, &C::SetPopupMenu);
  p.Field("OnClose", &C::OnClose);
  p.Field("OnCloseQuery", &C::OnCloseQuery);
  p.Field("OnKeyDown", &C::OnKeyDown);
  p.Field("OnKeyUp", &C::OnKeyUp);
  p.Field("OnKeyPress", &C::OnKeyPress);
  p.Field("OnClick", &C::OnClick);
  p.Field("OnDblClick", &C::OnDblClick);
  p.Field("OnMouseDown", &C::OnMouseDown);
  p.Field("OnMouseUp", &C::OnMouseUp);
  p.Field("OnMouseMove", &C::OnMouseMove);
}

int ScreenDepthBits(TGLScreenDepth depth) {
  static constexpr int kBits[] = {8, 16, 24, 32};
  return kBits[depth];
}

TGLFullScreenViewer::TGLFullScreenViewer(TComponent* owner) : TGLNonVisualViewer(owner) {
  SetWidth(kDefaultWidth);
  SetHeight(kDefaultHeight);
  Buffer()->BeforeRender = TNotifyEvent([this](TObject*) { SetupVSync(vSync_); });
}

TGLFullScreenViewer::~TGLFullScreenViewer() { SetActive(false); }

void TGLFullScreenViewer::SetActive(bool value) {
  if (value == active_) return;
  if (value)
    Startup();
  else
    Shutdown();
}

void TGLFullScreenViewer::SetScreenDepth(TGLScreenDepth value) {
  if (StoreChanged(screenDepth_, value)) DoBufferStructuralChange(this);
}

void TGLFullScreenViewer::SetStayOnTop(bool value) {
  if (StoreChanged(stayOnTop_, value)) DoBufferStructuralChange(this);
}

void TGLFullScreenViewer::SetCursor(TCursor value) {
  if (!StoreChanged(cursor_, value)) return;
  if (form_) form_->SetCursor(cursor_);
}

void TGLFullScreenViewer::SetPopupMenu(TPopupMenu* value) {
  if (value == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = value;
  if (popupMenu_) popupMenu_->FreeNotification(this);
  if (form_) form_->SetPopupMenu(popupMenu_);
}

void TGLFullScreenViewer::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component && component == popupMenu_) SetPopupMenu(nullptr);
  TGLNonVisualViewer::Notification(component, operation);
}

void TGLFullScreenViewer::DoOnChange(TObject*) {
  if (form_ && !Buffer()->Rendering()) form_->Invalidate();
}

void TGLFullScreenViewer::DoBufferStructuralChange(TObject*) {
  if (!active_) return;
  Shutdown();
  Startup();
}

void TGLFullScreenViewer::Startup() {
  Assert(form_ == nullptr, "Assertion failure", kModule, kStartupLine);
  const int bits = ScreenDepthBits(screenDepth_);
  const uint8_t index = GetIndexFromResolution(Width(), Height(), bits);
  if (index == 0) throw Exception("Unsupported video mode");
  form_ = new TForm(nullptr);
  try {
    if (stayOnTop_) {
      form_->SetFormStyle(fsStayOnTop);
      form_->SetBounds(0, 0, Width(), Height());
    } else {
      form_->SetFormStyle(fsNormal);
      form_->SetWindowState(wsMaximized);
      form_->SetAlign(alClient);
    }
    form_->SetBorderStyle(bsNone);
    form_->SetCursor(cursor_);
    form_->SetPopupMenu(popupMenu_);
    BindFormEvents();
    // OpenGL covers every pixel: erasing first would only flicker.
    savedWindowProc_ = form_->WindowProc;
    form_->WindowProc = [this](TMessage& m) {
      if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;
        return;
      }
      savedWindowProc_(m);
    };
    const bool screenFits = GetSystemMetrics(SM_CXSCREEN) == Width() && GetSystemMetrics(SM_CYSCREEN) == Height() &&
                            GetCurrentColorDepth() == bits;
    if (!screenFits) {
      SetFullscreenMode(index);
      switchedMode_ = true;
    }
    form_->Show();
    Buffer()->Resize(Width(), Height());
    formDC_ = GetDC(form_->Handle());
    Buffer()->CreateRC(formDC_, false);
  } catch (...) {
    Shutdown();
    throw;
  }
  active_ = true;
}

void TGLFullScreenViewer::Shutdown() {
  Buffer()->DestroyRC();
  if (form_) {
    TForm* form = form_;
    form_ = nullptr;
    if (formDC_ && form->HandleAllocated()) ReleaseDC(form->Handle(), formDC_);
    formDC_ = nullptr;
    if (savedWindowProc_) form->WindowProc = std::move(savedWindowProc_);
    savedWindowProc_ = nullptr;
    form->Release();
  }
  if (switchedMode_) RestoreDefaultMode();
  switchedMode_ = false;
  active_ = false;
}

void TGLFullScreenViewer::BindFormEvents() {
  form_->OnMouseDown = TMouseEvent([this](TObject* s, TMouseButton b, TShiftState st, int x, int y) {
    if (OnMouseDown) OnMouseDown(s, b, st, x, y);
  });
  form_->OnMouseUp = TMouseEvent([this](TObject* s, TMouseButton b, TShiftState st, int x, int y) {
    if (OnMouseUp) OnMouseUp(s, b, st, x, y);
  });
  form_->OnMouseMove = TMouseMoveEvent([this](TObject* s, TShiftState st, int x, int y) {
    if (OnMouseMove) OnMouseMove(s, st, x, y);
  });
  form_->OnClick = TNotifyEvent([this](TObject* s) {
    if (OnClick) OnClick(s);
  });
  form_->OnDblClick = TNotifyEvent([this](TObject* s) {
    if (OnDblClick) OnDblClick(s);
  });
  form_->OnKeyDown = TKeyEvent([this](TObject* s, WORD& key, TShiftState st) {
    if (OnKeyDown) OnKeyDown(s, key, st);
  });
  form_->OnKeyUp = TKeyEvent([this](TObject* s, WORD& key, TShiftState st) {
    if (OnKeyUp) OnKeyUp(s, key, st);
  });
  form_->OnKeyPress = TKeyPressEvent([this](TObject* s, char& key) {
    if (OnKeyPress) OnKeyPress(s, key);
  });
  form_->OnCloseQuery = TCloseQueryEvent([this](TObject* s, bool& canClose) {
    if (OnCloseQuery) OnCloseQuery(s, canClose);
  });
  form_->OnPaint = TNotifyEvent([this](TObject*) {
    if (form_) Render();
  });
  form_->OnClose = TCloseEvent([this](TObject*, TCloseAction& action) { FormClose(action); });
  form_->OnActivate = TNotifyEvent([this](TObject*) {
    if (stayOnTop_ && form_) form_->SetFormStyle(fsStayOnTop);
  });
  form_->OnDeactivate = TNotifyEvent([this](TObject*) {
    if (stayOnTop_ && form_) form_->SetFormStyle(fsNormal);
  });
}

void TGLFullScreenViewer::FormClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
  if (action != caNone) Shutdown();
}

// The context goes on the form's own device context: there is no other
// device to draw on.
void TGLFullScreenViewer::Render() {
  if (!InitOpenGL()) throw EGLContext("The OpenGL libraries could not be loaded");
  if (!Buffer()->RenderingContext()) {
    if (!formDC_) throw EGLContext("The full-screen viewer is not active");
    Buffer()->CreateRC(formDC_, false);
  }
  Buffer()->Render();
}

}  // namespace kx
