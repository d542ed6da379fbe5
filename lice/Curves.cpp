#include "lice/Curves.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "lice/BezierEval.h"
#include "lice/FloatCoordinates.h"
#include "lice/Lines.h"
#include "lice/Polygons.h"

using namespace lice_detail;

namespace {

// The visible piece of a cubic: its power form, clipped ends and the
// parameters there.
struct CubicPiece {
  CubicPowerForm x, y;
  float sx, sy, ex, ey;
  double t0, t1;
};

double Distance(float x1, float y1, float x2, float y2) {
  const float dx = x2 - x1, dy = y2 - y1;
  return std::sqrt(static_cast<double>(dx * dx + dy * dy));
}

// Segments of about tol pixels over the visible part of a control polygon of
// the given length; 0 when the count is not a number.
int SegmentCount(double length, double t0, double t1, float tol) {
  const double n = length * (t1 - t0) / tol;
  if (std::isnan(n)) return 0;
  return n < 1 ? 1 : n > kMaxBezierSegments ? kMaxBezierSegments : static_cast<int>(n);
}

// False when nothing is to be drawn; otherwise the points limited and the
// tolerance made positive.
bool PrepareCurve(LICE_IBitmap* dest, float* points, int count, float* tol) {
  if (!dest || std::isnan(*tol)) return false;
  for (int i = 0; i < count; ++i) {
    if (!std::isfinite(points[i])) return false;
    points[i] = LimitCoordinate(points[i], i % 2 ? dest->getHeight() : dest->getWidth());
  }
  if (!(*tol > 0)) *tol = 1.0f;
  return true;
}

// Orders the curve along its basis (x, or y for the fills toward a column),
// clips its ends to the bitmap's columns (rows) and counts its segments; 0
// when nothing is visible.
int CBezPrep(LICE_IBitmap* dest, float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3,
             float tol, bool xbasis, CubicPiece* piece) {
  if (xbasis ? x0 > x3 : y0 > y3) std::swap(x0, x3), std::swap(y0, y3), std::swap(x1, x2), std::swap(y1, y2);
  piece->x = CubicPowerForm::Of<float>(x0, x1, x2, x3);
  piece->y = CubicPowerForm::Of<float>(y0, y1, y2, y3);
  piece->sx = x0, piece->sy = y0, piece->ex = x3, piece->ey = y3;
  piece->t0 = 0, piece->t1 = 1;
  // Along the basis u, across it v; the start clipped at 0, the end at limit.
  float &su = xbasis ? piece->sx : piece->sy, &sv = xbasis ? piece->sy : piece->sx;
  float &eu = xbasis ? piece->ex : piece->ey, &ev = xbasis ? piece->ey : piece->ex;
  const float u[4] = {xbasis ? x0 : y0, xbasis ? x1 : y1, xbasis ? x2 : y2, xbasis ? x3 : y3};
  const float v[4] = {xbasis ? y0 : x0, xbasis ? y1 : x1, xbasis ? y2 : x2, xbasis ? y3 : x3};
  const float limit = static_cast<float>(xbasis ? dest->getWidth() : dest->getHeight());
  if (u[0] < 0) {
    double lo = 1, hi = 1;
    sv = LICE_CBezier_GetY<float>(u[0], u[1], u[2], u[3], v[0], v[1], v[2], v[3], 0.0f, nullptr, nullptr, &lo, &hi);
    su = 0, piece->t0 = hi;
  }
  if (u[3] > limit) {
    double lo = 0, hi = 0;
    ev = LICE_CBezier_GetY<float>(u[0], u[1], u[2], u[3], v[0], v[1], v[2], v[3], limit, nullptr, nullptr, &lo,
                                  &hi);
    eu = limit, piece->t1 = lo;
  }
  if (su > eu) return 0;
  return SegmentCount(Distance(x0, y0, x1, y1) + Distance(x1, y1, x2, y2) + Distance(x2, y2, x3, y3), piece->t0,
                      piece->t1, tol);
}

// Calls point(x, y) for the n - 1 points between the piece's ends, at equal
// parameter steps.
template <class Point>
void ForEachInteriorPoint(const CubicPiece& piece, int n, Point&& point) {
  const double dt = (piece.t1 - piece.t0) / n;
  double t = piece.t0;
  for (int i = 1; i < n; ++i) {
    t += dt;
    point(piece.x.At(t), piece.y.At(t));
  }
}

// One strip of a fill: the curve runs from (u1, v1) to (u2, v2) along u, the
// fill reaches the line v = f. For fills toward a row u is x and v is y; for
// fills toward a column the axes swap and a strip's lower edge lies one row
// past u2 (farEnd 1).
void FillStrip(LICE_IBitmap* dest, bool swapAxes, int u1, int v1, int u2, int v2, int f, int farEnd,
               LICE_pixel color, float alpha, int mode) {
  if (u2 < u1) return;
  auto fill = [&](std::initializer_list<std::pair<int, int>> points) {
    int xs[4], ys[4], n = 0;
    for (const auto& p : points) {
      xs[n] = swapAxes ? p.second : p.first;
      ys[n] = swapAxes ? p.first : p.second;
      ++n;
    }
    LICE_FillConvexPolygon(dest, xs, ys, n, color, alpha, mode);
  };
  if (u1 == u2) {
    const int from = std::min(v1, f), to = v2 > f ? v2 - 1 : f;
    if (swapAxes) {
      LICE_Line(dest, from, u2, to, u2, color, alpha, mode, false);
    } else {
      LICE_Line(dest, u2, from, u2, to, color, alpha, mode, false);
    }
    return;
  }
  auto base = [f](int v) { return v < f ? SaturateInt(static_cast<long long>(f) + 1) : f; };
  if ((v1 < f) == (v2 < f)) {
    const int end = SaturateInt(static_cast<long long>(u2) + farEnd);
    fill({{u1, v1}, {u1, base(v1)}, {end, v2}, {end, base(v1)}});
    return;
  }
  const double cross = static_cast<double>(static_cast<long long>(u2) - u1) *
                       static_cast<double>(static_cast<long long>(f) - v1) /
                       static_cast<double>(static_cast<long long>(v2) - v1);
  const int uc = SaturateInt(u1 + TruncateToInt<long long>(cross));
  fill({{u1, v1}, {u1, base(v1)}, {uc, base(v1)}});
  fill({{uc, base(v2)}, {u2, base(v2)}, {u2, v2}});
}

// The fills toward a row (xbasis) or a column: strips between successive
// curve points that reach a new column (row).
void FillCBezierStrips(LICE_IBitmap* dest, float* p, int fillAt, LICE_pixel color, float alpha, int mode, float tol,
                       bool xbasis) {
  if (!PrepareCurve(dest, p, 8, &tol)) return;
  CubicPiece piece;
  const int n = CBezPrep(dest, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], tol, xbasis, &piece);
  if (!n) return;
  const float su = xbasis ? piece.sx : piece.sy, sv = xbasis ? piece.sy : piece.sx;
  const float eu = xbasis ? piece.ex : piece.ey, ev = xbasis ? piece.ey : piece.ex;
  int next = TruncInt(su), previous = TruncInt(sv + 0.5f);
  ForEachInteriorPoint(piece, n, [&](double x, double y) {
    const int u = TruncInt(static_cast<float>(xbasis ? x : y));
    if (u < next) return;
    const int v = TruncInt(static_cast<float>(xbasis ? y : x) + 0.5f);
    FillStrip(dest, !xbasis, next, previous, u, v, fillAt, xbasis ? 0 : 1, color, alpha, mode);
    next = SaturateInt(static_cast<long long>(u) + 1), previous = v;
  });
  const int last = TruncInt(eu - 1.0);
  if (last >= next) {
    const int v = xbasis ? TruncInt(ev + 0.5f) : TruncInt(ev + 0.5);
    FillStrip(dest, !xbasis, next, previous, last, v, fillAt, xbasis ? 0 : 1, color, alpha, mode);
  }
}

}  // namespace

void LICE_DrawQBezier(LICE_IBitmap* dest, float xstart, float ystart, float xctl, float yctl, float xend,
                      float yend, LICE_pixel color, float alpha, int mode, bool aa, float tol) {
  float p[6] = {xstart, ystart, xctl, yctl, xend, yend};
  if (!PrepareCurve(dest, p, 6, &tol)) return;
  float x0 = p[0], y0 = p[1], xc = p[2], yc = p[3], x2 = p[4], y2 = p[5];
  if (x0 > x2) std::swap(x0, x2), std::swap(y0, y2);
  const int w = dest->getWidth();
  float sx = x0, sy = y0, ex = x2, ey = y2;
  double t0 = 0, t1 = 1;
  if (x0 < 0) sy = LICE_Bezier_GetY<float>(x0, xc, x2, y0, yc, y2, 0.0f, &t0), sx = 0;
  if (x2 >= w) {
    ex = static_cast<float>(w - 1);
    ey = LICE_Bezier_GetY<float>(x0, xc, x2, y0, yc, y2, ex, &t1);
  }
  if (sx > ex) return;
  const int n = SegmentCount(Distance(x2, y2, xc, yc) + Distance(xc, yc, x0, y0), t0, t1, tol);
  if (!n) return;
  float lx = sx, ly = sy;
  const double dt = (t1 - t0) / n;
  double t = t0;
  for (int i = 1; i < n; ++i) {
    t += dt;
    const double u = 1 - t;
    const float px = static_cast<float>(x0 * u * u + 2 * xc * u * t + x2 * t * t);
    const float py = static_cast<float>(y0 * u * u + 2 * yc * u * t + y2 * t * t);
    LICE_FLine(dest, lx, ly, px, py, color, alpha, mode, aa);
    lx = px, ly = py;
  }
  LICE_FLine(dest, lx, ly, ex, ey, color, alpha, mode, aa);
}

void LICE_DrawCBezier(LICE_IBitmap* dest, float xstart, float ystart, float xctl1, float yctl1, float xctl2,
                      float yctl2, float xend, float yend, LICE_pixel color, float alpha, int mode, bool aa,
                      float tol) {
  float p[8] = {xstart, ystart, xctl1, yctl1, xctl2, yctl2, xend, yend};
  if (!PrepareCurve(dest, p, 8, &tol)) return;
  CubicPiece piece;
  const int n = CBezPrep(dest, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], tol, true, &piece);
  if (!n) return;
  float lx = piece.sx, ly = piece.sy;
  ForEachInteriorPoint(piece, n, [&](double x, double y) {
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    LICE_FLine(dest, lx, ly, px, py, color, alpha, mode, aa);
    lx = px, ly = py;
  });
  LICE_FLine(dest, lx, ly, piece.ex, piece.ey, color, alpha, mode, aa);
}

void LICE_FillCBezier(LICE_IBitmap* dest, float xstart, float ystart, float xctl1, float yctl1, float xctl2,
                      float yctl2, float xend, float yend, int yfill, LICE_pixel color, float alpha, int mode,
                      float tol) {
  float p[8] = {xstart, ystart, xctl1, yctl1, xctl2, yctl2, xend, yend};
  FillCBezierStrips(dest, p, yfill, color, alpha, mode, tol, true);
}

void LICE_FillCBezierX(LICE_IBitmap* dest, float xstart, float ystart, float xctl1, float yctl1, float xctl2,
                       float yctl2, float xend, float yend, int xfill, LICE_pixel color, float alpha, int mode,
                       float tol) {
  float p[8] = {xstart, ystart, xctl1, yctl1, xctl2, yctl2, xend, yend};
  FillCBezierStrips(dest, p, xfill, color, alpha, mode, tol, false);
}
