#include "engine/AudioProcessingUnit.h"

namespace Quillvane {

void AudioProcessingUnit::setBypass(bool bypass) {
  mBypass = bypass;
  mFadeLevel = bypass ? 1.0 - kFadeInc : kFadeInc;
  mFadeStep = bypass ? -kFadeInc : kFadeInc;
}

}  // namespace Quillvane
