#include "engine/Note.h"

#include <cmath>
#include <cstdio>

#include "engine/MasterSynth.h"
#include "engine/NoteSlots.h"
#include "engine/PitchEnvelope.h"
#include "engine/WaveformProvider.h"
#include "program/NormalisedSelector.h"

namespace Quillvane {

std::atomic<double> Note::sGlobalTranspose{1.0};
std::atomic<double> Note::sPitchFactor1{1.0};
std::atomic<double> Note::sPitchFactor2{1.0};
std::atomic<double> Note::sPitchFactor3{1.0};
std::atomic<double> Note::sFineTune1{1.0};
std::atomic<double> Note::sFineTune2{1.0};
std::atomic<double> Note::sFineTune3{1.0};
std::atomic<double> Note::sUnisonFadeIn{0.0};
std::atomic<double> Note::sFmFadeIn{0.0};

namespace {

constexpr double kFmMultipliers[Note::kNumFmOperators] = {0.25, 0.5, 1.0, 2.0, 4.0};

}  // namespace

Note::Note() : mVolumeEnvelope("Volume Envelope"), mFilterEnvelope("Filter Envelope") { init(); }

Note::~Note() { freeBuffers(); }

void Note::init() {
  setSmootherPoles();
  mCarrierFrequency = 0.0;
  mMaster = nullptr;
  mProgram = nullptr;
  mProvider = nullptr;
  mPitchEnvelope = nullptr;
  computeTuneFactors();
  for (Modulator& lfo : mLfos) lfo.setMaxFrequency(ConstantsD::kMaxLFOFrequency);
  for (Modulator& lfo : mLfos) lfo.reset();
  mEnvelopeLevel = mVolumeEnvelope.getLevel();
  mVelocity = kMaxVelocity;
  mVolumeEnvelope.init();
  mFilterEnvelope.init();
  initSampleCounters();
  resetPhase();
}

void Note::setMasterSynth(MasterSynth* master) {
  mMaster = master;
  mProgram = master ? master->getSynthProgram() : nullptr;
  mProvider = master ? master->getWaveformProvider() : nullptr;
  mPitchEnvelope = master ? master->getPitchEnvelope() : nullptr;
}

void Note::setSampleRate(double rate) {
  AudioProcessingUnit::setSampleRate(rate);
  mVolumeEnvelope.setSampleRate(rate);
  mFilterEnvelope.setSampleRate(rate);
  for (Modulator& lfo : mLfos) lfo.setSampleRate(rate);
  for (FmModulator& op : mFmOperators) op.setSampleRate(rate);
  mReferenceRatio = referenceRatio(rate);
  setSmootherPoles();
  for (OscillatorFilter& filter : mFilters) filter.highPass.setSampleRate(rate);
  clearFilters();
}

void Note::setSmootherPoles() {
  for (int k = 0; k < kNumOscillators; ++k) {
    for (OnePoleSmoother* s : {&mVolumeSmoothers[k], &mPanSmoothers[k], &mSaturationSmoothers[k]}) {
      s->setPole(defaultSmoothPole(mSampleRate));
    }
  }
}

void Note::setBlockSize(int n) {
  if (mBufferLength >= n) return;
  mBufferLength = n;
  freeBuffers();
  allocateBuffers();
}

void Note::allocateBuffers() {
  const auto n = static_cast<std::size_t>(mBufferLength);
  for (auto& buffer : mOscBuffers) buffer.reset(new double[n]());
  mBassBuffer.reset(new double[n]());
  mClickBuffer.reset(new double[n]());
  mVolumeLevels.reset(new double[n]());
  mFilterLevels.reset(new double[n]());
}

void Note::freeBuffers() {
  for (auto& buffer : mOscBuffers) buffer.reset();
  mBassBuffer.reset();
  mClickBuffer.reset();
  mVolumeLevels.reset();
  mFilterLevels.reset();
}

void Note::resetBuffers() {
  if (mBufferLength <= 0) return;
  const auto n = static_cast<std::size_t>(mBufferLength);
  for (auto& buffer : mOscBuffers) std::fill_n(buffer.get(), n, 0.0);
  std::fill_n(mBassBuffer.get(), n, 0.0);
  std::fill_n(mClickBuffer.get(), n, 0.0);
}

void Note::initSampleCounters() {
  mFrameOffset = 0;
  mSampleCounter = 0;
  mBlockIndex = 0;
  mBlockFrames = 0;
}

void Note::resetPhase() {
  for (double& phase : mPhases) phase = 0.0;
  mBassPhase = 0.0;
}

void Note::OscillatorFilter::clear() {
  feedback = 0.0;
  feedbackCutoff = feedbackResonance = std::numeric_limits<double>::quiet_NaN();
  for (double& s : stages) s = 0.0;
  highPass.clear();
}

void Note::clearFilters() {
  for (OscillatorFilter& filter : mFilters) filter.clear();
}

bool Note::holdsSound() const {
  if (mVolumeEnvelope.isPlaying()) return true;
  return isPlaying() && mProgram && slot(NoteSlots::kBassLayerClick) > 0.0 &&
         clickPosition(mSampleCounter) < kClickLengthFrames;
}

void Note::setNote(int note) {
  if (isPlaying()) return;
  mNoteNumber = note;
  if (mProgram && slot(NoteSlots::kKickTransposeMode) != 0.0) {
    mNoteFrequency = kKickBaseFrequency;
  } else {
    mNoteFrequency = std::pow(2.0, (note - 69) / 12.0) * 440.0 * 2.0;
  }
  updateCarrierFreq();
}

void Note::updateCarrierFreq() {
  mCarrierFrequency = mNoteFrequency * sGlobalTranspose.load(std::memory_order_relaxed);
  for (int j = 0; j < kNumFmOperators; ++j) {
    mFmOperators[j].setFrequencyHz(mCarrierFrequency * kFmMultipliers[j]);
  }
}

void Note::settle() {
  AudioProcessingUnit::settle();
  for (bool& pending : mSettlePending) pending = true;
  mVolumeEnvelope.settle();
  mFilterEnvelope.settle();
}

void Note::keyOn(int velocity) {
  mVolumeEnvelope.KeyOn();
  mFilterEnvelope.KeyOn();
  initSampleCounters();
  resetPhase();
  resetBuffers();
  for (Modulator& lfo : mLfos) lfo.reset();
  clearFilters();
  mVelocity = static_cast<double>(velocity);
  mVelocityGain = mVelocity / kMaxVelocity;
}

void Note::keyOff() {
  mVolumeEnvelope.KeyOff();
  mFilterEnvelope.KeyOff();
}

void Note::stop() {
  mVolumeEnvelope.init();
  mFilterEnvelope.init();
  mEnvelopeLevel = mVolumeEnvelope.getLevel();
}

void Note::setOffset(int frame) {
  if (frame >= mBufferLength) frame = mBufferLength - 1;
  if (frame < 0) frame = 0;
  mFrameOffset = frame;
}

void Note::setUnisonVoices(double x) { mUnisonVoices = static_cast<uint16_t>(unisonVoiceCount(x)); }

void Note::setUnisonDetune(double d) {
  mUnisonDetune = d;
  computeTuneFactors();
}

void Note::setModFrequency1(double f) {
  mLfos[0].setFrequency(f);
  mLfos[1].setFrequency(f);
}

void Note::setModFrequency2(double f) {
  mLfos[2].setFrequency(f);
  mLfos[3].setFrequency(f);
}

void Note::setModFrequency3(double f) {
  mLfos[4].setFrequency(f);
  mLfos[5].setFrequency(f);
}

void Note::setFmAmount(int index, double amount) {
  if (index < 1 || index > kNumFmOperators) return;
  mFmOperators[index - 1].setAmount(amount);
}

bool Note::getNoteString(int note, std::string& name) {
  static const char* const kNames[12] = {"C%d",  "C#%d", "D%d",  "D#%d", "E%d",  "F%d",
                                         "F#%d", "G%d",  "G#%d", "A%d",  "A#%d", "B%d"};
  if (note < 0 || note > 127) return false;
  char text[8];
  std::snprintf(text, sizeof(text), kNames[note % 12], note / 12);
  name = text;
  return true;
}

}  // namespace Quillvane
