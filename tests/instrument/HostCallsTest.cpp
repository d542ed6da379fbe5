// The host sessions the instrument fuzzer plays. Its seeds are sessions
// written by HostCallScript: this test remakes them and checks the committed
// copies (run it with THUDROKKA_WRITE_SEEDS=1 to rewrite them), and plays
// each the way the fuzzer does.
#include "tests/instrument/HostCalls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "graphics/IGraphics.h"
#include "instrument/Thudrokka.h"
#include "program/VstParameters.h"
#include "tests/support/FileContents.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using hostcalls::HostCallScript;
using namespace Quillvane::Synth;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int kRate44100 = 2;
constexpr UInt8 kNoteOn = 0x90, kNoteOff = 0x80;
constexpr int kKick = 9;

// Adds steps to a seed while it still plays whole once closed.
HostCallScript filled(HostCallScript s, const std::function<void(HostCallScript&, int)>& step,
                      const std::function<void(HostCallScript&)>& close) {
  for (int i = 0;; ++i) {
    HostCallScript longer = s;
    step(longer, i);
    HostCallScript closed = longer;
    close(closed);
    if (!closed.playsWhole()) break;
    s = longer;
  }
  close(s);
  return s;
}

HostCallScript automation() {
  HostCallScript s;
  s.parameter(EnvAttack, 0.0f).midi(kNoteOn, 48, 127, 0).render(2);
  return filled(
      s,
      [](HostCallScript& t, int step) {
        t.parameter(FilterCutoff, (step % 8) / 7.0f).parameter(Distortion, 1.0f - (step % 5) / 4.0f).render(1);
      },
      [](HostCallScript& t) {
        t.parameter(Volume, kNaN).parameter(Pan, 2.0f).parameter(kNumParameters + 2, 0.5f);
        t.midi(kNoteOff, 48, 0, 0).render(2);
      });
}

HostCallScript notes() {
  HostCallScript s;
  s.parameter(EnvAttack, 0.0f).midi(kNoteOn, 36, 100, 0).midi(kNoteOn | 1, 43, 90, 20).midi(kNoteOn, 50, 0, 10);
  s.midi(0xB0, 120, 0, 0).midi(kNoteOff, 36, 0, 5).midi(kNoteOff, 200, 64, 0).render(12);
  return s.midi(kNoteOff, 43, 64, 40).render(4);
}

// The calls on the whole unit cost most of a session: each comes last.
HostCallScript presetUnderNote() {
  HostCallScript s;
  return s.parameter(EnvAttack, 0.0f).midi(kNoteOn, 48, 127, 0).render(8).preset(kKick);
}

HostCallScript sliceAndState() {
  HostCallScript s;
  return s.parameter(EnvAttack, 0.0f).midi(kNoteOn, 48, 127, 0).render(4).slice(3).render(3).stateRoundTrip();
}

HostCallScript rateAndReset() {
  HostCallScript s;
  return s.rate(kRate44100).reset().render(16).preset(Thudrokka::kNumPresets + 1);
}

// Many calls: every parameter, and ids past them, moves through values in
// and out of range, each move followed by MIDI messages that start no
// voice, with a frame rendered after every few moves. A voice would leave
// room for few calls: ending it costs as much as dozens of them.
HostCallScript longSession() {
  const float values[] = {0.0f, 0.25f, 1.0f, 0.5f, kNaN, -1.0f, 0.75f, 2.0f, 0.125f};
  const struct {
    UInt8 status, data1, data2;
  } messages[] = {{0xB0, 1, 64}, {kNoteOff, 90, 0}, {0xE0, 0, 96}, {kNoteOn, 37, 0}, {0xD0, 100, 0}, {0xC0, 5, 0}};
  return filled(
      HostCallScript(),
      [&](HostCallScript& t, int move) {
        t.parameter(move % hostcalls::kNumParameterIds, values[move % std::size(values)]);
        for (int m = 0; m < 2; ++m) {
          const auto& message = messages[(2 * move + m) % std::size(messages)];
          t.midi(message.status, message.data1, message.data2, 0);
        }
        if (move % 24 == 23) t.render(1);
      },
      [](HostCallScript& t) { t.render(1); });
}

struct Seed {
  std::string file;
  HostCallScript script;
};

std::vector<Seed> seeds() {
  const std::string folder = "corpus/instrument_fuzzer/";
  return {{folder + "automation", automation()},
          {folder + "notes", notes()},
          {folder + "preset-under-note", presetUnderNote()},
          {folder + "slice-and-state", sliceAndState()},
          {folder + "rate-and-reset", rateAndReset()},
          {folder + "long-session", longSession()}};
}

// Opens a unit as the fuzzer does and keeps every sample it renders.
struct FuzzedUnit {
  InstrumentHost host;
  hostcalls::Unit unit;
  std::vector<float> samples;

  FuzzedUnit() { EXPECT_TRUE(hostcalls::open(host, unit)); }

  hostcalls::BlockCheck keep() {
    return [this](const float* left, const float* right, int frames) {
      samples.insert(samples.end(), left, left + frames);
      samples.insert(samples.end(), right, right + frames);
    };
  }
  int play(const HostCallScript& script) {
    return hostcalls::play(host, unit, script.bytes().data(), script.bytes().size(), keep());
  }
  float loudest() const {
    float peak = 0.0f;
    for (float x : samples) peak = std::fmax(peak, std::fabs(x));
    return peak;
  }
};

TEST(HostCalls, CommittedSeedsAreWhatTheScriptsWrite) {
  const bool rewrite = std::getenv("THUDROKKA_WRITE_SEEDS") != nullptr;
  for (const Seed& seed : seeds()) {
    SCOPED_TRACE(seed.file);
    const std::string bytes(seed.script.bytes().begin(), seed.script.bytes().end());
    if (rewrite) std::ofstream(seed.file, std::ios::binary) << bytes;
    EXPECT_EQ(testsupport::readFile(seed.file), bytes);
  }
}

TEST(HostCalls, EverySeedPlaysToItsEnd) {
  for (const Seed& seed : seeds()) {
    SCOPED_TRACE(seed.file);
    FuzzedUnit fuzzed;
    // A seed cut short by the session budget would waste the fuzzer's time.
    EXPECT_TRUE(seed.script.playsWhole());
    EXPECT_EQ(fuzzed.play(seed.script), seed.script.calls());
    for (float x : fuzzed.samples) ASSERT_TRUE(std::isfinite(x) && std::fabs(x) <= 3.16227f) << x;
  }
  EXPECT_GE(longSession().calls(), 150);
}

// On the editor's thread every parameter change would walk all of the
// editor's controls, many times what the change itself costs.
TEST(HostCalls, SessionsPlayOffTheEditorsThread) {
  FuzzedUnit fuzzed;
  const auto* editor = dynamic_cast<const IGraphics*>(fuzzed.host.instrument()->GetGUI());
  ASSERT_NE(editor, nullptr);
  EXPECT_FALSE(editor->OnEditorThread());
}

TEST(HostCalls, ASessionEndsAtItsBudget) {
  // Worked out by hand from what each call costs.
  const struct {
    const char* what;
    void (*add)(HostCallScript&);
    int calls;
  } cases[] = {
      {"renders", [](HostCallScript& s) { s.render(32); }, 4},
      {"calls on the whole unit", [](HostCallScript& s) { s.reset(); }, 9},
      {"parameters", [](HostCallScript& s) { s.parameter(Volume, 0.5f); }, 100},
      {"MIDI", [](HostCallScript& s) { s.midi(kNoteOff, 60, 0, 0); }, 500},
      {"notes", [](HostCallScript& s) { s.midi(kNoteOn, 60, 127, 0); }, 8},
      {"renders while notes sound", [](HostCallScript& s) { s.midi(kNoteOn, 60, 127, 0).render(16); }, 4},
  };
  for (const auto& c : cases) {
    HostCallScript script;
    for (int i = 0; i < 1000; ++i) c.add(script);
    FuzzedUnit fuzzed;
    EXPECT_EQ(fuzzed.play(script), c.calls) << c.what;
  }
}

TEST(HostCalls, EndSessionLeavesNoVoiceSounding) {
  // Effects off and a held sustain: what sounds is the voices alone.
  const HostCallScript kick = HostCallScript().preset(kKick);
  HostCallScript held;
  held.parameter(BypassFX, 1.0f).parameter(EnvSustain, 1.0f).parameter(EnvDuration, 1.0f);
  HostCallScript start;
  start.midi(kNoteOn, 48, 127, 0).midi(kNoteOn, 55, 127, 30).render(32);
  const HostCallScript listen = HostCallScript().render(32);
  for (bool end : {false, true}) {
    FuzzedUnit fuzzed;
    ASSERT_EQ(fuzzed.play(kick), kick.calls());
    ASSERT_EQ(fuzzed.play(held), held.calls());
    ASSERT_EQ(fuzzed.play(start), start.calls());
    ASSERT_GT(fuzzed.loudest(), 1e-3f);
    if (end) hostcalls::endSession(fuzzed.host, fuzzed.unit, fuzzed.keep());
    fuzzed.samples.clear();
    fuzzed.play(listen);
    EXPECT_EQ(fuzzed.loudest() == 0.0f, end);
    AudioUnitParameterValue duration = 0.0f;
    fuzzed.host.session().GetParameter(EnvDuration, &duration);
    EXPECT_EQ(duration, 1.0f);
  }

  // A note-on queued beyond the session sounds when it comes due, and is
  // ended after that session.
  FuzzedUnit fuzzed;
  HostCallScript later;
  later.midi(kNoteOn, 60, 127, 100).render(32);
  ASSERT_EQ(fuzzed.play(kick), kick.calls());
  ASSERT_EQ(fuzzed.play(held), held.calls());
  ASSERT_EQ(fuzzed.play(later), later.calls());
  hostcalls::endSession(fuzzed.host, fuzzed.unit, fuzzed.keep());
  fuzzed.samples.clear();
  for (int i = 0; i < 4; ++i) fuzzed.play(listen);
  EXPECT_GT(fuzzed.loudest(), 1e-3f);
  hostcalls::endSession(fuzzed.host, fuzzed.unit, fuzzed.keep());
  fuzzed.samples.clear();
  fuzzed.play(listen);
  EXPECT_EQ(fuzzed.loudest(), 0.0f);
}

// A session left at a high rate would make every later one dearer.
TEST(HostCalls, EndSessionGivesTheOpeningRateAndSliceBack) {
  FuzzedUnit fuzzed;
  const HostCallScript changes = HostCallScript().rate(hostcalls::kNumRates - 1).slice(3).render(3);
  ASSERT_EQ(fuzzed.play(changes), changes.calls());
  hostcalls::endSession(fuzzed.host, fuzzed.unit, fuzzed.keep());
  EXPECT_EQ(fuzzed.unit.rate, hostcalls::kRates[hostcalls::kOpenRate]);
  EXPECT_EQ(fuzzed.unit.slice, hostcalls::kOpenSlice);
  Float64 rate = 0.0;
  UInt32 slice = 0, size = sizeof rate;
  const AudioUnit unit = fuzzed.host.session().Unit();
  ASSERT_EQ(AudioUnitGetProperty(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, &rate, &size), noErr);
  size = sizeof slice;
  ASSERT_EQ(
      AudioUnitGetProperty(unit, kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, &slice, &size),
      noErr);
  EXPECT_EQ(rate, hostcalls::kRates[hostcalls::kOpenRate]);
  EXPECT_EQ(slice, static_cast<UInt32>(hostcalls::kOpenSlice));
}

}  // namespace
