// The marker selector: the 52 marker symbols of DrawMarkOnCanvas in a grid of cells, the symbol
// under the pointer highlighted, a click choosing one. Hidden symbols leave no gap.
#pragma once

#include <algorithm>
#include <array>
#include <functional>

#include "package/core/coretypes.h"
#include "package/core/drawing.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/controls.h"
#include "package/framework/graphics/graphics.h"

namespace jox {

// X, Y: the pointer in client coordinates; Mark: the symbol chosen.
using TMarkClickEvent = std::function<void(TObject* Sender, Integer X, Integer Y, Integer Mark)>;

// Setters of colours, frame, rows, columns and selection repaint at once when the value changes.
class TMarkSel : public TGraphicControl {
 public:
  static constexpr Integer DefWidth = 236, DefHeight = 178;
  static constexpr Integer DefNrOfColumns = 8, DefNrOfRows = 6, MaxCells = 51;
  static constexpr Integer DefSelected = -1, MaxMark = kNumMarkers - 1;
  static constexpr TFrameStyle DefFrameStyle = fsEngraved;
  static constexpr TColor DefColorBackGnd = clBtnFace, DefColorMarks = clBlack, DefColorSelBG = clWhite,
                          DefColorSelFG = clNavy, DefColorHiLiteBG = clRed, DefColorHiLiteSymbol = clWhite;
  // The looks of a disabled selector.
  static constexpr TColor DisabledMarks = clGray, DisabledBackGnd = clSilver, DisabledSelBG = 0xDEDEDE;

  explicit TMarkSel(TComponent* AOwner);

  void Paint() override;
  void Assign(TPersistent* Source) override;

  // --- grid
  // Cells across and down, 1..51 (other values are ignored); defaults 8 and 6. Symbols past the
  // last row lie below the control.
  Integer NrOfColumns() const { return FNrCols; }
  void SetNrOfColumns(Integer Value);
  Integer NrOfRows() const { return FNrRows; }
  void SetNrOfRows(Integer Value);
  // Symbol 0 is always shown; reading clamps below 0 to 0 and answers for symbol 0 past 51;
  // writing takes 1..51 and repaints.
  bool MarkVisible(Integer Ix) const;
  void SetMarkVisible(Integer Ix, bool Value);
  void ShowAllMarks();
  void HideAllMarks();
  // The selected symbol, -1..51 (others are ignored), default -1: none.
  Integer Selected() const { return FSelected; }
  void SetSelected(Integer Value);
  // Symbol 0 as a cross over its cell (default) or as DrawMarkOnCanvas draws it. Invalidates.
  bool ShowZeroAsCross() const { return FZeroAsCross; }
  void SetShowZeroAsCross(bool Value);
  // The visible symbol nearest to (X, Y); the lower number wins a tie.
  Integer MarkAt(Integer X, Integer Y);
  // Reference point of a visible symbol as last laid out.
  TPoint MarkCoords(Integer Ix) const { return FMarkCoords[std::clamp<Integer>(Ix, 0, MaxMark)]; }

  // --- looks
  TColor ColorBackGnd() const { return FColorBG; }  // default clBtnFace
  void SetColorBackGnd(TColor Value);
  TColor ColorMarks() const { return FColorFG; }  // symbols and frame border, default clBlack
  void SetColorMarks(TColor Value);
  TColor ColorSelBG() const { return FColorSelBG; }  // cell of the selected symbol, default clWhite
  void SetColorSelBG(TColor Value);
  TColor ColorSelFG() const { return FColorSelFG; }  // the selected symbol, default clNavy
  void SetColorSelFG(TColor Value);
  TColor ColorHiLiteBG() const { return FColorHiLite; }  // cell under the pointer, default clRed
  void SetColorHiLiteBG(TColor Value);
  TColor ColorHiLiteSymbol() const { return FColorHiSymb; }  // symbol under the pointer, default clWhite
  void SetColorHiLiteSymbol(TColor Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }  // default fsEngraved
  void SetFrameStyle(TFrameStyle Value);
  // Also the control's Enabled: disabled, the selector is grey and takes no mouse input.
  void SetEnabled(bool Value) override;

  // --- events
  const TMarkClickEvent& OnMarkClick() const { return FOnMarkClick; }
  void SetOnMarkClick(TMarkClickEvent E) { FOnMarkClick = std::move(E); }
  const TMarkClickEvent& OnMarkDblClick() const { return FOnMarkDblClick; }
  void SetOnMarkDblClick(TMarkClickEvent E) { FOnMarkDblClick = std::move(E); }
  // After every Paint.
  const TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent E) { FOnPaint = std::move(E); }

  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  // The selector is a tab stop. Arrows, Home/End and PgUp/PgDn move a focus rectangle over the
  // visible symbols; Space and Enter choose the focused one as a click does (OnMarkClick at its point).
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  // The symbol with the keyboard focus: the last one moved to, else the selected one, else 0.
  Integer FocusMark() const;
  struct TColors {
    TColor Marks, BackGnd, SelFG, SelBG;
  };
  TColors Colors() const;
  void CalcLayout();
  // The symbol of number Ix at its place, with the canvas's pen and brush.
  void DrawSymbol(TCanvas* C, Integer Ix);
  // Cell and symbol as Paint leaves them, and the highlighted look, drawn on the control.
  void RestoreMark(Integer Ix);
  void HighlightMark(Integer Ix);
  void WMButtonClick(TMessage& Message, bool Double);
  void CMMouseLeave(TMessage& Message);

  std::array<bool, kNumMarkers> FMarkVis;
  std::array<TPoint, kNumMarkers> FMarkCoords{};
  Integer FNrCols = DefNrOfColumns, FNrRows = DefNrOfRows;
  Integer FMarkDistHorz = 0, FMarkDistVert = 0;
  Integer FMarkMarginHorz = 0, FMarkMarginVert = 0;
  Integer FSelected = DefSelected;
  Integer FLastHiLite = 0;
  Integer FFocusMark = -1;
  bool FZeroAsCross = true;
  bool FEnabled = true;
  TFrameStyle FFrameStyle = DefFrameStyle;
  TColor FColorBG = DefColorBackGnd, FColorFG = DefColorMarks;
  TColor FColorSelBG = DefColorSelBG, FColorSelFG = DefColorSelFG;
  TColor FColorHiLite = DefColorHiLiteBG, FColorHiSymb = DefColorHiLiteSymbol;
  TMarkClickEvent FOnMarkClick, FOnMarkDblClick;
  TNotifyEvent FOnPaint;
};

}  // namespace jox
