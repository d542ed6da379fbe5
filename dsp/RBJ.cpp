#include "dsp/RBJ.h"

#include <cmath>

#include "dsp/Constants.h"

namespace Dsp {

namespace RBJ {

namespace {

// The angular frequency and its cosine and sine, shared by every design.
struct Corner {
  Corner(double sampleRate, double frequency)
      : w0(frequency * double2Pi / sampleRate), cs(std::cos(w0)), sn(std::sin(w0)) {}

  double w0;
  double cs;
  double sn;
};

// Shelf terms: A from the gain and the alpha and 2*sqrt(A)*alpha of the slope.
struct ShelfTerms {
  ShelfTerms(const Corner& c, double gainDb, double shelfSlope)
      : A(std::pow(10, gainDb / 40)),
        al((c.sn * 0.5) * std::sqrt((1 / shelfSlope - 1) * (1 / A + A) + 2)),
        sq(2 * std::sqrt(A) * al) {}

  double A;
  double al;
  double sq;
};

}  // namespace

void LowPass::setup(double sampleRate, double cutoffFrequency, double q) {
  const Corner c(sampleRate, cutoffFrequency);
  const double al = c.sn / (2 * q);
  setCoefficients(1 + al, -2 * c.cs, 1 - al, (1 - c.cs) / 2, 1 - c.cs, (1 - c.cs) / 2);
}

void HighPass::setup(double sampleRate, double cutoffFrequency, double q) {
  const Corner c(sampleRate, cutoffFrequency);
  const double al = c.sn / (2 * q);
  setCoefficients(1 + al, -2 * c.cs, 1 - al, (1 + c.cs) / 2, -(1 + c.cs), (1 + c.cs) / 2);
}

void BandPass1::setup(double sampleRate, double centerFrequency, double bandWidth) {
  const Corner c(sampleRate, centerFrequency);
  const double al = c.sn / (2 * bandWidth);
  setCoefficients(1 + al, -2 * c.cs, 1 - al, bandWidth * al, 0, -(bandWidth * al));
}

void BandPass2::setup(double sampleRate, double centerFrequency, double bandWidth) {
  const Corner c(sampleRate, centerFrequency);
  const double al = c.sn / (2 * bandWidth);
  setCoefficients(1 + al, -2 * c.cs, 1 - al, al, 0, -al);
}

void BandStop::setup(double sampleRate, double centerFrequency, double bandWidth) {
  const Corner c(sampleRate, centerFrequency);
  const double al = c.sn / (2 * bandWidth);
  setCoefficients(1 + al, -2 * c.cs, 1 - al, 1, -2 * c.cs, 1);
}

void LowShelf::setup(double sampleRate, double cutoffFrequency, double gainDb,
                     double shelfSlope) {
  const Corner c(sampleRate, cutoffFrequency);
  const ShelfTerms t(c, gainDb, shelfSlope);
  const double A = t.A;
  setCoefficients((A + 1) + (A - 1) * c.cs + t.sq, -2 * ((A - 1) + (A + 1) * c.cs),
                  (A + 1) + (A - 1) * c.cs - t.sq, A * ((A + 1) - (A - 1) * c.cs + t.sq),
                  2 * A * ((A - 1) - (A + 1) * c.cs), A * ((A + 1) - (A - 1) * c.cs - t.sq));
}

void HighShelf::setup(double sampleRate, double cutoffFrequency, double gainDb,
                      double shelfSlope) {
  const Corner c(sampleRate, cutoffFrequency);
  const ShelfTerms t(c, gainDb, shelfSlope);
  const double A = t.A;
  setCoefficients((A + 1) - (A - 1) * c.cs + t.sq, 2 * ((A - 1) - (A + 1) * c.cs),
                  (A + 1) - (A - 1) * c.cs - t.sq, A * ((A + 1) + (A - 1) * c.cs + t.sq),
                  -2 * A * ((A - 1) + (A + 1) * c.cs), A * ((A + 1) + (A - 1) * c.cs - t.sq));
}

void BandShelf::setup(double sampleRate, double centerFrequency, double gainDb,
                      double bandWidth) {
  const Corner c(sampleRate, centerFrequency);
  const double A = std::pow(10, gainDb / 40);
  const double al = c.sn * std::sinh(bandWidth * 0.34657359027997264 * c.w0 / c.sn);
  setCoefficients(1 + al / A, -2 * c.cs, 1 - al / A, 1 + al * A, -2 * c.cs, 1 - al * A);
}

void AllPass::setup(double sampleRate, double phaseFrequency, double q) {
  const Corner c(sampleRate, phaseFrequency);
  const double al = c.sn / (2 * q);
  setCoefficients(1 + al, -2 * c.cs, 1 - al, 1 - al, -2 * c.cs, 1 + al);
}

}  // namespace RBJ

}  // namespace Dsp
