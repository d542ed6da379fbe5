#include "dsp/Butterworth.h"

#include <cmath>

#include "dsp/Constants.h"

namespace Dsp {

namespace Butterworth {

AnalogLowPass::AnalogLowPass() : m_numPoles(-1) {
  setNormal(0, 1);
}

void AnalogLowPass::design(int numPoles) {
  numPoles = clampOrder(numPoles);
  if (m_numPoles == numPoles) return;

  m_numPoles = numPoles;
  reset();

  const double n2 = 2 * numPoles;
  const int pairs = numPoles / 2;
  for (int i = 0; i < pairs; ++i) {
    const complex_t c = std::polar(1.0, doublePi_2 + (2 * i + 1) * doublePi / n2);
    addConjugatePair(c, infinity());
  }
  if (numPoles & 1) addSingle(-1, infinity());
}

AnalogLowShelf::AnalogLowShelf() : m_numPoles(-1), m_gainDb(0) {
  setNormal(doublePi, 1);
}

void AnalogLowShelf::design(int numPoles, double gainDb) {
  numPoles = clampOrder(numPoles);
  if (m_numPoles == numPoles && m_gainDb == gainDb) return;

  m_numPoles = numPoles;
  m_gainDb = gainDb;
  reset();

  const double n2 = numPoles * 2;
  const double g = std::pow(std::pow(10., gainDb / 20), 1. / n2);
  const double gp = -1. / g;
  const double gz = -g;

  const int pairs = numPoles / 2;
  for (int i = 1; i <= pairs; ++i) {
    const double theta = doublePi * (0.5 - (2 * i - 1) / n2);
    const complex_t c(std::cos(theta), std::sin(theta));
    addConjugatePair(gp * c, gz * c);
  }
  if (numPoles & 1) addSingle(gp, gz);
}

}  // namespace Butterworth

}  // namespace Dsp
