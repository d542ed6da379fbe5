#pragma once

#include "engine/VectorMath.h"

namespace Quillvane {

// The pitch sweep shared by every note: a linear rise to a peak factor, a
// power-curve fall back to 1 and an optional linear bend downwards. It
// keeps no per-note state; each query carries the time since note start.
class PitchEnvelope {
 public:
  static constexpr double kMaxPitchAmount = 20.0;
  static constexpr double kMaxPitchDuration = 2.0;
  static constexpr double kMinPitchPower = 0.002;
  static constexpr double kDefaultPitchDuration = 0.1;

  PitchEnvelope() = default;
  virtual ~PitchEnvelope() = default;

  // Pitch factor t seconds after the note started; every voice asks at
  // every sample, so it is inline.
  double getPitch(double t) const {
    if (mBypass) return 1.0;
    return sweep(t) - bend(t);
  }
  // out[i] = getPitch(t[i]) for i = 0 .. n-1, the powers of the fall taken
  // an array at a time; out may be t itself.
  void getPitches(const double* t, double* out, int n) const;
  void updateGUIData(double* out, int n) const;

  void setPitchAmount(double a) { mAmount = a; }
  double getPitchAmount() const { return mAmount; }
  // The fall lasts twice the setting, so a 0..1 control spans 0..2 s.
  void setPitchDuration(double d) { mFallTime = 2.0 * d; }
  double getPitchDuration() const { return mFallTime * 0.5; }
  double getPitchDurationSec() const { return mFallTime; }
  void setPitchPower(double p) { mPower = p > kMinPitchPower ? p : kMinPitchPower; }
  double getPitchPower() const { return mPower; }
  void setPitchDown(double d) { mPitchDown = d; }
  double getPitchDown() const { return mPitchDown; }
  void setBypass(bool b) { mBypass = b; }
  bool getBypass() const { return mBypass; }
  void setSampleRate(double r) { mSampleRate = r; }
  double getSampleRate() const { return mSampleRate; }

 private:
  bool inFall(double t) const { return !(t < mRiseTime) && t < mRiseTime + mFallTime; }
  double fallBase(double t) const { return 1.0 - (t - mRiseTime) / mFallTime; }
  double fallExponent() const { return mPower * mPowerMultiplier; }
  double fallPitch(double power) const { return mAmount * mScale * power + 1.0; }
  double sweep(double t) const {
    if (t < mRiseTime) return t / mRiseTime * (mAmount * mScale) + 1.0;
    if (t < mRiseTime + mFallTime) return fallPitch(VectorMath::pow(fallBase(t), fallExponent()));
    return 1.0;
  }
  double bend(double t) const {
    const double span = mRiseTime + mFallTime;
    return t < span ? mPitchDown * t / span : mPitchDown;
  }

  double mSampleRate = 44100.0;
  bool mBypass = false;
  double mRiseTime = 0.007;
  double mFallTime = kDefaultPitchDuration;
  double mAmount = 0.0;
  double mScale = kMaxPitchAmount;
  double mPower = kMinPitchPower;
  double mPowerMultiplier = 20.0;
  double mPitchDown = 0.0;
};

}  // namespace Quillvane
