// How the calendar reads to assistive technology: a calendar holding a table of the six weeks shown, each
// day cell named by its day (with month and year for the month shown), the selected day focused;
// "activate" on a day of the month shown selects it.
#include "minical/minical.h"
#include "package/framework/controls/accessible.h"

namespace jox {

namespace {
class TMiniCalAccessible : public TGridAccessible {
 public:
  explicit TMiniCalAccessible(TMiniCal* Cal) : TGridAccessible(Cal) {}
  TAccRole Role() const override { return arCalendar; }
  // The month shown names it (its hint tells the holiday under the pointer, so it is no name).
  String Name() const override {
    const String n = LabelText();
    return n.empty() ? Cal()->TitleText() : n;
  }
  String GridText(Integer ACol, Integer ARow) const override {
    const TMiniCal* c = Cal();
    if (ARow < 2 || ACol < 1) return {};
    const Integer d = c->DayAt(ACol, ARow);
    const Integer days = DaysInAMonth(Word(c->Year()), Word(c->Month()));
    if (d < 1 || d > days) return {};
    return FromUtf8(std::to_string(d)) + u" " + c->TitleText();
  }
  bool FocusItem(TAccKey Key) override {
    const Integer cols = ColumnCount();
    if (cols <= 0 || Key < 0 || !Cal()->Enabled()) return false;
    const Integer d = Cal()->DayAt(Integer(Key % cols) + 1, Integer(Key / cols) + 2);
    if (d < 1 || d > DaysInAMonth(Word(Cal()->Year()), Word(Cal()->Month()))) return false;
    Cal()->SetDay(d);
    return true;
  }

 private:
  TMiniCal* Cal() const { return static_cast<TMiniCal*>(Control()); }
};
}  // namespace

TAccessible* TMiniCal::CreateAccessible() { return new TMiniCalAccessible(this); }

}  // namespace jox
