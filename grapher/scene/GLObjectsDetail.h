// What the drawn primitives' source files share: the setter pattern and a
// GLU quadric that lives for one build.
#pragma once

#include "scene/GLMisc.h"
#include "scene/GLStageNode.h"
#include "scene/OpenGL1x.h"

namespace kx {

// Stores a changed value and rebuilds the node's display list.
template <class T>
void Change(TGLBaseSceneObject& node, T& field, T value) {
  if (StoreChanged(field, value)) node.StructureChanged();
}

// A GLU quadric for the length of one build.
struct Quadric {
  Quadric() : q(GL.gluNewQuadric()) {}
  ~Quadric() {
    if (q) GL.gluDeleteQuadric(q);
  }
  Quadric(const Quadric&) = delete;
  Quadric& operator=(const Quadric&) = delete;
  GLUquadric* q;
};

}  // namespace kx
