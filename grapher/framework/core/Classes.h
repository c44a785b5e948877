// Component model: class information with published properties and event
// handlers, the class registry, TPersistent and TComponent.
//
// Declaring a class:
//   // header
//   class TFoo : public TComponent {
//     KX_CLASS(TFoo, TComponent)
//   public:
//     explicit TFoo(TComponent* owner);
//     int Width() const;  void SetWidth(int value);
//     TFont* Font() const;               // nested persistent, set in place
//     TNotifyEvent OnClick;              // event field
//   };
//   // source
//   KX_PUBLISH(TFoo) {
//     p.Property("Width", &TFoo::Width, &TFoo::SetWidth);
//     p.Property("Font", &TFoo::Font, nullptr);
//     p.Field("OnClick", &TFoo::OnClick);
//   }
//   // module start-up code
//   RegisterClasses({&TFoo::StaticClass()});
//
// A form class publishes its event handlers the same way:
//   p.Handler("BtnAddClick", &TMainForm::BtnAddClick);
#pragma once

#include "framework/core/SysUtils.h"

#include <any>
#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <variant>
#include <vector>

namespace kx {

class TObject;
class TPersistent;
class TComponent;
class TFiler;
struct TClassInfo;

// ---------------------------------------------------------------------------
// Enumerations and sets published by identifier.

struct TEnumInfo {
  std::string TypeName;
  std::vector<std::string> Names;  // ordinal i has Names[i]

  int ValueOf(std::string_view name) const;      // -1 when unknown; ignores case
  const std::string& NameOf(int ordinal) const;  // throws EConvertError out of range
};

// Attaches identifier names to an enumeration, in ordinal order from 0.
// Place it in the enumeration's own namespace.
#define KX_ENUM_NAMES(Enum, ...)                             \
  inline const ::kx::TEnumInfo& KxEnumInfo(Enum*) {          \
    static const ::kx::TEnumInfo info{#Enum, {__VA_ARGS__}}; \
    return info;                                             \
  }

template <class E>
const TEnumInfo& EnumInfoOf() {
  return KxEnumInfo(static_cast<E*>(nullptr));
}

// A set of up to 64 enumeration values (ordinals 0..63).
template <class E>
class TSet {
 public:
  using Element = E;
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values) Include(v);
  }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr uint64_t Bits() const { return bits_; }
  constexpr bool Contains(E v) const { return (bits_ >> unsigned(v)) & 1u; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E v) {
    bits_ |= uint64_t(1) << unsigned(v);
    return *this;
  }
  constexpr TSet& Exclude(E v) {
    bits_ &= ~(uint64_t(1) << unsigned(v));
    return *this;
  }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr bool operator==(const TSet&) const = default;

 private:
  uint64_t bits_ = 0;
};

template <class T>
struct IsTSet : std::false_type {};
template <class E>
struct IsTSet<TSet<E>> : std::true_type {};

// ---------------------------------------------------------------------------
// Events: a bound handler plus the handler's name, so a form can be written back.

namespace detail {
// True while `sender` is a component being loaded.
bool IsLoadingComponent(const TObject* sender);

template <class First, class... Rest>
bool SenderIsLoading(const First& first, const Rest&...) {
  if constexpr (std::is_convertible_v<First, const TObject*>)
    return IsLoadingComponent(first);
  else
    return false;
}
}  // namespace detail

// An event raised with a loading component as its sender (the first argument)
// calls nothing: a form resource may bind a handler before the values whose
// setters raise it, and no handler may see a half-read window.
template <class... Args>
class TEvent {
 public:
  using Function = std::function<void(Args...)>;
  TEvent() = default;
  TEvent(Function fn, std::string handlerName = {}) : fn_(std::move(fn)), name_(std::move(handlerName)) {}
  // Any callable that takes the event's arguments: ev = [this](TObject* s) { ... };
  template <class F,
            class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TEvent> &&
                                     !std::is_same_v<std::decay_t<F>, Function> && std::is_invocable_v<F&, Args...>>>
  TEvent(F fn) : fn_(std::move(fn)) {}
  explicit operator bool() const { return static_cast<bool>(fn_); }
  void operator()(Args... args) const {
    if (!fn_) return;
    if constexpr (sizeof...(Args) > 0)
      if (detail::SenderIsLoading(args...)) return;
    fn_(std::forward<Args>(args)...);
  }
  const std::string& HandlerName() const { return name_; }

 private:
  Function fn_;
  std::string name_;
};

using TNotifyEvent = TEvent<TObject*>;

// An event bound to a method at run time: item->OnClick = MakeEvent(this, &TForm1::Click);
template <class C, class... A>
TEvent<A...> MakeEvent(C* instance, void (C::*method)(A...)) {
  return TEvent<A...>([instance, method](A... args) { (instance->*method)(std::forward<A>(args)...); });
}

template <class T>
struct IsTEvent : std::false_type {};
template <class... A>
struct IsTEvent<TEvent<A...>> : std::true_type {};

// An event value in transit: the handler's name and the TEvent<...> itself.
struct TMethodValue {
  std::string Name;
  std::any Event;  // empty for a nil handler
};

// ---------------------------------------------------------------------------
// Published properties.

enum class TPropKind {
  Integer,  // any integral type, range-checked on write
  Boolean,
  Single,
  Double,
  Extended,
  Enum,  // by identifier
  Set,   // by identifiers
  String,
  Color,      // integral colour; names and system colours accepted
  Class,      // nested TPersistent set in place (Font.Style); TStrings, TCollection
  Component,  // reference to another component, resolved after loading
  Event,      // bound by handler name
};

// One value of any property kind. Ordinals, sets (bits), booleans and colours
// travel as int64_t; floats as long double.
using TValue = std::variant<int64_t, long double, std::string, TObject*, TMethodValue>;

// A named integer constant a stored integer may be written as (crHandPoint).
struct TIdentMapEntry {
  int64_t Value;
  const char* Name;
};

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  int64_t MinValue = 0, MaxValue = 0;                 // Integer and Color
  const TEnumInfo* EnumType = nullptr;                // Enum and Set
  std::type_index ValueType = typeid(void);           // the C++ type of the property
  std::function<bool(const TObject*)> AcceptsObject;  // Class and Component
  std::function<TValue(TObject&)> Get;
  std::function<void(TObject&, const TValue&)> Set;  // empty: read-only
  bool Stored = true;                                // false: never written by the filer
  std::function<bool(const TObject&)> StoredIf;      // when set: written only while it holds
  bool HasDefault = false;                           // ordinal kinds: not written when equal to Default
  int64_t Default = 0;
  std::vector<TIdentMapEntry> Idents;  // Integer: names the filer reads and writes

  bool ReadOnly() const { return !Set; }
};

// An event handler a form class offers for binding by name.
struct THandlerInfo {
  std::string Name;
  std::type_index Signature = typeid(void);  // the TEvent<...> type it fits
  std::function<std::any(TObject& instance)> Bind;
};

struct TClassInfo {
  std::string Name;
  const TClassInfo* Parent = nullptr;
  std::function<TObject*(TComponent* owner)> Factory;  // empty: cannot be created by name
  std::vector<TPropInfo> Properties;                   // own, in declaration order
  std::vector<THandlerInfo> Handlers;                  // own

  bool InheritsFrom(const TClassInfo& other) const;
  // Case-insensitive; searches ancestors too.
  const TPropInfo* FindProperty(std::string_view name) const;
  const THandlerInfo* FindHandler(std::string_view name) const;
  // All properties, ancestors' first.
  std::vector<const TPropInfo*> AllProperties() const;
  // Throws EInvalidOperation when the class has no factory.
  TObject* Create(TComponent* owner) const;
};

// ---------------------------------------------------------------------------
// TObject

#define KX_CLASS(Cls, Base)                     \
 public:                                        \
  using inherited = Base;                       \
  static const ::kx::TClassInfo& StaticClass(); \
  const ::kx::TClassInfo& ClassType() const override { return StaticClass(); }

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType().Name; }
  bool InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }
};

// Checked casts: As<T> raises EInvalidCast for an object of another class; nil stays nil.
template <class T>
T* As(TObject* obj) {
  if (!obj) return nullptr;
  if (T* t = dynamic_cast<T*>(obj)) return t;
  throw EInvalidCast("Invalid class typecast");
}
template <class T>
bool Is(const TObject* obj) {
  return dynamic_cast<const T*>(obj) != nullptr;
}

// ---------------------------------------------------------------------------
// Class registry, filled by each module's start-up code.

void RegisterClass(const TClassInfo& cls);  // registers its ancestors too
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
const TClassInfo* GetClass(std::string_view name);   // nullptr when unknown
const TClassInfo& FindClass(std::string_view name);  // EClassNotFound "Class X not found"

// ---------------------------------------------------------------------------
// TPersistent

class TPersistent : public TObject {
  KX_CLASS(TPersistent, TObject)
 public:
  // Copies source's state into this object; EConvertError when the classes don't fit.
  virtual void Assign(TPersistent* source);
  // The object that owns this one for name paths (a component's owner, an item's collection).
  virtual TPersistent* GetOwner() const { return nullptr; }
  virtual std::string GetNamePath() const;
  // User-defined and binary stored properties (see Filer.h).
  virtual void DefineProperties(TFiler& filer);

 protected:
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(TPersistent* source);
};

// ---------------------------------------------------------------------------
// TComponent

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
KX_ENUM_NAMES(TComponentStateFlag, "csLoading", "csReading", "csWriting", "csDestroying", "csDesigning", "csUpdating")
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  KX_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* owner);
  // Tells every component that asked, destroys owned components (last first),
  // then leaves the owner.
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return int(components_.size()); }
  TComponent* Components(int index) const;  // EListError out of range
  int ComponentIndex() const;               // index in the owner's list, -1 without owner

  const std::string& Name() const { return name_; }
  // Empty or an identifier, unique (ignoring case) among the owner's components.
  virtual void SetName(const std::string& name);
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return state_.Contains(csLoading); }
  bool IsDestroying() const { return state_.Contains(csDestroying); }

  // Owned component with this name, ignoring case; nullptr when none.
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component now, each after its BeforeDestruction; a
  // class whose parts must go before its own destructor runs calls this first.
  void DestroyComponents();
  // Last call to a component its owner is about to free, while the whole
  // object (derived parts included) still exists.
  virtual void BeforeDestruction() {}
  // Marks this and every owned component as being destroyed.
  void Destroying();

  // Asks that `component` gets Notification(this, opRemove) when this is freed
  // (and the other way round).
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Loading: the form loader sets csLoading and csReading, reads, then calls Loaded.
  void BeginLoading();
  void EndReading();
  // Clears the loading states without Loaded, after a load that failed.
  void AbortLoading();
  void SetComponentState(TComponentStateFlag flag, bool on);
  virtual void Loaded();  // clears csLoading

  // Nesting in a stored tree (scene nodes, sheets, menu items): a component
  // with a parent is written inside it and is given it before its properties.
  virtual void SetParentComponent(TComponent* parent);
  virtual TComponent* GetParentComponent() const { return nullptr; }
  bool HasParent() const { return GetParentComponent() != nullptr; }
  // Children stored inside this component; the root enumerates its parentless
  // owned components.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);

  TPersistent* GetOwner() const override { return owner_; }
  std::string GetNamePath() const override { return name_; }

 protected:
  // Default: drops the component from the free-notification list and passes
  // the news to every owned component.
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
  intptr_t tag_ = 0;
  TComponentState state_;
};

// ---------------------------------------------------------------------------
// TUpdateScope: holds a list or collection in its update state (BeginUpdate)
// until the scope ends, on every way out, so a failed fill still ends the
// update and tells of the change.

template <class T>
class TUpdateScope {
 public:
  explicit TUpdateScope(T& target) : target_(target) { target_.BeginUpdate(); }
  // A change handler that fails while another exception is under way must not
  // end the program: the first failure is the one reported.
  ~TUpdateScope() noexcept(false) {
    if (std::uncaught_exceptions() == exceptions_) {
      target_.EndUpdate();
      return;
    }
    try {
      target_.EndUpdate();
    } catch (...) {
    }
  }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  T& target_;
  const int exceptions_ = std::uncaught_exceptions();
};

// ---------------------------------------------------------------------------
// Publishing: builds a class's TClassInfo.

namespace detail {
template <class T>
struct PointeeOf {
  using type = void;
};
template <class T>
struct PointeeOf<T*> {
  using type = T;
};
template <class Ev>
struct EventBinder;
template <class... A>
struct EventBinder<TEvent<A...>> {
  template <class C>
  static TEvent<A...> Bind(C& obj, void (C::*method)(A...), const std::string& name) {
    C* self = &obj;
    return TEvent<A...>([self, method](A... args) { (self->*method)(std::forward<A>(args)...); }, name);
  }
};
[[noreturn]] void RaiseRange(const std::string& prop, int64_t value, int64_t lo, int64_t hi);
[[noreturn]] void RaiseBadValue(const std::string& prop);
}  // namespace detail

template <class C>
class TPublisher {
 public:
  explicit TPublisher(TClassInfo& info) : info_(info) {}

  // Getter: `T (C::*)() const` or any callable on const C&; setter: a member
  // taking T or const T&, or nullptr for a read-only property.
  template <class G, class S>
  TPublisher& Property(std::string name, G getter, S setter) {
    using T = std::decay_t<std::invoke_result_t<G, const C&>>;
    std::function<void(C&, T)> set;
    if constexpr (!std::is_null_pointer_v<S>) set = [setter](C& c, T v) { std::invoke(setter, c, std::move(v)); };
    Add<T>(
        std::move(name), [getter](const C& c) -> T { return std::invoke(getter, c); }, std::move(set), false);
    return *this;
  }

  // A data member published directly (events are usually published so).
  template <class T>
  TPublisher& Field(std::string name, T C::*field) {
    Add<T>(
        std::move(name), [field](const C& c) -> T { return c.*field; }, [field](C& c, T v) { c.*field = std::move(v); },
        false);
    return *this;
  }

  // An integral property that reads colour names (clRed, clBtnFace) as well as numbers.
  template <class G, class S>
  TPublisher& Color(std::string name, G getter, S setter) {
    using T = std::decay_t<std::invoke_result_t<G, const C&>>;
    static_assert(std::is_integral_v<T>, "a colour is an integral value");
    Add<T>(
        std::move(name), [getter](const C& c) -> T { return std::invoke(getter, c); },
        [setter](C& c, T v) { std::invoke(setter, c, v); }, true);
    return *this;
  }

  // Modifiers of the property published last.
  TPublisher& Default(int64_t value) {
    info_.Properties.back().HasDefault = true;
    info_.Properties.back().Default = value;
    return *this;
  }
  TPublisher& NotStored() {
    info_.Properties.back().Stored = false;
    return *this;
  }
  // Written only while `stored` holds for the object (a value its parent
  // gives it is not written).
  TPublisher& StoredWhen(std::function<bool(const C&)> stored) {
    info_.Properties.back().StoredIf = [stored](const TObject& o) { return stored(static_cast<const C&>(o)); };
    return *this;
  }
  // Names an integer property's values may be stored as; the list ends at a nil name.
  TPublisher& Idents(const TIdentMapEntry* table) {
    for (; table->Name; ++table) info_.Properties.back().Idents.push_back(*table);
    return *this;
  }

  // An event handler of a form class, bindable to any event of the same signature.
  template <class... A>
  TPublisher& Handler(std::string name, void (C::*method)(A...)) {
    THandlerInfo h;
    h.Name = name;
    h.Signature = typeid(TEvent<A...>);
    h.Bind = [method, name](TObject& obj) -> std::any {
      return detail::EventBinder<TEvent<A...>>::Bind(static_cast<C&>(obj), method, name);
    };
    info_.Handlers.push_back(std::move(h));
    return *this;
  }

  static TClassInfo Make(const char* name, void (*publish)(TPublisher<C>&)) {
    TClassInfo info;
    info.Name = name;
    info.Parent = &C::inherited::StaticClass();
    if constexpr (!std::is_abstract_v<C>) {
      if constexpr (std::is_constructible_v<C, TComponent*>)
        info.Factory = [](TComponent* owner) -> TObject* { return new C(owner); };
      else if constexpr (std::is_default_constructible_v<C>)
        info.Factory = [](TComponent*) -> TObject* { return new C(); };
    }
    TPublisher<C> p(info);
    publish(p);
    return info;
  }

 private:
  template <class T>
  void Add(std::string name, std::function<T(const C&)> get, std::function<void(C&, T)> set, bool color) {
    TPropInfo pi;
    pi.Name = std::move(name);
    pi.ValueType = typeid(T);
    const std::string pname = pi.Name;
    if constexpr (std::is_same_v<T, bool>) {
      pi.Kind = TPropKind::Boolean;
      pi.Get = [get](TObject& o) -> TValue { return int64_t(get(static_cast<C&>(o))); };
      if (set) pi.Set = [set](TObject& o, const TValue& v) { set(static_cast<C&>(o), std::get<int64_t>(v) != 0); };
    } else if constexpr (std::is_integral_v<T>) {
      pi.Kind = color ? TPropKind::Color : TPropKind::Integer;
      pi.MinValue = int64_t(std::numeric_limits<T>::min());
      pi.MaxValue =
          std::numeric_limits<T>::max() > uint64_t(INT64_MAX) ? INT64_MAX : int64_t(std::numeric_limits<T>::max());
      pi.Get = [get](TObject& o) -> TValue { return int64_t(get(static_cast<C&>(o))); };
      if (set)
        pi.Set = [set, pname](TObject& o, const TValue& v) {
          const int64_t x = std::get<int64_t>(v);
          const int64_t lo = int64_t(std::numeric_limits<T>::min());
          const int64_t hi =
              std::numeric_limits<T>::max() > uint64_t(INT64_MAX) ? INT64_MAX : int64_t(std::numeric_limits<T>::max());
          if (x < lo || x > hi) detail::RaiseRange(pname, x, lo, hi);
          set(static_cast<C&>(o), T(x));
        };
    } else if constexpr (std::is_floating_point_v<T>) {
      pi.Kind = std::is_same_v<T, float>    ? TPropKind::Single
                : std::is_same_v<T, double> ? TPropKind::Double
                                            : TPropKind::Extended;
      pi.Get = [get](TObject& o) -> TValue { return (long double)get(static_cast<C&>(o)); };
      if (set) pi.Set = [set](TObject& o, const TValue& v) { set(static_cast<C&>(o), T(std::get<long double>(v))); };
    } else if constexpr (std::is_enum_v<T>) {
      pi.Kind = TPropKind::Enum;
      pi.EnumType = &EnumInfoOf<T>();
      pi.Get = [get](TObject& o) -> TValue { return int64_t(get(static_cast<C&>(o))); };
      if (set)
        pi.Set = [set, pname](TObject& o, const TValue& v) {
          const int64_t x = std::get<int64_t>(v);
          if (x < 0 || x >= int64_t(EnumInfoOf<T>().Names.size()))
            detail::RaiseRange(pname, x, 0, int64_t(EnumInfoOf<T>().Names.size()) - 1);
          set(static_cast<C&>(o), T(x));
        };
    } else if constexpr (IsTSet<T>::value) {
      pi.Kind = TPropKind::Set;
      pi.EnumType = &EnumInfoOf<typename T::Element>();
      pi.Get = [get](TObject& o) -> TValue { return int64_t(get(static_cast<C&>(o)).Bits()); };
      if (set)
        pi.Set = [set](TObject& o, const TValue& v) {
          set(static_cast<C&>(o), T::FromBits(uint64_t(std::get<int64_t>(v))));
        };
    } else if constexpr (std::is_same_v<T, std::string>) {
      pi.Kind = TPropKind::String;
      pi.Get = [get](TObject& o) -> TValue { return get(static_cast<C&>(o)); };
      if (set) pi.Set = [set](TObject& o, const TValue& v) { set(static_cast<C&>(o), std::get<std::string>(v)); };
    } else if constexpr (std::is_pointer_v<T>) {
      using P = typename detail::PointeeOf<T>::type;
      static_assert(std::is_base_of_v<TPersistent, P>, "object properties hold TPersistent");
      pi.Kind = std::is_base_of_v<TComponent, P> ? TPropKind::Component : TPropKind::Class;
      pi.AcceptsObject = [](const TObject* obj) { return obj == nullptr || dynamic_cast<const P*>(obj) != nullptr; };
      pi.Get = [get](TObject& o) -> TValue {
        return static_cast<TObject*>(const_cast<std::remove_const_t<P>*>(get(static_cast<C&>(o))));
      };
      if (set)
        pi.Set = [set, pname](TObject& o, const TValue& v) {
          TObject* obj = std::get<TObject*>(v);
          P* typed = dynamic_cast<P*>(obj);
          if (obj && !typed) detail::RaiseBadValue(pname);
          set(static_cast<C&>(o), typed);
        };
    } else if constexpr (IsTEvent<T>::value) {
      pi.Kind = TPropKind::Event;
      pi.Get = [get](TObject& o) -> TValue {
        T ev = get(static_cast<C&>(o));
        std::any held;
        if (ev) held = ev;
        return TMethodValue{ev.HandlerName(), std::move(held)};
      };
      if (set)
        pi.Set = [set, pname](TObject& o, const TValue& v) {
          const TMethodValue& m = std::get<TMethodValue>(v);
          if (!m.Event.has_value()) {
            set(static_cast<C&>(o), T());
            return;
          }
          const T* ev = std::any_cast<T>(&m.Event);
          if (!ev) detail::RaiseBadValue(pname);
          set(static_cast<C&>(o), *ev);
        };
    } else {
      static_assert(!sizeof(T), "type cannot be published");
    }
    info_.Properties.push_back(std::move(pi));
  }

  TClassInfo& info_;
};

// Defines Cls::StaticClass() and opens the body that publishes its members
// through `p` (a TPublisher<Cls>&).
#define KX_PUBLISH(Cls)                                                                       \
  static void KxPublish_##Cls(::kx::TPublisher<Cls>& p);                                      \
  const ::kx::TClassInfo& Cls::StaticClass() {                                                \
    static const ::kx::TClassInfo info = ::kx::TPublisher<Cls>::Make(#Cls, &KxPublish_##Cls); \
    return info;                                                                              \
  }                                                                                           \
  static void KxPublish_##Cls([[maybe_unused]] ::kx::TPublisher<Cls>& p)

// ---------------------------------------------------------------------------
// Reading and writing published properties by name.

// Sets `name` (a dotted path such as "Font.Style" allowed) on obj; raises
// EPropertyError naming the property when it is unknown, read-only or the
// value does not fit.
void SetPropValue(TObject& obj, std::string_view path, const TValue& value);
// Sets one property, checking the value against its kind (integers pass for floats).
void SetPropInfoValue(TObject& obj, const TPropInfo& info, const TValue& value);
TValue GetPropValue(TObject& obj, std::string_view path);
// Resolves all but the last segment of a dotted path to the object that holds
// the last property; nullptr info when the property does not exist.
std::pair<TObject*, const TPropInfo*> ResolvePropPath(TObject& obj, std::string_view path);

}  // namespace kx
