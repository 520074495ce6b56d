// How the gradient fill reads to assistive technology: a picture, named by its hint, that takes no input.
#include "gradfl/gradfl.h"
#include "package/framework/controls/accessible.h"

namespace jox {

namespace {
class TGradFillAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arImage; }
  String Description() const override {
    const String hint = TControlAccessible::Description();
    return hint.empty() ? String(u"colour gradient") : hint;
  }
};
}  // namespace

TAccessible* TGradFill::CreateAccessible() { return new TGradFillAccessible(this); }

}  // namespace jox
