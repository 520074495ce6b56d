// TNTabEd: construction, the binding to the table, dimensions, headings, precisions, cell states and
// marks, notifications, sorting, other tables, layout of the fixed stripes and the class table.
// Sections: [construction] [binding] [notifications] [dimensions] [cells] [marks] [headings] [sorting]
//           [other tables] [layout] [settings] [assign] [table]
#include <algorithm>
#include <cmath>
#include <new>

#include "ntabed/ntabed.h"
#include "ntabed/ntabed_internal.h"
#include "package/core/strutil.h"
#include "package/setters.h"
#include "package/texts.h"
#include "package/units.h"

namespace jox {

// [construction] -------------------------------------------------------------------------------------------
TNTabEd::TNTabEd(TComponent* AOwner) : TCustomGrid(AOwner) {
  FSuppressPaint = false;
  FInternSuppPaint = true;
  FColPickList = std::make_unique<TStringList>();
  const bool designing = AOwner && AOwner->ComponentState().Contains(csDesigning);
  if (!designing) {
    FNameEd = new TEdit(this);
    FNameEd->SetVisible(false);
    FNameEd->SetParent(this);
    FNameEd->SetOnKeyPress([this](TObject*, char16_t& Key) { NameEdKeyPress(Key); });
    FCommentMM = new TMemo(this);
    FCommentMM->SetVisible(false);
    FCommentMM->SetParent(this);
    FCommentMM->SetOnKeyPress([this](TObject*, char16_t& Key) { CommentKeyPress(Key); });
  }
  TCustomGrid::SetFixedCols(FColOffset + 1);
  TCustomGrid::SetFixedRows(FRowOffset + 1);
  TCustomGrid::SetColWidths(0, 80);
  TCustomGrid::SetColWidths(1, FClassColWidth);
  FOwnData = std::make_unique<TDataTable>(nullptr);
  Data = FOwnData.get();
  FDataCopy = std::make_unique<TDataTable>(nullptr);
  Data->Resize(TCustomGrid::ColCount() - 2, TCustomGrid::RowCount() - 1);
  Data->DataMat()->Fill(0);
  try {
    FDecP.assign(size_t(Data->NrOfColumns()), 3);
  } catch (const std::bad_alloc&) {
    throw EJOXNTabedError(TableEditorInitFailedText(Name()));
  }
  InstallCallbacks(Data);
  CreateMenus();
  SetColor(clWindow);
  SetFixedColor(clBtnFace);
  // Tab stays with the editor instead of leaving the control.
  SetMessageHandler(WM_GETDLGCODE, [](TMessage& m) { m.Result |= DLGC_WANTTAB; });
  SetMessageHandler(CM_NTABEDREOPENMENU, [this](TMessage&) { ReopenHeadMenu(); });
  FInternSuppPaint = false;
}

TNTabEd::~TNTabEd() {
  if (FExtMatAssigned && Data) {
    RemoveCallbacks(Data);
    Data->RemoveFreeNotification(this);
  }
}

// [binding] ------------------------------------------------------------------------------------------------
void TNTabEd::InstallCallbacks(TDataTable* T) {
  T->SetOnDataChanged([this](TObject*) { DataHasChanged(); });
  T->SetOnSetupChanged([this](TObject*) { SetupHasChanged(); });
  T->SetOnResize([this](TObject*, Integer m, Integer n, Integer k) { DataHasBeenResized(m, n, k); });
  T->SetOnPercentDone([this](TObject*, Integer p) { NTPercDone(p); });
  T->SetOnSortExchange([this](TObject*, TSortExchgKind w, Integer a, Integer b) { ExchangeDuringSort(w, a, b); });
}

// Every callback goes: a table that outlives the editor must not call into it.
void TNTabEd::RemoveCallbacks(TDataTable* T) {
  T->SetOnDataChanged(nullptr);
  T->SetOnSetupChanged(nullptr);
  T->SetOnResize(nullptr);
  T->SetOnPercentDone(nullptr);
  T->SetOnSortExchange(nullptr);
}

void TNTabEd::AttachDataCallback(bool On) {
  if (On) Data->SetOnDataChanged([this](TObject*) { DataHasChanged(); });
  else Data->SetOnDataChanged(nullptr);
}

void TNTabEd::DataHasChanged() {
  ChangedData();
  PaintView();
}

void TNTabEd::SetupHasChanged() {
  ChangedSetup();
  PaintView();
}

void TNTabEd::FollowTableSize() {
  TCustomGrid::SetColCount(NrOfColumns() + FColOffset + 1);
  TCustomGrid::SetRowCount(NrOfRows() + FRowOffset + 1);
  // The grid keeps at least one scrolling row and column; an empty table shows its headings only.
  TCustomGrid::SetFixedCols(FColOffset + 1);
  TCustomGrid::SetFixedRows(FRowOffset + 1);
}

void TNTabEd::ResizePrecisions(Integer n, int8_t p) {
  try {
    FDecP.resize(size_t(std::max(0, n)), p);
  } catch (const std::bad_alloc&) {
    throw EJOXNTabedError(NotEnoughMemoryText(Name()));
  }
}

void TNTabEd::DataHasBeenResized(Integer OldCols, Integer NewCols, Integer NewRows) {
  const Integer lastWidth = TCustomGrid::ColWidths(TCustomGrid::ColCount() - 1);
  TCustomGrid::SetColCount(NewCols + FColOffset + 1);
  for (Integer c = std::max(1, OldCols); c <= NewCols; ++c) TCustomGrid::SetColWidths(c + FColOffset, lastWidth);
  TCustomGrid::SetRowCount(NewRows + FRowOffset + 1);
  if (FColOffset + 1 < TCustomGrid::ColCount()) TCustomGrid::SetFixedCols(FColOffset + 1);
  if (FRowOffset + 1 < TCustomGrid::RowCount()) TCustomGrid::SetFixedRows(FRowOffset + 1);
  int8_t p = 2;
  if (OldCols >= 1 && Integer(FDecP.size()) >= OldCols) p = FDecP[size_t(OldCols - 1)];
  FDecP.resize(std::min(FDecP.size(), size_t(std::max(0, OldCols))));
  ResizePrecisions(NewCols, p);
  PaintView();
}

void TNTabEd::NTPercDone(Integer Percent) {
  if (FOnPercentDone) FOnPercentDone(this, Percent);
}

void TNTabEd::ExchangeDuringSort(TSortExchgKind What, Integer Index1, Integer Index2) {
  if (What != sekColumns || !FSortIncludeHd) return;
  const Integer n = Integer(FDecP.size());
  if (Index1 >= 1 && Index1 <= n && Index2 >= 1 && Index2 <= n)
    std::swap(FDecP[size_t(Index1 - 1)], FDecP[size_t(Index2 - 1)]);
}

void TNTabEd::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGrid::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FNameEd) FNameEd = nullptr;
  if (AComponent == FCommentMM) FCommentMM = nullptr;
  if (AComponent == FPopupD) FPopupD = nullptr;
  if (AComponent == FPopupH) FPopupH = nullptr;
  // The table shown is being freed by its owner: the editor goes back to its own.
  if (FExtMatAssigned && AComponent == Data) {
    FExtMatAssigned = false;
    Data = FOwnData.get();
    if (ComponentState().Contains(csDestroying)) return;
    InstallCallbacks(Data);
    TInternSuppress quiet(this);
    FollowTableSize();
    ResizePrecisions(NrOfColumns(), 2);
  }
}

// [notifications] ------------------------------------------------------------------------------------------
void TNTabEd::PaintView() {
  if (Suppressed()) return;
  PaintNow(this);
}

void TNTabEd::ChangedData() {
  if (!Suppressed() && FOnChange) FOnChange(this);
}
void TNTabEd::ChangedSetup() {
  if (!Suppressed() && FOnChangeSetup) FOnChangeSetup(this);
}
void TNTabEd::ChangedHeading() {
  if (!Suppressed() && FOnHeadingChanged) FOnHeadingChanged(this);
}
void TNTabEd::ChangedAttrib() {
  if (!Suppressed() && FOnAttributeChanged) FOnAttributeChanged(this);
}
void TNTabEd::ChangedLayout() {
  if (!Suppressed() && FOnLayoutChanged) FOnLayoutChanged(this);
}
void TNTabEd::ChangedCellStates() {
  if (!Suppressed() && FOnCellStateChanged) FOnCellStateChanged(this);
}
void TNTabEd::ChangedEmptyStates() {
  if (!Suppressed() && FOnEmptyStChanged) FOnEmptyStChanged(this);
}
void TNTabEd::ChangedSelection() {
  if (!Suppressed() && FOnSelectionChanged) FOnSelectionChanged(this);
}

void TNTabEd::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) PaintView();
}

void TNTabEd::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  const TGridRect sel = Selection();
  if (!(sel == FOldSel)) {
    FOldSel = sel;
    ChangedSelection();
  }
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

// [dimensions] ---------------------------------------------------------------------------------------------
namespace {

// The table's Resize, with running out of memory reported as the editor's error.
void ResizeTable(TNTabEd* Ed, TDataTable* T, Integer Cols, Integer Rows) {
  try {
    T->Resize(std::max(0, Cols), std::max(0, Rows));
  } catch (const EOutOfMemory&) {
    throw EJOXNTabedError(NotEnoughMemoryText(Ed->Name()));
  } catch (const std::bad_alloc&) {
    throw EJOXNTabedError(NotEnoughMemoryText(Ed->Name()));
  }
}

}  // namespace

void TNTabEd::SetNrOfColumns(Integer n) {
  {
    TInternSuppress quiet(this);
    // The resize notification lays out the grid: new columns take the last column's width and precision.
    ResizeTable(this, Data, n, NrOfRows());
  }
  ChangedSetup();
  PaintView();
}

void TNTabEd::SetNrOfRows(Integer n) {
  {
    TInternSuppress quiet(this);
    ResizeTable(this, Data, NrOfColumns(), n);
  }
  ChangedSetup();
  PaintView();
}

void TNTabEd::Redimension(Integer NrCols, Integer NrRows) {
  {
    TInternSuppress quiet(this);
    ResizeTable(this, Data, NrCols, NrRows);
  }
  ChangedSetup();
  PaintView();
}

void TNTabEd::InsertRow(Integer ix) {
  if (ix <= 0 || ix > NrOfRows() + 1) return;
  {
    TInternSuppress quiet(this);
    Data->InsertRow(ix);
  }
  PaintView();
}

void TNTabEd::InsertColumn(Integer ix) {
  const Integer m = NrOfColumns();
  if (ix <= 0 || ix > m + 1) return;
  {
    TInternSuppress quiet(this);
    std::vector<int8_t> prec = FDecP;
    Data->InsertColumn(ix);
    // Precisions and widths stay with their columns; the new one takes its right neighbour's.
    if (Integer(prec.size()) == m && m > 0) {
      prec.insert(prec.begin() + (ix - 1), prec[size_t(std::min(ix, m) - 1)]);
      FDecP = prec;
    }
    for (Integer c = m; c > ix; --c)
      TCustomGrid::SetColWidths(c + FColOffset, TCustomGrid::ColWidths(c - 1 + FColOffset));
    if (ix <= m) TCustomGrid::SetColWidths(ix + 1 + FColOffset, TCustomGrid::ColWidths(ix + FColOffset));
  }
  PaintView();
}

void TNTabEd::RemoveRow(Integer ix) {
  if (ix <= 0 || ix > NrOfRows() || NrOfRows() < 2) return;
  HideEditor();
  {
    TInternSuppress quiet(this);
    Data->RemoveRow(ix);
  }
  PaintView();
}

void TNTabEd::RemoveColumn(Integer ix) {
  const Integer m = NrOfColumns();
  if (ix <= 0 || ix > m || m < 2) return;
  HideEditor();
  {
    TInternSuppress quiet(this);
    std::vector<int8_t> prec = FDecP;
    for (Integer c = ix; c < m; ++c)
      TCustomGrid::SetColWidths(c + FColOffset, TCustomGrid::ColWidths(c + 1 + FColOffset));
    Data->RemoveColumn(ix);
    if (Integer(prec.size()) == m) {
      prec.erase(prec.begin() + (ix - 1));
      FDecP = prec;
    }
  }
  PaintView();
}

void TNTabEd::MirrorColumns() {
  {
    TInternSuppress quiet(this);
    Data->MirrorColumns();
    // Headings travel with their columns, so their precisions do too.
    std::reverse(FDecP.begin(), FDecP.end());
  }
  PaintView();
}

void TNTabEd::MirrorRows() {
  {
    TInternSuppress quiet(this);
    Data->MirrorRows();
  }
  PaintView();
}

void TNTabEd::Clear() {
  const bool saved = FSuppressPaint;
  FSuppressPaint = true;
  Data->Clear();
  for (Integer c = 1; c <= NrOfColumns(); ++c) Data->SetColName(c, u"C-" + IntToStr(c));
  for (Integer r = 1; r <= NrOfRows(); ++r) Data->SetRowName(r, u"R-" + IntToStr(r));
  std::fill(FDecP.begin(), FDecP.end(), int8_t(3));
  FSuppressPaint = saved;
  PaintView();
}

void TNTabEd::Fill(double value) {
  Data->DataMat()->Fill(value);
  PaintView();
}

// [cells] --------------------------------------------------------------------------------------------------
double TNTabEd::ClampToRange(double v) const {
  if (!RangeActive()) return v;
  if (v < FVRangeLow) v = FVRangeLow;
  if (v > FVRangeHigh) v = FVRangeHigh;
  return v;
}

void TNTabEd::SetElem(Integer ACol, Integer ARow, double Value) { Data->SetElem(ACol, ARow, ClampToRange(Value)); }

void TNTabEd::SetCellState(Integer ACol, Integer ARow, Byte State) {
  Data->SetCellState(ACol, ARow, State);
  PaintView();
  ChangedCellStates();
}

void TNTabEd::SetIsEmpty(Integer ACol, Integer ARow, bool Value) {
  const Byte s = Data->GetCellState(ACol, ARow);
  Data->SetCellState(ACol, ARow, Value ? Byte(s | ntsEmpty) : Byte(s & ~ntsEmpty));
  PaintView();
  ChangedEmptyStates();
}

// [marks] --------------------------------------------------------------------------------------------------
void TNTabEd::SetMarkBit(Integer ACol, Integer ARow, Byte Bit, bool Value) {
  if (ACol >= 1 && ACol <= NrOfColumns() && ARow >= 1 && ARow <= NrOfRows()) {
    const Byte s = Data->GetCellState(ACol, ARow);
    Data->SetCellState(ACol, ARow, Value ? Byte(s | Bit) : Byte(s & ~Bit));
  }
  PaintView();
  ChangedCellStates();
}

void TNTabEd::SetAllStateBits(Byte Bits, bool Set) {
  for (Integer c = 1; c <= NrOfColumns(); ++c)
    for (Integer r = 1; r <= NrOfRows(); ++r) {
      const Byte s = Data->GetCellState(c, r);
      Data->SetCellState(c, r, Set ? Byte(s | Bits) : Byte(s & ~Bits));
    }
}

Integer TNTabEd::FillMarkedCells(Byte Statemask, double value) {
  Integer n;
  {
    const bool saved = FSuppressPaint;
    FSuppressPaint = true;
    n = Data->FillMarkedCells(value, Statemask);
    // The caller's own suppression stays as it was.
    FSuppressPaint = saved;
    PaintView();
  }
  return n;
}

void TNTabEd::InvertCellStates(Byte StateMask) {
  Data->InvertCellStates(StateMask);
  PaintView();
  ChangedCellStates();
}

void TNTabEd::ExchangeMarkings() {
  Data->ExchangeMarkings();
  PaintView();
  ChangedCellStates();
}

void TNTabEd::ChangeAllStateBits(Byte Bits, bool Set) {
  {
    TInternSuppress quiet(this);
    SetAllStateBits(Bits, Set);
  }
  PaintView();
  ChangedCellStates();
}

void TNTabEd::UnMarkAllElems() { ChangeAllStateBits(ntsMarkA | ntsMarkB, false); }
void TNTabEd::MarkAllElemsA() { ChangeAllStateBits(ntsMarkA, true); }
void TNTabEd::MarkAllElemsB() { ChangeAllStateBits(ntsMarkB, true); }

bool TNTabEd::IfRowMarked(Integer row) const {
  if (row < 1 || row > NrOfRows()) return false;
  for (Integer c = 1; c <= NrOfColumns(); ++c)
    if (Data->GetCellState(c, row) & (ntsMarkA | ntsMarkB)) return true;
  return false;
}

bool TNTabEd::IfColumnMarked(Integer col) const {
  if (col < 1 || col > NrOfColumns()) return false;
  for (Integer r = 1; r <= NrOfRows(); ++r)
    if (Data->GetCellState(col, r) & (ntsMarkA | ntsMarkB)) return true;
  return false;
}

bool TNTabEd::IfAnyMarked() const {
  for (Integer r = 1; r <= NrOfRows(); ++r)
    if (IfRowMarked(r)) return true;
  return false;
}

Integer TNTabEd::CountStateBit(Byte Bit) const {
  Integer n = 0;
  for (Integer c = 1; c <= NrOfColumns(); ++c)
    for (Integer r = 1; r <= NrOfRows(); ++r) n += (Data->GetCellState(c, r) & Bit) ? 1 : 0;
  return n;
}

Integer TNTabEd::NrOfMarkedDataA() const { return CountStateBit(ntsMarkA); }
Integer TNTabEd::NrOfMarkedDataB() const { return CountStateBit(ntsMarkB); }

bool TNTabEd::TableSelection(Integer& L, Integer& T, Integer& R, Integer& B) const {
  const TGridRect s = Selection();
  L = std::max(1, s.Left - FColOffset);
  T = std::max(1, s.Top - FRowOffset);
  R = std::min(NrOfColumns(), s.Right - FColOffset);
  B = std::min(NrOfRows(), s.Bottom - FRowOffset);
  return L <= R && T <= B;
}

void TNTabEd::SelectTableBlock(Integer L, Integer T, Integer R, Integer B) {
  R = std::min(R, NrOfColumns());
  B = std::min(B, NrOfRows());
  if (L < 1 || T < 1 || L > R || T > B) return;
  SetSelection({L + FColOffset, T + FRowOffset, R + FColOffset, B + FRowOffset});
}

void TNTabEd::MarkSelection(Byte Bit, bool Set, Integer What) {
  Integer L, T, R, B;
  {
    TInternSuppress quiet(this);
    auto apply = [&](Integer c0, Integer r0, Integer c1, Integer r1) {
      for (Integer c = c0; c <= c1; ++c)
        for (Integer r = r0; r <= r1; ++r) {
          const Byte s = Data->GetCellState(c, r);
          Data->SetCellState(c, r, Set ? Byte(s | Bit) : Byte(s & ~Bit));
        }
    };
    const bool any = TableSelection(L, T, R, B);
    switch (What) {
      case 1: if (any) apply(L, T, R, B); break;
      case 2: if (any) apply(L, 1, R, NrOfRows()); break;
      case 3: if (any) apply(1, T, NrOfColumns(), B); break;
      default: apply(1, 1, NrOfColumns(), NrOfRows()); break;
    }
  }
  PaintView();
  ChangedCellStates();
}

// [headings] -----------------------------------------------------------------------------------------------
TDTNameStr TNTabEd::ColName(Integer ColNr) const {
  return ColNr >= 1 && ColNr <= NrOfColumns() ? Data->GetColName(ColNr) : TDTNameStr();
}

void TNTabEd::SetColName(Integer ColNr, const TDTNameStr& Name) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  Data->SetColName(ColNr, Name.substr(0, size_t(kDTNameLength)));
  ChangedHeading();
  PaintView();
}

TDTNameStr TNTabEd::RowName(Integer RowNr) const {
  return RowNr >= 1 && RowNr <= NrOfRows() ? Data->GetRowName(RowNr) : TDTNameStr();
}

void TNTabEd::SetRowName(Integer RowNr, const TDTNameStr& Name) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  Data->SetRowName(RowNr, Name.substr(0, size_t(kDTNameLength)));
  ChangedHeading();
  PaintView();
}

Byte TNTabEd::ColAttrib(Integer ColNr) const {
  return ColNr >= 1 && ColNr <= NrOfColumns() ? Byte(Data->GetColAttrib(ColNr)) : Byte(0);
}

void TNTabEd::SetColAttrib(Integer ColNr, Byte Attrib) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  Data->SetColAttrib(ColNr, Attrib);
  PaintView();
  ChangedAttrib();
}

Byte TNTabEd::RowAttrib(Integer RowNr) const {
  return RowNr >= 1 && RowNr <= NrOfRows() ? Byte(Data->GetRowAttrib(RowNr)) : Byte(0);
}

void TNTabEd::SetRowAttrib(Integer RowNr, Byte Attrib) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  Data->SetRowAttrib(RowNr, Attrib);
  PaintView();
  ChangedAttrib();
}

int8_t TNTabEd::Precision(Integer ColNr) const {
  return ColNr >= 1 && ColNr <= Integer(FDecP.size()) ? FDecP[size_t(ColNr - 1)] : int8_t(0);
}

void TNTabEd::SetPrecision(Integer ColNr, int8_t Value) {
  if (ColNr < 1 || ColNr > Integer(FDecP.size())) return;
  FDecP[size_t(ColNr - 1)] = Value < 0 ? int8_t(-1) : std::min(Value, int8_t(10));
  PaintView();
  ChangedLayout();
}

void TNTabEd::SetComment(const String& Value) { Data->SetFComment(RemoveControlChars(Value)); }

// [sorting] ------------------------------------------------------------------------------------------------
namespace {

// Lets the sort exchange move precisions along while it runs.
class TSortHeaders {
 public:
  TSortHeaders(bool& Flag, bool On) : FFlag(Flag) { FFlag = On; }
  ~TSortHeaders() { FFlag = false; }

 private:
  bool& FFlag;
};

}  // namespace

void TNTabEd::SortCols(Integer SortRowIx, bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol,
                       Integer HighRow, bool IncludeHeaders) {
  HideEditor();
  TSortHeaders h(FSortIncludeHd, IncludeHeaders);
  Data->SortCols(SortRowIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
}

void TNTabEd::SortRows(Integer SortColIx, bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol,
                       Integer HighRow, bool IncludeHeaders) {
  HideEditor();
  Data->SortRows(SortColIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
}

void TNTabEd::SortColAttributes(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow) {
  HideEditor();
  TSortHeaders h(FSortIncludeHd, true);
  Data->SortColAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowAttributes(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow) {
  HideEditor();
  Data->SortRowAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow) {
  SortColNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, bool IgnoreCase, Integer LowCol, Integer LowRow, Integer HighCol,
                           Integer HighRow) {
  HideEditor();
  TSortHeaders h(FSortIncludeHd, true);
  Data->SortColNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow) {
  SortRowNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, bool IgnoreCase, Integer LowCol, Integer LowRow, Integer HighCol,
                           Integer HighRow) {
  HideEditor();
  Data->SortRowNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
}

// [other tables] -------------------------------------------------------------------------------------------
void TNTabEd::AssignAnotherDataMatrix(TDataTable* NewDTab) {
  if (NewDTab == Data) return;
  HideEditor();
  RemoveCallbacks(Data);
  if (FExtMatAssigned) Data->RemoveFreeNotification(this);
  if (!NewDTab || NewDTab == FOwnData.get()) {
    Data = FOwnData.get();
    FExtMatAssigned = false;
  } else {
    Data = NewDTab;
    FExtMatAssigned = true;
    NewDTab->FreeNotification(this);
  }
  InstallCallbacks(Data);
  {
    TInternSuppress quiet(this);
    const int8_t p = FDecP.empty() ? int8_t(2) : FDecP.back();
    ResizePrecisions(NrOfColumns(), p);
    FollowTableSize();
  }
  PaintView();
  ChangedSetup();
}

void TNTabEd::CopyContentsFrom(TNTabEd* ExtTab) {
  if (!ExtTab || ExtTab == this) return;
  HideEditor();
  {
    TInternSuppress quiet(this);
    Data->Assign(ExtTab->Data);
    FollowTableSize();
    FDecP = ExtTab->FDecP;
    ResizePrecisions(NrOfColumns(), 2);
  }
  PaintView();
  ChangedData();
  ChangedSetup();
}

void TNTabEd::CopyCellStatesFrom(TNTabEd* ExtTab) {
  if (!ExtTab || ExtTab == this) return;
  const Integer nc = std::min(NrOfColumns(), ExtTab->NrOfColumns());
  const Integer nr = std::min(NrOfRows(), ExtTab->NrOfRows());
  for (Integer c = 1; c <= nc; ++c)
    for (Integer r = 1; r <= nr; ++r) Data->SetCellState(c, r, ExtTab->Data->GetCellState(c, r));
  PaintView();
  ChangedCellStates();
}

// [layout] -------------------------------------------------------------------------------------------------
void TNTabEd::SetAttribRowVisible(bool v) {
  if (v == AttribRowVisible()) return;
  {
    TInternSuppress quiet(this);
    if (v) {
      TCustomGrid::SetColCount(NrOfColumns() + 2);
      TCustomGrid::SetFixedCols(2);
      FColOffset = 1;
      for (Integer k = TCustomGrid::ColCount() - 1; k >= 2; --k)
        TCustomGrid::SetColWidths(k, TCustomGrid::ColWidths(k - 1));
      TCustomGrid::SetColWidths(1, FClassColWidth);
    } else {
      FClassColWidth = TCustomGrid::ColWidths(1);
      TCustomGrid::SetFixedCols(1);
      FColOffset = 0;
      for (Integer k = 1; k <= TCustomGrid::ColCount() - 2; ++k)
        TCustomGrid::SetColWidths(k, TCustomGrid::ColWidths(k + 1));
      TCustomGrid::SetColCount(NrOfColumns() + 1);
    }
    FollowTableSize();
  }
  PaintView();
  ChangedLayout();
}

void TNTabEd::SetAttribColVisible(bool v) {
  if (v == AttribColVisible()) return;
  {
    TInternSuppress quiet(this);
    if (v) {
      TCustomGrid::SetRowCount(NrOfRows() + 2);
      TCustomGrid::SetFixedRows(2);
      FRowOffset = 1;
      for (Integer k = TCustomGrid::RowCount() - 1; k >= 2; --k)
        TCustomGrid::SetRowHeights(k, TCustomGrid::RowHeights(k - 1));
      TCustomGrid::SetRowHeights(1, TCustomGrid::RowHeights(0));
    } else {
      TCustomGrid::SetFixedRows(1);
      FRowOffset = 0;
      for (Integer k = 1; k <= TCustomGrid::RowCount() - 2; ++k)
        TCustomGrid::SetRowHeights(k, TCustomGrid::RowHeights(k + 1));
      TCustomGrid::SetRowCount(NrOfRows() + 1);
    }
    FollowTableSize();
  }
  PaintView();
  ChangedLayout();
}

Integer TNTabEd::ColWidths(Integer Index) const {
  if (Index > 0) return TCustomGrid::ColWidths(Index + FColOffset);
  if (Index == 0) return TCustomGrid::ColWidths(0);
  return FColOffset == 1 ? TCustomGrid::ColWidths(1) : 0;
}

void TNTabEd::SetColWidths(Integer Index, Integer Value) {
  if (Index > 0) {
    TCustomGrid::SetColWidths(Index + FColOffset, Value);
  } else if (Index == 0) {
    TCustomGrid::SetColWidths(0, Value);
  } else if (FColOffset == 1) {
    TCustomGrid::SetColWidths(1, Value);
    FClassColWidth = Value;
  }
  ChangedLayout();
}

Integer TNTabEd::RowHeights(Integer Index) const {
  if (Index > 0) return TCustomGrid::RowHeights(Index + FRowOffset);
  if (Index == 0) return TCustomGrid::RowHeights(0);
  return FRowOffset == 1 ? TCustomGrid::RowHeights(1) : 0;
}

void TNTabEd::SetRowHeights(Integer Index, Integer Value) {
  if (Index > 0) {
    if (Index > TCustomGrid::RowCount() - FRowOffset - 1) return;
    TCustomGrid::SetRowHeights(Index + FRowOffset, Value);
  } else if (Index == 0) {
    TCustomGrid::SetRowHeights(0, Value);
  } else if (FRowOffset == 1) {
    TCustomGrid::SetRowHeights(1, Value);
  }
}

void TNTabEd::SetDefaultColWidth(Integer v) {
  TCustomGrid::SetDefaultColWidth(v);
  TCustomGrid::SetColWidths(0, 80);
  if (FColOffset == 1) TCustomGrid::SetColWidths(1, FClassColWidth);
  ChangedLayout();
}

void TNTabEd::SetLeftCol(Integer v) {
  TCustomGrid::SetLeftCol(std::min(std::max(v + FColOffset, FColOffset + 1), FColOffset + NrOfColumns()));
}

void TNTabEd::SetTopRow(Integer v) {
  TCustomGrid::SetTopRow(std::min(std::max(v + FRowOffset, FRowOffset + 1), FRowOffset + NrOfRows()));
  Invalidate();
}

// [settings] -----------------------------------------------------------------------------------------------
void TNTabEd::SetLayoutColor(TColor& Field, TColor v) {
  Field = v;
  PaintView();
  ChangedLayout();
}

void TNTabEd::SetEmptyMessage(const String& v) {
  if (!StoreChanged(FEmptyMsg, v)) return;
  PaintView();
}

void TNTabEd::SetColorEmptyMsg(TColor v) {
  if (!StoreChanged(FColorEmptyMsg, v)) return;
  PaintView();
}

void TNTabEd::SetColorBackground(TColor v) {
  SetColor(v);
  PaintView();
}

void TNTabEd::SetColorFixed(TColor v) {
  SetFixedColor(v);
  PaintView();
}

void TNTabEd::SetBoldMarks(bool v) {
  if (!StoreChanged(FBoldMarks, v)) return;
  PaintView();
  ChangedLayout();
}

void TNTabEd::SetBoldSelHeads(bool v) {
  if (!StoreChanged(FBoldSelHeads, v)) return;
  PaintView();
  ChangedLayout();
}

void TNTabEd::SetNumWidth(Integer v) {
  if (v >= 1 && v <= 20) {
    FNumWidth = v;
    PaintView();
  }
  ChangedLayout();
}

void TNTabEd::SetShowCellCursor(bool v) {
  if (!StoreChanged(FShowCellCursor, v)) return;
  Invalidate();
}

void TNTabEd::SetOptimizeRowHeight(bool v) {
  if (!StoreChanged(FOptRowHeight, v)) return;
  PaintView();
}

void TNTabEd::SetNomEditDropDownCount(Integer v) {
  FDropdownCount = std::max(1, v);
  if (InplaceEditor()) InplaceEditor()->SetDropDownRows(FDropdownCount);
}

void TNTabEd::SetDataReadOnly(bool v) {
  if (v) {
    HideEditor();
    FReadOnly = true;
    SetGridEditing(false);
  } else {
    FReadOnly = false;
    SetGridEditing(true);
  }
}

void TNTabEd::FontChanged() {
  TCustomGrid::FontChanged();
  Canvas()->Font()->Assign(Font());
  PaintView();
}

// [assign] -------------------------------------------------------------------------------------------------
void TNTabEd::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TNTabEd*>(Source);
  if (!s) {
    TCustomGrid::Assign(Source);
    return;
  }
  {
    TInternSuppress quiet(this);
    FEmptyMsg = s->FEmptyMsg;
    FColorEmptyMsg = s->FColorEmptyMsg;
    FColorNormal = s->FColorNormal;
    FColorSelected = s->FColorSelected;
    FColorMarkedA = s->FColorMarkedA;
    FColorMarkedB = s->FColorMarkedB;
    FColorMarkedBoth = s->FColorMarkedBoth;
    FColorRangeSelFG = s->FColorRangeSelFG;
    FColorRangeSelBG = s->FColorRangeSelBG;
    FBoldMarks = s->FBoldMarks;
    FBoldSelHeads = s->FBoldSelHeads;
    FNumWidth = s->FNumWidth;
    FVRangeLow = s->FVRangeLow;
    FVRangeHigh = s->FVRangeHigh;
    FAutoAdvance = s->FAutoAdvance;
    FAutoAdvDir = s->FAutoAdvDir;
    FShowCellCursor = s->FShowCellCursor;
    FOptRowHeight = s->FOptRowHeight;
    FDropdownCount = s->FDropdownCount;
    FClipUseFullPrec = s->FClipUseFullPrec;
    FBlockIntPopup = s->FBlockIntPopup;
    FCommEdAllowed = s->FCommEdAllowed;
    SetColor(s->Color());
    SetFixedColor(s->FixedColor());
    SetAttribRowVisible(s->AttribRowVisible());
    SetAttribColVisible(s->AttribColVisible());
    SetDataReadOnly(s->FReadOnly);
    SetPopupDMask(s->FPopupDMask);
    SetPopupHMask(s->FPopupHMask);
  }
  CopyContentsFrom(s);
}

void TNTabEd::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TNTabEd*>(Dest)) d->Assign(this);
  else TCustomGrid::AssignTo(Dest);
}

// [table] --------------------------------------------------------------------------------------------------
const TClassInfo& TNTabEd::ClassInfo() {
  using T = TNTabEd;
  static const TClassInfo info =
      TClassBuilder<T>(&TCustomGrid::ClassInfo())
          .Prop("NrOfColumns", &T::NrOfColumns, &T::SetNrOfColumns, Integer(3))
          .Prop("NrOfRows", &T::NrOfRows, &T::SetNrOfRows, Integer(4))
          .Prop("AttribRowVisible", &T::AttribRowVisible, &T::SetAttribRowVisible, true)
          .Prop("AttribColVisible", &T::AttribColVisible, &T::SetAttribColVisible, false)
          .Prop("Comment", &T::Comment, &T::SetComment, String())
          .Prop("EmptyMessage", [](const T& t) { return t.EmptyMessage(); }, &T::SetEmptyMessage, String())
          .Prop("ColorEmptyMsg", &T::ColorEmptyMsg, &T::SetColorEmptyMsg, clBlack)
          .Prop("ColorBackground", &T::ColorBackground, &T::SetColorBackground, clWindow)
          .Prop("ColorFixed", &T::ColorFixed, &T::SetColorFixed, clBtnFace)
          .Prop("ColorNormal", &T::ColorNormal, &T::SetColorNormal, TColor(0x002000))
          .Prop("ColorSelected", &T::ColorSelected, &T::SetColorSelected, TColor(0x404040))
          .Prop("ColorMarkedA", &T::ColorMarkedA, &T::SetColorMarkedA, clRed)
          .Prop("ColorMarkedB", &T::ColorMarkedB, &T::SetColorMarkedB, clBlue)
          .Prop("ColorMarkedBoth", &T::ColorMarkedBoth, &T::SetColorMarkedBoth, TColor(0xCC00BB))
          .Prop("ColorRangeSelFG", &T::ColorRangeSelFG, &T::SetColorRangeSelFG, TColor(0x80552C))
          .Prop("ColorRangeSelBG", &T::ColorRangeSelBG, &T::SetColorRangeSelBG, TColor(0xF8E8E0))
          .Prop("BoldMarks", &T::BoldMarks, &T::SetBoldMarks, true)
          .Prop("BoldSelHeads", &T::BoldSelHeads, &T::SetBoldSelHeads, true)
          .Prop("NumWidth", &T::NumWidth, &T::SetNumWidth, Integer(1))
          .Prop("VRangeLow", &T::VRangeLow, &T::SetVRangeLow, 0.0)
          .Prop("VRangeHigh", &T::VRangeHigh, &T::SetVRangeHigh, 0.0)
          .Prop("DataReadOnly", &T::DataReadOnly, &T::SetDataReadOnly, false)
          .Prop("AutoAdvance", &T::AutoAdvance, &T::SetAutoAdvance, true)
          .Prop("AutoAdvanceDir", &T::AutoAdvanceDir, &T::SetAutoAdvanceDir, orVertical)
          .Prop("ShowCellCursor", &T::ShowCellCursor, &T::SetShowCellCursor, true)
          .Prop("OptimizeRowHeight", &T::OptimizeRowHeight, &T::SetOptimizeRowHeight, false)
          .Prop("NomEditDropDownCount", &T::NomEditDropDownCount, &T::SetNomEditDropDownCount, Integer(8))
          .Prop("ClipboardUseFullPrec", &T::ClipboardUseFullPrec, &T::SetClipboardUseFullPrec, true)
          .Prop("BlockInternalPopup", &T::BlockInternalPopup, &T::SetBlockInternalPopup, false)
          .Prop("CommentEditingAllowed", &T::CommentEditingAllowed, &T::SetCommentEditingAllowed, true)
          .Prop("DefaultColWidth", &T::DefaultColWidth, &T::SetDefaultColWidth, Integer(64))
          .Prop("DefaultRowHeight", &T::DefaultRowHeight, &T::SetDefaultRowHeight, Integer(24))
          .Prop("LeftCol", &T::LeftCol, &T::SetLeftCol, Integer(1))
          .Prop("TopRow", &T::TopRow, &T::SetTopRow, Integer(1))
          .Prop("Options", &T::Options, &T::SetOptions,
                goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect)
          .Prop("Align", &T::Align, &T::SetAlign, alNone)
          .Prop("DrawingStyle", &T::DrawingStyle, &T::SetDrawingStyle, gdsClassic)
          .Prop("GradientStartColor", &T::GradientStartColor, &T::SetGradientStartColor, clWhite)
          .Prop("GradientEndColor", &T::GradientEndColor, &T::SetGradientEndColor, clBtnFace)
          .Prop("Font", &T::Font, &T::SetFont)
          .Prop("ParentFont", &T::ParentFont, &T::SetParentFont, true)
          .Prop("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
          .Prop("StyleElements", &T::StyleElements, &T::SetStyleElements, seAllElements)
          .Prop("Visible", &T::Visible, &T::SetVisible, true)
          .Publish(ControlProperties(), pgBounds)
          .ReadOnly("VisibleColCount", &T::VisibleColCount)
          .ReadOnly("VisibleRowCount", &T::VisibleRowCount)
          .Event("OnChange")
          .Event("OnChangeSetup")
          .Event("OnHeadingChanged")
          .Event("OnAttributeChanged")
          .Event("OnCellStateChanged")
          .Event("OnEmptyStChanged")
          .Event("OnLayoutChanged")
          .Event("OnSelectionChanged")
          .Event("OnTopLeftChanged")
          .Event("OnPercentDone")
          .Event("OnBeforePopup")
          .Event("OnBeforeRenderCell")
          .Event("OnClear")
          .Event("OnPaste")
          .Event("OnGetEditText")
          .Event("OnSetEditText")
          .Event("OnClick")
          .Event("OnDblClick")
          .Event("OnKeyDown")
          .Event("OnKeyPress")
          .Event("OnKeyUp")
          .Event("OnMouseDown")
          .Event("OnMouseMove")
          .Event("OnMouseUp")
          .Event("OnMouseWheelDown")
          .Event("OnMouseWheelUp");
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses NTabEdClasses(juNTabEd, {&TNTabEd::ClassInfo});

}  // namespace jox
