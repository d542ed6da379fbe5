#pragma once

#include <memory>

#include "dsp/Filter.h"
#include "effects/FilterSettings.h"
#include "engine/AudioProcessingUnit.h"

namespace Quillvane {

// Three-band tone control: Butterworth shelves for bass (400 Hz) and high
// (4400 Hz); the mid knob adds a band-passed copy of the input above its
// centre position and fades towards a band-stopped copy below it. Amounts run
// 0..1 with 0.5 neutral; shelf gains follow -24 + 48x dB.
class Equalizer : public AudioProcessingUnit {
 public:
  Equalizer();
  ~Equalizer() override;

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

  void setBassAmount(double x);
  void setMidAmount(double x);
  void setHighAmount(double x);
  // Runs the mid as a band shelf in series with the two shelves instead.
  void setBandShelfMode(bool on) { mBandShelfMode = on; }

  double getBassGainDb() const;
  // The mid's gain at the band's centre as the unit plays it; minus
  // infinity where the band-stop alone notches it out.
  double getMidGainDb() const;
  double getHighGainDb() const;

 private:
  static double gainDb(const Dsp::Filter& shelf, double amount);
  // Share of the band-passed or band-stopped input at a mid amount; 0 at
  // the centre position.
  static double bandMix(double mid) { return (2.0 * mid - 1.0) * (2.0 * mid - 1.0); }
  // The mid's design as it is set: the band shelf in its mode, else the
  // band-pass above the centre and the band-stop below it; none at it.
  Dsp::Filter* midDesign() const;
  void applyAll();
  // Writes the rate, the orders and the frequencies into every design's
  // working copy and applies them all.
  void placeDesigns();

  double mLowShelfFrequency = 400.0;
  std::unique_ptr<Dsp::Filter> mLowShelf;
  Dsp::Params mLowShelfParams;
  double mMidFrequency = 2400.0;
  double mMidBandwidth = 4000.0;
  std::unique_ptr<Dsp::Filter> mBandShelf;
  Dsp::Params mBandShelfParams;
  std::unique_ptr<Dsp::Filter> mBandPass;
  std::unique_ptr<Dsp::Filter> mBandStop;
  Dsp::Params mBandPassParams;
  Dsp::Params mBandStopParams;
  double mHighShelfFrequency = 4400.0;
  std::unique_ptr<Dsp::Filter> mHighShelf;
  Dsp::Params mHighShelfParams;
  bool mBandShelfMode = false;
  int mBlockSize = 128;
  double mBassAmount = 0.0;
  double mMidAmount = 0.0;
  double mHighAmount = 0.0;
  StereoScratch mShelved;
  StereoScratch mBand;
};

}  // namespace Quillvane
