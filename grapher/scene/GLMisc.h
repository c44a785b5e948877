// Change-notifying bases of the scene library and the coordinate object of
// its nodes (a change climbs owner by owner until a repaint is requested),
// the process-wide cache of the GL state that materials and objects touch
// most, and three small file routines.
#pragma once

#include "framework/core/Classes.h"
#include "scene/Geometry.h"
#include "scene/OpenGL1x.h"

#include <cstdint>
#include <string>

namespace kx {

struct TProgressTimes {
  double deltaTime;
  double newTime;
};

// Stores `value` when it differs; true when it did, so the caller notifies.
template <class T>
bool StoreChanged(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

// A persistent value object that reports its changes to its owner.
class TGLUpdateAbleObject : public TPersistent {
  KX_CLASS(TGLUpdateAbleObject, TPersistent)
 public:
  explicit TGLUpdateAbleObject(TPersistent* owner) : owner_(owner) {}
  TPersistent* Owner() const { return owner_; }
  TPersistent* GetOwner() const override { return owner_; }
  // Tells the owner (nothing without one), then the change handler.
  virtual void NotifyChange(TObject* sender);

  TNotifyEvent OnNotifyChange;

 private:
  TPersistent* owner_;
};

class TGLCadenceAbleComponent : public TComponent {
  KX_CLASS(TGLCadenceAbleComponent, TComponent)
 public:
  using TComponent::TComponent;
  virtual void DoProgress(const TProgressTimes&) {}
};

class TGLUpdateAbleComponent : public TGLCadenceAbleComponent {
  KX_CLASS(TGLUpdateAbleComponent, TGLCadenceAbleComponent)
 public:
  using TGLCadenceAbleComponent::TGLCadenceAbleComponent;
  // Passes the change to the owner, which must be change-notifying as well
  // (EInvalidCast otherwise).
  virtual void NotifyChange(TObject* sender);
};

class TGLCoordinates;

// An owner whose coordinates take their own path instead of the plain
// notification (the scene node re-orthogonalises its orientation first).
class TGLCoordinatesObserver {
 public:
  virtual void CoordinateChanged(TGLCoordinates* sender) = 0;

 protected:
  ~TGLCoordinatesObserver() = default;
};

enum TGLCoordinatesStyle : uint8_t { csPoint, csVector, csUnknown };

class TGLCoordinates : public TGLUpdateAbleObject {
  KX_CLASS(TGLCoordinates, TGLUpdateAbleObject)
 public:
  explicit TGLCoordinates(TPersistent* owner) : TGLUpdateAbleObject(owner) {}
  TGLCoordinates(TPersistent* owner, const TVector& initial, TGLCoordinatesStyle style);

  void Initialize(const TVector& value) { coords_ = value; }
  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;
  void NotifyChange(TObject* sender) override;

  float X() const { return coords_[0]; }
  float Y() const { return coords_[1]; }
  float Z() const { return coords_[2]; }
  float W() const { return coords_[3]; }
  void SetX(float value) { SetCoordinate(0, value); }
  void SetY(float value) { SetCoordinate(1, value); }
  void SetZ(float value) { SetCoordinate(2, value); }
  // Stores and notifies, also when the value is unchanged.
  void SetCoordinate(int index, float value);

  TGLCoordinatesStyle Style() const { return style_; }
  void SetStyle(TGLCoordinatesStyle style) { style_ = style; }
  const TVector& AsVector() const { return coords_; }
  void SetVector(float x, float y, float z);
  void SetVector4(float x, float y, float z, float w);
  void SetPoint(float x, float y, float z);
  // Copies the vector, keeping w at 1 for a point and 0 for a vector.
  void SetAsVector(const TVector& value);
  void Normalize() { NormalizeVector4(coords_); }
  float VectorLength() const { return VectorLength4(coords_); }
  bool Equals(const TVector& value) const { return VectorEquals4(coords_, value); }
  // Four singles for GL calls.
  const float* AsAddress() const { return coords_.data(); }

 private:
  TVector coords_{0, 0, 0, 0};
  TGLCoordinatesStyle style_ = csUnknown;
};

// The smallest power of two not below `value` (1 below 2), at most 2^30.
int RoundUpToPowerOf2(int value);

// GL state cache ----------------------------------------------------------------
//
// A GL call is sent only when the requested value differs from the cached
// one. The caches are shared by every context: the scene render invalidates
// them at the start of each frame, after a node that touches GL state behind
// them, and before a frame is rendered into a bitmap.

// Red, green, blue, alpha.
using TColorVector = TVector;

// The cached enable states, in the order of their bits in TGLStates.
enum TGLState : uint8_t {
  stAlphaTest,
  stAutoNormal,
  stBlend,
  stColorMaterial,
  stCullFace,
  stDepthTest,
  stDither,
  stFog,
  stLighting,
  stLineSmooth,
  stLineStipple,
  stLogicOp,
  stNormalize,
  stPointSmooth,
  stPolygonSmooth,
  stPolygonStipple,
  stScissorTest,
  stStencilTest,
  stTexture1D,
  stTexture2D,
  stTextureCubeMap
};
// Owned by the caller: the render buffer keeps one per frame and the render
// walk a copy.
using TGLStates = TSet<TGLState>;

GLenum GLCapabilityOf(TGLState state);
// Enables the capability unless the mask says it is on already.
void SetGLState(TGLStates& states, TGLState state);
// Disables the capability only when the mask says it is on.
void UnSetGLState(TGLStates& states, TGLState state);

// GL_FRONT, GL_BACK or GL_FRONT_AND_BACK; any other face does nothing.
void SetGLPolygonMode(GLenum face, GLenum mode);
void ResetGLPolygonModeCache();
// The front block for GL_FRONT, the back block for any other face. Emission,
// ambient and specular are compared on red, green and blue only, diffuse on
// all four components.
void SetGLMaterialColors(GLenum face, const TColorVector& emission, const TColorVector& ambient,
                         const TColorVector& diffuse, const TColorVector& specular, int shininess);
void SetGLMaterialAlphaChannel(GLenum face, float alpha);
// Sends the GL defaults for both faces and makes the next SetGLMaterialColors
// send every colour.
void ResetGLMaterialColors();
void SetGLCurrentTexture(int unit, GLenum target, GLuint name);
void ResetGLCurrentTexture();
void SetGLTextureMatrix(const TMatrix& matrix);
void ResetGLTextureMatrix();
void InvertGLFrontFace();
void ResetGLFrontFace();
// Entry i is the truncated single sqrt(i / 255) * 255; built on first use.
const uint8_t* GetSqrt255Table();

// Writes the text's bytes as the whole file, through a temporary file moved
// over the target.
void SaveStringToFile(const std::string& fileName, const std::string& text);
// The whole file; empty when it does not exist.
std::string LoadStringFromFile(const std::string& fileName);
// 0 when the file does not exist.
int64_t SizeOfFile(const std::string& fileName);

}  // namespace kx
