// The seventeen units of the package, their reference counters, start-up and shut-down routines, and
// the constant tables units keep while the package is loaded.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "package/framework/base/component.h"
#include "package/framework/base/types.h"

namespace jox {

enum TJoxUnit : uint8_t {
  juNumIO, juRepList, juNTabEd, juMeter, juMiniCal, juNumLab, juOnOffBut, juSevenSeg, juRotLab,
  juColSel, juRasterLab, juFolderTree, juRepSButton, juProgBar, juThumbnails, juGradFl, juMarkSel
};
constexpr Integer JoxUnitCount = 17;

// The unit's name as its directory is called: u"numio", u"replist", ...
String UnitName(TJoxUnit Unit);

// Start-up decrements the unit's counter and registers the unit's classes for form text; shut-down increments it and, when the
// counter comes back from -1 to 0, runs the unit's finalizers (which release its constant tables).
// A shut-down of a unit that is not started is ignored.
void UnitStartup(TJoxUnit Unit);
void UnitShutdown(TJoxUnit Unit);
// 0 when the unit is not started, -n after n start-ups without shut-down.
Integer UnitRefCount(TJoxUnit Unit);
bool UnitStarted(TJoxUnit Unit);

// The classes a unit publishes, registered (RegisterClass) by each start-up of the unit, so form text
// naming them reads without manual registration. One object in the unit's source:
//   static const TUnitClasses MeterClasses(juMeter, {&TMeter::ClassInfo, &TNeedleLayout::ClassInfo});
class TUnitClasses {
 public:
  using TInfoFn = const TClassInfo& (*)();
  TUnitClasses(TJoxUnit Unit, std::initializer_list<TInfoFn> Classes);
};
// The class tables a unit publishes, in registration order (only units linked into the program).
std::vector<const TClassInfo*> UnitClasses(TJoxUnit Unit);

// Registers a routine the unit's last shut-down runs; the id removes it again.
Integer RegisterUnitFinalizer(TJoxUnit Unit, std::function<void()> Finalizer);
void UnregisterUnitFinalizer(Integer Id);

// A constant table of a unit: built on first use, released by the unit's last shut-down and built again
// when used after that, so a reference taken from Get stays valid until the unit shuts down. Keep it as
// a function-local static of the unit's accessor:
//   const std::array<String, 10>& RepListXmlTags() {
//     static TUnitTable<std::array<String, 10>> table(juRepList, [] { return std::array<String, 10>{...}; });
//     return table.Get();
//   }
template <class T>
class TUnitTable {
 public:
  TUnitTable(TJoxUnit Unit, std::function<T()> Build) : FBuild(std::move(Build)) {
    FFinalizer = RegisterUnitFinalizer(Unit, [this] { FTable.reset(); });
  }
  ~TUnitTable() { UnregisterUnitFinalizer(FFinalizer); }
  TUnitTable(const TUnitTable&) = delete;
  TUnitTable& operator=(const TUnitTable&) = delete;

  const T& Get() {
    if (!FTable) FTable.emplace(FBuild());
    return *FTable;
  }
  bool Built() const { return FTable.has_value(); }

 private:
  std::function<T()> FBuild;
  std::optional<T> FTable;
  Integer FFinalizer;
};

}  // namespace jox
