#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "dsp/Filter.h"

namespace Dsp {

// A filter around one design object: everything that depends on the design
// only. DesignClass supplies the static kind, name and parameter list, and
// setParams, response and getPoleZeros.
template <class DesignClass>
class FilterDesignBase : public Filter {
 public:
  Kind getKind() const override { return DesignClass::getKind(); }
  std::string getName() const override { return DesignClass::getName(); }
  int getNumParams() const override { return DesignClass::getNumParams(); }
  ParamInfo getParamInfo(int index) const override { return DesignClass::getParamInfo(index); }
  std::vector<PoleZeroPair> getPoleZeros() const override { return m_design.getPoleZeros(); }
  complex_t response(double normalizedFrequency) const override {
    return m_design.response(normalizedFrequency);
  }
  void doSetTransitionSamples(int) override {}

  // False until the first parameter set; an undesigned filter passes signal.
  bool isDesigned() const { return m_designed; }

 protected:
  void doSetParams(const Params& parameters) override {
    m_design.setParams(parameters);
    m_designed = true;
  }

  DesignClass m_design;

 private:
  bool m_designed = false;
};

// Adds the signal history of each channel and plain block processing.
template <class DesignClass, int Channels, class StateType>
class FilterDesign : public FilterDesignBase<DesignClass> {
 public:
  int getNumChannels() const override { return Channels; }

  void reset() override {
    for (auto& state : m_state) state.reset();
  }

  void process(int numSamples, float* const* arrayOfChannels) override {
    processBlock(numSamples, arrayOfChannels);
  }

  void process(int numSamples, double* const* arrayOfChannels) override {
    processBlock(numSamples, arrayOfChannels);
  }

 protected:
  using SilentChannels = std::array<bool, Channels>;

  // Which channels take in exact silence this block, asked before the block
  // overwrites its input; the scan stops at a channel's first sound.
  template <class Sample>
  static SilentChannels silentChannels(int numSamples, Sample* const* arrayOfChannels) {
    SilentChannels silent;
    for (int i = 0; i < Channels; ++i) {
      const Sample* x = arrayOfChannels[i];
      silent[i] = std::all_of(x, x + numSamples, [](Sample v) { return v == 0; });
    }
    return silent;
  }

  // After a block: each channel that took in silence ends its tail once it
  // has rung out under the design that ran last. Once a block keeps the
  // test out of the per-sample loop; a history gets from there to a
  // subnormal within one block only when it decays so fast that it passes
  // through them in a few samples. Only a block of exact silence ends a
  // tail, so no quiet signal loses its history.
  void silenceRungOut(const DesignClass& design, const SilentChannels& silent) {
    for (int i = 0; i < Channels; ++i) {
      if (silent[i]) design.silenceIfRungOut(m_state[i]);
    }
  }

  // Runs samples first .. numSamples-1 of every channel through the design.
  template <class Sample>
  void processSteady(int first, int numSamples, Sample* const* arrayOfChannels) {
    if (!this->isDesigned() || numSamples - first < 1) return;
    for (int i = 0; i < Channels; ++i) {
      this->m_design.process(numSamples - first, arrayOfChannels[i] + first, m_state[i]);
    }
  }

  typename DesignClass::template State<StateType> m_state[Channels];

 private:
  template <class Sample>
  void processBlock(int numSamples, Sample* const* arrayOfChannels) {
    if (!this->isDesigned() || numSamples < 1) return;
    const SilentChannels silent = silentChannels(numSamples, arrayOfChannels);
    processSteady(0, numSamples, arrayOfChannels);
    silenceRungOut(this->m_design, silent);
  }
};

}  // namespace Dsp
