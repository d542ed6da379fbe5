#pragma once

#include <algorithm>
#include <array>
#include <iterator>
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
  void settle() override {}

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
    m_sinceCheck = 0;
    m_heardSound.fill(false);
  }

  bool holdsSignal() const override {
    return std::any_of(std::begin(m_state), std::end(m_state), [](const auto& state) { return !state.isClear(); });
  }

  void process(int numSamples, float* const* arrayOfChannels) override {
    processBlock(numSamples, arrayOfChannels);
  }

  void process(int numSamples, double* const* arrayOfChannels) override {
    processBlock(numSamples, arrayOfChannels);
  }

 protected:
  // A tail is ended only at fixed points of the filter's own count of
  // samples, after a stretch of exact silence, so that the samples it gives
  // never depend on how its input was cut into blocks. Between checks the
  // test stays out of the per-sample loop; a history gets from one check to
  // a subnormal only when it decays so fast that it passes through them in
  // a few samples. Only exact silence ends a tail, so no quiet signal loses
  // its history.
  static constexpr int kSilenceCheckSamples = 64;

  int samplesToCheck() const { return kSilenceCheckSamples - m_sinceCheck; }

  // Which channels take in sound in samples first .. first + count - 1,
  // asked before they are overwritten; the scan stops at the first sound.
  template <class Sample>
  void listen(int first, int count, Sample* const* arrayOfChannels) {
    for (int i = 0; i < Channels; ++i) {
      if (m_heardSound[i]) continue;
      const Sample* x = arrayOfChannels[i] + first;
      m_heardSound[i] = std::any_of(x, x + count, [](Sample v) { return v != 0; });
    }
  }

  // After count more samples, at most up to the next check: there each
  // channel that took in only silence since the last one ends its tail once
  // it has rung out under the design that ran last.
  void advanceToCheck(int count, const DesignClass& design) {
    m_sinceCheck += count;
    if (m_sinceCheck < kSilenceCheckSamples) return;
    m_sinceCheck = 0;
    for (int i = 0; i < Channels; ++i) {
      if (!m_heardSound[i]) design.silenceIfRungOut(m_state[i]);
      m_heardSound[i] = false;
    }
  }

  // Runs samples first .. end - 1 of every channel through the design.
  template <class Sample>
  void processSteady(int first, int end, Sample* const* arrayOfChannels) {
    if (!this->isDesigned() || end - first < 1) return;
    for (int i = 0; i < Channels; ++i) {
      this->m_design.process(end - first, arrayOfChannels[i] + first, m_state[i]);
    }
  }

  typename DesignClass::template State<StateType> m_state[Channels];

 private:
  template <class Sample>
  void processBlock(int numSamples, Sample* const* arrayOfChannels) {
    if (!this->isDesigned()) return;
    for (int first = 0; first < numSamples;) {
      const int count = std::min(numSamples - first, samplesToCheck());
      listen(first, count, arrayOfChannels);
      processSteady(first, first + count, arrayOfChannels);
      advanceToCheck(count, this->m_design);
      first += count;
    }
  }

  // Samples since the last check, and which channels took in sound then.
  int m_sinceCheck = 0;
  std::array<bool, Channels> m_heardSound{};
};

}  // namespace Dsp
