// The package frame: unit list, start-up and shut-down, error classes, shared texts, and what several
// units share (number text, timer window, scheme colours, off-screen painting, drawing steps, setters).
#pragma once

#include <vector>

#include "package/colorscheme.h"
#include "package/errors.h"
#include "package/numtext.h"
#include "package/paintbuffer.h"
#include "package/painting.h"
#include "package/setters.h"
#include "package/texts.h"
#include "package/timerwindow.h"
#include "package/units.h"

namespace jox {

constexpr const char16_t* PackageName = u"joxwidgets_rt_120XS";

struct TPackageUnitEntry {
  TJoxUnit Unit;
  String Name;
  void (*Startup)();
  void (*Shutdown)();
};

struct TPackageInfoTable {
  String Name;
  std::vector<TPackageUnitEntry> Units;  // in start-up order
  std::vector<String> Requires;          // packages this one links against
};

const TPackageInfoTable& GetPackageInfoTable();

// The package entry: loading runs the units' start-ups in order, unloading their shut-downs in
// reverse. Loads nest; each load needs its unload.
void InitializePackage();
void FinalizePackage();

// Loads the package for the lifetime of the object.
class TPackageLoad {
 public:
  TPackageLoad() { InitializePackage(); }
  ~TPackageLoad() { FinalizePackage(); }
  TPackageLoad(const TPackageLoad&) = delete;
  TPackageLoad& operator=(const TPackageLoad&) = delete;
};

}  // namespace jox
