#include "engine/MIDIReceiver.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Records every signal with the frame at which it arrived.
struct SignalLog {
  int frame = 0;
  std::vector<std::string> events;
  void onNoteOn(int note, int velocity, int offset) {
    events.push_back("on " + std::to_string(note) + " v" + std::to_string(velocity) + " @" +
                     std::to_string(offset) + " f" + std::to_string(frame));
  }
  void onNoteOff(int note, int velocity) {
    events.push_back("off " + std::to_string(note) + " v" + std::to_string(velocity) + " f" +
                     std::to_string(frame));
  }
  void onControlChange(int controller, double value) {
    events.push_back("cc " + std::to_string(controller) + " " + std::to_string(value) + " f" +
                     std::to_string(frame));
  }
};

class MIDIReceiverTest : public ::testing::Test {
 protected:
  MIDIReceiverTest() {
    receiver.noteOn.connect(&log, &SignalLog::onNoteOn);
    receiver.noteOff.connect(&log, &SignalLog::onNoteOff);
    receiver.controlChange.connect(&log, &SignalLog::onControlChange);
  }

  void send(uint8_t status, uint8_t data1, uint8_t data2, int offset) {
    IMidiMsg msg(offset, status, data1, data2);
    receiver.onMessageReceived(&msg);
  }

  void block(int frames) {
    for (int i = 0; i < frames; ++i) {
      receiver.advance();
      ++log.frame;
    }
    receiver.flush(frames);
  }

  MIDIReceiver receiver;
  SignalLog log;
};

TEST_F(MIDIReceiverTest, DeliversAtTheMessageFrameWithinAndAcrossBlocks) {
  send(0x90, 60, 100, 10);
  send(0x90, 62, 90, 70);
  block(64);
  block(64);
  EXPECT_EQ(log.events, (std::vector<std::string>{"on 60 v100 @10 f10", "on 62 v90 @6 f70"}));
}

TEST_F(MIDIReceiverTest, HeldKeysSwallowRepeatsAndStrayReleases) {
  send(0x90, 60, 100, 0);
  send(0x90, 60, 80, 1);  // already held
  send(0x80, 61, 0, 2);   // never pressed
  send(0x80, 60, 0, 3);
  send(0x91, 64, 50, 4);  // channel 2 counts too
  send(0x90, 64, 0, 5);   // velocity 0 is a release
  block(8);
  EXPECT_EQ(log.events, (std::vector<std::string>{"on 60 v100 @0 f0", "off 60 v0 f3",
                                                  "on 64 v50 @4 f4", "off 64 v0 f5"}));
  EXPECT_EQ(receiver.getNumKeys(), 0);
}

TEST_F(MIDIReceiverTest, KeepsOnlyNoteMessagesWithNotesInRange) {
  send(0xB0, 1, 127, 0);  // control change
  send(0xE0, 0, 64, 0);   // pitch wheel
  send(0xA0, 60, 10, 0);  // poly aftertouch
  send(0x90, 200, 100, 0);
  send(0x90, 127, 100, 0);
  block(4);
  EXPECT_EQ(log.events, (std::vector<std::string>{"on 127 v100 @0 f0"}));
  EXPECT_TRUE(receiver.getKeyStatus(127));
  EXPECT_EQ(receiver.getNumKeys(), 1);
}

TEST_F(MIDIReceiverTest, SameFrameMessagesKeepArrivalOrderAndLateOnesGoAtOnce) {
  block(4);
  receiver.advance();
  ++log.frame;
  receiver.advance();
  ++log.frame;
  // Arrives while the block is at frame 2, stamped for frame 0: next advance.
  send(0x90, 40, 1, 0);
  send(0x90, 41, 2, 5);
  send(0x80, 41, 0, 5);
  for (int i = 0; i < 6; ++i) {
    receiver.advance();
    ++log.frame;
  }
  EXPECT_EQ(log.events, (std::vector<std::string>{"on 40 v1 @0 f6", "on 41 v2 @5 f9",
                                                  "off 41 v0 f9"}));
}

// All notes off and all sound off, on any channel, release every held key
// at their frame as its note-off would, then announce themselves.
TEST_F(MIDIReceiverTest, StoppingControlsReleaseEveryHeldKeyAtTheirFrame) {
  for (int controller : {IMidiMsg::kAllNotesOff, IMidiMsg::kAllSoundOff}) {
    log = SignalLog();
    send(0x90, 60, 100, 0);
    send(0x91, 64, 90, 1);
    send(0xB2, static_cast<uint8_t>(controller), 127, 5);
    send(0x90, 60, 80, 6);
    send(0x80, 64, 0, 7);  // already released
    block(8);
    const std::string cc = "cc " + std::to_string(controller) + " 1.000000 f5";
    EXPECT_EQ(log.events, (std::vector<std::string>{"on 60 v100 @0 f0", "on 64 v90 @1 f1", "off 60 v0 f5",
                                                    "off 64 v0 f5", cc, "on 60 v80 @6 f6"}))
        << controller;
    EXPECT_EQ(receiver.getNumKeys(), 1);
    send(0x80, 60, 0, 0);
    block(1);
  }
}

TEST_F(MIDIReceiverTest, AKeyStaysHeldUntilItsReleaseIsDelivered) {
  send(0x90, 60, 100, 3);
  send(0x80, 60, 0, 100);
  block(32);
  EXPECT_TRUE(receiver.getKeyStatus(60));
  block(32);
  block(32);
  EXPECT_TRUE(receiver.getKeyStatus(60));
  block(32);
  EXPECT_FALSE(receiver.getKeyStatus(60));
  EXPECT_EQ(log.events.back(), "off 60 v0 f100");
}

// The queue never grows on the render thread: once it is full, what comes
// is dropped, whatever it is, until frames deliver some or a reset empties
// it. Its owner asks for room first.
TEST_F(MIDIReceiverTest, AFullQueueTakesNothingMore) {
  for (int i = 0; i < MIDIReceiver::kQueueSize; ++i) {
    ASSERT_TRUE(receiver.hasRoom());
    send(0x90, 70, 100, 2);
  }
  EXPECT_FALSE(receiver.hasRoom());
  send(0x80, 70, 0, 0);
  send(0xB0, IMidiMsg::kAllNotesOff, 0, 0);
  block(4);
  EXPECT_EQ(log.events, (std::vector<std::string>{"on 70 v100 @2 f2"}));
  EXPECT_TRUE(receiver.hasRoom());

  for (int i = 0; i < MIDIReceiver::kQueueSize; ++i) send(0x80, 70, 0, 0);
  receiver.discardQueued();
  EXPECT_TRUE(receiver.hasRoom());
  block(1);
  EXPECT_TRUE(receiver.getKeyStatus(70));
}

// The instrument ends a block where all sound off comes.
TEST_F(MIDIReceiverTest, TheNextSoundOffFrameIsTheEarliestNotDelivered) {
  EXPECT_EQ(receiver.nextSoundOffFrame(), INT_MAX);
  send(0xB0, IMidiMsg::kAllSoundOff, 0, 40);
  send(0xB0, IMidiMsg::kAllNotesOff, 0, 5);
  send(0xB0, IMidiMsg::kAllSoundOff, 0, 10);
  EXPECT_EQ(receiver.nextSoundOffFrame(), 10);
  block(20);
  EXPECT_EQ(receiver.nextSoundOffFrame(), 20);
  block(30);
  EXPECT_EQ(receiver.nextSoundOffFrame(), INT_MAX);
}

}  // namespace
