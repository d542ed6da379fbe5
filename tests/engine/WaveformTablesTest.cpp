#include "engine/WaveformProvider.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "engine/UserWaveforms.h"

namespace {

using Quillvane::WaveformProvider;
constexpr double kPi = 3.141592653589793;
constexpr int kSize = 4096;

double sel(int index) { return index / 35.0; }

std::vector<double> tableOf(WaveformProvider& provider, int index) {
  const double* t = provider.getWaveform(sel(index));
  return std::vector<double>(t, t + kSize);
}

double tri(double y) {
  const double u = std::fmod(y, 1.0);
  return u < 0.25 ? 4 * u : (u < 0.75 ? 2 - 4 * u : 4 * (u - 1));
}

void normalise(std::vector<double>& t, double level) {
  double m = 0.0;
  for (double v : t) m = std::max(m, std::fabs(v));
  if (m != 0.0) {
    for (double& v : t) v = v / m * level;
  }
}

double peak(const double* t) {
  double m = 0.0;
  for (int i = 0; i < kSize; ++i) m = std::max(m, std::fabs(t[i]));
  return m;
}

// The thirteen generated tables recomputed from their formulas with the C
// library's own generator, in waveform-index order 7..17, 19, 20.
std::vector<std::vector<double>> recompute() {
  std::vector<std::vector<double>> t(13, std::vector<double>(kSize));
  std::srand(1500);
  auto draw = [] { return ((std::rand() % 2000) - 1000) / 1000.0; };
  double h1 = 0, h2 = 0, h3 = 0;
  for (int i = 0; i < kSize; ++i) {
    const double x = i / 4096.0, s1 = std::sin(2 * kPi * x), sh = std::sin(kPi * x);
    const double sq = i < 2048 ? 1.0 : -1.0;
    t[0][i] = draw();
    if (i % 128 == 0) h1 = draw();
    if (i % 64 == 0) h2 = draw();
    if (i % 32 == 0) h3 = draw() * s1;
    t[1][i] = h1;
    t[2][i] = h2;
    t[3][i] = h3;
    const double v = s1 > 0.5 ? s1 - tri(x) : (s1 < -0.5 ? s1 + std::fabs(tri(x)) : s1);
    t[4][i] = -(v * sh);
    t[5][i] = std::clamp(std::tan(kPi * x), -4.0, 4.0);
    t[6][i] = std::clamp(std::tan(2 * kPi * x), -4.0, 4.0);
    t[7][i] = (x >= 0.25 && x < 0.75) ? tri(2 * (x - 0.25)) : 0.5 * tri(2 * x);
    t[8][i] = x < 0.5 ? (std::fmod(2 * x, 1.0) < 0.5 ? 1.0 : -1.0) : 0.5 * tri(2 * (x - 0.5));
    t[9][i] = std::clamp(sq * 0.7 - sq * 0.4 * std::sin(16 * kPi * x) * sh * sh, -1.0, 1.0);
    t[10][i] = (x >= 0.1 && x < 0.3) ? 1.0 : ((x >= 0.6 && x < 0.7) ? -1.0 : 0.0);
    t[11][i] = std::cos(0.5 * kPi * x) * tri(60 * std::pow(1 - x, 15));
    t[12][i] = std::pow(sh, 4) * std::sin(4 * kPi * x) + 0.25 * (1 - sh) * std::sin(12 * kPi * x);
  }
  for (auto& table : t) normalise(table, 0.98777);
  return t;
}

const int kGeneratedIndexes[13] = {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20};

TEST(WaveformTables, GeneratedTablesMatchAnIndependentRecomputation) {
  WaveformProvider provider;
  provider.makeWaveforms();
  const auto expected = recompute();
  for (int k = 0; k < 13; ++k) {
    const auto actual = tableOf(provider, kGeneratedIndexes[k]);
    for (int i = 0; i < kSize; ++i) {
      ASSERT_NEAR(actual[i], expected[k][i], 1e-12) << WaveformProvider::getWaveformText(sel(kGeneratedIndexes[k]))
                                                    << " entry " << i;
    }
  }
}

TEST(WaveformTables, SineTableKeepsFullScale) {
  WaveformProvider provider;
  provider.makeWaveforms();
  const double* sine = provider.getWaveform(0.0);
  EXPECT_EQ(sine[1024], 1.0);
  EXPECT_EQ(sine[3072], -1.0);
  EXPECT_EQ(sine[0], 0.0);
  EXPECT_EQ(peak(sine), 1.0);
}

TEST(WaveformTables, ShapesThatShowTheLayout) {
  WaveformProvider provider;
  provider.makeWaveforms();
  const auto brick = tableOf(provider, 17);
  for (int i = 0; i < kSize; ++i) {
    const double expected = (i >= 410 && i <= 1228) ? 0.98777 : ((i >= 2458 && i <= 2867) ? -0.98777 : 0.0);
    ASSERT_EQ(brick[i], expected) << i;
  }
  const auto kic = tableOf(provider, 15);
  EXPECT_EQ(kic[0], 0.98777);
  EXPECT_EQ(kic[1024], -0.98777);
  EXPECT_EQ(kic[2048], 0.0);
  const auto synapsis = tableOf(provider, 16);
  EXPECT_DOUBLE_EQ(synapsis[0], 0.7 * 0.98777);
  EXPECT_DOUBLE_EQ(synapsis[2048], -0.7 * 0.98777);
  EXPECT_EQ(tableOf(provider, 12)[2048], 0.98777);
  EXPECT_EQ(tableOf(provider, 13)[1024], 0.98777);
  EXPECT_EQ(tableOf(provider, 13)[3072], 0.98777);

  const auto lq1 = tableOf(provider, 8);
  for (int i = 0; i < kSize; ++i) ASSERT_EQ(lq1[i], lq1[i - i % 128]) << i;
  const auto lq3 = tableOf(provider, 10);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(lq3[i], 0.0);
  for (int index : kGeneratedIndexes) EXPECT_NEAR(peak(provider.getWaveform(sel(index))), 0.98777, 1e-15) << index;
}

TEST(WaveformTables, EveryProviderBuildsTheSameNoise) {
  WaveformProvider a;
  a.makeWaveforms();
  for (int i = 0; i < 1000; ++i) a.getWaveformSample(sel(6), 0.0);
  WaveformProvider b;
  b.makeWaveforms();
  for (int index : {7, 8, 9, 10}) EXPECT_EQ(tableOf(a, index), tableOf(b, index)) << index;
}

TEST(WaveformTables, UserTablePeaksAfterStartUp) {
  WaveformProvider provider;
  provider.makeWaveforms();
  for (int k = 0; k < 13; ++k) EXPECT_NEAR(peak(Quillvane::gQvUserWaveforms[k]), 0.998777, 1e-12) << k + 1;
  EXPECT_NEAR(peak(Quillvane::gQvWaveform14), 0.997, 1e-12);
  EXPECT_NEAR(peak(Quillvane::gQvWaveform15), 0.997, 1e-12);
}

TEST(WaveformTables, PeakNormalisation) {
  std::vector<double> table = {0.5, -2.0, std::nan(""), 1.0};
  WaveformProvider::normalizePeak(table.data(), 4, 0.999);
  EXPECT_EQ(table[0], 0.5 / 2.0 * 0.999);
  EXPECT_EQ(table[1], -0.999);
  EXPECT_TRUE(std::isnan(table[2]));
  std::vector<double> silent(4, 0.0);
  WaveformProvider::normalizePeak(silent.data(), 4, 0.999);
  EXPECT_EQ(silent, std::vector<double>(4, 0.0));
}

}  // namespace
