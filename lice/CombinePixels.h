#pragma once

#include "lice/Pixel.h"

// One combine rule applied to one pixel, selected as the blits select it, so
// a pixel combined here equals the same pixel drawn by an unscaled blit.

// dest with src combined in; src's bytes are the source channels.
LICE_pixel LICE_CombinePixels(LICE_pixel dest, LICE_pixel src, float alpha, int mode);
// The channels r, g, b, a combined into *dest with the integer weight alpha (256 = full).
void LICE_CombinePixels2(LICE_pixel* dest, int r, int g, int b, int a, int alpha, int mode);
// As LICE_CombinePixels2, with every stored channel of the copy and multiply rules limited to 0..255.
void LICE_CombinePixels2Clamp(LICE_pixel* dest, int r, int g, int b, int a, int alpha, int mode);
