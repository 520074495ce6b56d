// The ATK bridge: one AtkObject per accessible object a client reached, the application root above the
// top-level windows, the object types, the loop's integration with GLib's main context, and the change
// events.
// Sections: [stub] [objects] [root] [types] [events] [loop] [start]; the interfaces are in access_atk_iface.cpp.
#include "package/backends/sdl/access_atk.h"

#if !defined(JOX_HAVE_ATK)

// [stub] ---------------------------------------------------------------------------------------------------
namespace jox::sdl::access {
bool Start() { return false; }
void Stop() {}
bool Running() { return false; }
void BeforeWait(int&) {}
void AfterWait() {}
void Notify() {}
}  // namespace jox::sdl::access

#else

#include <SDL.h>
#include <atk-bridge.h>
#include <atk/atk.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "package/backends/sdl/access_atk_objects.h"
#include "package/framework/controls/accessible.h"
#include "package/framework/controls/application.h"
#include "package/framework/controls/controls.h"

namespace jox::sdl::access {

namespace {

// [objects] ------------------------------------------------------------------------------------------------
using namespace detail;


// What clients were last told of an object, to raise events for what changed.
struct TSeen {
  std::string Name;
  TAccStates States = 0;
  bool HasValue = false;
  double Value = 0;
  bool HasText = false;
  String Text;
  Integer Caret = -1;
  Integer SelStart = -1, SelEnd = -1;
  std::vector<AtkObject*> Children;  // referenced; only for objects that list their children
  bool Listed = false;
};

bool gRunning = false;
AtkObject* gRoot = nullptr;
std::unordered_map<TAccessible*, JoxAtk*> gObjects;
std::unordered_map<JoxAtk*, TSeen> gSeen;
std::vector<AtkObject*> gTopSeen;
TAccessible* gFocus = nullptr;


AtkRole MapRole(TAccRole r) {
  switch (r) {
    case arApplication: return ATK_ROLE_APPLICATION;
    case arWindow: return ATK_ROLE_FRAME;
    case arDialog: return ATK_ROLE_DIALOG;
    case arPanel: return ATK_ROLE_PANEL;
    case arPushButton: return ATK_ROLE_PUSH_BUTTON;
    case arToggleButton: return ATK_ROLE_TOGGLE_BUTTON;
    case arCheckBox: return ATK_ROLE_CHECK_BOX;
    case arRadioButton: return ATK_ROLE_RADIO_BUTTON;
    case arLabel: return ATK_ROLE_LABEL;
    case arText: return ATK_ROLE_TEXT;
    case arSpinButton: return ATK_ROLE_SPIN_BUTTON;
    case arSlider: return ATK_ROLE_SLIDER;
    case arProgressBar: return ATK_ROLE_PROGRESS_BAR;
    case arLevelBar: return ATK_ROLE_LEVEL_BAR;
    case arComboBox: return ATK_ROLE_COMBO_BOX;
    case arList: return ATK_ROLE_LIST;
    case arListItem: return ATK_ROLE_LIST_ITEM;
    case arMenu: return ATK_ROLE_MENU;
    case arPopupMenu: return ATK_ROLE_POPUP_MENU;
    case arMenuItem: return ATK_ROLE_MENU_ITEM;
    case arCheckMenuItem: return ATK_ROLE_CHECK_MENU_ITEM;
    case arRadioMenuItem: return ATK_ROLE_RADIO_MENU_ITEM;
    case arSeparator: return ATK_ROLE_SEPARATOR;
    case arTable: return ATK_ROLE_TABLE;
    case arTableCell: return ATK_ROLE_TABLE_CELL;
    case arColumnHeader: return ATK_ROLE_COLUMN_HEADER;
    case arRowHeader: return ATK_ROLE_ROW_HEADER;
    case arTree: return ATK_ROLE_TREE;
    case arTreeItem: return ATK_ROLE_TREE_ITEM;
    case arCalendar: return ATK_ROLE_CALENDAR;
    case arImage: return ATK_ROLE_IMAGE;
    case arCanvas: return ATK_ROLE_CANVAS;
    case arDateEditor: return ATK_ROLE_DATE_EDITOR;
    case arFiller: return ATK_ROLE_FILLER;
    case arPageTabList: return ATK_ROLE_PAGE_TAB_LIST;
    case arPageTab: return ATK_ROLE_PAGE_TAB;
    default: return ATK_ROLE_UNKNOWN;
  }
}

struct TStateMap {
  TAccState Ours;
  AtkStateType Theirs;
};
constexpr TStateMap kStates[] = {
    {asEnabled, ATK_STATE_ENABLED},     {asEnabled, ATK_STATE_SENSITIVE},  {asVisible, ATK_STATE_VISIBLE},
    {asShowing, ATK_STATE_SHOWING},     {asFocusable, ATK_STATE_FOCUSABLE}, {asFocused, ATK_STATE_FOCUSED},
    {asCheckable, ATK_STATE_CHECKABLE}, {asChecked, ATK_STATE_CHECKED},    {asPressed, ATK_STATE_PRESSED},
    {asSelectable, ATK_STATE_SELECTABLE}, {asSelected, ATK_STATE_SELECTED}, {asExpandable, ATK_STATE_EXPANDABLE},
    {asExpanded, ATK_STATE_EXPANDED},   {asReadOnly, ATK_STATE_READ_ONLY}, {asEditable, ATK_STATE_EDITABLE},
    {asMultiLine, ATK_STATE_MULTI_LINE}, {asSingleLine, ATK_STATE_SINGLE_LINE}, {asActive, ATK_STATE_ACTIVE},
    {asModal, ATK_STATE_MODAL},         {asHorizontal, ATK_STATE_HORIZONTAL}, {asVertical, ATK_STATE_VERTICAL},
    {asMultiSelectable, ATK_STATE_MULTISELECTABLE}, {asDefault, ATK_STATE_DEFAULT},
    {asManagesDescendants, ATK_STATE_MANAGES_DESCENDANTS}, {asDefunct, ATK_STATE_DEFUNCT},
    {asIndeterminate, ATK_STATE_INDETERMINATE}};

// The top-level objects now: forms and open popups.
std::vector<TAccessible*> Tops() { return AccessibleTopLevels(); }

AtkObject* ParentOf(TAccessible* a) {
  if (!a) return nullptr;
  if (TAccessible* p = a->Parent()) return Wrap(p);
  return gRoot;
}

// AtkObject's own calls.
// The object keeps the strings it hands out (AtkObject frees them with itself).
const gchar* Keep(gchar*& slot, const String& s) {
  g_free(slot);
  slot = g_strdup(Utf8(s).c_str());
  return slot;
}
const gchar* ObjName(AtkObject* o) {
  TAccessible* a = Acc(o);
  return Keep(o->name, a ? a->Name() : String());
}
const gchar* ObjDescription(AtkObject* o) {
  TAccessible* a = Acc(o);
  return Keep(o->description, a ? a->Description() : String());
}
AtkObject* ObjParent(AtkObject* o) { return ParentOf(Acc(o)); }
gint ObjChildCount(AtkObject* o) {
  TAccessible* a = Acc(o);
  return a ? a->ChildCount() : 0;
}
AtkObject* ObjRefChild(AtkObject* o, gint i) {
  TAccessible* a = Acc(o);
  TAccessible* c = a ? a->Child(i) : nullptr;
  AtkObject* w = c ? Wrap(c) : nullptr;
  return w ? ATK_OBJECT(g_object_ref(w)) : nullptr;
}
gint ObjIndexInParent(AtkObject* o) {
  TAccessible* a = Acc(o);
  if (!a) return -1;
  if (a->Parent()) return a->IndexInParent();
  const auto tops = Tops();
  const auto it = std::find(tops.begin(), tops.end(), a);
  return it == tops.end() ? -1 : gint(it - tops.begin());
}
AtkRole ObjRole(AtkObject* o) {
  TAccessible* a = Acc(o);
  return a ? MapRole(a->Role()) : ATK_ROLE_INVALID;
}
AtkStateSet* ObjStates(AtkObject* o) {
  AtkStateSet* set = atk_state_set_new();
  TAccessible* a = Acc(o);
  const TAccStates s = a ? a->States() : asDefunct;
  for (const auto& m : kStates)
    if (s & m.Ours) atk_state_set_add_state(set, m.Theirs);
  return set;
}

// A GObject type derived from Parent.
GType RegisterType(GType Parent, const char* Name, guint16 ClassSize, GClassInitFunc Init, guint16 InstanceSize) {
  GTypeInfo info{};
  info.class_size = ClassSize;
  info.class_init = Init;
  info.instance_size = InstanceSize;
  return g_type_register_static(Parent, Name, &info, GTypeFlags(0));
}

// [root] ---------------------------------------------------------------------------------------------------
struct JoxRoot {
  AtkObject parent;
};
struct JoxRootClass {
  AtkObjectClass parent_class;
};
// The application's title, else its program's name, as a desktop names an application.
const gchar* RootName(AtkObject* o) {
  String title = Application ? Application->Title() : String();
  if (title.empty()) {
    std::error_code ec;
    title = FromUtf8(std::filesystem::read_symlink("/proc/self/exe", ec).filename().string());
  }
  return Keep(o->name, title.empty() ? String(u"joxwidgets") : title);
}
gint RootChildCount(AtkObject*) { return gint(Tops().size()); }
AtkObject* RootRefChild(AtkObject*, gint i) {
  const auto tops = Tops();
  if (i < 0 || size_t(i) >= tops.size()) return nullptr;
  return ATK_OBJECT(g_object_ref(Wrap(tops[size_t(i)])));
}
AtkObject* RootParent(AtkObject*) { return nullptr; }
AtkRole RootRole(AtkObject*) { return ATK_ROLE_APPLICATION; }
void RootClassInit(gpointer klass, gpointer) {
  auto* k = ATK_OBJECT_CLASS(klass);
  k->get_name = RootName;
  k->get_n_children = RootChildCount;
  k->ref_child = RootRefChild;
  k->get_parent = RootParent;
  k->get_role = RootRole;
}
GType RootType() {
  static const GType t = RegisterType(ATK_TYPE_OBJECT, "JoxAtkRoot", sizeof(JoxRootClass), RootClassInit, sizeof(JoxRoot));
  return t;
}

// [types] --------------------------------------------------------------------------------------------------
enum : unsigned { kValue = 1, kText = 2, kEditable = 4, kTable = 8, kCell = 16 };

void ObjClassInit(gpointer klass, gpointer) {
  auto* k = ATK_OBJECT_CLASS(klass);
  k->get_name = ObjName;
  k->get_description = ObjDescription;
  k->get_parent = ObjParent;
  k->get_n_children = ObjChildCount;
  k->ref_child = ObjRefChild;
  k->get_index_in_parent = ObjIndexInParent;
  k->get_role = ObjRole;
  k->ref_state_set = ObjStates;
}

GType BaseType() {
  static GType t = 0;
  if (!t) {
    t = RegisterType(ATK_TYPE_OBJECT, "JoxAtkObject", sizeof(JoxAtkClass), ObjClassInit, sizeof(JoxAtk));
    const GInterfaceInfo comp{CompInit, nullptr, nullptr}, act{ActInit, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_COMPONENT, &comp);
    g_type_add_interface_static(t, ATK_TYPE_ACTION, &act);
  }
  return t;
}

// One type per set of further interfaces, made when first needed.
GType TypeFor(unsigned mask) {
  static std::unordered_map<unsigned, GType> types;
  if (auto it = types.find(mask); it != types.end()) return it->second;
  GType t = BaseType();
  if (mask) {
    t = RegisterType(BaseType(), ("JoxAtkObject" + std::to_string(mask)).c_str(), sizeof(JoxAtkClass), nullptr,
                     sizeof(JoxAtk));
    const GInterfaceInfo val{ValInit, nullptr, nullptr}, txt{TxtInit, nullptr, nullptr},
        ed{EdInit, nullptr, nullptr}, tab{TabInit, nullptr, nullptr}, cell{CellInit, nullptr, nullptr};
    if (mask & kValue) g_type_add_interface_static(t, ATK_TYPE_VALUE, &val);
    if (mask & kText) g_type_add_interface_static(t, ATK_TYPE_TEXT, &txt);
    if (mask & kEditable) g_type_add_interface_static(t, ATK_TYPE_EDITABLE_TEXT, &ed);
    if (mask & kTable) g_type_add_interface_static(t, ATK_TYPE_TABLE, &tab);
    if (mask & kCell) g_type_add_interface_static(t, ATK_TYPE_TABLE_CELL, &cell);
  }
  types[mask] = t;
  return t;
}

}  // namespace

bool detail::Published(TAccessible* a) { return gObjects.count(a) != 0; }

AtkObject* detail::Wrap(TAccessible* a) {
  if (!a) return nullptr;
  if (auto it = gObjects.find(a); it != gObjects.end()) return ATK_OBJECT(it->second);
  TAccValue v;
  unsigned mask = 0;
  if (a->GetValue(v)) mask |= kValue;
  if (a->HasText()) mask |= kText;
  if (a->HasText() && (a->States() & asEditable)) mask |= kEditable;
  if (a->IsTable()) mask |= kTable;
  if (a->Role() == arTableCell) mask |= kCell;
  auto* o = static_cast<JoxAtk*>(g_object_new(TypeFor(mask), nullptr));
  o->acc = a;
  atk_object_initialize(ATK_OBJECT(o), nullptr);
  ATK_OBJECT(o)->role = MapRole(a->Role());
  ATK_OBJECT(o)->layer = a->Parent() ? ATK_LAYER_WIDGET : ATK_LAYER_WINDOW;
  gObjects[a] = o;
  return ATK_OBJECT(o);
}

namespace {

// Drops what the bridge holds of an object that went away; clients see it defunct.
class TListener : public TAccessibleListener {
 public:
  void Destroyed(TAccessible* a) override {
    if (a == gFocus) gFocus = nullptr;
    auto it = gObjects.find(a);
    if (it == gObjects.end()) return;
    JoxAtk* o = it->second;
    gObjects.erase(it);
    o->acc = nullptr;
    atk_object_notify_state_change(ATK_OBJECT(o), ATK_STATE_DEFUNCT, TRUE);
    if (auto s = gSeen.find(o); s != gSeen.end()) {
      for (AtkObject* c : s->second.Children) g_object_unref(c);
      gSeen.erase(s);
    }
    g_object_unref(o);
  }
};
TListener gListener;

// [events] -------------------------------------------------------------------------------------------------
// Whether the children of an object are listed for children events (not the cells of a large table).
bool ListsChildren(TAccessible* a) { return !(a->States() & asManagesDescendants) && a->ChildCount() <= 256; }

std::vector<AtkObject*> ChildList(TAccessible* a) {
  std::vector<AtkObject*> out;
  for (Integer i = 0, n = a->ChildCount(); i < n; ++i)
    if (TAccessible* c = a->Child(i)) out.push_back(ATK_OBJECT(g_object_ref(Wrap(c))));
  return out;
}

void ChildrenEvents(AtkObject* parent, std::vector<AtkObject*>& seen, std::vector<AtkObject*> now) {
  for (size_t i = seen.size(); i-- > 0;)
    if (std::find(now.begin(), now.end(), seen[i]) == now.end())
      g_signal_emit_by_name(parent, "children-changed::remove", guint(i), seen[i]);
  for (size_t i = 0; i < now.size(); ++i)
    if (std::find(seen.begin(), seen.end(), now[i]) == seen.end())
      g_signal_emit_by_name(parent, "children-changed::add", guint(i), now[i]);
  for (AtkObject* c : seen) g_object_unref(c);
  seen = std::move(now);
}

void TextEvents(AtkObject* o, const String& before, const String& after) {
  if (before == after) return;
  size_t pre = 0;
  while (pre < before.size() && pre < after.size() && before[pre] == after[pre]) ++pre;
  size_t post = 0;
  while (post < before.size() - pre && post < after.size() - pre &&
         before[before.size() - 1 - post] == after[after.size() - 1 - post])
    ++post;
  const gint at = UnitsToChars(before, Integer(pre));
  const String removed = before.substr(pre, before.size() - pre - post);
  const String added = after.substr(pre, after.size() - pre - post);
  if (!removed.empty())
    g_signal_emit_by_name(o, "text-remove", at, gint(Chars(removed).size()), Utf8(removed).c_str());
  if (!added.empty())
    g_signal_emit_by_name(o, "text-insert", at, gint(Chars(added).size()), Utf8(added).c_str());
}

// Reads an object as clients see it now and raises an event for each difference from Seen.
void Compare(JoxAtk* o, TSeen& seen, bool first) {
  TAccessible* a = o->acc;
  AtkObject* obj = ATK_OBJECT(o);
  const TAccStates states = a->States();
  // What is not shown is compared when it shows again (a page of a notebook, a closed popup).
  if (!first && !((states | seen.States) & asShowing)) return;
  const std::string name = Utf8(a->Name());
  if (!first && name != seen.Name) g_object_notify(G_OBJECT(obj), "accessible-name");
  seen.Name = name;
  if (!first)
    for (const auto& m : kStates)
      if ((states ^ seen.States) & m.Ours && m.Theirs != ATK_STATE_SENSITIVE && m.Theirs != ATK_STATE_FOCUSED)
        atk_object_notify_state_change(obj, m.Theirs, (states & m.Ours) != 0);
  seen.States = states;
  TAccValue v;
  const bool hasValue = a->GetValue(v);
  if (!first && hasValue && (!seen.HasValue || v.Current != seen.Value)) {
    g_object_notify(G_OBJECT(obj), "accessible-value");
    if (ATK_IS_VALUE(obj)) g_signal_emit_by_name(obj, "value-changed", v.Current, nullptr);
  }
  seen.HasValue = hasValue;
  seen.Value = v.Current;
  if (a->HasText() && ATK_IS_TEXT(obj)) {
    const String text = a->Text();
    const Integer caret = a->CaretOffset();
    Integer s = -1, e = -1;
    if (!a->Selection(s, e)) s = e = -1;
    if (!first) {
      TextEvents(obj, seen.Text, text);
      if (caret != seen.Caret && caret >= 0) g_signal_emit_by_name(obj, "text-caret-moved", UnitsToChars(text, caret));
      if (s != seen.SelStart || e != seen.SelEnd) g_signal_emit_by_name(obj, "text-selection-changed");
    }
    seen.Text = text;
    seen.Caret = caret;
    seen.SelStart = s;
    seen.SelEnd = e;
  }
  if ((states & asShowing) && ListsChildren(a)) {
    if (!seen.Listed) seen.Children = ChildList(a);
    else ChildrenEvents(obj, seen.Children, ChildList(a));
    seen.Listed = true;
  }
}

void FocusEvents() {
  TAccessible* now = AccessibleFocus();
  if (now == gFocus) return;
  if (gFocus)
    if (auto it = gObjects.find(gFocus); it != gObjects.end())
      atk_object_notify_state_change(ATK_OBJECT(it->second), ATK_STATE_FOCUSED, FALSE);
  gFocus = now;
  if (!now) return;
  AtkObject* o = Wrap(now);
  // An item with the focus inside its control: the control says which of its descendants is active.
  if (TAccessible* p = now->Parent(); p && p->Control() == now->Control() && p != now)
    g_signal_emit_by_name(Wrap(now->Control()->Accessible()), "active-descendant-changed", o);
  atk_object_notify_state_change(o, ATK_STATE_FOCUSED, TRUE);
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  atk_focus_tracker_notify(o);
  G_GNUC_END_IGNORE_DEPRECATIONS
}

// [loop] ---------------------------------------------------------------------------------------------------
// The helper thread polls the context's sockets while SDL waits; the main thread owns the context.
struct TPoller {
  std::mutex Lock;
  std::condition_variable Changed;
  std::vector<GPollFD> Fds;  // the context's sockets, handed over for one wait
  bool Polling = false, Quit = false;
  int Wake[2] = {-1, -1};    // a pipe that ends a poll early
  std::thread Thread;
  Uint32 Event = 0;

  void Run() {
    std::unique_lock<std::mutex> l(Lock);
    for (;;) {
      Changed.wait(l, [&] { return Polling || Quit; });
      if (Quit) return;
      std::vector<pollfd> p;
      for (const GPollFD& f : Fds) p.push_back({f.fd, short(f.events), 0});
      p.push_back({Wake[0], POLLIN, 0});
      l.unlock();
      int r;
      do r = poll(p.data(), p.size(), -1);
      while (r < 0 && errno == EINTR);
      bool ready = false;
      for (size_t i = 0; i + 1 < p.size(); ++i) ready |= p[i].revents != 0;
      l.lock();
      for (size_t i = 0; i + 1 < p.size() && i < Fds.size(); ++i) Fds[i].revents = gushort(p[i].revents);
      if (ready && Polling) {
        SDL_Event e{};
        e.type = Event;
        SDL_PushEvent(&e);
      }
      Polling = false;
      Changed.notify_all();
    }
  }
};
TPoller* gPoller = nullptr;
GMainContext* gContext = nullptr;
std::vector<GPollFD> gFds;
gint gPriority = 0;
bool gPrepared = false;
constexpr uint64_t kCompareMs = 100;
uint64_t gLastCompare = 0;
bool gComparePending = false;

}  // namespace

bool Running() { return gRunning; }

void BeforeWait(int& TimeoutMs) {
  if (!gRunning) return;
  gPrepared = true;
  const bool ready = g_main_context_prepare(gContext, &gPriority);
  gint timeout = -1;
  gint n = g_main_context_query(gContext, gPriority, &timeout, gFds.data(), gint(gFds.size()));
  if (size_t(n) > gFds.size()) {
    gFds.resize(size_t(n));
    n = g_main_context_query(gContext, gPriority, &timeout, gFds.data(), n);
  }
  gFds.resize(size_t(n));
  if (ready) TimeoutMs = 0;
  else if (timeout >= 0) TimeoutMs = std::min(TimeoutMs, int(timeout));
  if (gComparePending) {
    const uint64_t since = SDL_GetTicks64() - gLastCompare;
    TimeoutMs = std::min<int>(TimeoutMs, since >= kCompareMs ? 0 : int(kCompareMs - since));
  }
  if (TimeoutMs == 0) return;
  // A wake-up written after the helper's last poll had ended would end the next one at once: drop it.
  char buf[64];
  while (read(gPoller->Wake[0], buf, sizeof buf) > 0) {}
  std::lock_guard<std::mutex> l(gPoller->Lock);
  gPoller->Fds = gFds;
  gPoller->Polling = true;
  gPoller->Changed.notify_all();
}

void AfterWait() {
  if (!gRunning || !gPrepared) return;
  gPrepared = false;
  {
    std::unique_lock<std::mutex> l(gPoller->Lock);
    if (gPoller->Polling) {
      const char b = 1;
      (void)!write(gPoller->Wake[1], &b, 1);
      gPoller->Changed.wait(l, [] { return !gPoller->Polling; });
    }
    if (gPoller->Fds.size() == gFds.size()) gFds = gPoller->Fds;
    gPoller->Fds.clear();
  }
  if (gFds.empty() || std::all_of(gFds.begin(), gFds.end(), [](const GPollFD& f) { return f.revents == 0; })) {
    // Nothing was polled (a zero wait): look at the sockets once without blocking.
    std::vector<pollfd> p;
    for (const GPollFD& f : gFds) p.push_back({f.fd, short(f.events), 0});
    if (!p.empty() && poll(p.data(), p.size(), 0) > 0)
      for (size_t i = 0; i < p.size(); ++i) gFds[i].revents = gushort(p[i].revents);
  }
  if (g_main_context_check(gContext, gPriority, gFds.data(), gint(gFds.size()))) g_main_context_dispatch(gContext);
}

void Notify() {
  if (!gRunning) return;
  try {
    FocusEvents();
    // Comparing every published object costs what the tree costs: while clients keep asking (each
    // request is a pass of the loop) it runs at most every kCompareMs, and BeforeWait wakes the loop
    // for the one put off.
    const uint64_t now = SDL_GetTicks64();
    if (now - gLastCompare < kCompareMs) {
      gComparePending = true;
      return;
    }
    gLastCompare = now;
    gComparePending = false;
    // The top level: windows opened and closed.
    std::vector<AtkObject*> tops;
    for (TAccessible* t : Tops()) tops.push_back(ATK_OBJECT(g_object_ref(Wrap(t))));
    ChildrenEvents(gRoot, gTopSeen, std::move(tops));
    std::vector<JoxAtk*> objects;
    for (auto& [a, o] : gObjects) objects.push_back(o);
    for (JoxAtk* o : objects) {
      if (!o->acc) continue;
      auto [it, fresh] = gSeen.try_emplace(o);
      Compare(o, it->second, fresh);
    }
  } catch (...) {
    Application->HandleException(nullptr);
  }
}

// [start] --------------------------------------------------------------------------------------------------
namespace {
AtkObject* UtilRoot() { return gRoot; }
const gchar* UtilToolkitName() { return "joxwidgets"; }
const gchar* UtilToolkitVersion() { return "1.0"; }
}  // namespace

bool Start() {
  if (gRunning) return true;
  if (const char* off = std::getenv("NO_AT_BRIDGE"); off && std::strcmp(off, "1") == 0) return false;
  // Without a session bus the bridge would try to start one; a window without it just is not published.
  if (!std::getenv("DBUS_SESSION_BUS_ADDRESS") && !std::getenv("AT_SPI_BUS_ADDRESS")) return false;
  auto* util = ATK_UTIL_CLASS(g_type_class_ref(ATK_TYPE_UTIL));
  util->get_root = UtilRoot;
  util->get_toolkit_name = UtilToolkitName;
  util->get_toolkit_version = UtilToolkitVersion;
  gRoot = ATK_OBJECT(g_object_new(RootType(), nullptr));
  atk_object_initialize(gRoot, nullptr);
  gContext = g_main_context_default();
  if (!g_main_context_acquire(gContext)) return false;
  gPoller = new TPoller;
  if (pipe(gPoller->Wake) != 0) {
    Stop();
    return false;
  }
  fcntl(gPoller->Wake[0], F_SETFL, O_NONBLOCK);
  gPoller->Event = SDL_RegisterEvents(1);
  gPoller->Thread = std::thread([] { gPoller->Run(); });
  if (atk_bridge_adaptor_init(nullptr, nullptr) != 0) {
    Stop();
    return false;
  }
  SetAccessibleListener(&gListener);
  gRunning = true;
  return true;
}

void Stop() {
  if (gRunning) atk_bridge_adaptor_cleanup();
  gRunning = false;
  SetAccessibleListener(nullptr);
  if (gPoller) {
    {
      std::lock_guard<std::mutex> l(gPoller->Lock);
      gPoller->Quit = true;
      gPoller->Changed.notify_all();
    }
    const char b = 1;
    (void)!write(gPoller->Wake[1], &b, 1);
    if (gPoller->Thread.joinable()) gPoller->Thread.join();
    for (int fd : gPoller->Wake)
      if (fd >= 0) close(fd);
    delete gPoller;
    gPoller = nullptr;
  }
  for (auto& [o, s] : gSeen)
    for (AtkObject* c : s.Children) g_object_unref(c);
  gSeen.clear();
  for (AtkObject* c : gTopSeen) g_object_unref(c);
  gTopSeen.clear();
  for (auto& [a, o] : gObjects) {
    o->acc = nullptr;
    g_object_unref(o);
  }
  gObjects.clear();
  gFocus = nullptr;
  if (gContext) g_main_context_release(gContext);
  gContext = nullptr;
  if (gRoot) g_object_unref(gRoot);
  gRoot = nullptr;
}

}  // namespace jox::sdl::access

#endif
