// TRLData: the non-visual table behind a report list. Cells live in an owned TStringArray addressed
// (column, row): data cells are columns 1..NrOfColumns, rows 1..NrOfRows; column 0 is a hidden text
// slot of every row that travels with it. Per column: a header name, a format string (which editor
// and default value the row editor uses) and a check mode. In check columns the first character of
// a stored text is its mark ("X" checked, " " unchecked, any other but " " reads as checked).
//
// Sections of the declaration: [types] [model] [file and clipboard formats]
#pragma once

#include <vector>

#include "package/core/coretypes.h"
#include "package/core/errors.h"
#include "package/core/stringarray.h"
#include "package/errors.h"
#include "package/framework/base/streams.h"
#include "package/framework/base/component.h"

namespace jox {

// [types] -------------------------------------------------------------------------

enum TCheckMode : uint8_t { cmNone, cmBox, cmRadio };

// Element kinds of a report-list file; RepListXmlTagName gives each its element name.
enum TRepListXmlTag : uint8_t {
  xmlNumCols, xmlNumRows, xmlColName, xmlCheckedColumn, xmlCommonHd, xmlColumnFormat, xmlCell, xmlComment,
  xmlEndReplist, xmlInvalid
};
const String& RepListXmlTagName(TRepListXmlTag Tag);
// The element kind of a name (exact, lower case as written); xmlInvalid for any other name.
TRepListXmlTag RepListXmlTagOf(std::u16string_view Name);

using TNameStrType = String;   // header name, at most 50 characters
using TColFmtString = String;  // column format, at most 80 characters

// Called for every cell written into an HTML table; the handler may change the text.
using TBeforeHTMLExportEvent = std::function<void(TObject* Sender, String& Text, Integer Col, Integer Row)>;

// Row and column attribute bits the report list gives a meaning; all others are kept as they are.
constexpr Byte rlRowSelected = 0x80, rlRowDisabled = 0x40, rlColSelected = 0x80;

class TReportListView;

// [model] -------------------------------------------------------------------------

class TRLData : public TComponent {
 public:
  static constexpr Integer MaxNameLength = 50, MaxFormatLength = 80, MaxCellLength = 255;

  explicit TRLData(TComponent* AOwner);
  ~TRLData() override;

  // From another TRLData: a complete copy (see the implementation for what is taken over).
  void Assign(TPersistent* Source) override;

  JOX_CLASS_TABLE

  // Published. NrOfColumns: 1 after construction, at least 1 when set. NrOfRows: 0 after
  // construction, at least 0 when set. Resizing raises EJOXError when the store cannot grow.
  Integer NrOfColumns() const { return FNrOfCols; }
  void SetNrCols(Integer a);
  void SetNrOfColumns(Integer a) { SetNrCols(a); }
  Integer NrOfRows() const { return FNrOfRows; }
  void SetNrRows(Integer a);
  void SetNrOfRows(Integer a) { SetNrRows(a); }
  // "JOX Report Listview" after construction.
  const String& CommonHeader() const { return FCommonHeader; }
  void SetCommonHeader(const String& Value);
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBefSortExc; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent h) { FOnBefSortExc = std::move(h); }
  const TBeforeHTMLExportEvent& OnBeforeHTMLExport() const { return FOnBefHTMLExport; }
  void SetOnBeforeHTMLExport(TBeforeHTMLExportEvent h) { FOnBefHTMLExport = std::move(h); }
  // Called by ExportCSV for every header and cell text before it is written (header row 0).
  const TExportTextEvent& OnExportText() const { return FOnExportText; }
  void SetOnExportText(TExportTextEvent h) { FOnExportText = std::move(h); }
  // Progress of the file, CSV, HTML and clipboard operations, every FeedbkStep() cells.
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent h) { FOnPercentDone = std::move(h); }

  // Cells. Addressed for 0 <= ACol <= NrOfColumns, 1 <= ARow <= NrOfRows; elsewhere reads give ""
  // or false and writes do nothing. In check columns Elem is the text behind the mark.
  String GetElem(Integer ACol, Integer ARow) const;
  void SetElem(Integer ACol, Integer ARow, const String& Value);
  String Elem(Integer ACol, Integer ARow) const { return GetElem(ACol, ARow); }
  bool GetElemChecked(Integer ACol, Integer ARow) const;
  // Writing a radio column's mark first clears every mark of the column.
  void SetElemChecked(Integer ACol, Integer ARow, bool Value);
  bool ElemChecked(Integer ACol, Integer ARow) const { return GetElemChecked(ACol, ARow); }
  // The cell as a number: blanks around it ignored, "," read as ".", "" gives 0. Raises
  // EJOXDStructError "Class TRLData: invalid numeric string: [c,r]: text" for anything else.
  double GetAsNumber(Integer ACol, Integer ARow) const;
  double AsNumber(Integer ACol, Integer ARow) const { return GetAsNumber(ACol, ARow); }
  // The default value of a cell by its column's format; ARow is the row the "rix" default gives.
  String GetCellDefaultValue(Integer ACol, Integer ARow) const;
  String DefaultValue(Integer ACol, Integer ARow) const { return GetCellDefaultValue(ACol, ARow); }

  // Columns 1..NrOfColumns; others read "" / cmNone / false and are not written.
  TNameStrType GetColName(Integer ColNr) const;
  void SetColName(Integer ColNr, const TNameStrType& HLine);  // cut to 50 characters
  TNameStrType Header(Integer ColNr) const { return GetColName(ColNr); }
  void SetHeader(Integer ColNr, const TNameStrType& HLine) { SetColName(ColNr, HLine); }
  TColFmtString GetColumnFormat(Integer ColNr) const;
  void SetColumnFormat(Integer ColNr, const TColFmtString& DefValue);  // cut to 80 characters
  TColFmtString ColumnFormat(Integer ColNr) const { return GetColumnFormat(ColNr); }
  // How sorting compares the column: a format of type "e", "f" or "i" makes it a number column, "h" a
  // hexadecimal one, any other type bracket a text column; without a type bracket (and in check
  // columns, whose texts start with their mark) texts that read as numbers compare as numbers.
  TSortKind ColumnSortKind(Integer ColNr) const;
  TCheckMode GetColCheckMode(Integer ColNr) const;
  // Converts the column's stored texts so that their marks stay right.
  void SetColCheckMode(Integer ColNr, TCheckMode Value);
  TCheckMode ColumnCheckMode(Integer ColNr) const { return GetColCheckMode(ColNr); }
  void SetColumnCheckMode(Integer ColNr, TCheckMode Value) { SetColCheckMode(ColNr, Value); }
  // True only for cmBox; setting true gives cmBox, false cmNone.
  bool GetCheckedCol(Integer ColNr) const;
  void SetCheckedCol(Integer ColNr, bool Value);
  bool IsCheckedColumn(Integer ColNr) const { return GetCheckedCol(ColNr); }
  void SetIsCheckedColumn(Integer ColNr, bool Value) { SetCheckedCol(ColNr, Value); }

  const String& Comment() const { return FComment; }
  void SetComment(const String& Value) { FComment = Value; }
  const String& DataID() const { return FDataID; }
  void SetDataID(const String& Value) { FDataID = Value; }
  Integer LastSortColumn() const { return FSortColumnPrim; }
  Integer LastSortColumnSec() const { return FSortColumnSec; }
  bool LastSortOrder() const { return FSortOrderPrim; }
  bool LastSortOrderSec() const { return FSortOrderSec; }
  // Direction toggle of header-click sorting; true after construction.
  bool SortToggle() const { return FSortToggle; }
  void SetSortToggle(bool Value) { FSortToggle = Value; }
  // Progress: cells a long operation reports over, and the step between reports.
  Integer FeedbkNumCells() const { return FFeedbkNumCells; }
  Integer FeedbkStep() const { return FFeedbkStep; }

  // Highest-numbered column whose name equals (or, PartialMatch, contains) Head, ignoring case; -1.
  Integer ColumnIndex(const String& Head, bool PartialMatch) const;
  // Empties every cell and resets names ("C-n"), formats and modes; sizes and texts of the model stay.
  void Clear();
  // Every data cell gets s (check columns keep their marks, normalised to "X" or " ").
  void Fill(const String& s);

  // Rows and columns; an index outside 1..NrOfRows / 1..NrOfColumns does nothing.
  void InsertRow(Integer r);
  void RemoveRow(Integer r);
  void RemoveEmptyRows();
  void CopyRow(Integer Source, Integer Target);
  void InsertColumn(Integer c);
  void RemoveColumn(Integer c);

  void SetAllCheckmarksOfCol(Integer Column, bool Checked);
  void InvertAllCheckmarksOfCol(Integer Column);
  Integer CountCheckedElemsInCol(Integer Column) const;
  Integer CountCheckedElemsInRow(Integer Row) const;
  Integer FirstCheckedElemInCol(Integer ColNr) const;
  Integer FirstCheckedElemInRow(Integer RowNr) const;

  void Sort(Integer PrimCol, Integer SecCol, bool Ascending);
  void Sort(Integer PrimCol, Integer SecCol, bool AscendPrim, bool AscendSec);
  void UnSort();

  // [file and clipboard formats] ---------------------------------------------------
  // Plain text to the clipboard: with Separator between the cells of a row, or (UseTabs false) in
  // blank-padded columns. AddHeader puts the header names and an empty line in front.
  void CopyToClipBoard(Integer LeftCol, Integer TopRow, Integer RightCol, Integer BottomRow, bool AddHeader,
                       bool UseTabs);
  void CopyToClipBoard(Integer LeftCol, Integer TopRow, Integer RightCol, Integer BottomRow, bool AddHeader,
                       const String& Separator);

  // Report-list files (docs/replist-file.md). DataID names the list written; "" writes the model's
  // DataID. CreateHeader puts the XML declaration in front. Writing errors raise the stream's errors;
  // a file is replaced only once the new one is complete.
  void SaveAsXMLFile(const String& FName, const String& DataID);
  void WriteToXMLStream(TStream* OutStream, bool CreateHeader, const String& DataID);
  void WriteToOpenXMLFile(TStreamWriter& TextFile, bool CreateHeader, const String& DataID);
  // Readers: find the list with the identifier DataID ("" takes the first), read it up to its end
  // and replace the model with it. False when no such list is there or it is damaged; the model is
  // then unchanged. The stream and open-file readers stop after the list's closing line.
  bool LoadFromXMLFile(const String& FName, const String& DataID);
  bool ReadFromXMLString(const String& InString, const String& DataID);
  bool ReadFromXMLStream(TStream* InStream, const String& DataID);
  bool ReadFromOpenXMLFile(TStreamReader& TextFile, const String& DataID);

  // CSV (quoted as spreadsheets do; see docs/replist-file.md). Export writes UTF-8, the cells of
  // the range (clamped to the model), and returns the number of data rows written; a text that
  // UTF-8 cannot hold (an unpaired surrogate) raises EJOXRLDataError and leaves the old file.
  // Import reads UTF-8, UTF-16 by its byte-order mark, or Windows-1252. Import replaces the cells, sizes and column
  // settings with the file's (the first record gives the names when IncludeColHeaders) and returns
  // the number of data rows, or -1 when the file is not valid CSV or too large (model unchanged).
  Integer ExportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders, bool IncludeCommonHeader,
                    Integer FirstCol, Integer FirstRow, Integer LastCol, Integer LastRow);
  Integer ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders);
  // Puts the lines of a text file into column Column from row FirstRow down, adding rows as needed;
  // returns the number of lines placed, -1 for a column or row outside the model (nothing read).
  Integer LoadLinesFromFile(Integer Column, Integer FirstRow, const String& FName);

  // An HTML document with one table of rows LoR..HiR and columns LoC..HiC (ColumnSelection, when
  // not empty, lists the columns to write in its order, each within LoC..HiC).
  void ExportHTMLTable(const String& FName, Integer LoC, Integer LoR, Integer HiC, Integer HiR,
                       const std::vector<Integer>& ColumnSelection, Integer Border, Integer CellSpacing,
                       Integer CellPadding, bool IncludeHeader, const String& HeadClass, const String& CellClass,
                       const String& TableClass);

  // The cell store, owned (replaced by Assign and by the readers, which carry its notification
  // slots over). Writes straight into it bypass the check-mark encoding.
  TStringArray* Strings = nullptr;

 protected:
  void AssignTo(TPersistent* Dest) override;
  void BeforeSortExchange(TObject* Sender, const String& FirstText, String& SecondText);
  void BeforeHTMLExport(String& Text, Integer Col, Integer Row);
  void SetAllCheckmarksOfColIntern(Integer Column, bool Checked, bool EnabledOnly);
  void InvertAllCheckmarksOfColIntern(Integer Column, bool EnabledOnly);

 private:
  friend class TReportListView;
  friend struct TRLDataAccess;  // the format readers and writers

  bool IsCheckCol(Integer ACol) const { return ACol >= 1 && ACol <= FNrOfCols && FColButMode[ACol - 1] != cmNone; }
  bool ValidCol(Integer c) const { return c >= 1 && c <= FNrOfCols; }
  bool ValidRow(Integer r) const { return r >= 1 && r <= FNrOfRows; }
  void UpdateFeedback(Integer rows);
  void RaiseNoMemory() const;
  void ConnectStore(TStringArray* Store);
  void ReplaceStore(TStringArray* Store);

  String FComment;
  std::vector<TNameStrType> FColName;
  std::vector<TColFmtString> FColumnFormat;
  String FCommonHeader;
  std::vector<TCheckMode> FColButMode;
  Integer FNrOfCols = 1;
  Integer FNrOfRows = 0;
  Integer FSortColumnPrim = -1, FSortColumnSec = -1;
  bool FSortOrderPrim = true, FSortOrderSec = true;
  TBeforeSortExchgEvent FOnBefSortExc;
  String FDataID;
  bool FSortToggle = true;
  TBeforeHTMLExportEvent FOnBefHTMLExport;
  Integer FFeedbkNumCells = 1;
  Integer FFeedbkStep = 1;
  TOnPercentDoneEvent FOnPercentDone;
  TExportTextEvent FOnExportText;
};

// Whether the text file FName (or the stream, from its position) holds a report list with the
// identifier DataID (any case; "" accepts any list). Files that cannot be read raise EInOutError.
bool CheckIfValidReplist(const String& FName, const String& DataID);
bool CheckIfValidReplist(TStream* Stream, const String& DataID);

}  // namespace jox
