#include <gtest/gtest.h>

#include <vector>

#include "lice/RectOps.h"
#include "tests/lice/RasterFixture.h"

namespace {

using licetest::At;
using licetest::Bitmap;
using licetest::Distinct;
using licetest::Uniform;

TEST(FillRectTest, SourceAlphaScalesTheWeightByTheColoursAlpha) {
  auto bm = Uniform(4, 4, 0x10203040);
  LICE_FillRect(bm.get(), 0, 0, 4, 4, LICE_MakePixel(200, 200, 200, 0), 1.0f, LICE_MODE_SOURCE_ALPHA);
  EXPECT_EQ(At(bm.get(), 1, 1), 0x10203040u) << "colour alpha 0 draws nothing";

  const LICE_pixel colour = LICE_MakePixel(200, 100, 50, 128);
  LICE_FillRect(bm.get(), 0, 0, 4, 4, colour, 1.0f, LICE_MODE_SOURCE_ALPHA);
  EXPECT_EQ(At(bm.get(), 1, 1), ((0x10203040u >> 1) & 0x7f7f7f7f) + ((colour >> 1) & 0x7f7f7f7f))
      << "weight 128: word half mix";
}

TEST(FillRectTest, CopyWeights) {
  const LICE_pixel d = LICE_MakePixel(100, 20, 240, 8), c = LICE_MakePixel(10, 200, 60, 250);
  struct Case {
    float alpha;
    LICE_pixel expected;
  } cases[] = {
      {1.0f, c},
      {0.25f, ((d >> 1) & 0x7f7f7f7f) + ((d >> 2) & 0x3f3f3f3f) + ((c >> 2) & 0x3f3f3f3f)},
      {0.75f, ((d >> 2) & 0x3f3f3f3f) + ((c >> 1) & 0x7f7f7f7f) + ((c >> 2) & 0x3f3f3f3f)},
      // 200: the copy combiner on red, green and blue; alpha receives the weight.
      {200 / 256.0f, LICE_MakePixel(10 + ((100 - 10) * 56) / 256, 200 + ((20 - 200) * 56) / 256,
                                    60 + ((240 - 60) * 56) / 256, 200 + ((8 - 200) * 56) / 256)},
      {0.001f, d},
      {-1.0f, d},
  };
  for (const Case& k : cases) {
    auto bm = Uniform(3, 3, d);
    LICE_FillRect(bm.get(), 0, 0, 3, 3, c, k.alpha, 0);
    EXPECT_EQ(At(bm.get(), 2, 2), k.expected) << k.alpha;
  }
}

TEST(FillRectTest, ClipsToTheBitmap) {
  auto bm = Uniform(10, 3, 0);
  LICE_FillRect(bm.get(), -5, 1, 10, 100, 0xffffffff, 1.0f, 0);
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(At(bm.get(), x, 0), 0u);
    EXPECT_EQ(At(bm.get(), x, 1), x < 5 ? 0xffffffffu : 0u) << x;
    EXPECT_EQ(At(bm.get(), x, 2), x < 5 ? 0xffffffffu : 0u) << x;
  }
}

TEST(FillRectTest, OtherOperations) {
  auto bm = Uniform(2, 2, LICE_MakePixel(100, 100, 100, 100));
  LICE_FillRect(bm.get(), 0, 0, 2, 2, LICE_MakePixel(200, 0, 50, 0), 1.0f, LICE_MODE_ADD);
  EXPECT_EQ(At(bm.get(), 0, 0), LICE_MakePixel(255, 100, 150, 255)) << "alpha channel adds the weight";
  LICE_FillRect(bm.get(), 0, 0, 2, 2, 0, 1.0f, 6);
  EXPECT_EQ(At(bm.get(), 0, 0), LICE_MakePixel(255, 100, 150, 255));
}

TEST(GradRectTest, CopyOverwritesAtFullAlphaAndBlendsBelow) {
  auto bm = Uniform(8, 2, LICE_MakePixel(0, 0, 0, 7));
  LICE_GradRect(bm.get(), 0, 0, 8, 2, 0, 1, 0, 1, 1.0f / 4, 0, 0, 0, 0, 0, 0, 0, 0);
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(At(bm.get(), x, 1), LICE_MakePixel(x < 4 ? x * 255 / 4 : 255, 255, 0, 255)) << x;
  }
  auto half = Uniform(2, 1, LICE_MakePixel(0, 0, 0, 0));
  LICE_GradRect(half.get(), 0, 0, 2, 1, 1, 1, 1, 0.5f, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(At(half.get(), 1, 0), LICE_MakePixel(128, 128, 128, 64)) << "clamping copy at weight 128";
}

TEST(GradRectTest, NegativeOriginAdvancesTheStartValues) {
  auto bm = Uniform(4, 4, 0);
  LICE_GradRect(bm.get(), -2, -1, 6, 5, 0, 0, 0, 1, 0.1f, 0, 0, 0, 0, 0.2f, 0, 0, 0);
  EXPECT_EQ(LICE_PixelRed(At(bm.get(), 0, 0)), static_cast<int>(2 * 0.1f * 255.0));
  EXPECT_EQ(LICE_PixelGreen(At(bm.get(), 0, 3)), static_cast<int>(4 * 0.2f * 255.0));
}

TEST(MultiplyAddRectTest, ScalesAndOffsetsEveryChannel) {
  auto bm = Uniform(2, 2, LICE_MakePixel(100, 200, 3, 50));
  LICE_MultiplyAddRect(bm.get(), 0, 0, 1, 1, 2.0f, 2.0f, 2.0f, 1.0f, 0, 0, 0, 10.0f);
  EXPECT_EQ(At(bm.get(), 0, 0), LICE_MakePixel(200, 255, 6, 60));
  EXPECT_EQ(At(bm.get(), 1, 1), LICE_MakePixel(100, 200, 3, 50));
  LICE_MultiplyAddRect(bm.get(), 1, 1, 5, 5, 0, 0, 0, 0, 1.0f, 1.0f, 1.0f, 1.0f);
  EXPECT_EQ(At(bm.get(), 1, 1), LICE_MakePixel(1, 1, 1, 1));
}

void Count(LICE_pixel* p, void* context) {
  ++*static_cast<int*>(context);
  *p = 1;
}

TEST(ProcessRectTest, CallsOncePerClippedPixel) {
  auto bm = Uniform(5, 5, 0);
  int calls = 0;
  LICE_ProcessRect(bm.get(), 3, -1, 10, 3, &Count, &calls);
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(At(bm.get(), 4, 1), 1u);
  LICE_ProcessRect(bm.get(), 0, 0, 5, 5, nullptr, &calls);
}

TEST(PixelTest, GetAndPut) {
  auto bm = Uniform(3, 2, 0x11223344);
  EXPECT_EQ(LICE_GetPixel(bm.get(), 2, 1), 0x11223344u);
  EXPECT_EQ(LICE_GetPixel(bm.get(), 3, 0), 0u);
  EXPECT_EQ(LICE_GetPixel(bm.get(), 0, -1), 0u);
  EXPECT_EQ(LICE_GetPixel(nullptr, 0, 0), 0u);
  LICE_PutPixel(bm.get(), 3, 0, 0, 1.0f, 0);
  LICE_PutPixel(bm.get(), 0, -1, 0, 1.0f, 0);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(At(bm.get(), i % 3, i / 3), 0x11223344u);

  LICE_PutPixel(bm.get(), 1, 1, 0xffffffff, 0.5f, 0);
  EXPECT_EQ(At(bm.get(), 1, 1), ((0x11223344u >> 1) & 0x7f7f7f7f) + 0x7f7f7f7fu) << "word average";
  LICE_PutPixel(bm.get(), 0, 0, LICE_MakePixel(0, 0, 0, 255), 200 / 256.0f, 0);
  EXPECT_EQ(LICE_PixelAlpha(At(bm.get(), 0, 0)), 255 + ((0x44 - 255) * 56) / 256) << "colour alpha as source";
  LICE_PutPixel(bm.get(), 2, 0, LICE_MakePixel(255, 255, 255, 255), 1.0f, LICE_MODE_ADD | LICE_MODE_SOURCE_ALPHA);
  EXPECT_EQ(At(bm.get(), 2, 0), 0xffffffffu);
}

TEST(ColorMaskTest, MatchesWholeWordsWithAlphaZero) {
  auto bm = Bitmap(2, 1, [](int x, int) { return x == 0 ? LICE_MakePixel(0, 0, 255, 77) : LICE_MakePixel(0, 1, 255, 0); });
  LICE_SetAlphaFromColorMask(bm.get(), 0xff000000);
  EXPECT_EQ(At(bm.get(), 0, 0), LICE_MakePixel(0, 0, 255, 0));
  EXPECT_EQ(At(bm.get(), 1, 0), LICE_MakePixel(0, 1, 255, 255));
  LICE_SetAlphaFromColorMask(bm.get(), 0xff0000ff);
  EXPECT_EQ(LICE_PixelAlpha(At(bm.get(), 0, 0)), 255) << "a colour with alpha matches nothing";
}

TEST(SimpleFillTest, FillsRunsThroughTheStartColumnOnly) {
  auto uniform = Uniform(6, 6, 5);
  LICE_SimpleFill(uniform.get(), 2, 3, 9, 0xffffffff, 0);
  for (int i = 0; i < 36; ++i) ASSERT_EQ(At(uniform.get(), i % 6, i / 6), 9u);

  auto blocked = Uniform(6, 8, 5);
  At(blocked.get(), 2, 4) = 1;  // in the start column, three rows down
  At(blocked.get(), 4, 0) = 1;
  LICE_SimpleFill(blocked.get(), 2, 1, 0x100, 0xffffffff, 0xff);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 6; ++x) {
      LICE_pixel expected = 5;
      if (y >= 1 && y <= 3) expected = 0x105;
      if (y == 0 && x < 4) expected = 0x105;
      if (At(blocked.get(), x, y) == 1) continue;
      EXPECT_EQ(At(blocked.get(), x, y), expected) << x << "," << y;
    }
  }
  LICE_SimpleFill(blocked.get(), 6, 0, 0, 0, 0);
}

TEST(DrawGlyphTest, ClipsTheMaskAndScalesTheWeight) {
  const std::vector<unsigned char> mask = {255, 0, 128, 64, 255, 255, 0, 1};  // 4 x 2
  auto bm = Uniform(3, 3, 0);
  LICE_DrawGlyph(bm.get(), -2, 1, LICE_MakePixel(255, 0, 0, 255), mask.data(), 4, 2, 1.0f, LICE_MODE_ADD);
  EXPECT_EQ(LICE_PixelRed(At(bm.get(), 0, 1)), 127) << "third mask column: 128 * 256 / 256 = 128 weight";
  EXPECT_EQ(LICE_PixelRed(At(bm.get(), 1, 1)), 63);
  EXPECT_EQ(LICE_PixelRed(At(bm.get(), 0, 2)), 0);
  EXPECT_EQ(LICE_PixelRed(At(bm.get(), 1, 2)), 0) << "weight (1 * 256) / 256 = 1 adds 255 / 256 = 0";
  EXPECT_EQ(At(bm.get(), 2, 1), 0u);
  EXPECT_EQ(At(bm.get(), 0, 0), 0u);

  auto untouched = Uniform(3, 3, 0x01020304);
  LICE_DrawGlyph(untouched.get(), 0, 0, 0xffffffff, mask.data(), 4, 2, 1.0f, 6);
  LICE_DrawGlyph(untouched.get(), 0, 0, 0xffffffff, mask.data(), 4, 2, -1.0f, 0);
  LICE_DrawGlyph(untouched.get(), 0, 0, 0xffffffff, mask.data(), 4, 2, 0.001f, LICE_MODE_ADD);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(At(untouched.get(), i % 3, i / 3), 0x01020304u);
}

TEST(BitmapCmpTest, SizesNullsAndDifferenceBox) {
  auto a = Uniform(10, 10, 1);
  auto wider = Uniform(12, 10, 1);
  EXPECT_EQ(LICE_BitmapCmp(a.get(), wider.get(), nullptr), 2);
  EXPECT_EQ(LICE_BitmapCmp(a.get(), nullptr, nullptr), 1);
  EXPECT_EQ(LICE_BitmapCmp(nullptr, a.get(), nullptr), -1);
  EXPECT_EQ(LICE_BitmapCmp(nullptr, nullptr, nullptr), 0);

  auto b = Uniform(10, 10, 1);
  int box[4] = {9, 9, 9, 9};
  EXPECT_EQ(LICE_BitmapCmp(a.get(), b.get(), nullptr), 0);
  EXPECT_EQ(LICE_BitmapCmp(a.get(), b.get(), box), 0);
  EXPECT_EQ(box[0] + box[1] + box[2] + box[3], 0);

  At(b.get(), 5, 0) = 2;
  At(b.get(), 2, 5) = 2;
  EXPECT_LT(LICE_BitmapCmp(a.get(), b.get(), nullptr), 0) << "a byte of a below that of b";
  EXPECT_EQ(LICE_BitmapCmp(a.get(), b.get(), box), 1);
  EXPECT_EQ(box[0], 2);
  EXPECT_EQ(box[1], 0);
  EXPECT_EQ(box[2], 4);
  EXPECT_EQ(box[3], 6);

  At(b.get(), 9, 3) = 2;
  At(b.get(), 0, 4) = 2;
  EXPECT_EQ(LICE_BitmapCmp(a.get(), b.get(), box), 1);
  EXPECT_EQ(box[0], 0);
  EXPECT_EQ(box[2], 10) << "a row in between widens the box both ways";
}

TEST(ClearTest, WholeBitmapAndMaskedRectangle) {
  auto bm = Bitmap(4, 3, Distinct);
  LICE_ClearRect(bm.get(), 1, 1, 10, 10, 0xffffff00, 0);
  EXPECT_EQ(At(bm.get(), 0, 0), Distinct(0, 0));
  EXPECT_EQ(At(bm.get(), 3, 2), Distinct(3, 2) & 0xffffff00);
  LICE_Clear(bm.get(), 0xabcdef01);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(At(bm.get(), i % 4, i / 4), 0xabcdef01u);
}

}  // namespace
