// A voice sounds alike at every sample rate: its oscillator filters pass a
// sawtooth's harmonics alike at 44.1 and 96 kHz, a cutoff that would pass
// Nyquist at a low rate stays below it, and the click is one shape in time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <vector>

#include "engine/Constants.h"
#include "tests/engine/StandInSynth.h"

namespace {

using namespace Quillvane::Synth;
using testsupport::StandInSynth;

constexpr int kNote = 48;
// Note 69 sounds at 880 Hz a semitone up.
const double kFundamental = 880.0 * std::pow(2.0, (kNote - 69) / 12.0) * Quillvane::ConstantsD::k12th_rt2;

struct Filter {
  double type, cutoff, resonance;
};

// A second of oscillator 1's sawtooth through its filter, the filter
// envelope held at full so the cutoff is the setting's.
std::vector<double> sawtooth(double rate, const Filter& filter) {
  auto synth = std::make_unique<StandInSynth>(rate, 512);
  for (const auto& [p, v] : std::vector<std::pair<eVstParameters, double>>{
           {Osc2OnOff, 0.0}, {Osc3OnOff, 0.0}, {PitchOnOff, 0.0}, {OscWaveform1, 1.0 / 35.0},
           {OscVolume1, 1.0}, {FilterAttack, 0.0}, {FilterSustain, 1.0}, {OscFilterType1, filter.type},
           {OscFilterCutoff1, filter.cutoff}, {OscFilterResonance1, filter.resonance}}) {
    synth->setParameter(p, v);
  }
  synth->queueNoteOn(kNote, 127, 0);
  synth->render(static_cast<int>(rate), {512});
  return synth->left;
}

// The level of harmonic h over the second half of x, in dB.
double harmonicLevel(const std::vector<double>& x, double rate, int h) {
  const std::size_t first = x.size() / 2;
  std::complex<double> sum = 0.0;
  const double w = 2 * M_PI * h * kFundamental / rate;
  for (std::size_t i = first; i < x.size(); ++i) sum += x[i] * std::polar(1.0, -w * static_cast<double>(i));
  return 20 * std::log10(2 * std::abs(sum) / static_cast<double>(x.size() - first));
}

TEST(VoiceRates, OscillatorFiltersPassTheSameHarmonicsAtEveryRate) {
  // The high-pass up to near the top, where its corner lies close to
  // Nyquist at 44.1 kHz and the bilinear transform warps it most.
  const Filter filters[] = {{0.0, 0.05, 0.0}, {0.0, 0.05, 0.6}, {0.0, 0.3, 0.25}, {1.0, 0.05, 0.0},
                            {1.0, 0.2, 0.5},  {0.5, 0.1, 0.3},  {1.0, 0.6, 0.0},  {1.0, 0.9, 0.4}};
  for (const Filter& f : filters) {
    const std::vector<double> reference = sawtooth(44100.0, f);
    const std::vector<double> high = sawtooth(96000.0, f);
    // Up to the harmonic near 8 kHz, those the filter leaves audible.
    for (int h = 1; h * kFundamental < 8000.0; ++h) {
      const double level = harmonicLevel(reference, 44100.0, h);
      if (level < -70.0) continue;
      EXPECT_NEAR(harmonicLevel(high, 96000.0, h), level, 1.5)
          << "type " << f.type << ", cutoff " << f.cutoff << ", resonance " << f.resonance << ", harmonic " << h;
    }
  }
}

// At 22.05 and 8 kHz the top of the cutoff's range at 44.1 kHz would put
// both filters past Nyquist, where they blow up; limited below it, they
// stay stable.
TEST(VoiceRates, ACutoffPastNyquistAtALowRateIsLimitedBelowIt) {
  const Filter filters[] = {{1.0, 0.8, 0.0}, {1.0, 1.0, 0.5}, {0.0, 1.0, 0.0}, {0.0, 1.0, 0.5}};
  for (double rate : {22050.0, 8000.0}) {
    for (const Filter& f : filters) {
      double peak = 0.0;
      for (double v : sawtooth(rate, f)) {
        ASSERT_TRUE(std::isfinite(v)) << rate << " Hz, type " << f.type << ", cutoff " << f.cutoff;
        peak = std::max(peak, std::fabs(v));
      }
      EXPECT_LT(peak, 4.0) << rate << " Hz, type " << f.type << ", cutoff " << f.cutoff;
    }
  }
}

// The click alone, its note struck on the first frame: every oscillator off,
// so that nothing else reaches the stereo outputs.
std::vector<double> click(double rate) {
  auto synth = std::make_unique<StandInSynth>(rate, 512);
  for (eVstParameters p : {Osc1OnOff, Osc2OnOff, Osc3OnOff}) synth->setParameter(p, 0.0);
  synth->setParameter(BassLayerClick, 1.0);
  synth->queueNoteOn(kNote, 127, 0);
  synth->render(static_cast<int>(0.25 * rate), {512});
  return synth->left;
}

// Wherever a frame at another rate falls on a frame at 44.1 kHz, the two
// give the same sample: the click is one curve in time, which 44.1 kHz
// samples as it always has. The two rates below it take several 44.1 kHz
// phase steps in one frame.
TEST(VoiceRates, TheClickIsOneShapeInTimeAtEveryRate) {
  const std::vector<double> reference = click(44100.0);
  // Each rate, and the frames of it that fall on 44.1 kHz frames.
  const struct {
    double rate;
    int framesPerMeeting;
  } rates[] = {{48000.0, 160}, {96000.0, 320}, {192000.0, 640}, {22050.0, 1}, {8000.0, 80}};
  for (const auto& r : rates) {
    const std::vector<double> other = click(r.rate);
    int compared = 0;
    for (std::size_t c = 0; c < other.size(); c += static_cast<std::size_t>(r.framesPerMeeting)) {
      const double at = static_cast<double>(c) * 44100.0 / r.rate;
      const auto n = static_cast<std::size_t>(std::lround(at));
      ASSERT_NEAR(at, static_cast<double>(n), 1e-9);
      if (n >= reference.size()) break;
      if (reference[n] != 0.0) ++compared;
      EXPECT_NEAR(other[c], reference[n], 1e-9) << r.rate << " Hz, frame " << c << " (" << n << " at 44.1 kHz)";
    }
    EXPECT_GT(compared, 2) << r.rate << " Hz";
  }
}

}  // namespace
