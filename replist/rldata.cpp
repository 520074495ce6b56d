// Sections: [shared helpers] [life] [cells] [columns] [dimensions] [rows and columns] [check marks]
// [sorting] [assign] [class table]
#include <algorithm>
#include <new>

#include "replist/rldata_internal.h"
#include "package/units.h"

namespace jox {

// [shared helpers] -------------------------------------------------------------------

TRLProgress::TRLProgress(TRLData& Data)
    : FData(Data),
      FNext(std::max<Integer>(Data.FeedbkStep(), 1)),
      FStep(std::max<Integer>(Data.FeedbkStep(), 1)),
      FTotal(std::max<Integer>(Data.FeedbkNumCells(), 1)) {}

TRLProgress::TRLProgress(TRLData& Data, Int64 Total)
    : FData(Data),
      FNext(std::min<Int64>(Total / 100 + 1, INT32_MAX)),
      FStep(Integer(FNext)),
      FTotal(std::max<Int64>(Total, 1)) {}

void TRLProgress::Report() {
  FNext = FCount + FStep;
  if (FData.OnPercentDone()) FData.OnPercentDone()(&FData, Integer(std::min<Int64>(100, FCount * 100 / FTotal)));
}

void TRLProgress::At(Int64 Done) {
  FCount = Done;
  if (Done < FNext && Done >= FNext - FStep) return;  // still within the same step
  FNext = (std::max<Int64>(Done, 0) / FStep + 1) * FStep;
  if (FData.OnPercentDone())
    FData.OnPercentDone()(&FData, Integer(std::min<Int64>(100, std::max<Int64>(Done, 0) * 100 / FTotal)));
}

TQuietStore::TQuietStore(TStringArray* Store) : FStore(Store), FSaved(Store->OnChange()) {
  Store->SetOnChange({});
}

TQuietStore::~TQuietStore() {
  FStore->SetOnChange(FSaved);
  if (FSaved) FSaved(FStore);
}

namespace {

String DefaultColName(Integer c) { return u"C-" + IntToStr(c); }

// Stored text with its mark set to m (an empty text becomes the mark alone).
String WithMark(std::u16string_view stored, char16_t m) {
  String s(stored);
  if (s.empty()) return String(1, m);
  s[0] = m;
  return s;
}

bool MarkChecked(std::u16string_view stored) { return !stored.empty() && stored[0] != u' '; }

}  // namespace

void TRLData::RaiseNoMemory() const { throw EJOXRLDataError(NotEnoughMemoryText(Name())); }

void TRLData::UpdateFeedback(Integer rows) {
  const Int64 n = Int64(rows) * (Int64(FNrOfCols) + 1);
  FFeedbkNumCells = n <= 0 ? 1 : Integer(std::min<Int64>(n, INT32_MAX));
  FFeedbkStep = FFeedbkNumCells / 100 + 1;
}

// [life] -------------------------------------------------------------------------------

TRLData::TRLData(TComponent* AOwner) : TComponent(AOwner), FCommonHeader(u"JOX Report Listview") {
  try {
    FColName.assign(1, DefaultColName(1));
    FColumnFormat.assign(1, String());
    FColButMode.assign(1, cmNone);
  } catch (const std::bad_alloc&) {
    throw EJOXRLDataError(InitFailedText(Name()));
  }
  Strings = new TStringArray();
  Strings->SetAllocRowsBy(10);
  Strings->Resize(1, 1);
  Strings->Clear();
  ConnectStore(Strings);
}

TRLData::~TRLData() { delete Strings; }

void TRLData::ConnectStore(TStringArray* Store) {
  Store->SetOnBeforeSortExchange(
      [this](TObject* Sender, const String& First, String& Second) { BeforeSortExchange(Sender, First, Second); });
}

// The new store takes over the old one's notification slots, so that whoever listens (the view)
// keeps hearing; it fires its change notification once.
void TRLData::ReplaceStore(TStringArray* Store) {
  Store->SetOnChange(Strings->OnChange());
  Store->SetOnBeforeSortExchange(Strings->OnBeforeSortExchange());
  Store->SetOnPercentDone(Strings->OnPercentDone());
  delete Strings;
  Strings = Store;
  if (Strings->OnChange()) Strings->OnChange()(Strings);
}

void TRLData::BeforeSortExchange(TObject* Sender, const String& FirstText, String& SecondText) {
  if (FOnBefSortExc) FOnBefSortExc(this, FirstText, SecondText);
}

void TRLData::BeforeHTMLExport(String& Text, Integer Col, Integer Row) {
  if (FOnBefHTMLExport) FOnBefHTMLExport(this, Text, Col, Row);
}

// [cells] ------------------------------------------------------------------------------

String TRLData::GetElem(Integer ACol, Integer ARow) const {
  if (ACol < 0 || ACol > FNrOfCols || !ValidRow(ARow)) return {};
  std::u16string_view s = Strings->GetView(ACol, ARow);
  if (IsCheckCol(ACol) && !s.empty()) s.remove_prefix(1);
  return String(s);
}

void TRLData::SetElem(Integer ACol, Integer ARow, const String& Value) {
  if (ACol < 0 || ACol > FNrOfCols || !ValidRow(ARow)) return;
  if (IsCheckCol(ACol)) {
    std::u16string_view old = Strings->GetView(ACol, ARow);
    Strings->SetString(ACol, ARow, (old.empty() ? u' ' : old[0]) + Value);
  } else {
    Strings->SetString(ACol, ARow, Value);
  }
}

bool TRLData::GetElemChecked(Integer ACol, Integer ARow) const {
  return IsCheckCol(ACol) && ValidRow(ARow) && MarkChecked(Strings->GetView(ACol, ARow));
}

void TRLData::SetElemChecked(Integer ACol, Integer ARow, bool Value) {
  if (!IsCheckCol(ACol) || !ValidRow(ARow)) return;
  if (FColButMode[ACol - 1] == cmRadio) {
    TQuietStore quiet(Strings);
    for (Integer r = 1; r <= FNrOfRows; ++r) {
      std::u16string_view s = Strings->GetView(ACol, r);
      if (!s.empty() && s[0] != u' ') Strings->SetString(ACol, r, WithMark(s, u' '));
    }
  }
  Strings->SetString(ACol, ARow, WithMark(Strings->GetView(ACol, ARow), Value ? u'X' : u' '));
}

// [columns] ---------------------------------------------------------------------------

TNameStrType TRLData::GetColName(Integer ColNr) const { return ValidCol(ColNr) ? FColName[ColNr - 1] : String(); }

void TRLData::SetColName(Integer ColNr, const TNameStrType& HLine) {
  if (ValidCol(ColNr)) FColName[ColNr - 1] = String(Utf16Cut(HLine, MaxNameLength));
}

TColFmtString TRLData::GetColumnFormat(Integer ColNr) const {
  return ValidCol(ColNr) ? FColumnFormat[ColNr - 1] : String();
}

void TRLData::SetColumnFormat(Integer ColNr, const TColFmtString& DefValue) {
  if (ValidCol(ColNr)) FColumnFormat[ColNr - 1] = String(Utf16Cut(DefValue, MaxFormatLength));
}

TCheckMode TRLData::GetColCheckMode(Integer ColNr) const { return ValidCol(ColNr) ? FColButMode[ColNr - 1] : cmNone; }

void TRLData::SetColCheckMode(Integer ColNr, TCheckMode Value) {
  if (!ValidCol(ColNr) || Value > cmRadio || FColButMode[ColNr - 1] == Value) return;
  const TCheckMode old = FColButMode[ColNr - 1];
  FColButMode[ColNr - 1] = Value;
  // The conversion is bookkeeping of the encoding, not a change of what the cells say.
  const TNotifyEvent saved = Strings->OnChange();
  Strings->SetOnChange({});
  for (Integer r = 1; r <= FNrOfRows; ++r) {
    std::u16string_view s = Strings->GetView(ColNr, r);
    if (s.empty()) continue;
    if (old == cmNone)
      Strings->SetString(ColNr, r, u" " + String(s));
    else if (Value == cmNone)
      Strings->SetString(ColNr, r, s.substr(1));
    else if (Value == cmRadio)
      Strings->SetString(ColNr, r, WithMark(s, u' '));
  }
  Strings->SetOnChange(saved);
}

bool TRLData::GetCheckedCol(Integer ColNr) const { return GetColCheckMode(ColNr) == cmBox; }

void TRLData::SetCheckedCol(Integer ColNr, bool Value) { SetColCheckMode(ColNr, Value ? cmBox : cmNone); }

void TRLData::SetCommonHeader(const String& Value) {
  if (Value != FCommonHeader) FCommonHeader = Value;
}

Integer TRLData::ColumnIndex(const String& Head, bool PartialMatch) const {
  const String h = LowerCase(Head);
  if (PartialMatch && h.empty()) return -1;
  for (Integer c = FNrOfCols; c >= 1; --c) {
    const String n = LowerCase(FColName[c - 1]);
    if (PartialMatch ? n.find(h) != String::npos : n == h) return c;
  }
  return -1;
}

// [dimensions] ------------------------------------------------------------------------

void TRLData::SetNrRows(Integer a) {
  a = std::max(a, 0);
  try {
    Strings->Resize(FNrOfCols, a);
  } catch (const EJOXError&) {
    throw EJOXError(NotEnoughMemoryText(Name()));
  }
  if (a == 0)
    for (Integer c = 0; c <= FNrOfCols; ++c) SetElem(c, 1, String());
  FNrOfRows = a;
  UpdateFeedback(a);
}

void TRLData::SetNrCols(Integer a) {
  a = std::max(a, 1);
  // The store refuses an impossible size before anything is allocated, so it goes first.
  const Integer old = FNrOfCols;
  FNrOfCols = a;
  try {
    Strings->Resize(a, std::max(FNrOfRows, 1));
  } catch (const EJOXError&) {
    FNrOfCols = old;
    throw EJOXError(NotEnoughMemoryText(Name()));
  }
  std::vector<TNameStrType> names;
  std::vector<TColFmtString> formats;
  std::vector<TCheckMode> modes;
  try {
    names = FColName;
    formats = FColumnFormat;
    modes = FColButMode;
    names.resize(size_t(a));
    formats.resize(size_t(a));
    modes.resize(size_t(a), cmNone);
    for (Integer c = old + 1; c <= a; ++c) names[c - 1] = DefaultColName(c);
  } catch (const std::bad_alloc&) {
    FNrOfCols = old;
    Strings->Resize(old, std::max(FNrOfRows, 1));
    RaiseNoMemory();
  }
  UpdateFeedback(std::max(FNrOfRows, 1));
  FColName.swap(names);
  FColumnFormat.swap(formats);
  FColButMode.swap(modes);
}

void TRLData::Clear() {
  Strings->Clear();
  for (Integer c = 1; c <= FNrOfCols; ++c) {
    FColName[c - 1] = DefaultColName(c);
    FColumnFormat[c - 1].clear();
    FColButMode[c - 1] = cmNone;
  }
}

void TRLData::Fill(const String& s) {
  TQuietStore quiet(Strings);
  for (Integer c = 1; c <= FNrOfCols; ++c) {
    const bool check = IsCheckCol(c);
    for (Integer r = 1; r <= FNrOfRows; ++r) {
      if (!check) {
        Strings->SetString(c, r, s);
        continue;
      }
      std::u16string_view old = Strings->GetView(c, r);
      Strings->SetString(c, r, (old.empty() || old[0] == u' ' ? u' ' : u'X') + s);
    }
  }
}

// [rows and columns] -------------------------------------------------------------------

void TRLData::InsertRow(Integer r) {
  if (!ValidRow(r)) return;
  Strings->CommitSorting();
  Strings->InsertRow(r);
  ++FNrOfRows;
  UpdateFeedback(FNrOfRows);
}

void TRLData::RemoveRow(Integer r) {
  if (!ValidRow(r)) return;
  Strings->CommitSorting();
  if (FNrOfRows >= 2) {
    Strings->RemoveRow(r);
    --FNrOfRows;
  } else {
    TQuietStore quiet(Strings);
    for (Integer c = 0; c <= FNrOfCols; ++c) Strings->SetString(c, r, u"");
    Strings->SetRowAttrib(r, 0);  // a row added later must not come back selected or disabled
    FNrOfRows = 0;
  }
  UpdateFeedback(FNrOfRows);
}

void TRLData::RemoveEmptyRows() {
  if (FNrOfRows == 0) return;
  Strings->CommitSorting();
  auto empty = [this](Integer r) {
    for (Integer c = 0; c <= FNrOfCols; ++c)
      if (!GetElem(c, r).empty()) return false;
    return true;
  };
  // Moves the rows that stay up in one pass, so thousands of empty rows cost no more than one.
  TQuietStore quiet(Strings);
  Integer kept = 0;
  for (Integer r = 1; r <= FNrOfRows; ++r) {
    if (empty(r)) continue;
    ++kept;
    if (kept != r) {
      for (Integer c = 0; c <= FNrOfCols; ++c) Strings->SetString(c, kept, Strings->GetString(c, r));
      Strings->SetRowAttrib(kept, Strings->GetRowAttrib(r));
    }
  }
  if (kept == FNrOfRows) return;
  if (kept == 0) {
    Strings->Resize(FNrOfCols, 1);
    for (Integer c = 0; c <= FNrOfCols; ++c) Strings->SetString(c, 1, u"");
    Strings->SetRowAttrib(1, 0);
    FNrOfRows = 0;
  } else {
    Strings->Resize(FNrOfCols, kept);
    FNrOfRows = kept;
  }
  Strings->CommitSorting();
  UpdateFeedback(FNrOfRows);
}

void TRLData::CopyRow(Integer Source, Integer Target) {
  if (!ValidRow(Source) || !ValidRow(Target) || Source == Target) return;
  TQuietStore quiet(Strings);
  for (Integer c = 0; c <= FNrOfCols; ++c) Strings->SetString(c, Target, Strings->GetString(c, Source));
  Strings->SetRowAttrib(Target, Strings->GetRowAttrib(Source));
}

void TRLData::InsertColumn(Integer c) {
  if (!ValidCol(c)) return;
  try {
    FColName.reserve(FColName.size() + 1);
    FColumnFormat.reserve(FColumnFormat.size() + 1);
    FColButMode.reserve(FColButMode.size() + 1);
  } catch (const std::bad_alloc&) {
    RaiseNoMemory();
  }
  Strings->InsertColumn(c);
  FColName.insert(FColName.begin() + (c - 1), String());
  FColumnFormat.insert(FColumnFormat.begin() + (c - 1), String());
  FColButMode.insert(FColButMode.begin() + (c - 1), cmNone);
  ++FNrOfCols;
  UpdateFeedback(std::max(FNrOfRows, 1));
}

void TRLData::RemoveColumn(Integer c) {
  if (!ValidCol(c)) return;
  Strings->CommitSorting();
  if (FNrOfCols >= 2) {
    Strings->RemoveColumn(c);
    FColName.erase(FColName.begin() + (c - 1));
    FColumnFormat.erase(FColumnFormat.begin() + (c - 1));
    FColButMode.erase(FColButMode.begin() + (c - 1));
    --FNrOfCols;
  } else {
    TQuietStore quiet(Strings);
    for (Integer r = 0; r <= FNrOfRows; ++r) Strings->SetString(c, r, u"");
    FColName.assign(1, String());
    FColumnFormat.assign(1, String());
    FColButMode.assign(1, cmNone);
    FNrOfCols = 0;
  }
  UpdateFeedback(std::max(FNrOfRows, 1));
}

// [check marks] ------------------------------------------------------------------------

void TRLData::SetAllCheckmarksOfColIntern(Integer Column, bool Checked, bool EnabledOnly) {
  if (!IsCheckCol(Column)) return;
  TQuietStore quiet(Strings);
  const char16_t m = Checked ? u'X' : u' ';
  for (Integer r = 1; r <= FNrOfRows; ++r) {
    if (EnabledOnly && (Strings->GetRowAttrib(r) & rlRowDisabled)) continue;
    std::u16string_view s = Strings->GetView(Column, r);
    if (s.empty() || s[0] != m) Strings->SetString(Column, r, WithMark(s, m));
  }
}

void TRLData::SetAllCheckmarksOfCol(Integer Column, bool Checked) {
  const TCheckMode m = GetColCheckMode(Column);
  if (m == cmBox || (m == cmRadio && !Checked)) SetAllCheckmarksOfColIntern(Column, Checked, false);
}

void TRLData::InvertAllCheckmarksOfColIntern(Integer Column, bool EnabledOnly) {
  if (GetColCheckMode(Column) != cmBox) return;
  TQuietStore quiet(Strings);
  for (Integer r = 1; r <= FNrOfRows; ++r) {
    if (EnabledOnly && (Strings->GetRowAttrib(r) & rlRowDisabled)) continue;
    std::u16string_view s = Strings->GetView(Column, r);
    Strings->SetString(Column, r, WithMark(s, !s.empty() && s[0] == u'X' ? u' ' : u'X'));
  }
}

void TRLData::InvertAllCheckmarksOfCol(Integer Column) { InvertAllCheckmarksOfColIntern(Column, false); }

Integer TRLData::CountCheckedElemsInCol(Integer Column) const {
  if (!IsCheckCol(Column)) return 0;
  Integer n = 0;
  for (Integer r = 1; r <= FNrOfRows; ++r) n += MarkChecked(Strings->GetView(Column, r));
  return n;
}

Integer TRLData::CountCheckedElemsInRow(Integer Row) const {
  if (!ValidRow(Row)) return 0;
  Integer n = 0;
  for (Integer c = 1; c <= FNrOfCols; ++c) n += IsCheckCol(c) && MarkChecked(Strings->GetView(c, Row));
  return n;
}

Integer TRLData::FirstCheckedElemInCol(Integer ColNr) const {
  if (!IsCheckCol(ColNr)) return 0;
  for (Integer r = 1; r <= FNrOfRows; ++r)
    if (MarkChecked(Strings->GetView(ColNr, r))) return r;
  return 0;
}

Integer TRLData::FirstCheckedElemInRow(Integer RowNr) const {
  if (!ValidRow(RowNr)) return 0;
  for (Integer c = 1; c <= FNrOfCols; ++c)
    if (IsCheckCol(c) && MarkChecked(Strings->GetView(c, RowNr))) return c;
  return 0;
}

// [sorting] ---------------------------------------------------------------------------

void TRLData::Sort(Integer PrimCol, Integer SecCol, bool Ascending) { Sort(PrimCol, SecCol, Ascending, true); }

void TRLData::Sort(Integer PrimCol, Integer SecCol, bool AscendPrim, bool AscendSec) {
  FSortColumnPrim = PrimCol;
  FSortColumnSec = SecCol;
  FSortOrderPrim = AscendPrim;
  FSortOrderSec = AscendSec;
  Strings->Sort(PrimCol, SecCol, AscendPrim, AscendSec, ColumnSortKind(PrimCol), ColumnSortKind(SecCol));
}

void TRLData::UnSort() {
  FSortColumnPrim = -1;
  FSortColumnSec = -1;
  Strings->UnSort();
}

// [assign] ----------------------------------------------------------------------------

void TRLData::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TRLData*>(Source);
  if (!src) {
    TComponent::Assign(Source);
    return;
  }
  if (src == this) return;
  // Everything is built aside first, so a failure leaves this model as it was.
  std::vector<TNameStrType> names;
  std::vector<TColFmtString> formats;
  std::vector<TCheckMode> modes;
  try {
    names = src->FColName;
    formats = src->FColumnFormat;
    modes = src->FColButMode;
  } catch (const std::bad_alloc&) {
    RaiseNoMemory();
  }
  const Integer nc = src->FNrOfCols, nr = src->FNrOfRows;
  auto* store = new TStringArray();
  try {
    store->SetAllocRowsBy(src->Strings->AllocRowsBy());
    store->Resize(nc, std::max(nr, 1));
    for (Integer c = 1; c <= nc; ++c) store->SetColAttrib(c, src->Strings->GetColAttrib(c));
    for (Integer r = 1; r <= nr; ++r) {
      store->SetRowAttrib(r, src->Strings->GetRowAttrib(r));
      for (Integer c = 0; c <= nc; ++c) store->SetString(c, r, src->Strings->GetView(c, r));
      store->SetSortOrder(r, src->Strings->GetSortOrder(r));
    }
    store->SetSortKeyColumn(src->Strings->SortKeyColumn());
  } catch (const EJOXError&) {
    delete store;
    RaiseNoMemory();
  } catch (const std::bad_alloc&) {
    delete store;
    RaiseNoMemory();
  }
  FNrOfCols = nc;
  FNrOfRows = nr;
  FSortColumnPrim = src->FSortColumnPrim;
  FSortColumnSec = src->FSortColumnSec;
  FSortOrderPrim = src->FSortOrderPrim;
  FSortOrderSec = src->FSortOrderSec;
  FSortToggle = src->FSortToggle;
  FComment = src->FComment;
  FCommonHeader = src->FCommonHeader;
  FDataID = src->FDataID;
  FOnBefSortExc = src->FOnBefSortExc;
  UpdateFeedback(std::max(nr, 1));
  FColName.swap(names);
  FColumnFormat.swap(formats);
  FColButMode.swap(modes);
  delete Strings;
  Strings = store;
  ConnectStore(Strings);
}

void TRLData::AssignTo(TPersistent* Dest) {
  // Only a report-list model can take a copy of one; anything else ends in the framework's
  // conversion error (handing a plain component our Assign would come straight back here).
  if (auto* d = dynamic_cast<TRLData*>(Dest); d && GetClassInfo().InheritsFrom(&d->GetClassInfo())) {
    d->Assign(this);
    return;
  }
  TComponent::AssignTo(Dest);
}

// [class table] ---------------------------------------------------------------------

const TClassInfo& TRLData::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TRLData>(&TComponent::ClassInfo())
                                     .Prop("NrOfColumns", &TRLData::NrOfColumns, &TRLData::SetNrCols)
                                     .Prop("NrOfRows", &TRLData::NrOfRows, &TRLData::SetNrRows)
                                     .Prop("CommonHeader", &TRLData::CommonHeader, &TRLData::SetCommonHeader)
                                     .Event("OnBeforeSortExchange")
                                     .Event("OnBeforeHTMLExport")
                                     .Event("OnExportText")
                                     .Event("OnPercentDone");
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses RLDataClasses(juRepList, {&TRLData::ClassInfo});

}  // namespace jox
