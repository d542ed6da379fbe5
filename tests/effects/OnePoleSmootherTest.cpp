#include "effects/OnePoleSmoother.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Quillvane::OnePoleSmoother;

TEST(OnePoleSmoother, GlidesWithTheCommonPole) {
  OnePoleSmoother s;
  for (int k = 1; k <= 200; ++k) ASSERT_NEAR(s.next(1.0), 1.0 - std::pow(0.9877, k), 1e-12) << k;
}

TEST(OnePoleSmoother, LandsOnItsTargetInsteadOfTurningDenormal) {
  for (double target : {0.0, 0.25, -1.0}) {
    OnePoleSmoother s;
    s.state = 1.0;
    double v = 0.0;
    for (int k = 0; k < 100000; ++k) {
      v = s.next(target);
      ASSERT_NE(std::fpclassify(v), FP_SUBNORMAL) << k;
    }
    EXPECT_EQ(v, target);
  }
}

}  // namespace
