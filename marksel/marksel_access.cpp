// How the marker selector reads to assistive technology: a list whose items are the visible marker
// symbols, each named by its shape; "select" picks one as a click does.
#include "marksel/marksel.h"
#include "package/framework/controls/accessible.h"

namespace jox {

namespace {
// The shape of marker symbol Mark, in words.
String MarkerName(Integer Mark) {
  static const char16_t* const shapes[] = {u"square", u"circle", u"triangle up", u"triangle down", u"diamond"};
  static const char16_t* const sizes[] = {u"small", u"medium", u"large"};
  if (Mark == 0) return u"dot";
  if (Mark >= 1 && Mark <= 30) {
    const Integer k = Mark - 1, shape = k / 6, filled = (k % 6) / 3;
    return String(shapes[shape]) + u", " + sizes[k % 3] + (filled ? u", filled" : u", hollow");
  }
  if (Mark >= 31 && Mark <= 39) {
    static const char16_t* const crosses[] = {u"upright cross", u"diagonal cross", u"asterisk"};
    return String(crosses[(Mark - 31) / 3]) + u", " + sizes[(Mark - 31) % 3];
  }
  static const char16_t* const rest[] = {
      u"triangle left, hollow", u"triangle left, filled", u"triangle right, hollow", u"triangle right, filled",
      u"square with diagonal cross", u"circle with upright cross", u"circle with dot", u"square with dot",
      u"star, hollow", u"star, filled", u"hexagon, hollow", u"hexagon, filled"};
  return Mark >= 40 && Mark <= 51 ? String(rest[Mark - 40]) : String();
}

class TMarkSelAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arList; }
  Integer ItemCount() const override { return Integer(Visible().size()); }
  TAccKey ItemAt(Integer Index) const override {
    const auto v = Visible();
    return Index >= 0 && size_t(Index) < v.size() ? v[size_t(Index)] : kNoItem;
  }
  bool DescribeItem(TAccKey Key, TItemInfo& Info) const override {
    const TMarkSel* m = Sel();
    if (Key < 0 || Key > TMarkSel::MaxMark || !m->MarkVisible(Integer(Key))) return false;
    Info.Role = arListItem;
    Info.Name = MarkerName(Integer(Key));
    Info.States = asSelectable | asVisible;
    if (m->Selected() == Key) Info.States |= asSelected;
    const TPoint c = m->MarkCoords(Integer(Key));
    const Integer w = std::max(1, (m->Width() - 4) / std::max(1, m->NrOfColumns()));
    const Integer h = std::max(1, (m->Height() - 4) / std::max(1, m->NrOfRows()));
    Info.Bounds = Bounds(c.X - w / 2, c.Y - h / 2, w, h);
    Info.Actions = {kActSelect};
    return true;
  }
  bool DoItemAction(TAccKey Key, Integer Action) override { return Action == 0 && FocusItem(Key); }
  bool FocusItem(TAccKey Key) override {
    TMarkSel* m = Sel();
    if (!m->Enabled() || Key < 0 || Key > TMarkSel::MaxMark || !m->MarkVisible(Integer(Key))) return false;
    m->SetSelected(Integer(Key));
    return true;
  }
  TAccKey FocusedItem() const override { return Sel()->Selected() >= 0 ? Sel()->Selected() : kNoItem; }

 private:
  TMarkSel* Sel() const { return static_cast<TMarkSel*>(Control()); }
  std::vector<TAccKey> Visible() const {
    std::vector<TAccKey> v;
    for (Integer i = 0; i <= TMarkSel::MaxMark; ++i)
      if (Sel()->MarkVisible(i)) v.push_back(i);
    return v;
  }
};
}  // namespace

TAccessible* TMarkSel::CreateAccessible() { return new TMarkSelAccessible(this); }

}  // namespace jox
