// Published-property tables and access by name.
#include <cmath>
#include <limits>
#include <stdexcept>

#include "package/framework/base/component.h"
#include "package/framework/base/strings.h"

namespace jox {

[[noreturn]] static void BadConversion() { throw EConvertError(u"Invalid variant type conversion"); }

Int64 VarToInt(const Variant& v) {
  switch (v.index()) {
    case 1: return std::get<bool>(v) ? 1 : 0;
    case 2: return std::get<Int64>(v);
    case 3: {
      double d = std::get<double>(v);
      if (!std::isfinite(d) || d >= 9.2233720368547758e18 || d < -9.2233720368547758e18) BadConversion();
      return Int64(std::nearbyint(d));
    }
    case 4: return StrToInt64(std::get<String>(v));
    default: BadConversion();
  }
}

double VarToFloat(const Variant& v) {
  switch (v.index()) {
    case 1: return std::get<bool>(v) ? 1.0 : 0.0;
    case 2: return double(std::get<Int64>(v));
    case 3: return std::get<double>(v);
    case 4: return double(StrToFloat(std::get<String>(v)));
    default: BadConversion();
  }
}

bool VarToBool(const Variant& v) {
  switch (v.index()) {
    case 1: return std::get<bool>(v);
    case 2: return std::get<Int64>(v) != 0;
    case 3: return std::get<double>(v) != 0.0;
    case 4: return StrToBool(std::get<String>(v));
    default: BadConversion();
  }
}

String VarToStr(const Variant& v) {
  switch (v.index()) {
    case 0: return String();
    case 1: return std::get<bool>(v) ? u"True" : u"False";
    case 2: return IntToStr(std::get<Int64>(v));
    case 3: return FloatToStr(std::get<double>(v));
    case 4: return std::get<String>(v);
    default: {
      TObject* o = std::get<TObject*>(v);
      if (!o) return String();
      if (auto* c = dynamic_cast<TComponent*>(o)) return c->Name();
      BadConversion();
    }
  }
}

TObject* VarToObject(const Variant& v) {
  if (v.index() == 0) return nullptr;
  if (v.index() == 5) return std::get<TObject*>(v);
  if (v.index() == 2 && std::get<Int64>(v) == 0) return nullptr;
  BadConversion();
}

bool VarIsEmpty(const Variant& v) { return v.index() == 0; }

namespace detail {
void RaiseWrongObjectClass(const String& prop) {
  throw EPropertyError(u"Invalid property value for " + prop);
}
}  // namespace detail

// Two values are the same default when they compare equal in the property's own kind.
static bool SameValue(TTypeKind kind, const Variant& a, const Variant& b) {
  switch (kind) {
    case tkFloat: return VarToFloat(a) == VarToFloat(b);
    case tkString: return VarToStr(a) == VarToStr(b);
    case tkBoolean: return VarToBool(a) == VarToBool(b);
    case tkClass: return VarToObject(a) == VarToObject(b);
    default: return VarToInt(a) == VarToInt(b);
  }
}

bool TPropInfo::IsDefault(const TPersistent& obj) const {
  if (!Default || !Get) return false;
  return SameValue(Kind, Get(obj), *Default);
}

bool TPropInfo::IsStored(const TPersistent& obj) const {
  if (!Get || !Set) return false;
  if (StoredFn) return StoredFn(obj);
  return !IsDefault(obj);
}

const TPropInfo* TClassInfo::FindProp(const String& name) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const TPropInfo& p : c->Props)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

void PublishLine(TClassInfo& Into, const TClassInfo& From, const char* Name) {
  const String name = FromUtf8(Name);
  for (const TPropInfo& own : Into.Props)
    if (SameText(own.Name, name)) return;
  const TPropInfo* line = From.FindProp(name);
  if (!line)
    throw std::logic_error("class table " + ToUtf8(Into.Name) + ": " + Name + " is not in " + ToUtf8(From.Name));
  Into.Props.push_back(*line);
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = this; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    for (const TPropInfo& p : (*it)->Props) {
      auto same = std::find_if(out.begin(), out.end(), [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
      if (same != out.end()) *same = &p;
      else out.push_back(&p);
    }
  }
  return out;
}

bool TClassInfo::InheritsFrom(const TClassInfo* other) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    if (c == other) return true;
  return false;
}

const TPropInfo* GetPropInfo(const TPersistent* Obj, const String& Name) {
  return Obj ? Obj->GetClassInfo().FindProp(Name) : nullptr;
}

bool IsPublishedProp(const TPersistent* Obj, const String& Name) { return GetPropInfo(Obj, Name) != nullptr; }

static const TPropInfo& RequireProp(const TPersistent* Obj, const String& Name) {
  const TPropInfo* p = GetPropInfo(Obj, Name);
  if (!p || p->Kind == tkMethod) throw EPropertyError(u"Property " + Name + u" does not exist");
  return *p;
}

Variant GetPropValue(const TPersistent* Obj, const String& Name) { return RequireProp(Obj, Name).Get(*Obj); }

void SetPropValue(TPersistent* Obj, const String& Name, const Variant& Value) {
  const TPropInfo& p = RequireProp(Obj, Name);
  if (!p.Set) throw EPropertyError(u"Property is read-only");
  p.Set(*Obj, Value);
}

bool IsClassOf(const TPersistent* Obj, const TPersistent* Model) {
  if (!Obj || !Model) return false;
  if (typeid(*Obj) == typeid(*Model)) return true;
  const TClassInfo& model = Model->GetClassInfo();
  // A class without its own table shows its parent's; that table does not stand for it.
  if (model.Name != Model->ClassName()) return false;
  return Obj->GetClassInfo().InheritsFrom(&model);
}

static void CopyProps(TPersistent* Dest, const TPersistent* Source);

void AssignPublished(TPersistent* Dest, const TPersistent* Source) {
  if (!Dest || !Source || Dest == Source) return;
  // Copied as a form is read: rules that weigh one property against another wait for Loaded.
  auto* comp = dynamic_cast<TComponent*>(Dest);
  if (!comp || comp->ComponentState().Contains(csLoading)) {
    CopyProps(Dest, Source);
    return;
  }
  comp->IncludeState(csLoading);
  try {
    CopyProps(Dest, Source);
  } catch (...) {
    comp->Loaded();
    throw;
  }
  comp->Loaded();
}

static void CopyProps(TPersistent* Dest, const TPersistent* Source) {
  for (const TPropInfo* p : Dest->GetClassInfo().AllProps()) {
    if (p->Kind == tkMethod || !p->Get) continue;
    bool place = false;  // a component's name and place
    if (dynamic_cast<TComponent*>(Dest))
      for (const char16_t* n : {u"Name", u"Left", u"Top", u"Width", u"Height", u"TabOrder"}) place |= SameText(p->Name, n);
    if (place || !Source->GetClassInfo().FindProp(p->Name)) continue;
    const Variant v = p->Get(*Source);
    if (p->Kind == tkClass) {
      TObject* from = VarToObject(v);
      if (dynamic_cast<TComponent*>(from) || !from) {
        if (p->Set) p->Set(*Dest, v);  // a reference to another component
      } else if (auto* into = dynamic_cast<TPersistent*>(VarToObject(p->Get(*Dest)))) {
        // Lists copy themselves; other owned objects (fonts, layouts) property by property, since not
        // every one takes a whole copy.
        if (auto* list = dynamic_cast<TStrings*>(into)) list->Assign(dynamic_cast<TPersistent*>(from));
        else CopyProps(into, dynamic_cast<TPersistent*>(from));
      }
      continue;
    }
    if (p->Set) p->Set(*Dest, v);
  }
}

void ResetToDefaults(TPersistent* Obj) {
  if (!Obj) return;
  for (const TPropInfo* p : Obj->GetClassInfo().AllProps())
    if (p->Default && p->Set) p->Set(*Obj, *p->Default);
}

}  // namespace jox
