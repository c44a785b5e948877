#include "scene/OpenGL1x.h"

#include <cstring>

namespace kx {

TGLEntryPoints GL;
TGLCapabilities GLCaps;

namespace {

HMODULE GLHandle = nullptr;
HMODULE GLUHandle = nullptr;

template <class F>
void Fetch(HMODULE module, F& slot, const char* name) {
  slot = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// wglGetProcAddress may answer 1, 2, 3 or -1 for unknown names on some drivers.
template <class F>
void FetchExtension(F& slot, const char* name) {
  PROC proc = GL.wglGetProcAddress ? GL.wglGetProcAddress(name) : nullptr;
  const auto value = reinterpret_cast<INT_PTR>(proc);
  if (value >= -1 && value <= 3) proc = nullptr;
  slot = reinterpret_cast<F>(reinterpret_cast<void*>(proc));
}

const char* SafeString(const GLubyte* text) { return text ? reinterpret_cast<const char*>(text) : ""; }

// Module start-up: the process-wide x87 control word (all exceptions masked,
// 64-bit precision, round to nearest), so that drivers and geometry see
// infinities and NaNs instead of faults.
struct BindingModule {
  BindingModule() {
    const uint16_t word = kProcessControlWord;
    __asm__ volatile("fldcw %0" : : "m"(word));
  }
};
BindingModule bindingModule;

}  // namespace

bool InitOpenGL() {
  if (!GLHandle) GLHandle = LoadLibraryA("OpenGL32.dll");
  if (!GLUHandle) GLUHandle = LoadLibraryA("GLU32.dll");
  if (!GLHandle || !GLUHandle) return false;
#define X(name, type) Fetch(GLHandle, GL.name, #name);
  KX_GL_CORE_FUNCTIONS(X)
#undef X
#define X(name, type) Fetch(GLUHandle, GL.name, #name);
  KX_GLU_FUNCTIONS(X)
#undef X
  return true;
}

void CloseOpenGL() {
  GL = TGLEntryPoints{};
  GLCaps = TGLCapabilities{};
  if (GLUHandle) FreeLibrary(GLUHandle);
  if (GLHandle) FreeLibrary(GLHandle);
  GLUHandle = GLHandle = nullptr;
}

void ReadExtensions() {
#define X(name, type) FetchExtension(GL.name, #name);
  KX_GL_EXTENSION_FUNCTIONS(X)
  KX_WGL_EXTENSION_FUNCTIONS(X)
#undef X
  ReadImplementationProperties();
}

void ReadImplementationProperties() {
  if (!GL.glGetString) return;
  ParseGLVersion(SafeString(GL.glGetString(GL_VERSION)), GLCaps.MajorVersion, GLCaps.MinorVersion);
  if (GL.gluGetString)
    ParseGLVersion(SafeString(GL.gluGetString(GLU_VERSION)), GLCaps.GLUMajorVersion, GLCaps.GLUMinorVersion);
  const char* extensions = SafeString(GL.glGetString(GL_EXTENSIONS));
#define X(name) GLCaps.name = HasExtension(extensions, #name);
  KX_GL_EXTENSION_FLAGS(X)
#undef X
  ReadWGLImplementationProperties();
}

void ReadWGLExtensions() {
#define X(name, type) FetchExtension(GL.name, #name);
  KX_WGL_EXTENSION_FUNCTIONS(X)
#undef X
  ReadWGLImplementationProperties();
}

void ReadWGLImplementationProperties() {
  const char* extensions = "";
  if (GL.wglGetExtensionsStringARB && GL.wglGetCurrentDC)
    extensions = GL.wglGetExtensionsStringARB(GL.wglGetCurrentDC());
  else if (GL.wglGetExtensionsStringEXT)
    extensions = GL.wglGetExtensionsStringEXT();
  if (!extensions) extensions = "";
#define X(name) GLCaps.name = HasExtension(extensions, #name);
  KX_WGL_EXTENSION_FLAGS(X)
#undef X
}

bool ParseGLVersion(const char* text, int& major, int& minor) {
  major = minor = 0;
  if (!text) return false;
  auto number = [](const char*& p, int& value) {
    if (*p < '0' || *p > '9') return false;
    value = 0;
    while (*p >= '0' && *p <= '9') {
      if (value > 10000) return false;
      value = value * 10 + (*p++ - '0');
    }
    return true;
  };
  const char* p = text;
  int a = 0, b = 0;
  if (!number(p, a) || *p++ != '.' || !number(p, b)) return false;
  if (*p != '\0' && *p != '.' && *p != ' ') return false;
  major = a;
  minor = b;
  return true;
}

bool HasExtension(const char* extensions, const char* name) {
  if (!extensions || !name || !*name) return false;
  const size_t length = std::strlen(name);
  for (const char* p = extensions; (p = std::strstr(p, name)) != nullptr; p += length) {
    const bool startsWord = p == extensions || p[-1] == ' ';
    const bool endsWord = p[length] == '\0' || p[length] == ' ';
    if (startsWord && endsWord) return true;
  }
  return false;
}

}  // namespace kx
