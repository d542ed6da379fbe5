#include "dsp/PoleFilter.h"

#include <cmath>

#include "dsp/Constants.h"

namespace Dsp {

namespace {

complex_t bilinear(const complex_t& s) {
  return (1.0 + s) / (1.0 - s);
}

// Computes the band edges, clamped to just inside 0 .. pi radians per sample.
void bandEdges(double fc, double fw, double& wc, double& wc2) {
  const double ww = double2Pi * fw;
  wc2 = double2Pi * fc - ww / 2;
  wc = wc2 + ww;
  if (wc2 < 1e-8) wc2 = 1e-8;
  if (wc > doublePi - 1e-8) wc = doublePi - 1e-8;
}

// Maps every analog pole and zero to one digital value; the second members
// of the analog pairs are conjugates and are not read.
template <class Map>
void mapPointByPoint(LayoutBase& digital, const LayoutBase& analog, Map map) {
  const int numPoles = analog.getNumPoles();
  const int pairs = numPoles / 2;
  for (int i = 0; i < pairs; ++i) {
    const PoleZeroPair& pair = analog[i];
    digital.addConjugatePair(map(pair.poles.first), map(pair.zeros.first));
  }
  if (numPoles & 1) {
    const PoleZeroPair& pair = analog[pairs];
    digital.addSingle(map(pair.poles.first), map(pair.zeros.first));
  }
}

}  // namespace

LowPassTransform::LowPassTransform(double fc, LayoutBase& digital, const LayoutBase& analog) {
  digital.reset();
  f = std::tan(doublePi * fc);
  mapPointByPoint(digital, analog, [this](const complex_t& c) { return transform(c); });
  digital.setNormal(analog.getNormalW(), analog.getNormalGain());
}

complex_t LowPassTransform::transform(complex_t c) const {
  if (isInfinity(c)) return complex_t(-1, 0);
  return bilinear(f * c);
}

HighPassTransform::HighPassTransform(double fc, LayoutBase& digital, const LayoutBase& analog) {
  digital.reset();
  f = 1. / std::tan(doublePi * fc);
  mapPointByPoint(digital, analog, [this](const complex_t& c) { return transform(c); });
  digital.setNormal(doublePi - analog.getNormalW(), analog.getNormalGain());
}

complex_t HighPassTransform::transform(complex_t c) const {
  if (isInfinity(c)) return complex_t(1, 0);
  c = f * c;
  return -(1.0 + c) / (1.0 - c);
}

BandPassTransform::BandPassTransform(double fc, double fw, LayoutBase& digital,
                                     const LayoutBase& analog) {
  digital.reset();
  bandEdges(fc, fw, wc, wc2);

  a = std::cos((wc + wc2) * 0.5) / std::cos((wc - wc2) * 0.5);
  b = 1 / std::tan((wc - wc2) * 0.5);
  a2 = a * a;
  b2 = b * b;
  ab = a * b;
  ab_2 = 2 * ab;

  const int numPoles = analog.getNumPoles();
  const int pairs = numPoles / 2;
  for (int i = 0; i < pairs; ++i) {
    const PoleZeroPair& pair = analog[i];
    const ComplexPair p1 = transform(pair.poles.first);
    const ComplexPair z1 = transform(pair.zeros.first);
    digital.addConjugatePair(p1.first, z1.first);
    digital.addConjugatePair(p1.second, z1.second);
  }
  if (numPoles & 1) {
    const PoleZeroPair& pair = analog[pairs];
    digital.addPair(transform(pair.poles.first), transform(pair.zeros.first));
  }

  const double wn = analog.getNormalW();
  digital.setNormal(
      2 * std::atan(std::sqrt(std::tan((wc + wn) * 0.5) * std::tan((wc2 + wn) * 0.5))),
      analog.getNormalGain());
}

ComplexPair BandPassTransform::transform(complex_t c) const {
  if (isInfinity(c)) return ComplexPair(-1, 1);

  c = bilinear(c);

  const double k = b2 * (a2 - 1);
  complex_t v = 4 * (k + 1) * c;
  v = v + 8 * (k - 1);
  v = v * c;
  v = v + 4 * (k + 1);
  v = std::sqrt(v);

  complex_t u = -v + ab_2 * c + ab_2;
  v = v + ab_2 * c + ab_2;

  const complex_t d = 2 * (b - 1) * c + 2 * (1 + b);

  return ComplexPair(u / d, v / d);
}

BandStopTransform::BandStopTransform(double fc, double fw, LayoutBase& digital,
                                     const LayoutBase& analog) {
  digital.reset();
  bandEdges(fc, fw, wc, wc2);

  a = std::cos((wc + wc2) * 0.5) / std::cos((wc - wc2) * 0.5);
  b = std::tan((wc - wc2) * 0.5);
  a2 = a * a;
  b2 = b * b;

  const int numPoles = analog.getNumPoles();
  const int pairs = numPoles / 2;
  for (int i = 0; i < pairs; ++i) {
    const PoleZeroPair& pair = analog[i];
    const ComplexPair p = transform(pair.poles.first);
    ComplexPair z = transform(pair.zeros.first);
    // A double zero on the unit circle still has to become a conjugate pair.
    if (z.second == z.first) z.second = std::conj(z.first);
    digital.addConjugatePair(p.first, z.first);
    digital.addConjugatePair(p.second, z.second);
  }
  if (numPoles & 1) {
    const PoleZeroPair& pair = analog[pairs];
    digital.addPair(transform(pair.poles.first), transform(pair.zeros.first));
  }

  digital.setNormal(fc < 0.25 ? doublePi : 0, analog.getNormalGain());
}

ComplexPair BandStopTransform::transform(complex_t c) const {
  if (isInfinity(c)) {
    c = -1;
  } else {
    c = bilinear(c);
  }

  complex_t u = 4 * (b2 + a2 - 1) * c;
  u = u + 8 * (b2 - a2 + 1);
  u = u * c;
  u = u + 4 * (a2 + b2 - 1);
  u = std::sqrt(u);

  complex_t v = -0.5 * u + a - a * c;
  u = 0.5 * u + a - a * c;

  const complex_t d = (b + 1) + (b - 1) * c;

  return ComplexPair(u / d, v / d);
}

}  // namespace Dsp
