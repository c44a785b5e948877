// Plug-in items of a scene node: behaviours advanced on each progress tick,
// and effects that may draw before, after or around the node. The render
// passes pick effects by kind; this library defines the kinds as extension
// points and no effect class of its own.
#pragma once

#include "scene/GLRenderContextInfo.h"
#include "scene/GLMisc.h"
#include "scene/XCollection.h"

namespace kx {

class TGLStageBuffer;

class TGLBaseBehaviour : public TXCollectionItem {
  KX_CLASS(TGLBaseBehaviour, TXCollectionItem)
 public:
  explicit TGLBaseBehaviour(TXCollection* owner) : TXCollectionItem(owner) {}
  // The archive version 0 and nothing else; the collection writes class and name.
  void WriteToFiler(TWriter& writer) override;
  void ReadFromFiler(TReader& reader) override;
  virtual void DoProgress(const TProgressTimes&) {}
};

class TGLBehaviour : public TGLBaseBehaviour {
  KX_CLASS(TGLBehaviour, TGLBaseBehaviour)
 public:
  using TGLBaseBehaviour::TGLBaseBehaviour;
};

// When an effect draws relative to its node's own drawing.
enum TGLEffectKind { ekNone, ekPreRender, ekPostRender, ekAfterRender };

class TGLObjectEffect : public TGLBehaviour {
  KX_CLASS(TGLObjectEffect, TGLBehaviour)
 public:
  using TGLBehaviour::TGLBehaviour;
  void WriteToFiler(TWriter& writer) override;
  void ReadFromFiler(TReader& reader) override;
  virtual TGLEffectKind EffectKind() const { return ekNone; }
  virtual void Render(TGLStageBuffer*, TRenderContextInfo&) {}
};

class TGLBehaviours : public TXCollection {
  KX_CLASS(TGLBehaviours, TXCollection)
 public:
  // The owner must be a scene node.
  explicit TGLBehaviours(TPersistent* owner);
  const TClassInfo& ItemsClass() const override { return TGLBehaviour::StaticClass(); }
  bool CanAdd(const TXCollectionItemClass& itemClass) const override;
  void DoProgress(const TProgressTimes& times);
};

class TGLObjectEffects : public TXCollection {
  KX_CLASS(TGLObjectEffects, TXCollection)
 public:
  explicit TGLObjectEffects(TPersistent* owner);
  const TClassInfo& ItemsClass() const override { return TGLObjectEffect::StaticClass(); }
  bool CanAdd(const TXCollectionItemClass& itemClass) const override;
  void DoProgress(const TProgressTimes& times);
  void RenderPreEffects(TGLStageBuffer* buffer, TRenderContextInfo& rci);
  // After-render effects join the buffer's list instead of drawing now.
  void RenderPostEffects(TGLStageBuffer* buffer, TRenderContextInfo& rci);
};

}  // namespace kx
