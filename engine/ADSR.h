#pragma once

#include <cstdint>
#include <string>

#include "engine/AudioProcessingUnit.h"
#include "engine/OnePoleSmoother.h"

namespace Quillvane {

enum eADSR : int32_t {
  kAdsrAttack = 0,
  kAdsrDecay = 1,
  kAdsrSustain = 2,
  kAdsrRelease = 3,
  kAdsrFinished = 4
};

// Linear attack-decay-sustain-release envelope whose segment times are
// fractions of one duration. Decay, sustain and release glide through
// one-pole smoothers so that moving a control does not step the output; the
// smoothing factors are their poles at 44.1 kHz, and the glides last as long
// at every rate.
class ADSR : public AudioProcessingUnit {
 public:
  static constexpr double kMaxDuration = 5.0;
  static constexpr double kMinDuration = 0.001;
  static constexpr double kDefaultDuration = 0.2;
  static constexpr double kDefaultAttack = 0.05;
  static constexpr double kDefaultDecay = 0.5;
  static constexpr double kDefaultSustain = 0.25;
  static constexpr double kDefaultRelease = 0.1;
  static constexpr double kDefaultKickRelease = 0.01;
  static constexpr double kMinAttack = 1e-6;
  static constexpr double kMinDecay = 2e-5;
  static constexpr double kMinSustain = 1e-5;
  static constexpr double kMinRelease = 1e-5;
  static constexpr double sADSRSmoothFactor1 = 0.9815;
  static constexpr double sADSRSmoothFactor2 = 0.7;
  static constexpr double sADSRSmoothFactor3 = 0.25;

  explicit ADSR(const std::string& name);
  ADSR(const ADSR&) = default;
  // Copies the running state and settings, not the name, duration,
  // release start or smoothers' states: a voice takes over another's envelope.
  ADSR& operator=(const ADSR& other);

  void init();
  void setSampleRate(double rate) override;

  void setAttack(double v);
  void setDecay(double v);
  void setSustain(double v);
  void setRelease(double v);
  void setDuration(double v);

  void KeyOn();
  void KeyOff();
  // The smoothers settle on the settings at the next update, once the
  // settings they glide to are known.
  void settle() override {
    AudioProcessingUnit::settle();
    mSettlePending = true;
  }

  void update(int n);
  // Draws the envelope into n points; restarts the envelope, so it is for
  // display copies only.
  void updateGUIData(double* x, double* y, int n);

  bool isPlaying() const { return mState != kAdsrFinished; }
  bool isFinished() const { return mState == kAdsrFinished; }
  eADSR getState() const { return mState; }
  const char* getStateString() const { return getStateString(mState); }
  static const char* getStateString(eADSR state);

  const std::string& getName() const { return mName; }
  double getLevel() const { return mLevel; }
  double getReleaseStart() const { return mReleaseStart; }
  double getDuration() const { return mDuration; }
  double getAttack() const { return mAttack; }
  double getDecay() const { return mDecay; }
  double getSustain() const { return mSustain; }
  double getRelease() const { return mRelease; }
  double getSmoothedDecay() const { return mDecaySmoother.state; }
  double getSmoothedSustain() const { return mSustainSmoother.state; }
  double getSmoothedRelease() const { return mReleaseSmoother.state; }

 private:
  void restart(eADSR state);
  // The smoothers' poles for the sample rate.
  void setSmootherPoles();

  std::string mName;
  eADSR mState = kAdsrFinished;
  double mDuration = kDefaultDuration;
  double mLevel = 0.0;
  double mReleaseStart = 0.0;
  double mAttack = kDefaultAttack;
  double mDecay = kDefaultDecay;
  double mSustain = kDefaultSustain;
  double mRelease = kDefaultRelease;
  int32_t mAttackCounter = 0;
  int32_t mDecayCounter = 0;
  int32_t mSustainCounter = 0;
  int32_t mReleaseCounter = 0;
  int32_t mSampleCounter = 0;
  OnePoleSmoother mDecaySmoother{sADSRSmoothFactor1};
  OnePoleSmoother mSustainSmoother{sADSRSmoothFactor1};
  OnePoleSmoother mReleaseSmoother{sADSRSmoothFactor2};
  // Pending from the start too: the smoothers begin at the settings of the
  // first update rather than at 0, from which the first note would decay
  // and release far too fast.
  bool mSettlePending = true;
};

}  // namespace Quillvane
