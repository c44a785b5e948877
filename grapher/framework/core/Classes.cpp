#include "framework/core/Classes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace kx {

// ---------------------------------------------------------------------------
// Enumerations

int TEnumInfo::ValueOf(std::string_view name) const {
  for (size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], name)) return int(i);
  return -1;
}

const std::string& TEnumInfo::NameOf(int ordinal) const {
  if (ordinal < 0 || size_t(ordinal) >= Names.size())
    throw EConvertError(TypeName + ": no identifier for ordinal " + std::to_string(ordinal));
  return Names[size_t(ordinal)];
}

// ---------------------------------------------------------------------------
// Class information

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    if (c == &other) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const TPropInfo& p : c->Properties)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

const THandlerInfo* TClassInfo::FindHandler(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const THandlerInfo& h : c->Handlers)
      if (SameText(h.Name, name)) return &h;
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = this; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const TPropInfo& p : (*it)->Properties) {
      // A redeclared property replaces the ancestor's entry in place.
      auto same =
          std::find_if(result.begin(), result.end(), [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
      if (same != result.end())
        *same = &p;
      else
        result.push_back(&p);
    }
  return result;
}

TObject* TClassInfo::Create(TComponent* owner) const {
  if (!Factory) throw EInvalidOperation("Cannot create an instance of " + Name);
  return Factory(owner);
}

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info{"TObject", nullptr, {}, {}, {}};
  return info;
}

// ---------------------------------------------------------------------------
// Registry

namespace {
std::map<std::string, const TClassInfo*, std::less<>>& Registry() {
  static std::map<std::string, const TClassInfo*, std::less<>> registry;
  return registry;
}
}  // namespace

void RegisterClass(const TClassInfo& cls) {
  for (const TClassInfo* c = &cls; c; c = c->Parent) {
    auto [it, inserted] = Registry().emplace(c->Name, c);
    if (!inserted && it->second != c) throw EFilerError("A class named " + c->Name + " already exists");
  }
}

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
  for (const TClassInfo* c : classes) RegisterClass(*c);
}

const TClassInfo* GetClass(std::string_view name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : it->second;
}

const TClassInfo& FindClass(std::string_view name) {
  if (const TClassInfo* c = GetClass(name)) return *c;
  throw EClassNotFound("Class " + std::string(name) + " not found");
}

// ---------------------------------------------------------------------------
// TPersistent

KX_PUBLISH(TPersistent) {}

void TPersistent::Assign(TPersistent* source) {
  if (source)
    source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  const std::string from = source ? source->ClassName() : std::string("nil");
  throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

std::string TPersistent::GetNamePath() const {
  // A nested object is named after its owner: Owner.TClass.
  std::string path = ClassName();
  if (TPersistent* owner = GetOwner()) {
    const std::string ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) path = ownerPath + "." + path;
  }
  return path;
}

void TPersistent::DefineProperties(TFiler&) {}

// ---------------------------------------------------------------------------
// TComponent

KX_PUBLISH(TComponent) {
  // The filer stores the name in the component header.
  p.Property("Name", &TComponent::Name, &TComponent::SetName).NotStored();
  p.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& theirs = other->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return components_[size_t(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name)) throw EComponentError("\"" + name + "\" is not a valid component name");
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this) throw EComponentError("A component named " + name + " already exists");
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (!component->name_.empty() && FindComponent(component->name_))
    throw EComponentError("A component named " + component->name_ + " already exists");
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
  Notification(component, opRemove);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    c->BeforeDestruction();
    // What it did last may have freed or taken away components itself.
    auto it = std::find(components_.begin(), components_.end(), c);
    if (it == components_.end()) continue;
    components_.erase(it);
    c->owner_ = nullptr;
    // Siblings that still hold it hear of it before it goes.
    Notification(c, opRemove);
    delete c;
  }
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  auto& theirs = component->freeNotifies_;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
  auto& theirs = component->freeNotifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
  }
  // Copy: a handler may free components while we walk.
  const std::vector<TComponent*> owned = components_;
  for (TComponent* c : owned)
    if (c != component) c->Notification(component, operation);
}

void TComponent::BeginLoading() {
  state_.Include(csLoading);
  state_.Include(csReading);
}

void TComponent::EndReading() { state_.Exclude(csReading); }

void TComponent::AbortLoading() {
  state_.Exclude(csReading);
  state_.Exclude(csLoading);
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  if (root != this) return;
  for (TComponent* c : components_)
    if (!c->HasParent()) proc(c);
}

void TComponent::SetComponentState(TComponentStateFlag flag, bool on) {
  if (on)
    state_.Include(flag);
  else
    state_.Exclude(flag);
}

// ---------------------------------------------------------------------------
// Properties by name

namespace detail {
bool IsLoadingComponent(const TObject* sender) {
  const auto* component = dynamic_cast<const TComponent*>(sender);
  return component && component->IsLoading();
}

void RaiseRange(const std::string& prop, int64_t value, int64_t lo, int64_t hi) {
  throw EPropertyError("Property " + prop + ": value " + std::to_string(value) + " out of range " + std::to_string(lo) +
                       ".." + std::to_string(hi));
}
void RaiseBadValue(const std::string& prop) { throw EPropertyError("Invalid property value for " + prop); }
}  // namespace detail

std::pair<TObject*, const TPropInfo*> ResolvePropPath(TObject& obj, std::string_view path) {
  TObject* target = &obj;
  for (;;) {
    const size_t dot = path.find('.');
    const std::string_view head = path.substr(0, dot);
    const TPropInfo* info = target->ClassType().FindProperty(head);
    if (dot == std::string_view::npos || !info) return {target, info};
    if (info->Kind != TPropKind::Class)
      throw EPropertyError("Property " + std::string(head) + " has no sub-properties");
    TObject* nested = std::get<TObject*>(info->Get(*target));
    if (!nested) throw EPropertyError("Property " + std::string(head) + " is nil");
    target = nested;
    path = path.substr(dot + 1);
  }
}

void SetPropInfoValue(TObject& obj, const TPropInfo& info, const TValue& value) {
  if (info.ReadOnly()) throw EPropertyError("Property " + info.Name + " is read-only");
  const auto mismatch = [&] { detail::RaiseBadValue(info.Name); };
  switch (info.Kind) {
    case TPropKind::Integer:
    case TPropKind::Boolean:
    case TPropKind::Enum:
    case TPropKind::Set:
    case TPropKind::Color:
      if (!std::holds_alternative<int64_t>(value)) mismatch();
      break;
    case TPropKind::Single:
    case TPropKind::Double:
    case TPropKind::Extended:
      // An integer literal is a fine float.
      if (const int64_t* i = std::get_if<int64_t>(&value)) {
        info.Set(obj, (long double)*i);
        return;
      }
      if (!std::holds_alternative<long double>(value))
        mismatch();
      else {
        // A finite value the property's type cannot hold would silently become infinite.
        const long double v = std::get<long double>(value);
        const bool overflows = info.Kind == TPropKind::Single   ? std::isinf(float(v))
                               : info.Kind == TPropKind::Double ? std::isinf(double(v))
                                                                : false;
        if (std::isfinite(v) && overflows) {
          char text[32];
          std::snprintf(text, sizeof text, "%Lg", v);
          throw EPropertyError("Property " + info.Name + ": value " + text + " out of range for a " +
                               (info.Kind == TPropKind::Single ? "single" : "double"));
        }
      }
      break;
    case TPropKind::String:
      if (!std::holds_alternative<std::string>(value)) mismatch();
      break;
    case TPropKind::Class:
    case TPropKind::Component:
      if (!std::holds_alternative<TObject*>(value)) mismatch();
      if (!info.AcceptsObject(std::get<TObject*>(value))) mismatch();
      break;
    case TPropKind::Event:
      if (!std::holds_alternative<TMethodValue>(value)) mismatch();
      break;
  }
  info.Set(obj, value);
}

void SetPropValue(TObject& obj, std::string_view path, const TValue& value) {
  auto [target, info] = ResolvePropPath(obj, path);
  if (!info) throw EPropertyError("Property " + std::string(path) + " does not exist");
  SetPropInfoValue(*target, *info, value);
}

TValue GetPropValue(TObject& obj, std::string_view path) {
  auto [target, info] = ResolvePropPath(obj, path);
  if (!info) throw EPropertyError("Property " + std::string(path) + " does not exist");
  return info->Get(*target);
}

}  // namespace kx
