#pragma once

#include <cmath>
#include <complex>
#include <cstddef>
#include <vector>

namespace testsupport {

// The nominal centres of the third-octave bands from 50 Hz to 8 kHz.
inline const std::vector<double>& thirdOctaveCentres() {
  static const std::vector<double> centres = {50,   63,   80,   100,  125,  160,  200,  250,  315,
                                              400,  500,  630,  800,  1000, 1250, 1600, 2000, 2500,
                                              3150, 4000, 5000, 6300, 8000};
  return centres;
}

// In-place radix-2 transform; the size must be a power of two.
inline void fft(std::vector<std::complex<double>>& a) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> turn = std::polar(1.0, -2 * M_PI / static_cast<double>(len));
    for (std::size_t i = 0; i < n; i += len) {
      std::complex<double> w = 1.0;
      for (std::size_t k = 0; k < len / 2; ++k) {
        const std::complex<double> u = a[i + k];
        const std::complex<double> v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= turn;
      }
    }
  }
}

// The energy of x in each third-octave band, in dB, from its whole
// spectrum: each bin counts in the band whose edges (the centre times
// 2^(-1/6) and 2^(1/6)) hold its frequency.
inline std::vector<double> thirdOctaveLevels(const std::vector<double>& x, double rate) {
  std::size_t n = 1;
  while (n < x.size()) n <<= 1;
  std::vector<std::complex<double>> spectrum(n);
  for (std::size_t i = 0; i < x.size(); ++i) spectrum[i] = x[i];
  fft(spectrum);
  std::vector<double> levels;
  for (double centre : thirdOctaveCentres()) {
    const double low = centre * std::pow(2.0, -1.0 / 6), high = centre * std::pow(2.0, 1.0 / 6);
    double energy = 1e-300;
    for (std::size_t k = 1; k < n / 2; ++k) {
      const double f = static_cast<double>(k) * rate / static_cast<double>(n);
      if (f >= low && f < high) energy += std::norm(spectrum[k]);
    }
    levels.push_back(10 * std::log10(energy));
  }
  return levels;
}

}  // namespace testsupport
