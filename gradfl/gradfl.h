// The gradient fill: the control's rectangle in stepped colour bands from a first colour towards a
// last one, straight across in horizontal or vertical bands, or symmetric with the last colour in
// the middle band; optionally a grid over the bands and a frame.
#pragma once

#include "package/core/coretypes.h"
#include "package/core/drawing.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/controls.h"
#include "package/framework/graphics/graphics.h"

namespace jox {

// Band direction and shape; ordinals are stored in form files.
enum TGradType : uint8_t {
  gtHoriz,         // bands stacked top to bottom, first colour at the top
  gtVert,          // bands side by side, first colour at the left
  gtMidBandHoriz,  // horizontal bands, first colour at both edges, last colour in the middle
  gtMidBandVert    // the same with vertical bands
};

// Lines over the bands: none, horizontal, vertical, both. Ordinals are stored in form files.
enum TGridMode : uint8_t { gmNone, gmHoriz, gmVert, gmBoth };

// Every setter invalidates; the fill is painted when the framework asks.
class TGradFill : public TGraphicControl {
 public:
  static constexpr Integer DefWidth = 121, DefHeight = 121;
  static constexpr Integer DefNrColors = 16, MaxNrColors = 255;
  static constexpr TGradType DefFillType = gtHoriz;
  static constexpr TColor DefColorFirst = clMaroon, DefColorLast = clYellow, DefGridColor = clNavy;
  static constexpr TFrameStyle DefFrameStyle = TFrameStyle(0);
  static constexpr TGridMode DefGridMode = gmNone;

  explicit TGradFill(TComponent* AOwner);

  void Paint() override;
  // Draws the whole picture into Bmp, which is given the control's size.
  void DrawGradient(TBitmap* Bmp);

  // Number of bands, clamped to 1 .. 255. Default 16.
  Integer NrColors() const { return FNrColors; }
  void SetNrColors(Integer Value);
  TGradType FillType() const { return FGradType; }  // default gtHoriz
  void SetFillType(TGradType Value);
  // The colours as shown (default clMaroon and clYellow). While flipped, setting the shown first
  // colour sets the remembered last one, and the other way round.
  TColor ColorFirst() const { return FColorFirst; }
  void SetColorFirst(TColor Value);
  TColor ColorLast() const { return FColorLast; }
  void SetColorLast(TColor Value);
  // Shows the two colours exchanged. Default false.
  bool ColorFlipped() const { return FColorsFlipped; }
  void SetColorFlipped(bool Value);
  // Frame drawn round the fill (DrawFrame styles). Default none.
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  // Lines at the band borders: horizontal ones at the borders of NrColors rows, vertical ones at the
  // borders of NrColors columns. Default gmNone, colour clNavy.
  TGridMode GridMode() const { return FGridMode; }
  void SetGridMode(TGridMode Value);
  TColor GridColor() const { return FGridColor; }
  void SetGridColor(TColor Value);
  // After every paint; the handler may draw over the fill on Canvas.
  const TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent Value) { FOnPaint = std::move(Value); }

  // From another TGradFill: its published properties; another class raises EConvertError.
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;

 private:
  bool IsLoading() const;
  // The colour of band N.
  TColor BandColor(Integer N) const;

  Integer FNrColors = DefNrColors;
  TGradType FGradType = DefFillType;
  TColor FColorFirst = DefColorFirst, FColorLast = DefColorLast;
  TColor FColFirstOrg = DefColorFirst, FColLastOrg = DefColorLast;
  bool FColorsFlipped = false;
  TFrameStyle FFrameStyle = DefFrameStyle;
  TGridMode FGridMode = DefGridMode;
  TColor FGridColor = DefGridColor;
  TNotifyEvent FOnPaint;
};

}  // namespace jox
