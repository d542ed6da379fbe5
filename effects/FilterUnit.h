#pragma once

#include <memory>

#include "dsp/Filter.h"
#include "effects/FilterSettings.h"
#include "effects/FilterUti.h"
#include "engine/AudioProcessingUnit.h"
#include "engine/OnePoleSmoother.h"

namespace Quillvane {

// The multimode filter at the head of the effect chain: a clipped input
// drive, then one RBJ design and one Chebyshev I design side by side, picked
// per block by the two mode selectors and crossfaded by a smoothed mix.
// Cutoff, resonance and transition changes reach all eight designs, so a mode
// switch needs no redesign.
class FilterUnit : public AudioProcessingUnit {
 public:
  FilterUnit();
  ~FilterUnit() override;

  // The designs take the cutoff that sounds at this rate as the setting does
  // at 44.1 kHz, and the glides and smoothers keep their times.
  void setSampleRate(double sampleRate) override;
  // Grows the scratch buffers; they never shrink.
  void setBlockSize(int n);
  void reset();
  // Every glide, the designs' and the smoothers', and the bypass fade end on
  // their targets at once: for settings chosen while nothing sounds.
  void settle() override;
  // Leaves a block longer than the block size untouched.
  void process(double** channels, int n);
  // Whether anything it holds would still reach its output from silence
  // in, as it is set now: a history of either design it runs.
  bool holdsSound() const;

  void setCutoff(double x);
  void setRezo(double x);
  void setFilterMode1(double x) { mMode1 = x; }
  void setFilterMode2(double x) { mMode2 = x; }
  void setFilterMix(double x) { mMix = x; }
  void setInputDrive(double x) { mDrive = x; }
  void setFilterTransition(double x);

  double getCutoff() const { return mCutoff; }
  // The cutoff the setting gives, in Hz at 44.1 kHz; the designs at another
  // rate hold the frequency that sounds like it there.
  double getCutoffHz() const { return mCutoffHz; }
  double getRezo() const { return mRezo; }
  double getFilterTransition() const { return mTransition * 0.5; }
  const char* getFilterTransitionText() const;
  // Every design holds the same cutoff.
  Dsp::Filter* getActiveDSPFilter() { return design(kHP12); }
  Dsp::Filter* getSelectedDSPFilter1(double x);
  Dsp::Filter* getSelectedDSPFilter2(double x);

 private:
  enum Design { kRbjHP, kRbjLP, kRbjBP1, kRbjBS, kHP12, kLP12, kHP24, kLP24, kNumDesigns };

  Dsp::Filter* design(Design d) { return mDesigns[d].get(); }
  // The design each mode selector picks.
  static Design selection1(double x);
  static Design selection2(double x);
  void applyCutoff();
  // Of the selected transition, at 44.1 kHz.
  int referenceTransitionSamples() const;

  int mBlockSize = 128;
  double mDrive = 0.0;
  double mCutoff = 1.0;
  double mCutoffHz = 0.0;
  double mRezo = 0.0;
  double mMode1 = 0.0;
  double mMode2 = 0.0;
  double mMix = 1.0;
  OnePoleSmoother mMixSmoother;
  OnePoleSmoother mDriveSmoother;
  StereoScratch mBank1;
  StereoScratch mBank2;
  std::unique_ptr<Dsp::Filter> mDesigns[kNumDesigns];
  int mTransition = 1;
};

}  // namespace Quillvane
