// Per-frame synthesis of a Note: oscillator reads, bass layer, click and
// the phase update with pitch envelope, tune LFOs, FM and unison detune.
#include <cmath>

#include "engine/Note.h"
#include "engine/NoteSlots.h"
#include "engine/PitchEnvelope.h"
#include "engine/WaveformProvider.h"

namespace Quillvane {

namespace {

double fadeIn(double t, double length) {
  if (length > 0.0 && t < length) {
    const double x = t / length;
    return x * x;
  }
  return 1.0;
}

// The FM terms are summed in this order: 1x, 2x, 4x, 0.5x, 0.25x.
constexpr int kFmSumOrder[Note::kNumFmOperators] = {2, 3, 4, 1, 0};

}  // namespace

void Note::synthesize() { synthesize(1); }

// Nothing that a frame reads is written by the frames before it except the
// voice's own counters and phases, so a run of frames keeps those in locals
// and reads the settings once.
void Note::synthesize(int frames) {
  if (mBypass || frames <= 0) return;
  if (!isPlaying() || !mMaster || !mProvider || !mProgram || mBufferLength <= 0) return;

  const double carrier = mNoteFrequency * sGlobalTranspose;
  const double pitchFactors[kNumOscillators] = {sPitchFactor1, sPitchFactor2, sPitchFactor3};
  const double fineTunes[kNumOscillators] = {sFineTune1, sFineTune2, sFineTune3};
  OscillatorRun osc[kNumOscillators];
  for (int k = 0; k < kNumOscillators; ++k) {
    const int base = NoteSlots::oscillatorBase(k);
    const bool sounding = slot(base + NoteSlots::kVolume) > 0.0 && slot(base + NoteSlots::kOnOff) > 0.5;
    // A silent oscillator's buffer keeps whatever it last held.
    osc[k].buffer = sounding ? mOscBuffers[k].get() : nullptr;
    osc[k].selector = slot(base + NoteSlots::kWaveform);
    osc[k].invert = slot(base + NoteSlots::kInvertWaveform) != 0.0;
    osc[k].frequency = pitchFactors[k] * carrier * fineTunes[k];
    osc[k].tuneDepth = slot(base + NoteSlots::kFreqModAmount);
  }
  const double bassAmount = slot(NoteSlots::kBassLayerAmount);
  const double click = slot(NoteSlots::kBassLayerClick);
  const bool bassLayer = bassAmount > 0.0 || click > 0.0;
  int fmOperators[kNumFmOperators];
  int fmCount = 0;
  for (int j : kFmSumOrder) {
    // A silent operator adds exactly zero; skip its sine.
    if (mFmOperators[j].getAmount() != 0.0) fmOperators[fmCount++] = j;
  }

  const int length = mBufferLength;
  const int offset = mFrameOffset;
  const double rate = mSampleRate;
  const double bassStep = carrier / rate;
  const int voices = mUnisonVoices;
  constexpr double delta = ConstantsD::kFineTuneDelta;
  const double unisonRatio = 1.0 / (1.0 + mDetuneFactor * delta);
  double* bass = mBassBuffer.get();
  WaveformProvider& provider = *mProvider;
  const PitchEnvelope& pitchEnvelope = *mPitchEnvelope;

  double phases[2 * kNumOscillators];
  for (int i = 0; i < 2 * kNumOscillators; ++i) phases[i] = mPhases[i];
  double bassPhase = mBassPhase;
  double tunePhases[kNumOscillators], tuneIncrements[kNumOscillators];
  for (int k = 0; k < kNumOscillators; ++k) {
    tunePhases[k] = mLfos[2 * k + 1].getPhase();
    tuneIncrements[k] = mLfos[2 * k + 1].getPhaseIncrement();
  }
  double fmPhases[kNumFmOperators], fmIncrements[kNumFmOperators];
  for (int j = 0; j < kNumFmOperators; ++j) {
    fmPhases[j] = mFmOperators[j].getPhase();
    fmIncrements[j] = mFmOperators[j].getPhaseIncrement();
  }
  uint32_t counter = mSampleCounter;
  int blockIndex = mBlockIndex;

  for (int n = 0; n < frames; ++n) {
    const int position = blockIndex + offset;
    // A note started before the block loop (a preview) runs from frame 0 with
    // its offset added, so its last frames fall past the buffers: those are
    // never read and are not stored.
    if (position < length) {
      for (int k = 0; k < kNumOscillators; ++k) {
        if (osc[k].buffer) {
          osc[k].buffer[position] = unisonSample(osc[k], &phases[2 * k], voices);
        }
      }
      if (bassLayer) {
        bass[position] = provider.getWaveformSample(0.0, bassPhase);
        synthesizeClick(position, counter, click);
      } else {
        // Zeros rather than leftovers: the buffers wrap every block, so
        // anything left unwritten would be replayed by process().
        bass[position] = 0.0;
        mClickBuffer[position] = 0.0;
      }
    }

    ++counter;
    if (++blockIndex >= length) blockIndex = 0;
    const double t = counter / rate;
    const double pitch = pitchEnvelope.getPitch(t) * ConstantsD::k12th_rt2;

    double lfoFactor[kNumOscillators];
    for (int k = 0; k < kNumOscillators; ++k) {
      const double depth = osc[k].tuneDepth;
      const double m = depth == 0.0 ? 0.0 : mLfos[2 * k + 1].valueAt(tunePhases[k]) * depth;
      lfoFactor[k] = m >= 0.0 ? 1.0 + m * delta : 1.0 / (1.0 - m * delta);
    }
    const double g = fadeIn(t, sFmFadeIn);
    double fm = 1.0;
    for (int i = 0; i < fmCount; ++i) {
      const int j = fmOperators[i];
      fm += mFmOperators[j].valueAt(fmPhases[j]) * delta * 12.0 * g;
    }
    for (int k = 0; k < kNumOscillators; ++k) {
      phases[2 * k] += lfoFactor[k] * osc[k].frequency * fm / rate * pitch;
    }
    const double h = fadeIn(t, sUnisonFadeIn);
    const double d = h == 1.0 ? unisonRatio : 1.0 / (1.0 + mDetuneFactor * delta * h);
    for (int k = 0; k < kNumOscillators; ++k) phases[2 * k + 1] = phases[2 * k] * d;
    bassPhase += bassStep * pitch;

    for (int k = 0; k < kNumOscillators; ++k) tunePhases[k] += tuneIncrements[k];
    for (int j = 0; j < kNumFmOperators; ++j) fmPhases[j] += fmIncrements[j];
  }

  for (int i = 0; i < 2 * kNumOscillators; ++i) mPhases[i] = phases[i];
  mBassPhase = bassPhase;
  for (int k = 0; k < kNumOscillators; ++k) mLfos[2 * k + 1].setPhase(tunePhases[k]);
  for (int j = 0; j < kNumFmOperators; ++j) mFmOperators[j].setPhase(fmPhases[j]);
  mSampleCounter = counter;
  mBlockIndex = blockIndex;
}

bool Note::drawsNoise() const {
  if (!mProgram) return false;
  for (int k = 0; k < kNumOscillators; ++k) {
    const int base = NoteSlots::oscillatorBase(k);
    if (slot(base + NoteSlots::kVolume) > 0.0 && slot(base + NoteSlots::kOnOff) > 0.5 &&
        WaveformProvider::getWaveformIndex(slot(base + NoteSlots::kWaveform)) == kWaveWhiteNoize) {
      return true;
    }
  }
  return false;
}

inline double Note::unisonSample(const OscillatorRun& osc, const double* phases, int voices) {
  double sum = 0.0;
  for (int u = 0; u < voices; ++u) {
    double s = mProvider->getWaveformSample(osc.selector, phases[u]);
    if (osc.invert && s != 0.0) s = s > 0.0 ? 1.0 - s : -1.0 - s;
    sum += s;
  }
  // Halving is exact and far cheaper than a division.
  return voices == 2 ? sum * 0.5 : sum / voices;
}

// counter: frames synthesized before this one.
void Note::synthesizeClick(int position, int64_t counter, double amount) {
  if (amount > 0.0 && mClickStart < counter && counter < int64_t{mClickStart} + mClickLength) {
    const double e = std::pow(1.0 - static_cast<double>(counter - mClickStart) / mClickLength, 20.0);
    mClickBuffer[position] = amount * std::sin(mClickPhase) * 0.5 * e;
    mClickPhase += std::pow(e, 20.0);
  } else {
    mClickBuffer[position] = 0.0;
  }
}

}  // namespace Quillvane
