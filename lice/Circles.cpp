#include "lice/Circles.h"

#include <algorithm>
#include <cmath>

#include "lice/CircleKernels.h"
#include "lice/DrawCombinerSelect.h"
#include "lice/FloatCoordinates.h"
#include "lice/Lines.h"
#include "lice/Polygons.h"
#include "lice/RectOps.h"
#include "lice/Weight.h"

using namespace lice_detail;

namespace {

constexpr float kPi = 3.1415927f, kTwoPi = 6.2831855f, kHalfPi = 1.5707964f, kThreeHalfPi = 4.712389f;

// Coverage of the six smallest circles, anti-aliased and plain, row by row.
const unsigned char kCircleAA1_5[] = {
    0x4f, 0xff, 0xff, 0x4f,
    0xff, 0x0f, 0x0f, 0xff,
    0xff, 0x0f, 0x0f, 0xff,
    0x4f, 0xff, 0xff, 0x4f,
};
const unsigned char kCirclePlain1_5[] = {
    0x00, 0xff, 0xff, 0x00,
    0xff, 0x00, 0x00, 0xff,
    0xff, 0x00, 0x00, 0xff,
    0x00, 0xff, 0xff, 0x00,
};
const unsigned char kCircleAA2[] = {
    0x0f, 0xbf, 0xff, 0xbf, 0x0f,
    0xbf, 0xd1, 0x4f, 0xd1, 0xbf,
    0xff, 0x4f, 0x00, 0x4f, 0xff,
    0xbf, 0xd1, 0x4f, 0xd1, 0xbf,
    0x0f, 0xbf, 0xff, 0xbf, 0x0f,
};
const unsigned char kCirclePlain2[] = {
    0x00, 0x00, 0xff, 0x00, 0x00,
    0x00, 0xff, 0x00, 0xff, 0x00,
    0xff, 0x00, 0x00, 0x00, 0xff,
    0x00, 0xff, 0x00, 0xff, 0x00,
    0x00, 0x00, 0xff, 0x00, 0x00,
};
const unsigned char kCircleAA2_5[] = {
    0x0f, 0xbf, 0xff, 0xff, 0xbf, 0x0f,
    0xbf, 0xd1, 0x4f, 0x4f, 0xd1, 0xbf,
    0xff, 0x4f, 0x00, 0x00, 0x4f, 0xff,
    0xff, 0x4f, 0x00, 0x00, 0x4f, 0xff,
    0xbf, 0xd1, 0x4f, 0x4f, 0xd1, 0xbf,
    0x0f, 0xbf, 0xff, 0xff, 0xbf, 0x0f,
};
const unsigned char kCirclePlain2_5[] = {
    0x00, 0x00, 0xff, 0xff, 0x00, 0x00,
    0x00, 0xff, 0x00, 0x00, 0xff, 0x00,
    0xff, 0x00, 0x00, 0x00, 0x00, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x00, 0xff,
    0x00, 0xff, 0x00, 0x00, 0xff, 0x00,
    0x00, 0x00, 0xff, 0xff, 0x00, 0x00,
};
const unsigned char kCircleAA3[] = {
    0x00, 0x8f, 0xff, 0xff, 0xff, 0x8f, 0x00,
    0x8f, 0xff, 0x61, 0x40, 0x61, 0xff, 0x8f,
    0xff, 0x70, 0x00, 0x00, 0x00, 0x70, 0xff,
    0xff, 0x30, 0x00, 0x00, 0x00, 0x30, 0xff,
    0xff, 0x70, 0x00, 0x00, 0x00, 0x70, 0xff,
    0x8f, 0xff, 0x61, 0x40, 0x61, 0xff, 0x8f,
    0x00, 0x8f, 0xff, 0xff, 0xff, 0x8f, 0x00,
};
const unsigned char kCirclePlain3[] = {
    0x00, 0x00, 0xff, 0xff, 0xff, 0x00, 0x00,
    0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0x00,
    0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
    0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0x00,
    0x00, 0x00, 0xff, 0xff, 0xff, 0x00, 0x00,
};
const unsigned char kCircleAA3_5[] = {
    0x00, 0x4f, 0xde, 0xff, 0xff, 0xde, 0x4f, 0x00,
    0x4f, 0xff, 0xb0, 0x40, 0x40, 0xb0, 0xff, 0x4f,
    0xde, 0xb0, 0x00, 0x00, 0x00, 0x00, 0xb0, 0xde,
    0xff, 0x40, 0x00, 0x00, 0x00, 0x00, 0x40, 0xff,
    0xff, 0x40, 0x00, 0x00, 0x00, 0x00, 0x40, 0xff,
    0xde, 0xb0, 0x00, 0x00, 0x00, 0x00, 0xb0, 0xde,
    0x4f, 0xff, 0xb0, 0x40, 0x40, 0xb0, 0xff, 0x4f,
    0x00, 0x4f, 0xde, 0xff, 0xff, 0xde, 0x4f, 0x00,
};
const unsigned char kCirclePlain3_5[] = {
    0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0x00, 0x00,
    0x00, 0xff, 0xff, 0x00, 0x00, 0xff, 0xff, 0x00,
    0xff, 0xff, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
    0xff, 0xff, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff,
    0x00, 0xff, 0xff, 0x00, 0x00, 0xff, 0xff, 0x00,
    0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0x00, 0x00,
};
const unsigned char kCircleAA4[] = {
    0x00, 0x1f, 0xb0, 0xff, 0xff, 0xff, 0xb0, 0x1f, 0x00,
    0x1f, 0xf0, 0xd1, 0x4f, 0x40, 0x4f, 0xd1, 0xf0, 0x1f,
    0xb0, 0xd1, 0x0f, 0x00, 0x00, 0x00, 0x0f, 0xd1, 0xb0,
    0xff, 0x4f, 0x00, 0x00, 0x00, 0x00, 0x00, 0x4f, 0xff,
    0xff, 0x30, 0x00, 0x00, 0x00, 0x00, 0x00, 0x30, 0xff,
    0xff, 0x4f, 0x00, 0x00, 0x00, 0x00, 0x00, 0x4f, 0xff,
    0xb0, 0xd1, 0x0f, 0x00, 0x00, 0x00, 0x0f, 0xd1, 0xb0,
    0x1f, 0xf0, 0xd1, 0x4f, 0x40, 0x4f, 0xd1, 0xf0, 0x1f,
    0x00, 0x1f, 0xb0, 0xff, 0xff, 0xff, 0xb0, 0x1f, 0x00,
};
const unsigned char kCirclePlain4[] = {
    0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00, 0x00,
    0x00, 0xff, 0xff, 0x00, 0x00, 0x00, 0xff, 0xff, 0x00,
    0xff, 0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff,
    0xff, 0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff,
    0x00, 0xff, 0xff, 0x00, 0x00, 0x00, 0xff, 0xff, 0x00,
    0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00, 0x00,
};

struct CirclePattern {
  float radius;
  int side;
  const unsigned char* aa;
  const unsigned char* plain;
};

const CirclePattern kPatterns[] = {
    {1.5f, 4, kCircleAA1_5, kCirclePlain1_5}, {2.0f, 5, kCircleAA2, kCirclePlain2},
    {2.5f, 6, kCircleAA2_5, kCirclePlain2_5}, {3.0f, 7, kCircleAA3, kCirclePlain3},
    {3.5f, 8, kCircleAA3_5, kCirclePlain3_5}, {4.0f, 9, kCircleAA4, kCirclePlain4},
};

// Where a circle's points may land: its radius and a pixel or two of
// rounding around it. Circles that stay clear of the bitmap draw nothing,
// and so do those whose points would pass the int range (near the far
// edge of a bitmap almost 2^31 pixels wide).
bool CanReach(float cx, float cy, float r, int w, int h) {
  const double reach = std::fabs(r) + 2.0;
  return cx + reach > -1 && cx - reach < w && cy + reach > -1 && cy - reach < h && cx + reach < kLargestCoordinate &&
         cy + reach < kLargestCoordinate;
}

void __DrawCircleClipped(LICE_pixel* bits, int span, float cx, float cy, float r, LICE_pixel color, int aw, bool aa,
                         bool filled, int mode, const int* clip, bool doclip) {
  const CircleTarget t = {bits, span, {clip[0], clip[1], clip[2], clip[3]}, doclip};
  WithShapeCombiner(aa, mode & 0xff, aw, [&](auto tag) {
    typedef _LICE_CircleDrawer<typename decltype(tag)::type> Drawer;
    if (aa) {
      Drawer::DrawClippedCircleAA(t, cx, cy, r, color, aw, filled);
    } else {
      Drawer::DrawClippedCircle(t, cx, cy, r, color, aw, filled);
    }
  });
}

// The arc from a to b (a < b), split at -pi, 0 and pi so that each piece lies
// in one half of the circle and is clipped to that half and its end rows.
void __DrawArc(LICE_pixel* bits, int span, int w, int h, float cx, float cy, float r, float a, float b,
               LICE_pixel color, int aw, bool aa, int mode) {
  if (a < -kPi && -kPi < b) {
    __DrawArc(bits, span, w, h, cx, cy, r, a, -kPi, color, aw, aa, mode);
    a = -kPi;
  }
  if (a < 0 && 0 < b) {
    __DrawArc(bits, span, w, h, cx, cy, r, a + kTwoPi, kTwoPi, color, aw, aa, mode);
    a = 0;
  }
  if (a < kPi && kPi < b) {
    __DrawArc(bits, span, w, h, cx, cy, r, a, kPi, color, aw, aa, mode);
    a = kPi;
  }
  const int y1 = TruncInt(cy - std::cos(static_cast<double>(a)) * r + 0.5);
  const int y2 = TruncInt(cy - std::cos(static_cast<double>(b)) * r + 0.5);
  int clip[4] = {0, std::max(std::min(y1, y2), 0), w, std::min(std::max(y1, y2) + 1, h)};
  if (a < -kPi || (a >= 0 && a < kPi)) {
    if (cx > 0) clip[0] = static_cast<int>(cx);
  } else if (cx < w) {
    clip[2] = static_cast<int>(cx);
  }
  __DrawCircleClipped(bits, span, cx, cy, r, color, aw, aa, false, mode, clip, true);
}

// An edge of an axis-aligned outline on an axis of extent pixels.
int LimitEdge(double v, int extent) { return v < -1 ? -1 : v > extent ? extent : static_cast<int>(v); }

// A circle through the rasterisers, for any radius.
void DrawCircle(LICE_IBitmap* dest, float cx, float cy, float r, LICE_pixel color, float alpha, int mode, bool aa,
                bool filled) {
  LICE_pixel* bits = dest->getBits();
  const int w = dest->getWidth(), h = dest->getHeight();
  if (!bits || !(std::fabs(r) <= kMaxRadius)) return;
  if (dest->isFlipped()) cy = static_cast<float>(h - 1) - cy;
  const int aw = AlphaWeight(alpha);
  if (aw == 0 || !CanReach(cx, cy, r, w, h)) return;
  const int clip[4] = {0, 0, w, h};
  // Two pixels to spare, not one: a step's rounded root can pass the radius.
  const bool inside = r >= 0 && cx - r - 2 >= 0 && cy - r - 2 >= 0 && cx + r + 2 < w && cy + r + 2 < h;
  __DrawCircleClipped(bits, dest->getRowSpan(), cx, cy, r, color, aw, aa, filled, mode, clip, !inside);
}

}  // namespace

void LICE_Circle(LICE_IBitmap* dest, float cx, float cy, float r, LICE_pixel color, float alpha, int mode,
                 bool aa) {
  if (!dest || !AllFinite(cx, cy, r)) return;
  for (const CirclePattern& p : kPatterns) {
    if (r == p.radius) {
      LICE_DrawGlyph(dest, TruncInt(cx - r), TruncInt(cy - r), color, aa ? p.aa : p.plain, p.side, p.side, alpha,
                     mode);
      return;
    }
  }
  DrawCircle(dest, cx, cy, r, color, alpha, mode, aa, false);
}

void LICE_FillCircle(LICE_IBitmap* dest, float cx, float cy, float r, LICE_pixel color, float alpha, int mode,
                     bool aa) {
  if (!dest || !AllFinite(cx, cy, r)) return;
  DrawCircle(dest, cx, cy, r, color, alpha, mode, aa, true);
}

void LICE_Arc(LICE_IBitmap* dest, float cx, float cy, float r, float minAngle, float maxAngle, LICE_pixel color,
              float alpha, int mode, bool aa) {
  if (!dest || !AllFinite(cx, cy, r, minAngle, maxAngle)) return;
  const int w = dest->getWidth(), h = dest->getHeight();
  float arcY = cy;
  if (dest->isFlipped()) {
    arcY = static_cast<float>(h - 1) - arcY;
    minAngle = kPi - minAngle, maxAngle = kPi - maxAngle;
  }
  float lo = std::min(minAngle, maxAngle), hi = std::max(minAngle, maxAngle);
  if (hi - lo >= kTwoPi) {
    LICE_Circle(dest, cx, cy, r, color, alpha, mode, aa);
    return;
  }
  const double turn = 6.2831854820251465;
  if (hi >= kTwoPi) {
    const float shifted = static_cast<float>(std::fmod(static_cast<double>(hi), turn));
    lo = lo - (hi - shifted), hi = shifted;
  } else if (lo <= -kTwoPi) {
    const float shifted = static_cast<float>(std::fmod(static_cast<double>(lo), turn));
    hi = hi - (lo - shifted), lo = shifted;
  }
  const int aw = AlphaWeight(alpha);
  LICE_pixel* bits = dest->getBits();
  if (aw == 0 || !bits || !(std::fabs(r) <= kMaxRadius) || !CanReach(cx, arcY, r, w, h)) return;
  __DrawArc(bits, dest->getRowSpan(), w, h, cx, arcY, r, lo, hi, color, aw, aa, mode);
}

void LICE_RoundRect(LICE_IBitmap* dest, float x, float y, float w, float h, int cornerradius, LICE_pixel color,
                    float alpha, int mode, bool aa) {
  if (!dest || !AllFinite(x, y, w, h)) return;
  float k = 0;
  if (cornerradius > 0) {
    k = static_cast<float>(cornerradius);
    if (k > w * 0.5) k = static_cast<float>(w * 0.5);
    if (k > h * 0.5) k = static_cast<float>(h * 0.5);
    k = std::floor(k);
  }
  if (cornerradius <= 0 || k < 2) {
    // By its edges, limited to a pixel beyond the bitmap: farther out they
    // draw the same, and their distance fits an int.
    const double left = std::trunc(x), top = std::trunc(y);
    const int l = LimitEdge(left, dest->getWidth()), r = LimitEdge(left + std::trunc(w), dest->getWidth());
    const int t = LimitEdge(top, dest->getHeight()), b = LimitEdge(top + std::trunc(h), dest->getHeight());
    LICE_DrawRect(dest, l, t, SaturateInt(static_cast<long long>(r) - l), SaturateInt(static_cast<long long>(b) - t),
                  color, alpha, mode);
    return;
  }
  // Far ends saturate: the sides are horizontal and vertical lines, which
  // draw the same from any point beyond the bitmap.
  auto line = [&](float x1, float y1, float x2, float y2) {
    LICE_Line(dest, TruncInt(x1), TruncInt(y1), TruncInt(x2), TruncInt(y2), color, alpha, mode, aa);
  };
  line(x + k, y, x + w - k, y);
  line(x + k - 1, y + h, x + w - k, y + h);
  line(x + w, y + k, x + w, y + h - k);
  line(x, y + k - 1, x, y + h - k);
  LICE_Arc(dest, x + k, y + k, k, -kHalfPi, 0, color, alpha, mode, aa);
  LICE_Arc(dest, x + w - k, y + k, k, 0, kHalfPi, color, alpha, mode, aa);
  LICE_Arc(dest, x + w - k, y + h - k, k, kHalfPi, kPi, color, alpha, mode, aa);
  LICE_Arc(dest, x + k, y + h - k, k, kPi, kThreeHalfPi, color, alpha, mode, aa);
}
