#pragma once

#include <sys/mman.h>

#include <cstddef>

#include "lice/LICE_IBitmap.h"

namespace licetest {

// A bitmap of any size whose pixels are an anonymous mapping that is only
// reserved: memory is taken for the pages a drawing touches, so that
// bitmaps wider than 2^28 pixels fit in a test. Pixels start at 0. Read
// single pixels, never whole rows.
class SparseBitmap : public LICE_IBitmap {
 public:
  SparseBitmap(int w, int h) : mWidth(w), mHeight(h), mBytes(static_cast<size_t>(w) * h * sizeof(LICE_pixel)) {
    void* p = mmap(nullptr, mBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    mBits = p == MAP_FAILED ? nullptr : static_cast<LICE_pixel*>(p);
  }
  ~SparseBitmap() override {
    if (mBits) munmap(mBits, mBytes);
  }
  SparseBitmap(const SparseBitmap&) = delete;
  SparseBitmap& operator=(const SparseBitmap&) = delete;

  LICE_pixel* getBits() override { return mBits; }
  int getWidth() override { return mWidth; }
  int getHeight() override { return mHeight; }
  int getRowSpan() override { return mWidth; }
  bool resize(int, int) override { return false; }

  LICE_pixel At(int x, int y) const { return mBits[static_cast<std::ptrdiff_t>(y) * mWidth + x]; }

 private:
  int mWidth, mHeight;
  size_t mBytes;
  LICE_pixel* mBits;
};

}  // namespace licetest
