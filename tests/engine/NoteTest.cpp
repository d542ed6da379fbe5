#include "engine/Note.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "tests/engine/HeavyProgram.h"
#include "tests/engine/StandInSynth.h"

namespace {

using Quillvane::Note;
using namespace Quillvane::Synth;
using testsupport::StandInSynth;

TEST(NoteNames, NamesNotesZeroTo127Only) {
  struct Case {
    int note;
    const char* name;
  };
  const Case named[] = {{0, "C0"}, {60, "C5"}, {61, "C#5"}, {69, "A5"}, {127, "G10"}};
  for (const Case& c : named) {
    std::string name = "x";
    EXPECT_TRUE(Note::getNoteString(c.note, name));
    EXPECT_EQ(name, c.name);
  }
  for (int note : {-1, 128, -13}) {
    std::string name = "kept";
    EXPECT_FALSE(Note::getNoteString(note, name));
    EXPECT_EQ(name, "kept");
  }
}

TEST(NoteSettings, UnisonCountRoundsTheNormalisedValue) {
  auto note = std::make_unique<Note>();
  EXPECT_EQ(note->getUnisonVoices(), 1u);
  // Each oscillator keeps two phases: counts beyond them would read past them.
  const std::pair<double, unsigned> cases[] = {{0.0, 1},  {0.49, 1}, {0.5, 2},
                                               {1.0, 2},  {-3.0, 1}, {1.6, 2},
                                               {40.0, 2}, {std::nan(""), 1}};
  for (const auto& [x, voices] : cases) {
    note->setUnisonVoices(x);
    EXPECT_EQ(note->getUnisonVoices(), voices) << x;
  }
}

class NoteWithSynth : public ::testing::Test {
 protected:
  NoteWithSynth() {
    note->setMasterSynth(synth.get());
    note->setBlockSize(512);
  }
  Note& voice() { return *note; }
  std::unique_ptr<StandInSynth> synth = std::make_unique<StandInSynth>();
  std::unique_ptr<Note> note = std::make_unique<Note>();
};

TEST_F(NoteWithSynth, NoteAndFrequencyChangeOnlyBetweenNotes) {
  Note& note = voice();
  note.setNote(69);
  EXPECT_EQ(note.getNoteFrequency(), 880.0);
  note.keyOn(100);
  note.setNote(57);
  EXPECT_EQ(note.getNote(), 69);
  note.keyOff();
  note.setNote(57);
  EXPECT_EQ(note.getNote(), 69);
  synth->setParameter(KickTransposeMode, 1.0);
  auto idle = std::make_unique<Note>();
  idle->setMasterSynth(synth.get());
  idle->setNote(57);
  EXPECT_EQ(idle->getNoteFrequency(), 44.0);
}

TEST_F(NoteWithSynth, FrameOffsetIsClampedIntoTheBlockBuffers) {
  Note& note = voice();
  const int cases[][2] = {{0, 0}, {50, 50}, {511, 511}, {512, 511}, {100000, 511}, {-4, 0}};
  for (const auto& c : cases) {
    note.setOffset(c[0]);
    EXPECT_EQ(note.getOffset(), c[1]) << c[0];
  }
}

// Two voices set up alike, one rendering runs of frames and the other single
// frames, each adding its blocks into left, right and bass one after another.
class RunsAndSingleFrames {
 public:
  template <class SetUp>
  explicit RunsAndSingleFrames(SetUp setUp) {
    setUp(*mSynths[0], *runs);
    setUp(*mSynths[1], *single);
  }
  void synthesize(int frames) {
    runs->synthesize(frames);
    for (int i = 0; i < frames; ++i) single->synthesize();
  }
  void keyOff() {
    runs->keyOff();
    single->keyOff();
  }
  // Both blocks, and whether they hold the same bytes.
  bool processAlike() {
    for (int v = 0; v < 2; ++v) {
      blocks[v].assign(3 * kBlock, 0.0);
      double* outputs[2] = {blocks[v].data(), blocks[v].data() + kBlock};
      (v == 0 ? runs : single)->process(outputs, blocks[v].data() + 2 * kBlock, kBlock);
    }
    return std::memcmp(blocks[0].data(), blocks[1].data(), blocks[0].size() * sizeof(double)) == 0;
  }

  static constexpr int kBlock = 512;
  std::unique_ptr<Note> runs = std::make_unique<Note>();
  std::unique_ptr<Note> single = std::make_unique<Note>();
  std::vector<double> blocks[2];

 private:
  std::unique_ptr<StandInSynth> mSynths[2] = {std::make_unique<StandInSynth>(), std::make_unique<StandInSynth>()};
};

// A run of frames renders what as many single frames render, the order of
// the draws from the shared noise generator included.
TEST(NoteSynthesis, RunsOfFramesEqualSingleFrames) {
  RunsAndSingleFrames voices([](StandInSynth& synth, Note& note) {
    testsupport::applyFullProgram(synth);
    synth.setParameter(OscWaveform1, 6.0 / 35.0);
    synth.setParameter(OscWaveform3, 6.0 / 35.0);
    synth.setParameter(OscInvertWaveform3, 1.0);
    note.setMasterSynth(&synth);
    note.setSampleRate(44100.0);
    note.setUnisonVoices(1.0);
    note.setUnisonDetune(0.3);
    note.setFmAmount(3, 0.4);
    note.setModFrequency2(0.35);
    note.setBlockSize(RunsAndSingleFrames::kBlock);
    note.setNote(40);
    note.keyOn(100);
    note.setOffset(37);
  });
  for (int block = 0; block < 6; ++block) {
    // The first block stops at its last buffer position, offset and all.
    const int frames = block == 0 ? 512 - 37 : 512;
    voices.synthesize(frames - 300);
    voices.synthesize(300);
    ASSERT_TRUE(voices.processAlike()) << "block " << block;
  }
}

// A note released inside a run ends on the frame whose envelope step
// finishes it, wherever that falls among the run's pieces, the last frame of
// one included: no frame after it sounds, as with single frames.
TEST(NoteSynthesis, ARunStopsWhereItsNoteEnds) {
  for (int releaseFrames = 120; releaseFrames <= 136; ++releaseFrames) {
    RunsAndSingleFrames voices([releaseFrames](StandInSynth& synth, Note& note) {
      note.setMasterSynth(&synth);
      note.setSampleRate(44100.0);
      note.setBlockSize(RunsAndSingleFrames::kBlock);
      for (Quillvane::ADSR* envelope : {&note.getVolumeEnvelope(), &note.getFilterEnvelope()}) {
        envelope->setDuration(0.2);  // 1 s
        envelope->setRelease((releaseFrames + 0.5) / 44100.0);
      }
      note.setNote(48);
      note.keyOn(127);
    });
    voices.synthesize(100);
    voices.keyOff();
    voices.synthesize(412);
    EXPECT_FALSE(voices.runs->isPlaying()) << releaseFrames;
    EXPECT_TRUE(voices.processAlike()) << releaseFrames;
    const std::vector<double>& left = voices.blocks[0];
    for (int i = 100 + releaseFrames; i < 512; ++i) ASSERT_EQ(left[i], 0.0) << releaseFrames << ", frame " << i;
  }
}

// A note held for 2^32 frames, 6.2 hours at 192 kHz, started here near the
// end of its count: the count stops at its top, as the envelopes' counts do,
// so the click, which only the note's first 0.2 s sound, does not come back.
struct NoteNearItsLastFrame : Note {
  void skipTo(uint32_t frames) { mSampleCounter = frames; }
};

TEST(NoteSynthesis, TheFrameCountStopsAtItsTop) {
  auto synth = std::make_unique<StandInSynth>();
  for (eVstParameters p : {Osc1OnOff, Osc2OnOff, Osc3OnOff}) synth->setParameter(p, 0.0);
  synth->setParameter(BassLayerAmount, 0.0);
  synth->setParameter(BassLayerClick, 1.0);
  synth->setParameter(EnvSustain, 1.0);
  auto note = std::make_unique<NoteNearItsLastFrame>();
  note->setMasterSynth(synth.get());
  note->setBlockSize(512);
  note->setNote(48);
  note->keyOn(127);
  auto clickHeard = [&] {
    std::vector<double> left(512), right(512), bass(512);
    double* outputs[2] = {left.data(), right.data()};
    note->synthesize(512);
    note->process(outputs, bass.data(), 512);
    return std::any_of(left.begin(), left.end(), [](double x) { return x != 0.0; });
  };
  ASSERT_TRUE(clickHeard());
  note->skipTo(std::numeric_limits<uint32_t>::max() - 100);
  for (int block = 0; block < 40; ++block) ASSERT_FALSE(clickHeard()) << "block " << block;
  EXPECT_TRUE(note->isPlaying());
}

// The oscillator stage, one sample at a time from a cleared filter.
class OscillatorStage : public NoteWithSynth {
 protected:
  double run(double x, double saturation, double lfo, double ring, double filterMod, double cutoff,
             double resonance, double type, double envelope, bool invert, double volume = 1.0,
             int oscillator = 1) {
    return voice().process(x, saturation, lfo, ring, filterMod, cutoff, resonance, type, envelope,
                           invert, volume, oscillator);
  }
  void SetUp() override { voice().keyOn(127); }
};

TEST_F(OscillatorStage, DriveCurve) {
  // High-pass only with the corner at its lowest, so a first sample passes
  // unchanged but for the safety factor and the section's gain n.
  const double K = std::tan(0.0001 * 3.1415927410125732);
  const double n = 1.0 / (1.4142135381698608 * K + 1.0 + K * K);
  struct Case {
    double x;
    double saturation;
    double driven;
  };
  const double atanGain = 1.0 / 0.7853981633974483;
  const Case cases[] = {
      {0.3, 0.0, 0.3},
      {0.3, 0.05, std::atan(0.3) * atanGain},
      {0.3, 1.0, 1.0},
      {-0.05, 1.0, std::atan(-0.05) * atanGain * 7.77},
      {-2.0, 0.05, -1.0},
  };
  for (const Case& c : cases) {
    voice().keyOn(127);
    const double y = run(c.x, c.saturation, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, false);
    EXPECT_NEAR(y, c.driven * 0.99777 * n, 1e-12) << c.x << " " << c.saturation;
  }
}

TEST_F(OscillatorStage, FullRingSilencesAndFreezesTheLadder) {
  run(0.8, 0.0, 0.5, 0.0, 0.0, 0.5, 0.3, 0.0, 1.0, false);
  const double before = run(0.8, 0.0, 0.5, 0.0, 0.0, 0.5, 0.3, 0.0, 1.0, false);
  ASSERT_NE(before, 0.0);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(run(0.8, 0.0, 0.5, 1.0, 0.0, 0.5, 0.3, 0.0, 1.0, false), 0.0);
  }
  // The stages kept their values: the next sample carries on from them.
  auto other = std::make_unique<Note>();
  other->keyOn(127);
  other->process(0.8, 0.0, 0.5, 0.0, 0.0, 0.5, 0.3, 0.0, 1.0, false, 1.0, 1);
  other->process(0.8, 0.0, 0.5, 0.0, 0.0, 0.5, 0.3, 0.0, 1.0, false, 1.0, 1);
  EXPECT_EQ(run(0.8, 0.0, 0.5, 0.0, 0.0, 0.5, 0.3, 0.0, 1.0, false),
            other->process(0.8, 0.0, 0.5, 0.0, 0.0, 0.5, 0.3, 0.0, 1.0, false, 1.0, 1));
}

TEST_F(OscillatorStage, CutoffFollowsTheFilterEnvelopeOrItsInverse) {
  // Low-pass only: with a closed cutoff the ladder barely moves (f = 0.01).
  const double closed = run(1.0, 0.0, 0.0, 0.0, 0.0, 0.8, 0.0, 0.0, 0.0, false);
  EXPECT_NEAR(closed, 0.99777 * std::pow(0.01, 4), 1e-15);
  voice().keyOn(127);
  // Inverted, a silent envelope opens the cutoff to (1 - m) * 0.8 = 0.4.
  const double open = run(1.0, 0.0, 0.0, 0.0, 0.5, 0.8, 0.0, 0.0, 0.0, true);
  EXPECT_NEAR(open, 0.99777 * std::pow(0.4, 4), 1e-15);
}

TEST_F(OscillatorStage, OnlyOscillatorsOneToThreeExist) {
  for (int oscillator : {0, 4, -1}) {
    EXPECT_EQ(run(1.0, 0.5, 0.0, 0.0, 0.0, 1.0, 0.0, 0.5, 1.0, false, 1.0, oscillator), 0.0);
  }
  EXPECT_NE(run(1.0, 0.5, 0.0, 0.0, 0.0, 1.0, 0.0, 0.5, 1.0, false, 1.0, 3), 0.0);
}

}  // namespace
