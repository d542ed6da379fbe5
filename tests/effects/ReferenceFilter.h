#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>

#include "dsp/SmoothedFilterDesign.h"
#include "dsp/State.h"
#include "tests/effects/StereoBuffer.h"

namespace effectstest {

// A fresh two-channel library design set once to the given native parameter
// vector, to compare an effect unit's output against.
template <class DesignClass, class StateType>
std::unique_ptr<Dsp::Filter> reference(std::initializer_list<double> params) {
  auto filter = std::make_unique<Dsp::SmoothedFilterDesign<DesignClass, 2, StateType>>(512);
  Dsp::Params p;
  int i = 0;
  for (double v : params) p[i++] = v;
  filter->setParams(p);
  return filter;
}

// rate times tan(pi hz / rate): what a bilinear design's analog prototype
// sees of the frequency hz at that rate.
inline double prewarped(double hz, double rate) { return rate * std::tan(M_PI * hz / rate); }
// The frequency that a bilinear design at rate sees as it sees hz at 44.1 kHz.
inline double matching(double hz, double rate) { return rate / M_PI * std::atan(prewarped(hz, 44100) / rate); }

inline StereoBuffer filtered(Dsp::Filter& filter, StereoBuffer block) {
  filter.process(block.size(), block.channels());
  return block;
}

inline void expectNear(const StereoBuffer& actual, const StereoBuffer& expected, double tolerance) {
  for (int i = 0; i < actual.size(); ++i) {
    ASSERT_NEAR(actual.left()[i], expected.left()[i], tolerance) << "left " << i;
    ASSERT_NEAR(actual.right()[i], expected.right()[i], tolerance) << "right " << i;
  }
}

// Runs silence through a unit until its glides and ramps have settled, then
// clears its filter histories so it starts from rest like a fresh reference.
template <class Unit>
void settle(Unit& unit, int samples = 8192) {
  StereoBuffer silence(128);
  for (int done = 0; done < samples; done += 128) {
    std::fill(silence.left().begin(), silence.left().end(), 0.0);
    std::fill(silence.right().begin(), silence.right().end(), 0.0);
    unit.process(silence.channels(), 128);
  }
  unit.reset();
}

}  // namespace effectstest
