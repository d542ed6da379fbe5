#pragma once

#include "dsp/ChebyshevI.h"
#include "dsp/Layout.h"
#include "dsp/PoleFilter.h"

namespace Dsp {

// Inverse Chebyshev: flat pass band, equal-ripple zeros in the stop band.
namespace ChebyshevII {

// Poles are the reciprocals of the type I poles, zeros on the imaginary
// axis; the stop band starts at the cutoff. Unity at zero frequency.
class AnalogLowPass : public LayoutBase {
 public:
  AnalogLowPass();
  // Redesigns only when the order or the stop-band value changes.
  void design(int numPoles, double stopBandDb);

 private:
  int m_numPoles;
  double m_stopBandDb;
};

// The shelf is the type I shelf with the stop-band value as its ripple.
using AnalogLowShelf = ChebyshevI::AnalogLowShelf;

// setup(order, sampleRate, cutoffFrequency, stopBandDb)
struct LowPassBase : LowPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency, stopBandDb)
struct HighPassBase : HighPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, stopBandDb)
struct BandPassBase : BandPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, stopBandDb)
struct BandStopBase : BandStopSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency, gainDb, stopBandDb)
struct LowShelfBase : LowPassSetup<AnalogLowShelf> {};

// setup(order, sampleRate, cutoffFrequency, gainDb, stopBandDb)
struct HighShelfBase : HighPassSetup<AnalogLowShelf> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, gainDb, stopBandDb)
struct BandShelfBase : BandShelfSetup<AnalogLowShelf> {};

}  // namespace ChebyshevII

}  // namespace Dsp
