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
