// Replacing the model with a table read from outside, all or nothing.
#include <algorithm>
#include <new>

#include "replist/rldata_internal.h"

namespace jox {

bool TRLStaging::FitsStore() const {
  if (NrOfColumns < 0 || NrOfRows < 0) return false;
  const Int64 cells = (Int64(std::max(NrOfColumns, 1)) + 1) * (Int64(std::max(NrOfRows, 1)) + 1);
  return cells <= TStringArray::MaxCells;
}

void TRLDataAccess::Adopt(TRLData& D, const TRLStaging& S, TStringArray::TLoader& Texts) {
  const Integer nc = S.NrOfColumns, nr = S.NrOfRows;
  std::vector<TNameStrType> names;
  std::vector<TColFmtString> formats;
  std::vector<TCheckMode> modes;
  try {
    names.reserve(size_t(nc));
    for (const String& n : S.Names) names.emplace_back(Utf16Cut(n, TRLData::MaxNameLength));
    formats.reserve(size_t(nc));
    for (const String& f : S.Formats) formats.emplace_back(Utf16Cut(f, TRLData::MaxFormatLength));
    modes = S.Modes;
  } catch (const std::bad_alloc&) {
    D.RaiseNoMemory();
  }
  auto store = std::make_unique<TStringArray>();
  try {
    store->SetAllocRowsBy(D.Strings->AllocRowsBy());
    Texts.Finish(*store, std::max(nc, 1), std::max(nr, 1));
  } catch (const EJOXError&) {
    throw EJOXError(NotEnoughMemoryText(D.Name()));
  } catch (const std::bad_alloc&) {
    throw EJOXError(NotEnoughMemoryText(D.Name()));
  }
  D.FNrOfCols = nc;
  D.FNrOfRows = nr;
  D.FColName.swap(names);
  D.FColumnFormat.swap(formats);
  D.FColButMode.swap(modes);
  if (S.HaveHeader) D.FCommonHeader = S.CommonHeader;
  if (S.HaveComment) D.FComment = S.Comment;
  if (S.HaveDataID) D.FDataID = S.DataID;
  D.FSortColumnPrim = D.FSortColumnSec = -1;
  D.UpdateFeedback(std::max(nr, 1));
  D.ConnectStore(store.get());
  D.ReplaceStore(store.release());
}

}  // namespace jox
