#pragma once

#include "lice/LICE_IBitmap.h"

// Lines clipped once to the bitmap, end points included, drawn with one
// kernel per combine operation. The weight is alpha * 256 truncated; a zero
// weight, an operation above 5 or a segment outside the bitmap draws nothing.
// On a bottom-up bitmap y counts from the picture's top row.

void LICE_Line(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, LICE_pixel color, float alpha, int mode,
               bool antialias);
// Without anti-aliasing the end points are truncated toward zero; with it
// each step of the major axis is shared between the two pixels the line
// passes between. Non-finite end points draw nothing.
void LICE_FLine(LICE_IBitmap* dest, float x1, float y1, float x2, float y2, LICE_pixel color, float alpha, int mode,
                bool antialias);
// Horizontal and vertical lines only, in stored rows: runs of onPixels drawn
// and offPixels skipped from the smaller end, the larger end excluded. A
// period below 1 or a negative count draws nothing.
void LICE_DashedLine(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, int onPixels, int offPixels,
                     LICE_pixel color, float alpha, int mode, bool antialias);

// Clip a segment to left <= x < right, top <= y < bottom; true when some of
// it lies inside. The end points are written back in every case.
bool LICE_ClipLine(int* x1, int* y1, int* x2, int* y2, int left, int top, int right, int bottom);
// The same in floats, keeping the last column and row of the rectangle free
// for the neighbour pixel of the anti-aliased line.
bool LICE_ClipFLine(float* x1, float* y1, float* x2, float* y2, float left, float top, float right, float bottom);
