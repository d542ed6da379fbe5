#include "dsp/Elliptic.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tests/dsp/AnalogPrototype.h"
#include "tests/dsp/ReferenceTable.h"

namespace {

using Proto = dsptest::AnalogPrototype<Dsp::Elliptic::AnalogLowPass, 49>;

TEST(Elliptic, EllipticKMatchesTheReference) {
  const auto table = dsptest::readReferenceTable("ellipk.csv");
  ASSERT_FALSE(table.empty());
  for (const auto& row : table) {
    const double k = std::stod(row[0]);
    const double expected = std::stod(row[1]);
    EXPECT_NEAR(Dsp::Elliptic::Solver::ellipticK(k), expected, 1e-14 * expected) << k;
  }
}

TEST(Elliptic, EllipticKOfTheEndsOfItsRange) {
  EXPECT_DOUBLE_EQ(Dsp::Elliptic::Solver::ellipticK(0), 3.141592653589793 / 2);
  EXPECT_TRUE(std::isinf(Dsp::Elliptic::Solver::ellipticK(1)));
  EXPECT_TRUE(std::isnan(Dsp::Elliptic::Solver::ellipticK(std::nan(""))));
}

TEST(Elliptic, OddOrdersHaveOneRealPoleAndEvenOrdersStartLow) {
  for (int order = 1; order <= 9; ++order) {
    Proto proto;
    proto.design(order, 1, 0);
    ASSERT_EQ(proto.getNumPoles(), order);
    const int pairs = order / 2;
    for (int i = 0; i < pairs; ++i) {
      EXPECT_FALSE(proto[i].isSinglePole()) << order;
      EXPECT_EQ(proto[i].zeros.first.real(), 0) << order;
      // Stop-band zeros lie beyond the selectivity 5 / e + 1.
      EXPECT_GT(proto[i].zeros.first.imag(), 5 / std::exp(1.0) + 1 - 1e-12) << order;
    }
    if (order & 1) {
      EXPECT_TRUE(proto[pairs].isSinglePole());
      EXPECT_LT(proto[pairs].poles.first.real(), 0);
      EXPECT_EQ(proto.getNormalGain(), 1);
    } else {
      EXPECT_NEAR(proto.getNormalGain(), std::pow(10, -1 / 20.), 1e-15);
    }
  }
}

TEST(Elliptic, DegenerateInputsFinishAndStayWithinStorage) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    int order;
    double ripple;
    double rolloff;
  } rows[] = {{4, 1, nan}, {4, nan, 0}, {5, 1, -40}, {3, 0, 0}, {2, 1, inf}, {500, 1, 0}};
  for (const auto& row : rows) {
    Proto proto;
    proto.design(row.order, row.ripple, row.rolloff);
    EXPECT_LE(proto.getNumPoles(), Dsp::Elliptic::AnalogLowPass::kMaxOrder);
  }
}

TEST(Elliptic, PrototypeIsCachedOnAllThreeArguments) {
  Dsp::PoleFilter<Dsp::Elliptic::LowPassBase, 4> lp;
  lp.setup(4, 44100, 1000, 1, 0);
  const Dsp::complex_t pole = lp.getAnalogPrototype()[0].poles.first;
  lp.setup(4, 44100, 3000, 1, 0);
  EXPECT_EQ(lp.getAnalogPrototype()[0].poles.first, pole);
  lp.setup(4, 44100, 3000, 1, 0.5);
  EXPECT_NE(lp.getAnalogPrototype()[0].poles.first, pole);
}

}  // namespace
