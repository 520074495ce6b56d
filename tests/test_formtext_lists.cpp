// What each component class publishes: exactly the names its users see in the designer and in stored
// forms, no more and no fewer, and the stored defaults that decide what a form writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "minical/minical.h"
#include "package/package.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

struct TPublished {
  const char16_t* Class;
  const char* Props;   // besides Name, Tag and the bounds, which every component has
  const char* Events;
};

// The published face of every class, property and event names.
const std::vector<TPublished>& Expected() {
  static const std::vector<TPublished> rows = {
      {u"TNumIO",
       "InputFormat FixPointDecPlaces RangeLow RangeHigh DecPlaceSep Beep Anchors Align AutoSelect AutoSize "
       "BorderStyle Color Ctl3D ParentCtl3D Cursor Enabled Font HelpContext HideSelection Hint ReadOnly "
       "ParentColor ParentFont ParentShowHint PopupMenu ShowHint TabOrder TabStop Text Visible",
       "OnChange OnClick OnDblClick OnEnter OnExit OnKeyDown OnKeyPress OnKeyUp OnMouseDown OnMouseMove OnMouseUp"},
      {u"TNumIO2",
       "Value Text InputFormat FixPointDecPlaces SignificantDigits DecPlaceSep RangeLow RangeHigh ReadOnly Beep "
       "AutoSize LeftSpace TextBoxWidth LeftText RightText Alignment LeftTextAlignment RightTextAlignment "
       "FrameStyle HideInputEditor HideSelection ColorBoxBG ColorBoxText ColorOutBG ColorOutText ColorWarnBG "
       "ColorWarnText ColorScheme ButVisible But3D ButWidth ButHeight ButSpace ButIncrem ButColor FreezeBoxVisible "
       "FreezeBoxChecked FreezeBoxSize FreezeBoxLeft FreezeBoxTop HideInputOnFreeze GaugeVisible GaugeHeight "
       "GaugeWidth GaugeLeftMargin GaugeTopMargin GaugeFrameStyle GaugeColor GaugeColorBg GaugeColorFrame Enabled "
       "Align Anchors Cursor Font HelpContext Hint ParentFont ParentShowHint PopupMenu ShowHint StyleElements "
       "TabOrder TabStop Visible",
       "OnChange OnGaugeChange OnClick OnDblClick OnMouseMove OnMouseDown OnMouseUp OnKeyPress OnKeyUp OnKeyDown "
       "OnEnter OnExit"},
      {u"TRLData", "NrOfColumns NrOfRows CommonHeader",
       "OnBeforeSortExchange OnBeforeHTMLExport OnExportText OnPercentDone"},
      {u"TReportListView",
       "NrOfColumns NrOfRows AutoAdvance ColorText ColorBkgdNormal ColorBkgdShaded ColorHigh ColorHighText "
       "ColorColumnHd FixedColor ColorColumnHdText ColorCommonHd ColorCommonHdText ColorDisabledBkgd "
       "ColorDisabledText ColorEmptyMsg ColorSelectedRow ColorSelectedRowText ColorSelectedCol "
       "ColorSelectedColText ColorSelectedBoth ColorSelectedBothText CommonHeader CommonHeaderAlignment "
       "CommonHeaderVisible CommonHeaderHeight ColumnHeadersVisible ColumnHeadersHeight DefaultColWidth "
       "DefaultRowHeight DefaultDrawing EmptyMessage Enabled HighLightRow HighLightColumn HighLightBold "
       "InterRowIndicatorColor InterRowIndicatorWidth LeftCol TopRow RowSelectMode RowColPattern "
       "ShowEmptyCheckBoxes FixedFirstColumn SortEnabled UseCtrlForMultiSel Options Align Anchors Constraints "
       "BiDiMode ParentBiDiMode DragCursor DragKind DragMode BorderStyle Color Ctl3D ParentCtl3D Font ParentColor "
       "ParentShowHint ParentFont PopupMenu ShowHint TabOrder ScrollBars StyleElements Visible VisibleColCount "
       "VisibleRowCount",
       "OnCheckedChange OnBeforeCheckedChange OnBeforeFilter OnRequestEditFormat OnSelectedChange OnChange "
       "OnChangeSetup OnBeforeRenderCell OnCursorKeyAction OnReadCell OnBeforeSortExchange OnBeforeHTMLExport "
       "OnPercentDone OnMouseWheelDown OnMouseWheelUp OnGetEditText OnSetEditText OnEndDock OnStartDock "
       "OnStartDrag OnDragDrop OnDragOver OnEndDrag OnContextPopup OnMouseDown OnMouseUp OnMouseMove OnMouseWheel "
       "OnClick OnDblClick OnDrawCell OnEnter OnExit OnGetEditMask OnKeyDown OnKeyPress OnKeyUp OnRowMoved "
       "OnSelectCell OnTopLeftChanged"},
      {u"TNTabEd",
       "NrOfColumns NrOfRows AttribRowVisible AttribColVisible Comment EmptyMessage ColorEmptyMsg ColorBackground "
       "ColorFixed ColorNormal ColorSelected ColorMarkedA ColorMarkedB ColorMarkedBoth ColorRangeSelFG "
       "ColorRangeSelBG BoldMarks BoldSelHeads NumWidth VRangeLow VRangeHigh DataReadOnly AutoAdvance "
       "AutoAdvanceDir ShowCellCursor OptimizeRowHeight NomEditDropDownCount ClipboardUseFullPrec "
       "BlockInternalPopup CommentEditingAllowed DefaultColWidth LeftCol TopRow VisibleColCount VisibleRowCount "
       "Align DefaultRowHeight DrawingStyle GradientStartColor GradientEndColor StyleElements Font ParentFont "
       "PopupMenu Options Visible",
       "OnChange OnChangeSetup OnHeadingChanged OnAttributeChanged OnCellStateChanged OnEmptyStChanged "
       "OnLayoutChanged OnSelectionChanged OnTopLeftChanged OnPercentDone OnBeforePopup OnBeforeRenderCell OnClear "
       "OnPaste OnGetEditText OnSetEditText OnClick OnDblClick OnKeyDown OnKeyPress OnKeyUp OnMouseDown "
       "OnMouseMove OnMouseUp OnMouseWheelDown OnMouseWheelUp"},
      {u"TMeter",
       "MeterMinValue MeterMaxValue Value ValueSec ThresholdLow ThresholdHigh Logarithmic MeterLayout MeterNrTicks "
       "MeterDecPlaces MeterShortTicks MeterScaleLine ScaleVisible ScaleBkVisible ScaleBkWidth ColorSclBkLow "
       "ColorSclBkNorm ColorSclBkHigh ColorBakG ColorCover ColorScale ColorScheme FrameStyle RimTop RimBottom "
       "RimSide AnchorCovered AnchorSize AnchorImage BackGroundImg BkgndFillMode LimWatchHighOn LimWatchLowOn "
       "LimWatchActColor LimWatchPsvColor Caption FontCaption NeedleLayout NeedleLayoutSec Align DragKind "
       "DragCursor DragMode Font Hint ParentFont ParentShowHint ShowHint StyleElements Visible",
       "OnOverFlow OnUnderFlow OnNormalRange OnMouseMoveInMeter OnBeforeDrawScaleLabel OnBeforeDrawNeedle "
       "OnMeterRendered OnClick OnDblClick OnDragDrop OnDragOver OnEndDrag OnMouseMove OnMouseDown OnMouseUp "
       "OnStartDrag"},
      {u"TMiniCal",
       "Year Month Day FirstDayOfWeek Language ShowMonthShort AutoSwitch IndicateHolidays ShowMovableHolidays "
       "ShowHolidayHint MarkToday ColorActiveMonth ColorInactiveMonth ColorWeekNoBg ColorWeekNoFg ColorDayIdBg "
       "ColorDayIdFg ColorSelectedBg ColorSelectedFg ColorHolidayBg ColorHolidayFg ColorToday Align Anchors "
       "Constraints Ctl3D Font ParentFont ParentShowHint PopupMenu ShowHint StyleElements Visible",
       "OnChange OnClick OnDblClick"},
      {u"TNumLab",
       "LeftSpace Empty LabelWidth Precision Comma ForcePlusSign Transparent LeftText RightText FrameStyle StateText "
       "Alignment LeftTextAlignment RightTextAlignment OverflowIndicator Value Enabled ColorLabBakG ColorLabText "
       "ColorOutBakG ColorOutText ColorScheme DisplayType DTFormat Align Anchors Font ParentFont ParentShowHint "
       "PopupMenu ShowHint StyleElements Visible",
       "OnClick OnDblClick OnMouseMove OnMouseDown OnMouseUp OnBeforeDisplay"},
      {u"TOnOffBut",
       "OnOff ButtonStyle Mode MouseAction GroupIndex AllowAllOff AutoCenter LeftSpace TopSpace LeftText TopText "
       "BottomText RightText LeftTextAlignment TopTextAlignment BottomTextAlignment RightTextAlignment "
       "ColorBackgnd ColorText ColorScheme FrameStyle Transparent Enabled Font Anchors ParentShowHint PopupMenu "
       "ShowHint StyleElements Visible",
       "OnResize OnClick OnDblClick OnMouseMove OnMouseDown OnMouseUp"},
      {u"TSevenSeg",
       "Caption ColorBackGnd ColorText ColorScheme FrameStyle InterDigDist Margin NumDigits Align Anchors "
       "ParentShowHint PopupMenu ShowHint StyleElements Visible",
       "OnClick OnDblClick OnMouseMove OnMouseDown OnMouseUp OnResize"},
      {u"TRotLab",
       "TextAngle PosX PosY AntiAlias AutoCenter Color Transparent Alignment FrameStyle Align Anchors Caption "
       "Constraints DragCursor DragKind DragMode Enabled Font ParentColor ParentFont ParentShowHint PopupMenu "
       "ShowHint StyleElements Visible",
       "OnClick OnContextPopup OnDblClick OnDragDrop OnDragOver OnEndDock OnEndDrag OnMouseDown OnMouseMove "
       "OnMouseUp OnMouseEnter OnMouseLeave OnStartDock OnStartDrag"},
      {u"TColSel",
       "ColorBarWidth NumColors SelColor Enabled Anchors Color DropDownCount Font ParentColor ParentFont "
       "ParentShowHint ShowHint StyleElements TabOrder TabStop Visible",
       "OnColorNameChange OnChange OnClick OnDropDown OnEnter OnExit"},
      {u"TRasterLab",
       "FrameStyle ScrollMode ScrollLoop AutoCenter ScrollInterval ScrollIncrement Text ColorLabBakG ColorDotOn "
       "ColorDotOff AutoHeight CharBlockMode ColorScheme Proportional DotSize DotSpacing PosX PosY Align Anchors "
       "Font ParentFont ParentShowHint PopupMenu ShowHint StyleElements Visible",
       "OnClick OnDblClick OnMouseMove OnMouseDown OnMouseUp OnScrollTimer OnScrollLoopRestart"},
      {u"TFolderTree",
       "Options OldTreeStyle Color Enabled Align Anchors BevelInner BevelOuter BevelKind BevelWidth BorderStyle "
       "BorderWidth Constraints Cursor Ctl3D Font HotTrack Indent ParentShowHint ParentFont PopupMenu ShowButtons "
       "ShowHint ShowLines ShowRoot StyleElements TabOrder TabStop Visible",
       "OnDirChanged OnChange OnClick OnDblClick OnEnter OnExit OnKeyDown OnKeyUp OnKeyPress OnMouseEnter "
       "OnMouseLeave OnMouseDown"},
      // The rest is the speed button's own face (below).
      {u"TRepSpeedButton", "RepeatClickInterval StartClickInterval StyleElements", "OnRepeatClick"},
      {u"TProgBar",
       "Value Min Max Direction AutoInc AutoIncStep StartInterval RepeatInterval ColorMin ColorMax ColorMapMode "
       "ShowColorGradient ColorMargin ColorBackGnd ColorGrid GridDist ColorScheme FrameStyleOuter FrameStyleInner "
       "MarginLeft MarginRight MarginTop MarginBottom BackGroundImg TextVisible TextPosX TextPosY TextAlignment "
       "TextDecPlaces TextAngle Align Anchors Constraints Font ParentFont ParentShowHint PopupMenu ShowHint "
       "StyleElements Visible",
       "OnAutoInc OnShowValue OnClick OnDblClick OnMouseMove OnMouseDown OnMouseUp"},
      {u"TThumbnails",
       "Min Max SlideSize SlideDistance SlideMargin SlideSelectMode AntiAlias ColorBackGnd ColorCover ColorSelected "
       "ColorFocus ColorMark ColorScheme FrameStyle OuterFrameStyle InnerFrameStyle FocusLinewidth FocusedSlide "
       "Align Anchors DragCursor DragMode Enabled Font ParentFont ParentShowHint PopupMenu ShowHint StyleElements "
       "Visible",
       "OnImageRequest OnImageClick OnImageDblClick OnFocusChange OnFirstImageRequest OnLastImageRequest "
       "OnSlideRendered OnClick OnDblClick OnMouseMove OnMouseDown OnMouseUp OnStartDrag OnDragDrop OnEndDrag "
       "OnDragOver OnResize"},
      {u"TGradFill",
       "NrColors FillType ColorFirst ColorLast ColorFlipped FrameStyle GridMode GridColor Align ParentShowHint "
       "ShowHint Visible",
       "OnPaint OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp"},
      {u"TMarkSel",
       "NrOfColumns NrOfRows ColorBackGnd ColorMarks ColorSelBG ColorSelFG ColorHiLiteBG ColorHiLiteSymbol Enabled "
       "FrameStyle Selected ShowZeroAsCross Align ParentShowHint ShowHint Visible StyleElements",
       "OnMarkClick OnMarkDblClick OnPaint OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp"},
  };
  return rows;
}

std::set<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::set<std::string> out;
  for (std::string w; in >> w;) out.insert(w);
  return out;
}

// Names in a but not in b, as " +Name" (or " -Name").
std::string Missing(const std::set<std::string>& a, const std::set<std::string>& b, char sign) {
  std::string out;
  for (const std::string& n : a)
    if (!b.count(n)) out += std::string(" ") + sign + n;
  return out;
}

void SplitPublished(const TClassInfo& Info, std::set<std::string>& Props, std::set<std::string>& Events) {
  for (const TPropInfo* p : Info.AllProps()) (p->Kind == tkMethod ? Events : Props).insert(ToUtf8(p->Name));
}

const TClassInfo* RegisteredClass(const String& Name) {
  for (Integer u = 0; u < JoxUnitCount; ++u)
    for (const TClassInfo* c : UnitClasses(TJoxUnit(u)))
      if (c->Name == Name) return c;
  return nullptr;
}

// Properties every form writes, whatever their value: they have no stored default.
const std::vector<std::pair<const char16_t*, const char*>>& AlwaysWritten() {
  static const std::vector<std::pair<const char16_t*, const char*>> rows = {
      {u"TNumIO", "InputFormat FixPointDecPlaces RangeLow RangeHigh DecPlaceSep Beep"},
      {u"TNumIO2",
       "Text InputFormat FixPointDecPlaces SignificantDigits DecPlaceSep RangeLow RangeHigh ReadOnly Beep AutoSize "
       "LeftSpace TextBoxWidth LeftText RightText Alignment ColorBoxBG ColorScheme ButVisible GaugeVisible"},
      {u"TRLData", "NrOfColumns NrOfRows CommonHeader"},
      {u"TNumLab",
       "LeftSpace Empty LabelWidth Precision Comma ForcePlusSign Transparent LeftText RightText FrameStyle StateText "
       "Alignment OverflowIndicator Value ColorLabBakG ColorScheme DisplayType DTFormat"},
      {u"TSevenSeg", "Caption ColorBackGnd ColorText ColorScheme FrameStyle InterDigDist Margin NumDigits"},
      {u"TRasterLab",
       "FrameStyle ScrollMode ScrollLoop AutoCenter ScrollInterval ScrollIncrement Text ColorLabBakG ColorDotOn "
       "ColorDotOff AutoHeight CharBlockMode ColorScheme Proportional DotSize DotSpacing PosX PosY"},
      {u"TRotLab", "TextAngle PosX PosY AntiAlias AutoCenter Transparent FrameStyle"},
  };
  return rows;
}

// Stored defaults a form leaves out when the property holds them.
struct TStoredDefault {
  const char16_t* Class;
  const char16_t* Prop;
  Variant Default;
};
const std::vector<TStoredDefault>& StoredDefaults() {
  static const std::vector<TStoredDefault> rows = {
      {u"TNumIO", u"AutoSelect", true},
      {u"TNumIO", u"BorderStyle", Int64(bsSingle)},
      {u"TNumIO", u"Color", Int64(clWindow)},
      {u"TNumIO", u"ParentColor", false},
      {u"TNumIO", u"TabOrder", Int64(-1)},
      {u"TNumIO", u"TabStop", true},
      {u"TNumIO2", u"TabStop", false},
      {u"TNumIO2", u"TabOrder", Int64(-1)},
      {u"TNumLab", u"Enabled", true},
      {u"TRotLab", u"Color", Int64(clWindow)},
      {u"TRotLab", u"Alignment", Int64(taLeftJustify)},
      {u"TRotLab", u"ParentColor", true},
      // The default is what the constructor sets: against true, a list set to true would not be written
      // and would read back false.
      {u"TReportListView", u"DefaultDrawing", false},
      {u"TMiniCal", u"FirstDayOfWeek", Int64(dwMon)},
      {u"TMiniCal", u"Language", Int64(1)},
      {u"TMiniCal", u"ColorSelectedBg", Int64(0xD0A040)},
      {u"TMiniCal", u"ColorHolidayFg", Int64(0x0000C0)},
      {u"TNTabEd", u"NumWidth", Int64(1)},
      {u"TNTabEd", u"ColorMarkedBoth", Int64(0xCC00BB)},
      {u"TNTabEd", u"DefaultRowHeight", Int64(24)},
      {u"TMarkSel", u"NrOfColumns", Int64(8)},
      {u"TMarkSel", u"NrOfRows", Int64(6)},
      {u"TMarkSel", u"FrameStyle", Int64(5)},
      {u"TMarkSel", u"Selected", Int64(-1)},
      {u"TMarkSel", u"ShowZeroAsCross", true},
  };
  return rows;
}

}  // namespace

// Each registered class publishes exactly its list; nothing a user sets is missing, nothing else is stored.
TEST(PublishedLists, EveryClassPublishesExactlyItsList) {
  std::set<String> seen;
  for (Integer u = 0; u < JoxUnitCount; ++u)
    for (const TClassInfo* c : UnitClasses(TJoxUnit(u)))
      if (c->Create) seen.insert(c->Name);
  EXPECT_EQ(seen.size(), Expected().size());
  for (const TPublished& row : Expected()) {
    SCOPED_TRACE(ToUtf8(row.Class));
    const TClassInfo* info = RegisteredClass(row.Class);
    ASSERT_NE(info, nullptr);
    seen.erase(row.Class);
    std::set<std::string> props = Words(row.Props), events = Words(row.Events);
    for (const char* n : {"Name", "Tag", "Left", "Top", "Width", "Height"}) props.insert(n);
    if (String(row.Class) == u"TRLData")
      for (const char* n : {"Left", "Top", "Width", "Height"}) props.erase(n);  // not a control
    if (String(row.Class) == u"TRepSpeedButton") SplitPublished(TSpeedButton::ClassInfo(), props, events);
    std::set<std::string> haveProps, haveEvents;
    SplitPublished(*info, haveProps, haveEvents);
    EXPECT_EQ(Missing(props, haveProps, '+') + Missing(haveProps, props, '-'), "");
    EXPECT_EQ(Missing(events, haveEvents, '+') + Missing(haveEvents, events, '-'), "");
  }
  EXPECT_TRUE(seen.empty());
}

// What a form leaves out decides what a reader keeps from the constructor: the defaults must be the ones
// every stored form was written against.
TEST(PublishedLists, StoredDefaultsDecideWhatAFormWrites) {
  for (const auto& [cls, names] : AlwaysWritten()) {
    const TClassInfo* info = RegisteredClass(cls);
    ASSERT_NE(info, nullptr) << ToUtf8(cls);
    for (const std::string& n : Words(names)) {
      const TPropInfo* p = info->FindProp(FromUtf8(n));
      ASSERT_NE(p, nullptr) << ToUtf8(cls) << "." << n;
      EXPECT_FALSE(p->Default.has_value()) << ToUtf8(cls) << "." << n;
    }
  }
  for (const TStoredDefault& row : StoredDefaults()) {
    const TClassInfo* info = RegisteredClass(row.Class);
    ASSERT_NE(info, nullptr) << ToUtf8(row.Class);
    const TPropInfo* p = info->FindProp(row.Prop);
    ASSERT_NE(p, nullptr) << ToUtf8(row.Class) << "." << ToUtf8(row.Prop);
    ASSERT_TRUE(p->Default.has_value()) << ToUtf8(row.Class) << "." << ToUtf8(row.Prop);
    EXPECT_EQ(*p->Default, row.Default) << ToUtf8(row.Class) << "." << ToUtf8(row.Prop) << " is "
                                        << ToUtf8(VarToStr(*p->Default));
  }
}
