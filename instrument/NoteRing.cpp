#include "instrument/NoteRing.h"

// The writers fill a place only while the head is past the event that
// held it before, so the render thread reads a place that is being
// refilled only when a discard has moved the head past it; its claim then
// fails and what it read is not used. The events are atomic words so that
// such a read is no data race.

bool NoteRing::push(const NoteEvent& event) {
  const uint32_t tail = mTail.load(std::memory_order_relaxed);
  if (tail - mHead.load(std::memory_order_acquire) >= static_cast<uint32_t>(kSize)) return false;
  mEvents[tail % kSize].store(pack(event), std::memory_order_release);
  mTail.store(tail + 1, std::memory_order_release);
  return true;
}

bool NoteRing::hasRoom() const {
  return mTail.load(std::memory_order_relaxed) - mHead.load(std::memory_order_acquire) <
         static_cast<uint32_t>(kSize);
}

void NoteRing::discard() {
  const uint32_t tail = mTail.load(std::memory_order_relaxed);
  uint32_t head = mHead.load(std::memory_order_acquire);
  while (static_cast<int32_t>(tail - head) > 0 &&
         !mHead.compare_exchange_weak(head, tail, std::memory_order_acq_rel, std::memory_order_acquire)) {
  }
}

NoteEvent NoteRing::peek(uint32_t position) const {
  return unpack(mEvents[position % kSize].load(std::memory_order_acquire));
}

bool NoteRing::claim(uint32_t position) {
  uint32_t expected = position;
  return mHead.compare_exchange_strong(expected, position + 1, std::memory_order_acq_rel,
                                       std::memory_order_acquire);
}

uint64_t NoteRing::pack(const NoteEvent& event) {
  const IMidiMsg& msg = event.msg;
  return uint64_t{event.preview} << 56 | uint64_t{msg.mStatus} << 48 | uint64_t{msg.mData1} << 40 |
         uint64_t{msg.mData2} << 32 | static_cast<uint32_t>(msg.mOffset);
}

NoteEvent NoteRing::unpack(uint64_t word) {
  NoteEvent event;
  event.msg = IMidiMsg(static_cast<int32_t>(static_cast<uint32_t>(word)), static_cast<uint8_t>(word >> 48),
                       static_cast<uint8_t>(word >> 40), static_cast<uint8_t>(word >> 32));
  event.preview = (word >> 56 & 1) != 0;
  return event;
}
