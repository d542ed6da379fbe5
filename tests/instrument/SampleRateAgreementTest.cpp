// Settings given in seconds and Hz mean the same at every sample rate: a
// preset rendered at 48 and 96 kHz and brought to 44.1 kHz sounds as it does
// at 44.1 kHz, band by band, and so does the click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/WaveformProvider.h"
#include "instrument/Thudrokka.h"
#include "tests/support/Resample.h"
#include "tests/support/ThirdOctaveBands.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using namespace Quillvane::Synth;
using Parameters = std::vector<std::pair<int, double>>;

constexpr long kReference = 44100;
constexpr long kOtherRates[] = {48000, 96000};
constexpr int kBlock = 512;
constexpr int kNote = 48;

// Both channels mixed, from the note-on: the note held for `held` seconds
// and `tail` seconds after it, at the rate, with the parameters set after
// the preset, brought to 44.1 kHz.
std::vector<double> render(int preset, long rate, const Parameters& parameters, double held, double tail) {
  InstrumentHost host;
  EXPECT_EQ(host.open(static_cast<double>(rate), kBlock), noErr);
  EXPECT_EQ(host.selectPreset(preset), noErr);
  for (const auto& [p, v] : parameters) {
    EXPECT_EQ(host.session().SetParameter(static_cast<AudioUnitParameterID>(p), static_cast<float>(v)), noErr);
  }
  std::vector<float> left(kBlock), right(kBlock);
  // A tenth of a second for the filter unit's glides from its defaults to
  // the preset, which take as long at every rate.
  for (int b = 0; b < static_cast<int>(0.1 * static_cast<double>(rate)) / kBlock; ++b) {
    host.render(kBlock, left.data(), right.data());
  }
  const auto heldFrames = static_cast<int>(held * static_cast<double>(rate));
  const auto total = static_cast<int>((held + tail) * static_cast<double>(rate));
  std::vector<double> mono;
  host.noteOn(kNote, 127, 0);
  for (int n = 0; n < total; n += kBlock) {
    const int frames = std::min(kBlock, total - n);
    if (n <= heldFrames && heldFrames < n + frames) host.noteOff(kNote, heldFrames - n);
    host.render(frames, left.data(), right.data());
    for (int i = 0; i < frames; ++i) mono.push_back(0.5 * (left[i] + right[i]));
  }
  return testsupport::resample(mono, rate, kReference);
}

// Whether a sounding oscillator of the preset plays noise, whose level per
// band falls as the rate rises.
bool playsNoise(int preset) {
  InstrumentHost host;
  EXPECT_EQ(host.open(static_cast<double>(kReference), kBlock), noErr);
  EXPECT_EQ(host.selectPreset(preset), noErr);
  const Thudrokka& plug = *host.instrument();
  const int oscillators[][3] = {{Osc1OnOff, OscVolume1, OscWaveform1},
                                {Osc2OnOff, OscVolume2, OscWaveform2},
                                {Osc3OnOff, OscVolume3, OscWaveform3}};
  for (const auto& [on, volume, waveform] : oscillators) {
    if (plug.GetParam(on)->Value() > 0.5 && plug.GetParam(volume)->Value() > 0.0 &&
        Quillvane::WaveformProvider::getWaveformIndex(plug.GetParam(waveform)->Value()) == Quillvane::kWaveWhiteNoize) {
      return true;
    }
  }
  return false;
}

// Kicks and a filter synth without noise that draw on all four things that
// once counted in samples: their oscillators' filters low and resonant, low-
// and high-pass, a click, smoothed volumes and pans, and the filter unit's
// glides. Left out are presets whose filter unit stands fully open in its
// RBJ low-pass without resonance, most of the synth and pad sections: at
// 44.1 kHz that corner lies 10 Hz below Nyquist, where the design passes
// everything, while at 96 kHz it is a real corner whose low Q rolls off
// from 1.4 kHz.
const int kPresets[] = {10, 12, 13, 30, 32, 66, 70, 119};

TEST(SampleRateAgreement, PresetsSoundAlikeBandByBand) {
  for (int preset : kPresets) {
    ASSERT_FALSE(playsNoise(preset)) << preset;
    const std::vector<double> reference =
        testsupport::thirdOctaveLevels(render(preset, kReference, {}, 1.0, 1.0), kReference);
    // Bands this far below the loudest hold little but the oscillators'
    // aliasing, which differs with the rate by nature.
    const double floor = *std::max_element(reference.begin(), reference.end()) - 60.0;
    for (long rate : kOtherRates) {
      const std::vector<double> levels = testsupport::thirdOctaveLevels(render(preset, rate, {}, 1.0, 1.0), kReference);
      for (std::size_t b = 0; b < reference.size(); ++b) {
        if (reference[b] < floor) continue;
        EXPECT_NEAR(levels[b], reference[b], 3.0)
            << "preset " << preset << " at " << rate << " Hz, band " << testsupport::thirdOctaveCentres()[b] << " Hz";
      }
    }
  }
}

// The click alone, straight to the output: every oscillator and the bass
// layer off, the effects bypassed.
TEST(SampleRateAgreement, TheClickKeepsItsShape) {
  const Parameters clickAlone = {{Osc1OnOff, 0.0}, {Osc2OnOff, 0.0}, {Osc3OnOff, 0.0},
                                 {BassLayerAmount, 0.0}, {BassLayerClick, 1.0}, {BypassFX, 1.0}};
  // Its first 30 milliseconds, where it sounds.
  const auto span = static_cast<std::size_t>(0.03 * kReference);
  auto firstPart = [&](long rate) {
    std::vector<double> x = render(13, rate, clickAlone, 0.05, 0.0);
    x.resize(span);
    return x;
  };
  const std::vector<double> reference = firstPart(kReference);
  for (long rate : kOtherRates) {
    const std::vector<double> other = firstPart(rate);
    double xy = 0.0, xx = 0.0, yy = 0.0;
    for (std::size_t i = 0; i < span; ++i) {
      xy += reference[i] * other[i];
      xx += reference[i] * reference[i];
      yy += other[i] * other[i];
    }
    ASSERT_GT(xx, 0.0);
    EXPECT_GT(xy / std::sqrt(xx * yy), 0.9) << rate << " Hz";
  }
}

}  // namespace
