#pragma once

#include "dsp/Biquad.h"

namespace Dsp {

// Sections placed by hand from a pole, a zero and a gain.
namespace Custom {

// H(z) = scale * (z^-1 - zero) / (1 - pole z^-1).
struct OnePole : Biquad {
  void setup(double scale, double pole, double zero);
};

// A conjugate pole pair and a conjugate zero pair in polar form.
struct TwoPole : Biquad {
  void setup(double scale, double poleRho, double poleTheta, double zeroRho, double zeroTheta);
};

}  // namespace Custom

}  // namespace Dsp
