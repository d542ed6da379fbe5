#pragma once

#include <cmath>

namespace Quillvane {

// One-pole glide of an output-stage setting. Never reset: a change glides
// from wherever the last block left it.
struct ParamSmoother {
  // Far below hearing; a glide to 0 lands on 0 instead of creeping through
  // subnormal numbers.
  static constexpr double kSilence = 1e-30;

  double mSmoothFactor;
  double mInputFactor;
  double mState;

  void setFactor(double smoothFactor) {
    mSmoothFactor = smoothFactor;
    mInputFactor = 1.0 - smoothFactor;
  }

  double smooth(double target) {
    mState = mState * mSmoothFactor + target * mInputFactor;
    if (std::fabs(mState) < kSilence) mState = 0.0;
    return mState;
  }
};

}  // namespace Quillvane
