// The texture-coordinate switch: drawing code calls these entries instead of
// the OpenGL texture-coordinate functions, and one mapping call decides
// whether texture coordinates go nowhere, to unit 0, to unit 1 or to both.
// Calls compiled into a display list go through the mapping in force while
// the list is built.
#pragma once

#include "scene/OpenGL1x.h"

#include <cstdint>

namespace kx {

struct TXGLEntries {
  void(APIENTRY* TexCoord2f)(GLfloat, GLfloat);
  void(APIENTRY* TexCoord2fv)(const GLfloat*);
  void(APIENTRY* TexCoord3f)(GLfloat, GLfloat, GLfloat);
  void(APIENTRY* TexCoord3fv)(const GLfloat*);
  void(APIENTRY* TexCoord4f)(GLfloat, GLfloat, GLfloat, GLfloat);
  void(APIENTRY* TexCoord4fv)(const GLfloat*);
  void(APIENTRY* TexGenf)(GLenum, GLenum, GLfloat);
  void(APIENTRY* TexGenfv)(GLenum, GLenum, const GLfloat*);
  void(APIENTRY* TexGeni)(GLenum, GLenum, GLint);
  void(APIENTRY* TexGeniv)(GLenum, GLenum, const GLint*);
  void(APIENTRY* TexCoordPointer)(GLint, GLenum, GLsizei, const GLvoid*);
  void(APIENTRY* EnableClientState)(GLenum);
  void(APIENTRY* DisableClientState)(GLenum);
  void(APIENTRY* Enable)(GLenum);
  void(APIENTRY* Disable)(GLenum);
};

// The process-wide table; before the first frame every entry is a no-op.
extern TXGLEntries XGL;

enum TXGLMapping : uint8_t { xmUndefined, xmNull, xmMain, xmDual, xmSecond };
TXGLMapping CurrentTexCoordMapping();

void xglMapTexCoordToNull();
void xglMapTexCoordToMain();
// These two need GL_ARB_multitexture.
void xglMapTexCoordToSecond();
void xglMapTexCoordToDual();
// Inside a bracket only the last mapping asked for takes effect, once, at
// the outermost end.
void xglBeginUpdate();
void xglEndUpdate();

inline void xglTexCoord2f(GLfloat s, GLfloat t) { XGL.TexCoord2f(s, t); }
inline void xglTexCoord2fv(const GLfloat* v) { XGL.TexCoord2fv(v); }
inline void xglTexCoord3f(GLfloat s, GLfloat t, GLfloat r) { XGL.TexCoord3f(s, t, r); }
inline void xglTexCoord3fv(const GLfloat* v) { XGL.TexCoord3fv(v); }
inline void xglTexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q) { XGL.TexCoord4f(s, t, r, q); }
inline void xglTexCoord4fv(const GLfloat* v) { XGL.TexCoord4fv(v); }
inline void xglTexGenf(GLenum coord, GLenum name, GLfloat value) { XGL.TexGenf(coord, name, value); }
inline void xglTexGenfv(GLenum coord, GLenum name, const GLfloat* values) { XGL.TexGenfv(coord, name, values); }
inline void xglTexGeni(GLenum coord, GLenum name, GLint value) { XGL.TexGeni(coord, name, value); }
inline void xglTexGeniv(GLenum coord, GLenum name, const GLint* values) { XGL.TexGeniv(coord, name, values); }
inline void xglTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* data) {
  XGL.TexCoordPointer(size, type, stride, data);
}
inline void xglEnableClientState(GLenum array) { XGL.EnableClientState(array); }
inline void xglDisableClientState(GLenum array) { XGL.DisableClientState(array); }
inline void xglEnable(GLenum cap) { XGL.Enable(cap); }
inline void xglDisable(GLenum cap) { XGL.Disable(cap); }

}  // namespace kx
