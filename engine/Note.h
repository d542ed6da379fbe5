#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "engine/ADSR.h"
#include "engine/AudioProcessingUnit.h"
#include "engine/BiquadTweakedButterworthHP.h"
#include "engine/Constants.h"
#include "engine/FmModulator.h"
#include "engine/Modulator.h"
#include "engine/OnePoleSmoother.h"
#include "program/NormalisedSelector.h"
#include "program/QVSynthProgram.h"

namespace Quillvane {

class MasterSynth;
class PitchEnvelope;
class WaveformProvider;

// One voice: three wavetable oscillators with two-voice unison, a sine bass
// layer and a click, rendered frame by frame into block buffers by
// synthesize(), which also steps the envelopes, then filtered, panned and
// enveloped once per block by process().
class Note : public AudioProcessingUnit {
 public:
  static constexpr double kMaxVelocity = 127.0;
  static constexpr double kDefUnisonDetune = 0.125;
  static constexpr double kDefUnisonFadeIn = 0.2;
  static constexpr double kDefFmFadeIn = 0.2;
  static constexpr double kClickDuration = 0.2;
  static constexpr double kClickOffsetDuration = 0.001;
  static constexpr double kKickBaseFrequency = 44.0;
  static constexpr double kSafeFilterFactor = 0.99777;
  // The click counts its time in frames at 44.1 kHz, the rate its phase
  // steps were made for: its window opens this many of them after the
  // note's first frame and lasts this many.
  static constexpr int kClickStartFrames = static_cast<int>(kClickOffsetDuration * ConstantsD::kDefaultSampleRate);
  static constexpr int kClickLengthFrames = static_cast<int>(kClickDuration * ConstantsD::kDefaultSampleRate);
  static constexpr int kNumOscillators = 3;
  static constexpr int kNumFmOperators = 5;
  // Of the five at 0.25 to 4 times the carrier, the one at 1.0.
  static constexpr int kCarrierFmOperator = 3;

  // Tuning shared by every voice of every instrument in the process; only
  // the instruments' render threads write them, each instance on its own.
  static std::atomic<double> sGlobalTranspose;
  static std::atomic<double> sPitchFactor1, sPitchFactor2, sPitchFactor3;
  static std::atomic<double> sFineTune1, sFineTune2, sFineTune3;
  static std::atomic<double> sUnisonFadeIn, sFmFadeIn;

  // Fine-tune factor of a normalised setting: one semitone down at 0, none
  // at 0.5, one up at 1; a straight line above the middle and its
  // reciprocal below.
  static double fineTuneLaw(double v) {
    constexpr double d = ConstantsD::kFineTuneDelta;
    return v < 0.5 ? 1.0 / ((1.0 - 2.0 * v) * d + 1.0) : 2.0 * (v - 0.5) * d + 1.0;
  }
  // Pitch and global transpose factor: an octave down at 0, none at 0.5,
  // one up at 1, linear in each half.
  static double octaveLaw(double v) { return v < 0.5 ? v + 0.5 : 2.0 * v; }

  Note();
  ~Note() override;
  Note(const Note&) = delete;
  Note& operator=(const Note&) = delete;

  void init();
  void setMasterSynth(MasterSynth* master);
  void setSampleRate(double rate) override;
  // Buffers only grow; allocation happens here and nowhere else.
  void setBlockSize(int n);

  // The smoothers of the oscillators and the envelopes settle on the
  // settings, each where it next runs: for settings chosen while the voice
  // is silent.
  void settle() override;
  void setNote(int note);
  void keyOn(int velocity);
  void keyOff();
  // Ends the note at once, from the frame the next synthesize() would sound;
  // the voice's next note starts from silence.
  void stop();
  // Clamped into the block buffers so a stray offset can never write past them.
  void setOffset(int frame);
  int getOffset() const { return mFrameOffset; }
  int getNote() const { return mNoteNumber; }
  double getNoteFrequency() const { return mNoteFrequency; }
  double getCarrierFrequency() const { return mCarrierFrequency; }
  bool isPlaying() const { return mVolumeEnvelope.isPlaying() || mFilterEnvelope.isPlaying(); }
  // Whether the note may still give anything but silence, as it is set now:
  // while its volume envelope runs, and until its click's window has
  // closed. Once both are over it plays on silent for as long as its filter
  // envelope runs.
  bool holdsSound() const;
  eADSR getState() const { return mVolumeEnvelope.getState(); }
  double getVolume() const { return mEnvelopeLevel; }
  void updateCarrierFreq();

  void setUnisonVoices(double x);
  unsigned getUnisonVoices() const { return mUnisonVoices; }
  // The count a unison setting gives: each oscillator keeps two phases, so
  // never outside 1..2, whatever comes in.
  static unsigned unisonVoiceCount(double x) { return static_cast<unsigned>(clampedSelectorIndex(x, 1) + 1); }
  void setUnisonDetune(double d);
  double getUnisonDetune() const { return mUnisonDetune; }
  void setModFrequency1(double f);
  void setModFrequency2(double f);
  void setModFrequency3(double f);
  void setFmAmount(int index, double amount);

  ADSR& getVolumeEnvelope() { return mVolumeEnvelope; }
  ADSR& getFilterEnvelope() { return mFilterEnvelope; }
  const ADSR& getVolumeEnvelope() const { return mVolumeEnvelope; }
  const ADSR& getFilterEnvelope() const { return mFilterEnvelope; }

  // One frame, envelopes included: a note sounds from the frame of its
  // key-on, a key-off between two frames releases it from the later one, and
  // nothing of the note runs on past the frame whose envelope step ends it.
  void synthesize();
  // The same as that many calls of synthesize(), with no setting changing
  // in between.
  void synthesize(int frames);
  // Whether a sounding oscillator reads the provider's shared noise generator.
  bool drawsNoise() const;
  // Adds the frames synthesized since the last call, at their places in a
  // block of frames, and starts the next block.
  void process(double** outputs, double* bassOutput, int frames);
  // Frames synthesized that process() has not taken yet; a voice that ended
  // inside the block still holds them.
  bool hasFramesToProcess() const { return mBlockFrames > 0; }
  // One oscillator's drive, ring, filters and volume for one sample;
  // oscillator is 1, 2 or 3, anything else gives 0.0.
  double process(double input, double saturation, double lfo, double ringAmount,
                 double filterModAmount, double cutoff, double resonance, double filterType,
                 double filterEnvelope, bool invertFilterEnvelope, double volume, int oscillator);

  static bool getNoteString(int note, std::string& name);

 protected:
  // Frames synthesized since key-on; the voices' tests start a note near the
  // end of the count.
  uint32_t mSampleCounter = 0;

 private:
  struct OscillatorFilter {
    // Ladder resonance feedback and the cutoff and resonance it was made from.
    double feedback = 0.0;
    double feedbackCutoff = std::numeric_limits<double>::quiet_NaN();
    double feedbackResonance = std::numeric_limits<double>::quiet_NaN();
    double stages[4] = {0.0, 0.0, 0.0, 0.0};
    BiquadTweakedButterworthHP<double> highPass;
    void clear();
  };
  // Frames per piece of a run or a block: the working arrays of
  // synthesize() and process() live on the stack.
  static constexpr int kChunkFrames = 128;

  void computeTuneFactors() { mDetuneFactor = mUnisonDetune; }
  // The common pole at the voice's rate; the states stay.
  void setSmootherPoles();
  void initSampleCounters();
  void resetPhase();
  void clearFilters();
  void allocateBuffers();
  void freeBuffers();
  void resetBuffers();

  // What synthesize() needs of one oscillator over a run of frames.
  struct OscillatorRun {
    double* buffer;  // null while the oscillator is silent
    double selector;
    bool invert;
    double frequency;
    double tuneDepth;
  };
  // The settings of a run of frames, read once.
  struct SynthesisSettings {
    OscillatorRun osc[kNumOscillators];
    // A sounding oscillator reads the provider's shared noise generator.
    bool noise;
    bool bassLayer;
    double click;
    double carrier;
    // FM operators whose terms are not exactly zero, in summing order.
    int fmOperators[kNumFmOperators];
    int fmCount;
  };
  // Where each frame of a piece of the run is written (-1: nowhere), its
  // sample counter and the phases it reads.
  struct ChunkPhases {
    int positions[kChunkFrames];
    uint32_t counters[kChunkFrames];
    double phases[2 * kNumOscillators][kChunkFrames];
    double bassPhases[kChunkFrames];
  };
  void synthesizeChunk(const SynthesisSettings& run, int frames);
  int stepEnvelopes(int frames, int* positions);
  void walkPhases(const SynthesisSettings& run, int frames, ChunkPhases& walk);
  void synthesizeClicks(const ChunkPhases& walk, int frames, double amount);
  // Where the frame after `counter` frames of the note falls in the click,
  // in 44.1 kHz frames since its window opened.
  double clickPosition(uint32_t counter) const { return counter * mReferenceRatio - kClickStartFrames; }

  // An oscillator's record slots, as process() reads them.
  struct OscillatorSettings {
    bool on;
    double volume, saturation, pan, filterType, cutoff, resonance, ringAmount, filterModAmount;
    bool invertFilterEnvelope;
  };
  // The input level past which the drive clamps, for the saturation that
  // last held still for two frames running.
  struct DriveClip {
    double saturation = std::numeric_limits<double>::quiet_NaN();
    double limit = std::numeric_limits<double>::infinity();
    bool settled = false;
    double limitFor(double s) { return s == saturation && settled ? limit : update(s); }
    double update(double s);
  };
  void processChunk(double* left, double* right, double* bassOutput, int start, int frames);
  OscillatorSettings oscillatorSettings(int oscillator) const;
  void driveOscillator(int oscillator, const OscillatorSettings& settings,
                       const double* filterLevels, double* cutoffs, int start, int frames);
  double drive(double x, double angle, double saturation, double clipLimit, double lfo, double ringAmount,
               double filterModAmount, double cutoff, double filterEnvelope,
               bool invertFilterEnvelope, double& filterCutoff);
  double filter(OscillatorFilter& block, double input, double cutoff, double ladderCoefficient,
                double resonance, double filterType, double volume);
  // The ladder stages' coefficient for each cutoff: the cutoff itself at
  // 44.1 kHz, limited to [0.01, 0.99]; at other rates the one whose stages
  // decay as fast in time, never above 0.99.
  void ladderCoefficients(const double* cutoffs, double* coefficients, int n) const;
  double slot(int index) const { return mProgram->slot(index); }

  uint16_t mUnisonVoices = 1;
  double mUnisonDetune = 0.0;
  double mDetuneFactor = 0.0;
  double mPhases[2 * kNumOscillators] = {};
  double mBassPhase = 0.0;
  ADSR mVolumeEnvelope;
  ADSR mFilterEnvelope;
  int32_t mNoteNumber = -1;
  int32_t mFrameOffset = 0;
  int32_t mBlockIndex = 0;
  // Frames synthesized since the last process(), from the frame offset on.
  int32_t mBlockFrames = 0;
  double mEnvelopeLevel = 0.0;
  double mVelocity = kMaxVelocity;
  double mVelocityGain = 1.0;
  double mCarrierFrequency = 0.0;
  double mNoteFrequency = 0.0;
  // A frame's share of a frame at 44.1 kHz, which the click's phase steps
  // and the oscillator filters' frequencies were made for.
  double mReferenceRatio = 1.0;
  int32_t mBufferLength = 0;
  std::unique_ptr<double[]> mOscBuffers[kNumOscillators];
  std::unique_ptr<double[]> mBassBuffer;
  std::unique_ptr<double[]> mClickBuffer;
  // The volume and filter envelope levels each frame sounds at.
  std::unique_ptr<double[]> mVolumeLevels;
  std::unique_ptr<double[]> mFilterLevels;
  OscillatorFilter mFilters[kNumOscillators];
  // Per oscillator: ring/filter LFO at 2k, tune LFO at 2k + 1.
  Modulator mLfos[2 * kNumOscillators];
  // At 0.25, 0.5, 1, 2 and 4 times the carrier.
  FmModulator mFmOperators[kNumFmOperators];
  MasterSynth* mMaster = nullptr;
  QVSynthProgram* mProgram = nullptr;
  WaveformProvider* mProvider = nullptr;
  PitchEnvelope* mPitchEnvelope = nullptr;
  OnePoleSmoother mVolumeSmoothers[kNumOscillators];
  OnePoleSmoother mPanSmoothers[kNumOscillators];
  OnePoleSmoother mSaturationSmoothers[kNumOscillators];
  // Pending from the start too: an oscillator's smoothers begin at its
  // settings the first time it sounds, not at 0, from which its first note
  // would fade in from the left.
  bool mSettlePending[kNumOscillators] = {true, true, true};
  DriveClip mDriveClips[kNumOscillators];
};

}  // namespace Quillvane
