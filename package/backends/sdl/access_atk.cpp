// The ATK bridge: one AtkObject per accessible object a client reached, the application root above the
// top-level windows, the interfaces (component, action, value, text, editable text, table, table cell),
// the loop's integration with GLib's main context, and the change events.
// Sections: [stub] [objects] [root] [interfaces] [types] [events] [loop] [start]
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

#include "package/framework/controls/accessible.h"
#include "package/framework/controls/application.h"
#include "package/framework/controls/controls.h"

namespace jox::sdl::access {

namespace {

// [objects] ------------------------------------------------------------------------------------------------
struct JoxAtk {
  AtkObject parent;
  TAccessible* acc;  // nullptr once the object went away
};
struct JoxAtkClass {
  AtkObjectClass parent_class;
};

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

TAccessible* Acc(gpointer o) { return reinterpret_cast<JoxAtk*>(o)->acc; }
std::string Utf8(const String& s) { return ToUtf8(s); }

AtkObject* Wrap(TAccessible* a);

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

// [interfaces] ---------------------------------------------------------------------------------------------
// Component: bounds on the screen, focus.
void CompExtents(AtkComponent* c, gint* x, gint* y, gint* w, gint* h, AtkCoordType) {
  TAccessible* a = Acc(c);
  const TRect r = a ? a->ScreenBounds() : TRect();
  if (x) *x = r.Left;
  if (y) *y = r.Top;
  if (w) *w = r.Width();
  if (h) *h = r.Height();
}
gboolean CompGrabFocus(AtkComponent* c) {
  TAccessible* a = Acc(c);
  return a && Safe([&] { return a->GrabFocus(); });
}
AtkLayer CompLayer(AtkComponent* c) {
  TAccessible* a = Acc(c);
  return a && !a->Parent() ? ATK_LAYER_WINDOW : ATK_LAYER_WIDGET;
}
void CompInit(gpointer iface, gpointer) {
  auto* i = static_cast<AtkComponentIface*>(iface);
  i->get_extents = CompExtents;
  i->grab_focus = CompGrabFocus;
  i->get_layer = CompLayer;
}

// Action.
gint ActCount(AtkAction* o) {
  TAccessible* a = Acc(o);
  return a ? a->ActionCount() : 0;
}
const gchar* ActName(AtkAction* o, gint i) {
  TAccessible* a = Acc(o);
  if (!a) return nullptr;
  const auto names = a->Actions();
  if (i < 0 || size_t(i) >= names.size()) return nullptr;
  return g_intern_string(Utf8(names[size_t(i)]).c_str());
}
gboolean ActDo(AtkAction* o, gint i) {
  TAccessible* a = Acc(o);
  if (!a || i < 0 || i >= a->ActionCount()) return FALSE;
  // Run from the loop, as a click would: a handler may show a modal form, which must not block the bus.
  // The object is looked up again then: it may have gone with its control meanwhile.
  Application->Queue([a, i] {
    if (gObjects.count(a)) Safe([&] { return a->DoAction(i); });
  });
  return TRUE;
}
void ActInit(gpointer iface, gpointer) {
  auto* i = static_cast<AtkActionIface*>(iface);
  i->get_n_actions = ActCount;
  i->get_name = ActName;
  i->do_action = ActDo;
}

// Value.
bool ReadValue(gpointer o, TAccValue& v) {
  TAccessible* a = Acc(o);
  return a && a->GetValue(v);
}
// One part of the value (current, minimum, maximum, step) as a GValue.
template <double TAccValue::*Part>
void ValPart(AtkValue* o, GValue* out) {
  TAccValue v;
  ReadValue(o, v);
  g_value_init(out, G_TYPE_DOUBLE);
  g_value_set_double(out, v.*Part);
}
gboolean ValSetCurrent(AtkValue* o, const GValue* in) {
  TAccessible* a = Acc(o);
  if (!a) return FALSE;
  GValue d = G_VALUE_INIT;
  g_value_init(&d, G_TYPE_DOUBLE);
  if (!g_value_transform(in, &d)) return FALSE;
  return Safe([&] { return a->SetValue(g_value_get_double(&d)); });
}
void ValAndText(AtkValue* o, gdouble* value, gchar** text) {
  TAccValue v;
  ReadValue(o, v);
  if (value) *value = v.Current;
  if (text) *text = nullptr;
}
AtkRange* ValRange(AtkValue* o) {
  TAccValue v;
  if (!ReadValue(o, v)) return nullptr;
  return atk_range_new(v.Minimum, v.Maximum, nullptr);
}
gdouble ValIncrement(AtkValue* o) {
  TAccValue v;
  ReadValue(o, v);
  return v.Step;
}
void ValSet(AtkValue* o, gdouble value) {
  if (TAccessible* a = Acc(o)) Safe([&] { return a->SetValue(value); });
}
void ValInit(gpointer iface, gpointer) {
  auto* i = static_cast<AtkValueIface*>(iface);
  i->get_current_value = ValPart<&TAccValue::Current>;
  i->get_maximum_value = ValPart<&TAccValue::Maximum>;
  i->get_minimum_value = ValPart<&TAccValue::Minimum>;
  i->get_minimum_increment = ValPart<&TAccValue::Step>;
  i->set_current_value = ValSetCurrent;
  i->get_value_and_text = ValAndText;
  i->get_range = ValRange;
  i->get_increment = ValIncrement;
  i->set_value = ValSet;
}

// Text: offsets are characters for ATK, UTF-16 units for us.
String TextOf(gpointer o) {
  TAccessible* a = Acc(o);
  return a ? a->Text() : String();
}
std::u32string Chars(const String& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00), ++i;
    out += c;
  }
  return out;
}
Integer UnitsToChars(const String& s, Integer units) {
  Integer chars = 0;
  for (Integer i = 0; i < units && size_t(i) < s.size(); ++i, ++chars)
    if (s[size_t(i)] >= 0xD800 && s[size_t(i)] < 0xDC00) ++i;
  return chars;
}
Integer CharsToUnits(const String& s, Integer chars) {
  Integer i = 0;
  for (Integer c = 0; c < chars && size_t(i) < s.size(); ++c, ++i)
    if (s[size_t(i)] >= 0xD800 && s[size_t(i)] < 0xDC00) ++i;
  return i;
}
gchar* Slice(const std::u32string& t, gint start, gint end) {
  const gint n = gint(t.size());
  if (end < 0 || end > n) end = n;
  start = std::clamp(start, 0, n);
  if (end < start) end = start;
  std::string out;
  for (gint i = start; i < end; ++i) {
    char buf[8];
    buf[g_unichar_to_utf8(gunichar(t[size_t(i)]), buf)] = 0;
    out += buf;
  }
  return g_strdup(out.c_str());
}
gchar* TxtText(AtkText* o, gint start, gint end) { return Slice(Chars(TextOf(o)), start, end); }
gint TxtCount(AtkText* o) { return gint(Chars(TextOf(o)).size()); }
gunichar TxtCharAt(AtkText* o, gint offset) {
  const auto t = Chars(TextOf(o));
  return offset >= 0 && size_t(offset) < t.size() ? gunichar(t[size_t(offset)]) : 0;
}
gint TxtCaret(AtkText* o) {
  TAccessible* a = Acc(o);
  if (!a) return -1;
  const Integer c = a->CaretOffset();
  return c < 0 ? c : UnitsToChars(a->Text(), c);
}
gboolean TxtSetCaret(AtkText* o, gint offset) {
  TAccessible* a = Acc(o);
  return a && Safe([&] { return a->SetCaretOffset(CharsToUnits(a->Text(), offset)); });
}
gint TxtSelections(AtkText* o) {
  TAccessible* a = Acc(o);
  Integer s = 0, e = 0;
  return a && a->Selection(s, e) ? 1 : 0;
}
gchar* TxtSelection(AtkText* o, gint n, gint* start, gint* end) {
  TAccessible* a = Acc(o);
  Integer s = 0, e = 0;
  if (!a || n != 0 || !a->Selection(s, e)) {
    *start = *end = 0;
    return nullptr;
  }
  const String t = a->Text();
  *start = UnitsToChars(t, s);
  *end = UnitsToChars(t, e);
  return Slice(Chars(t), *start, *end);
}
gboolean TxtSetSelection(AtkText* o, gint n, gint start, gint end) {
  TAccessible* a = Acc(o);
  if (!a || n != 0) return FALSE;
  const String t = a->Text();
  return Safe([&] { return a->SetSelection(CharsToUnits(t, start), CharsToUnits(t, end)); });
}
gboolean TxtAddSelection(AtkText* o, gint start, gint end) { return TxtSetSelection(o, 0, start, end); }
gboolean TxtRemoveSelection(AtkText* o, gint n) {
  TAccessible* a = Acc(o);
  return a && n == 0 && a->SetCaretOffset(std::max<Integer>(a->CaretOffset(), 0));
}
// The run of the given granularity around offset: a character, a word (letters and digits), a line.
gchar* TxtStringAt(AtkText* o, gint offset, AtkTextGranularity g, gint* start, gint* end) {
  const auto t = Chars(TextOf(o));
  const gint n = gint(t.size());
  offset = std::clamp(offset, 0, n);
  gint s = offset, e = offset;
  if (g == ATK_TEXT_GRANULARITY_CHAR) {
    e = std::min(n, offset + 1);
  } else if (g == ATK_TEXT_GRANULARITY_WORD) {
    auto word = [&](gint i) { return i >= 0 && i < n && g_unichar_isalnum(gunichar(t[size_t(i)])); };
    while (s > 0 && word(s - 1)) --s;
    while (e < n && word(e)) ++e;
  } else if (g == ATK_TEXT_GRANULARITY_LINE || g == ATK_TEXT_GRANULARITY_PARAGRAPH) {
    while (s > 0 && t[size_t(s - 1)] != U'\n') --s;
    while (e < n && t[size_t(e)] != U'\n') ++e;
    if (e < n) ++e;
  } else {
    s = 0;
    e = n;
  }
  *start = s;
  *end = e;
  return Slice(t, s, e);
}
gchar* TxtAtOffset(AtkText* o, gint offset, AtkTextBoundary b, gint* start, gint* end) {
  AtkTextGranularity g = ATK_TEXT_GRANULARITY_CHAR;
  if (b == ATK_TEXT_BOUNDARY_WORD_START || b == ATK_TEXT_BOUNDARY_WORD_END) g = ATK_TEXT_GRANULARITY_WORD;
  else if (b == ATK_TEXT_BOUNDARY_LINE_START || b == ATK_TEXT_BOUNDARY_LINE_END) g = ATK_TEXT_GRANULARITY_LINE;
  else if (b != ATK_TEXT_BOUNDARY_CHAR) g = ATK_TEXT_GRANULARITY_SENTENCE;
  return TxtStringAt(o, offset, g, start, end);
}
void TxtCharExtents(AtkText* o, gint, gint* x, gint* y, gint* w, gint* h, AtkCoordType) {
  CompExtents(reinterpret_cast<AtkComponent*>(o), x, y, w, h, ATK_XY_SCREEN);
}
void TxtInit(gpointer iface, gpointer) {
  auto* i = static_cast<AtkTextIface*>(iface);
  i->get_text = TxtText;
  i->get_character_count = TxtCount;
  i->get_character_at_offset = TxtCharAt;
  i->get_caret_offset = TxtCaret;
  i->set_caret_offset = TxtSetCaret;
  i->get_n_selections = TxtSelections;
  i->get_selection = TxtSelection;
  i->set_selection = TxtSetSelection;
  i->add_selection = TxtAddSelection;
  i->remove_selection = TxtRemoveSelection;
  i->get_text_at_offset = TxtAtOffset;
  i->get_string_at_offset = TxtStringAt;
  i->get_character_extents = TxtCharExtents;
}

// Editable text: every change goes through the control's text, so its own rules (read-only, limits) hold.
void EdSetContents(AtkEditableText* o, const gchar* s) {
  if (TAccessible* a = Acc(o)) Safe([&] { return a->SetTextContents(FromUtf8(s ? s : "")); });
}
void EdInsert(AtkEditableText* o, const gchar* s, gint len, gint* pos) {
  TAccessible* a = Acc(o);
  if (!a || !s || !pos) return;
  String t = a->Text();
  const String add = FromUtf8(len < 0 ? std::string(s) : std::string(s, size_t(len)));
  const size_t at = size_t(std::clamp<Integer>(CharsToUnits(t, *pos), 0, Integer(t.size())));
  t.insert(at, add);
  if (Safe([&] { return a->SetTextContents(t); })) *pos += gint(Chars(add).size());
}
void EdDelete(AtkEditableText* o, gint start, gint end) {
  TAccessible* a = Acc(o);
  if (!a) return;
  String t = a->Text();
  const Integer s = CharsToUnits(t, start), e = end < 0 ? Integer(t.size()) : CharsToUnits(t, end);
  if (e <= s) return;
  t.erase(size_t(s), size_t(e - s));
  Safe([&] { return a->SetTextContents(t); });
}
void EdInit(gpointer iface, gpointer) {
  auto* i = static_cast<AtkEditableTextIface*>(iface);
  i->set_text_contents = EdSetContents;
  i->insert_text = EdInsert;
  i->delete_text = EdDelete;
}

// Table.
AtkObject* TabRefAt(AtkTable* o, gint row, gint col) {
  TAccessible* a = Acc(o);
  TAccessible* c = a ? a->Cell(row, col) : nullptr;
  return c ? ATK_OBJECT(g_object_ref(Wrap(c))) : nullptr;
}
gint TabRows(AtkTable* o) {
  TAccessible* a = Acc(o);
  return a ? a->RowCount() : 0;
}
gint TabCols(AtkTable* o) {
  TAccessible* a = Acc(o);
  return a ? a->ColumnCount() : 0;
}
gint TabIndexAt(AtkTable* o, gint row, gint col) {
  TAccessible* a = Acc(o);
  TAccessible* c = a ? a->Cell(row, col) : nullptr;
  return c ? c->IndexInParent() : -1;
}
gint TabRowAt(AtkTable* o, gint index) {
  TAccessible* a = Acc(o);
  TAccessible* c = a ? a->Child(index) : nullptr;
  Integer r = -1, col = -1;
  return c && a->CellPosition(c, r, col) ? r : -1;
}
gint TabColAt(AtkTable* o, gint index) {
  TAccessible* a = Acc(o);
  TAccessible* c = a ? a->Child(index) : nullptr;
  Integer r = -1, col = -1;
  return c && a->CellPosition(c, r, col) ? col : -1;
}
gint TabExtent(AtkTable*, gint, gint) { return 1; }
const gchar* TabColDesc(AtkTable* o, gint col) {
  TAccessible* a = Acc(o);
  return a ? g_intern_string(Utf8(a->ColumnHeader(col)).c_str()) : nullptr;
}
const gchar* TabRowDesc(AtkTable* o, gint row) {
  TAccessible* a = Acc(o);
  return a ? g_intern_string(Utf8(a->RowHeader(row)).c_str()) : nullptr;
}
gboolean TabIsSelected(AtkTable* o, gint row, gint col) {
  TAccessible* a = Acc(o);
  TAccessible* c = a ? a->Cell(row, col) : nullptr;
  return c && (c->States() & asSelected);
}
void TabInit(gpointer iface, gpointer) {
  auto* i = static_cast<AtkTableIface*>(iface);
  i->ref_at = TabRefAt;
  i->get_n_rows = TabRows;
  i->get_n_columns = TabCols;
  i->get_index_at = TabIndexAt;
  i->get_row_at_index = TabRowAt;
  i->get_column_at_index = TabColAt;
  i->get_column_extent_at = TabExtent;
  i->get_row_extent_at = TabExtent;
  i->get_column_description = TabColDesc;
  i->get_row_description = TabRowDesc;
  i->is_selected = TabIsSelected;
}

// Table cell.
gboolean CellPos(AtkTableCell* o, gint* row, gint* col) {
  TAccessible* a = Acc(o);
  TAccessible* t = a ? a->Parent() : nullptr;
  Integer r = 0, c = 0;
  if (!t || !t->CellPosition(a, r, c)) return FALSE;
  *row = r;
  *col = c;
  return TRUE;
}
gint CellSpan(AtkTableCell*) { return 1; }
AtkObject* CellTable(AtkTableCell* o) {
  TAccessible* a = Acc(o);
  return a && a->Parent() ? ATK_OBJECT(g_object_ref(Wrap(a->Parent()))) : nullptr;
}
void CellInit(gpointer iface, gpointer) {
  auto* i = static_cast<AtkTableCellIface*>(iface);
  i->get_position = CellPos;
  i->get_column_span = CellSpan;
  i->get_row_span = CellSpan;
  i->get_table = CellTable;
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

AtkObject* Wrap(TAccessible* a) {
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
