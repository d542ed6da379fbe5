#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "lice/Combiners.h"

// HSV adjust with no adjustment: the conversion there and back keeps pure
// colours and greys and strays little elsewhere; alpha becomes the colour's.

namespace {

LICE_pixel Neutral(LICE_pixel px) {
  _LICE_CombinePixelsHSVAdjust::doPix(reinterpret_cast<unsigned char*>(&px), 128, 128, 128, 0, 256);
  return px;
}

TEST(HSVAdjustTest, NeutralKeepsPureColoursAndGreys) {
  const int colours[][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 0, 0}, {255, 255, 255}, {128, 128, 128}};
  for (const auto& c : colours) {
    EXPECT_EQ(Neutral(LICE_MakePixel(c[0], c[1], c[2], 200)), LICE_MakePixel(c[0], c[1], c[2], 0))
        << c[0] << "," << c[1] << "," << c[2];
  }
}

TEST(HSVAdjustTest, NeutralStaysWithinFiveOfEveryColour) {
  int worst = 0;
  for (int r = 0; r < 256; ++r) {
    for (int g = 0; g < 256; ++g) {
      for (int b = 0; b < 256; ++b) {
        const LICE_pixel out = Neutral(LICE_MakePixel(r, g, b, 255));
        worst = std::max({worst, std::abs(LICE_PixelRed(out) - r), std::abs(LICE_PixelGreen(out) - g),
                          std::abs(LICE_PixelBlue(out) - b)});
        if (LICE_PixelAlpha(out) != 0) FAIL() << r << "," << g << "," << b;
      }
    }
  }
  EXPECT_LE(worst, 5);
  EXPECT_GT(worst, 0) << "the conversion is not exact";
}

}  // namespace
