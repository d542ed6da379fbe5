#include "effects/HardcoreBass.h"

#include <algorithm>
#include <cmath>

#include "dsp/Butterworth.h"
#include "engine/AtanDrive.h"

namespace Quillvane {

namespace {

constexpr double kDriveRange = 4.44;

}  // namespace

HardcoreBass::HardcoreBass() : mHighPassed(mBlockSize), mBass(mBlockSize) {
  mHighPass = makeSmoothedDesign<Dsp::Butterworth::Design::HighPass<2>, Dsp::DirectFormI>();
  mBandPass = makeSmoothedDesign<Dsp::Butterworth::Design::BandPass<2>, Dsp::DirectFormI>();
  mHighPassParams = mHighPass->getDefaultParams();
  mBandPassParams = mBandPass->getDefaultParams();
  setParam(*mHighPass, mHighPassParams, Dsp::idOrder, 2.0);
  setParam(*mHighPass, mHighPassParams, Dsp::idFrequency, mHighPassFrequency);
  setParam(*mBandPass, mBandPassParams, Dsp::idOrder, 2.0);
  setParam(*mBandPass, mBandPassParams, Dsp::idFrequency, mCenterFrequency);
  setParam(*mBandPass, mBandPassParams, Dsp::idBandwidthHz, kBandWidth);
  mHighPass->setParams(mHighPassParams);
  mBandPass->setParams(mBandPassParams);
  reset();
}

HardcoreBass::~HardcoreBass() = default;

void HardcoreBass::setSampleRate(double sampleRate) {
  AudioProcessingUnit::setSampleRate(sampleRate);
  applyParam(*mHighPass, mHighPassParams, Dsp::idSampleRate, sampleRate);
  applyParam(*mBandPass, mBandPassParams, Dsp::idSampleRate, sampleRate);
}

void HardcoreBass::setBlockSize(int n) {
  if (n <= mBlockSize) return;
  mBlockSize = n;
  mHighPassed.grow(n);
  mBass.grow(n);
}

void HardcoreBass::reset() {
  resetSettled(*mHighPass, mSampleRate);
  resetSettled(*mBandPass, mSampleRate);
}

void HardcoreBass::setBassHPFrequency(double x) {
  mHighPassFrequency = 20.0 + 60.0 * x;
  applyParam(*mHighPass, mHighPassParams, Dsp::idFrequency, mHighPassFrequency);
}

void HardcoreBass::setBassCenterFrequency(double x) {
  mCenterFrequency = 100.0 + 100.0 * x;
  applyParam(*mBandPass, mBandPassParams, Dsp::idFrequency, mCenterFrequency);
}

double HardcoreBass::getOldBassAmountDb() const { return 20.0 * std::log10(1.0 - mHighPassAmount); }

double HardcoreBass::getBassAmountdB() const { return 20.0 * std::log10(mBassAmount); }

void HardcoreBass::process(double** channels, int n) {
  if (isFadedOut() || n > mBlockSize || n < 1) return;
  const double a = mHighPassAmount;
  const double b = mBassAmount;
  const double c = mSaturationAmount;
  mHighPassed.copyFrom(channels, n);
  mBass.copyFrom(channels, n);
  // Up to half the amount the copy mixed back stays unfiltered.
  if (a > 0.5) mHighPass->process(n, mHighPassed.channels());
  if (b > 0.0) {
    mBandPass->process(n, mBass.channels());
    if (c > 0.0) {
      const double drive = kDriveRange * c;
      for (double* samples : {mBass.left(), mBass.right()}) {
        for (int i = 0; i < n; ++i) samples[i] = atanDrive(samples[i], drive);
      }
    }
  }

  double* left = channels[0];
  double* right = channels[1];
  const double* hpL = mHighPassed.left();
  const double* hpR = mHighPassed.right();
  const double* bassL = mBass.left();
  const double* bassR = mBass.right();
  for (int i = 0; i < n; ++i) {
    // The fade scales both path weights rather than crossfading the result.
    const double f = mFadeLevel;
    if (a > 0.0) {
      const double k = a * f;
      left[i] = (1.0 - k) * left[i] + k * hpL[i];
      right[i] = (1.0 - k) * right[i] + k * hpR[i];
    }
    if (b > 0.0) {
      left[i] += b * f * bassL[i];
      right[i] += b * f * bassR[i];
    }
    advanceFade();
  }
}

}  // namespace Quillvane
