// Labels: a caption on the parent's background, aligned, wrapped and sized to its text.
#pragma once

#include "package/framework/controls/controls.h"

namespace jox {

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

// A graphic control showing its Caption. Defaults: size 65 x 17, Alignment taLeftJustify, AutoSize true,
// Layout tlTop, WordWrap false, Transparent false, ShowAccelChar true, FocusControl none. Disabled text
// is engraved (white one pixel down-right, grey on top). "&x" underlines x and makes Alt+x focus
// FocusControl; "&&" shows one "&".
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  // Width and height follow the text (the right edge stays put for taRightJustify); with WordWrap only
  // the height follows.
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool v);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  // False: the label fills its rectangle with Color first.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* v);

  void Paint() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void DefaultHandler(TMessage& Message) override;

  JOX_CLASS_TABLE

 protected:
  // Draws (or, with DT_CALCRECT in Flags, only measures into Rect) the caption with the canvas's font.
  virtual void DoDrawText(TRect& Rect, Cardinal Flags);
  // Sizes the label to its text when AutoSize is on.
  virtual void AdjustBounds();
  void Loaded() override;
  void FontChanged() override;
  // The scaled bounds are the old ones multiplied; text at the larger font may need more (or less), so
  // an auto-sized label measures itself again.
  void ChangeScale(double K) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The DrawText flags for the label's settings.
  Cardinal DrawTextFlags() const;

 private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
  bool FAdjusting = false;
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
  JOX_CLASS_TABLE
};

// The accelerator character of a caption ("&x" gives x, upper-cased), 0 when none.
char16_t GetAccelChar(const String& Caption);
// Whether Ch (either case) is the accelerator character of Caption.
bool IsAccel(char16_t Ch, const String& Caption);

}  // namespace jox
