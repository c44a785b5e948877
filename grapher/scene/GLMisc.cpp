#include "scene/GLMisc.h"

#include "framework/core/Filer.h"
#include "scene/GLCrossPlatform.h"
#include "framework/core/Streams.h"

namespace kx {

namespace {
constexpr const char* kModule = "GLMisc";
constexpr int32_t kCoordinatesSize = 4 * sizeof(float);
// The style checks report fixed line numbers, so their messages stay the
// same whatever this file looks like.
constexpr int kSetVectorLine = 1211, kSetVector4Line = 1220, kSetPointLine = 1229;
}  // namespace

KX_PUBLISH(TGLUpdateAbleObject) {}
KX_PUBLISH(TGLCadenceAbleComponent) {}
KX_PUBLISH(TGLUpdateAbleComponent) {}

// X, Y and Z are set by name but stored together as "Coordinates".
KX_PUBLISH(TGLCoordinates) {
  p.Property("X", &TGLCoordinates::X, &TGLCoordinates::SetX).NotStored();
  p.Property("Y", &TGLCoordinates::Y, &TGLCoordinates::SetY).NotStored();
  p.Property("Z", &TGLCoordinates::Z, &TGLCoordinates::SetZ).NotStored();
}

void TGLUpdateAbleObject::NotifyChange(TObject*) {
  if (!owner_) return;
  if (auto* object = dynamic_cast<TGLUpdateAbleObject*>(owner_))
    object->NotifyChange(this);
  else if (auto* component = dynamic_cast<TGLUpdateAbleComponent*>(owner_))
    component->NotifyChange(this);
  if (OnNotifyChange) OnNotifyChange(this);
}

void TGLUpdateAbleComponent::NotifyChange(TObject*) {
  if (Owner()) As<TGLUpdateAbleComponent>(Owner())->NotifyChange(this);
}

TGLCoordinates::TGLCoordinates(TPersistent* owner, const TVector& initial, TGLCoordinatesStyle style)
    : TGLUpdateAbleObject(owner), coords_(initial), style_(style) {}

void TGLCoordinates::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLCoordinates*>(source))
    coords_ = other->coords_;
  else
    TGLUpdateAbleObject::Assign(source);
}

void TGLCoordinates::DefineProperties(TFiler& filer) {
  TGLUpdateAbleObject::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Coordinates",
      [this](TStream& stream) {
        if (stream.Size() != kCoordinatesSize) throw EReadError("Coordinates must hold four singles");
        stream.Read(coords_.data(), kCoordinatesSize);
      },
      [this](TStream& stream) { stream.Write(coords_.data(), kCoordinatesSize); }, true);
}

void TGLCoordinates::NotifyChange(TObject* sender) {
  if (auto* observer = dynamic_cast<TGLCoordinatesObserver*>(Owner()))
    observer->CoordinateChanged(this);
  else
    TGLUpdateAbleObject::NotifyChange(sender);
}

void TGLCoordinates::SetCoordinate(int index, float value) {
  KX_SCENE_ASSERT(index >= 0 && index < 4, kModule);
  coords_[index] = value;
  NotifyChange(this);
}

void TGLCoordinates::SetVector(float x, float y, float z) {
  Assert(style_ != csPoint, "", kModule, kSetVectorLine);
  coords_ = {x, y, z, 0};
  NotifyChange(this);
}

void TGLCoordinates::SetVector4(float x, float y, float z, float w) {
  Assert(style_ != csPoint, "", kModule, kSetVector4Line);
  coords_ = {x, y, z, w};
  NotifyChange(this);
}

void TGLCoordinates::SetPoint(float x, float y, float z) {
  Assert(style_ != csVector, "", kModule, kSetPointLine);
  coords_ = {x, y, z, 1};
  NotifyChange(this);
}

void TGLCoordinates::SetAsVector(const TVector& value) {
  coords_ = value;
  if (style_ == csPoint)
    coords_[3] = 1;
  else if (style_ == csVector)
    coords_[3] = 0;
  NotifyChange(this);
}

int RoundUpToPowerOf2(int value) {
  constexpr int kLargest = 1 << 30;  // doubling further would overflow
  if (value >= kLargest) return kLargest;
  int result = 1;
  while (result < value) result *= 2;
  return result;
}

}  // namespace kx
