// Once-per-block stage of a Note: drive, ring, ladder low-pass and tracking
// high-pass per oscillator, then pan, envelope, velocity, click and bass.
#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/AtanDrive.h"
#include "engine/Note.h"
#include "engine/NoteSlots.h"
#include "engine/VectorMath.h"

namespace Quillvane {

namespace {

// sqrt(2) as a float: the damping at zero resonance.
constexpr double kSqrt2f = 1.4142135381698608;
constexpr double kNoClipLimit = std::numeric_limits<double>::infinity();

// An input beyond which the drive at saturation s clamps whatever atan
// gives there; none outside the saturation's range.
double driveClipLimit(double s) {
  if (!(s > 0.0 && s <= 1.0)) return kNoClipLimit;
  // The smallest angle that the drive takes to 1, from an estimate a few
  // steps away.
  double angle = kQuarterPi / (std::max(kMinAtanDrive, s) * ConstantsD::kSaturationFactor);
  for (int i = 0; atanDriveGain(angle, s) < 1.0; ++i) {
    if (i == 64) return kNoClipLimit;
    angle = std::nextafter(angle, 2.0);
  }
  for (int i = 0; atanDriveGain(std::nextafter(angle, 0.0), s) >= 1.0; ++i) {
    if (i == 64) return kNoClipLimit;
    angle = std::nextafter(angle, 0.0);
  }
  // Past tan of a slightly larger angle, atan exceeds the smallest one by
  // far more than the rounding of either function.
  return std::tan(angle * (1.0 + 1e-12));
}

}  // namespace

double Note::DriveClip::update(double s) {
  if (s != saturation) {
    saturation = s;
    settled = false;
    return kNoClipLimit;
  }
  limit = driveClipLimit(s);
  settled = true;
  return limit;
}

double Note::process(double x, double s, double lfo, double r, double m, double fc, double q,
                     double T, double E, bool invert, double v, int oscillator) {
  if (oscillator < 1 || oscillator > kNumOscillators) return 0.0;
  double c;
  const double u = drive(x, VectorMath::atan(x), s, kNoClipLimit, lfo, r, m, fc, E, invert, c);
  double f;
  ladderCoefficients(&c, &f, 1);
  return filter(mFilters[oscillator - 1], u, c, f, q, T, v);
}

void Note::ladderCoefficients(const double* cutoffs, double* coefficients, int n) const {
  for (int j = 0; j < n; ++j) coefficients[j] = std::max(0.01, std::min(0.99, cutoffs[j]));
  if (mReferenceRatio == 1.0 || n < 1) return;
  // A stage's pole 1 - f taken to the power of the ratio decays as fast in
  // time. The cutoff mostly holds still over a piece: one power then.
  if (std::all_of(cutoffs, cutoffs + n, [&](double c) { return c == cutoffs[0]; })) {
    const double f = std::min(0.99, 1.0 - VectorMath::pow(1.0 - coefficients[0], mReferenceRatio));
    std::fill(coefficients, coefficients + n, f);
    return;
  }
  for (int j = 0; j < n; ++j) coefficients[j] = 1.0 - coefficients[j];
  VectorMath::pow(coefficients, mReferenceRatio, coefficients, n);
  for (int j = 0; j < n; ++j) coefficients[j] = std::min(0.99, 1.0 - coefficients[j]);
}

// Drive and ring give the filters' input; the cutoff comes with it. angle is
// atan(x), read only up to clipLimit: beyond it the drive is known to clamp.
inline double Note::drive(double x, double angle, double s, double clipLimit, double lfo, double r,
                          double m, double fc, double E, bool invert, double& cutoff) {
  double y = x;
  if (s > 0.0) {
    if (x >= clipLimit) {
      y = 1.0;
    } else if (x <= -clipLimit) {
      y = -1.0;
    } else {
      y = atanDriveGain(angle, s);
      if (y > 1.0) y = 1.0;
      if (y < -1.0) y = -1.0;
    }
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
inline double Note::filter(OscillatorFilter& block, double u, double c, double f, double q, double T,
                           double v) {
  const double damping = kSqrt2f - q * kSqrt2f;
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
  // Only the frames the note sounded, so that its smoothers, LFOs and
  // filters start and stop with it wherever the block's edges fall.
  const int start = mFrameOffset;
  const int end = std::min({frames, mBufferLength, start + mBlockFrames});
  mFrameOffset = 0;
  mBlockIndex = 0;
  mBlockFrames = 0;
  if (!mProgram) return;
  // Every stage runs forward frame by frame, so the block can be taken in
  // pieces whose working arrays stay small and live on the stack.
  for (int from = start; from < end; from += kChunkFrames) {
    const int n = std::min(kChunkFrames, end - from);
    processChunk(outputs[0] + from, outputs[1] + from, bassOutput + from, from, n);
  }
}

void Note::processChunk(double* left, double* right, double* bassOutput, int start, int frames) {
  const double* volumeLevels = mVolumeLevels.get() + start;
  const double* filterLevels = mFilterLevels.get() + start;

  // Settings read once per piece; an oscillator that is off stands still
  // but for its LFO.
  OscillatorSettings settings[kNumOscillators];
  int active[kNumOscillators];
  int count = 0;
  for (int k = 0; k < kNumOscillators; ++k) {
    settings[k] = oscillatorSettings(k);
    if (settings[k].on) {
      active[count++] = k;
      if (mSettlePending[k]) {
        mVolumeSmoothers[k].settle(settings[k].volume);
        mPanSmoothers[k].settle(settings[k].pan);
        mSaturationSmoothers[k].settle(settings[k].saturation);
        mSettlePending[k] = false;
      }
    } else {
      mLfos[2 * k].advance(frames);
    }
  }

  // Drive and ring per oscillator; then the filter chains side by side,
  // frame by frame, so they overlap in the processor.
  double cutoffs[kNumOscillators][kChunkFrames];
  double ladders[kNumOscillators][kChunkFrames];
  for (int i = 0; i < count; ++i) {
    const int k = active[i];
    driveOscillator(k, settings[k], filterLevels, cutoffs[i], start, frames);
    ladderCoefficients(cutoffs[i], ladders[i], frames);
  }

  // Working copies: stores into the buffers cannot touch these, so they
  // stay out of memory the buffers might share.
  OscillatorFilter filters[kNumOscillators];
  OnePoleSmoother volumes[kNumOscillators];
  OnePoleSmoother pans[kNumOscillators];
  double* buffers[kNumOscillators];
  for (int i = 0; i < count; ++i) {
    const int k = active[i];
    filters[i] = mFilters[k];
    volumes[i] = mVolumeSmoothers[k];
    pans[i] = mPanSmoothers[k];
    buffers[i] = mOscBuffers[k].get() + start;
  }
  const double* bass = mBassBuffer.get() + start;
  const double* click = mClickBuffer.get() + start;
  const double velocityGain = mVelocityGain;

  for (int j = 0; j < frames; ++j) {
    double r = 0.0;
    double l = 0.0;
    for (int i = 0; i < count; ++i) {
      const OscillatorSettings& set = settings[active[i]];
      const double v = volumes[i].step(set.volume);
      const double p = pans[i].step(set.pan);
      const double y = filter(filters[i], buffers[i][j], cutoffs[i][j], ladders[i][j], set.resonance,
                              set.filterType, v);
      buffers[i][j] = y;
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

  for (int i = 0; i < count; ++i) {
    const int k = active[i];
    mFilters[k] = filters[i];
    mVolumeSmoothers[k] = volumes[i];
    mPanSmoothers[k] = pans[i];
  }
}

Note::OscillatorSettings Note::oscillatorSettings(int k) const {
  const int base = NoteSlots::oscillatorBase(k);
  OscillatorSettings s;
  s.on = slot(base + NoteSlots::kOnOff) > 0.5;
  s.volume = slot(base + NoteSlots::kVolume);
  s.saturation = slot(base + NoteSlots::kSaturation);
  s.pan = slot(base + NoteSlots::kPan);
  s.filterType = slot(base + NoteSlots::kFilterType);
  s.cutoff = slot(base + NoteSlots::kFilterCutoff);
  s.resonance = slot(base + NoteSlots::kFilterResonance);
  s.ringAmount = slot(base + NoteSlots::kRingModAmount);
  s.filterModAmount = slot(base + NoteSlots::kFiltModAmount);
  s.invertFilterEnvelope = slot(NoteSlots::kInvertFilterEnvelope1 + k) > 0.0;
  return s;
}

// Leaves each frame's filter input in the oscillator buffer and its cutoff in
// cutoffs.
void Note::driveOscillator(int k, const OscillatorSettings& set, const double* filterLevels,
                           double* cutoffs, int start, int frames) {
  Modulator& lfo = mLfos[2 * k];
  OnePoleSmoother saturation = mSaturationSmoothers[k];
  DriveClip clip = mDriveClips[k];
  double* buffer = mOscBuffers[k].get() + start;
  // Both depths 0 make the LFO's term exactly 0: no need for its sine.
  double lfoValues[kChunkFrames];
  if (set.ringAmount == 0.0 && set.filterModAmount == 0.0) {
    std::fill(lfoValues, lfoValues + frames, 0.0);
  } else {
    lfo.valuesFrom(lfo.getPhase(), lfoValues, frames);
  }
  lfo.advance(frames);
  // With no drive anywhere in the piece, no angle is read.
  double angles[kChunkFrames];
  if (set.saturation != 0.0 || saturation.state != 0.0) {
    VectorMath::atan(buffer, angles, frames);
  } else {
    std::fill(angles, angles + frames, 0.0);
  }
  for (int j = 0; j < frames; ++j) {
    const double s = saturation.step(set.saturation);
    buffer[j] = drive(buffer[j], angles[j], s, clip.limitFor(s), lfoValues[j], set.ringAmount,
                      set.filterModAmount, set.cutoff, filterLevels[j], set.invertFilterEnvelope, cutoffs[j]);
  }
  mSaturationSmoothers[k] = saturation;
  mDriveClips[k] = clip;
}

}  // namespace Quillvane
