#include "app/plot/MainU_Emitter.h"

#include "scene/GLTexture.h"
#include "scene/OpenGL1x.h"

namespace kx {

namespace {

GLenum GLMode(TPrimitive primitive) {
  switch (primitive) {
    case TPrimitive::Points:
      return GL_POINTS;
    case TPrimitive::Lines:
      return GL_LINES;
    case TPrimitive::LineStrip:
      return GL_LINE_STRIP;
    case TPrimitive::LineLoop:
      return GL_LINE_LOOP;
    case TPrimitive::Triangles:
      return GL_TRIANGLES;
    case TPrimitive::TriangleStrip:
      return GL_TRIANGLE_STRIP;
    case TPrimitive::TriangleFan:
      return GL_TRIANGLE_FAN;
    case TPrimitive::Quads:
      return GL_QUADS;
  }
  return GL_POINTS;
}

// The OpenGL 1.1 header lacks the enables of these two extensions.
constexpr GLenum kTexture3D = 0x806F;
constexpr GLenum kTextureCubeMap = 0x8513;

}  // namespace

void TGLEmitter::SetColor(const TColorVector& color) { GL.glColor4f(color[0], color[1], color[2], color[3]); }
void TGLEmitter::SetLineWidth(float width) { GL.glLineWidth(width); }
void TGLEmitter::SetPointSize(float size) { GL.glPointSize(size); }
TGLEmitter::~TGLEmitter() {
  if (open_) GL.glEnd();
}

void TGLEmitter::Begin(TPrimitive primitive) {
  GL.glBegin(GLMode(primitive));
  open_ = true;
}

void TGLEmitter::Vertex(double x, double y) { GL.glVertex2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y)); }

void TGLEmitter::End() {
  GL.glEnd();
  open_ = false;
}

void TGLEmitter::BeginSpaceStyle(TSpaceStyle style) {
  // The scene library's state cache must find the frame as it left it.
  GL.glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  GL.glEnable(GL_COLOR_MATERIAL);
  if (style == TSpaceStyle::Curve) {
    GL.glColorMaterial(GL_FRONT_AND_BACK, GL_EMISSION);
  } else {
    GL.glDisable(GL_CULL_FACE);
    GL.glPolygonMode(GL_FRONT_AND_BACK, style == TSpaceStyle::FilledSurface ? GL_FILL : GL_LINE);
    GL.glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    GL.glLineWidth(1);
  }
  // The cache's material colours no longer hold once colour material is on.
  ResetGLMaterialColors();
  GL.glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
}

void TGLEmitter::EndSpaceStyle() {
  GL.glPopAttrib();
  ResetGLMaterialColors();
}

void TGLEmitter::Normal(float x, float y, float z) { GL.glNormal3f(x, y, z); }

void TGLEmitter::Vertex3(double x, double y, double z) {
  GL.glVertex3f(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

TColorVector ColorToVector(TColor color, float alpha) { return ConvertWinColor(color, alpha); }

void BeginPixelProjection(int width, int height) {
  GL.glMatrixMode(GL_PROJECTION);
  GL.glPushMatrix();
  GL.glLoadIdentity();
  GL.glOrtho(0, width, height, 0, -1, 1);
  GL.glMatrixMode(GL_MODELVIEW);
  GL.glPushMatrix();
  GL.glLoadIdentity();
  BeginFlatDraw();
}

void EndPixelProjection() {
  EndFlatDraw();
  GL.glMatrixMode(GL_PROJECTION);
  GL.glPopMatrix();
  GL.glMatrixMode(GL_MODELVIEW);
  GL.glPopMatrix();
}

void BeginFlatDraw() {
  // The scene library's state cache must find the frame as it left it, so
  // everything changed here comes back from the attribute stack.
  GL.glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_COLOR_BUFFER_BIT);
  GL.glDisable(GL_LIGHTING);
  GL.glDisable(GL_CULL_FACE);
  GL.glDisable(GL_COLOR_MATERIAL);
  GL.glDisable(GL_DEPTH_TEST);
  GL.glDisable(GL_TEXTURE_1D);
  GL.glDisable(GL_TEXTURE_2D);
  if (GLCaps.GL_EXT_texture3D) GL.glDisable(kTexture3D);
  if (GLCaps.GL_ARB_texture_cube_map) GL.glDisable(kTextureCubeMap);
  GL.glDisable(GL_LINE_SMOOTH);
  GL.glDisable(GL_POINT_SMOOTH);
  GL.glEnable(GL_BLEND);
  GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  GL.glLineWidth(1);
  GL.glPointSize(1);
}

void EndFlatDraw() { GL.glPopAttrib(); }

}  // namespace kx
