#pragma once

#include <complex>
#include <limits>

namespace Dsp {

typedef std::complex<double> complex_t;

// Two complex values: a conjugate pair, two real roots, or a value and zero.
struct ComplexPair {
  ComplexPair() = default;
  ComplexPair(const complex_t& c1, const complex_t& c2) : first(c1), second(c2) {}

  complex_t first;
  complex_t second;
};

// The poles and zeros of one section. A pair whose second members are both
// exactly zero stands for a first-order section.
struct PoleZeroPair {
  PoleZeroPair() = default;
  PoleZeroPair(const complex_t& p, const complex_t& z) : poles(p, 0.0), zeros(z, 0.0) {}
  PoleZeroPair(const complex_t& p1, const complex_t& z1, const complex_t& p2, const complex_t& z2)
      : poles(p1, p2), zeros(z1, z2) {}

  bool isSinglePole() const { return poles.second == 0.0 && zeros.second == 0.0; }

  ComplexPair poles;
  ComplexPair zeros;
};

// The s-plane point at infinity that analog prototypes use for missing zeros.
inline complex_t infinity() {
  return complex_t(std::numeric_limits<double>::infinity(), 0.0);
}

// Also true for the conjugate of infinity, whose imaginary part is -0.
inline bool isInfinity(const complex_t& c) {
  return c.real() == std::numeric_limits<double>::infinity() && c.imag() == 0.0;
}

}  // namespace Dsp
