#include "dsp/Legendre.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "tests/dsp/AnalogPrototype.h"

namespace {

using Dsp::complex_t;

TEST(Legendre, PolynomialsOfTheFirstKind) {
  Dsp::Legendre::PolynomialFinder<8> finder;
  const std::vector<std::vector<double>> expected = {
      {1}, {0, 1}, {-0.5, 0, 1.5}, {0, -1.5, 0, 2.5}, {0.375, 0, -3.75, 0, 4.375},
      {0, 1.875, 0, -8.75, 0, 7.875}};
  double p[9];
  for (std::size_t n = 0; n < expected.size(); ++n) {
    finder.legendre(p, static_cast<int>(n));
    for (std::size_t i = 0; i <= n; ++i) EXPECT_NEAR(p[i], expected[n][i], 1e-15) << n << " " << i;
  }
}

// The optimum-L polynomials L(x), x = w^2, lowest power first, as
// published for orders 1 to 7.
TEST(Legendre, OptimumLPolynomialsMatchThePublishedTables) {
  const std::vector<std::vector<double>> tables = {
      {0, 1},
      {0, 0, 1},
      {0, 1, -3, 3},
      {0, 0, 3, -8, 6},
      {0, 1, -8, 28, -40, 20},
      {0, 0, 6, -40, 105, -120, 50},
      {0, 1, -15, 105, -355, 615, -525, 175},
  };
  Dsp::Legendre::PolynomialFinder<8> finder;
  for (std::size_t n = 1; n <= tables.size(); ++n) {
    finder.solve(static_cast<int>(n));
    const std::vector<double>& table = tables[n - 1];
    for (std::size_t i = 0; i <= n; ++i) {
      EXPECT_NEAR(finder.coef()[i], table[i], 1e-12 * 600) << "order " << n << " x^" << i;
    }
  }
}

// |H(jw)|^2 of a prototype from its poles, with unity at zero frequency.
double powerGain(const Dsp::LayoutBase& proto, double w) {
  complex_t h = 1;
  for (int i = 0; i < (proto.getNumPoles() + 1) / 2; ++i) {
    const Dsp::PoleZeroPair& pair = proto[i];
    h *= -pair.poles.first / (complex_t(0, w) - pair.poles.first);
    if (!pair.isSinglePole()) h *= -pair.poles.second / (complex_t(0, w) - pair.poles.second);
  }
  return std::norm(h);
}

TEST(Legendre, PrototypePolesRealiseTheOptimumLMagnitude) {
  Dsp::Legendre::Workspace<8> workspace;
  for (int order = 1; order <= 8; ++order) {
    dsptest::AnalogPrototype<Dsp::Legendre::AnalogLowPass, 8> proto;
    proto.design(order, &workspace);
    ASSERT_EQ(proto.getNumPoles(), order);
    for (int i = 0; i < (order + 1) / 2; ++i) EXPECT_LT(proto[i].poles.first.real(), 0) << order;
    workspace.poly.solve(order);
    for (double w : {0.0, 0.3, 0.7, 1.0, 1.5, 3.0}) {
      double l = 0;
      for (int i = order; i >= 0; --i) l = l * w * w + workspace.poly.coef()[i];
      EXPECT_NEAR(powerGain(proto, w), 1 / (1 + l), 1e-10) << order << " " << w;
    }
  }
}

TEST(Legendre, OrderOneIsASinglePoleAtMinusOne) {
  Dsp::Legendre::Workspace<2> workspace;
  dsptest::AnalogPrototype<Dsp::Legendre::AnalogLowPass, 2> proto;
  proto.design(1, &workspace);
  ASSERT_EQ(proto.getNumPoles(), 1);
  EXPECT_TRUE(proto[0].isSinglePole());
  EXPECT_NEAR(proto[0].poles.first.real(), -1, 1e-15);
}

TEST(Legendre, FiltersPassLowAndStopHigh) {
  Dsp::Legendre::Workspace<4> workspace;
  Dsp::PoleFilter<Dsp::Legendre::LowPassBase, 4> lp;
  lp.setup(4, 44100, 1000, &workspace);
  EXPECT_NEAR(std::abs(lp.response(0)), 1, 1e-12);
  EXPECT_NEAR(std::abs(lp.response(1000 / 44100.)), std::sqrt(0.5), 1e-9);
  EXPECT_LT(std::abs(lp.response(0.2)), 1e-3);

  Dsp::PoleFilter<Dsp::Legendre::BandStopBase, 4> bs;
  bs.setup(2, 44100, 5000, 1000, &workspace);
  EXPECT_NEAR(std::abs(bs.response(0)), 1, 1e-12);
  const double pi = 3.141592653589793;
  const double notch = std::acos(std::cos(2 * pi * 5000 / 44100) / std::cos(pi * 1000 / 44100));
  EXPECT_LT(std::abs(bs.response(notch / (2 * pi))), 1e-6);
}

}  // namespace
