// Form text of any content read into a form holding every registered component class: the reader
// raises its errors (or a component's Loaded raises its own), nothing else and nothing worse; a form it
// read writes a text that reads back into a fresh form and writes the same text again. Seeds: our writer's
// text of a form with each class, defaults and changed values, nested in a parent.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "colsel/colsel.h"
#include "foldertree/foldertree.h"
#include "fuzz/seeds.h"
#include "gradfl/gradfl.h"
#include "marksel/marksel.h"
#include "meter/meter.h"
#include "minical/minical.h"
#include "ntabed/ntabed.h"
#include "numio/numio.h"
#include "numlab/numlab.h"
#include "onoffbut/onoffbut.h"
#include "package/framework/framework.h"
#include "package/package.h"
#include "progbar/progbar.h"
#include "rasterlab/rasterlab.h"
#include "replist/replist.h"
#include "repsbut/repsbut.h"
#include "rotlab/rotlab.h"
#include "sevenseg/sevenseg.h"
#include "thumbnails/thumbnails.h"

namespace {
using namespace jox;

const std::vector<const TClassInfo*>& Classes() {
  static const std::vector<const TClassInfo*> all = {
      &TNumIO::ClassInfo(),     &TNumIO2::ClassInfo(),    &TRLData::ClassInfo(),    &TReportListView::ClassInfo(),
      &TNTabEd::ClassInfo(),    &TMeter::ClassInfo(),     &TNeedleLayout::ClassInfo(), &TMiniCal::ClassInfo(),
      &TNumLab::ClassInfo(),    &TOnOffBut::ClassInfo(),  &TSevenSeg::ClassInfo(),  &TRotLab::ClassInfo(),
      &TColSel::ClassInfo(),    &TRasterLab::ClassInfo(), &TFolderTree::ClassInfo(), &TRepSpeedButton::ClassInfo(),
      &TProgBar::ClassInfo(),   &TThumbnails::ClassInfo(), &TGradFill::ClassInfo(), &TMarkSel::ClassInfo(),
      &TForm::ClassInfo(),      &TButton::ClassInfo(),    &TEdit::ClassInfo(),      &TLabel::ClassInfo()};
  return all;
}

// Each published setting one step from where it is, as far as its setter takes it.
void Change(TPersistent& Obj) {
  for (const TPropInfo* p : Obj.GetClassInfo().AllProps()) {
    if (p->Kind == tkMethod || p->Kind == tkClass || !p->Set || !p->Get) continue;
    for (const char16_t* n : {u"Name", u"Visible", u"Align", u"BackGroundImg", u"AnchorImage"})
      if (SameText(p->Name, n)) goto next;
    try {
      const Variant v = p->Get(Obj);
      switch (v.index()) {
        case 1: p->Set(Obj, !std::get<bool>(v)); break;
        case 2: p->Set(Obj, std::get<Int64>(v) + 3); break;
        case 3: p->Set(Obj, std::get<double>(v) + 2.5); break;
        case 4: p->Set(Obj, std::get<String>(v) + u"x'y"); break;
        default: break;
      }
    } catch (const Exception&) {
    }
  next:;
  }
}

std::vector<std::string> Seeds() {
  std::vector<std::string> out;
  for (const TClassInfo* info : Classes()) {
    if (!info->Create || info == &TForm::ClassInfo()) continue;
    for (bool changed : {false, true}) {
      TForm f(nullptr);
      f.SetName(u"Form1");
      f.SetBounds(0, 0, 500, 400);
      auto* box = new TButton(&f);  // a windowed parent for what follows
      box->SetName(u"Box");
      box->SetParent(&f);
      box->SetBounds(5, 5, 480, 380);
      TComponent* c = info->Create(&f);
      c->SetName(u"C1");
      if (auto* ctl = dynamic_cast<TControl*>(c)) ctl->SetParent(box);
      if (changed) Change(*c);
      out.push_back(ToUtf8(WriteComponentText(&f)));
    }
  }
  return out;
}

void Setup() {
  for (const TClassInfo* c : Classes()) RegisterClass(*c);
}

bool ReadInto(const String& Text, TForm& Form) {
  try {
    ReadComponentText(Text, &Form);
    return true;
  } catch (const Exception&) {
    return false;  // the reader's errors, or a Loaded that refuses what it was given
  }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  Setup();
  fuzzseeds::WriteCorpus(argc, argv, Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > 4096) return 0;
  const String text = FromUtf8(std::string(reinterpret_cast<const char*>(Data), Size));
  TForm f(nullptr);
  if (!ReadInto(text, f)) return 0;
  const String written = WriteComponentText(&f);
  TForm g(nullptr);
  if (!ReadInto(written, g)) std::abort();  // what we write, we read
  if (WriteComponentText(&g) != written) std::abort();
  return 0;
}
