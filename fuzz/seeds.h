// Seeding an empty corpus folder from our own writers: each fuzzer passes the inputs its format's
// writer makes for a few telling cases, and they are written as files into the first folder named on the
// command line when that folder is empty (or missing).
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fuzzseeds {

inline void WriteCorpus(int* argc, char*** argv, const std::vector<std::string>& Seeds) {
  namespace fs = std::filesystem;
  for (int i = 1; i < *argc; ++i) {
    const std::string a = (*argv)[i];
    if (a.empty() || a[0] == '-') continue;
    const fs::path dir(a);
    std::error_code ec;
    if (fs::exists(dir, ec) && !fs::is_directory(dir, ec)) return;  // a single input to run
    if (fs::exists(dir, ec) && !fs::is_empty(dir, ec)) return;
    fs::create_directories(dir, ec);
    for (size_t s = 0; s < Seeds.size(); ++s)
      std::ofstream(dir / ("seed_" + std::to_string(s)), std::ios::binary) << Seeds[s];
    return;
  }
}

}  // namespace fuzzseeds
