#include "scene/XOpenGL.h"

#include "scene/GLCrossPlatform.h"

namespace kx {

namespace {

constexpr const char* kModule = "XOpenGL";
// The checks report fixed line numbers, whatever this file looks like.
constexpr int kSecondLine = 448, kDualLine = 479, kPendingLine = 375;

TXGLMapping Mapping = xmUndefined;
int UpdateCount = 0;
TXGLMapping PendingMapping = xmUndefined;

// Discards its arguments.
template <class... A>
void APIENTRY Ignore(A...) {}

// Unit 0: the plain functions, looked up at every call so that a replaced
// binding is honoured.
namespace plain {
void APIENTRY TexCoord2f(GLfloat s, GLfloat t) { GL.glTexCoord2f(s, t); }
void APIENTRY TexCoord2fv(const GLfloat* v) { GL.glTexCoord2fv(v); }
void APIENTRY TexCoord3f(GLfloat s, GLfloat t, GLfloat r) { GL.glTexCoord3f(s, t, r); }
void APIENTRY TexCoord3fv(const GLfloat* v) { GL.glTexCoord3fv(v); }
void APIENTRY TexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q) { GL.glTexCoord4f(s, t, r, q); }
void APIENTRY TexCoord4fv(const GLfloat* v) { GL.glTexCoord4fv(v); }
void APIENTRY TexGenf(GLenum c, GLenum n, GLfloat v) { GL.glTexGenf(c, n, v); }
void APIENTRY TexGenfv(GLenum c, GLenum n, const GLfloat* v) { GL.glTexGenfv(c, n, v); }
void APIENTRY TexGeni(GLenum c, GLenum n, GLint v) { GL.glTexGeni(c, n, v); }
void APIENTRY TexGeniv(GLenum c, GLenum n, const GLint* v) { GL.glTexGeniv(c, n, v); }
void APIENTRY TexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* data) {
  GL.glTexCoordPointer(size, type, stride, data);
}
void APIENTRY EnableClientState(GLenum a) { GL.glEnableClientState(a); }
void APIENTRY DisableClientState(GLenum a) { GL.glDisableClientState(a); }
void APIENTRY Enable(GLenum c) { GL.glEnable(c); }
void APIENTRY Disable(GLenum c) { GL.glDisable(c); }
}  // namespace plain

// Unit 1 only.
namespace second {
void APIENTRY TexCoord2f(GLfloat s, GLfloat t) { GL.glMultiTexCoord2fARB(GL_TEXTURE1_ARB, s, t); }
void APIENTRY TexCoord2fv(const GLfloat* v) { GL.glMultiTexCoord2fvARB(GL_TEXTURE1_ARB, v); }
void APIENTRY TexCoord3f(GLfloat s, GLfloat t, GLfloat r) { GL.glMultiTexCoord3fARB(GL_TEXTURE1_ARB, s, t, r); }
void APIENTRY TexCoord3fv(const GLfloat* v) { GL.glMultiTexCoord3fvARB(GL_TEXTURE1_ARB, v); }
void APIENTRY TexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q) {
  GL.glMultiTexCoord4fARB(GL_TEXTURE1_ARB, s, t, r, q);
}
void APIENTRY TexCoord4fv(const GLfloat* v) { GL.glMultiTexCoord4fvARB(GL_TEXTURE1_ARB, v); }

// Runs a plain call with unit 1 active, then makes unit 0 active again.
template <class F>
void Unit1(F call) {
  GL.glActiveTextureARB(GL_TEXTURE1_ARB);
  call();
  GL.glActiveTextureARB(GL_TEXTURE0_ARB);
}
template <class F>
void ClientUnit1(F call) {
  GL.glClientActiveTextureARB(GL_TEXTURE1_ARB);
  call();
  GL.glClientActiveTextureARB(GL_TEXTURE0_ARB);
}

void APIENTRY TexGenf(GLenum c, GLenum n, GLfloat v) {
  Unit1([&] { GL.glTexGenf(c, n, v); });
}
void APIENTRY TexGenfv(GLenum c, GLenum n, const GLfloat* v) {
  Unit1([&] { GL.glTexGenfv(c, n, v); });
}
void APIENTRY TexGeni(GLenum c, GLenum n, GLint v) {
  Unit1([&] { GL.glTexGeni(c, n, v); });
}
void APIENTRY TexGeniv(GLenum c, GLenum n, const GLint* v) {
  Unit1([&] { GL.glTexGeniv(c, n, v); });
}
void APIENTRY TexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* data) {
  ClientUnit1([&] { GL.glTexCoordPointer(size, type, stride, data); });
}
void APIENTRY EnableClientState(GLenum a) {
  ClientUnit1([&] { GL.glEnableClientState(a); });
}
void APIENTRY DisableClientState(GLenum a) {
  ClientUnit1([&] { GL.glDisableClientState(a); });
}
void APIENTRY Enable(GLenum c) {
  Unit1([&] { GL.glEnable(c); });
}
void APIENTRY Disable(GLenum c) {
  Unit1([&] { GL.glDisable(c); });
}
}  // namespace second

// Unit 0, then unit 1, with the same arguments.
namespace dual {
template <auto Plain, auto Second, class... A>
void APIENTRY Both(A... args) {
  Plain(args...);
  Second(args...);
}
}  // namespace dual

void SetTable(TXGLMapping mapping) {
  Mapping = mapping;
  switch (mapping) {
    case xmNull:
      XGL = {&Ignore<GLfloat, GLfloat>,
             &Ignore<const GLfloat*>,
             &Ignore<GLfloat, GLfloat, GLfloat>,
             &Ignore<const GLfloat*>,
             &Ignore<GLfloat, GLfloat, GLfloat, GLfloat>,
             &Ignore<const GLfloat*>,
             &Ignore<GLenum, GLenum, GLfloat>,
             &Ignore<GLenum, GLenum, const GLfloat*>,
             &Ignore<GLenum, GLenum, GLint>,
             &Ignore<GLenum, GLenum, const GLint*>,
             &Ignore<GLint, GLenum, GLsizei, const GLvoid*>,
             &Ignore<GLenum>,
             &Ignore<GLenum>,
             &Ignore<GLenum>,
             &Ignore<GLenum>};
      return;
    case xmMain:
      XGL = {&plain::TexCoord2f,
             &plain::TexCoord2fv,
             &plain::TexCoord3f,
             &plain::TexCoord3fv,
             &plain::TexCoord4f,
             &plain::TexCoord4fv,
             &plain::TexGenf,
             &plain::TexGenfv,
             &plain::TexGeni,
             &plain::TexGeniv,
             &plain::TexCoordPointer,
             &plain::EnableClientState,
             &plain::DisableClientState,
             &plain::Enable,
             &plain::Disable};
      return;
    case xmSecond:
      XGL = {&second::TexCoord2f,
             &second::TexCoord2fv,
             &second::TexCoord3f,
             &second::TexCoord3fv,
             &second::TexCoord4f,
             &second::TexCoord4fv,
             &second::TexGenf,
             &second::TexGenfv,
             &second::TexGeni,
             &second::TexGeniv,
             &second::TexCoordPointer,
             &second::EnableClientState,
             &second::DisableClientState,
             &second::Enable,
             &second::Disable};
      return;
    case xmDual:
      XGL = {&dual::Both<plain::TexCoord2f, second::TexCoord2f, GLfloat, GLfloat>,
             &dual::Both<plain::TexCoord2fv, second::TexCoord2fv, const GLfloat*>,
             &dual::Both<plain::TexCoord3f, second::TexCoord3f, GLfloat, GLfloat, GLfloat>,
             &dual::Both<plain::TexCoord3fv, second::TexCoord3fv, const GLfloat*>,
             &dual::Both<plain::TexCoord4f, second::TexCoord4f, GLfloat, GLfloat, GLfloat, GLfloat>,
             &dual::Both<plain::TexCoord4fv, second::TexCoord4fv, const GLfloat*>,
             &dual::Both<plain::TexGenf, second::TexGenf, GLenum, GLenum, GLfloat>,
             &dual::Both<plain::TexGenfv, second::TexGenfv, GLenum, GLenum, const GLfloat*>,
             &dual::Both<plain::TexGeni, second::TexGeni, GLenum, GLenum, GLint>,
             &dual::Both<plain::TexGeniv, second::TexGeniv, GLenum, GLenum, const GLint*>,
             &dual::Both<plain::TexCoordPointer, second::TexCoordPointer, GLint, GLenum, GLsizei, const GLvoid*>,
             &dual::Both<plain::EnableClientState, second::EnableClientState, GLenum>,
             &dual::Both<plain::DisableClientState, second::DisableClientState, GLenum>,
             &dual::Both<plain::Enable, second::Enable, GLenum>,
             &dual::Both<plain::Disable, second::Disable, GLenum>};
      return;
    case xmUndefined:
      return;
  }
}

// Every mapping operation: deferred inside a bracket, nothing when unchanged.
void MapTo(TXGLMapping mapping) {
  if (UpdateCount > 0) {
    PendingMapping = mapping;
    return;
  }
  if (Mapping == mapping) return;
  SetTable(mapping);
}

struct XOpenGLModule {
  XOpenGLModule() {
    Mapping = xmUndefined;
    xglMapTexCoordToNull();
  }
};

}  // namespace

TXGLEntries XGL{};
static XOpenGLModule xopenglModule;

TXGLMapping CurrentTexCoordMapping() { return Mapping; }

void xglMapTexCoordToNull() { MapTo(xmNull); }

void xglMapTexCoordToMain() { MapTo(xmMain); }

void xglMapTexCoordToSecond() {
  Assert(GLCaps.GL_ARB_multitexture, "Assertion failure", kModule, kSecondLine);
  MapTo(xmSecond);
}

void xglMapTexCoordToDual() {
  Assert(GLCaps.GL_ARB_multitexture, "Assertion failure", kModule, kDualLine);
  MapTo(xmDual);
}

void xglBeginUpdate() {
  if (UpdateCount == 0) {
    UpdateCount = 1;
    PendingMapping = Mapping;
  } else {
    ++UpdateCount;
  }
}

void xglEndUpdate() {
  if (UpdateCount <= 0) return;
  if (--UpdateCount > 0 || PendingMapping == Mapping) return;
  switch (PendingMapping) {
    case xmNull:
      xglMapTexCoordToNull();
      return;
    case xmMain:
      xglMapTexCoordToMain();
      return;
    case xmDual:
      xglMapTexCoordToDual();
      return;
    case xmSecond:
      xglMapTexCoordToSecond();
      return;
    default:
      Assert(false, "Assertion failure", kModule, kPendingLine);
  }
}

}  // namespace kx
