#include "lice/LICE_MemBitmap.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

LICE_MemBitmap::LICE_MemBitmap(int w, int h, unsigned int rowAlign) {
  if (rowAlign >= 2) {
    unsigned int lowest = rowAlign & (~rowAlign + 1);
    if (lowest > 16) lowest = 16;
    mLineAlignMask = static_cast<int>(lowest) - 1;
  }
  if (w != 0 || h != 0) resize(w, h);
}

LICE_MemBitmap::~LICE_MemBitmap() { std::free(mBuffer); }

LICE_pixel* LICE_MemBitmap::getBits() {
  if (!mBuffer) return nullptr;
  const auto raw = reinterpret_cast<uintptr_t>(mBuffer);
  return reinterpret_cast<LICE_pixel*>((raw + 63) & ~static_cast<uintptr_t>(63));
}

void LICE_MemBitmap::release() {
  std::free(mBuffer);
  mBuffer = nullptr;
  mAllocBytes = 0;
  mWidth = 0;
  mHeight = 0;
}

bool LICE_MemBitmap::resize(int w, int h) {
  if (w == mWidth && h == mHeight) return false;
  if (w < 0 || h < 0) {
    release();
    return true;
  }
  const long long span = (static_cast<long long>(w) + mLineAlignMask) & ~static_cast<long long>(mLineAlignMask);
  // More than INT_MAX bytes cannot be held; asked before multiplying, as
  // the product of two such sizes passes even 64 bits.
  if (span < 1 || h < 1 || span > INT_MAX / 4 / h) {
    release();
    return true;
  }
  const long long need = span * h * 4;
  mWidth = w;
  mHeight = h;
  const int n = static_cast<int>(need);
  if (mBuffer && n <= mAllocBytes) return true;
  if (mBuffer) {
    const long long grown = need + need / 4;
    mAllocBytes = grown > INT_MAX ? INT_MAX : static_cast<int>(grown);
    void* moved = std::realloc(mBuffer, static_cast<size_t>(mAllocBytes) + 63);
    if (moved) {
      mBuffer = moved;
      return true;
    }
    std::free(mBuffer);
    mBuffer = nullptr;
  }
  mAllocBytes = n;
  mBuffer = std::malloc(static_cast<size_t>(n) + 63);
  if (!mBuffer) release();
  return true;
}
