// OpenGL 1.1, GLU and WGL bound by name at run time.
//
// Every call goes through the table `GL`, so tests can fill it with recording
// stubs. The core entry points come from opengl32.dll and glu32.dll by
// GetProcAddress; extension entry points from wglGetProcAddress while a
// context is current. `GLCaps` holds the versions and one flag per known
// extension, read from the current context.
#pragma once

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>

// gl.h marks these extensions as compiled in; here the names are our flags.
#undef GL_EXT_vertex_array
#undef GL_EXT_bgra
#undef GL_EXT_paletted_texture

namespace kx {

// Extension constants the library uses.
inline constexpr GLenum GL_MULTISAMPLE_FILTER_HINT_NV = 0x8534;
inline constexpr GLenum GL_TEXTURE0_ARB = 0x84C0;
inline constexpr GLenum GL_TEXTURE1_ARB = 0x84C1;
inline constexpr int WGL_DRAW_TO_WINDOW_ARB = 0x2001;
inline constexpr int WGL_ACCELERATION_ARB = 0x2003;
inline constexpr int WGL_SUPPORT_OPENGL_ARB = 0x2010;
inline constexpr int WGL_DOUBLE_BUFFER_ARB = 0x2011;
inline constexpr int WGL_STEREO_ARB = 0x2012;
inline constexpr int WGL_COLOR_BITS_ARB = 0x2014;
inline constexpr int WGL_ALPHA_BITS_ARB = 0x201B;
inline constexpr int WGL_ACCUM_BITS_ARB = 0x201D;
inline constexpr int WGL_DEPTH_BITS_ARB = 0x2022;
inline constexpr int WGL_STENCIL_BITS_ARB = 0x2023;
inline constexpr int WGL_AUX_BUFFERS_ARB = 0x2024;
inline constexpr int WGL_FULL_ACCELERATION_ARB = 0x2027;
inline constexpr int WGL_DRAW_TO_PBUFFER_ARB = 0x202D;
inline constexpr int WGL_PBUFFER_WIDTH_ARB = 0x2034;
inline constexpr int WGL_PBUFFER_HEIGHT_ARB = 0x2035;
inline constexpr int WGL_SAMPLE_BUFFERS_ARB = 0x2041;
inline constexpr int WGL_SAMPLES_ARB = 0x2042;

DECLARE_HANDLE(HPBUFFERARB);

// Pointer types of the extension entry points.
using PFNGLACTIVETEXTUREARB = void(APIENTRY*)(GLenum);
using PFNGLMULTITEXCOORD2FARB = void(APIENTRY*)(GLenum, GLfloat, GLfloat);
using PFNGLMULTITEXCOORD2FVARB = void(APIENTRY*)(GLenum, const GLfloat*);
using PFNGLMULTITEXCOORD3FARB = void(APIENTRY*)(GLenum, GLfloat, GLfloat, GLfloat);
using PFNGLMULTITEXCOORD3FVARB = void(APIENTRY*)(GLenum, const GLfloat*);
using PFNGLMULTITEXCOORD4FARB = void(APIENTRY*)(GLenum, GLfloat, GLfloat, GLfloat, GLfloat);
using PFNGLMULTITEXCOORD4FVARB = void(APIENTRY*)(GLenum, const GLfloat*);
using PFNGLLOADTRANSPOSEMATRIXFARB = void(APIENTRY*)(const GLfloat*);
using PFNWGLGETEXTENSIONSSTRINGARB = const char*(APIENTRY*)(HDC);
using PFNWGLGETEXTENSIONSSTRINGEXT = const char*(APIENTRY*)();
using PFNWGLCHOOSEPIXELFORMATARB = BOOL(APIENTRY*)(HDC, const int*, const FLOAT*, UINT, int*, UINT*);
using PFNWGLGETPIXELFORMATATTRIBIVARB = BOOL(APIENTRY*)(HDC, int, int, UINT, const int*, int*);
using PFNWGLCREATEPBUFFERARB = HPBUFFERARB(APIENTRY*)(HDC, int, int, int, const int*);
using PFNWGLGETPBUFFERDCARB = HDC(APIENTRY*)(HPBUFFERARB);
using PFNWGLRELEASEPBUFFERDCARB = int(APIENTRY*)(HPBUFFERARB, HDC);
using PFNWGLDESTROYPBUFFERARB = BOOL(APIENTRY*)(HPBUFFERARB);
using PFNWGLSWAPINTERVALEXT = BOOL(APIENTRY*)(int);
using PFNWGLGETSWAPINTERVALEXT = int(APIENTRY*)();

// X(name, pointer type) for every entry point of the table, by source.
#define KX_GL_CORE(name) X(name, decltype(&::name))
#define KX_GL_CORE_FUNCTIONS(X)                                                                                        \
  KX_GL_CORE(glBegin)                                                                                                  \
  KX_GL_CORE(glBindTexture)                                                                                            \
  KX_GL_CORE(glBlendFunc)                                                                                              \
  KX_GL_CORE(glCallList) KX_GL_CORE(glClear) KX_GL_CORE(glClearColor) KX_GL_CORE(glClearDepth) KX_GL_CORE(             \
      glColor3f) KX_GL_CORE(glColor3fv) KX_GL_CORE(glColor4f) KX_GL_CORE(glColor4fv) KX_GL_CORE(glColorMask)           \
      KX_GL_CORE(glColorMaterial) KX_GL_CORE(glCopyTexSubImage2D) KX_GL_CORE(glCullFace) KX_GL_CORE(                   \
          glDeleteLists) KX_GL_CORE(glDeleteTextures) KX_GL_CORE(glDepthFunc) KX_GL_CORE(glDepthMask)                  \
          KX_GL_CORE(glDisable) KX_GL_CORE(glDisableClientState) KX_GL_CORE(glDrawBuffer) KX_GL_CORE(                  \
              glEnable) KX_GL_CORE(glEnableClientState) KX_GL_CORE(glEnd) KX_GL_CORE(glEndList)                        \
              KX_GL_CORE(glEvalMesh2) KX_GL_CORE(glFinish) KX_GL_CORE(glFlush) KX_GL_CORE(glFogf) KX_GL_CORE(          \
                  glFogfv) KX_GL_CORE(glFogi) KX_GL_CORE(glFrontFace) KX_GL_CORE(glFrustum) KX_GL_CORE(glGenLists)     \
                  KX_GL_CORE(glGenTextures) KX_GL_CORE(glGetBooleanv) KX_GL_CORE(glGetDoublev) KX_GL_CORE(             \
                      glGetError) KX_GL_CORE(glGetFloatv) KX_GL_CORE(glGetIntegerv) KX_GL_CORE(glGetString)            \
                      KX_GL_CORE(glGetTexLevelParameteriv) KX_GL_CORE(glHint) KX_GL_CORE(glIsList) KX_GL_CORE(         \
                          glLightModelfv) KX_GL_CORE(glLightModeli) KX_GL_CORE(glLightf) KX_GL_CORE(glLightfv)         \
                          KX_GL_CORE(glLineStipple) KX_GL_CORE(glLineWidth) KX_GL_CORE(glLoadIdentity) KX_GL_CORE(     \
                              glLoadMatrixf) KX_GL_CORE(glMap2f) KX_GL_CORE(glMapGrid2f) KX_GL_CORE(glMaterialf)       \
                              KX_GL_CORE(glMaterialfv) KX_GL_CORE(glMateriali) KX_GL_CORE(glMatrixMode) KX_GL_CORE(    \
                                  glMultMatrixf) KX_GL_CORE(glNewList) KX_GL_CORE(glNormal3f) KX_GL_CORE(glNormal3fv)  \
                                  KX_GL_CORE(glOrtho) KX_GL_CORE(glPixelStorei) KX_GL_CORE(glPointSize) KX_GL_CORE(    \
                                      glPolygonMode) KX_GL_CORE(glPopAttrib) KX_GL_CORE(glPopMatrix)                   \
                                      KX_GL_CORE(glPushAttrib) KX_GL_CORE(glPushMatrix) KX_GL_CORE(                    \
                                          glReadBuffer) KX_GL_CORE(glReadPixels) KX_GL_CORE(glRotated)                 \
                                          KX_GL_CORE(glRotatef) KX_GL_CORE(glScalef) KX_GL_CORE(glScissor) KX_GL_CORE( \
                                              glShadeModel) KX_GL_CORE(glTexCoord2f) KX_GL_CORE(glTexCoord2fv)         \
                                              KX_GL_CORE(glTexCoord3f) KX_GL_CORE(glTexCoord3fv) KX_GL_CORE(           \
                                                  glTexCoord4f) KX_GL_CORE(glTexCoord4fv)                              \
                                                  KX_GL_CORE(glTexCoordPointer) KX_GL_CORE(glTexEnvi) KX_GL_CORE(      \
                                                      glTexGenf) KX_GL_CORE(glTexGenfv) KX_GL_CORE(glTexGeni)          \
                                                      KX_GL_CORE(glTexGeniv) KX_GL_CORE(glTexImage2D) KX_GL_CORE(      \
                                                          glTexParameteri) KX_GL_CORE(glTranslatef)                    \
                                                          KX_GL_CORE(glVertex2f) KX_GL_CORE(glVertex3f)                \
                                                              KX_GL_CORE(glVertex3fv) KX_GL_CORE(glVertex4f)           \
                                                                  KX_GL_CORE(glViewport) KX_GL_CORE(wglCreateContext)  \
                                                                      KX_GL_CORE(wglDeleteContext)                     \
                                                                          KX_GL_CORE(wglGetCurrentContext)             \
                                                                              KX_GL_CORE(wglGetCurrentDC)              \
                                                                                  KX_GL_CORE(wglGetProcAddress)        \
                                                                                      KX_GL_CORE(wglMakeCurrent)       \
                                                                                          KX_GL_CORE(wglShareLists)

#define KX_GLU_FUNCTIONS(X)                                                                                     \
  KX_GL_CORE(gluBuild2DMipmaps)                                                                                 \
  KX_GL_CORE(gluCylinder)                                                                                       \
  KX_GL_CORE(gluDeleteQuadric)                                                                                  \
  KX_GL_CORE(gluDeleteTess) KX_GL_CORE(gluDisk) KX_GL_CORE(gluErrorString) KX_GL_CORE(gluGetString)             \
      KX_GL_CORE(gluLookAt) KX_GL_CORE(gluNewQuadric) KX_GL_CORE(gluNewTess) KX_GL_CORE(gluOrtho2D)             \
          KX_GL_CORE(gluPartialDisk) KX_GL_CORE(gluPerspective) KX_GL_CORE(gluQuadricDrawStyle)                 \
              KX_GL_CORE(gluQuadricNormals) KX_GL_CORE(gluQuadricOrientation) KX_GL_CORE(gluQuadricTexture)     \
                  KX_GL_CORE(gluScaleImage) KX_GL_CORE(gluSphere) KX_GL_CORE(gluTessBeginContour)               \
                      KX_GL_CORE(gluTessBeginPolygon) KX_GL_CORE(gluTessCallback) KX_GL_CORE(gluTessEndContour) \
                          KX_GL_CORE(gluTessEndPolygon) KX_GL_CORE(gluTessNormal) KX_GL_CORE(gluTessVertex)

#define KX_GL_EXTENSION_FUNCTIONS(X)                 \
  X(glActiveTextureARB, PFNGLACTIVETEXTUREARB)       \
  X(glClientActiveTextureARB, PFNGLACTIVETEXTUREARB) \
  X(glMultiTexCoord2fARB, PFNGLMULTITEXCOORD2FARB)   \
  X(glMultiTexCoord2fvARB, PFNGLMULTITEXCOORD2FVARB) \
  X(glMultiTexCoord3fARB, PFNGLMULTITEXCOORD3FARB)   \
  X(glMultiTexCoord3fvARB, PFNGLMULTITEXCOORD3FVARB) \
  X(glMultiTexCoord4fARB, PFNGLMULTITEXCOORD4FARB)   \
  X(glMultiTexCoord4fvARB, PFNGLMULTITEXCOORD4FVARB) \
  X(glLoadTransposeMatrixfARB, PFNGLLOADTRANSPOSEMATRIXFARB)

#define KX_WGL_EXTENSION_FUNCTIONS(X)                              \
  X(wglGetExtensionsStringARB, PFNWGLGETEXTENSIONSSTRINGARB)       \
  X(wglGetExtensionsStringEXT, PFNWGLGETEXTENSIONSSTRINGEXT)       \
  X(wglChoosePixelFormatARB, PFNWGLCHOOSEPIXELFORMATARB)           \
  X(wglGetPixelFormatAttribivARB, PFNWGLGETPIXELFORMATATTRIBIVARB) \
  X(wglCreatePbufferARB, PFNWGLCREATEPBUFFERARB)                   \
  X(wglGetPbufferDCARB, PFNWGLGETPBUFFERDCARB)                     \
  X(wglReleasePbufferDCARB, PFNWGLRELEASEPBUFFERDCARB)             \
  X(wglDestroyPbufferARB, PFNWGLDESTROYPBUFFERARB)                 \
  X(wglSwapIntervalEXT, PFNWGLSWAPINTERVALEXT)                     \
  X(wglGetSwapIntervalEXT, PFNWGLGETSWAPINTERVALEXT)

#define KX_GL_ALL_FUNCTIONS(X) \
  KX_GL_CORE_FUNCTIONS(X) KX_GLU_FUNCTIONS(X) KX_GL_EXTENSION_FUNCTIONS(X) KX_WGL_EXTENSION_FUNCTIONS(X)

struct TGLEntryPoints {
#define X(name, type) type name = nullptr;
  KX_GL_ALL_FUNCTIONS(X)
#undef X
};

// Loaded by the module's start-up code.
inline constexpr uint16_t kProcessControlWord = 0x133F;

// The process-wide table every caller goes through.
extern TGLEntryPoints GL;

#define KX_GL_EXTENSION_FLAGS(X)                                                                  \
  X(GL_ARB_multisample)                                                                           \
  X(GL_ARB_multitexture)                                                                          \
  X(GL_ARB_texture_compression)                                                                   \
  X(GL_ARB_texture_cube_map) X(GL_ARB_transpose_matrix) X(GL_EXT_bgra) X(GL_EXT_texture3D)        \
      X(GL_EXT_texture_filter_anisotropic) X(GL_NV_fog_distance) X(GL_NV_multisample_filter_hint) \
          X(GL_SGIS_generate_mipmap)

#define KX_WGL_EXTENSION_FLAGS(X) \
  X(WGL_ARB_multisample) X(WGL_ARB_pbuffer) X(WGL_ARB_pixel_format) X(WGL_EXT_swap_control)

// What the current implementation offers, read by ReadImplementationProperties
// and ReadWGLImplementationProperties.
struct TGLCapabilities {
  int MajorVersion = 0, MinorVersion = 0;
  int GLUMajorVersion = 0, GLUMinorVersion = 0;
#define X(name) bool name = false;
  KX_GL_EXTENSION_FLAGS(X)
  KX_WGL_EXTENSION_FLAGS(X)
#undef X
  bool AtLeast(int major, int minor) const {
    return MajorVersion > major || (MajorVersion == major && MinorVersion >= minor);
  }
};

extern TGLCapabilities GLCaps;

// Loads opengl32.dll and glu32.dll once and fills the core and GLU entry
// points; false when either library cannot be loaded.
bool InitOpenGL();
// Clears the table and the capabilities and releases both libraries.
void CloseOpenGL();
// With a current context: every extension entry point, then the versions
// and all extension flags.
void ReadExtensions();
void ReadImplementationProperties();
// With a current context: the WGL extension entry points and flags.
void ReadWGLExtensions();
void ReadWGLImplementationProperties();

// "major.minor[.release][ vendor text]"; false (and 0.0) for anything else.
bool ParseGLVersion(const char* text, int& major, int& minor);
// True when `name` is one whole space-separated word of `extensions`.
bool HasExtension(const char* extensions, const char* name);

}  // namespace kx
