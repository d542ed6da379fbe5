#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "dsp/Butterworth.h"
#include "dsp/ChebyshevI.h"
#include "dsp/RBJ.h"
#include "dsp/SmoothedFilterDesign.h"

namespace {

using Dsp::DirectFormI;
using Dsp::DirectFormII;
using Dsp::Filter;
using Dsp::Params;
using Dsp::SmoothedFilterDesign;

// Every design the effect units build, with what the interface must report.
struct Instance {
  Filter* filter;
  const char* name;
  Dsp::Kind kind;
  int ids[5];
  int numParams;
  int maxOrder;
};

class FilterInterface : public ::testing::Test {
 protected:
  SmoothedFilterDesign<Dsp::Butterworth::Design::LowShelf<2>, 2, DirectFormI> lowShelf{512};
  SmoothedFilterDesign<Dsp::Butterworth::Design::HighShelf<2>, 2, DirectFormI> highShelf{512};
  SmoothedFilterDesign<Dsp::Butterworth::Design::BandShelf<2>, 2, DirectFormI> bandShelf{512};
  SmoothedFilterDesign<Dsp::Butterworth::Design::BandPass<2>, 2, DirectFormI> bandPass{512};
  SmoothedFilterDesign<Dsp::Butterworth::Design::BandStop<2>, 2, DirectFormI> bandStop{512};
  SmoothedFilterDesign<Dsp::Butterworth::Design::HighPass<2>, 2, DirectFormI> highPass{512};
  SmoothedFilterDesign<Dsp::ChebyshevI::Design::LowPass<2>, 2, DirectFormI> cheby1Low2{512};
  SmoothedFilterDesign<Dsp::ChebyshevI::Design::HighPass<2>, 2, DirectFormI> cheby1High2{512};
  SmoothedFilterDesign<Dsp::ChebyshevI::Design::LowPass<4>, 2, DirectFormII> cheby1Low4{512};
  SmoothedFilterDesign<Dsp::ChebyshevI::Design::HighPass<4>, 2, DirectFormII> cheby1High4{512};
  SmoothedFilterDesign<Dsp::RBJ::Design::LowPass, 2, DirectFormII> rbjLow{512};
  SmoothedFilterDesign<Dsp::RBJ::Design::HighPass, 2, DirectFormII> rbjHigh{512};
  SmoothedFilterDesign<Dsp::RBJ::Design::BandPass1, 2, DirectFormII> rbjBandPass{512};
  SmoothedFilterDesign<Dsp::RBJ::Design::BandStop, 2, DirectFormII> rbjBandStop{512};

  std::vector<Instance> instances() {
    return {
        {&lowShelf, "Butterworth Low Shelf", Dsp::kindLowShelf, {0, 7, 1, 5}, 4, 2},
        {&highShelf, "Butterworth High Shelf", Dsp::kindHighShelf, {0, 7, 1, 5}, 4, 2},
        {&bandShelf, "Butterworth Band Shelf", Dsp::kindBandShelf, {0, 7, 1, 4, 5}, 5, 2},
        {&bandPass, "Butterworth Band Pass", Dsp::kindBandPass, {0, 7, 1, 4}, 4, 2},
        {&bandStop, "Butterworth Band Stop", Dsp::kindBandStop, {0, 7, 1, 4}, 4, 2},
        {&highPass, "Butterworth High Pass", Dsp::kindHighPass, {0, 7, 1}, 3, 2},
        {&cheby1Low2, "Chebyshev I Low Pass", Dsp::kindLowPass, {0, 7, 1, 8}, 4, 2},
        {&cheby1High2, "Chebyshev I High Pass", Dsp::kindHighPass, {0, 7, 1, 8}, 4, 2},
        {&cheby1Low4, "Chebyshev I Low Pass", Dsp::kindLowPass, {0, 7, 1, 8}, 4, 4},
        {&cheby1High4, "Chebyshev I High Pass", Dsp::kindHighPass, {0, 7, 1, 8}, 4, 4},
        {&rbjLow, "RBJ Low Pass", Dsp::kindLowPass, {0, 1, 2}, 3, 0},
        {&rbjHigh, "RBJ High Pass", Dsp::kindHighPass, {0, 1, 2}, 3, 0},
        {&rbjBandPass, "RBJ Band Pass 1", Dsp::kindBandPass, {0, 1, 3}, 3, 0},
        {&rbjBandStop, "RBJ Band Stop", Dsp::kindBandStop, {0, 1, 3}, 3, 0},
    };
  }
};

TEST_F(FilterInterface, EveryInstanceDescribesItself) {
  for (const Instance& in : instances()) {
    SCOPED_TRACE(in.name);
    EXPECT_EQ(in.filter->getName(), in.name);
    EXPECT_EQ(in.filter->getKind(), in.kind);
    EXPECT_EQ(in.filter->getNumChannels(), 2);
    ASSERT_EQ(in.filter->getNumParams(), in.numParams);
    for (int i = 0; i < in.numParams; ++i) {
      EXPECT_EQ(in.filter->getParamInfo(i).getId(), in.ids[i]) << "index " << i;
    }
    if (in.maxOrder > 0) {
      const Dsp::ParamInfo order = in.filter->getParamInfo(1);
      EXPECT_EQ(order.toNativeValue(1.0), in.maxOrder);
      EXPECT_EQ(order.getDefaultValue(), 2);
    }
    // Slots past the list, and negative ones, have no descriptor.
    for (int index : {-1, in.numParams, 7}) {
      EXPECT_THROW(in.filter->getParamInfo(index), std::logic_error) << "index " << index;
    }
  }
}

TEST_F(FilterInterface, DescriptorTextsComeThroughTheInterface) {
  EXPECT_STREQ(rbjBandStop.getParamInfo(2).getLabel(), "BW");
  EXPECT_STREQ(rbjBandStop.getParamInfo(2).getName(), "Bandwidth (Octaves)");
  EXPECT_STREQ(bandShelf.getParamInfo(4).getName(), "Gain");
  EXPECT_STREQ(bandShelf.getParamInfo(3).getName(), "Bandwidth (Hz)");
  EXPECT_STREQ(lowShelf.getParamInfo(2).getName(), "Cutoff Frequency");
  EXPECT_STREQ(bandPass.getParamInfo(2).getName(), "Center Frequency");
  try {
    rbjLow.getParamInfo(3);
    FAIL() << "no exception";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "invalid usage of ParamInfo");
  }
}

TEST_F(FilterInterface, DefaultParamsFillOnlyTheUsedSlots) {
  const Params p = rbjLow.getDefaultParams();
  EXPECT_EQ(p[0], 44100);
  EXPECT_EQ(p[1], 2000);
  EXPECT_EQ(p[2], 1);
  for (int i = 3; i < 8; ++i) EXPECT_EQ(p[i], 0.0) << i;

  const Params shelf = bandShelf.getDefaultParams();
  const double expected[] = {44100, 2, 2000, 1720, -6, 0, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(shelf[i], expected[i]) << i;
}

TEST_F(FilterInterface, FindAndSetParamById) {
  cheby1Low4.setParams(cheby1Low4.getDefaultParams());
  EXPECT_EQ(cheby1Low4.findParamId(Dsp::idFrequency), 2);
  EXPECT_EQ(cheby1Low4.findParamId(Dsp::idRippleDb), 3);
  EXPECT_EQ(cheby1Low4.findParamId(Dsp::idQ), -1);

  // An absent id neither stores nor redesigns: no ramp starts.
  cheby1Low4.setParamById(Dsp::idQ, 5);
  EXPECT_EQ(cheby1Low4.getRemainingSamples(), 0);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(cheby1Low4.getParam(i), cheby1Low4.getDefaultParams()[i]);
  }

  // A present id stores the value unclamped and redesigns.
  cheby1Low4.setParamById(Dsp::idFrequency, 30000);
  EXPECT_EQ(cheby1Low4.getParam(2), 30000);
  EXPECT_EQ(cheby1Low4.getRemainingSamples(), 512);
}

TEST_F(FilterInterface, CopyParamsTakesSharedIdsClampedAndDefaultsTheRest) {
  Params p = rbjLow.getDefaultParams();
  p[0] = 48000;
  p[1] = 30000;  // above the frequency range
  p[2] = 4;      // Q: no counterpart in a Chebyshev design
  rbjLow.setParams(p);

  cheby1Low4.setParams(cheby1Low4.getDefaultParams());
  cheby1Low4.copyParamsFrom(&rbjLow);
  EXPECT_EQ(cheby1Low4.getParam(0), 48000);
  EXPECT_EQ(cheby1Low4.getParam(1), 2);
  EXPECT_NEAR(cheby1Low4.getParam(2), 22040, 1e-6);
  EXPECT_EQ(cheby1Low4.getParam(3), 0.01);
  EXPECT_EQ(cheby1Low4.getRemainingSamples(), 512);
}

TEST_F(FilterInterface, CopyParamsFromNullRestoresDefaults) {
  Params p = rbjBandStop.getDefaultParams();
  p[1] = 500;
  rbjBandStop.setParams(p);
  rbjBandStop.copyParamsFrom(nullptr);
  EXPECT_EQ(rbjBandStop.getParam(1), 2000);
  // The redesign happened: the notch is back at 2000 Hz.
  EXPECT_NEAR(std::abs(rbjBandStop.response(2000.0 / 44100)), 0.0, 1e-9);
}

}  // namespace
