#include "scene/GLMiscNodes.h"

#include "scene/GLCrossPlatform.h"
#include "scene/GLMisc.h"
#include "scene/OpenGL1x.h"
#include "scene/XOpenGL.h"

#include <cstdio>
#include <deque>
#include <vector>

namespace kx {

namespace {

constexpr const char* kModule = "GLMisc";

TAffineVector XYZ(const TVector& v) { return {v[0], v[1], v[2]}; }

// What one tessellation shares with its callbacks. Vertices the
// tessellator combines live in a deque: it grows without moving what it
// already handed out.
struct Tessellation {
  std::deque<TAffineVector> pool;
  GLenum error = 0;
  TAffineVector* Take() { return &pool.emplace_back(); }
};

// GLU calls these; nothing may be thrown through its frames, so an error
// is kept and raised once the tessellator has returned.
void CALLBACK TessBegin(GLenum mode) { GL.glBegin(mode); }
void CALLBACK TessEnd() { GL.glEnd(); }
void CALLBACK TessVertex(void* data) { GL.glVertex3fv(static_cast<const GLfloat*>(data)); }
void CALLBACK TessTexturedVertex(void* data) {
  const auto* v = static_cast<const GLfloat*>(data);
  xglTexCoord2fv(v);
  GL.glVertex3fv(v);
}
void CALLBACK TessError(GLenum error, void* state) {
  auto* t = static_cast<Tessellation*>(state);
  if (!t->error) t->error = error;
}
void CALLBACK TessCombine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* state) {
  TAffineVector* v = static_cast<Tessellation*>(state)->Take();
  *v = {static_cast<float>(coords[0]), static_cast<float>(coords[1]), static_cast<float>(coords[2])};
  *out = v->data();
}

template <class F>
void Register(GLUtesselator* tess, GLenum which, F* callback) {
  GL.gluTessCallback(tess, which, reinterpret_cast<void(CALLBACK*)()>(callback));
}

struct Tessellator {
  Tessellator() : tess(GL.gluNewTess()) {}
  ~Tessellator() {
    if (tess) GL.gluDeleteTess(tess);
  }
  Tessellator(const Tessellator&) = delete;
  Tessellator& operator=(const Tessellator&) = delete;
  GLUtesselator* tess;
};

}  // namespace

KX_PUBLISH(TGLNode) {
  p.Property("X", &TGLNode::X, &TGLNode::SetX);
  p.Property("Y", &TGLNode::Y, &TGLNode::SetY);
  p.Property("Z", &TGLNode::Z, &TGLNode::SetZ);
}
KX_PUBLISH(TGLNodes) {}

// TGLNode -----------------------------------------------------------------------------------

void TGLNode::SetCoordinate(int index, float value) {
  KX_SCENE_ASSERT(index >= 0 && index < 3, kModule);
  coords_[index] = value;
  if (auto* nodes = dynamic_cast<TGLNodes*>(Collection())) nodes->NotifyChange();
}

std::string TGLNode::DisplayName() const {
  char text[96];
  std::snprintf(text, sizeof text, "%.4f; %.4f; %.4f", double(coords_[0]), double(coords_[1]), double(coords_[2]));
  return text;
}

void TGLNode::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLNode*>(source)) {
    coords_ = other->coords_;
    return;
  }
  TCollectionItem::Assign(source);
}

// TGLNodes ----------------------------------------------------------------------------------

TGLNode* TGLNodes::AddNode(float x, float y, float z) {
  BeginUpdate();
  auto* node = As<TGLNode>(Add());
  node->SetX(x);
  node->SetY(y);
  node->SetZ(z);
  EndUpdate();
  return node;
}

void TGLNodes::Update(TCollectionItem* item) {
  TCollection::Update(item);
  NotifyChange();
}

void TGLNodes::NotifyChange() {
  if (UpdateCount() != 0) return;
  if (auto* owner = dynamic_cast<TGLUpdateAbleComponent*>(GetOwner())) owner->NotifyChange(this);
}

TAffineVector TGLNodes::Normal() const {
  if (Count() < 3) return {0, 0, 0};
  const TAffineVector p0 = XYZ(Node(0)->Coords());
  const TAffineVector cross =
      VectorCrossProduct(VectorSubtract(XYZ(Node(1)->Coords()), p0), VectorSubtract(XYZ(Node(2)->Coords()), p0));
  // Collinear points span no plane: null, not the NaN of a normalised null vector.
  if (VectorIsNull(cross)) return {0, 0, 0};
  return VectorNormalize(cross);
}

std::unique_ptr<TCubicSpline> TGLNodes::CreateNewCubicSpline() const {
  std::vector<float> x(Count()), y(Count()), z(Count());
  for (int i = 0; i < Count(); ++i) {
    x[i] = Node(i)->X();
    y[i] = Node(i)->Y();
    z[i] = Node(i)->Z();
  }
  return std::make_unique<TCubicSpline>(x.data(), y.data(), z.data(), nullptr, Count());
}

void TGLNodes::RenderTesselatedPolygon(bool textured, const TAffineVector* normal, int splineDivisions, bool invert) {
  if (Count() < 3) return;
  Tessellation state;
  {
    const Tessellator tessellator;
    GLUtesselator* tess = tessellator.tess;
    Register(tess, GLU_TESS_BEGIN, &TessBegin);
    if (textured)
      Register(tess, GLU_TESS_VERTEX, &TessTexturedVertex);
    else
      Register(tess, GLU_TESS_VERTEX, &TessVertex);
    Register(tess, GLU_TESS_END, &TessEnd);
    Register(tess, GLU_TESS_ERROR_DATA, &TessError);
    Register(tess, GLU_TESS_COMBINE_DATA, &TessCombine);
    if (normal) {
      GL.glNormal3fv(normal->data());
      GL.gluTessNormal(tess, (*normal)[0], (*normal)[1], (*normal)[2]);
    }
    GL.gluTessBeginPolygon(tess, &state);
    GL.gluTessBeginContour(tess);
    auto feed = [tess](const float* v, void* data) {
      GLdouble coords[3] = {v[0], v[1], v[2]};
      GL.gluTessVertex(tess, coords, data);
    };
    if (splineDivisions <= 1) {
      for (int k = 0; k < Count(); ++k) {
        TGLNode* node = Node(invert ? Count() - 1 - k : k);
        feed(node->AsAddress(), node->AsAddress());
      }
    } else {
      const std::unique_ptr<TCubicSpline> spline = CreateNewCubicSpline();
      const float step = Single(1.0L / splineDivisions);
      const int last = (Count() - 1) * splineDivisions;
      for (int k = 0; k <= last; ++k) {
        TAffineVector* v = state.Take();
        spline->SplineAffineVector(Single(static_cast<long double>(invert ? last - k : k) * step), *v);
        feed(v->data(), v->data());
      }
    }
    GL.gluTessEndContour(tess);
    GL.gluTessEndPolygon(tess);
  }
  if (state.error) {
    const auto* text = reinterpret_cast<const char*>(GL.gluErrorString(state.error));
    AssertFailed(std::to_string(state.error) + ": " + (text ? text : ""), kModule, __LINE__);
  }
}

}  // namespace kx
