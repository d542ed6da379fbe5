#include <gtest/gtest.h>

#include "engine/ADSR.h"
#include "engine/FmModulator.h"
#include "engine/Modulator.h"
#include "engine/PitchEnvelope.h"
#include "engine/WaveformProvider.h"
#include "tests/support/AllocationCounter.h"

namespace {

using namespace Quillvane;

// What the voices call per sample and per block must not touch the heap.
TEST(AudioPathAllocation, PerSampleCallsDoNotAllocate) {
  WaveformProvider provider;
  provider.makeWaveforms();
  ADSR env("Volume Envelope");
  Modulator lfo;
  lfo.setFrequency(0.3);
  FmModulator op;
  op.setFrequencyHz(220.0);
  op.setAmount(0.5);
  PitchEnvelope pitch;
  pitch.setPitchAmount(0.3);
  double left[64] = {}, right[64] = {};
  double* buffers[2] = {left, right};
  double sink = 0.0;

  testsupport::AllocationCounter counter;
  env.KeyOn();
  for (int i = 0; i < 4096; ++i) {
    for (int w = 0; w < WaveformProvider::kNumWaveforms; ++w) sink += provider.getWaveformSample(w / 35.0, i * 0.013);
    env.update(1);
    sink += env.getLevel() + lfo.getValue() + op.modulate(0.5) + pitch.getPitch(i / 44100.0);
    lfo.advance();
    op.advance();
  }
  env.KeyOff();
  op.modulate(buffers, 64);
  provider.updateLoadedWaveform();
  EXPECT_EQ(counter.count(), 0u);
  EXPECT_NE(sink, 0.0);
}

}  // namespace
