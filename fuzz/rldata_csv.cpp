// CSV and line import of arbitrary files, in whatever encoding they seem to be, with seeds from
// the CSV writer. A refused file leaves the model as it was; an accepted one comes back unchanged
// through the writer and the reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "fuzz/rldata_seeds.h"
#include "replist/replist.h"

namespace {

std::string Cells(const jox::TRLData& d) {
  std::string s = std::to_string(d.NrOfColumns()) + "x" + std::to_string(d.NrOfRows());
  for (jox::Integer c = 1; c <= d.NrOfColumns(); ++c) s += jox::ToUtf8(d.Header(c)) + '\x1e';
  for (jox::Integer r = 1; r <= d.NrOfRows(); ++r)
    for (jox::Integer c = 0; c <= d.NrOfColumns(); ++c) s += jox::ToUtf8(d.Strings->GetString(c, r)) + '\x1f';
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteSeeds(argc, argv, false);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // Files in memory where the system has such a folder: every export ends with a flush to the
  // disk, which would otherwise bound the runs to a few dozen a second.
  static const std::string base = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/jox_fuzz_csv_" + std::to_string(::getpid());
  static const jox::String name = jox::FromUtf8(base + ".csv"), again = jox::FromUtf8(base + "_2.csv");
  {
    jox::TFileStream f(name, jox::fmCreate);
    f.WriteBuffer(Data, jox::Int64(Size));
  }
  const jox::TCSVDelimiters delim = Size && Data[0] % 2 ? jox::csvSemicolon : jox::csvComma;
  const bool names = Size > 1 && Data[1] % 2;
  jox::TRLData d(nullptr);
  d.SetNrRows(1);
  d.SetElem(1, 1, u"before");
  const std::string before = Cells(d);
  const jox::Integer rows = d.ImportCSV(name, delim, names);
  if (rows < 0) {
    if (Cells(d) != before) std::abort();
  } else {
    d.ExportCSV(again, delim, names, false, 1, 1, d.NrOfColumns(), d.NrOfRows());
    jox::TRLData e(nullptr);
    if (e.ImportCSV(again, delim, names) != rows || Cells(e) != Cells(d)) std::abort();
  }
  d.LoadLinesFromFile(1, 1, name);
  return 0;
}
