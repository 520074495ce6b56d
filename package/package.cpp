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

}  // namespace jox
