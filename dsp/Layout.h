#pragma once

#include <climits>

#include "dsp/Types.h"

namespace Dsp {

// Poles and zeros of a filter as pairs, in caller-owned storage, with the
// angular frequency (radians per sample) where the gain must be normalGain.
class LayoutBase {
 public:
  LayoutBase() = default;
  LayoutBase(int maxPoles, PoleZeroPair* pairs) : m_maxPoles(maxPoles), m_pair(pairs) {}
  LayoutBase(const LayoutBase&) = delete;
  LayoutBase& operator=(const LayoutBase&) = delete;

  // Attaches storage for maxPoles poles and empties the layout.
  void setStorage(int maxPoles, PoleZeroPair* pairs);
  void reset() { m_numPoles = 0; }

  int getNumPoles() const { return m_numPoles; }
  int getMaxPoles() const { return m_maxPoles; }

  void addConjugatePair(const complex_t& pole, const complex_t& zero);
  // At most once, last.
  void addSingle(const complex_t& pole, const complex_t& zero);
  void addPair(const ComplexPair& poles, const ComplexPair& zeros);

  const PoleZeroPair& operator[](int pairIndex) const { return m_pair[pairIndex]; }

  double getNormalW() const { return m_normalW; }
  double getNormalGain() const { return m_normalGain; }
  void setNormal(double w, double g) {
    m_normalW = w;
    m_normalGain = g;
  }

 protected:
  // An order kept within 1 .. min(capacity, limit), so a design never writes
  // past the fixed storage it was given.
  int clampOrder(int numPoles, int limit = INT_MAX) const;

 private:
  int m_numPoles = 0;
  int m_maxPoles = 0;
  PoleZeroPair* m_pair = nullptr;
  double m_normalW = 0;
  double m_normalGain = 1;
};

}  // namespace Dsp
