// Change-notifying bases of the scene library and the coordinate object of
// its nodes. A change climbs owner by owner until a repaint is requested.
#pragma once

#include "framework/core/Classes.h"
#include "scene/Geometry.h"

#include <cstdint>

namespace kx {

struct TProgressTimes {
  double deltaTime;
  double newTime;
};

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

}  // namespace kx
