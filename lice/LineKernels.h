#pragma once

// Inner loops of the lines, one class template per family over a combiner of
// Combiners.h: spans and diagonals in __LICE_LineClassSimple, the general,
// float-endpoint and dashed lines in __LICE_LineClass. Callers have clipped
// the line so that every pixel touched lies inside the bitmap; the kernels
// test no bounds and decode no mode.

#include <cstddef>

#include "lice/LICE_IBitmap.h"
#include "lice/Runs.h"

namespace lice_detail {

// The anti-aliased diagonal: diag(p) on the n + 1 diagonal pixels, flank(p)
// on the two pixels that each step passes between.
template <class Diag, class Flank>
inline void WalkDiagonalAA(LICE_pixel* px, int n, int xstep, int ystep, Diag&& diag, Flank&& flank) {
  diag(px);
  for (; n > 0; --n) {
    flank(px + xstep);
    flank(px + ystep);
    px += xstep + ystep;
    diag(px);
  }
}

}  // namespace lice_detail

template <class Combiner>
class __LICE_LineClassSimple {
 public:
  static void LICE_HorizLine(LICE_pixel* px, int n, LICE_pixel color, int aw) { Run(px, 1, n, color, aw); }

  static void LICE_VertLine(LICE_pixel* px, int rowSpan, int n, LICE_pixel color, int aw) {
    Run(px, rowSpan, n, color, aw);
  }

  static void LICE_DiagLine(LICE_pixel* px, int /*rowSpan*/, int n, int xstep, int ystep, LICE_pixel color,
                            int aw) {
    if (n < 0) return;
    Run(px, xstep + ystep, n + 1, color, aw);
  }

  // Three quarters of the weight on the diagonal, a quarter on its flanks.
  static void LICE_DiagLineAA(LICE_pixel* px, int /*rowSpan*/, int n, int xstep, int ystep, LICE_pixel color,
                              int aw) {
    const int diagWeight = (aw * 3) / 4, flankWeight = aw / 4;
    lice_detail::WalkDiagonalAA(
        px, n, xstep, ystep,
        [&](LICE_pixel* p) { lice_detail::CombineColour<Combiner>(p, color, diagWeight); },
        [&](LICE_pixel* p) { lice_detail::CombineColour<Combiner>(p, color, flankWeight); });
  }

 private:
  static void Run(LICE_pixel* px, std::ptrdiff_t step, int n, LICE_pixel color, int aw) {
    for (; n > 0; --n, px += step) lice_detail::CombineColour<Combiner>(px, color, aw);
  }
};

template <class Combiner>
class __LICE_LineClass {
 public:
  // Walks from both ends toward the middle, so that the two halves mirror
  // each other exactly; derr is the 16.16 minor step per major step.
  static void LICE_LineImpl(LICE_pixel* px, LICE_pixel* px2, int derr, int astep, int n, int da, LICE_pixel color,
                            int aw, bool aa) {
    const int halves = (n + 1) / 2;
    if (!aa) {
      int err = 0;
      for (int i = 0; i < halves; ++i) {
        lice_detail::CombineColour<Combiner>(px, color, aw);
        lice_detail::CombineColour<Combiner>(px2, color, aw);
        err += derr;
        if (err >= 32768) {
          px += da;
          px2 -= da;
          err -= 65536;
        }
        px += astep;
        px2 -= astep;
      }
      if (!(n & 1)) lice_detail::CombineColour<Combiner>(px, color, aw);
      return;
    }
    lice_detail::CombineColour<Combiner>(px, color, aw);
    lice_detail::CombineColour<Combiner>(px2, color, aw);
    px += astep;
    px2 -= astep;
    int err = derr;
    for (int i = 1; i < halves; ++i) {
      const int f = err / 256;
      const int nearWeight = ((255 - f) * aw) / 256, farWeight = (f * aw) / 256;
      lice_detail::CombineColour<Combiner>(px, color, nearWeight);
      lice_detail::CombineColour<Combiner>(px + da, color, farWeight);
      lice_detail::CombineColour<Combiner>(px2, color, nearWeight);
      lice_detail::CombineColour<Combiner>(px2 - da, color, farWeight);
      err += derr;
      if (err >= 65536) {
        err -= 65536;
        px += da;
        px2 -= da;
      }
      px += astep;
      px2 -= astep;
    }
    if (!(n & 1)) {
      const int f = err / 256;
      lice_detail::CombineColour<Combiner>(px, color, ((255 - f) * aw) / 256);
      lice_detail::CombineColour<Combiner>(px + da, color, (f * aw) / 256);
    }
  }

  // n + 1 steps, each shared between px and px + da by the 16.16 fraction err.
  static void LICE_FLineImpl(LICE_pixel* px, int n, int err, int derr, int astep, int da, LICE_pixel color,
                             int aw) {
    for (; n >= 0; --n) {
      const int e = err / 256;
      int w0 = 255 - e, w1 = e;
      if (aw != 256) {
        w0 = (w0 * aw) / 256;
        w1 = (w1 * aw) / 256;
      }
      lice_detail::CombineColour<Combiner>(px, color, w0);
      lice_detail::CombineColour<Combiner>(px + da, color, w1);
      err += derr;
      if (err >= 65536) {
        err -= 65536;
        px += da;
      }
      px += astep;
    }
  }

  // Dashes of pxon pixels every pxon + pxoff from the smaller end, the end
  // itself excluded. The caller passes an ordered, clipped horizontal or
  // vertical line and a period of at least 1.
  static void DashedLine(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, int pxon, int pxoff, LICE_pixel color,
                         int aw) {
    const std::ptrdiff_t span = dest->getRowSpan();
    LICE_pixel* const first = dest->getBits() + static_cast<std::ptrdiff_t>(y1) * span + x1;
    long long v, end;
    std::ptrdiff_t step;
    if (x1 == x2) {
      v = y1, end = y2, step = span;
    } else if (y1 == y2) {
      v = x1, end = x2, step = 1;
    } else {
      return;
    }
    const long long start = v, period = static_cast<long long>(pxon) + pxoff;
    auto dash = [&](long long at, long long count) {
      LICE_pixel* px = first + static_cast<std::ptrdiff_t>(at - start) * step;
      for (; count > 0; --count, px += step) lice_detail::CombineColour<Combiner>(px, color, aw);
    };
    for (; v < end - pxon; v += period) dash(v, pxon);
    const long long last = end - v < pxon ? end - v : pxon;
    if (last >= 1) dash(v, last);
  }
};
