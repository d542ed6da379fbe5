// Rendering speed of the voices: held notes of the heavy program at 44.1 and
// 96 kHz in 512-frame blocks, through the instrument's block loop.
#include <benchmark/benchmark.h>

#include <memory>

#include "tests/engine/HeavyProgram.h"
#include "tests/engine/StandInSynth.h"

namespace {

constexpr int kBlockSize = 512;

// Arguments: the voices, and the sample rate in Hz.
void BM_HeavyVoices(benchmark::State& state) {
  const int voices = static_cast<int>(state.range(0));
  const auto sampleRate = static_cast<double>(state.range(1));
  auto synth = std::make_unique<testsupport::StandInSynth>(sampleRate, kBlockSize);
  testsupport::applyHeavyProgram(*synth);
  for (int v = 0; v < voices; ++v) synth->queueNoteOn(36 + v, 100, v * 11);
  // Past the pitch sweep and into the sustain, where a held note spends its life.
  for (int b = 0; b < 2 * static_cast<int>(sampleRate) / kBlockSize; ++b) {
    synth->renderBlock(kBlockSize);
  }
  for (auto _ : state) {
    synth->renderBlock(kBlockSize);
    benchmark::ClobberMemory();
  }
  const double frames = static_cast<double>(state.iterations()) * kBlockSize;
  state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
  state.counters["realtime_factor"] =
      benchmark::Counter(frames / sampleRate, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_HeavyVoices)
    ->ArgsProduct({{1, 8, 16, 64}, {44100, 96000}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
