#pragma once

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
    processSteady(0, numSamples, arrayOfChannels);
  }

  void process(int numSamples, double* const* arrayOfChannels) override {
    processSteady(0, numSamples, arrayOfChannels);
  }

 protected:
  // Runs samples first .. numSamples-1 of every channel through the design.
  template <class Sample>
  void processSteady(int first, int numSamples, Sample* const* arrayOfChannels) {
    if (!this->isDesigned() || numSamples - first < 1) return;
    for (int i = 0; i < Channels; ++i) {
      this->m_design.process(numSamples - first, arrayOfChannels[i] + first, m_state[i]);
    }
  }

  typename DesignClass::template State<StateType> m_state[Channels];
};

}  // namespace Dsp
