// CSV and line import of arbitrary files, in whatever encoding they seem to be.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>

#include "replist/replist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const jox::String name = jox::FromUtf8("/tmp/jox_fuzz_csv_" + std::to_string(::getpid()) + ".csv");
  {
    jox::TFileStream f(name, jox::fmCreate);
    f.WriteBuffer(Data, jox::Int64(Size));
  }
  jox::TRLData d(nullptr);
  d.ImportCSV(name, Size && Data[0] % 2 ? jox::csvSemicolon : jox::csvComma, Size > 1 && Data[1] % 2);
  d.LoadLinesFromFile(1, 1, name);
  return 0;
}
