#include "package/units.h"

#include <array>
#include <map>
#include <vector>

namespace jox {

namespace {
struct TUnitState {
  Integer RefCount = 0;
  std::vector<TUnitClasses::TInfoFn> Classes;
  std::map<Integer, std::function<void()>> Finalizers;  // by id: registration order
};
struct TUnits {
  std::array<TUnitState, JoxUnitCount> State;
  std::map<Integer, TJoxUnit> UnitOf;
  Integer NextId = 1;
};
TUnits& Units() {
  static TUnits u;
  return u;
}
TUnitState& StateOf(TJoxUnit Unit) { return Units().State.at(size_t(Unit)); }
}  // namespace

String UnitName(TJoxUnit Unit) {
  static const char16_t* const names[JoxUnitCount] = {
      u"numio",  u"replist",   u"ntabed",     u"meter",   u"minical", u"numlab",     u"onoffbut",
      u"sevenseg", u"rotlab",  u"colsel",     u"rasterlab", u"foldertree", u"repsbut", u"progbar",
      u"thumbnails", u"gradfl", u"marksel"};
  return Unit < JoxUnitCount ? String(names[Unit]) : String();
}

void UnitStartup(TJoxUnit Unit) {
  TUnitState& s = StateOf(Unit);
  --s.RefCount;
  for (TUnitClasses::TInfoFn info : s.Classes) RegisterClass(info());
}

TUnitClasses::TUnitClasses(TJoxUnit Unit, std::initializer_list<TInfoFn> Classes) {
  auto& list = StateOf(Unit).Classes;
  list.insert(list.end(), Classes.begin(), Classes.end());
}

std::vector<const TClassInfo*> UnitClasses(TJoxUnit Unit) {
  std::vector<const TClassInfo*> out;
  for (TUnitClasses::TInfoFn info : StateOf(Unit).Classes) out.push_back(&info());
  return out;
}

void UnitShutdown(TJoxUnit Unit) {
  TUnitState& s = StateOf(Unit);
  // A shut-down without a start-up would push the counter above 0, and the tables would then never be
  // released again.
  if (s.RefCount == 0) return;
  if (++s.RefCount != 0) return;
  // Copied: a finalizer may unregister itself or others.
  std::vector<std::function<void()>> run;
  for (auto& [id, fn] : s.Finalizers) run.push_back(fn);
  for (auto& fn : run) fn();
}

Integer UnitRefCount(TJoxUnit Unit) { return StateOf(Unit).RefCount; }
bool UnitStarted(TJoxUnit Unit) { return StateOf(Unit).RefCount < 0; }

Integer RegisterUnitFinalizer(TJoxUnit Unit, std::function<void()> Finalizer) {
  TUnits& u = Units();
  Integer id = u.NextId++;
  StateOf(Unit).Finalizers.emplace(id, std::move(Finalizer));
  u.UnitOf.emplace(id, Unit);
  return id;
}

void UnregisterUnitFinalizer(Integer Id) {
  TUnits& u = Units();
  auto it = u.UnitOf.find(Id);
  if (it == u.UnitOf.end()) return;
  StateOf(it->second).Finalizers.erase(Id);
  u.UnitOf.erase(it);
}

}  // namespace jox
