// The record handed down the render walk: filled once per frame by the scene
// render and read (and partly changed) by every node and material it visits.
#pragma once

#include "framework/core/Classes.h"
#include "scene/GLMisc.h"
#include "scene/Geometry.h"

#include <vector>

namespace kx {

class TGLStageBuffer;
class TGLObjectEffect;

enum TGLObjectsSorting { osInherited, osNone, osRenderFarthestFirst, osRenderBlendedLast };
KX_ENUM_NAMES(TGLObjectsSorting, "osInherited", "osNone", "osRenderFarthestFirst", "osRenderBlendedLast")

enum TGLVisibilityCulling { vcInherited, vcNone, vcObjectBased, vcHierarchical };
KX_ENUM_NAMES(TGLVisibilityCulling, "vcInherited", "vcNone", "vcObjectBased", "vcHierarchical")

struct TRenderContextInfo {
  TVector cameraPosition{0, 0, 0, 1};
  TVector cameraDirection{0, 0, -1, 0};  // unit length, w = 0
  const TMatrix* modelViewMatrix = nullptr;
  int viewPortWidth = 0, viewPortHeight = 0;
  int renderDPI = 96;
  // Nesting of materials that switched fog or lighting off.
  int fogDisabledCounter = 0, lightingDisabledCounter = 0;
  TGLObjectsSorting objectsSorting = osRenderBlendedLast;
  TGLVisibilityCulling visibilityCulling = vcNone;
  TGLStates glStates;
  TRenderContextClippingInfo rcci{};
  bool bufferFaceCull = true;
  bool ignoreMaterials = false;
  // Effects that draw after the whole tree; the buffer's own list.
  std::vector<TGLObjectEffect*>* afterRenderEffects = nullptr;
  TGLStageBuffer* buffer = nullptr;
};

}  // namespace kx
