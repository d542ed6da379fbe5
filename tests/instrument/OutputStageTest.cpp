#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "tests/instrument/ThudrokkaProbe.h"

namespace {

using namespace Quillvane::Synth;

constexpr int kBlock = 64;

// The output stage alone, fed with chosen wet, dry and bass-layer blocks.
class OutputStageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plug.prepare(44100.0, kBlock);
    plug.set(Volume, 1.0);
  }

  // Runs the stage long enough for every smoother to reach its setting.
  void settle() {
    for (int b = 0; b < 500; ++b) stage(0.0, 0.0, 0.0);
  }

  // One block of constant wet, dry and bass values; returns its last frame.
  std::pair<double, double> stage(double wet, double dry, double bass) {
    std::vector<double> left(kBlock, wet), right(kBlock, wet);
    for (int i = 0; i < kBlock; ++i) {
      plug.mVoiceBuffers[0][i] = plug.mVoiceBuffers[1][i] = dry;
      plug.mBassLayerBuffer[i] = bass;
    }
    double* out[2] = {left.data(), right.data()};
    plug.applyOutputStage(out, kBlock);
    return {left.back(), right.back()};
  }

  ThudrokkaProbe plug;
};

// A fresh instance's output smoothers start at the settings: its first
// block has the output's volume and balance from its first frame.
TEST_F(OutputStageTest, AFreshInstanceStartsAtItsSettings) {
  const struct {
    double pan, left, right;
  } cases[] = {{0.5, 0.4, 0.4}, {0.25, 0.4, 0.2}, {1.0, 0.0, 0.4}};
  for (const auto& c : cases) {
    ThudrokkaProbe fresh;
    fresh.prepare(44100.0, kBlock);
    fresh.set(Volume, 0.8);
    fresh.set(Pan, c.pan);
    fresh.set(DryWet, 1.0);
    fresh.set(BassLayerAmount, 0.0);
    std::vector<double> left(kBlock, 0.5), right(kBlock, 0.5);
    double* out[2] = {left.data(), right.data()};
    fresh.applyOutputStage(out, kBlock);
    EXPECT_NEAR(left[0], c.left, 1e-12) << c.pan;
    EXPECT_NEAR(right[0], c.right, 1e-12) << c.pan;
  }
}

TEST_F(OutputStageTest, DryWetThenBassLayer) {
  const struct {
    double dryWet, bassAmount, solo, expected;
  } cases[] = {
      {1.0, 0.0, 0.0, 0.3},   // processed signal only
      {0.0, 0.0, 0.0, -0.2},  // the voices' dry mix only
      {0.0, 1.0, 0.0, -0.1},  // the bass layer still added
      {0.25, 0.5, 0.0, 0.3 * 0.25 - 0.2 * 0.75 + 0.05},
      {1.0, 0.5, 1.0, 0.05},    // solo: the scaled bass layer alone
      {1.0, 0.5, 0.999, 0.35},  // solo only at exactly 1
  };
  for (const auto& c : cases) {
    plug.set(DryWet, c.dryWet);
    plug.set(BassLayerAmount, c.bassAmount);
    plug.set(BassLayerSolo, c.solo);
    settle();
    const auto out = stage(0.3, -0.2, 0.1);
    EXPECT_NEAR(out.first, c.expected, 1e-12) << c.dryWet << " " << c.bassAmount << " " << c.solo;
    EXPECT_NEAR(out.second, c.expected, 1e-12) << c.dryWet << " " << c.bassAmount << " " << c.solo;
  }
}

TEST_F(OutputStageTest, VolumeAndLinearPan) {
  plug.set(Volume, 0.8);
  const struct {
    double pan, left, right;
  } cases[] = {{0.0, 0.8, 0.0}, {0.25, 0.8, 0.4}, {0.5, 0.8, 0.8}, {0.75, 0.4, 0.8}, {1.0, 0.0, 0.8}};
  for (const auto& c : cases) {
    plug.set(Pan, c.pan);
    settle();
    const auto out = stage(1.0, 1.0, 0.0);
    EXPECT_NEAR(out.first, c.left, 1e-12) << c.pan;
    EXPECT_NEAR(out.second, c.right, 1e-12) << c.pan;
  }
}

TEST_F(OutputStageTest, SaturationOnlyAboveZero) {
  settle();
  const double smoothed = plug.mSaturationSmoother.state;
  EXPECT_NEAR(stage(0.01, 0.01, 0.0).first, 0.01, 1e-15);
  EXPECT_NEAR(stage(2.0, 2.0, 0.0).first, 2.0, 1e-12);
  EXPECT_EQ(plug.mSaturationSmoother.state, smoothed);

  // The smallest setting still drives small signals at more than unity gain.
  plug.set(Saturation, 1e-9);
  settle();
  const double small = stage(0.01, 0.01, 0.0).first;
  EXPECT_NEAR(small, std::atan(0.01) / (M_PI / 4.0), 1e-12);
  EXPECT_GT(small, 0.01);
  EXPECT_NEAR(stage(5.0, 5.0, 0.0).first, 1.0, 1e-12);
  EXPECT_NEAR(stage(-5.0, -5.0, 0.0).first, -1.0, 1e-12);

  plug.set(Saturation, 1.0);
  settle();
  EXPECT_NEAR(stage(0.01, 0.01, 0.0).first, std::atan(0.01) / (M_PI / 4.0) * 4.44 * 7.77, 1e-9);
}

TEST_F(OutputStageTest, BassLayerFilterPathOnlyAtExactlyOne) {
  plug.set(FilterCutoff, 0.05);
  plug.set(DumpExpand, 0.9);
  std::vector<double> bass(kBlock);
  for (int i = 0; i < kBlock; ++i) bass[i] = std::sin(0.3 * i);

  ThudrokkaProbe twin;
  twin.prepare(44100.0, kBlock);
  twin.set(FilterCutoff, 0.05);
  twin.set(DumpExpand, 0.9);

  auto runStage = [this, &bass] {
    std::vector<double> left(kBlock, 0.0), right(kBlock, 0.0);
    std::copy(bass.begin(), bass.end(), plug.mBassLayerBuffer.get());
    double* out[2] = {left.data(), right.data()};
    plug.applyOutputStage(out, kBlock);
    return std::vector<double>(plug.mBassLayerBuffer.get(), plug.mBassLayerBuffer.get() + kBlock);
  };
  plug.set(BassLayerToFilter, 0.999);
  EXPECT_EQ(runStage(), bass);

  plug.set(BassLayerToFilter, 1.0);
  const std::vector<double> filtered = runStage();
  // Dump/expand first, then the filter unit, on the bass layer and its copy.
  std::vector<double> expected[2] = {bass, bass};
  double* pair[2] = {expected[0].data(), expected[1].data()};
  twin.mBassDumpExpand.process(pair, kBlock);
  twin.mBassFilterUnit.process(pair, kBlock);
  EXPECT_EQ(filtered, expected[0]);
  EXPECT_NE(filtered, bass);
}

// Seconds from 10 % to 90 % of the output's move when a setting steps from
// `from` to `to` over a constant wet and dry signal.
double glideSeconds(double rate, int p, double from, double to, double wet, double dry) {
  ThudrokkaProbe plug;
  plug.prepare(rate, kBlock);
  for (int q : {Volume, DryWet}) plug.set(q, 1.0);
  plug.set(p, from);
  std::vector<double> left(kBlock), right(kBlock), moved;
  double* out[2] = {left.data(), right.data()};
  auto block = [&] {
    std::fill(left.begin(), left.end(), wet);
    std::fill(right.begin(), right.end(), wet);
    for (int i = 0; i < kBlock; ++i) plug.mVoiceBuffers[0][i] = plug.mVoiceBuffers[1][i] = dry;
    plug.applyOutputStage(out, kBlock);
  };
  block();
  const double start = left.back();
  plug.set(p, to);
  for (int b = 0; b * kBlock < rate * 0.05; ++b) {
    block();
    moved.insert(moved.end(), left.begin(), left.end());
  }
  const double end = moved.back();
  auto reached = [&](double share) {
    for (std::size_t i = 0; i < moved.size(); ++i) {
      if (std::fabs(moved[i] - start) >= share * std::fabs(end - start)) return static_cast<double>(i);
    }
    return -1.0;
  };
  return (reached(0.9) - reached(0.1)) / rate;
}

// The output stage's glides last as long at every rate as at 44.1 kHz, each
// end to within a sample there.
TEST(OutputStageRates, EveryGlideLastsAsLongAtEveryRate) {
  const struct {
    const char* name;
    int p;
    double from, to, wet, dry;
  } glides[] = {{"dry/wet", DryWet, 1.0, 0.0, 1.0, 0.0}, {"volume", Volume, 1.0, 0.25, 1.0, 1.0}};
  for (const auto& g : glides) {
    const double reference = glideSeconds(44100.0, g.p, g.from, g.to, g.wet, g.dry);
    EXPECT_GT(reference, 0.0) << g.name;
    for (double rate : {96000.0, 192000.0}) {
      EXPECT_NEAR(glideSeconds(rate, g.p, g.from, g.to, g.wet, g.dry), reference, 2.0 / 44100.0)
          << g.name << " at " << rate;
    }
  }
}

TEST(Limiter, BoundsFollowTheLimitSwitch) {
  ThudrokkaProbe plug;
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> input = {5.0, -5.0, 0.5, nan, inf, -inf, 1e-40, -0.98};
  const struct { double limit, bound; } cases[] = {{1.0, 0.99}, {1e-9, 0.99}, {0.0, 3.16227}};
  for (const auto& c : cases) {
    plug.set(LimitOutput, c.limit);
    plug.ResetMaxLevels();
    plug.prepare(44100.0, 16);
    double zeros[16] = {}, zeros2[16] = {};
    double* silent[2] = {zeros, zeros2};
    plug.ProcessDoubleReplacing(nullptr, silent, 16);  // serves the reset request
    std::vector<double> left = input, right(input.rbegin(), input.rend());
    double* out[2] = {left.data(), right.data()};
    plug.limitAndDetectMaxLevels(out, static_cast<int>(input.size()));
    const std::vector<double> expected = {c.bound, -c.bound, 0.5, 0.0, c.bound, -c.bound, 0.0, -0.98};
    EXPECT_EQ(left, expected) << c.limit;
    EXPECT_EQ(plug.GetMaxSampleValue(), c.bound) << c.limit;
  }
}

TEST(Limiter, PeaksHoldUntilAResetThatAlsoDropsTheBlockItWasMadeIn) {
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 128);
  plug.set(Volume, 1.0);
  std::vector<double> left(128), right(128);
  double* out[2] = {left.data(), right.data()};
  IMidiMsg on;
  on.MakeNoteOnMsg(40, 127, 0);
  plug.ProcessMidiMsg(&on);
  double heard = 0.0, previous = 0.0;
  for (int b = 0; b < 40; ++b) {
    plug.ProcessDoubleReplacing(nullptr, out, 128);
    for (int i = 0; i < 128; ++i) heard = std::max({heard, std::fabs(left[i]), std::fabs(right[i])});
    EXPECT_GE(plug.GetMaxSampleValue(), previous);
    previous = plug.GetMaxSampleValue();
  }
  EXPECT_GT(heard, 0.0);
  EXPECT_EQ(plug.GetMaxSampleValue(), heard);

  plug.ResetMaxLevels();
  plug.ProcessDoubleReplacing(nullptr, out, 128);
  EXPECT_GT(std::fabs(left[127]) + std::fabs(right[127]), 0.0);
  EXPECT_EQ(plug.GetMaxSampleValue(), 0.0);
  plug.ProcessDoubleReplacing(nullptr, out, 128);
  EXPECT_GT(plug.GetMaxSampleValue(), 0.0);
}

}  // namespace
