#pragma once

#include <cstddef>

#include "lice/LICE_IBitmap.h"

// Addressing a bitmap's pixels by image row, for every row order.

namespace lice_detail {

// Signed byte distance from one image row to the next.
inline int RowStep(LICE_IBitmap* bm) {
  const int bytes = bm->getRowSpan() * 4;
  return bm->isFlipped() ? -bytes : bytes;
}

// Pixel (x, y) of the image; the caller keeps (x, y) inside the bitmap.
inline unsigned char* PixelBytes(LICE_IBitmap* bm, long long x, long long y) {
  const long long row = bm->isFlipped() ? bm->getHeight() - 1 - y : y;
  auto* bits = reinterpret_cast<unsigned char*>(bm->getBits());
  return bits + static_cast<std::ptrdiff_t>(row) * bm->getRowSpan() * 4 + static_cast<std::ptrdiff_t>(x) * 4;
}

inline LICE_pixel* PixelWord(LICE_IBitmap* bm, long long x, long long y) {
  return reinterpret_cast<LICE_pixel*>(PixelBytes(bm, x, y));
}

}  // namespace lice_detail
