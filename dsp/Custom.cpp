#include "dsp/Custom.h"

#include <cmath>

namespace Dsp {

namespace Custom {

void OnePole::setup(double scale, double pole, double zero) {
  setOnePole(pole, zero);
  applyScale(scale);
}

void TwoPole::setup(double scale, double poleRho, double poleTheta, double zeroRho,
                    double zeroTheta) {
  const complex_t pole(poleRho * std::cos(poleTheta), poleRho * std::sin(poleTheta));
  const complex_t zero(zeroRho * std::cos(zeroTheta), zeroRho * std::sin(zeroTheta));
  setTwoPole(pole, zero, std::conj(pole), std::conj(zero));
  applyScale(scale);
}

}  // namespace Custom

}  // namespace Dsp
