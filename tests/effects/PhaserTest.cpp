#include "effects/Phaser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/effects/StereoBuffer.h"

namespace {

using Quillvane::ConstantsD;
using Quillvane::Phaser;
using effectstest::StereoBuffer;

TEST(Phaser, SweepsBetween440And1600HzAtTwoHertz) {
  Phaser phaser;
  EXPECT_DOUBLE_EQ(phaser.getSweepMinimum(), 440.0 / 22050.0);
  EXPECT_DOUBLE_EQ(phaser.getSweepMaximum(), 1600.0 / 22050.0);
  EXPECT_DOUBLE_EQ(phaser.getPhaseIncrement(), 0.2 / 44100.0 * ConstantsD::k2_Pi * 10.0);
  phaser.setRate(0.5);
  EXPECT_DOUBLE_EQ(phaser.getPhaseIncrement(), 0.5 / 44100.0 * ConstantsD::k2_Pi * 10.0);
  phaser.setRange(100.0, 2000.0);
  EXPECT_DOUBLE_EQ(phaser.getSweepMaximum(), 2000.0 / 22050.0);
}

TEST(Phaser, RateChangeKeepsSweepAndLfoInHertz) {
  Phaser phaser;
  phaser.setRate(0.5);
  phaser.setSampleRate(48000.0);
  EXPECT_DOUBLE_EQ(phaser.getSweepMinimum(), 440.0 / 24000.0);
  EXPECT_DOUBLE_EQ(phaser.getSweepMaximum(), 1600.0 / 24000.0);
  EXPECT_DOUBLE_EQ(phaser.getPhaseIncrement(), 0.5 / 48000.0 * ConstantsD::k2_Pi * 10.0);
}

TEST(Phaser, ZeroDepthFreezesEverything) {
  Phaser idle, fresh;
  for (Phaser* p : {&idle, &fresh}) p->setFeedback(0.7);
  StereoBuffer block = StereoBuffer::tones(256);
  const StereoBuffer dry = block;
  idle.process(block.channels(), 256);
  EXPECT_EQ(block, dry);

  // Nothing advanced: from here on it matches a phaser that never ran.
  idle.setDepth(1.0);
  fresh.setDepth(1.0);
  StereoBuffer a = StereoBuffer::tones(300), b = StereoBuffer::tones(300);
  idle.process(a.channels(), 300);
  fresh.process(b.channels(), 300);
  EXPECT_EQ(a, b);
  EXPECT_FALSE(a == StereoBuffer::tones(300));
}

TEST(Phaser, SilenceStaysSilent) {
  Phaser phaser;
  phaser.setDepth(1.0);
  phaser.setFeedback(0.0);
  StereoBuffer block(512);
  phaser.process(block.channels(), 512);
  EXPECT_EQ(block, StereoBuffer(512));
}

TEST(Phaser, ConstantInputSettlesAtTheLoopGain) {
  // Each all-pass passes a constant with gain 1, so with depth s and loop
  // gain f the output settles at input * (1 + s / (1 - f)). The sweep is
  // held still (a moving coefficient lags the constant a little, which a
  // loop gain near 1 magnifies); the chain's low-frequency delay of about a
  // hundred samples makes a loop gain of 0.999 settle over a million.
  struct Case {
    double feedback, loopGain;
    int blocks;
  } cases[] = {{0.5, 0.4995, 2}, {1.0, 0.999, 500}, {0.0, 0.0, 2}};
  for (const Case& c : cases) {
    Phaser phaser;
    phaser.setRate(0.0);
    phaser.setDepth(1.0);
    phaser.setFeedback(c.feedback);
    StereoBuffer block(4096);
    for (int b = 0; b < c.blocks; ++b) {
      std::fill(block.left().begin(), block.left().end(), 0.001);
      phaser.process(block.channels(), block.size());
    }
    const double expected = 1.0 + 1.0 / (1.0 - c.loopGain);
    EXPECT_NEAR(block.left().back() / 0.001, expected, 1e-4 * expected) << c.feedback;
  }
}

TEST(Phaser, ZeroRateFreezesTheSweep) {
  Phaser phaser;
  phaser.setRate(0.0);
  phaser.setDepth(1.0);
  phaser.setFeedback(0.0);
  StereoBuffer settle(4000);
  phaser.process(settle.channels(), 4000);
  // With the coefficient frozen the chain is a fixed filter, so two
  // identical bursts far apart give identical tails.
  StereoBuffer burst(2000);
  burst.left()[0] = 1.0;
  phaser.process(burst.channels(), 2000);
  StereoBuffer again(2000);
  again.left()[0] = 1.0;
  phaser.process(again.channels(), 2000);
  for (int i = 10; i < 2000; i += 97) EXPECT_NEAR(again.left()[i], burst.left()[i], 1e-12) << i;
}

TEST(Phaser, DecayingTailNeverTurnsDenormal) {
  Phaser phaser;
  phaser.setDepth(1.0);
  phaser.setFeedback(0.9);
  StereoBuffer burst = StereoBuffer::tones(64);
  phaser.process(burst.channels(), 64);
  StereoBuffer tail(200000);
  phaser.process(tail.channels(), tail.size());
  for (int i = 0; i < tail.size(); ++i) {
    ASSERT_NE(std::fpclassify(tail.left()[i]), FP_SUBNORMAL) << i;
    ASSERT_NE(std::fpclassify(tail.right()[i]), FP_SUBNORMAL) << i;
  }
  EXPECT_EQ(tail.left().back(), 0.0);
}

TEST(Phaser, FloatChannelsMatchTheDoublePath) {
  Phaser a, b;
  a.setDepth(0.8);
  b.setDepth(0.8);
  StereoBuffer d = StereoBuffer::tones(200);
  std::vector<float> l(d.left().begin(), d.left().end()), r(d.right().begin(), d.right().end());
  for (int i = 0; i < 200; ++i) {
    d.left()[i] = l[i];
    d.right()[i] = r[i];
  }
  float* fc[2] = {l.data(), r.data()};
  a.process(d.channels(), 200);
  b.process(fc, 200);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(l[i], static_cast<float>(d.left()[i])) << i;
}

}  // namespace
