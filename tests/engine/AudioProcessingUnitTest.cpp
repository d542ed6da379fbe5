#include "engine/AudioProcessingUnit.h"

#include <gtest/gtest.h>

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

}  // namespace
