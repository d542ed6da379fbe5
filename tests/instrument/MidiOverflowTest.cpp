// More MIDI than the unit has room for between two slices, or sent while
// the host renders nothing or bypasses the unit: what a reset and a bypass
// do to it, and that every release still acts at its own frame and in the
// host's order. Each case is compared with a unit that got only the events
// that matter, with room to spare.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/instrument/HostTakes.h"
#include "tests/instrument/ThudrokkaProbe.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

constexpr int kBlock = 512;
constexpr int kPad = 100;
constexpr int kSecond = 44100;
constexpr UInt8 kNoteOn = 0x90;
constexpr UInt8 kNoteOff = 0x80;
constexpr UInt8 kControlChange = 0xB0;
constexpr UInt8 kAllSoundOff = 120;
constexpr UInt8 kAllNotesOff = 123;
// A key no case strikes: its releases only take room.
constexpr UInt8 kUnstruck = 127;
// More events than any queue on the way holds.
constexpr int kFlood = 3000;

void Send(InstrumentHost& host, UInt8 status, UInt8 data1, UInt8 data2, int offset) {
  ASSERT_EQ(host.session().SendMIDI(status, data1, data2, static_cast<UInt32>(offset)), noErr);
}

void Flood(InstrumentHost& host, int events) {
  for (int i = 0; i < events; ++i) Send(host, kNoteOff, kUnstruck, 0, 0);
}

OSStatus SetBypass(InstrumentHost& host, UInt32 bypass) {
  return AudioUnitSetProperty(host.session().Unit(), kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0,
                              &bypass, sizeof(bypass));
}

OSStatus Reset(InstrumentHost& host) { return AudioUnitReset(host.session().Unit(), kAudioUnitScope_Global, 0); }

void OpenPad(InstrumentHost& host) {
  ASSERT_EQ(host.open(44100.0, kBlock), noErr);
  ASSERT_EQ(host.selectPreset(kPad), noErr);
}

// Events sent while the unit renders nothing, or only bypassed slices,
// leave no trace: a note sent after the reset or the bypass change that
// ends them plays as on a unit that never had them, and without one the
// unit stays silent.
TEST(MidiOverflow, ANoteSentAfterAResetOrABypassChangePlays) {
  struct Case {
    const char* what;
    std::function<void(InstrumentHost&)> before;
  };
  const Case cases[] = {
      {"512 notes through a bypassed unit, then bypass off",
       [](InstrumentHost& h) {
         ASSERT_EQ(SetBypass(h, 1), noErr);
         for (int i = 0; i < 512; ++i) {
           Send(h, kNoteOn, static_cast<UInt8>(36 + i % 48), 100, i % kBlock);
           Send(h, kNoteOff, static_cast<UInt8>(36 + i % 48), 0, (i + 100) % kBlock);
           RenderTake(h, kBlock);
         }
         ASSERT_EQ(SetBypass(h, 0), noErr);
       }},
      {"a flood through a bypassed unit, then a reset and bypass off",
       [](InstrumentHost& h) {
         ASSERT_EQ(SetBypass(h, 1), noErr);
         RenderTake(h, kBlock);
         for (int i = 0; i < kFlood; ++i) Send(h, kNoteOn, static_cast<UInt8>(36 + i % 48), 100, i % kBlock);
         RenderTake(h, kBlock);
         ASSERT_EQ(Reset(h), noErr);
         ASSERT_EQ(SetBypass(h, 0), noErr);
       }},
      {"a flood while nothing renders, then a reset",
       [](InstrumentHost& h) {
         for (int i = 0; i < kFlood; ++i) Send(h, kNoteOn, static_cast<UInt8>(36 + i % 48), 100, i % kBlock);
         ASSERT_EQ(Reset(h), noErr);
       }},
      {"a flood while nothing renders, then bypass on and off",
       [](InstrumentHost& h) {
         Flood(h, kFlood);
         ASSERT_EQ(SetBypass(h, 1), noErr);
         ASSERT_EQ(SetBypass(h, 0), noErr);
       }},
  };
  for (const Case& c : cases) {
    for (bool noteAfter : {false, true}) {
      std::vector<float> takes[2];
      for (bool events : {false, true}) {
        InstrumentHost host;
        OpenPad(host);
        if (events) c.before(host);
        if (noteAfter) Send(host, kNoteOn, 48, 127, 0);
        takes[events] = RenderTake(host, kSecond);
      }
      const std::string what = std::string(c.what) + (noteAfter ? ", a note after it" : "");
      EXPECT_EQ(takes[1], takes[0]) << what;
      if (noteAfter) {
        EXPECT_GT(Peak(takes[1]), 0.1f) << what;
      } else {
        EXPECT_EQ(Peak(takes[1]), 0.0f) << what;
      }
    }
  }
}

// A release that found no room waits; a reset, or a bypass change, drops
// it with everything else sent before it, so that it ends nothing struck
// after.
TEST(MidiOverflow, AResetDropsTheReleasesThatWaitForRoom) {
  struct Release {
    const char* what;
    UInt8 status, data1;
  };
  const Release releases[] = {
      {"note-off", kNoteOff, 48},
      {"all notes off", kControlChange, kAllNotesOff},
      {"all sound off", kControlChange, kAllSoundOff},
  };
  struct Stop {
    const char* what;
    OSStatus (*stop)(InstrumentHost& host);
  };
  const Stop stops[] = {
      {"reset", Reset},
      {"bypass on and off",
       [](InstrumentHost& h) {
         const OSStatus status = SetBypass(h, 1);
         return status != noErr ? status : SetBypass(h, 0);
       }},
  };
  for (const Release& r : releases) {
    for (const Stop& s : stops) {
      std::vector<float> takes[2];
      for (bool waiting : {false, true}) {
        InstrumentHost host;
        OpenPad(host);
        if (waiting) {
          Flood(host, kFlood);
          Send(host, r.status, r.data1, 0, 100);
        }
        ASSERT_EQ(s.stop(host), noErr);
        Send(host, kNoteOn, 48, 127, 0);
        takes[waiting] = RenderTake(host, kSecond);
      }
      EXPECT_EQ(takes[1], takes[0]) << r.what << ", " << s.what;
      EXPECT_GT(Peak(takes[1]), 0.1f) << r.what << ", " << s.what;
    }
  }
}

// Releases that found no room act as they would have with room: each at
// its own frame, on what it finds there, in the host's order with the
// notes around it. Each case holds keys 48 and 55 of the pad, then sends a
// burst; the flood comes before the events that matter in it.
TEST(MidiOverflow, EveryReleaseActsAtItsOwnFrameInTheHostsOrder) {
  struct Event {
    UInt8 status, data1, data2;
    int offset;
  };
  struct Case {
    const char* what;
    std::vector<Event> beforeFlood, afterFlood, nextSlice;
  };
  const std::vector<Case> cases = {
      {"all notes off at frames 10 and 500",
       {},
       {{kControlChange, kAllNotesOff, 0, 10}, {kControlChange, kAllNotesOff, 0, 500}},
       {}},
      {"all notes off at frames 500 and 10",
       {},
       {{kControlChange, kAllNotesOff, 0, 500}, {kControlChange, kAllNotesOff, 0, 10}},
       {}},
      {"all sound off at frames 10 and 500",
       {},
       {{kControlChange, kAllSoundOff, 0, 10}, {kControlChange, kAllSoundOff, 0, 500}},
       {}},
      {"a key released at 10 and at 500, struck again at 200 before them",
       {{kNoteOn, 48, 100, 200}},
       {{kNoteOff, 48, 0, 10}, {kNoteOff, 48, 0, 500}},
       {}},
      {"three releases of a key",
       {},
       {{kNoteOff, 55, 0, 300}, {kNoteOff, 55, 0, 30}, {kNoteOff, 55, 0, 400}},
       {}},
      {"a release for the next slice", {}, {{kNoteOff, 48, 0, kBlock + 100}}, {}},
      {"a release, then its key struck again at the same frame in the next slice",
       {},
       {{kNoteOff, 48, 0, kBlock + 88}},
       {{kNoteOn, 48, 100, 88}}},
  };
  for (const Case& c : cases) {
    std::vector<float> takes[2];
    for (bool flood : {false, true}) {
      InstrumentHost host;
      OpenPad(host);
      for (int key : {48, 55}) Send(host, kNoteOn, static_cast<UInt8>(key), 127, 0);
      RenderTake(host, kSecond);
      for (const Event& e : c.beforeFlood) Send(host, e.status, e.data1, e.data2, e.offset);
      if (flood) Flood(host, kFlood);
      for (const Event& e : c.afterFlood) Send(host, e.status, e.data1, e.data2, e.offset);
      std::vector<float>& take = takes[flood];
      take = RenderTake(host, kBlock);
      for (const Event& e : c.nextSlice) Send(host, e.status, e.data1, e.data2, e.offset);
      const std::vector<float> rest = RenderTake(host, kSecond);
      take.insert(take.end(), rest.begin(), rest.end());
    }
    EXPECT_EQ(takes[1], takes[0]) << c.what;
  }
}

// A release queued behind more than the unit holds, its key struck again
// at the release's frame in the next slice: the note sent later plays.
TEST(MidiOverflow, AReleaseNeverComesAfterALaterNoteOfItsKey) {
  constexpr int kFarAhead = 1000000;
  constexpr int kFrame = 88;
  for (int flood : {1000, 1023, 2047, kFlood}) {
    std::vector<float> takes[2];
    for (bool events : {false, true}) {
      InstrumentHost host;
      OpenPad(host);
      if (events) {
        // A note for far ahead stays queued over the slices below.
        Send(host, kNoteOn, 100, 100, kFarAhead);
        RenderTake(host, kBlock);
        Flood(host, flood);
        Send(host, kNoteOff, 48, 0, kBlock + kFrame);
      } else {
        RenderTake(host, kBlock);
      }
      RenderTake(host, kBlock);
      Send(host, kNoteOn, 48, 127, kFrame);
      takes[events] = RenderTake(host, kSecond);
    }
    EXPECT_EQ(takes[1], takes[0]) << flood << " events before the release";
    EXPECT_GT(Peak(takes[1]), 0.1f) << flood << " events before the release";
  }
}

// A render that passes the input through, as the framework does while a
// host bypasses the unit, takes the notes sent for it and drops them, reset
// or not: none of them plays later, and they leave the room to the notes
// sent after.
TEST(MidiOverflow, APassThroughRenderDropsTheNotesSentForIt) {
  for (int notes : {20, 600}) {
    std::vector<double> takes[2];
    for (bool bypassed : {false, true}) {
      auto plug = std::make_unique<ThudrokkaProbe>();
      plug->prepare(44100.0, kBlock);
      ASSERT_TRUE(plug->RestorePreset(kPad));
      plug->takeHandOvers();
      for (int i = 0; bypassed && i < notes; ++i) {
        for (const IMidiMsg& msg : {IMidiMsg(i % kBlock, kNoteOn, static_cast<uint8_t>(36 + i % 48), 100),
                                    IMidiMsg((i + 9) % kBlock, kNoteOff, static_cast<uint8_t>(36 + i % 48), 0)}) {
          IMidiMsg copy = msg;
          plug->ProcessMidiMsg(&copy);
        }
        plug->PassThroughBuffers(0.0, kBlock);
      }
      IMidiMsg note(0, kNoteOn, 48, 127);
      plug->ProcessMidiMsg(&note);
      std::vector<double> left(kBlock), right(kBlock);
      double* outputs[2] = {left.data(), right.data()};
      for (int done = 0; done < kSecond; done += kBlock) {
        plug->ProcessDoubleReplacing(nullptr, outputs, kBlock);
        takes[bypassed].insert(takes[bypassed].end(), left.begin(), left.end());
      }
    }
    EXPECT_EQ(takes[1], takes[0]) << notes << " notes";
    EXPECT_GT(*std::max_element(takes[1].begin(), takes[1].end()), 0.1) << notes << " notes";
  }
}

}  // namespace
