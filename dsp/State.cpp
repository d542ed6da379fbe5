#include "dsp/State.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Dsp {

namespace {

// The largest |D_k| over k >= 0 of D_k = (p1^k - p2^k) / (p1 - p2), for
// poles r1, r2 a gap apart and neither outside the unit circle.
double growthBound(double r1, double r2, double gap) {
  // D_1 = 1; further on |p1^k - p2^k| <= r1^2 + r2^2, which only poles that
  // lie apart keep small.
  const double apart = gap > 0 ? std::max(1.0, (r1 * r1 + r2 * r2) / gap) : std::numeric_limits<double>::infinity();
  // |D_k| <= k r^(k-1), whose largest value over k >= 1 bounds poles that lie
  // close together or coincide.
  const double r = std::max(r1, r2);
  double close = std::numeric_limits<double>::infinity();
  if (r < 1) {
    const double peak = -1 / std::log(r);
    close = peak <= 1 ? 1.0 : peak / (std::exp(1.0) * r);
  }
  return std::min(apart, close);
}

}  // namespace

double tailBound(double a1, double a2, double b0, double b1, double b2, double u0, double um1) {
  if (u0 == 0 && um1 == 0) return 0;
  const double u1 = -a1 * u0 - a2 * um1;
  const double first = std::fabs(b0 * u1 + b1 * u0 + b2 * um1);
  // The poles, roots of z^2 + a1 z + a2, a gap apart.
  const double disc = a1 * a1 - 4 * a2;
  const double gap = std::sqrt(std::fabs(disc));
  const complex_t p1 = disc < 0 ? complex_t(-a1 / 2, gap / 2) : complex_t((-a1 + gap) / 2, 0);
  const complex_t p2 = disc < 0 ? std::conj(p1) : complex_t((-a1 - gap) / 2, 0);
  const double r1 = std::abs(p1), r2 = std::abs(p2);
  if (!(r1 <= 1 && r2 <= 1)) return std::numeric_limits<double>::infinity();
  // Further outputs weigh u[k-2] .. u[k], and u[j] = u[1] D_j - a2 u[0] D_(j-1)
  // for j >= 1.
  const double values = std::max(std::fabs(u0), growthBound(r1, r2, gap) * (std::fabs(u1) + std::fabs(a2 * u0)));
  double later = (std::fabs(b0) + std::fabs(b1) + std::fabs(b2)) * values;
  if (gap > 0) {
    // Mode by mode, u[j] = c1 p1^j + c2 p2^j, so the output k >= 2 steps on
    // is c1 p1^(k-2) N(p1) + c2 p2^(k-2) N(p2), N(p) = b0 p^2 + b1 p + b2:
    // a mode that the zeros all but cancel adds next to nothing, however
    // slowly it decays.
    const complex_t c1 = (u1 - p2 * u0) / (p1 - p2);
    const complex_t c2 = (p1 * u0 - u1) / (p1 - p2);
    auto numerator = [&](complex_t p) { return b0 * p * p + b1 * p + b2; };
    later = std::min(later, std::abs(c1 * numerator(p1)) + std::abs(c2 * numerator(p2)));
  }
  return std::max(first, later);
}

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
