// Colour tools and the predefined colour table of the base package.
#pragma once

#include <array>

#include "package/framework/base/types.h"

namespace jox {

// Entries 1 .. 47 (entry 0 is unused, clNone): 1 .. 16 the basic VGA colours, 17 .. 20 four further
// colours (so 1 .. 20 is the extended set), 21 .. 47 twenty-seven system colours.
constexpr int kNumPredefinedColors = 47;
extern const std::array<TColor, kNumPredefinedColors + 1> PredefinedColors;

// The colour halfway between C1 and C2, channel by channel (system colours are resolved first).
TColor MeanColor(TColor C1, TColor C2);

}  // namespace jox
