// How the meter reads to assistive technology: a level bar whose value is the needle's, in the scale's range.
#include "meter/meter.h"
#include "package/framework/controls/accessible.h"

namespace jox {

namespace {
class TMeterAccessible : public TRangeAccessible {
 public:
  using TRangeAccessible::TRangeAccessible;
  TAccRole Role() const override { return arLevelBar; }
  bool GetValue(TAccValue& V) const override {
    const auto* m = static_cast<const TMeter*>(Control());
    V = {m->Value(), m->MeterMinValue(), m->MeterMaxValue(), 0};
    return true;
  }
};
}  // namespace

TAccessible* TMeter::CreateAccessible() { return new TMeterAccessible(this); }

}  // namespace jox
