#pragma once

#include <cstdint>

#include "instrument/NoteRing.h"
#include "instrument/WaitingReleases.h"

// The note events from the threads that call in to the render thread: the
// ring in the order sent and, when it is full, the releases that wait for
// room. Events of one key, and the stopping controls against every note,
// reach the render thread in the order sent; releases commute with one
// another, so only a note-on has to stay behind the releases sent before it.
//
// The writers (one at a time, under the plug-in mutex) send and discard; the
// render thread takes at the start of a block.
class MidiHandOver {
 public:
  // Writers. A note-on first moves the releases it may not overtake into
  // the ring, and is dropped when they do not all fit; a release that
  // finds no room waits; anything else is dropped.
  void send(const NoteEvent& event);
  // Drops everything sent so far and not taken yet: a reset.
  void discardAll();

  // Render thread. The ring's end: what is sent before it is what the next
  // take hands on.
  uint32_t end() const { return mRing.end(); }
  // deliver(event) for every event sent before position end, the waiting
  // releases among them in their places, while fits(preview) says there is
  // room for the next event; what does not fit stays for the next take.
  template <class Fits, class Deliver>
  void take(uint32_t end, Fits fits, Deliver deliver) {
    WaitingReleases::Waiting waiting[WaitingReleases::kNumCells];
    const int numWaiting = mReleases.collect(end, waiting);
    int next = 0;
    for (;;) {
      const uint32_t first = mRing.begin();
      const bool ringLeft = static_cast<int32_t>(end - first) > 0;
      // A release sent when the ring ended at position goes before the
      // event there.
      for (; next < numWaiting && (!ringLeft || static_cast<int32_t>(waiting[next].position - first) <= 0); ++next) {
        if (!fits(false)) return;
        NoteEvent release;
        if (mReleases.take(waiting[next], &release.msg)) deliver(release);
      }
      if (!ringLeft) return;
      const NoteEvent event = mRing.peek(first);
      if (!fits(event.preview)) return;
      if (mRing.claim(first)) deliver(event);
    }
  }

 private:
  NoteRing mRing;
  WaitingReleases mReleases;
};
