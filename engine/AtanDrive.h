#pragma once

#include <algorithm>
#include <cmath>

#include "engine/Constants.h"

namespace Quillvane {

// The atan saturation of the voices, the output stage and the bass enhancer.
// Any drive at all keeps at least atan's own gain.
constexpr double kMinAtanDrive = 1.0 / ConstantsD::kSaturationFactor;
constexpr double kQuarterPi = ConstantsD::kPi / 4.0;

// Before the clamp, from atan's angle: angle / (pi / 4) * drive *
// kSaturationFactor, multiplied in that order; it only grows with the angle.
inline double atanDriveGain(double angle, double drive) {
  return angle / kQuarterPi * std::max(kMinAtanDrive, drive) * ConstantsD::kSaturationFactor;
}

// Of a sample, clamped to [-1, 1].
inline double atanDrive(double x, double drive) {
  return std::max(-1.0, std::min(1.0, atanDriveGain(std::atan(x), drive)));
}

}  // namespace Quillvane
