#include <benchmark/benchmark.h>

#include <vector>

#include "framework/IMidiQueue.h"
#include "tests/framework/TestHostPlug.h"

namespace {

// Float glue around an empty process: the per-render cost the framework adds.
void BM_ProcessBuffersStereo(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  fwtest::TestHostPlug plug(105, "0-1 0-2", 1);
  plug.SetBlockSize(512);
  std::vector<float> left(frames), right(frames);
  float* host[] = {left.data(), right.data()};
  plug.SetOutputChannelConnections(0, 2, true);
  for (auto _ : state) {
    plug.AttachInputBuffers(0, 0, static_cast<float**>(nullptr), frames);
    plug.AttachOutputBuffers(0, 2, host);
    plug.ProcessBuffers(0.0f, frames);
    benchmark::DoNotOptimize(left.data());
  }
  state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_ProcessBuffersStereo)->Arg(64)->Arg(512)->Arg(4096);

// State save and restore of the instrument's 105 parameters.
void BM_SerializeUnserializeState(benchmark::State& state) {
  fwtest::TestHostPlug plug;
  plug.mRecordParamChanges = false;
  plug.InitUnitParams();
  ByteChunk chunk;
  for (auto _ : state) {
    chunk.Clear();
    plug.SerializeState(&chunk);
    benchmark::DoNotOptimize(plug.UnserializeState(&chunk, 0));
  }
}
BENCHMARK(BM_SerializeUnserializeState);

// A block's worth of note messages arriving out of order, then consumed.
void BM_MidiQueueAddAndDrain(benchmark::State& state) {
  IMidiQueue queue(1024);
  for (auto _ : state) {
    for (int i = 0; i < 64; ++i) {
      IMidiMsg msg;
      msg.MakeNoteOnMsg(i, 100, (i * 37) % 512);
      queue.Add(&msg);
    }
    while (queue.Peek()) queue.Remove();
    queue.Flush(512);
  }
  state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_MidiQueueAddAndDrain);

}  // namespace
