// Recognition of report-list files on arbitrary streams; this build reads them in blocks of a
// few dozen bytes, so lines cross block ends at every offset.
#include <cstddef>
#include <cstdint>

#include "fuzz/rldata_seeds.h"
#include "replist/replist.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteSeeds(argc, argv, true);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  jox::TMemoryStream s;
  s.WriteBuffer(Data, jox::Int64(Size));
  s.SetPosition(0);
  jox::CheckIfValidReplist(&s, Size % 2 ? u"" : u"sales");
  return 0;
}
