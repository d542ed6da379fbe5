#include "lice/Blits.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "framework/WDL_TypedBuf.h"
#include "lice/AxisClip.h"
#include "lice/BitmapAccess.h"
#include "lice/BlitKernels.h"
#include "lice/CombinerSelect.h"
#include "lice/Weight.h"

using namespace lice_detail;

namespace {

int SaturateInt(long long v) { return static_cast<int>(Bound<long long>(v, INT_MAX)); }

// Plain copies of w x h pixels, rows stepping by their spans.
void CopyRows(unsigned char* dest, const unsigned char* src, long long w, long long h, int destStep,
              int srcStep) {
  for (; h > 0; --h, dest += destStep, src += srcStep) std::memmove(dest, src, static_cast<size_t>(w) * 4);
}

// An axis of a scaled blit: the first destination pixel and the count whose
// 16.16 positions start + i * step lie inside [0, srcSize) pixels, for a
// step either way.
void ClipSourceAxis(long long* start, long long step, long long* first, long long* count, long long srcSize) {
  if (step == 0) return;
  // A backward walk is a forward one over the negated positions.
  const bool back = step < 0;
  const long long d = back ? -step : step, last = srcSize * 65536 - 1;
  const long long lo = back ? -last : 0, hi = back ? 0 : last;
  long long s = back ? -*start : *start;
  if (s < lo) {
    const long long n = (lo - s + d - 1) / d;
    *first += n;
    *count -= n;
    s += n * d;
  }
  if (*count > 0) *count = s > hi ? 0 : std::min(*count, (hi - s) / d + 1);
  *start = back ? -s : s;
}

// The 16.16 source position of the first pixel drawn along an axis of size
// pixels, skipped of them cut before the bitmap. Forwards it is srcPos moved
// in single precision. Backwards, pixel i shows what pixel size - 1 - i of
// the forward walk from the source's low end shows, so that a mirrored
// picture is the unmirrored one reversed.
long long SourceStart(float srcPos, float srcSize, double step, long long fixedStep, long long size,
                      long long skipped) {
  if (fixedStep >= 0) {
    if (skipped) srcPos = static_cast<float>(srcPos + skipped * step);
    return FixedPoint(srcPos, kMaxFixedPosition);
  }
  return FixedPoint(srcPos + srcSize, kMaxFixedPosition) - (size - 1 - skipped) * fixedStep;
}

// How many source columns (rows) from 0 a scaled blit may read: its source
// rectangle rounded out, within the source.
int SourceLimit(float srcPos, float srcSize, long long limit) {
  return static_cast<int>(std::min<long long>(TruncateToInt(std::max(srcSize, 0.0f) + srcPos + 0.999999), limit));
}

struct SourceClip {
  int left, top, right, bottom;
};

SourceClip MakeSourceClip(LICE_IBitmap* src, bool clipToSource, float srcx, float srcy, float srcw, float srch) {
  const double w = src->getWidth(), h = src->getHeight();
  if (!clipToSource) return {0, 0, static_cast<int>(w), static_cast<int>(h)};
  return {TruncateToInt(std::max<double>(srcx, 0.0)), TruncateToInt(std::max<double>(srcy, 0.0)),
          TruncateToInt(std::min(static_cast<double>(srcx) + srcw, w)),
          TruncateToInt(std::min(static_cast<double>(srcy) + srch, h))};
}

// Moves the source start of a rotated or delta blit past the destination
// columns and rows that the clips cut before the bitmap, rounding to single
// precision as each move is made.
void SkipClipped(long long columns, long long rows, double dsdx, double dtdx, double dsdy, double dtdy, float* s,
                 float* t) {
  if (columns) *s = static_cast<float>(*s + columns * dsdx), *t = static_cast<float>(*t + columns * dtdx);
  if (rows) *s = static_cast<float>(*s + rows * dsdy), *t = static_cast<float>(*t + rows * dtdy);
}

// The 16.16 start and steps of a delta blit, as its kernel takes them.
struct FixedDelta {
  long long s0, t0, dsdx, dtdx, dsdy, dtdy, dsdxdy, dtdxdy;
};

FixedDelta ToFixed(double s0, double t0, double dsdx, double dtdx, double dsdy, double dtdy, double dsdxdy,
                   double dtdxdy) {
  return {FixedPoint(s0, kMaxFixedPosition), FixedPoint(t0, kMaxFixedPosition), FixedPoint(dsdx, kMaxFixedStep),
          FixedPoint(dtdx, kMaxFixedStep),   FixedPoint(dsdy, kMaxFixedStep),   FixedPoint(dtdy, kMaxFixedStep),
          FixedPoint(dsdxdy, kMaxFixedStep), FixedPoint(dtdxdy, kMaxFixedStep)};
}

// Walks a destination axis of size pixels the other way, skipped of them
// cut before the bitmap: pixel i samples exactly where pixel size - 1 - i of
// the forward walk does. Whole 16.16 steps keep the reversal exact.
void ReverseAxis(long long size, long long skipped, long long* s0, long long* t0, long long* ds, long long* dt) {
  *s0 += (size - 1 - skipped) * *ds;
  *t0 += (size - 1 - skipped) * *dt;
  *ds = -*ds;
  *dt = -*dt;
}

// The common tail of the rotated and delta blits, from a destination area
// already mirrored and clipped.
void RunDeltaBlit(LICE_IBitmap* dest, LICE_IBitmap* src, const AxisClip& cx, const AxisClip& cy,
                  const FixedDelta& f, const SourceClip& clip, float alpha, int mode) {
  const long long dstx = cx.pos, dsty = cy.pos, dstw = cx.size, dsth = cy.size;
  if (dstw <= 0 || dsth <= 0 || !dest->getBits() || !src->getBits()) return;
  // The bilinear edge cases read the last column and row of the clip.
  if (clip.right <= clip.left || clip.bottom <= clip.top) return;
  const int weight = AlphaWeight(alpha);
  if (weight == 0) return;
  _LICE_Template_Blit3::Combine combine = nullptr;
  WithBlitCombiner(mode & 0x100ff, weight, [&](auto tag) { combine = &decltype(tag)::type::doPix; });
  if (!combine) return;
  _LICE_Template_Blit3::deltaBlit(PixelBytes(dest, dstx, dsty), PixelBytes(src, 0, 0), static_cast<int>(dstw),
                                  static_cast<int>(dsth), f.s0, f.t0, f.dsdx, f.dtdx, f.dsdy, f.dtdy, f.dsdxdy,
                                  f.dtdxdy, clip.left, clip.top, clip.right, clip.bottom, RowStep(src),
                                  RowStep(dest), weight, mode & 0xff00, combine);
}

}  // namespace

void LICE_Copy(LICE_IBitmap* dest, LICE_IBitmap* src) {
  if (!dest || !src) return;
  dest->resize(src->getWidth(), src->getHeight());
  LICE_Blit(dest, src, 0, 0, nullptr, 1.0f, 0);
}

void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, const RECT* srcRect, float alpha,
               int mode) {
  if (!dest || !src || alpha == 0.0f) return;
  const long long srcW = src->getWidth(), srcH = src->getHeight();
  long long left = 0, top = 0, srcw = srcW, srch = srcH;
  if (srcRect) {
    left = srcRect->left, top = srcRect->top;
    srcw = srcRect->right - left, srch = srcRect->bottom - top;
  }
  // A source rectangle reaching left of (above) the source moves the
  // destination right (down); a destination left of (above) its bitmap
  // skips source columns (rows).
  const AxisClip sx = ClipAxis(left, srcw, srcW), sy = ClipAxis(top, srch, srcH);
  const AxisClip dx = ClipAxis(dstx + sx.skipped, sx.size, dest->getWidth());
  const AxisClip dy = ClipAxis(dsty + sy.skipped, sy.size, dest->getHeight());
  left = sx.pos + dx.skipped, top = sy.pos + dy.skipped;
  const long long x = dx.pos, y = dy.pos, w = dx.size, h = dy.size;
  if (w <= 0 || h <= 0 || !dest->getBits() || !src->getBits()) return;

  unsigned char* d = PixelBytes(dest, x, y);
  const unsigned char* s = PixelBytes(src, left, top);
  const int destStep = RowStep(dest), srcStep = RowStep(src);

  if ((mode & 0xf0) == 0xf0) {
    const int from = mode & 3, to = (mode >> 2) & 3;
    for (long long row = 0; row < h; ++row, d += destStep, s += srcStep) {
      for (long long i = 0; i < w; ++i) d[i * 4 + to] = s[i * 4 + from];
    }
    return;
  }
  const int op = mode & 0x100ff;
  if (op == 0 && alpha == 1.0f) {
    CopyRows(d, s, w, h, destStep, srcStep);
    return;
  }
  if (op == 0 && alpha == 0.5f) {
    for (long long row = 0; row < h; ++row, d += destStep, s += srcStep) {
      auto* dw = reinterpret_cast<LICE_pixel*>(d);
      const auto* sw = reinterpret_cast<const LICE_pixel*>(s);
      for (long long i = 0; i < w; ++i) _LICE_CombinePixelsHalfMixFAST::doPixWord(dw + i, sw[i]);
    }
    return;
  }
  const int weight = AlphaWeight(alpha);
  if (weight == 0) return;
  WithBlitCombiner(op, weight, [&](auto tag) {
    typedef typename decltype(tag)::type Combiner;
    if constexpr (std::is_same_v<Combiner, _LICE_CombinePixelsClobberNoClamp>) {
      CopyRows(d, s, w, h, destStep, srcStep);
    } else {
      _LICE_Template_Blit2<Combiner>::blit(d, s, static_cast<int>(w), static_cast<int>(h), srcStep, destStep,
                                           weight);
    }
  });
}

void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int srcx, int srcy, int srcw, int srch,
               float alpha, int mode) {
  const RECT r = {srcx, srcy, SaturateInt(static_cast<long long>(srcx) + srcw),
                  SaturateInt(static_cast<long long>(srcy) + srch)};
  LICE_Blit(dest, src, dstx, dsty, &r, alpha, mode);
}

void LICE_ScaledBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth, float srcx,
                     float srcy, float srcw, float srch, float alpha, int mode) {
  if (!dest || !src || dstw == 0 || dsth == 0 || alpha == 0.0f) return;
  const int filter = mode & 0xff00;
  if (std::fabs(srcw - dstw) < 0.001 && std::fabs(srch - dsth) < 0.001 &&
      (filter != 0x100 ||
       (std::fabs(srcx - std::floor(srcx + 0.5)) < 0.03 && std::fabs(srcy - std::floor(srcy + 0.5)) < 0.03))) {
    const int left = TruncateToInt(srcx + 0.5), top = TruncateToInt(srcy + 0.5);
    const RECT r = {left, top, SaturateInt(static_cast<long long>(left) + dstw),
                    SaturateInt(static_cast<long long>(top) + dsth)};
    LICE_Blit(dest, src, dstx, dsty, &r, alpha, mode);
    return;
  }

  long long x = dstx, y = dsty, w = dstw, h = dsth;
  MirrorAxis(&x, &w, &srcx, &srcw);
  MirrorAxis(&y, &h, &srcy, &srch);
  const double xstep = srcw / static_cast<float>(w), ystep = srch / static_cast<float>(h);
  const long long stepX = FixedPoint(xstep, kMaxFixedStep), stepY = FixedPoint(ystep, kMaxFixedStep);
  const AxisClip cx = ClipAxis(x, w, dest->getWidth()), cy = ClipAxis(y, h, dest->getHeight());
  long long startX = SourceStart(srcx, srcw, xstep, stepX, w, cx.skipped);
  long long startY = SourceStart(srcy, srch, ystep, stepY, h, cy.skipped);
  x = cx.pos, y = cy.pos, w = cx.size, h = cy.size;
  if (w <= 0 || h <= 0) return;

  const long long srcW = src->getWidth(), srcH = src->getHeight();
  ClipSourceAxis(&startX, stepX, &x, &w, srcW);
  ClipSourceAxis(&startY, stepY, &y, &h, srcH);
  if (w <= 0 || h <= 0 || !dest->getBits() || !src->getBits()) return;

  const int clipRight = SourceLimit(srcx, srcw, srcW), clipBottom = SourceLimit(srcy, srch, srcH);
  if (clipRight <= 0 || clipBottom <= 0) return;

  unsigned char* d = PixelBytes(dest, x, y);
  const unsigned char* s = PixelBytes(src, 0, 0);
  const int destStep = RowStep(dest), srcStep = RowStep(src);
  const int dw = static_cast<int>(w), dh = static_cast<int>(h);
  const int weight = AlphaWeight(alpha);
  if ((mode & 0x1ffff) == 0 && (weight == 256 || weight == 128)) {
    if (weight == 256) {
      _LICE_Template_Blit0<_LICE_CombinePixelsClobberFAST>::scaleBlitFAST(d, s, dw, dh, startX, startY, stepX, stepY,
                                                                          clipRight, clipBottom, srcStep, destStep);
    } else {
      _LICE_Template_Blit0<_LICE_CombinePixelsHalfMixFAST>::scaleBlitFAST(d, s, dw, dh, startX, startY, stepX, stepY,
                                                                          clipRight, clipBottom, srcStep, destStep);
    }
    return;
  }
  if (weight == 0) return;
  const int op = mode & 0x100ff;
  // Mirrored or not, a downscale is filtered alike.
  if (std::fabs(xstep) >= 1.7 && std::fabs(ystep) >= 1.7 && filter == 0x100) {
    // A box of equal taps: every weight below comes out at the full 65536.
    const long long longest = std::max(std::abs(stepX), std::abs(stepY));
    const int size = longest > 0x30000 ? 5 : 3, offset = -(size / 2);
    int table[25];
    for (int i = 0; i < size; ++i) {
      for (int j = 0; j < size; ++j) {
        const int fx = j + offset, fy = i + offset;
        const double ratio = fx == 0 && fy == 0 ? 1.0 : (longest - 1.0) / std::sqrt(double(fx * fx + fy * fy));
        table[i * size + j] = static_cast<int>(65536 * std::clamp(ratio, 0.0, 1.0));
      }
    }
    WithBlitCombiner(op, weight, [&](auto tag) {
      _LICE_Template_Blit2<typename decltype(tag)::type>::scaleBlitFilterDown(
          d, s, dw, dh, startX, startY, stepX, stepY, clipRight, clipBottom, srcStep, destStep, weight, table,
          offset, size);
    });
    return;
  }
  WithBlitCombiner(op, weight, [&](auto tag) {
    _LICE_Template_Blit2<typename decltype(tag)::type>::scaleBlit(d, s, dw, dh, startX, startY, stepX, stepY,
                                                                  clipRight, clipBottom, srcStep, destStep, weight,
                                                                  filter);
  });
}

void LICE_RotatedBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth, float srcx,
                      float srcy, float srcw, float srch, float angle, bool clipToSource, float alpha, int mode,
                      float rotOffsetX, float rotOffsetY) {
  if (!dest || !src || dstw == 0 || dsth == 0) return;
  const SourceClip clip = MakeSourceClip(src, clipToSource, srcx, srcy, srcw, srch);
  long long x = dstx, y = dsty, w = dstw, h = dsth;
  // Mirrored, an axis shows the unmirrored picture at the same angle
  // reversed.
  const bool mirrorX = Unmirror(&x, &w, &srcx, &srcw), mirrorY = Unmirror(&y, &h, &srcy, &srch);
  const double sx = srcw / static_cast<float>(w), sy = srch / static_cast<float>(h);
  const double c = std::cos(static_cast<double>(angle)), s = std::sin(static_cast<double>(angle));
  const double dsdx = c * sx, dtdx = -(s * sy), dsdy = s * sx, dtdy = c * sy;
  float s0 = static_cast<float>(srcx - ((w * c * sx + h * s * sx - srcw) * 0.5 - rotOffsetX));
  float t0 = static_cast<float>(srcy - ((h * c * sy - w * s * sy - srch) * 0.5 - rotOffsetY));
  const AxisClip cx = ClipAxis(x, w, dest->getWidth()), cy = ClipAxis(y, h, dest->getHeight());
  // A reversal starts from a pixel that is drawn.
  if (cx.size <= 0 || cy.size <= 0) return;
  // A reversed axis is cut in its 16.16 steps instead.
  SkipClipped(mirrorX ? 0 : cx.skipped, mirrorY ? 0 : cy.skipped, dsdx, dtdx, dsdy, dtdy, &s0, &t0);
  FixedDelta f = ToFixed(s0, t0, dsdx, dtdx, dsdy, dtdy, 0.0, 0.0);
  if (mirrorX) ReverseAxis(w, cx.skipped, &f.s0, &f.t0, &f.dsdx, &f.dtdx);
  if (mirrorY) ReverseAxis(h, cy.skipped, &f.s0, &f.t0, &f.dsdy, &f.dtdy);
  RunDeltaBlit(dest, src, cx, cy, f, clip, alpha, mode);
}

void LICE_DeltaBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth, float srcx,
                    float srcy, float srcw, float srch, double dsdx, double dtdx, double dsdy, double dtdy,
                    double dsdxdy, double dtdxdy, bool clipToSource, float alpha, int mode) {
  if (!dest || !src || dstw == 0 || dsth == 0) return;
  const SourceClip clip = MakeSourceClip(src, clipToSource, srcx, srcy, srcw, srch);
  long long x = dstx, y = dsty, w = dstw, h = dsth;
  // The caller's steps stand: a mirrored area only starts from the far edge.
  MirrorAxis(&x, &w, &srcx, &srcw);
  MirrorAxis(&y, &h, &srcy, &srch);
  const AxisClip cx = ClipAxis(x, w, dest->getWidth()), cy = ClipAxis(y, h, dest->getHeight());
  SkipClipped(cx.skipped, cy.skipped, dsdx, dtdx, dsdy, dtdy, &srcx, &srcy);
  RunDeltaBlit(dest, src, cx, cy, ToFixed(srcx, srcy, dsdx, dtdx, dsdy, dtdy, dsdxdy, dtdxdy), clip, alpha, mode);
}

void LICE_TransformBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                        const float* sourcePoints, int gridW, int gridH, float alpha, int mode) {
  if (!dest || !src || !sourcePoints || dstw < 1 || dsth < 1 || gridW < 2 || gridH < 2) return;
  const float xstep = static_cast<float>(dstw) / (gridW - 1), ystep = static_cast<float>(dsth) / (gridH - 1);
  // Cell edges in 64 bits: a cell may span more than INT_MAX after rounding.
  double ypos = dsty;
  long long y = dsty;
  for (int row = 0; row < gridH - 1; ++row) {
    ypos += ystep;
    const long long nextY = TruncateToInt<long long>(ypos);
    const int dh = SaturateInt(nextY - y);
    if (dh != 0) {
      double xpos = dstx;
      long long x = dstx;
      for (int col = 0; col < gridW - 1; ++col) {
        xpos += xstep;
        const long long nextX = TruncateToInt<long long>(xpos);
        const int dw = SaturateInt(nextX - x);
        if (dw != 0) {
          const float* tl = sourcePoints + (static_cast<long long>(row) * gridW + col) * 2;
          const float* tr = tl + 2;
          const float* bl = tl + static_cast<long long>(gridW) * 2;
          const float* br = bl + 2;
          const double dsdx = (double(tr[0]) - tl[0]) / dw, dtdx = (double(tr[1]) - tl[1]) / dw;
          const double dsdy = (double(bl[0]) - tl[0]) / dh, dtdy = (double(bl[1]) - tl[1]) / dh;
          const double dsdxdy = ((double(br[0]) - bl[0]) / dw - dsdx) / dh;
          const double dtdxdy = ((double(br[1]) - bl[1]) / dw - dtdx) / dh;
          LICE_DeltaBlit(dest, src, SaturateInt(x), SaturateInt(y), dw, dh, tl[0], tl[1], tr[0] - tl[0],
                         tr[1] - tl[1], dsdx, dtdx, dsdy, dtdy, dsdxdy, dtdxdy, false, alpha, mode);
        }
        x = nextX;
      }
    }
    y = nextY;
  }
}

namespace {

LICE_pixel Half(LICE_pixel p) { return (p >> 1) & 0x7f7f7f7f; }
LICE_pixel Quarter(LICE_pixel p) { return (p >> 2) & 0x3f3f3f3f; }
LICE_pixel Eighth(LICE_pixel p) { return (p >> 3) & 0x1f1f1f1f; }

// One blurred row from the row itself (c), the row that stands in above (u)
// and below (d); edge rows pass the same neighbour as u and d with edge set.
void BlurRow(LICE_pixel* out, const LICE_pixel* u, const LICE_pixel* c, const LICE_pixel* d, int w, bool edge) {
  if (edge) {
    out[0] = Half(c[0]) + Quarter(d[0]) + Quarter(c[1]);
    for (int i = 1; i < w - 1; ++i) out[i] = Eighth(c[i - 1]) + Half(c[i]) + Quarter(d[i]) + Eighth(c[i + 1]);
    out[w - 1] = Quarter(d[w - 1]) + Quarter(c[w - 2]) + Half(c[w - 1]);
    return;
  }
  out[0] = Half(c[0]) + Quarter(c[1]) + Eighth(u[0]) + Eighth(d[0]);
  for (int i = 1; i < w - 1; ++i) {
    out[i] = Half(c[i]) + Eighth(c[i - 1]) + Eighth(c[i + 1]) + Eighth(u[i]) + Eighth(d[i]);
  }
  out[w - 1] = Half(c[w - 1]) + Quarter(c[w - 2]) + Eighth(u[w - 1]) + Eighth(d[w - 1]);
}

}  // namespace

void LICE_Blur(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int srcx, int srcy, int srcw, int srch) {
  if (!dest || !src) return;
  // Unlike the blit, a source area cut at the source's edge stays where it is.
  const AxisClip sx = ClipAxis(srcx, srcw, src->getWidth()), sy = ClipAxis(srcy, srch, src->getHeight());
  const AxisClip dx = ClipAxis(dstx, sx.size, dest->getWidth()), dy = ClipAxis(dsty, sy.size, dest->getHeight());
  const long long left = sx.pos + dx.skipped, top = sy.pos + dy.skipped, x = dx.pos, y = dy.pos;
  const long long w = dx.size, h = dy.size;
  if (w < 2 || h < 2 || !dest->getBits() || !src->getBits()) return;

  // Blurring in place reads from an unblurred copy of the area.
  WDL_TypedBuf<LICE_pixel> copy;
  const int width = static_cast<int>(w), height = static_cast<int>(h);
  auto sourceRow = [&](int row) { return PixelWord(src, left, top + row); };
  if (dest == src) {
    if (static_cast<long long>(width) * height > INT_MAX / 4 || !copy.Resize(width * height) ||
        copy.GetSize() != width * height) {
      return;
    }
    for (int row = 0; row < height; ++row) std::memcpy(copy.Get() + static_cast<long long>(row) * width, sourceRow(row), w * 4);
  }
  auto rowAt = [&](int row) -> const LICE_pixel* {
    return dest == src ? copy.Get() + static_cast<long long>(row) * width : sourceRow(row);
  };
  for (int row = 0; row < height; ++row) {
    LICE_pixel* out = PixelWord(dest, x, y + row);
    if (row == 0) {
      BlurRow(out, rowAt(1), rowAt(0), rowAt(1), width, true);
    } else if (row == height - 1) {
      BlurRow(out, rowAt(row - 1), rowAt(row), rowAt(row - 1), width, true);
    } else {
      BlurRow(out, rowAt(row - 1), rowAt(row), rowAt(row + 1), width, false);
    }
  }
}

void LICE_HalveBlitAA(LICE_IBitmap* dest, LICE_IBitmap* src) {
  if (!dest || !src) return;
  const int w = std::min(dest->getWidth(), src->getWidth() / 2);
  const int h = std::min(dest->getHeight(), src->getHeight() / 2);
  LICE_pixel* d = dest->getBits();
  const LICE_pixel* s = src->getBits();
  if (w <= 0 || h <= 0 || !d || !s) return;
  const long long destSpan = dest->getRowSpan(), srcSpan = src->getRowSpan();
  for (int y = 0; y < h; ++y) {
    const LICE_pixel* upper = s + 2 * y * srcSpan;
    const LICE_pixel* lower = upper + srcSpan;
    LICE_pixel* out = d + y * destSpan;
    for (int x = 0; x < w; ++x) {
      out[x] = Quarter(upper[2 * x]) + Quarter(upper[2 * x + 1]) + Quarter(lower[2 * x]) + Quarter(lower[2 * x + 1]);
    }
  }
}
