#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "dsp/Filter.h"
#include "dsp/SmoothedFilterDesign.h"
#include "dsp/State.h"
#include "engine/ReferenceRate.h"

namespace Quillvane {

// Length of every design's parameter glide, in samples at 44.1 kHz.
constexpr int kDesignTransitionSamples = 512;

// The one kind of filter the units build: two channels, parameter changes
// gliding over kDesignTransitionSamples until the unit learns its rate.
template <class DesignClass, class StateType>
std::unique_ptr<Dsp::Filter> makeSmoothedDesign() {
  return std::make_unique<Dsp::SmoothedFilterDesign<DesignClass, 2, StateType>>(
      kDesignTransitionSamples);
}

// Resetting a unit starts it again from silence, so a glide still heading
// from earlier designs (the ones it was built with, say) has nothing left to
// carry and would only ring: the design jumps to the glide's target, and
// later changes glide over as long as referenceSamples last at 44.1 kHz.
inline void resetSettled(Dsp::Filter& filter, double sampleRate, int referenceSamples = kDesignTransitionSamples) {
  filter.doSetTransitionSamples(samplesAtRate(referenceSamples, sampleRate));
  filter.settle();
  filter.reset();
}

// A band design's centre and width in Hz at sampleRate for the band that
// centreHz and widthHz give at 44.1 kHz: the designs place the band by its
// edges, so each edge is mapped.
struct BandAtRate {
  double centreHz;
  double widthHz;
};
inline BandAtRate bandAtRate(double centreHz, double widthHz, double sampleRate) {
  if (sampleRate == ConstantsD::kDefaultSampleRate) return {centreHz, widthHz};
  const double low = frequencyAtRate(centreHz - 0.5 * widthHz, sampleRate);
  const double high = frequencyAtRate(centreHz + 0.5 * widthHz, sampleRate);
  return {0.5 * (low + high), high - low};
}

// Native value of a design's parameter for a normalised control value.
inline double nativeValue(const Dsp::Filter& filter, int paramId, double control) {
  return filter.getParamInfo(filter.findParamId(paramId)).toNativeValue(control);
}

// Writes one parameter into a unit's working copy of a design's vector.
inline void setParam(const Dsp::Filter& filter, Dsp::Params& working, int paramId, double value) {
  working[filter.findParamId(paramId)] = value;
}

// The same, then applies the whole copy.
inline void applyParam(Dsp::Filter& filter, Dsp::Params& working, int paramId, double value) {
  setParam(filter, working, paramId, value);
  filter.setParams(working);
}

// A unit's pair of scratch channels; it only ever grows.
class StereoScratch {
 public:
  explicit StereoScratch(int size) : mLeft(size), mRight(size) {}

  void grow(int size) {
    if (size <= static_cast<int>(mLeft.size())) return;
    mLeft.assign(size, 0.0);
    mRight.assign(size, 0.0);
  }
  void copyFrom(double* const* channels, int n) {
    std::copy(channels[0], channels[0] + n, mLeft.begin());
    std::copy(channels[1], channels[1] + n, mRight.begin());
  }
  double* const* channels() {
    mChannels[0] = mLeft.data();
    mChannels[1] = mRight.data();
    return mChannels;
  }
  double* left() { return mLeft.data(); }
  double* right() { return mRight.data(); }

 private:
  std::vector<double> mLeft;
  std::vector<double> mRight;
  double* mChannels[2] = {nullptr, nullptr};
};

}  // namespace Quillvane
