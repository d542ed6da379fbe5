// Per-frame synthesis of a Note: oscillator reads, bass layer, click and
// the phase update with pitch envelope, tune LFOs, FM and unison detune.
#include <cmath>

#include "engine/Note.h"
#include "engine/NoteSlots.h"
#include "engine/PitchEnvelope.h"
#include "engine/WaveformProvider.h"

namespace Quillvane {

void Note::synthesize() {
  if (mBypass) return;
  if (!isPlaying() || !mMaster || !mProvider || !mProgram || mBufferLength <= 0) return;
  const int position = mBlockIndex + mFrameOffset;
  // A note started before the block loop (a preview) runs from frame 0 with
  // its offset added, so its last frames fall past the buffers: those are
  // never read and are not stored.
  if (position < mBufferLength) {
    for (int k = 0; k < kNumOscillators; ++k) synthesizeOsc(k, position);
    synthesizeBassLayer(position);
  }
  updateSample();
  const double t = mSampleCounter / mSampleRate;
  updatePhase(mPitchEnvelope->getPitch(t) * ConstantsD::k12th_rt2);
}

void Note::synthesizeOsc(int k, int position) {
  const int base = NoteSlots::oscillatorBase(k);
  if (!(slot(base + NoteSlots::kVolume) > 0.0 && slot(base + NoteSlots::kOnOff) > 0.5)) return;
  const double selector = slot(base + NoteSlots::kWaveform);
  const bool invert = slot(base + NoteSlots::kInvertWaveform) != 0.0;
  const int voices = mUnisonVoices;
  double sum = 0.0;
  for (int u = 0; u < voices; ++u) {
    double s = mProvider->getWaveformSample(selector, mPhases[2 * k + u]);
    if (invert && s != 0.0) s = s > 0.0 ? 1.0 - s : -1.0 - s;
    sum += s;
  }
  mOscBuffers[k][position] = sum / voices;
}

void Note::synthesizeBassLayer(int position) {
  const double click = slot(NoteSlots::kBassLayerClick);
  if (!(slot(NoteSlots::kBassLayerAmount) > 0.0 || click > 0.0)) {
    // Zeros rather than leftovers: the buffers wrap every block, so anything
    // left unwritten would be replayed by process().
    mBassBuffer[position] = 0.0;
    mClickBuffer[position] = 0.0;
    return;
  }
  mBassBuffer[position] = mProvider->getWaveformSample(0.0, mBassPhase);
  const int64_t c = mSampleCounter;
  if (click > 0.0 && mClickStart < c && c < int64_t{mClickStart} + mClickLength) {
    const double e = std::pow(1.0 - static_cast<double>(c - mClickStart) / mClickLength, 20.0);
    mClickBuffer[position] = click * std::sin(mClickPhase) * 0.5 * e;
    mClickPhase += std::pow(e, 20.0);
  } else {
    mClickBuffer[position] = 0.0;
  }
}

void Note::updateSample() {
  ++mSampleCounter;
  if (++mBlockIndex >= mBufferLength) mBlockIndex = 0;
}

namespace {

double fadeIn(double t, double length) {
  if (length > 0.0 && t < length) {
    const double x = t / length;
    return x * x;
  }
  return 1.0;
}

}  // namespace

void Note::updatePhase(double pitch) {
  if (!mMaster || !mProgram) return;
  const double t = mSampleCounter / mSampleRate;
  const double carrier = mNoteFrequency * sGlobalTranspose;
  constexpr double delta = ConstantsD::kFineTuneDelta;

  double lfoFactor[kNumOscillators];
  for (int k = 0; k < kNumOscillators; ++k) {
    const double depth = slot(NoteSlots::oscillatorBase(k) + NoteSlots::kFreqModAmount);
    const double m = depth == 0.0 ? 0.0 : mLfos[2 * k + 1].getValue() * depth;
    lfoFactor[k] = m >= 0.0 ? 1.0 + m * delta : 1.0 / (1.0 - m * delta);
  }

  const double g = fadeIn(t, sFmFadeIn);
  double fm = 1.0;
  for (int j : {2, 3, 4, 1, 0}) {
    const FmModulator& op = mFmOperators[j];
    const double amount = op.getAmount();
    // A silent operator adds exactly zero; skip its sine.
    if (amount == 0.0) continue;
    fm += op.getValue() * delta * 12.0 * g;
  }

  const double frequency[kNumOscillators] = {sPitchFactor1 * carrier * sFineTune1,
                                             sPitchFactor2 * carrier * sFineTune2,
                                             sPitchFactor3 * carrier * sFineTune3};
  const double h = fadeIn(t, sUnisonFadeIn);
  for (int k = 0; k < kNumOscillators; ++k) {
    mPhases[2 * k] += lfoFactor[k] * frequency[k] * fm / mSampleRate * pitch;
  }
  const double d = 1.0 / (1.0 + mDetuneFactor * delta * h);
  for (int k = 0; k < kNumOscillators; ++k) mPhases[2 * k + 1] = mPhases[2 * k] * d;
  mBassPhase += carrier / mSampleRate * pitch;

  for (int k = 0; k < kNumOscillators; ++k) mLfos[2 * k + 1].advance();
  for (FmModulator& op : mFmOperators) op.advance();
}

}  // namespace Quillvane
