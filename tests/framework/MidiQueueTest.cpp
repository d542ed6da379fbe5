#include <gtest/gtest.h>

#include <vector>

#include "framework/IMidiQueue.h"

namespace {

IMidiMsg Msg(int offset, int note) {
  IMidiMsg msg;
  msg.MakeNoteOnMsg(note, 100, offset);
  return msg;
}

std::vector<std::pair<int, int>> Drain(IMidiQueue* queue) {
  std::vector<std::pair<int, int>> out;
  while (const IMidiMsg* msg = queue->Peek()) {
    out.push_back({msg->mOffset, msg->NoteNumber()});
    queue->Remove();
  }
  return out;
}

TEST(MidiQueue, KeepsOffsetOrderAndArrivalOrderForEqualOffsets) {
  IMidiQueue queue(16);
  const IMidiMsg msgs[] = {Msg(5, 1), Msg(3, 2), Msg(5, 3), Msg(0, 4), Msg(4, 5)};
  for (const IMidiMsg& m : msgs) queue.Add(&m);
  EXPECT_EQ(Drain(&queue),
            (std::vector<std::pair<int, int>>{{0, 4}, {3, 2}, {4, 5}, {5, 1}, {5, 3}}));
  EXPECT_TRUE(queue.Empty());
  EXPECT_EQ(queue.Peek(), nullptr);
}

TEST(MidiQueue, CompactsConsumedEntriesBeforeGrowing) {
  IMidiQueue queue(4);
  for (int i = 0; i < 4; ++i) {
    const IMidiMsg m = Msg(i, i);
    queue.Add(&m);
  }
  queue.Remove();
  queue.Remove();
  const IMidiMsg fifth = Msg(9, 9);
  queue.Add(&fifth);
  EXPECT_EQ(queue.GetSize(), 4);
  EXPECT_EQ(queue.ToDo(), 3);
  EXPECT_EQ(Drain(&queue), (std::vector<std::pair<int, int>>{{2, 2}, {3, 3}, {9, 9}}));
}

TEST(MidiQueue, GrowsByWholeStepsWhenNothingWasConsumed) {
  IMidiQueue queue(4);
  for (int i = 0; i < 9; ++i) {
    const IMidiMsg m = Msg(i, i);
    queue.Add(&m);
    if (i == 4) {
      EXPECT_EQ(queue.GetSize(), 8);
    }
  }
  EXPECT_EQ(queue.GetSize(), 12);
  EXPECT_EQ(queue.ToDo(), 9);
}

TEST(MidiQueue, WithoutGrowthStepMessagesAreDropped) {
  IMidiQueue queue(0);
  const IMidiMsg m = Msg(0, 1);
  queue.Add(&m);
  EXPECT_TRUE(queue.Empty());
  EXPECT_EQ(queue.GetSize(), 0);
}

TEST(MidiQueue, FlushForgetsTakenMessagesAndShiftsTheRest) {
  IMidiQueue queue(8);
  const IMidiMsg msgs[] = {Msg(10, 1), Msg(70, 2), Msg(130, 3)};
  for (const IMidiMsg& m : msgs) queue.Add(&m);
  queue.Remove();
  queue.Flush(64);
  EXPECT_EQ(Drain(&queue), (std::vector<std::pair<int, int>>{{6, 2}, {66, 3}}));
  queue.Flush(64);
  EXPECT_TRUE(queue.Empty());
  const IMidiMsg late = Msg(1, 4);
  queue.Add(&late);
  EXPECT_EQ(queue.Peek()->mOffset, 1);
}

}  // namespace
