#include "dsp/Custom.h"

#include <gtest/gtest.h>

namespace {

const double kPi = 3.141592653589793;

TEST(Custom, OnePoleCoefficients) {
  Dsp::Custom::OnePole s;
  s.setup(1, 0.25, -0.25);
  EXPECT_EQ(s.getA0(), 1);
  EXPECT_EQ(s.getA1(), -0.25);
  EXPECT_EQ(s.getA2(), 0);
  EXPECT_EQ(s.getB0(), 0.25);
  EXPECT_EQ(s.getB1(), 1);
  EXPECT_EQ(s.getB2(), 0);

  s.setup(2, 0.5, 0.5);
  EXPECT_EQ(s.getB0(), -1);
  EXPECT_EQ(s.getB1(), 2);
}

TEST(Custom, TwoPoleCoefficients) {
  Dsp::Custom::TwoPole s;
  s.setup(1, 0.5, kPi / 2, 0.5, kPi / 2);
  EXPECT_NEAR(s.getA1(), 0, 1e-15);
  EXPECT_NEAR(s.getB1(), 0, 1e-15);
  EXPECT_NEAR(s.getA2(), 0.25, 1e-15);
  EXPECT_NEAR(s.getB2(), 0.25, 1e-15);
  EXPECT_EQ(s.getB0(), 1);

  // Angle 0 takes the real-pair rule and gives the same coefficients.
  s.setup(1, 0.5, 0, 0.8, 0);
  EXPECT_DOUBLE_EQ(s.getA1(), -1.0);
  EXPECT_DOUBLE_EQ(s.getA2(), 0.25);
  EXPECT_DOUBLE_EQ(s.getB1(), -1.6);
  EXPECT_DOUBLE_EQ(s.getB2(), 0.64);
}

TEST(Custom, ZeroScaleSilencesButKeepsThePoles) {
  Dsp::Custom::TwoPole s;
  s.setup(0, 0.9, 1, 0.5, 2);
  EXPECT_EQ(s.getB0(), 0);
  EXPECT_EQ(s.getB1(), 0);
  EXPECT_EQ(s.getB2(), 0);
  EXPECT_NEAR(s.getA2(), 0.81, 1e-15);
}

}  // namespace
