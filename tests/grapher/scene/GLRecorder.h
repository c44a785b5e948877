// Puts recording stubs in place of every OpenGL, GLU and WGL entry point.
#pragma once

#include "scene/OpenGL1x.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace kx {

// While it lives, every call through `GL` is recorded as text, for example
// "glClear(16384)" or "glDeleteLists(5,1)". Functions that return a value
// hand out the queued results for their name, then the default result (0
// unless set). A test may still put its own function into any slot.
class TGLRecorder {
 public:
  TGLRecorder();
  ~TGLRecorder();
  TGLRecorder(const TGLRecorder&) = delete;
  TGLRecorder& operator=(const TGLRecorder&) = delete;

  void QueueResult(const std::string& name, uintptr_t value) { queued_[name].push_back(value); }
  void SetDefaultResult(const std::string& name, uintptr_t value) { defaults_[name] = value; }
  // Calls whose name is `name`, in order.
  std::vector<std::string> CallsTo(const std::string& name) const;
  int Count(const std::string& name) const { return static_cast<int>(CallsTo(name).size()); }
  void Clear() { calls_.clear(); }
  const std::vector<std::string>& Calls() const { return calls_; }

  static TGLRecorder* current_;
  void Record(const char* name, std::string arguments);
  uintptr_t NextResult(const char* name);

 private:
  TGLEntryPoints savedTable_;
  TGLCapabilities savedCaps_;
  std::map<std::string, std::deque<uintptr_t>> queued_;
  std::map<std::string, uintptr_t> defaults_;
  std::vector<std::string> calls_;
};

}  // namespace kx
