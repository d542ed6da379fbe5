#include "engine/AudioProcessingUnit.h"

#include <cmath>

#include "engine/ReferenceRate.h"

namespace Quillvane {

void AudioProcessingUnit::setSampleRate(double rate) {
  mSampleRate = rate;
  if (mFadeStep != 0.0) mFadeStep = std::copysign(fadeIncrement(), mFadeStep);
}

void AudioProcessingUnit::setBypass(bool bypass) {
  const double step = fadeIncrement();
  mBypass = bypass;
  mFadeLevel = bypass ? 1.0 - step : step;
  mFadeStep = bypass ? -step : step;
}

double AudioProcessingUnit::fadeIncrement() const { return kFadeInc * referenceRatio(mSampleRate); }

}  // namespace Quillvane
