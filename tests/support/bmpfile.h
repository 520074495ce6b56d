// BMP files laid out byte by byte, for the decoder's tests and the fuzzer's seeds: depths,
// compressions and header versions our own writer never produces.
#pragma once

#include <cstdint>
#include <vector>

namespace jox::test {

inline void Put16(std::vector<uint8_t>& v, uint32_t x) { v.push_back(uint8_t(x)); v.push_back(uint8_t(x >> 8)); }
inline void Put32(std::vector<uint8_t>& v, uint32_t x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }

// A BMP with a header of HeaderSize bytes (40 and more: the common fields, the rest zero), then
// Table (palette entries BGRX, or the three colour masks of compression 3) and Rows as stored.
inline std::vector<uint8_t> MakeBmp(int32_t w, int32_t h, int bpp, const std::vector<uint32_t>& Table,
                                    const std::vector<uint8_t>& Rows, uint32_t compression = 0,
                                    uint32_t HeaderSize = 40) {
  std::vector<uint8_t> v;
  const uint32_t off = 14 + HeaderSize + uint32_t(Table.size()) * 4;
  v.push_back('B');
  v.push_back('M');
  Put32(v, off + uint32_t(Rows.size()));
  Put32(v, 0);
  Put32(v, off);
  Put32(v, HeaderSize);
  Put32(v, uint32_t(w));
  Put32(v, uint32_t(h));
  Put16(v, 1);
  Put16(v, uint32_t(bpp));
  Put32(v, compression);
  Put32(v, uint32_t(Rows.size()));
  Put32(v, 0);
  Put32(v, 0);
  Put32(v, compression == 3 ? 0 : uint32_t(Table.size()));
  Put32(v, 0);
  v.resize(14 + HeaderSize, 0);
  for (uint32_t p : Table) Put32(v, p);
  v.insert(v.end(), Rows.begin(), Rows.end());
  return v;
}

}  // namespace jox::test
