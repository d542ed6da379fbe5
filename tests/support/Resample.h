#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <vector>

namespace testsupport {

// x taken from one whole-number rate to another by windowed-sinc
// interpolation: a Blackman-windowed sinc of 64 zero crossings a side, its
// cut at the lower of the two Nyquist frequencies, so nothing folds back on
// the way down. The output samples fall on as many distinct positions
// between source samples as the rates' ratio has in its denominator; each
// position's kernel is made once.
inline std::vector<double> resample(const std::vector<double>& x, long from, long to) {
  if (from == to) return x;
  constexpr int kHalfWidth = 64;
  const long g = std::gcd(from, to);
  const long up = to / g, down = from / g;  // output i sits at source i * down / up
  const double cut = std::fmin(1.0, static_cast<double>(to) / static_cast<double>(from));
  const int reach = static_cast<int>(std::ceil(kHalfWidth / cut));
  std::vector<std::vector<double>> kernels(static_cast<std::size_t>(up));
  for (long p = 0; p < up; ++p) {
    const double frac = static_cast<double>(p) / static_cast<double>(up);
    std::vector<double>& k = kernels[static_cast<std::size_t>(p)];
    for (int j = -reach; j <= reach; ++j) {
      const double d = (j - frac) * cut;
      const double sinc = d == 0.0 ? 1.0 : std::sin(M_PI * d) / (M_PI * d);
      const double w = std::fabs(d) >= kHalfWidth
                           ? 0.0
                           : 0.42 + 0.5 * std::cos(M_PI * d / kHalfWidth) + 0.08 * std::cos(2 * M_PI * d / kHalfWidth);
      k.push_back(cut * sinc * w);
    }
  }
  const auto n = static_cast<std::size_t>(static_cast<long>(x.size()) * up / down);
  std::vector<double> y(n);
  const long size = static_cast<long>(x.size());
  for (std::size_t i = 0; i < n; ++i) {
    const long position = static_cast<long>(i) * down;
    const long base = position / up;
    const double* k = kernels[static_cast<std::size_t>(position % up)].data() + reach;
    // Only the taps that fall on source samples.
    const long first = std::max<long>(-reach, -base), last = std::min<long>(reach, size - 1 - base);
    double sum = 0.0;
    for (long j = first; j <= last; ++j) sum += x[static_cast<std::size_t>(base + j)] * k[j];
    y[i] = sum;
  }
  return y;
}

}  // namespace testsupport
