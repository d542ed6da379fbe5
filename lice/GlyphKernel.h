#pragma once

// Paints one colour through an 8-bit coverage mask: each mask byte scales the
// weight of its pixel, and a zero byte leaves the pixel as it is in every mode.
// The caller has clipped the w x h area to both the mask and the destination.

#include "lice/Combiners.h"

template <class Combiner>
class GlyphDrawImpl {
 public:
  // span: destination pixels from one row to the next (negative for a
  // bottom-up bitmap); src_span: mask bytes from one row to the next.
  static void DrawGlyph(const unsigned char* alphas, LICE_pixel* dest, int w, int h, LICE_pixel colour,
                        int span, int src_span, int aval) {
    const int r = LICE_PixelRed(colour), g = LICE_PixelGreen(colour), b = LICE_PixelBlue(colour),
              a = LICE_PixelAlpha(colour);
    for (; h > 0; --h, alphas += src_span, dest += span) {
      for (int x = 0; x < w; ++x) {
        const int cov = alphas[x];
        if (cov == 0) continue;
        Combiner::doPix(reinterpret_cast<unsigned char*>(dest + x), r, g, b, a, (cov * aval) / 256);
      }
    }
  }
};
