// TNTabEd: a grid editor for one TDataTable: values with row and column names, row and column
// attributes, a display precision per column, empty and not-a-number cells, protected cells and two
// kinds of marks, two built-in popup menus (data and headings), a heading editor, a comment memo and
// clipboard exchange.
//
// Numbering: table columns and rows are 1-based in every public call. The grid keeps one fixed column
// of row names (grid column 0) and one fixed row of column names (grid row 0); the attribute column
// (row attributes, AttribRowVisible) is grid column 1 when shown, the attribute row (column
// attributes, AttribColVisible) grid row 1. So table column c is grid column c + FColOffset and table
// row r grid row r + FRowOffset. Grid-indexed calls (Selection, OnGetEditText, OnSetEditText) use the
// grid's own 0-based numbers.
//
// Sections of the declaration: [types] [editor]
#pragma once

#include <memory>
#include <vector>

#include "package/errors.h"
#include "package/framework/controls/grids.h"
#include "package/framework/controls/memo.h"
#include "package/framework/controls/menus.h"
#include "package/framework/controls/stdctrls.h"
#include "package/numerics/datatable.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------------------
// Cell state bits as the editor reads them (the table stores the byte).
constexpr Byte ntsNotANumber = 0x01, ntsEmpty = 0x02, ntsProtected = 0x10, ntsMarkA = 0x40, ntsMarkB = 0x80;

using TBeforePopupEvent = std::function<void(TObject* Sender, TPopupMenu* PMenu)>;
using TBeforeRenderCellEvent = std::function<void(TObject* Sender, Integer colix, Integer rowix, String& Text,
                                                  TColor& ColorText, TColor& ColorBakg, TFontStyles& FontStyles)>;

// Posted to the editor to open the heading menu again after "Change Precision".
constexpr Cardinal CM_NTABEDREOPENMENU = WM_USER + 0x4E01;

// Number of items of the data menu and the heading menu.
constexpr Integer NTabEdDataItems = 13, NTabEdHeadItems = 5;

// [editor] -------------------------------------------------------------------------------------------------
class TNTabEd : public TCustomGrid {
 public:
  explicit TNTabEd(TComponent* AOwner);
  ~TNTabEd() override;
  // From another TNTabEd: its settings, a copy of its table and its precisions.
  void Assign(TPersistent* Source) override;

  JOX_CLASS_TABLE

  // The table shown: owned, or another one given to AssignAnotherDataMatrix.
  TDataTable* Data = nullptr;

  // --- dimensions (3 columns, 4 rows after construction)
  Integer NrOfColumns() const { return Data->NrOfColumns(); }
  void SetNrOfColumns(Integer n);
  Integer NrOfRows() const { return Data->NrOfRows(); }
  void SetNrOfRows(Integer n);
  void Redimension(Integer NrCols, Integer NrRows);
  // Insert before ix (NrOf... + 1 appends); remove never removes the last column or row.
  void InsertRow(Integer ix);
  void InsertColumn(Integer ix);
  void RemoveRow(Integer ix);
  void RemoveColumn(Integer ix);
  void MirrorColumns();
  void MirrorRows();
  // Values, states, names C-1.. and R-1.., attributes and comment reset; every precision 3.
  void Clear();
  // Every value set (states are kept).
  void Fill(double value);

  // --- cells
  double Elem(Integer ACol, Integer ARow) const { return Data->GetElem(ACol, ARow); }
  // Clamped to VRangeLow .. VRangeHigh while either is nonzero.
  void SetElem(Integer ACol, Integer ARow, double Value);
  Byte CellState(Integer ACol, Integer ARow) const { return Data->GetCellState(ACol, ARow); }
  void SetCellState(Integer ACol, Integer ARow, Byte State);
  bool IsEmpty(Integer ACol, Integer ARow) const { return Data->GetCellState(ACol, ARow) & ntsEmpty; }
  void SetIsEmpty(Integer ACol, Integer ARow, bool Value);
  bool IsNumber(Integer ACol, Integer ARow) const {
    return !(Data->GetCellState(ACol, ARow) & (ntsNotANumber | ntsEmpty));
  }
  bool ElemMarkedA(Integer ACol, Integer ARow) const { return Data->GetCellState(ACol, ARow) & ntsMarkA; }
  void SetElemMarkedA(Integer ACol, Integer ARow, bool Value) { SetMarkBit(ACol, ARow, ntsMarkA, Value); }
  bool ElemMarkedB(Integer ACol, Integer ARow) const { return Data->GetCellState(ACol, ARow) & ntsMarkB; }
  void SetElemMarkedB(Integer ACol, Integer ARow, bool Value) { SetMarkBit(ACol, ARow, ntsMarkB, Value); }
  // Returns the table's count of cells set.
  Integer FillMarkedCells(Byte Statemask, double value);
  void InvertCellStates(Byte StateMask);
  void ExchangeMarkings();
  void UnMarkAllElems();
  void MarkAllElemsA();
  void MarkAllElemsB();
  bool IfRowMarked(Integer row) const;
  bool IfColumnMarked(Integer col) const;
  bool IfAnyMarked() const;
  Integer NrOfMarkedDataA() const;
  Integer NrOfMarkedDataB() const;

  // --- headings (names at most 50 characters, attributes 0 .. 255)
  TDTNameStr ColName(Integer ColNr) const;
  void SetColName(Integer ColNr, const TDTNameStr& Name);
  TDTNameStr RowName(Integer RowNr) const;
  void SetRowName(Integer RowNr, const TDTNameStr& Name);
  Byte ColAttrib(Integer ColNr) const;
  void SetColAttrib(Integer ColNr, Byte Attrib);
  Byte RowAttrib(Integer RowNr) const;
  void SetRowAttrib(Integer RowNr, Byte Attrib);
  // -1 .. 10: 0 .. 8 fixed decimals on screen, -1, 9, 10 exponential (on the clipboard 0 .. 10 fixed).
  int8_t Precision(Integer ColNr) const;
  void SetPrecision(Integer ColNr, int8_t Value);
  // The table's comment; control characters are removed on writing.
  String Comment() const { return Data->Comment(); }
  void SetComment(const String& Value);

  // --- sorting and searching (ranges in table indices, cut to the table)
  void SortCols(Integer SortRowIx, bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow,
                bool IncludeHeaders);
  void SortRows(Integer SortColIx, bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow,
                bool IncludeHeaders);
  void SortColAttributes(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow);
  void SortRowAttributes(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow);
  // Without IgnoreCase the names compare exactly.
  void SortColNames(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow);
  void SortColNames(bool Ascending, bool IgnoreCase, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow);
  void SortRowNames(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow);
  void SortRowNames(bool Ascending, bool IgnoreCase, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow);
  // First column (row) of that name, 0 when none.
  Integer FindColIndex(const TDTNameStr& ColID) const { return Data->FindColIndex(ColID); }
  Integer FindRowIndex(const TDTNameStr& RowID) const { return Data->FindRowIndex(RowID); }

  // --- other tables
  // Shows NewDTab without owning it (nullptr goes back to a table of the editor's own). The editor
  // follows it being freed.
  void AssignAnotherDataMatrix(TDataTable* NewDTab);
  bool ExternalDataMatrix() const { return FExtMatAssigned; }
  // The other editor's table (values, states, headings, comment) and precisions.
  void CopyContentsFrom(TNTabEd* ExtTab);
  // The state bytes of the cells both tables have.
  void CopyCellStatesFrom(TNTabEd* ExtTab);

  // --- layout
  bool AttribRowVisible() const { return FColOffset == 1; }  // true: the attribute column is shown
  void SetAttribRowVisible(bool v);
  bool AttribColVisible() const { return FRowOffset == 1; }  // false: the attribute row is hidden
  void SetAttribColVisible(bool v);
  // Index > 0: table column; 0: the row names; < 0: the attribute column (0 while hidden).
  Integer ColWidths(Integer Index) const;
  void SetColWidths(Integer Index, Integer Value);
  // Index > 0: table row; 0: the heading row; < 0: the attribute row.
  Integer RowHeights(Integer Index) const;
  void SetRowHeights(Integer Index, Integer Value);
  Integer DefaultColWidth() const { return TCustomGrid::DefaultColWidth(); }  // 64
  void SetDefaultColWidth(Integer v);
  // First visible table column / row.
  Integer LeftCol() const { return TCustomGrid::LeftCol() - FColOffset; }
  void SetLeftCol(Integer v);
  Integer TopRow() const { return TCustomGrid::TopRow() - FRowOffset; }
  void SetTopRow(Integer v);
  // Measures and sets a width: ColNr -1 the attribute column, 0 the row names, 1.. table columns.
  Integer AutoColWidth(Integer ColNr, bool IncludeHeader, Integer Addon);
  // All columns (row names and attribute column included).
  void AutoColWidths(bool IncludeHeader, Integer Addon);
  // The height a row of the font needs, set with RowHeights[RowNr].
  Integer AutoRowHeight(Integer RowNr, Integer Addon);

  // --- published settings
  const String& EmptyMessage() const { return FEmptyMsg; }  // ""; "|" separates lines
  void SetEmptyMessage(const String& v);
  TColor ColorEmptyMsg() const { return FColorEmptyMsg; }  // clBlack
  void SetColorEmptyMsg(TColor v);
  TColor ColorBackground() const { return Color(); }  // clWindow; the control's Color
  void SetColorBackground(TColor v);
  TColor ColorFixed() const { return FixedColor(); }  // clBtnFace; the grid's FixedColor
  void SetColorFixed(TColor v);
  TColor ColorNormal() const { return FColorNormal; }  // 0x002000
  void SetColorNormal(TColor v) { SetLayoutColor(FColorNormal, v); }
  TColor ColorSelected() const { return FColorSelected; }  // 0x404040
  void SetColorSelected(TColor v) { SetLayoutColor(FColorSelected, v); }
  TColor ColorMarkedA() const { return FColorMarkedA; }  // clRed
  void SetColorMarkedA(TColor v) { SetLayoutColor(FColorMarkedA, v); }
  TColor ColorMarkedB() const { return FColorMarkedB; }  // clBlue
  void SetColorMarkedB(TColor v) { SetLayoutColor(FColorMarkedB, v); }
  TColor ColorMarkedBoth() const { return FColorMarkedBoth; }  // 0xCC00BB
  void SetColorMarkedBoth(TColor v) { SetLayoutColor(FColorMarkedBoth, v); }
  TColor ColorRangeSelFG() const { return FColorRangeSelFG; }  // 0x80552C
  void SetColorRangeSelFG(TColor v) { SetLayoutColor(FColorRangeSelFG, v); }
  TColor ColorRangeSelBG() const { return FColorRangeSelBG; }  // 0xF8E8E0
  void SetColorRangeSelBG(TColor v) { SetLayoutColor(FColorRangeSelBG, v); }
  bool BoldMarks() const { return FBoldMarks; }  // true
  void SetBoldMarks(bool v);
  bool BoldSelHeads() const { return FBoldSelHeads; }  // true
  void SetBoldSelHeads(bool v);
  Integer NumWidth() const { return FNumWidth; }  // 1; only 1 .. 20 is taken
  void SetNumWidth(Integer v);
  double VRangeLow() const { return FVRangeLow; }  // 0; no clamping while both bounds are 0
  void SetVRangeLow(double v) { FVRangeLow = v; }
  double VRangeHigh() const { return FVRangeHigh; }  // 0
  void SetVRangeHigh(double v) { FVRangeHigh = v; }
  bool DataReadOnly() const { return FReadOnly; }  // false
  void SetDataReadOnly(bool v);
  bool AutoAdvance() const { return FAutoAdvance; }  // true: Enter moves on
  void SetAutoAdvance(bool v) { FAutoAdvance = v; }
  TOrientation AutoAdvanceDir() const { return FAutoAdvDir; }  // orVertical: down; orHorizontal: right
  void SetAutoAdvanceDir(TOrientation v) { FAutoAdvDir = v; }
  bool ShowCellCursor() const { return FShowCellCursor; }  // true
  void SetShowCellCursor(bool v);
  bool OptimizeRowHeight() const { return FOptRowHeight; }  // false
  void SetOptimizeRowHeight(bool v);
  Integer NomEditDropDownCount() const { return FDropdownCount; }  // 8
  void SetNomEditDropDownCount(Integer v);
  bool ClipboardUseFullPrec() const { return FClipUseFullPrec; }  // true
  void SetClipboardUseFullPrec(bool v) { FClipUseFullPrec = v; }
  bool BlockInternalPopup() const { return FBlockIntPopup; }  // false
  void SetBlockInternalPopup(bool v) { FBlockIntPopup = v; }
  bool CommentEditingAllowed() const { return FCommEdAllowed; }  // true
  void SetCommentEditingAllowed(bool v) { FCommEdAllowed = v; }
  // Painting and notifications off; switching it off repaints.
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool v);

  // --- menus
  TPopupMenu* PopupD() const { return FPopupD; }
  TPopupMenu* PopupH() const { return FPopupH; }
  Integer PopupDMask() const { return FPopupDMask; }  // 0x7FFFFFFF: bit n-1 enables and shows data item n
  void SetPopupDMask(Integer v);
  Integer PopupHMask() const { return FPopupHMask; }  // 0x7FFFFFFF: bit n-1 enables heading item n
  void SetPopupHMask(Integer v);
  String PopupDCaptions(Integer Index) const;
  void SetPopupDCaptions(Integer Index, const String& Value);
  String PopupHCaptions(Integer Index) const;
  void SetPopupHCaptions(Integer Index, const String& Value);
  String PopupMCaptions(Integer Index) const;
  void SetPopupMCaptions(Integer Index, const String& Value);
  String PopupUCaptions(Integer Index) const;
  void SetPopupUCaptions(Integer Index, const String& Value);
  // The grid cell under the last press or release: what the heading menu acts on.
  TGridCoord PopupTarget() const { return FPopupTarget; }
  bool CommentEditorOpen() const { return FCommentOpen; }
  bool HeadingEditorOpen() const { return FNameEd && FNameEd->Visible(); }
  TEdit* HeadingEditor() const { return FNameEd; }
  TMemo* CommentEditor() const { return FCommentMM; }

  // --- menu actions (also callable directly; they act on the selection or the popup target)
  void MarkSelection(Byte Bit, bool Set, Integer What);  // What: 1 range, 2 columns, 3 rows, 4 all
  void ClearSelection(TObject* Sender = nullptr);
  void ToggleEmptySelection();
  void ResetAllEmptyStates();
  void SelectAllData();
  void SelectTargetColumn();
  void SelectTargetRow();
  void EditHeading();
  void ChangePrecision();
  void OpenCommentEditor();

  // --- clipboard
  // The selection into the editor's copy buffer and onto the clipboard as text.
  void Copy();
  // The copy buffer at the selection's top-left cell (cut at the table's edge).
  void Paste();
  bool PasteAvailable() const { return FDataCopyAvail; }
  // Numbers of the clipboard's text into the table from the selection's top-left cell on.
  void ExtractFromClipboard();
  // Columns and rows of numbers in the clipboard's text; false when it holds none.
  bool GetClipMatrixSize(Integer& NCols, Integer& NRows) const;
  // The text Copy puts on the clipboard for a block of table cells.
  String ClipText(Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow) const;
  // Extraction and measuring of a given text (what the clipboard calls do with the clipboard's).
  void ExtractFromText(const String& Text);
  static bool ClipMatrixSizeOf(const String& Text, Integer& NCols, Integer& NRows);

  // --- number text
  // A value as a data cell of column ColNr shows it (precision and NumWidth), states not considered.
  String NumberText(double x, Integer ColNr) const;
  // What the data cell shows: "", "-nan-", a nominal identifier or the number text.
  String CellText(Integer ACol, Integer ARow) const;

  // --- events
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }
  const TNotifyEvent& OnChangeSetup() const { return FOnChangeSetup; }
  void SetOnChangeSetup(TNotifyEvent e) { FOnChangeSetup = std::move(e); }
  const TNotifyEvent& OnHeadingChanged() const { return FOnHeadingChanged; }
  void SetOnHeadingChanged(TNotifyEvent e) { FOnHeadingChanged = std::move(e); }
  const TNotifyEvent& OnAttributeChanged() const { return FOnAttributeChanged; }
  void SetOnAttributeChanged(TNotifyEvent e) { FOnAttributeChanged = std::move(e); }
  const TNotifyEvent& OnCellStateChanged() const { return FOnCellStateChanged; }
  void SetOnCellStateChanged(TNotifyEvent e) { FOnCellStateChanged = std::move(e); }
  const TNotifyEvent& OnEmptyStChanged() const { return FOnEmptyStChanged; }
  void SetOnEmptyStChanged(TNotifyEvent e) { FOnEmptyStChanged = std::move(e); }
  const TNotifyEvent& OnLayoutChanged() const { return FOnLayoutChanged; }
  void SetOnLayoutChanged(TNotifyEvent e) { FOnLayoutChanged = std::move(e); }
  const TNotifyEvent& OnSelectionChanged() const { return FOnSelectionChanged; }
  void SetOnSelectionChanged(TNotifyEvent e) { FOnSelectionChanged = std::move(e); }
  const TNotifyEvent& OnTopLeftChanged() const { return FOnTopLeftChanged; }
  void SetOnTopLeftChanged(TNotifyEvent e) { FOnTopLeftChanged = std::move(e); }
  const TOnPercentDoneEvent& OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent e) { FOnPercentDone = std::move(e); }
  const TBeforePopupEvent& OnBeforePopup() const { return FOnBeforePopup; }
  void SetOnBeforePopup(TBeforePopupEvent e) { FOnBeforePopup = std::move(e); }
  const TBeforeRenderCellEvent& OnBeforeRenderCell() const { return FOnBeforeRenderCell; }
  void SetOnBeforeRenderCell(TBeforeRenderCellEvent e) { FOnBeforeRenderCell = std::move(e); }
  // Replaces the clearing of the selection by the data menu's "Clear" (Sender: the menu item).
  const TNotifyEvent& OnClear() const { return FOnClear; }
  void SetOnClear(TNotifyEvent e) { FOnClear = std::move(e); }
  const TNotifyEvent& OnPaste() const { return FOnPaste; }
  void SetOnPaste(TNotifyEvent e) { FOnPaste = std::move(e); }
  const TGetEditEvent& OnGetEditText() const { return FOnGetEditText; }
  void SetOnGetEditText(TGetEditEvent e) { FOnGetEditText = std::move(e); }
  const TSetEditEvent& OnSetEditText() const { return FOnSetEditText; }
  void SetOnSetEditText(TSetEditEvent e) { FOnSetEditText = std::move(e); }

  void Paint() override;

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  void TopLeftChanged() override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
  TEditStyle GetEditStyle(Integer ACol, Integer ARow) override;
  void GetPickListItems(Integer ACol, Integer ARow, TStrings* Items) override;
  bool CanEditShow() const override;
  // Keys: Shift+F10 or the menu key opens the data menu at the current cell (when no PopupMenu is
  // set), Ctrl+Shift+F10 or Ctrl+menu key the heading menu of the current column.
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
 public:
  void DefaultHandler(TMessage& Message) override;
 protected:
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void FontChanged() override;

  // Each fires its event unless painting is suppressed.
  void ChangedData();
  void ChangedSetup();
  void ChangedHeading();
  void ChangedAttrib();
  void ChangedLayout();
  void ChangedCellStates();
  void ChangedEmptyStates();
  void ChangedSelection();

 private:
  class TInternSuppress;
  bool Suppressed() const { return FSuppressPaint || FInternSuppPaint; }
  // Paints now unless suppressed.
  void PaintView();
  void InstallCallbacks(TDataTable* T);
  void RemoveCallbacks(TDataTable* T);
  void AttachDataCallback(bool On);
  void DataHasChanged();
  void SetupHasChanged();
  void DataHasBeenResized(Integer OldCols, Integer NewCols, Integer NewRows);
  void NTPercDone(Integer Percent);
  void ExchangeDuringSort(TSortExchgKind What, Integer Index1, Integer Index2);
  // Grid counts and fixed stripes from the table's size.
  void FollowTableSize();
  // Precision array to n columns, new ones at p.
  void ResizePrecisions(Integer n, int8_t p);
  void SetMarkBit(Integer ACol, Integer ARow, Byte Bit, bool Value);
  // Sets or clears Bits in every cell; a whole-table pass.
  void SetAllStateBits(Byte Bits, bool Set);
  // The same, quietly, then a repaint and the cell-state event.
  void ChangeAllStateBits(Byte Bits, bool Set);
  Integer CountStateBit(Byte Bit) const;
  void SetLayoutColor(TColor& Field, TColor v);
  double ClampToRange(double v) const;
  bool RangeActive() const { return FVRangeLow != 0 || FVRangeHigh != 0; }
  // The selection in table indices, cut to the table; false when it holds no data cell.
  bool TableSelection(Integer& L, Integer& T, Integer& R, Integer& B) const;
  void SelectTableBlock(Integer L, Integer T, Integer R, Integer B);
  void SetGridEditing(bool On);
  // Ctrl+C, Ctrl+V, Ctrl+A, Delete (and the Insert forms) outside the cell editor; true when taken.
  bool ClipboardKey(Word Key, TShiftState Shift);
  bool CellProtected(Integer ACol, Integer ARow) const;  // grid indices
  void PaintCorner();
  void DrawDataCell(Integer ACol, Integer ARow, const TRect& Rect, TGridDrawState AState);
  void DrawFixedCell(Integer ACol, Integer ARow, TRect Rect);
  void PaintEmptyMessage();
  bool IsNominal(Integer c) const;
  Integer NominalValue(Integer c, Integer r) const;
  void CreateMenus();
  void PrepareDataMenu();
  void PrepareHeadMenu(bool Column);
  void OpenDataMenu(Integer X, Integer Y);
  void OpenHeadMenu(Integer ACol, Integer ARow);
  // The data menu at the current cell, or the heading menu of its column.
  void OpenMenuFromKeyboard(bool Heading);
  void OutlineCell(Integer ACol, Integer ARow);
  void PaintOutline();
  void ReopenHeadMenu();
  void ApplyDMask();
  void ApplyHMask();
  void NameEdKeyPress(char16_t& Key);
  void CommentKeyPress(char16_t& Key);
  void CloseCommentEditor(bool Store);
  void UnmarkAllCellsAction();
  void HeadInsert();
  void HeadDelete();
  void HeadSelect();

  bool FExtMatAssigned = false;
  std::unique_ptr<TDataTable> FOwnData;
  std::unique_ptr<TDataTable> FDataCopy;
  bool FDataCopyAvail = false;
  String FLastCopyText;  // what Copy put on the clipboard
  Integer FColOffset = 1, FRowOffset = 0;
  Integer FClassColWidth = 32;
  std::vector<int8_t> FDecP;
  Integer FNumWidth = 1;
  double FVRangeLow = 0, FVRangeHigh = 0;
  String FEmptyMsg;
  TColor FColorEmptyMsg = clBlack;
  bool FReadOnly = false;
  bool FSuppressPaint = false, FInternSuppPaint = true;
  bool FSortIncludeHd = false;
  bool FAutoAdvance = true;
  TOrientation FAutoAdvDir = orVertical;
  bool FShowCellCursor = true, FBoldMarks = true, FBoldSelHeads = true;
  bool FCommEdAllowed = true, FBlockIntPopup = false, FClipUseFullPrec = true;
  bool FOptRowHeight = false;
  Integer FDropdownCount = 8;
  std::unique_ptr<TStringList> FColPickList;
  TEdit* FNameEd = nullptr;
  TMemo* FCommentMM = nullptr;
  bool FCommentOpen = false;
  TGridCoord FNameEdCell{-1, -1};
  TGridRect FOldSel{-1, -1, -1, -1};
  TColor FColorNormal = 0x002000, FColorSelected = 0x404040, FColorMarkedA = clRed, FColorMarkedB = clBlue,
         FColorMarkedBoth = 0xCC00BB, FColorRangeSelFG = 0x80552C, FColorRangeSelBG = 0xF8E8E0;
  // Menus (owned), their items by number (index 0 unused) and masks.
  TPopupMenu* FPopupD = nullptr;
  TPopupMenu* FPopupH = nullptr;
  TMenuItem* FDItems[NTabEdDataItems + 1] = {};
  TMenuItem* FHItems[NTabEdHeadItems + 1] = {};
  TMenuItem* FMarkItems[4][5] = {};  // mark A, mark B, unmark A, unmark B; items 1 .. 4
  Integer FPopupDMask = 0x7FFFFFFF, FPopupHMask = 0x7FFFFFFF;
  bool FHeadTargetIsCol = true;
  TGridCoord FOutlined{-1, -1};  // heading outlined while its menu is open
  // Mouse memory of this editor: the popup target and the previous press.
  TGridCoord FPopupTarget{0, 0};
  TPoint FPrevPress{-1, -1};
  TNotifyEvent FOnChange, FOnChangeSetup, FOnHeadingChanged, FOnAttributeChanged, FOnCellStateChanged,
      FOnEmptyStChanged, FOnLayoutChanged, FOnSelectionChanged, FOnTopLeftChanged, FOnClear, FOnPaste;
  TOnPercentDoneEvent FOnPercentDone;
  TBeforePopupEvent FOnBeforePopup;
  TBeforeRenderCellEvent FOnBeforeRenderCell;
  TGetEditEvent FOnGetEditText;
  TSetEditEvent FOnSetEditText;
};

}  // namespace jox
