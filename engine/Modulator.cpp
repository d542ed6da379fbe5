#include "engine/Modulator.h"

namespace Quillvane {

Modulator::Modulator() : mPhaseIncrement(1.0 / mSampleRate) {}

void Modulator::init() {
  mPhase = 0.0;
  mPhaseIncrement = 1.0 / mSampleRate;
}

void Modulator::updateIncrement() {
  mPhaseIncrement = (1.0 / mSampleRate) * mFrequency * mMaxFrequency * ConstantsD::k2_Pi;
}

void Modulator::valuesFrom(double phase, double* out, int n) const {
  if (mBypass || mFrequency == 0.0 || mWaveform == kModSquare) {
    for (int i = 0; i < n; ++i, phase += mPhaseIncrement) out[i] = valueAt(phase);
    return;
  }
  for (int i = 0; i < n; ++i, phase += mPhaseIncrement) out[i] = phase;
  VectorMath::sin(out, out, n);
  for (int i = 0; i < n; ++i) out[i] = out[i] * mAmount;
}

void Modulator::setSampleRate(double rate) {
  AudioProcessingUnit::setSampleRate(rate);
  updateIncrement();
}

void Modulator::setFrequency(double f) {
  mFrequency = f;
  updateIncrement();
}

void Modulator::setFrequencyHz(double hz) {
  mFrequency = hz / mMaxFrequency;
  updateIncrement();
}

}  // namespace Quillvane
