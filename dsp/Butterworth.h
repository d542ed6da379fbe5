#pragma once

#include "dsp/Filter.h"
#include "dsp/Layout.h"
#include "dsp/PoleFilter.h"

namespace Dsp {

// Maximally flat designs, and shelves built on the same pole angles.
namespace Butterworth {

// Poles on the unit circle, zeros at infinity; unity at zero frequency.
class AnalogLowPass : public LayoutBase {
 public:
  AnalogLowPass();
  // Redesigns only when the order changes.
  void design(int numPoles);

 private:
  int m_numPoles;
};

// Poles and zeros on circles of radius 1/g and g; unity at infinity.
class AnalogLowShelf : public LayoutBase {
 public:
  AnalogLowShelf();
  // Redesigns only when the order or the gain changes.
  void design(int numPoles, double gainDb);

 private:
  int m_numPoles;
  double m_gainDb;
};

// setup(order, sampleRate, cutoffFrequency)
struct LowPassBase : LowPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency)
struct HighPassBase : HighPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency)
struct BandPassBase : BandPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency)
struct BandStopBase : BandStopSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency, gainDb)
struct LowShelfBase : LowPassSetup<AnalogLowShelf> {};

// setup(order, sampleRate, cutoffFrequency, gainDb)
struct HighShelfBase : HighPassSetup<AnalogLowShelf> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, gainDb)
struct BandShelfBase : BandShelfSetup<AnalogLowShelf> {};

// Designs with parameter lists, for the filter templates.
namespace Design {

template <int MaxOrder>
struct HighPass : PoleDesign<HighPassBase, MaxOrder, &ParamInfo::defaultCutoffFrequencyParam> {
  static Kind getKind() { return kindHighPass; }
  static const char* getName() { return "Butterworth High Pass"; }
};

template <int MaxOrder>
struct BandPass : PoleDesign<BandPassBase, MaxOrder, &ParamInfo::defaultCenterFrequencyParam,
                             &ParamInfo::defaultBandwidthHzParam> {
  static Kind getKind() { return kindBandPass; }
  static const char* getName() { return "Butterworth Band Pass"; }
};

template <int MaxOrder>
struct BandStop : PoleDesign<BandStopBase, MaxOrder, &ParamInfo::defaultCenterFrequencyParam,
                             &ParamInfo::defaultBandwidthHzParam> {
  static Kind getKind() { return kindBandStop; }
  static const char* getName() { return "Butterworth Band Stop"; }
};

template <int MaxOrder>
struct LowShelf : PoleDesign<LowShelfBase, MaxOrder, &ParamInfo::defaultCutoffFrequencyParam,
                             &ParamInfo::defaultGainParam> {
  static Kind getKind() { return kindLowShelf; }
  static const char* getName() { return "Butterworth Low Shelf"; }
};

template <int MaxOrder>
struct HighShelf : PoleDesign<HighShelfBase, MaxOrder, &ParamInfo::defaultCutoffFrequencyParam,
                              &ParamInfo::defaultGainParam> {
  static Kind getKind() { return kindHighShelf; }
  static const char* getName() { return "Butterworth High Shelf"; }
};

template <int MaxOrder>
struct BandShelf : PoleDesign<BandShelfBase, MaxOrder, &ParamInfo::defaultCenterFrequencyParam,
                              &ParamInfo::defaultBandwidthHzParam, &ParamInfo::defaultGainParam> {
  static Kind getKind() { return kindBandShelf; }
  static const char* getName() { return "Butterworth Band Shelf"; }
};

}  // namespace Design

}  // namespace Butterworth

}  // namespace Dsp
