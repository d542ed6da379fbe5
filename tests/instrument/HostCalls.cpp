#include "tests/instrument/HostCalls.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <thread>

#include "engine/ADSR.h"
#include "platform/standin/CFBase.h"
#include "program/VstParameters.h"
#include "tests/support/FuzzBytes.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace hostcalls {

namespace {

constexpr int kMaxVoices = 64;

// What the calls cost a session, in steps of about a microsecond under the
// sanitizers and coverage, measured with the parameters fuzzed sessions
// leave. A parameter costs what one does on average: most take about a
// microsecond, those whose curves the editor redraws many more. A render
// call costs more than its frames, and each frame more for every note that
// may sound. A note-on is charged for starting its voice and releasing it,
// the first of a session also for ending the session's notes. The calls on
// the whole unit include the block after them applying what they changed,
// and the unit getting its opening rate and slice back.
constexpr long kParameterCost = 5;
constexpr long kMidiCost = 1;
constexpr long kRenderCost = 50;
constexpr long kFrameCost = 6;
constexpr long kVoiceFrameCost = 2;
constexpr long kNoteCost = 40;
constexpr long kEndNotesCost = 200;
constexpr long kPresetCost = 550;
constexpr long kSliceCost = 80;
constexpr long kRateCost = 80;
constexpr long kResetCost = 60;
constexpr long kStateRoundTripCost = 1050;

// How many of the code byte's values each call takes, in the order of Call:
// the calls on the whole unit take one each, so that a random session stays
// cheap.
constexpr int kCodesOf[] = {22, 16, 21, 1, 1, 1, 1, 1};
constexpr int kNumCodes = 64;

Call callOf(uint8_t byte) {
  int code = byte % kNumCodes, call = 0;
  for (; code >= kCodesOf[call]; ++call) code -= kCodesOf[call];
  return static_cast<Call>(call);
}

uint8_t codeOf(Call call) {
  int code = 0;
  for (int c = 0; c < call; ++c) code += kCodesOf[c];
  return static_cast<uint8_t>(code);
}

void renderChecked(InstrumentHost& host, Unit& unit, int frames, const BlockCheck& check) {
  if (host.render(frames, unit.left, unit.right) != noErr) return;
  check(unit.left, unit.right, frames);
  unit.frames += frames;
}

// A unit takes a new slice only while it is uninitialised.
void setSlice(standin::HostSession& session, int slice) {
  session.Uninitialize();
  session.SetMaxFramesPerSlice(static_cast<UInt32>(slice));
  session.Initialize();
}

// A note-on the instrument starts a voice for: velocity 0 ends a note.
bool startsVoice(UInt8 status, UInt8 key, UInt8 velocity) {
  return (status & 0xF0) == 0x90 && key < kNumKeys && velocity > 0;
}

}  // namespace

void SessionBudget::call(Call call) {
  switch (call) {
    case kParameter: mSpent += kParameterCost; break;
    case kMidi: mSpent += kMidiCost; break;
    case kRender: break;
    case kPreset: mSpent += kPresetCost; break;
    case kSlice: mSpent += kSliceCost; break;
    case kRate: mSpent += kRateCost; break;
    case kReset: mSpent += kResetCost; break;
    case kStateRoundTrip: mSpent += kStateRoundTripCost; break;
  }
}

void SessionBudget::noteOn() {
  mSpent += mNotes == 0 ? kEndNotesCost + kNoteCost : kNoteCost;
  ++mNotes;
}

void SessionBudget::frames(int n) {
  mSpent += kRenderCost + static_cast<long>(n) * (kFrameCost + kVoiceFrameCost * std::min(mNotes, kMaxVoices));
}

bool open(InstrumentHost& host, const Unit& unit) {
  OSStatus status = noErr;
  std::thread([&] { status = host.open(unit.rate, unit.slice); }).join();
  return status == noErr;
}

int play(InstrumentHost& host, Unit& unit, const uint8_t* data, std::size_t size, const BlockCheck& check) {
  testsupport::FuzzBytes in(data, size);
  standin::HostSession& session = host.session();
  SessionBudget budget;
  int calls = 0;
  for (; !in.Empty() && !budget.exhausted(); ++calls) {
    const Call call = callOf(in.Byte());
    budget.call(call);
    switch (call) {
      case kParameter: {
        const UInt32 id = in.Byte() % kNumParameterIds;
        session.SetParameter(id, in.Value<float>());
        break;
      }
      case kMidi: {
        const UInt8 status = in.Byte(), data1 = in.Byte(), data2 = in.Byte();
        const uint16_t offset = in.Value<uint16_t>();
        if (startsVoice(status, data1, data2)) {
          budget.noteOn();
          if (unit.numNotes == kMaxOpenNotes) break;
          unit.notes[unit.numNotes++] = {unit.frames + offset, data1};
        }
        session.SendMIDI(status, data1, data2, offset);
        break;
      }
      case kRender: {
        const int frames = 1 + in.Byte() % kMaxRender;
        renderChecked(host, unit, frames, check);
        budget.frames(frames);
        break;
      }
      case kPreset: host.selectPreset(in.Byte() % kNumPresetNumbers); break;
      case kSlice:
        unit.slice = 1 + in.Value<uint16_t>() % kMaxSlice;
        setSlice(session, unit.slice);
        break;
      case kRate:
        unit.rate = kRates[in.Byte() % kNumRates];
        session.SetSampleRate(unit.rate);
        break;
      case kReset: AudioUnitReset(session.Unit(), kAudioUnitScope_Global, 0); break;
      case kStateRoundTrip: {
        CFPropertyListRef state = nullptr;
        if (session.GetState(&state) == noErr && state) {
          session.SetState(state);
          CFRelease(state);
        }
        break;
      }
    }
  }
  return calls;
}

namespace {

void reopen(InstrumentHost& host, Unit& unit) {
  standin::HostSession& session = host.session();
  if (unit.rate != kRates[kOpenRate]) {
    unit.rate = kRates[kOpenRate];
    session.SetSampleRate(unit.rate);
  }
  if (unit.slice != kOpenSlice) {
    unit.slice = kOpenSlice;
    setSlice(session, unit.slice);
  }
}

// Takes the note-ons that have come due off the unit's list.
std::bitset<kNumKeys> dueKeys(Unit& unit) {
  std::bitset<kNumKeys> keys;
  int kept = 0;
  for (int i = 0; i < unit.numNotes; ++i) {
    const Unit::NoteOn& note = unit.notes[i];
    if (note.due <= unit.frames) {
      keys.set(note.key);
    } else {
      unit.notes[kept++] = note;
    }
  }
  unit.numNotes = kept;
  return keys;
}

}  // namespace

void endSession(InstrumentHost& host, Unit& unit, const BlockCheck& check) {
  reopen(host, unit);
  const std::bitset<kNumKeys> keys = dueKeys(unit);
  if (keys.none()) return;
  using namespace Quillvane::Synth;
  standin::HostSession& session = host.session();
  const eVstParameters envelopes[2] = {EnvDuration, FilterDuration};
  AudioUnitParameterValue durations[2] = {};
  for (int e = 0; e < 2; ++e) {
    session.GetParameter(envelopes[e], &durations[e]);
    session.SetParameter(envelopes[e], 0.0f);
  }
  for (int key = 0; key < kNumKeys; ++key) {
    if (keys[key]) host.noteOff(key, 0);
  }
  // A release at the shortest duration lasts at most that long.
  const int frames = static_cast<int>(std::ceil(Quillvane::ADSR::kMinDuration * unit.rate)) + 1;
  for (int done = 0; done < frames;) {
    const int n = std::min({frames - done, unit.slice, kMaxRender});
    renderChecked(host, unit, n, check);
    done += n;
  }
  for (int e = 0; e < 2; ++e) session.SetParameter(envelopes[e], durations[e]);
}

HostCallScript& HostCallScript::call(Call code) {
  if (mBudget.exhausted()) mWhole = false;
  mBudget.call(code);
  mBytes.push_back(codeOf(code));
  ++mCalls;
  return *this;
}

void HostCallScript::put(const void* value, std::size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(value);
  mBytes.insert(mBytes.end(), bytes, bytes + size);
}

HostCallScript& HostCallScript::parameter(int id, float value) {
  call(kParameter).mBytes.push_back(static_cast<uint8_t>(id));
  put(&value, sizeof value);
  return *this;
}

HostCallScript& HostCallScript::midi(uint8_t status, uint8_t data1, uint8_t data2, uint16_t offset) {
  call(kMidi).mBytes.insert(mBytes.end(), {status, data1, data2});
  if (startsVoice(status, data1, data2)) mBudget.noteOn();
  put(&offset, sizeof offset);
  return *this;
}

HostCallScript& HostCallScript::render(int frames) {
  for (; frames > 0; frames -= kMaxRender) {
    const int n = std::min(frames, kMaxRender);
    call(kRender).mBytes.push_back(static_cast<uint8_t>(n - 1));
    mBudget.frames(n);
  }
  return *this;
}

HostCallScript& HostCallScript::preset(int number) {
  call(kPreset).mBytes.push_back(static_cast<uint8_t>(number));
  return *this;
}

HostCallScript& HostCallScript::slice(int frames) {
  const uint16_t value = static_cast<uint16_t>(frames - 1);
  call(kSlice).put(&value, sizeof value);
  return *this;
}

HostCallScript& HostCallScript::rate(int index) {
  call(kRate).mBytes.push_back(static_cast<uint8_t>(index));
  return *this;
}

HostCallScript& HostCallScript::reset() { return call(kReset); }

HostCallScript& HostCallScript::stateRoundTrip() { return call(kStateRoundTrip); }

}  // namespace hostcalls
