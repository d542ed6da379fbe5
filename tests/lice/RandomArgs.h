#pragma once

#include <climits>
#include <limits>
#include <random>

#include "lice/Pixel.h"

namespace licetest {

// Arguments for the randomised safety tests of the raster entry points:
// mostly small values around a small bitmap, now and then an extreme one.
class Fuzz {
 public:
  explicit Fuzz(unsigned int seed) : mRandom(seed) {}

  int Range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(mRandom); }
  bool OneIn(int n) { return Range(0, n - 1) == 0; }

  int Coord() {
    if (OneIn(12)) {
      const int extremes[] = {INT_MIN, INT_MAX, INT_MIN + 1, INT_MAX - 1, -1000000, 1000000, 65536, -65536};
      return extremes[Range(0, 7)];
    }
    return Range(-40, 40);
  }
  int Size() { return OneIn(12) ? Coord() : Range(-8, 40); }

  float Real() {
    if (OneIn(10)) {
      const float special[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity(), 1e30f, -1e30f, 0.0f, -0.0f, 0.5f, 65535.99f};
      return special[Range(0, 8)];
    }
    return std::uniform_real_distribution<float>(-45.0f, 45.0f)(mRandom);
  }
  float Step() { return OneIn(3) ? Real() : std::uniform_real_distribution<float>(-3.0f, 3.0f)(mRandom); }

  float Alpha() {
    const float alphas[] = {1.0f, 0.5f, 0.25f, 0.75f, 0.999f, 1.0001f, -1.0f, 2.5f, 1e9f, -1e9f, 0.0f, 0.3f,
                            std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    return alphas[Range(0, 13)];
  }

  int Mode() {
    if (OneIn(10)) return static_cast<int>(mRandom());
    const int ops[] = {0, 1, 2, 3, 4, 5, 6, 0xf0, 0xf4, 0xff, 0xfb};
    const int filters[] = {0, 0x100, 0x200, 0x1ff00};
    return ops[Range(0, 10)] | filters[Range(0, 3)] | (OneIn(2) ? 0x10000 : 0);
  }

  LICE_pixel Pixel() { return static_cast<LICE_pixel>(mRandom()); }

  std::mt19937& Engine() { return mRandom; }

 private:
  std::mt19937 mRandom;
};

}  // namespace licetest
