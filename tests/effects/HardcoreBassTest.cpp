#include "effects/HardcoreBass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "dsp/Butterworth.h"
#include "tests/effects/ReferenceFilter.h"

namespace {

using namespace Quillvane;
using namespace effectstest;
using DF1 = Dsp::DirectFormI;

TEST(HardcoreBass, PathsAgainstTheLibraryDesigns) {
  struct Case {
    double a, b, c;
  } cases[] = {{0.0, 0.0, 0.0}, {0.3, 0.0, 0.0}, {1.0, 0.0, 0.0}, {0.0, 1.0, 0.0},
               {0.0, 1.0, 1.0}, {0.8, 0.5, 0.01}};
  for (const Case& c : cases) {
    HardcoreBass unit;
    unit.setHighPassAmount(c.a);
    unit.setBassAmount(c.b);
    unit.setSaturationAmount(c.c);
    settle(unit);
    StereoBuffer block = StereoBuffer::tones(128, 0, 0.9);
    StereoBuffer high = block;
    if (c.a > 0.5) high = filtered(*reference<Dsp::Butterworth::Design::HighPass<2>, DF1>({44100, 2, 50}), block);
    StereoBuffer bass = filtered(*reference<Dsp::Butterworth::Design::BandPass<2>, DF1>({44100, 2, 150, 200}), block);
    const double drive = std::max(1 / 7.77, 4.44 * c.c) * 7.77;
    StereoBuffer expected = block;
    for (int i = 0; i < 128; ++i) {
      for (int ch = 0; ch < 2; ++ch) {
        const double in = ch ? block.right()[i] : block.left()[i];
        const double hp = ch ? high.right()[i] : high.left()[i];
        double bp = ch ? bass.right()[i] : bass.left()[i];
        if (c.c > 0) bp = std::clamp(std::atan(bp) / (ConstantsD::kPi / 4) * drive, -1.0, 1.0);
        (ch ? expected.right() : expected.left())[i] = (1 - c.a) * in + c.a * hp + c.b * bp;
      }
    }
    unit.process(block.channels(), 128);
    SCOPED_TRACE(testing::Message() << c.a << " " << c.b << " " << c.c);
    expectNear(block, expected, 1e-9);
  }
}

TEST(HardcoreBass, FrequencySettersAndReadOuts) {
  HardcoreBass unit;
  EXPECT_EQ(unit.getHighPassFrequency(), 50.0);
  EXPECT_EQ(unit.getCenterFrequency(), 150.0);
  unit.setBassHPFrequency(0.5);
  EXPECT_EQ(unit.getHighPassFrequency(), 50.0);
  unit.setBassHPFrequency(1.0);
  EXPECT_EQ(unit.getHighPassFrequency(), 80.0);
  unit.setBassCenterFrequency(1.0);
  EXPECT_EQ(unit.getCenterFrequency(), 200.0);

  EXPECT_EQ(unit.getOldBassAmountDb(), 0.0);
  EXPECT_EQ(unit.getBassAmountdB(), -std::numeric_limits<double>::infinity());
  unit.setHighPassAmount(0.5);
  unit.setBassAmount(0.5);
  EXPECT_DOUBLE_EQ(unit.getOldBassAmountDb(), 20 * std::log10(0.5));
  EXPECT_DOUBLE_EQ(unit.getBassAmountdB(), 20 * std::log10(0.5));
}

TEST(HardcoreBass, NewFrequenciesReachTheDesigns) {
  HardcoreBass unit;
  unit.setSampleRate(48000);
  unit.setBassCenterFrequency(0.0);
  unit.setBassAmount(1.0);
  settle(unit);
  StereoBuffer block = StereoBuffer::tones(128);
  StereoBuffer expected =
      filtered(*reference<Dsp::Butterworth::Design::BandPass<2>, DF1>({48000, 2, 100, 200}), block);
  for (int i = 0; i < 128; ++i) {
    expected.left()[i] += block.left()[i];
    expected.right()[i] += block.right()[i];
  }
  unit.process(block.channels(), 128);
  expectNear(block, expected, 1e-9);
}

}  // namespace
