// Message texts the units share; each names the component that fails.
#pragma once

#include "package/framework/base/types.h"

namespace jox {

String NoTimerText(const String& Name);              // Component "<Name>": no timer available
String NotEnoughMemoryText(const String& Name);      // Component "<Name>": not enough memory on heap
String InitFailedText(const String& Name);           // Component "<Name>": failed to initialize (out of memory)
String TableEditorInitFailedText(const String& Name);
                                                     // ...: failed to initialize table editor (out of memory)
String IntegerOverflowText(const String& Name);      // Component "<Name>": integer overflow

}  // namespace jox
