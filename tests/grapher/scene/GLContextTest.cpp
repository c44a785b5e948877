#include "scene/GLContext.h"
#include "GLRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace kx;

namespace {

// A context whose platform hooks only write a log.
class TFakeContext : public TGLContext {
 public:
  explicit TFakeContext(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  // As the platform context does: one that cannot be made current any more
  // is abandoned and released directly.
  ~TFakeContext() override {
    try {
      if (IsValid()) DestroyContext();
    } catch (...) {
      Abandon();
      DoDestroyContext();
    }
  }
  bool IsValid() const override { return valid_; }
  void SwapBuffers() override {}
  bool failActivation_ = false;

 protected:
  void DoCreateContext(HDC) override { Log("create"), valid_ = true; }
  void DoCreateMemoryContext(HDC, int, int) override { Log("create memory"), valid_ = true; }
  void DoShareLists(TGLContext*) override { Log("share"); }
  void DoDestroyContext() override { Log("destroy"), valid_ = false; }
  void DoActivate() override {
    if (failActivation_) throw EGLContext("activation refused");
    Log("activate");
  }
  void DoDeactivate() override { Log("deactivate"); }

 private:
  void Log(const char* what) { log_.push_back(name_ + " " + what); }
  std::string name_;
  std::vector<std::string>& log_;
  bool valid_ = false;
};

GLuint nextTextureName = 100;
void APIENTRY GenTextures(GLsizei count, GLuint* names) {
  for (GLsizei i = 0; i < count; ++i) names[i] = nextTextureName++;
}

class GLContextTest : public ::testing::Test {
 protected:
  GLContextTest() { GL.glGenTextures = &GenTextures; }

  std::unique_ptr<TFakeContext> Make(const char* name) {
    auto context = std::make_unique<TFakeContext>(name, log_);
    context->CreateContext(nullptr);
    return context;
  }
  int CountOf(const std::string& entry) const { return static_cast<int>(std::count(log_.begin(), log_.end(), entry)); }

  TGLRecorder recorder_;
  std::vector<std::string> log_;
};

TEST_F(GLContextTest, ActivationsNestAndOnlyTheOutermostReachesThePlatform) {
  auto a = Make("a");
  a->Activate();
  a->Activate();
  EXPECT_EQ(CurrentGLContext(), a.get());
  a->Deactivate();
  EXPECT_TRUE(a->Active());
  a->Deactivate();
  EXPECT_EQ(CountOf("a activate"), 1);
  EXPECT_EQ(CountOf("a deactivate"), 1);
  EXPECT_EQ(CurrentGLContext(), nullptr);
  EXPECT_THROW(a->Deactivate(), EAssertionFailed);  // no longer current on this thread
}

TEST_F(GLContextTest, FramebufferWishesAreFrozenWhileActive) {
  auto a = Make("a");
  a->SetDepthBits(16);
  a->Activate();
  try {
    a->SetDepthBits(24);
    FAIL() << "no exception";
  } catch (const EGLContext& e) {
    EXPECT_STREQ(e.what(), "Cannot alter an active context");
  }
  EXPECT_EQ(a->DepthBits(), 16);
  EXPECT_THROW(a->SetOptions({cfDoubleBuffer}), EGLContext);
  a->Deactivate();
  a->SetDepthBits(24);
  EXPECT_EQ(a->DepthBits(), 24);
}

TEST_F(GLContextTest, LifeCycleMisuseIsReported) {
  TFakeContext a("a", log_);
  EXPECT_EQ(a.ColorBits(), 32);
  EXPECT_THROW(a.Activate(), EGLContext);
  EXPECT_THROW(a.ShareLists(&a), EGLContext);
  a.CreateContext(nullptr);
  EXPECT_THROW(a.CreateContext(nullptr), EGLContext);
  EXPECT_EQ(a.SharingGroup(), std::vector<TGLContext*>{&a});
  a.failActivation_ = true;
  EXPECT_THROW(a.Activate(), EGLContext);
  EXPECT_FALSE(a.Active());
  EXPECT_EQ(CurrentGLContext(), nullptr);
  a.failActivation_ = false;
}

TEST_F(GLContextTest, HandlesNeedACurrentContextAndAreAllocatedOnce) {
  TGLListHandle list;
  EXPECT_THROW(list.AllocateHandle(), EAssertionFailed);
  auto a = Make("a");
  a->Activate();
  recorder_.QueueResult("glGenLists", 5);
  list.AllocateHandle();
  EXPECT_EQ(list.Handle(), 5u);
  EXPECT_EQ(list.OwnerContext(), a.get());
  EXPECT_THROW(list.AllocateHandle(), EAssertionFailed);
  list.DestroyHandle();
  EXPECT_EQ(list.Handle(), 0u);
  EXPECT_EQ(list.OwnerContext(), nullptr);
  EXPECT_EQ(recorder_.CallsTo("glDeleteLists"), std::vector<std::string>{"glDeleteLists(5,1)"});
  a->Deactivate();
}

TEST_F(GLContextTest, AZeroNameIsNotOwned) {
  auto a = Make("a");
  a->Activate();
  TGLVirtualHandle handle;  // no generator: name 0
  handle.AllocateHandle();
  EXPECT_EQ(handle.Handle(), 0u);
  EXPECT_TRUE(a->AllocatedHandles().empty());
  a->Deactivate();
}

TEST_F(GLContextTest, DestroyingOneOfTwoSharingContextsHandsItsNamesOver) {
  auto a = Make("a");
  auto b = Make("b");
  a->ShareLists(b.get());
  EXPECT_EQ(b->SharingGroup(), (std::vector<TGLContext*>{a.get(), b.get()}));
  TGLListHandle list;
  TGLTextureHandle texture;
  a->Activate();
  recorder_.QueueResult("glGenLists", 7);
  list.AllocateHandle();
  texture.AllocateHandle();
  a->Deactivate();
  recorder_.Clear();

  a->DestroyContext();
  EXPECT_FALSE(a->IsValid());
  EXPECT_EQ(recorder_.Count("glDeleteLists"), 0);
  EXPECT_EQ(recorder_.Count("glDeleteTextures"), 0);
  EXPECT_EQ(list.OwnerContext(), b.get());
  EXPECT_EQ(texture.OwnerContext(), b.get());
  EXPECT_EQ(b->AllocatedHandles(), (std::vector<TGLContextHandle*>{&texture, &list}));
  EXPECT_EQ(b->SharingGroup(), std::vector<TGLContext*>{b.get()});
  EXPECT_TRUE(a->SharingGroup().empty());
}

TEST_F(GLContextTest, DestroyingTheLastContextOfAGroupDeletesItsNames) {
  auto a = Make("a");
  TGLListHandle list;
  TGLTextureHandle texture;
  TGLVirtualHandle user;
  std::vector<GLuint> deletedUserNames;
  user.OnGenerate = [](TGLVirtualHandle*, GLuint& name) { name = 42; };
  user.OnDelete = [&](TGLVirtualHandle*, GLuint& name) { deletedUserNames.push_back(name); };
  a->Activate();
  recorder_.QueueResult("glGenLists", 3);
  list.AllocateHandle();
  texture.AllocateHandle();
  user.AllocateHandle();
  a->Deactivate();
  log_.clear();

  a->DestroyContext();
  EXPECT_EQ(recorder_.CallsTo("glDeleteLists"), std::vector<std::string>{"glDeleteLists(3,1)"});
  EXPECT_EQ(recorder_.Count("glDeleteTextures"), 1);
  EXPECT_EQ(deletedUserNames, std::vector<GLuint>{42});
  for (TGLContextHandle* h : std::initializer_list<TGLContextHandle*>{&list, &texture, &user}) {
    EXPECT_EQ(h->Handle(), 0u);
    EXPECT_EQ(h->OwnerContext(), nullptr);
  }
  EXPECT_EQ(log_, (std::vector<std::string>{"a activate", "a deactivate", "a destroy"}));
}

TEST_F(GLContextTest, DestroyContextRestoresANestedOtherContextFully) {
  auto a = Make("a");
  auto b = Make("b");
  b->Activate();
  b->Activate();
  log_.clear();
  a->DestroyContext();
  EXPECT_EQ(log_, (std::vector<std::string>{"b deactivate", "a activate", "a deactivate", "a destroy", "b activate"}));
  EXPECT_EQ(CurrentGLContext(), b.get());
  b->Deactivate();
  b->Deactivate();  // both outer activations are still balanced
  EXPECT_EQ(CurrentGLContext(), nullptr);
}

TEST_F(GLContextTest, AContextThatCannotBeMadeCurrentLeavesNoReferenceBehind) {
  auto b = Make("b");
  TGLListHandle shared, own;
  {
    auto a = Make("a");
    a->ShareLists(b.get());
    a->Activate();
    recorder_.QueueResult("glGenLists", 4);
    shared.AllocateHandle();
    a->Deactivate();
    a->failActivation_ = true;
    EXPECT_THROW(a->DestroyContext(), EGLContext);
    EXPECT_TRUE(a->IsValid());  // a failed destruction changes nothing
  }
  EXPECT_EQ(shared.OwnerContext(), b.get());
  EXPECT_EQ(b->AllocatedHandles(), std::vector<TGLContextHandle*>{&shared});
  EXPECT_EQ(b->SharingGroup(), std::vector<TGLContext*>{b.get()});
  {
    auto c = Make("c");
    c->Activate();
    recorder_.QueueResult("glGenLists", 6);
    own.AllocateHandle();
    c->Deactivate();
    c->failActivation_ = true;
  }
  EXPECT_EQ(own.Handle(), 0u);
  EXPECT_EQ(own.OwnerContext(), nullptr);
  EXPECT_EQ(CurrentGLContext(), nullptr);
  EXPECT_EQ(recorder_.Count("glDeleteLists"), 0);  // no context could be current for it
}

TEST_F(GLContextTest, DestroyHandleVisitsItsOwnerAndComesBack) {
  auto a = Make("a");
  auto b = Make("b");
  TGLListHandle list;
  a->Activate();
  recorder_.QueueResult("glGenLists", 9);
  list.AllocateHandle();
  a->Deactivate();
  b->Activate();
  b->Activate();
  log_.clear();
  list.DestroyHandle();
  EXPECT_EQ(log_, (std::vector<std::string>{"b deactivate", "a activate", "a deactivate", "b activate"}));
  EXPECT_EQ(recorder_.Count("glDeleteLists"), 1);
  b->Deactivate();
  b->Deactivate();
}

TEST_F(GLContextTest, DestroyHandleInASharingContextNeedsNoSwitch) {
  auto a = Make("a");
  auto b = Make("b");
  a->ShareLists(b.get());
  TGLTextureHandle texture;
  a->Activate();
  texture.AllocateHandle();
  a->Deactivate();
  b->Activate();
  log_.clear();
  texture.DestroyHandle();
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(recorder_.Count("glDeleteTextures"), 1);
  b->Deactivate();
}

TEST_F(GLContextTest, DestroyAllHandlesEmptiesTheContext) {
  auto a = Make("a");
  TGLListHandle first, second;
  a->Activate();
  recorder_.QueueResult("glGenLists", 1);
  recorder_.QueueResult("glGenLists", 2);
  first.AllocateHandle();
  second.AllocateHandle();
  a->Deactivate();
  a->DestroyAllHandles();
  EXPECT_EQ(recorder_.CallsTo("glDeleteLists"), (std::vector<std::string>{"glDeleteLists(2,1)", "glDeleteLists(1,1)"}));
  EXPECT_TRUE(a->AllocatedHandles().empty());
  EXPECT_FALSE(a->Active());
}

TEST_F(GLContextTest, CheckOpenGLErrorReportsTheFirstOfSeveralErrors) {
  static const char text[] = "invalid enumerant";
  for (GLenum code : {GL_INVALID_ENUM, GL_INVALID_VALUE, GL_INVALID_OPERATION})
    recorder_.QueueResult("glGetError", code);
  recorder_.QueueResult("gluErrorString", reinterpret_cast<uintptr_t>(text));
  try {
    CheckOpenGLError();
    FAIL() << "no exception";
  } catch (const EOpenGLError& e) {
    EXPECT_STREQ(e.what(), "invalid enumerant");
  }
  EXPECT_EQ(recorder_.CallsTo("gluErrorString"), std::vector<std::string>{"gluErrorString(1280)"});
  EXPECT_EQ(recorder_.Count("glGetError"), 4);
  EXPECT_NO_THROW(CheckOpenGLError());  // nothing left pending
}

TEST_F(GLContextTest, ErrorDrainsAreBoundedWhenErrorsNeverStop) {
  recorder_.SetDefaultResult("glGetError", GL_INVALID_OPERATION);
  ClearGLError();
  EXPECT_EQ(recorder_.Count("glGetError"), 7);
  recorder_.Clear();
  EXPECT_THROW(CheckOpenGLError(), EOpenGLError);
  EXPECT_EQ(recorder_.Count("glGetError"), 8);
}

TEST_F(GLContextTest, ManagerRegistersEveryContextOnce) {
  ASSERT_NE(ContextManager, nullptr);
  const int before = ContextManager->ContextCount();
  {
    TFakeContext a("a", log_);
    EXPECT_EQ(ContextManager->ContextCount(), before + 1);
    EXPECT_THROW(ContextManager->AddContext(&a), EGLContext);
  }
  EXPECT_EQ(ContextManager->ContextCount(), before);
  TFakeContext* stray = nullptr;
  EXPECT_THROW(ContextManager->RemoveContext(stray), EGLContext);
}

TEST_F(GLContextTest, CreateGLContextUsesTheFirstRegisteredClass) {
  UnregisterGLContextClasses();
  EXPECT_EQ(ContextManager->CreateGLContext(), nullptr);
  RegisterGLContextClass([this] { return new TFakeContext("first", log_); });
  RegisterGLContextClass([this] { return new TFakeContext("second", log_); });
  std::unique_ptr<TGLContext> context(ContextManager->CreateGLContext());
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->Manager, ContextManager);
  context->CreateContext(nullptr);
  EXPECT_EQ(log_, std::vector<std::string>{"first create"});
  UnregisterGLContextClasses();
}

}  // namespace
