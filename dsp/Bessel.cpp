#include "dsp/Bessel.h"

#include <algorithm>
#include <cmath>

#include "dsp/Constants.h"

namespace Dsp {

namespace Bessel {

namespace {

// The shelf solves its zero polynomial with a finder of its own this size.
const int kMaxShelfOrder = 50;

double fact(int n) {
  if (n == 0) return 1;
  double y = n;
  while (--n > 1) y *= n;
  return y;
}

// Coefficient k of the reverse Bessel polynomial of degree n.
double reversebessel(int k, int n) {
  return fact(2 * n - k) / (fact(n - k) * fact(k) * std::ldexp(1.0, n - k));
}

void loadReverseBessel(RootFinderBase& solver, int numPoles) {
  for (int k = 0; k <= numPoles; ++k) solver.coef()[k] = reversebessel(k, numPoles);
}

}  // namespace

AnalogLowPass::AnalogLowPass() : m_numPoles(-1) {
  setNormal(0, 1);
}

void AnalogLowPass::design(int numPoles, WorkspaceBase* w) {
  numPoles = clampOrder(numPoles, w->roots.getMaxDegree());
  if (m_numPoles == numPoles) return;

  m_numPoles = numPoles;
  reset();

  RootFinderBase& solver = w->roots;
  loadReverseBessel(solver, numPoles);
  try {
    solver.solve(numPoles);
  } catch (...) {
    // Forget the failed order so that a later setup tries again.
    m_numPoles = -1;
    throw;
  }

  const int pairs = numPoles / 2;
  for (int i = 0; i < pairs; ++i) addConjugatePair(solver.root()[i], infinity());
  if (numPoles & 1) addSingle(solver.root()[pairs].real(), infinity());
}

AnalogLowShelf::AnalogLowShelf() : m_numPoles(-1), m_gainDb(0) {
  setNormal(doublePi, 1);
}

void AnalogLowShelf::design(int numPoles, double gainDb, WorkspaceBase* w) {
  numPoles = clampOrder(numPoles, std::min(w->roots.getMaxDegree(), kMaxShelfOrder));
  if (m_numPoles == numPoles && m_gainDb == gainDb) return;

  m_numPoles = numPoles;
  m_gainDb = gainDb;
  reset();

  const double G = std::pow(10., gainDb / 20) - 1;

  RootFinderBase& poles = w->roots;
  RootFinder<kMaxShelfOrder> zeros;
  loadReverseBessel(poles, numPoles);
  loadReverseBessel(zeros, numPoles);
  zeros.coef()[0] += G * zeros.coef()[0];
  try {
    poles.solve(numPoles);
    zeros.solve(numPoles);
  } catch (...) {
    m_numPoles = -1;
    throw;
  }

  const int pairs = numPoles / 2;
  for (int i = 0; i < pairs; ++i) addConjugatePair(poles.root()[i], zeros.root()[i]);
  if (numPoles & 1) addSingle(poles.root()[pairs].real(), zeros.root()[pairs].real());
}

}  // namespace Bessel

}  // namespace Dsp
