#pragma once

#include <cmath>
#include <complex>
#include <cstddef>
#include <vector>

namespace testsupport {

// Frequency in Hz from the rising zero crossings of x[first, last), each
// placed between its two samples by linear interpolation.
inline double measureFrequency(const std::vector<double>& x, std::size_t first, std::size_t last,
                               double sampleRate) {
  double firstCrossing = -1.0;
  double lastCrossing = -1.0;
  int crossings = 0;
  for (std::size_t i = first + 1; i < last; ++i) {
    if (x[i - 1] < 0.0 && x[i] >= 0.0) {
      const double at = static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
      if (crossings == 0) firstCrossing = at;
      lastCrossing = at;
      ++crossings;
    }
  }
  if (crossings < 2) return 0.0;
  return (crossings - 1) * sampleRate / (lastCrossing - firstCrossing);
}

// Peak amplitude of the component of x[first, last) at frequency Hz; other
// frequencies cancel out over many periods.
inline double measureAmplitude(const std::vector<double>& x, std::size_t first, std::size_t last, double frequency,
                               double sampleRate) {
  const double step = 2.0 * 3.141592653589793 * frequency / sampleRate;
  std::complex<double> sum;
  for (std::size_t i = first; i < last; ++i) sum += x[i] * std::polar(1.0, -step * static_cast<double>(i));
  return 2.0 * std::abs(sum) / static_cast<double>(last - first);
}

// Index of the first non-zero sample, or x.size() when there is none.
inline std::size_t firstNonZero(const std::vector<double>& x, std::size_t from = 0) {
  for (std::size_t i = from; i < x.size(); ++i) {
    if (x[i] != 0.0) return i;
  }
  return x.size();
}

}  // namespace testsupport
