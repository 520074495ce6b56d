// Shared by the sources of TRLData: progress reports, quiet bulk writes and the staging of a
// complete new table that the readers build before they replace the model.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "package/texts.h"
#include "replist/rldata.h"

namespace jox {

// Reports OnPercentDone every FeedbkStep cells of FeedbkNumCells.
class TRLProgress {
 public:
  explicit TRLProgress(TRLData& Data);
  // Over Total cells instead of the model's count (for a table that is still being read).
  TRLProgress(TRLData& Data, Int64 Total);
  void Cell();

 private:
  TRLData& FData;
  Int64 FCount = 0;
  Integer FStep;
  Int64 FTotal;
};

// Switches the store's change notification off while many cells are written and fires it once
// at the end (when anything was written).
class TQuietStore {
 public:
  explicit TQuietStore(TStringArray* Store);
  ~TQuietStore();
  TQuietStore(const TQuietStore&) = delete;
  TQuietStore& operator=(const TQuietStore&) = delete;

 private:
  TStringArray* FStore;
  TNotifyEvent FSaved;
};

// A table read from outside, held apart until it is complete and valid.
struct TRLStaging {
  Integer NrOfColumns = 1, NrOfRows = 0;
  std::vector<String> Names, Formats;  // per column, at least one entry
  std::vector<TCheckMode> Modes;
  bool HaveHeader = false, HaveComment = false, HaveDataID = false;
  String CommonHeader, Comment, DataID;
  // Stored texts (marks included) back to back in Text.
  struct TCell {
    Integer Col, Row;
    size_t Off;
    uint32_t Len;
  };
  std::vector<TCell> Cells;
  String Text;

  void AddCell(Integer Col, Integer Row, std::u16string_view T) {
    if (T.size() > size_t(TRLData::MaxCellLength)) T = T.substr(0, TRLData::MaxCellLength);
    Cells.push_back({Col, Row, Text.size(), uint32_t(T.size())});
    Text.append(T);
  }
  // Whether the sizes fit the store's limits (NrOfColumns may be 0, as after removing every column).
  bool FitsStore() const;
};

// Column format language, shared with the row editor. The number standing at 1-based position Pos
// of s: blanks skipped, optional sign, decimal digits; 0 without digits.
Integer FormatNumberAt(const String& s, size_t Pos);
// The "rix" default of a numeric type letter ('e', 'f', 'h', 'i') for row ARow, n read from Rest at
// its fourth character.
String RowIndexDefault(char16_t Type, const String& Rest, Integer ARow);

struct TRLDataAccess {
  // Replaces the model's table with a staged one: new store, sizes, column settings, unsorted.
  // Raises EJOXRLDataError / EJOXError when memory runs out; the model is then unchanged.
  static void Adopt(TRLData& D, const TRLStaging& S);
  static TStringArray* Store(TRLData& D) { return D.Strings; }
  static void BeforeHTMLExport(TRLData& D, String& Text, Integer Col, Integer Row) {
    D.BeforeHTMLExport(Text, Col, Row);
  }
};

}  // namespace jox
