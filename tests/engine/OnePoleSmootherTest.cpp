#include "engine/OnePoleSmoother.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Quillvane::OnePoleSmoother;

TEST(OnePoleSmoother, GlidesWithTheCommonPole) {
  OnePoleSmoother s;
  for (int k = 1; k <= 200; ++k) ASSERT_NEAR(s.step(1.0), 1.0 - std::pow(0.9877, k), 1e-12) << k;
}

// The common pole is 0.9877 to the bit at 44.1 kHz, and at every rate a
// step has come as far after the same time.
TEST(OnePoleSmoother, TheCommonPoleGlidesAsLongAtEveryRate) {
  EXPECT_EQ(Quillvane::defaultSmoothPole(44100.0), 0.9877);
  const double reached = 1.0 - std::pow(0.9877, 441);  // after 10 ms at 44.1 kHz
  for (double rate : {8000.0, 48000.0, 96000.0, 192000.0}) {
    OnePoleSmoother s(Quillvane::defaultSmoothPole(rate));
    double v = 0.0;
    for (int k = 0; k < static_cast<int>(std::lround(0.01 * rate)); ++k) v = s.step(1.0);
    EXPECT_NEAR(v, reached, 1e-12) << rate;
  }
}

TEST(OnePoleSmoother, NewPoleKeepsTheState) {
  OnePoleSmoother s(0.5);
  EXPECT_EQ(s.step(1.0), 0.5);
  s.setPole(0.75);
  EXPECT_EQ(s.gain, 1.0 - 0.75);
  EXPECT_EQ(s.step(1.0), 0.5 * 0.75 + 0.25);
}

TEST(OnePoleSmoother, GlideToZeroLandsOnZeroInsteadOfTurningDenormal) {
  for (double start : {1.0, -1.0}) {
    OnePoleSmoother s;
    s.state = start;
    double v = start;
    for (int k = 0; k < 100000; ++k) {
      v = s.step(0.0);
      ASSERT_NE(std::fpclassify(v), FP_SUBNORMAL) << k;
    }
    EXPECT_EQ(v, 0.0);
  }
}

// Without a snap the glide rests where rounding leaves it: within a
// relative 1e-13 of the target (a double's epsilon over the 0.0123 gain).
TEST(OnePoleSmoother, SettlesNextToOtherTargets) {
  for (double target : {0.25, -1.0, 1e-20}) {
    OnePoleSmoother s;
    s.state = 1.0;
    double v = 0.0;
    for (int k = 0; k < 100000; ++k) v = s.step(target);
    EXPECT_NEAR(v, target, std::fabs(target) * 1e-13) << target;
  }
}

}  // namespace
