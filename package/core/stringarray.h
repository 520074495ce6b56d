// TStringArray: a growable two-dimensional array of short strings (columns 0..NrOfColumns, rows
// 0..NrOfRows) with an attribute byte per row and per column, sortable with an undoable order.
//
// Storage: every text lives in one shared character pool; a cell is a small reference into it, so
// 100,000 rows x 10 columns cost a few contiguous arrays instead of a million heap blocks. Rows are
// reached through an order table (shown row -> stored row), so sorting permutes integers and never
// moves texts, and every row carries its own attribute byte and sort number with it.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

#include "package/core/coretypes.h"
#include "package/core/errors.h"
#include "package/framework/base/object.h"

namespace jox {

// How a sort compares a column's texts: skAuto compares two texts that both read as numbers by value
// and puts them before the others; skNumber and skHexNumber read every text as a decimal or a
// hexadecimal number (texts that are no number come after the numbers, by text); skText compares
// texts only.
enum TSortKind : uint8_t { skAuto, skNumber, skHexNumber, skText };

class TStringArray : public TObject {
 public:
  static constexpr Integer MaxCellLength = 255;  // longer texts are cut when stored
  // Upper bound of (NrOfColumns + 1) * (NrOfRows + 1); Resize refuses more with EJOXDStructError.
  static constexpr Int64 MaxCells = Int64(1) << 27;
  // Columns carry a name, format and mode beside their cells in the lists built on the store, tens of
  // bytes each, so a count within MaxCells could still ask for gigabytes; Resize refuses more.
  static constexpr Integer MaxCols = Integer(1) << 20;

  TStringArray();
  ~TStringArray() override;
  TStringArray(const TStringArray&) = delete;
  TStringArray& operator=(const TStringArray&) = delete;

  // Rows are allocated in steps of at least this many (default 10).
  Integer AllocRowsBy() const { return FAllocRowsBy; }
  void SetAllocRowsBy(Integer n);

  // Highest column and row index; both start at 0 (a single empty cell).
  Integer NrOfColumns() const { return FNrCols; }
  Integer NrOfRows() const { return FNrRows; }
  // Makes columns 0..NrCols and rows 0..NrRows addressable, keeping what fits. Rows are added
  // or dropped at the end of the shown order. Raises EJOXDStructError for negative or too large
  // sizes and when memory runs out; the array is then unchanged.
  void Resize(Integer NrCols, Integer NrRows);
  // Empties every cell; sizes, attributes and the order stay.
  void Clear();

  // Cell texts; out-of-range reads give "" and writes do nothing.
  String GetString(Integer ACol, Integer ARow) const;
  void SetString(Integer ACol, Integer ARow, std::u16string_view Value);
  // The text without a copy; valid until the next change of the array.
  // Inline: writers walk every cell through it.
  std::u16string_view GetView(Integer ACol, Integer ARow) const {
    if (ACol < 0 || ACol > FNrCols || ARow < 0 || ARow > FNrRows) return {};
    const TCell& c = CellAt(ACol, ARow);
    return {FPool.data() + c.Off, c.Len};
  }
  // The texts of columns FirstCol .. FirstCol + Count - 1 of row ARow into Out, for writers that
  // go row by row; the caller keeps to the array's size.
  void GetRowViews(Integer ARow, Integer FirstCol, size_t Count, std::u16string_view* Out) const {
    const TCell* c = &CellAt(FirstCol, ARow);
    for (size_t k = 0; k < Count; ++k) Out[k] = {FPool.data() + c[k].Off, c[k].Len};
  }
  // Every text lies in one pool that ends here, so a writer may read on past the end of a text
  // (into its neighbours) up to this point.
  const char16_t* TextsEnd() const { return FPool.data() + FPool.size(); }
  Integer CellLength(Integer ACol, Integer ARow) const { return Integer(GetView(ACol, ARow).size()); }

  // Attribute bytes; out-of-range reads give 0 and writes do nothing.
  Byte GetRowAttrib(Integer ARow) const;
  void SetRowAttrib(Integer ARow, Byte Value);
  Byte GetColAttrib(Integer ACol) const;
  void SetColAttrib(Integer ACol, Byte Value);

  // An empty row or column before the given one (NrOfRows + 1 / NrOfColumns + 1 appends);
  // other indices do nothing.
  void InsertRow(Integer ARow);
  void InsertColumn(Integer ACol);
  // Removes a row or column (index 0 included). The last remaining row or column is blanked
  // instead, since the array always has at least one.
  void RemoveRow(Integer ARow);
  void RemoveColumn(Integer ACol);

  // Stable sort of rows 1..NrOfRows by column PrimCol, rows that tie by column SecCol (no second
  // key when SecCol is outside 0..NrOfColumns; nothing happens when PrimCol is). Texts that both
  // read as numbers compare by value and come before other texts; other texts compare by code
  // unit without regard to ASCII case (so "a" and "A" tie and keep their order). Row 0 never moves.
  void Sort(Integer PrimCol, Integer SecCol, bool AscendPrim, bool AscendSec);
  // The same, each key column compared as its kind says.
  void Sort(Integer PrimCol, Integer SecCol, bool AscendPrim, bool AscendSec, TSortKind PrimKind,
            TSortKind SecKind);
  // Restores the order from before the sorts since the last CommitSorting.
  void UnSort();
  // Makes the current order the unsorted one.
  void CommitSorting();
  // Whether the rows stand in another order than after the last CommitSorting.
  bool Sorted() const;
  // Sort number of a row: its place in the unsorted order (1-based). It identifies the record
  // across sorts; SetSortOrder gives a row another place for the next UnSort.
  Integer GetSortOrder(Integer ARow) const;
  void SetSortOrder(Integer ARow, Integer Value);
  // The key column of the last sort, whose texts UnSort's exchange notifications carry; a copy of
  // a sorted array takes it over with the sort numbers.
  Integer SortKeyColumn() const { return FLastKeyCol; }
  void SetSortKeyColumn(Integer ACol) { FLastKeyCol = ACol >= 0 && ACol <= FNrCols ? ACol : 0; }

  // Notification slots. OnChange fires after every change of texts, sizes or order (owners that
  // write many cells switch it off meanwhile). OnBeforeSortExchange fires before a sort exchanges two rows, with the texts of the
  // primary key; a change to the second text is not stored. OnPercentDone reports sort progress.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent h) { FOnChange = std::move(h); }
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBeforeSortExchange; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent h) { FOnBeforeSortExchange = std::move(h); }
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent h) { FOnPercentDone = std::move(h); }

  class TLoader;


 private:
  // A text of the pool: Len characters at Off, room for Cap in place.
  struct TCell {
    uint32_t Off = 0;
    uint16_t Len = 0;
    uint16_t Cap = 0;
  };

  Integer Stride() const { return FNrCols + 1; }
  TCell& CellAt(Integer ACol, Integer ARow) { return FCells[size_t(FOrder[ARow]) * Stride() + ACol]; }
  const TCell& CellAt(Integer ACol, Integer ARow) const {
    return FCells[size_t(FOrder[ARow]) * Stride() + ACol];
  }
  void StoreText(TCell& c, std::u16string_view v);
  void Release(TCell& c);
  void CompactPoolIfWasteful();
  void ReserveRows(size_t stored);
  void DropStoredRow(Integer stored);
  void ApplyOrder(std::vector<Integer>&& order, Integer keyCol);
  void Changed();
  void PercentDone(Integer p);

  Integer FNrCols = 0, FNrRows = 0;
  Integer FAllocRowsBy = 10;
  std::vector<char16_t> FPool;      // every text, back to back
  size_t FWaste = 0;                // pool characters no cell refers to any more
  std::vector<TCell> FCells;        // stored row-major, Stride() cells per stored row
  std::vector<Byte> FRowAttr;       // per stored row
  std::vector<Integer> FSortNr;     // per stored row: place in the unsorted order
  std::vector<Byte> FColAttr;       // per column
  std::vector<Integer> FOrder;      // shown row -> stored row; FOrder[0] is row 0
  Integer FLastKeyCol = 0;          // key column announced by exchanges of UnSort
  TNotifyEvent FOnChange;
  TBeforeSortExchgEvent FOnBeforeSortExchange;
  TOnPercentDoneEvent FOnPercentDone;
};

// Fills a new array in one pass, for readers of large files: each text is decoded straight into
// the end of the pool and its cell placed by (column, row), with no notification and no copy per
// cell. Nothing reaches an array before Finish, so a load that fails midway leaves it as it was.
class TStringArray::TLoader {
 public:
  TLoader() = default;
  // Cells of columns 0..Cols go straight into the grid; set before the first cell is placed
  // (later calls are ignored). Cells of other columns wait in a list until Finish.
  void SetColumns(Integer Cols);
  // Rows 1..Rows may take their cells straight into the grid (the caller vouches that the input
  // can hold that many); cells of later rows wait in the list. Reserve makes room for them at once.
  void AllowRows(Integer Rows) { FAllow = std::max(FAllow, Rows); }
  void Reserve(Integer Rows, size_t Chars);
  // Room for Max characters at the end of the pool, valid until the next call of Room or Place.
  char16_t* Room(size_t Max);
  // The first Len characters written at Room become the text of (ACol, ARow), cut to
  // MaxCellLength (ACol >= 0, ARow >= 1). A later text for the same cell replaces it.
  void Place(Integer ACol, Integer ARow, size_t Len);
  // The highest column and row of any placed text (0 when none).
  Integer MaxCol() const { return FMaxCol; }
  Integer MaxRow() const { return FMaxRow; }
  // Replaces Into's texts, sizes, attributes and order (its slots stay) with what was loaded, sized
  // (NrCols, NrRows) and unsorted; texts outside that size are dropped. Raises as Resize does;
  // Into is then unchanged.
  void Finish(TStringArray& Into, Integer NrCols, Integer NrRows);

 private:
  struct TLate {
    Integer Col, Row;
    uint32_t Off;
    uint16_t Len;
  };
  void GrowRows(Integer Row);

  std::vector<char16_t> FPool;
  size_t FUsed = 0;                 // characters of FPool holding texts
  std::vector<TCell> FCells;        // rows 0..FRows, FCols + 1 cells each
  Integer FCols = -1, FRows = 0, FAllow = 0;
  Integer FMaxCol = 0, FMaxRow = 0;
  std::vector<TLate> FLate;
};

}  // namespace jox
