#include "dsp/ChebyshevI.h"

#include <cmath>

#include "dsp/Constants.h"

namespace Dsp {

namespace ChebyshevI {

AnalogLowPass::AnalogLowPass() : m_numPoles(-1), m_rippleDb(0) {}

void AnalogLowPass::design(int numPoles, double rippleDb) {
  numPoles = clampOrder(numPoles);
  if (m_numPoles == numPoles && m_rippleDb == rippleDb) return;

  m_numPoles = numPoles;
  m_rippleDb = rippleDb;
  reset();

  const double eps = std::sqrt(1. / std::exp(-rippleDb * 0.1 * doubleLn10) - 1);
  const double x = 1 / eps;
  const double v0 = std::log(std::sqrt(x * x + 1) + x) / numPoles;
  const double sinh_v0 = -std::sinh(v0);
  const double cosh_v0 = std::cosh(v0);

  const double n2 = 2 * numPoles;
  const int pairs = numPoles / 2;
  for (int i = 0; i < pairs; ++i) {
    const int k = 2 * i + 1 - numPoles;
    const double a = k * doublePi / n2;
    addConjugatePair(complex_t(sinh_v0 * std::cos(a), cosh_v0 * std::sin(a)), infinity());
  }

  if (numPoles & 1) {
    addSingle(complex_t(sinh_v0, 0), infinity());
    setNormal(0, 1);
  } else {
    setNormal(0, std::pow(10, -rippleDb / 20.));
  }
}

AnalogLowShelf::AnalogLowShelf() : m_numPoles(-1), m_rippleDb(0), m_gainDb(0) {
  setNormal(doublePi, 1);
}

void AnalogLowShelf::design(int numPoles, double gainDb, double rippleDb) {
  numPoles = clampOrder(numPoles);
  if (m_numPoles == numPoles && m_rippleDb == rippleDb && m_gainDb == gainDb) return;

  m_numPoles = numPoles;
  m_rippleDb = rippleDb;
  m_gainDb = gainDb;
  reset();

  // The ripple cannot exceed the shelf itself; a boost ripples downwards.
  gainDb = -gainDb;
  if (rippleDb >= std::fabs(gainDb)) rippleDb = std::fabs(gainDb);
  if (gainDb < 0) rippleDb = -rippleDb;

  const double G = std::pow(10., gainDb / 20.0);
  const double Gb = std::pow(10., (gainDb - rippleDb) / 20.0);
  // With the ripple as deep as the shelf, G - 1 is negative for a boost and
  // would swing the shelf tens of decibels past its gain; its magnitude keeps
  // a boost between unity and its gain, as a cut is.
  const double eps = Gb != 1 ? std::sqrt((G * G - Gb * Gb) / (Gb * Gb - 1)) : std::fabs(G - 1);

  const double n2 = 2 * numPoles;
  const int pairs = numPoles / 2;

  // No shelf and no ripple: poles on zeros keep the stage count of the order
  // while the response stays exactly flat.
  if (eps == 0) {
    for (int i = 1; i <= pairs; ++i) {
      const double a = doublePi * (2 * i - 1) / n2;
      const complex_t c(-std::sin(a), std::cos(a));
      addConjugatePair(c, c);
    }
    if (numPoles & 1) addSingle(-1, -1);
    return;
  }

  const double b = std::sqrt(1 + 1 / (eps * eps));
  const double u = std::log(std::pow(G / eps + Gb * b, 1. / numPoles));
  const double v = std::log(std::pow(1. / eps + b, 1. / numPoles));
  const double sinh_u = std::sinh(u);
  const double sinh_v = std::sinh(v);
  const double cosh_u = std::cosh(u);
  const double cosh_v = std::cosh(v);

  for (int i = 1; i <= pairs; ++i) {
    const double a = doublePi * (2 * i - 1) / n2;
    const double sn = std::sin(a);
    const double cs = std::cos(a);
    addConjugatePair(complex_t(-sn * sinh_u, cs * cosh_u), complex_t(-sn * sinh_v, cs * cosh_v));
  }
  if (numPoles & 1) addSingle(-sinh_u, -sinh_v);
}

}  // namespace ChebyshevI

}  // namespace Dsp
