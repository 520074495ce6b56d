#include "package/numerics/numutil.h"

#include <cmath>
#include <limits>

namespace jox {

bool IsValidDecInt(const String& Text, Integer& Value) {
  size_t i = 0, n = Text.size();
  while (i < n && Text[i] == u' ') ++i;
  while (n > i && Text[n - 1] == u' ') --n;
  bool negative = false;
  if (i < n && (Text[i] == u'+' || Text[i] == u'-')) negative = Text[i++] == u'-';
  if (i == n) return false;
  int64_t v = 0;
  for (; i < n; ++i) {
    if (Text[i] < u'0' || Text[i] > u'9') return false;
    v = v * 10 + (Text[i] - u'0');
    if (v > int64_t(std::numeric_limits<Integer>::max()) + 1) return false;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<Integer>::max()) return false;
  Value = Integer(v);
  return true;
}

bool IsValidDecInt(const String& Text) {
  Integer dummy;
  return IsValidDecInt(Text, dummy);
}

Integer IntNeg(double Value) {
  if (std::isnan(Value)) return 0;
  const double f = std::floor(Value);
  if (f <= double(std::numeric_limits<Integer>::min())) return std::numeric_limits<Integer>::min();
  if (f >= double(std::numeric_limits<Integer>::max())) return std::numeric_limits<Integer>::max();
  return Integer(f);
}

}  // namespace jox
