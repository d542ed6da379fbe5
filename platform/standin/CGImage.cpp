#include "platform/standin/CGImage.h"

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
  if (!context || !image) return;
  SWELL_GfxDrawPixels(context, image->pixels.data(), image->width, image->height, image->width * 4, rect.origin.x,
                      rect.origin.y, rect.size.width, rect.size.height, false);
}

void CGContextTranslateCTM(CGContextRef context, double tx, double ty) {
  if (!context) return;
  context->state.originX += static_cast<float>(tx);
  context->state.originY += static_cast<float>(context->state.scaleY * ty);
}

void CGContextScaleCTM(CGContextRef context, double sx, double sy) {
  if (!context || sx != 1.0 || (sy != 1.0 && sy != -1.0)) return;
  context->state.scaleY *= static_cast<float>(sy);
}

void CGImageRelease(CGImageRef image) { delete image; }
