#include "tools/make-editor-images/Canvas.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr float kPi = 3.14159265358979f;

float Clamp01(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

// Angle of (dx, dy) in degrees, 0 up, clockwise, in -180..180.
float AngleOf(float dx, float dy) { return std::atan2(dx, -dy) * 180.0f / kPi; }

}  // namespace

Colour Hex(unsigned int rgb, float alpha) {
  return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, alpha};
}

Colour Mix(Colour from, Colour to, float t) {
  t = Clamp01(t);
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Colour WithAlpha(Colour c, float alpha) { return {c.r, c.g, c.b, alpha}; }

void Polar(float cx, float cy, float d, float angle, float* x, float* y) {
  const float rad = angle * kPi / 180.0f;
  *x = cx + std::sin(rad) * d;
  *y = cy - std::cos(rad) * d;
}

Shape Disc(float cx, float cy, float r) {
  return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; }, cx - r, cy - r, cx + r, cy + r};
}

Shape Arc(float cx, float cy, float radius, float width, float from, float to) {
  float x0, y0, x1, y1;
  Polar(cx, cy, radius, from, &x0, &y0);
  Polar(cx, cy, radius, to, &x1, &y1);
  const float reach = radius + width;
  return {[=](float x, float y) {
            const float angle = AngleOf(x - cx, y - cy);
            if (angle >= from && angle <= to) return std::fabs(std::hypot(x - cx, y - cy) - radius) - width / 2;
            return std::min(std::hypot(x - x0, y - y0), std::hypot(x - x1, y - y1)) - width / 2;
          },
          cx - reach, cy - reach, cx + reach, cy + reach};
}

Shape Segment(float x0, float y0, float x1, float y1, float width) {
  const float dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
  const float half = width / 2;
  return {[=](float x, float y) {
            float t = length2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / length2 : 0;
            t = Clamp01(t);
            return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - half;
          },
          std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half, std::max(y0, y1) + half};
}

Shape RoundRect(float left, float top, float right, float bottom, float radius) {
  const float cx = (left + right) / 2, cy = (top + bottom) / 2;
  const float hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
  return {[=](float x, float y) {
            const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
            const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
            return outside + std::min(std::max(qx, qy), 0.0f) - radius;
          },
          left, top, right, bottom};
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
  const float scale = std::min(rx, ry);
  return {[=](float x, float y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1) * scale; }, cx - rx, cy - ry,
          cx + rx, cy + ry};
}

Shape Polygon(const std::vector<float>& xy) {
  float left = xy[0], top = xy[1], right = xy[0], bottom = xy[1];
  for (size_t i = 0; i < xy.size(); i += 2) {
    left = std::min(left, xy[i]), right = std::max(right, xy[i]);
    top = std::min(top, xy[i + 1]), bottom = std::max(bottom, xy[i + 1]);
  }
  return {[xy](float x, float y) {
            // Largest signed distance to the edge lines: exact inside and
            // along the edges, which is all one pixel of smoothing needs.
            float d = -1e9f;
            const size_t n = xy.size() / 2;
            for (size_t i = 0; i < n; ++i) {
              const float ax = xy[2 * i], ay = xy[2 * i + 1];
              const float bx = xy[2 * ((i + 1) % n)], by = xy[2 * ((i + 1) % n) + 1];
              const float ex = bx - ax, ey = by - ay, length = std::hypot(ex, ey);
              d = std::max(d, ((x - ax) * ey - (y - ay) * ex) / length);
            }
            return d;
          },
          left, top, right, bottom};
}

Shape Outline(const Shape& shape, float width) {
  auto inner = shape.distance;
  return {[inner, width](float x, float y) {
            const float d = inner(x, y);
            return std::max(d, -(d + width));
          },
          shape.left, shape.top, shape.right, shape.bottom};
}

Shape Grown(const Shape& shape, float amount) {
  auto inner = shape.distance;
  return {[inner, amount](float x, float y) { return inner(x, y) - amount; }, shape.left - amount,
          shape.top - amount, shape.right + amount, shape.bottom + amount};
}

Shape Union(const Shape& a, const Shape& b) {
  auto da = a.distance, db = b.distance;
  return {[da, db](float x, float y) { return std::min(da(x, y), db(x, y)); }, std::min(a.left, b.left),
          std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Shape Intersection(const Shape& a, const Shape& b) {
  auto da = a.distance, db = b.distance;
  return {[da, db](float x, float y) { return std::max(da(x, y), db(x, y)); }, std::max(a.left, b.left),
          std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

Paint Solid(Colour c) {
  return [c](float, float) { return c; };
}

Paint Vertical(Colour top, Colour bottom, float y0, float y1) {
  return [=](float, float y) { return Mix(top, bottom, (y - y0) / (y1 - y0)); };
}

Canvas::Canvas(int width, int height)
    : mWidth(width), mHeight(height), mPremultiplied(static_cast<size_t>(width) * height * 4, 0.0f) {}

void Canvas::Draw(const Shape& shape, const Paint& paint, float opacity) {
  const int x0 = std::max(0, static_cast<int>(std::floor(shape.left)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(shape.top)) - 1);
  const int x1 = std::min(mWidth, static_cast<int>(std::ceil(shape.right)) + 2);
  const int y1 = std::min(mHeight, static_cast<int>(std::ceil(shape.bottom)) + 2);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float coverage = Clamp01(0.5f - shape.distance(px, py));
      if (coverage <= 0) continue;
      const Colour c = paint(px, py);
      const float a = Clamp01(c.a * coverage * opacity);
      float* p = &mPremultiplied[(static_cast<size_t>(y) * mWidth + x) * 4];
      p[0] = c.r * a + p[0] * (1 - a);
      p[1] = c.g * a + p[1] * (1 - a);
      p[2] = c.b * a + p[2] * (1 - a);
      p[3] = a + p[3] * (1 - a);
    }
  }
}

void Canvas::CopyTo(LICE_IBitmap* bitmap, int top) const {
  for (int y = 0; y < mHeight; ++y) {
    LICE_pixel* row = bitmap->getBits() + static_cast<size_t>(top + y) * bitmap->getRowSpan();
    for (int x = 0; x < mWidth; ++x) {
      const float* p = &mPremultiplied[(static_cast<size_t>(y) * mWidth + x) * 4];
      const float a = Clamp01(p[3]);
      auto channel = [a](float premultiplied) {
        return a > 0 ? static_cast<int>(std::lround(Clamp01(premultiplied / a) * 255)) : 0;
      };
      row[x] = LICE_MakePixel(channel(p[0]), channel(p[1]), channel(p[2]), static_cast<int>(std::lround(a * 255)));
    }
  }
}

}  // namespace art
