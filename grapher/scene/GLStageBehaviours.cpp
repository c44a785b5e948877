#include "scene/GLStageBehaviours.h"

#include "framework/core/SysUtils.h"
#include "scene/GLStageNode.h"

namespace kx {

KX_PUBLISH(TGLBaseBehaviour) {}
KX_PUBLISH(TGLBehaviour) {}
KX_PUBLISH(TGLObjectEffect) {}
KX_PUBLISH(TGLBehaviours) {}
KX_PUBLISH(TGLObjectEffects) {}

namespace {

constexpr const char* kModule = "GLStage";
// The checks report fixed line numbers, whatever this file looks like.
constexpr int kBehaviourVersionLine = 3881, kEffectVersionLine = 3963, kBehavioursOwnerLine = 3908,
              kEffectsOwnerLine = 3984;

void ReadVersion(TReader& reader, int line) {
  if (reader.ReadInteger() != 0) AssertFailed("Assertion failure", kModule, line);
}

}  // namespace

void TGLBaseBehaviour::WriteToFiler(TWriter& writer) { writer.WriteInteger(0); }

void TGLBaseBehaviour::ReadFromFiler(TReader& reader) { ReadVersion(reader, kBehaviourVersionLine); }

void TGLObjectEffect::WriteToFiler(TWriter& writer) { writer.WriteInteger(0); }

void TGLObjectEffect::ReadFromFiler(TReader& reader) { ReadVersion(reader, kEffectVersionLine); }

TGLBehaviours::TGLBehaviours(TPersistent* owner) : TXCollection(owner) {
  Assert(dynamic_cast<TGLBaseSceneObject*>(owner) != nullptr, "Assertion failure", kModule, kBehavioursOwnerLine);
}

bool TGLBehaviours::CanAdd(const TXCollectionItemClass& itemClass) const {
  if (itemClass.Info->InheritsFrom(TGLObjectEffect::StaticClass())) return false;
  return TXCollection::CanAdd(itemClass);
}

void TGLBehaviours::DoProgress(const TProgressTimes& times) {
  for (int i = 0; i < Count(); ++i) static_cast<TGLBaseBehaviour*>(Items(i))->DoProgress(times);
}

TGLObjectEffects::TGLObjectEffects(TPersistent* owner) : TXCollection(owner) {
  Assert(dynamic_cast<TGLBaseSceneObject*>(owner) != nullptr, "Assertion failure", kModule, kEffectsOwnerLine);
}

bool TGLObjectEffects::CanAdd(const TXCollectionItemClass& itemClass) const {
  if (!itemClass.Info->InheritsFrom(TGLObjectEffect::StaticClass())) return false;
  return TXCollection::CanAdd(itemClass);
}

void TGLObjectEffects::DoProgress(const TProgressTimes& times) {
  for (int i = 0; i < Count(); ++i) static_cast<TGLObjectEffect*>(Items(i))->DoProgress(times);
}

void TGLObjectEffects::RenderPreEffects(TGLStageBuffer* buffer, TRenderContextInfo& rci) {
  for (int i = 0; i < Count(); ++i) {
    auto* effect = static_cast<TGLObjectEffect*>(Items(i));
    if (effect->EffectKind() == ekPreRender) effect->Render(buffer, rci);
  }
}

void TGLObjectEffects::RenderPostEffects(TGLStageBuffer* buffer, TRenderContextInfo& rci) {
  for (int i = 0; i < Count(); ++i) {
    auto* effect = static_cast<TGLObjectEffect*>(Items(i));
    if (effect->EffectKind() == ekPostRender)
      effect->Render(buffer, rci);
    else if (effect->EffectKind() == ekAfterRender && buffer && rci.afterRenderEffects)
      rci.afterRenderEffects->push_back(effect);
  }
}

}  // namespace kx
