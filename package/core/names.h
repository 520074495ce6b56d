// Weekday and month names of the calendar languages, indexed by TLanguage. lgNeutral carries the
// English names so that any stored ordinal 0 still shows text.
#pragma once

#include "package/core/coretypes.h"

namespace jox {

constexpr int kNumLanguages = 5;  // ordinals 0 .. 4 of TLanguage

// Two-letter weekday names, index 0 = Monday .. 6 = Sunday.
extern const char16_t* const WeekDayShort[kNumLanguages][7];
// Month names, index 1 .. 12 (index 0 is ""): short ones at most 4 characters, long ones at most 10.
extern const char16_t* const MonthShort[kNumLanguages][13];
extern const char16_t* const MonthLong[kNumLanguages][13];

}  // namespace jox
