#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/instrument/InstrumentFixture.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/support/AllocationCounter.h"

namespace {

using namespace Quillvane::Synth;

// Frame at which a note-on sent for frame `at` is first heard, the host
// sending it in the slice that holds that frame (or, with early, all in the
// first slice with a larger offset).
int firstHeardFrame(int block, int at, bool early) {
  InstrumentHost host;
  EXPECT_EQ(host.open(44100.0, block), noErr);
  host.session().SetParameter(BypassFX, 1.0f);
  const int frames = at + 2048;
  std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
  for (int start = 0; start < frames; start += block) {
    const int n = std::min(block, frames - start);
    if (early ? start == 0 : (at >= start && at < start + n)) host.noteOn(60, 127, at - start);
    EXPECT_EQ(host.render(n, left.data() + start, right.data() + start), noErr);
  }
  return firstSound(left);
}

TEST(MidiTiming, NotesStartAtTheirFrameWhateverTheBlockSize) {
  const int delay = firstHeardFrame(4096, 0, false);
  ASSERT_GE(delay, 0);
  for (int block : {1, 7, 64, 512}) {
    for (int at : {0, 1, block - 1, block, 2 * block + 3, 1000}) {
      if (at < 0) continue;
      EXPECT_EQ(firstHeardFrame(block, at, false), at + delay) << "block " << block << " frame " << at;
    }
  }
}

TEST(MidiTiming, AnOffsetBeyondTheBlockCarriesIntoTheNextOnes) {
  const int delay = firstHeardFrame(4096, 0, false);
  EXPECT_EQ(firstHeardFrame(8, 10, true), 10 + delay);
  EXPECT_EQ(firstHeardFrame(7, 100, true), 100 + delay);
}

// A host resets the unit on every bypass switch, while it renders: the
// buffers the render thread uses stay where they are unless the block size
// changed, which a host does only while it does not render.
TEST(RenderBlock, ResetReallocatesOnlyForANewBlockSize) {
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 256);
  const double* voices = plug.mVoiceBuffers[0];
  {
    testsupport::AllocationCounter allocations;
    plug.Reset();
    plug.SetSampleRate(48000.0);
    plug.Reset();
    plug.takeHandOvers();
    EXPECT_EQ(allocations.count(), 0u);
  }
  EXPECT_EQ(plug.mVoiceBuffers[0], voices);
  EXPECT_EQ(plug.mDistortion.getConvertedSampleRate(), 48000);
  plug.SetBlockSize(512);
  testsupport::AllocationCounter allocations;
  plug.Reset();
  EXPECT_GT(allocations.count(), 0u);
  std::vector<double> left(512), right(512);
  double* out[2] = {left.data(), right.data()};
  plug.ProcessDoubleReplacing(nullptr, out, 512);
}

TEST(RenderBlock, SilentBeforeTheFirstReset) {
  ThudrokkaProbe plug;
  IMidiMsg on;
  on.MakeNoteOnMsg(60, 127, 0);
  plug.ProcessMidiMsg(&on);
  std::vector<double> left(300, 7.0), right(300, 7.0);
  double* out[2] = {left.data(), right.data()};
  plug.ProcessDoubleReplacing(nullptr, out, 300);
  EXPECT_EQ(left, std::vector<double>(300, 0.0));
  EXPECT_EQ(right, std::vector<double>(300, 0.0));
  EXPECT_FALSE(plug.mVoiceManager.getNote(0).isPlaying());
}

TEST(RenderBlock, ALongerRenderRunsAsConsecutiveBlocks) {
  ThudrokkaProbe whole, pieces;
  for (ThudrokkaProbe* plug : {&whole, &pieces}) {
    plug->prepare(44100.0, 64);
    plug->set(BypassFX, 1.0);
    IMidiMsg on, off;
    on.MakeNoteOnMsg(50, 100, 100);
    off.MakeNoteOffMsg(50, 250);
    plug->ProcessMidiMsg(&on);
    plug->ProcessMidiMsg(&off);
  }
  std::vector<double> left(600), right(600), left2(600), right2(600);
  double* out[2] = {left.data(), right.data()};
  whole.ProcessDoubleReplacing(nullptr, out, 600);
  for (int start = 0; start < 600; start += 64) {
    double* piece[2] = {left2.data() + start, right2.data() + start};
    pieces.ProcessDoubleReplacing(nullptr, piece, std::min(64, 600 - start));
  }
  EXPECT_EQ(left, left2);
  EXPECT_EQ(right, right2);
  EXPECT_EQ(firstSound(std::vector<float>(left.begin(), left.end())), 100 + firstHeardFrame(4096, 0, false));
  EXPECT_EQ(whole.mVoiceManager.getNote(0).getState(), Quillvane::kAdsrRelease);
}

TEST(RenderBlock, OnlyExactlyOneBypassesTheEffectChain) {
  for (double bypass : {1.0, 0.999, 0.0}) {
    ThudrokkaProbe plug;
    plug.prepare(44100.0, 128);
    plug.set(RingModulationAmount, 0.5);
    plug.set(RingModulationFrequency, 0.3);
    plug.set(BypassFX, bypass);
    std::vector<double> left(128), right(128);
    double* out[2] = {left.data(), right.data()};
    const double phase = plug.mRingModulator.getPhase();
    plug.ProcessDoubleReplacing(nullptr, out, 128);
    EXPECT_EQ(plug.mRingModulator.getPhase() == phase, bypass == 1.0) << bypass;
  }
}

// Sets an instrument up so that every unit of the chain changes the sound
// and the output stage passes the processed signal through.
void colourEverything(ThudrokkaProbe& plug) {
  const struct {
    int p;
    double v;
  } settings[] = {{FilterCutoff, 0.6},
                  {FilterResonance, 0.5},
                  {FilterType, 0.5},
                  {RingModulationAmount, 0.4},
                  {RingModulationFrequency, 0.05},
                  {PhaserDepth, 0.8},
                  {PhaserRate, 0.5},
                  {SampleRate, 0.7},
                  {Quantization, 0.05},
                  {Gate, 0.05},
                  {Distortion, 0.7},
                  {DistortionType, 0.3},
                  {BassAmount, 0.8},
                  {HighAmount, 0.2},
                  {DumpExpand, 0.7},
                  {Volume, 1.0},
                  {DryWet, 1.0}};
  for (const auto& s : settings) plug.set(s.p, s.v);
}

TEST(RenderBlock, TheEffectChainRunsInItsOrder) {
  constexpr int kBlock = 512;
  ThudrokkaProbe plug, twin;
  for (ThudrokkaProbe* p : {&plug, &twin}) {
    p->prepare(44100.0, kBlock);
    colourEverything(*p);
  }
  std::vector<double> left(kBlock), right(kBlock);
  double* out[2] = {left.data(), right.data()};
  // The same history in both: silence until every output smoother has
  // reached its setting, then a note on its way up.
  IMidiMsg on;
  on.MakeNoteOnMsg(45, 127, 0);
  for (int b = 0; b < 90; ++b) {
    if (b == 80) {
      plug.ProcessMidiMsg(&on);
      twin.ProcessMidiMsg(&on);
    }
    plug.ProcessDoubleReplacing(nullptr, out, kBlock);
    twin.ProcessDoubleReplacing(nullptr, out, kBlock);
  }
  plug.ProcessDoubleReplacing(nullptr, out, kBlock);

  std::vector<double> expected[2] = {std::vector<double>(plug.mVoiceBuffers[0], plug.mVoiceBuffers[0] + kBlock),
                                     std::vector<double>(plug.mVoiceBuffers[1], plug.mVoiceBuffers[1] + kBlock)};
  double* io[2] = {expected[0].data(), expected[1].data()};
  twin.mFilterUnit.process(io, kBlock);
  twin.mRingModulator.modulate(io, kBlock);
  twin.mPhaser.process(io, kBlock);
  twin.mDistortion.applySampleRateConversion(io, kBlock);
  twin.mBitCrasher.process(io, kBlock);
  twin.mDistortion.applyGate(io, kBlock);
  twin.mDistortion.distort(io, kBlock);
  twin.mEqualizer.process(io, kBlock);
  twin.mDumpExpand.process(io, kBlock);
  double loudest = 0.0;
  for (int i = 0; i < kBlock; ++i) {
    EXPECT_NEAR(left[i], expected[0][i], 1e-9) << i;
    EXPECT_NEAR(right[i], expected[1][i], 1e-9) << i;
    loudest = std::max(loudest, std::fabs(left[i]));
  }
  EXPECT_GT(loudest, 0.01);
}

}  // namespace
