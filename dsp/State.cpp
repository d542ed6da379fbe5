#include "dsp/State.h"

#include <algorithm>
#include <cmath>

namespace Dsp {

double DirectFormII::recursionLeastSquared(const BiquadBase& s) {
  const double a1 = s.m_a1;
  const double a2 = s.m_a2;
  // |1 + a1 e^-jw + a2 e^-2jw|^2 at w = 0 and w = pi.
  const double atZero = 1 + a1 + a2;
  const double atHalf = 1 - a1 + a2;
  double least = std::min(atZero * atZero, atHalf * atHalf);
  // A pair of complex poles r e^(+-j theta) dips lowest at cos w =
  // cos theta (1 + r^2) / (2 r) when that lies within the circle, to
  // (1 - r^2)^2 sin^2 theta, which this form gives without the
  // cancellation of expanding |A|^2.
  const double disc = 4 * a2 - a1 * a1;
  if (disc > 0 && std::fabs(a1) * (1 + a2) < 4 * a2) {
    least = std::min(least, (1 - a2) * (1 - a2) * disc / (4 * a2));
  }
  return least;
}

}  // namespace Dsp
