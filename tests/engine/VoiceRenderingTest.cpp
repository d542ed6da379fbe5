// Rendered audio of the voices, driven through the instrument's block loop.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/Note.h"
#include "tests/support/SignalAnalysis.h"
#include "tests/engine/StandInSynth.h"

namespace {

using namespace Quillvane::Synth;
using testsupport::firstNonZero;
using testsupport::measureFrequency;
using testsupport::StandInSynth;

constexpr double kSemitone = Quillvane::ConstantsD::k12th_rt2;

class VoiceRendering : public ::testing::Test {
 protected:
  void set(eVstParameters p, double v) { synth->setParameter(p, v); }

  // Oscillator 1 alone, no pitch sweep, so the pitch is the note's own.
  void oneOscillator(double waveform = 0.0) {
    set(Osc2OnOff, 0.0);
    set(Osc3OnOff, 0.0);
    set(PitchOnOff, 0.0);
    set(OscWaveform1, waveform);
  }

  // Nothing but the click reaches the stereo outputs.
  void clickOnly() {
    set(Osc1OnOff, 0.0);
    set(Osc2OnOff, 0.0);
    set(Osc3OnOff, 0.0);
    set(BassLayerClick, 1.0);
  }

  std::unique_ptr<StandInSynth> synth = std::make_unique<StandInSynth>();
};

TEST_F(VoiceRendering, MidiReachesTheExactFrameWhateverTheBlockSizes) {
  const std::vector<std::vector<int>> patterns = {{512}, {64}, {1}, {17, 100, 5, 333}, {300, 7}};
  for (int noteFrame : {0, 37, 511, 512, 1000}) {
    std::vector<double> reference;
    for (const auto& pattern : patterns) {
      synth = std::make_unique<StandInSynth>();
      clickOnly();
      synth->queueNoteOn(60, 127, noteFrame);
      synth->render(noteFrame + 2048, pattern);
      // The click opens 45 frames after the note; its first sample is sin(0).
      EXPECT_EQ(firstNonZero(synth->left), static_cast<std::size_t>(noteFrame + 46))
          << "note at " << noteFrame << ", first block " << pattern[0];
      if (reference.empty()) {
        reference = synth->left;
      } else {
        EXPECT_EQ(synth->left, reference)
            << "note at " << noteFrame << ", first block " << pattern[0];
      }
    }
  }
}

// The first frame of a note sounds at the volume envelope's level before its
// first step, 0 for a voice's first note, wherever the note falls.
TEST_F(VoiceRendering, NoteStartingInsideABlockIsSilentBeforeItsFrame) {
  for (int noteFrame : {0, 1, 100, 511}) {
    synth = std::make_unique<StandInSynth>();
    oneOscillator(2.0 / 35.0);  // pulse: +1 from the first frame
    synth->queueNoteOn(60, 127, noteFrame);
    synth->render(1024, {512});
    EXPECT_EQ(firstNonZero(synth->left), static_cast<std::size_t>(noteFrame + 1));
    EXPECT_EQ(firstNonZero(synth->right), static_cast<std::size_t>(noteFrame + 1));
  }
}

TEST_F(VoiceRendering, NoteStartedBeforeTheBlockLoopSoundsFromItsOffset) {
  // As a preview note does: straight to the voices, offset near the block end.
  oneOscillator(2.0 / 35.0);
  synth->mVoiceManager.onNoteOn(60, 127, 500);
  synth->render(1024, {512});
  EXPECT_EQ(firstNonZero(synth->left), 501u);
  for (std::size_t i = 512; i < 1024; ++i) ASSERT_NE(synth->left[i], 0.0) << i;
}

TEST_F(VoiceRendering, OscillatorsRunASemitoneAboveTheReportedFrequency) {
  struct Case {
    int note;
    double transpose;
    double reported;
    double oscillator;
  };
  const Case cases[] = {
      {69, 0.5, 880.0, 880.0 * kSemitone},
      {57, 0.5, 440.0, 440.0 * kSemitone},
      {69, 1.0, 880.0, 2.0 * 880.0 * kSemitone},
      {45, 0.0, 220.0, 0.5 * 220.0 * kSemitone},
  };
  for (const Case& c : cases) {
    synth = std::make_unique<StandInSynth>();
    oneOscillator();
    set(GlobalTranspose, c.transpose);
    synth->queueNoteOn(c.note, 127, 0);
    synth->render(2 * 44100, {512});
    ASSERT_EQ(synth->notesShown.size(), 1u);
    EXPECT_EQ(synth->notesShown[0].first, c.reported);
    // Once both envelopes sustain, so the filter no longer shifts the phase.
    const double measured = measureFrequency(synth->left, 44100, 2 * 44100, 44100.0);
    EXPECT_NEAR(measured, c.oscillator, 0.01) << "note " << c.note;
  }
  EXPECT_NEAR(880.0 * kSemitone, 932.33, 0.005);
}

TEST_F(VoiceRendering, KickModePlaysEveryNoteAt44Hz) {
  for (int note : {24, 60, 100}) {
    synth = std::make_unique<StandInSynth>();
    oneOscillator();
    set(KickTransposeMode, 1.0);
    set(BassLayerAmount, 1.0);
    synth->queueNoteOn(note, 127, 0);
    synth->render(3 * 44100, {512});
    ASSERT_EQ(synth->notesShown.size(), 1u);
    EXPECT_EQ(synth->notesShown[0].first, 44.0);
    EXPECT_NEAR(measureFrequency(synth->left, 44100, 3 * 44100, 44100.0), 44.0 * kSemitone, 0.001);
    EXPECT_NEAR(measureFrequency(synth->bass, 44100, 3 * 44100, 44100.0), 44.0 * kSemitone, 0.001);
  }
}

TEST_F(VoiceRendering, ClickSoundsOnlyInsideItsWindowAndNeverReplays) {
  const int noteFrame = 100;
  clickOnly();
  synth->queueNoteOn(60, 127, noteFrame);
  synth->render(noteFrame + 20000, {512});
  const auto& out = synth->left;
  // Written for sample counts 45 .. 8863; the one at 45 is sin(0) = 0.
  for (int c = 0; c <= 45; ++c) EXPECT_EQ(out[noteFrame + c], 0.0) << c;
  // Frame k of the window sounds 0.5 sin(phase) e^20, e = 1 - k / 8820, and
  // then moves the phase on by e^400. The voices' sines and powers are the
  // vector library's: a few units in the last place apart.
  double phase = 0.0;
  for (int k = 1; k < 8820; ++k) {
    const double e = std::pow(1.0 - k / 8820.0, 20.0);
    ASSERT_NEAR(out[noteFrame + 44 + k], 0.5 * std::sin(phase) * e, 1e-14) << "click frame " << k;
    phase += std::pow(e, 20.0);
  }
  EXPECT_NE(out[noteFrame + 8863], 0.0);
  for (int i = noteFrame + 8864; i < static_cast<int>(out.size()); ++i) {
    ASSERT_EQ(out[i], 0.0) << "frame " << i;
  }
  EXPECT_EQ(synth->left, synth->right);
}

TEST_F(VoiceRendering, BassLayerTurnedOffLeavesNothingToReplay) {
  oneOscillator();
  set(BassLayerAmount, 1.0);
  synth->queueNoteOn(40, 127, 0);
  synth->render(4096, {512});
  ASSERT_NE(firstNonZero(synth->bass, 3584), synth->bass.size());
  set(BassLayerAmount, 0.0);
  synth->bass.clear();
  synth->render(2048, {512});
  EXPECT_EQ(firstNonZero(synth->bass), synth->bass.size());
}

TEST_F(VoiceRendering, PanIsALinearBalance) {
  struct Case {
    double pan;
    double left;
    double right;
  };
  const Case cases[] = {{0.0, 1.0, 0.0}, {0.25, 1.0, 0.5}, {0.5, 1.0, 1.0}, {0.75, 0.5, 1.0},
                        {1.0, 0.0, 1.0}};
  for (const Case& c : cases) {
    synth = std::make_unique<StandInSynth>();
    oneOscillator(2.0 / 35.0);
    set(OscPan1, c.pan);
    synth->queueNoteOn(60, 127, 0);
    synth->render(8192, {512});
    // Long after the pan smoother has settled; compare against the louder side.
    const std::size_t i = 8000;
    const double loud = std::max(std::fabs(synth->left[i]), std::fabs(synth->right[i]));
    ASSERT_GT(loud, 0.0);
    EXPECT_NEAR(std::fabs(synth->left[i]) / loud, c.left, 1e-9) << "pan " << c.pan;
    EXPECT_NEAR(std::fabs(synth->right[i]) / loud, c.right, 1e-9) << "pan " << c.pan;
  }
}

// A voice's smoothers start at the oscillator's settings: its first note
// neither fades in nor starts panned to the left, and sounds as its later
// notes do.
TEST_F(VoiceRendering, AVoicesFirstNoteSoundsLikeItsLaterOnes) {
  oneOscillator(2.0 / 35.0);
  set(FmAmount, 0.0);
  set(OscVolume1, 0.8);
  set(OscSat1, 0.3);
  set(OscPan1, 0.5);
  std::vector<double> takes[2];
  for (std::vector<double>& take : takes) {
    synth->left.clear();
    synth->right.clear();
    synth->queueNoteOn(60, 127, 0);
    synth->queueNoteOff(60, 4096);
    synth->render(4096, {512});
    for (std::size_t i = 0; i < synth->left.size(); ++i) ASSERT_EQ(synth->left[i], synth->right[i]) << i;
    take = synth->left;
    // Until the voice is free again.
    synth->render(3 * 44100, {512});
    ASSERT_FALSE(synth->mVoiceManager.getNote(0).isPlaying());
  }
  ASSERT_LT(firstNonZero(takes[0]), 4096u);
  for (std::size_t i = 0; i < takes[0].size(); ++i) ASSERT_NEAR(takes[0][i], takes[1][i], 1e-12) << i;
}

TEST_F(VoiceRendering, TwoUnisonVoicesWithoutDetuneEqualOne) {
  auto renderWith = [this](double voices, double detune) {
    synth = std::make_unique<StandInSynth>();
    set(OscWaveform2, 1.0 / 35.0);
    set(OscWaveform3, 12.0 / 35.0);
    set(UnisonVoices, voices);
    set(UnisonDetune, detune);
    synth->queueNoteOn(48, 100, 10);
    synth->render(4096, {512});
    return synth->left;
  };
  const std::vector<double> single = renderWith(0.0, 0.0);
  EXPECT_EQ(renderWith(1.0, 0.0), single);
  EXPECT_NE(renderWith(1.0, 0.5), single);
}

TEST_F(VoiceRendering, DecayingTailsEndInZerosNotSubnormals) {
  // Volume gliding to 0, and a resonant high-pass ringing out on no input.
  const std::pair<eVstParameters, double> silencers[] = {{OscVolume1, 0.0},
                                                         {OscRingModAmount1, 1.0}};
  for (const auto& [parameter, value] : silencers) {
    synth = std::make_unique<StandInSynth>();
    oneOscillator(2.0 / 35.0);
    set(OscFilterType1, 1.0);
    set(OscFilterResonance1, 0.9);
    synth->queueNoteOn(60, 127, 0);
    synth->render(4096, {512});
    set(parameter, value);
    synth->left.clear();
    synth->render(10 * 44100, {512});
    // Not cut dead: the volume glides down and the high-pass rings out.
    EXPECT_NE(synth->left[100], 0.0);
    for (double x : synth->left) ASSERT_NE(std::fpclassify(x), FP_SUBNORMAL);
    EXPECT_EQ(firstNonZero(synth->left, synth->left.size() - 512), synth->left.size());
  }
}

}  // namespace
