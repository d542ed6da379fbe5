#pragma once

#include <algorithm>

#include "dsp/FilterDesign.h"

namespace Dsp {

// A filter whose parameter changes glide: a second design object follows
// the parameters linearly from where they stood to the new values over a
// number of samples, redesigned at every sample, while each channel's
// history carries on. The first parameter set applies at once.
template <class DesignClass, int Channels, class StateType>
class SmoothedFilterDesign : public FilterDesign<DesignClass, Channels, StateType> {
 public:
  explicit SmoothedFilterDesign(int transitionSamples)
      : m_transitionSamples(std::max(transitionSamples, 0)) {}

  void process(int numSamples, float* const* arrayOfChannels) override {
    processBlock(numSamples, arrayOfChannels);
  }

  void process(int numSamples, double* const* arrayOfChannels) override {
    processBlock(numSamples, arrayOfChannels);
  }

  // Restarts the ramp with the new length from wherever it stands; a
  // negative length counts as 0, which ends any ramp at once.
  void doSetTransitionSamples(int transitionSamples) override {
    m_transitionSamples = std::max(transitionSamples, 0);
    if (this->isDesigned()) restartRamp();
  }

  int getTransitionSamples() const { return m_transitionSamples; }
  int getRemainingSamples() const { return m_remainingSamples; }
  const Params& getTransitionParams() const { return m_transitionParams; }

 protected:
  void doSetParams(const Params& parameters) override {
    if (this->isDesigned()) {
      restartRamp();
    } else {
      m_remainingSamples = 0;
      m_transitionParams = parameters;
    }
    FilterDesignBase<DesignClass>::doSetParams(parameters);
  }

 private:
  // With nothing left to ramp the transition values must equal the target,
  // so a later ramp never starts from stale values.
  void restartRamp() {
    m_remainingSamples = m_transitionSamples;
    if (m_remainingSamples == 0) m_transitionParams = this->getParams();
  }

  template <class Sample>
  void processBlock(int numSamples, Sample* const* arrayOfChannels) {
    if (!this->isDesigned() || numSamples < 1) return;
    const auto silent = this->silentChannels(numSamples, arrayOfChannels);

    const int rampSamples = std::min(m_remainingSamples, numSamples);
    if (rampSamples > 0) {
      const int numParams = DesignClass::getNumParams();
      const Params& target = this->getParams();
      // Recomputed per block from the values reached, so every step is equal.
      const double t = 1. / m_remainingSamples;
      Params step;
      for (int i = 0; i < numParams; ++i) {
        step[i] = (target[i] - m_transitionParams[i]) * t;
      }

      for (int n = 0; n < rampSamples; ++n) {
        for (int i = 0; i < numParams; ++i) m_transitionParams[i] += step[i];
        m_transitionDesign.setParams(m_transitionParams);
        for (int i = Channels - 1; i >= 0; --i) {
          m_transitionDesign.process(1, arrayOfChannels[i] + n, this->m_state[i]);
        }
      }

      m_remainingSamples -= rampSamples;
      if (m_remainingSamples == 0) m_transitionParams = target;
    }

    this->processSteady(rampSamples, numSamples, arrayOfChannels);
    this->silenceRungOut(m_remainingSamples > 0 ? m_transitionDesign : this->m_design, silent);
  }

  Params m_transitionParams;
  DesignClass m_transitionDesign;
  int m_transitionSamples;
  int m_remainingSamples = 0;
};

}  // namespace Dsp
