// TNumIO2 life cycle, class table and copying.
#include "numio/numio2.h"

#include "package/framework/controls/forms.h"
#include "package/units.h"

namespace jox {

namespace {
constexpr Integer DefWidth = 160, DefHeight = 28;
constexpr Integer DefLeftSpace = 35, DefTextBoxWidth = 80, DefDecPlaces = 2, DefSignificantDigits = 6;
constexpr Integer DefFreezeBoxSize = 16, DefFreezeBoxLeft = 30, DefFreezeBoxTop = 4;
constexpr Integer DefButWidth = 18, DefButSpace = 3;
constexpr double DefButIncrem = 1.0;
constexpr Integer DefGaugeHeight = 8, DefGaugeWidth = 82, DefGaugeLeftMargin = 35, DefGaugeTopMargin = 3;
constexpr TColor DefColorWarnBG = 0x6088FFF0;
constexpr double DefMaximum = 1000, DefMinimum = 0;
}  // namespace

TNumIO2::TNumIO2(TComponent* AOwner)
    : TCustomControl(AOwner),
      FLeftSpace(DefLeftSpace),
      FSuppressPaint(true),
      FTextBoxWidth(DefTextBoxWidth),
      FValueChanged(false),
      FDecP(DefDecPlaces),
      FSigDig(DefSignificantDigits),
      FEnabled(true),
      FFreezeBoxVisib(false),
      FFreezeBoxSize(DefFreezeBoxSize),
      FHideInputOnFreeze(false),
      FFreezeBoxLeft(DefFreezeBoxLeft),
      FFreezeBoxTop(DefFreezeBoxTop),
      FFreezeBoxChecked(false),
      FHideNumInEdi(false),
      FButWidth(DefButWidth),
      FButSpace(DefButSpace),
      FButIncrem(DefButIncrem),
      FButVisible(false),
      FBut3D(true),
      FButHeight(DefHeight),
      FButColor(clSilver),
      FCaretPos(0),
      FCaretVisib(true),
      FGaugeVisib(false),
      FGaugeHeight(DefGaugeHeight),
      FGaugeWidth(DefGaugeWidth),
      FGaugeLeftMarg(DefGaugeLeftMargin),
      FGaugeTopMarg(DefGaugeTopMargin),
      FGaugeColor(clNavy),
      FGaugeColorBg(clSilver),
      FGaugeColorFrm(clGray),
      FGaugeFrameSt(fsLowered),
      FFrameStyle(fsLowered),
      FAlignment(taCenter),
      FLTAlignment(taRightJustify),
      FRTAlignment(taLeftJustify),
      FMouseAreaCode(0),
      FColorBoxBG(clWhite),
      FColorBoxText(clBlack),
      FColorOutBG(clBtnFace),
      FColorOutText(clBlack),
      FColBlackLine(clBlack),
      FColGrayLine(clGray),
      FColWhiteLine(clWhite),
      FColorWarnBG(DefColorWarnBG),
      FColorWarnTxt(clRed),
      FColorScheme(csClassic),
      FSelBegin(0),
      FSelEnd(0),
      FDecPSep(dpsBoth),
      FInputFormat(itFloat),
      FKeyShifted(false),
      FKeyCntrl(false),
      FHideSel(true),
      FMaximum(DefMaximum),
      FMinimum(DefMinimum),
      FOnlineCheck(true),
      FBeep(false),
      FReadOnly(false),
      FAutoSize(false) {
  SetControlStyle(ControlStyle() | csOpaque);  // Paint covers every pixel
  TControl::SetBounds(Left(), Top(), DefWidth, DefHeight);
  FCaretTimer = std::make_unique<TTimerWindow>(this, [this] { CaretTimerEvent(); },
                                               TTimerWindow::ErrorClass<EJOXNumIO2Error>());
  UpdateTimer();
}

TNumIO2::~TNumIO2() = default;

void TNumIO2::CreateWnd() {
  TCustomControl::CreateWnd();
  FSuppressPaint = false;
}

void TNumIO2::Changed() {
  if (FOnChange) FOnChange(this);
}

void TNumIO2::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TNumIO2*>(Dest))
    Dest->Assign(this);
  else
    TCustomControl::AssignTo(Dest);
}

void TNumIO2::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TNumIO2*>(Source);
  if (!S) {
    TCustomControl::Assign(Source);
    return;
  }
  if (S == this) return;
  FLeftSpace = S->FLeftSpace;
  FTextBoxWidth = S->FTextBoxWidth;
  FDecP = S->FDecP;
  FSigDig = S->FSigDig;
  FLeftText = S->FLeftText;
  FRightText = S->FRightText;
  FFrameStyle = S->FFrameStyle;
  FFreezeBoxVisib = S->FFreezeBoxVisib;
  FFreezeBoxSize = S->FFreezeBoxSize;
  FFreezeBoxLeft = S->FFreezeBoxLeft;
  FFreezeBoxTop = S->FFreezeBoxTop;
  FFreezeBoxChecked = S->FFreezeBoxChecked;
  FHideInputOnFreeze = S->FHideInputOnFreeze;
  FAlignment = S->FAlignment;
  FLTAlignment = S->FLTAlignment;
  FRTAlignment = S->FRTAlignment;
  FColorBoxBG = S->FColorBoxBG;
  FColorBoxText = S->FColorBoxText;
  FColorOutBG = S->FColorOutBG;
  FColorOutText = S->FColorOutText;
  FColBlackLine = S->FColBlackLine;
  FColGrayLine = S->FColGrayLine;
  FColWhiteLine = S->FColWhiteLine;
  FColorScheme = S->FColorScheme;
  FInputFormat = S->FInputFormat;
  FInBuffer = S->FInBuffer;
  FCaretPos = S->FCaretPos;
  FCaretVisib = S->FCaretVisib;
  FMouseAreaCode = S->FMouseAreaCode;
  FColorWarnBG = S->FColorWarnBG;
  FColorWarnTxt = S->FColorWarnTxt;
  FSelBegin = S->FSelBegin;
  FSelEnd = S->FSelEnd;
  FDecPSep = S->FDecPSep;
  FKeyShifted = S->FKeyShifted;
  FKeyCntrl = S->FKeyCntrl;
  FHideSel = S->FHideSel;
  FHideNumInEdi = S->FHideNumInEdi;
  FMaximum = S->FMaximum;
  FMinimum = S->FMinimum;
  FOnlineCheck = S->FOnlineCheck;
  FBeep = S->FBeep;
  FReadOnly = S->FReadOnly;  // the field only: the caret timer stays as it is
  FAutoSize = S->FAutoSize;
  Paint();
}

const TClassInfo& TNumIO2::ClassInfo() {
  using T = TNumIO2;
  static const TClassInfo info =
      TClassBuilder<T>(&TCustomControl::ClassInfo())
          .Prop("Value", &T::Value, &T::SetValue)
          .StoredIf([](const T&) { return false; })  // Text carries it, as typed
          .Prop("Text", [](const T& o) { return o.Text(); }, [](T& o, const String& v) { o.SetNioText(v); })
          .Prop("InputFormat", &T::InputFormat, &T::SetInputFormat)
          .Prop("FixPointDecPlaces", &T::FixPointDecPlaces, &T::SetFixPointDecPlaces)
          .Prop("SignificantDigits", &T::SignificantDigits, &T::SetSignificantDigits)
          .Prop("DecPlaceSep", &T::DecPlaceSep, &T::SetDecPlaceSep)
          .Prop("RangeLow", &T::RangeLow, &T::SetRangeLow)
          .Prop("RangeHigh", &T::RangeHigh, &T::SetRangeHigh)
          .Prop("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
          .Prop("Beep", &T::Beep, &T::SetBeep)
          .Prop("AutoSize", &T::AutoSize, &T::SetAutoSize)
          .Prop("Height", &T::GetHeight, &T::SetHeight)
          .Prop("LeftSpace", &T::LeftSpace, &T::SetLeftSpace)
          .Prop("TextBoxWidth", &T::TextBoxWidth, &T::SetTextBoxWidth)
          .Prop("LeftText", &T::LeftText, &T::SetLeftText)
          .Prop("RightText", &T::RightText, &T::SetRightText)
          .Prop("Alignment", &T::Alignment, &T::SetAlignment)
          .Prop("LeftTextAlignment", &T::LeftTextAlignment, &T::SetLeftTextAlignment)
          .Prop("RightTextAlignment", &T::RightTextAlignment, &T::SetRightTextAlignment)
          .Prop("FrameStyle", &T::FrameStyle, &T::SetFrameStyle)
          .Prop("HideInputEditor", &T::HideInputEditor, &T::SetHideInputEditor)
          .Prop("HideSelection", &T::HideSelection, &T::SetHideSelection)
          .Prop("ColorBoxBG", &T::ColorBoxBG, &T::SetColorBoxBG)
          .Prop("ColorBoxText", &T::ColorBoxText, &T::SetColorBoxText)
          .Prop("ColorOutBG", &T::ColorOutBG, &T::SetColorOutBG)
          .Prop("ColorOutText", &T::ColorOutText, &T::SetColorOutText)
          .Prop("ColorWarnBG", &T::ColorWarnBG, &T::SetColorWarnBG)
          .Prop("ColorWarnText", &T::ColorWarnText, &T::SetColorWarnText)
          .Prop("ColorScheme", &T::ColorScheme, &T::SetColorScheme)
          .Prop("ButVisible", &T::ButVisible, &T::SetButVisible)
          .Prop("But3D", &T::But3D, &T::SetBut3D)
          .Prop("ButWidth", &T::ButWidth, &T::SetButWidth)
          .Prop("ButHeight", &T::ButHeight, &T::SetButHeight)
          .Prop("ButSpace", &T::ButSpace, &T::SetButSpace)
          .Prop("ButIncrem", &T::ButIncrem, &T::SetButIncrem)
          .Prop("ButColor", &T::ButColor, &T::SetButColor)
          .Prop("FreezeBoxVisible", &T::FreezeBoxVisible, &T::SetFreezeBoxVisible)
          .Prop("FreezeBoxChecked", &T::FreezeBoxChecked, &T::SetFreezeBoxChecked)
          .Prop("FreezeBoxSize", &T::FreezeBoxSize, &T::SetFreezeBoxSize)
          .Prop("FreezeBoxLeft", &T::FreezeBoxLeft, &T::SetFreezeBoxLeft)
          .Prop("FreezeBoxTop", &T::FreezeBoxTop, &T::SetFreezeBoxTop)
          .Prop("HideInputOnFreeze", &T::HideInputOnFreeze, &T::SetHideInputOnFreeze)
          .Prop("GaugeVisible", &T::GaugeVisible, &T::SetGaugeVisible)
          .Prop("GaugeHeight", &T::GaugeHeight, &T::SetGaugeHeight)
          .Prop("GaugeWidth", &T::GaugeWidth, &T::SetGaugeWidth)
          .Prop("GaugeLeftMargin", &T::GaugeLeftMargin, &T::SetGaugeLeftMargin)
          .Prop("GaugeTopMargin", &T::GaugeTopMargin, &T::SetGaugeTopMargin)
          .Prop("GaugeFrameStyle", &T::GaugeFrameStyle, &T::SetGaugeFrameStyle)
          .Prop("GaugeColor", &T::GaugeColor, &T::SetGaugeColor)
          .Prop("GaugeColorBg", &T::GaugeColorBg, &T::SetGaugeColorBg)
          .Prop("GaugeColorFrame", &T::GaugeColorFrame, &T::SetGaugeColorFrame)
          .Prop("Enabled", &T::GetEnabled, [](T& o, bool v) { o.SetEnabled(v); })
          .Prop("TabStop", &T::TabStop, &T::SetTabStop, false)
          .Event("OnChange")
          .Event("OnGaugeChange")
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Align", "Anchors", "Cursor", "Font", "HelpContext", "Hint",
                                         "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
                                         "StyleElements", "TabOrder", "Visible", "OnClick", "OnDblClick",
                                         "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnKeyDown", "OnKeyPress",
                                         "OnKeyUp", "OnEnter", "OnExit"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses NumIO2Classes(juNumIO, {&TNumIO2::ClassInfo});

}  // namespace jox
