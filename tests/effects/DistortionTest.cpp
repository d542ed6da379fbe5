#include "effects/Distortion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "tests/effects/StereoBuffer.h"

namespace {

using namespace Quillvane;
using effectstest::StereoBuffer;

class DistortionTest : public ::testing::Test {
 protected:
  void SetUp() override { d = std::make_unique<Distortion>(); }
  void selectType(eDistortionType t) { d->setType(Distortion::getDistortionSel(t)); }
  std::unique_ptr<Distortion> d;
};

TEST_F(DistortionTest, AmountZeroLeavesSignalAndGlideAlone) {
  selectType(kDistortionLinear);
  for (double x : {-3.0, -0.5, 0.0, 0.7, 12.0}) EXPECT_EQ(d->distort(x, 0.0), x);

  StereoBuffer block = StereoBuffer::tones(64, 0, 2.0);
  const StereoBuffer dry = block;
  d->distort(block.channels(), 64);
  EXPECT_EQ(block, dry);

  // The glide starts from zero once the amount is set: the first sample sees
  // one smoother step.
  d->setAmount(1.0);
  StereoBuffer one(1);
  one.left()[0] = 0.01;
  d->distort(one.channels(), 1);
  const double s = 1.0 - 0.9877;
  const double shaped = std::min(1.0, (1.0 + 20.0 * s) * 0.01);
  EXPECT_NEAR(one.left()[0], s / 0.44 * shaped + (1 - s / 0.44) * 0.01, 1e-12);
}

TEST_F(DistortionTest, DriveClipAndDryBlend) {
  selectType(kDistortionLinear);
  struct Case {
    double x, amount, expected;
  } cases[] = {
      {0.5, 0.22, 0.5 * 1.0 + 0.5 * 0.5},       // gain 5.4 clips; half dry
      {0.01, 0.22, 0.5 * 0.054 + 0.5 * 0.01},   // gain 5.4, no clip
      {0.5, 0.44, 1.0},                         // fully shaped from 0.44 on
      {-0.5, 0.9, -1.0},
      {0.02, 0.5, 0.22},
  };
  for (const Case& c : cases) EXPECT_NEAR(d->distort(c.x, c.amount), c.expected, 1e-12) << c.x << " " << c.amount;
}

TEST_F(DistortionTest, ComputedCurves) {
  selectType(kDistortionHardOverload);
  // Amounts of 1 and above use 0.99; 0.995 stays.
  EXPECT_NEAR(d->distort(0.5, 1.0), 1981.0 * 0.5 / (1.0 + 1980.0 * 0.5), 1e-12);
  EXPECT_NEAR(d->distort(0.5, 7.0), 1981.0 * 0.5 / (1.0 + 1980.0 * 0.5), 1e-12);
  EXPECT_NEAR(d->distort(0.5, 0.995), 3981.0 * 0.5 / (1.0 + 3980.0 * 0.5), 1e-9);
  EXPECT_NEAR(d->getDistortion(0.5), 100.0 * 0.5 / (99.0 * 0.5 + 1), 1e-12);

  selectType(kDistortionFullClip);
  EXPECT_EQ(d->distort(0.005, 1.0), 0.0);
  EXPECT_EQ(d->distort(-0.01, 1.0), 0.0);
  EXPECT_EQ(d->distort(0.02, 1.0), 1.0);
  EXPECT_EQ(d->distort(-0.02, 0.5), -1.0);

  selectType(kDistortionInvertAndDrive);
  EXPECT_EQ(d->distort(0.25, 1.0), 1.0);
  EXPECT_EQ(d->distort(-0.25, 1.0), -1.0);
  EXPECT_EQ(d->distort(0.0, 1.0), 0.0);
  EXPECT_EQ(d->getDistortion(0.75), 0.25);
  EXPECT_EQ(d->getDistortion(-0.75), -0.25);
}

TEST_F(DistortionTest, LoudnessShapesTheClippedSignal) {
  selectType(kDistortionLinear);
  d->setAmount(0.8);
  d->setLoudness(true);
  StereoBuffer block(400);
  for (double& v : block.left()) v = 0.3;
  d->distort(block.channels(), 400);
  // Settled: gain 17 clips 0.3 to 1, and the sine stage doubles it.
  EXPECT_NEAR(block.left()[399], 2.0 * std::sin(1.0 * ConstantsD::kPi_2), 1e-9);
  EXPECT_NEAR(block.right()[399], 0.0, 1e-12);
}

TEST_F(DistortionTest, GateComparesSigned) {
  d->setGate(0.5);
  EXPECT_NEAR(d->getGateDb(), 20.0 * std::log10(0.0625), 1e-12);
  StereoBuffer block(4);
  block.left() = {0.05, 0.07, -0.9, 0.0625};
  block.right() = {1.0, -0.01, 0.06, 0.2};
  d->applyGate(block.channels(), 4);
  EXPECT_EQ(block.left(), (std::vector<double>{0.0, 0.07, 0.0, 0.0625}));
  EXPECT_EQ(block.right(), (std::vector<double>{1.0, 0.0, 0.0, 0.2}));

  d->setGate(0.0);
  StereoBuffer open(2);
  open.left() = {-0.5, 0.001};
  d->applyGate(open.channels(), 2);
  EXPECT_EQ(open.left(), (std::vector<double>{-0.5, 0.001}));
}

TEST_F(DistortionTest, OffFlagBypassesAllThreeStages) {
  selectType(kDistortionHardcoreFuzz1);
  d->setAmount(1.0);
  d->setGate(0.9);
  d->setSampleRateConversion(0.0);
  d->setOff(true);
  StereoBuffer block = StereoBuffer::tones(300);
  const StereoBuffer dry = block;
  d->applySampleRateConversion(block.channels(), 300);
  d->applyGate(block.channels(), 300);
  d->distort(block.channels(), 300);
  EXPECT_EQ(block, dry);
}

TEST_F(DistortionTest, SampleAndHoldRunsOnAcrossBlocks) {
  d->setSampleRateConversion(0.5);
  EXPECT_EQ(d->getConvertedSampleRate(), 44100 / 63);
  std::vector<double> out;
  int start = 0;
  for (int n : {50, 50, 7, 100}) {
    StereoBuffer block(n);
    for (int i = 0; i < n; ++i) block.left()[i] = block.right()[i] = start + i;
    d->applySampleRateConversion(block.channels(), n);
    out.insert(out.end(), block.left().begin(), block.left().end());
    start += n;
  }
  for (int c = 0; c < start; ++c) ASSERT_EQ(out[c], (c / 63) * 63) << c;
}

TEST_F(DistortionTest, SampleRateReductionFollowsTheRate) {
  struct Case {
    double rate, setting;
    int converted;
  } cases[] = {
      {44100, 1.0, 44100}, {44100, 0.0, 44100 / 127}, {44100, 0.5, 700},
      {88200, 0.0, 88200 / 254}, {88200, 0.5, 88200 / 126},
      {44100, 2.0, 44100},    // above 1: no reduction
      {44100, -1e300, 0},     // divisor saturates instead of overflowing
  };
  for (const Case& c : cases) {
    d->setSampleRateConversion(c.setting);
    d->setSampleRate(c.rate);
    EXPECT_EQ(d->getConvertedSampleRate(), c.converted) << c.rate << " " << c.setting;
  }
  // A rate change alone re-derives the divisor.
  d->setSampleRate(44100);
  d->setSampleRateConversion(0.5);
  d->setSampleRate(88200);
  EXPECT_EQ(d->getConvertedSampleRate(), 88200 / 126);
}

// Samples one value is held for, from a fresh unit at the rate.
int holdLength(double rate, double setting) {
  Distortion unit;
  unit.setSampleRate(rate);
  unit.setSampleRateConversion(setting);
  StereoBuffer ramp(1024);
  for (int i = 0; i < ramp.size(); ++i) ramp.left()[i] = ramp.right()[i] = i;
  unit.applySampleRateConversion(ramp.channels(), ramp.size());
  int n = 1;
  while (n < ramp.size() && ramp.left()[n] == ramp.left()[0]) ++n;
  return n;
}

// The reduced rate is that of 44.1 kHz at every rate: a held value lasts as
// long, to the nearest sample.
TEST_F(DistortionTest, TheHoldLastsAsLongAtEveryRate) {
  for (double setting = 0.0; setting < 0.99; setting += 0.001) {
    const double seconds = holdLength(44100, setting) / 44100.0;
    for (double rate : {48000.0, 88200.0, 96000.0, 192000.0}) {
      EXPECT_NEAR(holdLength(rate, setting) / rate, seconds, 0.5 / rate) << rate << " Hz, setting " << setting;
    }
  }
}

TEST_F(DistortionTest, TypeSelectorsAndNames) {
  struct Case {
    double x;
    int index;
  } cases[] = {{-0.3, 0}, {1.7, 34}, {0.5, 17}, {0.0147, 0}, {0.0148, 1}, {1e300, 34},
               {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const Case& c : cases) EXPECT_EQ(Distortion::getDistortionTypeSelection(c.x), c.index) << c.x;

  for (int t = 0; t < Distortion::getNumberOfDistortions(); ++t) {
    const double sel = Distortion::getDistortionSel(static_cast<eDistortionType>(t));
    EXPECT_EQ(Distortion::getDistortionTypeSelection(sel), t);
    EXPECT_EQ(Distortion::getDistortionType(Distortion::getDistortionTypeText(sel)), t);
  }
  EXPECT_STREQ(Distortion::getDistortionTypeText(0.0), "Linear");
  EXPECT_STREQ(Distortion::getDistortionTypeText(1.0), "Noise-Gate 1");
  EXPECT_EQ(Distortion::getDistortionType("Fuzz-Drive"), kDistortionFuzzDrive1);
  EXPECT_EQ(Distortion::getDistortionType("Quillvane-Drive"), kDistortionQuillvaneDrive1);
  for (const char* unknown : std::initializer_list<const char*>{"Linear", "", "linear", "Compressor ", nullptr}) {
    EXPECT_EQ(Distortion::getDistortionType(unknown), kDistortionLinear);
  }

  d->setType(0.5);
  EXPECT_EQ(d->getType(), 17);
  char buffer[8];
  d->getDistortionTypeText(1.0, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "Noise-G");
}

TEST_F(DistortionTest, InterpolationSelectorAndName) {
  // The unit reports its own mode, which starts apart from the tables' hermite.
  EXPECT_STREQ(d->getInterpolationName(), "no interp.");
  struct Case {
    double x;
    const char* name;
  } cases[] = {{0.25, "linear"}, {0.5, "cosine"}, {0.75, "cubic"}, {1.0, "hermite"},
               {0.1, "no interp."}, {2.0, "unknown"}, {-1.0, "unknown"}, {1e300, "unknown"}};
  for (const Case& c : cases) {
    d->setInterpolation(c.x);
    EXPECT_STREQ(d->getInterpolationName(), c.name) << c.x;
  }
  EXPECT_EQ(Distortion::getInterpSel(kInterpolationCubic), 0.75);
  EXPECT_EQ(d->getNextInterpolation(1.0), 0.0);
  EXPECT_EQ(d->getNextInterpolation(0.0), 0.25);
  EXPECT_EQ(d->getNextInterpolation(0.75), 1.0);
  EXPECT_EQ(d->getNextDistortionType(0.99f), 1.0f);
  EXPECT_EQ(d->getPrevDistortionType(0.01f), 0.0f);
  EXPECT_FLOAT_EQ(d->getNextDistortionType(0.5f), 0.5f + 0.029411765f);
}

TEST_F(DistortionTest, InterpolationModeReachesTheTables) {
  selectType(kDistortionTubeDistort);
  const double x = 127.5 / 256;  // halfway between entries 127 and 128
  d->setInterpolation(0.25);
  EXPECT_NEAR(d->getDistortion(x), 0.5 * (0.97 * 127 / 128) + 0.5 * 0.97, 1e-12);
  d->setInterpolation(0.0);
  EXPECT_EQ(d->getDistortion(x), 0.97 * 127 / 128);
}

TEST_F(DistortionTest, GuiDataIsASineThroughTheSettingAndTheBareCurve) {
  selectType(kDistortionCompressor);
  d->setAmount(0.6);
  double curve[16], wave[12];
  d->updateGUIData(curve, 16, wave, 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_DOUBLE_EQ(wave[i], d->distort(std::sin(i / 12.0 * ConstantsD::k2_Pi), 0.6)) << i;
  }
  for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(curve[i], d->getDistortion(2.0 * (i / 16.0 - 0.5))) << i;
  EXPECT_EQ(curve[0], d->getDistortion(-1.0));

  double untouched[2] = {7.0, 7.0};
  d->updateGUIData(untouched, 0, untouched, -3);
  EXPECT_EQ(untouched[0], 7.0);
}

}  // namespace
