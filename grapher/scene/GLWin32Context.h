// The rendering context on WGL: pixel-format choice with its fallbacks,
// contexts on windows, bitmaps and pixel buffers, display-list sharing, and
// destruction of a context as soon as an ancestor of its window goes.
//
// Under Wine, OpenGL drawn into a child window never reaches the screen. A
// context on a child window there renders into a pixel buffer instead, and
// SwapBuffers copies the frame into the window.
#pragma once

#include "scene/GLContext.h"
#include "scene/OpenGL1x.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace kx {

// An indexed pixel format's palette, colour bits at most this.
inline constexpr int kMaxPaletteColorBits = 8;
// The logical palette of a format that needs one: one entry per index,
// channels spread over 0..255; none for a format of more than 8 bits.
std::vector<PALETTEENTRY> LogicalPaletteEntries(const PIXELFORMATDESCRIPTOR& pfd);

class TGLWin32Context : public TGLContext {
 public:
  TGLWin32Context();
  ~TGLWin32Context() override;

  bool IsValid() const override { return rc_ != nullptr; }
  void SwapBuffers() override;

  HGLRC RC() const { return rc_; }
  HDC DC() const { return dc_; }
  HPBUFFERARB PBuffer() const { return pbuffer_; }
  // The window a context presents into through its pixel buffer, or nullptr.
  HWND PresentationWindow() const { return presentWindow_; }

  // (attribute, value) pairs for wglChoosePixelFormatARB, ending in one 0.
  const std::vector<int>& IntAttribs() const { return intAttribs_; }
  void ClearIntAttribs();
  void AddIntAttrib(int attribute, int value);
  void ChangeIntAttrib(int attribute, int value);
  void DropIntAttrib(int attribute);
  void ClearFloatAttribs();
  // Appends the wishes to IntAttribs and asks the driver, relaxing the
  // wishes step by step until some format fits.
  void ChooseExtendedPixelFormat(HDC device, int maximum, int* formats, UINT& count);

 protected:
  void DoCreateContext(HDC device) override;
  void DoCreateMemoryContext(HDC device, int width, int height) override;
  void DoShareLists(TGLContext* other) override;
  void DoDestroyContext() override;
  void DoActivate() override;
  void DoDeactivate() override;

 private:
  void CreateLegacyTempContext(HDC device);
  void ReleaseTemporaryContext(HWND utility, HDC utilityDC) noexcept;
  void ChoosePixelFormatOnWindow(HDC device, PIXELFORMATDESCRIPTOR& pfd, int& format);
  void CreatePBuffer(int width, int height);
  void CreatePresentationContext(HWND window);
  // Makes the presentation pixel buffer as large as the window's client area.
  void FitPresentationBuffer();
  void CopyFrameToWindow();
  void ReleasePresentationBitmap();

  HGLRC rc_ = nullptr;
  HDC dc_ = nullptr;
  HPBUFFERARB pbuffer_ = nullptr;
  std::vector<int> intAttribs_{0};
  std::vector<float> floatAttribs_{0};
  bool legacyOnly_ = false;
  // The window whose ancestors' destruction ends this context.
  HWND watchedWindow_ = nullptr;
  // Presentation through a pixel buffer.
  HWND presentWindow_ = nullptr;
  HDC frameDC_ = nullptr;
  HBITMAP frameBitmap_ = nullptr;
  HGDIOBJ frameOldBitmap_ = nullptr;
  void* frameBits_ = nullptr;
  int frameWidth_ = 0, frameHeight_ = 0;
  int pbufferWidth_ = 0, pbufferHeight_ = 0;
  int pbufferFormat_ = 0;
};

// Whether contexts track their window (and die with its ancestors).
extern bool WindowWatchEnabled;
// Whether contexts on child windows present through a pixel buffer; set at
// start-up when the program runs under Wine.
extern bool PresentThroughPBuffer;
bool RunningUnderWine();

// Calls back when an ancestor of the window is destroyed. Entries are kept
// per window and watcher, so several contexts may watch one window.
using TWindowWatchCallback = std::function<void()>;
void WatchWindow(HWND window, const void* watcher, TWindowWatchCallback callback);
void UnwatchWindow(HWND window, const void* watcher);
int WatchedWindowCount();

// Of formats in order of preference, the first without sample buffers (the
// last one when all have them).
int FirstSingleSampledFormat(HDC device, const int* formats, UINT count);

// A hidden tool window for temporary contexts.
HWND CreateUtilityWindow();
// Selects and realises the format's logical palette; nothing for a format
// of more than 8 bits.
void BuildLogicalPalette(HDC device, const PIXELFORMATDESCRIPTOR& pfd);

}  // namespace kx
