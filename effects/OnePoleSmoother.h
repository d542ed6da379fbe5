#pragma once

#include <cmath>

#include "engine/Constants.h"

namespace Quillvane {

// One-pole glide of a control value towards its target. Once the state is
// within reach of the target it lands on it exactly, so a glide towards zero
// never leaves the state denormal.
struct OnePoleSmoother {
  static constexpr double kSnap = 1e-12;

  double pole = ConstantsD::kDefaultSmoothFactor;
  double gain = 1.0 - ConstantsD::kDefaultSmoothFactor;
  double state = 0.0;

  double next(double target) {
    state = pole * state + gain * target;
    if (std::fabs(state - target) < kSnap) state = target;
    return state;
  }
};

}  // namespace Quillvane
