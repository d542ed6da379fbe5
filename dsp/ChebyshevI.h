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

struct LowPassBase : PoleFilterBase<AnalogLowPass> {
  void setup(int order, double sampleRate, double cutoffFrequency, double rippleDb);
};

struct HighPassBase : PoleFilterBase<AnalogLowPass> {
  void setup(int order, double sampleRate, double cutoffFrequency, double rippleDb);
};

struct BandPassBase : PoleFilterBase<AnalogLowPass> {
  static constexpr int kDigitalPolesPerAnalogPole = 2;
  void setup(int order, double sampleRate, double centerFrequency, double widthFrequency,
             double rippleDb);
};

struct BandStopBase : PoleFilterBase<AnalogLowPass> {
  static constexpr int kDigitalPolesPerAnalogPole = 2;
  void setup(int order, double sampleRate, double centerFrequency, double widthFrequency,
             double rippleDb);
};

struct LowShelfBase : PoleFilterBase<AnalogLowShelf> {
  void setup(int order, double sampleRate, double cutoffFrequency, double gainDb,
             double rippleDb);
};

struct HighShelfBase : PoleFilterBase<AnalogLowShelf> {
  void setup(int order, double sampleRate, double cutoffFrequency, double gainDb,
             double rippleDb);
};

struct BandShelfBase : PoleFilterBase<AnalogLowShelf> {
  static constexpr int kDigitalPolesPerAnalogPole = 2;
  void setup(int order, double sampleRate, double centerFrequency, double widthFrequency,
             double gainDb, double rippleDb);
};

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
