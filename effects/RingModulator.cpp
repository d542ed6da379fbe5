#include "effects/RingModulator.h"

#include <cmath>


namespace Quillvane {

RingModulator::RingModulator() : mPhaseIncrement(1.0 / mSampleRate) {}

void RingModulator::init() {
  mWaveform = kRingSine;
  mPhase = 0.0;
  mPhaseIncrement = 1.0 / mSampleRate;
  mSmoothedAmount.setPole(defaultSmoothPole(mSampleRate));
}

void RingModulator::setSampleRate(double rate) {
  AudioProcessingUnit::setSampleRate(rate);
  updateIncrement();
  mSmoothedAmount.setPole(defaultSmoothPole(rate));
}

void RingModulator::settle() {
  AudioProcessingUnit::settle();
  mSmoothedAmount.settle(mAmount);
}

void RingModulator::setFrequency(double v) {
  mFrequency = v;
  updateIncrement();
}

void RingModulator::updateIncrement() {
  mPhaseIncrement = mFrequency / mSampleRate * mMaxFrequency * ConstantsD::k2_Pi;
}

void RingModulator::setWaveform(double x) {
  mWaveform = static_cast<unsigned>(clampedSelectorIndex(x, kRingSine3));
}

const char* RingModulator::getWaveformText() const {
  switch (mWaveform) {
    case kRingPulse: return "Pulse";
    case kRingSaw: return "Saw";
    case kRingSine2: return "Sine2";
    case kRingSine3: return "Sine3";
    default: return "Sine";
  }
}

double RingModulator::carrier() const {
  const double p = mPhase;
  switch (mWaveform) {
    case kRingPulse:
      return p < ConstantsD::kPi ? 1.0 : -1.0;
    case kRingSaw: {
      const double q = p / ConstantsD::k2_Pi;
      return q < 0.5 ? 2.0 * q : 2.0 * q - 2.0;
    }
    case kRingSine2:
      return (std::sin(p) + std::sin(-2.0 * p)) * 0.5;
    case kRingSine3:
      return (std::sin(2.0 * p) - std::sin(p) + std::sin(4.0 * p)) * 0.3;
    default:
      return std::sin(p);
  }
}

void RingModulator::modulate(double** channels, int n) {
  if (isFadedOut() || n < 1) return;
  // The phase and the glide wait while the effect is silent.
  if (mFrequency == 0.0 || mAmount == 0.0) return;
  double* left = channels[0];
  double* right = channels[1];
  for (int i = 0; i < n; ++i) {
    const double w = carrier();
    const double g = mFadeLevel * mSmoothedAmount.step(mAmount);
    left[i] = (1.0 - g) * left[i] + g * left[i] * w;
    right[i] = (1.0 - g) * right[i] + g * right[i] * w;
    advanceFade();
    mPhase = std::fmod(mPhase + mPhaseIncrement, ConstantsD::k2_Pi);
  }
}

double RingModulator::modulate(double x) const {
  if (mBypass || mFrequency == 0.0 || mAmount == 0.0) return x;
  return (1.0 - mAmount) * x + mAmount * x * std::sin(mPhase);
}

}  // namespace Quillvane
