// TDataTable: dimensions, cells, headings, scale types and structure. Sorting is in datatable_sort.cpp.
#include "package/numerics/datatable.h"

#include <algorithm>
#include <new>

#include "package/framework/base/sysutils.h"

namespace jox {

const char16_t* const MScaleTypeNames[5] = {u"unknown", u"nominal", u"ordinal", u"interval", u"ratio"};

TDataTable::TDataTable(TComponent* AOwner) : TComponent(AOwner) {}

void TDataTable::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TDataTable*>(Source);
  if (!src) return TComponent::Assign(Source);
  if (src == this) return;
  const Integer oldCols = NrOfColumns(), oldRows = NrOfRows();
  try {
    // Copies first, so that a failure leaves this table as it was.
    detail::Grid2D<double> data = src->FData.Grid();
    detail::Grid2D<Byte> states = src->FStates;
    std::vector<TColHead> cols = src->FColHeads;
    std::vector<TRowHead> rows = src->FRowHeads;
    String comment = src->FComment;
    std::swap(FData.Grid(), data);
    std::swap(FStates, states);
    FColHeads.swap(cols);
    FRowHeads.swap(rows);
    FComment.swap(comment);
  } catch (const std::bad_alloc&) {
    detail::ThrowOutOfMemory(src->NrOfColumns(), src->NrOfRows());
  }
  if (oldCols != NrOfColumns() || oldRows != NrOfRows()) Resized(oldCols);
  DataChanged();
  SetupChanged();
}

// [dimensions] -----------------------------------------------------------------

void TDataTable::Resize(Integer NrCols, Integer NrRows) {
  detail::CheckGridSize(NrCols, NrRows);
  const Integer oldCols = NrOfColumns();
  if (NrCols == oldCols && NrRows == NrOfRows()) return;
  try {
    if (NrCols == oldCols) {
      // Reserve everything first: the resizes below then cannot fail half-way.
      FData.Grid().Reserve(NrRows);
      FStates.Reserve(NrRows);
      if (size_t(NrRows) > FRowHeads.capacity()) FRowHeads.reserve(std::max(size_t(NrRows), 2 * FRowHeads.capacity()));
      FData.Grid().Resize(NrCols, NrRows);
      FStates.Resize(NrCols, NrRows);
      FRowHeads.resize(size_t(NrRows));
    } else {
      auto data = FData.Grid().Resized(NrCols, NrRows);
      auto states = FStates.Resized(NrCols, NrRows);
      std::vector<TColHead> cols(FColHeads.begin(), FColHeads.begin() + std::min<size_t>(NrCols, FColHeads.size()));
      cols.resize(size_t(NrCols));
      FRowHeads.reserve(size_t(NrRows));
      std::swap(FData.Grid(), data);
      std::swap(FStates, states);
      FColHeads.swap(cols);
      FRowHeads.resize(size_t(NrRows));
    }
  } catch (const std::bad_alloc&) {
    detail::ThrowOutOfMemory(NrCols, NrRows);
  }
  Resized(oldCols);
}

void TDataTable::Clear() {
  FData.Fill(0.0);
  FStates.Fill(0);
  for (auto& h : FColHeads) h = TColHead{};
  for (auto& h : FRowHeads) h = TRowHead{};
  FComment.clear();
  DataChanged();
  SetupChanged();
}

// [cells] ------------------------------------------------------------------------

double TDataTable::GetElem(Integer Col, Integer Row) const { return FData.Elem(Col, Row); }

void TDataTable::SetElem(Integer Col, Integer Row, double Value) {
  if (!InCol(Col) || !InRow(Row)) return;
  FData.Grid().At(Col - 1, Row - 1) = Value;
  DataChanged();
}

bool TDataTable::GetIsNumber(Integer Col, Integer Row) const {
  return InCol(Col) && InRow(Row) && (FStates.At(Col - 1, Row - 1) & (dtsNotANumber | dtsEmpty)) == 0;
}

Byte TDataTable::GetCellState(Integer Col, Integer Row) const {
  return InCol(Col) && InRow(Row) ? FStates.At(Col - 1, Row - 1) : 0;
}

void TDataTable::SetCellState(Integer Col, Integer Row, Byte State) {
  if (InCol(Col) && InRow(Row)) FStates.At(Col - 1, Row - 1) = State;
}

template <class F>
void TDataTable::ForEachState(F&& f) {
  for (Byte& s : FStates.Cells()) f(s);
}

void TDataTable::UnmarkAllCells() {
  ForEachState([](Byte& s) { s &= Byte(~(dtsMarkA | dtsMarkB)); });
}

void TDataTable::InvertCellStates(Byte Mask) {
  ForEachState([Mask](Byte& s) { s ^= Mask; });
}

void TDataTable::ExchangeMarkings() {
  ForEachState([](Byte& s) {
    const Byte a = s & dtsMarkA, b = s & dtsMarkB;
    s = Byte((s & ~(dtsMarkA | dtsMarkB)) | (a << 1) | (b >> 1));
  });
}

Integer TDataTable::FillMarkedCells(double Value, Byte Mask) {
  auto& values = FData.Grid().Cells();
  const auto& states = FStates.Cells();
  Integer n = 0;
  for (size_t i = 0; i < states.size(); ++i)
    if (states[i] & Mask) {
      values[i] = Value;
      ++n;
    }
  if (n > 0) DataChanged();
  return n;
}

// [headings] ---------------------------------------------------------------------

TDTNameStr TDataTable::GetColName(Integer Col) const { return InCol(Col) ? FColHeads[size_t(Col - 1)].Name : String(); }

void TDataTable::SetColName(Integer Col, const TDTNameStr& Name) {
  if (!InCol(Col)) return;
  FColHeads[size_t(Col - 1)].Name = Name.substr(0, kDTNameLength);
  SetupChanged();
}

TDTNameStr TDataTable::GetRowName(Integer Row) const { return InRow(Row) ? FRowHeads[size_t(Row - 1)].Name : String(); }

void TDataTable::SetRowName(Integer Row, const TDTNameStr& Name) {
  if (!InRow(Row)) return;
  FRowHeads[size_t(Row - 1)].Name = Name.substr(0, kDTNameLength);
  SetupChanged();
}

Integer TDataTable::GetColAttrib(Integer Col) const { return InCol(Col) ? FColHeads[size_t(Col - 1)].Attrib : 0; }

void TDataTable::SetColAttrib(Integer Col, Integer Attrib) {
  if (!InCol(Col)) return;
  FColHeads[size_t(Col - 1)].Attrib = Attrib;
  SetupChanged();
}

Integer TDataTable::GetRowAttrib(Integer Row) const { return InRow(Row) ? FRowHeads[size_t(Row - 1)].Attrib : 0; }

void TDataTable::SetRowAttrib(Integer Row, Integer Attrib) {
  if (!InRow(Row)) return;
  FRowHeads[size_t(Row - 1)].Attrib = Attrib;
  SetupChanged();
}

void TDataTable::SetFComment(const String& Text) {
  FComment = Text;
  SetupChanged();
}

Integer TDataTable::FindColIndex(const TDTNameStr& ColID) const {
  const String id = ColID.substr(0, kDTNameLength);
  for (size_t i = 0; i < FColHeads.size(); ++i)
    if (FColHeads[i].Name == id) return Integer(i + 1);
  return 0;
}

Integer TDataTable::FindRowIndex(const TDTNameStr& RowID) const {
  const String id = RowID.substr(0, kDTNameLength);
  for (size_t i = 0; i < FRowHeads.size(); ++i)
    if (FRowHeads[i].Name == id) return Integer(i + 1);
  return 0;
}

// [scales] -----------------------------------------------------------------------

TMScaleType TDataTable::GetMScaleType(Integer Col) const {
  return InCol(Col) ? FColHeads[size_t(Col - 1)].Scale : mstUnknown;
}

void TDataTable::SetMScaleType(Integer Col, TMScaleType Value) {
  if (!InCol(Col) || Value > mstRatio) return;
  FColHeads[size_t(Col - 1)].Scale = Value;
  SetupChanged();
}

String TDataTable::GetNominalID(Integer Col, Integer Value) const {
  if (!InCol(Col) || Value < 0 || Value > kMaxNominalOrdinal) return String();
  const auto& ids = FColHeads[size_t(Col - 1)].IDs;
  return ids.empty() ? String() : ids[size_t(Value)];
}

void TDataTable::SetNominalID(Integer Col, Integer Value, const String& Id) {
  if (!InCol(Col) || Value < 0 || Value > kMaxNominalOrdinal) return;
  auto& ids = FColHeads[size_t(Col - 1)].IDs;
  if (ids.empty()) ids.resize(kMaxNominalOrdinal + 1);
  ids[size_t(Value)] = Id.substr(0, kNominalIDLength);
  SetupChanged();
}

Integer TDataTable::OrdinalOfNominalID(Integer Col, const String& Id, bool IgnoreCase) const {
  if (!InCol(Col)) return -1;
  const String id = Id.substr(0, kNominalIDLength);
  if (id.empty()) return -1;
  const auto& ids = FColHeads[size_t(Col - 1)].IDs;
  for (size_t i = 0; i < ids.size(); ++i)
    if (IgnoreCase ? SameText(ids[i], id) : ids[i] == id) return Integer(i);
  return -1;
}

// [structure] --------------------------------------------------------------------

void TDataTable::InsertColumn(Integer Col) {
  if (Col < 1 || Col > NrOfColumns() + 1) return;
  detail::CheckGridSize(NrOfColumns() + 1, NrOfRows());
  const Integer oldCols = NrOfColumns();
  try {
    auto data = FData.Grid();
    auto states = FStates;
    data.InsertCol(Col - 1);
    states.InsertCol(Col - 1);
    FColHeads.insert(FColHeads.begin() + (Col - 1), TColHead{});
    std::swap(FData.Grid(), data);
    std::swap(FStates, states);
  } catch (const std::bad_alloc&) {
    detail::ThrowOutOfMemory(oldCols + 1, NrOfRows());
  }
  Resized(oldCols);
  DataChanged();
}

void TDataTable::RemoveColumn(Integer Col) {
  if (!InCol(Col)) return;
  const Integer oldCols = NrOfColumns();
  FData.Grid().RemoveCol(Col - 1);
  FStates.RemoveCol(Col - 1);
  FColHeads.erase(FColHeads.begin() + (Col - 1));
  Resized(oldCols);
  DataChanged();
}

void TDataTable::InsertRow(Integer Row) {
  if (Row < 1 || Row > NrOfRows() + 1) return;
  detail::CheckGridSize(NrOfColumns(), NrOfRows() + 1);
  try {
    FData.Grid().Reserve(NrOfRows() + 1);
    FStates.Reserve(NrOfRows() + 1);
    FRowHeads.reserve(FRowHeads.size() + 1);
  } catch (const std::bad_alloc&) {
    detail::ThrowOutOfMemory(NrOfColumns(), NrOfRows() + 1);
  }
  FData.Grid().InsertRow(Row - 1);
  FStates.InsertRow(Row - 1);
  FRowHeads.insert(FRowHeads.begin() + (Row - 1), TRowHead{});
  Resized(NrOfColumns());
  DataChanged();
}

void TDataTable::RemoveRow(Integer Row) {
  if (!InRow(Row)) return;
  FData.Grid().RemoveRow(Row - 1);
  FStates.RemoveRow(Row - 1);
  FRowHeads.erase(FRowHeads.begin() + (Row - 1));
  Resized(NrOfColumns());
  DataChanged();
}

void TDataTable::MirrorColumns() {
  FData.Grid().MirrorCols();
  FStates.MirrorCols();
  std::reverse(FColHeads.begin(), FColHeads.end());
  DataChanged();
  SetupChanged();
}

void TDataTable::MirrorRows() {
  FData.Grid().MirrorRows();
  FStates.MirrorRows();
  std::reverse(FRowHeads.begin(), FRowHeads.end());
  DataChanged();
  SetupChanged();
}

}  // namespace jox
