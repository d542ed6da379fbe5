#include "engine/PitchEnvelope.h"

#include <cmath>

namespace Quillvane {

double PitchEnvelope::sweep(double t) const {
  if (t < mRiseTime) return t / mRiseTime * (mAmount * mScale) + 1.0;
  if (t < mRiseTime + mFallTime) {
    return mAmount * mScale * std::pow(1.0 - (t - mRiseTime) / mFallTime, mPower * mPowerMultiplier) + 1.0;
  }
  return 1.0;
}

double PitchEnvelope::bend(double t) const {
  const double span = mRiseTime + mFallTime;
  return t < span ? mPitchDown * t / span : mPitchDown;
}

double PitchEnvelope::getPitch(double t) const {
  if (mBypass) return 1.0;
  return sweep(t) - bend(t);
}

void PitchEnvelope::updateGUIData(double* out, int n) const {
  if (n < 1 || out == nullptr) return;
  for (int i = 0; i < n; ++i) {
    if (mBypass) {
      out[i] = 0.0;
      continue;
    }
    const double t = (mRiseTime + kMaxPitchDuration) * (static_cast<double>(i) / n);
    double v = sweep(t) - bend(t) - 1.0;
    if (v < 0.0) v *= mScale;
    out[i] = v / mScale;
  }
}

}  // namespace Quillvane
