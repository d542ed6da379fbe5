// Once-per-block stage of a Note: drive, ring, ladder low-pass and tracking
// high-pass per oscillator, then pan, envelope, velocity, click and bass.
#include <algorithm>
#include <cmath>

#include "engine/Note.h"
#include "engine/NoteSlots.h"

namespace Quillvane {

namespace {

// 1 / kSaturationFactor: any drive at all gives at least atan's own gain.
constexpr double kMinDrive = 0.1287001287001287;
constexpr double kQuarterPi = 0.7853981633974483;
// sqrt(2) as a float: the damping at zero resonance.
constexpr double kSqrt2f = 1.4142135381698608;

}  // namespace

double Note::process(double x, double s, double lfo, double r, double m, double fc, double q,
                     double T, double E, bool invert, double v, int oscillator) {
  if (oscillator < 1 || oscillator > kNumOscillators) return 0.0;
  double c;
  const double u = drive(x, s, lfo, r, m, fc, E, invert, c);
  return filter(mFilters[oscillator - 1], u, c, q, T, v);
}

// Drive and ring give the filters' input; the cutoff comes with it.
inline double Note::drive(double x, double s, double lfo, double r, double m, double fc, double E,
                          bool invert, double& cutoff) {
  double y = x;
  if (s > 0.0) {
    y = std::atan(x) / kQuarterPi * std::max(kMinDrive, s) * ConstantsD::kSaturationFactor;
    if (y > 1.0) y = 1.0;
    if (y < -1.0) y = -1.0;
  }

  const double w = (1.0 - r) * y;
  const double u = (w * lfo * r + w) * kSafeFilterFactor;

  const double e = invert ? 1.0 - E : E;
  const double c0 = (1.0 - m) * (e * fc);
  double c = lfo * c0 * m + c0;
  c = std::min(1.0, c);
  cutoff = std::max(0.0, c);
  return u;
}

// Ladder low-pass and tracking high-pass, crossfaded by type, times volume.
inline double Note::filter(OscillatorFilter& block, double u, double c, double q, double T,
                           double v) {
  const double damping = kSqrt2f - q * kSqrt2f;
  const double f = std::max(0.01, std::min(0.99, c));
  // Like the high-pass coefficients, the feedback holds while the cutoff does.
  if (f != block.feedbackCutoff || q != block.feedbackResonance) {
    block.feedbackCutoff = f;
    block.feedbackResonance = q;
    block.feedback = q / (1.0 - f) + q;
  }
  const double k = block.feedback;
  double ladder = 0.0;
  if (u != 0.0) {
    double* st = block.stages;
    st[0] = (k * (st[0] - st[1]) + (u - st[0])) * f + st[0];
    st[1] = (st[0] - st[1]) * f + st[1];
    st[2] = (st[1] - st[2]) * f + st[2];
    st[3] = (st[2] - st[3]) * f + st[3];
    ladder = st[3];
  }
  block.highPass.setup(c, damping);
  const double h = block.highPass.process(u);
  return (h * T + (1.0 - T) * ladder) * v;
}

void Note::process(double** outputs, double* bassOutput, int frames) {
  if (mFrameOffset > 0) mFrameOffset = 0;
  if (!mProgram) return;
  if (!isPlaying()) return;
  frames = std::min(frames, mBufferLength);
  // Every stage runs forward frame by frame, so the block can be taken in
  // pieces whose working arrays stay small and live on the stack.
  for (int start = 0; start < frames; start += kChunkFrames) {
    const int n = std::min(kChunkFrames, frames - start);
    processChunk(outputs[0] + start, outputs[1] + start, bassOutput + start, start, n);
  }
  mBlockIndex = 0;
}

void Note::processChunk(double* left, double* right, double* bassOutput, int start, int frames) {
  // The envelopes do not hear the oscillators, so their levels come first;
  // each frame sees the levels from before its update.
  double volumeLevels[kChunkFrames];
  double filterLevels[kChunkFrames];
  for (int j = 0; j < frames; ++j) {
    volumeLevels[j] = mEnvelopeLevel;
    filterLevels[j] = mFilterEnvelope.getLevel();
    mVolumeEnvelope.update(1);
    mFilterEnvelope.update(1);
    mEnvelopeLevel = mVolumeEnvelope.getLevel();
  }

  // Drive and ring per oscillator; then the three filter chains side by
  // side, frame by frame, so they overlap in the processor.
  double cutoffs[kNumOscillators][kChunkFrames];
  for (int k = 0; k < kNumOscillators; ++k) {
    driveOscillator(k, filterLevels, cutoffs[k], start, frames);
  }

  // Working copies: stores into the buffers cannot touch these, so they
  // stay in registers.
  OscillatorFilter filters[kNumOscillators] = {mFilters[0], mFilters[1], mFilters[2]};
  Smoother volumes[kNumOscillators] = {mVolumeSmoothers[0], mVolumeSmoothers[1], mVolumeSmoothers[2]};
  Smoother pans[kNumOscillators] = {mPanSmoothers[0], mPanSmoothers[1], mPanSmoothers[2]};
  double* buffers[kNumOscillators];
  for (int k = 0; k < kNumOscillators; ++k) buffers[k] = mOscBuffers[k].get() + start;
  const double* bass = mBassBuffer.get() + start;
  const double* click = mClickBuffer.get() + start;
  const double velocityGain = mVelocityGain;

  for (int j = 0; j < frames; ++j) {
    double r = 0.0;
    double l = 0.0;
    for (int k = 0; k < kNumOscillators; ++k) {
      const double c = cutoffs[k][j];
      if (c < 0.0) continue;
      const int base = NoteSlots::oscillatorBase(k);
      const double v = volumes[k].step(slot(base + NoteSlots::kVolume));
      const double p = pans[k].step(slot(base + NoteSlots::kPan));
      const double y = filter(filters[k], buffers[k][j], c, slot(base + NoteSlots::kFilterResonance),
                              slot(base + NoteSlots::kFilterType), v);
      buffers[k][j] = y;
      if (p >= 0.5) {
        r += y;
        l += ((p - 0.5) * -2.0 + 1.0) * y;
      } else {
        r += (p + p) * y;
        l += y;
      }
    }
    const double g = volumeLevels[j] * velocityGain;
    l = l * g;
    r = g * r;
    const double b = volumeLevels[j] * bass[j] * velocityGain;
    left[j] += l + click[j];
    right[j] += r + click[j];
    bassOutput[j] += b;
  }

  for (int k = 0; k < kNumOscillators; ++k) {
    mFilters[k] = filters[k];
    mVolumeSmoothers[k] = volumes[k];
    mPanSmoothers[k] = pans[k];
  }
}

// Leaves each frame's filter input in the oscillator buffer and its cutoff in
// cutoffs, or a negative cutoff for a frame in which the oscillator is off.
void Note::driveOscillator(int k, const double* filterLevels, double* cutoffs, int start,
                           int frames) {
  const int base = NoteSlots::oscillatorBase(k);
  Modulator& lfo = mLfos[2 * k];
  double* buffer = mOscBuffers[k].get() + start;
  for (int j = 0; j < frames; ++j, lfo.advance()) {
    cutoffs[j] = -1.0;
    if (!(slot(base + NoteSlots::kOnOff) > 0.5)) continue;
    const double s = mSaturationSmoothers[k].step(slot(base + NoteSlots::kSaturation));
    const double ring = slot(base + NoteSlots::kRingModAmount);
    const double filterMod = slot(base + NoteSlots::kFiltModAmount);
    // Both depths 0 make the LFO's term exactly 0: no need for its sine.
    const double value = ring == 0.0 && filterMod == 0.0 ? 0.0 : lfo.getValue();
    buffer[j] = drive(buffer[j], s, value, ring, filterMod, slot(base + NoteSlots::kFilterCutoff),
                      filterLevels[j], slot(NoteSlots::kInvertFilterEnvelope1 + k) > 0.0,
                      cutoffs[j]);
  }
}

}  // namespace Quillvane
