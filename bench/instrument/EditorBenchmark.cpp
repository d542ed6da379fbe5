// The instrument with its editor, installed as a host finds it so that the
// editor draws the build's images: building and deleting one instance, one
// change of every parameter with the read-outs it refreshes, a full redraw
// of the editor into its back buffer at the defaults and after a refresh,
// and the timer's tick when nothing is dirty (every fourth one runs the idle
// pass of the controls and the instrument).
#include <benchmark/benchmark.h>

#include <memory>

#include "graphics/IGraphics.h"
#include "instrument/Thudrokka.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

std::unique_ptr<Thudrokka> MakeInstrument() {
  InstallThudrokka();
  return std::unique_ptr<Thudrokka>(static_cast<Thudrokka*>(MakePlug()));
}

IGraphics* EditorOf(Thudrokka& plug) { return dynamic_cast<IGraphics*>(plug.GetGUI()); }

void BM_BuildInstrumentWithEditor(benchmark::State& state) {
  // The first instance loads the images into the process's cache.
  MakeInstrument();
  for (auto _ : state) {
    std::unique_ptr<Thudrokka> plug = MakeInstrument();
    benchmark::DoNotOptimize(plug.get());
  }
}
BENCHMARK(BM_BuildInstrumentWithEditor)->Unit(benchmark::kMillisecond);

void BM_EveryParameterChanged(benchmark::State& state) {
  std::unique_ptr<Thudrokka> plug = MakeInstrument();
  double v = 0.0;
  for (auto _ : state) {
    v = v > 0.9 ? 0.0 : v + 0.1;
    for (int p = 0; p < plug->NParams(); ++p) {
      plug->GetParam(p)->Set(v);
      plug->OnParamChange(p);
    }
  }
  state.SetItemsProcessed(state.iterations() * plug->NParams());
}
BENCHMARK(BM_EveryParameterChanged)->Unit(benchmark::kMicrosecond);

void BM_FullEditorRedraw(benchmark::State& state) {
  std::unique_ptr<Thudrokka> plug = MakeInstrument();
  // Range 1: after a host's initialisation, every read-out holds a value.
  if (state.range(0)) plug->OnParamReset();
  IGraphics* editor = EditorOf(*plug);
  IRECT all(0, 0, editor->Width(), editor->Height());
  for (auto _ : state) editor->Draw(&all);
  state.SetLabel(state.range(0) ? "refreshed" : "built");
}
BENCHMARK(BM_FullEditorRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_IdleTick(benchmark::State& state) {
  std::unique_ptr<Thudrokka> plug = MakeInstrument();
  IGraphics* editor = EditorOf(*plug);
  IRECT all(0, 0, editor->Width(), editor->Height());
  editor->Draw(&all);
  IRECT dirty;
  // Until the read-outs have settled nothing is left dirty.
  for (int i = 0; i < 16; ++i) {
    if (editor->IsDirty(&dirty)) editor->Draw(&dirty);
  }
  for (auto _ : state) {
    if (editor->IsDirty(&dirty)) editor->Draw(&dirty);
  }
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kMicrosecond);

}  // namespace
