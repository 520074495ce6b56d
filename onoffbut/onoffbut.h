// The on/off button: a two-state switch drawn from one of twenty-four picture styles (check box, radio
// button, slide switches, LEDs, arrows, a pedestrian light, smileys, a bulb, a lamp button, rockers,
// user pictures), with up to four texts round the picture, exclusive groups, a toggle or momentary mode
// and a transparent look. Sections: [types] [button]
//
// Sources: onoffbut.cpp (creation, pictures, properties, mouse, groups, class table), onoffbut_paint.cpp.
#pragma once

#include <array>
#include <memory>

#include "package/core/coretypes.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/controls.h"
#include "package/framework/graphics/graphics.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------------
enum TOnOffButStyle : uint8_t {
  oobsUser, oobsCheckbox, oobsRadioBut, oobsSlideTB, oobsSlideLR, oobsColSlideTB, oobsColSlideLR, oobsLedRedGreen,
  oobsArrowTopRgt, oobsArrowUpDown, oobsArrowLeftRight, oobsTrafficLPed, oobsBeveledLed, oobsSmileyYellow,
  oobsSmileyRedGrn, oobsBulb, oobsButLamp, oobsHDLeft, oobsHDRight, oobsUser1, oobsUser2, oobsUser3, oobsUser4,
  oobsUser5
};
constexpr Integer OnOffButStyleCount = 24;

// oomaNone: the mouse does not switch; oomaFocused: only a click on the picture; oomaPlain: anywhere.
enum TOOButMouseAction : uint8_t { oomaNone, oomaFocused, oomaPlain };
// oobmNormalBut: a toggle; oobmSpeedBut: on while the mouse button is held.
enum TOOButMode : uint8_t { oobmNormalBut, oobmSpeedBut };

// The bitmap resource of each style ("" for oobsUser), kept while the unit is started.
const std::array<String, OnOffButStyleCount>& OnOffButResourceNames();

// [button] -------------------------------------------------------------------------------------------
class TOnOffBut : public TGraphicControl {
 public:
  static constexpr Integer DefWidth = 100, DefHeight = 50, DefLeftSpace = 35, DefTopSpace = 18, DefGroupIndex = 0,
                           UserGlyphSize = 20;
  static constexpr TOnOffButStyle DefButtonStyle = oobsColSlideLR;
  static constexpr TOOButMode DefMode = oobmNormalBut;
  static constexpr TOOButMouseAction DefMouseAction = oomaFocused;
  static constexpr TAlignment DefLeftTextAlignment = taRightJustify, DefTopTextAlignment = taCenter,
                              DefBottomTextAlignment = taCenter, DefRightTextAlignment = taLeftJustify;
  static constexpr TColor DefColorBackgnd = clBtnFace, DefColorText = clBlack;
  static constexpr TColorScheme DefColorScheme = TColorScheme(0);
  static constexpr TFrameStyle DefFrameStyle = TFrameStyle(2);
  // Picture pixels of this colour show the background (or, when transparent, the parent).
  static constexpr TColor KeyColor = 0xEBBEEB;

  explicit TOnOffBut(TComponent* AOwner);
  ~TOnOffBut() override;

  void Assign(TPersistent* Source) override;
  void Paint() override;
  // Does nothing: OnClick comes from the mouse release only.
  void Click() override;

  // The user style's four pictures from a bitmap laid out like the style bitmaps (on and off in the top
  // row, their disabled looks below). A null or empty bitmap changes nothing.
  void SetUserGlyph(TBitmap* Img);
  // The same from a bitmap file; a missing or unreadable file raises the framework's error and changes
  // nothing.
  void LoadUserGlyph(const String& FName);

  // --- state
  // Default true. Switching a grouped button off is refused while the group may not be all off;
  // switching one on switches the other on button of its group off.
  bool OnOff() const { return FOnOff; }
  void SetOnOff(bool Value);
  // Pictures; a change loads them (EResNotFound for a missing resource) and re-centres. Default
  // oobsColSlideLR.
  TOnOffButStyle ButtonStyle() const { return FButStyle; }
  void SetButtonStyle(TOnOffButStyle Value);
  // Toggle (default) or momentary; choosing momentary switches the button off.
  TOOButMode Mode() const { return FMode; }
  void SetMode(TOOButMode Value);
  TOOButMouseAction MouseAction() const { return FMouseAction; }  // default oomaFocused
  void SetMouseAction(TOOButMouseAction Value);
  // Buttons of one parent with the same index form a group (0: none). Default 0.
  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  // Whether the last button on in a group may be switched off; shared by the whole group. Default true.
  bool AllowAllOff() const { return FAllowAllOff; }
  void SetAllowAllOff(bool Value);

  // --- layout
  // Keeps the picture centred, also on every resize (as long as OnResize is the button's own). Default true.
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool Value);
  // The picture is drawn from (LeftSpace + 1, TopSpace + 1). Negative values are ignored; with AutoCenter
  // a new value re-centres instead. Defaults 35 and 18.
  Integer LeftSpace() const { return FLeftSpace; }
  void SetLeftSpace(Integer Value);
  Integer TopSpace() const { return FTopSpace; }
  void SetTopSpace(Integer Value);
  // Size of one picture.
  Integer GlyphWidth() const { return FGlyphWidth; }
  Integer GlyphHeight() const { return FGlyphHeight; }

  // --- texts round the picture
  const String& LeftText() const { return FLeftText; }
  void SetLeftText(const String& Value);
  const String& TopText() const { return FTopText; }
  void SetTopText(const String& Value);
  const String& BottomText() const { return FBottomText; }
  void SetBottomText(const String& Value);
  const String& RightText() const { return FRightText; }
  void SetRightText(const String& Value);
  // Defaults: left text right-aligned (towards the picture), right text left-aligned, top and bottom
  // centred over the picture.
  TAlignment LeftTextAlignment() const { return FLTAlignment; }
  void SetLeftTextAlignment(TAlignment Value);
  TAlignment TopTextAlignment() const { return FTTAlignment; }
  void SetTopTextAlignment(TAlignment Value);
  TAlignment BottomTextAlignment() const { return FBTAlignment; }
  void SetBottomTextAlignment(TAlignment Value);
  TAlignment RightTextAlignment() const { return FRTAlignment; }
  void SetRightTextAlignment(TAlignment Value);

  // --- looks
  TColor ColorBackgnd() const { return FColorBakG; }  // default clBtnFace
  void SetColorBackgnd(TColor Value);
  TColor ColorText() const { return FColorTxt; }  // default clBlack
  void SetColorText(TColor Value);
  // Sets the frame line colours (ordinal 0 classic, others system colours); the painting uses fixed
  // frame colours. Default 0.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }  // default sunken
  void SetFrameStyle(TFrameStyle Value);
  // The parent shows through the background and key-coloured picture pixels. Default false.
  bool Transparent() const { return FTransParent; }
  void SetTransparent(bool Value);
  // Disabled: the bottom-row pictures, engraved texts, no switching by the mouse.
  void SetEnabled(bool Value) override;

  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;
  // On a scaled form the pictures grow with it; without AutoCenter so do LeftSpace and TopSpace.
  void ChangeScale(double K) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // Focus and keys: the button is a tab stop; Space switches it as a press on the picture does (not
  // with MouseAction oomaNone), and a dotted rectangle round the picture shows the focus.
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void FocusChanged() override;
  // Tells the group that this button is on or that a group setting changed.
  void UpdateExclusive();
  void CMButtonPressed(TMessage& Message);

 private:
  void LoadGlyphs();
  void ExtractGlyphs(TBitmap* Source, std::array<std::array<std::unique_ptr<TBitmap>, 2>, 2>& Into);
  void AdjustAutoCenter();
  void ButResize(TObject* Sender);
  // The mouse-area checks shared by press and release.
  bool MouseSwitches(TMouseButton Button, Integer X, Integer Y) const;
  // A press on the picture (mouse or Space) and its release; Over: released where it switches.
  void Press();
  void Release(bool Over);
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  // Paints at once; a transparent button has its parent drawn afresh beneath it first.
  void PaintAtOnce();
  // Invalidate when transparent (the parent must show through), else paint at once.
  void Redraw();
  void SetSpace(Integer& Field, Integer Value, Integer Limit);
  void WriteText(TCanvas* C, TCanvas* Mask, Integer X, Integer Y, const String& Text);

  bool FOnOff = true;
  // [on][enabled]
  std::array<std::array<std::unique_ptr<TBitmap>, 2>, 2> FButImg, FUserImg;
  std::unique_ptr<TBitmap> FMask;
  bool FAutoCenter = true;
  TOnOffButStyle FButStyle = DefButtonStyle;
  Integer FGroupIndex = DefGroupIndex;
  TOOButMouseAction FMouseAction = DefMouseAction;
  bool FAllowAllOff = true;
  TColor FColorBakG = DefColorBackgnd;
  TColor FColorTxt = DefColorText;
  Integer FGlyphWidth = 0, FGlyphHeight = 0;
  Integer FLeftSpace = DefLeftSpace, FTopSpace = DefTopSpace;
  String FLeftText, FTopText, FBottomText, FRightText;
  TOOButMode FMode = DefMode;
  TFrameStyle FFrameStyle = DefFrameStyle;
  bool FTransParent = false;
  TAlignment FLTAlignment = DefLeftTextAlignment, FTTAlignment = DefTopTextAlignment,
             FBTAlignment = DefBottomTextAlignment, FRTAlignment = DefRightTextAlignment;
  bool FEnabled = true;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = DefColorScheme;
  // A momentary press switched the button on: the release switches it off wherever it happens.
  bool FPressedOn = false;
  bool FSpaceHeld = false;
};

}  // namespace jox
