// Class names from type information, and assignment between persistent objects.
#include "package/framework/base/object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <mutex>
#include <typeindex>
#include <unordered_map>

#include "package/framework/base/props.h"

namespace jox {

String ClassNameOf(const std::type_info& type) {
  static std::mutex lock;
  static std::unordered_map<std::type_index, String> cache;
  std::lock_guard<std::mutex> guard(lock);
  auto it = cache.find(type);
  if (it != cache.end()) return it->second;

  int status = 0;
  char* raw = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string full = (status == 0 && raw) ? raw : type.name();
  std::free(raw);
  // Drop template arguments, then the namespace path.
  size_t angle = full.find('<');
  if (angle != std::string::npos) full.erase(angle);
  size_t colon = full.rfind("::");
  if (colon != std::string::npos) full.erase(0, colon + 2);
  String name = FromUtf8(full);
  cache.emplace(type, name);
  return name;
}

String TObject::ClassName() const { return ClassNameOf(typeid(*this)); }

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
  String from = Source ? Source->ClassName() : String(u"nil");
  throw EConvertError(u"Cannot assign a " + from + u" to a " + ClassName());
}

const TClassInfo& TPersistent::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TPersistent>(nullptr);
  return info;
}

}  // namespace jox
