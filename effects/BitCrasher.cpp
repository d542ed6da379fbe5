#include "effects/BitCrasher.h"

#include <cmath>
#include <cstdint>

namespace Quillvane {

namespace {
constexpr double kInt64Limit = 9223372036854775808.0;  // 2^63
}

void BitCrasher::setQuantization(double q) {
  mQuantization = q;
  if (q == 1.0) {
    mBits = kMaxBit;
    mScale = kInt64Limit;
  } else {
    mBits = kStartBit + q * (kMaxBit - kStartBit);
    mScale = std::pow(2.0, mBits - 1.0);
  }
}

void BitCrasher::process(double** channels, int n) {
  if (mOff || mQuantization >= 1.0) return;
  for (int c = 0; c < 2; ++c) {
    double* samples = channels[c];
    for (int i = 0; i < n; ++i) {
      const double scaled = samples[i] * mScale;
      // A sample whose scaled value has no 64-bit integer stays as it is.
      if (!(scaled > -kInt64Limit && scaled < kInt64Limit)) continue;
      samples[i] = static_cast<double>(static_cast<int64_t>(scaled)) / mScale;
    }
  }
}

}  // namespace Quillvane
