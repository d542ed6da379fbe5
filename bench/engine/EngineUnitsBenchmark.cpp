// Per-sample cost of the units every voice calls: waveform reads, the
// envelope, the LFO and FM operators and the pitch envelope.

#include <benchmark/benchmark.h>

#include "engine/ADSR.h"
#include "engine/FmModulator.h"
#include "engine/Modulator.h"
#include "engine/PitchEnvelope.h"
#include "engine/WaveformProvider.h"

namespace {

using namespace Quillvane;

void WaveformSample(benchmark::State& state) {
  static WaveformProvider provider;
  static const bool made = (provider.makeWaveforms(), true);
  (void)made;
  const double selector = state.range(0) / 35.0;
  double phase = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(provider.getWaveformSample(selector, phase));
    phase += 0.0123;
  }
  state.SetLabel(WaveformProvider::getWaveformText(selector));
}
BENCHMARK(WaveformSample)->Arg(0)->Arg(1)->Arg(6)->Arg(7)->Arg(18)->Arg(21);

void EnvelopeUpdate(benchmark::State& state) {
  ADSR env("bench");
  env.KeyOn();
  for (auto _ : state) {
    env.update(1);
    if (!env.isPlaying()) env.KeyOn();
    benchmark::DoNotOptimize(env.getLevel());
  }
}
BENCHMARK(EnvelopeUpdate);

void LfoValue(benchmark::State& state) {
  Modulator lfo;
  lfo.setFrequency(0.4);
  for (auto _ : state) {
    benchmark::DoNotOptimize(lfo.getValue());
    lfo.advance();
  }
}
BENCHMARK(LfoValue);

void FmBlock(benchmark::State& state) {
  FmModulator op;
  op.setFrequencyHz(220.0);
  op.setAmount(0.5);
  double left[512] = {}, right[512] = {};
  double* buffers[2] = {left, right};
  for (auto _ : state) {
    op.modulate(buffers, 512);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 512);
}
BENCHMARK(FmBlock);

void PitchDuringFall(benchmark::State& state) {
  PitchEnvelope env;
  env.setPitchAmount(0.35);
  env.setPitchDuration(0.45);
  env.setPitchPower(0.75);
  double t = 0.01;
  for (auto _ : state) {
    benchmark::DoNotOptimize(env.getPitch(t));
    t = t < 0.9 ? t + 1e-5 : 0.01;
  }
}
BENCHMARK(PitchDuringFall);

}  // namespace
