#include "effects/RingModulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/effects/StereoBuffer.h"

namespace {

using Quillvane::ConstantsD;
using Quillvane::RingModulator;
using effectstest::StereoBuffer;

TEST(RingModulator, StartsAtATenthOfTheMaximumWithNoAmount) {
  RingModulator ring;
  EXPECT_EQ(ring.getMaxFrequency(), 4000.0);
  EXPECT_EQ(RingModulator::kMaxRingRate, 4000.0);
  EXPECT_EQ(ring.getFrequency(), 0.1);
  EXPECT_EQ(ring.getAmount(), 0.0);
  EXPECT_STREQ(ring.getWaveformText(), "Sine");
  ring.setSampleRate(48000.0);
  EXPECT_DOUBLE_EQ(ring.getPhaseIncrement(), 0.1 / 48000.0 * 4000.0 * ConstantsD::k2_Pi);
  ring.setMaxFrequency(1000.0);
  EXPECT_DOUBLE_EQ(ring.getPhaseIncrement(), 0.1 / 48000.0 * 4000.0 * ConstantsD::k2_Pi);
  ring.setFrequency(0.5);
  EXPECT_DOUBLE_EQ(ring.getPhaseIncrement(), 0.5 / 48000.0 * 1000.0 * ConstantsD::k2_Pi);
}

TEST(RingModulator, WaveformSelectorRoundsHalfUpAndClamps) {
  struct Case {
    double x;
    const char* text;
    double selector;
  } cases[] = {{0.0, "Sine", 0.0},     {0.124, "Sine", 0.0},  {0.125, "Pulse", 0.25}, {0.5, "Saw", 0.5},
               {0.75, "Sine2", 0.75},  {1.0, "Sine3", 1.0},   {1.7, "Sine3", 1.0},    {-1.0, "Sine", 0.0},
               {std::numeric_limits<double>::quiet_NaN(), "Sine", 0.0}};
  RingModulator ring;
  for (const Case& c : cases) {
    ring.setWaveform(c.x);
    EXPECT_STREQ(ring.getWaveformText(), c.text) << c.x;
    EXPECT_EQ(ring.getWaveform(), c.selector) << c.x;
  }
}

TEST(RingModulator, SilentSettingsLeaveBlockAndPhaseAlone) {
  for (bool zeroAmount : {true, false}) {
    RingModulator ring;
    ring.setAmount(zeroAmount ? 0.0 : 1.0);
    ring.setFrequency(zeroAmount ? 0.3 : 0.0);
    StereoBuffer block = StereoBuffer::tones(128);
    const StereoBuffer dry = block;
    ring.modulate(block.channels(), 128);
    EXPECT_EQ(block, dry);
    EXPECT_EQ(ring.getPhase(), 0.0);
  }
}

TEST(RingModulator, AmountGlidesInFromZero) {
  RingModulator ring;
  ring.setWaveform(0.5);  // saw: the carrier is almost 0 while the phase is tiny
  ring.setFrequency(1e-12);
  ring.setAmount(1.0);
  StereoBuffer block(100);
  for (double& v : block.left()) v = 1.0;
  ring.modulate(block.channels(), 100);
  // Output (1 - g) with g the smoothed amount: 1 - 0.9877^k after k samples.
  for (int k : {1, 2, 81, 100}) {
    EXPECT_NEAR(1.0 - block.left()[k - 1], 1.0 - std::pow(0.9877, k), 1e-9) << k;
  }
  EXPECT_NEAR(1.0 - block.left()[80], 0.63, 0.005);
}

TEST(RingModulator, CarrierShapesAtPhaseZeroAndPi) {
  // Half a cycle per sample lands the phase exactly on 0, pi, 0, pi...
  struct Case {
    double waveform, atZero, atPi;
  } cases[] = {{0.25, 1.0, -1.0}, {0.5, 0.0, -1.0}, {0.0, 0.0, std::sin(ConstantsD::kPi)},
               {0.75, 0.0, (std::sin(ConstantsD::kPi) + std::sin(-2 * ConstantsD::kPi)) * 0.5}};
  for (const Case& c : cases) {
    RingModulator ring;
    ring.setMaxFrequency(1.0);
    ring.setSampleRate(2.0);
    ring.setFrequency(1.0);
    ASSERT_EQ(ring.getPhaseIncrement(), ConstantsD::kPi);
    ring.setWaveform(c.waveform);
    ring.setAmount(1.0);
    StereoBuffer block(4);
    for (double& v : block.right()) v = 1.0;
    ring.modulate(block.channels(), 4);
    // With g the smoothed amount the output is 1 - g + g * carrier; the
    // smoother's pole, 0.9877 a sample at 44.1 kHz, keeps its time at 2 Hz.
    const double pole = std::pow(0.9877, 44100.0 / 2.0);
    const double g1 = 1.0 - pole, g2 = 1.0 - pole * pole;
    EXPECT_NEAR(block.right()[0], 1 - g1 + g1 * c.atZero, 1e-12) << c.waveform;
    EXPECT_NEAR(block.right()[1], 1 - g2 + g2 * c.atPi, 1e-12) << c.waveform;
    EXPECT_EQ(block.left()[0], 0.0);
  }
}

TEST(RingModulator, SingleSampleFormUsesTheRawAmount) {
  RingModulator ring;
  EXPECT_EQ(ring.modulate(0.5), 0.5);
  ring.setAmount(0.5);
  EXPECT_EQ(ring.modulate(0.5), 0.25);  // sin(0) carrier: (1 - 0.5) * 0.5
  ring.setBypass(true);
  EXPECT_EQ(ring.modulate(0.5), 0.5);
}

}  // namespace
