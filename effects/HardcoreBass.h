#pragma once

#include <memory>

#include "dsp/Filter.h"
#include "effects/FilterSettings.h"
#include "engine/AudioProcessingUnit.h"

namespace Quillvane {

// Bass enhancer: a Butterworth high-pass that can replace part of the input,
// thinning the old bass, and a band-pass around a low centre, optionally
// driven into an arctangent saturator, added on top as new bass.
class HardcoreBass : public AudioProcessingUnit {
 public:
  HardcoreBass();
  ~HardcoreBass() override;

  void setSampleRate(double sampleRate) override;
  // Grows the scratch buffers; they never shrink.
  void setBlockSize(int n);
  void reset();
  // Leaves a block longer than the block size untouched.
  void process(double** channels, int n);

  // 20..80 Hz for x in 0..1.
  void setBassHPFrequency(double x);
  // 100..200 Hz for x in 0..1.
  void setBassCenterFrequency(double x);
  // Share of the high-passed signal that replaces the input; it only filters
  // above 0.5.
  void setHighPassAmount(double a) { mHighPassAmount = a; }
  void setBassAmount(double b) { mBassAmount = b; }
  void setSaturationAmount(double c) { mSaturationAmount = c; }

  double getHighPassFrequency() const { return mHighPassFrequency; }
  double getCenterFrequency() const { return mCenterFrequency; }
  double getOldBassAmountDb() const;
  double getBassAmountdB() const;

 private:
  static constexpr double kDefaultHighPassFrequency = 50.0;
  static constexpr double kDefaultCenterFrequency = 150.0;
  static constexpr double kBandWidth = 200.0;

  std::unique_ptr<Dsp::Filter> mHighPass;
  std::unique_ptr<Dsp::Filter> mBandPass;
  double mCenterFrequency = kDefaultCenterFrequency;
  double mHighPassFrequency = kDefaultHighPassFrequency;
  Dsp::Params mHighPassParams;
  Dsp::Params mBandPassParams;
  int mBlockSize = 128;
  double mHighPassAmount = 0.0;
  double mBassAmount = 0.0;
  double mSaturationAmount = 0.0;
  StereoScratch mHighPassed;
  StereoScratch mBass;
};

}  // namespace Quillvane
