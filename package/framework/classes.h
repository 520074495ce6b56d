// Component model, published-property tables, string lists, streams and text files.
// Sections: [objects] [properties] [components] [registry] [strings] [streams] [textfiles] [forms]
//
// A component lists its published properties once, in its class table; form reading and writing, the
// gallery's property view and the tests of defaults all read that table:
//
//   class TMeter : public TGraphicControl {
//    public:
//     static const TClassInfo& ClassInfo();
//     const TClassInfo& GetClassInfo() const override { return ClassInfo(); }
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
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "package/framework/sysutils.h"

namespace jox {

// [objects] --------------------------------------------------------------------
class TObject {
 public:
  virtual ~TObject() = default;
  // The dynamic class's name without namespace, e.g. u"TMeter".
  String ClassName() const;
  template <class T>
  bool InheritsFrom() const { return dynamic_cast<const T*>(this) != nullptr; }
};

// Name of T without namespace, derived from its type information.
String ClassNameOf(const std::type_info& type);
template <class T>
String ClassNameOf() { return ClassNameOf(typeid(T)); }

class TClassInfo;

class TPersistent : public TObject {
 public:
  // Copies Source's settings into this object; the base hands over to Source->AssignTo(this).
  virtual void Assign(TPersistent* Source);
  // Published properties of the dynamic class.
  virtual const TClassInfo& GetClassInfo() const { return ClassInfo(); }
  static const TClassInfo& ClassInfo();

 protected:
  // Copies this object into Dest; the base raises EConvertError "Cannot assign a <this> to a <Dest>".
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

// [properties] -----------------------------------------------------------------
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
    p.Get = [Getter](const TPersistent& obj) -> Variant {
      return detail::ToVariant<R>(std::invoke(Getter, detail::Downcast<T>(obj)));
    };
    return p;
  }

  TClassInfo FInfo;
};

// Property access by name on the object's dynamic class table. Unknown names raise EPropertyError
// "Property X does not exist"; writing a read-only one raises EPropertyError "Property is read-only".
const TPropInfo* GetPropInfo(const TPersistent* Obj, const String& Name);  // nullptr when absent
bool IsPublishedProp(const TPersistent* Obj, const String& Name);
Variant GetPropValue(const TPersistent* Obj, const String& Name);
void SetPropValue(TPersistent* Obj, const String& Name, const Variant& Value);
// Whether Obj's class is Model's dynamic class or derives from it (the test a component's AssignTo makes
// before handing itself to Dest->Assign). Decided by the class tables, so Model's class needs its own.
bool IsClassOf(const TPersistent* Obj, const TPersistent* Model);
// Sets every property that has a stored default back to it (what a freshly created component holds).
void ResetToDefaults(TPersistent* Obj);

// [components] -----------------------------------------------------------------
enum TComponentStateFlag : Word {
  csLoading = 1, csReading = 2, csWriting = 4, csDestroying = 8, csDesigning = 16, csAncestor = 32,
  csUpdating = 64, csFixups = 128, csFreeNotification = 256, csInline = 512, csDesignInstance = 1024
};
struct TComponentState {
  Word bits = 0;
  constexpr TComponentState() = default;
  constexpr TComponentState(TComponentStateFlag f) : bits(f) {}
  constexpr explicit TComponentState(Word b) : bits(b) {}
  constexpr bool Contains(TComponentStateFlag f) const { return (bits & f) != 0; }
  constexpr bool operator&(TComponentStateFlag f) const { return Contains(f); }
  constexpr bool Empty() const { return bits == 0; }
  friend constexpr bool operator==(TComponentState, TComponentState) = default;
};

enum TOperation : uint8_t { opInsert, opRemove };

JOX_DECLARE_EXCEPTION(EComponentError, Exception);

class TComponent : public TPersistent {
 public:
  // With an owner, the owner deletes this component (components in reverse creation order).
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  Integer ComponentCount() const { return Integer(FComponents.size()); }
  TComponent* Components(Integer Index) const;  // nullptr out of range
  Integer ComponentIndex() const;               // position in the owner's list, -1 without owner
  // Case-insensitive search among the owned components; nullptr when absent or Name is empty.
  TComponent* FindComponent(const String& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Deletes the owned components now, last created first.
  void DestroyComponents();

  // Name: "" by default. Must be an identifier and unique among the owner's components
  // (EComponentError "'x' is not a valid component name" / "A component named X already exists").
  const String& Name() const { return FName; }
  virtual void SetName(const String& NewName);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t Value) { FTag = Value; }

  TComponentState ComponentState() const { return FComponentState; }
  // Tests and the form reader set and clear states directly.
  void IncludeState(TComponentStateFlag Flag) { FComponentState.bits |= Flag; }
  void ExcludeState(TComponentStateFlag Flag) { FComponentState.bits &= Word(~Flag); }
  // Puts this component and (by default) everything it owns into or out of the designing state.
  void SetDesigning(bool Value, bool SetChildren = true);
  // Called once all stored properties are read; the base clears csLoading.
  virtual void Loaded();

  // Asks AComponent to call Notification(this, opRemove) on this component when it is deleted
  // (for references to components that are not owned).
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // The component this one sits in (a control's parent), for form files; none by default.
  virtual TComponent* GetParentComponent() const { return nullptr; }
  // Called by the form reader with the component whose block held this one's.
  virtual void SetParentComponent(TComponent* Value) {}

  static const TClassInfo& ClassInfo();
  const TClassInfo& GetClassInfo() const override { return ClassInfo(); }

 protected:
  // Told about components inserted into or removed from the owner, and about deleted free-notifiers.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // First step of destruction: sets csDestroying on this and the owned components.
  virtual void Destroying();
  // Allows a derived destructor to call Destroying earlier without repeating it.
  bool DestroyingCalled() const { return FComponentState.Contains(csDestroying); }

 private:
  void NotifyAll(TComponent* AComponent, TOperation Operation);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  String FName;
  intptr_t FTag = 0;
  TComponentState FComponentState;
};

bool IsValidIdent(const String& Ident);

// [registry] -------------------------------------------------------------------
// Classes by name for form reading and the gallery. Registering a name twice keeps the first.
void RegisterClass(const TClassInfo& Info);
template <class T>
void RegisterClass() { RegisterClass(T::ClassInfo()); }
void UnRegisterClass(const TClassInfo& Info);
const TClassInfo* GetClass(const String& ClassName);   // nullptr when unknown
const TClassInfo& FindClass(const String& ClassName);  // EClassNotFound "Class X not found"
// Creates a registered component class by name (EClassNotFound for unknown or non-component classes).
TComponent* CreateComponent(const String& ClassName, TComponent* AOwner);

// [strings] --------------------------------------------------------------------
JOX_DECLARE_EXCEPTION(EStringListError, EListError);

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };
using TNotifyEvent = std::function<void(TObject* Sender)>;

// A list of strings, each with an object pointer. Indexes are 0-based; a bad index raises
// EStringListError "List index out of bounds (n)".
class TStrings : public TPersistent {
 public:
  virtual Integer Count() const = 0;
  virtual String Get(Integer Index) const = 0;
  virtual void Put(Integer Index, const String& S);
  virtual TObject* GetObject(Integer Index) const;
  virtual void PutObject(Integer Index, TObject* AObject);
  virtual void Insert(Integer Index, const String& S) = 0;
  virtual void InsertObject(Integer Index, const String& S, TObject* AObject);
  virtual void Delete(Integer Index) = 0;
  virtual void Clear() = 0;
  virtual Integer Add(const String& S);
  virtual Integer AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  virtual void AddStrings(const TStrings* Strings);
  virtual void Exchange(Integer Index1, Integer Index2);
  virtual void Move(Integer CurIndex, Integer NewIndex);
  virtual Integer IndexOf(const String& S) const;  // -1 when absent
  Integer IndexOfName(const String& Name) const;
  Integer IndexOfObject(const TObject* AObject) const;
  bool Equals(const TStrings* Strings) const;

  String Strings(Integer Index) const { return Get(Index); }
  void SetStrings(Integer Index, const String& S) { Put(Index, S); }
  String operator[](Integer Index) const { return Get(Index); }
  TObject* Objects(Integer Index) const { return GetObject(Index); }
  void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }

  // "name=value" lines.
  String Names(Integer Index) const;
  String ValueFromIndex(Integer Index) const;
  String Values(const String& Name) const;
  void SetValues(const String& Name, const String& Value);  // "" removes the line
  char16_t NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char16_t C) { FNameValueSeparator = C; }

  // Lines joined with LineBreak after each; SetText splits at CR LF, LF or CR.
  virtual String Text() const;
  virtual void SetText(const String& Value);
  const String& LineBreak() const { return FLineBreak; }
  void SetLineBreak(const String& Value) { FLineBreak = Value; }
  // Delimiter ',' and QuoteChar '"'; items holding spaces, delimiters or quotes are quoted.
  String DelimitedText() const;
  void SetDelimitedText(const String& Value);
  String CommaText() const;
  void SetCommaText(const String& Value);
  char16_t Delimiter() const { return FDelimiter; }
  void SetDelimiter(char16_t C) { FDelimiter = C; }
  char16_t QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char16_t C) { FQuoteChar = C; }
  // When true, only the delimiter separates items (spaces stay inside them).
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool V) { FStrictDelimiter = V; }
  // Case sensitivity of IndexOf, Values and sorting; false by default.
  bool CaseSensitive() const { return FCaseSensitive; }
  virtual void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }

  // UTF-8 files and streams; a byte-order mark is skipped on reading and not written.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName) const;
  void LoadFromStream(class TStream* Stream);
  void SaveToStream(class TStream* Stream) const;

  void BeginUpdate();
  void EndUpdate();
  Integer UpdateCount() const { return FUpdateCount; }

  void Assign(TPersistent* Source) override;

 protected:
  using TItems = std::vector<std::pair<String, TObject*>>;
  virtual void SetUpdateState(bool Updating) {}
  // Adds many lines at once (text, files, other lists); a sorted list merges them in one sort.
  virtual void AddItems(TItems&& Items);
  Integer CompareStrings(const String& S1, const String& S2) const;
  [[noreturn]] static void Error(const char* Msg, Integer Data);

 private:
  Integer FUpdateCount = 0;
  char16_t FNameValueSeparator = u'=';
  char16_t FDelimiter = u',';
  char16_t FQuoteChar = u'"';
  bool FStrictDelimiter = false;
  bool FCaseSensitive = false;
  String FLineBreak = u"\r\n";
};

class TStringList;
using TStringListSortCompare = std::function<Integer(TStringList* List, Integer Index1, Integer Index2)>;

class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  Integer Count() const override { return Integer(FList.size()); }
  String Get(Integer Index) const override;
  void Put(Integer Index, const String& S) override;  // EStringListError on a sorted list
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;
  // Adding to a sorted list inserts at the sorted place and honours Duplicates.
  Integer Add(const String& S) override;
  Integer AddObject(const String& S, TObject* AObject) override;
  void Insert(Integer Index, const String& S) override;  // "Operation not allowed on sorted list"
  void InsertObject(Integer Index, const String& S, TObject* AObject) override;
  void Delete(Integer Index) override;
  void Clear() override;
  void Exchange(Integer Index1, Integer Index2) override;
  Integer IndexOf(const String& S) const override;  // binary search when sorted
  // Binary search of a sorted list: true when found; Index is the match or the insertion place.
  bool Find(const String& S, Integer& Index) const;
  // Stable sort by CompareStrings (case-insensitive unless CaseSensitive).
  virtual void Sort();
  void CustomSort(const TStringListSortCompare& Compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  void SetCaseSensitive(bool Value) override;
  // When true, deleting a line or the list deletes its object.
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent E) { FOnChange = std::move(E); }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent E) { FOnChanging = std::move(E); }

 protected:
  void SetUpdateState(bool Updating) override;
  void AddItems(TItems&& Items) override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct TItem {
    String S;
    TObject* Obj = nullptr;
  };
  void InsertItem(Integer Index, const String& S, TObject* AObject);
  void CheckIndex(Integer Index) const;

  std::vector<TItem> FList;
  bool FSorted = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = dupIgnore;
  TNotifyEvent FOnChange, FOnChanging;
};

// [streams] --------------------------------------------------------------------
enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000, fmShareExclusive = 0x0010, fmShareDenyWrite = 0x0020,
               fmShareDenyRead = 0x0030, fmShareDenyNone = 0x0040;

class TStream : public TObject {
 public:
  // Read and Write move up to Count bytes and return how many they moved.
  virtual Int64 Read(void* Buffer, Int64 Count) = 0;
  virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 NewSize) = 0;
  // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* Buffer, Int64 Count);
  void WriteBuffer(const void* Buffer, Int64 Count);
  // Copies Count bytes from Source's position; Count 0 copies all of Source from its start.
  Int64 CopyFrom(TStream* Source, Int64 Count);
};

class TMemoryStream : public TStream {
 public:
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return Int64(FData.size()); }
  void SetSize(Int64 NewSize) override;
  void Clear();
  Byte* Memory() { return FData.data(); }
  const Byte* Memory() const { return FData.data(); }
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

 private:
  std::vector<Byte> FData;
  Int64 FPosition = 0;
};

// Text held as UTF-8 bytes; DataString decodes them.
class TStringStream : public TMemoryStream {
 public:
  TStringStream() = default;
  explicit TStringStream(const String& S);
  String DataString() const;
};

// A file opened with fmCreate (truncates or creates) or fmOpenRead/fmOpenWrite/fmOpenReadWrite, each
// combinable with a share mode (ignored on POSIX). Failures raise EFCreateError
// "Cannot create file \"name\". <reason>" or EFOpenError "Cannot open file \"name\". <reason>".
// Read raises EInOutError when the system fails to read (rather than reporting an early end).
class TFileStream : public TStream {
 public:
  TFileStream(const String& FileName, Word Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;
  const String& FileName() const { return FFileName; }

 private:
  String FFileName;
  int FHandle = -1;
};

// [textfiles] ------------------------------------------------------------------
// Reads UTF-8 lines from a stream (not owned) or a file (owned); CR LF, LF and CR end a line and a
// leading byte-order mark is skipped.
class TStreamReader : public TObject {
 public:
  explicit TStreamReader(TStream* Stream);
  explicit TStreamReader(const String& FileName);
  ~TStreamReader() override;
  // The next line without its end; "" at the end of the stream.
  String ReadLine();
  // The rest of the stream.
  String ReadToEnd();
  bool EndOfStream();
  // The next byte without consuming it, -1 at the end.
  Integer Peek();

 private:
  bool Fill();
  TStream* FStream;
  std::unique_ptr<TStream> FOwned;
  std::vector<char> FBuf;
  size_t FPos = 0;
  bool FStarted = false;
};

// Writes text as UTF-8 to a stream (not owned) or a file (owned; created, or appended to when Append).
class TStreamWriter : public TObject {
 public:
  explicit TStreamWriter(TStream* Stream);
  explicit TStreamWriter(const String& FileName, bool Append = false);
  ~TStreamWriter() override;
  void Write(const String& S);
  void WriteLine(const String& S = String());
  const String& NewLine() const { return FNewLine; }
  void SetNewLine(const String& S) { FNewLine = S; }
  void Flush();

 private:
  TStream* FStream;
  std::unique_ptr<TStream> FOwned;
  std::string FBuf;
  String FNewLine = u"\n";
};

// [forms] ----------------------------------------------------------------------
// Form text: one block per component with its stored properties (those differing from their defaults),
// the blocks of the components it parents nested inside:
//   object Form1: TForm
//     Caption = 'Demo'#13#10'two lines'
//     Width = 320
//     Font.Color = 255
//     Items.Strings = (
//       'one'
//       'two')
//     object Meter1: TMeter
//       Value = 2.5
//       Layout = 1          (enumerations as ordinals)
//     end
//   end
// Every component read is owned by the root; a nested block's component gets SetParentComponent with the
// enclosing one. Components the root already owns (same name) are read into instead of created.
String WriteComponentText(TComponent* Root);
// Reads into Root: each component read has csLoading and csReading while its properties are set, then
// Loaded is called on all of them in reading order. Errors raise EReadError "Line n: ..." (or
// EClassNotFound for an unregistered class); what was created stays owned by Root.
void ReadComponentText(const String& Text, TComponent* Root);
// Creates the root from the text's first class (registered) with Owner, then reads into it.
TComponent* ReadComponentTextNew(const String& Text, TComponent* Owner);

}  // namespace jox
