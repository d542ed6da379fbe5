#pragma once

#include "lice/LICE_IBitmap.h"

// Quadratic and cubic Bezier curves drawn as chains of float lines, and the
// area between a cubic curve and a row or column filled with polygons. The
// curve is cut into segments of about tol pixels along its control polygon
// (tol 0 or less means 1), at most 65536 of them. Non-finite points or
// tolerance draw nothing.

void LICE_DrawQBezier(LICE_IBitmap* dest, float xstart, float ystart, float xctl, float yctl, float xend,
                      float yend, LICE_pixel color, float alpha, int mode, bool aa, float tol);
void LICE_DrawCBezier(LICE_IBitmap* dest, float xstart, float ystart, float xctl1, float yctl1, float xctl2,
                      float yctl2, float xend, float yend, LICE_pixel color, float alpha, int mode, bool aa,
                      float tol);
// Column by column between the curve and row yfill.
void LICE_FillCBezier(LICE_IBitmap* dest, float xstart, float ystart, float xctl1, float yctl1, float xctl2,
                      float yctl2, float xend, float yend, int yfill, LICE_pixel color, float alpha, int mode,
                      float tol);
// Row by row between the curve and column xfill.
void LICE_FillCBezierX(LICE_IBitmap* dest, float xstart, float ystart, float xctl1, float yctl1, float xctl2,
                       float yctl2, float xend, float yend, int xfill, LICE_pixel color, float alpha, int mode,
                       float tol);
