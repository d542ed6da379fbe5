#pragma once

// The circle rasterisers, one class template over a combiner of Combiners.h:
// an anti-aliased walk that shares each edge crossing between two pixels by
// its fraction, and an aliased midpoint walk, both with eight-way symmetry.
// Points and spans go through clipped writers that test the clip box only
// when the caller asks for it; the caller asks unless the whole circle lies
// inside the bitmap with room to spare. Pixels reached twice are combined
// twice.

#include <cmath>
#include <cstddef>

#include "lice/Combiners.h"

namespace lice_detail {

// Where a circle draws: the pixels, the row span and the clip box (left,
// top, right, bottom; right and bottom exclusive).
struct CircleTarget {
  LICE_pixel* bits;
  int span;
  int clip[4];
  bool doclip;
};

}  // namespace lice_detail

template <class Combiner>
class _LICE_CircleDrawer {
 public:
  typedef lice_detail::CircleTarget Target;

  static void DrawClippedPt(const Target& t, int x, int y, int r, int g, int b, int a, int aw) {
    if (t.doclip && (x < t.clip[0] || y < t.clip[1] || x >= t.clip[2] || y >= t.clip[3])) return;
    Combiner::doPix(reinterpret_cast<unsigned char*>(Pixel(t, x, y)), r, g, b, a, aw);
  }

  // Columns xlo to xhi, both included.
  static void DrawClippedHorzLine(const Target& t, int y, int xlo, int xhi, int r, int g, int b, int a, int aw) {
    if (t.doclip) {
      if (y < t.clip[1] || y >= t.clip[3]) return;
      if (xlo < t.clip[0]) xlo = t.clip[0];
      if (xhi > t.clip[2] - 1) xhi = t.clip[2] - 1;
    }
    if (xlo > xhi) return;
    auto* px = reinterpret_cast<unsigned char*>(Pixel(t, xlo, y));
    for (int n = xhi - xlo + 1; n > 0; --n, px += 4) Combiner::doPix(px, r, g, b, a, aw);
  }

  static void DrawClippedCircleAA(const Target& t, float cx, float cy, float rad, LICE_pixel color, int aw,
                                  bool filled) {
    if (!(1 + rad > 0)) return;
    const int r = LICE_PixelRed(color), g = LICE_PixelGreen(color), b = LICE_PixelBlue(color),
              a = LICE_PixelAlpha(color);
    auto pt = [&](float x, float y, int weight) {
      DrawClippedPt(t, static_cast<int>(x), static_cast<int>(y), r, g, b, a, weight);
    };
    auto span = [&](float y, float xlo, float xhi) {
      DrawClippedHorzLine(t, static_cast<int>(y), static_cast<int>(xlo), static_cast<int>(xhi), r, g, b, a, aw);
    };
    const float r2 = rad * rad;
    float X = rad;
    // An integer step count: a float one stops growing long before 2^31.
    int step = 0;
    do {
      const float i = static_cast<float>(step);
      const float frac = X - floorf(X);
      if (frac == 0.0f) {
        pt(cx + i, cy + X, aw), pt(cx + i, cy - X, aw), pt(cx - i, cy + X, aw), pt(cx - i, cy - X, aw);
        pt(cx + X, cy + i, aw), pt(cx + X, cy - i, aw), pt(cx - X, cy + i, aw), pt(cx - X, cy - i, aw);
      } else {
        const int w1 = static_cast<int>(frac * static_cast<float>(aw)), w2 = aw - w1;
        pt(cx + i, cy + X + 1, w1), pt(cx + i, cy + X, w2), pt(cx + i, cy - X + 1, w2), pt(cx + i, cy - X, w1);
        pt(cx - i, cy + X + 1, w1), pt(cx - i, cy + X, w2), pt(cx - i, cy - X + 1, w2), pt(cx - i, cy - X, w1);
        pt(cx + X + 1, cy + i, w1), pt(cx + X, cy + i, w2), pt(cx + X + 1, cy - i, w1), pt(cx + X, cy - i, w2);
        pt(cx - X + 1, cy + i, w2), pt(cx - X, cy + i, w1), pt(cx - X + 1, cy - i, w2), pt(cx - X, cy - i, w1);
      }
      if (filled) {
        span(cy - X + 1, cx - i, cx + i);
        span(cy + X, cx - i, cx + i);
        span(cy - i, cx - X + 1, cx + X);
        span(cy + i, cx - X + 1, cx + X);
      }
      ++step;
      const float next = static_cast<float>(step);
      X = sqrtf(r2 - next * next);
    } while (X + 1 > static_cast<float>(step));
  }

  static void DrawClippedCircle(const Target& t, float cx, float cy, float rad, LICE_pixel color, int aw,
                                bool filled) {
    const int r = LICE_PixelRed(color), g = LICE_PixelGreen(color), b = LICE_PixelBlue(color),
              a = LICE_PixelAlpha(color);
    auto pt = [&](float x, float y) {
      DrawClippedPt(t, static_cast<int>(x), static_cast<int>(y), r, g, b, a, aw);
    };
    auto span = [&](float y, float xlo, float xhi) {
      DrawClippedHorzLine(t, static_cast<int>(y), static_cast<int>(xlo), static_cast<int>(xhi), r, g, b, a, aw);
    };
    pt(cx, cy + rad), pt(cx, cy - rad), pt(cx + rad, cy), pt(cx - rad, cy);
    if (filled) span(cy, cx - rad + 1, cx + rad - 1);
    if (!(rad > 0)) return;
    float y = rad;
    float d = static_cast<float>((static_cast<double>(rad) * -4.0 + 5.0) * 0.25);
    int step = 0;
    do {
      const float x = static_cast<float>(++step);
      if (d < 0) {
        d = d + (x + x + 1);
      } else {
        y = y - 1;
        d = static_cast<float>(d + (2 * static_cast<double>(x - y) + 1.0));
      }
      pt(cx + x, cy + y), pt(cx - x, cy + y), pt(cx + x, cy - y), pt(cx - x, cy - y);
      pt(cx + y, cy + x), pt(cx - y, cy + x), pt(cx + y, cy - x), pt(cx - y, cy - x);
      if (filled) {
        span(cy - y, cx - x + 1, cx + x - 1);
        span(cy + y, cx - x + 1, cx + x - 1);
        span(cy - x, cx - y + 1, cx + y - 1);
        span(cy + x, cx - y + 1, cx + y - 1);
      }
    } while (y > static_cast<float>(step));
  }

 private:
  static LICE_pixel* Pixel(const Target& t, int x, int y) {
    return t.bits + static_cast<std::ptrdiff_t>(y) * t.span + x;
  }
};
