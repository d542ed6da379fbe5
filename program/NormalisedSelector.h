#pragma once

#include <cmath>

#include "framework/TruncateToInt.h"

namespace Quillvane {

// An enumerated choice of last + 1 entries travels as a double in 0..1.

// floor(x * last + 0.5); values outside 0..1 are not clamped, only kept from
// overflowing.
inline int selectorIndex(double x, int last) { return TruncateToInt(std::floor(x * last + 0.5)); }

// The same with x held to 0..1 first; NaN counts as 0. Read per sample by
// the voices: the sum then lies in [0.5, last + 0.5], where a plain
// truncation is the floor and cannot overflow.
inline int clampedSelectorIndex(double x, int last) {
  if (!(x > 0.0)) return 0;
  if (x > 1.0) x = 1.0;
  return static_cast<int>(x * last + 0.5);
}

// The selector of an index, index / last, in the precision the caller stores.
template <typename T = double>
T selectorValue(double index, int last) {
  return static_cast<T>(index) / static_cast<T>(last);
}

}  // namespace Quillvane
