// A host thread sends bursts of notes larger than any queue, all sound off
// and resets while the render thread renders: the thread-sanitizing build
// runs this, and every note the host released has ended afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "engine/MIDIReceiver.h"
#include "instrument/NoteRing.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

constexpr int kBlock = 256;
constexpr int kPad = 100;
constexpr int kRounds = 12;

float RenderPeak(InstrumentHost& host, int blocks) {
  std::vector<float> left(kBlock), right(kBlock);
  float peak = 0.0f;
  for (int b = 0; b < blocks; ++b) {
    EXPECT_EQ(host.render(kBlock, left.data(), right.data()), noErr);
    for (int i = 0; i < kBlock; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  }
  return peak;
}

// Each round strikes keys and fills the hand-over with releases of a key
// never struck while the render thread waits, then releases the keys while
// it renders, their releases meeting a full hand-over. The first rounds also
// stop everything or reset; the last ones leave it to the releases to end
// the notes.
TEST(MidiThreads, EveryReleasedNoteEndsAfterBurstsFromAnotherThread) {
  constexpr int kKeys = 70;
  constexpr int kFirstKey = 30;
  constexpr UInt8 kNeverStruck = 120;
  InstrumentHost host;
  ASSERT_EQ(host.open(44100.0, kBlock), noErr);
  ASSERT_EQ(host.selectPreset(kPad), noErr);
  std::atomic<bool> sending{true}, hold{false}, holding{false};
  std::atomic<int> rendered{0};
  std::thread render([&] {
    while (sending.load()) {
      holding.store(hold.load());
      if (holding.load()) {
        std::this_thread::yield();
        continue;
      }
      RenderPeak(host, 1);
      rendered.fetch_add(1);
    }
  });
  std::mt19937 random(42);
  standin::HostSession& session = host.session();
  for (int round = 0; round < kRounds; ++round) {
    hold.store(true);
    while (!holding.load()) std::this_thread::yield();
    for (int k = 0; k < kKeys; ++k) session.SendMIDI(0x90, static_cast<UInt8>(kFirstKey + k), 100, k);
    for (int i = 0; i < NoteRing::kSize; ++i) session.SendMIDI(0x80, kNeverStruck, 0, kKeys);
    hold.store(false);
    for (int k = 0; k < kKeys; ++k) session.SendMIDI(0x80, static_cast<UInt8>(kFirstKey + k), 0, kKeys + 1 + k);
    if (round < kRounds / 2) {
      switch (random() % 3) {
        case 0: session.SendMIDI(0xB0, 120, 0, static_cast<UInt32>(random() % kBlock)); break;
        case 1: AudioUnitReset(session.Unit(), kAudioUnitScope_Global, 0); break;
        default: break;
      }
    }
    const int before = rendered.load();
    while (rendered.load() == before) std::this_thread::yield();
  }
  sending.store(false);
  render.join();
  // The pad's release and its effects' tails are over within three seconds.
  RenderPeak(host, 3 * 44100 / kBlock);
  EXPECT_LT(RenderPeak(host, 44100 / 2 / kBlock), 1e-4f);
}

// The receiver's signals of each key, counted on the render thread.
struct KeySignals {
  std::atomic<int> ons[MIDIReceiver::kNumKeys] = {};
  std::atomic<int> offs[MIDIReceiver::kNumKeys] = {};
  void onNoteOn(int note, int, int) { ons[note].fetch_add(1); }
  void onNoteOff(int note, int) { offs[note].fetch_add(1); }
};

// A host thread releases a key and strikes it again while floods keep the
// hand-over full and the render thread takes from it: the release, however
// long it waited for room, comes before the note sent after it, which
// therefore sounds and is not cut at once. The key is not held before each
// strike, so any note-off of it before its clean release is such a cut.
TEST(MidiThreads, AWaitingReleaseNeverOvertakesALaterNoteOfItsKey) {
  constexpr int kStrikes = 600;
  constexpr int kFloodBefore = 1500;
  constexpr int kFloodBetween = 300;
  constexpr UInt8 kNeverStruck = 127;
  ThudrokkaProbe probe;
  probe.prepare(44100.0, kBlock);
  KeySignals signals;
  probe.mMidiReceiver.noteOn.connect(&signals, &KeySignals::onNoteOn);
  probe.mMidiReceiver.noteOff.connect(&signals, &KeySignals::onNoteOff);
  std::atomic<bool> rendering{true};
  std::atomic<int> rendered{0};
  std::thread render([&] {
    std::vector<double> left(kBlock), right(kBlock);
    double* outputs[2] = {left.data(), right.data()};
    while (rendering.load()) {
      probe.ProcessDoubleReplacing(nullptr, outputs, kBlock);
      rendered.fetch_add(1);
    }
  });
  auto send = [&](UInt8 status, UInt8 key, UInt8 velocity) {
    IMidiMsg msg(0, status, key, velocity);
    probe.ProcessMidiMsg(&msg);
  };
  // Everything sent so far has been taken once blocks begun after it end.
  auto waitForBlocks = [&](int blocks) {
    const int until = rendered.load() + blocks + 1;
    while (rendered.load() < until) std::this_thread::yield();
  };
  int cuts = 0, played = 0;
  for (int strike = 0; strike < kStrikes; ++strike) {
    const UInt8 key = static_cast<UInt8>(24 + strike % 96);
    const int onsBefore = signals.ons[key].load();
    const int offsBefore = signals.offs[key].load();
    for (int i = 0; i < kFloodBefore; ++i) send(0x80, kNeverStruck, 0);
    send(0x80, key, 0);
    for (int i = 0; i < kFloodBetween; ++i) send(0x80, kNeverStruck, 0);
    send(0x90, key, 100);
    waitForBlocks(2);
    if (signals.offs[key].load() != offsBefore) ++cuts;
    if (signals.ons[key].load() != onsBefore) ++played;
    send(0x80, key, 0);
    waitForBlocks(2);
  }
  rendering.store(false);
  render.join();
  EXPECT_EQ(cuts, 0) << "of " << played << " notes that played";
  EXPECT_GT(played, 0);
}

}  // namespace
