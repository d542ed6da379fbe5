// The MIDI hand-overs from the host's threads to the render thread, taken
// apart from the instrument: what a reset drops, and when a release that
// found the note ring full may be taken.
#include "instrument/RenderHandOver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

IMidiMsg NoteOff(int key, int offset) { return IMidiMsg(offset, 0x80, static_cast<uint8_t>(key), 0); }

std::vector<int> TakeOffsets(ReleaseHandOver& releases, uint32_t ringEnd) {
  std::vector<int> offsets;
  releases.takeAll(ringEnd, [&](const IMidiMsg& msg) { offsets.push_back(msg.mOffset); });
  return offsets;
}

TEST(NoteRing, DroppedItemsAreNotTakenAndLaterOnesAre) {
  HandOverRing<int, 4> ring;
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(ring.push(i));
  EXPECT_FALSE(ring.push(4));
  const uint32_t mark = ring.end();
  std::vector<int> taken;
  ring.takeBefore(2, [&](int item) { taken.push_back(item); });
  ring.dropBefore(mark);
  ASSERT_TRUE(ring.push(5));
  ring.dropBefore(mark);  // a mark already passed drops nothing
  ring.takeBefore(ring.end(), [&](int item) { taken.push_back(item); });
  EXPECT_EQ(taken, (std::vector<int>{0, 1, 5}));
}

// Of one key's releases the latest by frame waits; each key and each
// stopping control has its own slot.
TEST(ReleaseHandOver, KeepsTheLatestReleaseOfEachSlot) {
  ReleaseHandOver releases;
  releases.post(NoteOff(60, 30), 8);
  releases.post(NoteOff(60, 10), 8);
  releases.post(IMidiMsg(20, 0x90, 61, 100), 8);  // a note-on does not wait
  releases.post(IMidiMsg(25, 0x90, 62, 0), 8);    // velocity 0 releases
  releases.post(IMidiMsg(40, 0xB0, IMidiMsg::kAllSoundOff, 0), 8);
  releases.post(IMidiMsg(50, 0xB0, IMidiMsg::kAllNotesOff, 0), 8);
  EXPECT_EQ(TakeOffsets(releases, 8), (std::vector<int>{30, 25, 40, 50}));
  EXPECT_TRUE(TakeOffsets(releases, 8).empty());
}

// A release that came while the ring held notes the render thread has not
// taken yet waits, with the others, until it has taken them.
TEST(ReleaseHandOver, WaitsForTheNotesSentBeforeIt) {
  ReleaseHandOver releases;
  releases.post(NoteOff(60, 5), 100);
  releases.post(NoteOff(62, 7), 1124);
  EXPECT_TRUE(TakeOffsets(releases, 100).empty());
  EXPECT_EQ(TakeOffsets(releases, 1124), (std::vector<int>{5, 7}));
}

}  // namespace
