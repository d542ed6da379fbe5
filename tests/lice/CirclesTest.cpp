#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "lice/CircleKernels.h"
#include "lice/Circles.h"
#include "lice/Lines.h"
#include "lice/Polygons.h"
#include "lice/RectOps.h"
#include "tests/lice/CanaryBitmap.h"
#include "tests/lice/DrawingFixture.h"
#include "tests/lice/RasterFixture.h"

// The circle rasterisers by their calls and pixels, the small-circle
// patterns, the choice of combiner, arcs split into half-circle pieces and
// rounded rectangles; and the guards on huge, negative and non-finite input.

namespace {

using licetest::At;
using licetest::Mark;
using licetest::Marks;
using licetest::RecordedCall;
using licetest::RecordedCalls;
using licetest::RecordingCombiner;
using licetest::Uniform;

constexpr LICE_pixel kWhite = 0xffffffff;
constexpr LICE_pixel kOne = 0x01010101;
// Added at a partial weight, a colour of 1 would add nothing.
constexpr LICE_pixel kQuarter = 0x40404040;
constexpr float kPi = 3.1415927f;
constexpr int kSide = 100;

RecordedCall At100(int x, int y, int weight) { return {y * kSide + x, weight}; }

// The rasteriser's calls for a circle in a 100 x 100 buffer.
std::vector<RecordedCall> CircleCalls(float c, float r, int weight, bool aa, bool filled) {
  std::vector<LICE_pixel> buffer(kSide * kSide);
  const lice_detail::CircleTarget target = {buffer.data(), kSide, {0, 0, kSide, kSide}, false};
  RecordedCalls::Start(buffer.data());
  if (aa) {
    _LICE_CircleDrawer<RecordingCombiner>::DrawClippedCircleAA(target, c, c, r, 0, weight, filled);
  } else {
    _LICE_CircleDrawer<RecordingCombiner>::DrawClippedCircle(target, c, c, r, 0, weight, filled);
  }
  return RecordedCalls::calls();
}

TEST(CircleKernelTest, AntiAliasedSteps) {
  const auto calls = CircleCalls(50, 10, 256, true, false);
  ASSERT_EQ(calls.size(), 8u + 16 * 6 + 8) << "steps 0 to 7; whole roots at 0 and 6 plot eight points";
  EXPECT_EQ(std::vector<RecordedCall>(calls.begin(), calls.begin() + 8),
            (std::vector<RecordedCall>{At100(50, 60, 256), At100(50, 40, 256), At100(50, 60, 256),
                                       At100(50, 40, 256), At100(60, 50, 256), At100(60, 50, 256),
                                       At100(40, 50, 256), At100(40, 50, 256)}));
  EXPECT_EQ(calls.back(), At100(42, 43, 36)) << "step 7: root 7.1414, the outer pixel at 0.1414 of the weight";

  const auto quarter = CircleCalls(10, 3.25f, 256, true, false);
  ASSERT_GE(quarter.size(), 4u);
  EXPECT_EQ(std::vector<RecordedCall>(quarter.begin(), quarter.begin() + 4),
            (std::vector<RecordedCall>{At100(10, 14, 64), At100(10, 13, 192), At100(10, 7, 192), At100(10, 6, 64)}))
      << "the outer pixels at the fraction, the inner ones at the rest";
  EXPECT_EQ(CircleCalls(10, 0, 256, true, false), std::vector<RecordedCall>(8, At100(10, 10, 256)));
  EXPECT_EQ(CircleCalls(10, -0.5f, 256, true, false).size(), 16u) << "one step with a fractional root";
  EXPECT_TRUE(CircleCalls(10, -1, 256, true, false).empty());
}

TEST(CircleKernelTest, AliasedAxisPointsOfZeroAndNegativeRadii) {
  EXPECT_EQ(CircleCalls(10, 0, 77, false, true), std::vector<RecordedCall>(4, At100(10, 10, 77)));
  EXPECT_EQ(CircleCalls(10, -3, 77, false, true),
            (std::vector<RecordedCall>{At100(10, 7, 77), At100(10, 13, 77), At100(7, 10, 77), At100(13, 10, 77)}));
}

// Each pixel's count of combines, as text rows over columns 6 to 14 of rows
// 6 to 14, for a circle of radius 3 at (10, 10) drawn with add.
std::string AddedCircle(bool filled) {
  auto bm = Uniform(20, 20, 0);
  const lice_detail::CircleTarget target = {bm->getBits(), bm->getRowSpan(), {0, 0, 20, 20}, true};
  _LICE_CircleDrawer<_LICE_CombinePixelsAdd>::DrawClippedCircle(target, 10, 10, 3, kOne, 256, filled);
  std::ostringstream rows;
  for (int y = 6; y <= 14; ++y) {
    for (int x = 6; x <= 14; ++x) rows << LICE_PixelRed(At(bm.get(), x, y));
    rows << "\n";
  }
  return rows.str();
}

TEST(CircleKernelTest, AliasedPixelsReachedTwiceAreCombinedTwice) {
  EXPECT_EQ(AddedCircle(false),
            "000000000\n"
            "000111000\n"
            "002000200\n"
            "010000010\n"
            "010000010\n"
            "010000010\n"
            "002000200\n"
            "000111000\n"
            "000000000\n");
  EXPECT_EQ(AddedCircle(true),
            "000000000\n"
            "000121000\n"
            "002222200\n"
            "011111110\n"
            "011111110\n"
            "011111110\n"
            "002222200\n"
            "000121000\n"
            "000000000\n");
}

TEST(CircleKernelTest, ClippedWriters) {
  std::vector<LICE_pixel> buffer(kSide * kSide);
  const lice_detail::CircleTarget target = {buffer.data(), kSide, {2, 3, 8, 9}, true};
  typedef _LICE_CircleDrawer<RecordingCombiner> Drawer;
  RecordedCalls::Start(buffer.data());
  Drawer::DrawClippedPt(target, 8, 4, 0, 0, 0, 0, 1);
  Drawer::DrawClippedPt(target, 4, 9, 0, 0, 0, 0, 1);
  Drawer::DrawClippedPt(target, 2, 3, 0, 0, 0, 0, 1);
  Drawer::DrawClippedHorzLine(target, 2, 0, 20, 0, 0, 0, 0, 2);
  Drawer::DrawClippedHorzLine(target, 5, 0, 20, 0, 0, 0, 0, 3);
  Drawer::DrawClippedHorzLine(target, 6, 5, 4, 0, 0, 0, 0, 4);
  Drawer::DrawClippedHorzLine(target, 7, 5, 5, 0, 0, 0, 0, 5);
  EXPECT_EQ(RecordedCalls::calls(),
            (std::vector<RecordedCall>{At100(2, 3, 1), At100(2, 5, 3), At100(3, 5, 3), At100(4, 5, 3),
                                       At100(5, 5, 3), At100(6, 5, 3), At100(7, 5, 3), At100(5, 7, 5)}));
}

// The small-circle patterns as written in the table they come from.
struct Pattern {
  float radius;
  const char* aa;
  const char* plain;
};

const Pattern kPatterns[] = {
    {1.5f, "4f ff ff 4f / ff 0f 0f ff / ff 0f 0f ff / 4f ff ff 4f",
     "00 ff ff 00 / ff 00 00 ff / ff 00 00 ff / 00 ff ff 00"},
    {2.0f, "0f bf ff bf 0f / bf d1 4f d1 bf / ff 4f 00 4f ff / bf d1 4f d1 bf / 0f bf ff bf 0f",
     "00 00 ff 00 00 / 00 ff 00 ff 00 / ff 00 00 00 ff / 00 ff 00 ff 00 / 00 00 ff 00 00"},
    {2.5f,
     "0f bf ff ff bf 0f / bf d1 4f 4f d1 bf / ff 4f 00 00 4f ff / ff 4f 00 00 4f ff / bf d1 4f 4f d1 bf / "
     "0f bf ff ff bf 0f",
     "00 00 ff ff 00 00 / 00 ff 00 00 ff 00 / ff 00 00 00 00 ff / ff 00 00 00 00 ff / 00 ff 00 00 ff 00 / "
     "00 00 ff ff 00 00"},
    {3.0f,
     "00 8f ff ff ff 8f 00 / 8f ff 61 40 61 ff 8f / ff 70 00 00 00 70 ff / ff 30 00 00 00 30 ff / "
     "ff 70 00 00 00 70 ff / 8f ff 61 40 61 ff 8f / 00 8f ff ff ff 8f 00",
     "00 00 ff ff ff 00 00 / 00 ff 00 00 00 ff 00 / ff 00 00 00 00 00 ff / ff 00 00 00 00 00 ff / "
     "ff 00 00 00 00 00 ff / 00 ff 00 00 00 ff 00 / 00 00 ff ff ff 00 00"},
    {3.5f,
     "00 4f de ff ff de 4f 00 / 4f ff b0 40 40 b0 ff 4f / de b0 00 00 00 00 b0 de / ff 40 00 00 00 00 40 ff / "
     "ff 40 00 00 00 00 40 ff / de b0 00 00 00 00 b0 de / 4f ff b0 40 40 b0 ff 4f / 00 4f de ff ff de 4f 00",
     "00 00 ff ff ff ff 00 00 / 00 ff ff 00 00 ff ff 00 / ff ff 00 00 00 00 ff ff / ff 00 00 00 00 00 00 ff / "
     "ff 00 00 00 00 00 00 ff / ff ff 00 00 00 00 ff ff / 00 ff ff 00 00 ff ff 00 / 00 00 ff ff ff ff 00 00"},
    {4.0f,
     "00 1f b0 ff ff ff b0 1f 00 / 1f f0 d1 4f 40 4f d1 f0 1f / b0 d1 0f 00 00 00 0f d1 b0 / "
     "ff 4f 00 00 00 00 00 4f ff / ff 30 00 00 00 00 00 30 ff / ff 4f 00 00 00 00 00 4f ff / "
     "b0 d1 0f 00 00 00 0f d1 b0 / 1f f0 d1 4f 40 4f d1 f0 1f / 00 1f b0 ff ff ff b0 1f 00",
     "00 00 ff ff ff ff ff 00 00 / 00 ff ff 00 00 00 ff ff 00 / ff ff 00 00 00 00 00 ff ff / "
     "ff 00 00 00 00 00 00 00 ff / ff 00 00 00 00 00 00 00 ff / ff 00 00 00 00 00 00 00 ff / "
     "ff ff 00 00 00 00 00 ff ff / 00 ff ff 00 00 00 ff ff 00 / 00 00 ff ff ff ff ff 00 00"},
};

// The pixels a pattern gives with its top-left corner at (left, top).
std::vector<Mark> PatternMarks(const char* text, int left, int top) {
  std::vector<Mark> marks;
  std::istringstream in(text);
  int x = 0, y = 0;
  for (std::string word; in >> word;) {
    if (word == "/") {
      x = 0, ++y;
      continue;
    }
    const int v = std::stoi(word, nullptr, 16);
    if (v != 0) marks.push_back({left + x, top + y, v});
    ++x;
  }
  return marks;
}

TEST(CircleTest, SmallRadiiAreDrawnFromTheirPatterns) {
  for (const Pattern& p : kPatterns) {
    for (bool aa : {true, false}) {
      for (bool flipped : {false, true}) {
        licetest::CanaryBitmap bm(16, 16, flipped, 5);
        LICE_Clear(&bm, 0);
        LICE_Circle(&bm, 8.7f, 7.2f, p.radius, kWhite, 1.0f, 0, aa);
        EXPECT_EQ(Marks(&bm, 0), PatternMarks(aa ? p.aa : p.plain, static_cast<int>(8.7f - p.radius),
                                              static_cast<int>(7.2f - p.radius)))
            << "radius " << p.radius << (aa ? " anti-aliased" : " plain") << (flipped ? " flipped" : "");
      }
    }
  }
  auto bm = Uniform(16, 16, 0);
  LICE_Circle(bm.get(), 8, 8, 2.01f, kWhite, 1.0f, 0, false);
  EXPECT_NE(Marks(bm.get(), 0), PatternMarks(kPatterns[1].plain, 6, 6)) << "only the exact radii";
  bm = Uniform(16, 16, 0);
  LICE_FillCircle(bm.get(), 8, 8, 2, kWhite, 1.0f, 0, false);
  EXPECT_EQ(LICE_PixelRed(At(bm.get(), 8, 8)), 255) << "filled circles are never patterns";
}

TEST(CircleTest, AlphaAndModeSelectTheCombiner) {
  const LICE_pixel grey = 0x64646464, colour = 0xc9c9c9c9;  // 100 and 201 per channel
  struct Case {
    float alpha;
    int mode;
    bool aa;
    int top;  // the top point (10, 5) afterwards
  } cases[] = {
      {1.0f, 0, false, 201},
      {0.75f, 0, false, 201 - 25},
      {0.5f, 0, false, 150},
      {0.501f, 0, false, 150},
      {0.003f, 0, false, 100},
      {-1.0f, 0, false, 100},
      {-1.0f, 0, true, 100},
      {1.0f, 6, false, 100},
      {1.0f, 0x10001, false, 255},
      // Anti-aliased copy always blends, and the first step reaches the top twice.
      {0.5f, 0, true, 201 - 25},
  };
  for (const Case& c : cases) {
    auto bm = Uniform(20, 20, grey);
    LICE_Circle(bm.get(), 10, 10, 5, colour, c.alpha, c.mode, c.aa);
    EXPECT_EQ(LICE_PixelRed(At(bm.get(), 10, 5)), c.top) << c.alpha << " mode " << c.mode << " aa " << c.aa;
  }
}

// Mirror images of each other about the centre row, except the anti-aliased
// fill, whose spans at whole roots are not symmetric.
TEST(CircleTest, FlippedBitmapsShowTheSamePicture) {
  for (bool filled : {false, true}) {
    for (bool aa : {false, true}) {
      if (filled && aa) continue;
      licetest::CanaryBitmap flipped(24, 20, true, 9);
      auto plain = Uniform(24, 20, 0);
      LICE_Clear(&flipped, 0);
      for (LICE_IBitmap* bm : {static_cast<LICE_IBitmap*>(&flipped), static_cast<LICE_IBitmap*>(plain.get())}) {
        (filled ? LICE_FillCircle : LICE_Circle)(bm, 11, 9, 6, kQuarter, 1.0f, LICE_MODE_ADD, aa);
      }
      EXPECT_EQ(Marks(&flipped, 0), Marks(plain.get(), 0)) << "filled " << filled << " aa " << aa;
      EXPECT_TRUE(flipped.CanariesIntact());
    }
  }
}

TEST(CircleTest, HugeAndNonFiniteArguments) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  auto bm = Uniform(10, 10, 0);
  for (bool aa : {false, true}) {
    LICE_Circle(bm.get(), nan, 5, 3.3f, kWhite, 1.0f, 0, aa);
    LICE_FillCircle(bm.get(), 5, inf, 3.3f, kWhite, 1.0f, 0, aa);
    LICE_Circle(bm.get(), 5, 5, nan, kWhite, 1.0f, 0, aa);
    LICE_Circle(bm.get(), nan, 5, 2, kWhite, 1.0f, 0, aa);
    LICE_Arc(bm.get(), 5, 5, 3.3f, nan, 1, kWhite, 1.0f, 0, aa);
    LICE_FillCircle(bm.get(), 5, 5, 2e6f, kWhite, 1.0f, 0, aa);
  }
  LICE_Circle(bm.get(), 5, 5, 2, kWhite, 1.0f, 0, true);
  EXPECT_EQ(Marks(bm.get(), 0), PatternMarks(kPatterns[1].aa, 3, 3)) << "only the finite radius-2 circle";

  // A million pixels of radius, its leftmost point inside.
  for (bool aa : {false, true}) {
    bm = Uniform(10, 10, 0);
    const auto start = std::chrono::steady_clock::now();
    LICE_Circle(bm.get(), 1e6f + 5, 5, 1e6f, kWhite, 1.0f, 0, aa);
    const auto marks = Marks(bm.get(), 0);
    ASSERT_FALSE(marks.empty()) << "aa " << aa;
    for (const Mark& m : marks) EXPECT_TRUE(m.x >= 4 && m.x <= 6) << m;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  }
}

// The pixels an arc leaves on a black 32 x 32 bitmap, drawn with add, so
// that pixels drawn twice show.
std::vector<Mark> ArcMarks(float a, float b, bool aa, float cx = 15.4f, float cy = 16.2f, float r = 9.6f) {
  auto bm = Uniform(32, 32, 0);
  LICE_Arc(bm.get(), cx, cy, r, a, b, kQuarter, 1.0f, LICE_MODE_ADD, aa);
  return Marks(bm.get(), 0);
}

TEST(ArcTest, AnglesAreOrderedAndBroughtIntoRange) {
  for (bool aa : {false, true}) {
    EXPECT_EQ(ArcMarks(1, 0.5f, aa), ArcMarks(0.5f, 1, aa));
    EXPECT_FALSE(ArcMarks(0.5f, 1, aa).empty());
    auto circle = Uniform(32, 32, 0);
    LICE_Circle(circle.get(), 15.4f, 16.2f, 9.6f, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    EXPECT_EQ(ArcMarks(0, 2 * kPi, aa), Marks(circle.get(), 0));
    EXPECT_EQ(ArcMarks(-3, 40, aa), Marks(circle.get(), 0));
    const float hi = static_cast<float>(std::fmod(8.0, 6.2831854820251465));
    EXPECT_EQ(ArcMarks(7, 8, aa), ArcMarks(7 - (8 - hi), hi, aa));
  }
}

TEST(ArcTest, PiecesAreSplitAtTheHalves) {
  for (bool aa : {false, true}) {
    auto pieces = Uniform(32, 32, 0);
    for (const auto& piece : {std::make_pair(-4.0f, -kPi), std::make_pair(kPi, 2 * kPi), std::make_pair(0.0f, 2.0f)}) {
      LICE_Arc(pieces.get(), 15.4f, 16.2f, 9.6f, piece.first, piece.second, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    }
    EXPECT_EQ(ArcMarks(-4, 2, aa), Marks(pieces.get(), 0)) << "aa " << aa;
  }
  // Column (int)cx belongs to the right half only.
  for (bool aa : {false, true}) {
    for (const Mark& m : ArcMarks(-kPi / 2, 0, aa, 15, 16, 9)) EXPECT_LT(m.x, 15) << m;
    const auto right = ArcMarks(0, kPi / 2, aa, 15, 16, 9);
    EXPECT_NE(std::find_if(right.begin(), right.end(), [](const Mark& m) { return m.x == 15 && m.y == 7; }),
              right.end())
        << "the top point";
  }
}

TEST(RoundRectTest, CornersAndTheirLimits) {
  for (bool aa : {false, true}) {
    for (const auto& [w, corner] : {std::make_pair(10.7f, 1), std::make_pair(10.7f, 0), std::make_pair(3.9f, 20)}) {
      auto bm = Uniform(40, 40, 0);
      LICE_RoundRect(bm.get(), 2.6f, 3.2f, w, 30.5f, corner, kQuarter, 1.0f, LICE_MODE_ADD, aa);
      auto expected = Uniform(40, 40, 0);
      LICE_DrawRect(expected.get(), 2, 3, static_cast<int>(w), 30, kQuarter, 1.0f, LICE_MODE_ADD);
      EXPECT_EQ(Marks(bm.get(), 0), Marks(expected.get(), 0)) << "corner " << corner << " width " << w;
    }
    // Corner 20 on 10 x 30 is limited to 5: the top side runs from x + 5 to x + w - 5.
    auto bm = Uniform(40, 40, 0);
    LICE_RoundRect(bm.get(), 2, 3, 10, 30, 20, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    auto expected = Uniform(40, 40, 0);
    LICE_Line(expected.get(), 7, 3, 7, 3, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    LICE_Line(expected.get(), 6, 33, 7, 33, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    LICE_Line(expected.get(), 12, 8, 12, 28, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    LICE_Line(expected.get(), 2, 7, 2, 28, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    LICE_Arc(expected.get(), 7, 8, 5, -kPi / 2, 0, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    LICE_Arc(expected.get(), 7, 8, 5, 0, kPi / 2, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    LICE_Arc(expected.get(), 7, 28, 5, kPi / 2, kPi, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    LICE_Arc(expected.get(), 7, 28, 5, kPi, 3 * kPi / 2, kQuarter, 1.0f, LICE_MODE_ADD, aa);
    EXPECT_EQ(Marks(bm.get(), 0), Marks(expected.get(), 0));
  }
}

// Limits on far coordinates hold for the edges, not for the width and
// height: a rectangle reaching far beyond both sides still has its top and
// bottom rows across the bitmap, and its sides and corners lie outside it.
TEST(RoundRectTest, FarEdgesOnBothSides) {
  struct Case {
    float x, w;
    int corner;
  } cases[] = {{-3e8f, 6e8f, 5}, {-3e9f, 6e9f, 5}, {-3e9f, 6e9f, 0}, {-1e30f, 2e30f, 3}};
  for (const Case& c : cases) {
    for (bool aa : {false, true}) {
      auto bm = Uniform(20, 20, 0);
      LICE_RoundRect(bm.get(), c.x, 2, c.w, 10, c.corner, kQuarter, 1.0f, LICE_MODE_ADD, aa);
      std::vector<Mark> expected;
      for (int y : {2, 12}) {
        for (int x = 0; x < 20; ++x) expected.push_back({x, y, 0x40});
      }
      EXPECT_EQ(Marks(bm.get(), 0), expected) << "x " << c.x << " width " << c.w << " corner " << c.corner;
    }
  }
}

}  // namespace
