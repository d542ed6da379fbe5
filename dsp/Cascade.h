#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "dsp/Biquad.h"
#include "dsp/Layout.h"
#include "dsp/State.h"

namespace Dsp {

// A chain of second-order sections over storage owned by the enclosing design.
class Cascade {
 public:
  struct Storage {
    int maxStages;
    Biquad* stageArray;
  };

  Cascade() = default;
  Cascade(const Cascade&) = delete;
  Cascade& operator=(const Cascade&) = delete;

  void setCascadeStorage(const Storage& storage);

  int getNumStages() const { return m_numStages; }
  const Biquad& operator[](int index) const { return m_stageArray[index]; }

  // Loads one stage per pair, each later one at unit gain at the layout's
  // normal frequency, and scales the first so that the cascade's gain there
  // is the normal gain.
  void setLayout(const LayoutBase& proto);

  complex_t response(double normalizedFrequency) const;
  std::vector<PoleZeroPair> getPoleZeros() const;
  // Scales the first stage.
  void applyScale(double scale);

  // Filters one channel in place; a cascade without stages passes it through.
  template <class ChannelState, class Sample>
  void process(int numSamples, Sample* dest, ChannelState& state) const {
    processChain(m_stageArray, m_numStages, numSamples, dest, state);
  }

  // The per-sample loop shared by cascades and single-section designs.
  template <class Section, class ChannelState, class Sample>
  static void processChain(const Section* sections, int numSections, int numSamples,
                           Sample* dest, ChannelState& state) {
    if (numSections < 1) return;
    // Working on copies lets the compiler keep the history in registers:
    // stores to dest could otherwise alias it.
    auto histories = state.m_state;
    const int count = std::min(numSections, static_cast<int>(histories.size()));
    for (int i = 0; i < count; ++i) histories[i].follow(sections[i]);
    for (int n = 0; n < numSamples; ++n) {
      double out = histories[0].process1(static_cast<double>(dest[n]), sections[0]);
      for (int i = 1; i < count; ++i) out = histories[i].process1(out, sections[i]);
      dest[n] = static_cast<Sample>(out);
    }
    state.m_state = histories;
  }

  // Sets a channel's history to zero once no section could bring its output
  // back above kSilentOutput without input; the filters ask after a block
  // of exact silence.
  template <class ChannelState>
  void silenceIfRungOut(ChannelState& state) const {
    silenceIfRungOut(m_stageArray, m_numStages, state);
  }

  template <class Section, class ChannelState>
  static void silenceIfRungOut(const Section* sections, int numSections, ChannelState& state) {
    const int count = std::min(numSections, static_cast<int>(state.m_state.size()));
    for (int i = 0; i < count; ++i) {
      if (!state.m_state[i].isSilent(sections[i])) return;
    }
    state.reset();
  }

 private:
  int m_numStages = 0;
  int m_maxStages = 0;
  Biquad* m_stageArray = nullptr;
};

// Fixed stage storage for a cascade, and the matching per-channel history.
template <int MaxStages>
class CascadeStages {
 public:
  // One channel's history through the whole cascade.
  template <class StateType>
  class State {
   public:
    void reset() {
      for (auto& history : m_state) history.reset();
    }
    bool isClear() const {
      return std::all_of(m_state.begin(), m_state.end(), [](const StateType& h) { return h.isClear(); });
    }

   private:
    friend class Cascade;
    std::array<StateType, MaxStages> m_state;
  };

  Cascade::Storage getCascadeStorage() { return Cascade::Storage{MaxStages, m_stages}; }

 private:
  Biquad m_stages[MaxStages];
};

}  // namespace Dsp
