// Recognition of report-list files on arbitrary streams, also across the end of a read block.
#include <cstddef>
#include <cstdint>

#include "fuzz/block_input.h"
#include "fuzz/rldata_seeds.h"
#include "replist/replist.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteSeeds(argc, argv, true);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string bytes = BlockInput(Data, Size);
  jox::TMemoryStream s;
  s.WriteBuffer(bytes.data(), jox::Int64(bytes.size()));
  s.SetPosition(0);
  jox::CheckIfValidReplist(&s, Size % 2 ? u"" : u"sales");
  return 0;
}
