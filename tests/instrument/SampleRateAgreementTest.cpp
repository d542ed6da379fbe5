// Settings given in seconds and Hz mean the same at every sample rate: every
// preset rendered at 96 and 192 kHz and brought to 44.1 kHz sounds as it
// does at 44.1 kHz, band by band, and the click keeps its shape at 48, 96
// and 192 kHz.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/Note.h"
#include "instrument/Thudrokka.h"
#include "tests/support/Resample.h"
#include "tests/support/ThirdOctaveBands.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using namespace Quillvane::Synth;
using Parameters = std::vector<std::pair<int, double>>;

constexpr long kReference = 44100;
constexpr long kOtherRates[] = {96000, 192000};
constexpr long kClickRates[] = {48000, 96000, 192000};
constexpr int kBlock = 512;
constexpr int kNote = 48;

// The note from its note-on, held for `held` seconds and rendered `tail`
// seconds past its release, both channels mixed and brought to 44.1 kHz.
std::vector<double> playNote(InstrumentHost& host, double held, double tail) {
  const double rate = host.sampleRate();
  const auto heldFrames = static_cast<int>(held * rate);
  const auto total = static_cast<int>((held + tail) * rate);
  std::vector<float> left(kBlock), right(kBlock);
  std::vector<double> mono;
  host.noteOn(kNote, 127, 0);
  for (int n = 0; n < total; n += kBlock) {
    const int frames = std::min(kBlock, total - n);
    if (n <= heldFrames && heldFrames < n + frames) host.noteOff(kNote, heldFrames - n);
    host.render(frames, left.data(), right.data());
    for (int i = 0; i < frames; ++i) mono.push_back(0.5 * (left[i] + right[i]));
  }
  return testsupport::resample(mono, static_cast<long>(rate), kReference);
}

// As long at every rate, so that what runs free (the phaser's sweep, say)
// stands at the same time at each.
void renderSilence(InstrumentHost& host, double seconds) {
  std::vector<float> left(kBlock), right(kBlock);
  const auto total = static_cast<int>(std::lround(seconds * host.sampleRate()));
  for (int n = 0; n < total; n += kBlock) host.render(std::min(kBlock, total - n), left.data(), right.data());
}

struct PresetSound {
  std::string name;
  // Whether a sounding oscillator reads the shared noise generator, whose
  // level per band falls as the rate rises.
  bool noise = false;
  std::vector<double> bandLevels;
};

// A copy of this process working out what f gives, so that whatever f
// changes (an instrument's state, say) stays as it was here. Copies run side
// by side; result() waits for this one.
class CopyOfProcess {
 public:
  explicit CopyOfProcess(const std::function<std::vector<double>()>& f) {
    int channel[2];
    if (::pipe(channel) != 0) return;
    mPid = ::fork();
    if (mPid == 0) {
      ::close(channel[0]);
      const std::vector<double> result = f();
      const auto bytes = static_cast<ssize_t>(result.size() * sizeof(double));
      ::_exit(::write(channel[1], result.data(), static_cast<std::size_t>(bytes)) == bytes ? 0 : 1);
    }
    ::close(channel[1]);
    mChannel = channel[0];
  }
  CopyOfProcess(const CopyOfProcess&) = delete;
  CopyOfProcess& operator=(const CopyOfProcess&) = delete;
  ~CopyOfProcess() { result(); }

  // Empty when the copy failed.
  std::vector<double> result() {
    std::vector<double> values;
    double value;
    while (mPid > 0 && ::read(mChannel, &value, sizeof value) == static_cast<ssize_t>(sizeof value)) {
      values.push_back(value);
    }
    if (mChannel >= 0) ::close(mChannel);
    mChannel = -1;
    int status = 0;
    const bool ended = mPid > 0 && ::waitpid(mPid, &status, 0) == mPid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    mPid = -1;
    return ended ? values : std::vector<double>();
  }

 private:
  pid_t mPid = -1;
  int mChannel = -1;
};

constexpr std::size_t kCopiesAtOnce = 4;

// A short note of every preset at the rate, struck as the preset is chosen,
// as the bank renders it, so that whatever choosing it starts (a glide, a
// fade) is heard too; as third-octave levels with a last value 1 when the
// preset draws noise. Each starts from the instance as it was opened: its
// voices keep some state from note to note (the FM operators' phases),
// which would otherwise carry one preset's ending into the next one's start.
std::vector<PresetSound> renderBank(long rate) {
  InstrumentHost host;
  EXPECT_EQ(host.open(static_cast<double>(rate), kBlock), noErr);
  const std::vector<standin::HostSession::Preset> presets = host.presets();
  std::vector<PresetSound> bank;
  std::deque<std::unique_ptr<CopyOfProcess>> running;
  auto collect = [&] {
    std::vector<double> rendered = running.front()->result();
    running.pop_front();
    PresetSound sound;
    sound.name = presets[bank.size()].name;
    EXPECT_EQ(rendered.size(), testsupport::thirdOctaveCentres().size() + 1) << sound.name;
    if (!rendered.empty()) {
      sound.noise = rendered.back() != 0.0;
      rendered.pop_back();
      sound.bandLevels = rendered;
    }
    bank.push_back(sound);
  };
  for (const auto& preset : presets) {
    if (running.size() == kCopiesAtOnce) collect();
    running.push_back(std::make_unique<CopyOfProcess>([&host, number = preset.number]() -> std::vector<double> {
      if (host.selectPreset(number) != noErr) return {};
      Quillvane::Note probe;
      probe.setMasterSynth(host.instrument());
      std::vector<double> levels = testsupport::thirdOctaveLevels(playNote(host, 0.3, 0.1), kReference);
      levels.push_back(probe.drawsNoise() ? 1.0 : 0.0);
      return levels;
    }));
  }
  while (!running.empty()) collect();
  return bank;
}

// Presets whose sound cannot be the same at every rate.
const std::set<std::string> kRateDependent = {
    // An oscillator reads a noise table, whose content reaches far past
    // Nyquist and folds back over the whole band: like noise, the level per
    // band falls as the rate rises.
    "Open Hihat",
    "A Coder Ate My Pigeon",
    "Neightbours Nightmare",
    "Uncontrolled Detonation",
    // Bright oscillators that are not band-limited: what folds back from past
    // Nyquist fills the bands between their harmonics, 35 to 60 dB below the
    // loudest band, lands elsewhere at each rate and falls by about 6 dB each
    // time the rate doubles.
    "Erich Zann's Violin",
    "#BRASS SECTION#",
    "Virtual Harmonica",
    "#PAD SECTION#",
    "Prophecy Pad",
    "Square Lead 1",
    "Big Pitcher",
    // Oscillator 1's filter at full resonance rings without decay at its
    // corner, fed by that folded-back sound, and saturation and a hard clip
    // before the sample-rate reduction make more of it.
    "T.Quake Oi-Synth 1",
    "T.Quake Oi-Synth 2",
};

TEST(SampleRateAgreement, EveryPresetWithoutNoiseSoundsAlikeBandByBand) {
  const std::vector<PresetSound> reference = renderBank(kReference);
  std::set<std::string> named;
  for (const PresetSound& preset : reference) {
    if (kRateDependent.count(preset.name)) {
      EXPECT_FALSE(preset.noise) << preset.name << " is left out for its noise already";
      named.insert(preset.name);
    }
  }
  EXPECT_EQ(named, kRateDependent) << "a preset left out by name is not in the bank";

  for (long rate : kOtherRates) {
    const std::vector<PresetSound> other = renderBank(rate);
    ASSERT_EQ(other.size(), reference.size());
    for (std::size_t p = 0; p < reference.size(); ++p) {
      const PresetSound& ref = reference[p];
      if (ref.noise || kRateDependent.count(ref.name) || other[p].bandLevels.size() != ref.bandLevels.size()) continue;
      // Bands this far below the loudest hold little but the oscillators'
      // aliasing, which differs with the rate by nature.
      const double floor = *std::max_element(ref.bandLevels.begin(), ref.bandLevels.end()) - 60.0;
      for (std::size_t b = 0; b < ref.bandLevels.size(); ++b) {
        if (ref.bandLevels[b] < floor) continue;
        EXPECT_NEAR(other[p].bandLevels[b], ref.bandLevels[b], 3.0)
            << p << " " << ref.name << " at " << rate << " Hz, band " << testsupport::thirdOctaveCentres()[b] << " Hz";
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
    InstrumentHost host;
    EXPECT_EQ(host.open(static_cast<double>(rate), kBlock), noErr);
    EXPECT_EQ(host.selectPreset(13), noErr);
    for (const auto& [p, v] : clickAlone) {
      EXPECT_EQ(host.session().SetParameter(static_cast<AudioUnitParameterID>(p), static_cast<float>(v)), noErr);
    }
    renderSilence(host, 0.1);
    std::vector<double> x = playNote(host, 0.05, 0.0);
    x.resize(span);
    return x;
  };
  const std::vector<double> reference = firstPart(kReference);
  for (long rate : kClickRates) {
    const std::vector<double> other = firstPart(rate);
    double xy = 0.0, xx = 0.0, yy = 0.0;
    for (std::size_t i = 0; i < span; ++i) {
      xy += reference[i] * other[i];
      xx += reference[i] * reference[i];
      yy += other[i] * other[i];
    }
    ASSERT_GT(xx, 0.0);
    EXPECT_GT(xy / std::sqrt(xx * yy), 0.99) << rate << " Hz";
  }
}

}  // namespace
