#pragma once

#include "lice/Pixel.h"
#include "platform/standin/SwellGdi.h"

// A 32-bit pixel surface. Row y lies at getBits() + y * getRowSpan(), or at
// row getHeight() - 1 - y when isFlipped(); every drawing operation reaches a
// bitmap only through these operations.
class LICE_IBitmap {
 public:
  virtual ~LICE_IBitmap() = default;

  // First pixel of the first row in memory; null when there is no storage.
  virtual LICE_pixel* getBits() = 0;
  virtual int getWidth() = 0;
  virtual int getHeight() = 0;
  // Pixels from the start of one row to the start of the next.
  virtual int getRowSpan() = 0;
  virtual bool isFlipped() { return false; }
  // True when the size changed.
  virtual bool resize(int w, int h) = 0;
  // A drawing context over the same pixels, if there is one.
  virtual HDC getDC() { return nullptr; }
  virtual int Extended(int, void*) { return 0; }
};
