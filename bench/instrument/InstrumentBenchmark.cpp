// Real-time factor of the whole instrument at 44.1 kHz in 512-frame blocks:
// one note of every preset slot, 64 held notes of the heaviest preset, the
// effects' tails once a note has gone, and bursts of MIDI between blocks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "instrument/Thudrokka.h"

namespace {

constexpr double kSampleRate = 44100.0;
constexpr int kBlockSize = 512;
constexpr int kNumPresets = Thudrokka::kNumPresets;
// A note is held for a second and released for another, then played again.
constexpr int kHoldFrames = static_cast<int>(kSampleRate);
constexpr int kCycleFrames = 2 * kHoldFrames;

class Instrument {
 public:
  explicit Instrument(int preset) : mPlug(static_cast<Thudrokka*>(MakePlug())) {
    mPlug->SetSampleRate(kSampleRate);
    mPlug->SetBlockSize(kBlockSize);
    mPlug->Reset();
    mPlug->RestorePreset(preset);
  }

  void send(bool on, int note, int offset) {
    IMidiMsg msg;
    if (on) {
      msg.MakeNoteOnMsg(note, 127, offset);
    } else {
      msg.MakeNoteOffMsg(note, offset);
    }
    mPlug->ProcessMidiMsg(&msg);
  }

  void renderBlock() {
    double* out[2] = {mLeft.data(), mRight.data()};
    mPlug->ProcessDoubleReplacing(nullptr, out, kBlockSize);
  }

  // One block of the note cycle; the note starts and stops on its own frame.
  void renderNoteCycleBlock(int note) {
    const int start = mFrame % kCycleFrames;
    if (start == 0) send(true, note, 0);
    if (start <= kHoldFrames && start + kBlockSize > kHoldFrames) send(false, note, kHoldFrames - start);
    renderBlock();
    mFrame += kBlockSize;
  }

 private:
  std::unique_ptr<Thudrokka> mPlug;
  std::vector<double> mLeft = std::vector<double>(kBlockSize);
  std::vector<double> mRight = std::vector<double>(kBlockSize);
  int mFrame = 0;
};

void reportRealtimeFactor(benchmark::State& state) {
  const double frames = static_cast<double>(state.iterations()) * kBlockSize;
  state.counters["realtime_factor"] = benchmark::Counter(frames / kSampleRate, benchmark::Counter::kIsRate);
}

void BM_PresetNote(benchmark::State& state) {
  const int preset = static_cast<int>(state.range(0));
  Instrument instrument(preset);
  for (auto _ : state) instrument.renderNoteCycleBlock(48);
  reportRealtimeFactor(state);
}
BENCHMARK(BM_PresetNote)->DenseRange(0, kNumPresets - 1)->MinTime(0.1)->Unit(benchmark::kMicrosecond);

// The preset whose held note takes longest to render, each timed a few
// times and the quickest run kept, so a busy moment does not pick it.
int heaviestPreset() {
  static const int heaviest = [] {
    int slowest = 0;
    double longest = 0.0;
    for (int preset = 0; preset < kNumPresets; ++preset) {
      Instrument instrument(preset);
      instrument.send(true, 48, 0);
      double quickest = 1e30;
      for (int run = 0; run < 3; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        for (int b = 0; b < 40; ++b) instrument.renderBlock();
        quickest = std::min(quickest, std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
      }
      if (quickest > longest) {
        longest = quickest;
        slowest = preset;
      }
    }
    return slowest;
  }();
  return heaviest;
}

void BM_HeaviestPreset64Voices(benchmark::State& state) {
  const int preset = heaviestPreset();
  Instrument instrument(preset);
  for (int v = 0; v < 64; ++v) instrument.send(true, 30 + v, v);
  // Past the attacks and the pitch sweep, into the held part.
  for (int b = 0; b < 2 * static_cast<int>(kSampleRate) / kBlockSize; ++b) instrument.renderBlock();
  for (auto _ : state) instrument.renderBlock();
  state.SetLabel("preset " + std::to_string(preset));
  reportRealtimeFactor(state);
}
BENCHMARK(BM_HeaviestPreset64Voices)->Unit(benchmark::kMicrosecond);

// What the instrument costs while it plays nothing: a short note is played
// and released untimed, and from a second after its release the next five
// seconds are timed, while the effects' tails die away into silence. The
// presets are those whose tails feed their distortion.
void BM_EffectTail(benchmark::State& state) {
  const int preset = static_cast<int>(state.range(0));
  Instrument instrument(preset);
  const int second = static_cast<int>(kSampleRate) / kBlockSize;
  for (auto _ : state) {
    state.PauseTiming();
    instrument.send(true, 48, 0);
    for (int b = 0; b < second / 4; ++b) instrument.renderBlock();
    instrument.send(false, 48, 0);
    for (int b = 0; b < second; ++b) instrument.renderBlock();
    state.ResumeTiming();
    for (int b = 0; b < 5 * second; ++b) instrument.renderBlock();
  }
  const double frames = static_cast<double>(state.iterations()) * 5 * second * kBlockSize;
  state.counters["realtime_factor"] = benchmark::Counter(frames / kSampleRate, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EffectTail)->Arg(23)->Arg(25)->Arg(40)->Unit(benchmark::kMillisecond);

// What the MIDI path costs the host's calls and the render thread: a burst
// of note-offs of keys that are not held before every block, none of them
// sounding, from none to more than the hand-over holds.
void BM_ReleaseBurst(benchmark::State& state) {
  const int events = static_cast<int>(state.range(0));
  Instrument instrument(0);
  for (auto _ : state) {
    for (int i = 0; i < events; ++i) instrument.send(false, 40 + i % 60, i % kBlockSize);
    instrument.renderBlock();
  }
  state.counters["events"] = benchmark::Counter(static_cast<double>(state.iterations()) * events,
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReleaseBurst)->Arg(0)->Arg(64)->Arg(1024)->Arg(3000)->Unit(benchmark::kMicrosecond);

}  // namespace
