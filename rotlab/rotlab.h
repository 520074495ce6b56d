// TRotLab: a label that writes its caption at any angle about an anchor point, aligned to that point,
// in a frame. The anchor can follow the centre of the control (AutoCenter).
#pragma once

#include "package/core/coretypes.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/labels.h"

namespace jox {

// Setters do nothing when the value is unchanged; otherwise they invalidate while Transparent (so the
// parent is drawn beneath first) and paint at once otherwise.
class TRotLab : public TCustomLabel {
 public:
  static constexpr Integer DefWidth = 200, DefHeight = 200, DefFontSize = 11, DefPos = 10;
  static constexpr TFrameStyle DefFrameStyle = fsLowered;
  static constexpr TColor DefColor = clBtnFace;
  static constexpr TColor StoredDefColor = clWindow;
  static constexpr TAlignment StoredDefAlignment = taLeftJustify;

  explicit TRotLab(TComponent* AOwner);

  void Paint() override;
  void Assign(TPersistent* Source) override;
  // Placed in a parent, the anchor moves to the centre when AutoCenter is on.
  void SetParent(TWinControl* AParent) override;

  // Degrees counter-clockwise, 0.
  Integer TextAngle() const { return FTextAngle; }
  void SetTextAngle(Integer A);
  // The anchor, (10, 10); while AutoCenter is on, setting either puts the anchor at the centre instead.
  Integer PosX() const { return FTextPosX; }
  void SetTextPosX(Integer N);
  void SetPosX(Integer N) { SetTextPosX(N); }
  Integer PosY() const { return FTextPosY; }
  void SetTextPosY(Integer N);
  void SetPosY(Integer N) { SetTextPosY(N); }
  // Smoothed text, true; false draws it without anti-aliasing.
  bool AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(bool B);
  // The anchor stays at the control's centre (Width div 2, Height div 2), true.
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool B);
  // Background colour; with a visual style (client element) the style's window colour.
  void SetColor(TColor V);
  // True, but the label starts opaque: only this setter passes the value on to the label beneath.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool B);
  // Where the anchor lies on the text's centre line: left end, right end or middle (taCenter).
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment A);
  TFrameStyle FrameStyle() const { return FFrameStyle; }  // fsLowered
  void SetFrameStyle(TFrameStyle S);

  // Puts the anchor at the centre of the control.
  void AdjustAutoCenter();
  // After a change of size: the anchor follows the centre (placed controls with AutoCenter only).
  void ProcessResize(TObject* Sender);
  // The TextOut point of the caption for the present font, angle, alignment and anchor.
  TPoint TextOrigin();

  JOX_CLASS_TABLE

 protected:
  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;
  void DoDrawText(TRect& Rect, Cardinal Flags) override;
  void Resize() override;
  void ChangeScale(double K) override;

 private:
  void RefreshLabel();
  // The canvas font: the control's, turned by TextAngle, smoothed by AntiAlias.
  void PrepareFont(TCanvas* C);

  Integer FTextAngle = 0;
  Integer FTextPosX = DefPos, FTextPosY = DefPos;
  bool FAntiAlias = true;
  bool FAutoCenter = true;
  TColor FBgColor = DefColor;
  bool FTransparent = true;
  TAlignment FAlignment = taCenter;
  TFrameStyle FFrameStyle = DefFrameStyle;
};

}  // namespace jox
