// Report-list files and CSV on 100,000 x 10 and 1,000,000 x 5 cells, each against a peer on the
// same bytes: a memchr line count of the file for the readers, the same bytes written through
// the same safe save for the writers. Counters: the heap the loaded model holds and the peak
// while loading, each as a ratio to the cells' text (UTF-16, as the model holds it).
//
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <new>

#include "bench/rldata_table.h"
#include "package/core/fileutil.h"
#include "replist/replist.h"

using namespace jox;

// [heap counting] ------------------------------------------------------------------------
// Every allocation carries its size in front, so the bench knows the bytes in use and their peak.

namespace {
std::atomic<Int64> gHeap{0}, gPeak{0};
constexpr size_t kHead = 16;

void* Counted(size_t n) {
  void* p = std::malloc(n + kHead);
  if (!p) throw std::bad_alloc();
  *static_cast<size_t*>(p) = n;
  const Int64 now = gHeap += Int64(n);
  for (Int64 peak = gPeak; now > peak && !gPeak.compare_exchange_weak(peak, now);) {
  }
  return static_cast<char*>(p) + kHead;
}

void Uncounted(void* p) {
  if (!p) return;
  char* base = static_cast<char*>(p) - kHead;
  gHeap -= Int64(*reinterpret_cast<size_t*>(base));
  std::free(base);
}
}  // namespace

void* operator new(size_t n) { return Counted(n); }
void* operator new[](size_t n) { return Counted(n); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, size_t) noexcept { Uncounted(p); }
// The nothrow forms too (std::stable_sort takes its buffer through them), so every block comes
// and goes through one pair.
void* operator new(size_t n, const std::nothrow_t&) noexcept {
  try {
    return Counted(n);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Uncounted(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Uncounted(p); }

namespace {

// [tables and files] ---------------------------------------------------------------------

struct TCase {
  Integer Rows, Cols;
  std::unique_ptr<TRLData> Table;
  Int64 TextBytes = 0;  // the cells' text as the model holds it (UTF-16)
  String Xml, Csv;
};

String Tmp(const std::string& n) { return FromUtf8((std::filesystem::temp_directory_path() / n).string()); }

TCase& Case(Integer rows, Integer cols) {
  static TCase cases[2];
  TCase& c = cases[rows > 100000];
  if (c.Table) return c;
  c.Rows = rows;
  c.Cols = cols;
  c.Table = std::make_unique<TRLData>(nullptr);
  c.TextBytes = FillBenchTable(*c.Table, rows, cols);
  const std::string tag = std::to_string(rows) + "x" + std::to_string(cols);
  c.Xml = Tmp("jox_bench_" + tag + ".xml");
  c.Csv = Tmp("jox_bench_" + tag + ".csv");
  c.Table->SaveAsXMLFile(c.Xml, u"bench");
  c.Table->ExportCSV(c.Csv, csvComma, true, false, 1, 1, cols, rows);
  return c;
}

Int64 FileSize(const String& name) { return Int64(std::filesystem::file_size(ToUtf8(name))); }

size_t CountLines(const String& name) {
  const std::string bytes = ReadFileBytes(name);
  size_t n = 0;
  for (const char *p = bytes.data(), *e = p + bytes.size(); (p = static_cast<const char*>(std::memchr(p, '\n', size_t(e - p))));
       ++p)
    ++n;
  return n;
}

void Shape(benchmark::internal::Benchmark* b) {
  b->Args({100000, 10})->Args({1000000, 5})->Unit(benchmark::kMillisecond)->Iterations(5);
}

// Wall time and this thread's processor time: on a machine shared with builds the wall time
// holds the waits for a core, the processor time does not (nor the waits for the disk).
struct TClock {
  std::chrono::steady_clock::time_point Wall = std::chrono::steady_clock::now();
  double Cpu = ThreadCpu();
  static double ThreadCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
  }
  void AddTo(double& wall, double& cpu) const {
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - Wall).count();
    cpu += ThreadCpu() - Cpu;
  }
};

// Runs Ours timed and, with the timer paused, Peer on the same bytes; reports both in MB/s and
// their ratio (above 1: faster than the peer), by wall time and by processor time.
template <class O, class P>
void Measure(benchmark::State& st, Int64 bytes, O&& Ours, P&& Peer) {
  double ours = 0, peer = 0, oursCpu = 0, peerCpu = 0;
  for (auto _ : st) {
    TClock t;
    Ours();
    t.AddTo(ours, oursCpu);
    st.PauseTiming();
    TClock u;
    Peer();
    u.AddTo(peer, peerCpu);
    st.ResumeTiming();
  }
  const double mb = double(bytes) * double(st.iterations()) / 1e6;
  st.counters["MB/s"] = mb / ours;
  st.counters["peer MB/s"] = mb / peer;
  st.counters["ratio"] = peer / ours;
  st.counters["cpu MB/s"] = mb / oursCpu;
  st.counters["cpu ratio"] = peerCpu / oursCpu;
}

// [readers] ------------------------------------------------------------------------------

// A fresh model each time, so the counters show what one load holds and needs at its peak.
template <class F>
void Load(benchmark::State& st, const String& file, F&& read) {
  TCase& c = Case(Integer(st.range(0)), Integer(st.range(1)));
  Int64 held = 0, peak = 0;
  std::unique_ptr<TRLData> d;
  Measure(
      st, FileSize(file),
      [&] {
        st.PauseTiming();
        d = std::make_unique<TRLData>(nullptr);
        const Int64 base = gHeap;
        gPeak = base;
        st.ResumeTiming();
        read(*d);
        held = gHeap - base;
        peak = gPeak - base;
        if (d->NrOfRows() != c.Rows) st.SkipWithError("table not read");
      },
      [&] {
        d.reset();
        benchmark::DoNotOptimize(CountLines(file));
      });
  st.counters["held/text"] = double(held) / double(c.TextBytes);
  st.counters["peak/text"] = double(peak) / double(c.TextBytes);
}

void BM_LoadXml(benchmark::State& st) {
  TCase& c = Case(Integer(st.range(0)), Integer(st.range(1)));
  Load(st, c.Xml, [&](TRLData& d) { d.LoadFromXMLFile(c.Xml, u"bench"); });
}
BENCHMARK(BM_LoadXml)->Apply(Shape);

void BM_ImportCSV(benchmark::State& st) {
  TCase& c = Case(Integer(st.range(0)), Integer(st.range(1)));
  Load(st, c.Csv, [&](TRLData& d) { d.ImportCSV(c.Csv, csvComma, true); });
}
BENCHMARK(BM_ImportCSV)->Apply(Shape);

// [writers] ------------------------------------------------------------------------------

// The same bytes, ready made, through the same safe save beside the target.
void SaveBytes(const std::string& bytes, const String& out) {
  SaveFileSafely(out, [&](TStream& f) {
    for (size_t at = 0; at < bytes.size(); at += 1 << 20)
      f.WriteBuffer(bytes.data() + at, Int64(std::min<size_t>(1 << 20, bytes.size() - at)));
  });
}

void BM_SaveXml(benchmark::State& st) {
  TCase& c = Case(Integer(st.range(0)), Integer(st.range(1)));
  const std::string bytes = ReadFileBytes(c.Xml);
  const String out = Tmp("jox_bench_out.xml"), peer = Tmp("jox_bench_peer.xml");
  Measure(st, Int64(bytes.size()), [&] { c.Table->SaveAsXMLFile(out, u"bench"); }, [&] { SaveBytes(bytes, peer); });
}
BENCHMARK(BM_SaveXml)->Apply(Shape);

// Formatting alone: the writer into memory against a copy of its bytes into memory.
void BM_WriteXmlStream(benchmark::State& st) {
  TCase& c = Case(Integer(st.range(0)), Integer(st.range(1)));
  const std::string bytes = ReadFileBytes(c.Xml);
  Measure(
      st, Int64(bytes.size()),
      [&] {
        TMemoryStream s;
        c.Table->WriteToXMLStream(&s, true, u"bench");
      },
      [&] {
        TMemoryStream s;
        s.WriteBuffer(bytes.data(), Int64(bytes.size()));
      });
}
BENCHMARK(BM_WriteXmlStream)->Apply(Shape);

void BM_ExportCSV(benchmark::State& st) {
  TCase& c = Case(Integer(st.range(0)), Integer(st.range(1)));
  const std::string bytes = ReadFileBytes(c.Csv);
  const String out = Tmp("jox_bench_out.csv"), peer = Tmp("jox_bench_peer.csv");
  Measure(
      st, Int64(bytes.size()), [&] { c.Table->ExportCSV(out, csvComma, true, false, 1, 1, c.Cols, c.Rows); },
      [&] { SaveBytes(bytes, peer); });
}
BENCHMARK(BM_ExportCSV)->Apply(Shape);

}  // namespace

BENCHMARK_MAIN();
