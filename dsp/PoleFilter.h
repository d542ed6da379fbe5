#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "dsp/Cascade.h"
#include "dsp/Constants.h"
#include "dsp/Layout.h"
#include "dsp/Param.h"

namespace Dsp {

// The four maps from an analog prototype to a digital layout. Each empties
// the digital layout and refills it; frequencies are fractions of the
// sample rate.
class LowPassTransform {
 public:
  LowPassTransform(double fc, LayoutBase& digital, const LayoutBase& analog);

 private:
  complex_t transform(complex_t c) const;

  double f;
};

class HighPassTransform {
 public:
  HighPassTransform(double fc, LayoutBase& digital, const LayoutBase& analog);

 private:
  complex_t transform(complex_t c) const;

  double f;
};

class BandPassTransform {
 public:
  BandPassTransform(double fc, double fw, LayoutBase& digital, const LayoutBase& analog);

 private:
  ComplexPair transform(complex_t c) const;

  double wc;
  double wc2;
  double a;
  double b;
  double a2;
  double b2;
  double ab;
  double ab_2;
};

class BandStopTransform {
 public:
  BandStopTransform(double fc, double fw, LayoutBase& digital, const LayoutBase& analog);

 private:
  ComplexPair transform(complex_t c) const;

  double wc;
  double wc2;
  double a;
  double b;
  double a2;
  double b2;
};

// A cascade designed from an analog prototype through one transform, with
// both layouts; the setup templates below add the setup() itself.
template <class AnalogPrototype>
class PoleFilterBase : public Cascade {
 public:
  // Band designs double the poles.
  static constexpr int kDigitalPolesPerAnalogPole = 1;

  // The pairs of the digital layout, in layout order.
  std::vector<PoleZeroPair> getPoleZeros() const {
    std::vector<PoleZeroPair> vpz;
    const int pairs = (m_digitalProto.getNumPoles() + 1) / 2;
    vpz.reserve(pairs);
    for (int i = 0; i < pairs; ++i) vpz.push_back(m_digitalProto[i]);
    return vpz;
  }

  const AnalogPrototype& getAnalogPrototype() const { return m_analogProto; }
  const LayoutBase& getDigitalPrototype() const { return m_digitalProto; }

 protected:
  LayoutBase m_digitalProto;
  AnalogPrototype m_analogProto;
};

// The setups every family shares: design the analog prototype with the
// family's own arguments, map it with one transform (frequencies in Hz
// divided by the sample rate), and load the cascade.
template <class AnalogPrototype>
struct LowPassSetup : PoleFilterBase<AnalogPrototype> {
  template <class... PrototypeArgs>
  void setup(int order, double sampleRate, double cutoffFrequency, PrototypeArgs... args) {
    this->m_analogProto.design(order, args...);
    LowPassTransform(cutoffFrequency / sampleRate, this->m_digitalProto, this->m_analogProto);
    this->setLayout(this->m_digitalProto);
  }
};

template <class AnalogPrototype>
struct HighPassSetup : PoleFilterBase<AnalogPrototype> {
  template <class... PrototypeArgs>
  void setup(int order, double sampleRate, double cutoffFrequency, PrototypeArgs... args) {
    this->m_analogProto.design(order, args...);
    HighPassTransform(cutoffFrequency / sampleRate, this->m_digitalProto, this->m_analogProto);
    this->setLayout(this->m_digitalProto);
  }
};

template <class AnalogPrototype>
struct BandPassSetup : PoleFilterBase<AnalogPrototype> {
  static constexpr int kDigitalPolesPerAnalogPole = 2;

  template <class... PrototypeArgs>
  void setup(int order, double sampleRate, double centerFrequency, double widthFrequency,
             PrototypeArgs... args) {
    this->m_analogProto.design(order, args...);
    BandPassTransform(centerFrequency / sampleRate, widthFrequency / sampleRate,
                      this->m_digitalProto, this->m_analogProto);
    this->setLayout(this->m_digitalProto);
  }
};

template <class AnalogPrototype>
struct BandStopSetup : PoleFilterBase<AnalogPrototype> {
  static constexpr int kDigitalPolesPerAnalogPole = 2;

  template <class... PrototypeArgs>
  void setup(int order, double sampleRate, double centerFrequency, double widthFrequency,
             PrototypeArgs... args) {
    this->m_analogProto.design(order, args...);
    BandStopTransform(centerFrequency / sampleRate, widthFrequency / sampleRate,
                      this->m_digitalProto, this->m_analogProto);
    this->setLayout(this->m_digitalProto);
  }
};

// A band shelf is unity far from its band: at Nyquist for a centre below a
// quarter of the sample rate, at zero frequency otherwise.
template <class AnalogPrototype>
struct BandShelfSetup : PoleFilterBase<AnalogPrototype> {
  static constexpr int kDigitalPolesPerAnalogPole = 2;

  template <class... PrototypeArgs>
  void setup(int order, double sampleRate, double centerFrequency, double widthFrequency,
             PrototypeArgs... args) {
    this->m_analogProto.design(order, args...);
    const double fc = centerFrequency / sampleRate;
    BandPassTransform(fc, widthFrequency / sampleRate, this->m_digitalProto, this->m_analogProto);
    this->m_digitalProto.setNormal(fc < 0.25 ? doublePi : 0, 1);
    this->setLayout(this->m_digitalProto);
  }
};

// A setup class with the fixed storage for its stages and both layouts.
template <class BaseClass, int MaxAnalogPoles,
          int MaxDigitalPoles = MaxAnalogPoles * BaseClass::kDigitalPolesPerAnalogPole>
class PoleFilter : public BaseClass {
  static_assert(MaxAnalogPoles >= 1, "a pole filter needs at least one pole");
  static_assert(MaxDigitalPoles >= MaxAnalogPoles * BaseClass::kDigitalPolesPerAnalogPole,
                "too little digital storage for the transform");

 public:
  static constexpr int kMaxStages = (MaxDigitalPoles + 1) / 2;

  template <class StateType>
  using State = typename CascadeStages<kMaxStages>::template State<StateType>;

  PoleFilter() {
    this->setCascadeStorage(m_stages.getCascadeStorage());
    this->m_analogProto.setStorage(MaxAnalogPoles, m_analogPairs);
    this->m_digitalProto.setStorage(MaxDigitalPoles, m_digitalPairs);
  }

 private:
  CascadeStages<kMaxStages> m_stages;
  PoleZeroPair m_analogPairs[(MaxAnalogPoles + 1) / 2];
  PoleZeroPair m_digitalPairs[kMaxStages];
};

// A pole filter wrapped with its parameter list: sample rate, order, then the
// setup's remaining arguments in order. The order slot is truncated to int.
template <class BaseClass, int MaxOrder, ParamInfo (*... Extra)()>
class PoleDesign
    : public PoleFilter<BaseClass, MaxOrder>,
      public DesignParams<&ParamInfo::defaultSampleRateParam, &orderParam<MaxOrder>, Extra...> {
 public:
  void setParams(const Params& params) {
    setupFrom(params, std::make_index_sequence<sizeof...(Extra)>());
  }

 private:
  template <std::size_t... I>
  void setupFrom(const Params& params, std::index_sequence<I...>) {
    this->setup(truncateToInt(params[1]), params[0], params[I + 2]...);
  }
};

}  // namespace Dsp
