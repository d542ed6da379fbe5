#include "lice/BlitKernels.h"

void _LICE_Template_Blit3::deltaBlit(unsigned char* dest, const unsigned char* src, int w, int h,
                                      long long s0, long long t0, long long dsdx, long long dtdx,
                                      long long dsdy, long long dtdy, long long dsdxdy, long long dtdxdy,
                                      int src_left, int src_top, int src_right, int src_bottom,
                                      int src_span, int dest_span, int alpha, int filtermode,
                                      Combine combine) {
  const bool bilinear = filtermode == 0x100;
  for (int row = 0; row < h; ++row, dest += dest_span) {
    long long s = s0, t = t0;
    unsigned char* d = dest;
    for (int i = 0; i < w; ++i, s += dsdx, t += dtdx, d += 4) {
      const long long x = s / 65536, y = t / 65536;
      if (!bilinear) {
        if (x >= src_left && x < src_right && y >= src_top && y < src_bottom) {
          const unsigned char* p = lice_detail::PixelAt(src, x, y, src_span);
          combine(d, p[LICE_PIXEL_R], p[LICE_PIXEL_G], p[LICE_PIXEL_B], p[LICE_PIXEL_A], alpha);
        }
        continue;
      }
      if (x < src_left || x >= src_right) continue;
      const unsigned int xf = lice_detail::Fraction(s), yf = lice_detail::Fraction(t);
      int c[4];
      if (y >= src_top && y < src_bottom - 1) {
        const unsigned char* p = lice_detail::PixelAt(src, x, y, src_span);
        if (x < src_right - 1) {
          lice_detail::FourTap(c, p, p + 4, p + src_span, p + src_span + 4, xf, yf);
        } else {
          lice_detail::TwoTap(c, p, p + src_span, yf);
        }
      } else if (y == src_bottom - 1) {
        const unsigned char* p = lice_detail::PixelAt(src, x, y, src_span);
        if (x < src_right - 1) {
          lice_detail::TwoTap(c, p, p + 4, xf);
        } else {
          for (int k = 0; k < 4; ++k) c[k] = p[k];
        }
      } else {
        continue;
      }
      combine(d, c[LICE_PIXEL_R], c[LICE_PIXEL_G], c[LICE_PIXEL_B], c[LICE_PIXEL_A], alpha);
    }
    dsdx += dsdxdy;
    dtdx += dtdxdy;
    s0 += dsdy;
    t0 += dtdy;
  }
}
