#include "engine/MIDIReceiver.h"

bool MIDIReceiver::isNoteMessage(const IMidiMsg& msg) {
  const IMidiMsg::EStatusMsg status = msg.StatusMsg();
  if (status != IMidiMsg::kNoteOn && status != IMidiMsg::kNoteOff) return false;
  // The data bytes are the sender's: a note past 127 would index beyond the key table.
  return msg.NoteNumber() >= 0 && msg.NoteNumber() < kNumKeys;
}

void MIDIReceiver::onMessageReceived(const IMidiMsg* msg) {
  if (msg && isNoteMessage(*msg)) mMidiQueue.Add(msg);
}

void MIDIReceiver::advance() {
  while (!mMidiQueue.Empty()) {
    const IMidiMsg* msg = mMidiQueue.Peek();
    if (msg->mOffset > mOffset) break;
    const int note = msg->NoteNumber();
    const int velocity = msg->Velocity();
    if (msg->StatusMsg() == IMidiMsg::kNoteOn && velocity > 0) {
      if (!mKeyStatus[note]) {
        mKeyStatus[note] = true;
        ++mNumKeys;
        noteOn.emit(note, velocity, msg->mOffset);
      }
    } else if (mKeyStatus[note]) {
      mKeyStatus[note] = false;
      --mNumKeys;
      noteOff.emit(note, velocity);
    }
    mMidiQueue.Remove();
  }
  ++mOffset;
}

void MIDIReceiver::flush(int frames) {
  mMidiQueue.Flush(frames);
  mOffset = 0;
}
