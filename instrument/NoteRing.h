#pragma once

#include <atomic>
#include <cstdint>

#include "framework/IPlugStructs.h"

// A MIDI message from the host, or a note of the editor's preview, on its
// way to the render thread.
struct NoteEvent {
  IMidiMsg msg;
  bool preview = false;  // straight to the voices, as PlayNote plays
};

// The note events on their way to the render thread, in the order sent,
// with room for kSize of them. Written by the threads that call in, one at
// a time (the plug-in mutex serialises them); read by the render thread,
// which takes them at the start of a block. Positions count the events
// pushed since construction, wrapping at 2^32.
//
// A reset is the writers' to make: discard drops every event not taken yet
// at once, so that what is sent after it has the whole room even while the
// render thread takes nothing. Nothing is put back: the render thread
// claims the events one at a time, and one that it leaves stays first.
class NoteRing {
 public:
  static constexpr int kSize = 1024;

  // Writers. False, and the event dropped, while the ring is full.
  bool push(const NoteEvent& event);
  bool hasRoom() const;
  // Drops every event pushed so far and not taken yet.
  void discard();

  // The position after the last event pushed.
  uint32_t end() const { return mTail.load(std::memory_order_acquire); }

  // Render thread. The position of the first event neither taken nor
  // dropped.
  uint32_t begin() const { return mHead.load(std::memory_order_acquire); }
  // The event at position, between begin() and end(); it is the render
  // thread's only once claimed.
  NoteEvent peek(uint32_t position) const;
  // Takes the event at position when it is still the first one: false
  // when a discard dropped it since it was peeked.
  bool claim(uint32_t position);

 private:
  static uint64_t pack(const NoteEvent& event);
  static NoteEvent unpack(uint64_t word);

  std::atomic<uint64_t> mEvents[kSize] = {};
  // Moved by the render thread as it claims, and by a discard.
  std::atomic<uint32_t> mHead{0};
  std::atomic<uint32_t> mTail{0};
};
