#include "dsp/Layout.h"

#include <algorithm>

namespace Dsp {

void LayoutBase::setStorage(int maxPoles, PoleZeroPair* pairs) {
  m_numPoles = 0;
  m_maxPoles = maxPoles;
  m_pair = pairs;
}

void LayoutBase::addConjugatePair(const complex_t& pole, const complex_t& zero) {
  m_pair[m_numPoles / 2] = PoleZeroPair(pole, zero, std::conj(pole), std::conj(zero));
  m_numPoles += 2;
}

void LayoutBase::addSingle(const complex_t& pole, const complex_t& zero) {
  m_pair[m_numPoles / 2] = PoleZeroPair(pole, zero);
  m_numPoles += 1;
}

void LayoutBase::addPair(const ComplexPair& poles, const ComplexPair& zeros) {
  m_pair[m_numPoles / 2] = PoleZeroPair(poles.first, zeros.first, poles.second, zeros.second);
  m_numPoles += 2;
}

int LayoutBase::clampOrder(int numPoles, int limit) const {
  const int upper = std::min(m_maxPoles, limit);
  if (upper < 1) return 0;
  return std::clamp(numPoles, 1, upper);
}

}  // namespace Dsp
