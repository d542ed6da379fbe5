#pragma once

#include <cstdint>

namespace Quillvane {

// A private copy of the C library's default rand() generator (the additive
// feedback generator with a 31-word state), so noise tables and distortion
// curves come out identical without touching the process-wide srand()/rand().
class SeededRandom {
 public:
  static constexpr int kMax = 2147483647;

  explicit SeededRandom(unsigned value = 1) { seed(value); }

  void seed(unsigned value);
  // Next value in [0, kMax], the sequence rand() gives after srand(seed).
  int next();

 private:
  static constexpr int kDegree = 31;
  static constexpr int kSeparation = 3;
  uint32_t mState[kDegree] = {};
  int mFront = kSeparation;
  int mRear = 0;
};

}  // namespace Quillvane
