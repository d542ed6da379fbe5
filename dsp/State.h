#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

#include "dsp/Biquad.h"

namespace Dsp {

// Far below hearing, under the finest step of 24-bit audio. A filter fed
// exact silence whose history could no longer bring any section's output
// above this is set to zero, so a tail ends in exact zeros soon after it
// fades, instead of creeping on through ever smaller and at last subnormal
// numbers, which are slow to compute, and which a curve that takes the
// least input to full scale would keep loud all the while.
constexpr double kSilentOutput = 1e-8;

// With the recursion u[n] = -a1 u[n-1] - a2 u[n-2] run on without input from
// u[0] = u0 and u[-1] = um1, a bound on |b0 u[k] + b1 u[k-1] + b2 u[k-2]| at
// every k >= 1, from the state and the poles, so that it holds for slow and
// ringing modes however they cross zero; infinite where the poles do not
// decay.
double tailBound(double a1, double a2, double b0, double b1, double b2, double u0, double um1);

// Signal history of one section for one channel in direct form I.
class DirectFormI {
 public:
  void reset() { m_x2 = m_y2 = m_x1 = m_y1 = 0; }
  bool isClear() const { return m_x1 == 0 && m_x2 == 0 && m_y1 == 0 && m_y2 == 0; }

  // The history is the section's own input and output, which suits any
  // coefficients.
  void follow(const BiquadBase&) {}

  double process1(double in, const BiquadBase& s) {
    const double out = s.m_b0 * in + s.m_b1 * m_x1 + s.m_b2 * m_x2 - s.m_a1 * m_y1 - s.m_a2 * m_y2;
    m_x2 = m_x1;
    m_y2 = m_y1;
    m_x1 = in;
    m_y1 = out;
    return out;
  }

  // Whether no output without input could come back above the silence
  // level: past the next two, which still hold the last inputs, the outputs
  // are the recursion's alone.
  bool isSilent(const BiquadBase& s) const {
    const double y0 = s.m_b1 * m_x1 + s.m_b2 * m_x2 - s.m_a1 * m_y1 - s.m_a2 * m_y2;
    const double y1 = s.m_b2 * m_x1 - s.m_a1 * y0 - s.m_a2 * m_y1;
    const double later = tailBound(s.m_a1, s.m_a2, 1, 0, 0, y1, y0);
    return std::max({std::fabs(y0), std::fabs(y1), later}) < kSilentOutput;
  }

 private:
  double m_x2 = 0;
  double m_y2 = 0;
  double m_x1 = 0;
  double m_y1 = 0;
};

// Signal history of one section for one channel in direct form II. The
// history is the recursion's output, scaled by its peak gain: where new
// coefficients give less of it, the history is scaled down with it, or the
// numerator of a wider filter would read a narrow filter's large history and
// blow it up into the output. Where the gain grows the history is left to
// build up, as it would from silence.
class DirectFormII {
 public:
  void reset() { m_v1 = m_v2 = 0; }
  bool isClear() const { return m_v1 == 0 && m_v2 == 0; }

  void follow(const BiquadBase& s) {
    const double least = recursionLeastSquared(s);
    if (!(least > 0 && least < std::numeric_limits<double>::infinity())) return;
    if (least > m_least) {
      const double scale = std::sqrt(m_least / least);
      m_v1 *= scale;
      m_v2 *= scale;
    }
    m_least = least;
  }

  double process1(double in, const BiquadBase& s) {
    const double w = in - s.m_a1 * m_v1 - s.m_a2 * m_v2;
    const double out = s.m_b0 * w + s.m_b1 * m_v1 + s.m_b2 * m_v2;
    m_v2 = m_v1;
    m_v1 = w;
    return out;
  }

  // Whether no output without input could come back above the silence level.
  bool isSilent(const BiquadBase& s) const {
    return tailBound(s.m_a1, s.m_a2, s.m_b0, s.m_b1, s.m_b2, m_v1, m_v2) < kSilentOutput;
  }

 private:
  // The square of the least magnitude of the section's denominator
  // 1 + a1 z^-1 + a2 z^-2 anywhere on the unit circle, where its recursion
  // has its largest gain: at a resonance of its poles or at zero or half the
  // sample rate.
  static double recursionLeastSquared(const BiquadBase& s);

  double m_v1 = 0;
  double m_v2 = 0;
  // Of the recursion last run; infinite before the first.
  double m_least = std::numeric_limits<double>::infinity();
};

}  // namespace Dsp
