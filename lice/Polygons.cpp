#include "lice/Polygons.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

#include "lice/DrawCombinerSelect.h"
#include "lice/FloatCoordinates.h"
#include "lice/Lines.h"
#include "lice/RectOps.h"
#include "lice/TrapezoidKernels.h"
#include "lice/Weight.h"

using namespace lice_detail;

namespace {

struct Vertex {
  int x, y;
};

int _ysort(const void* a, const void* b) {
  const Vertex* p = static_cast<const Vertex*>(a);
  const Vertex* q = static_cast<const Vertex*>(b);
  if (p->y != q->y) return p->y < q->y ? -1 : 1;
  if (p->x != q->x) return p->x < q->x ? -1 : 1;
  return 0;
}

// The next vertex of the left (dir < 0) or right (dir > 0) chain: the one
// below start with the extreme slope, the latest in sorted order among
// equal slopes; start itself when there is none.
int FindNextEdgeVertex(const Vertex* v, int start, int n, int dir) {
  const Vertex s = v[start];
  int next = start;
  float taken = 0;
  for (int i = start + 1; i < n; ++i) {
    if (v[i].y == s.y) continue;
    const float slope = static_cast<float>(static_cast<long long>(v[i].x) - s.x) /
                        static_cast<float>(static_cast<long long>(v[i].y) - s.y);
    if (next == start || slope == taken || (dir < 0 ? slope < taken : slope > taken)) {
      next = i;
      taken = slope;
    }
  }
  return next;
}

// Column of the edge from a down to b at a row, truncated toward a.
int EdgeColumn(const Vertex& a, const Vertex& b, long long row) {
  if (row <= a.y) return a.x;
  if (row >= b.y) return b.x;
  const float slope = static_cast<float>(static_cast<long long>(b.x) - a.x) /
                      static_cast<float>(static_cast<long long>(b.y) - a.y);
  const float offset = static_cast<float>(row - a.y) * slope;
  return SaturateInt(a.x + TruncateToInt<long long>(offset));
}

// A 16.16 edge step, limited to 8192 columns per row, as magnitude and direction.
void EdgeStep(long long dx, double perRow, int* step, int* dir) {
  const double s = std::max(-536870912.0, std::min(536870912.0, static_cast<double>(dx) * perRow));
  const int v = static_cast<int>(s);
  *dir = v < 0 ? -1 : 1;
  *step = v < 0 ? -v : v;
}

// Moves an edge down by rows at its step: the column by whole pixels, the
// 16-bit fraction keeping the rest.
void AdvanceEdge(long long* column, int* fraction, int step, int dir, long long rows) {
  const long long total = static_cast<long long>(step) * rows;
  *column += dir * (total >> 16);
  *fraction = static_cast<int>(total & 65535);
}

}  // namespace

void LICE_DrawRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel color, float alpha, int mode) {
  if (!dest) return;
  const int x2 = SaturateInt(static_cast<long long>(x) + w), y2 = SaturateInt(static_cast<long long>(y) + h);
  LICE_Line(dest, x, y, x2, y, color, alpha, mode, false);
  LICE_Line(dest, x2, y, x2, y2, color, alpha, mode, false);
  LICE_Line(dest, x2, y2, x, y2, color, alpha, mode, false);
  LICE_Line(dest, x, y2, x, y, color, alpha, mode, false);
}

void LICE_BorderedRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel bgcolor, LICE_pixel fgcolor,
                       float alpha, int mode) {
  if (!dest) return;
  LICE_FillRect(dest, SaturateInt(static_cast<long long>(x) + 1), SaturateInt(static_cast<long long>(y) + 1),
                SaturateInt(static_cast<long long>(w) - 1), SaturateInt(static_cast<long long>(h) - 1), bgcolor,
                alpha, mode);
  LICE_DrawRect(dest, x, y, w, h, fgcolor, alpha, mode);
}

void LICE_FillTrapezoid(LICE_IBitmap* dest, int x1a, int x1b, int y1, int x2a, int x2b, int y2, LICE_pixel color,
                        float alpha, int mode) {
  if (!dest) return;
  if (y1 > y2) std::swap(x1a, x2a), std::swap(x1b, x2b), std::swap(y1, y2);
  long long tl = std::min(x1a, x1b), tr = std::max(x1a, x1b), bl = std::min(x2a, x2b), br = std::max(x2a, x2b);
  long long yt = y1, yb = y2;
  const int w = dest->getWidth(), h = dest->getHeight();
  if ((tr < 0 && br < 0) || (tl >= w && bl >= w)) return;
  if (tl <= 0 && bl <= 0) tl = bl = 0;
  if (tr >= w - 1 && br >= w - 1) tr = br = w - 1;
  if (yb < 0 || yt >= h) return;
  LICE_pixel* bits = dest->getBits();
  const int span = dest->getRowSpan();
  if (!bits || w < 1) return;

  const double perRow = yb == yt ? 0.0 : 65536.0 / static_cast<double>(yb - yt);
  int aStep, aDir, bStep, bDir;
  EdgeStep(bl - tl, perRow, &aStep, &aDir);
  EdgeStep(br - tr, perRow, &bStep, &bDir);
  long long left = tl, right = tr + 1;
  int aFrac = 0, bFrac = 0;
  if (yt < 0) {
    AdvanceEdge(&left, &aFrac, aStep, aDir, -yt);
    AdvanceEdge(&right, &bFrac, bStep, bDir, -yt);
    yt = 0;
  }
  if (yb > h - 1) yb = h - 1;
  const int rows = static_cast<int>(yb - yt + 1);
  LICE_pixel* px = bits + static_cast<std::ptrdiff_t>(span) * yt;
  if (aStep == 0 && bStep == 0) {
    const long long lo = std::max(left, 0LL), hi = std::min(right, static_cast<long long>(w));
    if (lo >= hi) return;
    px += lo;
    left = 0, right = hi - lo;
  }

  const int op = mode & 0xff, aw = AlphaWeight(alpha);
  if (op == 0 && WithWordCombiner(aw, [&](auto tag) {
        typedef typename decltype(tag)::type Word;
        _LICE_FillFast<Word>::FillClippedTrapezoidFAST(w, span, px, rows, left, right, aStep, bStep, aFrac, bFrac,
                                                       aDir, bDir, Word::prepareColor(color));
      })) {
    return;
  }
  WithBlendingCombiner(op, aw, [&](auto tag) {
    _LICE_Fill<typename decltype(tag)::type>::FillClippedTrapezoid(
        w, span, px, rows, left, right, aStep, bStep, aFrac, bFrac, aDir, bDir, LICE_PixelRed(color),
        LICE_PixelGreen(color), LICE_PixelBlue(color), LICE_PixelAlpha(color), aw);
  });
}

void LICE_FillConvexPolygon(LICE_IBitmap* dest, const int* x, const int* y, int npoints, LICE_pixel color,
                            float alpha, int mode) {
  if (!dest || !x || !y || npoints < 3) return;
  const int n = npoints;
  Vertex local[512];
  std::unique_ptr<Vertex[]> heap;
  Vertex* v = local;
  if (n > 512) {
    heap.reset(new (std::nothrow) Vertex[static_cast<size_t>(n)]);
    if (!heap) return;
    v = heap.get();
  }
  const bool flipped = dest->isFlipped();
  const long long h = dest->getHeight();
  long long minX = LLONG_MAX, maxX = LLONG_MIN;
  for (int i = 0; i < n; ++i) {
    v[i].x = x[i];
    v[i].y = flipped ? SaturateInt(h - 1 - y[i]) : y[i];
    minX = std::min<long long>(minX, x[i]);
    maxX = std::max<long long>(maxX, x[i]);
  }
  std::qsort(v, static_cast<size_t>(n), sizeof(Vertex), _ysort);

  if (v[0].y == v[n - 1].y) {
    if (v[0].y >= 0 && v[0].y < h && minX <= maxX) {
      LICE_FillTrapezoid(dest, static_cast<int>(minX), static_cast<int>(maxX), v[0].y, static_cast<int>(minX),
                         static_cast<int>(maxX), v[0].y, color, alpha, mode);
    }
    return;
  }

  int topEnd = 1;
  while (topEnd < n && v[topEnd].y == v[0].y) ++topEnd;
  int left = 0;
  while (left + 1 < topEnd && v[left + 1].x == v[0].x) ++left;
  int right = topEnd - 1;
  int leftNext = FindNextEdgeVertex(v, left, n, -1), rightNext = FindNextEdgeVertex(v, right, n, 1);
  if (leftNext == left && rightNext == right) return;

  long long row = v[0].y;
  while (left != leftNext || right != rightNext) {
    const long long rowEnd = std::min(v[leftNext].y, v[rightNext].y);
    LICE_FillTrapezoid(dest, EdgeColumn(v[left], v[leftNext], row), EdgeColumn(v[right], v[rightNext], row),
                       SaturateInt(row), EdgeColumn(v[left], v[leftNext], rowEnd),
                       EdgeColumn(v[right], v[rightNext], rowEnd), static_cast<int>(rowEnd), color, alpha, mode);
    if (v[leftNext].y == rowEnd) left = leftNext, leftNext = FindNextEdgeVertex(v, left, n, -1);
    if (v[rightNext].y == rowEnd) right = rightNext, rightNext = FindNextEdgeVertex(v, right, n, 1);
    row = rowEnd + 1;
  }
}

void LICE_FillTriangle(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, int x3, int y3, LICE_pixel color,
                       float alpha, int mode) {
  const int x[3] = {x1, x2, x3}, y[3] = {y1, y2, y3};
  LICE_FillConvexPolygon(dest, x, y, 3, color, alpha, mode);
}
