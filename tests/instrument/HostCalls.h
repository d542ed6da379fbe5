#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class InstrumentHost;

// The byte form of the host sessions the instrument fuzzer plays: host
// calls one after another, each a code byte and its arguments. Any bytes
// make a session; HostCallScript writes the seeds in the same form.
namespace hostcalls {

enum Call : uint8_t {
  kParameter,       // id byte (ids past the parameters too), float value
  kMidi,            // status, data 1, data 2, offset (uint16)
  kRender,          // frames - 1 (byte, modulo kMaxRender)
  kPreset,          // number byte (numbers past the slots too)
  kSlice,           // frames - 1 (uint16, modulo kMaxSlice)
  kRate,            // index into kRates
  kReset,           //
  kStateRoundTrip,  // the saved state given straight back
};

constexpr double kRates[] = {8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 192000.0};
constexpr int kNumRates = 6;
constexpr int kMaxSlice = 4096;
// Short renders, and a budget that a session ends at, keep every session
// cheap under the sanitizers and coverage, where a voice costs microseconds
// a frame.
constexpr int kMaxRender = 32;
constexpr long kSessionBudget = 256;
constexpr int kNumParameterIds = 110;
constexpr int kNumPresetNumbers = 130;

// What a session has spent of its budget, in steps of about what a
// parameter change or a MIDI message costs under the sanitizers, a few
// microseconds: a call on the whole unit 64; a rendered frame one, and two
// more for every note the session started, since it may still sound; a
// note-on a further 32 for ending its voice.
class SessionBudget {
 public:
  bool exhausted() const { return mSpent >= kSessionBudget; }
  long spent() const { return mSpent; }
  void call(Call call);
  void noteOn();
  void frames(int n);

 private:
  long mSpent = 0;
  int mNotes = 0;
};

// What the sessions played on one unit have left it with.
struct Unit {
  Unit(double openRate, int openSlice) : rate(openRate), slice(openSlice) {}

  double rate;
  int slice;
  int64_t frames = 0;      // rendered so far
  int64_t noteDue = -1;    // the frame the last note-on sent is due at
  std::bitset<128> keys;   // the keys note-ons were sent for since the notes were ended
};

using BlockCheck = std::function<void(const float* left, const float* right, int frames)>;

// Plays a session on an open host whose rate and slice size unit holds,
// handing every rendered block to check; returns the number of calls made.
int play(InstrumentHost& host, Unit& unit, const uint8_t* data, std::size_t size, const BlockCheck& check);

// Ends every note the sessions started: releases their keys with both
// envelopes at their shortest duration, renders until the releases are
// over, and gives the envelopes their durations back. The next session then
// starts with no voice playing; only effect tails ring on.
void endEveryNote(InstrumentHost& host, Unit& unit, const BlockCheck& check);

// Writes a session call by call.
class HostCallScript {
 public:
  HostCallScript& parameter(int id, float value);
  HostCallScript& midi(uint8_t status, uint8_t data1, uint8_t data2, uint16_t offset);
  // Longer renders than kMaxRender become several calls.
  HostCallScript& render(int frames);
  HostCallScript& preset(int number);
  HostCallScript& slice(int frames);
  HostCallScript& rate(int index);
  HostCallScript& reset();
  HostCallScript& stateRoundTrip();

  const std::vector<uint8_t>& bytes() const { return mBytes; }
  int calls() const { return mCalls; }
  // What playing the script spends; it plays whole while each call starts
  // within the budget.
  const SessionBudget& budget() const { return mBudget; }
  // False once a call was added after the budget ran out.
  bool playsWhole() const { return mWhole; }

 private:
  HostCallScript& call(Call code);
  void put(const void* value, std::size_t size);

  std::vector<uint8_t> mBytes;
  int mCalls = 0;
  SessionBudget mBudget;
  bool mWhole = true;
};

}  // namespace hostcalls
