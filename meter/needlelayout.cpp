#include <algorithm>

#include "meter/meter.h"

namespace jox {

template <class T>
void TNeedleLayout::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TNeedleLayout::Changed() {
  if (FOnChange) FOnChange(this);
}

void TNeedleLayout::SetHeadSize(Integer Value) { Store(FSize1, Value); }
void TNeedleLayout::SetHeadAngle(Integer Value) { Store(FAngle1, std::clamp<Integer>(Value, 0, 180)); }
void TNeedleLayout::SetHeadMidLeng(Integer Value) { Store(FBackShift1, Value); }
void TNeedleLayout::SetThickness(Integer Value) { Store(FThickness, Value); }
void TNeedleLayout::SetColorBody(TColor Value) { Store(FColorFill, Value); }
void TNeedleLayout::SetColorOutline(TColor Value) { Store(FColorLine, Value); }
void TNeedleLayout::SetPercentNeedleLength(Integer Value) {
  Store(FPctNeedleLeng, std::clamp<Integer>(Value, 0, 100));
}
void TNeedleLayout::SetShadowDx(Integer Value) { Store(FShadowDx, Value); }
void TNeedleLayout::SetShadowDy(Integer Value) { Store(FShadowDy, Value); }
void TNeedleLayout::SetShadowColor(TColor Value) { Store(FShadowColor, Value); }
void TNeedleLayout::SetVisible(bool Value) { Store(FVisible, Value); }

const TClassInfo& TNeedleLayout::ClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TNeedleLayout>(&TPersistent::ClassInfo())
          .Prop("HeadSize", &TNeedleLayout::HeadSize, &TNeedleLayout::SetHeadSize, DefHeadSize)
          .Prop("HeadAngle", &TNeedleLayout::HeadAngle, &TNeedleLayout::SetHeadAngle, DefHeadAngle)
          .Prop("HeadMidLeng", &TNeedleLayout::HeadMidLeng, &TNeedleLayout::SetHeadMidLeng, DefHeadMidLeng)
          .Prop("Thickness", &TNeedleLayout::Thickness, &TNeedleLayout::SetThickness, DefThickness)
          .Prop("ColorBody", &TNeedleLayout::ColorBody, &TNeedleLayout::SetColorBody, DefColorBody)
          .Prop("ColorOutline", &TNeedleLayout::ColorOutline, &TNeedleLayout::SetColorOutline, DefColorOutline)
          .Prop("PercentNeedleLength", &TNeedleLayout::PercentNeedleLength,
                &TNeedleLayout::SetPercentNeedleLength, DefPercentNeedleLength)
          .Prop("ShadowDx", &TNeedleLayout::ShadowDx, &TNeedleLayout::SetShadowDx, DefShadowDx)
          .Prop("ShadowDy", &TNeedleLayout::ShadowDy, &TNeedleLayout::SetShadowDy, DefShadowDy)
          .Prop("ShadowColor", &TNeedleLayout::ShadowColor, &TNeedleLayout::SetShadowColor, DefShadowColor)
          .Prop("Visible", &TNeedleLayout::Visible, &TNeedleLayout::SetVisible)
          .Event("OnChange");
  return info;
}

}  // namespace jox
