#pragma once

#include "dsp/Layout.h"
#include "dsp/PoleFilter.h"
#include "dsp/RootFinder.h"

namespace Dsp {

// Maximally flat group delay: poles from the roots of the reverse Bessel
// polynomial, normalised to unit delay at zero frequency.
namespace Bessel {

// The root finder a design uses for its pole polynomial; the caller of a
// setup provides it, sized for the orders it asks for.
struct WorkspaceBase {
  explicit WorkspaceBase(RootFinderBase* rootsBase) : roots(*rootsBase) {}
  WorkspaceBase(const WorkspaceBase&) = delete;
  WorkspaceBase& operator=(const WorkspaceBase&) = delete;

  RootFinderBase& roots;
};

template <int MaxOrder>
struct Workspace : WorkspaceBase {
  Workspace() : WorkspaceBase(&m_roots) {}

 private:
  RootFinder<MaxOrder> m_roots;
};

class AnalogLowPass : public LayoutBase {
 public:
  AnalogLowPass();
  // Redesigns only when the order changes. An order beyond the workspace's
  // root finder is lowered to what it can solve.
  void design(int numPoles, WorkspaceBase* w);

 private:
  int m_numPoles;
};

// Zeros from the same polynomial with its constant term raised by the gain;
// unity at infinity.
class AnalogLowShelf : public LayoutBase {
 public:
  AnalogLowShelf();
  // Redesigns only when the order or the gain changes.
  void design(int numPoles, double gainDb, WorkspaceBase* w);

 private:
  int m_numPoles;
  double m_gainDb;
};

// setup(order, sampleRate, cutoffFrequency, w)
struct LowPassBase : LowPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency, w)
struct HighPassBase : HighPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, w)
struct BandPassBase : BandPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, w)
struct BandStopBase : BandStopSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency, gainDb, w)
struct LowShelfBase : LowPassSetup<AnalogLowShelf> {};

}  // namespace Bessel

}  // namespace Dsp
