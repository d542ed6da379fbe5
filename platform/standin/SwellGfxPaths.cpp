#include "platform/standin/SwellGfxPaths.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "lice/Lines.h"
#include "lice/Polygons.h"
#include "lice/RectOps.h"

namespace {

// Control points of a quarter circle lie this far along its tangents, per radius.
constexpr double kKappa = 0.5522847498307936;
// Curves are drawn as pieces of about a pixel, at most this many.
constexpr int kMaxCurvePieces = 1024;
// Pixel positions and pen sizes, far beyond any bitmap, whose sums stay inside int.
constexpr double kPixelLimit = 536870912.0;  // 2^29

int PixelInt(double v) { return static_cast<int>(std::max(-kPixelLimit, std::min(kPixelLimit, v))); }

// The part of a target inside its clip, as a raster bitmap whose first pixel
// is the clip's top-left corner.
class ClipView : public LICE_IBitmap {
 public:
  explicit ClipView(SWELL_GfxTarget* target) : mTarget(target), mClip(SWELL_GfxClip(target)) {}

  LICE_pixel* getBits() override {
    if (getWidth() < 1 || getHeight() < 1) return nullptr;
    return reinterpret_cast<LICE_pixel*>(SWELL_GfxPixel(mTarget, mClip.left, mClip.top));
  }
  int getWidth() override { return mClip.right - mClip.left; }
  int getHeight() override { return mClip.bottom - mClip.top; }
  int getRowSpan() override { return mTarget->rowBytes / 4; }
  bool resize(int, int) override { return false; }

  // The whole view coordinate nearest a user-space one, halves going down;
  // paths follow only the translation. Fills and strokes share these
  // corners, so that a fill lies inside its outline without gaps.
  double X(double x) const { return std::ceil(x + mTarget->state.originX - mClip.left - 0.5); }
  double Y(double y) const { return std::ceil(y + mTarget->state.originY - mClip.top - 0.5); }

 private:
  SWELL_GfxTarget* mTarget;
  SWELL_GfxRect mClip;
};

int Channel(float c) { return static_cast<int>(std::lround(std::max(0.0f, std::min(1.0f, c)) * 255.0f)); }

// The colour as a raster pixel, whose alpha byte is the target's unused one.
LICE_pixel Pixel(const float rgba[4]) {
  return LICE_MakePixel(Channel(rgba[0]), Channel(rgba[1]), Channel(rgba[2]), 255);
}

float Opacity(const float rgba[4]) { return std::max(0.0f, std::min(1.0f, rgba[3])); }

bool Finite(const SWELL_GfxPath::Subpath& sub) {
  return std::all_of(sub.points.begin(), sub.points.end(),
                     [](const SWELL_GfxPath::Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

// One edge of the fill, from its top to its bottom in view rows.
struct Edge {
  double top, bottom;
  double x;      // at the top
  double slope;  // columns per row
  int winding;   // +1 running down, -1 up
};

// The pixels of a row whose left edges lie from `from` up to `to`.
void Span(ClipView& view, int row, double from, double to, LICE_pixel color, float alpha) {
  const double first = std::max(0.0, std::ceil(from));
  const double end = std::min(static_cast<double>(view.getWidth()), std::ceil(to));
  if (first < end) {
    LICE_FillRect(&view, static_cast<int>(first), row, static_cast<int>(end - first), 1, color, alpha, LICE_MODE_COPY);
  }
}

void Fill(ClipView& view, const SWELL_GfxPath& path, LICE_pixel color, float alpha) {
  std::vector<Edge> edges;
  for (const SWELL_GfxPath::Subpath& sub : path.Subpaths()) {
    if (!Finite(sub)) continue;
    const std::vector<SWELL_GfxPath::Point>& p = sub.points;
    for (size_t i = 0; i < p.size(); ++i) {
      const SWELL_GfxPath::Point& a = p[i];
      const SWELL_GfxPath::Point& b = p[(i + 1) % p.size()];
      const double ax = view.X(a.x), ay = view.Y(a.y), bx = view.X(b.x), by = view.Y(b.y);
      if (ay == by) continue;
      const bool down = ay < by;
      edges.push_back(Edge{down ? ay : by, down ? by : ay, down ? ax : bx, (bx - ax) / (by - ay), down ? 1 : -1});
    }
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });
  double lowest = edges.front().bottom;
  for (const Edge& e : edges) lowest = std::max(lowest, e.bottom);
  // Rows whose top edges lie from the highest top up to the lowest bottom.
  const double firstRow = std::max(0.0, std::ceil(edges.front().top));
  const double endRow = std::min(static_cast<double>(view.getHeight()), std::ceil(lowest));
  if (!(firstRow < endRow)) return;

  std::vector<const Edge*> active;
  std::vector<std::pair<double, int>> crossings;
  size_t next = 0;
  for (int row = static_cast<int>(firstRow); row < static_cast<int>(endRow); ++row) {
    const double y = row;
    while (next < edges.size() && edges[next].top <= y) active.push_back(&edges[next++]);
    active.erase(std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->bottom <= y; }),
                 active.end());
    crossings.clear();
    for (const Edge* e : active) crossings.emplace_back(e->x + (y - e->top) * e->slope, e->winding);
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    double start = 0.0;
    for (const auto& c : crossings) {
      const int before = winding;
      winding += c.second;
      if (before == 0 && winding != 0) {
        start = c.first;
      } else if (before != 0 && winding == 0) {
        Span(view, row, start, c.first, color, alpha);
      }
    }
  }
}

// The first pixel, along one axis, of a pen of n pixels centred in pixel v.
int PenStart(double v, int n) { return PixelInt(v) - n / 2; }

void StrokePiece(ClipView& view, const SWELL_GfxPath::Point& a, const SWELL_GfxPath::Point& b, int n, LICE_pixel color,
                 float alpha) {
  const int ax = PenStart(view.X(a.x), n), ay = PenStart(view.Y(a.y), n);
  const int bx = PenStart(view.X(b.x), n), by = PenStart(view.Y(b.y), n);
  if (n == 1) {
    LICE_Line(&view, ax, ay, bx, by, color, alpha, LICE_MODE_COPY, false);
    return;
  }
  // Everything the pen covers between the two ends: the hull of its squares there.
  const int far = n - 1;
  const int xs[8] = {ax, ax + far, ax, ax + far, bx, bx + far, bx, bx + far};
  const int ys[8] = {ay, ay, ay + far, ay + far, by, by, by + far, by + far};
  LICE_FillConvexPolygon(&view, xs, ys, 8, color, alpha, LICE_MODE_COPY);
}

void Stroke(ClipView& view, const SWELL_GfxPath& path, float lineWidth, LICE_pixel color, float alpha) {
  const int n = lineWidth >= 1.0f ? PixelInt(std::floor(lineWidth + 0.5)) : 1;
  for (const SWELL_GfxPath::Subpath& sub : path.Subpaths()) {
    if (!Finite(sub)) continue;
    const std::vector<SWELL_GfxPath::Point>& p = sub.points;
    for (size_t i = 1; i < p.size(); ++i) StrokePiece(view, p[i - 1], p[i], n, color, alpha);
    const bool returns = p.back().x == p.front().x && p.back().y == p.front().y;
    if (sub.closed && p.size() > 2 && !returns) StrokePiece(view, p.back(), p.front(), n, color, alpha);
  }
}

}  // namespace

void SWELL_GfxPath::MoveTo(double x, double y) {
  mSubpaths.emplace_back();
  mSubpaths.back().points.push_back(Point{x, y});
}

void SWELL_GfxPath::LineTo(double x, double y) {
  if (mSubpaths.empty() || mSubpaths.back().closed) {
    MoveTo(x, y);
    return;
  }
  mSubpaths.back().points.push_back(Point{x, y});
}

void SWELL_GfxPath::CurveTo(double x1, double y1, double x2, double y2, double x, double y) {
  if (mSubpaths.empty() || mSubpaths.back().closed) MoveTo(x1, y1);
  const Point p0 = mSubpaths.back().points.back();
  const double length = std::hypot(x1 - p0.x, y1 - p0.y) + std::hypot(x2 - x1, y2 - y1) + std::hypot(x - x2, y - y2);
  const int pieces = length > 1.0 ? static_cast<int>(std::min<double>(kMaxCurvePieces, std::ceil(length))) : 1;
  for (int i = 1; i <= pieces; ++i) {
    const double t = static_cast<double>(i) / pieces, u = 1.0 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    LineTo(a * p0.x + b * x1 + c * x2 + d * x, a * p0.y + b * y1 + c * y2 + d * y);
  }
}

void SWELL_GfxPath::Close() {
  if (!mSubpaths.empty()) mSubpaths.back().closed = true;
}

void SWELL_GfxPath::AddRect(double x, double y, double w, double h) {
  MoveTo(x, y);
  LineTo(x + w, y);
  LineTo(x + w, y + h);
  LineTo(x, y + h);
  Close();
}

void SWELL_GfxPath::AddEllipse(double x, double y, double w, double h) {
  const double rx = w / 2, ry = h / 2, cx = x + rx, cy = y + ry;
  const double kx = rx * kKappa, ky = ry * kKappa;
  MoveTo(cx + rx, cy);
  CurveTo(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
  CurveTo(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
  CurveTo(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
  CurveTo(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
  Close();
}

void SWELL_GfxDrawPath(SWELL_GfxTarget* target, const SWELL_GfxPath& path, int drawMode, const float fill[4],
                       const float stroke[4], float lineWidth) {
  if (!target || !target->pixels) return;
  ClipView view(target);
  if (drawMode == kSwellPathFill || drawMode == kSwellPathFillStroke) Fill(view, path, Pixel(fill), Opacity(fill));
  if (drawMode == kSwellPathStroke || drawMode == kSwellPathFillStroke) {
    Stroke(view, path, lineWidth, Pixel(stroke), Opacity(stroke));
  }
}
