// A host's render thread renders through the unit's fast render procedure
// while a second thread does what a host's other threads and the editor do.
// The suite is also built with ThreadSanitizer, and with AddressSanitizer, so
// that any data race or use of memory freed under the render thread shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "instrument/Thudrokka.h"
#include "platform/standin/CFBase.h"
#include "tests/instrument/ParameterValues.h"
#include "tests/support/TempDirectory.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using namespace Quillvane::Synth;

constexpr double kRate = 44100.0;
constexpr int kBlock = 256;
// The least a take renders; it goes on until the second thread has made
// its actions too.
constexpr int kBlocks = 300;
constexpr int kPreset = 3;
constexpr float kLimit = static_cast<float>(Thudrokka::kLimitOffBound);
constexpr int kNoStateSlots = 3;
// What a value handed to a parameter may be, each kind met in turn.
enum ValueKind { kZero, kOne, kMiddle, kNaN, kBelow, kAbove, kInfinity, kMinusInfinity, kInRange, kValueKinds };
// Each scenario's second thread makes at least this many actions, however
// fast or slow the machine: enough for every parameter to meet every kind
// of value, so that what a run covers does not depend on the machine.
constexpr int kActions = kNumParameters * kValueKinds;

struct Take {
  std::vector<float> left, right;
  // Blocks after which the live record held none of the whole sets.
  int splitBlocks = 0;
};

// The instrument as the scenario leaves it before rendering, and what the
// second thread may hand it.
struct Stage {
  InstrumentHost host;
  std::string programFile;
  std::vector<float> values;  // every parameter as the host reads it back
  CFPropertyListRef current = nullptr;
  CFPropertyListRef others[kNoStateSlots] = {};
  // What each state, the current one and the program file set the parameters to.
  std::vector<std::vector<double>> wholeSets;

  ~Stage() {
    if (current) CFRelease(current);
    for (CFPropertyListRef state : others) {
      if (state) CFRelease(state);
    }
  }

  Thudrokka* plug() const { return host.instrument(); }
  AudioUnit unit() { return host.session().Unit(); }
};

// One preset, every value exact in single precision so that the host can send
// it back unchanged, and its slot renamed so that a saved state names it.
// With effectsOff the effect chain and the bass-layer filter path do not run,
// so that re-dispatching their crossfaded switches, which restarts the
// crossfade by design, cannot be heard.
void prepare(Stage& stage, bool effectsOff, const testsupport::TempDirectory& dir) {
  ASSERT_EQ(stage.host.open(kRate, kBlock), noErr);
  standin::HostSession& session = stage.host.session();
  for (int i = 0; i < kNoStateSlots; ++i) {
    ASSERT_EQ(stage.host.selectPreset(40 * i + 3), noErr);
    ASSERT_EQ(session.GetState(&stage.others[i]), noErr);
    stage.wholeSets.push_back(ParameterValues(stage.plug()));
  }
  ASSERT_EQ(stage.host.selectPreset(kPreset), noErr);
  if (effectsOff) {
    ASSERT_EQ(session.SetParameter(BypassFX, 1.0f), noErr);
    ASSERT_EQ(session.SetParameter(BassLayerToFilter, 0.0f), noErr);
  }
  for (int p = 0; p < kNumParameters; ++p) {
    float v = 0.0f;
    ASSERT_EQ(session.GetParameter(p, &v), noErr);
    ASSERT_EQ(session.SetParameter(p, v), noErr);
    stage.values.push_back(v);
  }
  stage.plug()->ModifyCurrentPreset("Concurrency take");
  ASSERT_EQ(session.GetState(&stage.current), noErr);
  stage.programFile = dir.path("program.qvp");
  ASSERT_TRUE(stage.plug()->SaveProgramAsQV(stage.programFile.c_str()));
  stage.wholeSets.push_back(ParameterValues(stage.plug()));
  ASSERT_TRUE(stage.plug()->LoadProgramAsQV(stage.programFile.c_str()));
  stage.wholeSets.push_back(ParameterValues(stage.plug()));
  ASSERT_EQ(session.SetState(stage.current), noErr);
  // The load kept its sound in the current slot, which holds the take's again.
  stage.plug()->ModifyCurrentPreset();
}

// The render thread's loop: notes sent from the render thread itself at fixed
// frames, so that the take is the same in every run that changes nothing.
// It renders until done says so, given the blocks rendered.
Take renderLoop(Stage& stage, bool checkWholeSets, const std::function<bool(int)>& done) {
  Take take;
  std::vector<float> left(kBlock), right(kBlock);
  for (int b = 0; !done(b); ++b) {
    const int note = 36 + (b / 30) % 24;
    if (b % 30 == 0) stage.host.noteOn(note, 100 + b % 27, (b * 7) % kBlock);
    if (b % 30 == 20) stage.host.noteOff(note, (b * 13) % kBlock);
    if (stage.host.render(kBlock, left.data(), right.data()) != noErr) {
      ADD_FAILURE() << "render failed at block " << b;
      return take;
    }
    take.left.insert(take.left.end(), left.begin(), left.end());
    take.right.insert(take.right.end(), right.begin(), right.end());
    if (checkWholeSets) {
      const std::vector<double> sounding = RecordValues(stage.plug());
      if (std::find(stage.wholeSets.begin(), stage.wholeSets.end(), sounding) == stage.wholeSets.end()) {
        ++take.splitBlocks;
      }
    }
  }
  return take;
}

OSStatus CountCalls(void* userData, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32,
                    AudioBufferList*) {
  ++*static_cast<long*>(userData);
  return noErr;
}

// What the second thread does, one action per call.
struct Actor {
  Stage& stage;
  std::mt19937 random;
  // The counter of each render notification added; freed as soon as it is
  // removed, which a call after the remove would show.
  std::vector<long*> notified;
  double rate = kRate;
  // Walks every parameter with every kind of value.
  int knobStep = 0;

  ~Actor() {
    while (!notified.empty()) removeNotification();
  }

  int below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
  double valueOf(int kind) {
    switch (kind) {
      case kZero: return 0.0;
      case kOne: return 1.0;
      case kMiddle: return 0.5;
      case kNaN: return std::nan("");
      case kBelow: return -0.5;
      case kAbove: return 1.5;
      case kInfinity: return std::numeric_limits<double>::infinity();
      case kMinusInfinity: return -std::numeric_limits<double>::infinity();
      default: return std::uniform_real_distribution<double>(0.0, 1.0)(random);
    }
  }
  // The next parameter and value of the walk: every parameter with one kind,
  // then every parameter with the next.
  std::pair<int, double> nextKnob() {
    const int step = knobStep++ % kActions;
    return {step % kNumParameters, valueOf(step / kNumParameters)};
  }

  void toggleBypass() {
    const UInt32 bypass = below(2);
    AudioUnitSetProperty(stage.unit(), kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, &bypass,
                         sizeof(bypass));
  }
  void automate() {
    const auto knob = nextKnob();
    stage.host.session().SetParameter(knob.first, static_cast<float>(knob.second));
  }
  void turnAKnob() {
    const auto knob = nextKnob();
    stage.plug()->SetParameterFromGUI(knob.first, knob.second);
  }
  // Offsets reach past the next block; a dozen keys keep the voices' work
  // within what a sanitized build renders in good time. Half the control
  // changes are all sound off or all notes off.
  void sendMidi() {
    static const UInt8 kinds[] = {0x80, 0x90, 0x90, 0xB0, 0xE0, 0xF8};
    static const UInt8 stoppingControls[] = {120, 123};
    const UInt8 kind = kinds[below(6)];
    const UInt8 data1 = kind == 0xB0 && below(2) ? stoppingControls[below(2)] : static_cast<UInt8>(60 + below(12));
    stage.host.session().SendMIDI(kind, data1, static_cast<UInt8>(below(128)),
                                  static_cast<UInt32>(below(3 * kBlock)));
  }
  void restorePreset() { stage.host.selectPreset(below(128)); }
  void setState() { stage.host.session().SetState(stage.others[below(kNoStateSlots)]); }
  void editorActions() {
    switch (below(4)) {
      case 0: stage.plug()->LoadProgramAsQV(stage.programFile.c_str()); break;
      case 1: stage.plug()->OnSyncModFx(1 << below(6)); break;
      case 2: stage.plug()->PlayNote(below(2) == 0); break;
      default: stage.plug()->ResetMaxLevels(); break;
    }
  }
  void reset() { AudioUnitReset(stage.unit(), kAudioUnitScope_Global, 0); }
  // A host that does not stop rendering first: the unit keeps its slice and
  // output format until it is uninitialised, and takes a new rate at the
  // next block.
  void changeSliceFormatAndRate() {
    standin::HostSession& session = stage.host.session();
    switch (below(3)) {
      case 0: {
        const UInt32 frames = below(2) ? kBlock : 4096;
        EXPECT_EQ(session.SetMaxFramesPerSlice(frames), frames == kBlock ? noErr : kAudioUnitErr_Initialized);
        break;
      }
      case 1: {
        const UInt32 channels = 1 + below(2);
        const double formatRate = below(2) ? rate : 48000.0;
        EXPECT_EQ(session.SetStreamFormat(kAudioUnitScope_Output, 0, channels, formatRate),
                  channels == 2 && formatRate == rate ? noErr : kAudioUnitErr_Initialized);
        break;
      }
      default: {
        static const double rates[] = {kRate, 48000.0, 96000.0};
        rate = rates[below(3)];
        EXPECT_EQ(session.SetSampleRate(rate), noErr);
        break;
      }
    }
  }
  void removeNotification() {
    AudioUnitRemoveRenderNotify(stage.unit(), CountCalls, notified.front());
    delete notified.front();
    notified.erase(notified.begin());
  }
  void changeNotifications() {
    if (notified.size() < 4 && (notified.empty() || below(2))) {
      notified.push_back(new long(0));
      AudioUnitAddRenderNotify(stage.unit(), CountCalls, notified.back());
    } else {
      removeNotification();
    }
  }
  // Only whole sets the stage knows, and render notifications coming and going.
  void restoreWholeSets() {
    switch (below(6)) {
      case 0: stage.host.selectPreset(40 * below(kNoStateSlots) + 3); break;
      case 1: stage.host.session().SetState(stage.others[below(kNoStateSlots)]); break;
      case 2: stage.host.session().SetState(stage.current); break;
      case 3: stage.plug()->LoadProgramAsQV(stage.programFile.c_str()); break;
      default: changeNotifications(); break;
    }
  }
  void anything() {
    const std::function<void(Actor&)> all[] = {&Actor::toggleBypass,  &Actor::automate,      &Actor::turnAKnob,
                                               &Actor::sendMidi,      &Actor::restorePreset, &Actor::setState,
                                               &Actor::editorActions, &Actor::reset,         &Actor::changeNotifications};
    all[below(9)](*this);
  }

  // Values the instrument already holds, sent back through each road.
  void resendParameter(bool withSwitches) {
    int p = below(kNumParameters);
    if (!withSwitches && (p == FilterOnOff || p == ModulationOnOff)) p = Volume;
    const float v = stage.values[static_cast<std::size_t>(p)];
    if (below(2)) {
      stage.host.session().SetParameter(p, v);
    } else {
      stage.plug()->SetParameterFromGUI(p, stage.plug()->GetParam(p)->GetNormalized(v));
    }
  }
  void resendParameterButSwitches() { resendParameter(false); }
  void resendEverything() {
    switch (below(4)) {
      case 0: stage.host.selectPreset(kPreset); break;
      case 1: stage.host.session().SetState(stage.current); break;
      default: resendParameter(true); break;
    }
  }
};

struct Scenario {
  const char* name;
  // The second thread only sends back what the instrument holds: the take
  // must equal one rendered alone.
  bool unchanged;
  // The second thread changes nothing but whole sets: after every block the
  // instrument plays one of them whole.
  bool wholeSets;
  bool effectsOff;
  void (Actor::*act)();
};

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }

class Concurrency : public ::testing::TestWithParam<Scenario> {};

TEST_P(Concurrency, RendersSafelyWhileAnotherThreadActs) {
  const Scenario& scenario = GetParam();
  const testsupport::TempDirectory dir;

  Take take;
  {
    Stage stage;
    prepare(stage, scenario.effectsOff, dir);
    if (HasFatalFailure()) return;
    std::atomic<bool> rendering{true};
    std::atomic<int> actions{0};
    std::thread second([&] {
      Actor actor{stage, std::mt19937(static_cast<unsigned>(std::hash<std::string>()(scenario.name))), {}};
      while (rendering.load()) {
        (actor.*scenario.act)();
        actions.fetch_add(1);
        // As busy as a host gets, yet the render thread's own calls get in.
        std::this_thread::yield();
      }
    });
    // The second thread gets going before the render loop starts.
    while (actions.load() == 0) std::this_thread::yield();
    take = renderLoop(stage, scenario.wholeSets,
                      [&](int rendered) { return rendered >= kBlocks && actions.load() >= kActions; });
    rendering.store(false);
    second.join();
  }
  const std::size_t blocks = take.left.size() / kBlock;

  Take alone;
  if (scenario.unchanged) {
    Stage stage;
    prepare(stage, scenario.effectsOff, dir);
    if (HasFatalFailure()) return;
    alone = renderLoop(stage, false, [&](int rendered) { return static_cast<std::size_t>(rendered) >= blocks; });
  }

  ASSERT_GE(blocks, static_cast<std::size_t>(kBlocks));
  ASSERT_EQ(take.left.size(), blocks * kBlock);
  for (std::size_t i = 0; i < take.left.size(); ++i) {
    for (float x : {take.left[i], take.right[i]}) {
      ASSERT_TRUE(std::isfinite(x)) << "frame " << i;
      ASSERT_LE(std::fabs(x), kLimit) << "frame " << i;
    }
  }
  EXPECT_EQ(take.splitBlocks, 0);
  if (scenario.unchanged) {
    ASSERT_EQ(alone.left.size(), take.left.size());
    for (std::size_t i = 0; i < take.left.size(); ++i) {
      ASSERT_EQ(take.left[i], alone.left[i]) << "frame " << i;
      ASSERT_EQ(take.right[i], alone.right[i]) << "frame " << i;
    }
  }
}

const Scenario kScenarios[] = {
    {"BypassToggles", false, false, false, &Actor::toggleBypass},
    {"HostAutomation", false, false, false, &Actor::automate},
    {"EditorKnobs", false, false, false, &Actor::turnAKnob},
    {"MidiFlood", false, false, false, &Actor::sendMidi},
    {"PresetRestores", false, false, false, &Actor::restorePreset},
    {"StateSets", false, false, false, &Actor::setState},
    {"ProgramLoadsSyncAndPreviewNotes", false, false, false, &Actor::editorActions},
    {"Resets", false, false, false, &Actor::reset},
    {"SliceFormatAndRateChanges", false, false, false, &Actor::changeSliceFormatAndRate},
    {"RenderNotifications", false, false, false, &Actor::changeNotifications},
    {"WholeSetsAndRenderNotifications", false, true, false, &Actor::restoreWholeSets},
    {"AllAtOnce", false, false, false, &Actor::anything},
    {"UnchangedParametersWithEffects", true, false, false, &Actor::resendParameterButSwitches},
    {"UnchangedParametersPresetAndState", true, false, true, &Actor::resendEverything},
};

INSTANTIATE_TEST_SUITE_P(SecondThread, Concurrency, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
