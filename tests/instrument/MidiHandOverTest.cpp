// The MIDI hand-over from the threads that call in to the render thread,
// taken apart from the instrument: the ring, the releases that wait for
// room, and the order in which the render thread gets them. One thread
// plays both sides, in the orders a live host thread can bring about.
#include "instrument/MidiHandOver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

// A key that only takes room.
constexpr int kFiller = 127;

IMidiMsg NoteOn(int key, int offset) { return IMidiMsg(offset, 0x90, static_cast<uint8_t>(key), 100); }
IMidiMsg NoteOff(int key, int offset) { return IMidiMsg(offset, 0x80, static_cast<uint8_t>(key), 0); }
IMidiMsg Control(int controller, int offset) { return IMidiMsg(offset, 0xB0, static_cast<uint8_t>(controller), 0); }

std::string Describe(const IMidiMsg& msg) {
  const std::string at = "@" + std::to_string(msg.mOffset);
  switch (msg.StatusMsg()) {
    case IMidiMsg::kNoteOn:
      return (msg.Velocity() > 0 ? "on " : "off ") + std::to_string(msg.NoteNumber()) + at;
    case IMidiMsg::kNoteOff:
      return "off " + std::to_string(msg.NoteNumber()) + at;
    default:
      return "cc " + std::to_string(msg.ControlChangeIdx()) + at;
  }
}

// What the render thread takes from the events sent before end, with room
// for that many, the filler left out.
std::vector<std::string> Take(MidiHandOver& handOver, uint32_t end, int room = INT_MAX) {
  std::vector<std::string> taken;
  int delivered = 0;
  handOver.take(
      end, [&](bool) { return delivered < room; },
      [&](const NoteEvent& event) {
        ++delivered;
        if (event.msg.NoteNumber() != kFiller) taken.push_back(Describe(event.msg));
      });
  return taken;
}

void Send(MidiHandOver& handOver, const IMidiMsg& msg) { handOver.send({msg, false}); }

void FillTheRing(MidiHandOver& handOver) {
  for (int i = 0; i < NoteRing::kSize; ++i) Send(handOver, NoteOff(kFiller, 0));
}

// The releases each cell of the slots holds, by what collect finds.
std::vector<std::string> Waiting(WaitingReleases& releases) {
  WaitingReleases::Waiting waiting[WaitingReleases::kNumCells];
  const int n = releases.collect(0, waiting);
  std::vector<std::string> described;
  for (int i = 0; i < n; ++i) {
    IMidiMsg msg;
    if (releases.take(waiting[i], &msg)) described.push_back(Describe(msg));
  }
  std::sort(described.begin(), described.end());
  return described;
}

TEST(NoteRing, ADiscardGivesTheWholeRoomAtOnceAndWhatItDropsCannotBeClaimed) {
  NoteRing ring;
  for (int i = 0; i < NoteRing::kSize; ++i) ASSERT_TRUE(ring.push({NoteOff(1, i), false}));
  EXPECT_FALSE(ring.hasRoom());
  EXPECT_FALSE(ring.push({NoteOff(1, 0), false}));
  const uint32_t first = ring.begin();
  ASSERT_TRUE(ring.claim(first));
  ring.peek(first + 1);
  ring.discard();
  EXPECT_FALSE(ring.claim(first + 1));
  for (int i = 0; i < NoteRing::kSize; ++i) ASSERT_TRUE(ring.push({NoteOn(2, i), true}));
  const uint32_t next = ring.begin();
  EXPECT_EQ(ring.end() - next, static_cast<uint32_t>(NoteRing::kSize));
  const NoteEvent event = ring.peek(next);
  ASSERT_TRUE(ring.claim(next));
  EXPECT_EQ(Describe(event.msg), "on 2@0");
  EXPECT_TRUE(event.preview);
}

// Each key and each stopping control keeps its earliest and its latest
// release by frame; a release between them, and anything but a release,
// is not kept.
TEST(WaitingReleases, EachSlotKeepsItsEarliestAndLatestRelease) {
  WaitingReleases releases;
  for (const IMidiMsg& msg : {NoteOff(60, 30), NoteOff(60, 10), NoteOff(60, 50), NoteOff(60, 20), NoteOn(61, 5),
                              IMidiMsg(7, 0x92, 62, 0), Control(IMidiMsg::kAllNotesOff, 500),
                              Control(IMidiMsg::kAllNotesOff, 10), Control(IMidiMsg::kAllSoundOff, 40),
                              Control(IMidiMsg::kSustainOnOff, 3)}) {
    releases.post(msg, 0);
  }
  EXPECT_EQ(Waiting(releases), (std::vector<std::string>{"cc 120@40", "cc 123@10", "cc 123@500", "off 60@10",
                                                           "off 60@50", "off 62@7"}));
  EXPECT_FALSE(releases.any());
}

// A release that the render thread found waiting, and that the writers
// took out into the ring meanwhile, is not taken again from its cell, even
// once the cell holds another release.
TEST(WaitingReleases, ACollectedReleaseTakenOutMeanwhileIsNotTaken) {
  WaitingReleases releases;
  releases.post(NoteOff(60, 5), 10);
  WaitingReleases::Waiting waiting[WaitingReleases::kNumCells];
  ASSERT_EQ(releases.collect(10, waiting), 1);
  IMidiMsg msg;
  int cells[WaitingReleases::kMaxCellsBeforeNoteOn];
  const int n = WaitingReleases::cellsBefore(NoteOn(60, 0), cells);
  for (int i = 0; i < n; ++i) releases.takeOut(cells[i], &msg);
  releases.post(NoteOff(60, 5), 2000);
  EXPECT_FALSE(releases.take(waiting[0], &msg));
  EXPECT_EQ(releases.collect(10, waiting), 0);
  ASSERT_EQ(releases.collect(2000, waiting), 1);
  EXPECT_TRUE(releases.take(waiting[0], &msg));
}

// A release that waits for room reaches the render thread after what was
// sent before it and before what was sent after it, however the render
// thread's takes fall between the sends.
TEST(MidiHandOver, AWaitingReleaseKeepsItsPlaceAmongTheEvents) {
  struct Case {
    const char* what;
    int roomAtFirstTake;  // the render thread's room at its first take
    bool endBeforeTheRelease;  // its first take began halfway through the filling
  };
  const Case cases[] = {
      {"taken whole", INT_MAX, false},
      {"the first take began before the release was sent", INT_MAX, true},
      {"the first take had room for ten", 10, false},
  };
  for (const Case& c : cases) {
    MidiHandOver handOver;
    for (int i = 0; i < NoteRing::kSize / 2; ++i) Send(handOver, NoteOff(kFiller, 0));
    const uint32_t earlyEnd = handOver.end();
    for (int i = NoteRing::kSize / 2; i < NoteRing::kSize; ++i) Send(handOver, NoteOff(kFiller, 0));
    Send(handOver, NoteOff(60, 5));
    std::vector<std::string> taken =
        Take(handOver, c.endBeforeTheRelease ? earlyEnd : handOver.end(), c.roomAtFirstTake);
    // Sent after the release, once the render thread made room.
    Send(handOver, NoteOn(60, 5));
    for (const std::string& s : Take(handOver, handOver.end())) taken.push_back(s);
    EXPECT_EQ(taken, (std::vector<std::string>{"off 60@5", "on 60@5"})) << c.what;
  }
}

// A note-on takes its key's waiting releases, and the controls', into the
// ring before itself; one that cannot take all of them is dropped, never
// sent ahead of one.
TEST(MidiHandOver, ANoteOnNeverOvertakesAWaitingReleaseOfItsKey) {
  MidiHandOver handOver;
  FillTheRing(handOver);
  Send(handOver, NoteOff(60, 9));
  Send(handOver, NoteOff(60, 1));
  Send(handOver, Control(IMidiMsg::kAllNotesOff, 4));
  Send(handOver, NoteOff(61, 2));
  EXPECT_TRUE(Take(handOver, handOver.end(), 2).empty());
  Send(handOver, NoteOn(60, 3));  // room for two of the three it must move
  Send(handOver, NoteOn(62, 0));  // the ring is full again
  std::vector<std::string> taken = Take(handOver, handOver.end());
  std::sort(taken.begin(), taken.end());
  EXPECT_EQ(taken, (std::vector<std::string>{"cc 123@4", "off 60@1", "off 60@9", "off 61@2"}));

  Send(handOver, NoteOn(60, 3));
  EXPECT_EQ(Take(handOver, handOver.end()), (std::vector<std::string>{"on 60@3"}));
}

// A reset drops the ring and the waiting releases at once: what is sent
// after it has the whole room, though the render thread took nothing.
TEST(MidiHandOver, AResetDropsEverythingSentBeforeIt) {
  MidiHandOver handOver;
  FillTheRing(handOver);
  Send(handOver, NoteOff(60, 5));
  Send(handOver, Control(IMidiMsg::kAllSoundOff, 6));
  handOver.discardAll();
  for (int i = 0; i < NoteRing::kSize - 1; ++i) Send(handOver, NoteOff(kFiller, 0));
  Send(handOver, NoteOn(60, 7));
  EXPECT_EQ(Take(handOver, handOver.end()), (std::vector<std::string>{"on 60@7"}));
}

}  // namespace
