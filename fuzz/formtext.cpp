// The form text reader on arbitrary text, into a form, with every class of the package registered.
// A refused text raises the library's own error (never a standard library one, never a crash), and
// leaves no component half loaded; a text read can be written again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/seed_corpus.h"
#include "package/framework/base/formtext.h"
#include "package/framework/controls/forms.h"
#include "package/package.h"
#include "package/units.h"

namespace {

bool Settled(jox::TComponent* c) {
  if (c->ComponentState() & jox::csLoading || c->ComponentState() & jox::csReading) return false;
  for (jox::Integer i = 0; i < c->ComponentCount(); ++i)
    if (!Settled(c->Components(i))) return false;
  return true;
}

// A form holding one component of every class the package registers, with bounds and a caption,
// written by the writer.
std::vector<std::string> Seeds() {
  using namespace jox;
  std::vector<std::string> out;
  TForm all(nullptr);
  all.SetName(u"Form1");
  all.SetCaption(u"It's\r\ntwo \u00e9");
  Integer n = 0;
  for (Integer u = 0; u < JoxUnitCount; ++u)
    for (const TClassInfo* info : UnitClasses(TJoxUnit(u))) {
      if (!info->InheritsFrom(&TComponent::ClassInfo())) continue;  // a part such as a needle layout
      TComponent* c = CreateComponent(info->Name, &all);
      c->SetName(info->Name.substr(1) + IntToStr(++n));
      c->SetParentComponent(&all);
      if (auto* ctl = dynamic_cast<TControl*>(c)) ctl->SetBounds(8 * n, 5 * n, 90 + n, 40 + n);
      TForm one(nullptr);
      one.SetName(u"Form1");
      TComponent* d = CreateComponent(info->Name, &one);
      d->SetName(u"Only");
      d->SetParentComponent(&one);
      out.push_back(ToUtf8(WriteComponentText(&one)));
    }
  out.push_back(ToUtf8(WriteComponentText(&all)));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  jox::InitializePackage();
  fuzzseeds::WriteSeedFiles(argc, argv, Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  using namespace jox;
  const String text = FromUtf8(std::string(reinterpret_cast<const char*>(Data), Size));
  TForm root(nullptr);
  try {
    ReadComponentText(text, &root);
  } catch (const Exception&) {
    if (!Settled(&root)) std::abort();
    return 0;
  }
  if (!Settled(&root)) std::abort();
  WriteComponentText(&root);
  return 0;
}
