#include "package/package.h"

#include <utility>

namespace jox {

namespace {
template <TJoxUnit U>
void Startup() { UnitStartup(U); }
template <TJoxUnit U>
void Shutdown() { UnitShutdown(U); }

template <size_t... I>
std::vector<TPackageUnitEntry> UnitEntries(std::index_sequence<I...>) {
  return {TPackageUnitEntry{TJoxUnit(I), UnitName(TJoxUnit(I)), &Startup<TJoxUnit(I)>, &Shutdown<TJoxUnit(I)>}...};
}
}  // namespace

const TPackageInfoTable& GetPackageInfoTable() {
  static const TPackageInfoTable table{
      PackageName, UnitEntries(std::make_index_sequence<JoxUnitCount>()), {u"jox_framework", u"joxcore", u"joxnumerics"}};
  return table;
}

void InitializePackage() {
  for (const TPackageUnitEntry& u : GetPackageInfoTable().Units) u.Startup();
}

void FinalizePackage() {
  const auto& units = GetPackageInfoTable().Units;
  for (auto it = units.rbegin(); it != units.rend(); ++it) it->Shutdown();
}

// [texts] ------------------------------------------------------------------------
static String ComponentText(const String& Name, const char16_t* Rest) { return u"Component \"" + Name + u"\": " + Rest; }

String NoTimerText(const String& Name) { return ComponentText(Name, u"no timer available"); }
String NotEnoughMemoryText(const String& Name) { return ComponentText(Name, u"not enough memory on heap"); }
String InitFailedText(const String& Name) { return ComponentText(Name, u"failed to initialize (out of memory)"); }
String TableEditorInitFailedText(const String& Name) {
  return ComponentText(Name, u"failed to initialize table editor (out of memory)");
}
String IntegerOverflowText(const String& Name) { return ComponentText(Name, u"integer overflow"); }

}  // namespace jox
