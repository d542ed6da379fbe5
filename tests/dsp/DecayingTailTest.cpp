#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "dsp/Butterworth.h"
#include "dsp/ChebyshevI.h"
#include "dsp/RBJ.h"
#include "dsp/SmoothedFilterDesign.h"

namespace {

// After an impulse a tail decays into exact zeros within seconds, and no
// sample on its way is a subnormal number.
template <class Filter>
void expectTailEndsInZeros(Filter& filter) {
  filter.setParams(filter.getDefaultParams());
  std::vector<double> left(44100 * 5);
  std::vector<double> right(left.size());
  left[0] = right[0] = 1;
  double* channels[2] = {left.data(), right.data()};
  // In blocks, as the units run them: a history is dropped between blocks.
  for (std::size_t done = 0; done < left.size(); done += 512) {
    const int n = static_cast<int>(std::min<std::size_t>(512, left.size() - done));
    double* block[2] = {channels[0] + done, channels[1] + done};
    filter.process(n, block);
  }
  for (std::size_t i = 0; i < left.size(); ++i) {
    ASSERT_NE(std::fpclassify(left[i]), FP_SUBNORMAL) << filter.getName() << " " << i;
  }
  EXPECT_EQ(left.back(), 0.0) << filter.getName();
  EXPECT_NE(left[1], 0.0) << filter.getName();
}

TEST(DecayingTail, EndsInZerosWithoutSubnormals) {
  Dsp::SmoothedFilterDesign<Dsp::ChebyshevI::Design::LowPass<4>, 2, Dsp::DirectFormII> cheby(512);
  Dsp::SmoothedFilterDesign<Dsp::ChebyshevI::Design::HighPass<2>, 2, Dsp::DirectFormI> cheby2(512);
  Dsp::SmoothedFilterDesign<Dsp::Butterworth::Design::BandStop<2>, 2, Dsp::DirectFormI> stop(512);
  Dsp::SmoothedFilterDesign<Dsp::RBJ::Design::LowPass, 2, Dsp::DirectFormII> rbj(512);
  expectTailEndsInZeros(cheby);
  expectTailEndsInZeros(cheby2);
  expectTailEndsInZeros(stop);
  expectTailEndsInZeros(rbj);
}

}  // namespace
