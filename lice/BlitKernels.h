#pragma once

// Inner loops of the fills and blits, one class template per family over a
// combiner of Combiners.h. Callers have clipped the destination and set the
// pointers and signed byte spans for the bitmaps' row order; the kernels
// decode no mode and test no destination bounds. Source positions and steps
// are 16.16 fixed point held in 64 bits: index = v / 65536 truncated toward
// zero, fraction = the low 16 bits as they are, also for negative v.

#include <cstddef>

#include "lice/Combiners.h"

namespace lice_detail {

inline const unsigned char* PixelAt(const unsigned char* src, long long x, long long y, int span) {
  return src + static_cast<std::ptrdiff_t>(y) * span + static_cast<std::ptrdiff_t>(x) * 4;
}

template <class Combiner>
inline void CombineFrom(unsigned char* d, const unsigned char* p, int alpha) {
  Combiner::doPix(d, p[LICE_PIXEL_R], p[LICE_PIXEL_G], p[LICE_PIXEL_B], p[LICE_PIXEL_A], alpha);
}

template <class Combiner>
inline void CombineChannels(unsigned char* d, const int* c, int alpha) {
  Combiner::doPix(d, c[LICE_PIXEL_R], c[LICE_PIXEL_G], c[LICE_PIXEL_B], c[LICE_PIXEL_A], alpha);
}

// Bilinear taps at fractions xf, yf in 0..65535; the weights sum to 65536.
inline void FourTap(int* c, const unsigned char* p00, const unsigned char* p10,
                    const unsigned char* p01, const unsigned char* p11, unsigned int xf,
                    unsigned int yf) {
  const unsigned int f11 = (xf * yf) >> 16;
  const unsigned int f10 = xf - f11;
  const unsigned int f01 = yf - f11;
  const unsigned int f00 = 65536 - yf - f10;
  for (int i = 0; i < 4; ++i) {
    c[i] = static_cast<int>((p00[i] * f00 + p10[i] * f10 + p01[i] * f01 + p11[i] * f11) >> 16);
  }
}

// p0 weighted 65536 - f, p1 weighted f.
inline void TwoTap(int* c, const unsigned char* p0, const unsigned char* p1, unsigned int f) {
  for (int i = 0; i < 4; ++i) c[i] = static_cast<int>((p0[i] * (65536 - f) + p1[i] * f) >> 16);
}

inline unsigned int Fraction(long long v) { return static_cast<unsigned int>(v & 0xffff); }

// Gradient values reach the combiners raw, within the bounds of Weight.h.
inline int GradientValue(long long v) {
  const long long i = v / 65536;
  return static_cast<int>(i < -2048 ? -2048 : i > 2048 ? 2048 : i);
}

}  // namespace lice_detail

// Word copies of the scaled blit at weights 256 and 128.
template <class Combiner>
class _LICE_Template_Blit0 {
 public:
  static void scaleBlitFAST(unsigned char* dest, const unsigned char* src, int w, int h, long long x0,
                            long long y0, long long dx, long long dy, int clipright, int clipbottom,
                            int src_span, int dest_span) {
    const int dspan = dest_span & ~3;
    for (int row = 0; row < h; ++row, y0 += dy, dest += dspan) {
      const long long y = y0 / 65536;
      if (y0 < -65535 || y >= clipbottom) continue;
      const unsigned char* line = lice_detail::PixelAt(src, 0, y, src_span);
      auto* d = reinterpret_cast<LICE_pixel*>(dest);
      long long xc = x0;
      for (int i = 0; i < w; ++i, xc += dx) {
        const long long x = xc / 65536;
        if (xc >= -65535 && x < clipright) {
          Combiner::doPixWord(d + i, reinterpret_cast<const LICE_pixel*>(line)[x]);
        }
      }
    }
  }
};

// Fills: one colour, or a colour stepping linearly along x and y.
template <class Combiner>
class _LICE_Template_Blit1 {
 public:
  // The weight is also the colour's alpha channel.
  static void solidBlit(unsigned char* dest, int w, int h, int r, int g, int b, int alpha, int span) {
    for (; h > 0; --h, dest += span) {
      unsigned char* d = dest;
      for (int i = 0; i < w; ++i, d += 4) Combiner::doPix(d, r, g, b, alpha, alpha);
    }
  }

  // 16.16 values; the alpha accumulator is both the alpha channel and the weight.
  static void gradBlit(unsigned char* dest, int w, int h, int ir, int ig, int ib, int ia, int drdx,
                       int dgdx, int dbdx, int dadx, int drdy, int dgdy, int dbdy, int dady, int span) {
    long long rowR = ir, rowG = ig, rowB = ib, rowA = ia;
    for (; h > 0; --h, dest += span) {
      long long r = rowR, g = rowG, b = rowB, a = rowA;
      unsigned char* d = dest;
      for (int i = 0; i < w; ++i, d += 4) {
        const int alpha = lice_detail::GradientValue(a);
        Combiner::doPix(d, lice_detail::GradientValue(r), lice_detail::GradientValue(g),
                        lice_detail::GradientValue(b), alpha, alpha);
        r += drdx, g += dgdx, b += dbdx, a += dadx;
      }
      rowR += drdy, rowG += dgdy, rowB += dbdy, rowA += dady;
    }
  }
};

// Bitmap to bitmap: unscaled, scaled (nearest or bilinear) and box-filtered downscale.
template <class Combiner>
class _LICE_Template_Blit2 {
 public:
  static void blit(unsigned char* dest, const unsigned char* src, int w, int h, int src_span,
                   int dest_span, int alpha) {
    for (; h > 0; --h, dest += dest_span, src += src_span) {
      unsigned char* d = dest;
      const unsigned char* s = src;
      for (int i = 0; i < w; ++i, d += 4, s += 4) lice_detail::CombineFrom<Combiner>(d, s, alpha);
    }
  }

  // clipright and clipbottom: source columns and rows that may be read.
  static void scaleBlit(unsigned char* dest, const unsigned char* src, int w, int h, long long x0,
                        long long y0, long long dx, long long dy, int clipright, int clipbottom,
                        int src_span, int dest_span, int alpha, int filtermode) {
    if (filtermode == 0x100) {
      scaleBlitBilinear(dest, src, w, h, x0, y0, dx, dy, clipright, clipbottom, src_span, dest_span, alpha);
      return;
    }
    for (int row = 0; row < h; ++row, y0 += dy, dest += dest_span) {
      const long long y = y0 / 65536;
      if (y0 < -65535 || y >= clipbottom) continue;
      const unsigned char* line = lice_detail::PixelAt(src, 0, y, src_span);
      unsigned char* d = dest;
      long long xc = x0;
      for (int i = 0; i < w; ++i, xc += dx, d += 4) {
        const long long x = xc / 65536;
        if (xc >= -65535 && x < clipright) lice_detail::CombineFrom<Combiner>(d, line + x * 4, alpha);
      }
    }
  }

  // Each destination pixel averages the filter window around its source
  // pixel; window taps outside the source drop out and the rest renormalise.
  static void scaleBlitFilterDown(unsigned char* dest, const unsigned char* src, int w, int h,
                                  long long x0, long long y0, long long dx, long long dy, int clipright,
                                  int clipbottom, int src_span, int dest_span, int alpha,
                                  const int* filter, int centeroffs, int filtersize) {
    for (int row = 0; row < h; ++row, y0 += dy, dest += dest_span) {
      const long long y = y0 / 65536;
      if (y0 < -65535 || y >= clipbottom || w == 0) continue;
      const long long wy = y + centeroffs;
      const long long wyEnd = wy + filtersize < clipbottom ? wy + filtersize : clipbottom;
      unsigned char* d = dest;
      long long xc = x0;
      for (int i = 0; i < w; ++i, xc += dx, d += 4) {
        const long long x = xc / 65536;
        if (xc < -65535 || x >= clipright || wy >= clipbottom || filtersize == 0) continue;
        const long long wx = x + centeroffs;
        int sum[4] = {0, 0, 0, 0};
        int total = 0;
        for (long long j = 0; wy + j < wyEnd; ++j) {
          if (wy + j < 0) continue;
          const int* weights = filter + j * filtersize;
          for (int k = 0; k < filtersize; ++k) {
            const long long sx = wx + k;
            if (sx < 0 || sx >= clipright) continue;
            const unsigned char* p = lice_detail::PixelAt(src, sx, wy + j, src_span);
            for (int c = 0; c < 4; ++c) sum[c] += p[c] * weights[k];
            total += weights[k];
          }
        }
        if (total <= 0) continue;
        Combiner::doPix(d, sum[LICE_PIXEL_R] / total, sum[LICE_PIXEL_G] / total,
                        sum[LICE_PIXEL_B] / total, sum[LICE_PIXEL_A] / total, alpha);
      }
    }
  }

 private:
  static void scaleBlitBilinear(unsigned char* dest, const unsigned char* src, int w, int h,
                                long long x0, long long y0, long long dx, long long dy, int clipright,
                                int clipbottom, int src_span, int dest_span, int alpha) {
    for (int row = 0; row < h; ++row, y0 += dy, dest += dest_span) {
      const long long y = y0 / 65536;
      const unsigned int yf = lice_detail::Fraction(y0);
      const bool interior = y0 >= -65535 && y < clipbottom - 1;
      if (!interior && y != clipbottom - 1) continue;
      const unsigned char* line = lice_detail::PixelAt(src, 0, y, src_span);
      unsigned char* d = dest;
      long long xc = x0;
      for (int i = 0; i < w; ++i, xc += dx, d += 4) {
        const long long x = xc / 65536;
        int c[4];
        if (xc >= -65535 && x < clipright - 1) {
          const unsigned char* p = line + x * 4;
          if (interior) {
            lice_detail::FourTap(c, p, p + 4, p + src_span, p + src_span + 4, lice_detail::Fraction(xc), yf);
          } else {
            lice_detail::TwoTap(c, p, p + 4, lice_detail::Fraction(xc));
          }
        } else if (x == clipright - 1) {
          const unsigned char* p = line + x * 4;
          if (interior) {
            lice_detail::TwoTap(c, p, p + src_span, yf);
          } else {
            for (int k = 0; k < 4; ++k) c[k] = p[k];
          }
        } else {
          continue;
        }
        lice_detail::CombineChannels<Combiner>(d, c, alpha);
      }
    }
  }
};

// Affine or bilinear-patch mapping of destination pixels onto a source
// rectangle [src_left, src_right) x [src_top, src_bottom); the x steps change
// by dsdxdy and dtdxdy per row. The one family not expanded per combiner:
// it calls the combiner through a pointer.
class _LICE_Template_Blit3 {
 public:
  typedef void (*Combine)(unsigned char*, int, int, int, int, int);

  static void deltaBlit(unsigned char* dest, const unsigned char* src, int w, int h, long long s0,
                        long long t0, long long dsdx, long long dtdx, long long dsdy, long long dtdy,
                        long long dsdxdy, long long dtdxdy, int src_left, int src_top, int src_right,
                        int src_bottom, int src_span, int dest_span, int alpha, int filtermode,
                        Combine combine);
};
