#pragma once

#include "dsp/Layout.h"
#include "dsp/PoleFilter.h"

namespace Dsp {

// Cauer designs: equal ripple in the pass band and zeros in the stop band.
namespace Elliptic {

struct Solver {
  // The complete elliptic integral of the first kind for the modulus k.
  static double ellipticK(double k);
};

// Zeros from the Jacobi sn series, poles from quadratic factors of the
// characteristic polynomial. The pass band edge is at 1; the roll-off sets
// the ratio of stop to pass band edge, 5 * exp(rolloff - 1) + 1.
class AnalogLowPass : public LayoutBase {
 public:
  // The work vectors are indexed up to twice the order.
  static constexpr int kMaxOrder = 49;

  AnalogLowPass();
  // Redesigns only when order, ripple or roll-off changes.
  void design(int numPoles, double rippleDb, double rolloff);

 private:
  static constexpr int kWork = 100;

  double calcsn(double u) const;
  void prodpoly(int sn);
  void calcfz2(int i);
  void calcfz();
  void calcqz();
  double findfact(int t);

  double m_K = 0;
  double m_Kprime = 0;
  double m_e = 0;
  int m_nin = 0;
  int m_m = 0;
  int m_n2 = 0;
  int m_em = 0;
  double m_zi[kWork] = {};
  double m_a[kWork] = {};
  double m_b[kWork] = {};
  double m_c[kWork] = {};
  double m_d[kWork] = {};
  double m_fq[kWork] = {};
  double m_fp[kWork] = {};
  double m_z1[kWork] = {};
  double m_s[kWork] = {};
  double m_zw[kWork] = {};
  double m_zf[kWork] = {};
  double m_zq[kWork] = {};
  int m_numPoles = -1;
  double m_rippleDb = 0;
  double m_rolloff = 0;
};

// setup(order, sampleRate, cutoffFrequency, rippleDb, rolloff)
struct LowPassBase : LowPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency, rippleDb, rolloff)
struct HighPassBase : HighPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, rippleDb, rolloff)
struct BandPassBase : BandPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, rippleDb, rolloff)
struct BandStopBase : BandStopSetup<AnalogLowPass> {};

}  // namespace Elliptic

}  // namespace Dsp
