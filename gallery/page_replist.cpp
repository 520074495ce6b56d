// The report list view: 10,000 customer records under a common header and column headers, sorted by
// name (its arrow in the header), with check-box and radio columns, selected, highlighted and
// disabled rows and a masked column; beside it an empty list showing its two-line message, and the
// button that adds an order through the row editor. In the window a double click on a row, or Enter,
// opens the row editor on it.
#include <cstdio>

#include "gallery/gallery.h"
#include "package/framework/controls/buttons.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"
#include "replist/replist.h"

namespace {

using namespace jox;

constexpr Integer kRows = 10000;

const char16_t* const kFirst[] = {u"Anna", u"Bruno", u"Clara", u"David", u"Elena", u"Felix", u"Greta", u"Hugo",
                                  u"Ida", u"Jonas", u"Karla", u"Lukas", u"Maria", u"Nils", u"Olga", u"Paul"};
const char16_t* const kLast[] = {u"Berger", u"Novak", u"Rossi", u"Schmid", u"Keller", u"Weber", u"Lang",
                                 u"Fischer", u"Meyer", u"Wagner", u"Huber", u"Brunner", u"Steiner", u"Moser"};
const char16_t* const kCity[] = {u"Vienna", u"Graz", u"Linz", u"Salzburg", u"Innsbruck", u"Bregenz", u"Klagenfurt"};

String Date(Integer i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", 2015 + i % 11, 1 + i / 11 % 12, 1 + i / 131 % 28);
  return FromUtf8(buf);
}

String Amount(Integer i) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%d.%02d", (i * 7919) % 25000, (i * 37) % 100);
  return FromUtf8(buf);
}

// The row editor on the list's current row, below the row.
void EditCurrentRow(TReportListView* list) {
  const Integer row = list->DataRowOf(list->Selection().Top);
  if (row < 1) return;
  const TPoint at = list->ClientToScreen(Point(40, 40));
  list->EditRowEntries(row, at.X, at.Y);
}

// A new last row filled in the row editor; cancelled, the row goes again.
void AddRow(TReportListView* list) {
  const Integer row = list->NrOfRows() + 1;
  list->SetNrRows(row);
  const TPoint at = list->ClientToScreen(Point(20, 20));
  if (list->EditRowEntries(row, at.X, at.Y) != mrOk) list->SetNrRows(row - 1);
}

void BuildReplistPage(TForm* form) {
  form->SetClientWidth(860);
  form->SetClientHeight(560);
  form->SetColor(clBtnFace);

  auto* list = new TReportListView(form);
  list->SetParent(form);
  list->SetBounds(10, 10, 600, 540);
  list->SetSuppressPaint(true);
  list->SetDefaultRowHeight(19);
  list->SetNrCols(7);
  list->SetNrRows(kRows);
  list->SetCommonHeader(u"Customers: 10,000 records");
  list->SetCommonHeaderVisible(true);
  const char16_t* heads[] = {u"Paid", u"Name", u"City", u"Joined", u"Amount", u"Main", u"PIN"};
  for (Integer c = 1; c <= 7; ++c) list->SetColName(c, heads[c - 1]);
  TRLData* d = list->Data();
  d->SetColCheckMode(1, cmBox);
  d->SetColCheckMode(6, cmRadio);
  {
    // Cells go straight into the model; one repaint follows.
    TStringArray* s = d->Strings;
    for (Integer r = 1; r <= kRows; ++r) {
      const Integer i = r * 2654435761u % 100003;
      s->SetString(1, r, i % 3 == 0 ? u"X" : u" ");
      const char16_t initial[] = {char16_t(u'A' + i / 224 % 26), u'.', u' ', 0};
      s->SetString(2, r, String(kFirst[i % 16]) + u" " + initial + kLast[(i / 16) % 14]);
      s->SetString(3, r, kCity[(i / 7) % 7]);
      s->SetString(4, r, Date(i));
      s->SetString(5, r, Amount(i));
      s->SetString(6, r, u" ");
      s->SetString(7, r, FromUtf8(std::to_string(1000 + i % 9000)));
    }
  }
  list->SetColumnFormat(3, u"[l:7]Vienna|Graz|Linz|Salzburg|Innsbruck|Bregenz|Klagenfurt");
  list->SetColumnEditable(2, true);
  list->SetColumnEditable(3, true);
  list->SetColumnEditable(5, true);
  list->SetColumnAlignment(5, taRightJustify);
  list->SetColumnAlignment(4, taCenter);
  list->SetColumnIsPwd(7, true);
  list->SetRowSelectMode(2);
  const Integer widths[] = {44, 140, 88, 82, 76, 46, 64};
  for (Integer c = 1; c <= 7; ++c) list->SetColWidths(c, widths[c - 1]);
  list->Sort(2, 4, true);
  list->Data()->SetSortToggle(true);
  list->SetElemChecked(6, 6, true);
  for (Integer r : {3, 4, 5}) list->SetRowSelected(r, true);
  list->SetRowEnabled(8, false);
  list->SetHighLightRow(11);
  list->SetOptions(list->Options() | goEditing | goTabs);
  list->SetOnDblClick([list](TObject*) { EditCurrentRow(list); });
  list->SetOnKeyDown([list](TObject*, Word& key, TShiftState) {
    if (key != VK_RETURN) return;
    key = 0;
    EditCurrentRow(list);
  });
  list->SetSuppressPaint(false);

  auto* empty = new TReportListView(form);
  empty->SetParent(form);
  empty->SetBounds(620, 10, 230, 200);
  empty->SetNrCols(3);
  empty->SetNrRows(0);
  const char16_t* eh[] = {u"Item", u"Qty", u"Price"};
  for (Integer c = 1; c <= 3; ++c) empty->SetColName(c, eh[c - 1]);
  for (Integer c = 1; c <= 3; ++c) empty->SetColWidths(c, 70);
  empty->SetEmptyMessage(u"No orders yet|Add one with the button below");
  empty->SetColorEmptyMsg(clGray);
  const char16_t* ef[] = {u"[s]", u"[i]1", u"[f]0.00"};
  for (Integer c = 1; c <= 3; ++c) empty->SetColumnFormat(c, ef[c - 1]);

  auto* add = new TButton(form);
  add->SetParent(form);
  add->SetBounds(620, 216, 110, 25);
  add->SetCaption(u"Add order...");
  add->SetOnClick([empty](TObject*) { AddRow(empty); });
}

}  // namespace

JOX_GALLERY_PAGE("replist", BuildReplistPage);
