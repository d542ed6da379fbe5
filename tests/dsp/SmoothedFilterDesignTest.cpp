#include "dsp/SmoothedFilterDesign.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "dsp/ChebyshevI.h"
#include "dsp/RBJ.h"
#include "tests/support/AllocationCounter.h"

namespace {

using Dsp::Params;
using LowPass4 =
    Dsp::SmoothedFilterDesign<Dsp::ChebyshevI::Design::LowPass<4>, 2, Dsp::DirectFormII>;
using RbjLowPass = Dsp::SmoothedFilterDesign<Dsp::RBJ::Design::LowPass, 2, Dsp::DirectFormII>;

// Two channels of test signal, processed in blocks.
struct Stereo {
  explicit Stereo(int frames) : left(frames), right(frames) {
    for (int i = 0; i < frames; ++i) {
      left[i] = std::sin(0.05 * i) + 0.3 * std::sin(1.3 * i);
      right[i] = std::cos(0.11 * i);
    }
  }

  template <class Filter>
  void run(Filter& filter, int first, int count) {
    double* channels[2] = {left.data() + first, right.data() + first};
    filter.process(count, channels);
  }

  std::vector<double> left;
  std::vector<double> right;
};

Params lowPassParams(double cutoff, int order = 4) {
  Params p;
  p[0] = 44100;
  p[1] = order;
  p[2] = cutoff;
  p[3] = 1;
  return p;
}

TEST(SmoothedFilterDesign, UndesignedFilterPassesSignalUnchanged) {
  LowPass4 filter(512);
  Stereo s(64);
  const Stereo original(64);
  filter.doSetTransitionSamples(256);
  s.run(filter, 0, 64);
  EXPECT_EQ(s.left, original.left);
  EXPECT_EQ(s.right, original.right);
  EXPECT_FALSE(filter.isDesigned());
}

TEST(SmoothedFilterDesign, FirstParameterSetAppliesAtOnce) {
  LowPass4 filter(512);
  // A transition length set before any parameters does not turn the first
  // set into a ramp from undefined values.
  filter.doSetTransitionSamples(128);
  filter.setParams(lowPassParams(1000));
  EXPECT_EQ(filter.getRemainingSamples(), 0);
  EXPECT_EQ(filter.getTransitionParams()[2], 1000);
  EXPECT_EQ(filter.getTransitionSamples(), 128);
}

TEST(SmoothedFilterDesign, RampReachesTheTargetExactlyAfterTheTransition) {
  LowPass4 filter(512);
  filter.setParams(lowPassParams(1000));
  filter.setParams(lowPassParams(3000));
  EXPECT_EQ(filter.getRemainingSamples(), 512);

  Stereo s(1024);
  double previous = 1000;
  for (int block = 0; block < 4; ++block) {
    s.run(filter, block * 128, 128);
    const double reached = filter.getTransitionParams()[2];
    EXPECT_NEAR(reached - previous, 500, 1e-9) << block;  // equal linear steps
    previous = reached;
  }
  EXPECT_EQ(filter.getRemainingSamples(), 0);
  EXPECT_EQ(filter.getTransitionParams()[2], 3000);

  // From here on the output is that of the target design alone.
  LowPass4 steady(512);
  steady.setParams(lowPassParams(3000));
  Stereo t(1024);
  // Give the steady filter the same history by running it over the same
  // input and compare once the ramp's influence has decayed.
  t.run(steady, 0, 512);
  s.run(filter, 512, 512);
  t.run(steady, 512, 512);
  for (int i = 1000; i < 1024; ++i) EXPECT_NEAR(s.left[i], t.left[i], 1e-6) << i;
}

TEST(SmoothedFilterDesign, ChangeDuringRampRestartsFromTheValuesReached) {
  LowPass4 filter(512);
  filter.setParams(lowPassParams(1000));
  filter.setParams(lowPassParams(3000));
  Stereo s(1024);
  s.run(filter, 0, 256);
  EXPECT_NEAR(filter.getTransitionParams()[2], 2000, 1e-9);

  filter.setParams(lowPassParams(1000));
  EXPECT_EQ(filter.getRemainingSamples(), 512);
  s.run(filter, 256, 256);
  EXPECT_NEAR(filter.getTransitionParams()[2], 1500, 1e-9);
}

TEST(SmoothedFilterDesign, ShortAndEmptyBlocks) {
  LowPass4 filter(512);
  filter.setParams(lowPassParams(1000));
  filter.setParams(lowPassParams(2024));
  Stereo s(512);

  s.run(filter, 0, 0);
  EXPECT_EQ(filter.getRemainingSamples(), 512);
  EXPECT_EQ(filter.getTransitionParams()[2], 1000);

  s.run(filter, 0, 16);
  EXPECT_EQ(filter.getRemainingSamples(), 496);
  EXPECT_NEAR(filter.getTransitionParams()[2], 1032, 1e-9);

  s.run(filter, 16, -5);
  EXPECT_EQ(filter.getRemainingSamples(), 496);
}

TEST(SmoothedFilterDesign, OrderRampsAndIsTruncatedEverySample) {
  LowPass4 filter(4);
  filter.setParams(lowPassParams(1000, 1));
  filter.setParams(lowPassParams(1000, 4));
  Stereo s(8);
  s.run(filter, 0, 2);  // order 1.75, 2.5
  EXPECT_DOUBLE_EQ(filter.getTransitionParams()[1], 2.5);
  s.run(filter, 2, 2);
  EXPECT_EQ(filter.getTransitionParams()[1], 4);
}

TEST(SmoothedFilterDesign, TransitionOnSteadyFilterChangesNothingAudible) {
  LowPass4 ramped(512);
  LowPass4 plain(512);
  ramped.setParams(lowPassParams(1500));
  plain.setParams(lowPassParams(1500));
  ramped.doSetTransitionSamples(1024);
  EXPECT_EQ(ramped.getRemainingSamples(), 1024);

  Stereo a(2048);
  Stereo b(2048);
  for (int block = 0; block < 8; ++block) {
    a.run(ramped, block * 256, 256);
    b.run(plain, block * 256, 256);
  }
  for (int i = 0; i < 2048; ++i) {
    ASSERT_NEAR(a.left[i], b.left[i], 1e-12) << i;
    ASSERT_NEAR(a.right[i], b.right[i], 1e-12) << i;
  }
}

// Only exact silence ends a tail, at the filter's own check points: the same
// samples whether the filter ramps between equal settings sample by sample
// or runs steady.
TEST(SmoothedFilterDesign, TailsEndAtTheSameBlocksWhetherRampingOrNot) {
  RbjLowPass ramped(512);
  RbjLowPass plain(512);
  Params p = plain.getDefaultParams();
  ramped.setParams(p);
  plain.setParams(p);
  // A tone that fades into tiny values, then silence.
  std::vector<double> left(16384), right(16384);
  for (int i = 0; i < 4096; ++i) left[i] = right[i] = std::sin(0.05 * i) * std::pow(0.995, i);
  std::vector<double> a = left, b = left, a2 = right, b2 = right;
  for (int block = 0; block < 16384 / 256; ++block) {
    ramped.doSetTransitionSamples(1024);
    double* ra[2] = {a.data() + block * 256, a2.data() + block * 256};
    double* pb[2] = {b.data() + block * 256, b2.data() + block * 256};
    ramped.process(256, ra);
    plain.process(256, pb);
  }
  EXPECT_EQ(a, b);
  EXPECT_EQ(b.back(), 0.0);
}

// A glide that starts inside a block, and a tail that fades into silence and
// is ended there: the same samples in blocks of any size.
TEST(SmoothedFilterDesign, GlidesAndTailsDoNotHearTheBlockEdges) {
  auto take = [](const std::vector<int>& sizes) {
    LowPass4 filter(1000);
    filter.setParams(lowPassParams(300));
    Stereo s(20000);
    for (int i = 3000; i < 20000; ++i) s.left[i] = s.right[i] = 0.0;
    for (int frame = 0, b = 0; frame < 20000; ++b) {
      const int n = std::min(sizes[b % sizes.size()], 20000 - frame);
      if (frame <= 1234 && 1234 < frame + n) {
        // The host's change lands between two blocks, here as a block edge.
        s.run(filter, frame, 1234 - frame);
        filter.setParams(lowPassParams(5000));
        s.run(filter, 1234, frame + n - 1234);
      } else {
        s.run(filter, frame, n);
      }
      frame += n;
    }
    return s;
  };
  const Stereo reference = take({1});
  ASSERT_EQ(reference.left.back(), 0.0);
  for (const std::vector<int>& sizes : std::vector<std::vector<int>>{{7}, {64}, {333}, {4096}, {5, 100, 17}}) {
    const Stereo s = take(sizes);
    EXPECT_EQ(s.left, reference.left) << "blocks of " << sizes[0];
    EXPECT_EQ(s.right, reference.right) << "blocks of " << sizes[0];
  }
}

TEST(SmoothedFilterDesign, ZeroOrNegativeTransitionJumpsAndKeepsTheRampConsistent) {
  LowPass4 filter(512);
  filter.setParams(lowPassParams(1000));
  filter.doSetTransitionSamples(-7);
  EXPECT_EQ(filter.getTransitionSamples(), 0);
  filter.setParams(lowPassParams(3000));
  EXPECT_EQ(filter.getRemainingSamples(), 0);
  EXPECT_EQ(filter.getTransitionParams()[2], 3000);

  // A later ramp starts from the values in force, not from stale ones.
  filter.doSetTransitionSamples(100);
  Stereo s(16);
  s.run(filter, 0, 16);
  EXPECT_EQ(filter.getTransitionParams()[2], 3000);
}

TEST(SmoothedFilterDesign, ResetDuringRampClearsHistoryButKeepsRamping) {
  RbjLowPass filter(512);
  Params p = filter.getDefaultParams();
  filter.setParams(p);
  p[1] = 500;
  filter.setParams(p);
  Stereo s(512);
  s.run(filter, 0, 100);
  filter.reset();
  EXPECT_EQ(filter.getRemainingSamples(), 412);

  // After reset, silence in gives silence out.
  double left[4] = {0, 0, 0, 0};
  double right[4] = {0, 0, 0, 0};
  double* channels[2] = {left, right};
  filter.process(4, channels);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(left[i], 0.0);
  EXPECT_EQ(filter.getRemainingSamples(), 408);
}

TEST(SmoothedFilterDesign, FloatAndDoubleProcessingAgree) {
  RbjLowPass a(64);
  RbjLowPass b(64);
  Params p = a.getDefaultParams();
  a.setParams(p);
  b.setParams(p);
  p[1] = 300;
  a.setParams(p);
  b.setParams(p);

  Stereo d(128);
  std::vector<float> fl(d.left.begin(), d.left.end());
  std::vector<float> fr(d.right.begin(), d.right.end());
  std::vector<double> dl(fl.begin(), fl.end());
  std::vector<double> dr(fr.begin(), fr.end());
  float* fch[2] = {fl.data(), fr.data()};
  double* dch[2] = {dl.data(), dr.data()};
  a.process(128, fch);
  b.process(128, dch);
  for (int i = 0; i < 128; ++i) {
    EXPECT_EQ(fl[i], static_cast<float>(dl[i])) << i;
    EXPECT_EQ(fr[i], static_cast<float>(dr[i])) << i;
  }
}

TEST(SmoothedFilterDesign, SetupAndProcessingAllocateNothing) {
  LowPass4 cheby(512);
  RbjLowPass rbj(512);
  Stereo s(1024);
  testsupport::AllocationCounter counter;
  cheby.setParams(lowPassParams(1000, 2));
  rbj.setParams(rbj.getDefaultParams());
  Params p = rbj.getDefaultParams();
  p[1] = 200;
  rbj.setParams(p);
  Params q = lowPassParams(5000, 4);
  q[3] = 3;  // a ripple change redesigns the prototype at every ramp step
  cheby.setParams(q);
  for (int block = 0; block < 8; ++block) {
    s.run(cheby, block * 128, 128);
    s.run(rbj, block * 128, 128);
  }
  EXPECT_EQ(counter.count(), 0u);
}

}  // namespace
