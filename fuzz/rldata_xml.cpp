// Report-list reader on arbitrary text: the string reader, and the stream reader on the same bytes,
// in a quarter of the runs placed across the end of the first 64 KiB read block.
#include <cstddef>
#include <cstdint>
#include <string>

#include "replist/replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  jox::TRLData d(nullptr);
  d.ReadFromXMLString(jox::FromUtf8(text), Size % 2 ? u"" : u"sales");

  std::string bytes;
  if (Size > 1 && Data[0] % 4 == 0) {
    // One long line first, so that the input straddles the end of the first 64 KiB block at an
    // offset the input chooses, after a line longer than a block.
    bytes.assign((1 << 16) - 32 + Data[1] % 64, 'x');
    bytes += '\n';
    bytes.append(text);
  } else if (Size && Data[0] % 64 == 1) {
    // Now and then the input repeated past a block: many lines across the boundary.
    bytes.reserve((1 << 16) + 2 * Size + 2);
    while (bytes.size() <= (1 << 16) + 1) bytes.append(text);
  } else {
    bytes.assign(text);
  }
  jox::TMemoryStream s;
  s.WriteBuffer(bytes.data(), jox::Int64(bytes.size()));
  s.SetPosition(0);
  // Several lists may follow one another; each read goes on behind the last.
  for (int i = 0; i < 8 && d.ReadFromXMLStream(&s, u""); ++i) {
  }
  return 0;
}
