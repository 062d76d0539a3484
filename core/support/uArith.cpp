#include "core/support/uArith.h"

#include <cmath>
#include <limits>

std::int32_t RoundHalfAway(double x) {
  if (std::isnan(x)) return 0;
  // x - trunc(x) is exact, unlike x + 0.5, which rounds up values just
  // below one half.
  double r = std::trunc(x);
  if (x - r >= 0.5)
    r += 1.0;
  else if (r - x >= 0.5)
    r -= 1.0;
  // Out-of-range conversion to an integer is undefined; saturate instead.
  if (r >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}
