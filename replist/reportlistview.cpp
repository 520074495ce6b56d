// TReportListView: construction, the connection to the model, properties, dimensions, header rows,
// column widths, copying and the class table.
// Sections: [construction] [model] [notifications] [looks] [dimensions] [columns] [widths] [assign]
//           [table]
#include <algorithm>
#include <new>

#include "package/framework/controls/forms.h"
#include "package/setters.h"
#include "package/texts.h"
#include "replist/reportlistview.h"
#include "replist/reportlistview_internal.h"
#include "package/units.h"

namespace jox {

// [construction] -------------------------------------------------------------------------------------------
TReportListView::TReportListView(TComponent* AOwner) : TCustomDrawGrid(AOwner) {
  // Painting stays off until the window exists (CreateWnd).
  FSuppressPaint = true;
  const Integer cols = TCustomGrid::ColCount(), rows = TCustomGrid::RowCount();
  FRLData = std::make_unique<TRLData>(nullptr);
  FRLData->SetNrCols(cols);
  FRLData->SetNrRows(rows - 1);
  SetDefaultDrawing(false);
  TCustomGrid::SetFixedCols(0);
  TCustomGrid::SetFixedRows(1);
  SetFixedColor(FColHdColor);
  try {
    FColAlignment.assign(size_t(cols), taLeftJustify);
    FColumnEditable.assign(size_t(cols), false);
    FColumnIsPwd.assign(size_t(cols), false);
    FColOrder.resize(size_t(cols));
    for (Integer k = 0; k < cols; ++k) FColOrder[size_t(k)] = k;
  } catch (const std::bad_alloc&) {
    throw EJOXRepListError(TableEditorInitFailedText(Name()));
  }
  const Integer cells = std::max(1, cols * (rows - 1));
  FRLData->FFeedbkNumCells = cells;
  FRLData->FFeedbkStep = cells / 100 + 1;
  ConnectModel();
  TCustomGrid::SetOptions(goFixedVertLine | goFixedHorzLine | goColSizing | goRowSelect | goThumbTracking);
  TCustomGrid::SetTopRow(1);
  SetDoubleBuffered(true);
}

TReportListView::~TReportListView() = default;

void TReportListView::CreateWnd() {
  TCustomDrawGrid::CreateWnd();
  FSuppressPaint = false;
  Invalidate();
}

// [model] --------------------------------------------------------------------------------------------------
void TReportListView::ConnectModel() {
  TStringArray* s = FRLData->Strings;
  s->SetOnChange([this](TObject*) { StringsHasChanged(); });
  s->SetOnPercentDone([this](TObject*, Integer p) { RepListPercDone(p); });
  // A listener makes the store sort by announced exchanges, which costs a million string copies on
  // a million rows: the view listens only while someone listens to it.
  if (FOnBefSortExc)
    s->SetOnBeforeSortExchange(
        [this](TObject* Sender, const String& a, String& b) { BeforeSortExchange(Sender, a, b); });
  else
    s->SetOnBeforeSortExchange(nullptr);
  FRLData->SetOnPercentDone([this](TObject*, Integer p) { RepListPercDone(p); });
  FRLData->SetOnBeforeHTMLExport([this](TObject*, String& t, Integer c, Integer r) { BeforeHTMLExport(t, c, r); });
}

Integer TReportListView::ModelCol(Integer ACol) const {
  if (ACol < 0 || ACol >= Integer(FColOrder.size())) return 0;
  return FColOrder[size_t(ACol)] + 1;
}

Integer TReportListView::GridRowOf(Integer r) const {
  const Integer h = CountHeadRows();
  if (!FFilterActive) return r + h - 1;
  auto it = std::lower_bound(FRowMap.begin(), FRowMap.end(), r);
  if (it == FRowMap.end() || *it != r) return -1;
  return Integer(it - FRowMap.begin()) + h;
}

Integer TReportListView::DataRowOf(Integer ARow) const {
  const Integer i = ARow - CountHeadRows();
  if (i < 0) return 0;
  if (!FFilterActive) return i + 1 <= NrOfRows() ? i + 1 : 0;
  return i < Integer(FRowMap.size()) ? FRowMap[size_t(i)] : 0;
}

Integer TReportListView::CurrentDataRow() const { return DataRowOf(Selection().Top); }

String TReportListView::GetElem(Integer ACol, Integer ARow) const {
  String s = FRLData->GetElem(ACol, ARow);
  if (FOnReadCell) FOnReadCell(const_cast<TReportListView*>(this), ACol, ARow, s);
  return s;
}

double TReportListView::GetAsNumber(Integer ACol, Integer ARow) const {
  try {
    return FRLData->GetAsNumber(ACol, ARow);
  } catch (const EJOXDStructError&) {
    throw EJOXDStructError(u"Class TReportListView: invalid numeric string: [" + IntToStr(ACol) + u"," +
                           IntToStr(ARow) + u"]: " + FRLData->Strings->GetString(ACol, ARow));
  }
}

// [notifications] ------------------------------------------------------------------------------------------
void TReportListView::Changed() {
  if (FOnChange) FOnChange(this);
}

void TReportListView::ChangedSetup() {
  if (FOnChangeSetup) FOnChangeSetup(this);
}

void TReportListView::ChangedSelection() {
  if (FOnSelectedChange) FOnSelectedChange(this);
}

void TReportListView::StringsHasChanged() {
  Changed();
  RepaintView();
}

void TReportListView::RepListPercDone(Integer Percent) {
  if (FOnPercentDone) FOnPercentDone(this, Percent);
}

void TReportListView::BeforeSortExchange(TObject*, const String& FirstText, String& SecondText) {
  if (FOnBefSortExc) FOnBefSortExc(this, FirstText, SecondText);
}

void TReportListView::BeforeHTMLExport(String& Text, Integer Col, Integer Row) {
  if (FOnBefHTMLExport) FOnBefHTMLExport(this, Text, Col, Row);
}

void TReportListView::RepaintView() {
  if (FSuppressPaint) return;
  // A filter's row list follows sorts and row changes made through the model.
  if (FFilterActive) RebuildRowMap();
  Repaint();
}

void TReportListView::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) RepaintView();
}

void TReportListView::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomDrawGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
  RepaintView();
}

void TReportListView::TopLeftChanged() {
  Invalidate();
  TCustomDrawGrid::TopLeftChanged();
}

// [looks] --------------------------------------------------------------------------------------------------
void TReportListView::SetColorField(TColor& Field, TColor v) {
  Field = v;
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetIntField(Integer& Field, Integer v) {
  Field = v;
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetColorColumnHd(TColor v) {
  FColHdColor = v;
  SetFixedColor(v);
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetColorEmptyMsg(TColor v) {
  if (!StoreChanged(FColorEmptyMsg, v)) return;
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetEmptyMessage(const String& v) {
  if (!StoreChanged(FEmptyMsg, v)) return;
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetHighLightBold(bool v) {
  FHiLgtBold = v;
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetCommonHeader(const String& v) {
  if (v != FRLData->CommonHeader()) FRLData->SetCommonHeader(v);
  Changed();
  RepaintView();
}

void TReportListView::SetCommonHeaderAlignment(TAlignment v) {
  if (!StoreChanged(FHeaderAlignment, v)) return;
  Changed();
  RepaintView();
}

void TReportListView::SetCommonHeaderVisible(bool v) {
  if (v == FComHdVis) return;
  const Integer top = TopRow();
  FComHdVis = v;
  ApplyRowCount();
  SetHeaderHeights();
  SetTopRow(top);
  Changed();
  RepaintView();
}

void TReportListView::SetColumnHeadersVisible(bool v) {
  if (v == FColHdVis) return;
  const Integer top = TopRow();
  FColHdVis = v;
  ApplyRowCount();
  SetHeaderHeights();
  SetTopRow(top);
  Changed();
  RepaintView();
}

void TReportListView::SetCommonHeaderHeight(Integer v) {
  FComHdHgt = std::clamp(v, 8, 127);
  SetHeaderHeights();
  Changed();
  RepaintView();
}

void TReportListView::SetColumnHeadersHeight(Integer v) {
  FColHdHgt = std::clamp(v, 8, 127);
  SetHeaderHeights();
  Changed();
  RepaintView();
}

void TReportListView::SetDefaultColWidth(Integer v) {
  TCustomGrid::SetDefaultColWidth(v);
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetDefaultRowHeight(Integer v) {
  TCustomGrid::SetDefaultRowHeight(v);
  SetHeaderHeights();
  RepaintView();
  ChangedSetup();
}

void TReportListView::SetEnabled(bool v) {
  FEnabled = v;
  TCustomDrawGrid::SetEnabled(v);
  RepaintView();
}

void TReportListView::SetShowEmptyCheckBoxes(bool v) {
  if (!StoreChanged(FShowEmptyCBx, v)) return;
  RepaintView();
}

void TReportListView::SetCheckMarksReadOnly(bool v) {
  if (!StoreChanged(FROCheckMarks, v)) return;
  RepaintView();
}

void TReportListView::SetInterRowIndicatorPos(Integer v) {
  if (!StoreChanged(FInterRowIndi, v)) return;
  RepaintView();
}

void TReportListView::SetFixedFirstColumn(bool v) {
  FFixedColOne = v;
  TCustomGrid::SetFixedCols(v ? 1 : 0);
  Changed();
  RepaintView();
}

void TReportListView::SetOptions(TGridOptions v) {
  TCustomDrawGrid::SetOptions(v);
  RepaintView();
}

void TReportListView::SetGridEditing(bool v) {
  const TGridOptions o = Options();
  if (v != bool(o & goEditing)) TCustomGrid::SetOptions(v ? o | goEditing : o - goEditing);
}

void TReportListView::SetSecondarySortColumn(Integer v) {
  if (v < -1 || v > NrOfColumns()) return;
  FRLData->FSortColumnSec = v;
  ChangedSetup();
}

// [dimensions] ---------------------------------------------------------------------------------------------
void TReportListView::ApplyRowCount() {
  const Integer h = CountHeadRows();
  const Integer shown = NrOfShownRows();
  TCustomGrid::SetRowCount(std::max(h + shown, h + 1));
  TCustomGrid::SetFixedRows(h);
}

void TReportListView::SetHeaderHeights() {
  const Integer def = TCustomGrid::DefaultRowHeight();
  const bool manyRows = NrOfRows() >= 2;
  if (FComHdVis && FColHdVis) {
    TCustomGrid::SetRowHeights(0, FComHdHgt);
    if (manyRows) TCustomGrid::SetRowHeights(1, FColHdHgt);
  } else {
    TCustomGrid::SetRowHeights(0, FComHdVis ? FComHdHgt : FColHdVis ? FColHdHgt : def);
    if (manyRows) TCustomGrid::SetRowHeights(1, def);
  }
}

void TReportListView::SetNrRows(Integer a) {
  ClearFilter();
  FRLData->SetNrRows(a);
  SetSelection({0, 0, 0, 0});
  ApplyRowCount();
  SetHeaderHeights();
  RepaintView();
  ChangedSetup();
}

void TReportListView::FollowModel() {
  const Integer n = NrOfColumns();
  try {
    FColAlignment.resize(size_t(n), taLeftJustify);
    FColumnEditable.resize(size_t(n), false);
    FColumnIsPwd.resize(size_t(n), false);
    FColOrder.resize(size_t(n));
  } catch (const std::bad_alloc&) {
    throw EJOXRepListError(NotEnoughMemoryText(Name()));
  }
  for (Integer k = 0; k < n; ++k) FColOrder[size_t(k)] = k;
  TCustomGrid::SetColCount(std::max(n, 1));
  ApplyRowCount();
  SetHeaderHeights();
}

void TReportListView::SetNrCols(Integer a) {
  HideEditor();
  const Integer oldCount = TCustomGrid::ColCount();
  const Integer lastWidth = TCustomGrid::ColWidths(oldCount - 1);
  FRLData->SetNrCols(a);
  const Integer n = NrOfColumns();
  TCustomGrid::SetColCount(n);
  for (Integer k = oldCount - 1; k < n; ++k) TCustomGrid::SetColWidths(k, lastWidth);
  FollowModel();
  TCustomGrid::SetTopRow(CountHeadRows());
  RepaintView();
  ChangedSetup();
}

Integer TReportListView::AddRow() {
  HideEditor();
  SetNrRows(NrOfRows() + 1);
  return NrOfRows();
}

Integer TReportListView::InsertRow(Integer a) {
  HideEditor();
  TPaintBatch batch(this);
  if (a >= 1 && a <= NrOfRows()) {
    FRLData->InsertRow(a);
    SetNrRows(NrOfRows());
    ChangedSetup();
  } else if (a > NrOfRows()) {
    SetNrRows(NrOfRows() + 1);
    a = NrOfRows();
  }
  FRLData->FSortColumnPrim = -1;
  FRLData->FSortColumnSec = -1;
  batch.End();
  return a;
}

Integer TReportListView::InsertColumn(Integer a) {
  HideEditor();
  TPaintBatch batch(this);
  const Integer n = NrOfColumns();
  if (a >= 1 && a <= n) {
    std::vector<TAlignment> al = FColAlignment;
    std::vector<bool> ed = FColumnEditable, pw = FColumnIsPwd;
    FRLData->InsertColumn(a);
    SetNrCols(NrOfColumns());
    for (Integer c = NrOfColumns(); c > a; --c) {
      FColAlignment[size_t(c - 1)] = al[size_t(c - 2)];
      FColumnEditable[size_t(c - 1)] = ed[size_t(c - 2)];
      FColumnIsPwd[size_t(c - 1)] = pw[size_t(c - 2)];
    }
    FColAlignment[size_t(a - 1)] = taLeftJustify;
    FColumnEditable[size_t(a - 1)] = false;
    FColumnIsPwd[size_t(a - 1)] = false;
    TCustomGrid::SetColCount(NrOfColumns());
    ChangedSetup();
  } else if (a > n) {
    SetNrCols(n + 1);
    a = NrOfColumns();
  }
  FRLData->FSortColumnPrim = -1;
  FRLData->FSortColumnSec = -1;
  batch.End();
  return a;
}

void TReportListView::RemoveRow(Integer r) {
  if (!ValidRow(r)) return;
  HideEditor();
  ClearFilter();
  if (NrOfRows() >= CountHeadRows()) {
    FRLData->Strings->RemoveRow(r);
    FRLData->FNrOfRows -= 1;
    FRLData->UpdateFeedback(FRLData->FNrOfRows);
    ApplyRowCount();
    ChangedSetup();
  } else {
    for (Integer c = 0; c <= NrOfColumns(); ++c) FRLData->Strings->SetString(c, r, String());
    FRLData->SetNrRows(0);
    ApplyRowCount();
  }
  RepaintView();
}

void TReportListView::RemoveColumn(Integer c) {
  if (!ValidCol(c)) return;
  HideEditor();
  const Integer n = NrOfColumns();
  for (Integer k = c; k < n; ++k) {
    FColAlignment[size_t(k - 1)] = FColAlignment[size_t(k)];
    FColumnEditable[size_t(k - 1)] = FColumnEditable[size_t(k)];
    FColumnIsPwd[size_t(k - 1)] = FColumnIsPwd[size_t(k)];
  }
  // The model renumbers the records (it commits the sorted order): the filter follows by position.
  std::vector<bool> hidden;
  if (FFilterActive) {
    hidden.assign(size_t(NrOfRows()) + 1, false);
    for (Integer r = 1; r <= NrOfRows(); ++r) hidden[size_t(r)] = !RowShown(r);
  }
  FRLData->RemoveColumn(c);
  if (FFilterActive) HideRowsByPosition(hidden);
  const size_t m = size_t(std::max(NrOfColumns(), 1));
  FColAlignment.resize(m, taLeftJustify);
  FColumnEditable.resize(m, false);
  FColumnIsPwd.resize(m, false);
  // The grid column that showed c goes (with its width); the others keep their columns, renumbered.
  const auto at = std::find(FColOrder.begin(), FColOrder.end(), c - 1);
  const Integer gone = at == FColOrder.end() ? Integer(FColOrder.size()) - 1 : Integer(at - FColOrder.begin());
  if (n >= 2) {
    for (Integer k = gone; k + 1 < TCustomGrid::ColCount(); ++k)
      TCustomGrid::SetColWidths(k, TCustomGrid::ColWidths(k + 1));
    FColOrder.erase(FColOrder.begin() + gone);
    for (Integer& o : FColOrder)
      if (o > c - 1) --o;
  }
  FColOrder.resize(m);
  for (size_t k = 0; k < m; ++k)
    if (FColOrder[k] < 0 || FColOrder[k] >= Integer(m)) FColOrder[k] = Integer(k);
  TCustomGrid::SetColCount(std::max(NrOfColumns(), 1));
  ChangedSetup();
  RepaintView();
}

void TReportListView::RemoveEmptyRows() {
  HideEditor();
  TPaintBatch batch(this);
  for (Integer r = NrOfRows(); r >= 1; --r) {
    bool empty = true;
    for (Integer c = 0; c <= NrOfColumns() && empty; ++c) empty = FRLData->GetElem(c, r).empty();
    if (empty) RemoveRow(r);
  }
  batch.End();
}

void TReportListView::Fill(const String& s) {
  HideEditor();
  TPaintBatch batch(this);
  FRLData->Fill(s);
  batch.End();
}

void TReportListView::Clear() {
  HideEditor();
  FRLData->Clear();
  std::fill(FColAlignment.begin(), FColAlignment.end(), taLeftJustify);
  std::fill(FColumnEditable.begin(), FColumnEditable.end(), false);
  std::fill(FColumnIsPwd.begin(), FColumnIsPwd.end(), false);
  for (size_t k = 0; k < FColOrder.size(); ++k) FColOrder[k] = Integer(k);
  RepaintView();
}

bool TReportListView::SetColumnOrder(const std::vector<Integer>& ColList) {
  if (Integer(ColList.size()) != NrOfColumns()) return false;
  bool ok = true;
  for (size_t i = 0; i < ColList.size(); ++i) {
    if (ValidCol(ColList[i])) FColOrder[i] = ColList[i] - 1;
    else ok = false;
  }
  return ok;
}

Integer TReportListView::ColumnOrder(Integer ColNr) const { return ValidCol(ColNr) ? FColOrder[size_t(ColNr - 1)] + 1 : 0; }

void TReportListView::SetTopRow(Integer v) {
  const Integer h = CountHeadRows();
  TCustomGrid::SetTopRow(std::clamp(v + h - 1, h, std::max(h, h + NrOfShownRows() - 1)));
}

void TReportListView::SetLeftCol(Integer v) {
  TCustomGrid::SetLeftCol(std::max(std::min(v, NrOfColumns()) - 1, TCustomGrid::FixedCols()));
}

// [columns] ------------------------------------------------------------------------------------------------
void TReportListView::SetColName(Integer ColNr, const TNameStrType& HLine) {
  if (!ValidCol(ColNr)) return;
  FRLData->SetColName(ColNr, HLine);
  Changed();
  RepaintView();
}

void TReportListView::SetColumnFormat(Integer ColNr, const TColFmtString& DefValue) {
  FRLData->SetColumnFormat(ColNr, DefValue);
  Changed();
  RepaintView();
}

void TReportListView::SetColCheckMode(Integer ColNr, TCheckMode Value) {
  FRLData->SetColCheckMode(ColNr, Value);
  Changed();
  RepaintView();
}

void TReportListView::SetCheckedCol(Integer ColNr, bool Value) {
  FRLData->SetCheckedCol(ColNr, Value);
  Changed();
  RepaintView();
}

TAlignment TReportListView::ColumnAlignment(Integer ColNr) const {
  return ValidCol(ColNr) ? FColAlignment[size_t(ColNr - 1)] : taLeftJustify;
}

void TReportListView::SetColumnAlignment(Integer ColNr, TAlignment v) {
  if (!ValidCol(ColNr)) return;
  FColAlignment[size_t(ColNr - 1)] = v;
  RepaintView();
}

bool TReportListView::ColumnEditable(Integer ColNr) const { return ValidCol(ColNr) && FColumnEditable[size_t(ColNr - 1)]; }

void TReportListView::SetColumnEditable(Integer ColNr, bool v) {
  if (ValidCol(ColNr)) FColumnEditable[size_t(ColNr - 1)] = v;
}

bool TReportListView::ColumnIsPwd(Integer ColNr) const { return ValidCol(ColNr) && FColumnIsPwd[size_t(ColNr - 1)]; }

void TReportListView::SetColumnIsPwd(Integer ColNr, bool v) {
  if (!ValidCol(ColNr)) return;
  FColumnIsPwd[size_t(ColNr - 1)] = v;
  RepaintView();
}

Integer TReportListView::CountCheckedElemsInCol(Integer Column) const {
  if (!ValidCol(Column) || ColumnCheckMode(Column) == cmNone) return 0;
  Integer n = 0;
  for (Integer r = 1; r <= NrOfRows(); ++r)
    if (!(RowAttr(r) & rlRowDisabled) && FRLData->GetElemChecked(Column, r)) ++n;
  return n;
}

void TReportListView::SetAllCheckmarksOfCol(Integer Column, bool Checked, bool AffectEnabledRowsOnly) {
  const TCheckMode mode = ColumnCheckMode(Column);
  if (mode == cmNone || (mode == cmRadio && Checked)) return;
  TPaintBatch batch(this);
  FRLData->SetAllCheckmarksOfColIntern(Column, Checked, AffectEnabledRowsOnly);
  batch.End();
}

void TReportListView::InvertAllCheckmarksOfCol(Integer Column, bool AffectEnabledRowsOnly) {
  if (ColumnCheckMode(Column) != cmBox) return;
  TPaintBatch batch(this);
  FRLData->InvertAllCheckmarksOfColIntern(Column, AffectEnabledRowsOnly);
  batch.End();
}

// [widths] -------------------------------------------------------------------------------------------------
Integer TReportListView::ColWidths(Integer Index) const {
  if (!ValidCol(Index)) return 0;
  return TCustomGrid::ColWidths(FColOrder[size_t(Index - 1)]);
}

void TReportListView::SetColWidths(Integer Index, Integer v) {
  if (ValidCol(Index)) TCustomGrid::SetColWidths(FColOrder[size_t(Index - 1)], v);
  ChangedSetup();
}

void TReportListView::WidestTexts(const std::vector<Integer>& Cols, Integer* Widest) {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  const TFontStyles baseStyle = Font()->Style();
  TStringArray* s = FRLData->Strings;
  const Integer rows = std::min(NrOfRows(), s->NrOfRows());
  std::fill_n(Widest, Cols.size(), 0);
  if (Cols.empty()) return;
  if (FOnBefRenderCell) {
    // The handler may change a cell's text and style: each cell is measured as it will be drawn.
    for (size_t k = 0; k < Cols.size(); ++k)
      for (Integer r = 1; r <= rows; ++r) {
        String text = s->GetString(Cols[k], r);
        TColor pen = clBlack, brush = clWhite, font = clBlack;
        TFontStyles st = baseStyle;
        FOnBefRenderCell(this, Cols[k], r, pen, brush, font, st, text);
        c->Font()->SetStyle(st);
        Widest[k] = std::max(Widest[k], c->TextWidth(text));
      }
    c->Font()->SetStyle(baseStyle);
    return;
  }
  // Every text is measured (no letter bounds the others: "@", dashes, CJK are wider than "W"), each
  // through the font's advance table and without a copy; a row's cells are read together, so the cell
  // store is walked once for all columns.
  const fonts::SizedFont* f = c->SizedFont();
  const auto [lo, hi] = std::minmax_element(Cols.begin(), Cols.end());
  if (*lo < 0 || *hi > s->NrOfColumns()) {
    for (size_t k = 0; k < Cols.size(); ++k)
      for (Integer r = 1; r <= rows; ++r) Widest[k] = std::max(Widest[k], fonts::TextWidth(f, s->GetView(Cols[k], r)));
    return;
  }
  const size_t span = size_t(*hi - *lo + 1);
  std::vector<std::u16string_view> row(span);
  for (Integer r = 1; r <= rows; ++r) {
    s->GetRowViews(r, *lo, span, row.data());
    for (size_t k = 0; k < Cols.size(); ++k)
      Widest[k] = std::max(Widest[k], fonts::TextWidth(f, row[size_t(Cols[k] - *lo)]));
  }
}

Integer TReportListView::ColumnFitWidth(Integer ColNr, Integer WidestText, bool IncludeHeader) {
  Integer best = WidestText;
  if (ColumnCheckMode(ColNr) != cmNone) best += 16;
  if (IncludeHeader) {
    // The header is measured with row 0, the row above the data.
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    String text = FRLData->GetColName(ColNr);
    if (FOnBefRenderCell) {
      TColor pen = clBlack, brush = clWhite, font = clBlack;
      TFontStyles st = Font()->Style();
      FOnBefRenderCell(this, ColNr, 0, pen, brush, font, st, text);
      c->Font()->SetStyle(st);
    }
    Integer w = c->TextWidth(text);
    if (ColNr == LastSortColumn()) w += 13;
    best = std::max(best, w);
    c->Font()->SetStyle(Font()->Style());
  }
  return best + 10;
}

Integer TReportListView::DetermineMaxColWidth(Integer ColNr, bool IncludeHeader) {
  if (!ValidCol(ColNr)) return 0 + 10;
  Integer widest = 0;
  WidestTexts({ColNr}, &widest);
  return ColumnFitWidth(ColNr, widest, IncludeHeader);
}

void TReportListView::AutoColWidth(Integer ColNr, bool IncludeHeader, Integer Addon) {
  SetColWidths(ColNr, std::max(4, DetermineMaxColWidth(ColNr, IncludeHeader) + Addon));
}

void TReportListView::AutoColWidth(Integer ColNr, bool IncludeHeader, Integer Addon, Integer MaxWidth) {
  SetColWidths(ColNr, std::min(MaxWidth, std::max(4, DetermineMaxColWidth(ColNr, IncludeHeader) + Addon)));
}

void TReportListView::ExpandColWidth(Integer ColIx, Integer RightMargin) {
  if (ValidCol(ColIx)) {
    Integer others = 0;
    for (Integer c = 1; c <= NrOfColumns(); ++c)
      if (c != ColIx) others += ColWidths(c);
    Integer w = ClientWidth() - RightMargin - others;
    if (w <= 15) w = 16;
    TCustomGrid::SetColWidths(FColOrder[size_t(ColIx - 1)], w);
  }
  ChangedSetup();
}

void TReportListView::FitAllColWidths(Integer ExpandColumn, bool IncludeHeader, Integer Addon, Integer MaxWidth,
                                      Integer RightMargin) {
  TPaintBatch batch(this);
  std::vector<Integer> cols;
  for (Integer c = 1; c <= NrOfColumns(); ++c)
    if (c != ExpandColumn) cols.push_back(c);
  std::vector<Integer> widest(cols.size());
  // A render handler hears each column's cells and then its header, column by column, as before.
  if (!FOnBefRenderCell) WidestTexts(cols, widest.data());
  for (size_t k = 0; k < cols.size(); ++k) {
    if (FOnBefRenderCell) WidestTexts({cols[k]}, &widest[k]);
    SetColWidths(cols[k], std::min(MaxWidth, std::max(4, ColumnFitWidth(cols[k], widest[k], IncludeHeader) + Addon)));
  }
  ExpandColWidth(ExpandColumn, RightMargin);
  batch.End();
}

// [assign] -------------------------------------------------------------------------------------------------
void TReportListView::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TReportListView*>(Source);
  if (!s) return TCustomDrawGrid::Assign(Source);
  if (s == this) return;
  FAutoAdvance = s->FAutoAdvance;
  FLastMousePosX = s->FLastMousePosX;
  FLastMousePosY = s->FLastMousePosY;
  FOnChange = s->FOnChange;
  FOnChangeSetup = s->FOnChangeSetup;
  FOnSelectedChange = s->FOnSelectedChange;
  FSelectAnchor = s->FSelectAnchor;
  FRowSelectMode = s->FRowSelectMode;
  FSortEnabled = s->FSortEnabled;
  FEnabled = s->FEnabled;
  TCustomDrawGrid::SetEnabled(FEnabled);
  FOnChkStChange = s->FOnChkStChange;
  FOnBefChkStChange = s->FOnBefChkStChange;
  FOnGetEditText = s->FOnGetEditText;
  FOnSetEditText = s->FOnSetEditText;
  FSelRowColor = s->FSelRowColor;
  FSelRowTextColor = s->FSelRowTextColor;
  FSelColColor = s->FSelColColor;
  FSelColTextColor = s->FSelColTextColor;
  FSelBothColor = s->FSelBothColor;
  FSelBothTextColor = s->FSelBothTextColor;
  FHiLgtColor = s->FHiLgtColor;
  FHiLgtTextColor = s->FHiLgtTextColor;
  FRColorNormal = s->FRColorNormal;
  FRColorShaded = s->FRColorShaded;
  FDisabledBkgdColor = s->FDisabledBkgdColor;
  FDisabledTextColor = s->FDisabledTextColor;
  FHiLgtBold = s->FHiLgtBold;
  FHiLgtRow = s->FHiLgtRow;
  FHiLgtColumn = s->FHiLgtColumn;
  FSuppressPaint = s->FSuppressPaint;
  FColorNormal = s->FColorNormal;
  FRowColPattern = s->FRowColPattern;
  FHeaderAlignment = s->FHeaderAlignment;
  FComHdVis = s->FComHdVis;
  FColHdVis = s->FColHdVis;
  FComHdColor = s->FComHdColor;
  FColHdColor = s->FColHdColor;
  FComHdTxtColor = s->FComHdTxtColor;
  FColHdTxtColor = s->FColHdTxtColor;
  SetFixedColor(FColHdColor);
  FOnRequestEdFmt = s->FOnRequestEdFmt;
  FShowEmptyCBx = s->FShowEmptyCBx;
  FOnPercentDone = s->FOnPercentDone;
  FOnBefRenderCell = s->FOnBefRenderCell;
  FOnBefSortExc = s->FOnBefSortExc;
  FOnBefHTMLExport = s->FOnBefHTMLExport;
  FOnBeforeFilter = s->FOnBeforeFilter;
  FOnMouseWheelDown = s->FOnMouseWheelDown;
  FOnMouseWheelUp = s->FOnMouseWheelUp;
  FInterRowIndi = s->FInterRowIndi;
  FInterRowColor = s->FInterRowColor;
  FInterRowWidth = s->FInterRowWidth;
  FFixedColOne = s->FFixedColOne;
  ClearFilter();
  FRLData->Assign(s->FRLData.get());
  ConnectModel();
  HideEditor();
  const Integer n = NrOfColumns();
  try {
    FColAlignment.assign(size_t(n), taLeftJustify);
    FColumnIsPwd.assign(size_t(n), false);
    FColumnEditable.resize(size_t(n), false);
    FColOrder.resize(size_t(n));
  } catch (const std::bad_alloc&) {
    throw EJOXRepListError(NotEnoughMemoryText(Name()));
  }
  for (Integer k = 0; k < n; ++k) {
    FColOrder[size_t(k)] = k;
    FColAlignment[size_t(k)] = s->ColumnAlignment(k + 1);
    FColumnIsPwd[size_t(k)] = s->ColumnIsPwd(k + 1);
  }
  TCustomGrid::SetColCount(std::max(n, 1));
  ApplyRowCount();
  TCustomGrid::SetFixedCols(FFixedColOne ? 1 : 0);
  SetHeaderHeights();
  RepaintView();
}

void TReportListView::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TReportListView*>(Dest)) d->Assign(this);
  else TCustomDrawGrid::AssignTo(Dest);
}

// [table] --------------------------------------------------------------------------------------------------
const TClassInfo& TReportListView::ClassInfo() {
  using T = TReportListView;
  static const TClassInfo info =
      TClassBuilder<T>(&TCustomDrawGrid::ClassInfo())
          .Prop("NrOfColumns", &T::NrOfColumns, &T::SetNrOfColumns)
          .Prop("NrOfRows", &T::NrOfRows, &T::SetNrOfRows)
          .Prop("AutoAdvance", &T::AutoAdvance, &T::SetAutoAdvance, false)
          .Prop("ColorText", &T::ColorText, &T::SetColorText, TColor(0x002000))
          .Prop("ColorBkgdNormal", &T::ColorBkgdNormal, &T::SetColorBkgdNormal, clWhite)
          .Prop("ColorBkgdShaded", &T::ColorBkgdShaded, &T::SetColorBkgdShaded, TColor(0xF0EFE8))
          .Prop("ColorHigh", &T::ColorHigh, &T::SetColorHigh, TColor(0xCC9966))
          .Prop("ColorHighText", &T::ColorHighText, &T::SetColorHighText, clWhite)
          .Prop("ColorColumnHd", &T::ColorColumnHd, &T::SetColorColumnHd, clBtnFace)
          .Prop("FixedColor", &T::ColorColumnHd, &T::SetColorColumnHd, clBtnFace)
          .Prop("ColorColumnHdText", &T::ColorColumnHdText, &T::SetColorColumnHdText, clBlack)
          .Prop("ColorCommonHd", &T::ColorCommonHd, &T::SetColorCommonHd, clBtnFace)
          .Prop("ColorCommonHdText", &T::ColorCommonHdText, &T::SetColorCommonHdText, clBlack)
          .Prop("ColorDisabledBkgd", &T::ColorDisabledBkgd, &T::SetColorDisabledBkgd, TColor(0xF0F0F0))
          .Prop("ColorDisabledText", &T::ColorDisabledText, &T::SetColorDisabledText, clSilver)
          .Prop("ColorEmptyMsg", &T::ColorEmptyMsg, &T::SetColorEmptyMsg, clBlack)
          .Prop("ColorSelectedRow", &T::ColorSelectedRow, &T::SetColorSelectedRow, TColor(0x94BAED))
          .Prop("ColorSelectedRowText", &T::ColorSelectedRowText, &T::SetColorSelectedRowText, clNavy)
          .Prop("ColorSelectedCol", &T::ColorSelectedCol, &T::SetColorSelectedCol, clBlack)
          .Prop("ColorSelectedColText", &T::ColorSelectedColText, &T::SetColorSelectedColText, clBlack)
          .Prop("ColorSelectedBoth", &T::ColorSelectedBoth, &T::SetColorSelectedBoth, clBlack)
          .Prop("ColorSelectedBothText", &T::ColorSelectedBothText, &T::SetColorSelectedBothText, clBlack)
          .Prop("CommonHeader", &T::CommonHeader, &T::SetCommonHeader)
          .Prop("CommonHeaderAlignment", &T::CommonHeaderAlignment, &T::SetCommonHeaderAlignment, taCenter)
          .Prop("CommonHeaderVisible", &T::CommonHeaderVisible, &T::SetCommonHeaderVisible, false)
          .Prop("CommonHeaderHeight", &T::CommonHeaderHeight, &T::SetCommonHeaderHeight, Integer(20))
          .Prop("ColumnHeadersVisible", &T::ColumnHeadersVisible, &T::SetColumnHeadersVisible, true)
          .Prop("ColumnHeadersHeight", &T::ColumnHeadersHeight, &T::SetColumnHeadersHeight, Integer(20))
          .Prop("DefaultColWidth", &T::DefaultColWidth, &T::SetDefaultColWidth, Integer(64))
          .Prop("DefaultRowHeight", &T::DefaultRowHeight, &T::SetDefaultRowHeight, Integer(24))
          // The list draws its cells itself: its default is off, so a list set to default drawing keeps it.
          .Prop("DefaultDrawing", &T::DefaultDrawing, &T::SetDefaultDrawing, false)
          .Prop("EmptyMessage", &T::EmptyMessage, &T::SetEmptyMessage)
          .Prop("Enabled", &T::Enabled, &T::SetEnabled, true)
          .Prop("HighLightRow", &T::HighLightRow, &T::SetHighLightRow, Integer(0))
          .Prop("HighLightColumn", &T::HighLightColumn, &T::SetHighLightColumn, Integer(0))
          .Prop("HighLightBold", &T::HighLightBold, &T::SetHighLightBold, false)
          .Prop("InterRowIndicatorColor", &T::InterRowIndicatorColor, &T::SetInterRowIndicatorColor, clRed)
          .Prop("InterRowIndicatorWidth", &T::InterRowIndicatorWidth, &T::SetInterRowIndicatorWidth, Integer(3))
          .Prop("LeftCol", &T::LeftCol, &T::SetLeftCol, Integer(1))
          .Prop("TopRow", &T::TopRow, &T::SetTopRow, Integer(1))
          .Prop("RowSelectMode", &T::RowSelectMode, &T::SetRowSelectMode, Integer(1))
          .Prop("RowColPattern", &T::RowColPattern, &T::SetRowColPattern, Integer(1))
          .Prop("ShowEmptyCheckBoxes", &T::ShowEmptyCheckBoxes, &T::SetShowEmptyCheckBoxes, true)
          .Prop("FixedFirstColumn", &T::FixedFirstColumn, &T::SetFixedFirstColumn, false)
          .Prop("SortEnabled", &T::SortEnabled, &T::SetSortEnabled, true)
          .Prop("UseCtrlForMultiSel", &T::UseCtrlForMultiSel, &T::SetUseCtrlForMultiSel, true)
          .Prop("Options", &T::Options, &T::SetOptions,
                goFixedVertLine | goFixedHorzLine | goColSizing | goRowSelect | goThumbTracking)
          .Prop("Align", &T::Align, &T::SetAlign, alNone)
          .Prop("Anchors", &T::Anchors, &T::SetAnchors, akLeft | akTop)
          .Prop("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle)
          .Prop("Color", &T::Color, &T::SetColor, clWindow)
          .Prop("Ctl3D", &T::Ctl3D, &T::SetCtl3D, true)
          .Prop("Font", &T::Font, &T::SetFont)
          .Prop("ParentColor", &T::ParentColor, &T::SetParentColor, false)
          .Prop("ParentFont", &T::ParentFont, &T::SetParentFont, true)
          .Prop("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
          .Prop("ShowHint", &T::ShowHint, &T::SetShowHint, false)
          .Prop("ScrollBars", &T::ScrollBars, &T::SetScrollBars, ssBoth)
          .Prop("TabOrder", &T::TabOrder, &T::SetTabOrder, Integer(-1))
          .Prop("Visible", &T::Visible, &T::SetVisible, true)
          .ReadOnly("VisibleColCount", &T::VisibleColCount)
          .ReadOnly("VisibleRowCount", &T::VisibleRowCount)
          .Event("OnCheckedChange")
          .Event("OnBeforeCheckedChange")
          .Event("OnBeforeFilter")
          .Event("OnRequestEditFormat")
          .Event("OnSelectedChange")
          .Event("OnChange")
          .Event("OnChangeSetup")
          .Event("OnBeforeRenderCell")
          .Event("OnCursorKeyAction")
          .Event("OnReadCell")
          .Event("OnBeforeSortExchange")
          .Event("OnBeforeHTMLExport")
          .Event("OnPercentDone")
          .Event("OnMouseWheelDown")
          .Event("OnMouseWheelUp")
          .Event("OnGetEditText")
          .Event("OnSetEditText")
          .Event("OnClick")
          .Event("OnDblClick")
          .Event("OnDrawCell")
          .Event("OnEnter")
          .Event("OnExit")
          .Event("OnKeyDown")
          .Event("OnKeyPress")
          .Event("OnKeyUp")
          .Event("OnMouseDown")
          .Event("OnMouseMove")
          .Event("OnMouseUp")
          .Event("OnMouseWheel")
          .Event("OnSelectCell")
          .Event("OnTopLeftChanged")
          .Event("OnGetEditMask")
          .Event("OnRowMoved")
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Align", "Anchors", "Constraints", "BiDiMode", "ParentBiDiMode", "DragCursor",
                                         "DragKind", "DragMode", "Color", "Ctl3D", "ParentCtl3D", "Font",
                                         "ParentColor", "ParentShowHint", "ParentFont", "PopupMenu", "ShowHint",
                                         "TabOrder", "StyleElements", "Visible", "OnEndDock", "OnStartDock",
                                         "OnStartDrag", "OnDragDrop", "OnDragOver", "OnEndDrag",
                                         "OnContextPopup", "OnMouseDown", "OnMouseUp", "OnMouseMove",
                                         "OnMouseWheel", "OnClick", "OnDblClick", "OnEnter", "OnExit",
                                         "OnKeyDown", "OnKeyPress", "OnKeyUp"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses ReportListViewClasses(juRepList, {&TReportListView::ClassInfo});

}  // namespace jox
