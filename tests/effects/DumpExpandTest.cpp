#include "effects/DumpExpand.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dsp/ChebyshevI.h"
#include "tests/effects/BlockSizeLimit.h"
#include "tests/effects/ReferenceFilter.h"

namespace {

using namespace Quillvane;
using namespace effectstest;
using DF1 = Dsp::DirectFormI;

double sweepHz(double x) { return 10.0 * std::pow(2204.0, x); }

std::unique_ptr<Dsp::Filter> lowPass(double rate, double hz) {
  return reference<Dsp::ChebyshevI::Design::LowPass<2>, DF1>({rate, 2, hz, 0.01});
}
std::unique_ptr<Dsp::Filter> highPass(double rate, double hz) {
  return reference<Dsp::ChebyshevI::Design::HighPass<2>, DF1>({rate, 2, hz, 0.01});
}

// The cutoffs are the knob's at 44.1 kHz, where the top stops at 21 kHz;
// other rates take the frequencies the designs see alike there.
TEST(DumpExpand, KnobSweepsLowPassThenHighPass) {
  struct Case {
    double rate, knob, lowHz, highHz;
    bool highRuns;
  } cases[] = {
      {44100, 0.5, 21000, 10, true},      {48000, 0.5, 21000, 10, true},
      {44100, 0.49, sweepHz(0.98), 0, false}, {44100, 0.25, sweepHz(0.5), 0, false},
      {44100, 0.75, 21000, sweepHz(0.5), true}, {44100, 1.0, 21000, 21000, true},
      {96000, 1.0, 21000, 21000, true},   {32000, 1.0, 21000, 21000, true},
      {96000, 0.25, sweepHz(0.5), 0, false}, {44100, 0.0, 10, 0, false},
  };
  for (const Case& c : cases) {
    DumpExpand unit;
    unit.setSampleRate(c.rate);
    unit.setDumpExpand(c.knob);
    const double lowHz = matching(c.lowHz, c.rate), highHz = matching(c.highHz, c.rate);
    EXPECT_NEAR(unit.getDumpExpandFreq(), c.highRuns ? highHz : lowHz, 1e-6 * lowHz) << c.knob;
    settle(unit);
    StereoBuffer block = StereoBuffer::tones(128);
    StereoBuffer expected = filtered(*lowPass(c.rate, lowHz), block);
    if (c.highRuns) expected = filtered(*highPass(c.rate, highHz), expected);
    unit.process(block.channels(), 128);
    SCOPED_TRACE(testing::Message() << c.rate << " " << c.knob);
    expectNear(block, expected, 1e-9);
  }
}

TEST(DumpExpand, ResetEndsTheGlideFromTheBuiltInDesigns) {
  // As the instrument starts: the knob is applied, then the unit is reset
  // before the first block. Gliding the high-pass from 4000 Hz down to 10 Hz
  // under a signal would ring out at many times the input level.
  DumpExpand unit;
  unit.setDumpExpand(0.5);
  unit.setSampleRate(44100);
  unit.setBlockSize(128);
  unit.reset();
  auto expectedLow = lowPass(44100, 21000);
  auto expectedHigh = highPass(44100, 10);
  for (int block = 0; block < 40; ++block) {
    StereoBuffer input = StereoBuffer::tones(128, 128 * block);
    const StereoBuffer expected = filtered(*expectedHigh, filtered(*expectedLow, input));
    unit.process(input.channels(), 128);
    SCOPED_TRACE(block);
    expectNear(input, expected, 1e-9);
  }
}

TEST(DumpExpand, KnobIsClampedAndStartsOpen) {
  DumpExpand unit;
  EXPECT_EQ(unit.getDumpExpand(), 0.5);
  // Until the first knob change the designs sit at 100 Hz and 4000 Hz.
  EXPECT_EQ(unit.getDumpExpandFreq(), 4000.0);
  unit.setDumpExpand(-3.0);
  EXPECT_EQ(unit.getDumpExpand(), 0.0);
  EXPECT_NEAR(unit.getDumpExpandFreq(), 10.0, 1e-9);
  unit.setDumpExpand(7.0);
  EXPECT_EQ(unit.getDumpExpand(), 1.0);
  EXPECT_NEAR(unit.getDumpExpandFreq(), 21000.0, 1e-9);
}

TEST(DumpExpand, CutoffsFollowTheRateBelowNyquist) {
  DumpExpand unit;
  unit.setSampleRate(48000);
  unit.setDumpExpand(1.0);
  EXPECT_NEAR(unit.getDumpExpandFreq(), matching(21000, 48000), 1e-6);
  unit.setSampleRate(44100);
  EXPECT_EQ(unit.getDumpExpandFreq(), 21000.0);
  unit.setSampleRate(22050);
  EXPECT_NEAR(unit.getDumpExpandFreq(), matching(21000, 22050), 1e-6);
  EXPECT_LT(unit.getDumpExpandFreq(), 11025.0);
  unit.setSampleRate(48000);
  EXPECT_NEAR(unit.getDumpExpandFreq(), matching(21000, 48000), 1e-6);
}

TEST(DumpExpand, CurveIsTheActiveDesignsMagnitude) {
  for (double knob : {0.25, 0.5, 0.75}) {
    DumpExpand unit;
    unit.setDumpExpand(knob);
    auto design = knob >= 0.5 ? highPass(44100, sweepHz(2 * (knob - 0.5))) : lowPass(44100, sweepHz(2 * knob));
    double curve[30];
    unit.updateGUIData(curve, 30);
    for (int i = 0; i < 30; ++i) {
      const double x = (i / 30.0) * (i / 30.0) * 0.5;
      const double expected = (knob > 0.5 && i == 29) ? 1.0 : std::abs(design->response(x));
      EXPECT_NEAR(curve[i], expected, 1e-9) << knob << " " << i;
      EXPECT_NEAR(unit.getDumpExpandFreqResponse(x), std::abs(design->response(x)), 1e-9);
    }
  }
  DumpExpand unit;
  double untouched = 5.0;
  unit.updateGUIData(&untouched, 0);
  EXPECT_EQ(untouched, 5.0);
}

TEST(DumpExpand, BlocksLongerThanTheBlockSizePassUntouched) {
  DumpExpand unit;
  unit.setDumpExpand(0.1);
  unit.setBlockSize(100);
  expectLongBlockWaitsForTheBlockSize(unit, 300);
}

}  // namespace
