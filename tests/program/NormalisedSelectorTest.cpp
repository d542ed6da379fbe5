#include "program/NormalisedSelector.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

using Quillvane::clampedSelectorIndex;
using Quillvane::selectorIndex;
using Quillvane::selectorValue;

TEST(NormalisedSelector, IndexesWithAndWithoutClamping) {
  struct Case {
    double x;
    int last;
    int plain;
    int clamped;
  };
  const Case cases[] = {
      {0.0147, 34, 0, 0},
      {0.0148, 34, 1, 1},
      {0.5, 34, 17, 17},
      {1.0, 35, 35, 35},
      {1.7, 34, 58, 34},
      {-0.3, 34, -10, 0},
      {-0.0, 3, 0, 0},
      {std::nan(""), 3, 0, 0},
      {1e300, 3, INT_MAX, 3},
      {-1e300, 3, INT_MIN, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(selectorIndex(c.x, c.last), c.plain) << c.x << " of " << c.last;
    EXPECT_EQ(clampedSelectorIndex(c.x, c.last), c.clamped) << c.x << " of " << c.last;
  }
}

TEST(NormalisedSelector, EverySelectorMapsBackToItsIndex) {
  for (int last : {1, 2, 3, 4, 34, 35}) {
    EXPECT_EQ(selectorValue(last, last), 1.0);
    for (int i = 0; i <= last; ++i) {
      EXPECT_EQ(clampedSelectorIndex(selectorValue(i, last), last), i) << i << " of " << last;
      EXPECT_EQ(selectorIndex(selectorValue<float>(i, last), last), i) << i << " of " << last;
    }
  }
}

TEST(NormalisedSelector, SinglePrecisionSelectorsKeepTheirStoredValue) {
  EXPECT_EQ(static_cast<double>(selectorValue<float>(2, 3)), 0.6666666865348816);
  EXPECT_EQ(static_cast<double>(selectorValue<float>(1, 3)), 0.3333333432674408);
  EXPECT_EQ(selectorValue(2, 35), 2.0 / 35.0);
}

}  // namespace
