// The host sessions the instrument fuzzer plays. Its seeds are sessions
// written by HostCallScript: this test remakes them and checks the committed
// copies (run it with THUDROKKA_WRITE_SEEDS=1 to rewrite them), and plays
// each the way the fuzzer does.
#include "tests/instrument/HostCalls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "instrument/Thudrokka.h"
#include "program/VstParameters.h"
#include "tests/support/FileContents.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

using hostcalls::HostCallScript;
using namespace Quillvane::Synth;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int kRate44100 = 2;
constexpr int kRate8000 = 0;
constexpr UInt8 kNoteOn = 0x90, kNoteOff = 0x80;
constexpr int kKick = 9;

// Each seed fills most of a session's budget; what is left is kept for the
// calls that close it.
bool roomFor(const HostCallScript& s, long closing) {
  return s.budget().spent() + closing < hostcalls::kSessionBudget;
}

HostCallScript automation() {
  HostCallScript s;
  s.parameter(EnvAttack, 0.0f).midi(kNoteOn, 48, 127, 0).render(8);
  for (int step = 0; roomFor(s, 24); ++step) {
    s.parameter(FilterCutoff, (step % 8) / 7.0f).parameter(Distortion, 1.0f - (step % 5) / 4.0f).render(2);
  }
  s.parameter(Volume, kNaN).parameter(Pan, 2.0f).parameter(kNumParameters + 2, 0.5f).render(2);
  return s.midi(kNoteOff, 48, 0, 0).render(4);
}

HostCallScript notes() {
  HostCallScript s;
  s.parameter(EnvAttack, 0.0f).midi(kNoteOn, 36, 100, 0).midi(kNoteOn | 1, 43, 90, 20).midi(kNoteOn, 50, 0, 10);
  s.midi(0xB0, 120, 0, 0).midi(kNoteOff, 36, 0, 5).midi(kNoteOff, 200, 64, 0).render(16);
  return s.midi(kNoteOff, 43, 64, 40).render(4);
}

// The calls on the whole unit, around a note.
HostCallScript unitCalls() {
  HostCallScript s;
  s.preset(kKick).parameter(EnvAttack, 0.0f).midi(kNoteOn, 48, 127, 0).render(8).stateRoundTrip();
  return s.slice(3).render(3);
}

HostCallScript rateAndReset() {
  HostCallScript s;
  return s.rate(kRate8000).preset(Thudrokka::kNumPresets + 1).reset().render(32).render(16).preset(0);
}

// Many calls: every parameter, and ids past them, moves through values in
// and out of range with a frame rendered after every few moves.
HostCallScript longSession() {
  HostCallScript s;
  s.parameter(EnvAttack, 0.0f).midi(kNoteOn, 36, 127, 0).render(12);
  const float values[] = {0.0f, 0.25f, 1.0f, 0.5f, kNaN, -1.0f, 0.75f, 2.0f, 0.125f};
  for (int move = 0; roomFor(s, 1); ++move) {
    s.parameter(move % 108, values[move % std::size(values)]);
    if (move % 24 == 23) s.render(1);
  }
  return s;
}

struct Seed {
  std::string file;
  HostCallScript script;
};

std::vector<Seed> seeds() {
  const std::string folder = "corpus/instrument_fuzzer/";
  return {{folder + "automation", automation()},
          {folder + "notes", notes()},
          {folder + "unit-calls", unitCalls()},
          {folder + "rate-and-reset", rateAndReset()},
          {folder + "long-session", longSession()}};
}

// Opens a unit as the fuzzer does and keeps every sample it renders.
struct FuzzedUnit {
  InstrumentHost host;
  hostcalls::Unit unit{hostcalls::kRates[kRate44100], 512};
  std::vector<float> samples;

  FuzzedUnit() { EXPECT_EQ(host.open(unit.rate, unit.slice), noErr); }

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

TEST(HostCalls, ASessionEndsAtItsBudget) {
  const struct {
    const char* what;
    void (*add)(HostCallScript&);
    int calls;
  } cases[] = {
      {"renders", [](HostCallScript& s) { s.render(32); }, 8},
      {"calls on the whole unit", [](HostCallScript& s) { s.reset(); }, 4},
      {"parameters", [](HostCallScript& s) { s.parameter(Volume, 0.5f); }, 256},
      {"MIDI", [](HostCallScript& s) { s.midi(kNoteOff, 60, 0, 0); }, 256},
      {"notes", [](HostCallScript& s) { s.midi(kNoteOn, 60, 127, 0); }, 8},
      {"renders while notes sound", [](HostCallScript& s) { s.midi(kNoteOn, 60, 127, 0).render(16); }, 6},
  };
  for (const auto& c : cases) {
    HostCallScript script;
    for (int i = 0; i < 1000; ++i) c.add(script);
    FuzzedUnit fuzzed;
    EXPECT_EQ(fuzzed.play(script), c.calls) << c.what;
  }
}

TEST(HostCalls, EndEveryNoteLeavesNoVoiceSounding) {
  // Effects off and a held sustain: what sounds is the voices alone.
  HostCallScript start;
  start.preset(kKick).parameter(BypassFX, 1.0f).parameter(EnvSustain, 1.0f).parameter(EnvDuration, 1.0f);
  start.midi(kNoteOn, 48, 127, 0).midi(kNoteOn, 55, 127, 30).render(32);
  const HostCallScript listen = HostCallScript().render(32);
  for (bool end : {false, true}) {
    FuzzedUnit fuzzed;
    ASSERT_EQ(fuzzed.play(start), start.calls());
    ASSERT_GT(fuzzed.loudest(), 1e-3f);
    if (end) hostcalls::endEveryNote(fuzzed.host, fuzzed.unit, fuzzed.keep());
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
  later.preset(kKick).parameter(BypassFX, 1.0f).parameter(EnvSustain, 1.0f).midi(kNoteOn, 60, 127, 100).render(32);
  ASSERT_EQ(fuzzed.play(later), later.calls());
  hostcalls::endEveryNote(fuzzed.host, fuzzed.unit, fuzzed.keep());
  fuzzed.samples.clear();
  for (int i = 0; i < 4; ++i) fuzzed.play(listen);
  EXPECT_GT(fuzzed.loudest(), 1e-3f);
  hostcalls::endEveryNote(fuzzed.host, fuzzed.unit, fuzzed.keep());
  fuzzed.samples.clear();
  fuzzed.play(listen);
  EXPECT_EQ(fuzzed.loudest(), 0.0f);
}

}  // namespace
