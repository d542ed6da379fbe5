#include "platform/standin/CGImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

struct StandinCGImage {
  int width;
  int height;
  std::vector<unsigned char> pixels;  // width * 4 bytes a row
};

CGImageRef CGBitmapContextCreateImage(CGContextRef context) {
  if (!context || !context->pixels || context->width < 1 || context->height < 1) return nullptr;
  StandinCGImage* image = new StandinCGImage{context->width, context->height, {}};
  const size_t row = static_cast<size_t>(context->width) * 4;
  image->pixels.resize(row * context->height);
  for (int y = 0; y < context->height; ++y) {
    std::memcpy(image->pixels.data() + y * row, context->pixels + static_cast<size_t>(y) * context->rowBytes, row);
  }
  return image;
}

size_t CGImageGetWidth(CGImageRef image) { return image ? static_cast<size_t>(image->width) : 0; }

size_t CGImageGetHeight(CGImageRef image) { return image ? static_cast<size_t>(image->height) : 0; }

void CGContextDrawImage(CGContextRef context, CGRect rect, CGImageRef image) {
  if (!context || !context->pixels || !image || rect.size.width <= 0 || rect.size.height <= 0) return;
  const SWELL_GfxRect clip = SWELL_GfxClip(context);
  const double left = rect.origin.x + context->state.originX;
  const double top = rect.origin.y + context->state.originY;
  const int x0 = std::max(clip.left, static_cast<int>(std::ceil(left - 0.5)));
  const int y0 = std::max(clip.top, static_cast<int>(std::ceil(top - 0.5)));
  const int x1 = std::min(clip.right, static_cast<int>(std::ceil(left + rect.size.width - 0.5)));
  const int y1 = std::min(clip.bottom, static_cast<int>(std::ceil(top + rect.size.height - 0.5)));
  if (x0 >= x1 || y0 >= y1) return;
  const double sx = image->width / rect.size.width;
  const double sy = image->height / rect.size.height;
  std::vector<int> sourceColumn(static_cast<size_t>(x1 - x0));
  for (int x = x0; x < x1; ++x) {
    sourceColumn[static_cast<size_t>(x - x0)] = std::min(image->width - 1, static_cast<int>((x + 0.5 - left) * sx));
  }
  for (int y = y0; y < y1; ++y) {
    const int srcY = std::min(image->height - 1, static_cast<int>((y + 0.5 - top) * sy));
    const unsigned char* src = image->pixels.data() + static_cast<size_t>(srcY) * image->width * 4;
    unsigned char* dest = SWELL_GfxPixel(context, x0, y);
    for (int column : sourceColumn) {
      std::memcpy(dest, src + column * 4, 4);
      dest[0] = 255;
      dest += 4;
    }
  }
}

void CGImageRelease(CGImageRef image) { delete image; }
