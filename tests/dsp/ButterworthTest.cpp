#include "dsp/Butterworth.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/dsp/AnalogPrototype.h"

#include "dsp/SmoothedFilterDesign.h"

namespace {

using Dsp::complex_t;

const double kFs = 44100;

TEST(Butterworth, LowPassPrototypeOfOrdersOneAndTwo) {
  dsptest::AnalogPrototype<Dsp::Butterworth::AnalogLowPass, 2> proto;
  proto.design(1);
  ASSERT_EQ(proto.getNumPoles(), 1);
  EXPECT_TRUE(proto[0].isSinglePole());
  EXPECT_EQ(proto[0].poles.first, complex_t(-1, 0));
  EXPECT_TRUE(Dsp::isInfinity(proto[0].zeros.first));

  proto.design(2);
  ASSERT_EQ(proto.getNumPoles(), 2);
  const double h = std::sqrt(0.5);
  EXPECT_NEAR(proto[0].poles.first.real(), -h, 1e-15);
  EXPECT_NEAR(std::fabs(proto[0].poles.first.imag()), h, 1e-15);
  EXPECT_EQ(proto[0].poles.second, std::conj(proto[0].poles.first));
  EXPECT_EQ(proto.getNormalW(), 0);
  EXPECT_EQ(proto.getNormalGain(), 1);
}

TEST(Butterworth, OrderIsClampedToTheStorage) {
  dsptest::AnalogPrototype<Dsp::Butterworth::AnalogLowPass, 2> proto;
  proto.design(0);
  EXPECT_EQ(proto.getNumPoles(), 1);
  proto.design(7);
  EXPECT_EQ(proto.getNumPoles(), 2);
  proto.design(-3);
  EXPECT_EQ(proto.getNumPoles(), 1);

  // Through a filter: orders outside 1..2 never overrun the two stages.
  Dsp::SmoothedFilterDesign<Dsp::Butterworth::Design::BandShelf<2>, 2, Dsp::DirectFormI> f(8);
  Dsp::Params p = f.getDefaultParams();
  for (double order : {0.0, -1.0, 3.0, 1e12, std::nan("")}) {
    p[1] = order;
    f.setParams(p);
    EXPECT_LE(f.getPoleZeros().size(), 2u);
    EXPECT_TRUE(std::isfinite(std::abs(f.response(0.1)))) << order;
  }
}

TEST(Butterworth, ShelvesStandTheirGainAwayFromTheUnityEnd) {
  for (int order : {1, 2}) {
    for (double gainDb : {-12.0, 6.0}) {
      const double full = std::pow(10, gainDb / 20);
      Dsp::PoleFilter<Dsp::Butterworth::LowShelfBase, 2> low;
      low.setup(order, kFs, 1000, gainDb);
      EXPECT_NEAR(std::abs(low.response(0)), full, 1e-12);
      EXPECT_NEAR(std::abs(low.response(0.5)), 1, 1e-12);
      // The corner sits half way in decibels.
      EXPECT_NEAR(std::abs(low.response(1000 / kFs)), std::sqrt(full), 1e-12);

      Dsp::PoleFilter<Dsp::Butterworth::HighShelfBase, 2> high;
      high.setup(order, kFs, 1000, gainDb);
      EXPECT_NEAR(std::abs(high.response(0)), 1, 1e-12);
      EXPECT_NEAR(std::abs(high.response(0.5)), full, 1e-12);
    }
  }
}

TEST(Butterworth, FlatShelfIsUnityEverywhere) {
  Dsp::PoleFilter<Dsp::Butterworth::BandShelfBase, 2> shelf;
  shelf.setup(2, kFs, 2400, 4000, 0);
  for (double f : {0.0, 0.01, 0.05, 0.2, 0.5}) EXPECT_NEAR(std::abs(shelf.response(f)), 1, 1e-12);
}

TEST(Butterworth, BandShelfPeaksAtItsCentreAndIsUnityAtTheFarEnd) {
  for (double centre : {1000.0, 2400.0, 11025.0, 15000.0}) {
    Dsp::PoleFilter<Dsp::Butterworth::BandShelfBase, 2> shelf;
    shelf.setup(2, kFs, centre, 800, 12);
    // The peak sits at the geometric centre of the prewarped band edges.
    const double pi = 3.141592653589793;
    const double peak = std::atan(std::sqrt(std::tan(pi * (centre - 400) / kFs) *
                                            std::tan(pi * (centre + 400) / kFs))) / pi;
    EXPECT_NEAR(std::abs(shelf.response(peak)), std::pow(10, 12 / 20.), 1e-12) << centre;
    // Normalised at Nyquist below a quarter of the rate, at zero from there on.
    const double unityEnd = centre / kFs < 0.25 ? 0.5 : 0.0;
    EXPECT_NEAR(std::abs(shelf.response(unityEnd)), 1, 1e-12) << centre;
  }
}

TEST(Butterworth, BandStopCentredAtAQuarterNormalisesAtZero) {
  Dsp::PoleFilter<Dsp::Butterworth::BandStopBase, 2> stop;
  stop.setup(2, kFs, kFs / 4, 1000);
  EXPECT_EQ(stop.getDigitalPrototype().getNormalW(), 0);
  EXPECT_NEAR(std::abs(stop.response(0)), 1, 1e-12);
  EXPECT_NEAR(std::abs(stop.response(0.25)), 0, 1e-9);
}

TEST(Butterworth, NewFrequencyLeavesThePrototypeUntouched) {
  Dsp::PoleFilter<Dsp::Butterworth::LowShelfBase, 2> shelf;
  shelf.setup(2, kFs, 1000, 6);
  const complex_t analogPole = shelf.getAnalogPrototype()[0].poles.first;
  const complex_t digitalPole = shelf.getDigitalPrototype()[0].poles.first;
  shelf.setup(2, kFs, 3000, 6);
  EXPECT_EQ(shelf.getAnalogPrototype()[0].poles.first, analogPole);
  EXPECT_NE(shelf.getDigitalPrototype()[0].poles.first, digitalPole);
}

}  // namespace
