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

  void settle() override {
    m_remainingSamples = 0;
    m_transitionParams = this->getParams();
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
    if (!this->isDesigned()) return;
    for (int first = 0; first < numSamples;) {
      const int count = std::min(numSamples - first, this->samplesToCheck());
      this->listen(first, count, arrayOfChannels);
      const int rampSamples = std::min(m_remainingSamples, count);
      for (int n = first; n < first + rampSamples; ++n) rampOneSample(n, arrayOfChannels);
      this->processSteady(first + rampSamples, first + count, arrayOfChannels);
      this->advanceToCheck(count, m_remainingSamples > 0 ? m_transitionDesign : this->m_design);
      first += count;
    }
  }

  // Every step is taken anew from the values reached, so each is equal and
  // none depends on where a block began.
  template <class Sample>
  void rampOneSample(int n, Sample* const* arrayOfChannels) {
    const int numParams = DesignClass::getNumParams();
    const Params& target = this->getParams();
    const double t = 1. / m_remainingSamples;
    for (int i = 0; i < numParams; ++i) {
      m_transitionParams[i] += (target[i] - m_transitionParams[i]) * t;
    }
    m_transitionDesign.setParams(m_transitionParams);
    for (int i = Channels - 1; i >= 0; --i) {
      m_transitionDesign.process(1, arrayOfChannels[i] + n, this->m_state[i]);
    }
    if (--m_remainingSamples == 0) m_transitionParams = target;
  }

  Params m_transitionParams;
  DesignClass m_transitionDesign;
  int m_transitionSamples;
  int m_remainingSamples = 0;
};

}  // namespace Dsp
