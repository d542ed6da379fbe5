#include <gtest/gtest.h>

#include "lice/GlyphRenderer.h"

namespace {

typedef GlyphRenderer<_LICE_CombinePixelsCopyNoClamp> CopyRenderer;
typedef GlyphRenderer<_LICE_CombinePixelsAdd> AddRenderer;

TEST(GlyphRendererTest, NormalWeightsCoverageByTheAlpha) {
  struct Case {
    int coverage, alpha, red;  // red after adding 255 onto 0
  } cases[] = {
      {255, 256, 255},  // weight 256
      {1, 256, 1},      // weight 2: 255 * 2 / 256
      {255, 128, 126},  // weight 127, not 128
      {200, 128, 99},   // weight 100
      {255, 1000, 255}, // never above 256
      {128, 600, 255},  // 128 * 600 / 256 = 300, limited to 256
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.coverage * 10000 + c.alpha);
    const unsigned char src = static_cast<unsigned char>(c.coverage);
    LICE_pixel pixel = 0;
    AddRenderer::Normal(&src, &pixel, 1, 1, 1, 1, 255, 0, 0, c.alpha);
    EXPECT_EQ(LICE_PixelRed(pixel), c.red);
  }
  // Full coverage at full weight copies the colour and makes the pixel opaque.
  const unsigned char full = 255;
  LICE_pixel pixel = LICE_MakePixel(9, 9, 9, 0);
  CopyRenderer::Normal(&full, &pixel, 1, 1, 1, 1, 10, 20, 30, 256);
  EXPECT_EQ(pixel, LICE_MakePixel(10, 20, 30, 255));
}

TEST(GlyphRendererTest, MonoAndEffectPaintBodyAndEffectAtOneWeight) {
  const unsigned char cov[4] = {0, 128, 255, 7};
  LICE_pixel row[4] = {};
  CopyRenderer::Effect(cov, row, 4, 4, 4, 1, 200, 0, 0, 256, 0, 100, 0);
  EXPECT_EQ(row[0], 0u) << "zero coverage untouched";
  EXPECT_EQ(row[1], LICE_MakePixel(0, 100, 0, 255)) << "effect colour";
  EXPECT_EQ(row[2], LICE_MakePixel(200, 0, 0, 255)) << "body colour";
  EXPECT_EQ(row[3], LICE_MakePixel(0, 100, 0, 255)) << "any other byte is effect";

  LICE_pixel mono[4] = {};
  AddRenderer::Mono(cov, mono, 4, 4, 4, 1, 255, 0, 0, 128);
  EXPECT_EQ(mono[0], 0u);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(LICE_PixelRed(mono[i]), 127) << "one weight for every covered byte";
}

TEST(GlyphRendererTest, EmptyAreasAndBottomUpRows) {
  const unsigned char cov[4] = {255, 255, 255, 255};
  LICE_pixel pixels[4] = {};
  CopyRenderer::Normal(cov, pixels, 2, 2, 0, 2, 255, 255, 255, 256);
  CopyRenderer::Normal(cov, pixels, 2, 2, 2, 0, 255, 255, 255, 256);
  CopyRenderer::Mono(cov, pixels, 2, 2, -1, 2, 255, 255, 255, 256);
  for (LICE_pixel p : pixels) EXPECT_EQ(p, 0u);

  // Rows walk upward through memory with a negative span.
  const unsigned char two[2] = {255, 0};
  LICE_pixel column[3] = {};
  CopyRenderer::Normal(two, column + 2, 1, -1, 1, 2, 1, 2, 3, 256);
  EXPECT_EQ(column[2], LICE_MakePixel(1, 2, 3, 255));
  EXPECT_EQ(column[1], 0u);
  EXPECT_EQ(column[0], 0u);
}

}  // namespace
