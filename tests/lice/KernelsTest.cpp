#include <gtest/gtest.h>

#include <vector>

#include "lice/BlitKernels.h"
#include "lice/GlyphKernel.h"

// The kernels called directly, with positions and spans as an entry point
// passes them.

namespace {

typedef _LICE_Template_Blit2<_LICE_CombinePixelsClobberNoClamp> Clobber2;

struct Pixels {
  Pixels(int w, int h, LICE_pixel fill = 0) : w(w), h(h), data(static_cast<size_t>(w) * h, fill) {}
  unsigned char* bytes() { return reinterpret_cast<unsigned char*>(data.data()); }
  LICE_pixel& at(int x, int y) { return data[static_cast<size_t>(y) * w + x]; }
  int span() const { return w * 4; }
  int w, h;
  std::vector<LICE_pixel> data;
};

Pixels Ramp(int w, int h) {
  Pixels p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p.at(x, y) = LICE_MakePixel(x * 64, y * 64, x * 16 + y * 32, 255);
  }
  return p;
}

TEST(ScaleKernelTest, NearestKeepsCoordinatesJustLeftOfZero) {
  Pixels src = Ramp(2, 1);
  Pixels dest(2, 1);
  Clobber2::scaleBlit(dest.bytes(), src.bytes(), 2, 1, -32768, 0, 65536, 0, 2, 1, src.span(), dest.span(), 256, 0);
  EXPECT_EQ(dest.at(0, 0), src.at(0, 0)) << "-0.5 samples column 0";
  Pixels left(2, 1, 7);
  Clobber2::scaleBlit(left.bytes(), src.bytes(), 2, 1, -65536, 0, 65536, 0, 2, 1, src.span(), left.span(), 256, 0);
  EXPECT_EQ(left.at(0, 0), 7u) << "-1.0 is outside";
  EXPECT_EQ(left.at(1, 0), src.at(0, 0));
}

TEST(ScaleKernelTest, BilinearWeights) {
  Pixels src(3, 3);
  src.at(0, 0) = LICE_MakePixel(0, 0, 0, 0), src.at(1, 0) = LICE_MakePixel(100, 0, 0, 0);
  src.at(0, 1) = LICE_MakePixel(200, 0, 0, 0), src.at(1, 1) = LICE_MakePixel(40, 0, 0, 0);
  Pixels dest(1, 1);
  Clobber2::scaleBlit(dest.bytes(), src.bytes(), 1, 1, 32768, 32768, 0, 0, 3, 3, src.span(), dest.span(), 256, 0x100);
  EXPECT_EQ(LICE_PixelRed(dest.at(0, 0)), (0 + 100 + 200 + 40) / 4) << "four taps of 16384";
  Clobber2::scaleBlit(dest.bytes(), src.bytes(), 1, 1, 65536, 65536, 0, 0, 3, 3, src.span(), dest.span(), 256, 0x100);
  EXPECT_EQ(dest.at(0, 0), src.at(1, 1)) << "no fraction: the pixel itself";
}

TEST(ScaleKernelTest, BilinearEdgesOfTheSource) {
  Pixels src(2, 2);
  src.at(0, 0) = LICE_MakePixel(0, 0, 0, 0), src.at(1, 0) = LICE_MakePixel(100, 0, 0, 0);
  src.at(0, 1) = LICE_MakePixel(200, 0, 0, 0), src.at(1, 1) = LICE_MakePixel(40, 0, 0, 0);
  struct Case {
    long long x, y;
    int red;
  } cases[] = {
      {65536 + 32768, 32768, (100 + 40) / 2},  // last column: vertical only
      {32768, 65536 + 32768, (200 + 40) / 2},  // last row: horizontal only
      {65536 + 32768, 65536 + 32768, 40},      // bottom-right: unfiltered
  };
  for (const Case& c : cases) {
    Pixels dest(1, 1);
    Clobber2::scaleBlit(dest.bytes(), src.bytes(), 1, 1, c.x, c.y, 0, 0, 2, 2, src.span(), dest.span(), 256, 0x100);
    EXPECT_EQ(LICE_PixelRed(dest.at(0, 0)), c.red) << c.x << "," << c.y;
  }
  // A 1 x 1 region feeds every destination pixel that maps onto it.
  Pixels dest(3, 2);
  Clobber2::scaleBlit(dest.bytes(), src.bytes(), 3, 2, 0, 0, 20000, 30000, 1, 1, src.span(), dest.span(), 256, 0x100);
  for (LICE_pixel p : dest.data) EXPECT_EQ(p, src.at(0, 0));
}

TEST(ScaleKernelTest, DownscaleWindowRenormalisesAtTheEdge) {
  Pixels src(4, 4, LICE_MakePixel(90, 0, 0, 0));
  src.at(0, 0) = LICE_MakePixel(0, 0, 0, 0);
  const int box[9] = {65536, 65536, 65536, 65536, 65536, 65536, 65536, 65536, 65536};
  Pixels dest(1, 1);
  Clobber2::scaleBlitFilterDown(dest.bytes(), src.bytes(), 1, 1, 0, 0, 0, 0, 4, 4, src.span(), dest.span(), 256, box,
                                -1, 3);
  EXPECT_EQ(LICE_PixelRed(dest.at(0, 0)), 90 * 3 / 4) << "four taps inside the source";

  const int zeroInside[9] = {65536, 65536, 65536, 65536, 0, 0, 65536, 0, 0};
  Pixels left(1, 1, 5);
  Clobber2::scaleBlitFilterDown(left.bytes(), src.bytes(), 1, 1, 0, 0, 0, 0, 4, 4, src.span(), left.span(), 256,
                                zeroInside, -1, 3);
  EXPECT_EQ(left.at(0, 0), 5u) << "the weights inside total 0";
}

TEST(FillKernelTest, GradientValuesPastTheByte) {
  const int r = 250 * 65536, dr = 3 * 65536, a = 256 * 65536;
  Pixels clobber(4, 1, LICE_MakePixel(10, 10, 10, 10));
  _LICE_Template_Blit1<_LICE_CombinePixelsClobberClamp>::gradBlit(clobber.bytes(), 4, 1, r, 0, 0, a, dr, 0, 0, 0, 0,
                                                                   0, 0, 0, clobber.span());
  EXPECT_EQ(LICE_PixelRed(clobber.at(3, 0)), 255);
  Pixels add(4, 1, LICE_MakePixel(10, 10, 10, 10));
  _LICE_Template_Blit1<_LICE_CombinePixelsAdd>::gradBlit(add.bytes(), 4, 1, r, 0, 0, a, dr, 0, 0, 0, 0, 0, 0, 0,
                                                         add.span());
  EXPECT_EQ(LICE_PixelRed(add.at(3, 0)), 255);
  Pixels unclamped(4, 1, LICE_MakePixel(10, 10, 10, 10));
  _LICE_Template_Blit1<_LICE_CombinePixelsClobberNoClamp>::gradBlit(unclamped.bytes(), 4, 1, r, 0, 0, a, dr, 0, 0, 0,
                                                                     0, 0, 0, 0, unclamped.span());
  EXPECT_EQ(LICE_PixelRed(unclamped.at(3, 0)), (250 + 9) & 255) << "raw value reaches the combiner";
}

TEST(FillKernelTest, SolidFillPassesTheWeightAsSourceAlpha) {
  Pixels dest(2, 2, LICE_MakePixel(0, 0, 0, 0));
  _LICE_Template_Blit1<_LICE_CombinePixelsCopyNoClamp>::solidBlit(dest.bytes(), 2, 2, 255, 255, 255, 128, dest.span());
  EXPECT_EQ(dest.at(1, 1), LICE_MakePixel(128, 128, 128, 64));
}

TEST(DeltaKernelTest, ZeroStepsPaintOneSourcePixel) {
  Pixels src = Ramp(4, 4);
  Pixels dest(3, 2);
  _LICE_Template_Blit3::deltaBlit(dest.bytes(), src.bytes(), 3, 2, 2 * 65536 + 100, 3 * 65536 + 5, 0, 0, 0, 0, 0, 0,
                                  0, 0, 4, 4, src.span(), dest.span(), 256, 0,
                                  &_LICE_CombinePixelsClobberNoClamp::doPix);
  for (LICE_pixel p : dest.data) EXPECT_EQ(p, src.at(2, 3));
}

TEST(DeltaKernelTest, RowChangesOfTheColumnSteps) {
  Pixels src = Ramp(4, 4);
  Pixels dest(3, 3);
  // Row j steps by (1 + j) source columns per pixel.
  _LICE_Template_Blit3::deltaBlit(dest.bytes(), src.bytes(), 3, 3, 0, 0, 65536, 0, 0, 65536, 65536, 0, 0, 0, 4, 4,
                                  src.span(), dest.span(), 256, 0, &_LICE_CombinePixelsClobberNoClamp::doPix);
  EXPECT_EQ(dest.at(2, 0), src.at(2, 0));
  EXPECT_EQ(dest.at(1, 1), src.at(2, 1));
  EXPECT_EQ(dest.at(1, 2), src.at(3, 2));
  EXPECT_EQ(dest.at(2, 2), 0u) << "column 6 is outside";
}

typedef void (*Draw)(const unsigned char*, LICE_pixel*, int, int, LICE_pixel, int, int, int);

TEST(GlyphKernelTest, CoverageScalesTheWeight) {
  const unsigned char full = 255, faint = 1;
  LICE_pixel px = 0;
  GlyphDrawImpl<_LICE_CombinePixelsAdd>::DrawGlyph(&full, &px, 1, 1, LICE_MakePixel(255, 0, 0, 0), 1, 1, 256);
  EXPECT_EQ(LICE_PixelRed(px), 254) << "255 coverage at 256 is weight 255";

  px = LICE_MakePixel(10, 10, 10, 10);
  GlyphDrawImpl<_LICE_CombinePixelsCopyNoClamp>::DrawGlyph(&faint, &px, 1, 1, 0xffffffff, 1, 1, 255);
  EXPECT_EQ(px, LICE_MakePixel(10, 10, 10, 10)) << "weight 0 copy leaves it";
  px = LICE_MakePixel(128, 128, 128, 10);
  GlyphDrawImpl<_LICE_CombinePixelsHSVAdjust>::DrawGlyph(&faint, &px, 1, 1, LICE_MakePixel(128, 128, 128, 77), 1, 1,
                                                         255);
  EXPECT_EQ(LICE_PixelAlpha(px), 77) << "weight 0 HSV adjust still sets alpha";
}

TEST(GlyphKernelTest, ZeroCoverageLeavesThePixelInEveryMode) {
  const Draw draws[] = {&GlyphDrawImpl<_LICE_CombinePixelsCopyNoClamp>::DrawGlyph,
                        &GlyphDrawImpl<_LICE_CombinePixelsAdd>::DrawGlyph,
                        &GlyphDrawImpl<_LICE_CombinePixelsColorDodge>::DrawGlyph,
                        &GlyphDrawImpl<_LICE_CombinePixelsMulNoClamp>::DrawGlyph,
                        &GlyphDrawImpl<_LICE_CombinePixelsOverlay>::DrawGlyph,
                        &GlyphDrawImpl<_LICE_CombinePixelsHSVAdjust>::DrawGlyph};
  const unsigned char none = 0;
  for (Draw draw : draws) {
    LICE_pixel px = 0x12345678;
    draw(&none, &px, 1, 1, 0xffffffff, 1, 1, 256);
    EXPECT_EQ(px, 0x12345678u);
  }
}

TEST(GlyphKernelTest, NegativeSpanDrawsUpward) {
  const unsigned char mask[2] = {255, 128};  // 1 x 2
  LICE_pixel column[2] = {0, 0};
  GlyphDrawImpl<_LICE_CombinePixelsAdd>::DrawGlyph(mask, column + 1, 1, 2, LICE_MakePixel(255, 0, 0, 0), -1, 1, 256);
  EXPECT_EQ(LICE_PixelRed(column[1]), 254);
  EXPECT_EQ(LICE_PixelRed(column[0]), 127);
}

}  // namespace
