// How the numeric label reads to assistive technology: a label named by its left text, whose text is the
// value as shown, formatted as the box shows it (the unit of its right text is the description).
#include "numlab/numlab.h"
#include "package/framework/controls/accessible.h"

namespace jox {

namespace {
class TNumLabAccessible : public TTextAccessible {
 public:
  using TTextAccessible::TTextAccessible;
  String Name() const override {
    const String left = Lab()->LeftText();
    return left.empty() ? LabelledName() : left;
  }
  String Description() const override { return Lab()->RightText(); }
  String Text() const override { return Lab()->Empty() ? String() : Lab()->DisplayedText(); }
  TAccStates States() const override { return TTextAccessible::States() | asReadOnly; }

 private:
  const TNumLab* Lab() const { return static_cast<const TNumLab*>(Control()); }
};
}  // namespace

TAccessible* TNumLab::CreateAccessible() { return new TNumLabAccessible(this); }

}  // namespace jox
