#pragma once

#include <atomic>
#include <cstdint>

#include "engine/MIDIReceiver.h"
#include "framework/IPlugStructs.h"

// Hand-overs from the threads that change the instrument (host calls, the
// editor) to the render thread, which applies them at the start of a block.
// Neither side waits, locks or allocates.

// A fixed ring of N items (N a power of two) from one producer to the render
// thread. Producers that share it must be serialised, as the plug-in mutex
// serialises every host and editor call. Positions count the items pushed
// since construction, wrapping at 2^32.
template <class T, int N>
class HandOverRing {
  static_assert(N > 0 && (N & (N - 1)) == 0, "the ring size is a power of two");

 public:
  // False, and the item dropped, while the ring is full.
  bool push(const T& item) {
    const uint32_t tail = mTail.load(std::memory_order_relaxed);
    if (tail - mHead.load(std::memory_order_acquire) == static_cast<uint32_t>(N)) return false;
    mItems[tail % N] = item;
    mTail.store(tail + 1, std::memory_order_release);
    return true;
  }

  // The position after the last item pushed so far.
  uint32_t end() const { return mTail.load(std::memory_order_acquire); }

  // Render thread: take(item) for every item before position end that is
  // not taken or dropped yet, oldest first.
  template <class Take>
  void takeBefore(uint32_t end, Take take) {
    uint32_t head = mHead.load(std::memory_order_relaxed);
    for (; static_cast<int32_t>(end - head) > 0; ++head) take(mItems[head % N]);
    mHead.store(head, std::memory_order_release);
  }

  // Render thread: drops every item before position end not taken yet.
  void dropBefore(uint32_t end) {
    const uint32_t head = mHead.load(std::memory_order_relaxed);
    if (static_cast<int32_t>(end - head) > 0) mHead.store(end, std::memory_order_release);
  }

 private:
  T mItems[N] = {};
  std::atomic<uint32_t> mHead{0};
  std::atomic<uint32_t> mTail{0};
};

// The MIDI releases that found the note ring full, one waiting per slot of
// MIDIReceiver (a key or a stopping control), kept as the receiver keeps
// them. They are taken only in the block that takes every note the ring
// held when they came: a release never reaches the render thread ahead of a
// note sent before it.
class ReleaseHandOver {
 public:
  // Producer, while the ring is full: ringEnd is the ring's end then.
  void post(const IMidiMsg& msg, uint32_t ringEnd) {
    const int slot = MIDIReceiver::releaseSlot(msg);
    if (slot < 0) return;
    mPostedAt.store(ringEnd, std::memory_order_relaxed);
    keep(slot, msg);
    mAny.store(true, std::memory_order_release);
  }

  // Render thread, once it has taken the ring's notes before ringEnd:
  // take(msg) for every waiting release, unless one came after notes not
  // taken yet, when all of them wait for the next block.
  template <class Take>
  void takeAll(uint32_t ringEnd, Take take) {
    if (!mAny.exchange(false, std::memory_order_acquire)) return;
    uint64_t taken[kSlots];
    for (int slot = 0; slot < kSlots; ++slot) taken[slot] = mSlots[slot].exchange(0, std::memory_order_acq_rel);
    // The end stored with a release taken above is seen here, or a later one.
    if (static_cast<int32_t>(mPostedAt.load(std::memory_order_relaxed) - ringEnd) > 0) {
      for (int slot = 0; slot < kSlots; ++slot) {
        if (taken[slot] != 0) keep(slot, unpack(taken[slot]));
      }
      mAny.store(true, std::memory_order_release);
      return;
    }
    for (int slot = 0; slot < kSlots; ++slot) {
      if (taken[slot] != 0) take(unpack(taken[slot]));
    }
  }

 private:
  static constexpr int kSlots = MIDIReceiver::kNumReleaseSlots;

  // A message in one word; never 0, which marks an empty slot.
  static uint64_t pack(const IMidiMsg& msg) {
    return uint64_t{1} << 56 | uint64_t{msg.mStatus} << 48 | uint64_t{msg.mData1} << 40 |
           uint64_t{msg.mData2} << 32 | static_cast<uint32_t>(msg.mOffset);
  }
  static IMidiMsg unpack(uint64_t word) {
    return IMidiMsg(static_cast<int32_t>(static_cast<uint32_t>(word)), static_cast<uint8_t>(word >> 48),
                    static_cast<uint8_t>(word >> 40), static_cast<uint8_t>(word >> 32));
  }
  // Either thread: keeps msg, or the release already waiting in its slot.
  void keep(int slot, const IMidiMsg& msg) {
    uint64_t old = mSlots[slot].load(std::memory_order_relaxed);
    uint64_t word;
    do {
      word = old == 0 ? pack(msg) : pack(MIDIReceiver::laterRelease(unpack(old), msg));
    } while (!mSlots[slot].compare_exchange_weak(old, word, std::memory_order_acq_rel, std::memory_order_relaxed));
  }

  std::atomic<uint64_t> mSlots[kSlots] = {};
  std::atomic<bool> mAny{false};
  // The ring's end when the last release came.
  std::atomic<uint32_t> mPostedAt{0};
};
