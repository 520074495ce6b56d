// TReportListView: the grid that shows and edits a TRLData. One or two header rows (a common header
// over all columns and a row of column headers) stand above the data rows; every column has an
// alignment, a password flag, an editable flag and a place in the column order; rows can be
// selected, disabled, highlighted and filtered out; check-box and radio columns show glyphs.
//
// Numbering: data rows and model columns are 1-based; grid rows and columns are the grid's own.
// Data row r is grid row r + FixedRows - 1 (while no filter hides rows); grid column k shows model
// column ColOrder[k] + 1.
//
// Sections of the declaration: [types] [view]
#pragma once

#include <memory>
#include <vector>

#include "package/errors.h"
#include "package/framework/controls/grids.h"
#include "replist/rldata.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------------------
enum TFilterMode : uint8_t { fmSimple, fmBoolean, fmGrep };

using TRenderCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor& PenColor,
                                            TColor& BrushColor, TColor& FontColor, TFontStyles& FontStyles,
                                            String& Text)>;
using TReadCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Text)>;
using TCheckStateChangeEvent = std::function<void(TObject* Sender, bool& State, Integer Col, Integer Row)>;
using TCursorKeyActionEvent = std::function<void(TObject* Sender, Word Key)>;
using TRequestEditFormatEvent = std::function<void(TObject* Sender, Integer Col, Integer Row, String& Format)>;
using TBeforeFilterEvent =
    std::function<void(TObject* Sender, Integer Row, bool& Found, TLogicOp& CombineWithInternalSearch)>;

// [view] ---------------------------------------------------------------------------------------------------
class TForm;
class TSpeedButton;

class TReportListView : public TCustomDrawGrid {
 public:
  explicit TReportListView(TComponent* AOwner);
  ~TReportListView() override;

  // From another TReportListView: its settings, events and a copy of its model.
  void Assign(TPersistent* Source) override;

  JOX_CLASS_TABLE

  // --- dimensions (5 columns and 4 rows after construction)
  Integer NrOfColumns() const { return FRLData->NrOfColumns(); }
  void SetNrCols(Integer a);
  void SetNrOfColumns(Integer a) { SetNrCols(a); }
  Integer NrOfRows() const { return FRLData->NrOfRows(); }
  void SetNrRows(Integer a);
  void SetNrOfRows(Integer a) { SetNrRows(a); }
  // Number of visible header rows: 0, 1 or 2.
  Integer CountHeadRows() const { return (FComHdVis ? 1 : 0) + (FColHdVis ? 1 : 0); }
  Integer AddRow();
  Integer InsertRow(Integer a);
  Integer InsertColumn(Integer a);
  void RemoveRow(Integer r);
  void RemoveColumn(Integer c);
  void RemoveEmptyRows();
  void Fill(const String& s);
  void Clear();
  // Element i is the model column (1-based) shown in grid column i; false (and that place kept) for
  // a wrong number, false and nothing changed for a list of another length.
  bool SetColumnOrder(const std::vector<Integer>& ColList);
  Integer ColumnOrder(Integer ColNr) const;

  // --- published looks (each repaints and fires OnChangeSetup unless said otherwise)
  bool AutoAdvance() const { return FAutoAdvance; }
  void SetAutoAdvance(bool v) { FAutoAdvance = v; }
  TColor ColorText() const { return FColorNormal; }  // 0x002000
  void SetColorText(TColor v) { SetColorField(FColorNormal, v); }
  TColor ColorBkgdNormal() const { return FRColorNormal; }  // white
  void SetColorBkgdNormal(TColor v) { SetColorField(FRColorNormal, v); }
  TColor ColorBkgdShaded() const { return FRColorShaded; }  // 0xF0EFE8
  void SetColorBkgdShaded(TColor v) { SetColorField(FRColorShaded, v); }
  TColor ColorHigh() const { return FHiLgtColor; }  // 0xCC9966
  void SetColorHigh(TColor v) { SetColorField(FHiLgtColor, v); }
  TColor ColorHighText() const { return FHiLgtTextColor; }  // white
  void SetColorHighText(TColor v) { SetColorField(FHiLgtTextColor, v); }
  TColor ColorColumnHd() const { return FColHdColor; }  // clBtnFace; also FixedColor
  void SetColorColumnHd(TColor v);
  TColor ColorColumnHdText() const { return FColHdTxtColor; }  // black
  void SetColorColumnHdText(TColor v) { SetColorField(FColHdTxtColor, v); }
  TColor ColorCommonHd() const { return FComHdColor; }  // clBtnFace
  void SetColorCommonHd(TColor v) { SetColorField(FComHdColor, v); }
  TColor ColorCommonHdText() const { return FComHdTxtColor; }  // black
  void SetColorCommonHdText(TColor v) { SetColorField(FComHdTxtColor, v); }
  TColor ColorDisabledBkgd() const { return FDisabledBkgdColor; }  // 0xF0F0F0
  void SetColorDisabledBkgd(TColor v) { SetColorField(FDisabledBkgdColor, v); }
  TColor ColorDisabledText() const { return FDisabledTextColor; }  // clSilver
  void SetColorDisabledText(TColor v) { SetColorField(FDisabledTextColor, v); }
  TColor ColorEmptyMsg() const { return FColorEmptyMsg; }  // black; only a change repaints
  void SetColorEmptyMsg(TColor v);
  TColor ColorSelectedRow() const { return FSelRowColor; }  // 0x94BAED
  void SetColorSelectedRow(TColor v) { SetColorField(FSelRowColor, v); }
  TColor ColorSelectedRowText() const { return FSelRowTextColor; }  // clNavy
  void SetColorSelectedRowText(TColor v) { SetColorField(FSelRowTextColor, v); }
  TColor ColorSelectedCol() const { return FSelColColor; }  // black
  void SetColorSelectedCol(TColor v) { SetColorField(FSelColColor, v); }
  TColor ColorSelectedColText() const { return FSelColTextColor; }
  void SetColorSelectedColText(TColor v) { SetColorField(FSelColTextColor, v); }
  TColor ColorSelectedBoth() const { return FSelBothColor; }
  void SetColorSelectedBoth(TColor v) { SetColorField(FSelBothColor, v); }
  TColor ColorSelectedBothText() const { return FSelBothTextColor; }
  void SetColorSelectedBothText(TColor v) { SetColorField(FSelBothTextColor, v); }
  // "JOX Report Listview"; stored in the model.
  const String& CommonHeader() const { return FRLData->CommonHeader(); }
  void SetCommonHeader(const String& v);
  TAlignment CommonHeaderAlignment() const { return FHeaderAlignment; }  // taCenter
  void SetCommonHeaderAlignment(TAlignment v);
  bool CommonHeaderVisible() const { return FComHdVis; }  // false
  void SetCommonHeaderVisible(bool v);
  Integer CommonHeaderHeight() const { return FComHdHgt; }  // 20, kept within 8..127
  void SetCommonHeaderHeight(Integer v);
  bool ColumnHeadersVisible() const { return FColHdVis; }  // true
  void SetColumnHeadersVisible(bool v);
  Integer ColumnHeadersHeight() const { return FColHdHgt; }  // 20, kept within 8..127
  void SetColumnHeadersHeight(Integer v);
  Integer DefaultColWidth() const { return TCustomGrid::DefaultColWidth(); }
  void SetDefaultColWidth(Integer v);
  Integer DefaultRowHeight() const { return TCustomGrid::DefaultRowHeight(); }
  void SetDefaultRowHeight(Integer v);
  const String& EmptyMessage() const { return FEmptyMsg; }  // "|" separates lines
  void SetEmptyMessage(const String& v);
  void SetEnabled(bool v) override;
  Integer HighLightRow() const { return FHiLgtRow; }  // 0: none
  void SetHighLightRow(Integer v) { SetIntField(FHiLgtRow, v); }
  Integer HighLightColumn() const { return FHiLgtColumn; }
  void SetHighLightColumn(Integer v) { SetIntField(FHiLgtColumn, v); }
  bool HighLightBold() const { return FHiLgtBold; }
  void SetHighLightBold(bool v);
  TColor InterRowIndicatorColor() const { return FInterRowColor; }  // clRed
  void SetInterRowIndicatorColor(TColor v) { SetColorField(FInterRowColor, v); }
  Integer InterRowIndicatorWidth() const { return FInterRowWidth; }  // 3
  void SetInterRowIndicatorWidth(Integer v) { SetIntField(FInterRowWidth, v); }
  // Data-based scroll position: the first data row / model column shown (1 after construction).
  Integer TopRow() const { return TCustomGrid::TopRow() - CountHeadRows() + 1; }
  void SetTopRow(Integer v);
  Integer LeftCol() const { return TCustomGrid::LeftCol() + 1; }
  void SetLeftCol(Integer v);
  Integer RowSelectMode() const { return FRowSelectMode; }  // 1
  void SetRowSelectMode(Integer v);
  Integer RowColPattern() const { return FRowColPattern; }  // 1
  void SetRowColPattern(Integer v) { SetIntField(FRowColPattern, v); }
  bool ShowEmptyCheckBoxes() const { return FShowEmptyCBx; }  // true
  void SetShowEmptyCheckBoxes(bool v);
  bool FixedFirstColumn() const { return FFixedColOne; }  // false
  void SetFixedFirstColumn(bool v);
  bool SortEnabled() const { return FSortEnabled; }  // true
  void SetSortEnabled(bool v) { FSortEnabled = v; }
  bool UseCtrlForMultiSel() const { return FCtrlForMultiSel; }  // true
  void SetUseCtrlForMultiSel(bool v) { FCtrlForMultiSel = v; }
  void SetOptions(TGridOptions v) override;

  // --- public properties
  double AsNumber(Integer ACol, Integer ARow) const { return GetAsNumber(ACol, ARow); }
  double GetAsNumber(Integer ACol, Integer ARow) const;
  String DefaultValue(Integer ACol, Integer ARow) const { return FRLData->GetCellDefaultValue(ACol, ARow); }
  String GetCellDefaultValue(Integer ACol, Integer ARow) const { return FRLData->GetCellDefaultValue(ACol, ARow); }
  // The model's text, then OnReadCell may change what is returned.
  String GetElem(Integer ACol, Integer ARow) const;
  void SetElem(Integer ACol, Integer ARow, const String& Value) { FRLData->SetElem(ACol, ARow, Value); }
  String Elem(Integer ACol, Integer ARow) const { return GetElem(ACol, ARow); }
  bool ElemChecked(Integer ACol, Integer ARow) const { return FRLData->GetElemChecked(ACol, ARow); }
  void SetElemChecked(Integer ACol, Integer ARow, bool v) { FRLData->SetElemChecked(ACol, ARow, v); }
  TNameStrType Header(Integer ColNr) const { return FRLData->GetColName(ColNr); }
  void SetHeader(Integer ColNr, const TNameStrType& v) { SetColName(ColNr, v); }
  TNameStrType GetColName(Integer ColNr) const { return FRLData->GetColName(ColNr); }
  void SetColName(Integer ColNr, const TNameStrType& HLine);
  TColFmtString ColumnFormat(Integer ColNr) const { return FRLData->GetColumnFormat(ColNr); }
  TColFmtString GetColumnFormat(Integer ColNr) const { return FRLData->GetColumnFormat(ColNr); }
  void SetColumnFormat(Integer ColNr, const TColFmtString& DefValue);
  TCheckMode ColumnCheckMode(Integer ColNr) const { return FRLData->GetColCheckMode(ColNr); }
  void SetColumnCheckMode(Integer ColNr, TCheckMode v) { SetColCheckMode(ColNr, v); }
  void SetColCheckMode(Integer ColNr, TCheckMode Value);
  bool IsCheckedColumn(Integer ColNr) const { return FRLData->GetCheckedCol(ColNr); }
  void SetIsCheckedColumn(Integer ColNr, bool v) { SetCheckedCol(ColNr, v); }
  void SetCheckedCol(Integer ColNr, bool Value);
  const String& Comment() const { return FRLData->Comment(); }
  void SetComment(const String& v) { FRLData->SetComment(v); }
  const String& DataID() const { return FRLData->DataID(); }
  void SetDataID(const String& v) { FRLData->SetDataID(v); }
  Integer LastSortColumn() const { return FRLData->LastSortColumn(); }
  bool LastSortOrder() const { return FRLData->LastSortOrder(); }
  Integer LastSortColumnSec() const { return FRLData->LastSortColumnSec(); }
  bool LastSortOrderSec() const { return FRLData->LastSortOrderSec(); }
  Integer SecondarySortColumn() const { return FRLData->FSortColumnSec; }
  void SetSecondarySortColumn(Integer v);  // -1 .. NrOfColumns
  // Width of the grid column that shows model column ColOrder[Index-1]; 0 for Index < 1.
  Integer ColWidths(Integer Index) const;
  void SetColWidths(Integer Index, Integer v);
  TAlignment ColumnAlignment(Integer ColNr) const;
  void SetColumnAlignment(Integer ColNr, TAlignment v);
  bool ColumnEditable(Integer ColNr) const;
  void SetColumnEditable(Integer ColNr, bool v);
  bool ColumnIsPwd(Integer ColNr) const;
  void SetColumnIsPwd(Integer ColNr, bool v);
  bool CheckMarksReadOnly() const { return FROCheckMarks; }
  void SetCheckMarksReadOnly(bool v);
  Integer InterRowIndicatorPos() const { return FInterRowIndi; }
  void SetInterRowIndicatorPos(Integer v);
  bool SuppressPaint() const { return FSuppressPaint; }
  // Switching painting back on repaints.
  void SetSuppressPaint(bool v);
  TRLData* Data() const { return FRLData.get(); }

  // --- model pass-throughs
  Integer ColumnIndex(const String& Head, bool PartialMatch) const { return FRLData->ColumnIndex(Head, PartialMatch); }
  Integer CountCheckedElemsInRow(Integer Row) const { return FRLData->CountCheckedElemsInRow(Row); }
  // Counts enabled rows only.
  Integer CountCheckedElemsInCol(Integer Column) const;
  Integer FirstCheckedElemInCol(Integer ColNr) const { return FRLData->FirstCheckedElemInCol(ColNr); }
  Integer FirstCheckedElemInRow(Integer RowNr) const { return FRLData->FirstCheckedElemInRow(RowNr); }
  void SetAllCheckmarksOfCol(Integer Column, bool Checked) { SetAllCheckmarksOfCol(Column, Checked, false); }
  void SetAllCheckmarksOfCol(Integer Column, bool Checked, bool AffectEnabledRowsOnly);
  void InvertAllCheckmarksOfCol(Integer Column) { InvertAllCheckmarksOfCol(Column, false); }
  void InvertAllCheckmarksOfCol(Integer Column, bool AffectEnabledRowsOnly);

  // --- file and clipboard formats (the model's; after a successful read the grid follows the model's
  // sizes and repaints once; a failed read leaves model and view as they were)
  void CopyToClipBoard(Integer LeftCol, Integer TopRow, Integer RightCol, Integer BottomRow, bool AddHeader,
                       bool UseTabs);
  void CopyToClipBoard(Integer LeftCol, Integer TopRow, Integer RightCol, Integer BottomRow, bool AddHeader,
                       const String& Separator);
  void SaveAsXMLFile(const String& FName, const String& DataID);
  void WriteToXMLStream(TStream* OutStream, bool CreateHeader, const String& DataID);
  void WriteToOpenXMLFile(TStreamWriter& TextFile, bool CreateHeader, const String& DataID);
  bool LoadFromXMLFile(const String& FName, const String& DataID);
  bool ReadFromXMLString(const String& InString, const String& DataID);
  bool ReadFromXMLStream(TStream* InStream, const String& DataID);
  bool ReadFromOpenXMLFile(TStreamReader& TextFile, const String& DataID);
  Integer ExportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders, bool IncludeCommonHeader,
                    Integer FirstCol, Integer FirstRow, Integer LastCol, Integer LastRow);
  Integer ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders);
  Integer LoadLinesFromFile(Integer Column, Integer FirstRow, const String& FName);
  void ExportHTMLTable(const String& FName, Integer LoC, Integer LoR, Integer HiC, Integer HiR,
                       const std::vector<Integer>& ColumnSelection, Integer Border, Integer CellSpacing,
                       Integer CellPadding, bool IncludeHeader, const String& HeadClass, const String& CellClass,
                       const String& TableClass);

  // --- row editor: one field per column, chosen by the column's format, for row Row (a row outside
  // the list shows the defaults and writes nothing). OK or Enter in a field writes every field back;
  // the result is the dialog's (mrOK, mrCancel, ...). A date cell that its format cannot read raises
  // EConvertError before the dialog shows.
  // Own dialog at screen position (PosLeft, PosTop), "Editing Row n" with OK and Cancel.
  Integer EditRowEntries(Integer Row, Integer PosLeft, Integer PosTop);
  Integer EditRowEntries(Integer Row, Integer PosLeft, Integer PosTop, const String& FormCaption,
                         const String& ButOKCaption, const String& ButCancelCaption);
  // The fields go onto ContainerForm at (PosLeft, PosTop); its caption is emptied and its size grown
  // to hold them; the caller's own buttons set its ModalResult.
  Integer EditRowEntries(Integer Row, TForm* ContainerForm, Integer PosLeft, Integer PosTop);

  // --- column widths
  Integer DetermineMaxColWidth(Integer ColNr, bool IncludeHeader);
  void AutoColWidth(Integer ColNr, bool IncludeHeader, Integer Addon);
  void AutoColWidth(Integer ColNr, bool IncludeHeader, Integer Addon, Integer MaxWidth);
  void ExpandColWidth(Integer ColIx, Integer RightMargin);
  void FitAllColWidths(Integer ExpandColumn, bool IncludeHeader, Integer Addon, Integer MaxWidth,
                       Integer RightMargin);

  // --- selection and enabling (writes repaint and fire OnSelectedChange)
  bool RowSelected(Integer r) const;
  void SetRowSelected(Integer r, bool v);
  bool RowEnabled(Integer r) const;
  void SetRowEnabled(Integer r, bool v);
  bool ColumnSelected(Integer c) const;
  void SetColumnSelected(Integer c, bool v);
  void SelectRow(Integer RowNr);
  void SelectColumn(Integer ColNr);
  void SelectAllRows();
  void DeselectAllRows();
  void SelectAllColumns();
  void DeselectAllColumns();
  void EnableAllRows();
  void DisableAllRows();
  TIntArray GetSelectedRows() const;
  void SetSelectedRows(const TIntArray& SelList);
  Integer FirstSelectedRow() const;
  Integer FirstSelectedColumn() const;
  Integer NumSelectedRows() const;
  Integer NumSelectedColumns() const;
  Integer NumEnabledRows() const;
  void CenterScrollAndSelect(Integer Row);
  // X: grid column + 1; Y: data row, -1 column header row, -2 common header; 0 outside.
  TGridCoord MouseCell(Integer X, Integer Y) const;

  // --- sorting and filtering
  void Sort(Integer PrimCol, Integer SecCol, bool Ascending);
  void Sort(Integer PrimCol, Integer SecCol, bool AscendPrim, bool AscendSec);
  void UnSort();
  // Shows only the rows that match FilterExp in the FilterColumns (all columns when empty), sorted
  // by SortColumn (none when outside 1..NrOfColumns). An empty expression shows every row again.
  // The syntax of the three modes is in docs/replist-filter.md; a malformed expression raises
  // EJOXRepListError and leaves the rows as they were. Returns the number of rows shown.
  Integer FilterAndSort(const String& FilterExp, const std::vector<Integer>& FilterColumns, bool IgnoreCase,
                        TFilterMode FilterMode, Integer SortColumn, bool Ascending);
  // Whether a filter hides rows now, and how many data rows are shown.
  bool Filtered() const { return FFilterActive; }
  Integer NrOfShownRows() const { return FFilterActive ? Integer(FRowMap.size()) : NrOfRows(); }
  // Whether data row r is shown (every row while no filter is on).
  bool RowShown(Integer r) const;
  // Sorts by the two columns, then puts the enabled rows in front of the disabled ones.
  void SortEnabledState(Integer SortColumn1, Integer SortColumn2, bool Ascending);

  // --- events
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }
  const TNotifyEvent& OnChangeSetup() const { return FOnChangeSetup; }
  void SetOnChangeSetup(TNotifyEvent e) { FOnChangeSetup = std::move(e); }
  const TNotifyEvent& OnSelectedChange() const { return FOnSelectedChange; }
  void SetOnSelectedChange(TNotifyEvent e) { FOnSelectedChange = std::move(e); }
  const TCheckStateChangeEvent& OnCheckedChange() const { return FOnChkStChange; }
  void SetOnCheckedChange(TCheckStateChangeEvent e) { FOnChkStChange = std::move(e); }
  const TCheckStateChangeEvent& OnBeforeCheckedChange() const { return FOnBefChkStChange; }
  void SetOnBeforeCheckedChange(TCheckStateChangeEvent e) { FOnBefChkStChange = std::move(e); }
  const TBeforeFilterEvent& OnBeforeFilter() const { return FOnBeforeFilter; }
  void SetOnBeforeFilter(TBeforeFilterEvent e) { FOnBeforeFilter = std::move(e); }
  const TRequestEditFormatEvent& OnRequestEditFormat() const { return FOnRequestEdFmt; }
  void SetOnRequestEditFormat(TRequestEditFormatEvent e) { FOnRequestEdFmt = std::move(e); }
  const TRenderCellEvent& OnBeforeRenderCell() const { return FOnBefRenderCell; }
  void SetOnBeforeRenderCell(TRenderCellEvent e) { FOnBefRenderCell = std::move(e); }
  const TCursorKeyActionEvent& OnCursorKeyAction() const { return FOnCursorKeyAction; }
  void SetOnCursorKeyAction(TCursorKeyActionEvent e) { FOnCursorKeyAction = std::move(e); }
  const TReadCellEvent& OnReadCell() const { return FOnReadCell; }
  void SetOnReadCell(TReadCellEvent e) { FOnReadCell = std::move(e); }
  const TBeforeSortExchgEvent& OnBeforeSortExchange() const { return FOnBefSortExc; }
  void SetOnBeforeSortExchange(TBeforeSortExchgEvent e) {
    FOnBefSortExc = std::move(e);
    ConnectModel();
  }
  const TBeforeHTMLExportEvent& OnBeforeHTMLExport() const { return FOnBefHTMLExport; }
  void SetOnBeforeHTMLExport(TBeforeHTMLExportEvent e) { FOnBefHTMLExport = std::move(e); }
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent e) { FOnPercentDone = std::move(e); }
  const TMouseWheelUpDownEvent& OnMouseWheelDown() const { return FOnMouseWheelDown; }
  void SetOnMouseWheelDown(TMouseWheelUpDownEvent e) { FOnMouseWheelDown = std::move(e); }
  const TMouseWheelUpDownEvent& OnMouseWheelUp() const { return FOnMouseWheelUp; }
  void SetOnMouseWheelUp(TMouseWheelUpDownEvent e) { FOnMouseWheelUp = std::move(e); }
  const TGetEditEvent& OnGetEditText() const { return FOnGetEditText; }
  void SetOnGetEditText(TGetEditEvent e) { FOnGetEditText = std::move(e); }
  const TSetEditEvent& OnSetEditText() const { return FOnSetEditText; }
  void SetOnSetEditText(TSetEditEvent e) { FOnSetEditText = std::move(e); }

  void Paint() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  // Grid row of data row r and data row of a grid row (0 when it shows no data row).
  Integer GridRowOf(Integer r) const;
  Integer DataRowOf(Integer ARow) const;

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  friend class TReportListViewAccessible;
  void AssignTo(TPersistent* Dest) override;
  void CreateWnd() override;
  void TopLeftChanged() override;
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  void PaintFocusedRow(TCanvas* C);
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  bool SelectCell(Integer ACol, Integer ARow) override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
  bool CanEditShow() const override;
  // Columns whose format offers choices ("c" and "l") edit with a pick list of them.
  TEditStyle GetEditStyle(Integer ACol, Integer ARow) override;
  void GetPickListItems(Integer ACol, Integer ARow, TStrings* Items) override;
  void RowMoved(Integer FromIndex, Integer ToIndex) override;
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  Integer EditRowEntriesIntern(Integer Row, TForm* ContainerForm, Integer PosLeft, Integer PosTop,
                               const String& FormCaption, const String& ButOKCaption,
                               const String& ButCancelCaption);
  void EdRowOKClick(TObject* Sender);
  void EdRowCancelClick(TObject* Sender);
  // Enter closes the dialog with mrOK, Escape with mrCancel.
  void EdRowKeyPress(TObject* Sender, char16_t& Key);
  void CursorKeyAction(Word Key);
  void BeforeCheckStateChange(bool& State, Integer Col, Integer Row);
  void CheckStateHasChanged(bool State, Integer Col, Integer Row);
  void Changed();
  void ChangedSetup();
  void ChangedSelection();

 private:
  void ConnectModel();
  void StringsHasChanged();
  void RepListPercDone(Integer Percent);
  void BeforeSortExchange(TObject* Sender, const String& FirstText, String& SecondText);
  void BeforeHTMLExport(String& Text, Integer Col, Integer Row);
  // Repaints unless painting is suppressed.
  void RepaintView();
  void SetColorField(TColor& Field, TColor v);
  void SetIntField(Integer& Field, Integer v);
  void ApplyRowCount();
  // The widest data text of each of Cols (model columns), every row measured; the fitted width of a
  // column from it (check box, header with its sort arrow, margin).
  void WidestTexts(const std::vector<Integer>& Cols, Integer* Widest);
  Integer ColumnFitWidth(Integer ColNr, Integer WidestText, bool IncludeHeader);
  void SetHeaderHeights();
  void FollowModel();  // grid sizes and per-column arrays after the model changed its sizes
  // Runs a reading operation of the model with painting off; when Succeeded(result) the grid follows
  // the model (WholeList: a new list, columns included; otherwise new rows only), otherwise the view
  // stays as it was.
  template <class F, class S>
  auto Reading(F Read, S Succeeded, bool WholeList);
  void SetGridEditing(bool v);
  Integer ModelCol(Integer ACol) const;
  // The format of a cell for editing: the column's, as OnRequestEditFormat leaves it.
  String EditFormat(Integer m, Integer r);  // model column (1-based) of a grid column; 0 outside
  bool ValidCol(Integer c) const { return c >= 1 && c <= NrOfColumns(); }
  bool ValidRow(Integer r) const { return r >= 1 && r <= NrOfRows(); }
  Byte RowAttr(Integer r) const { return FRLData->Strings->GetRowAttrib(r); }
  void SetRowAttrBit(Integer r, Byte bit, bool on);
  void SetAllRowBits(Byte bit, bool on);
  // Selection, check and sort parts of a click.
  void HeaderClickSort(Integer m);
  void ToggleCheck(Integer m, Integer r);
  void ClickSelect(Integer r, TShiftState Shift);
  // Ctrl+C: the selected rows (or the current one) as tab-separated lines.
  void CopySelectedRows();
  Integer CurrentDataRow() const;
  // Applies a row order given as the current positions in their new order, keeping UnSort's order.
  void ApplyRowOrder(const std::vector<Integer>& Order);
  void RebuildRowMap();
  void ClearFilter();
  // Hides the rows whose Hidden[r] is set (r the current row number), keyed by sort number.
  void HideRowsByPosition(const std::vector<bool>& Hidden);
  void DrawDataCell(Integer ACol, Integer ARow, const TRect& Rect);
  void DrawHeaderCell(Integer ACol, Integer ARow, const TRect& Rect);
  void RaisedFrame(Integer L, Integer T, Integer R, Integer B);

  bool FAutoAdvance = false;
  Integer FLastMousePosX = 0, FLastMousePosY = 0;
  TNotifyEvent FOnChange, FOnChangeSetup, FOnSelectedChange;
  std::vector<TAlignment> FColAlignment;
  TAlignment FHeaderAlignment = taCenter;
  String FEmptyMsg;
  std::vector<bool> FColumnEditable;
  std::vector<bool> FColumnIsPwd;
  std::vector<Integer> FColOrder;
  bool FComHdVis = false;
  TColor FComHdColor = clBtnFace, FComHdTxtColor = clBlack;
  Integer FComHdHgt = 20;
  bool FColHdVis = true;
  TColor FColHdColor = clBtnFace, FColHdTxtColor = clBlack;
  Integer FColHdHgt = 20;
  TColor FColorEmptyMsg = clBlack;
  TColor FDisabledTextColor = clSilver, FDisabledBkgdColor = 0xF0F0F0;
  bool FEnabled = true;
  Integer FSelectAnchor = 1, FRowSelectMode = 1;
  bool FCtrlForMultiSel = true, FSortEnabled = true;
  TCheckStateChangeEvent FOnChkStChange, FOnBefChkStChange;
  TBeforeFilterEvent FOnBeforeFilter;
  TRequestEditFormatEvent FOnRequestEdFmt;
  TGetEditEvent FOnGetEditText;
  TSetEditEvent FOnSetEditText;
  TMouseWheelUpDownEvent FOnMouseWheelDown, FOnMouseWheelUp;
  TColor FSelRowColor = 0x94BAED, FSelRowTextColor = clNavy;
  TColor FSelColColor = clBlack, FSelColTextColor = clBlack, FSelBothColor = clBlack, FSelBothTextColor = clBlack;
  bool FShowEmptyCBx = true, FROCheckMarks = false;
  TColor FHiLgtColor = 0xCC9966, FHiLgtTextColor = clWhite;
  bool FHiLgtBold = false;
  Integer FHiLgtRow = 0, FHiLgtColumn = 0;
  TOnPercentDoneEvent FOnPercentDone;
  TRenderCellEvent FOnBefRenderCell;
  TCursorKeyActionEvent FOnCursorKeyAction;
  TReadCellEvent FOnReadCell;
  TBeforeSortExchgEvent FOnBefSortExc;
  TBeforeHTMLExportEvent FOnBefHTMLExport;
  bool FSuppressPaint = true;
  TColor FColorNormal = 0x002000, FRColorNormal = clWhite, FRColorShaded = 0xF0EFE8;
  Integer FRowColPattern = 1;
  Integer FInterRowIndi = 0;
  TColor FInterRowColor = clRed;
  Integer FInterRowWidth = 3;
  bool FFixedColOne = false;
  TForm* FContainerForm = nullptr;     // the row editor's dialog while it runs
  TSpeedButton* FSBERCancel = nullptr;  // its Cancel button (own dialog only)
  std::unique_ptr<TRLData> FRLData;
  // Rows a filter shows, as store rows in their current order; used only while FFilterActive.
  std::vector<Integer> FRowMap;
  // Per sort number (the record's identity across sorts): hidden by the filter.
  std::vector<bool> FHiddenKeys;
  bool FFilterActive = false;
  bool FSpaceToggled = false;  // the key-down of Space toggled a check box
};

}  // namespace jox
