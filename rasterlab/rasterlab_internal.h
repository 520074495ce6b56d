// Helpers the raster label's sources share.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "package/framework/base/types.h"

namespace jox::rasterlab_detail {

// Pixel positions are summed in 64 bits and brought back into Integer range at the end.
inline Integer Saturate(int64_t V) {
  return Integer(std::clamp<int64_t>(V, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

}  // namespace jox::rasterlab_detail
