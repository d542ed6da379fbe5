#pragma once

#include "lice/LICE_IBitmap.h"

// A bitmap whose pixels live in a memory drawing context, so that text can be
// drawn into it and the platform can show it as it is: top row first, rows
// mAllocWidth pixels apart. The context is kept for every size that fits in
// it and recreated, at exactly the rounded request, when one does not.
class LICE_SysBitmap : public LICE_IBitmap {
 public:
  explicit LICE_SysBitmap(int w = 0, int h = 0);
  ~LICE_SysBitmap() override;
  LICE_SysBitmap(const LICE_SysBitmap&) = delete;
  LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

  LICE_pixel* getBits() override { return mBits; }
  int getWidth() override { return mWidth; }
  int getHeight() override { return mHeight; }
  int getRowSpan() override { return mAllocWidth; }
  // A negative size, or a context that cannot be had, leaves it 0 x 0 without one.
  bool resize(int w, int h) override;
  HDC getDC() override { return mContext; }

 private:
  void dropContext();

  int mWidth = 0;
  int mHeight = 0;
  HDC mContext = nullptr;
  LICE_pixel* mBits = nullptr;
  int mAllocWidth = 0;
  int mAllocHeight = 0;
};
