#pragma once

#include "engine/DelegateSet.h"
#include "framework/IMidiQueue.h"

// Holds the host's note messages until the block being rendered reaches
// their frame, keeps track of held keys, and announces note-ons and
// note-offs through its signals.
//
// It runs on the render thread and never lets its queue grow there: a
// message that finds it full is dropped. Its owner hands it only what fits
// and keeps the rest waiting, in order.
class MIDIReceiver {
 public:
  // Room for what the instrument hands over at one block start: 1024
  // messages grown by one step of 1024 ahead of time.
  static constexpr int kQueueSize = 2048;
  static constexpr int kNumKeys = 128;

  MIDIReceiver() : mMidiQueue(kQueueSize) {}
  MIDIReceiver(const MIDIReceiver&) = delete;
  MIDIReceiver& operator=(const MIDIReceiver&) = delete;

  // Queues note-on and note-off messages, and the two controls that stop
  // notes, all sound off and all notes off; everything else is dropped.
  void onMessageReceived(const IMidiMsg* msg);
  // Whether the receiver queues this message at all.
  static bool accepts(const IMidiMsg& msg);
  bool hasRoom() const { return mMidiQueue.ToDo() < mMidiQueue.GetSize(); }
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

  IMidiQueue mMidiQueue;
  int mNumKeys = 0;
  bool mKeyStatus[kNumKeys] = {};
  int mOffset = 0;
  // All sound off messages in the queue.
  int mQueuedSoundOffs = 0;
};
