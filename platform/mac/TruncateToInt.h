#pragma once

#include <climits>

// Host values may be anything, and casting an out-of-range float to int is
// undefined: NaN gives 0, the rest saturates.
inline int TruncateToInt(double value) {
  if (value != value) return 0;
  if (value <= INT_MIN - 1.0) return INT_MIN;
  if (value >= INT_MAX + 1.0) return INT_MAX;
  return static_cast<int>(value);
}
