#pragma once

#include <cmath>
#include <cstdint>

#include "engine/AudioProcessingUnit.h"
#include "engine/VectorMath.h"

namespace Quillvane {

// Low-frequency oscillator: a phase accumulator in radians with a depth and
// a sine or unipolar square shape. The owner reads getValue() and then
// advances the phase once per sample.
class Modulator : public AudioProcessingUnit {
 public:
  enum eModulatorWaveform : int32_t { kModSine = 0, kModSquare = 1 };

  Modulator();

  void init();
  void reset() { mPhase = 0.0; }
  void setSampleRate(double rate) override;
  void setFrequency(double f);
  void setFrequencyHz(double hz);
  // Takes effect at the next frequency or sample-rate change.
  void setMaxFrequency(double m) { mMaxFrequency = m; }
  void setAmount(double a) { mAmount = a; }
  void setWaveform(eModulatorWaveform w) { mWaveform = w; }

  double getMaxFrequency() const { return mMaxFrequency; }
  double getFrequency() const { return mFrequency; }
  double getAmount() const { return mAmount; }
  eModulatorWaveform getWaveform() const { return mWaveform; }
  double getPhase() const { return mPhase; }
  double getPhaseIncrement() const { return mPhaseIncrement; }

  // Output at the current phase: 0 when bypassed or stopped, else the
  // shape times the amount.
  double getValue() const { return valueAt(mPhase); }
  // The same law at a phase that the owner keeps while it renders a run of
  // samples, handing the phase back with setPhase() afterwards.
  double valueAt(double phase) const {
    if (mBypass || mFrequency == 0.0) return 0.0;
    double shape;
    if (mWaveform == kModSquare) {
      shape = std::fmod(phase, ConstantsD::k2_Pi) < ConstantsD::kPi ? 1.0 : 0.0;
    } else {
      shape = VectorMath::sin(phase);
    }
    return shape * mAmount;
  }
  // out[i] = valueAt(the phase i advances on from phase), i = 0 .. n-1,
  // the sines taken an array at a time.
  void valuesFrom(double phase, double* out, int n) const;
  void advance() { mPhase += mPhaseIncrement; }
  // n calls of advance(), the increment added one by one.
  void advance(int n) {
    for (int i = 0; i < n; ++i) advance();
  }
  void setPhase(double phase) { mPhase = phase; }

 protected:
  void updateIncrement();

  double mAmount = 0.5;
  double mMaxFrequency = ConstantsD::kMaxLFOFrequency;
  double mFrequency = 0.1;
  double mPhase = 0.0;
  double mPhaseIncrement;
  eModulatorWaveform mWaveform = kModSine;
};

}  // namespace Quillvane
