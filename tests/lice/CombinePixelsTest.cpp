#include <gtest/gtest.h>

#include "lice/CombinePixels.h"

namespace {

TEST(CombinePixelsTest, WeightZeroAndUnknownOperationsReturnTheDestination) {
  const LICE_pixel dest = 0x11223344, src = 0xaabbccdd;
  for (int mode : {0, 1, 2, 3, 4, 5, 0x10000, 0x10005}) EXPECT_EQ(LICE_CombinePixels(dest, src, 0.001f, mode), dest);
  for (int mode : {6, 0x10006, 0xf0}) {
    EXPECT_EQ(LICE_CombinePixels(dest, src, 1.0f, mode), dest) << mode;
    LICE_pixel p = dest;
    LICE_CombinePixels2(&p, 1, 2, 3, 4, 256, mode);
    LICE_CombinePixels2Clamp(&p, 1, 2, 3, 4, 256, mode);
    EXPECT_EQ(p, dest) << mode;
  }
}

TEST(CombinePixelsTest, CopyAtFullWeight) {
  EXPECT_EQ(LICE_CombinePixels(0x11223344, 0xaabbccdd, 1.0f, 0), 0xaabbccddu) << "alpha byte included";
  EXPECT_EQ(LICE_CombinePixels(0x11223344, 0xaabbcc00, 1.0f, 0x10000), 0x11223344u) << "transparent source";
  EXPECT_EQ(LICE_CombinePixels(0x11223344, 0xaabbccff, 1.0f, 0x10000), 0xaabbccffu) << "opaque source";
}

TEST(CombinePixelsTest, ClampedAndPlainIntegerForms) {
  struct Case {
    int weight, destRed, r, plain, clamped;
  } cases[] = {
      {256, 0, 300, 44, 255},
      {128, 200, -100, 50, 50},
      {128, 200, 400, 44, 255},
      {256, 0, -1, 255, 0},
  };
  for (const Case& c : cases) {
    LICE_pixel plain = LICE_MakePixel(c.destRed, 0, 0, 0), clamped = plain;
    LICE_CombinePixels2(&plain, c.r, 0, 0, 0, c.weight, 0);
    LICE_CombinePixels2Clamp(&clamped, c.r, 0, 0, 0, c.weight, 0);
    EXPECT_EQ(LICE_PixelRed(plain), c.plain) << c.r << " at " << c.weight;
    EXPECT_EQ(LICE_PixelRed(clamped), c.clamped) << c.r << " at " << c.weight;
  }
  LICE_pixel p = LICE_MakePixel(200, 0, 0, 0);
  LICE_CombinePixels2Clamp(&p, 300, 0, 0, 255, 256, 0x10000);
  EXPECT_EQ(p, LICE_MakePixel(255, 0, 0, 255)) << "opaque source-alpha copy, clamped";
  p = LICE_MakePixel(200, 0, 0, 0);
  LICE_CombinePixels2Clamp(&p, 400, 0, 0, 255, 256, 3);
  EXPECT_EQ(LICE_PixelRed(p), 255) << "multiply clamped: 200 * 400 / 256";
  p = LICE_MakePixel(200, 0, 0, 0);
  LICE_CombinePixels2(&p, 400, 0, 0, 255, 256, 3);
  EXPECT_EQ(LICE_PixelRed(p), (200 * 400 / 256) & 255);
}

TEST(CombinePixelsTest, ArgumentsFarOutOfRangeStayDefined) {
  LICE_pixel p = 0x80808080;
  for (int mode : {0, 1, 2, 3, 4, 5, 0x10000, 0x10003, 0x10005}) {
    LICE_CombinePixels2(&p, 2000000000, -2000000000, 123456789, -5, 2000000000, mode);
    LICE_CombinePixels2Clamp(&p, -2000000000, 2000000000, 5, 2000000000, -2000000000, mode);
  }
  SUCCEED() << "no signed overflow under the sanitizers";
}

}  // namespace
