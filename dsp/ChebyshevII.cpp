#include "dsp/ChebyshevII.h"

#include <cmath>

#include "dsp/Constants.h"

namespace Dsp {

namespace ChebyshevII {

AnalogLowPass::AnalogLowPass() : m_numPoles(-1), m_stopBandDb(0) {
  setNormal(0, 1);
}

void AnalogLowPass::design(int numPoles, double stopBandDb) {
  numPoles = clampOrder(numPoles);
  if (m_numPoles == numPoles && m_stopBandDb == stopBandDb) return;

  m_numPoles = numPoles;
  m_stopBandDb = stopBandDb;
  reset();

  const double eps = std::sqrt(1. / (std::exp(stopBandDb * 0.1 * doubleLn10) - 1));
  const double x = 1 / eps;
  const double v0 = std::log(std::sqrt(x * x + 1) + x) / numPoles;
  const double sinh_v0 = -std::sinh(v0);
  const double cosh_v0 = std::cosh(v0);
  const double fn = doublePi / (2 * numPoles);

  int k = 1;
  for (int i = numPoles / 2; --i >= 0; k += 2) {
    const double a = sinh_v0 * std::cos((k - numPoles) * fn);
    const double b = cosh_v0 * std::sin((k - numPoles) * fn);
    const double d2 = a * a + b * b;
    const double im = 1 / std::cos(k * fn);
    addConjugatePair(complex_t(a / d2, b / d2), complex_t(0, im));
  }

  if (numPoles & 1) addSingle(1 / sinh_v0, infinity());
}

}  // namespace ChebyshevII

}  // namespace Dsp
