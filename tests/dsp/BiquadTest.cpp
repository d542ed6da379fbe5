#include "dsp/Biquad.h"

#include <cmath>
#include <complex>

#include <gtest/gtest.h>

namespace {

using Dsp::BiquadBase;
using Dsp::BiquadPoleState;
using Dsp::complex_t;

TEST(Biquad, CoefficientsAreStoredNormalisedAndReadBackRaw) {
  BiquadBase s;
  s.setCoefficients(2, 1, 0.5, 4, 2, 1);
  EXPECT_EQ(s.getA0(), 2);
  EXPECT_EQ(s.getA1(), 1);
  EXPECT_EQ(s.getA2(), 0.5);
  EXPECT_EQ(s.getB0(), 4);
  EXPECT_EQ(s.getB1(), 2);
  EXPECT_EQ(s.getB2(), 1);
  // H(1) = (4 + 2 + 1) / (2 + 1 + 0.5) at zero frequency.
  EXPECT_NEAR(std::abs(s.response(0)), 2.0, 1e-15);
}

TEST(Biquad, StartsAsIdentity) {
  BiquadBase s;
  EXPECT_EQ(s.getA0(), 1);
  EXPECT_EQ(s.getB0(), 1);
  EXPECT_EQ(s.getA1(), 0);
  EXPECT_EQ(s.getB2(), 0);
}

TEST(Biquad, OnePoleRoundTripsThroughItsPoleState) {
  BiquadBase s;
  s.setOnePole(complex_t(0.5, 0.3), complex_t(-1, 7));
  EXPECT_EQ(s.getA1(), -0.5);
  EXPECT_EQ(s.getA2(), 0);
  EXPECT_EQ(s.getB0(), 1);
  EXPECT_EQ(s.getB1(), 1);
  EXPECT_EQ(s.getB2(), 0);

  const BiquadPoleState bps(s);
  EXPECT_TRUE(bps.isSinglePole());
  EXPECT_EQ(bps.poles.first, complex_t(0.5, 0));
  EXPECT_EQ(bps.zeros.first, complex_t(-1, 0));
  EXPECT_EQ(bps.gain, 1);
}

TEST(Biquad, TwoPoleTakesAComplexFirstMemberAsAConjugatePair) {
  BiquadBase s;
  s.setTwoPole(complex_t(0.5, 0.5), complex_t(0, 1), complex_t(123, 4), complex_t(9, 9));
  EXPECT_DOUBLE_EQ(s.getA1(), -1.0);
  EXPECT_DOUBLE_EQ(s.getA2(), 0.5);
  EXPECT_DOUBLE_EQ(s.getB1(), 0.0);
  EXPECT_DOUBLE_EQ(s.getB2(), 1.0);

  // Two real members multiply out.
  s.setTwoPole(0.5, -1, -0.25, 1);
  EXPECT_DOUBLE_EQ(s.getA1(), -0.25);
  EXPECT_DOUBLE_EQ(s.getA2(), -0.125);
  EXPECT_DOUBLE_EQ(s.getB1(), 0.0);
  EXPECT_DOUBLE_EQ(s.getB2(), -1.0);
}

TEST(Biquad, PoleStateOfASecondOrderSectionFindsItsRoots) {
  BiquadBase s;
  s.setTwoPole(complex_t(0.6, 0.3), complex_t(-1, 0), complex_t(0.6, -0.3), complex_t(-1, 0));
  s.applyScale(0.25);
  const BiquadPoleState bps(s);
  EXPECT_FALSE(bps.isSinglePole());
  EXPECT_NEAR(bps.poles.first.real(), 0.6, 1e-15);
  EXPECT_NEAR(std::fabs(bps.poles.first.imag()), 0.3, 1e-15);
  EXPECT_NEAR(std::abs(bps.poles.second - std::conj(bps.poles.first)), 0, 1e-15);
  EXPECT_NEAR(std::abs(bps.zeros.first + 1.0), 0, 1e-7);
  EXPECT_DOUBLE_EQ(bps.gain, 0.25);

  // Rebuilding from the pole state gives the same section.
  const Dsp::Biquad rebuilt(bps);
  EXPECT_NEAR(rebuilt.getA1(), s.getA1(), 1e-15);
  EXPECT_NEAR(rebuilt.getA2(), s.getA2(), 1e-15);
  EXPECT_NEAR(rebuilt.getB0(), s.getB0(), 1e-15);
  EXPECT_NEAR(rebuilt.getB1(), s.getB1(), 1e-7);
  EXPECT_EQ(s.getPoleZeros().size(), 1u);
}

TEST(Biquad, ResponseEvaluatesTheTransferFunction) {
  BiquadBase s;
  s.setCoefficients(1.5, -0.4, 0.2, 0.7, 0.1, -0.3);
  for (double f : {0.0, 0.01, 0.2, 0.37, 0.5}) {
    const complex_t z = std::polar(1.0, 2 * 3.141592653589793 * f);
    const complex_t zi = 1.0 / z;
    const complex_t expected = (0.7 + 0.1 * zi - 0.3 * zi * zi) / (1.5 - 0.4 * zi + 0.2 * zi * zi);
    EXPECT_NEAR(std::abs(s.response(f) - expected), 0, 1e-15) << f;
  }
}

}  // namespace
