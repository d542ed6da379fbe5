#pragma once

#include "dsp/Biquad.h"
#include "dsp/Cascade.h"
#include "dsp/Filter.h"
#include "dsp/Param.h"

namespace Dsp {

// Second-order designs from the audio EQ cookbook formulas. Each setup
// replaces the section's coefficients; nothing is validated.
namespace RBJ {

struct LowPass : BiquadBase {
  void setup(double sampleRate, double cutoffFrequency, double q);
};

struct HighPass : BiquadBase {
  void setup(double sampleRate, double cutoffFrequency, double q);
};

// Peak gain equals the bandwidth value, which acts as a Q.
struct BandPass1 : BiquadBase {
  void setup(double sampleRate, double centerFrequency, double bandWidth);
};

// 0 dB peak; the bandwidth value acts as a Q.
struct BandPass2 : BiquadBase {
  void setup(double sampleRate, double centerFrequency, double bandWidth);
};

// Notch at the centre; the bandwidth value acts as a Q.
struct BandStop : BiquadBase {
  void setup(double sampleRate, double centerFrequency, double bandWidth);
};

struct LowShelf : BiquadBase {
  void setup(double sampleRate, double cutoffFrequency, double gainDb, double shelfSlope);
};

struct HighShelf : BiquadBase {
  void setup(double sampleRate, double cutoffFrequency, double gainDb, double shelfSlope);
};

struct BandShelf : BiquadBase {
  void setup(double sampleRate, double centerFrequency, double gainDb, double bandWidth);
};

struct AllPass : BiquadBase {
  void setup(double sampleRate, double phaseFrequency, double q);
};

// Designs with parameter lists, for the filter templates.
namespace Design {

// One section run as a design: three parameters passed to setup in order,
// one history per channel.
template <class Section, ParamInfo (*... Factories)()>
struct SingleSection : Section, DesignParams<Factories...> {
  template <class StateType>
  using State = CascadeStages<1>::State<StateType>;

  void setParams(const Params& params) { this->setup(params[0], params[1], params[2]); }

  template <class ChannelState, class Sample>
  void process(int numSamples, Sample* dest, ChannelState& state) const {
    Cascade::processChain(static_cast<const Section*>(this), 1, numSamples, dest, state);
  }

  template <class ChannelState>
  void silenceIfRungOut(ChannelState& state) const {
    Cascade::silenceIfRungOut(static_cast<const Section*>(this), 1, state);
  }
};

struct LowPass : SingleSection<RBJ::LowPass, &ParamInfo::defaultSampleRateParam,
                               &ParamInfo::defaultCutoffFrequencyParam, &ParamInfo::defaultQParam> {
  static Kind getKind() { return kindLowPass; }
  static const char* getName() { return "RBJ Low Pass"; }
};

struct HighPass : SingleSection<RBJ::HighPass, &ParamInfo::defaultSampleRateParam,
                                &ParamInfo::defaultCutoffFrequencyParam, &ParamInfo::defaultQParam> {
  static Kind getKind() { return kindHighPass; }
  static const char* getName() { return "RBJ High Pass"; }
};

struct BandPass1
    : SingleSection<RBJ::BandPass1, &ParamInfo::defaultSampleRateParam,
                    &ParamInfo::defaultCenterFrequencyParam, &ParamInfo::defaultBandwidthParam> {
  static Kind getKind() { return kindBandPass; }
  static const char* getName() { return "RBJ Band Pass 1"; }
};

struct BandStop
    : SingleSection<RBJ::BandStop, &ParamInfo::defaultSampleRateParam,
                    &ParamInfo::defaultCenterFrequencyParam, &ParamInfo::defaultBandwidthParam> {
  static Kind getKind() { return kindBandStop; }
  static const char* getName() { return "RBJ Band Stop"; }
};

}  // namespace Design

}  // namespace RBJ

}  // namespace Dsp
