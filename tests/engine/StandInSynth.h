#pragma once

#include <string>
#include <vector>

#include "engine/MIDIReceiver.h"
#include "engine/MasterSynth.h"
#include "engine/PitchEnvelope.h"
#include "engine/VoiceManager.h"
#include "engine/WaveformProvider.h"
#include "program/QVSynthProgram.h"

namespace testsupport {

// The parts of the instrument that the voices see: live record, waveform
// provider, pitch envelope, note display, the dispatch of the voice
// parameters and the block loop (clear, per frame advance and nextSample,
// process, flush). Heavy: keep it on the heap.
class StandInSynth : public Quillvane::MasterSynth {
 public:
  explicit StandInSynth(double sampleRate = 44100.0, int blockSize = 512);

  Quillvane::QVSynthProgram* getSynthProgram() override { return &mSynthProgram; }
  Quillvane::WaveformProvider* getWaveformProvider() override { return &mWaveformProvider; }
  Quillvane::PitchEnvelope* getPitchEnvelope() override { return &mPitchEnvelope; }
  void onNoteOn(double frequency, std::string name) override;

  // Record slot plus the unit setter or tuning static, as the instrument does
  // for parameters 0 to 71.
  void setParameter(Quillvane::Synth::eVstParameters p, double value);

  void queueNoteOn(int note, int velocity, int offset);
  void queueNoteOff(int note, int offset);

  // One block of at most the block size into the stand-in's own buffers.
  void renderBlock(int frames);
  // total frames in blocks that cycle through blockSizes, appended to
  // left, right and bass.
  void render(int total, const std::vector<int>& blockSizes);

  double getSampleRate() const { return mSampleRate; }
  int getBlockSize() const { return mBlockSize; }

  MIDIReceiver mMidiReceiver;
  VoiceManager mVoiceManager;
  Quillvane::QVSynthProgram mSynthProgram;
  Quillvane::WaveformProvider mWaveformProvider;
  Quillvane::PitchEnvelope mPitchEnvelope;

  std::vector<double> left, right, bass;
  std::vector<std::pair<double, std::string>> notesShown;

 private:
  double mSampleRate;
  int mBlockSize;
  std::vector<double> mVoiceBuffers[2];
  std::vector<double> mBassBuffer;
};

}  // namespace testsupport
