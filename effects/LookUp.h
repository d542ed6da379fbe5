#pragma once

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/Constants.h"

namespace Quillvane {

enum eInterpolationType {
  kInterpolationNone = 0,
  kInterpolationLinear,
  kInterpolationCosine,
  kInterpolationCubic,
  kInterpolationHermite,
  kNumInterpolationTypes
};

// A transfer curve over |x| in [0, 1) held as N entries for positive inputs
// and N for negative ones (mirrored: a negative input returns the negated
// entry), read with one of five interpolations. Entry i belongs to |x| = i/N.
template <int N>
class LookUp {
 public:
  static constexpr int kSize = N;

  LookUp() : mPositive(new double[N]), mNegative(new double[N]) {
    for (int i = 0; i < N; ++i) mPositive[i] = mNegative[i] = static_cast<double>(i) / N;
  }
  LookUp(const LookUp&) = delete;
  LookUp& operator=(const LookUp&) = delete;

  double getValue(double x) const;

  // A mode outside 0..4 reads as cubic.
  int getInterpolation() const { return mInterpolation; }
  void setInterpolation(int mode) { mInterpolation = mode; }

  double* positive() { return mPositive.get(); }
  double* negative() { return mNegative.get(); }
  const double* positive() const { return mPositive.get(); }
  const double* negative() const { return mNegative.get(); }

 private:
  // Cell index of a magnitude, held at the top entry for inputs at or past
  // full scale (and for those too large for an int).
  static int cell(double scaled) { return scaled >= N - 1 ? N - 1 : static_cast<int>(scaled); }

  // fmod(a, step) / step; for a power-of-two size the same value comes
  // exactly, and far cheaper, from the fractional part of a * N.
  double cellPosition(double a) const {
    if constexpr ((N & (N - 1)) == 0) {
      const double scaled = a * N;
      return scaled - std::floor(scaled);
    } else {
      return std::fmod(a, mStep) / mStep;
    }
  }

  int mInterpolation = kInterpolationHermite;
  double mStep = 1.0 / N;
  std::unique_ptr<double[]> mPositive;
  std::unique_ptr<double[]> mNegative;
};

template <int N>
double LookUp<N>::getValue(double x) const {
  if (x == 0.0 || std::isnan(x)) return 0.0;
  const double* t = x > 0.0 ? mPositive.get() : mNegative.get();
  const double a = std::fabs(x);
  const double sign = x > 0.0 ? 1.0 : -1.0;

  if (mInterpolation == kInterpolationNone) {
    // Scaled by N - 1, so magnitudes from N / (N - 1) up fall off the table.
    const double scaled = a * (N - 1);
    if (scaled >= N) return 0.0;
    return sign * t[static_cast<int>(scaled)];
  }

  // Position within the cell; it keeps cycling above full scale.
  const double f = std::isfinite(a) ? cellPosition(a) : 0.0;
  const int i = cell(N * a);
  double r;
  if (mInterpolation == kInterpolationLinear || mInterpolation == kInterpolationCosine) {
    const int j = i == N - 1 ? N - 1 : i + 1;
    if (mInterpolation == kInterpolationLinear) {
      r = (1.0 - f) * t[i] + f * t[j];
    } else {
      const double c = (1.0 - std::cos(f * ConstantsD::kPi)) * 0.5;
      r = c * t[j] + (1.0 - c) * t[i];
    }
  } else {
    const double y0 = t[std::max(i - 1, 0)];
    const double y1 = t[i];
    const double y2 = t[i > N - 2 ? N - 1 : i + 1];
    const double y3 = t[std::min(i + 2, N - 1)];
    if (mInterpolation == kInterpolationHermite) {
      const double f2 = f * f;
      const double f3 = f * f2;
      const double h00 = 2.0 * f3 - 3.0 * f2 + 1.0;
      const double h10 = f3 - 2.0 * f2 + f;
      const double h01 = -2.0 * f3 + 3.0 * f2;
      const double h11 = f3 - f2;
      const double m0 = 0.5 * (y1 - y0) + 0.5 * (y2 - y1);
      const double m1 = 0.5 * (y2 - y1) + 0.5 * (y3 - y2);
      r = h00 * y1 + h10 * m0 + h11 * m1 + h01 * y2;
    } else if (f == 1.0) {
      r = y2;
    } else if (f == 0.0) {
      r = y1;
    } else {
      const double f2 = f * f;
      const double a0 = y3 - y2 - y0 + y1;
      const double a1 = y0 - y1 - a0;
      const double a2 = y2 - y0;
      r = a0 * f * f2 + a1 * f2 + a2 * f + y1;
    }
  }
  return sign * r;
}

}  // namespace Quillvane
