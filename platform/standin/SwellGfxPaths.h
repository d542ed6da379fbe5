// Stands in for Core Graphics paths (building, filling, stroking) on Linux, drawn through the raster library.
#pragma once

#include <vector>

#include "platform/standin/SwellGfxTarget.h"

// Subpaths of points in user space; curves and ellipses are kept as the
// chains of straight pieces they are drawn with.
class SWELL_GfxPath {
 public:
  struct Point {
    double x, y;
  };
  struct Subpath {
    std::vector<Point> points;
    bool closed = false;
  };

  void MoveTo(double x, double y);
  // From the last point; a path without one starts here.
  void LineTo(double x, double y);
  // A cubic curve from the last point through two control points.
  void CurveTo(double x1, double y1, double x2, double y2, double x, double y);
  // Joins the last point to the subpath's first.
  void Close();
  void AddRect(double x, double y, double w, double h);
  // The ellipse inscribed in the rectangle, as four cubic curves.
  void AddEllipse(double x, double y, double w, double h);

  const std::vector<Subpath>& Subpaths() const { return mSubpaths; }

 private:
  std::vector<Subpath> mSubpaths;
};

// Drawing of a path: fill (0), stroke (2) or both (3).
enum { kSwellPathFill = 0, kSwellPathStroke = 2, kSwellPathFillStroke = 3 };

// Draws the path inside the target's clip, taking only the translation of
// user space, through the raster library and without anti-aliasing. Each
// point is first taken to the pixel it lies in (the whole coordinates at or
// before it). The stroke moves a square pen of n x n pixels (n the line
// width rounded, at least 1) along each straight piece, its pixel n / 2 in
// from the top-left corner on the piece: a piece along y + n / 2 covers the
// rows y to y + n - 1, and a 1-pixel piece along whole coordinates the
// pixels right of and below them. The fill covers the pixels whose top-left
// corners the path of those pixels encloses by the nonzero rule, every
// subpath closed: what lies inside a 1-pixel stroke of the same outline,
// without gaps. Colours are red, green, blue and alpha from 0 to 1.
void SWELL_GfxDrawPath(SWELL_GfxTarget* target, const SWELL_GfxPath& path, int drawMode, const float fill[4],
                       const float stroke[4], float lineWidth);
