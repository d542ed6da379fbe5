#include "dsp/ChebyshevII.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/dsp/AnalogPrototype.h"

namespace {

using Dsp::complex_t;

TEST(ChebyshevII, PrototypeZerosLieOnTheImaginaryAxis) {
  dsptest::AnalogPrototype<Dsp::ChebyshevII::AnalogLowPass, 4> proto;
  proto.design(2, 48);
  ASSERT_EQ(proto.getNumPoles(), 2);
  EXPECT_EQ(proto[0].zeros.first.real(), 0);
  EXPECT_NEAR(std::fabs(proto[0].zeros.first.imag()), std::sqrt(2.0), 1e-15);
  EXPECT_EQ(proto.getNormalW(), 0);
  EXPECT_EQ(proto.getNormalGain(), 1);

  proto.design(3, 48);
  ASSERT_EQ(proto.getNumPoles(), 3);
  EXPECT_TRUE(proto[1].isSinglePole());
  EXPECT_LT(proto[1].poles.first.real(), 0);
  EXPECT_TRUE(Dsp::isInfinity(proto[1].zeros.first));
}

TEST(ChebyshevII, StopBandStaysBelowItsAttenuation) {
  Dsp::PoleFilter<Dsp::ChebyshevII::LowPassBase, 4> lp;
  lp.setup(4, 44100, 2000, 40);
  const double limit = std::pow(10, -40 / 20.);
  for (double f = 2000; f < 22050; f += 100) {
    EXPECT_LE(std::abs(lp.response(f / 44100)), limit * (1 + 1e-9)) << f;
  }
  EXPECT_NEAR(std::abs(lp.response(0)), 1, 1e-12);
}

TEST(ChebyshevII, ShelvesReachTheirGain) {
  Dsp::PoleFilter<Dsp::ChebyshevII::LowShelfBase, 4> low;
  low.setup(4, 44100, 2000, -9, 3);
  EXPECT_NEAR(std::abs(low.response(0.5)), 1, 1e-12);
  EXPECT_NEAR(20 * std::log10(std::abs(low.response(0))), -9, 3 + 1e-9);

  Dsp::PoleFilter<Dsp::ChebyshevII::BandShelfBase, 2> band;
  band.setup(2, 44100, 3000, 1000, 0, 3);
  for (double f : {0.0, 0.068, 0.5}) EXPECT_NEAR(std::abs(band.response(f)), 1, 1e-12) << f;
}

}  // namespace
