#include "lice/Lines.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <utility>

#include "lice/DrawCombinerSelect.h"
#include "lice/FloatCoordinates.h"
#include "lice/LineKernels.h"
#include "lice/Weight.h"

using namespace lice_detail;

namespace {

template <class T>
T Within(T v, T a, T b) {
  const T lo = a < b ? a : b, hi = a < b ? b : a;
  return v < lo ? lo : v > hi ? hi : v;
}

// Cohen-Sutherland against lo <= x < xlimit, lo <= y < ylimit. cross(code,
// x1, y1, x2, y2, &x, &y) places the outside end point of the given outcode
// on the edge its bits pick, in the order below, right, above, left.
template <class T, class Cross>
bool CohenSutherland(T* x1, T* y1, T* x2, T* y2, T lo, T xlimit, T ylimit, Cross&& cross) {
  auto code = [&](T x, T y) {
    int c = x < lo ? 1 : x >= xlimit ? 2 : 0;
    return c | (y < lo ? 4 : y >= ylimit ? 8 : 0);
  };
  int c1 = code(*x1, *y1), c2 = code(*x2, *y2);
  // Each end clears each of its bits at most once, so eight rounds suffice.
  for (int round = 0; round < 16; ++round) {
    if (!(c1 | c2)) return true;
    if (c1 & c2) return false;
    const bool first = c1 != 0;
    T x, y;
    cross(first ? c1 : c2, *x1, *y1, *x2, *y2, &x, &y);
    // Rounding must not carry the point off the segment, or the bits it
    // cleared could come back.
    if ((first ? c1 : c2) & 12) {
      x = Within(x, *x1, *x2);
    } else {
      y = Within(y, *y1, *y2);
    }
    if (first) {
      *x1 = x, *y1 = y, c1 = code(x, y);
    } else {
      *x2 = x, *y2 = y, c2 = code(x, y);
    }
  }
  return false;
}

// Integer clipping: the crossing is taken at y = h or x = w and the point
// placed on the last row or column. 64-bit coordinates, so that no
// difference overflows; products and quotients in double.
bool ClipLine(long long* x1, long long* y1, long long* x2, long long* y2, long long w, long long h) {
  return CohenSutherland(x1, y1, x2, y2, 0LL, w, h,
                         [w, h](int c, long long X1, long long Y1, long long X2, long long Y2, long long* x,
                                long long* y) {
                           const double dx = static_cast<double>(X2 - X1), dy = static_cast<double>(Y2 - Y1);
                           if (c & 8) {
                             *x = X1 + static_cast<long long>(dx * static_cast<double>(h - Y1) / dy), *y = h - 1;
                           } else if (c & 4) {
                             *x = X1 + static_cast<long long>(dx * static_cast<double>(0 - Y1) / dy), *y = 0;
                           } else if (c & 2) {
                             *y = Y1 + static_cast<long long>(dy * static_cast<double>(w - X1) / dx), *x = w - 1;
                           } else {
                             *y = Y1 + static_cast<long long>(dy * static_cast<double>(0 - X1) / dx), *x = 0;
                           }
                         });
}

// Float clipping keeps the last column and row free: the anti-aliased line
// also writes the pixel after each one it steps through.
bool ClipFLine(float* x1, float* y1, float* x2, float* y2, int w, int h) {
  const float xmax = static_cast<float>(w - 1LL), ymax = static_cast<float>(h - 1LL);
  return CohenSutherland(x1, y1, x2, y2, 0.0f, xmax, ymax,
                         [xmax, ymax](int c, float X1, float Y1, float X2, float Y2, float* x, float* y) {
                           if (c & 8) {
                             *x = ((ymax - Y1) * (X2 - X1)) / (Y2 - Y1) + X1, *y = ymax - 1;
                           } else if (c & 4) {
                             *x = ((X2 - X1) * Y1) / (Y1 - Y2) + X1, *y = 0;
                           } else if (c & 2) {
                             *y = ((Y2 - Y1) * (xmax - X1)) / (X2 - X1) + Y1, *x = xmax - 1;
                           } else {
                             *y = ((Y2 - Y1) * X1) / (X1 - X2) + Y1, *x = 0;
                           }
                         });
}

// Cuts a segment to the box that reaches kCoordinateMargin beyond a w x h
// bitmap, keeping its direction; false when it misses the box (and so the
// bitmap). The cut end lands on the box's edge exactly, however far away it was.
bool LimitSegment(double* x1, double* y1, double* x2, double* y2, int w, int h) {
  const double lo = kLowestCoordinate, right = HighestCoordinate(w), bottom = HighestCoordinate(h);
  auto inside = [lo](double v, double hi) { return v >= lo && v <= hi; };
  if (inside(*x1, right) && inside(*y1, bottom) && inside(*x2, right) && inside(*y2, bottom)) return true;
  return CohenSutherland(x1, y1, x2, y2, lo, right + 1, bottom + 1,
                         [lo, right, bottom](int c, double X1, double Y1, double X2, double Y2, double* x, double* y) {
                           if (c & 12) {
                             *y = c & 8 ? bottom : lo;
                             *x = X1 + (X2 - X1) * ((*y - Y1) / (Y2 - Y1));
                           } else {
                             *x = c & 2 ? right : lo;
                             *y = Y1 + (Y2 - Y1) * ((*x - X1) / (X2 - X1));
                           }
                         });
}

// Copy at alpha exactly 1, 1/2, 1/4 or 3/4 works on whole words.
template <class F>
bool WithExactAlphaWordCombiner(float alpha, F&& f) {
  if (alpha != 1.0f && alpha != 0.5f && alpha != 0.25f && alpha != 0.75f) return false;
  return WithWordCombiner(static_cast<int>(alpha * 256), f);
}

void SpanLine(LICE_pixel* bits, int span, int x1, int y1, int x2, int y2, LICE_pixel color, float alpha, int op) {
  const bool horizontal = y1 == y2;
  if (horizontal ? x1 > x2 : y1 > y2) std::swap(x1, x2), std::swap(y1, y2);
  LICE_pixel* px = bits + static_cast<std::ptrdiff_t>(y1) * span + x1;
  const int n = horizontal ? x2 - x1 + 1 : y2 - y1 + 1;
  if (op == 0 && WithExactAlphaWordCombiner(alpha, [&](auto tag) {
        typedef typename decltype(tag)::type Word;
        WordRun<Word>(px, horizontal ? 1 : span, n, Word::prepareColor(color));
      })) {
    return;
  }
  const int aw = AlphaWeight(alpha);
  WithAliasedCombiner(op, aw, [&](auto tag) {
    typedef __LICE_LineClassSimple<typename decltype(tag)::type> Simple;
    if (horizontal) {
      Simple::LICE_HorizLine(px, n, color, aw);
    } else {
      Simple::LICE_VertLine(px, span, n, color, aw);
    }
  });
}

void DiagonalLine(LICE_pixel* bits, int span, int x1, int y1, int x2, int y2, LICE_pixel color, float alpha, int op,
                  bool aa) {
  LICE_pixel* px = bits + static_cast<std::ptrdiff_t>(y1) * span + x1;
  const int n = std::abs(x2 - x1), xstep = x2 > x1 ? 1 : -1, ystep = y2 > y1 ? span : -span;
  if (op == 0 && alpha == 1.0f) {
    if (!aa) {
      WordRun<_LICE_CombinePixelsClobberFAST>(px, xstep + ystep, n + 1, color);
      return;
    }
    const LICE_pixel diag = _LICE_CombinePixelsThreeQuarterMix2FAST::prepareColor(color),
                     flank = _LICE_CombinePixelsQuarterMix2FAST::prepareColor(color);
    WalkDiagonalAA(
        px, n, xstep, ystep, [diag](LICE_pixel* p) { _LICE_CombinePixelsThreeQuarterMix2FAST::doPixWord(p, diag); },
        [flank](LICE_pixel* p) { _LICE_CombinePixelsQuarterMix2FAST::doPixWord(p, flank); });
    return;
  }
  const int aw = AlphaWeight(alpha);
  WithShapeCombiner(aa, op, aw, [&](auto tag) {
    typedef __LICE_LineClassSimple<typename decltype(tag)::type> Simple;
    if (aa) {
      Simple::LICE_DiagLineAA(px, span, n, xstep, ystep, color, aw);
    } else {
      Simple::LICE_DiagLine(px, span, n, xstep, ystep, color, aw);
    }
  });
}

void GeneralLine(LICE_pixel* bits, int span, int x1, int y1, int x2, int y2, LICE_pixel color, float alpha, int op,
                 bool aa) {
  const int dx = x2 - x1, dy = y2 - y1;
  const bool xmajor = std::abs(dx) > std::abs(dy);
  int major = xmajor ? dx : dy, minor = xmajor ? dy : dx;
  const int astep = xmajor ? 1 : span;
  int da = xmajor ? span : 1;
  LICE_pixel* start = bits + static_cast<std::ptrdiff_t>(y1) * span + x1;
  LICE_pixel* end = bits + static_cast<std::ptrdiff_t>(y2) * span + x2;
  if (major < 0) std::swap(start, end), major = -major, minor = -minor;
  if (minor < 0) minor = -minor, da = -da;
  const int slope = static_cast<int>(static_cast<double>(minor) / major * 65536.0);
  const int aw = AlphaWeight(alpha);
  WithShapeCombiner(aa, op, aw, [&](auto tag) {
    __LICE_LineClass<typename decltype(tag)::type>::LICE_LineImpl(start, end, slope, astep, major, da, color, aw, aa);
  });
}

// x and y of one axis, so that the float line can walk either.
struct Axes {
  float major, minor;
};

// The anti-aliased float line of a clipped segment with distinct ends.
void FloatLineAA(LICE_pixel* bits, int span, int w, int h, float x1, float y1, float x2, float y2,
                 LICE_pixel color, float alpha, int op) {
  const float dx = x2 - x1, dy = y2 - y1;
  const bool xmajor = std::fabs(dx) > std::fabs(dy);
  const int astep = xmajor ? 1 : span;
  int da = xmajor ? span : 1;
  Axes s = xmajor ? Axes{x1, y1} : Axes{y1, x1}, e = xmajor ? Axes{x2, y2} : Axes{y2, x2};
  float dMajor = xmajor ? dx : dy, dMinor = xmajor ? dy : dx;
  if (dMajor < 0) std::swap(s, e), dMajor = -dMajor, dMinor = -dMinor;
  if (dMinor < 0) da = -da;
  const float first = ceilf(s.major), last = floorf(e.major);
  const float slopeF = dMinor / dMajor;
  const float pos = (first - s.major) * slopeF + s.minor;
  int fraction = static_cast<int>((pos - floorf(pos)) * 65536);
  if (fraction > 65535) fraction = 65535;
  if (da < 0) fraction = 65535 - fraction;
  const int count = static_cast<int>(last) - static_cast<int>(first);
  const int aw = AlphaWeight(alpha);
  if (aw == 0 || op > 5 || count < 0) return;
  const int majorAt = static_cast<int>(first), minorAt = static_cast<int>(pos) + (da < 0 ? 1 : 0);
  const int slope = static_cast<int>(std::fabs(static_cast<double>(slopeF)) * 65536);
  // The clipping leaves a free row and column for the far pixel; this holds
  // it against single-precision rounding at the ends.
  const long long moves = (fraction + static_cast<long long>(count) * slope) >> 16;
  const long long lowest = da < 0 ? minorAt - moves - 1 : minorAt, highest = da < 0 ? minorAt : minorAt + moves + 1;
  const int majorSize = xmajor ? w : h, minorSize = xmajor ? h : w;
  if (majorAt < 0 || majorAt + count >= majorSize || lowest < 0 || highest >= minorSize) return;
  const int x = xmajor ? majorAt : minorAt, y = xmajor ? minorAt : majorAt;
  LICE_pixel* px = bits + static_cast<std::ptrdiff_t>(y) * span + x;
  WithBlendingCombiner(op, aw, [&](auto tag) {
    __LICE_LineClass<typename decltype(tag)::type>::LICE_FLineImpl(px, count, fraction, slope, astep, da, color, aw);
  });
}

}  // namespace

bool LICE_ClipLine(int* x1, int* y1, int* x2, int* y2, int left, int top, int right, int bottom) {
  long long X1 = static_cast<long long>(*x1) - left, Y1 = static_cast<long long>(*y1) - top;
  long long X2 = static_cast<long long>(*x2) - left, Y2 = static_cast<long long>(*y2) - top;
  const bool inside = ClipLine(&X1, &Y1, &X2, &Y2, static_cast<long long>(right) - left,
                               static_cast<long long>(bottom) - top);
  *x1 = SaturateInt(X1 + left), *y1 = SaturateInt(Y1 + top);
  *x2 = SaturateInt(X2 + left), *y2 = SaturateInt(Y2 + top);
  return inside;
}

bool LICE_ClipFLine(float* x1, float* y1, float* x2, float* y2, float left, float top, float right, float bottom) {
  float X1 = *x1 - left, Y1 = *y1 - top, X2 = *x2 - left, Y2 = *y2 - top;
  const bool inside = ClipFLine(&X1, &Y1, &X2, &Y2, TruncInt(right - left), TruncInt(bottom - top));
  *x1 = X1 + left, *y1 = Y1 + top, *x2 = X2 + left, *y2 = Y2 + top;
  return inside;
}

void LICE_Line(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, LICE_pixel color, float alpha, int mode,
               bool antialias) {
  if (!dest) return;
  const int w = dest->getWidth(), h = dest->getHeight();
  long long X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
  if (dest->isFlipped()) Y1 = h - 1 - Y1, Y2 = h - 1 - Y2;
  if (!ClipLine(&X1, &Y1, &X2, &Y2, w, h)) return;
  LICE_pixel* bits = dest->getBits();
  if (!bits) return;
  const int span = dest->getRowSpan(), op = mode & 0xff;
  const int ax = static_cast<int>(X1), ay = static_cast<int>(Y1), bx = static_cast<int>(X2),
            by = static_cast<int>(Y2);
  if (ay == by || ax == bx) {
    SpanLine(bits, span, ax, ay, bx, by, color, alpha, op);
  } else if (std::abs(bx - ax) == std::abs(by - ay)) {
    DiagonalLine(bits, span, ax, ay, bx, by, color, alpha, op, antialias);
  } else {
    GeneralLine(bits, span, ax, ay, bx, by, color, alpha, op, antialias);
  }
}

void LICE_FLine(LICE_IBitmap* dest, float x1, float y1, float x2, float y2, LICE_pixel color, float alpha, int mode,
                bool antialias) {
  if (!dest || !AllFinite(x1, y1, x2, y2)) return;
  double X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
  if (!LimitSegment(&X1, &Y1, &X2, &Y2, dest->getWidth(), dest->getHeight())) return;
  if (!antialias) {
    LICE_Line(dest, TruncInt(X1), TruncInt(Y1), TruncInt(X2), TruncInt(Y2), color, alpha, mode, false);
    return;
  }
  const int w = dest->getWidth(), h = dest->getHeight();
  float ax = static_cast<float>(X1), ay = static_cast<float>(Y1), bx = static_cast<float>(X2),
        by = static_cast<float>(Y2);
  if (dest->isFlipped()) {
    const float bottom = static_cast<float>(h - 1);
    ay = bottom - ay, by = bottom - by;
  }
  if (!ClipFLine(&ax, &ay, &bx, &by, w, h)) return;
  if (ax == bx && ay == by) return;
  LICE_pixel* bits = dest->getBits();
  if (!bits) return;
  FloatLineAA(bits, dest->getRowSpan(), w, h, ax, ay, bx, by, color, alpha, mode & 0xff);
}

void LICE_DashedLine(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, int onPixels, int offPixels,
                     LICE_pixel color, float alpha, int mode, bool /*antialias*/) {
  if (!dest || onPixels < 0 || offPixels < 0 || static_cast<long long>(onPixels) + offPixels < 1) return;
  long long X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
  if (!ClipLine(&X1, &Y1, &X2, &Y2, dest->getWidth(), dest->getHeight())) return;
  if (Y1 > Y2) std::swap(Y1, Y2);
  if (X1 > X2) std::swap(X1, X2);
  LICE_pixel* bits = dest->getBits();
  if (!bits) return;
  const int op = mode & 0xff;
  const int ax = static_cast<int>(X1), ay = static_cast<int>(Y1), bx = static_cast<int>(X2),
            by = static_cast<int>(Y2);
  if (onPixels == 1 && offPixels == 1 && ax == bx && op == 0 && alpha == 1.0f) {
    const std::ptrdiff_t span = dest->getRowSpan();
    LICE_pixel* px = bits + ay * span + ax;
    for (int n = (by - ay + 1) / 2; n > 0; --n, px += 2 * span) *px = color;
    return;
  }
  const int aw = AlphaWeight(alpha);
  WithAliasedCombiner(op, aw, [&](auto tag) {
    __LICE_LineClass<typename decltype(tag)::type>::DashedLine(dest, ax, ay, bx, by, onPixels, offPixels, color, aw);
  });
}
