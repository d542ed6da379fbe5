#pragma once

#include "engine/Constants.h"

namespace Quillvane {

// Base of the signal units: sample rate, bypass flag and the 200-sample
// crossfade that switches a unit's effect in and out without clicks.
class AudioProcessingUnit {
 public:
  static constexpr double kFadeInc = 0.005;

  AudioProcessingUnit() = default;
  virtual ~AudioProcessingUnit() = default;

  virtual void setSampleRate(double rate) { mSampleRate = rate; }
  // Restarts the crossfade from near its start, wherever it had got to.
  virtual void setBypass(bool bypass);

  double getSampleRate() const { return mSampleRate; }
  bool isBypassed() const { return mBypass; }
  double getFadeLevel() const { return mFadeLevel; }
  double getFadeStep() const { return mFadeStep; }

 protected:
  // One crossfade step, taken after the sample that used the current level.
  void advanceFade() {
    if (mFadeLevel > 0.0 && mFadeLevel < 1.0) {
      mFadeLevel += mFadeStep;
      if (mFadeLevel < 0.0) mFadeLevel = 0.0;
      if (mFadeLevel > 1.0) mFadeLevel = 1.0;
    }
  }
  // True once a bypassed unit has faded fully out and can leave its signal alone.
  bool isFadedOut() const { return mBypass && mFadeLevel <= 0.0; }
  // The crossfade where it would end, for a switch made while nothing sounds.
  void endFade() { mFadeLevel = mBypass ? 0.0 : 1.0; }

  double mSampleRate = ConstantsD::kDefaultSampleRate;
  bool mBypass = false;
  double mFadeLevel = 1.0;
  double mFadeStep = 0.0;
};

}  // namespace Quillvane
