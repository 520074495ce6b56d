// Published-property tables and access to properties by name.
//
// A component lists its published properties once, in its class table; form reading and writing, the
// gallery's property view and the tests of defaults all read that table:
//
//   class TMeter : public TGraphicControl {
//    public:
//     JOX_CLASS_TABLE   // the ClassInfo() / GetClassInfo() pair
//     ...
//   };
//
//   const TClassInfo& TMeter::ClassInfo() {
//     static const TClassInfo info = TClassBuilder<TMeter>(&TGraphicControl::ClassInfo())
//         .Prop("Value", &TMeter::Value, &TMeter::SetValue, 0.0)          // float, default 0
//         .Prop("Caption", &TMeter::Caption, &TMeter::SetCaption, u"")    // string
//         .Prop("Layout", &TMeter::Layout, &TMeter::SetLayout, mlCirc90)  // enum: stored as its ordinal
//         .Prop("ScaleColor", &TMeter::ScaleColor, &TMeter::SetScaleColor, clBlack)
//         .Prop("Needle", &TMeter::Needle, &TMeter::SetNeedle)            // object (TPersistent*), no default
//         .Event("OnChange");
//     return info;
//   }
//
// Getter and setter may be member functions of a base class or lambdas taking (const TMeter&) and
// (TMeter&, value). Property kinds are deduced from the getter's type: bool, enumerations (ordinal),
// integers (TColor included), floating point, String, pointers to TObject-derived classes, and sets
// (structs with a `bits` member, like TShiftState). A property without a default is always stored.
// GetPropValue(obj, u"Value") / SetPropValue(obj, u"Value", 1.5) reach any of them by name.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

#include "package/framework/base/object.h"

namespace jox {

// A property value by name: nothing, boolean, integer (also enum ordinals, sets, colours), float, text, object.
using Variant = std::variant<std::monostate, bool, Int64, double, String, TObject*>;

// Conversions between the alternatives; text converts to numbers and back with the platform's rules,
// impossible ones raise EConvertError "Invalid variant type conversion".
Int64 VarToInt(const Variant& v);
double VarToFloat(const Variant& v);
bool VarToBool(const Variant& v);
String VarToStr(const Variant& v);
TObject* VarToObject(const Variant& v);
bool VarIsEmpty(const Variant& v);

enum TTypeKind : uint8_t { tkUnknown, tkInteger, tkFloat, tkString, tkEnumeration, tkBoolean, tkSet, tkClass,
                           tkMethod };

struct TPropInfo {
  String Name;
  TTypeKind Kind = tkUnknown;
  std::function<Variant(const TPersistent&)> Get;         // empty for events
  std::function<void(TPersistent&, const Variant&)> Set;  // empty for read-only properties and events
  std::optional<Variant> Default;                          // none: always stored
  std::function<bool(const TPersistent&)> StoredFn;         // overrides the default test when set
  const std::type_info* Type = nullptr;                    // the getter's value type (for the reference pages)

  bool ReadOnly() const { return !Set; }
  // Whether a form writer stores this property of obj: its value differs from the default.
  bool IsStored(const TPersistent& obj) const;
  // Whether obj holds the default value (false when there is no default).
  bool IsDefault(const TPersistent& obj) const;
};

class TComponent;
using TComponentFactory = std::function<TComponent*(TComponent* AOwner)>;

class TClassInfo {
 public:
  String Name;
  const TClassInfo* Parent = nullptr;
  std::vector<TPropInfo> Props;  // this class's own lines, in order
  TComponentFactory Create;       // set for component classes constructible from an owner

  // Own properties first, then the parents'; names compare case-insensitively.
  const TPropInfo* FindProp(const String& name) const;
  // Every property, the root class's first; a line re-listed in a derived class replaces the inherited one.
  std::vector<const TPropInfo*> AllProps() const;
  bool InheritsFrom(const TClassInfo* other) const;
};

namespace detail {
template <class R, class = void>
struct IsSetType : std::false_type {};
template <class R>
struct IsSetType<R, std::void_t<decltype(std::declval<R>().bits)>> : std::true_type {};

template <class R>
constexpr TTypeKind KindOf() {
  if constexpr (std::is_same_v<R, bool>) return tkBoolean;
  else if constexpr (std::is_enum_v<R>) return tkEnumeration;
  else if constexpr (std::is_integral_v<R>) return tkInteger;
  else if constexpr (std::is_floating_point_v<R>) return tkFloat;
  else if constexpr (std::is_same_v<R, String>) return tkString;
  else if constexpr (std::is_pointer_v<R>) return tkClass;
  else if constexpr (IsSetType<R>::value) return tkSet;
  else return tkUnknown;
}

template <class R>
Variant ToVariant(const R& v) {
  constexpr TTypeKind k = KindOf<R>();
  if constexpr (k == tkBoolean) return Variant(bool(v));
  else if constexpr (k == tkEnumeration) return Variant(Int64(static_cast<std::underlying_type_t<R>>(v)));
  else if constexpr (k == tkInteger) return Variant(Int64(v));
  else if constexpr (k == tkFloat) return Variant(double(v));
  else if constexpr (k == tkString) return Variant(String(v));
  else if constexpr (k == tkClass) return Variant(static_cast<TObject*>(const_cast<std::remove_cv_t<std::remove_pointer_t<R>>*>(v)));
  else if constexpr (k == tkSet) return Variant(Int64(v.bits));
  else static_assert(k != tkUnknown, "unsupported property type");
}

[[noreturn]] void RaiseWrongObjectClass(const String& prop);

template <class R>
R FromVariant(const Variant& v, const String& prop) {
  constexpr TTypeKind k = KindOf<R>();
  if constexpr (k == tkBoolean) return VarToBool(v);
  else if constexpr (k == tkEnumeration) return static_cast<R>(VarToInt(v));
  else if constexpr (k == tkInteger) return static_cast<R>(VarToInt(v));
  else if constexpr (k == tkFloat) return static_cast<R>(VarToFloat(v));
  else if constexpr (k == tkString) return VarToStr(v);
  else if constexpr (k == tkClass) {
    TObject* o = VarToObject(v);
    if (!o) return nullptr;
    auto p = dynamic_cast<R>(o);
    if (!p) RaiseWrongObjectClass(prop);
    return p;
  } else if constexpr (k == tkSet) {
    R r{};
    r.bits = static_cast<decltype(r.bits)>(VarToInt(v));
    return r;
  } else static_assert(k != tkUnknown, "unsupported property type");
}

template <class T>
T& Downcast(const TPersistent& obj) {
  return const_cast<T&>(dynamic_cast<const T&>(obj));
}

template <class T>
TComponentFactory FactoryFor() {
  if constexpr (std::is_constructible_v<T, TComponent*> && std::is_base_of_v<TComponent, T>)
    return [](TComponent* owner) -> TComponent* { return new T(owner); };
  else
    return {};
}
}  // namespace detail

// Copies From's line Name into Into unless Into lists it already; a name From lacks raises std::logic_error,
// a fault in the table, found the first time the table is built.
void PublishLine(TClassInfo& Into, const TClassInfo& From, const char* Name);

// Builds the class table of T: one line per published property (see the example at the top).
template <class T>
class TClassBuilder {
 public:
  explicit TClassBuilder(const TClassInfo* Parent) {
    FInfo.Name = ClassNameOf<T>();
    FInfo.Parent = Parent;
    FInfo.Create = detail::FactoryFor<T>();
  }

  // Read-write property without a stored default.
  template <class G, class S>
  TClassBuilder& Prop(const char* Name, G Getter, S Setter) {
    using R = Result<G>;
    TPropInfo p = MakeReadOnly(Name, Getter);
    String name = p.Name;
    p.Set = [Setter, name](TPersistent& obj, const Variant& v) {
      std::invoke(Setter, detail::Downcast<T>(obj), detail::FromVariant<R>(v, name));
    };
    FInfo.Props.push_back(std::move(p));
    return *this;
  }
  // Read-write property with its stored default.
  template <class G, class S, class D>
  TClassBuilder& Prop(const char* Name, G Getter, S Setter, const D& Default) {
    Prop(Name, Getter, Setter);
    FInfo.Props.back().Default = detail::ToVariant(Result<G>(Default));
    return *this;
  }
  // Published but read-only (shown, never stored).
  template <class G>
  TClassBuilder& ReadOnly(const char* Name, G Getter) {
    FInfo.Props.push_back(MakeReadOnly(Name, Getter));
    return *this;
  }
  TClassBuilder& Event(const char* Name) {
    TPropInfo p;
    p.Name = FromUtf8(Name);
    p.Kind = tkMethod;
    FInfo.Props.push_back(std::move(p));
    return *this;
  }
  // Publishes lines a base class implements but does not publish itself (the framework's
  // ControlProperties()), unless this table lists the name already: its own line and default win.
  TClassBuilder& Publish(const TClassInfo& From, std::initializer_list<const char*> Names) {
    for (const char* name : Names) PublishLine(FInfo, From, name);
    return *this;
  }
  template <class R>
  TClassBuilder& Publish(const TClassInfo& From, const R& Names) {
    for (const char* name : Names) PublishLine(FInfo, From, name);
    return *this;
  }
  // Replaces the stored-or-not test of the line added last (the platform's `stored` clause).
  template <class F>
  TClassBuilder& StoredIf(F Pred) {
    FInfo.Props.back().StoredFn = [Pred](const TPersistent& obj) {
      return bool(std::invoke(Pred, detail::Downcast<T>(obj)));
    };
    return *this;
  }

  operator TClassInfo() const { return FInfo; }
  TClassInfo Build() const { return FInfo; }

 private:
  template <class G>
  using Result = std::decay_t<std::invoke_result_t<G, T&>>;

  template <class G>
  static TPropInfo MakeReadOnly(const char* Name, G Getter) {
    using R = Result<G>;
    static_assert(detail::KindOf<R>() != tkUnknown, "unsupported property type");
    TPropInfo p;
    p.Name = FromUtf8(Name);
    p.Kind = detail::KindOf<R>();
    p.Type = &typeid(R);
    p.Get = [Getter](const TPersistent& obj) -> Variant {
      return detail::ToVariant<R>(std::invoke(Getter, detail::Downcast<T>(obj)));
    };
    return p;
  }

  TClassInfo FInfo;
};

// Declares the class-table pair in a class body, where the table is defined in the class's source:
//   class TMeter : public TGraphicControl {
//    public:
//     JOX_CLASS_TABLE
//     ...
//   };
//   const TClassInfo& TMeter::ClassInfo() { static const TClassInfo info = TClassBuilder<TMeter>(...); ... }
#define JOX_CLASS_TABLE                        \
  static const ::jox::TClassInfo& ClassInfo(); \
  const ::jox::TClassInfo& GetClassInfo() const override { return ClassInfo(); }

// Property access by name on the object's dynamic class table. Unknown names raise EPropertyError
// "Property X does not exist"; writing a read-only one raises EPropertyError "Property is read-only".
const TPropInfo* GetPropInfo(const TPersistent* Obj, const String& Name);  // nullptr when absent
bool IsPublishedProp(const TPersistent* Obj, const String& Name);
Variant GetPropValue(const TPersistent* Obj, const String& Name);
void SetPropValue(TPersistent* Obj, const String& Name, const Variant& Value);
// Whether Obj's class is Model's dynamic class or derives from it (the test a component's AssignTo makes
// before handing itself to Dest->Assign). Decided by the class tables, so Model's class needs its own.
bool IsClassOf(const TPersistent* Obj, const TPersistent* Model);
// Copies Source's published properties into Dest through Dest's class table, objects (fonts, lists) by
// their properties in turn (lists by Assign): what Assign does between two components of one class whose unit copies nothing
// more. Name, the bounds and TabOrder stay: they are the component's place, not its settings.
void AssignPublished(TPersistent* Dest, const TPersistent* Source);
// Sets every property that has a stored default back to it (what a freshly created component holds).
void ResetToDefaults(TPersistent* Obj);

}  // namespace jox
