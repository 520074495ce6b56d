// Report-list reader on arbitrary text.
#include <cstddef>
#include <cstdint>

#include "replist/replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  jox::TRLData d(nullptr);
  d.ReadFromXMLString(jox::FromUtf8(std::string_view(reinterpret_cast<const char*>(Data), Size)), u"");
  return 0;
}
