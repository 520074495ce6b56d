// TDataTable: a matrix of doubles with a state byte per cell, a name and an integer attribute per
// column and per row, a measurement scale type and nominal identifiers per column, and a comment.
// Indices are 1-based, column then row. Reading outside the table gives 0, "" or false; writing
// outside is ignored.
//
// Notifications (each skipped while unassigned):
//  - OnDataChanged: values changed (SetElem, fills, insert/remove, mirror, sort, Clear, Assign).
//  - OnSetupChanged: names, attributes, scale types, nominal identifiers or the comment changed.
//  - OnResize (old column count, new column count, new row count): the dimensions changed
//    (Resize, insert/remove); it comes before OnDataChanged.
//  - OnSortExchange: before a sort exchanges two columns or two rows.
//  - OnPercentDone: progress of a sort.
// Cell states are not notified: their bits belong to the caller (SetCellState, the mark operations).
#pragma once

#include <vector>

#include "package/core/coretypes.h"
#include "package/framework/base/component.h"
#include "package/numerics/matrix.h"

namespace jox {

using TDTNameStr = String;                  // at most kDTNameLength characters
constexpr Integer kDTNameLength = 50;
constexpr Integer kNominalIDLength = 10;    // characters of a nominal identifier
constexpr Integer kMaxNominalOrdinal = 150;  // nominal identifiers exist for values 0 .. 150

// Measurement scale of a column. Nominal and ordinal columns hold identifier ordinals as values.
enum TMScaleType : uint8_t { mstUnknown, mstNominal, mstOrdinal, mstInterval, mstRatio };
extern const char16_t* const MScaleTypeNames[5];

// Cell state bits the table itself knows of; the others are the caller's.
constexpr Byte dtsNotANumber = 0x01, dtsEmpty = 0x02, dtsMarkA = 0x40, dtsMarkB = 0x80;

enum TSortExchgKind : uint8_t { sekColumns, sekRows };
using TDTResizeEvent =
    std::function<void(TObject* Sender, Integer OldNrCols, Integer NewNrCols, Integer NewNrRows)>;
using TSortExchgEvent = std::function<void(TObject* Sender, TSortExchgKind What, Integer Index1, Integer Index2)>;

class TDataTable : public TComponent {
 public:
  explicit TDataTable(TComponent* AOwner);
  // Copies dimensions, values, states, names, attributes, scale types, identifiers and the comment
  // of another TDataTable (not its notifications).
  void Assign(TPersistent* Source) override;

  // --- dimensions
  Integer NrOfColumns() const { return FData.NrOfColumns(); }
  Integer NrOfRows() const { return FData.NrOfRows(); }
  // Keeps what still fits; new cells are 0 with state 0, new headings empty, new columns of scale
  // mstInterval. Raises EJOXDStructError for negative sizes and EOutOfMemory when the table cannot
  // be held (also for sizes beyond 2^26 cells, refused before allocating); the table is unchanged then.
  void Resize(Integer NrCols, Integer NrRows);
  // Values and states 0, headings empty, attributes 0, scales mstInterval, no identifiers, no comment.
  void Clear();

  // --- cells
  double GetElem(Integer Col, Integer Row) const;
  void SetElem(Integer Col, Integer Row, double Value);
  bool GetIsNumber(Integer Col, Integer Row) const;  // neither not-a-number nor empty; false outside
  Byte GetCellState(Integer Col, Integer Row) const;
  void SetCellState(Integer Col, Integer Row, Byte State);
  void UnmarkAllCells();                   // clears marks A and B everywhere
  void InvertCellStates(Byte Mask);        // flips the Mask bits of every cell
  void ExchangeMarkings();                 // swaps marks A and B in every cell
  // Sets every cell with a state bit of Mask to Value; returns the number of cells set.
  Integer FillMarkedCells(double Value, Byte Mask);
  // The values (Fill of the whole table goes through it; it does not notify).
  TMatrix* DataMat() { return &FData; }

  // --- headings and comment
  TDTNameStr GetColName(Integer Col) const;
  void SetColName(Integer Col, const TDTNameStr& Name);  // cut to 50 characters
  TDTNameStr GetRowName(Integer Row) const;
  void SetRowName(Integer Row, const TDTNameStr& Name);
  Integer GetColAttrib(Integer Col) const;
  void SetColAttrib(Integer Col, Integer Attrib);
  Integer GetRowAttrib(Integer Row) const;
  void SetRowAttrib(Integer Row, Integer Attrib);
  const String& Comment() const { return FComment; }
  void SetFComment(const String& Text);  // stored as given
  void SetComment(const String& Text) { SetFComment(Text); }
  // First column (row) with exactly this name (cut to 50 characters), 0 when there is none.
  Integer FindColIndex(const TDTNameStr& ColID) const;
  Integer FindRowIndex(const TDTNameStr& RowID) const;

  // --- scale types and nominal identifiers
  TMScaleType GetMScaleType(Integer Col) const;  // mstUnknown outside
  void SetMScaleType(Integer Col, TMScaleType Value);
  // Identifier of ordinal Value (0 .. 150) in column Col; "" when none is set.
  String GetNominalID(Integer Col, Integer Value) const;
  void SetNominalID(Integer Col, Integer Value, const String& Id);  // cut to 10 characters
  // Ordinal whose identifier is Id (cut to 10 characters, compared without ASCII case when
  // IgnoreCase); -1 when no ordinal has it. Only ordinal 0 answers 0.
  Integer OrdinalOfNominalID(Integer Col, const String& Id, bool IgnoreCase) const;

  // --- structure; indices outside the table are ignored (insertion also at count + 1)
  void InsertColumn(Integer Col);
  void RemoveColumn(Integer Col);
  void InsertRow(Integer Row);
  void RemoveRow(Integer Row);
  void MirrorColumns();  // headings, scales and identifiers travel with their columns
  void MirrorRows();

  // --- sorting. The range is cut to the table; values and states of the range travel. Cells that
  // are not numbers sort after all numbers in both directions; ties keep their order.
  // Rows LowRow .. HighRow by the values in column SortColIx; row headings travel when IncludeHeaders.
  void SortRows(Integer SortColIx, bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol,
                Integer HighRow, bool IncludeHeaders);
  // Columns LowCol .. HighCol by the values in row SortRowIx; column headings, scales and
  // identifiers travel when IncludeHeaders.
  void SortCols(Integer SortRowIx, bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol,
                Integer HighRow, bool IncludeHeaders);
  // By heading attributes or names; the headings always travel.
  void SortRowAttributes(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow);
  void SortColAttributes(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow);
  void SortRowNames(bool Ascending, bool IgnoreCase, Integer LowCol, Integer LowRow, Integer HighCol,
                    Integer HighRow);
  void SortColNames(bool Ascending, bool IgnoreCase, Integer LowCol, Integer LowRow, Integer HighCol,
                    Integer HighRow);

  // --- notifications
  const TNotifyEvent& OnDataChanged() const { return FOnDataChanged; }
  void SetOnDataChanged(TNotifyEvent E) { FOnDataChanged = std::move(E); }
  const TNotifyEvent& OnSetupChanged() const { return FOnSetupChanged; }
  void SetOnSetupChanged(TNotifyEvent E) { FOnSetupChanged = std::move(E); }
  const TDTResizeEvent& OnResize() const { return FOnResize; }
  void SetOnResize(TDTResizeEvent E) { FOnResize = std::move(E); }
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent E) { FOnPercentDone = std::move(E); }
  const TSortExchgEvent& OnSortExchange() const { return FOnSortExchange; }
  void SetOnSortExchange(TSortExchgEvent E) { FOnSortExchange = std::move(E); }

 private:
  struct TColHead {
    TDTNameStr Name;
    Integer Attrib = 0;
    TMScaleType Scale = mstInterval;
    std::vector<String> IDs;  // empty until an identifier is set, then 151 entries
  };
  struct TRowHead {
    TDTNameStr Name;
    Integer Attrib = 0;
  };
  bool InCol(Integer Col) const { return Col >= 1 && Col <= NrOfColumns(); }
  bool InRow(Integer Row) const { return Row >= 1 && Row <= NrOfRows(); }
  void DataChanged() { if (FOnDataChanged) FOnDataChanged(this); }
  void SetupChanged() { if (FOnSetupChanged) FOnSetupChanged(this); }
  void Resized(Integer OldCols) { if (FOnResize) FOnResize(this, OldCols, NrOfColumns(), NrOfRows()); }
  template <class F>
  void ForEachState(F&& f);
  // Moves the items Low .. High (0-based) into the order of Perm (Perm[k] = old index now at k) by
  // exchanges, reporting each before it happens.
  void ApplyOrder(TSortExchgKind What, Integer Low, const std::vector<Integer>& Perm, Integer LowOther,
                  Integer HighOther, bool Headers);
  template <class Less>
  void SortRange(TSortExchgKind What, Integer Low, Integer High, Integer LowOther, Integer HighOther,
                 bool Headers, Less less);
  bool ClipRange(Integer& LowCol, Integer& LowRow, Integer& HighCol, Integer& HighRow) const;

  TMatrix FData{nullptr};
  detail::Grid2D<Byte> FStates;
  std::vector<TColHead> FColHeads;
  std::vector<TRowHead> FRowHeads;
  String FComment;
  TNotifyEvent FOnDataChanged, FOnSetupChanged;
  TDTResizeEvent FOnResize;
  TOnPercentDoneEvent FOnPercentDone;
  TSortExchgEvent FOnSortExchange;
};

}  // namespace jox
