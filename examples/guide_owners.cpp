// Owners, parents, properties and events: who frees a component, where it is drawn, and the two ways to
// reach a property (its setter, or its name in the class table).
//   example_guide_owners      prints what it does; exits 1 if the library behaves otherwise
#include <cstdio>

#include "meter/meter.h"
#include "numlab/numlab.h"
#include "package/framework/framework.h"

using namespace jox;

int main() {
  int faults = 0;
  auto check = [&](bool ok, const char* what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++faults;
  };

  TForm form(nullptr);  // no owner: the program frees it (here, at the end of main)
  form.SetClientWidth(420);
  form.SetClientHeight(240);

  // The owner frees; the parent shows. The container belongs to the form and sits on it; the meter belongs to
  // the form too, but sits on the container, so it moves and hides with it.
  auto* panel = new TCustomControl(&form);  // a plain container
  panel->SetParent(&form);
  panel->SetBounds(8, 8, 310, 224);
  auto* meter = new TMeter(&form);
  meter->SetName(u"Speed");
  meter->SetParent(panel);
  meter->SetBounds(6, 6, 297, 209);
  check(meter->Owner() == &form && meter->Parent() == panel, "the form owns the meter, the panel parents it");
  check(form.FindComponent(u"speed") == meter, "owned components are found by name, ignoring case");

  // Properties: a getter and a setter, and the setter repairs what it must.
  meter->SetMeterMaxValue(120);
  meter->SetValue(150);  // beyond the scale: clamped
  check(meter->Value() == 120, "a value beyond the scale is clamped to its end");

  // The same properties by name, through the class table (as form files and property editors do).
  SetPropValue(meter, u"ThresholdHigh", 100.0);
  check(VarToFloat(GetPropValue(meter, u"ThresholdHigh")) == 100, "ThresholdHigh set and read by name");
  const TPropInfo* layout = GetPropInfo(meter, u"MeterLayout");
  check(layout && layout->IsDefault(*meter), "MeterLayout still has its default");

  // Events are std::function members: assign a lambda, an empty one switches the event off.
  auto* label = new TNumLab(&form);
  label->SetParent(&form);
  label->SetBounds(320, 8, 96, 28);
  int overflows = 0;
  meter->SetOnOverFlow([&](TObject* sender) {
    ++overflows;
    label->SetValue(static_cast<TMeter*>(sender)->Value());
  });
  meter->SetValue(90);   // normal range: no overflow
  meter->SetValue(110);  // above ThresholdHigh
  check(overflows == 1 && label->Value() == 110, "OnOverFlow ran once and updated the label");

  // Deleting a component removes it from its owner and its parent at once.
  delete label;
  check(form.ComponentCount() == 2, "a deleted component leaves its owner's list");
  return faults ? 1 : 0;
}  // the form frees the panel and the meter here
