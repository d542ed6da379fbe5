#pragma once

#include <vector>

#include "dsp/Types.h"

namespace Dsp {

class DirectFormI;
class DirectFormII;
struct BiquadPoleState;

// One second-order section. a0 is kept as given and the other coefficients
// divided by it; the accessors return them un-normalised again.
// z^-1 and z^-2 on the unit circle at a frequency given as a fraction of
// the sample rate.
void unitDelays(double normalizedFrequency, complex_t& czn1, complex_t& czn2);

class BiquadBase {
 public:
  double getA0() const { return m_a0; }
  double getA1() const { return m_a1 * m_a0; }
  double getA2() const { return m_a2 * m_a0; }
  double getB0() const { return m_b0 * m_a0; }
  double getB1() const { return m_b1 * m_a0; }
  double getB2() const { return m_b2 * m_a0; }

  void setCoefficients(double a0, double a1, double a2, double b0, double b1, double b2);
  // Imaginary parts are ignored.
  void setOnePole(complex_t pole, complex_t zero);
  // A complex first member stands for a conjugate pair; the second is not read.
  void setTwoPole(complex_t pole1, complex_t zero1, complex_t pole2, complex_t zero2);
  void setPoleZeroPair(const PoleZeroPair& pair);
  void setPoleZeroForm(const BiquadPoleState& bps);
  // Scales the numerator only.
  void applyScale(double scale);
  void setIdentity();

  complex_t response(double normalizedFrequency) const;
  std::vector<PoleZeroPair> getPoleZeros() const;

 private:
  friend class Cascade;
  // Numerator and denominator of the response at z^-1 = czn1, z^-2 = czn2,
  // kept apart so a cascade can divide its products once.
  void responseTerms(const complex_t& czn1, const complex_t& czn2, complex_t& numerator,
                     complex_t& denominator) const;

  friend class DirectFormI;
  friend class DirectFormII;

  // Identity until set, so a section that was never designed passes signal.
  double m_a0 = 1;
  double m_a1 = 0;
  double m_a2 = 0;
  double m_b1 = 0;
  double m_b2 = 0;
  double m_b0 = 1;
};

// The pole/zero form of a section plus its gain.
struct BiquadPoleState : PoleZeroPair {
  BiquadPoleState() = default;
  explicit BiquadPoleState(const BiquadBase& s);

  double gain = 1;
};

class Biquad : public BiquadBase {
 public:
  Biquad() = default;
  explicit Biquad(const BiquadPoleState& bps);
};

}  // namespace Dsp
