#include "lice/RectOps.h"

#include <algorithm>
#include <cstring>

#include "lice/AxisClip.h"
#include "lice/BitmapAccess.h"
#include "lice/BlitKernels.h"
#include "lice/CombinerSelect.h"
#include "lice/GlyphKernel.h"
#include "lice/Weight.h"

using namespace lice_detail;

namespace {

// A rectangle clipped to its bitmap: rows in memory order from first.
struct Area {
  LICE_pixel* first;
  int w, h;
  int span;  // pixels
};

bool ClipArea(LICE_IBitmap* bm, int x, int y, int w, int h, Area* area) {
  if (!bm) return false;
  const long long height = bm->getHeight();
  const AxisClip cx = ClipAxis(x, w, bm->getWidth()), cy = ClipAxis(y, h, height);
  const long long X = cx.pos, Y = cy.pos, W = cx.size, H = cy.size;
  LICE_pixel* bits = bm->getBits();
  const int span = bm->getRowSpan();
  if (!bits || W < 1 || H < 1 || span < 1) return false;
  const long long firstRow = bm->isFlipped() ? height - (Y + H) : Y;
  *area = {bits + firstRow * span + X, static_cast<int>(W), static_cast<int>(H), span};
  return true;
}

template <class F>
void ForEachPixel(const Area& area, F&& f) {
  LICE_pixel* row = area.first;
  for (int j = 0; j < area.h; ++j, row += area.span) {
    for (int i = 0; i < area.w; ++i) f(row + i);
  }
}

template <class WordCombiner>
void WordFill(const Area& area, LICE_pixel color) {
  const LICE_pixel prepared = WordCombiner::prepareColor(color);
  ForEachPixel(area, [prepared](LICE_pixel* p) { WordCombiner::doPixWord(p, prepared); });
}

// Plain copies at the weights that have a whole-word form; false for others.
bool WordCopy(const Area& area, LICE_pixel color, int weight) {
  return WithWordCombiner(weight, [&](auto tag) { WordFill<typename decltype(tag)::type>(area, color); });
}

template <class Combiner>
void SolidFill(const Area& area, LICE_pixel color, int weight) {
  _LICE_Template_Blit1<Combiner>::solidBlit(reinterpret_cast<unsigned char*>(area.first), area.w, area.h,
                                            LICE_PixelRed(color), LICE_PixelGreen(color), LICE_PixelBlue(color),
                                            weight, area.span * 4);
}

// Scale and offset of the multiply-add in 1/256 steps, bounded so that
// channel * scale + offset stays inside an int.
int MultiplyAddFactor(float value) { return static_cast<int>(Bound<long long>(TruncateToInt<long long>(value * 256.0), 1 << 22)); }

}  // namespace

void LICE_Clear(LICE_IBitmap* dest, LICE_pixel color) {
  if (!dest) return;
  Area area;
  if (ClipArea(dest, 0, 0, dest->getWidth(), dest->getHeight(), &area)) {
    ForEachPixel(area, [color](LICE_pixel* p) { *p = color; });
  }
}

void LICE_ClearRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel andMask, LICE_pixel orMask) {
  Area area;
  if (ClipArea(dest, x, y, w, h, &area)) {
    ForEachPixel(area, [andMask, orMask](LICE_pixel* p) { *p = (*p & andMask) | orMask; });
  }
}

void LICE_FillRect(LICE_IBitmap* dest, int x, int y, int w, int h, LICE_pixel color, float alpha, int mode) {
  if (mode & LICE_MODE_SOURCE_ALPHA) alpha *= LICE_PixelAlpha(color) / 255.0f;
  Area area;
  if (!ClipArea(dest, x, y, w, h, &area) || alpha == 0.0f) return;
  const int weight = AlphaWeight(alpha);
  const int op = mode & 0xff;
  if (op == 0) {
    if (!WordCopy(area, color, weight) && weight >= 1) SolidFill<_LICE_CombinePixelsCopyNoClamp>(area, color, weight);
    return;
  }
  if (weight == 0) return;
  WithOperationCombiner<_LICE_CombinePixelsMulNoClamp>(
      op, [&](auto tag) { SolidFill<typename decltype(tag)::type>(area, color, weight); });
}

void LICE_GradRect(LICE_IBitmap* dest, int dstx, int dsty, int dstw, int dsth, float r0, float g0, float b0,
                   float a0, float drdx, float dgdx, float dbdx, float dadx, float drdy, float dgdy, float dbdy,
                   float dady, int mode) {
  if (!dest) return;
  double start[4] = {r0 * 255.0, g0 * 255.0, b0 * 255.0, a0 * 256.0};
  const double stepX[4] = {drdx * 255.0, dgdx * 255.0, dbdx * 255.0, dadx * 256.0};
  const double stepY[4] = {drdy * 255.0, dgdy * 255.0, dbdy * 255.0, dady * 256.0};
  const AxisClip cx = ClipAxis(dstx, dstw, dest->getWidth()), cy = ClipAxis(dsty, dsth, dest->getHeight());
  // The values start where the first visible pixel would have them.
  for (int c = 0; c < 4 && cx.skipped; ++c) start[c] += cx.skipped * stepX[c];
  for (int c = 0; c < 4 && cy.skipped; ++c) start[c] += cy.skipped * stepY[c];
  const long long x = cx.pos, y = cy.pos, w = cx.size, h = cy.size;
  if (w < 1 || h < 1 || !dest->getBits()) return;
  int v[4], vx[4], vy[4];
  for (int c = 0; c < 4; ++c) {
    v[c] = TruncateToInt(start[c] * 65536.0);
    vx[c] = TruncateToInt(stepX[c] * 65536.0);
    vy[c] = TruncateToInt(stepY[c] * 65536.0);
  }
  unsigned char* d = PixelBytes(dest, x, y);
  const int step = RowStep(dest);
  auto run = [&](auto tag) {
    _LICE_Template_Blit1<typename decltype(tag)::type>::gradBlit(d, static_cast<int>(w), static_cast<int>(h), v[0],
                                                                 v[1], v[2], v[3], vx[0], vx[1], vx[2], vx[3],
                                                                 vy[0], vy[1], vy[2], vy[3], step);
  };
  const int op = mode & 0xff;
  if (op == 0) {
    if (v[3] == 256 * 65536 && vx[3] == 0 && vy[3] == 0) {
      run(CombinerTag<_LICE_CombinePixelsClobberClamp>());
    } else {
      run(CombinerTag<_LICE_CombinePixelsCopyClamp>());
    }
    return;
  }
  WithOperationCombiner<_LICE_CombinePixelsMulClamp>(op, run);
}

void LICE_MultiplyAddRect(LICE_IBitmap* dest, int x, int y, int w, int h, float rScale, float gScale,
                          float bScale, float aScale, float rAdd, float gAdd, float bAdd, float aAdd) {
  Area area;
  if (!ClipArea(dest, x, y, w, h, &area)) return;
  int scale[4], add[4];
  scale[LICE_PIXEL_R] = MultiplyAddFactor(rScale), add[LICE_PIXEL_R] = MultiplyAddFactor(rAdd);
  scale[LICE_PIXEL_G] = MultiplyAddFactor(gScale), add[LICE_PIXEL_G] = MultiplyAddFactor(gAdd);
  scale[LICE_PIXEL_B] = MultiplyAddFactor(bScale), add[LICE_PIXEL_B] = MultiplyAddFactor(bAdd);
  scale[LICE_PIXEL_A] = MultiplyAddFactor(aScale), add[LICE_PIXEL_A] = MultiplyAddFactor(aAdd);
  ForEachPixel(area, [&](LICE_pixel* p) {
    auto* c = reinterpret_cast<unsigned char*>(p);
    for (int k = 0; k < 4; ++k) c[k] = static_cast<unsigned char>(Clamp255((c[k] * scale[k] + add[k]) >> 8));
  });
}

void LICE_ProcessRect(LICE_IBitmap* dest, int x, int y, int w, int h, void (*proc)(LICE_pixel* p, void* context),
                      void* context) {
  Area area;
  if (!proc || !ClipArea(dest, x, y, w, h, &area)) return;
  ForEachPixel(area, [proc, context](LICE_pixel* p) { proc(p, context); });
}

LICE_pixel LICE_GetPixel(LICE_IBitmap* bm, int x, int y) {
  if (!bm || !bm->getBits() || x < 0 || y < 0 || x >= bm->getWidth() || y >= bm->getHeight()) return 0;
  return *PixelWord(bm, x, y);
}

void LICE_PutPixel(LICE_IBitmap* bm, int x, int y, LICE_pixel color, float alpha, int mode) {
  if (!bm || !bm->getBits() || x < 0 || y < 0 || x >= bm->getWidth() || y >= bm->getHeight()) return;
  LICE_pixel* p = PixelWord(bm, x, y);
  const int weight = AlphaWeight(alpha);
  const int op = mode & 0xff;
  auto combine = [&](auto tag) {
    decltype(tag)::type::doPix(reinterpret_cast<unsigned char*>(p), LICE_PixelRed(color), LICE_PixelGreen(color),
                               LICE_PixelBlue(color), LICE_PixelAlpha(color), weight);
  };
  if (op == 0) {
    const Area one = {p, 1, 1, 1};
    if (!WordCopy(one, color, weight) && weight >= 1) combine(CombinerTag<_LICE_CombinePixelsCopyNoClamp>());
    return;
  }
  if (weight == 0) return;
  WithOperationCombiner<_LICE_CombinePixelsMulNoClamp>(op, combine);
}

void LICE_SetAlphaFromColorMask(LICE_IBitmap* dest, LICE_pixel color) {
  if (!dest) return;
  Area area;
  if (!ClipArea(dest, 0, 0, dest->getWidth(), dest->getHeight(), &area)) return;
  ForEachPixel(area, [color](LICE_pixel* p) { *p = (*p & 0xffffff00) == color ? (*p & 0xffffff00) : (*p | 0xff); });
}

void LICE_SimpleFill(LICE_IBitmap* dest, int x, int y, LICE_pixel fillColor, LICE_pixel compareMask,
                     LICE_pixel keepMask) {
  if (!dest) return;
  LICE_pixel* bits = dest->getBits();
  const int w = dest->getWidth(), h = dest->getHeight();
  const long long span = dest->getRowSpan();
  if (!bits || x < 0 || y < 0 || x >= w || y >= h) return;
  const LICE_pixel target = bits[y * span + x] & compareMask;
  auto matches = [&](LICE_pixel p) { return (p & compareMask) == target; };
  // One row: false when the pixel in column x does not match.
  auto fillRow = [&](int row) {
    LICE_pixel* line = bits + row * span;
    if (!matches(line[x])) return false;
    line[x] = (line[x] & keepMask) | fillColor;
    for (int i = x + 1; i < w && matches(line[i]); ++i) line[i] = (line[i] & keepMask) | fillColor;
    for (int i = x - 1; i >= 0 && matches(line[i]); --i) line[i] = (line[i] & keepMask) | fillColor;
    return true;
  };
  for (int row = y; row < h && fillRow(row); ++row) {
  }
  for (int row = y - 1; row >= 0 && fillRow(row); --row) {
  }
}

void LICE_DrawGlyph(LICE_IBitmap* dest, int x, int y, LICE_pixel color, const unsigned char* coverage, int glyphW,
                    int glyphH, float alpha, int mode) {
  if (!dest || !coverage || glyphW < 1 || glyphH < 1) return;
  const AxisClip cx = ClipAxis(x, glyphW, dest->getWidth()), cy = ClipAxis(y, glyphH, dest->getHeight());
  const long long X = cx.pos, Y = cy.pos, W = cx.size, H = cy.size, skipX = cx.skipped, skipY = cy.skipped;
  const int weight = AlphaWeight(alpha);
  const int op = mode & 0xff;
  if (weight == 0 || op > 5 || W < 1 || H < 1 || !dest->getBits()) return;
  const unsigned char* mask = coverage + skipY * glyphW + skipX;
  LICE_pixel* d = PixelWord(dest, X, Y);
  const int span = dest->isFlipped() ? -dest->getRowSpan() : dest->getRowSpan();
  auto draw = [&](auto tag) {
    GlyphDrawImpl<typename decltype(tag)::type>::DrawGlyph(mask, d, static_cast<int>(W), static_cast<int>(H), color,
                                                           span, glyphW, weight);
  };
  if (op == 0) {
    if (weight > 0) draw(CombinerTag<_LICE_CombinePixelsCopyNoClamp>());
    return;
  }
  WithOperationCombiner<_LICE_CombinePixelsMulNoClamp>(op, draw);
}

namespace {

// First and last differing columns of one row; false when the rows are equal.
bool RowDiffers(const LICE_pixel* a, const LICE_pixel* b, int w, int* first, int* last) {
  int i = 0;
  while (i < w && a[i] == b[i]) ++i;
  if (i == w) return false;
  int j = w - 1;
  while (a[j] == b[j]) --j;
  *first = i, *last = j;
  return true;
}

}  // namespace

int LICE_BitmapCmp(LICE_IBitmap* a, LICE_IBitmap* b, int* diffRect) {
  if (!a || !b) return a ? 1 : b ? -1 : 0;
  if (a->getWidth() != b->getWidth()) return b->getWidth() - a->getWidth();
  if (a->getHeight() != b->getHeight()) return b->getHeight() - a->getHeight();
  const int w = a->getWidth(), h = a->getHeight();
  const bool comparable = w >= 1 && h >= 1 && a->getBits() && b->getBits();
  if (!diffRect) {
    for (int row = 0; comparable && row < h; ++row) {
      const int r = std::memcmp(PixelWord(a, 0, row), PixelWord(b, 0, row), static_cast<size_t>(w) * 4);
      if (r != 0) return r;
    }
    return 0;
  }
  int top = 0, minX = 0, maxX = 0;
  while (comparable && top < h && !RowDiffers(PixelWord(a, 0, top), PixelWord(b, 0, top), w, &minX, &maxX)) ++top;
  if (!comparable || top == h) {
    diffRect[0] = diffRect[1] = diffRect[2] = diffRect[3] = 0;
    return 0;
  }
  int bottom = h - 1, first = 0, last = 0;
  while (!RowDiffers(PixelWord(a, 0, bottom), PixelWord(b, 0, bottom), w, &first, &last)) --bottom;
  minX = std::min(minX, first), maxX = std::max(maxX, last);
  // Rows in between can only widen the box: look left of it and right of it.
  for (int row = top + 1; row < bottom && (minX > 0 || maxX < w - 1); ++row) {
    const LICE_pixel* pa = PixelWord(a, 0, row);
    const LICE_pixel* pb = PixelWord(b, 0, row);
    for (int i = 0; i < minX; ++i) {
      if (pa[i] != pb[i]) {
        minX = i;
        break;
      }
    }
    for (int i = w - 1; i > maxX; --i) {
      if (pa[i] != pb[i]) {
        maxX = i;
        break;
      }
    }
  }
  diffRect[0] = minX, diffRect[1] = top, diffRect[2] = maxX - minX + 1, diffRect[3] = bottom - top + 1;
  return 1;
}
