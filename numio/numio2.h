// TNumIO2: a numeric field drawn entirely by itself. One row holds a left label, the input box, optional
// up/down buttons, a right label and an optional freeze box; below them an optional gauge shows the
// value within its range and can be dragged. The field keeps its own text buffer, caret, selection and
// blinking caret, and checks every keystroke against the input format.
//
// Sources: numio2.cpp (life cycle, class table, Assign), numio2_props.cpp (setters),
// numio2_value.cpp (value model, text and selection), numio2_keys.cpp, numio2_mouse.cpp,
// numio2_timer.cpp (caret blink), numio2_paint.cpp (layout and painting), numio2_model.* (pure rules).
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "package/numtext.h"
#include "package/core/coretypes.h"
#include "package/errors.h"
#include "package/framework/controls/controls.h"
#include "package/timerwindow.h"

namespace jox {


// Sender, the shift state of the drag and the value the gauge now shows.
using TOnGaugeChangeEvent = std::function<void(TObject* Sender, TShiftState Shift, double GaugeValue)>;

class TNumIO2 : public TCustomControl {
 public:
  explicit TNumIO2(TComponent* AOwner);
  ~TNumIO2() override;

  JOX_CLASS_TABLE
  void Assign(TPersistent* Source) override;

  // --- value (numio2_value.cpp)
  // The buffer read as a number under InputFormat. SetNioValue rewrites the buffer from X without
  // moving caret or selection, applying the range or firing OnChange.
  double GetNioValue() const;
  void SetNioValue(double X);
  double Value() const { return GetNioValue(); }
  void SetValue(double X) { SetNioValue(X); }
  // The value rounded; raises EJOXNumIO2Error "integer overflow" beyond 32 bits.
  Integer GetNioIntValue() const;
  bool OutOfRange() const;
  // The online check of a text for the current input format.
  bool CheckValidity(const String& Instring) const;

  // The buffer. SetNioText ignores an invalid non-empty text and puts caret and selection to 0.
  String Text() const override { return FInBuffer; }
  void SetNioText(const String& Value);
  void SetText(const String& Value) override { SetNioText(Value); }

  // Selection as character counts, empty when equal; the setters clamp and move the caret there.
  Integer SelBegin() const { return FSelBegin; }
  void SetSelBegin(Integer N);
  Integer SelEnd() const { return FSelEnd; }
  void SetSelEnd(Integer N);
  Integer CaretPos() const { return FCaretPos; }
  // Blink phase of the caret: true while it is drawn.
  bool CaretVisible() const { return FCaretVisib; }

  // --- format (numio2_props.cpp); each setter repaints
  TInFormat InputFormat() const { return FInputFormat; }
  void SetInFormatType(TInFormat F);  // keeps the value, rewrites the buffer
  void SetInputFormat(TInFormat F) { SetInFormatType(F); }
  Integer FixPointDecPlaces() const { return FDecP; }  // 2; 1..15, reformats the buffer
  void SetDecP(Integer N);
  void SetFixPointDecPlaces(Integer N) { SetDecP(N); }
  Integer SignificantDigits() const { return FSigDig; }  // 6; 1..15, reformats the buffer
  void SetSigDig(Integer N);
  void SetSignificantDigits(Integer N) { SetSigDig(N); }
  TDecPSep DecPlaceSep() const { return FDecPSep; }  // dpsBoth; converts the separators in the buffer
  void SetDecSep(TDecPSep New);
  void SetDecPlaceSep(TDecPSep New) { SetDecSep(New); }
  double RangeLow() const { return FMinimum; }  // 0; raises RangeHigh to it
  void SetRangeLow(double X);
  double RangeHigh() const { return FMaximum; }  // 1000; lowers RangeLow to it
  void SetRangeHigh(double X);
  bool ReadOnly() const { return FReadOnly; }  // false; stops the caret and all editing
  void SetReadonly(bool B);
  void SetReadOnly(bool B) { SetReadonly(B); }
  bool Beep() const { return FBeep; }  // false; refused keys beep when true
  void SetBeep(bool B);
  bool AutoSize() const { return FAutoSize; }  // false; Paint fits the height to the font
  void SetAutoSize(bool B);
  bool OnlineCheck() const { return FOnlineCheck; }  // true; every edit is checked as it is typed

  // --- geometry
  Integer GetHeight() const { return TControl::Height(); }
  void SetHeight(Integer N);  // at least 18; lowers ButHeight
  Integer LeftSpace() const { return FLeftSpace; }  // 35: x where the input box starts
  void SetLeftSpace(Integer N);
  Integer TextBoxWidth() const { return FTextBoxWidth; }  // 80
  void SetTextBoxWidth(Integer N);

  // --- texts and looks
  String LeftText() const { return FLeftText; }
  void SetLeftText(const String& S);
  String RightText() const { return FRightText; }
  void SetRightText(const String& S);
  TAlignment Alignment() const { return FAlignment; }  // taCenter: the number in the box
  void SetAlignment(TAlignment A);
  TAlignment LeftTextAlignment() const { return FLTAlignment; }  // taRightJustify
  void SetLeftTextAlignment(TAlignment A);
  TAlignment RightTextAlignment() const { return FRTAlignment; }  // taLeftJustify
  void SetRightTextAlignment(TAlignment A);
  TFrameStyle FrameStyle() const { return FFrameStyle; }  // fsLowered: input box and freeze box
  void SetFrameStyle(TFrameStyle S);
  bool HideInputEditor() const { return FHideNumInEdi; }  // false: the number is drawn
  void SetHideInputEditor(bool B);
  bool HideSelection() const { return FHideSel; }  // true: no selection drawn without focus
  void SetHideSelection(bool B);
  TColor ColorBoxBG() const { return FColorBoxBG; }  // clWhite
  void SetColorBoxBG(TColor C);
  TColor ColorBoxText() const { return FColorBoxText; }  // clBlack
  void SetColorBoxText(TColor C);
  TColor ColorOutBG() const { return FColorOutBG; }  // clBtnFace
  void SetColorOutBG(TColor C);
  TColor ColorOutText() const { return FColorOutText; }  // clBlack
  void SetColorOutText(TColor C);
  TColor ColorWarnBG() const { return FColorWarnBG; }  // 0x6088FFF0: box out of range
  void SetColorWarnBG(TColor C);
  TColor ColorWarnText() const { return FColorWarnTxt; }  // clRed
  void SetColorWarnText(TColor C);
  TColorScheme ColorScheme() const { return FColorScheme; }  // csClassic: sets the frame line colours
  void SetColorScheme(TColorScheme Value);

  // --- buttons
  bool ButVisible() const { return FButVisible; }  // false
  void SetButVisible(bool B);
  bool But3D() const { return FBut3D; }  // true
  void SetBut3D(bool B);
  Integer ButWidth() const { return FButWidth; }  // 18; 8..50
  void SetButWidth(Integer N);
  Integer ButHeight() const { return FButHeight; }  // the height (28); 18..Height
  void SetButHeight(Integer N);
  Integer ButSpace() const { return FButSpace; }  // 3; 0..50
  void SetButSpace(Integer N);
  double ButIncrem() const { return FButIncrem; }  // 1.0
  void SetButIncrem(double X);
  TColor ButColor() const { return FButColor; }  // clSilver
  void SetButColor(TColor C);

  // --- freeze box
  bool FreezeBoxVisible() const { return FFreezeBoxVisib; }  // false
  void SetFreezeBoxVisible(bool B);
  bool FreezeBoxChecked() const { return FFreezeBoxChecked; }  // false; checked makes the field read-only
  void SetFreezeBoxChecked(bool B);
  Integer FreezeBoxSize() const { return FFreezeBoxSize; }  // 16; 12..25, centres the box vertically
  void SetFreezeBoxSize(Integer N);
  Integer FreezeBoxLeft() const { return FFreezeBoxLeft; }  // 30
  void SetFreezeBoxLeft(Integer N);
  Integer FreezeBoxTop() const { return FFreezeBoxTop; }  // 4
  void SetFreezeBoxTop(Integer N);
  bool HideInputOnFreeze() const { return FHideInputOnFreeze; }  // false
  void SetHideInputOnFreeze(bool B);

  // --- gauge
  bool GaugeVisible() const { return FGaugeVisib; }  // false
  void SetGaugeVisible(bool B);
  Integer GaugeHeight() const { return FGaugeHeight; }  // 8; 3..Height - GaugeTopMargin - 18
  void SetGaugeHeight(Integer N);
  Integer GaugeWidth() const { return FGaugeWidth; }  // 82; 10..Width - GaugeLeftMargin
  void SetGaugeWidth(Integer N);
  Integer GaugeLeftMargin() const { return FGaugeLeftMarg; }  // 35; 0..Width - GaugeWidth
  void SetGaugeLeftMarg(Integer N);
  void SetGaugeLeftMargin(Integer N) { SetGaugeLeftMarg(N); }
  Integer GaugeTopMargin() const { return FGaugeTopMarg; }  // 3; 0..Height - GaugeHeight - 18
  void SetGaugeTopMarg(Integer N);
  void SetGaugeTopMargin(Integer N) { SetGaugeTopMarg(N); }
  TFrameStyle GaugeFrameStyle() const { return FGaugeFrameSt; }  // fsLowered
  void SetGaugeFrameStyle(TFrameStyle S);
  TColor GaugeColor() const { return FGaugeColor; }  // clNavy
  void SetGaugeColor(TColor C);
  TColor GaugeColorBg() const { return FGaugeColorBg; }  // clSilver
  void SetGaugeColorBg(TColor C);
  TColor GaugeColorFrame() const { return FGaugeColorFrm; }  // clGray
  void SetGaugeColorFrame(TColor C);

  // Own copy of Enabled; SetEnabled also refreshes.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool B) override;

  // When not empty, the buttons and the gauge move only between these values (ascending).
  std::vector<double> ButtonPivots;

  // --- events
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent E) { FOnChange = std::move(E); }
  const TOnGaugeChangeEvent& OnGaugeChange() const { return FOnGaugeChange; }
  void SetOnGaugeChange(TOnGaugeChangeEvent E) { FOnGaugeChange = std::move(E); }

  // --- layout (numio2_paint.cpp)
  // x of the caret after the first N characters, and the caret position nearest to x.
  Integer CharPosToXCoords(Integer N);
  Integer XCoordsToCharPos(Integer X);
  void Paint() override;

  void SetFocus() override;
  // Restarts the caret blink (500 ms); raises EJOXNumIO2Error "no timer available".
  void UpdateTimer();

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;
  void ChangeScale(double K) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoExit() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Click() override;
  // Fires OnChange.
  void Changed();
  // One tick of the caret timer: blinks while focused, stops the timer otherwise.
  void CaretTimerEvent();

 private:
  Integer LeftSpaceRule(Integer N) const { return std::min(N, Width()); }
  // numio2_keys.cpp
  void HandleKey(Word Key, bool Shifted, bool Ctrl);
  // Ctrl+C, X, V; false for another key. Changed is set when the buffer changed.
  bool ClipboardKey(Word Key, bool& Changed);
  // Editing and navigation keys and typed characters; false for a key that means nothing here.
  bool EditKey(Word Key, bool Shifted, bool& Changed);
  // Removes the selection; an emptied buffer gets the formatted zero.
  void DeleteSelection(bool& Changed);
  // Removes the selection and nothing else (before typing or pasting over it).
  void RemoveSelectedText();
  // numio2_value.cpp
  // Puts caret and selection back inside the buffer after it was rewritten.
  void KeepCaretInBuffer();
  // numio2_mouse.cpp
  Integer GaugeReserve() const;
  double GaugeValueAt(Integer X) const;
  void StepButton(bool Up);
  void ToggleFreezeBox();
  // numio2_timer.cpp
  void StopCaret();
  // Shows the caret at once and starts a full blink period, as after every keystroke.
  void ShowCaretNow();
  // numio2_paint.cpp
  void DrawBoxFrame(TCanvas* C, Integer X1, Integer Y1, Integer X2, Integer Y2, bool F);
  void DrawLabel(TCanvas* C, Integer X, Integer Y, const String& S);
  void DrawButtons(TCanvas* C);
  void DrawFreezeBox(TCanvas* C, Integer FX);
  void DrawGauge(TCanvas* C, Integer H);
  void DrawInputBox(TCanvas* C, Integer H, Integer R, Integer TextY, Integer ClipBottom);

  Integer FLeftSpace;
  bool FSuppressPaint;
  Integer FTextBoxWidth;
  bool FValueChanged;
  Integer FDecP;
  Integer FSigDig;
  bool FEnabled;
  bool FFreezeBoxVisib;
  Integer FFreezeBoxSize;
  bool FHideInputOnFreeze;
  Integer FFreezeBoxLeft, FFreezeBoxTop;
  bool FFreezeBoxChecked;
  bool FHideNumInEdi;
  Integer FButWidth, FButSpace;
  double FButIncrem;
  bool FButVisible, FBut3D;
  Integer FButHeight;
  TColor FButColor;
  std::unique_ptr<TTimerWindow> FCaretTimer;
  String FInBuffer;
  Integer FCaretPos;
  bool FCaretVisib;
  bool FGaugeVisib;
  Integer FGaugeHeight, FGaugeWidth;
  Integer FGaugeLeftMarg, FGaugeTopMarg;
  TColor FGaugeColor, FGaugeColorBg, FGaugeColorFrm;
  TFrameStyle FGaugeFrameSt;
  String FLeftText, FRightText;
  TFrameStyle FFrameStyle;
  TAlignment FAlignment, FLTAlignment, FRTAlignment;
  Integer FMouseAreaCode;
  TColor FColorBoxBG, FColorBoxText;
  TColor FColorOutBG, FColorOutText;
  TColor FColBlackLine, FColGrayLine, FColWhiteLine;
  TColor FColorWarnBG, FColorWarnTxt;
  TColorScheme FColorScheme;
  Integer FSelBegin, FSelEnd;
  TDecPSep FDecPSep;
  TInFormat FInputFormat;
  bool FKeyShifted, FKeyCntrl;
  bool FHideSel;
  double FMaximum, FMinimum;
  bool FOnlineCheck;
  bool FBeep, FReadOnly, FAutoSize;
  TNotifyEvent FOnChange;
  TOnGaugeChangeEvent FOnGaugeChange;
};

}  // namespace jox
