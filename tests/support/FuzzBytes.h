#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace testsupport {

// Reads a fuzzer's input front to back; past the end every read gives zeros.
class FuzzBytes {
 public:
  FuzzBytes(const uint8_t* data, size_t size) : mData(data), mLeft(size) {}

  bool Empty() const { return mLeft == 0; }

  uint8_t Byte() {
    uint8_t b = 0;
    Copy(&b, 1);
    return b;
  }

  template <class T>
  T Value() {
    T value;
    std::memset(&value, 0, sizeof(value));
    Copy(&value, sizeof(value));
    return value;
  }

  // Copies up to n bytes, zero-filling what the input no longer holds.
  size_t Copy(void* out, size_t n) {
    const size_t taken = n < mLeft ? n : mLeft;
    if (taken > 0) std::memcpy(out, mData, taken);
    if (n > taken) std::memset(static_cast<uint8_t*>(out) + taken, 0, n - taken);
    mData += taken;
    mLeft -= taken;
    return taken;
  }

 private:
  const uint8_t* mData;
  size_t mLeft;
};

}  // namespace testsupport
