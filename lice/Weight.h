#pragma once

#include "framework/TruncateToInt.h"

// Turning a drawing call's float arguments into the integers the kernels
// work in. The bounds keep every product of the combiners and the 16.16
// stepping inside its integer type for any argument and any bitmap size;
// values within them pass unchanged.

namespace lice_detail {

// Weights (alpha -8..8) and gradient channel values on the 0..255 scale: far
// beyond any caller, and small enough that every combiner's products fit an
// int, also where a fill passes its weight as the source alpha as well.
constexpr int kMaxWeight = 2048;
constexpr int kMaxGradientValue = kMaxWeight;
// 16.16 positions up to 2^30 pixels and steps up to 2^14 pixels per pixel,
// so position + (2^29 pixels) * step always fits 64 bits.
constexpr long long kMaxFixedPosition = 1LL << 46;
constexpr long long kMaxFixedStep = 1LL << 30;

template <typename T>
constexpr T Bound(T value, T limit) {
  return value < -limit ? -limit : value > limit ? limit : value;
}

// The integer part of alpha * 256 (exact in float and double alike).
inline int AlphaWeight(double alpha) {
  return static_cast<int>(Bound<long long>(TruncateToInt<long long>(alpha * 256.0), kMaxWeight));
}

// The integer part of value * 65536.
inline long long FixedPoint(double value, long long limit) {
  return Bound<long long>(TruncateToInt<long long>(value * 65536.0), limit);
}

}  // namespace lice_detail
