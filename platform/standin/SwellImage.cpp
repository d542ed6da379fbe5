#include "platform/standin/SwellImage.h"

#include <cstddef>
#include <new>

SWELL_Image* SWELL_ImageCreate(int w, int h) {
  if (w < 1 || h < 1 || static_cast<long long>(w) * h > (1LL << 24)) return nullptr;
  auto* image = new (std::nothrow) SWELL_Image();
  if (!image) return nullptr;
  image->refs = 1;
  image->pixelWidth = w;
  image->pixelHeight = h;
  image->sizeWidth = static_cast<float>(w);
  image->sizeHeight = static_cast<float>(h);
  image->pixels.assign(static_cast<size_t>(w) * h * 4, 0);
  return image;
}

SWELL_Image* SWELL_ImageRetain(SWELL_Image* image) {
  if (image) ++image->refs;
  return image;
}

void SWELL_ImageRelease(SWELL_Image* image) {
  if (image && --image->refs == 0) delete image;
}
