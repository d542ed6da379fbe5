#pragma once

#include "lice/LICE_IBitmap.h"

// A bitmap whose pixels sit in a heap block of its own, rows starting on a
// 64-byte boundary. The block grows by a quarter over the need and only ever
// shrinks to nothing; pixels are undefined after a resize that changes the size.
class LICE_MemBitmap : public LICE_IBitmap {
 public:
  // rowAlign: rows span a multiple of its lowest set bit in pixels (at most 16).
  explicit LICE_MemBitmap(int w = 0, int h = 0, unsigned int rowAlign = 4);
  ~LICE_MemBitmap() override;
  LICE_MemBitmap(const LICE_MemBitmap&) = delete;
  LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

  LICE_pixel* getBits() override;
  int getWidth() override { return mWidth; }
  int getHeight() override { return mHeight; }
  int getRowSpan() override { return (mWidth + mLineAlignMask) & ~mLineAlignMask; }
  // A size that cannot be held (negative, or more than INT_MAX bytes) or a
  // failed allocation leaves the bitmap 0 x 0 without a block.
  bool resize(int w, int h) override;

 protected:
  void* mBuffer = nullptr;
  int mWidth = 0;
  int mHeight = 0;
  int mAllocBytes = 0;
  int mLineAlignMask = 0;

 private:
  void release();
};
