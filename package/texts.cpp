#include "package/texts.h"

namespace jox {

namespace {
String ComponentText(const String& Name, const char16_t* Rest) { return u"Component \"" + Name + u"\": " + Rest; }
}  // namespace

String NoTimerText(const String& Name) { return ComponentText(Name, u"no timer available"); }
String NotEnoughMemoryText(const String& Name) { return ComponentText(Name, u"not enough memory on heap"); }
String InitFailedText(const String& Name) { return ComponentText(Name, u"failed to initialize (out of memory)"); }
String TableEditorInitFailedText(const String& Name) {
  return ComponentText(Name, u"failed to initialize table editor (out of memory)");
}
String IntegerOverflowText(const String& Name) { return ComponentText(Name, u"integer overflow"); }

}  // namespace jox
