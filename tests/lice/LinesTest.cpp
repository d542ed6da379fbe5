#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <vector>

#include "lice/Lines.h"
#include "lice/RectOps.h"
#include "tests/lice/CanaryBitmap.h"
#include "tests/lice/DrawingFixture.h"
#include "tests/lice/RasterFixture.h"

// The line entry points: clipping, the choice of path and combiner, the
// special alphas of plain copy, flipped bitmaps and the guards on huge,
// non-finite and degenerate arguments.

namespace {

using licetest::At;
using licetest::Mark;
using licetest::Marks;
using licetest::Uniform;

constexpr LICE_pixel kWhite = 0xffffffff;

std::vector<Mark> Row(int y, int x1, int x2, int value) {
  std::vector<Mark> marks;
  for (int x = x1; x <= x2; ++x) marks.push_back({x, y, value});
  return marks;
}

TEST(ClipLineTest, WorkedExamples) {
  struct Case {
    int in[4], rect[4];
    bool inside;
    int out[4];
  } cases[] = {
      // The bottom crossing is taken at y = 10 and placed on row 9.
      {{0, 0, 10, 20}, {0, 0, 10, 10}, true, {0, 0, 5, 9}},
      {{0, 15, 30, 15}, {10, 10, 20, 20}, true, {10, 15, 19, 15}},
      {{-5, 5, 5, 5}, {0, 0, 10, 10}, true, {0, 5, 5, 5}},
      {{-5, -5, -1, 20}, {0, 0, 10, 10}, false, {}},
      // Differences beyond 32 bits.
      {{INT_MIN, 3, INT_MAX, 3}, {0, 0, 10, 10}, true, {0, 3, 9, 3}},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, true,
       {INT_MIN, INT_MIN, INT_MAX - 1, INT_MAX - 1}},
  };
  for (const Case& c : cases) {
    int x1 = c.in[0], y1 = c.in[1], x2 = c.in[2], y2 = c.in[3];
    EXPECT_EQ(LICE_ClipLine(&x1, &y1, &x2, &y2, c.rect[0], c.rect[1], c.rect[2], c.rect[3]), c.inside)
        << c.in[0] << "," << c.in[1] << " " << c.in[2] << "," << c.in[3];
    if (!c.inside) continue;
    EXPECT_EQ(x1, c.out[0]);
    EXPECT_EQ(y1, c.out[1]);
    EXPECT_EQ(x2, c.out[2]);
    EXPECT_EQ(y2, c.out[3]);
  }
}

TEST(ClipLineTest, FloatClippingKeepsTheLastColumnAndRowFree) {
  float x1 = -5, y1 = 5, x2 = 20, y2 = 5;
  EXPECT_TRUE(LICE_ClipFLine(&x1, &y1, &x2, &y2, 0, 0, 10, 10));
  EXPECT_EQ(x1, 0.0f);
  EXPECT_EQ(y1, 5.0f);
  EXPECT_EQ(x2, 8.0f);
  EXPECT_EQ(y2, 5.0f);
  x1 = 19.5f, y1 = 3, x2 = 19.5f, y2 = 8;
  EXPECT_FALSE(LICE_ClipFLine(&x1, &y1, &x2, &y2, 10, 0, 20, 10)) << "wholly in the right column, which is kept free";
}

TEST(LineTest, PathsAndClipping) {
  struct Case {
    int x1, y1, x2, y2;
    bool aa;
    std::vector<Mark> marks;
  } cases[] = {
      {4, 4, 4, 4, false, {{4, 4, 255}}},
      {-5, 5, 5, 5, false, Row(5, 0, 5, 255)},
      {-5, -5, -1, 20, false, {}},
      {2, 3, 2, 1, false, {{2, 1, 255}, {2, 2, 255}, {2, 3, 255}}},
      {3, 3, 1, 1, false, {{1, 1, 255}, {2, 2, 255}, {3, 3, 255}}},
      {0, 0, 5, 2, false, {{0, 0, 255}, {1, 0, 255}, {2, 1, 255}, {3, 1, 255}, {4, 2, 255}, {5, 2, 255}}},
      // Reversed: the end points swap roles, the pixels stay.
      {5, 2, 0, 0, false, {{0, 0, 255}, {1, 0, 255}, {2, 1, 255}, {3, 1, 255}, {4, 2, 255}, {5, 2, 255}}},
      // Clipped to (0, 0)-(5, 9), y major.
      {0, 0, 10, 20, false, {{0, 0, 255}, {1, 1, 255}, {1, 2, 255}, {2, 3, 255}, {2, 4, 255},
                             {3, 5, 255}, {3, 6, 255}, {4, 7, 255}, {4, 8, 255}, {5, 9, 255}}},
      // The anti-alias flag changes nothing on spans.
      {1, 2, 6, 2, true, Row(2, 1, 6, 255)},
      // Opaque copy diagonal: three quarters on the diagonal, a quarter beside.
      {0, 0, 2, 2, true, {{0, 0, 190}, {1, 0, 63}, {0, 1, 63}, {1, 1, 190}, {2, 1, 63}, {1, 2, 63}, {2, 2, 190}}},
      {0, 0, 5, 2, true, {{0, 0, 255}, {1, 0, 153}, {2, 0, 51}, {1, 1, 102}, {2, 1, 204},
                          {3, 1, 204}, {4, 1, 102}, {3, 2, 51}, {4, 2, 153}, {5, 2, 255}}},
  };
  for (const Case& c : cases) {
    auto bm = Uniform(10, 10, 0);
    LICE_Line(bm.get(), c.x1, c.y1, c.x2, c.y2, kWhite, 1.0f, LICE_MODE_COPY, c.aa);
    EXPECT_EQ(Marks(bm.get(), 0), c.marks) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2 << " aa " << c.aa;
  }
}

TEST(LineTest, AlphaAndModeSelectTheCombiner) {
  const LICE_pixel d = LICE_MakePixel(100, 1, 200, 9), c = LICE_MakePixel(30, 1, 250, 77);
  auto copyAt = [&](int weight) {
    return LICE_MakePixel(30 + ((100 - 30) * (256 - weight)) / 256, 1, 250 + ((200 - 250) * (256 - weight)) / 256,
                          77 + ((9 - 77) * (256 - weight)) / 256);
  };
  struct Case {
    float alpha;
    int mode;
    LICE_pixel expected;
  } cases[] = {
      {1.0f, 0, c},
      {1.0f, 0x10000, c},
      {0.5f, 0, ((d >> 1) & 0x7f7f7f7f) + ((c >> 1) & 0x7f7f7f7f)},
      {0.25f, 0, ((d >> 2) & 0x3f3f3f3f) + ((c >> 2) & 0x3f3f3f3f) + ((d >> 1) & 0x7f7f7f7f)},
      {0.75f, 0, ((d >> 2) & 0x3f3f3f3f) + ((c >> 2) & 0x3f3f3f3f) + ((c >> 1) & 0x7f7f7f7f)},
      // Weight 128 from an alpha that is not exactly 0.5: the channel average.
      {0.501f, 0, LICE_MakePixel(65, 1, 225, 43)},
      {0.6f, 0, copyAt(153)},
      {0.001f, 0, d},
      {-0.5f, 0, d},
      {1.0f, 6, d},
      {1.0f, 0xf0, d},
      {-0.5f, LICE_MODE_ADD, LICE_MakePixel(85, 1, 75, 0)},
      {1.0f, 0x10001, LICE_MakePixel(130, 2, 255, 86)},
  };
  for (const Case& k : cases) {
    for (bool vertical : {false, true}) {
      auto bm = Uniform(4, 4, d);
      LICE_Line(bm.get(), 1, 1, vertical ? 1 : 2, vertical ? 2 : 1, c, k.alpha, k.mode, false);
      EXPECT_EQ(At(bm.get(), 1, 1), k.expected) << "alpha " << k.alpha << " mode " << k.mode;
      EXPECT_EQ(At(bm.get(), 0, 0), d);
    }
  }
  auto bm = Uniform(2, 1, 0x01010101);
  LICE_Line(bm.get(), 0, 0, 1, 0, 0x01010101, 0.5f, 0, false);
  EXPECT_EQ(At(bm.get(), 0, 0), 0u) << "the word half mix rounds each half down";
  bm = Uniform(2, 1, 0x01010101);
  LICE_Line(bm.get(), 0, 0, 1, 0, 0x01010101, 0.501f, 0, false);
  EXPECT_EQ(At(bm.get(), 0, 0), 0x01010101u);
}

TEST(LineTest, FlippedBitmaps) {
  licetest::CanaryBitmap bm(6, 10, true, 1);
  LICE_Clear(&bm, 0);
  LICE_Line(&bm, 0, 0, 3, 0, kWhite, 1.0f, 0, false);
  EXPECT_EQ(bm.getBits()[9 * bm.getRowSpan() + 3], kWhite) << "row 0 of the picture is stored last";
  EXPECT_EQ(Marks(&bm, 0), Row(0, 0, 3, 255));

  LICE_Clear(&bm, 0);
  LICE_DashedLine(&bm, 0, 0, 3, 0, 1, 0, kWhite, 1.0f, 0, false);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(bm.getBits()[x], x < 3 ? kWhite : 0u) << "dashes address stored rows";

  LICE_Clear(&bm, 0);
  LICE_FLine(&bm, 0, 2.5f, 4, 2.5f, kWhite, 1.0f, 0, true);
  EXPECT_EQ(Marks(&bm, 0), [] {
    auto marks = Row(2, 0, 4, 128);
    for (const Mark& m : Row(3, 0, 4, 127)) marks.push_back(m);
    return marks;
  }()) << "mirrored in floats, the line still straddles picture rows 2 and 3";
  EXPECT_TRUE(bm.CanariesIntact());
}

TEST(FloatLineTest, WorkedExamples) {
  auto bm = Uniform(20, 20, 0);
  LICE_FLine(bm.get(), 0, 5.5f, 10, 5.5f, kWhite, 1.0f, 0, true);
  auto expected = Row(5, 0, 10, 127);
  for (const Mark& m : Row(6, 0, 10, 128)) expected.push_back(m);
  EXPECT_EQ(Marks(bm.get(), 0), expected);

  bm = Uniform(10, 10, 0);
  LICE_FLine(bm.get(), 1.2f, 3.0f, 1.8f, 3.1f, kWhite, 1.0f, 0, true);
  EXPECT_TRUE(Marks(bm.get(), 0).empty()) << "no whole x between the ends";
  LICE_FLine(bm.get(), 4.5f, 4.5f, 4.5f, 4.5f, kWhite, 1.0f, 0, true);
  EXPECT_TRUE(Marks(bm.get(), 0).empty()) << "coinciding ends";
  LICE_FLine(bm.get(), 4.5f, 4.5f, 4.5f, 4.5f, kWhite, 1.0f, 0, false);
  EXPECT_EQ(Marks(bm.get(), 0), (std::vector<Mark>{{4, 4, 255}}));
  bm = Uniform(10, 10, 0);
  LICE_FLine(bm.get(), 2.9f, -0.5f, 2.9f, 1.9f, kWhite, 1.0f, 0, false);
  EXPECT_EQ(Marks(bm.get(), 0), (std::vector<Mark>{{2, 0, 255}, {2, 1, 255}})) << "truncated toward zero";
}

TEST(FloatLineTest, NonFiniteEndsDrawNothingAndHugeOnesKeepTheirDirection) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  for (bool aa : {false, true}) {
    auto bm = Uniform(16, 16, 0);
    LICE_FLine(bm.get(), nan, 1, 5, 5, kWhite, 1.0f, 0, aa);
    LICE_FLine(bm.get(), 1, 1, inf, 1, kWhite, 1.0f, 0, aa);
    LICE_FLine(bm.get(), 1, -inf, 1, 5, kWhite, 1.0f, 0, aa);
    EXPECT_TRUE(Marks(bm.get(), 0).empty());

    LICE_FLine(bm.get(), -1e30f, 7, 1e30f, 7, kWhite, 1.0f, 0, aa);
    const auto row = Marks(bm.get(), 0);
    ASSERT_FALSE(row.empty());
    for (const Mark& m : row) EXPECT_EQ(m.y, 7);
    EXPECT_EQ(row.front().x, 0);
    EXPECT_GE(row.back().x, 14);

    // Far beyond the limit on both axes at a slope of 1/2: still 1/2 inside.
    bm = Uniform(16, 16, 0);
    auto reference = Uniform(16, 16, 0);
    LICE_FLine(bm.get(), 0, 0, 2147483648.0f, 1073741824.0f, kWhite, 1.0f, 0, aa);
    LICE_FLine(reference.get(), 0, 0, 32, 16, kWhite, 1.0f, 0, aa);
    EXPECT_EQ(Marks(bm.get(), 0), Marks(reference.get(), 0)) << "aa " << aa;
  }
}

TEST(DashedLineTest, PatternsAndDegeneratePeriods) {
  struct Case {
    int x1, y1, x2, y2, on, off;
    float alpha;
    std::vector<int> drawn;  // x, or y for vertical lines
  } cases[] = {
      {0, 0, 9, 0, 2, 3, 1.0f, {0, 1, 5, 6}},
      {0, 0, 6, 0, 2, 3, 1.0f, {0, 1, 5}},
      {9, 0, 0, 0, 2, 3, 0.6f, {0, 1, 5, 6}},
      {0, 0, 5, 3, 1, 0, 1.0f, {}},
      // The opaque one-on-one-off column stops before its end as well.
      {2, 0, 2, 2, 1, 1, 1.0f, {0}},
      {2, 0, 2, 5, 1, 1, 1.0f, {0, 2, 4}},
      {2, 5, 2, 0, 1, 1, 0.6f, {0, 2, 4}},
      {0, 0, 9, 0, 0, 0, 1.0f, {}},
      {0, 0, 9, 0, -1, 3, 1.0f, {}},
      {0, 0, 9, 0, 3, -1, 1.0f, {}},
      {0, 0, 9, 0, INT_MAX, INT_MAX, 1.0f, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {0, 0, 9, 0, 1, INT_MAX, 1.0f, {0}},
  };
  for (const Case& c : cases) {
    auto bm = Uniform(10, 10, 0);
    LICE_DashedLine(bm.get(), c.x1, c.y1, c.x2, c.y2, c.on, c.off, kWhite, c.alpha, 0, false);
    std::vector<int> drawn;
    for (const Mark& m : Marks(bm.get(), 0)) drawn.push_back(c.x1 == c.x2 ? m.y : m.x);
    EXPECT_EQ(drawn, c.drawn) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2 << " " << c.on << "/" << c.off;
  }
}

}  // namespace
