#include "scene/GLContext.h"

#include "scene/OpenGL1x.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace kx {

namespace {

constexpr const char* kModule = "GLContext";
// How many further glGetError calls a drain may make: without a current
// context the call reports an error every time.
constexpr int kErrorDrainLimit = 7;

thread_local TGLContext* ThreadContext = nullptr;

std::vector<TGLContextClass>& ContextClasses() {
  static auto* classes = new std::vector<TGLContextClass>;
  return *classes;
}

template <class T>
void Remove(std::vector<T*>& list, T* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

template <class T>
bool Contains(const std::vector<T*>& list, T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// Runs a clean-up step on every way out of a scope.
template <class F>
class Finally {
 public:
  explicit Finally(F f) : f_(std::move(f)) {}
  ~Finally() noexcept(false) {
    if (std::uncaught_exceptions() > pending_) {
      try {
        f_();
      } catch (...) {
        // The exception already on its way out is the one to report.
      }
    } else {
      f_();
    }
  }

 private:
  F f_;
  int pending_ = std::uncaught_exceptions();
};

// Module start-up and shutdown.
struct ContextModule {
  ContextModule() { ContextManager = new TGLContextManager; }
  ~ContextModule() {
    if (ContextManager) ContextManager->Terminate();
    ContextClasses().clear();
  }
};

}  // namespace

TGLContextManager* ContextManager = nullptr;
static ContextModule contextModule;

TGLContext* CurrentGLContext() { return ThreadContext; }

TGLContextSuspension::TGLContextSuspension() { count_ = TGLContext::ReleaseOther(nullptr, context_); }

TGLContextSuspension::~TGLContextSuspension() {
  try {
    TGLContext::ReactivateOther(context_, count_);
  } catch (...) {
    // A context that cannot be made current again stays released; its next
    // Activate reports why.
  }
}

// TGLContext ---------------------------------------------------------------------

TGLContext::TGLContext() {
  if (ContextManager) {
    ContextManager->AddContext(this);
    registeredWith_ = ContextManager;
  }
}

TGLContext::~TGLContext() {
  if (registeredWith_) registeredWith_->RemoveContext(this);
}

void TGLContext::SetActive(bool active) {
  while (Active() != active) {
    if (active)
      Activate();
    else
      Deactivate();
  }
}

void TGLContext::CreateContext(HDC device) {
  if (IsValid()) throw EGLContext("Context already created");
  accelerationKind_ = 0;
  DoCreateContext(device);
  sharingGroup_.push_back(this);
}

void TGLContext::CreateMemoryContext(HDC device, int width, int height) {
  if (IsValid()) throw EGLContext("Context already created");
  accelerationKind_ = 0;
  DoCreateMemoryContext(device, width, height);
  sharingGroup_.push_back(this);
}

void TGLContext::ShareLists(TGLContext* other) {
  if (!IsValid()) throw EGLContext("Context not created");
  DoShareLists(other);
  if (!Contains(sharingGroup_, other)) {
    sharingGroup_.push_back(other);
    PropagateSharingGroup();
  }
}

void TGLContext::PropagateSharingGroup() {
  for (TGLContext* member : sharingGroup_)
    if (member != this) member->sharingGroup_ = sharingGroup_;
}

int TGLContext::ReleaseOther(const TGLContext* self, TGLContext*& other) {
  other = ThreadContext;
  if (!other || other == self) {
    other = nullptr;
    return 0;
  }
  const int count = other->activationCount_;
  for (int i = 0; i < count; ++i) other->Deactivate();
  return count;
}

void TGLContext::ReactivateOther(TGLContext* other, int count) {
  for (int i = 0; i < count; ++i) other->Activate();
}

void TGLContext::DestroyContext() {
  TGLContext* other = nullptr;
  const int otherCount = ReleaseOther(this, other);
  Finally restore([&] {
    ReactivateOther(other, otherCount);
    accelerationKind_ = 0;
  });

  Activate();
  const std::exception_ptr failure = LeaveSharingGroup(true);
  SetActive(false);
  DoDestroyContext();
  if (failure) std::rethrow_exception(failure);
}

std::exception_ptr TGLContext::LeaveSharingGroup(bool deleteNames) {
  TGLContext* heir = nullptr;
  for (TGLContext* member : sharingGroup_)
    if (member != this) {
      heir = member;
      break;
    }
  // Every handle leaves this context even when deleting a name fails; the
  // first failure is returned.
  std::exception_ptr failure;
  for (auto it = allocatedHandles_.rbegin(); it != allocatedHandles_.rend(); ++it) {
    TGLContextHandle* handle = *it;
    if (heir) {
      heir->allocatedHandles_.push_back(handle);
      handle->ownerContext_ = heir;
      continue;
    }
    if (deleteNames) {
      try {
        handle->DeleteName();
      } catch (...) {
        if (!failure) failure = std::current_exception();
      }
    }
    handle->Forget();
  }
  allocatedHandles_.clear();
  Remove(sharingGroup_, this);
  PropagateSharingGroup();
  sharingGroup_.clear();
  return failure;
}

void TGLContext::Abandon() noexcept {
  LeaveSharingGroup(false);
  if (ThreadContext == this) ThreadContext = nullptr;
  activationCount_ = 0;
}

void TGLContext::Activate() {
  if (activationCount_ == 0) {
    if (!IsValid()) throw EGLContext("Context not created");
    DoActivate();
    ThreadContext = this;
  } else {
    KX_SCENE_ASSERT(ThreadContext == this, kModule);
  }
  ++activationCount_;
}

void TGLContext::Deactivate() {
  KX_SCENE_ASSERT(ThreadContext == this, kModule);
  --activationCount_;
  if (activationCount_ > 0) return;
  if (activationCount_ < 0) throw EGLContext("Unbalanced context activations");
  if (!IsValid()) throw EGLContext("Context not created");
  DoDeactivate();
  ThreadContext = nullptr;
}

void TGLContext::DestroyAllHandles() {
  Activate();
  Finally deactivate([this] { Deactivate(); });
  // DestroyHandle removes each handle from the list.
  while (!allocatedHandles_.empty()) allocatedHandles_.back()->DestroyHandle();
}

// Handles ---------------------------------------------------------------------------

void TGLContextHandle::ReleaseOnDestruction() noexcept {
  try {
    DestroyHandle();
  } catch (...) {
    // A destructor cannot report; the name is gone from this object either way.
  }
}

void TGLContextHandle::Forget() {
  handle_ = 0;
  ownerContext_ = nullptr;
}

void TGLContextHandle::AllocateHandle() {
  KX_SCENE_ASSERT(handle_ == 0, kModule);
  KX_SCENE_ASSERT(ThreadContext != nullptr, kModule);
  handle_ = GenerateName();
  if (handle_ != 0) {
    ownerContext_ = ThreadContext;
    ownerContext_->allocatedHandles_.push_back(this);
  }
}

void TGLContextHandle::DestroyHandle() {
  if (handle_ == 0) return;
  Finally forget([this] { Forget(); });
  TGLContext* owner = ownerContext_;
  if (owner) Remove(owner->allocatedHandles_, this);
  TGLContext* current = ThreadContext;
  if (!owner || current == owner || (current && Contains(current->sharingGroup_, owner))) {
    DeleteName();
    return;
  }
  TGLContext* other = nullptr;
  const int otherCount = TGLContext::ReleaseOther(owner, other);
  Finally restore([&] { TGLContext::ReactivateOther(other, otherCount); });
  owner->Activate();
  Finally deactivate([owner] { owner->Deactivate(); });
  DeleteName();
}

GLuint TGLListHandle::GenerateName() { return GL.glGenLists(1); }

void TGLListHandle::DeleteName() {
  ClearGLError();
  GL.glDeleteLists(Handle(), 1);
  CheckOpenGLError();
}

GLuint TGLTextureHandle::GenerateName() {
  GLuint name = 0;
  GL.glGenTextures(1, &name);
  return name;
}

void TGLTextureHandle::DeleteName() {
  GL.glGetError();
  GL.glDeleteTextures(1, &HandleRef());
  CheckOpenGLError();
}

GLuint TGLVirtualHandle::GenerateName() {
  GLuint name = 0;
  if (OnGenerate) OnGenerate(this, name);
  return name;
}

void TGLVirtualHandle::DeleteName() {
  ClearGLError();
  if (OnDelete) OnDelete(this, HandleRef());
  CheckOpenGLError();
}

// Manager -----------------------------------------------------------------------------

TGLContext* TGLContextManager::CreateGLContext() {
  if (ContextClasses().empty()) return nullptr;
  TGLContext* context = ContextClasses().front()();
  context->Manager = this;
  return context;
}

void TGLContextManager::AddContext(TGLContext* context) {
  std::lock_guard guard(lock_);
  if (Contains(contexts_, context)) throw EGLContext("Invalid context registration");
  contexts_.push_back(context);
}

void TGLContextManager::RemoveContext(TGLContext* context) {
  std::lock_guard guard(lock_);
  if (!Contains(contexts_, context)) throw EGLContext("Invalid context registration");
  Remove(contexts_, context);
}

int TGLContextManager::ContextCount() const {
  std::lock_guard guard(lock_);
  return static_cast<int>(contexts_.size());
}

void TGLContextManager::DestroyAllHandles() {
  std::lock_guard guard(lock_);
  for (auto it = contexts_.rbegin(); it != contexts_.rend(); ++it) (*it)->DestroyAllHandles();
}

void TGLContextManager::Terminate() {
  if (ContextCount() == 0) {
    if (ContextManager == this) ContextManager = nullptr;
    delete this;
  }
}

void RegisterGLContextClass(TGLContextClass factory) { ContextClasses().push_back(std::move(factory)); }

void UnregisterGLContextClasses() { ContextClasses().clear(); }

// Errors ---------------------------------------------------------------------------------

void CheckOpenGLError() {
  const GLenum code = GL.glGetError();
  if (code == GL_NO_ERROR) return;
  for (int i = 0; i < kErrorDrainLimit; ++i) {
    try {
      if (GL.glGetError() == GL_NO_ERROR) break;
    } catch (...) {
      // Draining must not hide the first error.
    }
  }
  const GLubyte* text = GL.gluErrorString ? GL.gluErrorString(code) : nullptr;
  if (text) throw EOpenGLError(reinterpret_cast<const char*>(text));
  char fallback[48];
  std::snprintf(fallback, sizeof fallback, "OpenGL error 0x%X", code);
  throw EOpenGLError(fallback);
}

void ClearGLError() {
  for (int i = 0; i < kErrorDrainLimit; ++i)
    if (GL.glGetError() == GL_NO_ERROR) return;
}

}  // namespace kx
