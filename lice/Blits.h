#pragma once

#include "lice/LICE_IBitmap.h"

// Copying pixels from one bitmap into another. Each entry point rejects what
// draws nothing, clips against both bitmaps, turns alpha into the weight
// (alpha * 256 truncated), decodes the mode word and runs one kernel. None
// reports an error: null bitmaps, empty areas, alpha 0 and operations above
// 5 draw nothing. Angles are in radians.

void LICE_Copy(LICE_IBitmap* dest, LICE_IBitmap* src);

// srcRect null: the whole source. A mode with bits 4 to 7 all set copies
// byte (mode & 3) of each source pixel into byte ((mode >> 2) & 3).
void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, const RECT* srcRect, float alpha,
               int mode);
void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int srcx, int srcy, int srcw, int srch,
               float alpha, int mode);

// Negative destination sizes mirror. With the bilinear filter, steps of 1.7
// and more average a 3 x 3 (5 x 5 above 3.0) box around each sample.
void LICE_ScaledBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth, float srcx,
                     float srcy, float srcw, float srch, float alpha, int mode);

// The destination rectangle shows the source rectangle turned by angle about
// its centre, shifted by (rotOffsetX, rotOffsetY).
void LICE_RotatedBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth, float srcx,
                      float srcy, float srcw, float srch, float angle, bool clipToSource, float alpha, int mode,
                      float rotOffsetX, float rotOffsetY);

// Source position (srcx, srcy) at the first pixel, stepping by the given
// source deltas per destination column and row; the column deltas change by
// dsdxdy and dtdxdy per row.
void LICE_DeltaBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth, float srcx,
                    float srcy, float srcw, float srch, double dsdx, double dtdx, double dsdy, double dtdy,
                    double dsdxdy, double dtdxdy, bool clipToSource, float alpha, int mode);

// sourcePoints: gridH rows of gridW (x, y) source positions spread evenly
// over the destination rectangle; each cell is a bilinear patch.
void LICE_TransformBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                        const float* sourcePoints, int gridW, int gridH, float alpha, int mode);

// Overwrites the destination with a small blur of the source area; dest and
// src may be the same bitmap.
void LICE_Blur(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int srcx, int srcy, int srcw, int srch);

// Each destination pixel becomes the average of a 2 x 2 source block.
void LICE_HalveBlitAA(LICE_IBitmap* dest, LICE_IBitmap* src);
