// Stands in for the Windows GDI lines, shapes and pixels on Linux, drawn through the raster library.
#pragma once

#include "platform/standin/SwellGdiObjects.h"

// A pen or brush takes part only while the context's slot holds a live one
// of width 0 or more; a pen of width 0 draws 1 pixel wide. Strokes follow
// the path renderer's square pen (SwellGfxPaths.h).

// Fills with the given brush, not the selected one.
void SWELL_FillRect(HDC ctx, const RECT* r, HBRUSH brush);
// Fills with the brush, then outlines with the pen on the edges' coordinates.
void Rectangle(HDC ctx, int l, int t, int r, int b);
// The inscribed ellipse; its outline takes the context's current line width.
void Ellipse(HDC ctx, int l, int t, int r, int b);
// An octagon with corners cut by a third of ew and eh.
void RoundRect(HDC ctx, int l, int t, int r, int b, int ew, int eh);
// The outline stays open from the last point to the first.
void SWELL_Polygon(HDC ctx, const POINT* pts, int n);
void MoveToEx(HDC ctx, int x, int y, POINT* old);
// Lines of width w cover the pixels from their points to w - 1 beyond, right
// and down, end points included.
void SWELL_LineTo(HDC ctx, int x, int y);
void PolyPolyline(HDC ctx, const POINT* pts, const unsigned int* counts, int nPolylines);
// Cubic curves from the current position, three points each.
void PolyBezierTo(HDC ctx, const POINT* pts, int n);
void SWELL_SetPixel(HDC ctx, int x, int y, int color);
