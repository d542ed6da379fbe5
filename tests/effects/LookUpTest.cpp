#include "effects/LookUp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Quillvane::LookUp;

constexpr int kModes[] = {Quillvane::kInterpolationNone, Quillvane::kInterpolationLinear,
                          Quillvane::kInterpolationCosine, Quillvane::kInterpolationCubic,
                          Quillvane::kInterpolationHermite};

// Distinct halves, so a read from the wrong one shows.
template <int N>
void fillSquares(LookUp<N>& table) {
  for (int i = 0; i < N; ++i) {
    table.positive()[i] = 1.0 + i * i;
    table.negative()[i] = 0.5 + 2.0 * i;
  }
}

// Linear and hermite reproduce a straight line anywhere; the cosine blend and
// the cubic bend between entries and meet the line at grid points and cell
// centres only.
template <typename Table>
void expectIdentityRamp(Table& table) {
  constexpr int N = Table::kSize;
  for (int mode : kModes) {
    table.setInterpolation(mode);
    const bool bends = mode == Quillvane::kInterpolationCosine || mode == Quillvane::kInterpolationCubic;
    // Hermite's tangents flatten in the first cell and the last two.
    const std::vector<double> anywhere = {1.5 / N, 0.1, 0.3333, 0.5, 0.71, (N - 2.5) / N};
    const std::vector<double> onGrid = {1.0 / N, 10.5 / N, 0.5, (N - 3.5) / N};
    for (double x : bends ? onGrid : anywhere) {
      for (double v : {x, -x}) {
        if (mode == Quillvane::kInterpolationNone) {
          const double expected = std::floor(std::fabs(v) * (N - 1)) / N;
          EXPECT_DOUBLE_EQ(table.getValue(v), v > 0 ? expected : -expected) << N << " " << v;
        } else {
          EXPECT_NEAR(table.getValue(v), v, 1e-12) << "mode " << mode << " N " << N << " x " << v;
        }
      }
    }
  }
}

TEST(LookUp, StartsAsIdentityRampReadByHermite) {
  LookUp<256> t256;
  LookUp<70> t70;
  LookUp<32> t32;
  EXPECT_EQ(t256.getInterpolation(), Quillvane::kInterpolationHermite);
  EXPECT_EQ(t70.positive()[35], 0.5);
  expectIdentityRamp(t256);
  expectIdentityRamp(t70);
  expectIdentityRamp(t32);
}

TEST(LookUp, ZeroAndNaNGiveZeroInEveryMode) {
  LookUp<64> table;
  fillSquares(table);
  for (int mode : kModes) {
    table.setInterpolation(mode);
    EXPECT_EQ(table.getValue(0.0), 0.0);
    EXPECT_EQ(table.getValue(-0.0), 0.0);
    EXPECT_EQ(table.getValue(std::numeric_limits<double>::quiet_NaN()), 0.0);
  }
}

TEST(LookUp, NoInterpolationScalesByNMinusOneAndDropsPastFullScale) {
  LookUp<256> table;
  fillSquares(table);
  table.setInterpolation(Quillvane::kInterpolationNone);
  EXPECT_EQ(table.getValue(1.0), table.positive()[255]);
  EXPECT_EQ(table.getValue(1.0039), table.positive()[255]);
  EXPECT_EQ(table.getValue(1.004), 0.0);
  EXPECT_EQ(table.getValue(-0.5), -table.negative()[127]);
  EXPECT_EQ(table.getValue(0.5), table.positive()[127]);
  EXPECT_EQ(table.getValue(1e300), 0.0);
  EXPECT_EQ(table.getValue(-std::numeric_limits<double>::infinity()), 0.0);
}

TEST(LookUp, ReadingsHoldTheTopEntryPastFullScale) {
  LookUp<256> table;
  fillSquares(table);
  table.setInterpolation(Quillvane::kInterpolationLinear);
  EXPECT_EQ(table.getValue(1.5), table.positive()[255]);
  EXPECT_EQ(table.getValue(-1.5), -table.negative()[255]);
  for (int mode : kModes) {
    if (mode == Quillvane::kInterpolationNone) continue;
    table.setInterpolation(mode);
    for (double huge : {1e12, 1e300, std::numeric_limits<double>::infinity()}) {
      const double v = table.getValue(huge);
      EXPECT_TRUE(std::isfinite(v)) << mode << " " << huge;
      EXPECT_NEAR(v, table.positive()[255], 1e-9) << mode << " " << huge;
    }
  }
}

TEST(LookUp, InterpolationsFollowTheirFormulas) {
  LookUp<64> table;
  fillSquares(table);
  const double* t = table.positive();
  const double f = 0.25;
  const double x = (10 + f) / 64;

  table.setInterpolation(Quillvane::kInterpolationLinear);
  EXPECT_NEAR(table.getValue(x), 0.75 * t[10] + 0.25 * t[11], 1e-9);

  table.setInterpolation(Quillvane::kInterpolationCosine);
  const double c = (1 - std::cos(f * Quillvane::ConstantsD::kPi)) * 0.5;
  EXPECT_NEAR(table.getValue(x), c * t[11] + (1 - c) * t[10], 1e-9);

  table.setInterpolation(Quillvane::kInterpolationCubic);
  const double a0 = t[12] - t[11] - t[9] + t[10];
  const double a1 = t[9] - t[10] - a0;
  const double a2 = t[11] - t[9];
  const double cubic = a0 * f * f * f + a1 * f * f + a2 * f + t[10];
  EXPECT_NEAR(table.getValue(x), cubic, 1e-9);
  EXPECT_NEAR(table.getValue(-x), -[&] {
    const double* n = table.negative();
    const double b0 = n[12] - n[11] - n[9] + n[10];
    return b0 * f * f * f + (n[9] - n[10] - b0) * f * f + (n[11] - n[9]) * f + n[10];
  }(), 1e-9);

  // Modes outside 0..4 read as cubic.
  for (int mode : {5, 99, -1}) {
    table.setInterpolation(mode);
    EXPECT_NEAR(table.getValue(x), cubic, 1e-9) << mode;
  }
}

TEST(LookUp, HermiteUsesCentralTangentsClampedAtTheEnds) {
  LookUp<64> table;
  fillSquares(table);
  table.setInterpolation(Quillvane::kInterpolationHermite);
  const double* t = table.positive();
  auto hermite = [](double f, double y0, double y1, double y2, double y3) {
    const double m0 = 0.5 * (y1 - y0) + 0.5 * (y2 - y1);
    const double m1 = 0.5 * (y2 - y1) + 0.5 * (y3 - y2);
    const double f2 = f * f, f3 = f2 * f;
    return (2 * f3 - 3 * f2 + 1) * y1 + (f3 - 2 * f2 + f) * m0 + (f3 - f2) * m1 + (-2 * f3 + 3 * f2) * y2;
  };
  // Cell 0 takes its own entry as the left neighbour, the last cell its own
  // entry as both right neighbours.
  EXPECT_NEAR(table.getValue(0.5 / 64), hermite(0.5, t[0], t[0], t[1], t[2]), 1e-9);
  EXPECT_NEAR(table.getValue(20.5 / 64), hermite(0.5, t[19], t[20], t[21], t[22]), 1e-9);
  EXPECT_NEAR(table.getValue(63.5 / 64), hermite(0.5, t[62], t[63], t[63], t[63]), 1e-9);
  // On a grid point the curve passes through the entry.
  EXPECT_NEAR(table.getValue(20.0 / 64), t[20], 1e-9);
}

}  // namespace

namespace {

// The cell position is fmod(|x|, 1/N) * N for every size, above full scale too.
template <int N>
void expectLinearMatchesFmodPosition() {
  LookUp<N> table;
  fillSquares(table);
  table.setInterpolation(Quillvane::kInterpolationLinear);
  const double step = 1.0 / N;
  for (int k = 1; k < 3000; ++k) {
    const double x = k * 0.000731;
    const int i = std::min(static_cast<int>(N * x), N - 1);
    const int j = i == N - 1 ? N - 1 : i + 1;
    const double f = std::fmod(x, step) / step;
    const double expected = (1 - f) * table.positive()[i] + f * table.positive()[j];
    ASSERT_EQ(table.getValue(x), expected) << N << " " << x;
  }
}

TEST(LookUp, CellPositionIsTheRemainderOfTheStep) {
  expectLinearMatchesFmodPosition<256>();
  expectLinearMatchesFmodPosition<32>();
  expectLinearMatchesFmodPosition<70>();
  expectLinearMatchesFmodPosition<80>();
}

}  // namespace
