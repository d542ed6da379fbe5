#include "UserShapes.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

double partial(double k, double x, double phase = 0.0) { return std::sin(kTwoPi * k * x + phase); }

// Harmonics grouped round a formant at harmonic `centre` with width `width`.
double formant(double x, double centre, double width, int highest) {
  double sum = 0.0;
  for (int k = 1; k <= highest; ++k) {
    const double d = (k - centre) / width;
    sum += std::exp(-d * d) * partial(k, x, 0.4 * k);
  }
  return sum;
}

// A resonance that dies away over the cycle, as phase distortion gives it.
double resonance(double x, double cycles, double decay) { return std::pow(1.0 - x, decay) * partial(cycles, x); }

double fm(double x, double ratio, double index) { return std::sin(kTwoPi * x + index * partial(ratio, x)); }

}  // namespace

double userShape(int table, double x) {
  switch (table) {
    case 1:  // punchy body: second-harmonic resonance over the fundamental
      return resonance(x, 2.0, 1.5) + 0.45 * partial(1, x) * std::sin(0.5 * kTwoPi * x);
    case 2:  // low formant, round and nasal
      return formant(x, 3.0, 1.5, 12);
    case 3:  // FM growl
      return fm(x, 2.0, 3.5);
    case 4:  // driven third harmonic over the fundamental
      return std::tanh(3.0 * (0.6 * partial(1, x) + partial(3, x, 0.5)));
    case 5:  // mid formant over a quiet fundamental
      return 0.4 * partial(1, x) + formant(x, 6.0, 2.0, 16);
    case 6:  // decaying fifth-harmonic resonance
      return resonance(x, 5.0, 2.0) + 0.3 * partial(1, x);
    case 7:  // windowed sweep, like a soft hard-sync
      return std::sqrt(std::sin(0.5 * kTwoPi * x)) * std::sin(kTwoPi * 7.5 * x * (0.7 + 0.3 * x));
    case 8:  // organ drawbars
      return 0.8 * partial(1, x) + partial(2, x) + 0.5 * partial(3, x) + 0.6 * partial(4, x) +
             0.3 * partial(6, x) + 0.4 * partial(8, x);
    case 9:  // brighter FM
      return fm(x, 3.0, 3.0);
    case 10:  // high formant over the fundamental
      return 0.5 * partial(1, x) + formant(x, 12.0, 3.0, 24);
    case 11:  // starts low and climbs through a fourth-harmonic ripple
      return -0.85 * std::cos(kTwoPi * x) + 0.3 * partial(4, x) + 0.15 * partial(9, x, 1.0);
    case 12:  // two formants, a bright vowel
      return formant(x, 2.0, 1.0, 8) + 0.8 * formant(x, 11.0, 2.0, 20);
    case 13:  // fast decaying resonance over the fundamental
      return resonance(x, 16.0, 3.0) + 0.3 * partial(1, x);
    case 14:  // busy: a high carrier wobbled by a slow modulator
      return std::sin(kTwoPi * 64.0 * x + 6.0 * partial(3, x));
    case 15: {  // busy: a dense band of harmonics
      double sum = 0.0;
      for (int k = 40; k <= 140; ++k) sum += std::fabs(std::sin(1.7 * k)) / std::pow(k, 0.3) * partial(k, x, 0.37 * k * k);
      return sum;
    }
    default:
      return 0.0;
  }
}
