// Cost of the Audio Unit adapter around the plug-in: render calls through the
// fast procedure and through the entry, input pulls, parameter sets and the
// saved-state round trip. The fake plug-in's own processing is trivial.

#include <benchmark/benchmark.h>

#include <vector>

#include "platform/mac/ThudrokkaEntry.h"
#include "platform/standin/HostSession.h"
#include "tests/platform/FakePlug.h"

namespace {

struct Host {
  explicit Host(bool effect) {
    RegisterThudrokkaComponents();
    fake::gFakeConfig = fake::FakePlugConfig();
    if (effect) {
      fake::gFakeConfig.channelIO = "2-2";
      fake::gFakeConfig.isInstrument = false;
    }
    session.Open(kThudrokkaComponentDescription);
    session.SetMaxFramesPerSlice(4096);
    session.Initialize();
  }
  standin::HostSession session;
};

OSStatus FillInput(void*, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32 frames,
                   AudioBufferList* data) {
  for (UInt32 k = 0; k < data->mNumberBuffers; ++k) {
    float* samples = static_cast<float*>(data->mBuffers[k].mData);
    for (UInt32 i = 0; i < frames; ++i) samples[i] = 0.25f;
  }
  return noErr;
}

// Renders stereo slices of range(0) frames through the fast procedure.
void RenderSlices(benchmark::State& state, Host* host) {
  const UInt32 frames = static_cast<UInt32>(state.range(0));
  std::vector<float> left(frames), right(frames);
  for (auto _ : state) {
    float* channels[2] = {left.data(), right.data()};
    host->session.Render(0, frames, channels, 2);
    host->session.AdvanceSampleTime(frames);
    benchmark::DoNotOptimize(left.data());
  }
  state.SetItemsProcessed(state.iterations() * frames);
}

void BM_RenderFastProc(benchmark::State& state) {
  Host host(false);
  RenderSlices(state, &host);
}
BENCHMARK(BM_RenderFastProc)->Arg(64)->Arg(512);

void BM_RenderThroughEntry(benchmark::State& state) {
  Host host(false);
  const UInt32 frames = static_cast<UInt32>(state.range(0));
  std::vector<float> left(frames), right(frames);
  std::vector<unsigned char> storage(AudioBufferListSize(2));
  AudioBufferList* list = reinterpret_cast<AudioBufferList*>(storage.data());
  AudioTimeStamp timeStamp = {};
  timeStamp.mFlags = kAudioTimeStampSampleTimeValid;
  for (auto _ : state) {
    list->mNumberBuffers = 2;
    list->mBuffers[0] = {1, frames * 4, left.data()};
    list->mBuffers[1] = {1, frames * 4, right.data()};
    AudioUnitRenderActionFlags flags = 0;
    AudioUnitRender(host.session.Unit(), &flags, &timeStamp, 0, frames, list);
    timeStamp.mSampleTime += frames;
    benchmark::DoNotOptimize(left.data());
  }
  state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_RenderThroughEntry)->Arg(64)->Arg(512);

void BM_RenderPullingHostInput(benchmark::State& state) {
  Host host(true);
  const AURenderCallbackStruct callback = {FillInput, nullptr};
  AudioUnitSetProperty(host.session.Unit(), kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input, 0,
                       &callback, sizeof(callback));
  RenderSlices(state, &host);
}
BENCHMARK(BM_RenderPullingHostInput)->Arg(64)->Arg(512);

void BM_SetParameterFastProc(benchmark::State& state) {
  Host host(false);
  float value = 0.0f;
  for (auto _ : state) {
    host.session.SetParameter(fake::kVolume, value);
    value = value > 0.99f ? 0.0f : value + 0.01f;
  }
  // The fake records every dispatch; keep that out of the next run's memory.
  fake::LastFakePlug()->paramChanges.clear();
}
BENCHMARK(BM_SetParameterFastProc);

void BM_StateRoundTrip(benchmark::State& state) {
  Host host(false);
  for (auto _ : state) {
    CFPropertyListRef saved = nullptr;
    host.session.GetState(&saved);
    host.session.SetState(saved);
    CFRelease(saved);
  }
}
BENCHMARK(BM_StateRoundTrip);

}  // namespace
