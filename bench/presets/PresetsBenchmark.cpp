// The factory presets' one-off costs: rebuilding all 128 from their
// definitions, and writing the bank's source text.

#include <benchmark/benchmark.h>

#include "presets/PresetSourceGenerator.h"
#include "presets/ProgramDefinitions.h"

namespace {

void BM_RunAllDefinitions(benchmark::State& state) {
  Quillvane::RirARorurProgram program;
  for (auto _ : state) {
    double sum = 0.0;
    Quillvane::runProgramDefinitionsInBankOrder(program, [&sum](int, const Quillvane::RirARorurProgram& p) {
      sum += p.getParameterValue(Quillvane::Synth::Volume, true);
    });
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_RunAllDefinitions)->Unit(benchmark::kMicrosecond);

void BM_WriteBankSource(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Quillvane::saveFreePrograms4Wdl("/dev/null"));
}
BENCHMARK(BM_WriteBankSource)->Unit(benchmark::kMillisecond);

}  // namespace
