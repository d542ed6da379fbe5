#pragma once

#include <functional>
#include <memory>

#include "lice/LICE_MemBitmap.h"

namespace licetest {

// A memory bitmap whose pixel (x, y) is pattern(x, y).
inline std::unique_ptr<LICE_MemBitmap> Bitmap(int w, int h, const std::function<LICE_pixel(int, int)>& pattern) {
  auto bm = std::make_unique<LICE_MemBitmap>(w, h, 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) bm->getBits()[y * bm->getRowSpan() + x] = pattern(x, y);
  }
  return bm;
}

inline std::unique_ptr<LICE_MemBitmap> Uniform(int w, int h, LICE_pixel colour) {
  return Bitmap(w, h, [colour](int, int) { return colour; });
}

inline LICE_pixel& At(LICE_IBitmap* bm, int x, int y) { return bm->getBits()[y * bm->getRowSpan() + x]; }

// A distinct opaque colour per position.
inline LICE_pixel Distinct(int x, int y) { return LICE_MakePixel(x * 9 + 1, y * 7 + 2, (x * 3 + y * 5) & 255, 255); }

}  // namespace licetest
