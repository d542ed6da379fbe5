#pragma once

#include "lice/LICE_IBitmap.h"

// Rectangles, trapezoids, triangles and convex polygons on integer pixels.
// Fills include their top and bottom rows and both end columns and combine
// each pixel once; they clip per row, and a null bitmap, a zero weight or an
// operation above 5 draws nothing.

// Outline of columns x to x + w and rows y to y + h.
void LICE_DrawRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel color, float alpha, int mode);
// The inside filled with bgcolor, then the outline in fgcolor.
void LICE_BorderedRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel bgcolor, LICE_pixel fgcolor,
                       float alpha, int mode);
// Between two horizontal edges, x1a..x1b on row y1 and x2a..x2b on row y2,
// given in any order. Rows are stored rows, whatever the bitmap's row order.
void LICE_FillTrapezoid(LICE_IBitmap* dest, int x1a, int x1b, int y1, int x2a, int x2b, int y2, LICE_pixel color,
                        float alpha, int mode);
// The convex hull of the n points, in any order.
void LICE_FillConvexPolygon(LICE_IBitmap* dest, const int* x, const int* y, int npoints, LICE_pixel color,
                            float alpha, int mode);
void LICE_FillTriangle(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, int x3, int y3, LICE_pixel color,
                       float alpha, int mode);
