#pragma once

#include "dsp/Biquad.h"

namespace Dsp {

// Signal history of one section for one channel in direct form I. The offset
// d is the alternating denormal guard for the first section, 0 for the rest.
class DirectFormI {
 public:
  void reset() { m_x2 = m_y2 = m_x1 = m_y1 = 0; }

  double process1(double in, const BiquadBase& s, double d) {
    const double out = s.m_b0 * in + s.m_b1 * m_x1 + s.m_b2 * m_x2 - s.m_a1 * m_y1 -
                       s.m_a2 * m_y2 + d;
    m_x2 = m_x1;
    m_y2 = m_y1;
    m_x1 = in;
    m_y1 = out;
    return out;
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

  double process1(double in, const BiquadBase& s, double d) {
    const double w = in - s.m_a1 * m_v1 - s.m_a2 * m_v2 + d;
    const double out = s.m_b0 * w + s.m_b1 * m_v1 + s.m_b2 * m_v2;
    m_v2 = m_v1;
    m_v1 = w;
    return out;
  }

 private:
  double m_v1 = 0;
  double m_v2 = 0;
};

}  // namespace Dsp
