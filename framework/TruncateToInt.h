#pragma once

#include <cmath>
#include <limits>

// Truncation toward zero like a cast, but defined for any double: NaN gives
// 0 and values beyond the integer type's range stop at its limits.
template <typename Int = int>
Int TruncateToInt(double value) {
  using Limits = std::numeric_limits<Int>;
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(Limits::min())) return Limits::min();
  if (value >= static_cast<double>(Limits::max())) return Limits::max();
  return static_cast<Int>(value);
}
