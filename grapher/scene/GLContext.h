// Platform-neutral rendering context: framebuffer wishes, the life cycle of
// the GL context, per-thread activation with nesting, and the GL object
// handles (display lists, textures, user names) that live in a context.
#pragma once

#include "framework/core/Classes.h"
#include "scene/GLCrossPlatform.h"

#include <windows.h>

#include <GL/gl.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <vector>

namespace kx {

enum TGLAntiAliasing : uint8_t { aaDefault, aaNone, aa2x, aa2xHQ, aa4x, aa4xHQ };
KX_ENUM_NAMES(TGLAntiAliasing, "aaDefault", "aaNone", "aa2x", "aa2xHQ", "aa4x", "aa4xHQ")
enum TGLContextFlag { cfDoubleBuffer, cfStereo };
using TGLContextOptions = TSet<TGLContextFlag>;

class EGLContext : public Exception {
 public:
  using Exception::Exception;
};

class EOpenGLError : public Exception {
 public:
  using Exception::Exception;
};

class TGLContextHandle;
class TGLContextManager;

class TGLContext : public TObject {
 public:
  TGLContext();
  ~TGLContext() override;

  int ColorBits() const { return colorBits_; }
  void SetColorBits(int value) { SetField(colorBits_, value); }
  int AlphaBits() const { return alphaBits_; }
  void SetAlphaBits(int value) { SetField(alphaBits_, value); }
  int DepthBits() const { return depthBits_; }
  void SetDepthBits(int value) { SetField(depthBits_, value); }
  int StencilBits() const { return stencilBits_; }
  void SetStencilBits(int value) { SetField(stencilBits_, value); }
  int AccumBits() const { return accumBits_; }
  void SetAccumBits(int value) { SetField(accumBits_, value); }
  int AuxBuffers() const { return auxBuffers_; }
  void SetAuxBuffers(int value) { SetField(auxBuffers_, value); }
  TGLAntiAliasing AntiAliasing() const { return antiAliasing_; }
  void SetAntiAliasing(TGLAntiAliasing value) { SetField(antiAliasing_, value); }
  TGLContextOptions Options() const { return options_; }
  void SetOptions(TGLContextOptions value) { SetField(options_, value); }

  TGLContextManager* Manager = nullptr;
  // 0 undetermined, 1 hardware-accelerated, 2 generic implementation.
  uint8_t AccelerationKind() const { return accelerationKind_; }
  const std::vector<TGLContext*>& SharingGroup() const { return sharingGroup_; }
  const std::vector<TGLContextHandle*>& AllocatedHandles() const { return allocatedHandles_; }

  bool Active() const { return activationCount_ > 0; }
  void SetActive(bool active);
  void CreateContext(HDC device);
  void CreateMemoryContext(HDC device, int width, int height);
  void ShareLists(TGLContext* other);
  void DestroyContext();
  void Activate();
  void Deactivate();
  void DestroyAllHandles();

  virtual bool IsValid() const = 0;
  virtual void SwapBuffers() = 0;

 protected:
  virtual void DoCreateContext(HDC device) = 0;
  virtual void DoCreateMemoryContext(HDC device, int width, int height) = 0;
  virtual void DoShareLists(TGLContext* other) = 0;
  virtual void DoDestroyContext() = 0;
  virtual void DoActivate() = 0;
  virtual void DoDeactivate() = 0;
  void SetAccelerationKind(uint8_t kind) { accelerationKind_ = kind; }
  // For a context that can no longer be made current (its window is gone),
  // before its GL context is deleted directly: its handles go to a sharing
  // context or are forgotten (their names die with the GL context), and no
  // other context or thread keeps a reference to it.
  void Abandon() noexcept;

 private:
  friend class TGLContextHandle;
  friend class TGLContextSuspension;
  template <class T>
  void SetField(T& field, T value) {
    if (Active()) throw EGLContext("Cannot alter an active context");
    field = value;
  }
  void PropagateSharingGroup();
  // Hands the handles to the first other member of the sharing group, or
  // deletes their names (when asked) and forgets them; then leaves the group.
  // Returns the first failure to delete a name.
  std::exception_ptr LeaveSharingGroup(bool deleteNames);
  // Fully releases the thread's current context when it is another one; the
  // returned count restores it through ReactivateOther.
  static int ReleaseOther(const TGLContext* self, TGLContext*& other);
  static void ReactivateOther(TGLContext* other, int count);

  int colorBits_ = 32, alphaBits_ = 0, depthBits_ = 0, stencilBits_ = 0, accumBits_ = 0, auxBuffers_ = 0;
  TGLAntiAliasing antiAliasing_ = aaDefault;
  TGLContextOptions options_;
  int activationCount_ = 0;
  std::vector<TGLContext*> sharingGroup_;
  std::vector<TGLContextHandle*> allocatedHandles_;
  uint8_t accelerationKind_ = 0;
  TGLContextManager* registeredWith_ = nullptr;
};

// The context made current by the last outermost Activate on this thread.
TGLContext* CurrentGLContext();

// Releases the thread's current context, all its nested activations, for a
// scope, and makes it current again, as nested as it was, when the scope
// ends: for work that makes other contexts current.
class TGLContextSuspension {
 public:
  TGLContextSuspension();
  ~TGLContextSuspension();
  TGLContextSuspension(const TGLContextSuspension&) = delete;
  TGLContextSuspension& operator=(const TGLContextSuspension&) = delete;

 private:
  TGLContext* context_ = nullptr;
  int count_ = 0;
};

// A GL name that belongs to the context it was generated in.
class TGLContextHandle : public TObject {
 public:
  TGLContextHandle() = default;
  GLuint Handle() const { return handle_; }
  TGLContext* OwnerContext() const { return ownerContext_; }
  void AllocateHandle();
  void DestroyHandle();

 protected:
  virtual GLuint GenerateName() = 0;
  virtual void DeleteName() = 0;
  GLuint& HandleRef() { return handle_; }
  // For the destructors of the concrete handles, while DeleteName still works.
  void ReleaseOnDestruction() noexcept;

 private:
  friend class TGLContext;
  void Forget();
  GLuint handle_ = 0;
  TGLContext* ownerContext_ = nullptr;
};

class TGLListHandle : public TGLContextHandle {
 public:
  ~TGLListHandle() override { ReleaseOnDestruction(); }

 protected:
  GLuint GenerateName() override;
  void DeleteName() override;
};

class TGLTextureHandle : public TGLContextHandle {
 public:
  ~TGLTextureHandle() override { ReleaseOnDestruction(); }

 protected:
  GLuint GenerateName() override;
  void DeleteName() override;
};

// Names generated and deleted by the owner's handlers.
class TGLVirtualHandle : public TGLContextHandle {
 public:
  ~TGLVirtualHandle() override { ReleaseOnDestruction(); }
  using TGLVirtualHandleEvent = std::function<void(TGLVirtualHandle* sender, GLuint& name)>;
  TGLVirtualHandleEvent OnGenerate;
  TGLVirtualHandleEvent OnDelete;

 protected:
  GLuint GenerateName() override;
  void DeleteName() override;
};

using TGLContextClass = std::function<TGLContext*()>;

class TGLContextManager {
 public:
  // A new context of the first registered class; nullptr when none is.
  TGLContext* CreateGLContext();
  void AddContext(TGLContext* context);
  void RemoveContext(TGLContext* context);
  int ContextCount() const;
  void DestroyAllHandles();
  // At shutdown: frees the manager when no context is left; otherwise it stays.
  void Terminate();

 private:
  mutable std::recursive_mutex lock_;
  std::vector<TGLContext*> contexts_;
};

// The process's one manager, created by the module's start-up code.
extern TGLContextManager* ContextManager;

void RegisterGLContextClass(TGLContextClass factory);
// For tests that install their own context class.
void UnregisterGLContextClasses();

// Raises EOpenGLError with the GLU text of the first pending error; the
// other pending codes are drained (a bounded number of calls).
void CheckOpenGLError();
// Drains pending errors: without a current context glGetError never answers 0.
void ClearGLError();

}  // namespace kx
