// Grids: TCustomGrid (cells laid out in rows and columns, fixed header rows and columns, scrolling by
// whole rows and columns, selection, keyboard and mouse, sizing by dragging, the in-place editor) and
// TCustomDrawGrid (the grid whose cells the application or a component draws).
// Sections: [types] [axis] [inplace-edit] [grid] [drawgrid]
//
// Writing a grid component: derive from TCustomDrawGrid, set ColCount/RowCount, override DrawCell (the
// one drawing hook, called for every visible cell and nothing else) and, for editing, GetEditText and
// SetEditText. Coordinates are the grid's own, 0-based, fixed rows and columns included; pixel
// positions are client coordinates (the cells start inside the border, at the client origin).
//
// Cost: locating the pixel of a row, or the row under a pixel, never walks the rows. Sizes are the
// default with a sparse, sorted set of exceptions and running sums of their differences, so a
// million rows cost what a page costs in painting, hit-testing and scrolling.
#pragma once

#include <memory>
#include <vector>

#include "package/framework/controls/controls.h"
#include "package/framework/controls/scrolling.h"
#include "package/framework/controls/stdctrls.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------------------
enum TGridOption : uint8_t {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected, goRowSizing,
  goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking
};
// A set of TGridOption: `Options() & goEditing` tests, `goVertLine | goHorzLine` builds.
struct TGridOptions {
  uint32_t bits = 0;
  constexpr TGridOptions() = default;
  constexpr TGridOptions(TGridOption o) : bits(1u << o) {}
  constexpr explicit TGridOptions(uint32_t b) : bits(b) {}
  constexpr bool Contains(TGridOption o) const { return (bits >> o) & 1u; }
  constexpr bool operator&(TGridOption o) const { return Contains(o); }
  constexpr TGridOptions operator|(TGridOptions o) const { return TGridOptions(bits | o.bits); }
  constexpr TGridOptions operator-(TGridOption o) const { return TGridOptions(bits & ~(1u << o)); }
  constexpr TGridOptions& operator|=(TGridOptions o) { bits |= o.bits; return *this; }
  friend constexpr bool operator==(TGridOptions, TGridOptions) = default;
};
constexpr TGridOptions operator|(TGridOption a, TGridOption b) { return TGridOptions(a) | TGridOptions(b); }

enum TGridDrawStateFlag : uint8_t { gdSelected, gdFocused, gdFixed };
struct TGridDrawState {
  Byte bits = 0;
  constexpr TGridDrawState() = default;
  constexpr TGridDrawState(TGridDrawStateFlag f) : bits(Byte(1u << f)) {}
  constexpr bool operator&(TGridDrawStateFlag f) const { return (bits >> f) & 1u; }
  constexpr TGridDrawState& operator|=(TGridDrawStateFlag f) { bits = Byte(bits | (1u << f)); return *this; }
  friend constexpr bool operator==(TGridDrawState, TGridDrawState) = default;
};

struct TGridCoord {
  Integer X = 0, Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};
// A block of cells; Right and Bottom are included (unlike TRect).
struct TGridRect {
  Integer Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(Integer ACol, Integer ARow) const {
    return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
  }
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

enum TGridState : uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
// How the default drawing paints fixed cells: classic raised cells, themed flat headers with a
// separator line, or a vertical gradient from GradientStartColor to GradientEndColor.
enum TGridDrawingStyle : uint8_t { gdsClassic, gdsThemed, gdsGradient };
enum TEditStyle : uint8_t { esSimple, esEllipsis, esPickList };

class TCustomGrid;
class TDropDownList;

// [axis] ---------------------------------------------------------------------------------------------------
// Sizes of the rows (or columns) of a grid: a default and a sorted set of exceptions. Offsets come
// from the index times the default plus the running sum of the exceptions' differences, so both
// directions (index to pixel, pixel to index) cost a binary search, not a walk.
class TGridAxis {
 public:
  Integer Count() const { return FCount; }
  void SetCount(Integer n);  // exceptions at or beyond the new count are dropped
  Integer Default() const { return FDefault; }
  void SetDefault(Integer v);  // drops every exception, as changing a default size does
  Integer Size(Integer i) const;
  void SetSize(Integer i, Integer v);
  // Sum of the sizes (each plus Line) of the items before i.
  Int64 Offset(Integer i, Integer Line) const;
  // The item whose extent (with its line) holds the offset Pos; Count when Pos lies beyond the last.
  Integer IndexAt(Int64 Pos, Integer Line) const;
  // Moves the exceptions at or behind At by Delta places (inserting or removing items).
  void Shift(Integer At, Integer Delta);
  // Item From moves to place To; the items between close up (a row or column dragged elsewhere).
  void Move(Integer From, Integer To);
  // Every size, the default and the exceptions, times K (a form's scale).
  void Scale(double K);

 private:
  void Rebuild();
  Integer FCount = 0;
  Integer FDefault = 24;
  std::vector<std::pair<Integer, Integer>> FEx;  // (index, size), sorted by index
  std::vector<Int64> FPrefix;                    // FPrefix[k]: sum of differences of FEx[0..k)
};

// [inplace-edit] -------------------------------------------------------------------------------------------
// The edit box a grid shows over its current cell. The grid owns it, places it, and decides when an
// edit begins, is committed and is cancelled (TCustomGrid::ShowEditor, CommitEdit, CancelEdit).
// Keys the edit does not use (Up, Down, PgUp, PgDn, Tab, Enter, Escape, and Left/Right at its ends)
// go to the grid.
class TInplaceEdit : public TCustomEdit {
 public:
  explicit TInplaceEdit(TComponent* AOwner);
  ~TInplaceEdit() override;
  TCustomGrid* Grid() const { return FGrid; }
  TEditStyle EditStyle() const { return FEditStyle; }
  // Items of the pick list (esPickList).
  TStrings* PickList() const { return FPickList.get(); }
  bool ListVisible() const;
  // Items the pick list shows at once (8); at least 1.
  Integer DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(Integer v) { FDropDownRows = v < 1 ? 1 : v; }
  void DropDown();
  // Takes the list's item under the mouse or the highlighted one; CloseUp(false) only closes.
  void CloseUp(bool Accept);
  // The grid's mask of the cell being edited (OnGetEditMask): each character of the part before
  // the first ';' stands for one typed character: 0 digit, 9 digit or blank, # digit, sign or
  // blank, L A letter (a also a digit), l a letter or blank, C c any; > and < switch to upper and
  // lower case, \ makes the next character literal; any other character is a literal that typing
  // puts in by itself. Typed characters that do not fit, and any beyond the mask, are refused.
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& v) { FEditMask = v; }
  // Width of the button at the right of an ellipsis or pick-list editor.
  static constexpr Integer ButtonWidth = 17;
  void Paint() override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DoExit() override;
  // Puts a typed character where the mask allows it (literals before it go in too); false when
  // the mask refuses it.
  bool TypeMasked(char16_t Ch);

 private:
  friend class TCustomGrid;
  TRect ButtonRect() const;
  TCustomGrid* FGrid = nullptr;
  TEditStyle FEditStyle = esSimple;
  String FEditMask;
  Integer FDropDownRows = 8;
  std::unique_ptr<TStrings> FPickList;
  std::unique_ptr<TDropDownList> FList;
};

// [grid] ---------------------------------------------------------------------------------------------------
// Defaults: ColCount 5, RowCount 5, FixedCols 1, FixedRows 1, DefaultColWidth 64, DefaultRowHeight 24,
// GridLineWidth 1, Options goFixedVertLine|goFixedHorzLine|goVertLine|goHorzLine|goRangeSelect,
// ScrollBars ssBoth, BorderStyle bsSingle, Color clWindow, FixedColor clBtnFace, DefaultDrawing true,
// TabStop true. The scroll bars are the scrolling base's, in rows and columns: the vertical bar runs
// from FixedRows to RowCount - 1 and its position is TopRow; the horizontal one likewise for LeftCol.
class TCustomGrid : public TCustomScrollControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // --- dimensions
  Integer ColCount() const { return FCols.Count(); }
  void SetColCount(Integer v);  // at least 1; FixedCols stays below it
  Integer RowCount() const { return FRows.Count(); }
  void SetRowCount(Integer v);
  Integer FixedCols() const { return FFixedCols; }
  void SetFixedCols(Integer v);  // 0 .. ColCount - 1
  Integer FixedRows() const { return FFixedRows; }
  void SetFixedRows(Integer v);
  Integer DefaultColWidth() const { return FCols.Default(); }
  void SetDefaultColWidth(Integer v);  // resets every column to it
  Integer DefaultRowHeight() const { return FRows.Default(); }
  void SetDefaultRowHeight(Integer v);
  // Outside the range: reads give the default, writes are ignored. Negative sizes become 0 (hidden).
  Integer ColWidths(Integer Index) const { return FCols.Size(Index); }
  void SetColWidths(Integer Index, Integer v);
  Integer RowHeights(Integer Index) const { return FRows.Size(Index); }
  void SetRowHeights(Integer Index, Integer v);
  Integer GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer v);
  TGridOptions Options() const { return FOptions; }
  virtual void SetOptions(TGridOptions v);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor v);
  void SetScrollBars(TScrollStyle v);
  // bsSingle: a sunken frame around the client area (and the bars); bsNone: none.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool v) { FDefaultDrawing = v; Invalidate(); }
  // Look of the fixed cells in the default drawing (gdsClassic); the gradient runs from
  // GradientStartColor (clWhite) at the top to GradientEndColor (clBtnFace) at the bottom.
  TGridDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TGridDrawingStyle v);
  TColor GradientStartColor() const { return FGradientStartColor; }
  void SetGradientStartColor(TColor v);
  TColor GradientEndColor() const { return FGradientEndColor; }
  void SetGradientEndColor(TColor v);

  // --- position
  // First scrolling row / column shown.
  Integer TopRow() const { return FTopLeft.Y; }
  void SetTopRow(Integer v);
  Integer LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(Integer v);
  // The current cell (the focused one).
  Integer Row() const { return FCurrent.Y; }
  void SetRow(Integer v);
  Integer Col() const { return FCurrent.X; }
  void SetCol(Integer v);
  // The selected block: from the anchor to the current cell (whole rows with goRowSelect).
  TGridRect Selection() const;
  // Makes Value's top-left the current cell and its bottom-right the anchor (clamped).
  void SetSelection(const TGridRect& Value);
  // Scrolling rows and columns that fit wholly in the client area from TopRow / LeftCol on.
  Integer VisibleRowCount() const;
  Integer VisibleColCount() const;

  // --- geometry (control coordinates)
  // The cell's rectangle; empty when the cell is not visible.
  TRect CellRect(Integer ACol, Integer ARow) const;
  // The cell under a point; (-1, -1) outside the cells.
  TGridCoord MouseCoord(Integer X, Integer Y) const;
  void MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const;

  // --- invalidation: only the cells given are painted again
  void InvalidateCell(Integer ACol, Integer ARow);
  void InvalidateRow(Integer ARow) { InvalidateRows(ARow, ARow); }
  void InvalidateRows(Integer First, Integer Last);
  void InvalidateCol(Integer ACol);
  void InvalidateGrid() { Invalidate(); }

  // --- editing: begin (ShowEditor), commit (CommitEdit: the text goes to SetEditText), cancel
  // (CancelEdit: the cell keeps its text). HideEditor commits, as leaving a cell does.
  bool EditorMode() const { return FInplaceEdit != nullptr && FInplaceEdit->Visible(); }
  void SetEditorMode(bool v);
  void ShowEditor();
  void HideEditor();
  void CommitEdit();
  void CancelEdit();
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

  TGridState GridState() const { return FGridState; }

  void Paint() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  // Column widths and row heights grow with the form's scale.
  void ChangeScale(double K) override;

  JOX_CLASS_TABLE

 protected:
  Integer NonClientFrame() const override { return FBorderStyle == bsSingle ? 2 : 0; }
  // The bottom-left corner of the current cell (the centre when it is scrolled away).
  TPoint PopupPoint() const override;
  // The one drawing hook: draws cell (ACol, ARow) into ARect. The base fills it (DefaultDrawing).
  virtual void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState);
  // Whether (ACol, ARow) may become the current cell.
  virtual bool SelectCell(Integer ACol, Integer ARow) { return true; }
  virtual void TopLeftChanged() {}
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  // Editing hooks: the text the editor starts with, and where a committed text goes.
  virtual String GetEditText(Integer ACol, Integer ARow) { return String(); }
  virtual void SetEditText(Integer ACol, Integer ARow, const String& Value) {}
  virtual bool CanEditShow() const;
  virtual TEditStyle GetEditStyle(Integer ACol, Integer ARow) { return esSimple; }
  virtual Integer GetEditLimit() { return 0; }
  // Fills the pick list of an esPickList editor.
  virtual void GetPickListItems(Integer ACol, Integer ARow, TStrings* Items) {}
  virtual void EditButtonClick() {}
  // The edit mask of a cell (see TInplaceEdit::EditMask); "" for none.
  virtual String GetEditMask(Integer ACol, Integer ARow) { return String(); }
  // Rows and columns moved by dragging a fixed cell (goRowMoving, goColMoving): sizes, the current
  // cell and the selection follow, then RowMoved / ColumnMoved tell the grid's owner of the data.
  void MoveRow(Integer FromIndex, Integer ToIndex);
  void MoveColumn(Integer FromIndex, Integer ToIndex);
  virtual void RowMoved(Integer FromIndex, Integer ToIndex) {}
  virtual void ColumnMoved(Integer FromIndex, Integer ToIndex) {}
  // Moves the current cell (scrolling it into view); MoveAnchor false extends the selection.
  void FocusCell(Integer ACol, Integer ARow, bool MoveAnchor);
  void MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
  // Scrolls so that the cell is wholly visible.
  void ScrollToCell(Integer ACol, Integer ARow);
  void MoveTopLeft(Integer ALeft, Integer ATop);

  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  // Both repaint the current row: its focus look follows the focus.
  void DoEnter() override;
  void DoExit() override;
  // Bar actions move TopRow / LeftCol; without goThumbTracking a dragged thumb moves them on release.
  void Scroll(TScrollBarKind Kind, TScrollCode Code, Integer ThumbPos) override;
  void ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) override;

  // Highest TopRow / LeftCol that still fills the client area.
  Integer MaxTopRow() const;
  Integer MaxLeftCol() const;
  bool FixedCell(Integer ACol, Integer ARow) const { return ACol < FFixedCols || ARow < FFixedRows; }

 private:
  friend class TInplaceEdit;
  // Gives the scroll bars the current range, page and position.
  void UpdateScrollBars();
  Integer FixedWidth() const;
  Integer FixedHeight() const;
  // x (or y) of a column (row) in control coordinates, or INT_MIN when it is scrolled out.
  bool ColSpan(Integer ACol, Integer& L, Integer& R) const;
  bool RowSpan(Integer ARow, Integer& T, Integer& B) const;
  Integer LastVisibleCol() const;
  Integer LastVisibleRow() const;
  void InvalidateBlock(const TGridRect& g);
  void InvalidateArea(const TRect& r);
  void ClampPosition();
  void UpdateEditor();
  void PlaceEditor();
  bool SizingBorderAt(Integer X, Integer Y, TScrollBarKind& Kind, Integer& Index) const;
  // Drag selection towards the pointer, scrolling one row or column past an edge; while the
  // pointer stays outside, a timer repeats the step.
  void SelectTowards(Integer X, Integer Y);
  void StopSelectScroll();
  void SelectScrollTimer(TMessage& Message);
  // Where a dragged row or column would go for the pointer at X, Y.
  Integer MoveTarget(Integer X, Integer Y) const;
  void PaintMoveMark(TCanvas* C);
  void PaintFixedCell(TCanvas* C, const TRect& Cell);

  TGridAxis FCols, FRows;
  Integer FFixedCols = 1, FFixedRows = 1;
  Integer FGridLineWidth = 1;
  TGridOptions FOptions;
  TColor FFixedColor = clBtnFace;
  TBorderStyle FBorderStyle = bsSingle;
  bool FDefaultDrawing = true;
  TGridDrawingStyle FDrawingStyle = gdsClassic;
  TColor FGradientStartColor = clWhite, FGradientEndColor = clBtnFace;
  TGridCoord FTopLeft{1, 1};
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridState FGridState = gsNormal;
  Integer FSizingIndex = -1, FSizingPos = 0, FSizingOrigin = 0;
  Integer FMoveIndex = -1, FMovePos = -1;  // a row or column being dragged, and where it would go
  TPoint FSelectPoint;                      // last pointer position of a drag selection
  bool FSelectTimer = false;
  TInplaceEdit* FInplaceEdit = nullptr;
  TGridCoord FEditCell{-1, -1};
  String FEditOriginal;
  bool FEditing = false;  // re-entry guard of commit and cancel
};

// [drawgrid] -----------------------------------------------------------------------------------------------
using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const TRect& Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;
using TGetPickListEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TStrings* Items)>;
using TGetEditStyleEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditStyle& Style)>;

// A grid whose cells are drawn by OnDrawCell (or by a component overriding DrawCell).
class TCustomDrawGrid : public TCustomGrid {
 public:
  explicit TCustomDrawGrid(TComponent* AOwner);

  const TDrawCellEvent& OnDrawCell() const { return FOnDrawCell; }
  void SetOnDrawCell(TDrawCellEvent e) { FOnDrawCell = std::move(e); }
  const TSelectCellEvent& OnSelectCell() const { return FOnSelectCell; }
  void SetOnSelectCell(TSelectCellEvent e) { FOnSelectCell = std::move(e); }
  const TGetEditEvent& OnGetEditText() const { return FOnGetEditText; }
  void SetOnGetEditText(TGetEditEvent e) { FOnGetEditText = std::move(e); }
  const TSetEditEvent& OnSetEditText() const { return FOnSetEditText; }
  void SetOnSetEditText(TSetEditEvent e) { FOnSetEditText = std::move(e); }
  // The edit mask of a cell, asked for when its editor opens.
  const TGetEditEvent& OnGetEditMask() const { return FOnGetEditMask; }
  void SetOnGetEditMask(TGetEditEvent e) { FOnGetEditMask = std::move(e); }
  const TMovedEvent& OnRowMoved() const { return FOnRowMoved; }
  void SetOnRowMoved(TMovedEvent e) { FOnRowMoved = std::move(e); }
  const TMovedEvent& OnColumnMoved() const { return FOnColumnMoved; }
  void SetOnColumnMoved(TMovedEvent e) { FOnColumnMoved = std::move(e); }
  const TNotifyEvent& OnTopLeftChanged() const { return FOnTopLeftChanged; }
  void SetOnTopLeftChanged(TNotifyEvent e) { FOnTopLeftChanged = std::move(e); }
  // Editor style per cell and the items of a pick list.
  const TGetEditStyleEvent& OnGetEditStyle() const { return FOnGetEditStyle; }
  void SetOnGetEditStyle(TGetEditStyleEvent e) { FOnGetEditStyle = std::move(e); }
  const TGetPickListEvent& OnGetPickListItems() const { return FOnGetPickListItems; }
  void SetOnGetPickListItems(TGetPickListEvent e) { FOnGetPickListItems = std::move(e); }
  const TNotifyEvent& OnEditButtonClick() const { return FOnEditButtonClick; }
  void SetOnEditButtonClick(TNotifyEvent e) { FOnEditButtonClick = std::move(e); }

  JOX_CLASS_TABLE

 protected:
  // Fires OnDrawCell.
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(Integer ACol, Integer ARow) override;
  void TopLeftChanged() override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
  TEditStyle GetEditStyle(Integer ACol, Integer ARow) override;
  void GetPickListItems(Integer ACol, Integer ARow, TStrings* Items) override;
  void EditButtonClick() override;
  String GetEditMask(Integer ACol, Integer ARow) override;
  void RowMoved(Integer FromIndex, Integer ToIndex) override;
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;

 private:
  TDrawCellEvent FOnDrawCell;
  TSelectCellEvent FOnSelectCell;
  TGetEditEvent FOnGetEditText, FOnGetEditMask;
  TSetEditEvent FOnSetEditText;
  TMovedEvent FOnRowMoved, FOnColumnMoved;
  TNotifyEvent FOnTopLeftChanged, FOnEditButtonClick;
  TGetEditStyleEvent FOnGetEditStyle;
  TGetPickListEvent FOnGetPickListItems;
};

// The draw grid as forms place it.
class TDrawGrid : public TCustomDrawGrid {
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
  JOX_CLASS_TABLE
};

}  // namespace jox
