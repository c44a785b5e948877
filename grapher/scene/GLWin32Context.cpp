#include "scene/GLWin32Context.h"

#include "framework/windows/Controls.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <typeinfo>
#include <utility>

namespace kx {

bool WindowWatchEnabled = true;
bool PresentThroughPBuffer = false;

namespace {

constexpr const char* kUtilityWindowClass = "GLSUtilWindow";
constexpr int kMaxFormats = 32;
constexpr int kWineColorBits = 24;
// Samples requested per anti-aliasing wish.
constexpr int kSamples[] = {0, 1, 2, 2, 4, 4};

// The pixel format seen by the last activation, and the GL extension string
// seen when the binding last re-read its entry points: shared by every
// context, so the binding is refreshed when another format becomes current.
int PixelFormatSeen = 0;
std::string ExtensionStringSeen;

struct WatchedWindow {
  HWND window;
  const void* watcher;
  TWindowWatchCallback callback;
};
std::vector<WatchedWindow> WatchedWindows;
HHOOK WatchHook = nullptr;

LRESULT CALLBACK WatchHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == WM_DESTROY) {
      const HWND destroyed = message->hwnd;
      // A callback removes entries, so the index is re-clamped after each one.
      for (int i = static_cast<int>(WatchedWindows.size()) - 1; i >= 0; --i) {
        i = std::min(i, static_cast<int>(WatchedWindows.size()) - 1);
        if (i < 0) break;
        if (IsChild(destroyed, WatchedWindows[i].window)) {
          const TWindowWatchCallback callback = WatchedWindows[i].callback;
          GuardWindowsCallback(callback);
        }
      }
    }
    CallNextHookEx(WatchHook, code, wParam, lParam);
    return 0;
  }
  return CallNextHookEx(WatchHook, code, wParam, lParam);
}

// The class name of an exception without its namespace, as messages show it.
std::string ClassNameOf(const std::exception& e) {
  int status = 0;
  char* demangled = abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status);
  std::string name = demangled ? demangled : typeid(e).name();
  std::free(demangled);
  const size_t colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

// The raw WGL context current on the thread, put back after a temporary
// context was made current: the framework's activation count of that
// context still says it is current.
struct CurrentWGL {
  CurrentWGL()
      : rc(GL.wglGetCurrentContext ? GL.wglGetCurrentContext() : nullptr),
        dc(GL.wglGetCurrentDC ? GL.wglGetCurrentDC() : nullptr) {}
  void Restore() const noexcept {
    if (rc && GL.wglMakeCurrent) GL.wglMakeCurrent(dc, rc);
  }
  HGLRC rc;
  HDC dc;
};

// The system's error of the last call, naming the step that failed.
[[noreturn]] void RaiseLastOSErrorOf(const char* step) {
  const DWORD code = GetLastError();
  try {
    RaiseOSError(code);
  } catch (EOSError& e) {
    e.SetMessage(std::string(step) + ": " + e.Message());
    throw;
  }
}

bool IsMemoryDevice(DWORD objectType) {
  return objectType == OBJ_METADC || objectType == OBJ_MEMDC || objectType == OBJ_ENHMETADC;
}

bool IsAccelerated(HDC device, int format) {
  if (format == 0) return false;
  PIXELFORMATDESCRIPTOR pfd{};
  DescribePixelFormat(device, format, sizeof pfd, &pfd);
  return (pfd.dwFlags & PFD_GENERIC_FORMAT) == 0;
}

struct Win32ContextModule {
  Win32ContextModule() {
    PresentThroughPBuffer = RunningUnderWine();
    RegisterGLContextClass([] { return new TGLWin32Context; });
  }
  ~Win32ContextModule() {
    ExtensionStringSeen.clear();
    WatchedWindows.clear();
    if (WatchHook) UnhookWindowsHookEx(WatchHook);
    WatchHook = nullptr;
  }
};
Win32ContextModule win32ContextModule;

}  // namespace

std::vector<PALETTEENTRY> LogicalPaletteEntries(const PIXELFORMATDESCRIPTOR& pfd) {
  // Only an indexed format of at most 8 bits has a palette; a larger depth
  // would ask for millions of entries.
  if (pfd.cColorBits == 0 || pfd.cColorBits > kMaxPaletteColorBits) return {};
  std::vector<PALETTEENTRY> entries(size_t{1} << pfd.cColorBits);
  auto channel = [](int i, int shift, int bits) {
    const int mask = (1 << std::min(bits, 8)) - 1;
    return static_cast<BYTE>(mask > 0 ? ((i >> shift) & mask) * 255 / mask : 0);
  };
  for (size_t i = 0; i < entries.size(); ++i) {
    const int index = static_cast<int>(i);
    entries[i] = {channel(index, pfd.cRedShift, pfd.cRedBits), channel(index, pfd.cGreenShift, pfd.cGreenBits),
                  channel(index, pfd.cBlueShift, pfd.cBlueBits), 0};
  }
  return entries;
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Window tracking -------------------------------------------------------------------

void WatchWindow(HWND window, const void* watcher, TWindowWatchCallback callback) {
  if (!IsWindow(window)) return;
  UnwatchWindow(window, watcher);
  if (WatchedWindows.empty())
    WatchHook = SetWindowsHookExA(WH_CALLWNDPROC, &WatchHookProc, nullptr, GetCurrentThreadId());
  WatchedWindows.push_back({window, watcher, std::move(callback)});
}

// Also for a window that is already gone: its handle may be reused, and a
// stale entry would call a context that no longer exists.
void UnwatchWindow(HWND window, const void* watcher) {
  if (!window || WatchedWindows.empty()) return;
  auto it = std::find_if(WatchedWindows.begin(), WatchedWindows.end(), [window, watcher](const WatchedWindow& w) {
    return w.window == window && w.watcher == watcher;
  });
  if (it == WatchedWindows.end()) return;
  WatchedWindows.erase(it);
  if (WatchedWindows.empty() && WatchHook) {
    UnhookWindowsHookEx(WatchHook);
    WatchHook = nullptr;
  }
}

int WatchedWindowCount() { return static_cast<int>(WatchedWindows.size()); }

HWND CreateUtilityWindow() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA cls{};
  if (!GetClassInfoA(instance, kUtilityWindowClass, &cls)) {
    cls = WNDCLASSA{};
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = instance;
    cls.lpszClassName = kUtilityWindowClass;
    RegisterClassA(&cls);
  }
  const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilityWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      instance, nullptr);
  if (!window) RaiseLastOSErrorOf("Creating the utility window");
  return window;
}

void BuildLogicalPalette(HDC device, const PIXELFORMATDESCRIPTOR& pfd) {
  const std::vector<PALETTEENTRY> entries = LogicalPaletteEntries(pfd);
  if (entries.empty()) return;
  std::vector<BYTE> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * entries.size());
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(entries.size());
  std::copy(entries.begin(), entries.end(), palette->palPalEntry);
  HPALETTE handle = CreatePalette(palette);
  if (!handle) RaiseLastOSError();
  // Selected into the device for the context's life; the system frees it with the process.
  SelectPalette(device, handle, FALSE);
  RealizePalette(device);
}

int FirstSingleSampledFormat(HDC device, const int* formats, UINT count) {
  if (count == 0) return 0;
  if (!GL.wglGetPixelFormatAttribivARB) return formats[0];
  const int query = WGL_SAMPLE_BUFFERS_ARB;
  for (UINT i = 0; i < count; ++i) {
    int sampleBuffers = 0;
    GL.wglGetPixelFormatAttribivARB(device, formats[i], 0, 1, &query, &sampleBuffers);
    if (sampleBuffers == 0) return formats[i];
  }
  return formats[count - 1];
}

// Attribute lists ----------------------------------------------------------------------

TGLWin32Context::TGLWin32Context() = default;

TGLWin32Context::~TGLWin32Context() {
  try {
    if (IsValid()) DestroyContext();
  } catch (...) {
    // A destructor cannot report. Without its window the context cannot be
    // made current: release it and its watch entry directly.
    Abandon();
    try {
      DoDestroyContext();
    } catch (...) {
    }
  }
  ReleasePresentationBitmap();
}

void TGLWin32Context::ClearIntAttribs() { intAttribs_.assign(1, 0); }

void TGLWin32Context::AddIntAttrib(int attribute, int value) {
  intAttribs_.insert(intAttribs_.end() - 1, {attribute, value});
}

void TGLWin32Context::ChangeIntAttrib(int attribute, int value) {
  for (size_t i = 0; i + 1 < intAttribs_.size(); i += 2)
    if (intAttribs_[i] == attribute) {
      intAttribs_[i + 1] = value;
      return;
    }
  AddIntAttrib(attribute, value);
}

void TGLWin32Context::DropIntAttrib(int attribute) {
  for (size_t i = 0; i + 1 < intAttribs_.size(); i += 2)
    if (intAttribs_[i] == attribute) {
      intAttribs_.erase(intAttribs_.begin() + i, intAttribs_.begin() + i + 2);
      return;
    }
}

void TGLWin32Context::ClearFloatAttribs() { floatAttribs_.assign(1, 0); }

void TGLWin32Context::ChooseExtendedPixelFormat(HDC device, int maximum, int* formats, UINT& count) {
  AddIntAttrib(WGL_ACCELERATION_ARB, WGL_FULL_ACCELERATION_ARB);
  AddIntAttrib(WGL_COLOR_BITS_ARB, ColorBits());
  if (AlphaBits() > 0) AddIntAttrib(WGL_ALPHA_BITS_ARB, AlphaBits());
  AddIntAttrib(WGL_DEPTH_BITS_ARB, DepthBits());
  if (StencilBits() > 0) AddIntAttrib(WGL_STENCIL_BITS_ARB, StencilBits());
  if (AccumBits() > 0) AddIntAttrib(WGL_ACCUM_BITS_ARB, AccumBits());
  if (AuxBuffers() > 0) AddIntAttrib(WGL_AUX_BUFFERS_ARB, AuxBuffers());
  if (AntiAliasing() != aaDefault && GLCaps.WGL_ARB_multisample && GLCaps.GL_ARB_multisample) {
    if (AntiAliasing() == aaNone) {
      AddIntAttrib(WGL_SAMPLE_BUFFERS_ARB, 0);
    } else {
      AddIntAttrib(WGL_SAMPLE_BUFFERS_ARB, 1);
      AddIntAttrib(WGL_SAMPLES_ARB, kSamples[AntiAliasing()]);
    }
  }
  ClearFloatAttribs();
  auto attempt = [&] {
    count = 0;
    if (!GL.wglChoosePixelFormatARB ||
        !GL.wglChoosePixelFormatARB(device, intAttribs_.data(), floatAttribs_.data(), maximum, formats, &count))
      count = 0;
  };
  attempt();
  if (count == 0 && AntiAliasing() != aaDefault) {
    DropIntAttrib(WGL_SAMPLE_BUFFERS_ARB);
    DropIntAttrib(WGL_SAMPLES_ARB);
  }
  if (count == 0 && DepthBits() >= 32) {
    ChangeIntAttrib(WGL_DEPTH_BITS_ARB, 24);
    attempt();
  }
  if (count == 0 && DepthBits() >= 24) {
    ChangeIntAttrib(WGL_DEPTH_BITS_ARB, 16);
    attempt();
  }
  if (count == 0 && ColorBits() >= 24) {
    ChangeIntAttrib(WGL_COLOR_BITS_ARB, 16);
    attempt();
  }
  if (count == 0) {
    ChangeIntAttrib(WGL_COLOR_BITS_ARB, ColorBits());
    ChangeIntAttrib(WGL_DEPTH_BITS_ARB, DepthBits());
    DropIntAttrib(WGL_ACCELERATION_ARB);
    attempt();
  }
}

// Creation ----------------------------------------------------------------------------------

void TGLWin32Context::CreateLegacyTempContext(HDC device) {
  legacyOnly_ = true;
  try {
    DoCreateContext(device);
  } catch (const std::exception& e) {
    legacyOnly_ = false;
    throw Exception("Unable to create legacy context\r\n" + ClassNameOf(e) + ": " + e.what());
  }
  legacyOnly_ = false;
}

void TGLWin32Context::DoCreateContext(HDC device) {
  const HWND window = WindowFromDC(device);
  if (WindowWatchEnabled) WatchWindow(window, this, [this] { DestroyContext(); });
  try {
    if (!InitOpenGL()) RaiseLastOSErrorOf("Loading OpenGL32.dll and GLU32.dll");

    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    const DWORD objectType = GetObjectType(device);
    if (objectType == 0) RaiseLastOSErrorOf("Reading the device context");
    const bool memoryDevice = IsMemoryDevice(objectType);

    if (!legacyOnly_ && !memoryDevice && PresentThroughPBuffer && window &&
        (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
      CreatePresentationContext(window);
      if (WindowWatchEnabled) watchedWindow_ = window;
      return;
    }

    pfd.dwFlags = PFD_SUPPORT_OPENGL | (memoryDevice ? PFD_DRAW_TO_BITMAP : PFD_DRAW_TO_WINDOW);
    if (Options().Contains(cfDoubleBuffer)) pfd.dwFlags |= PFD_DOUBLEBUFFER;
    if (Options().Contains(cfStereo)) pfd.dwFlags |= PFD_STEREO;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = static_cast<BYTE>(ColorBits());
    pfd.cAlphaBits = static_cast<BYTE>(AlphaBits());
    pfd.cAccumBits = static_cast<BYTE>(AccumBits());
    pfd.cDepthBits = static_cast<BYTE>(DepthBits());
    pfd.cStencilBits = static_cast<BYTE>(StencilBits());
    pfd.cAuxBuffers = static_cast<BYTE>(AuxBuffers());
    pfd.iLayerType = PFD_MAIN_PLANE;

    int format = 0;
    if (!legacyOnly_ && !memoryDevice) ChoosePixelFormatOnWindow(device, pfd, format);

    if (format == 0) {
      format = ChoosePixelFormat(device, &pfd);
      if (!memoryDevice && !IsAccelerated(device, format)) format = 0;
      if (format == 0) {
        pfd.cDepthBits = 16;
        format = ChoosePixelFormat(device, &pfd);
        if (!IsAccelerated(device, format)) format = 0;
        if (format == 0) {
          pfd.cColorBits = 16;
          format = ChoosePixelFormat(device, &pfd);
        }
        format = ChoosePixelFormat(device, &pfd);
        if (format == 0) RaiseLastOSErrorOf("Choosing a pixel format");
      }
      ClearGLError();
    }

    if (GetPixelFormat(device) != format && !SetPixelFormat(device, format, &pfd))
      RaiseLastOSErrorOf("Setting the pixel format");
    DescribePixelFormat(device, format, sizeof pfd, &pfd);
    if (pfd.dwFlags & PFD_NEED_PALETTE) BuildLogicalPalette(device, pfd);
    SetAccelerationKind((pfd.dwFlags & PFD_GENERIC_FORMAT) ? 2 : 1);

    rc_ = GL.wglCreateContext(device);
    if (!rc_) RaiseLastOSErrorOf("Creating the rendering context");
    PixelFormatSeen = 0;
    dc_ = device;
    if (WindowWatchEnabled) watchedWindow_ = window;
  } catch (...) {
    if (WindowWatchEnabled) UnwatchWindow(window, this);
    throw;
  }
}

// The extended choice: a temporary classic context on a hidden window makes
// the WGL extension entry points available.
void TGLWin32Context::ChoosePixelFormatOnWindow(HDC device, PIXELFORMATDESCRIPTOR& pfd, int& format) {
  const CurrentWGL current;
  const HWND utility = CreateUtilityWindow();
  const HDC utilityDC = GetDC(utility);
  try {
    CreateLegacyTempContext(utilityDC);
    DoActivate();
    ClearGLError();
    if (GLCaps.WGL_ARB_pixel_format) {
      ClearIntAttribs();
      AddIntAttrib(WGL_DRAW_TO_WINDOW_ARB, 1);
      AddIntAttrib(WGL_STEREO_ARB, Options().Contains(cfStereo) ? 1 : 0);
      AddIntAttrib(WGL_DOUBLE_BUFFER_ARB, Options().Contains(cfDoubleBuffer) ? 1 : 0);
      int formats[kMaxFormats];
      UINT count = 0;
      ChooseExtendedPixelFormat(device, kMaxFormats, formats, count);
      if (count > 0) {
        format = (GLCaps.WGL_ARB_multisample && (AntiAliasing() == aaDefault || AntiAliasing() == aaNone))
                     ? FirstSingleSampledFormat(device, formats, count)
                     : formats[0];
        if (GetPixelFormat(device) != format && !SetPixelFormat(device, format, &pfd))
          RaiseLastOSErrorOf("Setting the chosen pixel format");
      }
    }
  } catch (...) {
    ReleaseTemporaryContext(utility, utilityDC);
    current.Restore();
    throw;
  }
  ReleaseTemporaryContext(utility, utilityDC);
  current.Restore();
}

// Removes the temporary classic context (and its watch entry) and the
// utility window it was made on. It runs on failure paths too, so it reports
// nothing: the window goes whatever happens to the context.
void TGLWin32Context::ReleaseTemporaryContext(HWND utility, HDC utilityDC) noexcept {
  if (rc_) {
    try {
      DoDeactivate();
    } catch (...) {
    }
    try {
      DoDestroyContext();
    } catch (...) {
    }
  }
  ReleaseDC(utility, utilityDC);
  DestroyWindow(utility);
  rc_ = nullptr;
  dc_ = nullptr;
}

void TGLWin32Context::DoCreateMemoryContext(HDC, int width, int height) { CreatePBuffer(width, height); }

void TGLWin32Context::CreatePBuffer(int width, int height) {
  const CurrentWGL current;
  const HWND utility = CreateUtilityWindow();
  const HDC utilityDC = GetDC(utility);
  HPBUFFERARB pbuffer = nullptr;
  HDC pbufferDC = nullptr;
  HGLRC pbufferRC = nullptr;
  int format = 0;
  try {
    CreateLegacyTempContext(utilityDC);
    DoActivate();
    ClearGLError();
    if (!GLCaps.WGL_ARB_pixel_format || !GLCaps.WGL_ARB_pbuffer) throw Exception("WGL_ARB_pbuffer support required.");
    ClearIntAttribs();
    AddIntAttrib(WGL_DRAW_TO_PBUFFER_ARB, 1);
    int formats[kMaxFormats];
    UINT count = 0;
    // Under Wine a pixel buffer of more than 24 colour bits ends the process
    // with an X error as soon as it is drawn: ask for 24 there, keeping the wish.
    const int wishedColorBits = ColorBits();
    if (wishedColorBits > kWineColorBits && RunningUnderWine()) SetColorBits(kWineColorBits);
    try {
      ChooseExtendedPixelFormat(utilityDC, kMaxFormats, formats, count);
    } catch (...) {
      SetColorBits(wishedColorBits);
      throw;
    }
    SetColorBits(wishedColorBits);
    if (count == 0) throw Exception("Format not supported for pbuffer operation.");
    format = formats[0];
    const int noAttributes[] = {0};
    pbuffer = GL.wglCreatePbufferARB(utilityDC, format, width, height, noAttributes);
    if (!pbuffer) throw Exception("Unabled to create pbuffer.");
    pbufferDC = GL.wglGetPbufferDCARB(pbuffer);
    if (!pbufferDC) throw Exception("Unabled to create pbuffer's DC.");
    pbufferRC = GL.wglCreateContext(pbufferDC);
    if (!pbufferRC) throw Exception("Unabled to create pbuffer's RC.");
    CheckOpenGLError();
  } catch (...) {
    ReleaseTemporaryContext(utility, utilityDC);
    // A failed creation leaves nothing behind.
    if (pbufferRC) GL.wglDeleteContext(pbufferRC);
    if (pbufferDC) GL.wglReleasePbufferDCARB(pbuffer, pbufferDC);
    if (pbuffer) GL.wglDestroyPbufferARB(pbuffer);
    current.Restore();
    throw;
  }
  ReleaseTemporaryContext(utility, utilityDC);
  current.Restore();
  pbuffer_ = pbuffer;
  pbufferFormat_ = format;
  dc_ = pbufferDC;
  rc_ = pbufferRC;
  PixelFormatSeen = 0;
  SetAccelerationKind(1);
}

// Under Wine a child window shows nothing drawn by OpenGL: draw into a pixel
// buffer of the window's size and copy each frame into the window.
void TGLWin32Context::CreatePresentationContext(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const int width = std::max<int>(client.right, 1);
  const int height = std::max<int>(client.bottom, 1);
  CreatePBuffer(width, height);
  presentWindow_ = window;
  pbufferWidth_ = width;
  pbufferHeight_ = height;
}

// A new buffer of the same pixel format takes the old one's place; the GL
// context, and with it its display lists, stays. Should the new buffer fail,
// the old one is kept and frames show as much as fits.
void TGLWin32Context::FitPresentationBuffer() {
  RECT client{};
  GetClientRect(presentWindow_, &client);
  const int width = std::max<int>(client.right, 1);
  const int height = std::max<int>(client.bottom, 1);
  if (width == pbufferWidth_ && height == pbufferHeight_) return;
  if (!GL.wglCreatePbufferARB || !GL.wglGetPbufferDCARB) return;
  const int noAttributes[] = {0};
  HPBUFFERARB pbuffer = GL.wglCreatePbufferARB(dc_, pbufferFormat_, width, height, noAttributes);
  if (!pbuffer) return;
  HDC pbufferDC = GL.wglGetPbufferDCARB(pbuffer);
  if (!pbufferDC) {
    GL.wglDestroyPbufferARB(pbuffer);
    return;
  }
  GL.wglReleasePbufferDCARB(pbuffer_, dc_);
  GL.wglDestroyPbufferARB(pbuffer_);
  pbuffer_ = pbuffer;
  dc_ = pbufferDC;
  pbufferWidth_ = width;
  pbufferHeight_ = height;
}

void TGLWin32Context::DoShareLists(TGLContext* other) {
  auto* peer = dynamic_cast<TGLWin32Context*>(other);
  if (!peer) throw Exception("Incompatible contexts");
  if (rc_ != peer->rc_) GL.wglShareLists(rc_, peer->rc_);
}

void TGLWin32Context::DoDestroyContext() {
  UnwatchWindow(watchedWindow_, this);
  watchedWindow_ = nullptr;
  if (rc_ && !GL.wglDeleteContext(rc_)) throw EGLContext("Delete context failed");
  if (pbuffer_) {
    GL.wglReleasePbufferDCARB(pbuffer_, dc_);
    GL.wglDestroyPbufferARB(pbuffer_);
    pbuffer_ = nullptr;
  }
  ReleasePresentationBitmap();
  presentWindow_ = nullptr;
  rc_ = nullptr;
  dc_ = nullptr;
}

// Activation and presentation ----------------------------------------------------------------

void TGLWin32Context::DoActivate() {
  if (presentWindow_) FitPresentationBuffer();
  if (!GL.wglMakeCurrent(dc_, rc_)) {
    char message[64];
    std::snprintf(message, sizeof message, "Context activation failed: %lX", GetLastError());
    throw EGLContext(message);
  }
  const int format = GetPixelFormat(dc_);
  if (format != PixelFormatSeen) {
    const GLubyte* text = GL.glGetString(GL_EXTENSIONS);
    const std::string extensions = text ? reinterpret_cast<const char*>(text) : "";
    if (extensions != ExtensionStringSeen) {
      ReadExtensions();
      ExtensionStringSeen = extensions;
    } else {
      ReadWGLExtensions();
    }
    PixelFormatSeen = format;
  }
  if ((AntiAliasing() == aa2xHQ || AntiAliasing() == aa4xHQ) && GLCaps.GL_ARB_multisample &&
      GLCaps.GL_NV_multisample_filter_hint)
    GL.glHint(GL_MULTISAMPLE_FILTER_HINT_NV, GL_NICEST);
}

void TGLWin32Context::DoDeactivate() {
  if (!GL.wglMakeCurrent(nullptr, nullptr)) throw Exception("Context deactivation failed");
}

void TGLWin32Context::SwapBuffers() {
  if (presentWindow_) {
    CopyFrameToWindow();
    return;
  }
  if (!pbuffer_ && dc_ && Options().Contains(cfDoubleBuffer)) ::SwapBuffers(dc_);
}

void TGLWin32Context::CopyFrameToWindow() {
  RECT client{};
  GetClientRect(presentWindow_, &client);
  const int width = std::min<int>(client.right, pbufferWidth_);
  const int height = std::min<int>(client.bottom, pbufferHeight_);
  if (width <= 0 || height <= 0) return;
  if (width != frameWidth_ || height != frameHeight_) {
    ReleasePresentationBitmap();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as OpenGL reads rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    frameDC_ = CreateCompatibleDC(nullptr);
    frameBitmap_ = CreateDIBSection(frameDC_, &info, DIB_RGB_COLORS, &frameBits_, nullptr, 0);
    if (!frameDC_ || !frameBitmap_) {
      ReleasePresentationBitmap();
      RaiseLastOSError();
    }
    frameOldBitmap_ = SelectObject(frameDC_, frameBitmap_);
    frameWidth_ = width;
    frameHeight_ = height;
  }
  Activate();
  try {
    GL.glFinish();
    GL.glPixelStorei(GL_PACK_ALIGNMENT, 4);
    GL.glReadPixels(0, 0, width, height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, frameBits_);
  } catch (...) {
    Deactivate();
    throw;
  }
  Deactivate();
  GdiFlush();
  HDC windowDC = GetDC(presentWindow_);
  BitBlt(windowDC, 0, 0, width, height, frameDC_, 0, 0, SRCCOPY);
  ReleaseDC(presentWindow_, windowDC);
}

void TGLWin32Context::ReleasePresentationBitmap() {
  if (frameDC_ && frameOldBitmap_) SelectObject(frameDC_, frameOldBitmap_);
  if (frameBitmap_) DeleteObject(frameBitmap_);
  if (frameDC_) DeleteDC(frameDC_);
  frameDC_ = nullptr;
  frameBitmap_ = nullptr;
  frameOldBitmap_ = nullptr;
  frameBits_ = nullptr;
  frameWidth_ = frameHeight_ = 0;
}

}  // namespace kx
