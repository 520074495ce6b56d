// Report-list reader on arbitrary text: the string reader, and the stream reader on the same bytes
// and on the bytes repeated past one read block, so that lines straddle the block boundaries.
#include <cstddef>
#include <cstdint>
#include <string>

#include "replist/replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  jox::TRLData d(nullptr);
  d.ReadFromXMLString(jox::FromUtf8(text), u"");

  jox::TMemoryStream s;
  s.WriteBuffer(Data, jox::Int64(Size));
  if (Size && Data[0] % 4 == 0)  // a quarter of the runs: beyond one 64 KiB block
    while (s.Size() <= (1 << 16) + 1) s.WriteBuffer(Data, jox::Int64(Size));
  s.SetPosition(0);
  while (d.ReadFromXMLStream(&s, u"")) {
  }
  s.SetPosition(0);
  d.ReadFromXMLStream(&s, u"sales");
  return 0;
}
