#pragma once

#include "engine/Modulator.h"
#include "engine/OnePoleSmoother.h"

namespace Quillvane {

// Audio-rate frequency-modulation operator. The single-sample forms use the
// amount as set; the block form glides it through a one-pole smoother.
class FmModulator : public Modulator {
 public:
  FmModulator();

  void init();
  // Also keeps the amount's glide in time.
  void setSampleRate(double rate) override;

  double modulate(double x) const;
  float modulate(float x) const;
  void modulate(double** buffers, int n);
  void modulate(float** buffers, int n);

  double getSmoothedAmount() const { return mSmoother.state; }

 private:
  bool isSilent() const { return mBypass || mFrequency == 0.0 || mAmount == 0.0; }
  template <typename T>
  void modulateBlock(T** buffers, int n);

  OnePoleSmoother mSmoother;
};

}  // namespace Quillvane
