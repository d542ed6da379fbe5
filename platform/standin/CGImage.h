// Stands in for Core Graphics images (CGImageRef) and drawing them into bitmap contexts on Linux.
#pragma once

#include <cstddef>

#include "platform/standin/SwellGdi.h"

typedef SWELL_GfxTarget* CGContextRef;
typedef const struct StandinCGImage* CGImageRef;

struct CGPoint {
  double x, y;
};
struct CGSize {
  double width, height;
};
struct CGRect {
  CGPoint origin;
  CGSize size;
};
inline CGRect CGRectMake(double x, double y, double w, double h) { return CGRect{{x, y}, {w, h}}; }

// A copy of the context's pixels as they are now; null for a null context
// or one without pixels.
CGImageRef CGBitmapContextCreateImage(CGContextRef context);
size_t CGImageGetWidth(CGImageRef image);
size_t CGImageGetHeight(CGImageRef image);
// Draws the image opaque and scaled (nearest pixel) over the rectangle, in
// the context's user space (y downwards), inside its clip.
void CGContextDrawImage(CGContextRef context, CGRect rect, CGImageRef image);
void CGImageRelease(CGImageRef image);
