#include "engine/WaveformProvider.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/UserWaveformSnapshot.h"

namespace {

using Quillvane::WaveformProvider;
constexpr double kPi = 3.141592653589793;

double sel(int index) { return index / 35.0; }

TEST(WaveformSample, ComputedShapes) {
  WaveformProvider provider;
  const struct {
    int index;
    double phase;
    double value;
  } cases[] = {
      {1, 0.25, 0.5},   {1, 0.5, -1.0},   {1, 0.75, -0.5},  {1, 1.25, 0.5},   {1, -0.25, -0.5},
      {2, 0.49, 1.0},   {2, 0.5, -1.0},   {3, 0.24, 1.0},   {3, 0.25, -1.0},  {4, 0.124, 1.0},
      {4, 0.125, -1.0}, {5, 0.25, 1.0},   {5, 0.75, -1.0},  {5, 0.125, 0.5},  {5, 0.5, 0.0},
      {5, 0.875, -0.5}, {5, 3.25, 1.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(provider.getWaveformSample(sel(c.index), c.phase), c.value)
        << "waveform " << c.index << " phase " << c.phase;
  }
  for (double x : {0.0, 0.1, 0.37, 1.6, -2.3}) {
    EXPECT_DOUBLE_EQ(provider.getWaveformSample(0.0, x), std::sin(2.0 * kPi * x));
    const double s = std::sin(kPi * x);
    EXPECT_DOUBLE_EQ(provider.getWaveformSample(sel(18), x), s * s * std::sin(-4.0 * kPi * x));
  }
}

TEST(WaveformSample, TableReadsWrapNegativePhasesThroughTheMask) {
  UserWaveformSnapshot keep;
  std::vector<double> table(4096);
  for (int i = 0; i < 4096; ++i) table[i] = i;
  Quillvane::UserWaveformTables::replace(0, table.data());
  WaveformProvider provider;
  const struct {
    double phase;
    int entry;
  } cases[] = {{0.3, 1228}, {1.3, 1228}, {-0.25, 3072}, {-0.7, 1229}, {0.99999, 4095}, {0.0, 0}, {-1.0, 0}, {17.5, 2048}};
  for (const auto& c : cases) EXPECT_EQ(provider.getWaveformSample(sel(21), c.phase), c.entry) << c.phase;
  EXPECT_EQ(provider.getWaveformSample(sel(21), std::nan("")), 0.0);
  EXPECT_EQ(provider.getWaveformSample(sel(21), HUGE_VAL), 0.0);
  EXPECT_TRUE(std::equal(table.begin(), table.end(), provider.getWaveform(sel(21))));
}

TEST(WaveformSample, TablesBehindEachSelection) {
  WaveformProvider provider;
  provider.makeWaveforms();
  const double* sine = provider.getWaveform(0.0);
  for (int computed : {1, 2, 3, 4, 5, 6, 18}) EXPECT_EQ(provider.getWaveform(sel(computed)), sine) << computed;
  const Quillvane::UserWaveformTables::Holder shared;
  for (int user = 21; user <= 35; ++user) EXPECT_EQ(provider.getWaveform(sel(user)), shared.table(user - 21));
  for (int generated : {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20}) {
    const double* table = provider.getWaveform(sel(generated));
    EXPECT_NE(table, sine);
    EXPECT_EQ(provider.getWaveformSample(sel(generated), 0.3), table[1228]) << generated;
  }
}

uint64_t bits(double x) {
  uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

// The cycle position stands in for fmod(x, 1.0) on every phase: the same
// bits, the sign of a zero result included.
TEST(WaveformSample, CyclePositionIsFmodByOne) {
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> phases = {0.0,     -0.0,   0.3,       -0.3,     1.0,      -1.0,    -3.0,
                                2.75,    -2.75,  1e-300,    -5e-324,  0.99999999999999989,
                                4503599627370495.5, -4503599627370495.5, 4503599627370496.0,
                                -9007199254740993.0, 1e300, -1e300, 123456.789, -98765.4321};
  for (int i = 1; i < 4000; ++i) phases.push_back(std::pow(1.37, i % 140) * (i % 2 ? 0.71 : -0.43) + i * 0.013);
  for (double x : phases) {
    EXPECT_EQ(bits(WaveformProvider::cyclePosition(x)), bits(std::fmod(x, 1.0))) << x;
  }
  for (double x : {inf, -inf, std::nan("")}) EXPECT_TRUE(std::isnan(WaveformProvider::cyclePosition(x))) << x;
}

// The block read gives what the single reads give, noise draws included.
TEST(WaveformSample, BlockReadsMatchSingleReads) {
  WaveformProvider block, single;
  block.makeWaveforms();
  single.makeWaveforms();
  std::vector<double> phases;
  for (int i = 0; i < 300; ++i) phases.push_back(i * 0.0371 - 3.0 + (i % 7) * 1000.25);
  std::vector<double> out(phases.size());
  for (int index = 0; index < WaveformProvider::kNumWaveforms; ++index) {
    block.getWaveformSamples(sel(index), phases.data(), out.data(), static_cast<int>(phases.size()));
    for (std::size_t i = 0; i < phases.size(); ++i) {
      EXPECT_EQ(bits(out[i]), bits(single.getWaveformSample(sel(index), phases[i])))
          << "waveform " << index << " phase " << phases[i];
    }
  }
}

// White noise continues the generator after the noise tables' 4320 draws.
TEST(WaveformSample, WhiteNoiseFollowsTheSeededSequence) {
  WaveformProvider provider;
  provider.makeWaveforms();
  std::srand(1500);
  for (int i = 0; i < 4096 + 128 + 64 + 32; ++i) std::rand();
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(provider.getWaveformSample(sel(6), 0.123), 2.0 * std::rand() / 2147483647.0 - 1.0) << i;
  }
}

TEST(WaveformSample, DisplayCurveIsOneCycleOptionallyFolded) {
  WaveformProvider provider;
  provider.makeWaveforms();
  constexpr int n = 78;
  double plain[n], folded[n];
  provider.updateGUIData(sel(5), false, plain, n);
  provider.updateGUIData(sel(5), true, folded, n);
  for (int i = 0; i < n; ++i) {
    EXPECT_DOUBLE_EQ(plain[i], provider.getWaveformSample(sel(5), static_cast<double>(i) / n));
    const double v = plain[i];
    EXPECT_DOUBLE_EQ(folded[i], v == 0.0 ? 0.0 : (v > 0.0 ? 1.0 - v : -1.0 - v));
  }
  double quarter[4];
  provider.updateGUIData(sel(1), true, quarter, 4);  // saw at 0, 0.25, 0.5, 0.75
  EXPECT_EQ(quarter[0], 0.0);
  EXPECT_EQ(quarter[1], 0.5);
  EXPECT_EQ(quarter[2], 0.0);
  EXPECT_EQ(quarter[3], -0.5);
  double sawFold[8];
  provider.updateGUIData(sel(1), true, sawFold, 8);
  EXPECT_EQ(sawFold[1], 0.75);
  EXPECT_EQ(sawFold[7], -0.75);
  double untouched = 3.0;
  provider.updateGUIData(sel(1), false, &untouched, 0);
  EXPECT_EQ(untouched, 3.0);
}

// Drawing noise for the editor does not disturb what the voices draw.
TEST(WaveformSample, DisplayNoiseLeavesTheVoicesSequenceAlone) {
  WaveformProvider a, b;
  a.makeWaveforms();
  b.makeWaveforms();
  double curve[78];
  a.updateGUIData(sel(6), false, curve, 78);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.getWaveformSample(sel(6), 0.0), b.getWaveformSample(sel(6), 0.0));
}

}  // namespace
