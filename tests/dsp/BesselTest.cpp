#include "dsp/Bessel.h"

#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "tests/dsp/AnalogPrototype.h"

namespace {

using Dsp::complex_t;

TEST(Bessel, LowOrderPrototypes) {
  Dsp::Bessel::Workspace<4> workspace;
  dsptest::AnalogPrototype<Dsp::Bessel::AnalogLowPass, 4> proto;
  proto.design(1, &workspace);
  ASSERT_EQ(proto.getNumPoles(), 1);
  EXPECT_EQ(proto[0].poles.first, complex_t(-1, 0));
  EXPECT_TRUE(Dsp::isInfinity(proto[0].zeros.first));

  proto.design(2, &workspace);
  ASSERT_EQ(proto.getNumPoles(), 2);
  EXPECT_NEAR(proto[0].poles.first.real(), -1.5, 1e-15);
  EXPECT_NEAR(proto[0].poles.first.imag(), std::sqrt(3.0) / 2, 1e-15);
}

TEST(Bessel, OrderIsLimitedByTheWorkspace) {
  Dsp::Bessel::Workspace<3> workspace;
  dsptest::AnalogPrototype<Dsp::Bessel::AnalogLowPass, 8> proto;
  proto.design(8, &workspace);
  EXPECT_EQ(proto.getNumPoles(), 3);
}

TEST(Bessel, ShelfReachesItsGainAndIsFlatAtZeroDecibels) {
  Dsp::Bessel::Workspace<4> workspace;
  for (double gainDb : {-10.0, 0.0, 8.0}) {
    Dsp::PoleFilter<Dsp::Bessel::LowShelfBase, 4> shelf;
    shelf.setup(3, 44100, 2000, gainDb, &workspace);
    EXPECT_NEAR(std::abs(shelf.response(0.5)), 1, 1e-12) << gainDb;
    EXPECT_NEAR(std::abs(shelf.response(0)), std::pow(10, gainDb / 20), 1e-9) << gainDb;
    if (gainDb == 0) {
      for (double f : {0.01, 0.05, 0.2}) EXPECT_NEAR(std::abs(shelf.response(f)), 1, 1e-12);
    }
  }
}

TEST(Bessel, FailedDesignIsRetriedByTheNextSetup) {
  // This order and gain make the zero polynomial defeat the root finder.
  Dsp::Bessel::Workspace<5> workspace;
  dsptest::AnalogPrototype<Dsp::Bessel::AnalogLowShelf, 5> shelf;
  EXPECT_THROW(shelf.design(5, 198.9, &workspace), std::logic_error);
  // Had the arguments stayed cached, this would return an empty layout.
  EXPECT_THROW(shelf.design(5, 198.9, &workspace), std::logic_error);
  shelf.design(5, 6, &workspace);
  EXPECT_EQ(shelf.getNumPoles(), 5);
}

TEST(Bessel, BandDesignsRunThroughTheirTransforms) {
  Dsp::Bessel::Workspace<4> workspace;
  Dsp::PoleFilter<Dsp::Bessel::BandPassBase, 4> bp;
  bp.setup(3, 44100, 2000, 1000, &workspace);
  EXPECT_EQ(bp.getNumStages(), 3);
  Dsp::PoleFilter<Dsp::Bessel::BandStopBase, 4> bs;
  bs.setup(3, 44100, 2000, 1000, &workspace);
  EXPECT_NEAR(std::abs(bs.response(0)), 1, 1e-12);
}

}  // namespace
