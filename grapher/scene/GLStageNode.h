// The node of the scene tree: owns its children, carries a local
// transformation built from Position, Direction, Up and Scale, computes its
// absolute matrix on demand, compiles its geometry into a display list, walks
// its subtree when the scene is rendered, and reports every change to its
// scene. The custom node adds a material; the roots of a scene are nodes too.
#pragma once

#include "scene/GLContext.h"
#include "scene/GLMisc.h"
#include "scene/GLRenderContextInfo.h"
#include "scene/GLStageBehaviours.h"
#include "scene/GLTexture.h"
#include "scene/VectorLists.h"

#include <memory>
#include <vector>

namespace kx {

class TGLStage;

enum TGLObjectStyleFlag { osNoDisplayList, osTouchesGLState, osNoDepthTest, osNoVisibilityCulling };
using TGLObjectStyle = TSet<TGLObjectStyleFlag>;

enum TTransformationMode { tmLocal, tmParentNoPos, tmParentWithPos };
KX_ENUM_NAMES(TTransformationMode, "tmLocal", "tmParentNoPos", "tmParentWithPos")

// What is stale in a node.
enum TObjectChange { ocTransformation, ocAbsoluteMatrix, ocInvAbsoluteMatrix, ocStructure };
using TObjectChanges = TSet<TObjectChange>;

using TGLProgressEvent = TEvent<TObject*, double, double>;

struct TAABB {
  TAffineVector min, max;
};

class TGLBaseSceneObject : public TGLUpdateAbleComponent, public TGLCoordinatesObserver {
  KX_CLASS(TGLBaseSceneObject, TGLUpdateAbleComponent)
 public:
  explicit TGLBaseSceneObject(TComponent* owner);
  ~TGLBaseSceneObject() override;

  // Tree ------------------------------------------------------------------------
  int Count() const { return static_cast<int>(children_.size()); }
  TGLBaseSceneObject* Children(int index) const;
  // Position among the parent's children, -1 without parent.
  int Index() const;
  TGLBaseSceneObject* Parent() const { return parent_; }
  TGLStage* Scene() const { return scene_; }
  // A light added below a node that has a scene gets a light slot.
  virtual void AddChild(TGLBaseSceneObject* node);
  // A new node of the class with this node as its component owner.
  TGLBaseSceneObject* AddNewChild(const TClassInfo& cls);
  TGLBaseSceneObject* AddNewChildFirst(const TClassInfo& cls);
  template <class T>
  T* AddNewChild() {
    return static_cast<T*>(AddNewChild(T::StaticClass()));
  }
  virtual void Insert(int index, TGLBaseSceneObject* node);
  // With keepChildren the node's children move to this node.
  virtual void Remove(TGLBaseSceneObject* node, bool keepChildren);
  // nullptr drops the scene.
  virtual void SetParent(TGLBaseSceneObject* parent);
  void MoveTo(int index);
  // Cameras of the subtree first, then the other children from the last.
  virtual void DeleteChildren();
  void SetScene(TGLStage* scene);

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  // Transformation ----------------------------------------------------------------
  TGLCoordinates* Position() const { return position_.get(); }
  void SetPosition(TGLCoordinates* value);
  TGLCoordinates* Direction() const { return direction_.get(); }
  void SetDirection(TGLCoordinates* value);
  TGLCoordinates* Up() const { return up_.get(); }
  void SetUp(TGLCoordinates* value);
  TGLCoordinates* Scale() const { return scale_.get(); }
  void SetScale(TGLCoordinates* value);
  float PitchAngle() const { return pitch_; }
  void SetPitchAngle(float value);
  float TurnAngle() const { return turn_; }
  void SetTurnAngle(float value);
  float RollAngle() const { return roll_; }
  void SetRollAngle(float value);

  void SetMatrix(const TMatrix& matrix);
  // Rebuilt when stale.
  const TMatrix& LocalMatrix();
  TMatrix GetLocalMatrix() { return LocalMatrix(); }
  const TMatrix* AbsoluteMatrixAsAddress();
  TMatrix GetAbsoluteMatrix() { return *AbsoluteMatrixAsAddress(); }
  const TMatrix* InvAbsoluteMatrixAsAddress();
  TMatrix GetInvAbsoluteMatrix() { return *InvAbsoluteMatrixAsAddress(); }
  TVector AbsolutePosition();
  TVector AbsoluteUp();
  TVector AbsoluteDirection();
  TVector AbsoluteToLocal(const TVector& v);
  TVector LocalToAbsolute(const TVector& v);
  void TransformationChanged();
  void CoordinateChanged(TGLCoordinates* sender) override;
  // Orbits the node around the target by the angles (degrees); the node's
  // orientation is left alone.
  void MoveObjectAround(TGLBaseSceneObject* target, float pitchDelta, float turnDelta);

  // Change and update ---------------------------------------------------------------
  // To the scene, unless updating or being read.
  void NotifyChange(TObject* sender) override;
  // The display list is compiled again at the next frame.
  virtual void StructureChanged();
  virtual void BeginUpdate();
  virtual void EndUpdate();
  bool Updating() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool ShowAxes() const { return showAxes_; }
  void SetShowAxes(bool value);
  TTransformationMode TransformationMode() const { return transformationMode_; }
  void SetTransformationMode(TTransformationMode value) { transformationMode_ = value; }
  TGLObjectsSorting ObjectsSorting() const { return objectsSorting_; }
  void SetObjectsSorting(TGLObjectsSorting value);
  TGLVisibilityCulling VisibilityCulling() const { return visibilityCulling_; }
  void SetVisibilityCulling(TGLVisibilityCulling value);
  float TagFloat() const { return tagFloat_; }
  void SetTagFloat(float value) { tagFloat_ = value; }
  // Created on first access.
  TGLBehaviours* Behaviours();
  void SetBehaviours(TGLBehaviours* value);
  TGLObjectEffects* Effects();
  void SetEffects(TGLObjectEffects* value);
  // Without creating the collection.
  bool HasEffects() const { return effects_ && effects_->Count() > 0; }
  TGLObjectStyle ObjectStyle() const { return objectStyle_; }
  TObjectChanges Changes() const { return changes_; }

  TGLProgressEvent OnProgress;

  void Loaded() override;
  void DoProgress(const TProgressTimes& times) override;
  void DefineProperties(TFiler& filer) override;
  void Assign(TPersistent* source) override;

  // Geometry queries ---------------------------------------------------------------
  virtual bool Blended() { return false; }
  virtual TVector BarycenterAbsolutePosition() { return AbsolutePosition(); }
  float BarycenterSqrDistanceTo(const TVector& point);
  // Half extents.
  virtual TVector AxisAlignedDimensions();
  float BoundingSphereRadius();
  // In the node's own coordinates, children included.
  TAABB AxisAlignedBoundingBox();
  virtual bool PointInObject(const TVector& point);
  virtual bool RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint = nullptr,
                                TVector* intersectNormal = nullptr);

  // Rendering ------------------------------------------------------------------------
  // The display list, compiled when missing or stale.
  virtual GLuint GetHandle(TRenderContextInfo& rci);
  void BuildListHandle(TRenderContextInfo& rci);
  // Emits the geometry; nothing here.
  virtual void BuildList(TRenderContextInfo&) {}
  virtual void DestroyHandle();
  // The whole subtree, children first.
  void DestroyHandles();
  void Render(TRenderContextInfo& rci);
  virtual void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren);
  virtual void RenderChildren(int first, int last, TRenderContextInfo& rci);
  void DrawAxes(uint16_t pattern);
  const TGLListHandle& ListHandle() const { return listHandle_; }

 protected:
  // Draws the geometry once: directly or through the display list.
  void RenderSelf(TRenderContextInfo& rci);
  void ClearStructureFlag() { changes_.Exclude(ocStructure); }

  TGLObjectStyle objectStyle_;

 private:
  friend class TGLStage;
  void RebuildMatrix();
  void FlagAbsoluteChanged();
  void Rotate(float& stored, float value, int axis);
  void DeleteChildCameras();
  // A node leaving its parent keeps its children: they move with it.
  void LeaveParent();

  TMatrix localMatrix_ = IdentityHmgMatrix;
  std::unique_ptr<std::array<TMatrix, 2>> absoluteMatrices_;  // absolute, inverse
  TObjectChanges changes_{ocTransformation, ocAbsoluteMatrix, ocInvAbsoluteMatrix, ocStructure};
  TGLListHandle listHandle_;
  std::unique_ptr<TGLCoordinates> position_, direction_, up_, scale_;
  float pitch_ = 0, turn_ = 0, roll_ = 0;
  TGLBaseSceneObject* parent_ = nullptr;
  TGLStage* scene_ = nullptr;
  std::vector<TGLBaseSceneObject*> children_;
  bool visible_ = true;
  bool showAxes_ = false;
  TTransformationMode transformationMode_ = tmLocal;
  TGLObjectsSorting objectsSorting_ = osInherited;
  TGLVisibilityCulling visibilityCulling_ = vcInherited;
  int updateCount_ = 0;
  bool changingCoordinates_ = false;
  float tagFloat_ = 0;
  std::unique_ptr<TGLBehaviours> behaviours_;
  std::unique_ptr<TGLObjectEffects> effects_;
};

// A node with a material applied around its geometry.
class TGLCustomSceneObject : public TGLBaseSceneObject {
  KX_CLASS(TGLCustomSceneObject, TGLBaseSceneObject)
 public:
  explicit TGLCustomSceneObject(TComponent* owner);
  ~TGLCustomSceneObject() override;
  TGLMaterial* Material() const { return material_.get(); }
  void SetMaterial(TGLMaterial* value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value) { hint_ = value; }

  bool Blended() override { return material_->BlendingMode() != bmOpaque; }
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  void DestroyHandle() override;
  void Assign(TPersistent* source) override;

 private:
  std::unique_ptr<TGLMaterial> material_;
  std::string hint_;
};

// Publishes the node's properties without the material.
class TGLImmaterialSceneObject : public TGLCustomSceneObject {
  KX_CLASS(TGLImmaterialSceneObject, TGLCustomSceneObject)
 public:
  using TGLCustomSceneObject::TGLCustomSceneObject;
};

// Publishes the node's properties and the material.
class TGLStageObject : public TGLCustomSceneObject {
  KX_CLASS(TGLStageObject, TGLCustomSceneObject)
 public:
  using TGLCustomSceneObject::TGLCustomSceneObject;
};

// One of the two invisible roots of a scene.
class TGLStageRootObject : public TGLBaseSceneObject {
  KX_CLASS(TGLStageRootObject, TGLBaseSceneObject)
 public:
  explicit TGLStageRootObject(TComponent* owner);
};

// The axes a node shows with ShowAxes: six dashed segments from the origin.
void AxesBuildList(uint16_t pattern, float axisLength);

}  // namespace kx
