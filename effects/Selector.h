#pragma once

#include <cmath>

#include "framework/TruncateToInt.h"

namespace Quillvane {

// Index of a normalised selector over last + 1 choices, floor(x * last + 0.5);
// values outside 0..1 are not clamped, only kept from overflowing.
inline int selectorIndex(double x, int last) {
  return TruncateToInt(std::floor(x * last + 0.5));
}

}  // namespace Quillvane
