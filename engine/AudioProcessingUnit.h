#pragma once

#include "engine/Constants.h"

namespace Quillvane {

// Base of the signal units: sample rate, bypass flag and the crossfade that
// switches a unit's effect in and out without clicks, as long as 200 samples
// last at 44.1 kHz.
class AudioProcessingUnit {
 public:
  // The fade's step at 44.1 kHz.
  static constexpr double kFadeInc = 0.005;

  AudioProcessingUnit() = default;
  virtual ~AudioProcessingUnit() = default;

  // A running crossfade keeps its time at the new rate.
  virtual void setSampleRate(double rate);
  // Restarts the crossfade from near its start, wherever it had got to.
  virtual void setBypass(bool bypass);
  // Every glide of the unit ends on its target at once: here the
  // crossfade. Overrides call it first, then end their own.
  virtual void settle() { mFadeLevel = mBypass ? 0.0 : 1.0; }

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
  // The fade's step at this rate.
  double fadeIncrement() const;

  double mSampleRate = ConstantsD::kDefaultSampleRate;
  bool mBypass = false;
  double mFadeLevel = 1.0;
  double mFadeStep = 0.0;
};

}  // namespace Quillvane
