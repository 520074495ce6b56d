// Where a fuzz input goes into a stream: as it is, in a quarter of the runs behind one line longer
// than a read block (so the input straddles the end of the first 64 KiB block at an offset the
// input chooses), now and then repeated past a block (many lines across the boundary).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline std::string BlockInput(const uint8_t* Data, size_t Size) {
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  std::string bytes;
  if (Size > 1 && Data[0] % 4 == 0) {
    bytes.assign((1 << 16) - 32 + Data[1] % 64, 'x');
    bytes += '\n';
    bytes.append(text);
  } else if (Size && Data[0] % 64 == 1) {
    bytes.reserve((1 << 16) + 2 * Size + 2);
    while (bytes.size() <= (1 << 16) + 1) bytes.append(text);
  } else {
    bytes.assign(text);
  }
  return bytes;
}
