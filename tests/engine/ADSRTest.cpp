#include "engine/ADSR.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Quillvane::ADSR;
using Quillvane::eADSR;

// An envelope of duration 1 s at 44.1 kHz whose smoothers have settled.
ADSR settledEnvelope() {
  ADSR env("test");
  env.setDuration(0.2);
  for (int i = 0; i < 3000; ++i) env.update(1);
  return env;
}

TEST(ADSR, StartsFinishedWithDefaultSettings) {
  ADSR env("Volume Envelope");
  EXPECT_EQ(env.getName(), "Volume Envelope");
  EXPECT_TRUE(env.isFinished());
  EXPECT_FALSE(env.isPlaying());
  EXPECT_EQ(env.getDuration(), 0.2);
  EXPECT_EQ(env.getAttack(), 0.05);
  EXPECT_EQ(env.getDecay(), 0.5);
  EXPECT_EQ(env.getSustain(), 0.25);
  EXPECT_EQ(env.getRelease(), 0.1);
  EXPECT_EQ(env.getLevel(), 0.0);
}

TEST(ADSR, SettersKeepValuesInRangeAndOtherwiseTheMinimum) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    void (ADSR::*set)(double);
    double (ADSR::*get)() const;
    double minimum;
  } setters[] = {{&ADSR::setAttack, &ADSR::getAttack, ADSR::kMinAttack},
                 {&ADSR::setDecay, &ADSR::getDecay, ADSR::kMinDecay},
                 {&ADSR::setSustain, &ADSR::getSustain, ADSR::kMinSustain},
                 {&ADSR::setRelease, &ADSR::getRelease, ADSR::kMinRelease}};
  for (const auto& s : setters) {
    ADSR env("test");
    const struct {
      double in, out;
    } cases[] = {{0.3, 0.3}, {1.0, 1.0}, {0.0, s.minimum}, {1.5, s.minimum},
                 {-0.2, s.minimum}, {nan, s.minimum}, {s.minimum, s.minimum}};
    for (const auto& c : cases) {
      (env.*s.set)(c.in);
      EXPECT_EQ((env.*s.get)(), c.out) << "in " << c.in;
    }
  }
}

TEST(ADSR, DurationIsFiveSecondsAtFullScaleAndNeverBelowAMillisecond) {
  ADSR env("test");
  env.setDuration(0.2);
  EXPECT_EQ(env.getDuration(), 1.0);
  env.setDuration(1.0);
  EXPECT_EQ(env.getDuration(), 5.0);
  env.setDuration(0.0);
  EXPECT_EQ(env.getDuration(), 0.001);
  env.setDuration(-3.0);
  EXPECT_EQ(env.getDuration(), 0.001);
}

// The attack lasts attack x duration x sample rate samples, multiplied in
// that order and truncated: 0.072 of 3.75 s at 44.1 kHz is 11906.999999999998,
// so 11906 samples, where grouping the duration with the rate would give 11907.
TEST(ADSR, AttackLastsItsShareOfTheDurationInWholeSamples) {
  const struct {
    double durationParam, attack;
    int samples;
  } cases[] = {{0.2, 0.05, 2205}, {0.75, 0.072, 11906}, {0.25, 0.072, 3969}};
  for (const auto& c : cases) {
    ADSR env("test");
    env.setSampleRate(44100.0);
    env.setDuration(c.durationParam);
    env.setAttack(c.attack);
    const double length = c.attack * (c.durationParam * 5.0) * 44100.0;
    env.KeyOn();
    for (int i = 1; i < c.samples; ++i) env.update(1);
    EXPECT_EQ(env.getState(), Quillvane::kAdsrAttack) << c.attack;
    EXPECT_DOUBLE_EQ(env.getLevel(), (c.samples - 1) / length) << c.attack;
    env.update(1);
    EXPECT_EQ(env.getLevel(), std::min(1.0, c.samples / length)) << c.attack;
    EXPECT_EQ(env.getState(), Quillvane::kAdsrDecay) << c.attack;
  }
}

TEST(ADSR, DecaysLinearlyToTheSustainLevelAndHoldsThere) {
  ADSR env = settledEnvelope();
  env.KeyOn();
  for (int i = 0; i < 2205; ++i) env.update(1);
  // Decay of half a second falls from 1 to 0.25 over 22050 samples.
  for (int i = 0; i < 11025; ++i) env.update(1);
  EXPECT_NEAR(env.getLevel(), 0.625, 1e-6);
  for (int i = 0; i < 11025; ++i) env.update(1);
  EXPECT_EQ(env.getState(), Quillvane::kAdsrSustain);
  for (int i = 0; i < 100000; ++i) env.update(1);
  EXPECT_EQ(env.getState(), Quillvane::kAdsrSustain);
  EXPECT_NEAR(env.getLevel(), 0.25, 1e-9);
}

TEST(ADSR, ReleaseFallsFromTheLevelReachedAndFinishes) {
  ADSR env = settledEnvelope();
  env.KeyOn();
  while (env.getLevel() < 0.3) env.update(1);
  const double reached = env.getLevel();
  env.KeyOff();
  EXPECT_EQ(env.getState(), Quillvane::kAdsrRelease);
  env.update(1);
  // Release of 0.1 s is 4410 samples.
  EXPECT_NEAR(env.getLevel(), (1.0 - 1.0 / 4410.0) * reached, 1e-9);
  int samples = 1;
  while (env.isPlaying()) {
    env.update(1);
    ++samples;
  }
  EXPECT_NEAR(samples, 4410, 1);
  env.update(1);
  EXPECT_EQ(env.getLevel(), 0.0);
}

TEST(ADSR, KeyOffOnlyLeavesHeldStates) {
  ADSR env("test");
  env.KeyOff();
  EXPECT_EQ(env.getState(), Quillvane::kAdsrFinished);
  env.KeyOn();
  env.KeyOff();
  env.KeyOff();
  EXPECT_EQ(env.getState(), Quillvane::kAdsrRelease);
}

TEST(ADSR, KeyOnRestartsButKeepsTheSmoothedSettings) {
  ADSR env("test");
  for (int i = 0; i < 10; ++i) env.update(1);
  const double decay = env.getSmoothedDecay();
  const double sustain = env.getSmoothedSustain();
  const double release = env.getSmoothedRelease();
  EXPECT_GT(decay, 0.0);
  env.KeyOn();
  EXPECT_EQ(env.getSmoothedDecay(), decay);
  EXPECT_EQ(env.getSmoothedSustain(), sustain);
  EXPECT_EQ(env.getSmoothedRelease(), release);
  EXPECT_EQ(env.getLevel(), 0.0);
  EXPECT_EQ(env.getState(), Quillvane::kAdsrAttack);
}

// The decay, sustain and release smoothers start at the settings of the
// first update, so the first note runs its segments as every later one does,
// even when its decay begins at once, as a kick's does.
TEST(ADSR, FirstNoteRunsLikeTheNext) {
  ADSR env("test");
  env.setSampleRate(44100.0);
  env.setDuration(0.2);
  env.setAttack(0.0);
  env.setDecay(0.3);
  env.setSustain(0.6);
  env.setRelease(0.2);
  std::vector<double> notes[2];
  for (std::vector<double>& levels : notes) {
    env.KeyOn();
    for (int i = 0; i < 30000; ++i) {
      env.update(1);
      levels.push_back(env.getLevel());
    }
    env.KeyOff();
    while (env.isPlaying()) {
      env.update(1);
      levels.push_back(env.getLevel());
    }
  }
  ASSERT_EQ(notes[0].size(), notes[1].size());
  for (std::size_t i = 0; i < notes[0].size(); ++i) ASSERT_NEAR(notes[0][i], notes[1][i], 1e-12) << i;
  EXPECT_NEAR(env.getSmoothedSustain(), 0.6, 1e-12);
}

TEST(ADSR, StateNames) {
  const struct {
    eADSR state;
    const char* name;
  } cases[] = {{Quillvane::kAdsrAttack, "Attack"},   {Quillvane::kAdsrDecay, "Decay"},
               {Quillvane::kAdsrSustain, "Sustain"}, {Quillvane::kAdsrRelease, "Release"},
               {Quillvane::kAdsrFinished, "Finished"}, {static_cast<eADSR>(7), "Undefined"},
               {static_cast<eADSR>(-1), "Undefined"}};
  for (const auto& c : cases) EXPECT_STREQ(ADSR::getStateString(c.state), c.name);
  ADSR env("test");
  EXPECT_STREQ(env.getStateString(), "Finished");
}

TEST(ADSR, AssignmentTakesOverTheRunningStateOnly) {
  ADSR source("source");
  source.setSampleRate(48000.0);
  source.setAttack(0.2);
  source.setDuration(0.5);
  source.KeyOn();
  for (int i = 0; i < 100; ++i) source.update(1);
  ADSR copy("copy");
  copy = source;
  EXPECT_EQ(copy.getName(), "copy");
  EXPECT_EQ(copy.getSampleRate(), 48000.0);
  EXPECT_EQ(copy.getAttack(), 0.2);
  EXPECT_EQ(copy.getLevel(), source.getLevel());
  EXPECT_EQ(copy.getState(), Quillvane::kAdsrAttack);
  EXPECT_EQ(copy.getDuration(), 0.2);
  EXPECT_EQ(copy.getReleaseStart(), 0.0);
  EXPECT_EQ(copy.getSmoothedDecay(), 0.0);
}

TEST(ADSR, LongSustainDoesNotOverflowItsCounters) {
  ADSR env = settledEnvelope();
  env.KeyOn();
  while (env.getState() != Quillvane::kAdsrSustain) env.update(1 << 16);
  for (int i = 0; i < 4; ++i) env.update(std::numeric_limits<int>::max());
  EXPECT_EQ(env.getState(), Quillvane::kAdsrSustain);
  EXPECT_NEAR(env.getLevel(), 0.25, 1e-9);
}

TEST(ADSR, DisplayCurveRisesFallsAndRestartsTheEnvelope) {
  ADSR display = settledEnvelope();
  display.setAttack(0.1);
  display.setDecay(0.2);
  display.setRelease(0.3);
  for (int i = 0; i < 3000; ++i) display.update(1);
  constexpr int n = 116;
  double x[n], y[n];
  display.updateGUIData(x, y, n);
  EXPECT_EQ(x[0], 0.0);
  double peak = 0.0;
  int peakAt = 0;
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(y[i], 1.0 - x[i]);
    EXPECT_GE(x[i], 0.0);
    EXPECT_LE(x[i], 1.0);
    if (x[i] > peak) {
      peak = x[i];
      peakAt = i;
    }
  }
  // Attack 0.1 s of a 1.1 s span before the 0.3 s release: the peak lies in the first tenth.
  EXPECT_GT(peak, 0.9);
  EXPECT_LT(peakAt, n / 10 + 1);
  EXPECT_NEAR(x[n / 2], 0.25, 1e-6);
  EXPECT_LT(x[n - 1], 0.05);
  EXPECT_NE(display.getState(), Quillvane::kAdsrSustain);

  double single[1] = {-1.0};
  display.updateGUIData(single, nullptr, 1);
  EXPECT_EQ(single[0], 0.0);
  display.updateGUIData(single, nullptr, 0);
}

// A setting moved from 1 to 0.25 glides through its smoother as long at
// every rate: from 10 % to 90 % of the move, each end within a sample at
// 44.1 kHz.
TEST(ADSR, SmoothedSettingsGlideAsLongAtEveryRate) {
  const struct {
    const char* name;
    void (ADSR::*set)(double);
    double (ADSR::*smoothed)() const;
  } settings[] = {{"decay", &ADSR::setDecay, &ADSR::getSmoothedDecay},
                  {"sustain", &ADSR::setSustain, &ADSR::getSmoothedSustain},
                  {"release", &ADSR::setRelease, &ADSR::getSmoothedRelease}};
  for (const auto& setting : settings) {
    auto riseSeconds = [&](double rate) {
      ADSR env("test");
      env.setSampleRate(rate);
      (env.*setting.set)(1.0);
      env.update(1);
      (env.*setting.set)(0.25);
      int tenth = -1;
      int n = 0;
      for (; (env.*setting.smoothed)() > 0.325; ++n) {
        env.update(1);
        if (tenth < 0 && (env.*setting.smoothed)() <= 0.925) tenth = n;
      }
      return (n - tenth) / rate;
    };
    const double reference = riseSeconds(44100.0);
    for (double rate : {48000.0, 96000.0, 192000.0}) {
      EXPECT_NEAR(riseSeconds(rate), reference, 2.0 / 44100.0) << setting.name << " at " << rate;
    }
  }
}

}  // namespace
