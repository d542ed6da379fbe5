#include "engine/VoiceManager.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "engine/MasterSynth.h"

using Quillvane::Note;

void VoiceManager::setMasterSynth(Quillvane::MasterSynth* master) {
  mMaster = master;
  forEachNote([master](Note& n) { n.setMasterSynth(master); });
}

void VoiceManager::setSampleRate(double rate) {
  forEachNote([rate](Note& n) { n.setSampleRate(rate); });
}

void VoiceManager::setBlockSize(int size) {
  forEachNote([size](Note& n) { n.setBlockSize(size); });
  if (size <= mEndedNotesLength) return;
  mEndedNotesLength = size;
  for (auto& buffer : mEndedNotes) buffer.reset(new double[static_cast<std::size_t>(size)]());
  mEndedNotesHeld = false;
}

Note* VoiceManager::findFreeNote() {
  for (Note& note : mNotes) {
    if (!note.isPlaying()) return &note;
  }
  return nullptr;
}

void VoiceManager::onNoteOn(int note, int velocity, int frameOffset) {
  renderPendingFrames();
  Note* voice = findFreeNote();
  if (!voice) return;
  if (voice->hasFramesToProcess()) finishEndedNote(*voice);
  voice->setNote(note);
  voice->keyOn(velocity);
  voice->setOffset(frameOffset);
  if (mMaster) {
    std::string name;
    Note::getNoteString(note, name);
    mMaster->onNoteOn(voice->getNoteFrequency(), name);
  }
}

void VoiceManager::onNoteOff(int note, int) {
  renderPendingFrames();
  for (Note& voice : mNotes) {
    if (voice.isPlaying() && voice.getNote() == note) voice.keyOff();
  }
}

void VoiceManager::endAllVoices() {
  renderPendingFrames();
  for (Note& voice : mNotes) voice.stop();
}

void VoiceManager::settle() {
  forEachNote([](Note& n) { n.settle(); });
}

bool VoiceManager::holdsSound() const {
  return std::any_of(std::begin(mNotes), std::end(mNotes), [](const Note& n) { return n.holdsSound(); });
}

double VoiceManager::nextSample() {
  ++mPendingFrames;
  return 0.0;
}

void VoiceManager::renderPendingFrames() {
  if (mPendingFrames == 0) return;
  bool noise = false;
  for (const Note& voice : mNotes) {
    if (voice.isPlaying() && voice.drawsNoise()) noise = true;
  }
  if (noise) {
    // The noise generator is shared: keep its draws in frame order.
    for (int i = 0; i < mPendingFrames; ++i) {
      for (Note& voice : mNotes) {
        if (voice.isPlaying()) voice.synthesize();
      }
    }
  } else {
    for (Note& voice : mNotes) {
      if (voice.isPlaying()) voice.synthesize(mPendingFrames);
    }
  }
  mPendingFrames = 0;
}

void VoiceManager::finishEndedNote(Note& voice) {
  double* outputs[2] = {mEndedNotes[0].get(), mEndedNotes[1].get()};
  voice.process(outputs, mEndedNotes[2].get(), mEndedNotesLength);
  mEndedNotesHeld = true;
}

void VoiceManager::process(double** outputs, double* bassOutput, int frames) {
  renderPendingFrames();
  for (Note& voice : mNotes) voice.process(outputs, bassOutput, frames);
  if (!mEndedNotesHeld) return;
  double* targets[3] = {outputs[0], outputs[1], bassOutput};
  const int n = std::min(frames, mEndedNotesLength);
  for (int c = 0; c < 3; ++c) {
    for (int i = 0; i < n; ++i) targets[c][i] += mEndedNotes[c][i];
    std::fill_n(mEndedNotes[c].get(), mEndedNotesLength, 0.0);
  }
  mEndedNotesHeld = false;
}

void VoiceManager::setModFrequency1(double f) {
  forEachNote([f](Note& n) { n.setModFrequency1(f); });
}
void VoiceManager::setModFrequency2(double f) {
  forEachNote([f](Note& n) { n.setModFrequency2(f); });
}
void VoiceManager::setModFrequency3(double f) {
  forEachNote([f](Note& n) { n.setModFrequency3(f); });
}

void VoiceManager::setAttack(double v) {
  forEachNote([v](Note& n) { n.getVolumeEnvelope().setAttack(v); });
}
void VoiceManager::setDecay(double v) {
  forEachNote([v](Note& n) { n.getVolumeEnvelope().setDecay(v); });
}
void VoiceManager::setSustain(double v) {
  forEachNote([v](Note& n) { n.getVolumeEnvelope().setSustain(v); });
}
void VoiceManager::setRelease(double v) {
  forEachNote([v](Note& n) { n.getVolumeEnvelope().setRelease(v); });
}
void VoiceManager::setDuration(double v) {
  forEachNote([v](Note& n) { n.getVolumeEnvelope().setDuration(v); });
}

void VoiceManager::setFilterAttack(double v) {
  forEachNote([v](Note& n) { n.getFilterEnvelope().setAttack(v); });
}
void VoiceManager::setFilterDecay(double v) {
  forEachNote([v](Note& n) { n.getFilterEnvelope().setDecay(v); });
}
void VoiceManager::setFilterSustain(double v) {
  forEachNote([v](Note& n) { n.getFilterEnvelope().setSustain(v); });
}
void VoiceManager::setFilterRelease(double v) {
  forEachNote([v](Note& n) { n.getFilterEnvelope().setRelease(v); });
}
void VoiceManager::setFilterDuration(double v) {
  forEachNote([v](Note& n) { n.getFilterEnvelope().setDuration(v); });
}

void VoiceManager::setUnisonVoices(double x) {
  forEachNote([x](Note& n) { n.setUnisonVoices(x); });
}
void VoiceManager::setUnisonDetune(double d) {
  forEachNote([d](Note& n) { n.setUnisonDetune(d); });
}
void VoiceManager::setFmAmount(int index, double amount) {
  forEachNote([index, amount](Note& n) { n.setFmAmount(index, amount); });
}
void VoiceManager::updateCarrierFreq() {
  forEachNote([](Note& n) { n.updateCarrierFreq(); });
}
