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
// Draws the image opaque and scaled (nearest pixel) over the rectangle of
// the context's user space, inside its clip; its first row lies at the
// rectangle's smaller y.
void CGContextDrawImage(CGContextRef context, CGRect rect, CGImageRef image);
void CGContextTranslateCTM(CGContextRef context, double tx, double ty);
// Only flips of the y axis are kept: sx must be 1 and sy 1 or -1, any other
// scale leaves the context unchanged.
void CGContextScaleCTM(CGContextRef context, double sx, double sy);
void CGImageRelease(CGImageRef image);
