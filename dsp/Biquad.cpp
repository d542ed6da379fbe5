#include "dsp/Biquad.h"

#include <cmath>

#include "dsp/Constants.h"

namespace Dsp {

void BiquadBase::setCoefficients(double a0, double a1, double a2, double b0, double b1,
                                 double b2) {
  m_a0 = a0;
  m_a1 = a1 / a0;
  m_a2 = a2 / a0;
  m_b0 = b0 / a0;
  m_b1 = b1 / a0;
  m_b2 = b2 / a0;
}

void BiquadBase::setOnePole(complex_t pole, complex_t zero) {
  setCoefficients(1, -pole.real(), 0, -zero.real(), 1, 0);
}

void BiquadBase::setTwoPole(complex_t pole1, complex_t zero1, complex_t pole2, complex_t zero2) {
  double a1;
  double a2;
  if (pole1.imag() != 0) {
    a1 = -2 * pole1.real();
    a2 = std::norm(pole1);
  } else {
    a1 = -(pole1.real() + pole2.real());
    a2 = pole1.real() * pole2.real();
  }

  double b1;
  double b2;
  if (zero1.imag() != 0) {
    b1 = -2 * zero1.real();
    b2 = std::norm(zero1);
  } else {
    b1 = -(zero1.real() + zero2.real());
    b2 = zero1.real() * zero2.real();
  }

  setCoefficients(1, a1, a2, 1, b1, b2);
}

void BiquadBase::setPoleZeroPair(const PoleZeroPair& pair) {
  if (pair.isSinglePole()) {
    setOnePole(pair.poles.first, pair.zeros.first);
  } else {
    setTwoPole(pair.poles.first, pair.zeros.first, pair.poles.second, pair.zeros.second);
  }
}

void BiquadBase::setPoleZeroForm(const BiquadPoleState& bps) {
  setPoleZeroPair(bps);
  applyScale(bps.gain);
}

void BiquadBase::applyScale(double scale) {
  m_b0 *= scale;
  m_b1 *= scale;
  m_b2 *= scale;
}

void BiquadBase::setIdentity() {
  setCoefficients(1, 0, 0, 1, 0, 0);
}

void unitDelays(double normalizedFrequency, complex_t& czn1, complex_t& czn2) {
  const double w = double2Pi * normalizedFrequency;
  czn1 = complex_t(std::cos(w), std::sin(-double2Pi * normalizedFrequency));
  czn2 = complex_t(std::cos(-2 * w), std::sin(-2 * w));
}

complex_t BiquadBase::response(double normalizedFrequency) const {
  complex_t czn1;
  complex_t czn2;
  unitDelays(normalizedFrequency, czn1, czn2);
  complex_t numerator;
  complex_t denominator;
  responseTerms(czn1, czn2, numerator, denominator);
  return numerator / denominator;
}

void BiquadBase::responseTerms(const complex_t& czn1, const complex_t& czn2,
                               complex_t& numerator, complex_t& denominator) const {
  const double a0 = getA0();
  numerator = getB0() / a0 + (getB1() / a0) * czn1 + (getB2() / a0) * czn2;
  denominator = 1.0 + (getA1() / a0) * czn1 + (getA2() / a0) * czn2;
}

std::vector<PoleZeroPair> BiquadBase::getPoleZeros() const {
  return std::vector<PoleZeroPair>(1, BiquadPoleState(*this));
}

BiquadPoleState::BiquadPoleState(const BiquadBase& s) {
  const double a0 = s.getA0();
  const double a1 = s.getA1();
  const double a2 = s.getA2();
  const double b0 = s.getB0();
  const double b1 = s.getB1();
  const double b2 = s.getB2();

  if (a2 == 0 && b2 == 0) {
    poles = ComplexPair(-a1, 0);
    zeros = ComplexPair(-b0 / b1, 0);
  } else {
    complex_t d = std::sqrt(complex_t(a1 * a1 - 4 * a0 * a2, 0));
    poles = ComplexPair(-(a1 + d) / (2 * a0), (d - a1) / (2 * a0));
    d = std::sqrt(complex_t(b1 * b1 - 4 * b0 * b2, 0));
    zeros = ComplexPair(-(b1 + d) / (2 * b0), (d - b1) / (2 * b0));
  }
  gain = b0 / a0;
}

Biquad::Biquad(const BiquadPoleState& bps) {
  setPoleZeroForm(bps);
}

}  // namespace Dsp
