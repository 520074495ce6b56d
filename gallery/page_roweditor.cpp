// The row editor: an order list whose columns are a text, a fixed list, a date, a number and a
// read-only running number; the picture shows the editor open on row 3. In the window a double click
// on a row, or Enter, opens the editor on the current row (F2 stays the grid's in-place edit).
#include "gallery/gallery.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/popups.h"
#include "package/framework/graphics/drawedge.h"
#include "replist/replist.h"

namespace {

using namespace jox;

constexpr Integer kTitleH = 22;

// The dialog as the picture shows it: its surface under a title bar. A popup, so that the window
// starts without it (the gallery closes a page's popups) while the picture keeps it.
class TDialogShot : public TPopupWindow {
 public:
  using TPopupWindow::TPopupWindow;
  TBitmap Shot;
  String Title;
  void Paint() override {
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    DrawEdge(c, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    c->Brush()->SetColor(clActiveCaption);
    c->FillRect(Rect(r.Left, r.Top, r.Right, r.Top + kTitleH));
    c->Font()->SetColor(clCaptionText);
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Brush()->SetStyle(bsClear);
    c->TextOut(r.Left + 6, r.Top + (kTitleH - c->TextHeight(Title)) / 2, Title);
    c->Draw(r.Left, r.Top + kTitleH, &Shot);
  }
};

void OpenEditor(TReportListView* list) {
  const Integer row = list->DataRowOf(list->Selection().Top);
  if (row < 1) return;
  const TPoint at = list->ClientToScreen(Point(60, 70));
  list->EditRowEntries(row, at.X, at.Y);
}

void BuildRowEditorPage(TForm* form) {
  form->SetClientWidth(640);
  form->SetClientHeight(300);
  form->SetColor(clBtnFace);

  auto* list = new TReportListView(form);
  list->SetParent(form);
  list->SetBounds(10, 10, 620, 250);
  list->SetSuppressPaint(true);
  list->SetDefaultRowHeight(19);
  list->SetNrCols(5);
  list->SetNrRows(8);
  const char16_t* heads[] = {u"No.", u"Article", u"Colour", u"Delivery", u"Quantity"};
  const char16_t* formats[] = {u"[#i][60]rix3", u"[s][180]", u"[l:4][110]red|green|blue|black",
                               u"[ddd.MM.yyyy][110]", u"[i][70]1"};
  const Integer widths[] = {50, 200, 100, 110, 80};
  for (Integer c = 1; c <= 5; ++c) {
    list->SetColName(c, heads[c - 1]);
    list->SetColumnFormat(c, formats[c - 1]);
    list->SetColWidths(c, widths[c - 1]);
  }
  const char16_t* articles[] = {u"Desk lamp", u"Office chair", u"Bookshelf, oak", u"Filing cabinet",
                                u"Monitor arm", u"Whiteboard", u"Coat stand", u"Footrest"};
  const char16_t* colours[] = {u"black", u"blue", u"green", u"black", u"red", u"blue", u"black", u"green"};
  for (Integer r = 1; r <= 8; ++r) {
    list->SetElem(1, r, (r < 10 ? u"00" : u"0") + IntToStr(r));
    list->SetElem(2, r, articles[r - 1]);
    list->SetElem(3, r, colours[r - 1]);
    list->SetElem(4, r, (r + 3 < 10 ? u"0" : u"") + IntToStr(r + 3) + u".0" + IntToStr(1 + r % 9) + u".2025");
    list->SetElem(5, r, IntToStr(r * 3 % 7 + 1));
  }
  list->SetColumnAlignment(5, taRightJustify);
  list->SetColumnAlignment(1, taRightJustify);
  list->SetOnDblClick([list](TObject*) { OpenEditor(list); });
  list->SetOnKeyDown([list](TObject*, Word& key, TShiftState) {
    if (key != VK_RETURN) return;
    key = 0;
    OpenEditor(list);
  });
  list->SelectRow(3);
  list->SetSelection({0, 3, 4, 3});
  list->SetSuppressPaint(false);

  auto* hint = new TLabel(form);
  hint->SetParent(form);
  hint->SetBounds(12, 272, 600, 16);
  hint->SetCaption(u"Double-click a row or press Enter to edit the whole row; Enter in a field takes the values.");

  // The picture: the editor as it opens on row 3, beside the list's own dialog position.
  auto* shot = new TDialogShot(form);
  const auto previous = TCustomForm::ModalHook();
  TCustomForm::SetModalHook([shot](TCustomForm* f) {
    Application->ProcessMessages();
    f->Update();
    shot->Shot.Assign(f->Surface());
    shot->Title = f->Caption();
    f->SetModalResult(mrCancel);
  });
  try {
    list->EditRowEntries(3, 0, 0);
  } catch (...) {
    TCustomForm::SetModalHook(previous);
    throw;
  }
  TCustomForm::SetModalHook(previous);
  shot->SetBounds(0, 0, shot->Shot.Width() + 4, shot->Shot.Height() + kTitleH + 4);
  const TPoint at = list->ClientToScreen(Point(170, 16));
  shot->Popup(list, at.X, at.Y);
}

}  // namespace

JOX_GALLERY_PAGE("roweditor", BuildRowEditorPage);
