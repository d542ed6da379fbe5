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

// The frequency at which a bilinear design at sampleRate has the analog
// response that hz gives at 44.1 kHz: tan(pi f / rate) scales with the
// rate's share, so it always lies below the rate's Nyquist. At 44.1 kHz a
// frequency at or past Nyquist is pulled back to 0.49 of the rate, which the
// designs need to stay stable; other rates map from what 44.1 kHz takes.
inline double frequencyAtRate(double hz, double sampleRate) {
  constexpr double reference = ConstantsD::kDefaultSampleRate;
  const double hzAtReference = hz < 0.5 * reference ? hz : 0.49 * reference;
  if (sampleRate == reference) return hzAtReference;
  return sampleRate / ConstantsD::kPi *
         std::atan(referenceRatio(sampleRate) * std::tan(ConstantsD::kPi * hzAtReference / reference));
}

// As many samples as last as long as `samples` do at 44.1 kHz, rounded.
inline int samplesAtRate(int samples, double sampleRate) {
  return static_cast<int>(std::lround(samples * sampleRate / ConstantsD::kDefaultSampleRate));
}

}  // namespace Quillvane
