#include "dsp/Cascade.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "dsp/Constants.h"
#include "dsp/RBJ.h"

namespace {

using Dsp::Cascade;
using Dsp::CascadeStages;
using Dsp::complex_t;
using Dsp::LayoutBase;
using Dsp::PoleZeroPair;

// A cascade of up to two stages with its storage and a layout to load.
struct Fixture {
  Fixture() { cascade.setCascadeStorage(stages.getCascadeStorage()); }

  CascadeStages<2> stages;
  Cascade cascade;
  PoleZeroPair pairs[2];
  LayoutBase layout{4, pairs};
};

TEST(Cascade, LayoutFillsOneStagePerPairTheLaterAtUnitGain) {
  Fixture f;
  f.layout.addConjugatePair(complex_t(0.3, 0.6), complex_t(-1, 0));
  f.layout.addSingle(0.5, -1);
  f.layout.setNormal(0.7, 3.5);
  f.cascade.setLayout(f.layout);

  ASSERT_EQ(f.cascade.getNumStages(), 2);
  const double normal = 0.7 / Dsp::double2Pi;
  EXPECT_NEAR(std::abs(f.cascade.response(normal)), 3.5, 1e-13);
  // The second stage passes the normal frequency unchanged, its zero where
  // the layout put it; the first carries the whole gain.
  EXPECT_NEAR(std::abs(f.cascade[1].response(normal)), 1, 1e-15);
  EXPECT_DOUBLE_EQ(f.cascade[1].getB1() / f.cascade[1].getB0(), 1);
  EXPECT_NEAR(std::abs(f.cascade[0].response(normal)), 3.5, 1e-13);
  EXPECT_EQ(f.cascade.getPoleZeros().size(), 2u);
}

TEST(Cascade, WithoutStagesTheResponseIsOneAndSignalPasses) {
  Fixture f;
  f.cascade.setLayout(f.layout);
  EXPECT_EQ(f.cascade.getNumStages(), 0);
  EXPECT_EQ(f.cascade.response(0.1), complex_t(1, 0));

  CascadeStages<2>::State<Dsp::DirectFormI> state;
  double samples[3] = {0.5, -0.25, 0};
  f.cascade.process(3, samples, state);
  EXPECT_EQ(samples[0], 0.5);
  EXPECT_EQ(samples[1], -0.25);
  EXPECT_EQ(samples[2], 0);
}

// Silence in gives exact silence out: the forms add nothing to the signal.
// A history whose next outputs without input stay below the silence level
// is dropped when asked, a larger one is kept; an integrator, which never
// decays by itself, shows which.
template <class StateType>
void expectSilenceAndTheSilenceLevel() {
  Dsp::BiquadBase identity;
  identity.setIdentity();
  typename CascadeStages<1>::template State<StateType> quiet;
  double out[4] = {0, 0, 0, 0};
  Cascade::processChain(&identity, 1, 4, out, quiet);
  for (double x : out) EXPECT_EQ(x, 0.0);

  Dsp::BiquadBase integrator;
  integrator.setCoefficients(1, -1, 0, 1, 0, 0);
  for (double level : {0.5 * Dsp::kSilentOutput, 2 * Dsp::kSilentOutput}) {
    typename CascadeStages<1>::template State<StateType> state;
    double signal = level;
    Cascade::processChain(&integrator, 1, 1, &signal, state);
    Cascade::silenceIfRungOut(&integrator, 1, state);
    double after = 0;
    Cascade::processChain(&integrator, 1, 1, &after, state);
    EXPECT_EQ(after, level < Dsp::kSilentOutput ? 0.0 : level) << level;
  }
}

TEST(Cascade, DirectFormIAddsNothingAndDropsARungOutHistory) {
  expectSilenceAndTheSilenceLevel<Dsp::DirectFormI>();
}

TEST(Cascade, DirectFormIIAddsNothingAndDropsARungOutHistory) {
  expectSilenceAndTheSilenceLevel<Dsp::DirectFormII>();
}

// A tail fed only silence and asked at every check, as the filters ask,
// never leaves out more than the silence level of what its history still
// had to give, and still ends in exact zeros: slow, ringing and doubled
// poles among them, where the next two outputs tell little.
template <class StateType>
void expectCutsBelowTheSilenceLevel(const Dsp::BiquadBase& section, double rate, const char* name) {
  typename CascadeStages<1>::template State<StateType> cut, whole;
  constexpr int kCheck = 64;
  const int burst = static_cast<int>(0.05 * rate);
  const int total = static_cast<int>(8.0 * rate);
  double largest = 0.0;
  double last = 1.0;
  for (int start = 0; start < total; start += kCheck) {
    double a[kCheck], b[kCheck];
    for (int i = 0; i < kCheck; ++i) a[i] = b[i] = start + i < burst ? std::sin(0.001 * (start + i)) : 0.0;
    Cascade::processChain(&section, 1, kCheck, a, cut);
    Cascade::processChain(&section, 1, kCheck, b, whole);
    if (start >= burst) Cascade::silenceIfRungOut(&section, 1, cut);
    for (int i = 0; i < kCheck; ++i) largest = std::max(largest, std::fabs(a[i] - b[i]));
    last = a[kCheck - 1];
  }
  EXPECT_LE(largest, Dsp::kSilentOutput) << name;
  EXPECT_EQ(last, 0.0) << name;
}

TEST(Cascade, ASilencedTailLeavesOutLessThanTheSilenceLevel) {
  struct Case {
    const char* name;
    Dsp::BiquadBase section;
    double rate;
  };
  std::vector<Case> cases;
  auto lowPass = [&](const char* name, double rate, double hz, double q) {
    Dsp::RBJ::LowPass s;
    s.setup(rate, hz, q);
    cases.push_back({name, s, rate});
  };
  auto highPass = [&](const char* name, double rate, double hz, double q) {
    Dsp::RBJ::HighPass s;
    s.setup(rate, hz, q);
    cases.push_back({name, s, rate});
  };
  lowPass("low-pass 20 Hz, Q 10, 192 kHz", 192000, 20, 10);
  lowPass("low-pass 20 Hz, Q 0.5 (a doubled pole), 192 kHz", 192000, 20, 0.5);
  lowPass("low-pass 1 kHz, Q 0.7, 44.1 kHz", 44100, 1000, 0.7);
  highPass("high-pass 30 Hz, Q 16, 96 kHz", 96000, 30, 16);
  highPass("high-pass 5 kHz, Q 0.0625, 44.1 kHz", 44100, 5000, 0.0625);
  for (const Case& c : cases) {
    expectCutsBelowTheSilenceLevel<Dsp::DirectFormI>(c.section, c.rate, c.name);
    expectCutsBelowTheSilenceLevel<Dsp::DirectFormII>(c.section, c.rate, c.name);
  }
}

TEST(Cascade, BothStateFormsComputeTheSameFilter) {
  Fixture f;
  f.layout.addConjugatePair(complex_t(0.8, 0.4), complex_t(0, 1));
  f.layout.addConjugatePair(complex_t(0.5, -0.2), complex_t(-1, 0));
  f.layout.setNormal(0, 1);
  f.cascade.setLayout(f.layout);

  CascadeStages<2>::State<Dsp::DirectFormI> df1;
  CascadeStages<2>::State<Dsp::DirectFormII> df2;
  double a[64];
  double b[64];
  for (int i = 0; i < 64; ++i) a[i] = b[i] = std::sin(0.37 * i) + (i == 3 ? 1 : 0);
  f.cascade.process(64, a, df1);
  f.cascade.process(64, b, df2);
  // The forms differ only in rounding.
  for (int i = 0; i < 64; ++i) EXPECT_NEAR(a[i], b[i], 1e-12) << i;
}

TEST(Cascade, FloatSamplesAreFilteredInDouble) {
  Fixture f;
  f.layout.addSingle(0.9, -1);
  f.layout.setNormal(0, 1);
  f.cascade.setLayout(f.layout);

  CascadeStages<2>::State<Dsp::DirectFormI> floatState;
  CascadeStages<2>::State<Dsp::DirectFormI> doubleState;
  float fs[16];
  double ds[16];
  for (int i = 0; i < 16; ++i) fs[i] = static_cast<float>(ds[i] = (i % 5) * 0.25);
  f.cascade.process(16, fs, floatState);
  f.cascade.process(16, ds, doubleState);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(fs[i], static_cast<float>(ds[i])) << i;
}

}  // namespace
