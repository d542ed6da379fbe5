#pragma once

#include "dsp/Layout.h"
#include "dsp/PoleFilter.h"
#include "dsp/RootFinder.h"

namespace Dsp {

// Optimum-L designs: the steepest cut-off with a monotonic pass band.
namespace Legendre {

// Computes, for order n, the polynomial L of degree n with
// |H(w)|^2 = 1 / (1 + L(w^2)). Storage belongs to PolynomialFinder.
class PolynomialFinderBase {
 public:
  PolynomialFinderBase(const PolynomialFinderBase&) = delete;
  PolynomialFinderBase& operator=(const PolynomialFinderBase&) = delete;

  int getMaxN() const { return m_maxN; }
  // Coefficient i multiplies x^i.
  const double* coef() const { return m_w; }

  // Fills coef()[0 .. n]; n must not exceed getMaxN().
  void solve(int n);

  // Writes the Legendre polynomial of the first kind of degree n into
  // p[0 .. n], lowest power first.
  void legendre(double* p, int n);

 protected:
  PolynomialFinderBase(int maxN, double* w, double* a, double* p, double* s, double* v,
                       double* aa, double* bb)
      : m_maxN(maxN), m_w(w), m_a(a), m_p(p), m_s(s), m_v(v), m_aa(aa), m_bb(bb) {}

 private:
  int m_maxN;
  double* m_w;
  double* m_a;
  double* m_p;
  double* m_s;
  double* m_v;
  double* m_aa;
  double* m_bb;
};

template <int MaxN>
class PolynomialFinder : public PolynomialFinderBase {
 public:
  PolynomialFinder() : PolynomialFinderBase(MaxN, m_w, m_a, m_p, m_s, m_v, m_aa, m_bb) {}

 private:
  // The widest array, v, needs n + 3 entries.
  static constexpr int kSize = MaxN + 3;
  double m_w[kSize] = {};
  double m_a[kSize] = {};
  double m_p[kSize] = {};
  double m_s[kSize] = {};
  double m_v[kSize] = {};
  double m_aa[kSize] = {};
  double m_bb[kSize] = {};
};

// The polynomial finder and a root finder of twice its degree.
struct WorkspaceBase {
  WorkspaceBase(PolynomialFinderBase* polyBase, RootFinderBase* rootsBase)
      : poly(*polyBase), roots(*rootsBase) {}
  WorkspaceBase(const WorkspaceBase&) = delete;
  WorkspaceBase& operator=(const WorkspaceBase&) = delete;

  PolynomialFinderBase& poly;
  RootFinderBase& roots;
};

template <int MaxOrder>
struct Workspace : WorkspaceBase {
  Workspace() : WorkspaceBase(&m_poly, &m_roots) {}

 private:
  PolynomialFinder<MaxOrder> m_poly;
  RootFinder<MaxOrder * 2> m_roots;
};

class AnalogLowPass : public LayoutBase {
 public:
  AnalogLowPass();
  // Redesigns only when the order changes. An order beyond the workspace
  // is lowered to what it can compute.
  void design(int numPoles, WorkspaceBase* w);

 private:
  int m_numPoles;
};

// setup(order, sampleRate, cutoffFrequency, w)
struct LowPassBase : LowPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, cutoffFrequency, w)
struct HighPassBase : HighPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, w)
struct BandPassBase : BandPassSetup<AnalogLowPass> {};

// setup(order, sampleRate, centerFrequency, widthFrequency, w)
struct BandStopBase : BandStopSetup<AnalogLowPass> {};

}  // namespace Legendre

}  // namespace Dsp
