#pragma once

#include "lice/LICE_IBitmap.h"

// Operations on the pixels of one bitmap. Rectangles are clipped to the
// bitmap; a null bitmap, an empty area, a zero weight and operations above 5
// change nothing.

void LICE_Clear(LICE_IBitmap* dest, LICE_pixel color);
// Every pixel p of the rectangle becomes (p & andMask) | orMask.
void LICE_ClearRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel andMask, LICE_pixel orMask);
// With the source-alpha bit, alpha is first scaled by the colour's alpha byte.
void LICE_FillRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel color, float alpha, int mode);
// The colour at column i, row j is start + i * x step + j * y step, channels
// 0..1 (1.0 is full intensity and, for alpha, full weight).
void LICE_GradRect(LICE_IBitmap* dest, int dstx, int dsty, int dstw, int dsth, float r0, float g0, float b0,
                   float a0, float drdx, float dgdx, float dbdx, float dadx, float drdy, float dgdy, float dbdy,
                   float dady, int mode);
// Each channel becomes channel * scale + add (add in channel units), limited to 0..255.
void LICE_MultiplyAddRect(LICE_IBitmap* dest, int x, int y, int w, int h, float rScale, float gScale,
                          float bScale, float aScale, float rAdd, float gAdd, float bAdd, float aAdd);
void LICE_ProcessRect(LICE_IBitmap* dest, int x, int y, int w, int h, void (*proc)(LICE_pixel* p, void* context),
                      void* context);
// 0 outside the bitmap.
LICE_pixel LICE_GetPixel(LICE_IBitmap* bm, int x, int y);
void LICE_PutPixel(LICE_IBitmap* bm, int x, int y, LICE_pixel color, float alpha, int mode);
// Pixels whose colour equals color (alpha byte 0) become transparent, all others opaque.
void LICE_SetAlphaFromColorMask(LICE_IBitmap* dest, LICE_pixel color);
// Fills the connected runs through column x, row by row from (x, y): a pixel
// matches when (pixel & compareMask) equals that of (x, y), and becomes
// (pixel & keepMask) | fillColor.
void LICE_SimpleFill(LICE_IBitmap* dest, int x, int y, LICE_pixel fillColor, LICE_pixel compareMask,
                     LICE_pixel keepMask);
// coverage: glyphW x glyphH bytes, row after row; each scales the weight of its pixel.
void LICE_DrawGlyph(LICE_IBitmap* dest, int x, int y, LICE_pixel color, const unsigned char* coverage, int glyphW,
                    int glyphH, float alpha, int mode);
// 0 when equal. Without diffRect the first differing row's memory comparison
// (or the size difference, b's minus a's); with it, 1 and the bounding box
// x, y, w, h of all differing pixels.
int LICE_BitmapCmp(LICE_IBitmap* a, LICE_IBitmap* b, int* diffRect);
