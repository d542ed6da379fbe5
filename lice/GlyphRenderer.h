#pragma once

// Draws a cached glyph's 8-bit coverage into pixels through one combiner.
// Mono and Effect coverage holds only 0, 128 (effect) and 255 (body); Normal
// coverage weights each pixel. The caller has clipped the area and never
// passes a weight of 0; a zero coverage byte leaves its pixel as it is.

#include "lice/Combiners.h"

template <class K>
class GlyphRenderer {
 public:
  // dest_span: pixels from one destination row to the next (negative for a
  // bottom-up bitmap); src_span: coverage bytes from one row to the next.
  static void Mono(const unsigned char* src, LICE_pixel* dest, int src_span, int dest_span, int width, int height,
                   int red, int green, int blue, int alpha) {
    for (; height > 0; --height, src += src_span, dest += dest_span) {
      for (int x = 0; x < width; ++x) {
        if (src[x]) K::doPix(Bytes(dest + x), red, green, blue, 255, alpha);
      }
    }
  }

  static void Effect(const unsigned char* src, LICE_pixel* dest, int src_span, int dest_span, int width, int height,
                     int red, int green, int blue, int alpha, int effectRed, int effectGreen, int effectBlue) {
    for (; height > 0; --height, src += src_span, dest += dest_span) {
      for (int x = 0; x < width; ++x) {
        if (src[x] == 255) {
          K::doPix(Bytes(dest + x), red, green, blue, 255, alpha);
        } else if (src[x]) {
          K::doPix(Bytes(dest + x), effectRed, effectGreen, effectBlue, 255, alpha);
        }
      }
    }
  }

  // At full weight coverage v counts v + 1, so 255 covers completely.
  static void Normal(const unsigned char* src, LICE_pixel* dest, int src_span, int dest_span, int width, int height,
                     int red, int green, int blue, int alpha) {
    for (; height > 0; --height, src += src_span, dest += dest_span) {
      for (int x = 0; x < width; ++x) {
        const int v = src[x];
        if (!v) continue;
        int weight = v + 1;
        if (alpha != 256) {
          weight = (v * alpha) / 256;
          if (weight > 256) weight = 256;
        }
        K::doPix(Bytes(dest + x), red, green, blue, 255, weight);
      }
    }
  }

 private:
  static unsigned char* Bytes(LICE_pixel* p) { return reinterpret_cast<unsigned char*>(p); }
};
