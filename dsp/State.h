#pragma once

#include <cmath>

#include "dsp/Biquad.h"

namespace Dsp {

// Far below hearing, under the finest step of 24-bit audio. A filter fed
// exact silence whose history could no longer bring any section's output
// above this is set to zero, so a tail ends in exact zeros soon after it
// fades, instead of creeping on through ever smaller and at last subnormal
// numbers, which are slow to compute, and which a curve that takes the
// least input to full scale would keep loud all the while.
constexpr double kSilentOutput = 1e-8;

inline bool silentPair(double y0, double y1) {
  return std::fabs(y0) < kSilentOutput && std::fabs(y1) < kSilentOutput;
}

// Signal history of one section for one channel in direct form I.
class DirectFormI {
 public:
  void reset() { m_x2 = m_y2 = m_x1 = m_y1 = 0; }

  double process1(double in, const BiquadBase& s) {
    const double out = s.m_b0 * in + s.m_b1 * m_x1 + s.m_b2 * m_x2 - s.m_a1 * m_y1 - s.m_a2 * m_y2;
    m_x2 = m_x1;
    m_y2 = m_y1;
    m_x1 = in;
    m_y1 = out;
    return out;
  }

  // Whether the next two outputs without input would both be silent.
  bool isSilent(const BiquadBase& s) const {
    const double y0 = s.m_b1 * m_x1 + s.m_b2 * m_x2 - s.m_a1 * m_y1 - s.m_a2 * m_y2;
    const double y1 = s.m_b2 * m_x1 - s.m_a1 * y0 - s.m_a2 * m_y1;
    return silentPair(y0, y1);
  }

 private:
  double m_x2 = 0;
  double m_y2 = 0;
  double m_x1 = 0;
  double m_y1 = 0;
};

// Signal history of one section for one channel in direct form II.
class DirectFormII {
 public:
  void reset() { m_v1 = m_v2 = 0; }

  double process1(double in, const BiquadBase& s) {
    const double w = in - s.m_a1 * m_v1 - s.m_a2 * m_v2;
    const double out = s.m_b0 * w + s.m_b1 * m_v1 + s.m_b2 * m_v2;
    m_v2 = m_v1;
    m_v1 = w;
    return out;
  }

  // Whether the next two outputs without input would both be silent.
  bool isSilent(const BiquadBase& s) const {
    const double w0 = -s.m_a1 * m_v1 - s.m_a2 * m_v2;
    const double w1 = -s.m_a1 * w0 - s.m_a2 * m_v1;
    const double y0 = s.m_b0 * w0 + s.m_b1 * m_v1 + s.m_b2 * m_v2;
    const double y1 = s.m_b0 * w1 + s.m_b1 * w0 + s.m_b2 * m_v1;
    return silentPair(y0, y1);
  }

 private:
  double m_v1 = 0;
  double m_v2 = 0;
};

}  // namespace Dsp
