// CSV and line import of arbitrary files, in whatever encoding they seem to be, with seeds from
// the CSV writer. A refused file leaves the model as it was; an accepted one comes back unchanged
// through the writer and the reader.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "fuzz/rldata_seeds.h"
#include "replist/replist.h"

namespace {

__attribute__((no_sanitize("coverage")))
bool Same(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

// Same sizes, names and texts, compared in place a row at a time: building copies of every cell
// cost a third of each run, and a call per cell a third of what was left. The comparison has no
// coverage of its own, so it neither steers the fuzzer nor slows it.
__attribute__((no_sanitize("coverage")))
bool SameCells(const jox::TRLData& a, const jox::TRLData& b) {
  if (a.NrOfColumns() != b.NrOfColumns() || a.NrOfRows() != b.NrOfRows()) return false;
  for (jox::Integer c = 1; c <= a.NrOfColumns(); ++c)
    if (!Same(a.Header(c), b.Header(c))) return false;
  const size_t n = size_t(a.NrOfColumns()) + 1;
  std::vector<std::u16string_view> ra(n), rb(n);
  for (jox::Integer r = 1; r <= a.NrOfRows(); ++r) {
    a.Strings->GetRowViews(r, 0, n, ra.data());
    b.Strings->GetRowViews(r, 0, n, rb.data());
    for (size_t c = 0; c < n; ++c)
      if (!Same(ra[c], rb[c])) return false;
  }
  return true;
}

void Before(jox::TRLData& d) {
  d.SetNrRows(1);
  d.SetElem(1, 1, u"before");
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
  static const int cleanup = std::atexit([] {
    std::remove((base + ".csv").c_str());
    std::remove((base + "_2.csv").c_str());
  });
  (void)cleanup;
  {
    jox::TFileStream f(name, jox::fmCreate);
    f.WriteBuffer(Data, jox::Int64(Size));
  }
  const jox::TCSVDelimiters delim = Size && Data[0] % 2 ? jox::csvSemicolon : jox::csvComma;
  const bool names = Size > 1 && Data[1] % 2;
  jox::TRLData d(nullptr), before(nullptr);
  Before(d);
  Before(before);
  const jox::Integer rows = d.ImportCSV(name, delim, names);
  if (rows < 0) {
    if (!SameCells(d, before)) std::abort();
  } else {
    d.ExportCSV(again, delim, names, false, 1, 1, d.NrOfColumns(), d.NrOfRows());
    jox::TRLData e(nullptr);
    if (e.ImportCSV(again, delim, names) != rows || !SameCells(e, d)) std::abort();
  }
  d.LoadLinesFromFile(1, 1, name);
  return 0;
}
