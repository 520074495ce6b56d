// What the ATK bridge's parts share: the object that stands for one accessible object, and the interface
// tables the object types are made of. Only for the bridge's own files.
#pragma once

#if defined(JOX_HAVE_ATK)

#include <atk/atk.h>

#include <string>

#include "package/framework/controls/accessible.h"
#include "package/framework/controls/application.h"

namespace jox::sdl::access::detail {

struct JoxAtk {
  AtkObject parent;
  TAccessible* acc;  // nullptr once the object went away
};
struct JoxAtkClass {
  AtkObjectClass parent_class;
};

inline TAccessible* Acc(gpointer o) { return reinterpret_cast<JoxAtk*>(o)->acc; }
inline std::string Utf8(const String& s) { return ToUtf8(s); }

// The bridge's object for a, made when first asked for.
AtkObject* Wrap(TAccessible* a);
// Whether a still has its object (its control may have gone since a request was queued).
bool Published(TAccessible* a);

// Runs a change a client asked for; what its handlers throw stops here, never inside GLib.
template <class F>
bool Safe(F&& Fn) {
  try {
    return Fn();
  } catch (...) {
    Application->HandleException(nullptr);
    return false;
  }
}

// Text offsets: characters for ATK, UTF-16 units for us.
std::u32string Chars(const String& s);
Integer UnitsToChars(const String& s, Integer units);
Integer CharsToUnits(const String& s, Integer chars);

// Interface tables.
void CompInit(gpointer iface, gpointer);
void ActInit(gpointer iface, gpointer);
void ValInit(gpointer iface, gpointer);
void TxtInit(gpointer iface, gpointer);
void EdInit(gpointer iface, gpointer);
void TabInit(gpointer iface, gpointer);
void CellInit(gpointer iface, gpointer);

}  // namespace jox::sdl::access::detail

#endif
