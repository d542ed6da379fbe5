#include "framework/TruncateToInt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(TruncateToInt, TruncatesTowardZeroAndSaturatesOutsideTheRange) {
  struct Case {
    double value;
    int expected;
  };
  const Case cases[] = {
      {0.0, 0},
      {-0.0, 0},
      {2.9, 2},
      {-2.9, -2},
      {2147483646.9, 2147483646},
      {2147483647.5, INT32_MAX},
      {-2147483648.5, INT32_MIN},
      {1e300, INT32_MAX},
      {-1e300, INT32_MIN},
      {kInf, INT32_MAX},
      {-kInf, INT32_MIN},
      {kNaN, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TruncateToInt(c.value), c.expected) << c.value;
}

TEST(TruncateToInt, UnsignedTargetsStopAtZeroAndTheirMaximum) {
  EXPECT_EQ(TruncateToInt<uint32_t>(-1.0), 0u);
  EXPECT_EQ(TruncateToInt<uint32_t>(3e9), 3000000000u);
  EXPECT_EQ(TruncateToInt<uint32_t>(5e9), UINT32_MAX);
  EXPECT_EQ(TruncateToInt<uint32_t>(kNaN), 0u);
}

}  // namespace
