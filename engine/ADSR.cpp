#include "engine/ADSR.h"

#include <algorithm>

#include "engine/FrameCount.h"
#include "engine/ReferenceRate.h"

namespace Quillvane {

namespace {

// Settings outside (minimum, 1], NaN included, fall back to the minimum.
double limitSetting(double v, double minimum) { return (v > minimum && v <= 1.0) ? v : minimum; }

double clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

}  // namespace

ADSR::ADSR(const std::string& name) : mName(name) {}

ADSR& ADSR::operator=(const ADSR& other) {
  if (this == &other) return *this;
  mSampleRate = other.mSampleRate;
  setSmootherPoles();
  mLevel = other.mLevel;
  mAttack = other.mAttack;
  mDecay = other.mDecay;
  mSustain = other.mSustain;
  mRelease = other.mRelease;
  mAttackCounter = other.mAttackCounter;
  mDecayCounter = other.mDecayCounter;
  mSustainCounter = other.mSustainCounter;
  mReleaseCounter = other.mReleaseCounter;
  mSampleCounter = other.mSampleCounter;
  mState = other.mState;
  return *this;
}

void ADSR::restart(eADSR state) {
  mLevel = 0.0;
  mReleaseStart = 0.0;
  mAttackCounter = mDecayCounter = mSustainCounter = mReleaseCounter = 0;
  mSampleCounter = 0;
  mState = state;
}

void ADSR::init() { restart(kAdsrFinished); }

void ADSR::setSampleRate(double rate) {
  AudioProcessingUnit::setSampleRate(rate);
  setSmootherPoles();
}

void ADSR::setSmootherPoles() {
  mDecaySmoother.setPole(poleAtRate(sADSRSmoothFactor1, mSampleRate));
  mSustainSmoother.setPole(poleAtRate(sADSRSmoothFactor1, mSampleRate));
  mReleaseSmoother.setPole(poleAtRate(sADSRSmoothFactor2, mSampleRate));
}

void ADSR::KeyOn() { restart(kAdsrAttack); }

void ADSR::KeyOff() {
  if (mState == kAdsrAttack || mState == kAdsrDecay || mState == kAdsrSustain) mState = kAdsrRelease;
}

void ADSR::setAttack(double v) { mAttack = limitSetting(v, kMinAttack); }
void ADSR::setDecay(double v) { mDecay = limitSetting(v, kMinDecay); }
void ADSR::setSustain(double v) { mSustain = limitSetting(v, kMinSustain); }
void ADSR::setRelease(double v) { mRelease = limitSetting(v, kMinRelease); }
void ADSR::setDuration(double v) { mDuration = std::max(kMinDuration, v * kMaxDuration); }

void ADSR::update(int n) {
  mSampleCounter = countOn(mSampleCounter, n);
  if (mSettlePending) {
    mDecaySmoother.settle(mDecay);
    mSustainSmoother.settle(mSustain);
    mReleaseSmoother.settle(mRelease);
    mSettlePending = false;
  }
  mDecaySmoother.step(mDecay);
  mSustainSmoother.step(mSustain);
  mReleaseSmoother.step(mRelease);
  const double sD = mDecaySmoother.state;
  const double sS = mSustainSmoother.state;
  const double sR = mReleaseSmoother.state;
  // Segment lengths multiply share, duration and rate in that order: the
  // rounding decides on which sample a segment ends.
  switch (mState) {
    case kAdsrAttack: {
      const double length = mAttack * mDuration * mSampleRate;
      mAttackCounter += n;
      mLevel = clamp01(mAttackCounter / length);
      mReleaseStart = mLevel;
      if (mAttackCounter >= static_cast<int>(length)) mState = kAdsrDecay;
      break;
    }
    case kAdsrDecay: {
      const double length = sD * mDuration * mSampleRate;
      mDecayCounter += n;
      mLevel = std::max(sS, std::min(1.0, 1.0 - (1.0 - sS) * mDecayCounter / length));
      mReleaseStart = mLevel;
      if (mDecayCounter >= static_cast<int>(length)) mState = kAdsrSustain;
      break;
    }
    case kAdsrSustain:
      mSustainCounter = countOn(mSustainCounter, n);
      mLevel = sS;
      mReleaseStart = sS;
      break;
    case kAdsrRelease: {
      const double length = sR * mDuration * mSampleRate;
      mReleaseCounter += n;
      mLevel = clamp01((1.0 - mReleaseCounter / length) * mReleaseStart);
      // The last step ends at zero wherever the length falls between two
      // samples: the voice's next note starts from this level.
      if (mReleaseCounter >= static_cast<int>(length)) {
        mState = kAdsrFinished;
        mLevel = 0.0;
      }
      break;
    }
    default:
      mLevel = 0.0;
      mReleaseStart = 0.0;
      break;
  }
}

void ADSR::updateGUIData(double* x, double* y, int n) {
  if (n < 1 || x == nullptr) return;
  const double hold = mDecay * mDuration + mAttack * mDuration + 0.5;
  const double total = (mDuration * mRelease + hold) * mSampleRate;
  const int step = static_cast<int>(total) / n;
  restart(kAdsrAttack);
  for (int i = 0; i < n; ++i) {
    x[i] = mLevel;
    if (y) y[i] = 1.0 - mLevel;
    update(step);
    const bool held = mState == kAdsrAttack || mState == kAdsrDecay || mState == kAdsrSustain;
    if (held && static_cast<double>(i) * step / mSampleRate > hold) mState = kAdsrRelease;
  }
}

const char* ADSR::getStateString(eADSR state) {
  switch (state) {
    case kAdsrAttack: return "Attack";
    case kAdsrDecay: return "Decay";
    case kAdsrSustain: return "Sustain";
    case kAdsrRelease: return "Release";
    case kAdsrFinished: return "Finished";
  }
  return "Undefined";
}

}  // namespace Quillvane
