#pragma once

#include <climits>
#include <cmath>

#include "framework/TruncateToInt.h"

// Bounds on the float arguments of the drawing entry points. Non-finite
// values draw nothing; coordinates are limited before any conversion to int,
// far beyond any bitmap, so that sums of a few of them still fit an int.

namespace lice_detail {

constexpr float kMaxCoordinate = 268435456.0f;  // 2^28 pixels
// Circles and arcs of larger radius draw nothing: their steps grow with the
// radius, and 2^20 is far beyond any bitmap's needs.
constexpr float kMaxRadius = 1048576.0f;
// Bezier curves are drawn with at most this many segments.
constexpr int kMaxBezierSegments = 65536;

template <class... T>
bool AllFinite(T... values) {
  return (std::isfinite(values) && ...);
}

inline float LimitCoordinate(float v) {
  return v < -kMaxCoordinate ? -kMaxCoordinate : v > kMaxCoordinate ? kMaxCoordinate : v;
}

inline int SaturateInt(long long v) {
  return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

// Truncation toward zero into an int, saturating.
inline int TruncInt(double v) { return TruncateToInt<int>(v); }

}  // namespace lice_detail
