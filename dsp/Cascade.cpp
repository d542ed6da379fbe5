#include "dsp/Cascade.h"

#include <algorithm>
#include <cmath>

#include "dsp/Constants.h"

namespace Dsp {

void Cascade::setCascadeStorage(const Storage& storage) {
  m_numStages = 0;
  m_maxStages = storage.maxStages;
  m_stageArray = storage.stageArray;
}

void Cascade::setLayout(const LayoutBase& proto) {
  m_numStages = std::min((proto.getNumPoles() + 1) / 2, m_maxStages);
  for (int i = 0; i < m_numStages; ++i) m_stageArray[i].setPoleZeroPair(proto[i]);
  const double gain = std::abs(response(proto.getNormalW() / double2Pi));
  applyScale(proto.getNormalGain() / gain);
}

complex_t Cascade::response(double normalizedFrequency) const {
  complex_t czn1;
  complex_t czn2;
  unitDelays(normalizedFrequency, czn1, czn2);
  complex_t numerator = 1.0;
  complex_t denominator = 1.0;
  for (int i = 0; i < m_numStages; ++i) {
    complex_t stageNumerator;
    complex_t stageDenominator;
    m_stageArray[i].responseTerms(czn1, czn2, stageNumerator, stageDenominator);
    numerator *= stageNumerator;
    denominator *= stageDenominator;
  }
  return numerator / denominator;
}

std::vector<PoleZeroPair> Cascade::getPoleZeros() const {
  std::vector<PoleZeroPair> vpz;
  vpz.reserve(m_numStages);
  for (int i = 0; i < m_numStages; ++i) vpz.push_back(BiquadPoleState(m_stageArray[i]));
  return vpz;
}

void Cascade::applyScale(double scale) {
  if (m_numStages > 0) m_stageArray[0].applyScale(scale);
}

}  // namespace Dsp
