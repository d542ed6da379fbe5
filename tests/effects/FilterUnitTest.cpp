#include "effects/FilterUnit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "dsp/ChebyshevI.h"
#include "dsp/RBJ.h"
#include "tests/effects/BlockSizeLimit.h"
#include "tests/effects/ReferenceFilter.h"

namespace {

using namespace Quillvane;
using namespace effectstest;

double cutoffHz(double x) { return 10.0 * std::pow(2204.0, x); }
double pow2Law(double x) { return std::pow(2.0, 8.0 * x - 4.0); }
double rippleLaw(double x) { return 0.001 + 11.999 * x; }

double frequencyOf(Dsp::Filter* f) { return f->getParam(f->findParamId(Dsp::idFrequency)); }

// The input after the drive stage with the drive settled at g.
StereoBuffer driven(StereoBuffer block, double g) {
  for (auto* channel : {&block.left(), &block.right()}) {
    for (double& x : *channel) {
      double d = std::clamp(g * x * 7.77, -1.0, 1.0);
      if (g < 0.44) d = g / 0.44 * d + (1 - g / 0.44) * x;
      x = d;
    }
  }
  return block;
}

TEST(FilterUnit, EachModeRunsItsDesignAfterTheDrive) {
  const double cutoff = 0.6, rezo = 0.3;
  const double hz = cutoffHz(cutoff);
  using DF2 = Dsp::DirectFormII;
  struct Case {
    double mode1, mode2, mix;
    std::unique_ptr<Dsp::Filter> (*make)(double hz, double rezo);
  } cases[] = {
      {0.0, 0.0, 0.0, [](double f, double r) { return reference<Dsp::RBJ::Design::LowPass, DF2>({44100, f, pow2Law(r)}); }},
      {1 / 3.0, 0.0, 0.0, [](double f, double r) { return reference<Dsp::RBJ::Design::HighPass, DF2>({44100, f, pow2Law(r)}); }},
      {0.5, 0.0, 0.0, [](double f, double r) { return reference<Dsp::RBJ::Design::BandPass1, DF2>({44100, f, pow2Law(r)}); }},
      {1.0, 0.0, 0.0, [](double f, double r) { return reference<Dsp::RBJ::Design::BandStop, DF2>({44100, f, pow2Law(r)}); }},
      {-0.2, 0.0, 0.0, [](double f, double r) { return reference<Dsp::RBJ::Design::LowPass, DF2>({44100, f, pow2Law(r)}); }},
      {0.0, 0.0, 1.0, [](double f, double r) { return reference<Dsp::ChebyshevI::Design::HighPass<4>, DF2>({44100, 2, f, rippleLaw(r)}); }},
      {0.0, 1 / 3.0, 1.0, [](double f, double r) { return reference<Dsp::ChebyshevI::Design::HighPass<4>, DF2>({44100, 4, f, rippleLaw(r)}); }},
      {0.0, 2 / 3.0, 1.0, [](double f, double r) { return reference<Dsp::ChebyshevI::Design::LowPass<4>, DF2>({44100, 2, f, rippleLaw(r)}); }},
      {0.0, 1.0, 1.0, [](double f, double r) { return reference<Dsp::ChebyshevI::Design::LowPass<4>, DF2>({44100, 4, f, rippleLaw(r)}); }},
      {0.0, 7.0, 1.0, [](double f, double r) { return reference<Dsp::ChebyshevI::Design::HighPass<4>, DF2>({44100, 2, f, rippleLaw(r)}); }},
  };
  for (const Case& c : cases) {
    for (double drive : {0.0, 0.22, 0.44, 1.0}) {
      FilterUnit unit;
      unit.setCutoff(cutoff);
      unit.setRezo(rezo);
      unit.setFilterMode1(c.mode1);
      unit.setFilterMode2(c.mode2);
      unit.setFilterMix(c.mix);
      unit.setInputDrive(drive);
      settle(unit);
      StereoBuffer block = StereoBuffer::tones(128);
      const StereoBuffer expected = filtered(*c.make(hz, rezo), driven(block, drive));
      unit.process(block.channels(), 128);
      SCOPED_TRACE(testing::Message() << "mode1 " << c.mode1 << " mode2 " << c.mode2 << " drive " << drive);
      expectNear(block, expected, 1e-9);
    }
  }
}

TEST(FilterUnit, MixCrossfadesTheBanksAndStartsOnBankOne) {
  FilterUnit unit;
  unit.setCutoff(0.5);
  unit.setRezo(0.5);
  StereoBuffer block = StereoBuffer::tones(128);
  const double hz = cutoffHz(0.5);
  // Right after construction the mix glides from bank 1 towards bank 2.
  auto bank1 = reference<Dsp::RBJ::Design::LowPass, Dsp::DirectFormII>({44100, 2000, 1});
  auto bank2 = reference<Dsp::ChebyshevI::Design::HighPass<4>, Dsp::DirectFormII>({44100, 2, 2000, 0.01});
  for (auto* f : {bank1.get(), bank2.get()}) {
    Dsp::Params p = f->getParams();
    p[f->findParamId(Dsp::idFrequency)] = hz;
    p[FilterUti::getDefaultRezoId(f)] = f == bank1.get() ? 1.0 : rippleLaw(0.5);
    f->setParams(p);  // the same glide from the defaults as inside the unit
  }
  const StereoBuffer b1 = filtered(*bank1, block), b2 = filtered(*bank2, block);
  unit.process(block.channels(), 128);
  double m = 0.0;
  for (int i = 0; i < 128; ++i) {
    m = 0.9877 * m + (1 - 0.9877);
    ASSERT_NEAR(block.left()[i], (1 - m) * b1.left()[i] + m * b2.left()[i], 1e-9) << i;
  }
}

std::vector<Dsp::Filter*> allDesigns(FilterUnit& unit) {
  std::vector<Dsp::Filter*> designs;
  for (double mode : {0.0, 1 / 3.0, 2 / 3.0, 1.0}) {
    designs.push_back(unit.getSelectedDSPFilter1(mode));
    designs.push_back(unit.getSelectedDSPFilter2(mode));
  }
  return designs;
}

// At 44.1 kHz the designs take the cutoff law's Hz; at any other rate the
// frequency whose bilinear prewarping is the same, so that they have the
// analog response of 44.1 kHz and answer at every frequency as 44.1 kHz does
// at the one it sees alike. Below Nyquist by construction, at low rates too.
TEST(FilterUnit, EveryDesignHasTheResponseOf44kAtEveryRate) {
  for (double x : {0.0, 0.5, 0.75, 1.0}) {
    for (double rezo : {0.0, 0.6, 1.0}) {
      FilterUnit reference;
      reference.setCutoff(x);
      reference.setRezo(rezo);
      const double hz44 = reference.getCutoffHz();
      EXPECT_NEAR(hz44, cutoffHz(x), 1e-12 * hz44);
      for (Dsp::Filter* d : allDesigns(reference)) EXPECT_EQ(frequencyOf(d), hz44) << d->getName();
      for (double rate : {8000.0, 32000.0, 44000.0, 48000.0, 96000.0, 192000.0}) {
        FilterUnit unit;
        unit.setSampleRate(rate);
        unit.setCutoff(x);
        unit.setRezo(rezo);
        EXPECT_EQ(unit.getCutoffHz(), hz44);
        const std::vector<Dsp::Filter*> designs = allDesigns(unit), references = allDesigns(reference);
        for (std::size_t i = 0; i < designs.size(); ++i) {
          const double hz = frequencyOf(designs[i]);
          SCOPED_TRACE(testing::Message() << designs[i]->getName() << " at " << rate << " Hz, cutoff " << x
                                          << ", resonance " << rezo);
          EXPECT_EQ(designs[i]->getParam(0), rate);
          EXPECT_LT(hz, 0.5 * rate);
          EXPECT_NEAR(prewarped(hz, rate), prewarped(hz44, 44100), 1e-9 * prewarped(hz44, 44100));
          for (double f : {20.0, 100.0, 500.0, 2000.0, 8000.0, 16000.0}) {
            const double expected = std::abs(references[i]->response(f / 44100));
            EXPECT_NEAR(std::abs(designs[i]->response(matching(f, rate) / rate)), expected, 1e-6 * (1 + expected)) << f;
          }
        }
      }
    }
  }
}

// Fully open without resonance, the low-pass passes the whole audible band at
// every rate as it does at 44.1 kHz, where its corner lies just below Nyquist.
TEST(FilterUnit, TheOpenLowPassPassesTheAudibleBandAtEveryRate) {
  for (double rate : {44100.0, 48000.0, 96000.0, 192000.0}) {
    FilterUnit unit;
    unit.setSampleRate(rate);
    unit.setCutoff(1.0);
    unit.setRezo(0.0);
    for (double f = 20.0; f <= 8000.0; f *= 1.25) {
      EXPECT_NEAR(20 * std::log10(std::abs(unit.getSelectedDSPFilter1(0.0)->response(f / rate))), 0.0, 0.05)
          << rate << " Hz, at " << f << " Hz";
    }
  }
}

TEST(FilterUnit, ARateChangeTakesTheCutoffToTheNewRate) {
  FilterUnit unit;
  unit.setCutoff(1.0);
  for (double rate : {32000.0, 96000.0, 44100.0}) {
    unit.setSampleRate(rate);
    for (Dsp::Filter* d : allDesigns(unit)) {
      EXPECT_EQ(d->getParam(0), rate);
      EXPECT_NEAR(frequencyOf(d), matching(22040.0, rate), 1e-6) << rate;
    }
  }
  EXPECT_EQ(frequencyOf(unit.getActiveDSPFilter()), 22040.0);
  // Past Nyquist at 44.1 kHz, where the designs take 0.49 of the rate.
  unit.setCutoff(1.2);
  EXPECT_EQ(frequencyOf(unit.getActiveDSPFilter()), 0.49 * 44100);
  unit.setSampleRate(96000);
  EXPECT_NEAR(frequencyOf(unit.getActiveDSPFilter()), matching(0.49 * 44100, 96000), 1e-6);
}

TEST(FilterUnit, ResonanceLawPerDesign) {
  FilterUnit unit;
  for (double x : {0.0, 0.5, 1.0}) {
    unit.setRezo(x);
    for (double mode : {0.0, 1 / 3.0, 0.5, 1.0}) {
      Dsp::Filter* rbj = unit.getSelectedDSPFilter1(mode);
      EXPECT_DOUBLE_EQ(rbj->getParam(FilterUti::getDefaultRezoId(rbj)), pow2Law(x)) << rbj->getName();
      Dsp::Filter* cheby = unit.getSelectedDSPFilter2(mode);
      EXPECT_DOUBLE_EQ(cheby->getParam(cheby->findParamId(Dsp::idRippleDb)), rippleLaw(x));
    }
  }
  EXPECT_EQ(unit.getRezo(), 1.0);
}

TEST(FilterUnit, DesignsStartAtTheDescriptorDefaults) {
  FilterUnit unit;
  EXPECT_EQ(unit.getCutoff(), 1.0);
  EXPECT_EQ(frequencyOf(unit.getActiveDSPFilter()), 2000.0);
  const struct {
    double selector;
    const char* name;
    double order;
  } bank2[] = {{0.0, "Chebyshev I High Pass", 2}, {1 / 3.0, "Chebyshev I High Pass", 4},
               {2 / 3.0, "Chebyshev I Low Pass", 2}, {1.0, "Chebyshev I Low Pass", 4}};
  for (const auto& b : bank2) {
    Dsp::Filter* f = unit.getSelectedDSPFilter2(b.selector);
    EXPECT_EQ(f->getName(), b.name);
    EXPECT_EQ(f->getParam(f->findParamId(Dsp::idOrder)), b.order);
  }
  EXPECT_EQ(unit.getSelectedDSPFilter1(0.1)->getName(), "RBJ Low Pass");
  EXPECT_EQ(unit.getSelectedDSPFilter1(0.5)->getName(), "RBJ Band Pass 1");
  EXPECT_EQ(unit.getSelectedDSPFilter1(1.0)->getName(), "RBJ Band Stop");
  EXPECT_EQ(unit.getSelectedDSPFilter1(std::numeric_limits<double>::quiet_NaN())->getName(), "RBJ Low Pass");
}

TEST(FilterUnit, TransitionSelectsRampLength) {
  using Smoothed = Dsp::SmoothedFilterDesign<Dsp::ChebyshevI::Design::HighPass<4>, 2, Dsp::DirectFormII>;
  FilterUnit unit;
  EXPECT_STREQ(unit.getFilterTransitionText(), "Medium");
  struct Case {
    double x;
    const char* text;
    double selector;
    int samples;
  } cases[] = {{-1.0, "Slow", 0.0, 1024}, {0.0, "Slow", 0.0, 1024},   {0.25, "Medium", 0.5, 512},
               {0.5, "Medium", 0.5, 512}, {0.75, "Fast", 1.0, 256},   {5.0, "Fast", 1.0, 256},
               {std::numeric_limits<double>::quiet_NaN(), "Slow", 0.0, 1024}};
  for (const Case& c : cases) {
    unit.setFilterTransition(c.x);
    EXPECT_STREQ(unit.getFilterTransitionText(), c.text) << c.x;
    EXPECT_EQ(unit.getFilterTransition(), c.selector) << c.x;
    auto* design = dynamic_cast<Smoothed*>(unit.getActiveDSPFilter());
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(design->getTransitionSamples(), c.samples) << c.x;
    // A cutoff change now glides over that many samples.
    unit.setCutoff(0.3);
    EXPECT_EQ(design->getRemainingSamples(), c.samples) << c.x;
  }
}

// The lengths are those of 44.1 kHz in time, at any rate and whether the
// rate or the transition was set first.
TEST(FilterUnit, TransitionsLastAsLongAtEveryRate) {
  using Smoothed = Dsp::SmoothedFilterDesign<Dsp::ChebyshevI::Design::HighPass<4>, 2, Dsp::DirectFormII>;
  const struct {
    double rate;
    int slow, medium, fast;
  } cases[] = {{44100, 1024, 512, 256}, {48000, 1115, 557, 279}, {96000, 2229, 1115, 557}, {22050, 512, 256, 128}};
  for (const auto& c : cases) {
    FilterUnit unit;
    unit.setSampleRate(c.rate);
    auto* design = dynamic_cast<Smoothed*>(unit.getActiveDSPFilter());
    ASSERT_NE(design, nullptr);
    for (const auto& [x, samples] : {std::pair{0.0, c.slow}, {0.5, c.medium}, {1.0, c.fast}}) {
      unit.setFilterTransition(x);
      EXPECT_EQ(design->getTransitionSamples(), samples) << c.rate << " " << x;
    }
    unit.setSampleRate(44100);
    unit.setSampleRate(c.rate);
    unit.reset();
    unit.setCutoff(0.7);
    EXPECT_EQ(design->getRemainingSamples(), c.fast) << c.rate;
  }
}

TEST(FilterUnit, ModeSwitchIsImmediateAndDesignsKeepTheirHistory) {
  FilterUnit unit;
  unit.setFilterMix(0.0);
  unit.setCutoff(0.5);
  settle(unit);
  auto lowPass = reference<Dsp::RBJ::Design::LowPass, Dsp::DirectFormII>({44100, cutoffHz(0.5), 1});
  // The high-pass has not run yet, but the reset at the end of settling put
  // it at the cutoff too.
  auto highPass = reference<Dsp::RBJ::Design::HighPass, Dsp::DirectFormII>({44100, cutoffHz(0.5), 1});
  // Low-pass, then high-pass, then low-pass again: the low-pass carries on
  // from where it stopped, as if the middle block had not happened.
  StereoBuffer first = StereoBuffer::tones(128, 0), second = StereoBuffer::tones(128, 128),
               third = StereoBuffer::tones(128, 256);
  const StereoBuffer expected1 = filtered(*lowPass, first);
  const StereoBuffer expected2 = filtered(*highPass, second);
  const StereoBuffer expected3 = filtered(*lowPass, third);
  unit.process(first.channels(), 128);
  unit.setFilterMode1(1 / 3.0);
  unit.process(second.channels(), 128);
  unit.setFilterMode1(0.0);
  unit.process(third.channels(), 128);
  expectNear(first, expected1, 1e-9);
  expectNear(second, expected2, 1e-9);
  expectNear(third, expected3, 1e-9);
}

TEST(FilterUnit, SkippedBlocksAdvanceNothing) {
  // An oversized block, and any block once the unit has faded out, leave the
  // drive and mix glides and the fade where they were.
  FilterUnit skipped, straight;
  for (FilterUnit* u : {&skipped, &straight}) {
    u->setInputDrive(0.6);
    u->setFilterMix(0.3);
  }
  StereoBuffer oversized = StereoBuffer::tones(200);
  skipped.process(oversized.channels(), 200);
  StereoBuffer a = StereoBuffer::tones(128), b = StereoBuffer::tones(128);
  skipped.process(a.channels(), 128);
  straight.process(b.channels(), 128);
  EXPECT_EQ(a, b);

  FilterUnit faded;
  faded.setInputDrive(1.0);
  faded.setBypass(true);
  StereoBuffer fade(128);
  faded.process(fade.channels(), 128);
  faded.process(fade.channels(), 128);
  ASSERT_EQ(faded.getFadeLevel(), 0.0);
  StereoBuffer loud = StereoBuffer::tones(128, 0, 0.9);
  const StereoBuffer dry = loud;
  faded.process(loud.channels(), 128);
  EXPECT_EQ(loud, dry);
}

TEST(FilterUnit, BlocksLongerThanTheBlockSizePassUntouched) {
  FilterUnit unit;
  unit.setInputDrive(1.0);
  unit.setCutoff(0.2);
  for (int n : {129, 0}) {
    StereoBuffer block = StereoBuffer::tones(std::max(n, 1));
    const StereoBuffer dry = block;
    unit.process(block.channels(), n);
    EXPECT_EQ(block, dry) << n;
  }
  unit.setBlockSize(64);
  StereoBuffer full = StereoBuffer::tones(128);
  const StereoBuffer dry = full;
  unit.process(full.channels(), 128);
  EXPECT_FALSE(full == dry);

  expectLongBlockWaitsForTheBlockSize(unit, 512);
}

}  // namespace
