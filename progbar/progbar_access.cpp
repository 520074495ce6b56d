// How the progress bar reads to assistive technology: a progress bar with its value between Min and Max.
#include "package/framework/controls/accessible.h"
#include "progbar/progbar.h"

namespace jox {

namespace {
class TProgBarAccessible : public TRangeAccessible {
 public:
  using TRangeAccessible::TRangeAccessible;
  TAccRole Role() const override { return arProgressBar; }
  bool GetValue(TAccValue& V) const override {
    const auto* p = static_cast<const TProgBar*>(Control());
    V = {p->Value(), p->Min(), p->Max(), 0};
    return true;
  }
};
}  // namespace

TAccessible* TProgBar::CreateAccessible() { return new TProgBarAccessible(this); }

}  // namespace jox
