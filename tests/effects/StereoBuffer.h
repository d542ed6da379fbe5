#pragma once

#include <cmath>
#include <vector>

namespace effectstest {

// Two channels of doubles in the form the effect units take.
class StereoBuffer {
 public:
  explicit StereoBuffer(int n) : mLeft(n, 0.0), mRight(n, 0.0) {}

  // A deterministic two-tone test signal starting at sample offset `start`.
  static StereoBuffer tones(int n, int start = 0, double level = 0.5) {
    StereoBuffer b(n);
    for (int i = 0; i < n; ++i) {
      const double t = start + i;
      b.mLeft[i] = level * std::sin(0.031 * t) + 0.3 * level * std::sin(0.77 * t);
      b.mRight[i] = level * std::cos(0.023 * t) - 0.3 * level * std::sin(1.3 * t);
    }
    return b;
  }

  double** channels() {
    mPointers[0] = mLeft.data();
    mPointers[1] = mRight.data();
    return mPointers;
  }
  int size() const { return static_cast<int>(mLeft.size()); }
  std::vector<double>& left() { return mLeft; }
  std::vector<double>& right() { return mRight; }
  const std::vector<double>& left() const { return mLeft; }
  const std::vector<double>& right() const { return mRight; }
  bool operator==(const StereoBuffer& o) const { return mLeft == o.mLeft && mRight == o.mRight; }

 private:
  std::vector<double> mLeft;
  std::vector<double> mRight;
  double* mPointers[2] = {nullptr, nullptr};
};

}  // namespace effectstest
