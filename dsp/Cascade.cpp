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
  complex_t czn1;
  complex_t czn2;
  unitDelays(proto.getNormalW() / double2Pi, czn1, czn2);
  complex_t numerator = 1.0;
  complex_t denominator = 1.0;
  for (int i = 0; i < m_numStages; ++i) {
    Biquad& stage = m_stageArray[i];
    stage.setPoleZeroPair(proto[i]);
    complex_t n;
    complex_t d;
    stage.responseTerms(czn1, czn2, n, d);
    // Every later stage passes the normal frequency at unit gain, so the
    // signal between stages keeps its level whatever the design: stages
    // that moved the gain between them as their coefficients glide would
    // hand each other histories at the wrong scale.
    const double stageGain = i > 0 ? std::sqrt(std::norm(n) / std::norm(d)) : 0;
    if (stageGain > 0 && std::isfinite(stageGain)) {
      stage.applyScale(1 / stageGain);
      n /= stageGain;
    }
    numerator *= n;
    denominator *= d;
  }
  const double gain = m_numStages > 0 ? std::abs(numerator / denominator) : 1.0;
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
