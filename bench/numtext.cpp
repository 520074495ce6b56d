// ScanReal against strtod and std::from_chars over the same million numbers.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "numio/numio.h"

namespace {

constexpr size_t kCount = 1000000;

// Typical field contents: plain decimals, negative ones, exponents.
const std::vector<std::string>& Texts8() {
  static const std::vector<std::string> texts = [] {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> mant(-1000.0, 1000.0);
    std::uniform_int_distribution<int> exp(-30, 30), kind(0, 2);
    std::vector<std::string> out;
    out.reserve(kCount);
    char buf[64];
    for (size_t i = 0; i < kCount; ++i) {
      switch (kind(rng)) {
        case 0: std::snprintf(buf, sizeof buf, "%.3f", mant(rng)); break;
        case 1: std::snprintf(buf, sizeof buf, "%.6g", mant(rng) / 7); break;
        default: std::snprintf(buf, sizeof buf, "%.5fe%d", mant(rng) / 1000, exp(rng)); break;
      }
      out.emplace_back(buf);
    }
    return out;
  }();
  return texts;
}

const std::vector<jox::String>& Texts16() {
  static const std::vector<jox::String> texts = [] {
    std::vector<jox::String> out;
    out.reserve(kCount);
    for (const auto& s : Texts8()) out.emplace_back(s.begin(), s.end());
    return out;
  }();
  return texts;
}

void BM_ScanReal(benchmark::State& state) {
  const auto& texts = Texts16();
  for (auto _ : state) {
    long double sum = 0;
    for (const auto& t : texts) {
      jox::Integer pos = 1;
      sum += jox::ScanReal(t, true, jox::SepModePoint, pos);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kCount));
}

void BM_Strtod(benchmark::State& state) {
  const auto& texts = Texts8();
  for (auto _ : state) {
    double sum = 0;
    for (const auto& t : texts) sum += std::strtod(t.c_str(), nullptr);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kCount));
}

void BM_FromChars(benchmark::State& state) {
  const auto& texts = Texts8();
  for (auto _ : state) {
    double sum = 0;
    for (const auto& t : texts) {
      double v = 0;
      std::from_chars(t.data(), t.data() + t.size(), v);
      sum += v;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kCount));
}

BENCHMARK(BM_ScanReal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Strtod)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FromChars)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
