#pragma once

#include "lice/LICE_IBitmap.h"

// Circles, arcs and rounded rectangles with float centres and radii. Angles
// are in radians, 0 pointing up toward row 0 and growing clockwise: the point
// at angle a is (cx + r sin a, cy - r cos a). Non-finite arguments, radii
// beyond 2^20, a zero weight and operations above 5 draw nothing.

void LICE_Circle(LICE_IBitmap* dest, float cx, float cy, float r, LICE_pixel color, float alpha, int mode,
                 bool aa);
void LICE_FillCircle(LICE_IBitmap* dest, float cx, float cy, float r, LICE_pixel color, float alpha, int mode,
                     bool aa);
// The angles may come in either order; a span of 2 pi or more is a circle.
void LICE_Arc(LICE_IBitmap* dest, float cx, float cy, float r, float minAngle, float maxAngle, LICE_pixel color,
              float alpha, int mode, bool aa);
// The outline covers columns x to x + w and rows y to y + h; corners of
// radius below 2 give a plain rectangle.
void LICE_RoundRect(LICE_IBitmap* dest, float x, float y, float w, float h, int cornerradius, LICE_pixel color,
                    float alpha, int mode, bool aa);
