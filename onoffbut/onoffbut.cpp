// Sections: [styles] [lifecycle] [pictures] [state] [layout] [looks] [mouse] [keys] [group] [table]
#include "onoffbut/onoffbut.h"

#include <algorithm>

#include "package/colorscheme.h"
#include "package/framework/graphics/bitmapscale.h"
#include "package/setters.h"
#include "package/units.h"

namespace jox {

// [styles] -------------------------------------------------------------------------------------------
const std::array<String, OnOffButStyleCount>& OnOffButResourceNames() {
  static TUnitTable<std::array<String, OnOffButStyleCount>> table(juOnOffBut, [] {
    return std::array<String, OnOffButStyleCount>{
        u"",           u"CHECKBOX",   u"RADIOBUT",   u"SLIDETOPBOT", u"SLIDELFTRGT", u"COLSLIDETB",
        u"COLSLIDELR", u"LEDREDGREEN", u"ARROWTR",   u"ARROWUD",     u"ARROWLR",     u"TRAFFICLGT",
        u"BEVELEDLED", u"SMILEYS",    u"SMILEYRG",   u"BULB",        u"BUTLAMP",     u"HDLEFT",
        u"HDRIGHT",    u"USER1",      u"USER2",      u"USER3",       u"USER4",       u"USER5"};
  });
  return table.Get();
}

// [lifecycle] ----------------------------------------------------------------------------------------
TOnOffBut::TOnOffBut(TComponent* AOwner) : TGraphicControl(AOwner), FMask(std::make_unique<TBitmap>()) {
  for (auto& row : FButImg)
    for (auto& b : row) b = std::make_unique<TBitmap>();
  for (auto& row : FUserImg)
    for (auto& b : row) b = std::make_unique<TBitmap>(UserGlyphSize, UserGlyphSize);
  for (auto& row : FUserImg)
    for (auto& b : row) {
      b->Canvas()->Brush()->SetColor(clWhite);
      b->Canvas()->FillRect(Rect(0, 0, UserGlyphSize, UserGlyphSize));
    }
  TCanvas* off = FUserImg[false][true]->Canvas();
  off->Pen()->SetColor(clBlack);
  off->MoveTo(0, 0);
  off->LineTo(UserGlyphSize, UserGlyphSize);
  off->MoveTo(0, UserGlyphSize);
  off->LineTo(UserGlyphSize, 0);
  TCanvas* on = FUserImg[true][true]->Canvas();
  on->Pen()->SetColor(clBlack);
  on->Ellipse(5, 5, 15, 15);
  LoadGlyphs();
  WantKeyboard();
  SetBounds(Left(), Top(), DefWidth, DefHeight);
  SetOnResize([this](TObject* Sender) { ButResize(Sender); });
  SetMessageHandler(CM_BUTTONPRESSED, [this](TMessage& m) { CMButtonPressed(m); });
}

TOnOffBut::~TOnOffBut() = default;

void TOnOffBut::Loaded() {
  TGraphicControl::Loaded();
  if (FAutoCenter) AdjustAutoCenter();
  Invalidate();
}

void TOnOffBut::PaintAtOnce() {
  // A transparent look is AND-ed onto what lies beneath: the parent must be drawn afresh first, or the
  // old picture shows through the new one's transparent pixels.
  if (FTransParent && !IsLoading() && !ComponentState().Contains(csDestroying))
    Repaint();
  else
    PaintNow(this);
}

void TOnOffBut::Redraw() {
  if (FTransParent)
    Invalidate();
  else
    PaintNow(this);
}

void TOnOffBut::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TOnOffBut*>(Dest))
    Dest->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

void TOnOffBut::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TOnOffBut*>(Source);
  if (!S) {
    TGraphicControl::Assign(Source);
    return;
  }
  if (S == this) return;
  FLeftSpace = S->FLeftSpace;
  FTopSpace = S->FTopSpace;
  FAutoCenter = S->FAutoCenter;
  FLeftText = S->FLeftText;
  FTopText = S->FTopText;
  FBottomText = S->FBottomText;
  FRightText = S->FRightText;
  FLTAlignment = S->FLTAlignment;
  FTTAlignment = S->FTTAlignment;
  FBTAlignment = S->FBTAlignment;
  FRTAlignment = S->FRTAlignment;
  FFrameStyle = S->FFrameStyle;
  FColorBakG = S->FColorBakG;
  FColBlackLine = S->FColBlackLine;
  FColGrayLine = S->FColGrayLine;
  FColWhiteLine = S->FColWhiteLine;
  FColorScheme = S->FColorScheme;
  FOnOff = S->FOnOff;
  for (int on = 0; on < 2; ++on)
    for (int en = 0; en < 2; ++en) {
      FButImg[on][en]->Assign(S->FButImg[on][en].get());
      FUserImg[on][en]->Assign(S->FUserImg[on][en].get());
    }
  FButStyle = S->FButStyle;
  FMouseAction = S->FMouseAction;
  FColorTxt = S->FColorTxt;
  FGlyphWidth = S->FGlyphWidth;
  FGlyphHeight = S->FGlyphHeight;
  FTransParent = S->FTransParent;
  SetEnabled(S->FEnabled);
  Invalidate();
}

// [pictures] -----------------------------------------------------------------------------------------
void TOnOffBut::ExtractGlyphs(TBitmap* Source, std::array<std::array<std::unique_ptr<TBitmap>, 2>, 2>& Into) {
  const Integer gw = Source->Width() / 2, gh = Source->Height() / 2;
  for (int on = 0; on < 2; ++on)
    for (int en = 0; en < 2; ++en) {
      const Integer x = on ? 0 : gw, y = en ? 0 : gh;
      TBitmap* b = Into[on][en].get();
      b->SetSize(gw, gh);
      b->Canvas()->SetCopyMode(cmSrcCopy);
      b->Canvas()->CopyRect(Rect(0, 0, gw, gh), Source->Canvas(), Rect(x, y, x + gw, y + gh));
    }
}

void TOnOffBut::LoadGlyphs() {
  if (FButStyle == oobsUser) {
    for (int on = 0; on < 2; ++on)
      for (int en = 0; en < 2; ++en) FButImg[on][en]->Assign(FUserImg[on][en].get());
  } else {
    TBitmap res;
    res.LoadFromResourceName(HInstance, OnOffButResourceNames()[FButStyle]);
    ExtractGlyphs(&res, FButImg);
  }
  // The pictures are drawn for 96 dpi; on a scaled form they grow with it.
  if (const double k = ControlScale(this); k != 1)
    for (auto& row : FButImg)
      for (auto& b : row) ScaleBitmap(b.get(), k, KeyColor);
  FGlyphWidth = FButImg[true][true]->Width();
  FGlyphHeight = FButImg[true][true]->Height();
}

void TOnOffBut::ChangeScale(double K) {
  LoadGlyphs();
  if (FAutoCenter) {
    AdjustAutoCenter();
  } else {
    FLeftSpace = ScaledMetric(K, FLeftSpace);
    FTopSpace = ScaledMetric(K, FTopSpace);
  }
  Invalidate();
}

void TOnOffBut::SetUserGlyph(TBitmap* Img) {
  if (!Img || Img->Width() < 2 || Img->Height() < 2) return;
  ExtractGlyphs(Img, FUserImg);
  if (FButStyle != oobsUser) return;
  LoadGlyphs();
  if (FAutoCenter) AdjustAutoCenter();
  Invalidate();
}

void TOnOffBut::LoadUserGlyph(const String& FName) {
  TBitmap b;
  b.LoadFromFile(FName);
  SetUserGlyph(&b);
}

void TOnOffBut::SetButtonStyle(TOnOffButStyle Value) {
  if (Value == FButStyle || Value >= OnOffButStyleCount) return;
  const TOnOffButStyle old = FButStyle;
  FButStyle = Value;
  try {
    LoadGlyphs();
  } catch (...) {
    FButStyle = old;  // the pictures shown still belong to the old style
    throw;
  }
  if (FAutoCenter) AdjustAutoCenter();
  Invalidate();
}

// [state] --------------------------------------------------------------------------------------------
void TOnOffBut::SetOnOff(bool Value) {
  if (IsLoading()) {  // the group settings may come first; each button keeps its stored state
    FOnOff = Value;
    return;
  }
  if (Value == FOnOff) return;
  if (FGroupIndex != 0 && !FAllowAllOff && !Value) return;
  FOnOff = Value;
  PaintAtOnce();
  if (FOnOff) UpdateExclusive();
}

void TOnOffBut::SetMode(TOOButMode Value) {
  FMode = Value;
  if (FMode == oobmSpeedBut) FOnOff = false;  // a momentary button rests off
  Invalidate();
}

void TOnOffBut::SetMouseAction(TOOButMouseAction Value) {
  FMouseAction = Value;
  Invalidate();
}

void TOnOffBut::SetGroupIndex(Integer Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (!IsLoading()) UpdateExclusive();  // a half-read button would switch its loaded partners off
}

void TOnOffBut::SetAllowAllOff(bool Value) {
  if (Value == FAllowAllOff) return;
  FAllowAllOff = Value;
  if (!IsLoading()) UpdateExclusive();
}

// [layout] -------------------------------------------------------------------------------------------
void TOnOffBut::AdjustAutoCenter() {
  FLeftSpace = (Width() - FGlyphWidth) / 2;
  FTopSpace = (Height() - FGlyphHeight) / 2;
}

void TOnOffBut::ButResize(TObject*) {
  if (!Parent() || !FAutoCenter) return;
  AdjustAutoCenter();
  Redraw();
}

void TOnOffBut::SetAutoCenter(bool Value) {
  if (Value == FAutoCenter) return;
  FAutoCenter = Value;
  if (!Value) return;
  AdjustAutoCenter();
  Redraw();
}

void TOnOffBut::SetSpace(Integer& Field, Integer Value, Integer Limit) {
  if (Value < 0 || Value == Field) return;
  if (IsLoading()) {  // AutoCenter may be read later; Loaded centres when it is set
    Field = Value;
    return;
  }
  if (FAutoCenter)
    AdjustAutoCenter();
  else
    Field = std::min(Value, Limit);
  Invalidate();
}

void TOnOffBut::SetLeftSpace(Integer Value) { SetSpace(FLeftSpace, Value, Width()); }
void TOnOffBut::SetTopSpace(Integer Value) { SetSpace(FTopSpace, Value, Height()); }

void TOnOffBut::SetLeftText(const String& Value) { if (StoreChanged(FLeftText, Value)) Invalidate(); }
void TOnOffBut::SetTopText(const String& Value) { if (StoreChanged(FTopText, Value)) Invalidate(); }
void TOnOffBut::SetBottomText(const String& Value) { if (StoreChanged(FBottomText, Value)) Invalidate(); }
void TOnOffBut::SetRightText(const String& Value) { if (StoreChanged(FRightText, Value)) Invalidate(); }
void TOnOffBut::SetLeftTextAlignment(TAlignment Value) { if (StoreChanged(FLTAlignment, Value)) Invalidate(); }
void TOnOffBut::SetTopTextAlignment(TAlignment Value) { if (StoreChanged(FTTAlignment, Value)) Invalidate(); }
void TOnOffBut::SetBottomTextAlignment(TAlignment Value) { if (StoreChanged(FBTAlignment, Value)) Invalidate(); }
void TOnOffBut::SetRightTextAlignment(TAlignment Value) { if (StoreChanged(FRTAlignment, Value)) Invalidate(); }

// [looks] --------------------------------------------------------------------------------------------
void TOnOffBut::SetColorBackgnd(TColor Value) { if (StoreChanged(FColorBakG, Value)) PaintAtOnce(); }
void TOnOffBut::SetColorText(TColor Value) { if (StoreChanged(FColorTxt, Value)) PaintAtOnce(); }
void TOnOffBut::SetFrameStyle(TFrameStyle Value) { if (StoreChanged(FFrameStyle, Value)) PaintAtOnce(); }

void TOnOffBut::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, true, StyleElements(), FColGrayLine, FColWhiteLine, &FColBlackLine);
  Invalidate();
}

void TOnOffBut::SetTransparent(bool Value) {
  FTransParent = Value;
  Invalidate();
}

void TOnOffBut::SetEnabled(bool Value) {
  FEnabled = Value;
  TGraphicControl::SetEnabled(Value);
  Invalidate();
}

// [mouse] --------------------------------------------------------------------------------------------
void TOnOffBut::Click() {}

bool TOnOffBut::MouseSwitches(TMouseButton Button, Integer X, Integer Y) const {
  if (FMouseAction == oomaNone || Button != mbLeft) return false;
  if (FMouseAction == oomaFocused)
    return FLeftSpace < X && X < FLeftSpace + FGlyphWidth && FTopSpace < Y && Y < FTopSpace + FGlyphHeight;
  return true;
}

void TOnOffBut::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (MouseSwitches(Button, X, Y)) Press();
}

void TOnOffBut::Press() {
  if (FGroupIndex != 0 && !FAllowAllOff && FOnOff) return;  // the group's on button stays on
  FOnOff = !FOnOff;
  FPressedOn = FMode == oobmSpeedBut && FOnOff;
  PaintAtOnce();
  if (FOnOff) UpdateExclusive();
}

void TOnOffBut::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) Release(MouseSwitches(Button, X, Y));
}

// [keys] ---------------------------------------------------------------------------------------------
// Space is the keyboard's press on the picture: down switches, up releases (and clicks), so a momentary
// button stays on while Space is held. Held keys repeat their key-down; only the first one presses.
void TOnOffBut::KeyDown(Word& Key, TShiftState Shift) {
  if (Key != VK_SPACE || FMouseAction == oomaNone || !Enabled()) return;
  Key = 0;
  if (FSpaceHeld) return;
  FSpaceHeld = true;
  Press();
}

void TOnOffBut::KeyUp(Word& Key, TShiftState Shift) {
  if (Key != VK_SPACE || !FSpaceHeld) return;
  Key = 0;
  FSpaceHeld = false;
  Release(true);
}

void TOnOffBut::FocusChanged() {
  // Losing the focus with Space held lets the button go without a click.
  if (!Focused() && FSpaceHeld) {
    FSpaceHeld = false;
    Release(false);
  }
  Invalidate();
}

void TOnOffBut::Release(bool Over) {
  const bool pressedOn = FPressedOn;
  FPressedOn = false;
  if (!Over) {
    // Released off the picture: no click, but a momentary button must not stay on.
    if (pressedOn && FMode == oobmSpeedBut && FOnOff) {
      FOnOff = false;
      PaintAtOnce();
    }
    return;
  }
  if (FMode == oobmSpeedBut) {
    FOnOff = false;
    PaintAtOnce();
  }
  if (OnClick()) OnClick()(this);
}

// [group] --------------------------------------------------------------------------------------------
void TOnOffBut::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, FGroupIndex, intptr_t(static_cast<TObject*>(this)), 0};
  Parent()->Broadcast(m);
}

void TOnOffBut::CMButtonPressed(TMessage& Message) {
  if (FGroupIndex < 0 || Message.WParam != FGroupIndex) return;
  // Speed buttons of the parent use the same message: only on/off buttons are listened to.
  auto* sender = dynamic_cast<TOnOffBut*>(reinterpret_cast<TObject*>(Message.LParam));
  if (!sender || sender == this) return;
  if (sender->FOnOff && FOnOff) {
    FOnOff = false;
    PaintAtOnce();
  }
  FAllowAllOff = sender->FAllowAllOff;
}

// [table] --------------------------------------------------------------------------------------------
const TClassInfo& TOnOffBut::ClassInfo() {
  using B = TOnOffBut;
  static const TClassInfo info =
      TClassBuilder<TOnOffBut>(&TGraphicControl::ClassInfo())
          .Prop("OnOff", &B::OnOff, &B::SetOnOff, true)
          .Prop("ButtonStyle", &B::ButtonStyle, &B::SetButtonStyle, DefButtonStyle)
          .Prop("Mode", &B::Mode, &B::SetMode, DefMode)
          .Prop("MouseAction", &B::MouseAction, &B::SetMouseAction, DefMouseAction)
          .Prop("GroupIndex", &B::GroupIndex, &B::SetGroupIndex, DefGroupIndex)
          .Prop("AllowAllOff", &B::AllowAllOff, &B::SetAllowAllOff, true)
          .Prop("AutoCenter", &B::AutoCenter, &B::SetAutoCenter, true)
          .Prop("LeftSpace", &B::LeftSpace, &B::SetLeftSpace, DefLeftSpace)
          .Prop("TopSpace", &B::TopSpace, &B::SetTopSpace, DefTopSpace)
          .Prop("LeftText", &B::LeftText, &B::SetLeftText, String())
          .Prop("TopText", &B::TopText, &B::SetTopText, String())
          .Prop("BottomText", &B::BottomText, &B::SetBottomText, String())
          .Prop("RightText", &B::RightText, &B::SetRightText, String())
          .Prop("LeftTextAlignment", &B::LeftTextAlignment, &B::SetLeftTextAlignment, DefLeftTextAlignment)
          .Prop("TopTextAlignment", &B::TopTextAlignment, &B::SetTopTextAlignment, DefTopTextAlignment)
          .Prop("BottomTextAlignment", &B::BottomTextAlignment, &B::SetBottomTextAlignment, DefBottomTextAlignment)
          .Prop("RightTextAlignment", &B::RightTextAlignment, &B::SetRightTextAlignment, DefRightTextAlignment)
          .Prop("ColorBackgnd", &B::ColorBackgnd, &B::SetColorBackgnd, DefColorBackgnd)
          .Prop("ColorText", &B::ColorText, &B::SetColorText, DefColorText)
          .Prop("ColorScheme", &B::ColorScheme, &B::SetColorScheme, DefColorScheme)
          .Prop("FrameStyle", &B::FrameStyle, &B::SetFrameStyle, DefFrameStyle)
          .Prop("Transparent", &B::Transparent, &B::SetTransparent, false)
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Anchors", "ParentShowHint", "PopupMenu", "ShowHint", "StyleElements",
                                         "Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove",
                                         "OnMouseUp"})
          .Publish(ControlProperties(), {"Enabled", "Font", "ParentFont", "OnResize"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses OnOffButClasses(juOnOffBut, {&TOnOffBut::ClassInfo});

}  // namespace jox
