// What a host does to have the unit sound and to stop what it plays: it
// sounds once initialised, whatever the host set before, and all notes off,
// all sound off and a reset stop every note, held or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/mac/ThudrokkaEntry.h"
#include "tests/instrument/HostTakes.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

constexpr int kBlock = 512;
constexpr int kPad = 100;
constexpr UInt8 kNoteOn = 0x90;
constexpr UInt8 kControlChange = 0xB0;
constexpr UInt8 kAllSoundOff = 120;
constexpr UInt8 kAllNotesOff = 123;

// The peak of both channels over frames, rendered in host slices.
float RenderPeak(InstrumentHost& host, int frames) {
  std::vector<float> left(kBlock), right(kBlock);
  float peak = 0.0f;
  for (int done = 0; done < frames; done += kBlock) {
    EXPECT_EQ(host.render(kBlock, left.data(), right.data()), noErr);
    peak = std::max({peak, Peak(left), Peak(right)});
  }
  return peak;
}

// A host that renders within the default slice at the default rate need set
// none of them.
TEST(HostStartStop, AUnitThatIsOnlyInitialisedSounds) {
  for (bool format : {false, true}) {
    InstallThudrokka();
    standin::HostSession session;
    ASSERT_EQ(session.Open(kThudrokkaComponentDescription), noErr);
    if (format) {
      ASSERT_EQ(session.SetStreamFormat(kAudioUnitScope_Output, 0, 2, 44100.0), noErr);
    }
    ASSERT_EQ(session.Initialize(), noErr);
    ASSERT_EQ(session.SendMIDI(kNoteOn, 48, 127, 0), noErr);
    std::vector<float> left(kBlock), right(kBlock);
    float peak = 0.0f;
    for (int block = 0; block < 8; ++block) {
      float* channels[2] = {left.data(), right.data()};
      ASSERT_EQ(session.Render(0, kBlock, channels, 2), noErr);
      session.AdvanceSampleTime(kBlock);
      peak = std::max({peak, Peak(left), Peak(right)});
    }
    EXPECT_GT(peak, 1e-4f) << (format ? "with" : "without") << " a stream format";
    ASSERT_EQ(session.Close(), noErr);
  }
}

// The pad, whose attack takes most of a second, with two keys held.
constexpr int kSecond = 44100;
void HoldChord(InstrumentHost& host) {
  ASSERT_EQ(host.open(44100.0, kBlock), noErr);
  ASSERT_EQ(host.selectPreset(kPad), noErr);
  for (int key : {48, 55}) ASSERT_EQ(host.noteOn(key, 127, 0), noErr);
  ASSERT_GT(RenderPeak(host, kSecond), 0.1f);
}

// Both keys released by all notes off at a frame inside a block sound as
// their note-offs at that frame would, and play again when pressed again.
TEST(HostStops, AllNotesOffReleasesEveryHeldKeyAsItsNoteOffWould) {
  constexpr int kFrame = 300;
  std::vector<float> takes[2];
  for (bool allNotesOff : {false, true}) {
    InstrumentHost host;
    HoldChord(host);
    if (allNotesOff) {
      ASSERT_EQ(host.session().SendMIDI(kControlChange | 3, kAllNotesOff, 0, kFrame), noErr);
    } else {
      for (int key : {48, 55}) ASSERT_EQ(host.noteOff(key, kFrame), noErr);
    }
    std::vector<float> left(kBlock), right(kBlock);
    std::vector<float>& take = takes[allNotesOff];
    for (int block = 0; block < 200; ++block) {
      if (block == 150) {
        ASSERT_EQ(host.noteOn(48, 100, 7), noErr);
      }
      ASSERT_EQ(host.render(kBlock, left.data(), right.data()), noErr);
      take.insert(take.end(), left.begin(), left.end());
      take.insert(take.end(), right.begin(), right.end());
    }
  }
  EXPECT_EQ(takes[1], takes[0]);
}

// All sound off and a reset end every voice at once, and leave no key
// held: the same key plays again.
TEST(HostStops, AllSoundOffAndResetEndEveryVoiceAtOnce) {
  struct Stop {
    const char* what;
    OSStatus (*stop)(InstrumentHost& host);
  };
  const Stop stops[] = {
      {"all sound off",
       [](InstrumentHost& h) { return h.session().SendMIDI(kControlChange, kAllSoundOff, 0, 0); }},
      {"reset", [](InstrumentHost& h) { return AudioUnitReset(h.session().Unit(), kAudioUnitScope_Global, 0); }},
  };
  for (const Stop& s : stops) {
    InstrumentHost host;
    HoldChord(host);
    ASSERT_EQ(s.stop(host), noErr) << s.what;
    EXPECT_EQ(RenderPeak(host, kSecond / 2), 0.0f) << s.what;
    ASSERT_EQ(host.noteOn(48, 127, 0), noErr);
    EXPECT_GT(RenderPeak(host, kSecond), 0.1f) << s.what << ": the key plays again";
  }
}

// All sound off at a frame inside a slice ends the voices at that frame, and
// a note struck later inside a slice starts at its own: the same sound as in
// slices of one frame.
TEST(HostStops, AllSoundOffEndsTheVoicesAtItsFrame) {
  constexpr int kStopFrame = 300;
  constexpr int kNoteFrame = 3 * kBlock + 7;
  std::vector<float> takes[2][2];
  for (int slice : {1, kBlock}) {
    InstrumentHost host;
    HoldChord(host);
    std::vector<float> left(kBlock), right(kBlock);
    auto& take = takes[slice == kBlock];
    for (int frame = 0; frame < 8 * kBlock; frame += slice) {
      const int stop = kStopFrame - frame;
      if (stop >= 0 && stop < slice) {
        ASSERT_EQ(host.session().SendMIDI(kControlChange, kAllSoundOff, 0, stop), noErr);
      }
      const int note = kNoteFrame - frame;
      if (note >= 0 && note < slice) {
        ASSERT_EQ(host.noteOn(48, 100, note), noErr);
      }
      ASSERT_EQ(host.render(slice, left.data(), right.data()), noErr);
      take[0].insert(take[0].end(), left.begin(), left.begin() + slice);
      take[1].insert(take[1].end(), right.begin(), right.begin() + slice);
    }
  }
  for (int c = 0; c < 2; ++c) {
    float largest = 0.0f;
    for (std::size_t i = 0; i < takes[0][c].size(); ++i) {
      largest = std::max(largest, std::fabs(takes[0][c][i] - takes[1][c][i]));
    }
    EXPECT_LE(largest, 1e-6f) << "channel " << c;
    EXPECT_GT(Peak(takes[1][c]), 0.1f) << "channel " << c;
  }
}

// A host clears what it considers played when it resets the unit, and
// sends no note-off for a note it sent before: a reset, a bypass turned on
// and off, or a new rate each discard every note not yet played, whether
// still on its way to the render or queued for a later slice. A note sent
// after the reset plays as on a unit that never had the other one.
TEST(HostStops, AResetDiscardsTheNotesNotYetPlayed) {
  struct Stop {
    const char* what;
    OSStatus (*stop)(InstrumentHost& host);
  };
  auto setBypass = [](InstrumentHost& h, UInt32 bypass) {
    return AudioUnitSetProperty(h.session().Unit(), kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0,
                                &bypass, sizeof(bypass));
  };
  static auto bypassOnAndOff = [setBypass](InstrumentHost& h) {
    const OSStatus status = setBypass(h, 1);
    return status != noErr ? status : setBypass(h, 0);
  };
  const Stop stops[] = {
      {"reset", [](InstrumentHost& h) { return AudioUnitReset(h.session().Unit(), kAudioUnitScope_Global, 0); }},
      {"bypass on and off", [](InstrumentHost& h) { return bypassOnAndOff(h); }},
      {"a new sample rate", [](InstrumentHost& h) { return h.session().SetSampleRate(48000.0); }},
  };
  // A note queued for the second of two slices, with the reset between them.
  constexpr int kLaterSliceOffset = kBlock + 188;
  for (const Stop& s : stops) {
    for (int offset : {0, kLaterSliceOffset}) {
      for (bool noteAfter : {false, true}) {
        std::vector<float> takes[2];
        for (bool noteBefore : {false, true}) {
          InstrumentHost host;
          ASSERT_EQ(host.open(44100.0, kBlock), noErr);
          ASSERT_EQ(host.selectPreset(kPad), noErr);
          if (noteBefore) {
            ASSERT_EQ(host.noteOn(48, 127, offset), noErr);
          }
          if (offset >= kBlock) RenderTake(host, kBlock);
          ASSERT_EQ(s.stop(host), noErr) << s.what;
          if (noteAfter) {
            ASSERT_EQ(host.noteOn(55, 127, 0), noErr);
          }
          takes[noteBefore] = RenderTake(host, 53 * kBlock);
        }
        const std::string what = std::string(s.what) + ", note at frame " + std::to_string(offset) +
                                 (noteAfter ? ", a note after it" : "");
        EXPECT_EQ(takes[1], takes[0]) << what;
        const float peak = Peak(takes[1]);
        if (noteAfter) {
          EXPECT_GT(peak, 0.01f) << what;
        } else {
          EXPECT_EQ(peak, 0.0f) << what;
        }
      }
    }
  }
}

// However many events a host sends for one slice, no note-off is lost: a
// held key is released after a burst larger than any queue.
TEST(HostStops, NoNoteOffIsLostInABurst) {
  constexpr int kHeld = 48;
  for (int burst : {1024, 3000}) {
    InstrumentHost host;
    ASSERT_EQ(host.open(44100.0, kBlock), noErr);
    ASSERT_EQ(host.selectPreset(kPad), noErr);
    ASSERT_EQ(host.noteOn(kHeld, 127, 0), noErr);
    ASSERT_GT(RenderPeak(host, kSecond), 0.1f);
    // Other keys struck and released, then the held key's note-off.
    for (int i = 0; i < burst; ++i) {
      const int key = 60 + (i / 2) % 60;
      const int frame = i * kBlock / burst;
      ASSERT_EQ(i % 2 == 0 ? host.noteOn(key, 100, frame) : host.noteOff(key, frame), noErr);
    }
    ASSERT_EQ(host.noteOff(kHeld, kBlock - 1), noErr);
    RenderPeak(host, 3 * kSecond);
    EXPECT_LT(RenderPeak(host, kSecond / 2), 1e-4f) << burst << " events";
  }
}

// All sound off is silent from its frame on, as a reset is: no effect unit
// plays on what came before it, and a note after it sounds as after a
// reset, and as on a unit that played nothing before. The presets: plain
// bass drums, one whose effect chain rings long, those whose sample-rate
// reduction holds a sample, and those with the phaser.
TEST(HostStops, AllSoundOffIsSilentFromItsFrameAsAResetIs) {
  constexpr int kStopFrame = 300;
  struct Preset {
    int number;
    // The voices' FM operators keep their phases from one note to the next,
    // whatever stopped the first.
    bool fm;
  };
  struct Take {
    std::vector<float> stopped, note;
  };
  // What the unit plays from the slice after the stop: silence, then a note.
  auto playAfterStop = [](InstrumentHost& host) {
    Take take;
    take.stopped = RenderTake(host, 10 * kBlock);
    EXPECT_EQ(host.noteOn(48, 127, 0), noErr);
    take.note = RenderTake(host, 40 * kBlock);
    return take;
  };
  enum Stop { kInsideTheSliceBefore, kAtTheSlicesStart, kReset, kResetWithoutANoteBefore, kNumStops };
  for (const Preset preset : {Preset{0, false}, {16, false}, {52, false}, {100, true}, {115, false}, {120, false}}) {
    const std::string name = "preset " + std::to_string(preset.number);
    Take takes[kNumStops];
    for (int stop = 0; stop < kNumStops; ++stop) {
      InstrumentHost host;
      ASSERT_EQ(host.open(44100.0, kBlock), noErr);
      ASSERT_EQ(host.selectPreset(preset.number), noErr);
      RenderTake(host, 20 * kBlock);
      if (stop != kResetWithoutANoteBefore) {
        ASSERT_EQ(host.noteOn(50, 127, 0), noErr);
      }
      RenderTake(host, 40 * kBlock);
      if (stop == kInsideTheSliceBefore) {
        ASSERT_EQ(host.session().SendMIDI(kControlChange, kAllSoundOff, 0, kStopFrame), noErr);
        const std::vector<float> slice = RenderTake(host, kBlock);
        for (int c = 0; c < 2; ++c) {
          const auto from = slice.begin() + c * kBlock;
          EXPECT_GT(Peak(std::vector<float>(from, from + kStopFrame)), 0.0f) << name;
          EXPECT_EQ(Peak(std::vector<float>(from + kStopFrame, from + kBlock)), 0.0f) << name;
        }
      } else if (stop == kAtTheSlicesStart) {
        ASSERT_EQ(host.session().SendMIDI(kControlChange, kAllSoundOff, 0, 0), noErr);
      } else {
        ASSERT_EQ(AudioUnitReset(host.session().Unit(), kAudioUnitScope_Global, 0), noErr);
      }
      takes[stop] = playAfterStop(host);
      EXPECT_EQ(Peak(takes[stop].stopped), 0.0f) << name << ", stop " << stop;
    }
    EXPECT_GT(Peak(takes[kAtTheSlicesStart].note), 0.01f) << name;
    EXPECT_EQ(takes[kAtTheSlicesStart].note, takes[kReset].note) << name << ": all sound off and a reset";
    if (!preset.fm) {
      EXPECT_EQ(takes[kReset].note, takes[kResetWithoutANoteBefore].note)
          << name << ": a reset and one that played nothing before";
    }
  }
}

}  // namespace
