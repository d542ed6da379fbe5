#include "engine/MIDIReceiver.h"

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

void MIDIReceiver::onMessageReceived(const IMidiMsg* msg) {
  if (!msg || !accepts(*msg) || !hasRoom()) return;
  mMidiQueue.Add(msg);
  if (isControl(*msg, IMidiMsg::kAllSoundOff)) ++mQueuedSoundOffs;
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
  ++mOffset;
}

int MIDIReceiver::nextSoundOffFrame() const {
  // The queue is in frame order: its first all sound off is its earliest.
  for (int i = 0; mQueuedSoundOffs > 0 && i < mMidiQueue.ToDo(); ++i) {
    const IMidiMsg* msg = mMidiQueue.Get(i);
    if (isControl(*msg, IMidiMsg::kAllSoundOff)) return msg->mOffset;
  }
  return INT_MAX;
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
}

void MIDIReceiver::flush(int frames) {
  mMidiQueue.Flush(frames);
  mOffset = 0;
}
