#include "engine/SeededRandom.h"

namespace Quillvane {

void SeededRandom::seed(unsigned value) {
  if (value == 0) value = 1;
  int32_t word = static_cast<int32_t>(value);
  mState[0] = static_cast<uint32_t>(word);
  for (int i = 1; i < kDegree; ++i) {
    // 16807 * word mod (2^31 - 1) without overflow (Schrage's method).
    const int32_t hi = word / 127773;
    const int32_t lo = word % 127773;
    word = 16807 * lo - 2836 * hi;
    if (word < 0) word += 2147483647;
    mState[i] = static_cast<uint32_t>(word);
  }
  mFront = kSeparation;
  mRear = 0;
  for (int i = 0; i < 10 * kDegree; ++i) next();
}

int SeededRandom::next() {
  mState[mFront] += mState[mRear];
  const int result = static_cast<int>(mState[mFront] >> 1);
  if (++mFront >= kDegree) mFront = 0;
  if (++mRear >= kDegree) mRear = 0;
  return result;
}

}  // namespace Quillvane
