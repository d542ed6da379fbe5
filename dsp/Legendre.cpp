#include "dsp/Legendre.h"

#include <algorithm>
#include <cmath>

namespace Dsp {

namespace Legendre {

void PolynomialFinderBase::legendre(double* p, int n) {
  if (n == 0) {
    p[0] = 1.0;
    return;
  }
  if (n == 1) {
    p[0] = 0.0;
    p[1] = 1.0;
    return;
  }

  p[0] = -0.5;
  p[1] = 0.0;
  p[2] = 1.5;
  if (n == 2) return;

  for (int i = 0; i <= n; ++i) m_aa[i] = m_bb[i] = 0.0;
  m_bb[1] = 1.0;

  // i P(i) = (2i - 1) x P(i - 1) - (i - 1) P(i - 2)
  for (int i = 3; i <= n; ++i) {
    for (int j = 0; j <= i; ++j) {
      m_aa[j] = m_bb[j];
      m_bb[j] = p[j];
      p[j] = 0.0;
    }
    for (int j = i - 2; j >= 0; j -= 2) p[j] -= (i - 1) * m_aa[j] / i;
    for (int j = i - 1; j >= 0; j -= 2) p[j + 1] += (2 * i - 1) * m_bb[j] / i;
  }
}

void PolynomialFinderBase::solve(int n) {
  n = std::clamp(n, 0, m_maxN);
  const int k = (n - 1) / 2;

  // Weights of the Legendre polynomials whose sum is the derivative's root.
  if (n & 1) {
    for (int i = 0; i <= k; ++i) m_a[i] = (2 * i + 1) / (1.4142135623730951 * (k + 1));
  } else {
    for (int i = 0; i <= k; ++i) m_a[i] = 0.0;
    const double r = std::sqrt(static_cast<double>((k + 1) * (k + 2)));
    for (int i = k & 1; i <= k; i += 2) m_a[i] = (2 * i + 1) / r;
  }

  for (int i = 0; i <= n; ++i) m_s[i] = m_w[i] = 0.0;

  m_s[0] = m_a[0];
  m_s[1] = m_a[1];
  for (int i = 2; i <= k; ++i) {
    legendre(m_p, i);
    for (int j = 0; j <= i; ++j) m_s[j] += m_a[i] * m_p[j];
  }

  // v = s^2
  for (int i = 0; i <= 2 * k + 2; ++i) m_v[i] = 0.0;
  for (int i = 0; i <= k; ++i) {
    for (int j = 0; j <= k; ++j) m_v[i + j] += m_s[i] * m_s[j];
  }
  m_v[2 * k + 1] = 0.0;

  // Even orders take the factor (1 + x).
  if ((n & 1) == 0) {
    for (int i = n; i >= 0; --i) m_v[i + 1] += m_v[i];
  }

  // Integrate.
  for (int i = n + 1; i >= 0; --i) m_v[i + 1] = m_v[i] / (i + 1.0);
  m_v[0] = 0.0;

  // Evaluate the integral from -1 to 2x - 1, dropping the constant.
  for (int i = 0; i <= n + 1; ++i) m_s[i] = 0.0;
  m_s[0] = -1.0;
  m_s[1] = 2.0;
  for (int i = 1; i <= n; ++i) {
    if (i > 1) {
      double c0 = -m_s[0];
      for (int j = 1; j <= i; ++j) {
        const double c1 = -m_s[j] + 2.0 * m_s[j - 1];
        m_s[j - 1] = c0;
        c0 = c1;
      }
      const double c1 = 2.0 * m_s[i];
      m_s[i] = c0;
      m_s[i + 1] = c1;
    }
    for (int j = i; j >= 1; --j) m_w[j] += m_v[i] * m_s[j];
  }

  if ((n & 1) == 0) m_w[1] = 0.0;
}

AnalogLowPass::AnalogLowPass() : m_numPoles(-1) {
  setNormal(0, 1);
}

void AnalogLowPass::design(int numPoles, WorkspaceBase* w) {
  numPoles = clampOrder(numPoles, std::min(w->poly.getMaxN(), w->roots.getMaxDegree() / 2));
  if (m_numPoles == numPoles) return;

  m_numPoles = numPoles;
  reset();

  const int degree = 2 * numPoles;
  w->poly.solve(numPoles);
  const double* l = w->poly.coef();

  // 1 + L(-s^2) as a polynomial in s.
  RootFinderBase& solver = w->roots;
  complex_t* coef = solver.coef();
  coef[0] = 1.0 + l[0];
  coef[1] = 0.0;
  for (int i = 1; i <= numPoles; ++i) {
    coef[2 * i] = i & 1 ? -l[i] : l[i];
    if (i < numPoles) coef[2 * i + 1] = 0.0;
  }

  try {
    solver.solve(degree);
  } catch (...) {
    // Forget the failed order so that a later setup tries again.
    m_numPoles = -1;
    throw;
  }

  // Keep the left half plane.
  complex_t* roots = solver.root();
  int j = 0;
  for (int i = 0; i < degree; ++i) {
    if (roots[i].real() <= 0) roots[j++] = roots[i];
  }
  solver.sort(numPoles);

  const int pairs = numPoles / 2;
  for (int i = 0; i < pairs; ++i) addConjugatePair(roots[i], infinity());
  if (numPoles & 1) addSingle(roots[pairs].real(), infinity());
}

}  // namespace Legendre

}  // namespace Dsp
