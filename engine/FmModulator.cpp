#include "engine/FmModulator.h"

#include <cmath>

namespace Quillvane {

FmModulator::FmModulator() {
  setMaxFrequency(ConstantsD::kMaxFmModulatorFrequency);
  setFrequency(0.1);
  setAmount(0.0);
  Modulator::init();
}

void FmModulator::init() {
  Modulator::init();
  mSmoother.setPole(defaultSmoothPole(mSampleRate));
}

void FmModulator::setSampleRate(double rate) {
  Modulator::setSampleRate(rate);
  mSmoother.setPole(defaultSmoothPole(rate));
}

double FmModulator::modulate(double x) const {
  if (isSilent()) return x;
  return (1.0 - mAmount) * x + mAmount * x * std::sin(mPhase);
}

float FmModulator::modulate(float x) const { return static_cast<float>(modulate(static_cast<double>(x))); }

template <typename T>
void FmModulator::modulateBlock(T** buffers, int n) {
  if (isSilent() || n < 1) return;
  T* left = buffers[0];
  T* right = buffers[1];
  for (int k = 0; k < n; ++k) {
    const double s = std::sin(mPhase);
    const double amount = mSmoother.step(mAmount);
    const double l = left[k];
    const double r = right[k];
    left[k] = static_cast<T>(l * (1.0 - amount) + l * amount * s);
    right[k] = static_cast<T>(r * (1.0 - amount) + r * amount * s);
    mPhase += mPhaseIncrement;
  }
}

void FmModulator::modulate(double** buffers, int n) { modulateBlock(buffers, n); }
void FmModulator::modulate(float** buffers, int n) { modulateBlock(buffers, n); }

}  // namespace Quillvane
