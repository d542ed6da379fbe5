#pragma once

#include "dsp/Filter.h"
#include "dsp/Layout.h"
#include "dsp/PoleFilter.h"

namespace Dsp {

// Equal ripple in the pass band, and shelves with equal ripple.
namespace ChebyshevI {

// Even orders sit at the bottom of the ripple at zero frequency.
class AnalogLowPass : public LayoutBase {
 public:
  AnalogLowPass();
  // Redesigns only when the order or the ripple changes (exact comparison).
  void design(int numPoles, double rippleDb);

 private:
  int m_numPoles;
  double m_rippleDb;
};

// Also serves the inverse family, whose shelf is computed the same way with
// the stop-band value in the place of the ripple.
class AnalogLowShelf : public LayoutBase {
 public:
  AnalogLowShelf();
  // Redesigns only when order, ripple or gain changes (exact comparison).
  void design(int numPoles, double gainDb, double rippleDb);

 private:
  int m_numPoles;
  double m_rippleDb;
  double m_gainDb;
};

// setup(order, sampleRate, cutoffFrequency, rippleDb)
struct LowPassBase : LowPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency, rippleDb)
struct HighPassBase : HighPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, rippleDb)
struct BandPassBase : BandPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, rippleDb)
struct BandStopBase : BandStopSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency, gainDb, rippleDb)
struct LowShelfBase : LowPassSetup<AnalogLowShelf> {};

// setup(order, sampleRate, cutoffFrequency, gainDb, rippleDb)
struct HighShelfBase : HighPassSetup<AnalogLowShelf> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, gainDb, rippleDb)
struct BandShelfBase : BandShelfSetup<AnalogLowShelf> {};

// Designs with parameter lists, for the filter templates.
namespace Design {

template <int MaxOrder>
struct LowPass : PoleDesign<LowPassBase, MaxOrder, &ParamInfo::defaultCutoffFrequencyParam,
                            &ParamInfo::defaultRippleDbParam> {
  static Kind getKind() { return kindLowPass; }
  static const char* getName() { return "Chebyshev I Low Pass"; }
};

template <int MaxOrder>
struct HighPass : PoleDesign<HighPassBase, MaxOrder, &ParamInfo::defaultCutoffFrequencyParam,
                             &ParamInfo::defaultRippleDbParam> {
  static Kind getKind() { return kindHighPass; }
  static const char* getName() { return "Chebyshev I High Pass"; }
};

}  // namespace Design

}  // namespace ChebyshevI

}  // namespace Dsp
