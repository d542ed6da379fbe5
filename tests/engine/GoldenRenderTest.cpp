// Renders pinned to the bit, so that speed-ups can be shown not to change
// what the voices produce. Every hash was taken from the voices as first
// written, before any of them, and taken again once each voice's smoothers
// started at their first targets instead of 0: only the first note of each
// voice changed then. They were taken once more when the voices' sines, arc
// tangents and powers moved to the vector math library, which rounds some
// of them differently: no sample of these renders moved by more than 5e-13.
// And again when a note's envelopes began to start at its own frame and a
// key-off to take effect at its frame, not at the block's first: these
// renders start notes inside blocks, so they moved from those notes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "tests/engine/HeavyProgram.h"
#include "tests/engine/StandInSynth.h"
#include "tests/support/UserWaveformSnapshot.h"

namespace {

using testsupport::StandInSynth;
using namespace Quillvane::Synth;

uint64_t fnv1a(uint64_t hash, const std::vector<double>& samples) {
  for (double x : samples) {
    unsigned char bytes[sizeof(double)];
    std::memcpy(bytes, &x, sizeof(double));
    for (unsigned char b : bytes) hash = (hash ^ b) * 0x100000001b3ULL;
  }
  return hash;
}

// Something done to the instrument before the block that starts at frame.
struct Action {
  int frame;
  std::function<void(StandInSynth&)> apply;
};

// A second and a half of overlapping notes, one released and struck again,
// in blocks of changing size, with the actions taken between blocks.
uint64_t renderHash(void (*program)(StandInSynth&), const std::vector<Action>& actions = {}) {
  auto synth = std::make_unique<StandInSynth>();
  program(*synth);
  synth->queueNoteOn(36, 127, 0);
  synth->queueNoteOn(48, 90, 123);
  synth->queueNoteOn(55, 64, 700);
  synth->queueNoteOn(67, 110, 5000);
  synth->queueNoteOff(48, 30000);
  synth->queueNoteOn(48, 100, 40000);
  const int sizes[] = {512, 512, 128, 333};
  std::size_t next = 0;
  for (int frame = 0, b = 0; frame < 66150; ++b) {
    for (; next < actions.size() && actions[next].frame <= frame; ++next) actions[next].apply(*synth);
    const int frames = std::min(66150 - frame, sizes[b % 4]);
    synth->render(frames, {frames});
    frame += frames;
  }
  uint64_t hash = 0xcbf29ce484222325ULL;
  hash = fnv1a(hash, synth->left);
  hash = fnv1a(hash, synth->right);
  return fnv1a(hash, synth->bass);
}

Action set(int frame, eVstParameters parameter, double value) {
  return {frame, [=](StandInSynth& s) { s.setParameter(parameter, value); }};
}

// Straight to the voices, as a preview note does: the offset runs past the
// end of a short block.
Action preview(int frame, int note, int offset) {
  return {frame, [=](StandInSynth& s) { s.mVoiceManager.onNoteOn(note, 100, offset); }};
}

TEST(GoldenRender, HeavyProgramIsUnchanged) {
  const uint64_t hash = renderHash(testsupport::applyHeavyProgram);
  EXPECT_EQ(hash, 0x294c41197b600533ULL) << std::hex << hash;
}

TEST(GoldenRender, FullProgramIsUnchanged) {
  const uint64_t hash = renderHash(testsupport::applyFullProgram);
  EXPECT_EQ(hash, 0x013c791d9008df60ULL) << std::hex << hash;
}

// Every voice draws from one noise generator, two oscillators of each voice
// among them: the draws must keep their order across voices and oscillators.
TEST(GoldenRender, WhiteNoiseOnTwoOscillatorsIsUnchanged) {
  const uint64_t hash = renderHash(
      [](StandInSynth& s) {
        testsupport::applyFullProgram(s);
        s.setParameter(OscWaveform1, 6.0 / 35.0);
        s.setParameter(OscWaveform3, 6.0 / 35.0);
        s.setParameter(OscInvertWaveform3, 1.0);
      },
      {preview(1024, 60, 300), set(20000, OscWaveform1, 0.0)});
  EXPECT_EQ(hash, 0xa9486fd619c57570ULL) << std::hex << hash;
}

// Settings that the voices keep or cache between frames, changed between
// blocks while notes sound.
TEST(GoldenRender, SettingsChangedWhileNotesSoundAreUnchanged) {
  const uint64_t hash = renderHash(
      testsupport::applyHeavyProgram,
      {
          set(2048, OscVolume2, 0.0),  // silenced: its buffer is replayed
          set(2048, OscFilterType2, 1.0),
          preview(2560, 72, 400),  // runs past the end of a short block
          set(4096, Osc1OnOff, 0.0),
          set(6000, OscVolume2, 0.7),
          set(6000, UnisonVoices, 0.0),
          set(8192, Osc1OnOff, 1.0),
          set(8192, OscWaveform1, 21.0 / 35.0),
          set(8192, OscInvertWaveform1, 1.0),
          set(10000, FmAmount, 0.0),
          set(10000, OscWaveform2, 11.0 / 35.0),
          set(12000, UnisonVoices, 1.0),
          set(12000, UnisonDetune, 0.8),
          set(14000, GlobalTranspose, 0.8),
          set(16000, OscSat3, 0.0),
          set(18000, OscPan2, 1.0),
          set(20000, FmAmount, 1.0),
          set(22000, PitchAmount, 0.6),
          set(22000, PitchDuration, 0.05),
          set(24000, BassLayerAmount, 0.0),
          set(26000, OscFreq1, 0.1),
          set(26000, OscPitch2, 0.2),
          // Cutoffs holding still in the sustain, resonances moving.
          set(30000, OscFilterResonance1, 0.9),
          set(30000, OscFilterResonance3, 0.0),
          set(33000, OscFilterCutoff3, 0.2),
          set(36000, OscModFrequency2, 0.9),
          set(36000, OscFreqModAmount2, 0.7),
          set(36000, OscRingModAmount3, 0.4),
          set(42000, OscFiltModAmount1, 0.6),
          set(50000, KickTransposeMode, 1.0),
          set(50000, BassLayerClick, 0.8),
      });
  EXPECT_EQ(hash, 0xdd5aa0563b240acdULL) << std::hex << hash;
}

// Each oscillator reads a ramp through both clamp levels of its drive, at
// saturations that hold and that move.
TEST(GoldenRender, DriveAcrossItsClampLevelsIsUnchanged) {
  UserWaveformSnapshot keep;
  const uint64_t hash = renderHash(
      [](StandInSynth& s) {
        testsupport::applyHeavyProgram(s);
        std::vector<double> ramp(4096);
        for (int i = 0; i < 4096; ++i) ramp[i] = -1.2 + 2.4 * i / 4095.0;
        Quillvane::UserWaveformTables::replace(0, ramp.data());
        s.mWaveformProvider.updateLoadedWaveform();
        for (auto waveform : {OscWaveform1, OscWaveform2, OscWaveform3}) s.setParameter(waveform, 21.0 / 35.0);
      },
      {set(8192, OscSat1, 0.05), set(16384, OscSat1, 1.0), set(16384, OscSat2, 0.77),
       set(30000, OscSat3, 0.0001), set(40000, OscSat2, 0.1287001287001287)});
  EXPECT_EQ(hash, 0x9cd2160354881ab9ULL) << std::hex << hash;
}

// Voice settings changed between two frames of a block, on the render
// thread: the frames before the change keep the old setting.
TEST(GoldenRender, VoiceSettingsChangedInsideABlockAreUnchanged) {
  auto synth = std::make_unique<StandInSynth>();
  testsupport::applyFullProgram(*synth);
  synth->queueNoteOn(36, 127, 0);
  synth->queueNoteOn(55, 90, 200);
  std::vector<double> left(512), right(512), bass(512);
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (int block = 0; block < 40; ++block) {
    std::fill(left.begin(), left.end(), 0.0);
    std::fill(right.begin(), right.end(), 0.0);
    std::fill(bass.begin(), bass.end(), 0.0);
    for (int i = 0; i < 512; ++i) {
      if (i == 100) synth->setParameter(UnisonDetune, (block % 3) * 0.4);
      if (i == 300) synth->setParameter(FmAmount, (block % 2) * 0.8);
      if (i == 400) synth->setParameter(OscModFrequency2, 0.1 + (block % 4) * 0.2);
      if (i == 450) synth->setParameter(UnisonVoices, block % 2);
      synth->mMidiReceiver.advance();
      synth->mVoiceManager.nextSample();
    }
    double* outputs[2] = {left.data(), right.data()};
    synth->mVoiceManager.process(outputs, bass.data(), 512);
    synth->mMidiReceiver.flush(512);
    hash = fnv1a(fnv1a(fnv1a(hash, left), right), bass);
  }
  EXPECT_EQ(hash, 0xc2dfa79d64af6491ULL) << std::hex << hash;
}

}  // namespace
