#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <set>
#include <string>

#include "platform/standin/AudioUnitUtilities.h"
#include "program/RirARorurProgram.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tests/instrument/ValueTap.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/UserWaveformSnapshot.h"

namespace {

using testsupport::Fifo;
using testsupport::TempDirectory;

using namespace Quillvane::Synth;

// The parameter-change events a host's listeners hear while it lives.
class HostListener {
 public:
  HostListener() { standin::AddAUEventSink(&HostListener::hear, this); }
  ~HostListener() { standin::RemoveAUEventSink(&HostListener::hear, this); }
  HostListener(const HostListener&) = delete;
  HostListener& operator=(const HostListener&) = delete;

  std::multiset<int> changed;

 private:
  static void hear(void* self, const AudioUnitEvent& event) {
    if (event.mEventType == kAudioUnitEvent_ParameterValueChange) {
      static_cast<HostListener*>(self)->changed.insert(static_cast<int>(event.mArgument.mParameter.mParameterID));
    }
  }
};

// Every parameter but those kept at a value drawn from [low, high).
void setRandomValues(ThudrokkaProbe& plug, unsigned seed, double low, double high, const std::set<int>& kept = {}) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(low, high);
  for (int p = 0; p < kNumParameters; ++p) {
    if (!kept.count(p)) plug.set(p, unit(random));
  }
}

std::vector<double> parameterValues(const Thudrokka& plug) {
  std::vector<double> values;
  for (int p = 0; p < plug.NParams(); ++p) values.push_back(plug.GetParam(p)->Value());
  return values;
}

TEST(ProgramFiles, SaveAndLoadGiveEveryParameterTheFilesValue) {
  const TempDirectory dir;
  const std::string file = dir.path("out.qvp");
  ThudrokkaProbe source;
  setRandomValues(source, 3, 0.0, 1.0);
  source.GetParam(Quantization)->SetNormalized(0.5);
  source.OnParamChange(Quantization);
  source.ModifyCurrentPreset("Test Kick");
  ASSERT_TRUE(source.SaveProgramAsQV(file.c_str()));

  Quillvane::RirARorurProgram written;
  ASSERT_TRUE(written.loadProgram(file.c_str()));
  EXPECT_STREQ(written.getProgramName(), "Test Kick");

  ThudrokkaProbe loaded;
  auto* quantization = new ValueTap(&loaded, Quantization);
  loaded.mEditor->AttachControl(quantization);
  ASSERT_TRUE(loaded.LoadProgramAsQV(file.c_str()));
  loaded.takeHandOvers();
  for (int p = 0; p < kNumParameters; ++p) {
    const double expected = written.getParameterValue(static_cast<eVstParameters>(p), true);
    EXPECT_NEAR(loaded.GetParam(p)->Value(), expected, 1e-12) << p;
    EXPECT_EQ(loaded.mSynthProgram[static_cast<eVstParameters>(p)], loaded.GetParam(p)->Value()) << p;
  }
  // The shaped quantisation survives the trip instead of being shaped again.
  EXPECT_NEAR(loaded.GetParam(Quantization)->Value(), 0.0625, 1e-12);
  EXPECT_NEAR(loaded.GetParam(Quantization)->GetNormalized(), 0.5, 1e-12);
  ASSERT_FALSE(quantization->values.empty());
  for (double v : quantization->values) EXPECT_NEAR(v, 0.5, 1e-12);

  // The current slot now holds the loaded sound under the loaded name.
  const std::vector<double> afterLoad = parameterValues(loaded);
  EXPECT_STREQ(loaded.GetPresetName(0), "Test Kick");
  ASSERT_TRUE(loaded.RestorePreset(1));
  ASSERT_TRUE(loaded.RestorePreset(0));
  EXPECT_EQ(parameterValues(loaded), afterLoad);
}

TEST(ProgramFiles, ALoadTellsTheHostOfEveryParameterItChanged) {
  const TempDirectory dir;
  const std::string file = dir.path("out.qvp");
  ThudrokkaProbe source;
  setRandomValues(source, 5, 0.05, 0.95, {OscVolume1, FilterDecay, Pan});
  ASSERT_TRUE(source.SaveProgramAsQV(file.c_str()));
  Quillvane::RirARorurProgram written;
  ASSERT_TRUE(written.loadProgram(file.c_str()));

  ThudrokkaProbe loaded;
  std::multiset<int> expected;
  for (int p = 0; p < kNumParameters; ++p) {
    if (written.getParameterValue(static_cast<eVstParameters>(p), true) != loaded.GetParam(p)->Value()) {
      expected.insert(p);
    }
  }
  ASSERT_GT(expected.size(), 90u);
  ASSERT_EQ(expected.count(Pan), 0u);
  HostListener host;
  ASSERT_TRUE(loaded.LoadProgramAsQV(file.c_str()));
  EXPECT_EQ(host.changed, expected);
  host.changed.clear();
  ASSERT_TRUE(loaded.LoadProgramAsQV(file.c_str()));
  EXPECT_TRUE(host.changed.empty());
}

TEST(ProgramFiles, AMissingFileChangesNothing) {
  ThudrokkaProbe plug;
  plug.set(Volume, 0.9);
  const std::vector<ValueTap*> taps = TapEveryParameter(plug.mEditor, &plug, kNumParameters);
  const std::vector<double> before = parameterValues(plug);
  const Quillvane::QVSynthProgram record = plug.mSynthProgram;
  const std::string name = plug.GetPresetName(0);
  EXPECT_FALSE(plug.LoadProgramAsQV("/nonexistent/folder/program.qvp"));
  EXPECT_FALSE(plug.LoadProgramAsQV(""));
  EXPECT_FALSE(plug.LoadProgramAsQV(nullptr));
  EXPECT_EQ(parameterValues(plug), before);
  for (int slot = 0; slot < Quillvane::kNumRecordSlots; ++slot)
    EXPECT_EQ(plug.mSynthProgram.slot(slot), record.slot(slot));
  EXPECT_EQ(plug.GetPresetName(0), name);
  for (const ValueTap* tap : taps) EXPECT_TRUE(tap->values.empty()) << tap->ParamIdx();
}

// A pipe that nothing writes would hold a reader that waits for a writer for
// ever; a device or a folder holds no program either.
TEST(ProgramFiles, WhatIsNotARegularFileIsRefusedAtOnceAndChangesNothing) {
  const TempDirectory dir;
  const Fifo fifo(dir.path("pipe.qvp"));
  ASSERT_TRUE(fifo.made());
  ThudrokkaProbe plug;
  plug.set(Volume, 0.9);
  const std::vector<ValueTap*> taps = TapEveryParameter(plug.mEditor, &plug, kNumParameters);
  const std::vector<double> before = parameterValues(plug);
  const std::string name = plug.GetPresetName(0);
  const struct {
    std::string path, cause;
  } cases[] = {
      {fifo.path(), "not a regular file"},
      {"/dev/zero", "not a regular file"},
      {dir.path(), "Is a directory"},
  };
  for (const auto& c : cases) {
    bool loaded = true;
    std::string error;
    EXPECT_TRUE(fifo.returnsPromptly([&] { loaded = plug.LoadProgramAsQV(c.path.c_str(), &error); })) << c.path;
    EXPECT_FALSE(loaded) << c.path;
    EXPECT_EQ(error, "cannot read program file '" + c.path + "': " + c.cause);
  }
  EXPECT_EQ(parameterValues(plug), before);
  EXPECT_EQ(plug.GetPresetName(0), name);
  for (const ValueTap* tap : taps) EXPECT_TRUE(tap->values.empty()) << tap->ParamIdx();

  plug.set(OscWaveform1, 1.0);
  ASSERT_TRUE(plug.CanLoadWaveform());
  for (const std::string& path : {fifo.path(), std::string("/dev/zero"), dir.path()}) {
    bool loaded = true;
    EXPECT_TRUE(fifo.returnsPromptly([&] { loaded = plug.LoadWaveform(path.c_str()); })) << path;
    EXPECT_FALSE(loaded) << path;
    EXPECT_FALSE(plug.mWaveformProvider.isLoadPending()) << path;
  }
}

TEST(ProgramFiles, MissingLinesTakeTheProgramsStartingValues) {
  const TempDirectory dir;
  const std::string file = dir.path("out.qvp");
  {
    std::ofstream out(file);
    out << "no name here\nOsc1OnOff = 0.25;\nOscWaveform1 = Sawtooth;\n";
  }
  ThudrokkaProbe plug;
  for (int p = 0; p < kNumParameters; ++p) plug.set(p, 0.123);
  ASSERT_TRUE(plug.LoadProgramAsQV(file.c_str()));
  const Quillvane::RirARorurProgram fresh;
  EXPECT_EQ(plug.GetParam(Osc1OnOff)->Value(), 0.25);
  EXPECT_NEAR(plug.GetParam(OscWaveform1)->Value(), 1.0 / 35.0, 1e-12);
  for (int p = OscFreq1; p < kNumParameters; ++p) {
    EXPECT_NEAR(plug.GetParam(p)->Value(), fresh.getParameterValue(static_cast<eVstParameters>(p), true), 1e-12) << p;
  }
  EXPECT_STREQ(plug.GetPresetName(0), "Basic Bassdrum");
}

TEST(ProgramFiles, SavingToAnUnwritablePlaceFails) {
  ThudrokkaProbe plug;
  EXPECT_FALSE(plug.SaveProgramAsQV("/nonexistent/folder/program.qvp"));
  EXPECT_FALSE(plug.SaveProgramAsQV(""));
  EXPECT_FALSE(plug.SaveProgramAsQV(nullptr));
}

TEST(PresetCaption, OneBasedNumberAndName) {
  ThudrokkaProbe plug;
  EXPECT_EQ(plug.GetCurrentPresetString(), "01: #BASIC BASSDRUMS#");
  const struct {
    int index;
    const char* number;
  } cases[] = {{8, "09: "}, {99, "100: "}, {127, "128: "}};
  for (const auto& c : cases) {
    ASSERT_TRUE(plug.RestorePreset(c.index));
    EXPECT_EQ(plug.GetCurrentPresetString(), c.number + std::string(plug.GetPresetName(c.index)));
  }
  EXPECT_EQ(plug.GetCurrentPresetString(), "128: Basic Sine wave");
  plug.ModifyCurrentPreset(std::string(300, 'x').c_str());
  const std::string caption = plug.GetCurrentPresetString();
  EXPECT_EQ(caption.size(), 127u);
  EXPECT_EQ(caption.substr(0, 8), "128: xxx");
  // The cut keeps whole characters: after "128: x", 60 of the 'é's fit.
  std::string accented = "x";
  for (int i = 0; i < 100; ++i) accented += "\xc3\xa9";
  plug.ModifyCurrentPreset(accented.c_str());
  EXPECT_EQ(plug.GetCurrentPresetString(), "128: " + accented.substr(0, 121));
}

TEST(SyncButton, TunesTheRingModulatorToTheLastNote) {
  ThudrokkaProbe plug;
  const std::vector<ValueTap*> taps = TapEveryParameter(plug.mEditor, &plug, kNumParameters);
  plug.set(RingModulationFrequency, 0.7);
  const struct {
    double frequency, multiplier, expected;
  } cases[] = {{0.0, 2.0, 0.0}, {100.0, 8.0, 0.2}, {440.0, 16.0, 1.0}, {100.0, 1.0, 0.025}};
  for (const auto& c : cases) {
    if (c.frequency > 0.0) plug.onNoteOn(c.frequency, "A4");
    for (ValueTap* tap : taps) tap->values.clear();
    plug.OnSyncModFx(c.multiplier);
    plug.takeHandOvers();
    EXPECT_DOUBLE_EQ(plug.GetParam(RingModulationFrequency)->Value(), c.expected);
    EXPECT_DOUBLE_EQ(plug.mSynthProgram[RingModulationFrequency], c.expected);
    EXPECT_DOUBLE_EQ(plug.mRingModulator.getFrequency(), c.expected);
    // Only the ring frequency's controls hear of it, once.
    for (const ValueTap* tap : taps) {
      if (tap->ParamIdx() == RingModulationFrequency) {
        ASSERT_EQ(tap->values.size(), 1u);
        EXPECT_DOUBLE_EQ(tap->values[0], c.expected);
      } else {
        EXPECT_TRUE(tap->values.empty()) << tap->ParamIdx();
      }
    }
  }
}

TEST(SyncButton, TellsTheHostWhenTheFrequencyChanges) {
  ThudrokkaProbe plug;
  plug.onNoteOn(100.0, "A4");
  HostListener host;
  plug.OnSyncModFx(8.0);
  EXPECT_EQ(host.changed, std::multiset<int>{RingModulationFrequency});
  plug.OnSyncModFx(8.0);
  EXPECT_EQ(host.changed.size(), 1u);
}

TEST(NoteDisplay, KeepsTheTransposedFrequencyAndNameOfTheLastNote) {
  ThudrokkaProbe plug;
  EXPECT_EQ(plug.GetNoteInfoString(), "");
  plug.set(GlobalTranspose, 1.0);
  plug.onNoteOn(65.4, "C2");
  EXPECT_DOUBLE_EQ(plug.getLastNoteFrequency(), 130.8);
  EXPECT_EQ(plug.GetNoteInfoString(), "130.8Hz [C2]");
  plug.set(GlobalTranspose, 0.5);

  // A note played through the queue reports itself the same way.
  plug.prepare(44100.0, 64);
  IMidiMsg on;
  on.MakeNoteOnMsg(70, 100, 3);
  plug.ProcessMidiMsg(&on);
  std::vector<double> left(64), right(64);
  double* out[2] = {left.data(), right.data()};
  plug.ProcessDoubleReplacing(nullptr, out, 64);
  EXPECT_DOUBLE_EQ(plug.getLastNoteFrequency(), plug.mVoiceManager.getNote(0).getNoteFrequency());
  EXPECT_EQ(plug.GetNoteInfoString().substr(plug.GetNoteInfoString().find('[')), "[A#5]");
}

TEST(WaveformLoad, OnlyIntoAUserSlotAndInstalledByTheNextBlock) {
  const TempDirectory dir;
  const std::string file = dir.path("out.raw");
  {
    std::vector<double> table(4096);
    for (std::size_t i = 0; i < table.size(); ++i) table[i] = 0.5 * std::sin(2.0 * M_PI * i / 4096.0);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(table.data()), static_cast<std::streamsize>(table.size() * sizeof(double)));
  }
  ThudrokkaProbe plug;
  plug.prepare(44100.0, 64);
  plug.set(OscWaveform1, 0.57);
  EXPECT_FALSE(plug.CanLoadWaveform());
  EXPECT_FALSE(plug.LoadWaveform(file.c_str()));
  plug.set(OscWaveform1, 0.6);
  EXPECT_TRUE(plug.CanLoadWaveform());

  // User slots are shared by the process; put them back afterwards.
  const UserWaveformSnapshot keep;
  const double selector = 1.0;
  plug.set(OscWaveform1, selector);
  ASSERT_TRUE(plug.LoadWaveform(file.c_str()));
  EXPECT_TRUE(plug.mWaveformProvider.isLoadPending());
  std::vector<double> left(64), right(64);
  double* out[2] = {left.data(), right.data()};
  plug.ProcessDoubleReplacing(nullptr, out, 64);
  EXPECT_FALSE(plug.mWaveformProvider.isLoadPending());
  EXPECT_NEAR(plug.mWaveformProvider.getWaveform(selector)[1024], 0.999, 1e-9);
  // The editor's next tick redraws the curve from the new table.
  std::vector<double> curve(78);
  plug.mWaveformProvider.updateGUIData(selector, false, curve.data(), 78);
  EXPECT_NE(std::vector<double>(plug.mOsc1WaveformCurve, plug.mOsc1WaveformCurve + 78), curve);
  plug.OnIdle();
  EXPECT_EQ(std::vector<double>(plug.mOsc1WaveformCurve, plug.mOsc1WaveformCurve + 78), curve);
}

}  // namespace
