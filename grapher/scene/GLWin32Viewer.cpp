#include "scene/GLWin32Viewer.h"

#include "scene/GLCrossPlatform.h"

#include <typeinfo>

namespace kx {

namespace {

constexpr const char* kModule = "GLWin32Viewer";
constexpr int kVSyncLine = 296;
constexpr char kViewerClass[] = "KxGLStageViewer";

// Each viewer window keeps its own device context for its whole life, and
// a new size redraws the whole view: the projection follows the size.
const char* ViewerWindowClass() {
  static const ATOM atom = [] {
    WNDCLASSA cls{};
    cls.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = &DefWindowProcA;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.lpszClassName = kViewerClass;
    return RegisterClassA(&cls);
  }();
  (void)atom;
  return kViewerClass;
}

struct ViewerModule {
  ViewerModule() { RegisterClasses({&TGLStageViewer::StaticClass()}); }
};
ViewerModule viewerModule;

}  // namespace

KX_PUBLISH(TGLStageViewer) {
  p.Property("Camera", &TGLStageViewer::Camera, &TGLStageViewer::SetCamera);
  p.Property("VSync", &TGLStageViewer::VSync, &TGLStageViewer::SetVSync).Default(vsmNoSync);
  p.Property("BeforeRender", &TGLStageViewer::BeforeRender, &TGLStageViewer::SetBeforeRender);
  p.Property("PostRender", &TGLStageViewer::PostRender, &TGLStageViewer::SetPostRender);
  p.Property("AfterRender", &TGLStageViewer::AfterRender, &TGLStageViewer::SetAfterRender);
  p.Property("Buffer", &TGLStageViewer::Buffer, &TGLStageViewer::SetBuffer);
}

void SetupVSync(TVSyncMode mode) {
  if (!GLCaps.WGL_EXT_swap_control || !GL.wglGetSwapIntervalEXT || !GL.wglSwapIntervalEXT) return;
  const int interval = GL.wglGetSwapIntervalEXT();
  switch (mode) {
    case vsmSync:
      if (interval != 1) GL.wglSwapIntervalEXT(1);
      return;
    case vsmNoSync:
      if (interval != 0) GL.wglSwapIntervalEXT(0);
      return;
    default:
      AssertFailed("Assertion failure", kModule, kVSyncLine);
  }
}

TGLStageViewer::TGLStageViewer(TComponent* owner)
    : TWinControl(owner), glAvailable_(InitOpenGL()), buffer_(std::make_unique<TGLStageBuffer>(this)) {
  SetControlStyle({csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks});
  SetBounds(Left(), Top(), 100, 100);
  buffer_->BeforeRender = TNotifyEvent([this](TObject* sender) { DoBeforeRender(sender); });
  buffer_->OnChange = TNotifyEvent([this](TObject* sender) { DoBufferChange(sender); });
  buffer_->OnStructuralChange = TNotifyEvent([this](TObject* sender) { DoBufferStructuralChange(sender); });
}

TGLStageViewer::~TGLStageViewer() {
  ReleaseContext();
  buffer_.reset();
}

void TGLStageViewer::SetCamera(TGLCamera* camera) {
  if (camera == buffer_->Camera()) return;
  if (TGLCamera* old = buffer_->Camera()) old->RemoveFreeNotification(this);
  buffer_->SetCamera(camera);
  if (TGLCamera* taken = buffer_->Camera()) taken->FreeNotification(this);
}

void TGLStageViewer::Notification(TComponent* component, TOperation operation) {
  // The camera is on its way out: only the reference goes.
  if (operation == opRemove && component && component == buffer_->Camera()) buffer_->SetCamera(nullptr);
  TWinControl::Notification(component, operation);
}

void TGLStageViewer::Loaded() {
  TWinControl::Loaded();
  HandleNeeded();
}

void TGLStageViewer::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = ViewerWindowClass();
  params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.ClassStyle = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
}

void TGLStageViewer::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  // The class is ours: messages nobody handles go to the default procedure.
  if (HandleAllocated()) defWndProc_ = &DefWindowProcA;
}

void TGLStageViewer::CreateWnd() {
  TWinControl::CreateWnd();
  if (!glAvailable_ || !HandleAllocated() || buffer_->RenderingContext()) return;
  buffer_->Resize(ClientWidth(), ClientHeight());
  ownDC_ = GetDC(Handle());
  buffer_->CreateRC(ownDC_, false);
}

void TGLStageViewer::ReleaseContext() {
  buffer_->DestroyRC();
  if (ownDC_ && HandleAllocated()) ReleaseDC(Handle(), ownDC_);
  ownDC_ = nullptr;
}

void TGLStageViewer::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      Paint(m);
      return;
    case WM_ERASEBKGND:
      if (glAvailable_) {
        m.Result = 1;
        return;
      }
      break;
    case WM_SIZE:
      TWinControl::WndProc(m);
      buffer_->Resize(LOWORD(m.LParam), HIWORD(m.LParam));
      return;
    case WM_DESTROY:
      ReleaseContext();
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// The only place where window frames are drawn.
void TGLStageViewer::Paint(TMessage& m) {
  m.Result = 0;
  if (m.WParam) return;  // a device context of someone else's: nothing of OpenGL goes there
  PAINTSTRUCT ps;
  HWND wnd = Handle();
  BeginPaint(wnd, &ps);
  if (glAvailable_) {
    try {
      buffer_->Render();
      lastFailure_.clear();
    } catch (...) {
      EndPaint(wnd, &ps);
      ReportFrameFailure(std::current_exception());
      return;
    }
  }
  EndPaint(wnd, &ps);
}

void TGLStageViewer::ReportFrameFailure(std::exception_ptr failure) {
  std::string key = "unknown";
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    key = std::string(typeid(e).name()) + ": " + e.what();
  } catch (...) {
  }
  if (key == lastFailure_) return;
  lastFailure_ = key;
  GuardWindowsCallback([&failure] { std::rethrow_exception(failure); });
}

void TGLStageViewer::DoBufferChange(TObject*) {
  if (!buffer_->Rendering()) Invalidate();
}

void TGLStageViewer::DoBeforeRender(TObject*) { SetupVSync(vSync_); }

void TGLStageViewer::DoBufferStructuralChange(TObject*) { RecreateWnd(); }

}  // namespace kx
