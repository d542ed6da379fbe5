#include "engine/Modulator.h"

#include <cmath>

namespace Quillvane {

Modulator::Modulator() : mPhaseIncrement(1.0 / mSampleRate) {}

void Modulator::init() {
  mPhase = 0.0;
  mPhaseIncrement = 1.0 / mSampleRate;
}

void Modulator::updateIncrement() {
  mPhaseIncrement = (1.0 / mSampleRate) * mFrequency * mMaxFrequency * ConstantsD::k2_Pi;
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

double Modulator::getValue() const {
  if (mBypass || mFrequency == 0.0) return 0.0;
  double shape;
  if (mWaveform == kModSquare) {
    shape = std::fmod(mPhase, ConstantsD::k2_Pi) < ConstantsD::kPi ? 1.0 : 0.0;
  } else {
    shape = std::sin(mPhase);
  }
  return shape * mAmount;
}

}  // namespace Quillvane
