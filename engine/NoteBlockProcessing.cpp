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
  const double k = q / (1.0 - f) + q;
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

  // The envelopes do not hear the oscillators, so their levels for the whole
  // block come first; each frame sees the levels from before its update.
  double* volumeLevels = mScratch[kVolumeLevels].get();
  double* filterLevels = mScratch[kFilterLevels].get();
  for (int j = 0; j < frames; ++j) {
    volumeLevels[j] = mEnvelopeLevel;
    filterLevels[j] = mFilterEnvelope.getLevel();
    mVolumeEnvelope.update(1);
    mFilterEnvelope.update(1);
    mEnvelopeLevel = mVolumeEnvelope.getLevel();
  }

  // Drive and ring per oscillator over the block; then the three filter
  // chains side by side, frame by frame, so they overlap in the processor.
  for (int k = 0; k < kNumOscillators; ++k) driveOscillator(k, filterLevels, frames);

  double* left = outputs[0];
  double* right = outputs[1];
  for (int j = 0; j < frames; ++j) {
    double r = 0.0;
    double l = 0.0;
    for (int k = 0; k < kNumOscillators; ++k) {
      const double c = mScratch[kCutoff1 + k][j];
      if (c < 0.0) continue;
      const int base = NoteSlots::oscillatorBase(k);
      const double v = mVolumeSmoothers[k].step(slot(base + NoteSlots::kVolume));
      const double p = mPanSmoothers[k].step(slot(base + NoteSlots::kPan));
      double& sample = mOscBuffers[k][j];
      const double y = filter(mFilters[k], sample, c, slot(base + NoteSlots::kFilterResonance),
                              slot(base + NoteSlots::kFilterType), v);
      sample = y;
      if (p >= 0.5) {
        r += y;
        l += ((p - 0.5) * -2.0 + 1.0) * y;
      } else {
        r += (p + p) * y;
        l += y;
      }
    }
    const double g = volumeLevels[j] * mVelocityGain;
    l = l * g;
    r = g * r;
    const double b = volumeLevels[j] * mBassBuffer[j] * mVelocityGain;
    left[j] += l + mClickBuffer[j];
    right[j] += r + mClickBuffer[j];
    bassOutput[j] += b;
  }
  mBlockIndex = 0;
}

// Leaves each frame's filter input in the oscillator buffer and its cutoff in
// the scratch, or a negative cutoff for a frame in which the oscillator is off.
void Note::driveOscillator(int k, const double* filterLevels, int frames) {
  const int base = NoteSlots::oscillatorBase(k);
  Modulator& lfo = mLfos[2 * k];
  double* buffer = mOscBuffers[k].get();
  double* cutoffs = mScratch[kCutoff1 + k].get();
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
