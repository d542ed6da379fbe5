#include "dsp/PoleFilter.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

using Dsp::complex_t;
using Dsp::LayoutBase;
using Dsp::PoleZeroPair;

const double kPi = 3.141592653589793;

// An analog layout of one pole pair and, for odd orders, a real pole, all
// with zeros at infinity, and a digital layout with room for the band maps.
struct Layouts {
  explicit Layouts(int numPoles, double normalW = 0) {
    if (numPoles >= 2) analog.addConjugatePair(complex_t(-0.5, 0.8), Dsp::infinity());
    if (numPoles & 1) analog.addSingle(-1, Dsp::infinity());
    analog.setNormal(normalW, 0.5);
  }

  PoleZeroPair analogPairs[2];
  PoleZeroPair digitalPairs[3];
  LayoutBase analog{3, analogPairs};
  LayoutBase digital{6, digitalPairs};
};

TEST(Transform, ZerosAtInfinityLandWhereEachMapPutsThem) {
  Layouts lp(3);
  Dsp::LowPassTransform(0.1, lp.digital, lp.analog);
  EXPECT_EQ(lp.digital.getNumPoles(), 3);
  EXPECT_EQ(lp.digital[0].zeros.first, complex_t(-1, 0));
  EXPECT_TRUE(lp.digital[1].isSinglePole());
  EXPECT_EQ(lp.digital[1].zeros.first, complex_t(-1, 0));
  EXPECT_EQ(lp.digital.getNormalW(), 0);
  EXPECT_EQ(lp.digital.getNormalGain(), 0.5);

  Layouts hp(3);
  Dsp::HighPassTransform(0.1, hp.digital, hp.analog);
  EXPECT_EQ(hp.digital[0].zeros.first, complex_t(1, 0));
  EXPECT_TRUE(hp.digital[1].isSinglePole());
  EXPECT_EQ(hp.digital.getNormalW(), kPi);

  // Odd orders give a full section under the band maps: 2N poles, N stages.
  Layouts bp(3);
  Dsp::BandPassTransform(0.1, 0.05, bp.digital, bp.analog);
  EXPECT_EQ(bp.digital.getNumPoles(), 6);
  int atMinusOne = 0;
  int atPlusOne = 0;
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(bp.digital[i].isSinglePole());
    for (const complex_t& z : {bp.digital[i].zeros.first, bp.digital[i].zeros.second}) {
      atMinusOne += z == complex_t(-1, 0);
      atPlusOne += z == complex_t(1, 0);
    }
  }
  EXPECT_EQ(atMinusOne, 3);
  EXPECT_EQ(atPlusOne, 3);

  Layouts bs(3);
  Dsp::BandStopTransform(0.1, 0.05, bs.digital, bs.analog);
  EXPECT_EQ(bs.digital.getNumPoles(), 6);
  // The notch: a conjugate pair on the unit circle at the centre angle.
  const double wc2 = 2 * kPi * 0.1 - kPi * 0.05;
  const double wc = wc2 + 2 * kPi * 0.05;
  const double a = std::cos((wc + wc2) / 2) / std::cos((wc - wc2) / 2);
  for (int i = 0; i < 3; ++i) {
    const complex_t z = bs.digital[i].zeros.first;
    EXPECT_NEAR(std::abs(z), 1, 1e-12);
    EXPECT_NEAR(z.real(), a, 1e-12);
    EXPECT_NEAR(std::abs(bs.digital[i].zeros.second - std::conj(z)), 0, 1e-12);
  }
}

TEST(Transform, HighPassMirrorsTheNormal) {
  Layouts shelf(2, kPi);
  Dsp::HighPassTransform(0.2, shelf.digital, shelf.analog);
  EXPECT_EQ(shelf.digital.getNormalW(), 0);
}

TEST(Transform, BandStopNormalisesAwayFromItsCentre) {
  const struct {
    double fc;
    double normal;
  } rows[] = {{0.2499, kPi}, {0.25, 0}, {0.3, 0}, {0.01, kPi}};
  for (const auto& row : rows) {
    Layouts l(2);
    Dsp::BandStopTransform(row.fc, 0.01, l.digital, l.analog);
    EXPECT_EQ(l.digital.getNormalW(), row.normal) << row.fc;
  }
}

TEST(Transform, BandEdgesAreClampedInsideTheBand) {
  // A band reaching below zero frequency is computed from 1e-8 radians;
  // one reaching past Nyquist from pi - 1e-8. Either way the poles stay
  // finite and inside the unit circle.
  const struct {
    double fc;
    double fw;
  } rows[] = {{0.01, 0.1}, {0.49, 0.1}, {0.25, 0.6}};
  for (const auto& row : rows) {
    Layouts bp(2);
    Dsp::BandPassTransform(row.fc, row.fw, bp.digital, bp.analog);
    for (int i = 0; i < 2; ++i) {
      for (const complex_t& p : {bp.digital[i].poles.first, bp.digital[i].poles.second}) {
        EXPECT_LT(std::abs(p), 1) << row.fc << " " << row.fw;
      }
    }
    EXPECT_TRUE(std::isfinite(bp.digital.getNormalW()));
  }

  // The clamp gives the same layout as a band that starts exactly there.
  Layouts clamped(2);
  Layouts exact(2);
  const double lower = 1e-8 / (2 * kPi);
  Dsp::BandPassTransform(0.02, 0.06, clamped.digital, clamped.analog);
  Dsp::BandPassTransform((lower + 0.05) / 2, 0.05 - lower, exact.digital, exact.analog);
  EXPECT_NEAR(std::abs(clamped.digital[0].poles.first - exact.digital[0].poles.first), 0, 1e-9);
}

TEST(Transform, EmptyLayoutGivesNoStages) {
  Layouts empty(0);
  Dsp::LowPassTransform(0.1, empty.digital, empty.analog);
  EXPECT_EQ(empty.digital.getNumPoles(), 0);
}

}  // namespace
