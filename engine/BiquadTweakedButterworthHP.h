#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/ReferenceRate.h"

namespace Quillvane {

// Resonant second-order high-pass set up from a normalised cutoff before
// every sample, so its corner follows envelopes and LFOs.
template <typename T>
class BiquadTweakedButterworthHP {
 public:
  static constexpr T kSilence = T(1e-30);

  virtual ~BiquadTweakedButterworthHP() = default;

  // The corner sounds at every rate as it does at 44.1 kHz; clear() keeps the
  // rate.
  void setSampleRate(double sampleRate) {
    mRateScale = T(referenceRatio(sampleRate));
    mCutoff = std::numeric_limits<T>::quiet_NaN();
  }

  // cutoff in [0, 1] of half of 44.1 kHz; damping 0 rings forever.
  void setup(T cutoff, T damping) {
    // The cutoff often holds still for whole blocks: skip the tan then.
    if (cutoff == mCutoff && damping == mDamping) return;
    mCutoff = cutoff;
    mDamping = damping;
    // No higher than the top of the range, whatever the cutoff.
    const T top = mFrequencyFactor * T(0.5);
    const T fh = std::min(top, std::max(mMinFrequency, mFrequencyFactor * (cutoff * T(0.5))));
    // K is the bilinear transform's prewarped corner: scaled by the rate's
    // share it gives the analog corner of 44.1 kHz, below Nyquist at any rate.
    K = std::tan(fh * T(3.1415927410125732)) * mRateScale;
    const T n = T(1) / (damping * K + T(1) + K * K);
    b0 = n;
    b1 = T(-2) * n;
    b2 = n;
    a1 = ((K * K - T(1)) + (K * K - T(1))) * n;
    a2 = (T(1) - damping * K + K * K) * n;
  }

  T process(T in) {
    x0 = in;
    T out = b2 * x2 + (b1 * x1 + in * b0) - a1 * y1 - a2 * y2;
    // A ringing tail with no input would otherwise decay into subnormals.
    if (std::fabs(out) < kSilence) out = T(0);
    y0 = out;
    x2 = x1;
    x1 = in;
    y2 = y1;
    y1 = out;
    return out;
  }

  void clear() {
    x0 = x1 = x2 = y0 = y1 = y2 = b0 = b1 = b2 = a1 = a2 = K = T(0);
    mCutoff = mDamping = std::numeric_limits<T>::quiet_NaN();
  }

 private:
  T mFrequencyFactor = T(0.957);
  // Fractions of 44.1 kHz.
  T mMinFrequency = T(0.0001);
  // A sample's share of a sample at 44.1 kHz.
  T mRateScale = T(1);
  T x0 = T(0), x1 = T(0), x2 = T(0);
  T y0 = T(0), y1 = T(0), y2 = T(0);
  T b0 = T(0), b1 = T(0), b2 = T(0), a1 = T(0), a2 = T(0);
  T K = T(0);
  // What the coefficients were made from; NaN until the first setup.
  T mCutoff = std::numeric_limits<T>::quiet_NaN();
  T mDamping = std::numeric_limits<T>::quiet_NaN();
};

}  // namespace Quillvane
