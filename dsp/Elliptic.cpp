#include "dsp/Elliptic.h"

#include <cmath>

#include "dsp/Constants.h"

namespace Dsp {

namespace Elliptic {

namespace {

// Bounds for inputs that never converge (NaN, or a roll-off so low that the
// modulus rounds to 1); valid designs need far fewer.
const int kMaxSeriesTerms = 1000;
const int kMaxBairstowIterations = 100;

// The series runs until its terms drop below double resolution; stopping
// near 1e-7 leaves the stop-band zeros visibly misplaced.
const double kSeriesLastTerm = 1e-17;

bool bairstowConverged(double dp, double dq, double p, double q) {
  return std::fabs(dp) + std::fabs(dq) <= 1e-14 * (std::fabs(p) + std::fabs(q));
}

}  // namespace

double Solver::ellipticK(double k) {
  double a = 1;
  double b = std::sqrt(1 - k * k);
  double c = 1 - b;
  double cOld;
  // Arithmetic-geometric mean, until the difference stops shrinking.
  do {
    cOld = c;
    c = (a - b) / 2;
    const double aNext = (a + b) / 2;
    b = std::sqrt(a * b);
    a = aNext;
  } while (c < cOld);
  return doublePi / (2 * a);
}

AnalogLowPass::AnalogLowPass() {
  setNormal(0, 1);
}

void AnalogLowPass::design(int numPoles, double rippleDb, double rolloff) {
  numPoles = clampOrder(numPoles, kMaxOrder);
  if (m_numPoles == numPoles && m_rippleDb == rippleDb && m_rolloff == rolloff) return;

  m_numPoles = numPoles;
  m_rippleDb = rippleDb;
  m_rolloff = rolloff;
  reset();

  const int n = numPoles;
  const double e2 = std::pow(10., rippleDb / 10) - 1;
  const double xi = 5 * std::exp(rolloff - 1) + 1;

  m_K = Solver::ellipticK(1 / xi);
  m_Kprime = Solver::ellipticK(std::sqrt(1 - 1 / (xi * xi)));

  // Zeros of the stop band, from sn at the quarter-period fractions.
  const int ni = (n & 1) ? 0 : 1;
  double f[kWork];
  for (int i = 1; i <= n / 2; ++i) {
    const double u = (2 * i - ni) * m_K / n;
    const double sn = calcsn(u) * double2Pi / m_K;
    f[i] = m_zi[i - 1] = 1 / sn;
  }

  m_nin = n % 2;
  m_n2 = n / 2;
  for (int i = 1; i <= m_n2; ++i) {
    const double x = f[m_n2 + 1 - i];
    m_z1[i] = std::sqrt(1 - 1 / (x * x));
  }

  m_e = std::sqrt(e2);
  m_m = m_nin + 2 * m_n2;
  m_em = 2 * (m_m / 2);

  calcfz();
  calcqz();
  if (m_m > m_em) m_c[2 * m_m] = 0;
  for (int i = 0; i <= 2 * m_m; i += 2) m_a[m_m - i / 2] = m_c[i] + m_d[i];
  const double a0 = findfact(m_m);

  const double fb = 0.15915494309189535;
  const double fb2 = 0.025330295910584447;
  for (int k = 1; k <= m_em / 2; ++k) {
    m_fp[k] /= 10;
    m_fq[k] /= 100;
    const double den = 1 + m_fp[k] + m_fq[k];
    m_b[k] = (1 + m_fp[k] / 2) * fb2 / den;
    m_zf[k] = fb / std::pow(den, .25);
    const double x = m_zf[k];
    m_zq[k] = 1 / std::sqrt(std::fabs(2 * (1 - m_b[k] / (x * x))));
    m_zw[k] = double2Pi * m_zf[k];
    const double w = m_zw[k];
    const double q = m_zq[k];
    const complex_t pole(-0.5 * w / q, 0.5 * std::sqrt(std::fabs(w * w / (q * q) - 4 * w * w)));
    addConjugatePair(pole, complex_t(0, m_zi[k - 1]));
  }

  if (a0 != 0) addSingle(complex_t(-std::sqrt(fb2 / (.1 * a0 - 1)) * double2Pi, 0), infinity());

  setNormal(0, (n & 1) ? 1. : std::pow(10., -rippleDb / 20.0));
}

// The Jacobi sn by its q-series, scaled by the modulus.
double AnalogLowPass::calcsn(double u) const {
  const double q = std::exp(-doublePi * m_Kprime / m_K);
  const double v = doublePi_2 * u / m_K;
  double sum = 0;
  for (int j = 0; j < kMaxSeriesTerms; ++j) {
    const double w = std::pow(q, j + 0.5);
    sum += w * std::sin((2 * j + 1) * v) / (1 - w * w);
    if (!(w >= kSeriesLastTerm)) break;
  }
  return sum;
}

// b = product of (x + s[j]) for j = 1 .. sn, lowest power first.
void AnalogLowPass::prodpoly(int sn) {
  m_b[0] = m_s[1];
  m_b[1] = 1;
  for (int j = 2; j <= sn; ++j) {
    m_a[0] = m_s[j] * m_b[0];
    for (int i = 1; i <= j - 1; ++i) m_a[i] = m_b[i - 1] + m_s[j] * m_b[i];
    for (int i = 0; i != j; ++i) m_b[i] = m_a[i];
    m_b[j] = 1;
  }
}

void AnalogLowPass::calcfz2(int i) {
  int ji = 0;
  int jf = 0;
  if (i < m_em + 2) {
    ji = 0;
    jf = i;
  }
  if (i > m_em) {
    ji = i - m_em;
    jf = m_em;
  }
  m_c[i] = 0;
  for (int j = ji; j <= jf; j += 2) {
    m_c[i] += m_a[j] * (m_a[i - j] * std::pow(10., m_m - i / 2));
  }
}

void AnalogLowPass::calcfz() {
  int i = 1;
  if (m_nin == 1) m_s[i++] = 1;
  for (; i <= m_nin + m_n2; ++i) m_s[i] = m_s[i + m_n2] = m_z1[i - m_nin];
  prodpoly(m_nin + 2 * m_n2);
  for (i = 0; i <= m_em; i += 2) m_a[i] = m_e * m_b[i];
  for (i = 0; i <= 2 * m_em; i += 2) calcfz2(i);
}

void AnalogLowPass::calcqz() {
  int i;
  for (i = 1; i <= m_nin; ++i) m_s[i] = -10;
  for (; i <= m_nin + m_n2; ++i) m_s[i] = -10 * m_z1[i - m_nin] * m_z1[i - m_nin];
  for (; i <= m_nin + 2 * m_n2; ++i) m_s[i] = m_s[i - m_n2];
  prodpoly(m_m);
  const int dd = (m_nin & 1) ? -1 : 1;
  for (i = 0; i <= 2 * m_m; i += 2) m_d[i] = dd * m_b[i / 2];
}

// Splits a into quadratic factors x^2 + fp x + fq by Bairstow's method;
// returns the root of the linear factor left over for an odd degree.
double AnalogLowPass::findfact(int t) {
  for (int i = 1; i <= t; ++i) m_a[i] /= m_a[0];
  m_a[0] = m_b[0] = m_c[0] = 1;

  int i1 = 0;
  while (t > 2) {
    double p = 0;
    double q = 0;
    ++i1;
    for (int iteration = 1;; ++iteration) {
      m_b[1] = m_a[1] - p;
      m_c[1] = m_b[1] - p;
      for (int i = 2; i <= t; ++i) m_b[i] = m_a[i] - p * m_b[i - 1] - q * m_b[i - 2];
      for (int i = 2; i < t; ++i) m_c[i] = m_b[i] - p * m_c[i - 1] - q * m_c[i - 2];
      const int x1 = t - 1;
      const int x2 = t - 2;
      const int x3 = t - 3;
      double x4 = m_c[x2] * m_c[x2] + m_c[x3] * (m_b[x1] - m_c[x1]);
      if (x4 == 0) x4 = 1e-3;
      const double ddp = (m_b[x1] * m_c[x2] - m_b[t] * m_c[x3]) / x4;
      p += ddp;
      const double ddq = (m_b[t] * m_c[x2] - m_b[x1] * (m_c[x1] - m_b[x1])) / x4;
      q += ddq;
      if (bairstowConverged(ddp, ddq, p, q) || iteration >= kMaxBairstowIterations) break;
    }
    m_fp[i1] = p;
    m_fq[i1] = q;
    m_a[1] = m_a[1] - p;
    t -= 2;
    for (int i = 2; i <= t; ++i) m_a[i] = m_a[i] - (p * m_a[i - 1] + q * m_a[i - 2]);
  }

  if (t == 2) {
    ++i1;
    m_fp[i1] = m_a[1];
    m_fq[i1] = m_a[2];
  }

  return t == 1 ? -m_a[1] : 0;
}

}  // namespace Elliptic

}  // namespace Dsp
