// What the recorder tests of the scene share: a context whose platform side
// does nothing, made the only context class, and a recorder in place of the
// GL binding, so that scene code runs and every GL call it makes is seen.
#pragma once

#include "GLRecorder.h"
#include "scene/GLContext.h"
#include "scene/GLStageNode.h"
#include "scene/XOpenGL.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kx {

class TFakeContext : public TGLContext {
 public:
  ~TFakeContext() override {
    try {
      if (IsValid()) DestroyContext();
    } catch (...) {
      Abandon();
      DoDestroyContext();
    }
  }
  bool IsValid() const override { return valid_; }
  void SwapBuffers() override { ++swaps; }
  int swaps = 0;
  int activations = 0;
  // What the last context created asked for.
  static inline int lastColorBits = 0, lastDepthBits = 0, lastStencilBits = 0;

 protected:
  void DoCreateContext(HDC) override {
    lastColorBits = ColorBits();
    lastDepthBits = DepthBits();
    lastStencilBits = StencilBits();
    valid_ = true;
  }
  void DoCreateMemoryContext(HDC, int, int) override { valid_ = true; }
  void DoShareLists(TGLContext*) override {}
  void DoDestroyContext() override { valid_ = false; }
  void DoActivate() override { ++activations; }
  void DoDeactivate() override {}

 private:
  bool valid_ = false;
};

// A recorder whose GL answers as a small implementation would.
class SceneRecorderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UnregisterGLContextClasses();
    RegisterGLContextClass([] { return new TFakeContext; });
  }
  SceneRecorderTest() {
    recorder.SetDefaultResult("glGenLists", 7);
    recorder.SetDefaultResult("gluNewQuadric", 0x1000);
    GL.glGetIntegerv = &GetIntegerv;
    GL.glGetDoublev = &GetDoublev;
    GLCaps.MajorVersion = 1;
    GLCaps.MinorVersion = 1;
  }
  // A current context, for what allocates GL names.
  void MakeCurrent() {
    context_ = std::make_unique<TFakeContext>();
    context_->CreateContext(nullptr);
    context_->Activate();
  }
  ~SceneRecorderTest() override {
    if (context_ && context_->Active()) context_->Deactivate();
  }
  // The calls from the first one named `from` on.
  std::vector<std::string> CallsFrom(const std::string& from) const {
    for (size_t i = 0; i < recorder.Calls().size(); ++i)
      if (recorder.Calls()[i].compare(0, from.size(), from) == 0)
        return std::vector<std::string>(recorder.Calls().begin() + i, recorder.Calls().end());
    return {};
  }

  static void APIENTRY GetIntegerv(GLenum name, GLint* value) {
    TGLRecorder::current_->Record("glGetIntegerv", std::to_string(name));
    *value = name == GL_MAX_LIGHTS ? 8 : name == GL_RED_BITS ? 8 : 0;
  }

  // The largest viewport: small, so that a test can go beyond it.
  static inline GLdouble maxViewport = 4096;
  static void APIENTRY GetDoublev(GLenum name, GLdouble* values) {
    TGLRecorder::current_->Record("glGetDoublev", std::to_string(name));
    if (name == GL_MAX_VIEWPORT_DIMS) values[0] = values[1] = maxViewport;
  }

  TGLRecorder recorder;
  std::unique_ptr<TFakeContext> context_;
};

// The calls of one node's BuildList, texture coordinates switched on.
class NodeBuildTest : public SceneRecorderTest {
 protected:
  NodeBuildTest() : owner_(nullptr) { xglMapTexCoordToMain(); }
  std::vector<std::string> Build(TGLBaseSceneObject& node) {
    recorder.Clear();
    TRenderContextInfo rci;
    node.BuildList(rci);
    return recorder.Calls();
  }
  // The argument lists of the calls named `name`, "(...)".
  static std::vector<std::string> Only(const std::vector<std::string>& calls, const std::string& name) {
    std::vector<std::string> result;
    for (const std::string& call : calls)
      if (call.rfind(name + "(", 0) == 0) result.push_back(call.substr(name.size()));
    return result;
  }
  static int Count(const std::vector<std::string>& calls, const std::string& prefix) {
    int n = 0;
    for (const std::string& call : calls) n += call.rfind(prefix, 0) == 0;
    return n;
  }
  TComponent owner_;
};

}  // namespace kx
