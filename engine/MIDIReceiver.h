#pragma once

#include "engine/DelegateSet.h"
#include "framework/IMidiQueue.h"

// Holds the host's note messages until the block being rendered reaches
// their frame, keeps track of held keys, and announces note-ons and
// note-offs through its signals.
//
// It runs on the render thread and never lets its queue grow. Once the
// queue is full a note-on is dropped, but a release (a note-off, all sound
// off, all notes off) waits in a slot of its own, one per key and per
// control, and still comes at its frame: of a slot's releases the one with
// the latest frame is kept, which ends what any of them would have ended.
class MIDIReceiver {
 public:
  static constexpr int kQueueSize = 1024;
  static constexpr int kNumKeys = 128;
  // A slot per key, then all sound off and all notes off.
  static constexpr int kSoundOffSlot = kNumKeys;
  static constexpr int kNotesOffSlot = kNumKeys + 1;
  static constexpr int kNumReleaseSlots = kNumKeys + 2;

  MIDIReceiver() : mMidiQueue(kQueueSize) {}
  MIDIReceiver(const MIDIReceiver&) = delete;
  MIDIReceiver& operator=(const MIDIReceiver&) = delete;

  // Queues note-on and note-off messages, and the two controls that stop
  // notes, all sound off and all notes off; everything else is dropped.
  void onMessageReceived(const IMidiMsg* msg);
  // Whether the receiver queues this message at all.
  static bool accepts(const IMidiMsg& msg);
  // The slot of a release, -1 for a note-on or a message not accepted.
  static int releaseSlot(const IMidiMsg& msg);
  // Of two releases of one slot, the one to keep.
  static const IMidiMsg& laterRelease(const IMidiMsg& kept, const IMidiMsg& arriving) {
    return kept.mOffset > arriving.mOffset ? kept : arriving;
  }
  // The frame of the first all sound off not delivered yet, counted as
  // advance counts frames; INT_MAX when none is.
  int nextSoundOffFrame() const;
  // Once per frame, before the voices render it.
  void advance();
  // Once at the end of every block of frames.
  void flush(int frames);
  // Releases every held key as its note-off would.
  void releaseAllKeys();
  // Forgets every message not delivered yet; held keys stay held.
  void discardQueued();

  int getNumKeys() const { return mNumKeys; }
  bool getKeyStatus(int key) const { return key >= 0 && key < kNumKeys && mKeyStatus[key]; }

  Gallant::DelegateSet3<int, int, int> noteOn;  // note, velocity, frame offset
  Gallant::DelegateSet2<int, int> noteOff;      // note, velocity
  // controller, value 0..1: both stopping controls, after they released
  // every held key.
  Gallant::DelegateSet2<int, double> controlChange;

 private:
  void deliver(const IMidiMsg& msg);
  void releaseKey(int note, int velocity);
  void deliverWaitingReleases();

  IMidiQueue mMidiQueue;
  int mNumKeys = 0;
  bool mKeyStatus[kNumKeys] = {};
  int mOffset = 0;
  // All sound off messages in the queue.
  int mQueuedSoundOffs = 0;
  // The releases that found the queue full, by slot.
  IMidiMsg mWaitingReleases[kNumReleaseSlots];
  bool mReleaseWaits[kNumReleaseSlots] = {};
  int mNumWaitingReleases = 0;
  // The earliest frame among them.
  int mFirstWaitingFrame = 0;
};
