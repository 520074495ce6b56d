// TNumLab: a read-only number between a left and a right label. The value sits in a framed box,
// formatted by a display type and a precision; a text too wide for the box gives way to an overflow
// indicator. The label can be drawn over its parent's background (Transparent).
//
// Sources: numlab.cpp (life cycle, setters, class table, copying), numlab_text.cpp (value texts),
// numlab_paint.cpp (Paint).
#pragma once

#include <algorithm>
#include <functional>

#include "package/core/coretypes.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/controls.h"

namespace jox {

// How the value is written (ordinals are stored in form files). Precision below is the Precision
// property. Hexadecimal, octal and binary show the low 32 bits of the rounded value.
enum TDisplay : uint8_t {
  dtFloat,      // general format, at most Precision significant digits, trailing zeros removed
  dtFixP,       // fixed point, Precision decimals
  dtExp,        // scientific, Precision significant digits
  dtHex,        // "$" and at least Precision hexadecimal digits
  dtZeroInt,    // rounded integer, zero-padded to Precision digits
  dtInt,        // rounded integer (halves to even)
  dtDateTime,   // the value as a date and time, by DTFormat
  dtState,      // StateText, whatever the value
  dtBin,        // at least Precision binary digits
  dtOct,        // at least Precision octal digits
  dtDeg,        // degrees with Precision decimals: 12.50°
  dtDegMin,     // degrees and minutes with Precision decimals: 12°30.00'
  dtDegMinSec,  // degrees, minutes and seconds with Precision decimals: 12°30'15.00"
  dtEEng,       // engineering notation: a mantissa of 1 to 999 with Precision decimals, E, a multiple of 3
  dtEEngNoDP    // the same with the mantissa rounded to a whole number, so no decimal point
};

// Called with the text about to be shown; the handler may replace it.
using TBeforeDisplayEvent = std::function<void(TObject* Sender, String& Text)>;

// Setters paint at once (invalidate while Transparent, so the parent is drawn beneath first) and do
// nothing when the value is unchanged.
class TNumLab : public TGraphicControl {
 public:
  static constexpr Integer DefWidth = 160, DefHeight = 28;
  static constexpr Integer DefLeftSpace = 35, DefLabelWidth = 80, DefPrecision = 2, MaxPrecision = 15;
  static constexpr TFrameStyle DefFrameStyle = fsLowered;
  static constexpr TDisplay DefDisplayType = dtFixP;
  static constexpr TColor DefColorLabBakG = clBtnFace, DefColorLabText = clBlack, DefColorOutBakG = clBtnFace,
                          DefColorOutText = clBlack;
  static constexpr const char16_t* DefStateText = u"undefined";
  static constexpr const char16_t* DefOverflowIndicator = u"*********";
  static constexpr const char16_t* DefDTFormat = u"mmm-dd, yyyy";

  explicit TNumLab(TComponent* AOwner);

  void Paint() override;
  void Assign(TPersistent* Source) override;
  void SetEnabled(bool B) override;  // stores, then refreshes

  // --- value and format
  double Value() const { return FLabValue; }  // 0
  void SetLabValue(double X);
  void SetValue(double X) { SetLabValue(X); }
  TDisplay DisplayType() const { return FDisplayType; }  // dtFixP
  void SetDisplayType(TDisplay D);
  // Decimals or digits of the display type, 2; negative values are ignored, at most 15.
  Integer Precision() const { return FDecP; }
  void SetDecP(Integer N);
  void SetPrecision(Integer N) { SetDecP(N); }
  bool Comma() const { return FComma; }  // false: "." as the decimal separator, else ","
  void SetFComma(bool B);
  void SetComma(bool B) { SetFComma(B); }
  bool ForcePlusSign() const { return FPlusSign; }  // false: "+" before positive values when set
  void SetFPlusSign(bool B);
  void SetForcePlusSign(bool B) { SetFPlusSign(B); }
  bool Empty() const { return FEmpty; }  // false: the box is drawn without a value when set
  void SetEmpty(bool B);
  const String& DTFormat() const { return FDtFormat; }  // "mmm-dd, yyyy"
  void SetDtFormat(const String& S);
  void SetDTFormat(const String& S) { SetDtFormat(S); }
  const String& StateText() const { return FStateText; }  // "undefined": the text of dtState
  void SetStateText(const String& S);
  // Shown instead of a value text wider than LabelWidth - 6 (never for dtState). Nine asterisks.
  const String& OverflowIndicator() const { return FOverFlowIndi; }
  void SetOverFlowIndi(const String& S);
  void SetOverflowIndicator(const String& S) { SetOverFlowIndi(S); }

  // The value text by DisplayType, Precision, Comma and ForcePlusSign, before OnBeforeDisplay.
  String FormatValue() const;
  // The text the last Paint showed in the box (after OnBeforeDisplay and the overflow rule).
  const String& DisplayedText() const { return FShownText; }

  // --- layout
  Integer LeftSpace() const { return FLeftSpace; }  // 35: x where the box starts; at most Width
  void SetLeftSpace(Integer N);
  Integer LabelWidth() const { return FLabWidth; }  // 80: width of the box; negative values are ignored
  void SetLabWidth(Integer N);
  void SetLabelWidth(Integer N) { SetLabWidth(N); }
  const String& LeftText() const { return FLeftText; }
  void SetLeftText(const String& S);
  const String& RightText() const { return FRightText; }
  void SetRightText(const String& S);
  TAlignment Alignment() const { return FAlignment; }  // taCenter: the value in the box
  void SetAlignment(TAlignment A);
  TAlignment LeftTextAlignment() const { return FLTAlignment; }  // taRightJustify
  void SetLeftTextAlignment(TAlignment A);
  TAlignment RightTextAlignment() const { return FRTAlignment; }  // taLeftJustify
  void SetRightTextAlignment(TAlignment A);
  // Region under the mouse after the last move: 0 left label, 1 value box, 2 right of it.
  Integer MouseAreaCode() const { return FMouseAreaCode; }

  // --- looks
  TFrameStyle FrameStyle() const { return FFrameStyle; }  // fsLowered: the value box
  void SetFrameStyle(TFrameStyle S);
  // Drawn over the parent: the parts in white show what lies below. Default false.
  bool Transparent() const { return FTransParent; }
  void SetTransparent(bool B);
  TColor ColorLabBakG() const { return FColorLabBakG; }  // clBtnFace: inside the box
  void SetColorLabBakG(TColor C);
  TColor ColorLabText() const { return FColorLabText; }  // clBlack: the value
  void SetColorLabText(TColor C);
  TColor ColorOutBakG() const { return FColorOutBakG; }  // clBtnFace: around the box
  void SetColorOutBakG(TColor C);
  TColor ColorOutText() const { return FColorOutText; }  // clBlack: the labels
  void SetColorOutText(TColor C);
  // Frame line colours: 0 classic fixed colours, others the system colours. Default 0.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme S);
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }

  const TBeforeDisplayEvent& OnBeforeDisplay() const { return FOnBeforeDisplay; }
  void SetOnBeforeDisplay(TBeforeDisplayEvent E) { FOnBeforeDisplay = std::move(E); }

  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void Loaded() override;
  void ChangeScale(double K) override;

 private:
  Integer LeftSpaceRule(Integer N) const { return std::min(N, Width()); }
  template <class T>
  void Change(T& Field, const T& V);
  // Paint now, or invalidate while transparent.
  void Redraw();
  void DrawLabel(TCanvas* C, Integer X, Integer Y, const String& S, bool Styled, Integer LightDX = 1);

  Integer FLeftSpace = DefLeftSpace;
  bool FEmpty = false;
  Integer FLabWidth = DefLabelWidth;
  Integer FDecP = DefPrecision;
  bool FComma = false;
  bool FPlusSign = false;
  bool FTransParent = false;
  String FLeftText, FRightText;
  TFrameStyle FFrameStyle = DefFrameStyle;
  String FStateText = DefStateText;
  TAlignment FAlignment = taCenter, FLTAlignment = taRightJustify, FRTAlignment = taLeftJustify;
  Integer FMouseAreaCode = 0;
  String FOverFlowIndi = DefOverflowIndicator;
  double FLabValue = 0;
  TColor FColorLabBakG = DefColorLabBakG, FColorLabText = DefColorLabText;
  TColor FColorOutBakG = DefColorOutBakG, FColorOutText = DefColorOutText;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = csClassic;
  TDisplay FDisplayType = DefDisplayType;
  String FDtFormat = DefDTFormat;
  TBeforeDisplayEvent FOnBeforeDisplay;
  String FShownText;
};

}  // namespace jox
