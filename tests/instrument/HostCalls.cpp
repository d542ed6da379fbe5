#include "tests/instrument/HostCalls.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "engine/ADSR.h"
#include "platform/standin/CFBase.h"
#include "program/VstParameters.h"
#include "tests/support/FuzzBytes.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace hostcalls {

namespace {

constexpr UInt8 kNoteOnStatus = 0x90;
constexpr int kMaxVoices = 64;

// How often each call comes for a random code byte: the calls that reset or
// restore the whole unit come rarely, so a random session stays cheap.
constexpr Call kCallOfCode[32] = {
    kParameter, kParameter, kParameter, kParameter, kParameter, kParameter, kParameter, kParameter,
    kParameter, kParameter, kParameter, kMidi,      kMidi,      kMidi,      kMidi,      kMidi,
    kMidi,      kMidi,      kMidi,      kRender,    kRender,    kRender,    kRender,    kRender,
    kRender,    kRender,    kRender,    kPreset,    kSlice,     kRate,      kReset,     kStateRoundTrip,
};

uint8_t codeOf(Call call) {
  uint8_t code = 0;
  while (kCallOfCode[code] != call) ++code;
  return code;
}

void renderChecked(InstrumentHost& host, Unit& unit, int frames, float* left, float* right,
                   const BlockCheck& check) {
  if (host.render(frames, left, right) != noErr) return;
  check(left, right, frames);
  unit.frames += frames;
}

bool isNoteOn(UInt8 status) { return (status & 0xF0) == kNoteOnStatus; }

}  // namespace

void SessionBudget::call(Call call) {
  switch (call) {
    case kParameter:
    case kMidi: mSpent += 1; break;
    case kRender: break;
    default: mSpent += 64; break;
  }
}

void SessionBudget::noteOn() {
  ++mNotes;
  mSpent += 32;
}

void SessionBudget::frames(int n) { mSpent += n * (1 + 2 * std::min(mNotes, kMaxVoices)); }

int play(InstrumentHost& host, Unit& unit, const uint8_t* data, std::size_t size, const BlockCheck& check) {
  testsupport::FuzzBytes in(data, size);
  standin::HostSession& session = host.session();
  std::vector<float> left(kMaxRender), right(kMaxRender);
  SessionBudget budget;
  int calls = 0;
  for (; !in.Empty() && !budget.exhausted(); ++calls) {
    const Call call = kCallOfCode[in.Byte() % std::size(kCallOfCode)];
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
        session.SendMIDI(status, data1, data2, offset);
        if (isNoteOn(status)) {
          unit.noteDue = std::max(unit.noteDue, unit.frames + offset);
          if (data1 < unit.keys.size()) unit.keys.set(data1);
          budget.noteOn();
        }
        break;
      }
      case kRender: {
        const int frames = 1 + in.Byte() % kMaxRender;
        renderChecked(host, unit, frames, left.data(), right.data(), check);
        budget.frames(frames);
        break;
      }
      case kPreset: host.selectPreset(in.Byte() % kNumPresetNumbers); break;
      case kSlice:
        unit.slice = 1 + in.Value<uint16_t>() % kMaxSlice;
        session.SetMaxFramesPerSlice(static_cast<UInt32>(unit.slice));
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

void endEveryNote(InstrumentHost& host, Unit& unit, const BlockCheck& check) {
  if (unit.keys.none()) return;
  using namespace Quillvane::Synth;
  standin::HostSession& session = host.session();
  const eVstParameters envelopes[2] = {EnvDuration, FilterDuration};
  AudioUnitParameterValue durations[2] = {};
  for (int e = 0; e < 2; ++e) {
    session.GetParameter(envelopes[e], &durations[e]);
    session.SetParameter(envelopes[e], 0.0f);
  }
  for (std::size_t key = 0; key < unit.keys.size(); ++key) {
    if (unit.keys[key]) host.noteOff(static_cast<int>(key), 0);
  }
  // A note-on still queued for later plays on, and is ended after the
  // session it comes due in.
  if (unit.noteDue <= unit.frames) unit.keys.reset();
  // A release at the shortest duration lasts at most that long.
  const int frames = static_cast<int>(std::ceil(Quillvane::ADSR::kMinDuration * unit.rate)) + 1;
  std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
  for (int done = 0; done < frames;) {
    const int n = std::max(1, std::min(frames - done, unit.slice));
    renderChecked(host, unit, n, left.data(), right.data(), check);
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
  if (isNoteOn(status)) mBudget.noteOn();
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
