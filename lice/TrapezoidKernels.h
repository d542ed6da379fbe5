#pragma once

// Row-by-row fills of a trapezoid with horizontal top and bottom edges, one
// class template per family: _LICE_FillFast over a word combiner for the
// four plain copy weights, _LICE_Fill over a channel combiner. Each slanted
// edge is a column plus a 16-bit fraction, advanced per row by a 16.16 step
// in its direction. The caller has clipped the rows; columns are clipped per
// row to 0..wid and held in 64 bits, since a steep edge above the bitmap
// starts far outside it.

#include <cstddef>

#include "lice/Runs.h"

namespace lice_detail {

// Rows of pixels xa <= x < xb; run(first pixel, count) fills one. When both
// steps are 0 the trapezoid is a rectangle already clipped by the caller: px
// is its first pixel and xb its width.
template <class Run>
inline void WalkTrapezoid(int wid, int span, LICE_pixel* px, int tot_y, long long xa, long long xb, int a_dx,
                          int b_dx, int a_err, int b_err, int a_dir, int b_dir, Run&& run) {
  if (tot_y < 1) return;
  if (a_dx == 0 && b_dx == 0) {
    for (; tot_y > 0; --tot_y, px += span) run(px, xb);
    return;
  }
  for (; tot_y > 0; --tot_y, px += span) {
    const long long lo = xa > 0 ? xa : 0, hi = xb < wid ? xb : wid;
    if (lo < hi) run(px + static_cast<std::ptrdiff_t>(lo), hi - lo);
    a_err += a_dx;
    if (a_err >= 65536) {
      xa += a_dir < 0 ? -(a_err >> 16) : (a_err >> 16);
      a_err &= 65535;
    }
    b_err += b_dx;
    if (b_err >= 65536) {
      xb += b_dir < 0 ? -(b_err >> 16) : (b_err >> 16);
      b_err &= 65535;
    }
  }
}

}  // namespace lice_detail

template <class WordCombiner>
class _LICE_FillFast {
 public:
  // color: prepared by the combiner's prepareColor.
  static void FillClippedTrapezoidFAST(int wid, int span, LICE_pixel* px, int tot_y, long long xa, long long xb,
                                       int a_dx, int b_dx, int a_err, int b_err, int a_dir, int b_dir,
                                       LICE_pixel color) {
    lice_detail::WalkTrapezoid(wid, span, px, tot_y, xa, xb, a_dx, b_dx, a_err, b_err, a_dir, b_dir,
                               [color](LICE_pixel* p, long long n) {
                                 lice_detail::WordRun<WordCombiner>(p, 1, n, color);
                               });
  }
};

template <class Combiner>
class _LICE_Fill {
 public:
  static void FillClippedTrapezoid(int wid, int span, LICE_pixel* px, int tot_y, long long xa, long long xb,
                                   int a_dx, int b_dx, int a_err, int b_err, int a_dir, int b_dir, int r, int g,
                                   int b, int a, int aw) {
    lice_detail::WalkTrapezoid(wid, span, px, tot_y, xa, xb, a_dx, b_dx, a_err, b_err, a_dir, b_dir,
                               [=](LICE_pixel* p, long long n) {
                                 auto* d = reinterpret_cast<unsigned char*>(p);
                                 for (; n > 0; --n, d += 4) Combiner::doPix(d, r, g, b, a, aw);
                               });
  }
};
