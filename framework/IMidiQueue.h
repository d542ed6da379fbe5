#pragma once

#include "framework/IPlugStructs.h"

// MIDI messages kept in sample-offset order until the audio code reaches
// them. Equal offsets keep their order of arrival.
class IMidiQueue {
 public:
  // size is both the first capacity and the growth step, in messages.
  explicit IMidiQueue(int size = 1024);
  ~IMidiQueue();
  IMidiQueue(const IMidiQueue&) = delete;
  IMidiQueue& operator=(const IMidiQueue&) = delete;

  // Drops the message when the queue cannot make room for it.
  void Add(const IMidiMsg* msg);
  // Takes the front message off the queue.
  void Remove();
  // The front message, or null when nothing is queued.
  IMidiMsg* Peek() const;
  // The message idx places behind the front one, or null past the last.
  const IMidiMsg* Get(int idx) const { return idx >= 0 && idx < ToDo() ? mBuf + mFront + idx : nullptr; }
  bool Empty() const { return mFront >= mBack; }
  int ToDo() const { return mBack - mFront; }
  int GetSize() const { return mSize; }
  void Clear() { mFront = mBack = 0; }
  // End of a block of nFrames: forgets the taken messages and moves the rest
  // forward so their offsets count from the next block's start.
  void Flush(int nFrames);

 private:
  IMidiMsg* mBuf = nullptr;
  int mSize = 0;
  int mGrow;
  int mFront = 0;
  int mBack = 0;
};
