#pragma once

#include <cstddef>
#include <vector>

#include "lice/LICE_IBitmap.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LICETEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LICETEST_ASAN 1
#endif
#ifdef LICETEST_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace licetest {

// A bitmap whose rows carry padding past their width and whose pixels sit
// between two guard zones, all holding a known word. Under AddressSanitizer
// the padding and guards are also poisoned, so a stray read stops the test
// as a stray write does; without it, CanariesIntact() finds stray writes.
class CanaryBitmap : public LICE_IBitmap {
 public:
  static constexpr LICE_pixel kCanary = 0x5ca1ab1e;
  static constexpr int kGuard = 64;

  CanaryBitmap(int w, int h, bool flipped, unsigned int seed) : mWidth(w), mHeight(h), mFlipped(flipped) {
    // Even spans keep every row on an 8-byte boundary, so that the poisoned
    // padding ends where the next row starts.
    mSpan = w + 1 + ((w + 1) & 1);
    mStore.assign(static_cast<size_t>(kGuard) * 2 + static_cast<size_t>(mSpan) * h, kCanary);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) row(y)[x] = seed = seed * 1664525u + 1013904223u;
    }
    poison(true);
  }
  ~CanaryBitmap() override { poison(false); }
  CanaryBitmap(const CanaryBitmap&) = delete;
  CanaryBitmap& operator=(const CanaryBitmap&) = delete;

  LICE_pixel* getBits() override { return mWidth > 0 && mHeight > 0 ? mStore.data() + kGuard : nullptr; }
  int getWidth() override { return mWidth; }
  int getHeight() override { return mHeight; }
  int getRowSpan() override { return mSpan; }
  bool isFlipped() override { return mFlipped; }
  bool resize(int, int) override { return false; }

  bool CanariesIntact() {
    poison(false);
    bool intact = true;
    for (size_t i = 0; i < mStore.size(); ++i) {
      if (!isPixel(i) && mStore[i] != kCanary) intact = false;
    }
    poison(true);
    return intact;
  }

 private:
  LICE_pixel* row(int y) { return mStore.data() + kGuard + static_cast<size_t>(y) * mSpan; }

  bool isPixel(size_t i) const {
    if (i < kGuard) return false;
    const size_t offset = i - kGuard;
    const size_t y = offset / mSpan, x = offset % mSpan;
    return y < static_cast<size_t>(mHeight) && x < static_cast<size_t>(mWidth);
  }

  void poison(bool on) {
#ifdef LICETEST_ASAN
    auto apply = [on](void* p, size_t bytes) {
      if (on) {
        ASAN_POISON_MEMORY_REGION(p, bytes);
      } else {
        ASAN_UNPOISON_MEMORY_REGION(p, bytes);
      }
    };
    apply(mStore.data(), kGuard * sizeof(LICE_pixel));
    apply(mStore.data() + mStore.size() - kGuard, kGuard * sizeof(LICE_pixel));
    for (int y = 0; y < mHeight; ++y) apply(row(y) + mWidth, (mSpan - mWidth) * sizeof(LICE_pixel));
#else
    (void)on;
#endif
  }

  int mWidth, mHeight, mSpan;
  bool mFlipped;
  std::vector<LICE_pixel> mStore;
};

}  // namespace licetest
