#include "dsp/ChebyshevI.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/dsp/AnalogPrototype.h"

namespace {

using Dsp::complex_t;

const double kFs = 44100;

TEST(ChebyshevI, EvenOrdersNormaliseAtTheBottomOfTheRipple) {
  dsptest::AnalogPrototype<Dsp::ChebyshevI::AnalogLowPass, 4> proto;
  proto.design(2, 1);
  EXPECT_EQ(proto.getNumPoles(), 2);
  EXPECT_EQ(proto.getNormalW(), 0);
  EXPECT_NEAR(proto.getNormalGain(), 0.891250938, 1e-9);

  proto.design(3, 1);
  EXPECT_EQ(proto.getNumPoles(), 3);
  EXPECT_TRUE(proto[1].isSinglePole());
  EXPECT_LT(proto[1].poles.first.real(), 0);
  EXPECT_EQ(proto[1].poles.first.imag(), 0);
  EXPECT_EQ(proto.getNormalGain(), 1);
}

TEST(ChebyshevI, PrototypeIsCachedOnOrderAndExactRipple) {
  Dsp::PoleFilter<Dsp::ChebyshevI::LowPassBase, 4> lp;
  lp.setup(4, kFs, 1000, 1);
  const complex_t pole = lp.getAnalogPrototype()[0].poles.first;
  lp.setup(4, kFs, 5000, 1);
  EXPECT_EQ(lp.getAnalogPrototype()[0].poles.first, pole);
  lp.setup(4, kFs, 5000, 1.000001);
  EXPECT_NE(lp.getAnalogPrototype()[0].poles.first, pole);
}

TEST(ChebyshevI, PassBandRipplesBetweenUnityAndTheRipple) {
  for (int order = 1; order <= 4; ++order) {
    Dsp::PoleFilter<Dsp::ChebyshevI::LowPassBase, 4> lp;
    lp.setup(order, kFs, 4000, 3);
    const double bottom = std::pow(10, -3 / 20.);
    for (double f = 0; f < 4000; f += 50) {
      const double g = std::abs(lp.response(f / kFs));
      EXPECT_LE(g, 1 + 1e-9) << order << " " << f;
      EXPECT_GE(g, bottom - 1e-9) << order << " " << f;
    }
    EXPECT_NEAR(std::abs(lp.response(4000 / kFs)), bottom, 1e-9) << order;
  }
}

TEST(ChebyshevI, ShelvesReachTheirGainsAndRippleTheRightWay) {
  for (double gainDb : {-12.0, 12.0}) {
    Dsp::PoleFilter<Dsp::ChebyshevI::LowShelfBase, 4> low;
    low.setup(3, kFs, 2000, gainDb, 1);
    EXPECT_NEAR(std::abs(low.response(0.5)), 1, 1e-12);
    EXPECT_NEAR(20 * std::log10(std::abs(low.response(0))), gainDb, 1.0 + 1e-9) << gainDb;

    Dsp::PoleFilter<Dsp::ChebyshevI::HighShelfBase, 4> high;
    high.setup(3, kFs, 2000, gainDb, 1);
    EXPECT_NEAR(std::abs(high.response(0)), 1, 1e-12);
  }
}

TEST(ChebyshevI, ZeroGainShelfIsFlat) {
  for (double ripple : {0.0, 1.0}) {
    Dsp::PoleFilter<Dsp::ChebyshevI::BandShelfBase, 3> shelf;
    shelf.setup(3, kFs, 3000, 1000, 0, ripple);
    EXPECT_EQ(shelf.getNumStages(), 3);
    for (double f : {0.0, 0.05, 0.068, 0.2, 0.5}) {
      EXPECT_NEAR(std::abs(shelf.response(f)), 1, 1e-12) << ripple << " " << f;
    }
  }
}

// A ripple as deep as the gain leaves a plain shelf between unity and the
// gain; a boost must not overshoot it by tens of decibels.
TEST(ChebyshevI, ShelfWithRippleDeeperThanItsGainStaysWithinIt) {
  const struct {
    double gainDb;
    double rippleDb;
  } rows[] = {{-0.5, 1}, {0.5, 1}, {0.1, 1}, {-2.5, 3}, {2.5, 3}};
  for (const auto& row : rows) {
    Dsp::PoleFilter<Dsp::ChebyshevI::LowShelfBase, 4> shelf;
    shelf.setup(3, kFs, 1000, row.gainDb, row.rippleDb);
    for (double f = 0; f <= 0.5; f += 0.001) {
      const double db = 20 * std::log10(std::abs(shelf.response(f)));
      EXPECT_LE(db, std::max(row.gainDb, 0.0) + 1e-9) << row.gainDb << " at " << f;
      EXPECT_GE(db, std::min(row.gainDb, 0.0) - 1e-9) << row.gainDb << " at " << f;
    }
    // Still a shelf: the far end moves toward the gain.
    EXPECT_GT(std::fabs(20 * std::log10(std::abs(shelf.response(0)))), std::fabs(row.gainDb) / 3)
        << row.gainDb;
  }
}

}  // namespace
