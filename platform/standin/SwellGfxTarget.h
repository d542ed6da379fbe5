// Stands in for Core Graphics bitmap contexts (CGContextRef) on Linux: pixels and graphics state.
#pragma once

#include <vector>

// Device rectangle, right and bottom exclusive.
struct SWELL_GfxRect {
  int left, top, right, bottom;
};

// What CGContextSaveGState keeps: the clip (in device pixels) and the
// transform of user space: a translation and a y axis that runs down the
// pixels (scaleY 1) or up them (-1). Clips, fills and images follow the
// transform; text and paths take only the translation.
struct SWELL_GfxState {
  SWELL_GfxRect clip;
  float originX, originY;
  float scaleY;
};

// What a context draws into: 32-bit pixels, top row first, bytes in the
// order (unused), red, green, blue. Rectangle fills, pixels, images and text
// write the pixels and set the unused byte to 255; paths are drawn by the
// path renderer (SwellGfxPaths.h).
struct SWELL_GfxTarget {
  unsigned char* pixels = nullptr;
  int width = 0;
  int height = 0;
  int rowBytes = 0;
  SWELL_GfxState state{{0, 0, 0, 0}, 0.0f, 0.0f, 1.0f};
  std::vector<SWELL_GfxState> savedStates;
  // Line width of the context, as strokes that set none use it.
  float lineWidth = 1.0f;
};

// A target over w x h pixels with rows rowBytes apart, clipped to itself.
void SWELL_GfxInit(SWELL_GfxTarget* target, unsigned char* pixels, int w, int h, int rowBytes);
void SWELL_GfxSaveState(SWELL_GfxTarget* target);
// An unmatched restore is ignored.
void SWELL_GfxRestoreState(SWELL_GfxTarget* target);
// Intersects the clip with a user-space rectangle.
void SWELL_GfxClipToRect(SWELL_GfxTarget* target, float x, float y, float w, float h);
// The clip as a device rectangle (empty when nothing can be drawn).
SWELL_GfxRect SWELL_GfxClip(const SWELL_GfxTarget* target);
// Pixel (x, y) in device space; the caller keeps it inside the clip.
unsigned char* SWELL_GfxPixel(SWELL_GfxTarget* target, int x, int y);
// A user-space rectangle in device pixels, edges on the nearest pixel
// boundary, before clipping.
SWELL_GfxRect SWELL_GfxDeviceRect(const SWELL_GfxTarget* target, double x, double y, double w, double h);
// Scales w x h source pixels (rows rowBytes apart, bytes alpha, red, green,
// blue) onto the user-space rectangle, nearest pixel, inside the clip: blended
// by their alpha, or copied opaque. The first row lies at the rectangle's
// smaller y, so images come out upside down when the y axis runs upwards.
void SWELL_GfxDrawPixels(SWELL_GfxTarget* target, const unsigned char* pixels, int w, int h, int rowBytes,
                         double x, double y, double destW, double destH, bool useAlpha);
// Covers the user-space rectangle with the colour at the given opacity,
// blending each channel: dst + (src - dst) * alpha, rounded.
void SWELL_GfxFillRect(SWELL_GfxTarget* target, float x, float y, float w, float h, const float rgba[4]);
