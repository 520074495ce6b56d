// The root classes: TObject (class names) and TPersistent (assignment between objects).
#pragma once

#include <functional>
#include <typeinfo>

#include "package/framework/base/sysutils.h"

namespace jox {

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

using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace jox
