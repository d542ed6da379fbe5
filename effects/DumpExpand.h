#pragma once

#include <memory>

#include "dsp/Filter.h"
#include "effects/FilterSettings.h"
#include "engine/AudioProcessingUnit.h"

namespace Quillvane {

// One-knob tone sweep: below the centre a Chebyshev I low-pass closes from
// the top ("dump"), above it the low-pass stays open and a high-pass sweeps
// up from 10 Hz ("expand").
class DumpExpand : public AudioProcessingUnit {
 public:
  DumpExpand();
  ~DumpExpand() override;

  // Also keeps both cutoffs below the new Nyquist frequency.
  void setSampleRate(double sampleRate) override;
  // Grows the scratch buffers; they never shrink.
  void setBlockSize(int n);
  void reset();
  // The designs' glides end on their targets at once.
  void settle() override;
  // Leaves a block longer than the block size untouched.
  void process(double** channels, int n);
  // Whether anything it holds would still reach its output from silence
  // in, as it is set now: a history of a design it runs.
  bool holdsSound() const;

  // Clamped to 0..1.
  void setDumpExpand(double x);
  double getDumpExpand() const { return mKnob; }
  // Cutoff in Hz and magnitude response of the design the knob works on;
  // f is a fraction of the sample rate.
  double getDumpExpandFreq() const;
  double getDumpExpandFreqResponse(double f) const;
  // n points of that design's magnitude, denser at low frequencies.
  void updateGUIData(double* out, int n) const;

 private:
  // Above the centre the high-pass runs too, after the open low-pass.
  bool expands() const { return mKnob >= 0.5; }
  const Dsp::Filter& activeDesign() const { return expands() ? *mHighPass : *mLowPass; }
  void applyCutoffs();

  std::unique_ptr<Dsp::Filter> mLowPass;
  std::unique_ptr<Dsp::Filter> mHighPass;
  Dsp::Params mLowPassParams;
  Dsp::Params mHighPassParams;
  int mBlockSize = 128;
  double mKnob = 0.5;
  // Cutoffs as the knob gives them at 44.1 kHz, before they are taken to the
  // rate.
  double mLowPassHz = 100.0;
  double mHighPassHz = 4000.0;
  StereoScratch mScratch;
};

}  // namespace Quillvane
