#pragma once

#include <cmath>
#include <limits>

namespace Quillvane {

// Float-to-integer conversion that saturates at the type's limits instead of
// overflowing; NaN gives 0.
template <typename Int>
Int saturatingCast(double x) {
  using Limits = std::numeric_limits<Int>;
  if (std::isnan(x)) return 0;
  if (x <= static_cast<double>(Limits::min())) return Limits::min();
  if (x >= static_cast<double>(Limits::max())) return Limits::max();
  return static_cast<Int>(x);
}

// Index of a normalised selector over last + 1 choices, floor(x * last + 0.5);
// values outside 0..1 are not clamped, only kept from overflowing.
inline int selectorIndex(double x, int last) {
  return saturatingCast<int>(std::floor(x * last + 0.5));
}

}  // namespace Quillvane
