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

void Note::process(double** outputs, double* bassOutput, int frames) {
  if (mFrameOffset > 0) mFrameOffset = 0;
  if (!mProgram) return;
  if (!isPlaying()) return;
  frames = std::min(frames, mBufferLength);
  double* left = outputs[0];
  double* right = outputs[1];
  mBlockIndex = 0;
  for (int j = 0; j < frames; ++j) {
    double r = 0.0;
    double l = 0.0;
    for (int k = 0; k < kNumOscillators; ++k) {
      const int base = NoteSlots::oscillatorBase(k);
      if (!(slot(base + NoteSlots::kOnOff) > 0.5)) continue;
      const double v = mVolumeSmoothers[k].step(slot(base + NoteSlots::kVolume));
      const double s = mSaturationSmoothers[k].step(slot(base + NoteSlots::kSaturation));
      const double p = mPanSmoothers[k].step(slot(base + NoteSlots::kPan));
      const double lfo = mLfos[2 * k].getValue();
      double& sample = mOscBuffers[k][j];
      const double y =
          process(sample, s, lfo, slot(base + NoteSlots::kRingModAmount),
                  slot(base + NoteSlots::kFiltModAmount), slot(base + NoteSlots::kFilterCutoff),
                  slot(base + NoteSlots::kFilterResonance), slot(base + NoteSlots::kFilterType),
                  mFilterEnvelope.getLevel(), slot(NoteSlots::kInvertFilterEnvelope1 + k) > 0.0,
                  v, k + 1);
      sample = y;
      if (p >= 0.5) {
        r += y;
        l += ((p - 0.5) * -2.0 + 1.0) * y;
      } else {
        r += (p + p) * y;
        l += y;
      }
    }
    const double g = mEnvelopeLevel * mVelocityGain;
    l = l * g;
    r = g * r;
    const double b = mEnvelopeLevel * mBassBuffer[j] * mVelocityGain;
    left[j] += l + mClickBuffer[j];
    right[j] += r + mClickBuffer[j];
    bassOutput[j] += b;
    ++mBlockIndex;
    for (int k = 0; k < kNumOscillators; ++k) mLfos[2 * k].advance();
    mVolumeEnvelope.update(1);
    mFilterEnvelope.update(1);
    mEnvelopeLevel = mVolumeEnvelope.getLevel();
  }
  mBlockIndex = 0;
}

double Note::process(double x, double s, double lfo, double r, double m, double fc, double q,
                     double T, double E, bool invert, double v, int oscillator) {
  if (oscillator < 1 || oscillator > kNumOscillators) return 0.0;
  OscillatorFilter& filter = mFilters[oscillator - 1];

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

}  // namespace Quillvane
