// The ATK interfaces of the bridge's objects: component, action, value, text, editable text, table and
// table cell. Each reads or changes the control through its accessible object.
#if defined(JOX_HAVE_ATK)

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "package/backends/sdl/access_atk_objects.h"
#include "package/framework/controls/controls.h"

namespace jox::sdl::access::detail {

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
    if (Published(a)) Safe([&] { return a->DoAction(i); });
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

}  // namespace jox::sdl::access::detail

#endif
