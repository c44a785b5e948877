#include "scene/GLStageNode.h"

#include "framework/core/Streams.h"
#include "scene/GLCrossPlatform.h"
#include "scene/GLStage.h"
#include "scene/GLStageCamera.h"

#include <algorithm>
#include <cmath>

namespace kx {

namespace {

constexpr const char* kModule = "GLStage";
// The checks report fixed line numbers, whatever this file looks like.
constexpr int kListHandleLine = 2186, kUnbalancedUpdateLine = 3386, kCullingLine = 3550, kSortingLine = 3699;
constexpr int kCollectionBufferSize = 16384;
constexpr float kRightEpsilon = 1e-5f;

TAffineVector Affine(const TVector& v) { return {v[0], v[1], v[2]}; }

// Direction x up, falling back to (0, 0, 1) x up and then (1, 0, 0) x up when
// the two are (nearly) parallel.
TAffineVector RightOf(const TAffineVector& direction, const TAffineVector& up) {
  TAffineVector right = VectorCrossProduct(direction, up);
  if (VectorLength(right) < kRightEpsilon) {
    right = VectorCrossProduct(ZVector, up);
    if (VectorLength(right) < kRightEpsilon) right = VectorCrossProduct(XVector, up);
  }
  return right;
}

// Pushes the model-view matrix for a scope; the pop also runs when the
// drawing in between raises, so the stack stays balanced.
class MatrixPush {
 public:
  MatrixPush() { GL.glPushMatrix(); }
  ~MatrixPush() { GL.glPopMatrix(); }
  MatrixPush(const MatrixPush&) = delete;
  MatrixPush& operator=(const MatrixPush&) = delete;
};

TAABB TransformedBox(const TAABB& box, const TMatrix& m) {
  TAABB result{{1e38f, 1e38f, 1e38f}, {-1e38f, -1e38f, -1e38f}};
  for (int corner = 0; corner < 8; ++corner) {
    const TVector p{(corner & 1) ? box.max[0] : box.min[0], (corner & 2) ? box.max[1] : box.min[1],
                    (corner & 4) ? box.max[2] : box.min[2], 1};
    const TVector t = VectorTransform4(p, m);
    for (int i = 0; i < 3; ++i) {
      result.min[i] = std::min(result.min[i], t[i]);
      result.max[i] = std::max(result.max[i], t[i]);
    }
  }
  return result;
}

// The published properties that the immaterial and material nodes share.
template <class C>
void PublishNodeProperties(TPublisher<C>& p) {
  p.Property("ObjectsSorting", &C::ObjectsSorting, &C::SetObjectsSorting).Default(osInherited);
  p.Property("VisibilityCulling", &C::VisibilityCulling, &C::SetVisibilityCulling).Default(vcInherited);
  p.Property("Direction", &C::Direction, &C::SetDirection);
  p.Property("PitchAngle", &C::PitchAngle, &C::SetPitchAngle).NotStored();
  p.Property("Position", &C::Position, &C::SetPosition);
  p.Property("RollAngle", &C::RollAngle, &C::SetRollAngle).NotStored();
  p.Property("Scale", &C::Scale, &C::SetScale);
  p.Property("ShowAxes", &C::ShowAxes, &C::SetShowAxes).Default(false);
  p.Property("TransformationMode", &C::TransformationMode, &C::SetTransformationMode).Default(tmLocal);
  p.Property("TurnAngle", &C::TurnAngle, &C::SetTurnAngle).NotStored();
  p.Property("Up", &C::Up, &C::SetUp);
  p.Property("Visible", &C::Visible, &C::SetVisible).Default(true);
  p.template Field<TGLProgressEvent>("OnProgress", &C::OnProgress);
  // Created on first access, so the getters only look as if they changed nothing.
  p.Property(
       "Behaviours", [](const C& c) { return const_cast<C&>(c).Behaviours(); }, &C::SetBehaviours)
      .NotStored();
  p.Property(
       "Effects", [](const C& c) { return const_cast<C&>(c).Effects(); }, &C::SetEffects)
      .NotStored();
  p.Property("Hint", &C::Hint, &C::SetHint);
}

}  // namespace

KX_PUBLISH(TGLBaseSceneObject) {
  p.Property("TagFloat", &TGLBaseSceneObject::TagFloat, &TGLBaseSceneObject::SetTagFloat);
}
KX_PUBLISH(TGLCustomSceneObject) {}
KX_PUBLISH(TGLImmaterialSceneObject) { PublishNodeProperties(p); }
KX_PUBLISH(TGLStageObject) {
  PublishNodeProperties(p);
  p.Property("Material", &TGLStageObject::Material, &TGLStageObject::SetMaterial);
}
KX_PUBLISH(TGLStageRootObject) {}

// Construction and the tree ---------------------------------------------------------

TGLBaseSceneObject::TGLBaseSceneObject(TComponent* owner)
    : TGLUpdateAbleComponent(owner),
      position_(std::make_unique<TGLCoordinates>(this, NullHmgPoint, csPoint)),
      direction_(std::make_unique<TGLCoordinates>(this, TVector{0, 0, 1, 0}, csVector)),
      up_(std::make_unique<TGLCoordinates>(this, TVector{0, 1, 0, 0}, csVector)),
      scale_(std::make_unique<TGLCoordinates>(this, TVector{1, 1, 1, 0}, csVector)) {}

TGLBaseSceneObject::~TGLBaseSceneObject() {
  DeleteChildCameras();
  LeaveParent();
  while (!children_.empty()) delete children_.back();
}

TGLBaseSceneObject* TGLBaseSceneObject::Children(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return children_[index];
}

int TGLBaseSceneObject::Index() const {
  if (!parent_) return -1;
  const auto& siblings = parent_->children_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TGLBaseSceneObject::LeaveParent() {
  if (parent_) parent_->Remove(this, false);
}

void TGLBaseSceneObject::AddChild(TGLBaseSceneObject* node) {
  if (!node || node == this) return;
  node->LeaveParent();
  if (auto* light = dynamic_cast<TGLLightSource*>(node); light && scene_) scene_->AddLight(light);
  children_.push_back(node);
  node->parent_ = this;
  node->SetScene(scene_);
  node->FlagAbsoluteChanged();
  TransformationChanged();
}

TGLBaseSceneObject* TGLBaseSceneObject::AddNewChild(const TClassInfo& cls) {
  auto* node = As<TGLBaseSceneObject>(cls.Create(this));
  AddChild(node);
  return node;
}

TGLBaseSceneObject* TGLBaseSceneObject::AddNewChildFirst(const TClassInfo& cls) {
  auto* node = As<TGLBaseSceneObject>(cls.Create(this));
  Insert(0, node);
  return node;
}

void TGLBaseSceneObject::Insert(int index, TGLBaseSceneObject* node) {
  if (!node || node == this) return;
  node->LeaveParent();
  index = std::clamp(index, 0, Count());
  children_.insert(children_.begin() + index, node);
  node->parent_ = this;
  if (node->scene_ != scene_) node->DestroyHandles();
  node->SetScene(scene_);
  if (auto* light = dynamic_cast<TGLLightSource*>(node); light && scene_) scene_->AddLight(light);
  node->FlagAbsoluteChanged();
  TransformationChanged();
}

void TGLBaseSceneObject::Remove(TGLBaseSceneObject* node, bool keepChildren) {
  auto it = std::find(children_.begin(), children_.end(), node);
  if (it == children_.end()) return;
  if (auto* light = dynamic_cast<TGLLightSource*>(node); light && scene_) scene_->RemoveLight(light);
  children_.erase(it);
  node->parent_ = nullptr;
  if (keepChildren) {
    BeginUpdate();
    while (!node->children_.empty()) node->children_.front()->SetParent(this);
    EndUpdate();
  } else {
    NotifyChange(this);
  }
}

void TGLBaseSceneObject::SetParent(TGLBaseSceneObject* parent) {
  LeaveParent();
  if (parent)
    parent->AddChild(this);
  else
    SetScene(nullptr);
}

void TGLBaseSceneObject::MoveTo(int index) {
  if (!parent_) return;
  index = std::clamp(index, 0, parent_->Count() - 1);
  if (index == Index()) return;
  TGLBaseSceneObject* parent = parent_;
  if (scene_) scene_->BeginUpdate();
  auto& siblings = parent->children_;
  siblings.erase(std::find(siblings.begin(), siblings.end(), this));
  siblings.insert(siblings.begin() + index, this);
  if (scene_) scene_->EndUpdate();
}

void TGLBaseSceneObject::DeleteChildCameras() {
  std::vector<TGLBaseSceneObject*> cameras;
  std::function<void(TGLBaseSceneObject*)> find = [&](TGLBaseSceneObject* node) {
    for (TGLBaseSceneObject* child : node->children_) {
      if (dynamic_cast<TGLCamera*>(child)) cameras.push_back(child);
      find(child);
    }
  };
  find(this);
  // A camera goes with its subtree: the deepest first, so that a camera
  // inside another is not freed twice.
  for (auto camera = cameras.rbegin(); camera != cameras.rend(); ++camera) {
    (*camera)->LeaveParent();
    delete *camera;
  }
}

void TGLBaseSceneObject::DeleteChildren() {
  DeleteChildCameras();
  while (!children_.empty()) delete children_.back();
}

void TGLBaseSceneObject::SetScene(TGLStage* scene) {
  if (scene == scene_) return;
  DestroyHandles();
  scene_ = scene;
  for (TGLBaseSceneObject* child : children_) child->SetScene(scene);
}

void TGLBaseSceneObject::SetParentComponent(TComponent* parent) {
  if (auto* stage = dynamic_cast<TGLStage*>(parent)) {
    (dynamic_cast<TGLCamera*>(this) ? stage->CameraRoot() : stage->Objects())->AddChild(this);
  } else if (auto* node = dynamic_cast<TGLBaseSceneObject*>(parent)) {
    node->AddChild(this);
  } else {
    LeaveParent();
    SetScene(nullptr);
  }
}

TComponent* TGLBaseSceneObject::GetParentComponent() const {
  if (dynamic_cast<TGLStageRootObject*>(parent_)) return parent_->scene_;
  return parent_;
}

void TGLBaseSceneObject::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TGLBaseSceneObject* child : std::vector<TGLBaseSceneObject*>(children_)) proc(child);
}

// Transformation ------------------------------------------------------------------------

void TGLBaseSceneObject::SetPosition(TGLCoordinates* value) {
  if (value) position_->SetPoint(value->X(), value->Y(), value->Z());
}

void TGLBaseSceneObject::SetDirection(TGLCoordinates* value) {
  if (value && !VectorIsNull(Affine(value->AsVector()))) direction_->SetVector(value->X(), value->Y(), value->Z());
}

void TGLBaseSceneObject::SetUp(TGLCoordinates* value) {
  if (value && !VectorIsNull(Affine(value->AsVector()))) up_->SetVector(value->X(), value->Y(), value->Z());
}

void TGLBaseSceneObject::SetScale(TGLCoordinates* value) {
  if (value) scale_->Assign(value);
  TransformationChanged();
}

void TGLBaseSceneObject::SetPitchAngle(float value) { Rotate(pitch_, value, 0); }
void TGLBaseSceneObject::SetTurnAngle(float value) { Rotate(turn_, value, 1); }
void TGLBaseSceneObject::SetRollAngle(float value) { Rotate(roll_, value, 2); }

void TGLBaseSceneObject::Rotate(float& stored, float value, int axis) {
  if (value == stored) return;
  if (!IsLoading()) {
    const bool fromParent = transformationMode_ != tmLocal && parent_;
    const TAffineVector up = Affine((fromParent ? parent_->up_ : up_)->AsVector());
    const TAffineVector direction = Affine((fromParent ? parent_->direction_ : direction_)->AsVector());
    const TAffineVector rotationAxis = axis == 0 ? VectorCrossProduct(direction, up) : axis == 1 ? up : direction;
    const TMatrix rotation =
        CreateRotationMatrix(rotationAxis, Single(DegToRad(stored - static_cast<long double>(value))));
    TVector newUp = VectorTransform4(up_->AsVector(), rotation);
    TVector newDirection = VectorTransform4(direction_->AsVector(), rotation);
    NormalizeVector4(newUp);
    NormalizeVector4(newDirection);
    up_->Initialize(newUp);
    direction_->Initialize(newDirection);
    if (transformationMode_ == tmParentWithPos) {
      TVector position = VectorTransform4(position_->AsVector(), rotation);
      position[3] = 1;
      position_->Initialize(position);
    }
    TransformationChanged();
  }
  stored = NormalizeDegAngle(value);
}

void TGLBaseSceneObject::SetMatrix(const TMatrix& matrix) {
  localMatrix_ = matrix;
  TAffineVector row2 = Affine(matrix[2]), row1 = Affine(matrix[1]);
  const float scaleX = VectorLength(Affine(matrix[0])), scaleY = VectorLength(row1), scaleZ = VectorLength(row2);
  NormalizeVector(row2);
  NormalizeVector(row1);
  direction_->Initialize(VectorMakeFromAffine(row2));
  up_->Initialize(VectorMakeFromAffine(row1));
  scale_->SetVector4(scaleX, scaleY, scaleZ, 0);
  position_->Initialize({matrix[3][0], matrix[3][1], matrix[3][2], 1});
  changes_.Exclude(ocTransformation);
  TransformationChanged();
}

void TGLBaseSceneObject::RebuildMatrix() {
  if (!changes_.Contains(ocTransformation)) return;
  const TAffineVector up = Affine(up_->AsVector()), direction = Affine(direction_->AsVector());
  const TVector& scale = scale_->AsVector();
  localMatrix_[0] = VectorMakeFromAffine(VectorScale(VectorCrossProduct(up, direction), scale[0]));
  localMatrix_[1] = VectorMakeFromAffine(VectorScale(up, scale[1]));
  localMatrix_[2] = VectorMakeFromAffine(VectorScale(direction, scale[2]));
  const TVector& position = position_->AsVector();
  localMatrix_[3] = {position[0], position[1], position[2], 1};
  changes_.Exclude(ocTransformation);
  changes_.Include(ocAbsoluteMatrix);
  changes_.Include(ocInvAbsoluteMatrix);
}

const TMatrix& TGLBaseSceneObject::LocalMatrix() {
  RebuildMatrix();
  return localMatrix_;
}

const TMatrix* TGLBaseSceneObject::AbsoluteMatrixAsAddress() {
  RebuildMatrix();
  if (!absoluteMatrices_) absoluteMatrices_ = std::make_unique<std::array<TMatrix, 2>>();
  if (changes_.Contains(ocAbsoluteMatrix)) {
    TMatrix& absolute = (*absoluteMatrices_)[0];
    if (parent_ && !dynamic_cast<TGLStageRootObject*>(parent_))
      MatrixMultiply(localMatrix_, *parent_->AbsoluteMatrixAsAddress(), absolute);
    else
      absolute = localMatrix_;
    changes_.Exclude(ocAbsoluteMatrix);
    changes_.Include(ocInvAbsoluteMatrix);
  }
  return &(*absoluteMatrices_)[0];
}

const TMatrix* TGLBaseSceneObject::InvAbsoluteMatrixAsAddress() {
  static constexpr TVector kUnitScale{1, 1, 1, 0};
  if (!absoluteMatrices_) absoluteMatrices_ = std::make_unique<std::array<TMatrix, 2>>();
  if (changes_.Contains(ocInvAbsoluteMatrix) || changes_.Contains(ocAbsoluteMatrix) ||
      changes_.Contains(ocTransformation)) {
    TMatrix& inverse = (*absoluteMatrices_)[1];
    if (VectorEquals4(scale_->AsVector(), kUnitScale)) {
      RebuildMatrix();
      const TMatrix localInverse = AnglePreservingMatrixInvert(localMatrix_);
      if (parent_)
        MatrixMultiply(*parent_->InvAbsoluteMatrixAsAddress(), localInverse, inverse);
      else
        inverse = localInverse;
    } else {
      inverse = *AbsoluteMatrixAsAddress();
      InvertMatrix(inverse);
    }
    changes_.Exclude(ocInvAbsoluteMatrix);
  }
  return &(*absoluteMatrices_)[1];
}

TVector TGLBaseSceneObject::AbsolutePosition() { return (*AbsoluteMatrixAsAddress())[3]; }

TVector TGLBaseSceneObject::AbsoluteUp() {
  TVector up = (*AbsoluteMatrixAsAddress())[1];
  up[3] = 0;
  NormalizeVector4(up);
  return up;
}

TVector TGLBaseSceneObject::AbsoluteDirection() {
  TVector direction = (*AbsoluteMatrixAsAddress())[2];
  direction[3] = 0;
  NormalizeVector4(direction);
  return direction;
}

TVector TGLBaseSceneObject::AbsoluteToLocal(const TVector& v) {
  return VectorTransform4(v, *InvAbsoluteMatrixAsAddress());
}

TVector TGLBaseSceneObject::LocalToAbsolute(const TVector& v) {
  return VectorTransform4(v, *AbsoluteMatrixAsAddress());
}

void TGLBaseSceneObject::FlagAbsoluteChanged() {
  if (changes_.Contains(ocAbsoluteMatrix) && changes_.Contains(ocInvAbsoluteMatrix)) return;
  changes_.Include(ocAbsoluteMatrix);
  changes_.Include(ocInvAbsoluteMatrix);
  for (TGLBaseSceneObject* child : children_) child->FlagAbsoluteChanged();
}

// A change always asks for a frame: one made while a frame was drawn leaves
// the flag set without a frame to come.
void TGLBaseSceneObject::TransformationChanged() {
  if (!changes_.Contains(ocTransformation)) {
    changes_.Include(ocTransformation);
    changes_.Include(ocAbsoluteMatrix);
    changes_.Include(ocInvAbsoluteMatrix);
    for (TGLBaseSceneObject* child : children_) child->FlagAbsoluteChanged();
  }
  if (!IsLoading()) NotifyChange(this);
}

void TGLBaseSceneObject::CoordinateChanged(TGLCoordinates* sender) {
  if (changingCoordinates_) return;
  changingCoordinates_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{changingCoordinates_};
  if (sender == direction_.get()) {
    if (direction_->VectorLength() == 0) direction_->Initialize({0, 0, 1, 0});
    direction_->Normalize();
    const TAffineVector direction = Affine(direction_->AsVector());
    TAffineVector up = VectorCrossProduct(RightOf(direction, Affine(up_->AsVector())), direction);
    NormalizeVector(up);
    up_->Initialize(VectorMakeFromAffine(up));
  } else if (sender == up_.get()) {
    if (up_->VectorLength() == 0) up_->Initialize({0, 1, 0, 0});
    up_->Normalize();
    const TAffineVector up = Affine(up_->AsVector());
    TAffineVector direction = VectorCrossProduct(up, RightOf(Affine(direction_->AsVector()), up));
    NormalizeVector(direction);
    direction_->Initialize(VectorMakeFromAffine(direction));
  }
  TransformationChanged();
}

void TGLBaseSceneObject::MoveObjectAround(TGLBaseSceneObject* target, float pitchDelta, float turnDelta) {
  if (!target) return;
  const TVector ownPosition = AbsolutePosition();
  const TAffineVector toCamera = VectorSubtract(Affine(ownPosition), Affine(target->AbsolutePosition()));
  const float distance = VectorLength(toCamera);
  const TAffineVector direction = VectorNormalize(toCamera);
  const TAffineVector up = Affine(AbsoluteUp());
  TAffineVector right = VectorCrossProduct(up, direction);
  if (VectorLength(right) < 0.001f)
    right = XVector;
  else
    NormalizeVector(right);
  float pitch = ArcCosSingle(Single(VectorDotProduct(up, direction)));
  pitch = ClampValue(Single(static_cast<long double>(pitch) + DegToRadSingle(pitchDelta)), 0.025f, 3.1165926f);
  TVector v = VectorMakeFromAffine(up);
  RotateVector(v, right, -pitch);
  RotateVector(v, up, -DegToRadSingle(turnDelta));
  ScaleVector4(v, distance);
  TVector newPosition = VectorAdd4(ownPosition, VectorSubtract4(v, VectorMakeFromAffine(toCamera)));
  newPosition[3] = 1;
  if (parent_) newPosition = parent_->AbsoluteToLocal(newPosition);
  position_->SetAsVector(newPosition);
}

// Change and update ---------------------------------------------------------------------

bool TGLBaseSceneObject::Updating() const { return updateCount_ != 0 || ComponentState().Contains(csReading); }

void TGLBaseSceneObject::NotifyChange(TObject*) {
  if (scene_ && !Updating()) scene_->NotifyChange(this);
}

void TGLBaseSceneObject::StructureChanged() {
  changes_.Include(ocStructure);
  NotifyChange(this);
}

void TGLBaseSceneObject::BeginUpdate() { ++updateCount_; }

void TGLBaseSceneObject::EndUpdate() {
  if (updateCount_ < 1) AssertFailed("Unbalanced Begin/EndUpdate", kModule, kUnbalancedUpdateLine);
  if (--updateCount_ == 0) NotifyChange(this);
}

void TGLBaseSceneObject::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  NotifyChange(this);
}

void TGLBaseSceneObject::SetShowAxes(bool value) {
  if (value == showAxes_) return;
  showAxes_ = value;
  NotifyChange(this);
}

void TGLBaseSceneObject::SetObjectsSorting(TGLObjectsSorting value) {
  if (value == objectsSorting_) return;
  objectsSorting_ = value;
  NotifyChange(this);
}

void TGLBaseSceneObject::SetVisibilityCulling(TGLVisibilityCulling value) {
  if (value == visibilityCulling_) return;
  visibilityCulling_ = value;
  NotifyChange(this);
}

TGLBehaviours* TGLBaseSceneObject::Behaviours() {
  if (!behaviours_) behaviours_ = std::make_unique<TGLBehaviours>(this);
  return behaviours_.get();
}

void TGLBaseSceneObject::SetBehaviours(TGLBehaviours* value) { Behaviours()->Assign(value); }

TGLObjectEffects* TGLBaseSceneObject::Effects() {
  if (!effects_) effects_ = std::make_unique<TGLObjectEffects>(this);
  return effects_.get();
}

void TGLBaseSceneObject::SetEffects(TGLObjectEffects* value) { Effects()->Assign(value); }

void TGLBaseSceneObject::Loaded() {
  TGLUpdateAbleComponent::Loaded();
  position_->SetCoordinate(3, 1);
  if (behaviours_) behaviours_->Loaded();
  if (effects_) effects_->Loaded();
}

void TGLBaseSceneObject::DoProgress(const TProgressTimes& times) {
  for (int i = Count() - 1; i >= 0; --i) children_[i]->DoProgress(times);
  if (behaviours_) behaviours_->DoProgress(times);
  if (effects_) effects_->DoProgress(times);
  if (OnProgress) OnProgress(this, times.deltaTime, times.newTime);
}

void TGLBaseSceneObject::DefineProperties(TFiler& filer) {
  TGLUpdateAbleComponent::DefineProperties(filer);
  auto define = [&filer](const char* name, TXCollection* existing, auto create) {
    filer.DefineBinaryProperty(
        name,
        [create](TStream& stream) {
          TReader reader(stream, kCollectionBufferSize);
          create()->ReadFromFiler(reader);
        },
        [existing](TStream& stream) {
          TWriter writer(stream, kCollectionBufferSize);
          existing->WriteToFiler(writer);
          writer.FlushBuffer();
        },
        existing && existing->Count() > 0);
  };
  define("BehavioursData", behaviours_.get(), [this] { return Behaviours(); });
  define("EffectsData", effects_.get(), [this] { return Effects(); });
}

void TGLBaseSceneObject::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TGLBaseSceneObject*>(source);
  if (!other) {
    TGLUpdateAbleComponent::Assign(source);
    return;
  }
  if (other == this) return;
  DestroyHandles();
  visible_ = other->visible_;
  SetMatrix(other->LocalMatrix());
  showAxes_ = other->showAxes_;
  objectsSorting_ = other->objectsSorting_;
  visibilityCulling_ = other->visibilityCulling_;
  pitch_ = other->pitch_;
  turn_ = other->turn_;
  roll_ = other->roll_;
  transformationMode_ = other->transformationMode_;
  DeleteChildren();
  SetScene(other->scene_);
  if (scene_) scene_->BeginUpdate();
  try {
    for (TGLBaseSceneObject* child : other->children_) AddNewChild(child->ClassType())->Assign(child);
  } catch (...) {
    if (scene_) scene_->EndUpdate();
    throw;
  }
  if (scene_) scene_->EndUpdate();
  OnProgress = other->OnProgress;
  if (other->behaviours_)
    Behaviours()->Assign(other->behaviours_.get());
  else
    behaviours_.reset();
  if (other->effects_)
    Effects()->Assign(other->effects_.get());
  else
    effects_.reset();
  SetTag(other->Tag());
  tagFloat_ = other->tagFloat_;
}

// Geometry queries -----------------------------------------------------------------------

float TGLBaseSceneObject::BarycenterSqrDistanceTo(const TVector& point) {
  return VectorDistance2(Affine(BarycenterAbsolutePosition()), Affine(point));
}

TVector TGLBaseSceneObject::AxisAlignedDimensions() { return VectorScale4(scale_->AsVector(), 0.5f); }

float TGLBaseSceneObject::BoundingSphereRadius() { return MaxXYZComponent(Affine(AxisAlignedDimensions())); }

TAABB TGLBaseSceneObject::AxisAlignedBoundingBox() {
  const TAffineVector half = Affine(AxisAlignedDimensions());
  TAABB box{VectorNegate(half), half};
  for (TGLBaseSceneObject* child : children_) {
    const TAABB childBox = TransformedBox(child->AxisAlignedBoundingBox(), child->LocalMatrix());
    for (int i = 0; i < 3; ++i) {
      box.min[i] = std::min(box.min[i], childBox.min[i]);
      box.max[i] = std::max(box.max[i], childBox.max[i]);
    }
  }
  return box;
}

bool TGLBaseSceneObject::PointInObject(const TVector& point) {
  const TVector local = VectorTransform4(point, *InvAbsoluteMatrixAsAddress());
  const TVector half = AxisAlignedDimensions();
  for (int i = 0; i < 3; ++i)
    if (std::fabs(local[i]) > half[i]) return false;
  return true;
}

bool TGLBaseSceneObject::RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint,
                                          TVector* intersectNormal) {
  const TVector centre = AbsolutePosition();
  TVector i1{}, i2{};
  if (RayCastSphereIntersect(rayStart, rayVector, centre, BoundingSphereRadius(), i1, i2) <= 0) return false;
  if (intersectPoint) *intersectPoint = i1;
  if (intersectNormal) {
    TVector normal = VectorSubtract4(i1, centre);
    normal[3] = 0;
    NormalizeVector4(normal);
    *intersectNormal = normal;
  }
  return true;
}

// Rendering ----------------------------------------------------------------------------------

GLuint TGLBaseSceneObject::GetHandle(TRenderContextInfo& rci) {
  if (listHandle_.Handle() == 0 || changes_.Contains(ocStructure)) BuildListHandle(rci);
  return listHandle_.Handle();
}

void TGLBaseSceneObject::BuildListHandle(TRenderContextInfo& rci) {
  if (listHandle_.Handle() == 0) listHandle_.AllocateHandle();
  if (listHandle_.Handle() == 0) AssertFailed("Handle=0 for " + ClassName(), kModule, kListHandleLine);
  GL.glNewList(listHandle_.Handle(), GL_COMPILE);
  try {
    BuildList(rci);
  } catch (...) {
    GL.glEndList();
    throw;
  }
  GL.glEndList();
  changes_.Exclude(ocStructure);
}

void TGLBaseSceneObject::DestroyHandle() { listHandle_.DestroyHandle(); }

void TGLBaseSceneObject::DestroyHandles() {
  for (TGLBaseSceneObject* child : children_) child->DestroyHandles();
  DestroyHandle();
}

void TGLBaseSceneObject::Render(TRenderContextInfo& rci) {
  if (!visible_) return;
  bool drawSelf = true, drawChildren = true;
  switch (rci.visibilityCulling) {
    case vcInherited:
    case vcNone:
      break;
    case vcObjectBased:
      if (!objectStyle_.Contains(osNoVisibilityCulling) &&
          IsVolumeClipped(Affine(AbsolutePosition()), BoundingSphereRadius(), rci.rcci))
        drawSelf = false;
      break;
    case vcHierarchical:
      if (!objectStyle_.Contains(osNoVisibilityCulling)) {
        const TAABB box = TransformedBox(AxisAlignedBoundingBox(), *AbsoluteMatrixAsAddress());
        if (IsBoxVolumeClipped(box.min, box.max, rci.rcci)) drawSelf = drawChildren = false;
      }
      break;
    default:
      AssertFailed("Unknown visibility culling option", kModule, kCullingLine);
  }
  if (!drawSelf && !drawChildren) return;
  const MatrixPush push;
  GL.glMultMatrixf(LocalMatrix()[0].data());
  if (drawSelf) {
    if (showAxes_) DrawAxes(0xCCCC);
    const bool withEffects = effects_ && effects_->Count() > 0;
    if (withEffects) {
      const MatrixPush pre;
      effects_->RenderPreEffects(rci.buffer, rci);
    }
    {
      std::unique_ptr<MatrixPush> around;
      if (withEffects) around = std::make_unique<MatrixPush>();
      if (objectStyle_.Contains(osNoDepthTest)) {
        UnSetGLState(rci.glStates, stDepthTest);
        DoRender(rci, true, drawChildren);
        SetGLState(rci.glStates, stDepthTest);
      } else {
        DoRender(rci, true, drawChildren);
      }
      if (objectStyle_.Contains(osTouchesGLState)) {
        ResetGLPolygonModeCache();
        ResetGLMaterialColors();
        ResetGLCurrentTexture();
        ResetGLFrontFace();
      }
      if (withEffects) effects_->RenderPostEffects(rci.buffer, rci);
    }
  } else {
    const bool depthTested = objectStyle_.Contains(osNoDepthTest) && scene_ && scene_->CurrentBuffer() &&
                             scene_->CurrentBuffer()->DepthTest();
    if (depthTested) UnSetGLState(rci.glStates, stDepthTest);
    DoRender(rci, false, drawChildren);
    if (depthTested) SetGLState(rci.glStates, stDepthTest);
  }
}

void TGLBaseSceneObject::RenderSelf(TRenderContextInfo& rci) {
  if (objectStyle_.Contains(osNoDisplayList))
    BuildList(rci);
  else
    GL.glCallList(GetHandle(rci));
}

void TGLBaseSceneObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (renderSelf) RenderSelf(rci);
  if (renderChildren && Count() > 0) RenderChildren(0, Count() - 1, rci);
}

void TGLBaseSceneObject::RenderChildren(int first, int last, TRenderContextInfo& rci) {
  const TGLVisibilityCulling savedCulling = rci.visibilityCulling;
  if (visibilityCulling_ != vcInherited) rci.visibilityCulling = visibilityCulling_;
  if (first == last) {
    children_[first]->Render(rci);
    rci.visibilityCulling = savedCulling;
    return;
  }
  const TGLObjectsSorting savedSorting = rci.objectsSorting;
  if (objectsSorting_ != osInherited) rci.objectsSorting = objectsSorting_;
  // Blended children are drawn after the others, the farthest first.
  TSingleList keys;
  TPersistentObjectList objects;
  switch (rci.objectsSorting) {
    case osNone:
      for (int i = first; i <= last; ++i) children_[i]->Render(rci);
      break;
    case osRenderBlendedLast:
      for (int i = first; i <= last; ++i) {
        TGLBaseSceneObject* child = children_[i];
        if (!child->Blended()) {
          child->Render(rci);
        } else if (child->Visible()) {
          keys.Add(child->BarycenterSqrDistanceTo(rci.cameraPosition));
          objects.Add(child);
        }
      }
      break;
    case osRenderFarthestFirst:
      for (int i = first; i <= last; ++i) {
        TGLBaseSceneObject* child = children_[i];
        if (!child->Visible()) continue;
        keys.Add(child->BarycenterSqrDistanceTo(rci.cameraPosition));
        objects.Add(child);
      }
      break;
    default:
      AssertFailed("Assertion failure", kModule, kSortingLine);
  }
  if (keys.Count() > 0) {
    if (keys.Count() > 1) keys.QuickSortWithObjects(0, keys.Count() - 1, objects);
    for (int i = keys.Count() - 1; i >= 0; --i) static_cast<TGLBaseSceneObject*>(objects.Items(i))->Render(rci);
  }
  objects.Clear();
  rci.objectsSorting = savedSorting;
  rci.visibilityCulling = savedCulling;
}

void TGLBaseSceneObject::DrawAxes(uint16_t pattern) {
  if (!scene_ || !scene_->CurrentBuffer() || !scene_->CurrentBuffer()->Camera()) return;
  AxesBuildList(pattern, scene_->CurrentBuffer()->Camera()->DepthOfView());
}

void AxesBuildList(uint16_t pattern, float axisLength) {
  GL.glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_LINE_BIT);
  GL.glDisable(GL_LIGHTING);
  GL.glEnable(GL_LINE_STIPPLE);
  GL.glEnable(GL_LINE_SMOOTH);
  GL.glEnable(GL_BLEND);
  GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  GL.glLineWidth(1);
  GL.glLineStipple(1, pattern);
  GL.glBegin(GL_LINES);
  const struct {
    float r, g, b, x, y, z;
  } segments[] = {{0.5f, 0, 0, -axisLength, 0, 0}, {1, 0, 0, axisLength, 0, 0},     {0, 0.5f, 0, 0, -axisLength, 0},
                  {0, 1, 0, 0, axisLength, 0},     {0, 0, 0.5f, 0, 0, -axisLength}, {0, 0, 1, 0, 0, axisLength}};
  for (const auto& s : segments) {
    GL.glColor3f(s.r, s.g, s.b);
    GL.glVertex3f(0, 0, 0);
    GL.glVertex3f(s.x, s.y, s.z);
  }
  GL.glEnd();
  GL.glPopAttrib();
  __asm__ volatile("fnclex");
}

// TGLCustomSceneObject and the roots ----------------------------------------------------------

TGLCustomSceneObject::TGLCustomSceneObject(TComponent* owner)
    : TGLBaseSceneObject(owner), material_(std::make_unique<TGLMaterial>(this)) {}

TGLCustomSceneObject::~TGLCustomSceneObject() = default;

void TGLCustomSceneObject::SetMaterial(TGLMaterial* value) { material_->Assign(value); }

void TGLCustomSceneObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (renderSelf) {
    if (!rci.ignoreMaterials) {
      material_->Apply(rci);
      do {
        RenderSelf(rci);
      } while (material_->UnApply(rci));
    } else {
      RenderSelf(rci);
    }
  }
  if (renderChildren && Count() > 0) RenderChildren(0, Count() - 1, rci);
}

void TGLCustomSceneObject::DestroyHandle() {
  TGLBaseSceneObject::DestroyHandle();
  material_->DestroyHandles();
}

void TGLCustomSceneObject::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLCustomSceneObject*>(source)) {
    material_->Assign(other->material_.get());
    hint_ = other->hint_;
  }
  TGLBaseSceneObject::Assign(source);
}

TGLStageRootObject::TGLStageRootObject(TComponent* owner) : TGLBaseSceneObject(owner) {
  objectStyle_.Include(osNoDisplayList);
}

}  // namespace kx
