// Report-list reader on arbitrary text: the string reader, and the stream reader on the same bytes,
// also across the end of a read block.
#include <cstddef>
#include <cstdint>

#include "fuzz/block_input.h"
#include "replist/replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  jox::TRLData d(nullptr);
  d.ReadFromXMLString(jox::FromUtf8(std::string_view(reinterpret_cast<const char*>(Data), Size)),
                      Size % 2 ? u"" : u"sales");
  const std::string bytes = BlockInput(Data, Size);
  jox::TMemoryStream s;
  s.WriteBuffer(bytes.data(), jox::Int64(bytes.size()));
  s.SetPosition(0);
  // Several lists may follow one another; each read goes on behind the last.
  for (int i = 0; i < 8 && d.ReadFromXMLStream(&s, u""); ++i) {
  }
  return 0;
}
