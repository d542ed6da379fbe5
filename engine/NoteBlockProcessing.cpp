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
  return stage(mFilters[oscillator - 1], x, s, lfo, r, m, fc, q, T, E, invert, v);
}

inline double Note::stage(OscillatorFilter& filter, double x, double s, double lfo, double r,
                          double m, double fc, double q, double T, double E, bool invert,
                          double v) {
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
  c = std::max(0.0, c);

  const double damping = kSqrt2f - q * kSqrt2f;

  const double f = std::max(0.01, std::min(0.99, c));
  const double k = q / (1.0 - f) + q;
  filter.feedback = k;
  double ladder = 0.0;
  if (u != 0.0) {
    double* st = filter.stages;
    st[0] = (k * (st[0] - st[1]) + (u - st[0])) * f + st[0];
    st[1] = (st[0] - st[1]) * f + st[1];
    st[2] = (st[1] - st[2]) * f + st[2];
    st[3] = (st[2] - st[3]) * f + st[3];
    ladder = st[3];
  }

  filter.highPass.setup(c, damping);
  const double h = filter.highPass.process(u);
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

  // Oscillator by oscillator over the block, each summed into the mix in
  // oscillator order as a frame-by-frame pass would.
  double* mixLeft = mScratch[kMixLeft].get();
  double* mixRight = mScratch[kMixRight].get();
  std::fill_n(mixLeft, frames, 0.0);
  std::fill_n(mixRight, frames, 0.0);
  for (int k = 0; k < kNumOscillators; ++k) {
    processOscillator(k, filterLevels, mixLeft, mixRight, frames);
  }

  double* left = outputs[0];
  double* right = outputs[1];
  for (int j = 0; j < frames; ++j) {
    const double g = volumeLevels[j] * mVelocityGain;
    const double l = mixLeft[j] * g;
    const double r = g * mixRight[j];
    const double b = volumeLevels[j] * mBassBuffer[j] * mVelocityGain;
    left[j] += l + mClickBuffer[j];
    right[j] += r + mClickBuffer[j];
    bassOutput[j] += b;
  }
  mBlockIndex = 0;
}

void Note::processOscillator(int k, const double* filterLevels, double* mixLeft, double* mixRight,
                             int frames) {
  const int base = NoteSlots::oscillatorBase(k);
  Modulator& lfo = mLfos[2 * k];
  OscillatorFilter& filter = mFilters[k];
  double* buffer = mOscBuffers[k].get();
  for (int j = 0; j < frames; ++j, lfo.advance()) {
    if (!(slot(base + NoteSlots::kOnOff) > 0.5)) continue;
    const double v = mVolumeSmoothers[k].step(slot(base + NoteSlots::kVolume));
    const double s = mSaturationSmoothers[k].step(slot(base + NoteSlots::kSaturation));
    const double p = mPanSmoothers[k].step(slot(base + NoteSlots::kPan));
    const double ring = slot(base + NoteSlots::kRingModAmount);
    const double filterMod = slot(base + NoteSlots::kFiltModAmount);
    // Both depths 0 make the LFO's term exactly 0: no need for its sine.
    const double value = ring == 0.0 && filterMod == 0.0 ? 0.0 : lfo.getValue();
    const double y = stage(filter, buffer[j], s, value, ring, filterMod,
                           slot(base + NoteSlots::kFilterCutoff),
                           slot(base + NoteSlots::kFilterResonance),
                           slot(base + NoteSlots::kFilterType), filterLevels[j],
                           slot(NoteSlots::kInvertFilterEnvelope1 + k) > 0.0, v);
    buffer[j] = y;
    if (p >= 0.5) {
      mixRight[j] += y;
      mixLeft[j] += ((p - 0.5) * -2.0 + 1.0) * y;
    } else {
      mixRight[j] += (p + p) * y;
      mixLeft[j] += y;
    }
  }
}

}  // namespace Quillvane
