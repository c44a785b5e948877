// What the drawing hands to OpenGL: colours, line widths and immediate
// primitives (begin, vertices, end) go through an emitter, so that the
// sampling, the axes, the bitmap text and the space curves and surfaces are
// tested by recording what they emit, and drawn on screen by the GL emitter.
// The 2D pixel projection and the flat-drawing state around it are plain GL
// brackets.
#pragma once

#include "framework/core/Colors.h"
#include "scene/GLMisc.h"

namespace kx {

enum class TPrimitive { Points, Lines, LineStrip, LineLoop, Triangles, TriangleStrip, TriangleFan, Quads };

// The drawing state of a space curve (its colour emitted, so it keeps it from
// every side) or a lit surface, filled or as a wire frame.
enum class TSpaceStyle { Curve, FilledSurface, WireSurface };

class TEmitter {
 public:
  virtual ~TEmitter() = default;
  virtual void SetColor(const TColorVector& color) = 0;
  virtual void SetLineWidth(float width) = 0;
  virtual void SetPointSize(float size) = 0;
  virtual void Begin(TPrimitive primitive) = 0;
  virtual void Vertex(double x, double y) = 0;
  virtual void End() = 0;
  // Space drawing, in scene units: a style holds from its begin to its end,
  // and a normal holds for the vertices after it.
  virtual void BeginSpaceStyle(TSpaceStyle style) = 0;
  virtual void EndSpaceStyle() = 0;
  virtual void Normal(float x, float y, float z) = 0;
  virtual void Vertex3(double x, double y, double z) = 0;
};

// Emits through the GL binding; needs a current context. A primitive still
// open when the emitter goes (the drawing failed) is ended.
class TGLEmitter : public TEmitter {
 public:
  TGLEmitter() = default;
  ~TGLEmitter() override;
  TGLEmitter(const TGLEmitter&) = delete;
  TGLEmitter& operator=(const TGLEmitter&) = delete;
  void SetColor(const TColorVector& color) override;
  void SetLineWidth(float width) override;
  void SetPointSize(float size) override;
  void Begin(TPrimitive primitive) override;
  void Vertex(double x, double y) override;
  void End() override;
  void BeginSpaceStyle(TSpaceStyle style) override;
  void EndSpaceStyle() override;
  void Normal(float x, float y, float z) override;
  void Vertex3(double x, double y, double z) override;

 private:
  bool open_ = false;
};

// A window colour (a system colour resolved first) as red, green, blue in
// 0..1 and the given alpha.
TColorVector ColorToVector(TColor color, float alpha);
inline void SetGLColor(TEmitter& emitter, TColor color, float alpha) { emitter.SetColor(ColorToVector(color, alpha)); }

// Pixel drawing over whatever the frame holds: the projection maps x 0..width
// left to right and y 0..height top to bottom, the modelview is the
// identity, and BeginFlatDraw's state holds. The end call puts both matrices,
// the enable bits, the colour, line width, point size and blending function
// back as they were.
void BeginPixelProjection(int width, int height);
void EndPixelProjection();
// Lighting, culling, colour material, depth test, texturing and smoothing off,
// blending by source alpha on, line width and point size 1.
void BeginFlatDraw();
void EndFlatDraw();

}  // namespace kx
