// Stands in for Core Graphics bitmap contexts (CGContextRef) on Linux: pixels, graphics state and recorded paths.
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

// One element of a recorded path, in user space: 'M' move, 'L' line, 'C' one
// point of a cubic curve (control, control, end), 'R' a rectangle and 'E' the
// ellipse inscribed in one (x, y is the corner, the next 'S' entry the size).
struct SWELL_PathPoint {
  char kind;
  float x, y;
};

// Drawing of a path: fill (0), stroke (2) or both (3).
enum { kSwellPathFill = 0, kSwellPathStroke = 2, kSwellPathFillStroke = 3 };

// A path drawn through the path renderer; kept, not rasterised.
struct SWELL_PathCall {
  int drawMode;
  float lineWidth;
  float fill[4];    // red, green, blue, alpha 0..1
  float stroke[4];
  std::vector<SWELL_PathPoint> points;
};

// What a context draws into: 32-bit pixels, top row first, bytes in the
// order (unused), red, green, blue. Exact operations (rectangle fills,
// pixels, images, text) write the pixels and set the unused byte to 255;
// paths are recorded in `paths` instead.
struct SWELL_GfxTarget {
  unsigned char* pixels = nullptr;
  int width = 0;
  int height = 0;
  int rowBytes = 0;
  SWELL_GfxState state{{0, 0, 0, 0}, 0.0f, 0.0f, 1.0f};
  std::vector<SWELL_GfxState> savedStates;
  std::vector<SWELL_PathCall> paths;
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
