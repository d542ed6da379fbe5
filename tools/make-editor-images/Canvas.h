#pragma once

#include <functional>
#include <vector>

#include "lice/LICE_IBitmap.h"

// The generator's drawing surface: shapes given by their signed distance,
// anti-aliased over one pixel and laid over each other with straight-alpha
// colours, kept premultiplied in floats until written out.

namespace art {

struct Colour {
  float r, g, b, a;
};

// 0xRRGGBB with an opacity.
Colour Hex(unsigned int rgb, float alpha = 1.0f);
Colour Mix(Colour from, Colour to, float t);
Colour WithAlpha(Colour c, float alpha);

// Signed distance in pixels, negative inside, and bounds the shape stays in.
struct Shape {
  std::function<float(float x, float y)> distance;
  float left, top, right, bottom;
};

typedef std::function<Colour(float x, float y)> Paint;

Shape Disc(float cx, float cy, float r);
// A stroke of the given width along a circle between two angles (degrees,
// 0 up, clockwise), with round ends.
Shape Arc(float cx, float cy, float radius, float width, float from, float to);
Shape Segment(float x0, float y0, float x1, float y1, float width);
Shape RoundRect(float left, float top, float right, float bottom, float radius);
// Close to the true distance near the outline, which is where it matters.
Shape Ellipse(float cx, float cy, float rx, float ry);
// A convex polygon, corners in clockwise order on screen.
Shape Polygon(const std::vector<float>& xy);
// The outline band of a shape, inside its edge.
Shape Outline(const Shape& shape, float width);
// The shape grown (or shrunk, for negative amounts) by amount pixels.
Shape Grown(const Shape& shape, float amount);
Shape Union(const Shape& a, const Shape& b);
Shape Intersection(const Shape& a, const Shape& b);

// The point at distance d from (cx, cy) in the direction of angle (degrees, 0 up, clockwise).
void Polar(float cx, float cy, float d, float angle, float* x, float* y);

Paint Solid(Colour c);
Paint Vertical(Colour top, Colour bottom, float y0, float y1);

class Canvas {
 public:
  Canvas(int width, int height);

  void Draw(const Shape& shape, const Paint& paint, float opacity = 1.0f);
  void Draw(const Shape& shape, Colour colour) { Draw(shape, Solid(colour)); }

  int width() const { return mWidth; }
  int height() const { return mHeight; }

  // Writes the pixels as straight-alpha bytes into rows top.. of a bitmap.
  void CopyTo(LICE_IBitmap* bitmap, int top) const;

 private:
  int mWidth, mHeight;
  std::vector<float> mPremultiplied;  // r, g, b, a per pixel
};

}  // namespace art
