#pragma once

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
// Short renders: under the sanitizers and coverage a frame costs
// microseconds, and the samples only differ in kind at the edges of a
// render and a slice, not in number. Slices reach past the block size the
// instrument starts with, since it grows its buffers only for a slice
// larger than any before; no further, since every note-on clears them.
constexpr int kMaxRender = 16;
constexpr int kMaxSlice = 2048;
// Every session starts at the rate and slice the unit was opened with: a
// session that changed them gives them back. At the lowest rate a voice's
// release takes the fewest frames.
constexpr int kOpenRate = 0;  // index into kRates
constexpr int kOpenSlice = kMaxRender;
constexpr int kNumParameterIds = 110;
constexpr int kNumPresetNumbers = 130;
constexpr int kNumKeys = 128;
// The most note-ons a unit keeps track of until they are ended, as many as
// the instrument queues; a session sends no note-on beyond them.
constexpr int kMaxOpenNotes = 1024;

// What a session may spend, in steps of about a microsecond of the fuzzer's
// time under the sanitizers and coverage; a session ends once it is spent.
constexpr long kSessionBudget = 500;

// What a session has spent of its budget.
class SessionBudget {
 public:
  bool exhausted() const { return mSpent >= kSessionBudget; }
  long spent() const { return mSpent; }
  void call(Call call);
  // A note-on that starts a voice.
  void noteOn();
  void frames(int n);

 private:
  long mSpent = 0;
  int mNotes = 0;
};

// The unit the sessions are played on, as they have left it. Kept whole
// from one session to the next, so that a session allocates nothing.
struct Unit {
  double rate = kRates[kOpenRate];
  int slice = kOpenSlice;
  int64_t frames = 0;  // rendered so far
  // The note-ons sent and not yet ended, with the frame each is due at.
  struct NoteOn {
    int64_t due;
    uint8_t key;
  };
  NoteOn notes[kMaxOpenNotes];
  int numNotes = 0;
  float left[kMaxRender], right[kMaxRender];
};

using BlockCheck = std::function<void(const float* left, const float* right, int frames)>;

// Opens the host at the unit's rate and slice. The unit, and with it its
// editor, is built on a thread of its own, as on a host's main thread, so
// that the sessions play as from a host's automation and render thread: a
// parameter change then reaches the editor as a value handed over to its
// thread, where on that thread it would walk every control of the editor.
bool open(InstrumentHost& host, const Unit& unit);

// Plays a session on an open host whose rate and slice size unit holds,
// handing every rendered block to check; returns the number of calls made.
int play(InstrumentHost& host, Unit& unit, const uint8_t* data, std::size_t size, const BlockCheck& check);

// Ends a session: gives the unit its opening rate and slice back, then ends
// every note that has come due: releases their keys with both envelopes at
// their shortest duration, renders until the releases are over, and gives
// the envelopes their durations back. The next session then starts with no
// voice playing; only effect tails ring on, and the note-ons still queued
// for later, which are ended after the session they come due in.
void endSession(InstrumentHost& host, Unit& unit, const BlockCheck& check);

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
