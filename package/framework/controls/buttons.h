// Buttons: the speed button (a graphic button with glyph, groups and a flat look) and the push button
// of dialogs (Default, Cancel, ModalResult). Sections: [speed] [push]
#pragma once

#include <memory>

#include "package/framework/controls/controls.h"

namespace jox {

using TModalResult = Integer;

// [speed] --------------------------------------------------------------------------------------------------
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = Integer;

// Defaults: size 23 x 22, AllowAllUp false, GroupIndex 0, Down false, Flat false, Layout blGlyphLeft,
// Margin -1 (glyph and caption centred together), NumGlyphs 1, Spacing 4, Transparent true.
// The press shows the pressed look while the left button is held over the button; OnClick fires on the
// release over it. A button of a group (GroupIndex > 0) stays down after its click and pushes the other
// buttons of the group up through CM_BUTTONPRESSED (WParam the group, LParam the sender); with AllowAllUp
// (shared by the group) a click on the down button raises it again.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool v);
  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer v);
  // Without a group the button cannot stay down (Down stays false); a down button of a group without
  // AllowAllUp cannot be raised but by another button of the group.
  bool Down() const { return FDown; }
  void SetDown(bool v);
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  // Up to four pictures side by side: up, disabled, clicked, down. The bottom-left pixel is transparent.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* v);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs v);  // 1 .. 4; others are ignored
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  // Pixels from the edge to the glyph; -1 centres glyph and caption.
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer v);
  // Pixels between glyph and caption; -1 centres the caption in the room left.
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer v);
  // On a scaled form the glyph is drawn at the scale; Margin and Spacing grow with it.
  void ChangeScale(double K) override;
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  // The state drawn now.
  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

  void Click() override;
  void Paint() override;
  void DefaultHandler(TMessage& Message) override;

  JOX_CLASS_TABLE

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // For a subclass that asked for the keyboard (WantKeyboard): Space held is the press, its release
  // the click (a grouped button toggles as on a click); the focus shows as a dotted rectangle.
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void FocusChanged() override;
  bool SpaceHeld() const { return FSpaceHeld; }
  // Tells the group that this button went down (or that a group setting changed).
  void UpdateExclusive();

 private:
  void SetState(TButtonState s);
  void PaintGlyphAndCaption(TCanvas* C, TRect R, bool Pressed);

  bool FAllowAllUp = false;
  Integer FGroupIndex = 0;
  bool FDown = false;
  bool FFlat = false;
  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  Integer FMargin = -1;
  Integer FSpacing = 4;
  bool FTransparent = true;
  TButtonState FState = bsUp;
  bool FDragging = false;
  bool FMouseInControl = false;
  bool FSpaceHeld = false;
};

// [push] ---------------------------------------------------------------------------------------------------
// A windowed push button. Defaults: size 75 x 25, TabStop true, Default false, Cancel false,
// ModalResult mrNone. Space (press and release) and Enter click the focused button; in a form, Enter
// clicks the Default button unless another button has the focus, Escape the Cancel button. A click of a
// button with a ModalResult sets the form's ModalResult (which ends a modal form).
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner);

  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  // The button that would take Enter now: the focused button, else the Default one.
  bool Active() const;

  void Click() override;
  void Paint() override;
  void DefaultHandler(TMessage& Message) override;

  JOX_CLASS_TABLE

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  void SetPressed(bool v);
  bool FDefault = false, FCancel = false;
  TModalResult FModalResult = 0;
  bool FPressed = false;       // drawn pushed in
  bool FMouseHeld = false;     // left button held after a press on it
  bool FSpaceHeld = false;
};

}  // namespace jox
