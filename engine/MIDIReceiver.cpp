#include "engine/MIDIReceiver.h"

#include <algorithm>
#include <climits>

namespace {

bool isControl(const IMidiMsg& msg, int controller) {
  return msg.StatusMsg() == IMidiMsg::kControlChange && msg.ControlChangeIdx() == controller;
}

bool stopsNotes(const IMidiMsg& msg) {
  return isControl(msg, IMidiMsg::kAllSoundOff) || isControl(msg, IMidiMsg::kAllNotesOff);
}

}  // namespace

bool MIDIReceiver::accepts(const IMidiMsg& msg) {
  if (stopsNotes(msg)) return true;
  const IMidiMsg::EStatusMsg status = msg.StatusMsg();
  if (status != IMidiMsg::kNoteOn && status != IMidiMsg::kNoteOff) return false;
  // The data bytes are the sender's: a note past 127 would index beyond the key table.
  return msg.NoteNumber() >= 0 && msg.NoteNumber() < kNumKeys;
}

int MIDIReceiver::releaseSlot(const IMidiMsg& msg) {
  if (!accepts(msg)) return -1;
  if (msg.StatusMsg() == IMidiMsg::kControlChange) {
    return msg.ControlChangeIdx() == IMidiMsg::kAllSoundOff ? kSoundOffSlot : kNotesOffSlot;
  }
  if (msg.StatusMsg() == IMidiMsg::kNoteOn && msg.Velocity() > 0) return -1;
  return msg.NoteNumber();
}

void MIDIReceiver::onMessageReceived(const IMidiMsg* msg) {
  if (!msg || !accepts(*msg)) return;
  if (mMidiQueue.ToDo() < mMidiQueue.GetSize()) {
    mMidiQueue.Add(msg);
    if (isControl(*msg, IMidiMsg::kAllSoundOff)) ++mQueuedSoundOffs;
    return;
  }
  const int slot = releaseSlot(*msg);
  if (slot < 0) return;
  if (mReleaseWaits[slot]) {
    mWaitingReleases[slot] = laterRelease(mWaitingReleases[slot], *msg);
  } else {
    mWaitingReleases[slot] = *msg;
    mReleaseWaits[slot] = true;
    mFirstWaitingFrame = mNumWaitingReleases == 0 ? msg->mOffset : std::min(mFirstWaitingFrame, msg->mOffset);
    ++mNumWaitingReleases;
  }
}

void MIDIReceiver::advance() {
  while (!mMidiQueue.Empty()) {
    // A copy: what the signals reach may queue more.
    const IMidiMsg msg = *mMidiQueue.Peek();
    if (msg.mOffset > mOffset) break;
    if (isControl(msg, IMidiMsg::kAllSoundOff)) --mQueuedSoundOffs;
    deliver(msg);
    mMidiQueue.Remove();
  }
  // After the queued messages of the frame: a note-on of the same frame
  // that arrived before the release is released by it.
  if (mNumWaitingReleases > 0 && mFirstWaitingFrame <= mOffset) deliverWaitingReleases();
  ++mOffset;
}

int MIDIReceiver::nextSoundOffFrame() const {
  int frame = mReleaseWaits[kSoundOffSlot] ? mWaitingReleases[kSoundOffSlot].mOffset : INT_MAX;
  // The queue is in frame order: its first all sound off is its earliest.
  for (int i = 0; mQueuedSoundOffs > 0 && i < mMidiQueue.ToDo(); ++i) {
    const IMidiMsg* msg = mMidiQueue.Get(i);
    if (isControl(*msg, IMidiMsg::kAllSoundOff)) return std::min(frame, msg->mOffset);
  }
  return frame;
}

void MIDIReceiver::deliverWaitingReleases() {
  int remaining = 0;
  int first = 0;
  for (int slot = 0; slot < kNumReleaseSlots; ++slot) {
    if (!mReleaseWaits[slot]) continue;
    const IMidiMsg msg = mWaitingReleases[slot];
    if (msg.mOffset <= mOffset) {
      mReleaseWaits[slot] = false;
      deliver(msg);
    } else {
      first = remaining == 0 ? msg.mOffset : std::min(first, msg.mOffset);
      ++remaining;
    }
  }
  mNumWaitingReleases = remaining;
  mFirstWaitingFrame = first;
}

void MIDIReceiver::deliver(const IMidiMsg& msg) {
  if (msg.StatusMsg() == IMidiMsg::kControlChange) {
    releaseAllKeys();
    controlChange.emit(msg.ControlChangeIdx(), msg.mData2 / 127.0);
    return;
  }
  const int note = msg.NoteNumber();
  const int velocity = msg.Velocity();
  if (msg.StatusMsg() == IMidiMsg::kNoteOn && velocity > 0) {
    if (!mKeyStatus[note]) {
      mKeyStatus[note] = true;
      ++mNumKeys;
      noteOn.emit(note, velocity, msg.mOffset);
    }
  } else {
    releaseKey(note, velocity);
  }
}

void MIDIReceiver::releaseKey(int note, int velocity) {
  if (!mKeyStatus[note]) return;
  mKeyStatus[note] = false;
  --mNumKeys;
  noteOff.emit(note, velocity);
}

void MIDIReceiver::releaseAllKeys() {
  for (int note = 0; note < kNumKeys && mNumKeys > 0; ++note) releaseKey(note, 0);
}

void MIDIReceiver::discardQueued() {
  mMidiQueue.Clear();
  mQueuedSoundOffs = 0;
  std::fill(std::begin(mReleaseWaits), std::end(mReleaseWaits), false);
  mNumWaitingReleases = 0;
}

void MIDIReceiver::flush(int frames) {
  mMidiQueue.Flush(frames);
  if (mNumWaitingReleases > 0) {
    for (int slot = 0; slot < kNumReleaseSlots; ++slot) {
      if (mReleaseWaits[slot]) mWaitingReleases[slot].mOffset -= frames;
    }
    mFirstWaitingFrame -= frames;
  }
  mOffset = 0;
}
