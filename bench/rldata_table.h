// The table the report-list benchmarks work on: words of 3 to 16 random letters, those of column 5
// with markup characters behind them, the same for every run.
#pragma once

#include <random>

#include "replist/replist.h"

// Fills rows x cols of d; returns the bytes of the cells' text as the model holds it (UTF-16).
inline jox::Int64 FillBenchTable(jox::TRLData& d, jox::Integer rows, jox::Integer cols) {
  d.SetNrCols(cols);
  d.SetNrRows(rows);
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> len(3, 16), letter(0, 25);
  jox::Int64 bytes = 0;
  for (jox::Integer r = 1; r <= rows; ++r)
    for (jox::Integer c = 1; c <= cols; ++c) {
      jox::String s(size_t(len(rng)), u'a');
      for (char16_t& ch : s) ch = char16_t(u'a' + letter(rng));
      if (c == 5) s += u" <&>";
      d.SetElem(c, r, s);
      bytes += jox::Int64(s.size()) * 2;
    }
  return bytes;
}
