#pragma once

#include <memory>

#include "engine/Note.h"

namespace Quillvane {
class MasterSynth;
}

// The instrument's polyphony: 64 voices that are never stolen. A note that
// arrives while all of them play is dropped. Everything here but the
// set-up (master, block size) runs on the render thread: the setters render
// owed frames, so the instrument hands changes from other threads over to it.
class VoiceManager {
 public:
  static constexpr int kNumVoices = 64;

  VoiceManager() = default;
  VoiceManager(const VoiceManager&) = delete;
  VoiceManager& operator=(const VoiceManager&) = delete;

  void setMasterSynth(Quillvane::MasterSynth* master);
  void setSampleRate(double rate);
  void setBlockSize(int n);

  Quillvane::Note* findFreeNote();
  void onNoteOn(int note, int velocity, int frameOffset);
  void onNoteOff(int note, int velocity);
  // Ends every voice at once, without its release: the voices have no
  // shorter fade.
  void endAllVoices();
  // Every voice's smoothers settle on the settings: for settings chosen
  // while no voice sounds.
  void settle();
  // Whether any voice may still give anything but silence.
  bool holdsSound() const;

  // Per frame: every playing voice renders its raw samples. Always 0.0.
  // The frames are owed and rendered voice by voice in runs at the next
  // note event, voice setting or block: the same samples as one by one, as
  // long as the record and the tuning statics do not change on the render
  // thread between two frames of a block (the block loop never does that).
  double nextSample();
  // Per block: every voice that sounded in it adds its finished frames into
  // the arrays.
  void process(double** outputs, double* bassOutput, int frames);

  int getUnisonVoices() const { return static_cast<int>(mNotes[0].getUnisonVoices()); }
  const Quillvane::Note& getNote(int index) const { return mNotes[index]; }

  void setModFrequency1(double f);
  void setModFrequency2(double f);
  void setModFrequency3(double f);
  void setAttack(double v);
  void setDecay(double v);
  void setSustain(double v);
  void setRelease(double v);
  void setDuration(double v);
  void setFilterAttack(double v);
  void setFilterDecay(double v);
  void setFilterSustain(double v);
  void setFilterRelease(double v);
  void setFilterDuration(double v);
  void setUnisonVoices(double x);
  void setUnisonDetune(double d);
  void setFmAmount(int index, double amount);
  void updateCarrierFreq();

 private:
  // Every setting passes here, so the frames owed so far are rendered with
  // the settings they were due under.
  template <class F>
  void forEachNote(F f) {
    renderPendingFrames();
    for (Quillvane::Note& note : mNotes) f(note);
  }
  void renderPendingFrames();
  // A voice is free from the frame after its note ended, but that note's
  // frames of this block are finished here before the voice starts again.
  void finishEndedNote(Quillvane::Note& voice);

  Quillvane::Note mNotes[kNumVoices];
  Quillvane::MasterSynth* mMaster = nullptr;
  int mPendingFrames = 0;
  // Left, right and bass of the notes finished that way, added to the
  // block's at its end.
  std::unique_ptr<double[]> mEndedNotes[3];
  int mEndedNotesLength = 0;
  bool mEndedNotesHeld = false;
};
