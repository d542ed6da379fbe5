#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "dsp/Butterworth.h"
#include "dsp/ChebyshevI.h"
#include "dsp/RBJ.h"
#include "dsp/SmoothedFilterDesign.h"

namespace {

// After an impulse, seconds of silence must never leave subnormal numbers
// in the output: the alternating offset keeps every stage's recursion busy.
template <class Filter>
void expectNoSubnormalTail(Filter& filter) {
  filter.setParams(filter.getDefaultParams());
  std::vector<double> left(44100 * 5);
  std::vector<double> right(left.size());
  left[0] = right[0] = 1;
  double* channels[2] = {left.data(), right.data()};
  filter.process(static_cast<int>(left.size()), channels);
  for (std::size_t i = 0; i < left.size(); ++i) {
    ASSERT_NE(std::fpclassify(left[i]), FP_SUBNORMAL) << filter.getName() << " " << i;
    ASSERT_NE(left[i], 0.0) << filter.getName() << " " << i;
  }
}

TEST(DecayingTail, NeverReachesSubnormals) {
  Dsp::SmoothedFilterDesign<Dsp::ChebyshevI::Design::LowPass<4>, 2, Dsp::DirectFormII> cheby(512);
  Dsp::SmoothedFilterDesign<Dsp::ChebyshevI::Design::HighPass<2>, 2, Dsp::DirectFormI> cheby2(512);
  Dsp::SmoothedFilterDesign<Dsp::Butterworth::Design::BandStop<2>, 2, Dsp::DirectFormI> stop(512);
  Dsp::SmoothedFilterDesign<Dsp::RBJ::Design::LowPass, 2, Dsp::DirectFormII> rbj(512);
  expectNoSubnormalTail(cheby);
  expectNoSubnormalTail(cheby2);
  expectNoSubnormalTail(stop);
  expectNoSubnormalTail(rbj);
}

}  // namespace
