#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "engine/Note.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/instrument/ValueTap.h"

namespace {

using namespace Quillvane::Synth;
using Quillvane::Note;

// The record slot of each parameter, written out from the slot ranges.
int expectedSlot(int p) {
  if (p <= 54) return p;
  if (p <= 57) return p + 4;  // 55-57 invert filter env -> 59-61
  if (p <= 61) return p - 3;  // 58-61 bass layer -> 55-58
  if (p <= 71) return p;
  if (p <= 75) return p + 1;   // equaliser, dump/expand -> 73-76
  if (p == 76) return 98;      // distortion on/off
  if (p <= 80) return p + 17;  // distortion settings -> 94-97
  if (p <= 83) return p + 10;  // quantise, rate, gate -> 91-93
  if (p <= 91) return p - 1;   // filter unit -> 83-90
  if (p == 92) return 105;     // mod fx on/off
  if (p <= 98) return p + 6;   // ring, phaser -> 99-104
  return p + 7;                // output -> 106-111
}

TEST(ParameterDispatch, EachParameterWritesExactlyItsOwnRecordSlot) {
  ThudrokkaProbe plug;
  std::set<int> written;
  for (int p = 0; p < kNumParameters; ++p) {
    const Quillvane::QVSynthProgram before = plug.mSynthProgram;
    const double v = (p + 1) / 211.0;
    plug.set(p, v);
    for (int slot = 0; slot < Quillvane::kNumRecordSlots; ++slot) {
      if (slot == expectedSlot(p)) {
        EXPECT_EQ(plug.mSynthProgram.slot(slot), v) << "parameter " << p;
      } else {
        EXPECT_EQ(plug.mSynthProgram.slot(slot), before.slot(slot)) << "parameter " << p << " slot " << slot;
      }
    }
    written.insert(expectedSlot(p));
  }
  for (int slot : {72, 77, 78, 79, 80, 81, 82}) EXPECT_EQ(written.count(slot), 0u);
  EXPECT_EQ(written.size(), 105u);
}

TEST(ParameterDispatch, IndexesOutsideTheParametersChangeNothing) {
  ThudrokkaProbe plug;
  const std::vector<ValueTap*> taps = TapEveryParameter(plug.mEditor, &plug, kNumParameters);
  const Quillvane::QVSynthProgram before = plug.mSynthProgram;
  const double fineTune = Note::sFineTune1.load();
  for (int idx : {-1, 105, 1000}) plug.OnParamChange(idx);
  for (int slot = 0; slot < Quillvane::kNumRecordSlots; ++slot)
    EXPECT_EQ(plug.mSynthProgram.slot(slot), before.slot(slot));
  EXPECT_EQ(Note::sFineTune1.load(), fineTune);
  for (const ValueTap* tap : taps) EXPECT_TRUE(tap->values.empty()) << tap->ParamIdx();
}

TEST(ParameterDispatch, TuningLaws) {
  ThudrokkaProbe plug;
  const double semitone = 1.059463094359;
  const struct {
    int p;
    double v;
    const std::atomic<double>* tuning;
    double expected;
  } cases[] = {
      {OscFreq1, 0.0, &Note::sFineTune1, 1.0 / semitone},
      {OscFreq1, 0.25, &Note::sFineTune1, 1.0 / (1.0 + 0.5 * (semitone - 1.0))},
      {OscFreq1, 0.5, &Note::sFineTune1, 1.0},
      {OscFreq1, 0.75, &Note::sFineTune1, 1.0 + 0.5 * (semitone - 1.0)},
      {OscFreq2, 1.0, &Note::sFineTune2, semitone},
      {OscFreq3, 0.0, &Note::sFineTune3, 1.0 / semitone},
      {OscPitch1, 0.0, &Note::sPitchFactor1, 0.5},
      {OscPitch1, 0.25, &Note::sPitchFactor1, 0.75},
      {OscPitch1, 0.5, &Note::sPitchFactor1, 1.0},
      {OscPitch2, 0.75, &Note::sPitchFactor2, 1.5},
      {OscPitch3, 1.0, &Note::sPitchFactor3, 2.0},
      {GlobalTranspose, 0.0, &Note::sGlobalTranspose, 0.5},
      {GlobalTranspose, 1.0, &Note::sGlobalTranspose, 2.0},
  };
  for (const auto& c : cases) {
    plug.set(c.p, c.v);
    EXPECT_NEAR(c.tuning->load(), c.expected, 1e-12) << c.p << " at " << c.v;
  }
}

TEST(ParameterDispatch, GlobalTransposeRetunesSoundingNotesAtOnce) {
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 64);
  plug.PlayNote(true);
  plug.takeHandOvers();
  const Note& note = plug.mVoiceManager.getNote(0);
  const double carrier = note.getCarrierFrequency();
  plug.set(GlobalTranspose, 1.0);
  EXPECT_DOUBLE_EQ(note.getCarrierFrequency(), 2.0 * carrier);
  plug.set(GlobalTranspose, 0.5);
}

TEST(ParameterDispatch, TuningIsSharedByEveryInstance) {
  ThudrokkaProbe first, second;
  second.prepare(44100.0, 256);
  auto renderNote = [&second] {
    std::vector<double> left(256), right(256);
    double* out[2] = {left.data(), right.data()};
    IMidiMsg on, off;
    on.MakeNoteOnMsg(60, 127, 0);
    off.MakeNoteOffMsg(60, 0);
    second.ProcessMidiMsg(&on);
    for (int b = 0; b < 8; ++b) second.ProcessDoubleReplacing(nullptr, out, 256);
    second.ProcessMidiMsg(&off);
    return left;
  };
  const std::vector<double> untuned = renderNote();
  first.set(OscFreq1, 1.0);
  first.set(OscFreq2, 1.0);
  first.set(OscFreq3, 1.0);
  EXPECT_NE(renderNote(), untuned);
  for (int p : {OscFreq1, OscFreq2, OscFreq3}) first.set(p, 0.5);
}

TEST(ParameterDispatch, EnvelopesReachEveryVoiceAndTheDisplayCopies) {
  ThudrokkaProbe plug;
  const struct {
    int p;
    bool filter;
    double (Quillvane::ADSR::*get)() const;
    double v;
    double expected;
  } cases[] = {
      {EnvAttack, false, &Quillvane::ADSR::getAttack, 0.3, 0.3},
      {EnvDecay, false, &Quillvane::ADSR::getDecay, 0.4, 0.4},
      {EnvSustain, false, &Quillvane::ADSR::getSustain, 0.6, 0.6},
      {EnvRelease, false, &Quillvane::ADSR::getRelease, 0.7, 0.7},
      {EnvDuration, false, &Quillvane::ADSR::getDuration, 0.5, 2.5},
      {FilterAttack, true, &Quillvane::ADSR::getAttack, 0.0, Quillvane::ADSR::kMinAttack},
      {FilterDecay, true, &Quillvane::ADSR::getDecay, 0.45, 0.45},
      {FilterSustain, true, &Quillvane::ADSR::getSustain, 0.55, 0.55},
      {FilterRelease, true, &Quillvane::ADSR::getRelease, 0.65, 0.65},
      {FilterDuration, true, &Quillvane::ADSR::getDuration, 0.0, Quillvane::ADSR::kMinDuration},
  };
  for (const auto& c : cases) {
    plug.set(c.p, c.v);
    const Quillvane::ADSR& display = c.filter ? plug.mFilterEnvelopeDisplay : plug.mVolumeEnvelopeDisplay;
    EXPECT_DOUBLE_EQ((display.*c.get)(), c.expected) << c.p;
    for (int n = 0; n < VoiceManager::kNumVoices; ++n) {
      const Note& note = plug.mVoiceManager.getNote(n);
      const Quillvane::ADSR& envelope = c.filter ? note.getFilterEnvelope() : note.getVolumeEnvelope();
      ASSERT_DOUBLE_EQ((envelope.*c.get)(), c.expected) << c.p << " voice " << n;
    }
  }
}

TEST(ParameterDispatch, PitchEnvelopeAndUnison) {
  ThudrokkaProbe plug;
  plug.set(PitchOnOff, 0.0);
  EXPECT_TRUE(plug.mPitchEnvelope.getBypass());
  plug.set(PitchOnOff, 1e-9);
  EXPECT_FALSE(plug.mPitchEnvelope.getBypass());
  plug.set(PitchAmount, 0.8);
  plug.set(PitchDuration, 0.3);
  plug.set(PitchPower, 0.6);
  plug.set(PitchDown, 0.2);
  EXPECT_EQ(plug.mPitchEnvelope.getPitchAmount(), 0.8);
  EXPECT_DOUBLE_EQ(plug.mPitchEnvelope.getPitchDuration(), 0.3);
  EXPECT_EQ(plug.mPitchEnvelope.getPitchPower(), 0.6);
  EXPECT_EQ(plug.mPitchEnvelope.getPitchDown(), 0.2);

  plug.set(UnisonVoices, 0.4);
  EXPECT_EQ(plug.mVoiceManager.getUnisonVoices(), 1);
  plug.set(UnisonVoices, 0.6);
  plug.set(UnisonDetune, 0.3);
  for (int n = 0; n < VoiceManager::kNumVoices; ++n) {
    EXPECT_EQ(plug.mVoiceManager.getNote(n).getUnisonVoices(), 2u);
    EXPECT_EQ(plug.mVoiceManager.getNote(n).getUnisonDetune(), 0.3);
  }
}

// The effect units that the dispatch drives, main units before bass twins.
struct Units {
  Quillvane::FilterUnit& filter;
  Quillvane::FilterUnit& bassFilter;
  Quillvane::RingModulator& ring;
  Quillvane::Phaser& phaser;
  Quillvane::Distortion& distortion;
  Quillvane::BitCrasher& crasher;
  Quillvane::Equalizer& eq;
  Quillvane::DumpExpand& dump;
  Quillvane::DumpExpand& bassDump;
};

// Parameters 72 to 98 and what each does to the units.
const std::map<int, std::function<void(Units&, double)>>& effectRows() {
  static const std::map<int, std::function<void(Units&, double)>> rows = {
      {BassAmount, [](Units& u, double v) { u.eq.setBassAmount(v); }},
      {MidAmount, [](Units& u, double v) { u.eq.setMidAmount(v); }},
      {HighAmount, [](Units& u, double v) { u.eq.setHighAmount(v); }},
      {DumpExpand, [](Units& u, double v) { u.dump.setDumpExpand(v), u.bassDump.setDumpExpand(v); }},
      {DistortionOnOff, [](Units& u, double v) { u.distortion.setOff(v == 0.0), u.crasher.setOff(v == 0.0); }},
      {Distortion, [](Units& u, double v) { u.distortion.setAmount(v); }},
      {DistortionType, [](Units& u, double v) { u.distortion.setType(v); }},
      {DistortionLoudness, [](Units& u, double v) { u.distortion.setLoudness(v != 0.0); }},
      {DistortionInterpMode, [](Units& u, double v) { u.distortion.setInterpolation(v); }},
      {Quantization, [](Units& u, double v) { u.crasher.setQuantization(v); }},
      {SampleRate, [](Units& u, double v) { u.distortion.setSampleRateConversion(v); }},
      {Gate, [](Units& u, double v) { u.distortion.setGate(v); }},
      {FilterOnOff, [](Units& u, double v) { u.filter.setBypass(v == 0.0), u.bassFilter.setBypass(v == 0.0); }},
      {FilterInputDrive, [](Units& u, double v) { u.filter.setInputDrive(v), u.bassFilter.setInputDrive(v); }},
      {FilterType, [](Units& u, double v) { u.filter.setFilterMix(v), u.bassFilter.setFilterMix(v); }},
      {FilterCutoff, [](Units& u, double v) { u.filter.setCutoff(v), u.bassFilter.setCutoff(v); }},
      {FilterResonance, [](Units& u, double v) { u.filter.setRezo(v), u.bassFilter.setRezo(v); }},
      {FilterMode1, [](Units& u, double v) { u.filter.setFilterMode1(v), u.bassFilter.setFilterMode1(v); }},
      {FilterMode2, [](Units& u, double v) { u.filter.setFilterMode2(v), u.bassFilter.setFilterMode2(v); }},
      {FilterTransition,
       [](Units& u, double v) { u.filter.setFilterTransition(v), u.bassFilter.setFilterTransition(v); }},
      {ModulationOnOff, [](Units& u, double v) { u.ring.setBypass(v == 0.0), u.phaser.setBypass(v == 0.0); }},
      {RingModulationAmount, [](Units& u, double v) { u.ring.setAmount(v); }},
      {RingModulationFrequency, [](Units& u, double v) { u.ring.setFrequency(v); }},
      {RingModulationWaveForm, [](Units& u, double v) { u.ring.setWaveform(v); }},
      {PhaserDepth, [](Units& u, double v) { u.phaser.setDepth(v); }},
      {PhaserFeedback, [](Units& u, double v) { u.phaser.setFeedback(v); }},
      {PhaserRate, [](Units& u, double v) { u.phaser.setRate(v); }},
  };
  return rows;
}

struct ReferenceUnits {
  Quillvane::FilterUnit filter, bassFilter;
  Quillvane::RingModulator ring;
  Quillvane::Phaser phaser;
  Quillvane::Distortion distortion;
  Quillvane::BitCrasher crasher;
  Quillvane::Equalizer eq;
  Quillvane::DumpExpand dump, bassDump;
  Units units{filter, bassFilter, ring, phaser, distortion, crasher, eq, dump, bassDump};

  // The rows for the instrument's current values, then the preparation for
  // a rate and block size.
  void configure(const Thudrokka& plug, double rate, int block) {
    for (const auto& row : effectRows()) row.second(units, plug.GetParam(row.first)->Value());
    ring.setSampleRate(rate);
    phaser.setSampleRate(rate);
    distortion.setSampleRate(rate);
    for (Quillvane::FilterUnit* unit : {&filter, &bassFilter}) {
      unit->setSampleRate(rate);
      unit->setBlockSize(block);
      unit->reset();
    }
    eq.setSampleRate(rate);
    eq.setBlockSize(block);
    eq.reset();
    for (Quillvane::DumpExpand* unit : {&dump, &bassDump}) {
      unit->setSampleRate(rate);
      unit->setBlockSize(block);
      unit->reset();
    }
  }
};

// The same noise through each unit of both sets, one stage at a time.
void expectSameProcessing(Units& actual, Units& reference, int block) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> noise(-0.8, 0.8);
  const std::vector<std::pair<const char*, std::function<void(Units&, double**)>>> stages = {
      {"filter", [block](Units& u, double** io) { u.filter.process(io, block); }},
      {"bass filter", [block](Units& u, double** io) { u.bassFilter.process(io, block); }},
      {"ring", [block](Units& u, double** io) { u.ring.modulate(io, block); }},
      {"phaser", [block](Units& u, double** io) { u.phaser.process(io, block); }},
      {"rate reduction", [block](Units& u, double** io) { u.distortion.applySampleRateConversion(io, block); }},
      {"crasher", [block](Units& u, double** io) { u.crasher.process(io, block); }},
      {"gate", [block](Units& u, double** io) { u.distortion.applyGate(io, block); }},
      {"distortion", [block](Units& u, double** io) { u.distortion.distort(io, block); }},
      {"equaliser", [block](Units& u, double** io) { u.eq.process(io, block); }},
      {"dump/expand", [block](Units& u, double** io) { u.dump.process(io, block); }},
      {"bass dump/expand", [block](Units& u, double** io) { u.bassDump.process(io, block); }},
  };
  for (const auto& stage : stages) {
    for (int repeat = 0; repeat < 3; ++repeat) {
      std::vector<double> a[2], b[2];
      for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < block; ++i) a[c].push_back(noise(random));
        b[c] = a[c];
      }
      double* ioA[2] = {a[0].data(), a[1].data()};
      double* ioB[2] = {b[0].data(), b[1].data()};
      stage.second(actual, ioA);
      stage.second(reference, ioB);
      ASSERT_EQ(a[0], b[0]) << stage.first;
      ASSERT_EQ(a[1], b[1]) << stage.first;
    }
  }
}

TEST(ParameterDispatch, EffectRowsDriveTheUnitsAsTabled) {
  const double rate = 48000.0;
  const int block = 96;
  std::mt19937 random(11);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int round = 0; round < 3; ++round) {
    ThudrokkaProbe plug;
    for (const auto& row : effectRows()) {
      // Round 1 switches everything off that can be, round 2 picks edges.
      double v = unit(random);
      if (round == 1 && plug.GetParam(row.first)->GetStep() == 1.0) v = 0.0;
      if (round == 2) v = (row.first % 2) ? 1.0 : 0.0;
      plug.set(row.first, v);
    }
    plug.prepare(rate, block);
    Units actual{plug.mFilterUnit, plug.mBassFilterUnit, plug.mRingModulator, plug.mPhaser,        plug.mDistortion,
                 plug.mBitCrasher, plug.mEqualizer,      plug.mDumpExpand,    plug.mBassDumpExpand};
    ReferenceUnits reference;
    reference.configure(plug, rate, block);
    SCOPED_TRACE(round);
    expectSameProcessing(actual, reference.units, block);
  }
}

TEST(ParameterDispatch, SwitchesAreOffOnlyAtExactlyZero) {
  ThudrokkaProbe plug;
  for (double v : {1e-12, 0.3, 1.0}) {
    plug.set(FilterOnOff, v);
    plug.set(ModulationOnOff, v);
    for (const Quillvane::AudioProcessingUnit* unit : std::initializer_list<const Quillvane::AudioProcessingUnit*>{
             &plug.mFilterUnit, &plug.mBassFilterUnit, &plug.mRingModulator, &plug.mPhaser}) {
      EXPECT_FALSE(unit->isBypassed()) << v;
      // Every dispatch, even of an unchanged value, restarts the fade-in.
      EXPECT_EQ(unit->getFadeLevel(), Quillvane::AudioProcessingUnit::kFadeInc) << v;
    }
  }
  plug.set(FilterOnOff, 0.0);
  plug.set(ModulationOnOff, 0.0);
  EXPECT_TRUE(plug.mFilterUnit.isBypassed() && plug.mBassFilterUnit.isBypassed());
  EXPECT_TRUE(plug.mRingModulator.isBypassed() && plug.mPhaser.isBypassed());
}

TEST(ParameterDispatch, WithAnEditorEachChangeIsHandedOverTwice) {
  ThudrokkaProbe plug;
  const std::vector<ValueTap*> taps = TapEveryParameter(plug.mEditor, &plug, kNumParameters);
  for (int p : {OscWaveform1, Volume, Quantization}) {
    plug.set(p, 0.7);
    for (const ValueTap* tap : taps) {
      if (tap->ParamIdx() != p) {
        EXPECT_TRUE(tap->values.empty()) << p << " reached " << tap->ParamIdx();
        continue;
      }
      // As the knob position: the shaped quantisation's 0.7 is the fourth power of it.
      const double position = p == Quantization ? std::pow(0.7, 0.25) : 0.7;
      ASSERT_EQ(tap->values.size(), 2u) << p;
      for (double v : tap->values) EXPECT_NEAR(v, position, 1e-12) << p;
    }
    for (ValueTap* tap : taps) tap->values.clear();
  }
}

TEST(ParameterDispatch, SwitchingTheLimiterRestartsPeakMetering) {
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 32);
  std::vector<double> left(32, 0.5), right(32, 0.25);
  double* out[2] = {left.data(), right.data()};
  plug.limitAndDetectMaxLevels(out, 32);
  EXPECT_EQ(plug.GetMaxSampleValue(), 0.5);
  plug.set(LimitOutput, 0.0);
  plug.ProcessDoubleReplacing(nullptr, out, 32);
  EXPECT_EQ(plug.GetMaxSampleValue(), 0.0);
}

}  // namespace
