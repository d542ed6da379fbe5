// Cost per stereo sample of the designs the instrument runs: steady, and
// ramping, where every sample redesigns the transition design. Each ramping
// iteration starts a fresh 512-sample ramp over a 512-sample block.
#include <algorithm>
#include <cmath>
#include <vector>

#include <benchmark/benchmark.h>

#include "dsp/Butterworth.h"
#include "dsp/ChebyshevI.h"
#include "dsp/RBJ.h"
#include "dsp/SmoothedFilterDesign.h"

namespace {

using namespace Dsp;

const int kBlock = 512;

using RbjLowPass = SmoothedFilterDesign<RBJ::Design::LowPass, 2, DirectFormII>;
using RbjHighPass = SmoothedFilterDesign<RBJ::Design::HighPass, 2, DirectFormII>;
using RbjBandPass1 = SmoothedFilterDesign<RBJ::Design::BandPass1, 2, DirectFormII>;
using RbjBandStop = SmoothedFilterDesign<RBJ::Design::BandStop, 2, DirectFormII>;
using ChebyLowPass4 = SmoothedFilterDesign<ChebyshevI::Design::LowPass<4>, 2, DirectFormII>;
using ChebyHighPass4 = SmoothedFilterDesign<ChebyshevI::Design::HighPass<4>, 2, DirectFormII>;
using ButterLowShelf = SmoothedFilterDesign<Butterworth::Design::LowShelf<2>, 2, DirectFormI>;
using ButterHighShelf = SmoothedFilterDesign<Butterworth::Design::HighShelf<2>, 2, DirectFormI>;
using ButterBandShelf = SmoothedFilterDesign<Butterworth::Design::BandShelf<2>, 2, DirectFormI>;
using ButterBandPass = SmoothedFilterDesign<Butterworth::Design::BandPass<2>, 2, DirectFormI>;
using ButterBandStop = SmoothedFilterDesign<Butterworth::Design::BandStop<2>, 2, DirectFormI>;

// One parameter that a ramping run moves between two values every block;
// a steady run leaves it at the first.
struct Sweep {
  int order;
  ParamID id;
  double from;
  double to;
  bool ramping;
};

template <class FilterType>
void perStereoSample(benchmark::State& state, Sweep sweep) {
  FilterType filter(kBlock);
  Params params = filter.getDefaultParams();
  if (sweep.order > 0) params[filter.findParamId(idOrder)] = sweep.order;
  const int slot = filter.findParamId(sweep.id);
  params[slot] = sweep.from;
  filter.setParams(params);

  std::vector<double> source(kBlock);
  for (int i = 0; i < kBlock; ++i) source[i] = std::sin(0.05 * i) + 0.5 * std::sin(0.71 * i);
  std::vector<double> left(kBlock);
  std::vector<double> right(kBlock);
  double* channels[2] = {left.data(), right.data()};

  bool toTarget = true;
  for (auto _ : state) {
    if (sweep.ramping) {
      params[slot] = toTarget ? sweep.to : sweep.from;
      toTarget = !toTarget;
      filter.setParams(params);
    }
    std::copy(source.begin(), source.end(), left.begin());
    std::copy(source.begin(), source.end(), right.begin());
    filter.process(kBlock, channels);
    benchmark::DoNotOptimize(left.data());
    benchmark::DoNotOptimize(right.data());
    benchmark::ClobberMemory();
  }
  state.counters["per_stereo_sample"] = benchmark::Counter(
      kBlock, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

const Sweep kCutoffSteady{0, idFrequency, 2000, 500, false};
const Sweep kCutoffRamp{0, idFrequency, 2000, 500, true};
const Sweep kGainSteady{0, idGain, -6, 6, false};
const Sweep kGainRamp{0, idGain, -6, 6, true};

template <class FilterType>
void add(const char* name, Sweep sweep) {
  benchmark::RegisterBenchmark(name, perStereoSample<FilterType>, sweep);
}

[[maybe_unused]] const int kRegistered = [] {
  add<RbjLowPass>("RBJ_Low_Pass/steady", kCutoffSteady);
  add<RbjLowPass>("RBJ_Low_Pass/ramp_cutoff", kCutoffRamp);
  add<RbjHighPass>("RBJ_High_Pass/steady", kCutoffSteady);
  add<RbjHighPass>("RBJ_High_Pass/ramp_cutoff", kCutoffRamp);
  add<RbjBandPass1>("RBJ_Band_Pass_1/steady", kCutoffSteady);
  add<RbjBandPass1>("RBJ_Band_Pass_1/ramp_centre", kCutoffRamp);
  add<RbjBandStop>("RBJ_Band_Stop/steady", kCutoffSteady);
  add<RbjBandStop>("RBJ_Band_Stop/ramp_centre", kCutoffRamp);
  add<ChebyLowPass4>("Chebyshev_I_Low_Pass4/order2_steady", Sweep{2, idFrequency, 2000, 500, false});
  add<ChebyLowPass4>("Chebyshev_I_Low_Pass4/order2_ramp_cutoff", Sweep{2, idFrequency, 2000, 500, true});
  add<ChebyLowPass4>("Chebyshev_I_Low_Pass4/order4_steady", Sweep{4, idFrequency, 2000, 500, false});
  add<ChebyLowPass4>("Chebyshev_I_Low_Pass4/order4_ramp_cutoff", Sweep{4, idFrequency, 2000, 500, true});
  add<ChebyLowPass4>("Chebyshev_I_Low_Pass4/order4_ramp_ripple", Sweep{4, idRippleDb, 0.5, 6, true});
  add<ChebyHighPass4>("Chebyshev_I_High_Pass4/order2_steady", Sweep{2, idFrequency, 2000, 500, false});
  add<ChebyHighPass4>("Chebyshev_I_High_Pass4/order2_ramp_cutoff", Sweep{2, idFrequency, 2000, 500, true});
  add<ChebyHighPass4>("Chebyshev_I_High_Pass4/order4_steady", Sweep{4, idFrequency, 2000, 500, false});
  add<ChebyHighPass4>("Chebyshev_I_High_Pass4/order4_ramp_cutoff", Sweep{4, idFrequency, 2000, 500, true});
  add<ButterLowShelf>("Butterworth_Low_Shelf2/steady", kGainSteady);
  add<ButterLowShelf>("Butterworth_Low_Shelf2/ramp_gain", kGainRamp);
  add<ButterHighShelf>("Butterworth_High_Shelf2/steady", kGainSteady);
  add<ButterHighShelf>("Butterworth_High_Shelf2/ramp_gain", kGainRamp);
  add<ButterBandShelf>("Butterworth_Band_Shelf2/steady", kGainSteady);
  add<ButterBandShelf>("Butterworth_Band_Shelf2/ramp_gain", kGainRamp);
  add<ButterBandPass>("Butterworth_Band_Pass2/steady", Sweep{0, idFrequency, 2400, 3000, false});
  add<ButterBandPass>("Butterworth_Band_Pass2/ramp_centre", Sweep{0, idFrequency, 2400, 3000, true});
  add<ButterBandStop>("Butterworth_Band_Stop2/steady", Sweep{0, idFrequency, 2400, 3000, false});
  add<ButterBandStop>("Butterworth_Band_Stop2/ramp_centre", Sweep{0, idFrequency, 2400, 3000, true});
  return 0;
}();

}  // namespace
