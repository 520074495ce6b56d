// How the thumbnail strip reads to assistive technology: a list whose items are the slides Min..Max,
// named by their number, selected as the strip shows them; "select" toggles a slide's selection.
#include "package/framework/controls/accessible.h"
#include "thumbnails/thumbnails.h"

namespace jox {

namespace {
class TThumbnailsAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arList; }
  TAccStates States() const override {
    return TControlAccessible::States() | asMultiSelectable | asManagesDescendants;
  }
  Integer ItemCount() const override { return std::max(0, Strip()->Max() - Strip()->Min() + 1); }
  TAccKey ItemAt(Integer Index) const override { return Strip()->Min() + Index; }
  bool DescribeItem(TAccKey Key, TItemInfo& Info) const override {
    const TThumbnails* t = Strip();
    if (Key < t->Min() || Key > t->Max()) return false;
    const Integer s = Integer(Key);
    Info.Role = arListItem;
    Info.Name = u"slide " + FromUtf8(std::to_string(s));
    Info.States = asSelectable | asVisible;
    if (t->SlideSelected(s)) Info.States |= asSelected;
    Integer x = 0, y = 0;
    t->CalcSlidePos(s, x, y);
    const Integer side = t->SlideSize() + 2 * t->SlideMargin();
    const TRect r = Bounds(x, y, side, side);
    if (r.Right > 0 && r.Bottom > 0 && r.Left < t->Width() && r.Top < t->Height()) Info.Bounds = r;
    Info.Actions = {kActSelect};
    return true;
  }
  bool DoItemAction(TAccKey Key, Integer Action) override {
    TThumbnails* t = Strip();
    if (Action != 0 || !t->Enabled() || Key < t->Min() || Key > t->Max()) return false;
    t->SetSlideSelected(Integer(Key), !t->SlideSelected(Integer(Key)));
    return true;
  }
  TAccKey FocusedItem() const override {
    const Integer f = Strip()->FocusedSlide();
    return f >= Strip()->Min() && f <= Strip()->Max() ? f : kNoItem;
  }

 private:
  TThumbnails* Strip() const { return static_cast<TThumbnails*>(Control()); }
};
}  // namespace

TAccessible* TThumbnails::CreateAccessible() { return new TThumbnailsAccessible(this); }

}  // namespace jox
