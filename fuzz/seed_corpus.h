// Seeds from our own writers: a fuzzer given an empty corpus folder first fills it with files the
// library writes itself, so the runs start from well-formed input instead of random bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fuzzseeds {

inline void Put(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

// The first corpus folder named on the command line when it is empty or missing (created), else "".
inline std::string EmptyCorpus(int* argc, char*** argv) {
  namespace fs = std::filesystem;
  for (int i = 1; i < *argc; ++i) {
    const std::string a = (*argv)[i];
    if (a.empty() || a[0] == '-') continue;
    std::error_code ec;
    fs::create_directories(a, ec);
    return fs::is_directory(a, ec) && fs::is_empty(a, ec) ? a : std::string();
  }
  return {};
}

// Writes Seeds as seed0, seed1, ... into the empty corpus folder, if there is one.
inline void WriteSeedFiles(int* argc, char*** argv, const std::vector<std::string>& Seeds) {
  const std::string dir = EmptyCorpus(argc, argv);
  if (dir.empty()) return;
  for (size_t i = 0; i < Seeds.size(); ++i) Put(std::filesystem::path(dir) / ("seed" + std::to_string(i)), Seeds[i]);
}

}  // namespace fuzzseeds
