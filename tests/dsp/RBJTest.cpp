#include "dsp/RBJ.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

const double kFs = 44100;

double gainAt(const Dsp::BiquadBase& s, double hz) {
  return std::abs(s.response(hz / kFs));
}

TEST(RBJ, LowAndHighPassGainsAtTheBandEnds) {
  const double q = 1 / std::sqrt(2.0);
  for (double f : {100.0, 1000.0, 10000.0}) {
    Dsp::RBJ::LowPass lp;
    lp.setup(kFs, f, q);
    EXPECT_NEAR((lp.getB0() + lp.getB1() + lp.getB2()) / (lp.getA0() + lp.getA1() + lp.getA2()),
                1.0, 1e-12);
    EXPECT_NEAR(gainAt(lp, kFs / 2), 0.0, 1e-12);
    // A Butterworth Q puts the corner 3 dB down.
    EXPECT_NEAR(gainAt(lp, f), q, 1e-12);

    Dsp::RBJ::HighPass hp;
    hp.setup(kFs, f, q);
    EXPECT_NEAR(gainAt(hp, kFs / 2), 1.0, 1e-12);
    EXPECT_NEAR(gainAt(hp, 0), 0.0, 1e-12);
    EXPECT_NEAR(gainAt(hp, f), q, 1e-12);
  }
}

TEST(RBJ, BandPassPeaksAndNotchDepth) {
  for (double bw : {0.5, 2.0, 8.0}) {
    Dsp::RBJ::BandPass1 bp1;
    bp1.setup(kFs, 2000, bw);
    EXPECT_NEAR(gainAt(bp1, 2000), bw, 1e-12) << bw;
    EXPECT_LT(gainAt(bp1, 1000), bw);
    EXPECT_LT(gainAt(bp1, 4000), bw);

    Dsp::RBJ::BandPass2 bp2;
    bp2.setup(kFs, 2000, bw);
    EXPECT_NEAR(gainAt(bp2, 2000), 1.0, 1e-12) << bw;

    Dsp::RBJ::BandStop bs;
    bs.setup(kFs, 2000, bw);
    EXPECT_NEAR(gainAt(bs, 2000), 0.0, 1e-12) << bw;
    EXPECT_NEAR(gainAt(bs, 0), 1.0, 1e-12);
    EXPECT_NEAR(gainAt(bs, kFs / 2), 1.0, 1e-12);
  }

  // The bandwidth acts as a Q: a larger value gives a narrower band.
  Dsp::RBJ::BandPass2 narrow;
  Dsp::RBJ::BandPass2 wide;
  narrow.setup(kFs, 2000, 4);
  wide.setup(kFs, 2000, 0.5);
  EXPECT_LT(gainAt(narrow, 3000), gainAt(wide, 3000));
}

TEST(RBJ, ShelvesReachTheirGainAndMeetHalfwayAtTheCorner) {
  for (double gainDb : {-12.0, 6.0, 12.0}) {
    const double full = std::pow(10, gainDb / 20);
    const double half = std::pow(10, gainDb / 40);

    Dsp::RBJ::LowShelf low;
    low.setup(kFs, 1000, gainDb, 1);
    EXPECT_NEAR(gainAt(low, 0), full, 1e-12 * full) << gainDb;
    EXPECT_NEAR(gainAt(low, kFs / 2), 1.0, 1e-12);
    EXPECT_NEAR(gainAt(low, 1000), half, 1e-12);

    Dsp::RBJ::HighShelf high;
    high.setup(kFs, 1000, gainDb, 1);
    EXPECT_NEAR(gainAt(high, 0), 1.0, 1e-12) << gainDb;
    EXPECT_NEAR(gainAt(high, kFs / 2), full, 1e-12 * full);
    EXPECT_NEAR(gainAt(high, 1000), half, 1e-12);

    Dsp::RBJ::BandShelf band;
    band.setup(kFs, 3000, gainDb, 1);
    EXPECT_NEAR(gainAt(band, 3000), full, 1e-12 * full) << gainDb;
    EXPECT_NEAR(gainAt(band, 0), 1.0, 1e-12);
    EXPECT_NEAR(gainAt(band, kFs / 2), 1.0, 1e-12);
  }
}

TEST(RBJ, FlatShelfIsAUnitFilter) {
  Dsp::RBJ::LowShelf s;
  s.setup(kFs, 1000, 0, 1);
  EXPECT_DOUBLE_EQ(s.getB0(), s.getA0());
  EXPECT_DOUBLE_EQ(s.getB1(), s.getA1());
  EXPECT_DOUBLE_EQ(s.getB2(), s.getA2());
}

TEST(RBJ, AllPassKeepsMagnitudeAndTurnsPhaseAtItsFrequency) {
  Dsp::RBJ::AllPass ap;
  ap.setup(kFs, 1000, 0.7);
  for (double f : {0.0, 300.0, 1000.0, 5000.0, kFs / 2}) EXPECT_NEAR(gainAt(ap, f), 1, 1e-12);
  EXPECT_NEAR(std::fabs(std::arg(ap.response(1000 / kFs))), 3.141592653589793, 1e-9);
}

TEST(RBJ, DesignsRunSetupFromTheFirstThreeSlots) {
  Dsp::RBJ::Design::BandPass1 design;
  Dsp::Params p;
  p[0] = 48000;
  p[1] = 5000;
  p[2] = 3;
  design.setParams(p);
  Dsp::RBJ::BandPass1 direct;
  direct.setup(48000, 5000, 3);
  EXPECT_EQ(design.getA1(), direct.getA1());
  EXPECT_EQ(design.getB0(), direct.getB0());
  EXPECT_EQ(design.getPoleZeros().size(), 1u);
}

}  // namespace
