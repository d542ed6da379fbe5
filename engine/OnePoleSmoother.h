#pragma once

#include <cmath>

#include "engine/Constants.h"
#include "engine/ReferenceRate.h"

namespace Quillvane {

// One-pole glide of a control value towards its target, one step per call.
struct OnePoleSmoother {
  // Far below hearing; a glide to 0 lands on 0 instead of creeping through
  // subnormal numbers.
  static constexpr double kSilence = 1e-30;

  constexpr explicit OnePoleSmoother(double pole = ConstantsD::kDefaultSmoothFactor)
      : pole(pole), gain(1.0 - pole) {}

  // The state stays: only the rest of the glide changes.
  void setPole(double p) {
    pole = p;
    gain = 1.0 - p;
  }

  // Ends the glide on its target at once.
  void settle(double target) { state = target; }

  double step(double target) {
    state = state * pole + target * gain;
    if (std::fabs(state) < kSilence) state = 0.0;
    return state;
  }

  double pole;
  double gain;
  double state = 0.0;
};

// The common pole, 0.9877 a sample at 44.1 kHz, at a rate: the same glide in
// time at every rate.
inline double defaultSmoothPole(double sampleRate) {
  return poleAtRate(ConstantsD::kDefaultSmoothFactor, sampleRate);
}

}  // namespace Quillvane
