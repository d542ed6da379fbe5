// Stands in for AppKit images (NSImage) on Linux: reference-counted 32-bit pixels with a size in points.
#pragma once

#include <vector>

// Pixels in the order (alpha), red, green, blue, top row first, width * 4
// bytes a row. `size` may differ from the pixel size, as an image's size may.
struct SWELL_Image {
  int refs;
  int pixelWidth;
  int pixelHeight;
  float sizeWidth;
  float sizeHeight;
  bool flipped;
  std::vector<unsigned char> pixels;
};

// A new image of w x h zeroed pixels, size w x h, one reference; null for a
// size below 1 or one whose pixels cannot be had.
SWELL_Image* SWELL_ImageCreate(int w, int h);
SWELL_Image* SWELL_ImageRetain(SWELL_Image* image);
// The last release frees the image; null is ignored.
void SWELL_ImageRelease(SWELL_Image* image);
