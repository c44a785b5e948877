#include "GLRecorder.h"

#include <cstdio>
#include <type_traits>

namespace kx {

TGLRecorder* TGLRecorder::current_ = nullptr;

namespace {

enum EntryIndex {
#define X(name, type) ix_##name,
  KX_GL_ALL_FUNCTIONS(X)
#undef X
};

constexpr const char* kNames[] = {
#define X(name, type) #name,
    KX_GL_ALL_FUNCTIONS(X)
#undef X
};

template <class T>
std::string Text(T value) {
  char buffer[32];
  if constexpr (std::is_floating_point_v<T>)
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
  else if constexpr (std::is_pointer_v<T>)
    std::snprintf(buffer, sizeof buffer, "%p", reinterpret_cast<const void*>(value));
  else
    std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
  return buffer;
}

template <class... A>
std::string Join(A... args) {
  std::string text;
  ((text += (text.empty() ? "" : ","), text += Text(args)), ...);
  return text;
}

template <class F>
struct Stub;

template <class R, class... A>
struct Stub<R(APIENTRY*)(A...)> {
  template <int Index>
  static R APIENTRY Call(A... args) {
    TGLRecorder* recorder = TGLRecorder::current_;
    recorder->Record(kNames[Index], Join(args...));
    if constexpr (std::is_void_v<R>) {
      return;
    } else {
      const uintptr_t result = recorder->NextResult(kNames[Index]);
      if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<R>(result);
      else
        return static_cast<R>(result);
    }
  }
};

}  // namespace

TGLRecorder::TGLRecorder() : savedTable_(GL), savedCaps_(GLCaps) {
  current_ = this;
#define X(name, type) GL.name = &Stub<type>::template Call<ix_##name>;
  KX_GL_ALL_FUNCTIONS(X)
#undef X
}

TGLRecorder::~TGLRecorder() {
  GL = savedTable_;
  GLCaps = savedCaps_;
  current_ = nullptr;
}

void TGLRecorder::Record(const char* name, std::string arguments) {
  calls_.push_back(std::string(name) + "(" + arguments + ")");
}

uintptr_t TGLRecorder::NextResult(const char* name) {
  auto queue = queued_.find(name);
  if (queue != queued_.end() && !queue->second.empty()) {
    const uintptr_t value = queue->second.front();
    queue->second.pop_front();
    return value;
  }
  auto fallback = defaults_.find(name);
  return fallback == defaults_.end() ? 0 : fallback->second;
}

std::vector<std::string> TGLRecorder::CallsTo(const std::string& name) const {
  std::vector<std::string> result;
  for (const std::string& call : calls_)
    if (call.compare(0, name.size() + 1, name + "(") == 0) result.push_back(call);
  return result;
}

}  // namespace kx
