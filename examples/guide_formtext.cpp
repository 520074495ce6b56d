// Form text: a form's components and their stored properties (those that differ from their defaults) as
// text, and read back into another form.
//   example_guide_formtext      prints the text and exits 1 if the copy differs
#include <cstdio>

#include "meter/meter.h"
#include "numio/numio2.h"
#include "package/framework/framework.h"
#include "package/package.h"

using namespace jox;

int main() {
  // Loading the package registers every unit's classes, so form text can name them.
  TPackageLoad package;

  TForm form(nullptr);
  form.SetName(u"Dashboard");
  form.SetClientWidth(330);
  auto* meter = new TMeter(&form);
  meter->SetName(u"Speed");  // a name is what joins a block of the text to its component
  meter->SetParent(&form);
  meter->SetBounds(8, 8, 297, 209);
  meter->SetMeterMaxValue(120);
  meter->SetCaption(u"km/h");
  meter->SetValue(42);
  auto* field = new TNumIO2(&form);
  field->SetName(u"SpeedField");
  field->SetParent(&form);
  field->SetBounds(8, 224, 297, 28);
  field->SetLeftText(u"Speed");
  field->SetRangeHigh(120);

  const String text = WriteComponentText(&form);
  std::printf("%s", ToUtf8(text).c_str());

  // Reading creates the components the copy does not have yet, sets their stored properties while they
  // are loading, then calls Loaded on each.
  TForm copy(nullptr);
  ReadComponentText(text, &copy);
  auto* m = dynamic_cast<TMeter*>(copy.FindComponent(u"Speed"));
  auto* f = dynamic_cast<TNumIO2*>(copy.FindComponent(u"SpeedField"));
  if (!m || !f || m->Value() != 42 || m->Caption() != u"km/h" || f->RangeHigh() != 120) {
    std::fprintf(stderr, "the copy differs\n");
    return 1;
  }
  return 0;
}
