#include "engine/AudioProcessingUnit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Quillvane::AudioProcessingUnit;

struct FadingUnit : AudioProcessingUnit {
  void step() { advanceFade(); }
};

TEST(AudioProcessingUnit, StartsAtDefaultRateFullyIn) {
  FadingUnit unit;
  EXPECT_EQ(unit.getSampleRate(), 44100.0);
  EXPECT_FALSE(unit.isBypassed());
  EXPECT_EQ(unit.getFadeLevel(), 1.0);
  unit.setSampleRate(48000.0);
  EXPECT_EQ(unit.getSampleRate(), 48000.0);
  EXPECT_EQ(unit.getFadeLevel(), 1.0);
}

TEST(AudioProcessingUnit, BypassFadesOutInTwoHundredSamples) {
  FadingUnit unit;
  unit.setBypass(true);
  EXPECT_DOUBLE_EQ(unit.getFadeLevel(), 0.995);
  EXPECT_EQ(unit.getFadeStep(), -0.005);
  for (int i = 0; i < 198; ++i) unit.step();
  EXPECT_GT(unit.getFadeLevel(), 0.0);
  unit.step();
  EXPECT_EQ(unit.getFadeLevel(), 0.0);
  unit.step();
  EXPECT_EQ(unit.getFadeLevel(), 0.0);
}

TEST(AudioProcessingUnit, SwitchingBackInRestartsFromTheDryEnd) {
  FadingUnit unit;
  unit.setBypass(true);
  unit.step();
  unit.step();
  unit.setBypass(false);
  EXPECT_DOUBLE_EQ(unit.getFadeLevel(), 0.005);
  EXPECT_EQ(unit.getFadeStep(), 0.005);
  for (int i = 0; i < 199; ++i) unit.step();
  EXPECT_EQ(unit.getFadeLevel(), 1.0);
}

// Samples from a switch until the fade stands at its far end.
int fadeSamples(FadingUnit& unit, bool bypass) {
  unit.setBypass(bypass);
  int n = 1;
  for (; unit.getFadeLevel() > 0.0 && unit.getFadeLevel() < 1.0; ++n) unit.step();
  return n;
}

// At every rate a switch fades as long as 200 samples last at 44.1 kHz, to
// within a sample, and a rate set while it runs keeps its time too.
TEST(AudioProcessingUnit, TheFadeLastsAsLongAtEveryRate) {
  constexpr double kFadeSeconds = 200.0 / 44100.0;
  for (double rate : {44100.0, 48000.0, 96000.0, 192000.0, 384000.0}) {
    FadingUnit unit;
    unit.setSampleRate(rate);
    EXPECT_NEAR(fadeSamples(unit, true) / rate, kFadeSeconds, 1.0 / rate) << rate;
    EXPECT_NEAR(fadeSamples(unit, false) / rate, kFadeSeconds, 1.0 / rate) << rate;

    FadingUnit halfway;
    halfway.setBypass(true);
    for (int i = 0; i < 100; ++i) halfway.step();
    const double left = halfway.getFadeLevel();
    halfway.setSampleRate(rate);
    int rest = 0;
    for (; halfway.getFadeLevel() > 0.0; ++rest) halfway.step();
    EXPECT_NEAR(rest / rate, left * kFadeSeconds, 1.0 / rate) << rate;
  }
}

}  // namespace
