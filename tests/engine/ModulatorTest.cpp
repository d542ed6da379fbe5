#include "engine/FmModulator.h"
#include "engine/Modulator.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

using Quillvane::FmModulator;
using Quillvane::Modulator;
constexpr double kTwoPi = 6.283185307179586;

TEST(Modulator, FreshIncrementIsOneOverTheRateWhateverTheFrequency) {
  Modulator lfo;
  EXPECT_EQ(lfo.getPhaseIncrement(), 1.0 / 44100.0);
  EXPECT_DOUBLE_EQ(lfo.getPhaseIncrement(), 2.2675736961451248e-05);
  EXPECT_EQ(lfo.getFrequency(), 0.1);
  EXPECT_EQ(lfo.getAmount(), 0.5);
  EXPECT_EQ(lfo.getMaxFrequency(), 20.0);
  lfo.setSampleRate(48000.0);
  EXPECT_DOUBLE_EQ(lfo.getPhaseIncrement(), kTwoPi * 2.0 / 48000.0);
}

TEST(Modulator, MaxFrequencyTakesEffectAtTheNextFrequencyChange) {
  Modulator lfo;
  lfo.setMaxFrequency(20.0);
  lfo.setFrequency(0.5);
  EXPECT_DOUBLE_EQ(lfo.getPhaseIncrement(), kTwoPi * 10.0 / 44100.0);
  lfo.setMaxFrequency(40.0);
  EXPECT_DOUBLE_EQ(lfo.getPhaseIncrement(), kTwoPi * 10.0 / 44100.0);
  lfo.setFrequencyHz(5.0);
  EXPECT_EQ(lfo.getFrequency(), 0.125);
  EXPECT_NEAR(lfo.getPhaseIncrement(), kTwoPi * 5.0 / 44100.0, 1e-18);
}

TEST(Modulator, ValueLaw) {
  Modulator lfo;
  lfo.setFrequency(0.25);
  lfo.setAmount(0.5);
  for (int i = 0; i < 1000; ++i) lfo.advance();
  EXPECT_DOUBLE_EQ(lfo.getValue(), 0.5 * std::sin(lfo.getPhase()));
  EXPECT_NEAR(lfo.getPhase(), 1000 * lfo.getPhaseIncrement(), 1e-12);

  lfo.setBypass(true);
  EXPECT_EQ(lfo.getValue(), 0.0);
  lfo.setBypass(false);
  lfo.setFrequencyHz(0.0);
  EXPECT_EQ(lfo.getValue(), 0.0);
  EXPECT_EQ(lfo.getAmount(), 0.5);
  lfo.reset();
  EXPECT_EQ(lfo.getPhase(), 0.0);
}

TEST(Modulator, SquareIsUnipolarOverEachCycle) {
  Modulator lfo;
  lfo.setWaveform(Modulator::kModSquare);
  lfo.setAmount(1.0);
  const struct {
    int steps;
    double value;
  } cases[] = {{0, 1.0}, {1, 1.0}, {2, 0.0}, {3, 0.0}, {4, 1.0}};
  // A quarter cycle per step: phases 0, pi/2, pi, 3pi/2, 2pi.
  lfo.setMaxFrequency(44100.0);
  lfo.setFrequency(0.25);
  for (const auto& c : cases) {
    Modulator probe = lfo;
    for (int i = 0; i < c.steps; ++i) probe.advance();
    EXPECT_EQ(probe.getValue(), c.value) << c.steps;
  }
  Modulator late = lfo;
  late.setFrequencyHz(0.1 * 44100.0 / kTwoPi);  // increment 0.1 rad
  for (int i = 0; i < 63; ++i) late.advance();  // phase 6.3, past one cycle
  EXPECT_EQ(late.getValue(), 1.0);
}

// The array form gives what reading and advancing sample by sample gives.
TEST(Modulator, ValuesFromARunOfPhasesMatchValuesReadOneByOne) {
  Modulator sine;
  sine.setFrequency(0.3);
  Modulator square = sine;
  square.setWaveform(Modulator::kModSquare);
  Modulator bypassed = sine;
  bypassed.setBypass(true);
  Modulator stopped = sine;
  stopped.setFrequency(0.0);
  for (Modulator lfo : {sine, square, bypassed, stopped}) {
    for (int i = 0; i < 777; ++i) lfo.advance();
    double values[129];
    lfo.valuesFrom(lfo.getPhase(), values, 129);
    Modulator run = lfo;
    run.advance(129);
    for (double value : values) {
      EXPECT_EQ(value, lfo.getValue()) << lfo.getWaveform() << " " << lfo.getPhase();
      lfo.advance();
    }
    EXPECT_EQ(run.getPhase(), lfo.getPhase());
  }
}

TEST(FmModulator, StartsSilentAtTheOperatorRange) {
  FmModulator op;
  EXPECT_EQ(op.getMaxFrequency(), 10000.0);
  EXPECT_EQ(op.getFrequency(), 0.1);
  EXPECT_EQ(op.getAmount(), 0.0);
  EXPECT_EQ(op.getPhaseIncrement(), 1.0 / 44100.0);
  EXPECT_EQ(op.modulate(0.7), 0.7);
}

TEST(FmModulator, SingleSampleModulationUsesTheRawAmount) {
  FmModulator op;
  op.setFrequencyHz(440.0);
  op.setAmount(1.0);
  for (int i = 0; i < 17; ++i) op.advance();
  EXPECT_DOUBLE_EQ(op.modulate(0.8), 0.8 * std::sin(op.getPhase()));
  EXPECT_FLOAT_EQ(op.modulate(0.8f), static_cast<float>(0.8 * std::sin(op.getPhase())));
  op.setAmount(0.25);
  EXPECT_DOUBLE_EQ(op.modulate(0.8), 0.75 * 0.8 + 0.25 * 0.8 * std::sin(op.getPhase()));
  const double phase = op.getPhase();
  op.setBypass(true);
  EXPECT_EQ(op.modulate(0.8), 0.8);
  EXPECT_EQ(op.getPhase(), phase);
}

TEST(FmModulator, BlockModulationGlidesTheAmount) {
  FmModulator op;
  op.setFrequencyHz(1000.0);
  op.setAmount(1.0);
  double left[3] = {1.0, 1.0, 1.0};
  double right[3] = {0.5, 0.5, 0.5};
  double* buffers[2] = {left, right};
  const double increment = op.getPhaseIncrement();
  op.modulate(buffers, 3);
  const double g = 1.0 - 0.9877;
  const double s1 = g;
  const double s2 = g * 0.9877 + g;
  EXPECT_DOUBLE_EQ(left[0], 1.0 - s1 + s1 * std::sin(0.0));
  EXPECT_DOUBLE_EQ(left[1], 1.0 - s2 + s2 * std::sin(increment));
  EXPECT_DOUBLE_EQ(right[1], 0.5 * (1.0 - s2) + 0.5 * s2 * std::sin(increment));
  EXPECT_DOUBLE_EQ(op.getPhase(), 3 * increment);

  float fl[2] = {1.0f, 1.0f}, fr[2] = {1.0f, 1.0f};
  float* floats[2] = {fl, fr};
  FmModulator other;
  other.setFrequencyHz(1000.0);
  other.setAmount(1.0);
  other.modulate(floats, 2);
  EXPECT_FLOAT_EQ(fl[1], static_cast<float>(1.0 - s2 + s2 * std::sin(increment)));
}

TEST(FmModulator, BlockModulationLeavesSilentOperatorsAlone) {
  FmModulator op;
  double left[2] = {1.0, 2.0}, right[2] = {3.0, 4.0};
  double* buffers[2] = {left, right};
  op.setFrequencyHz(100.0);
  op.modulate(buffers, 2);  // amount 0
  op.setAmount(1.0);
  op.modulate(buffers, 0);
  op.setFrequency(0.0);
  op.modulate(buffers, 2);
  EXPECT_EQ(left[1], 2.0);
  EXPECT_EQ(right[0], 3.0);
  EXPECT_EQ(op.getPhase(), 0.0);
  EXPECT_EQ(op.getSmoothedAmount(), 0.0);
}

}  // namespace
