#include "lice/LICE_SysBitmap.h"

#include <climits>

LICE_SysBitmap::LICE_SysBitmap(int w, int h) { resize(w, h); }

LICE_SysBitmap::~LICE_SysBitmap() { dropContext(); }

void LICE_SysBitmap::dropContext() {
  if (mContext) SWELL_DeleteGfxContext(mContext);
  mContext = nullptr;
  mBits = nullptr;
}

bool LICE_SysBitmap::resize(int w, int h) {
  if (w == mWidth && h == mHeight) return false;
  if (w < 0 || h < 0) {
    dropContext();
    mWidth = mHeight = mAllocWidth = mAllocHeight = 0;
    return true;
  }
  mWidth = w;
  mHeight = h;
  if (w != 0 && h != 0 && w <= mAllocWidth && h <= mAllocHeight && mBits) return true;

  const long long rounded = (static_cast<long long>(w) + 3) & ~3LL;
  dropContext();
  if (rounded > INT_MAX) {
    mWidth = mHeight = mAllocWidth = mAllocHeight = 0;
    return true;
  }
  mAllocWidth = static_cast<int>(rounded);
  mAllocHeight = h;
  if (mAllocWidth == 0 || h == 0) return false;
  mContext = SWELL_CreateMemContext(nullptr, mAllocWidth, h);
  if (mContext) {
    mBits = static_cast<LICE_pixel*>(SWELL_GetCtxFrameBuffer(mContext));
  } else {
    mWidth = mHeight = 0;
  }
  return true;
}
