#pragma once

#include <algorithm>
#include <climits>
#include <cmath>

#include "framework/TruncateToInt.h"

// Bounds on the float arguments of the drawing entry points. Non-finite
// values draw nothing; coordinates are limited before any conversion to int,
// relative to the bitmap they draw on.

namespace lice_detail {

// How far beyond a bitmap's edges coordinates reach: far enough that
// nothing which could touch the bitmap moves, and never as far as 2^31,
// so that they convert to int in single precision as well.
constexpr double kCoordinateMargin = 268435456.0;  // 2^28 pixels
constexpr double kLowestCoordinate = -kCoordinateMargin;
constexpr double kLargestCoordinate = 2147483520.0;  // the largest float below 2^31
inline double HighestCoordinate(int extent) { return std::min(extent + kCoordinateMargin, kLargestCoordinate); }
// Circles and arcs of larger radius draw nothing: their steps grow with the
// radius, and 2^20 is far beyond any bitmap's needs.
constexpr float kMaxRadius = 1048576.0f;
// Bezier curves are drawn with at most this many segments.
constexpr int kMaxBezierSegments = 65536;

template <class... T>
bool AllFinite(T... values) {
  return (std::isfinite(values) && ...);
}

// A coordinate along an axis of extent pixels.
inline float LimitCoordinate(float v, int extent) {
  const double high = HighestCoordinate(extent);
  return v < kLowestCoordinate ? static_cast<float>(kLowestCoordinate) : v > high ? static_cast<float>(high) : v;
}

inline int SaturateInt(long long v) {
  return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

// Truncation toward zero into an int, saturating.
inline int TruncInt(double v) { return TruncateToInt<int>(v); }

}  // namespace lice_detail
