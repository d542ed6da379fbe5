#pragma once

#include "engine/AudioProcessingUnit.h"
#include "engine/OnePoleSmoother.h"
#include "program/NormalisedSelector.h"

namespace Quillvane {

// Multiplies the signal by a free-running carrier of one of five shapes and
// blends the product with the dry signal by a smoothed amount.
class RingModulator : public AudioProcessingUnit {
 public:
  enum eRingModulatorWaveform { kRingSine = 0, kRingPulse, kRingSaw, kRingSine2, kRingSine3 };

  static constexpr double kMaxRingRate = 4000.0;

  RingModulator();

  void init();
  void setSampleRate(double rate) override;
  // Normalised frequency, scaled by the maximum frequency; not clamped.
  void setFrequency(double v);
  // Takes effect at the next setFrequency or setSampleRate.
  void setMaxFrequency(double hz) { mMaxFrequency = hz; }
  void setAmount(double v) { mAmount = v; }
  void setWaveform(double x);
  // The amount's glide and the bypass fade end on their targets at once.
  void settle() override;

  double getMaxFrequency() const { return mMaxFrequency; }
  double getFrequency() const { return mFrequency; }
  double getAmount() const { return mAmount; }
  double getWaveform() const { return selectorValue(mWaveform, kRingSine3); }
  const char* getWaveformText() const;
  double getPhaseIncrement() const { return mPhaseIncrement; }
  double getPhase() const { return mPhase; }

  void modulate(double** channels, int n);
  // One sample at the current phase and unsmoothed amount; changes nothing.
  double modulate(double x) const;

 private:
  double carrier() const;
  void updateIncrement();

  double mMaxFrequency = kMaxRingRate;
  double mFrequency = 0.1;
  double mAmount = 0.0;
  double mPhase = 0.0;
  double mPhaseIncrement;
  unsigned mWaveform = kRingSine;
  OnePoleSmoother mSmoothedAmount;
};

}  // namespace Quillvane
