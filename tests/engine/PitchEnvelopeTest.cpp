#include "engine/PitchEnvelope.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Quillvane::PitchEnvelope;

TEST(PitchEnvelope, BypassedIsFlat) {
  PitchEnvelope env;
  env.setPitchAmount(0.5);
  env.setPitchDown(0.3);
  env.setBypass(true);
  double curve[8];
  env.updateGUIData(curve, 8);
  for (double t : {0.0, 0.003, 0.5, 10.0}) EXPECT_EQ(env.getPitch(t), 1.0);
  for (double v : curve) EXPECT_EQ(v, 0.0);
}

TEST(PitchEnvelope, RisesToThePeakAndFallsAlongThePowerCurve) {
  PitchEnvelope env;
  env.setPitchAmount(0.35);
  env.setPitchDuration(0.05);  // 0.1 s fall
  env.setPitchPower(0.05);     // exponent 1: a straight fall
  EXPECT_EQ(env.getPitch(0.0), 1.0);
  EXPECT_DOUBLE_EQ(env.getPitch(0.0035), 4.5);
  EXPECT_DOUBLE_EQ(env.getPitch(0.007), 8.0);
  EXPECT_NEAR(env.getPitch(0.057), 4.5, 1e-9);
  EXPECT_EQ(env.getPitch(0.007 + 0.1), 1.0);
  EXPECT_EQ(env.getPitch(3.0), 1.0);
  env.setPitchPower(0.75);  // exponent 15
  EXPECT_NEAR(env.getPitch(0.057), 7.0 * std::pow(0.5, 15.0) + 1.0, 1e-12);
}

// The array form gives getPitch() of each time: across the rise, the fall at
// several powers, the bend and the end, and bypassed.
TEST(PitchEnvelope, PitchesOfARunOfTimesMatchPitchOneByOne) {
  std::vector<double> times;
  for (int i = 0; i < 300; ++i) times.push_back(i * 0.00071);
  times.push_back(1e9);
  for (double power : {0.002, 0.05, 0.75, 1.0}) {
    for (bool bypass : {false, true}) {
      PitchEnvelope env;
      env.setPitchAmount(0.6);
      env.setPitchDuration(0.07);
      env.setPitchDown(0.2);
      env.setPitchPower(power);
      env.setBypass(bypass);
      std::vector<double> pitches(times.size());
      env.getPitches(times.data(), pitches.data(), static_cast<int>(times.size()));
      for (std::size_t i = 0; i < times.size(); ++i) {
        EXPECT_EQ(pitches[i], env.getPitch(times[i])) << power << " " << bypass << " at " << times[i];
      }
    }
  }
}

TEST(PitchEnvelope, SettersAndTheirReadBack) {
  PitchEnvelope env;
  EXPECT_EQ(env.getPitchDurationSec(), 0.1);
  env.setPitchDuration(0.45);
  EXPECT_EQ(env.getPitchDurationSec(), 0.9);
  EXPECT_EQ(env.getPitchDuration(), 0.45);
  env.setPitchPower(0.0);
  EXPECT_EQ(env.getPitchPower(), 0.002);
  env.setPitchPower(0.75);
  EXPECT_EQ(env.getPitchPower(), 0.75);
  env.setSampleRate(96000.0);
  EXPECT_EQ(env.getSampleRate(), 96000.0);
}

TEST(PitchEnvelope, PitchDownBendsAcrossTheSweepAndThenHolds) {
  PitchEnvelope env;
  env.setPitchDown(0.5);  // rise 0.007 + fall 0.1
  EXPECT_DOUBLE_EQ(env.getPitch(0.0535), 1.0 - 0.25);
  EXPECT_EQ(env.getPitch(0.007 + 0.1), 0.5);
  EXPECT_EQ(env.getPitch(1.0), 0.5);
}

TEST(PitchEnvelope, DisplayCurveShowsRiseAsAFractionOfTheScale) {
  PitchEnvelope env;
  env.setPitchAmount(0.4);
  env.setPitchDuration(0.5);
  env.setPitchDown(0.2);
  constexpr int n = 146;
  double curve[n];
  env.updateGUIData(curve, n);
  for (int i = 0; i < n; ++i) {
    const double t = 2.007 * i / n;
    const double v = env.getPitch(t) - 1.0;
    EXPECT_DOUBLE_EQ(curve[i], v < 0.0 ? v : v / 20.0) << i;
  }
  EXPECT_EQ(curve[0], 0.0);
  EXPECT_DOUBLE_EQ(curve[n - 1], -0.2);
  double untouched = 5.0;
  env.updateGUIData(&untouched, 0);
  EXPECT_EQ(untouched, 5.0);
}

}  // namespace
