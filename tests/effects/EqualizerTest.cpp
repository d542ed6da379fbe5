#include <gtest/gtest.h>

#include <cmath>

#include "dsp/Butterworth.h"
#include "effects/3BandEq.h"
#include "tests/effects/BlockSizeLimit.h"
#include "tests/effects/ReferenceFilter.h"

namespace {

using namespace Quillvane;
using namespace effectstest;
using DF1 = Dsp::DirectFormI;

// The references run the same designs; they differ from the unit in
// rounding only.
constexpr double kTolerance = 1e-12;

double gainLaw(double x) { return -24.0 + 48.0 * x; }

// The two shelves in series, as the references see them.
StereoBuffer shelved(const StereoBuffer& in, double bass, double high) {
  auto low = reference<Dsp::Butterworth::Design::LowShelf<2>, DF1>({44100, 2, 400, gainLaw(bass)});
  auto top = reference<Dsp::Butterworth::Design::HighShelf<2>, DF1>({44100, 2, 4400, gainLaw(high)});
  return filtered(*top, filtered(*low, in));
}

StereoBuffer mix(const StereoBuffer& a, double wa, const StereoBuffer& b, double wb) {
  StereoBuffer out(a.size());
  for (int i = 0; i < a.size(); ++i) {
    out.left()[i] = wa * a.left()[i] + wb * b.left()[i];
    out.right()[i] = wa * a.right()[i] + wb * b.right()[i];
  }
  return out;
}

TEST(Equalizer, MatchesTheShelvesAndTheMidBand) {
  struct Case {
    double bass, mid, high;
    double shelvedWeight, bandWeight;
    bool bandPass;
  } cases[] = {
      {0.75, 0.75, 0.25, 1.0, 0.25, true},   // band-pass added, k = 0.25
      {0.3, 1.0, 0.8, 1.0, 1.0, true},       // full band-pass on top
      {0.75, 0.25, 0.25, 0.75, 0.25, false}, // a quarter band-stopped input
      {0.9, 0.0, 0.1, 0.0, 1.0, false},      // band-stopped input alone, no shelving
      {0.5, 0.5, 0.5, 1.0, 0.0, true},       // flat
  };
  for (const Case& c : cases) {
    Equalizer eq;
    eq.setBassAmount(c.bass);
    eq.setMidAmount(c.mid);
    eq.setHighAmount(c.high);
    settle(eq);
    StereoBuffer block = StereoBuffer::tones(128);
    auto band = c.bandPass ? reference<Dsp::Butterworth::Design::BandPass<2>, DF1>({44100, 2, 2400, 4000})
                           : reference<Dsp::Butterworth::Design::BandStop<2>, DF1>({44100, 2, 2400, 4000});
    const StereoBuffer expected =
        mix(shelved(block, c.bass, c.high), c.shelvedWeight, filtered(*band, block), c.bandWeight);
    eq.process(block.channels(), 128);
    SCOPED_TRACE(testing::Message() << c.bass << " " << c.mid << " " << c.high);
    expectNear(block, expected, kTolerance);
  }
}

TEST(Equalizer, NeutralSettingsPassTheInput) {
  Equalizer eq;
  for (auto set : {&Equalizer::setBassAmount, &Equalizer::setMidAmount, &Equalizer::setHighAmount}) (eq.*set)(0.5);
  settle(eq);
  StereoBuffer block = StereoBuffer::tones(128);
  const StereoBuffer dry = block;
  eq.process(block.channels(), 128);
  expectNear(block, dry, kTolerance);
}

TEST(Equalizer, BandShelfModeRunsTheMidAsAThirdShelf) {
  Equalizer eq;
  eq.setBandShelfMode(true);
  eq.setBassAmount(0.6);
  eq.setMidAmount(0.75);
  eq.setHighAmount(0.4);
  settle(eq);
  StereoBuffer block = StereoBuffer::tones(128);
  auto bandShelf = reference<Dsp::Butterworth::Design::BandShelf<2>, DF1>({44100, 2, 2400, 4000, 12});
  const StereoBuffer expected = filtered(*bandShelf, shelved(block, 0.6, 0.4));
  eq.process(block.channels(), 128);
  expectNear(block, expected, kTolerance);
}

// At other rates each design takes the frequencies, or for the bands the
// edges, that it sees as it sees those of 44.1 kHz: 4400 Hz, past Nyquist at
// 8 kHz, lands below it there instead of ringing up.
TEST(Equalizer, SoundsAtEveryRateAsAt44k) {
  for (double rate : {96000.0, 48000.0, 8000.0}) {
    Equalizer eq;
    eq.setSampleRate(rate);
    eq.setBassAmount(1.0);
    eq.setMidAmount(0.25);
    settle(eq);
    StereoBuffer block = StereoBuffer::tones(128);
    const double bandLow = matching(400, rate), bandHigh = matching(4400, rate);
    // The high shelf was never set and still runs at its -6 dB default.
    auto low = reference<Dsp::Butterworth::Design::LowShelf<2>, DF1>({rate, 2, matching(400, rate), 24});
    auto top = reference<Dsp::Butterworth::Design::HighShelf<2>, DF1>({rate, 2, matching(4400, rate), -6});
    auto stop = reference<Dsp::Butterworth::Design::BandStop<2>, DF1>(
        {rate, 2, 0.5 * (bandLow + bandHigh), bandHigh - bandLow});
    const StereoBuffer expected = mix(filtered(*top, filtered(*low, block)), 0.75, filtered(*stop, block), 0.25);
    eq.process(block.channels(), 128);
    SCOPED_TRACE(rate);
    expectNear(block, expected, 1e-9);
  }
}

TEST(Equalizer, GainReadOuts) {
  Equalizer eq;
  // Amounts start at 0 although the shelves run at their -6 dB default.
  EXPECT_DOUBLE_EQ(eq.getBassGainDb(), -24.0);
  eq.setBassAmount(0.75);
  eq.setMidAmount(0.0);
  eq.setHighAmount(1.0);
  EXPECT_DOUBLE_EQ(eq.getBassGainDb(), 12.0);
  EXPECT_DOUBLE_EQ(eq.getHighGainDb(), 24.0);
  eq.setHighAmount(1.5);
  EXPECT_DOUBLE_EQ(eq.getHighGainDb(), 48.0);
}

// At the band's centre the full band-pass doubles the input and the full
// band-stop leaves nothing; as a band shelf the mid has the shelves' law.
TEST(Equalizer, MidGainReadOutIsTheBandsGainAtItsCentre) {
  const struct {
    double mid;
    bool bandShelf;
    double db;
  } cases[] = {
      {1.0, false, 20.0 * std::log10(2.0)},
      {0.75, false, 20.0 * std::log10(1.25)},
      {0.5, false, 0.0},
      {0.25, false, 20.0 * std::log10(0.75)},
      {0.0, false, -HUGE_VAL},
      {1.0, true, 24.0},
      {0.0, true, -24.0},
  };
  for (const auto& c : cases) {
    Equalizer eq;
    eq.setBandShelfMode(c.bandShelf);
    eq.setMidAmount(c.mid);
    EXPECT_DOUBLE_EQ(eq.getMidGainDb(), c.db) << c.mid << (c.bandShelf ? " as a band shelf" : "");
  }
}

TEST(Equalizer, BlocksLongerThanTheBlockSizePassUntouched) {
  Equalizer eq;
  eq.setBassAmount(1.0);
  expectLongBlockWaitsForTheBlockSize(eq, 256);
}

}  // namespace
