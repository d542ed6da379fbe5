#include "dsp/RootFinder.h"

#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

namespace {

using Dsp::complex_t;

TEST(RootFinder, FindsAndSortsTheRootsOfLowOrderPolynomials) {
  Dsp::RootFinder<4> finder;
  // 1 + s: the single root -1.
  finder.coef()[0] = 1;
  finder.coef()[1] = 1;
  finder.solve(1);
  EXPECT_EQ(finder.root()[0], complex_t(-1, 0));

  // 3 + 3s + s^2: -1.5 +- j sqrt(3)/2, positive imaginary part first.
  finder.coef()[0] = 3;
  finder.coef()[1] = 3;
  finder.coef()[2] = 1;
  finder.solve(2);
  EXPECT_NEAR(finder.root()[0].real(), -1.5, 1e-15);
  EXPECT_NEAR(finder.root()[0].imag(), std::sqrt(3.0) / 2, 1e-15);
  EXPECT_NEAR(finder.root()[1].imag(), -std::sqrt(3.0) / 2, 1e-15);
}

TEST(RootFinder, RealRootsComeOutExactlyReal) {
  // (s + 1)(s + 2)(s + 3)(s + 4)
  Dsp::RootFinder<4> finder;
  const double c[] = {24, 50, 35, 10, 1};
  for (int i = 0; i <= 4; ++i) finder.coef()[i] = c[i];
  finder.solve(4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(finder.root()[i].imag(), 0) << i;
    EXPECT_NEAR(std::abs(finder.eval(4, finder.root()[i])), 0, 1e-12) << i;
  }
}

TEST(RootFinder, SortIsStableByImaginaryPartLargestFirst) {
  Dsp::RootFinder<5> finder;
  // (s^2 + 1)(s^2 + 4)(s + 1): imaginary parts 2, 1, 0, -1, -2.
  const double c[] = {4, 4, 5, 5, 1, 1};
  for (int i = 0; i <= 5; ++i) finder.coef()[i] = c[i];
  finder.solve(5);
  const double expected[] = {2, 1, 0, -1, -2};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(finder.root()[i].imag(), expected[i], 1e-12) << i;
}

TEST(RootFinder, EvaluatesThePolynomial) {
  Dsp::RootFinder<2> finder;
  finder.coef()[0] = 2;
  finder.coef()[1] = -3;
  finder.coef()[2] = 1;
  EXPECT_EQ(finder.eval(2, 0.0), complex_t(2, 0));
  EXPECT_NEAR(std::abs(finder.eval(2, 3.0) - 2.0), 0, 1e-14);
  EXPECT_NEAR(std::abs(finder.eval(2, complex_t(0, 1)) - complex_t(1, -3)), 0, 1e-14);
}

TEST(RootFinder, ThrowsWhenLaguerreDoesNotConverge) {
  Dsp::RootFinder<2> finder;
  finder.coef()[0] = 1;
  finder.coef()[1] = std::nan("");
  finder.coef()[2] = 1;
  try {
    finder.solve(2);
    FAIL() << "no exception";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "laguerre failed");
  }
}

TEST(RootFinder, DegreeBeyondTheStorageCountsAsTheLargestItHolds) {
  Dsp::RootFinder<2> finder;
  finder.coef()[0] = 2;
  finder.coef()[1] = 3;
  finder.coef()[2] = 1;
  finder.solve(40);
  const double product = finder.root()[0].real() * finder.root()[1].real();
  const double sum = finder.root()[0].real() + finder.root()[1].real();
  EXPECT_NEAR(product, 2, 1e-14);
  EXPECT_NEAR(sum, -3, 1e-14);
}

}  // namespace
