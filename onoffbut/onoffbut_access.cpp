// How the on/off button reads to assistive technology: a toggle button, checked while on, named by its
// texts; "toggle" switches it as a click does (a group's rules hold), and its two positions are children
// a client can pick.
#include "onoffbut/onoffbut.h"
#include "package/framework/controls/accessible.h"

namespace jox {

namespace {
class TOnOffButAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arToggleButton; }
  String Name() const override {
    // A text above reads as a title; beside, the left one first (the right one often names the "on" side).
    for (const String* s : {&But()->TopText(), &But()->LeftText(), &But()->RightText(), &But()->BottomText()})
      if (!s->empty()) return *s;
    return TControlAccessible::Name();
  }
  TAccStates States() const override {
    TAccStates s = TControlAccessible::States() | asCheckable;
    if (But()->OnOff()) s |= asChecked | asPressed;
    return s;
  }
  std::vector<String> Actions() const override { return {kActToggle}; }
  bool DoAction(Integer Index) override { return Index == 0 && Switch(!But()->OnOff()); }

  // The positions: 0 on, 1 off.
  Integer ItemCount() const override { return 2; }
  bool DescribeItem(TAccKey Key, TItemInfo& Info) const override {
    if (Key != 0 && Key != 1) return false;
    Info.Role = arRadioButton;
    Info.Name = Key == 0 ? u"on" : u"off";
    Info.States = asCheckable | asVisible | asSelectable;
    if (But()->OnOff() == (Key == 0)) Info.States |= asChecked;
    Info.Actions = {kActSelect};
    return true;
  }
  bool DoItemAction(TAccKey Key, Integer Action) override { return Action == 0 && Switch(Key == 0); }

 private:
  TOnOffBut* But() const { return static_cast<TOnOffBut*>(Control()); }
  bool Switch(bool On) {
    TOnOffBut* b = But();
    if (!b->Enabled()) return false;
    if (b->OnOff() != On) {
      b->SetOnOff(On);
      if (b->OnOff() == On && b->OnClick()) b->OnClick()(b);
    }
    return b->OnOff() == On;
  }
};
}  // namespace

TAccessible* TOnOffBut::CreateAccessible() { return new TOnOffButAccessible(this); }

}  // namespace jox
