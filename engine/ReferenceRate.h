#pragma once

#include <cmath>

#include "engine/Constants.h"

namespace Quillvane {

// The per-sample constants of the engine and the effects were made at
// 44.1 kHz. These give what keeps the same time or frequency at another
// rate; at 44.1 kHz each gives back its argument exactly.

// How much of a sample at 44.1 kHz one sample at sampleRate lasts.
inline double referenceRatio(double sampleRate) { return ConstantsD::kDefaultSampleRate / sampleRate; }

// A one-pole coefficient that decays as fast in time as `pole` does at
// 44.1 kHz.
inline double poleAtRate(double pole, double sampleRate) { return std::pow(pole, referenceRatio(sampleRate)); }

// As many samples as last as long as `samples` do at 44.1 kHz, rounded.
inline int samplesAtRate(int samples, double sampleRate) {
  return static_cast<int>(std::lround(samples * sampleRate / ConstantsD::kDefaultSampleRate));
}

}  // namespace Quillvane
