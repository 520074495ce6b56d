// Recognition of report-list files on arbitrary streams, also past one read block.
#include <cstddef>
#include <cstdint>

#include "replist/replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  jox::TMemoryStream s;
  s.WriteBuffer(Data, jox::Int64(Size));
  if (Size && Data[0] % 4 == 0)
    while (s.Size() <= (1 << 16) + 1) s.WriteBuffer(Data, jox::Int64(Size));
  s.SetPosition(0);
  jox::CheckIfValidReplist(&s, u"");
  s.SetPosition(0);
  jox::CheckIfValidReplist(&s, u"sales");
  return 0;
}
