#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <limits>
#include <vector>

#include "lice/BezierEval.h"
#include "lice/Curves.h"
#include "lice/Lines.h"
#include "tests/lice/DrawingFixture.h"
#include "tests/lice/RasterFixture.h"

// Bezier evaluation at an x, curves drawn as chains of float lines and the
// fills toward a row or a column, with the segment count's bounds.

namespace {

using licetest::Mark;
using licetest::Marks;
using licetest::Uniform;

constexpr LICE_pixel kWhite = 0xffffffff;
constexpr LICE_pixel kOne = 0x01010101;

TEST(BezierEvalTest, Quadratic) {
  double t = -1;
  EXPECT_EQ(LICE_Bezier_GetY<float>(0, 10, 30, 3, 10, 7, 0, &t), 3.0f);
  EXPECT_EQ(t, 0.0);
  EXPECT_EQ(LICE_Bezier_GetY<float>(0, 10, 30, 3, 10, 7, 30, &t), 7.0f);
  EXPECT_EQ(t, 1.0);
  // The control point midway: x moves linearly and its y is not used.
  EXPECT_EQ(LICE_Bezier_GetY<float>(0, 10, 20, 0, 100, 4, 5, &t), 1.0f);
  EXPECT_EQ(t, 0.25);
  // t = (sqrt(1000) - 20) / 20 at x = 15, and y = 20 (1 - t) t.
  EXPECT_NEAR(LICE_Bezier_GetY<float>(0, 10, 30, 0, 10, 0, 15, &t), 4.868330f, 1e-5);
  EXPECT_NEAR(t, 0.5811388, 1e-7);
  EXPECT_NEAR(LICE_Bezier_GetY<float>(0, 10, 30, 0, 10, 0, 2.5f, nullptr), 2.082039f, 1e-5);
}

TEST(BezierEvalTest, CubicBracketsTheParameter) {
  float next = 0, slope = -1;
  double lo = -1, hi = -1;
  // A straight, evenly spaced curve: the first halving hits x = 15 exactly.
  EXPECT_EQ(LICE_CBezier_GetY<float>(0, 10, 20, 30, 0, 10, 20, 30, 15, &next, &slope, &lo, &hi), 15.0f);
  EXPECT_EQ(lo, 0.5);
  EXPECT_EQ(hi, 0.50390625);
  EXPECT_EQ(next, 15.1171875f);
  EXPECT_FLOAT_EQ(slope, 1.0f);

  EXPECT_NEAR(LICE_CBezier_GetY<float>(0, 10, 20, 30, 0, 10, 20, 30, 7, &next, &slope, &lo, &hi), 7.0f, 1e-5);
  EXPECT_DOUBLE_EQ(hi - lo, 1.0 / 256);
  EXPECT_LE(lo, 7.0 / 30);
  EXPECT_GE(hi, 7.0 / 30);

  lo = hi = -1;
  EXPECT_EQ(LICE_CBezier_GetY<float>(5, 10, 20, 30, 1, 2, 3, 4, 4, &next, &slope, &lo, &hi), 1.0f);
  EXPECT_EQ(next, 5.0f);
  EXPECT_EQ(slope, 0.0f);
  EXPECT_EQ(LICE_CBezier_GetY<float>(5, 10, 20, 30, 1, 2, 3, 4, 30, &next, &slope, &lo, &hi), 4.0f);
  EXPECT_EQ(next, 30.0f);
  EXPECT_EQ(lo, -1.0) << "the parameters are left alone at the ends";
}

std::vector<Mark> Drawn(const std::function<void(LICE_IBitmap*)>& draw) {
  auto bm = Uniform(24, 20, 0);
  draw(bm.get());
  return Marks(bm.get(), 0);
}

TEST(CurveTest, SegmentsOfTheQuadraticCurve) {
  for (bool aa : {false, true}) {
    const auto curve = Drawn([aa](LICE_IBitmap* bm) {
      LICE_DrawQBezier(bm, 2, 3, 10, 18, 19, 5, kWhite, 1.0f, 0, aa, 1.0f);
    });
    EXPECT_GT(curve.size(), 20u);
    EXPECT_EQ(Drawn([aa](LICE_IBitmap* bm) { LICE_DrawQBezier(bm, 19, 5, 10, 18, 2, 3, kWhite, 1.0f, 0, aa, 1.0f); }),
              curve)
        << "given end first";
    for (float tol : {0.0f, -5.0f}) {
      EXPECT_EQ(Drawn([aa, tol](LICE_IBitmap* bm) {
                  LICE_DrawQBezier(bm, 2, 3, 10, 18, 19, 5, kWhite, 1.0f, 0, aa, tol);
                }),
                curve)
          << "tolerance " << tol << " is 1";
    }
    // A tolerance longer than the control polygon: one straight line.
    EXPECT_EQ(Drawn([aa](LICE_IBitmap* bm) { LICE_DrawQBezier(bm, 2, 3, 10, 18, 19, 5, kWhite, 1.0f, 0, aa, 50); }),
              Drawn([aa](LICE_IBitmap* bm) { LICE_FLine(bm, 2, 3, 19, 5, kWhite, 1.0f, 0, aa); }));
    EXPECT_TRUE(
        Drawn([aa](LICE_IBitmap* bm) { LICE_DrawQBezier(bm, -9, 3, -5, 18, -1, 5, kWhite, 1.0f, 0, aa, 1); }).empty())
        << "wholly left of the bitmap";
    EXPECT_TRUE(
        Drawn([aa](LICE_IBitmap* bm) { LICE_DrawQBezier(bm, 24, 3, 30, 18, 40, 5, kWhite, 1.0f, 0, aa, 1); }).empty())
        << "starting at the width";
  }
}

TEST(CurveTest, SegmentsOfTheCubicCurve) {
  for (bool aa : {false, true}) {
    // Control polygon 24 long at tolerance 12: two lines meeting at t = 1/2.
    EXPECT_EQ(Drawn([aa](LICE_IBitmap* bm) {
                LICE_DrawCBezier(bm, 0, 0, 0, 8, 8, 8, 8, 0, kOne, 1.0f, LICE_MODE_ADD, aa, 12);
              }),
              Drawn([aa](LICE_IBitmap* bm) {
                LICE_FLine(bm, 0, 0, 4, 6, kOne, 1.0f, LICE_MODE_ADD, aa);
                LICE_FLine(bm, 4, 6, 8, 0, kOne, 1.0f, LICE_MODE_ADD, aa);
              }));
    const auto curve = Drawn([aa](LICE_IBitmap* bm) {
      LICE_DrawCBezier(bm, 1, 2, 4, 19, 15, -6, 22, 12, kWhite, 1.0f, 0, aa, 1);
    });
    EXPECT_GT(curve.size(), 20u);
    EXPECT_EQ(Drawn([aa](LICE_IBitmap* bm) {
                LICE_DrawCBezier(bm, 22, 12, 15, -6, 4, 19, 1, 2, kWhite, 1.0f, 0, aa, 1);
              }),
              curve);
    EXPECT_TRUE(Drawn([aa](LICE_IBitmap* bm) {
                  LICE_DrawCBezier(bm, 25, 2, 30, 19, 40, -6, 50, 12, kWhite, 1.0f, 0, aa, 1);
                }).empty())
        << "starting beyond the width";
  }
}

TEST(CurveTest, SegmentCountsAreBoundedAndNonFiniteInputDrawsNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  // 24 / 65536 = 3 * 2^-13 exactly gives the largest count; smaller tolerances keep it.
  const auto capped = Drawn([](LICE_IBitmap* bm) {
    LICE_DrawCBezier(bm, 0, 0, 0, 8, 8, 8, 8, 0, kWhite, 1.0f, 0, true, 24.0f / 65536);
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Drawn([](LICE_IBitmap* bm) {
              LICE_DrawCBezier(bm, 0, 0, 0, 8, 8, 8, 8, 0, kWhite, 1.0f, 0, true, 1e-30f);
            }),
            capped);
  EXPECT_FALSE(capped.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  EXPECT_TRUE(Drawn([&](LICE_IBitmap* bm) {
                LICE_DrawQBezier(bm, 0, 0, nan, 8, 8, 8, kWhite, 1.0f, 0, false, 1);
                LICE_DrawQBezier(bm, 0, 0, 4, 8, 8, 8, kWhite, 1.0f, 0, false, nan);
                LICE_DrawCBezier(bm, 0, 0, 0, 8, 8, inf, 8, 0, kWhite, 1.0f, 0, false, 1);
                LICE_FillCBezier(bm, 0, 0, 0, 8, 8, 8, 8, -inf, 5, kWhite, 1.0f, 0, 1);
                LICE_FillCBezierX(bm, 0, 0, 0, 8, 8, 8, 8, 0, 5, kWhite, 1.0f, 0, nan);
              }).empty());
}

std::vector<Mark> Rect(int x1, int y1, int x2, int y2, int value) {
  std::vector<Mark> marks;
  for (int y = y1; y <= y2; ++y) {
    for (int x = x1; x <= x2; ++x) marks.push_back({x, y, value});
  }
  return marks;
}

TEST(CurveFillTest, TowardARow) {
  // A straight curve on row 10 from x 0 to 12, points every three columns.
  EXPECT_EQ(Drawn([](LICE_IBitmap* bm) {
              LICE_FillCBezier(bm, 0, 10, 4, 10, 8, 10, 12, 10, 2, kOne, 1.0f, LICE_MODE_ADD, 3);
            }),
            Rect(0, 2, 11, 10, 1))
      << "from the fill row down to the curve, no column past the whole end x";
  EXPECT_EQ(Drawn([](LICE_IBitmap* bm) {
              LICE_FillCBezier(bm, 12, 3, 8, 3, 4, 3, 0, 3, 10, kOne, 1.0f, LICE_MODE_ADD, 3);
            }),
            Rect(0, 3, 11, 11, 1))
      << "from the curve down to the row after the fill row";
  EXPECT_EQ(Drawn([](LICE_IBitmap* bm) {
              LICE_FillCBezier(bm, 5, 3, 5.5f, 3, 6, 3, 6.5f, 3, 8, kOne, 1.0f, LICE_MODE_ADD, 1);
            }),
            Rect(5, 3, 5, 8, 1))
      << "a strip one column wide is a line down to the fill row";
}

TEST(CurveFillTest, TowardAColumn) {
  EXPECT_EQ(Drawn([](LICE_IBitmap* bm) {
              LICE_FillCBezierX(bm, 10, 0, 10, 4, 10, 8, 10, 12, 2, kWhite, 1.0f, 0, 3);
            }),
            Rect(2, 0, 10, 12, 255))
      << "each strip reaches one row past its last curve row";
  EXPECT_EQ(Drawn([](LICE_IBitmap* bm) {
              LICE_FillCBezierX(bm, 3, 12, 3, 8, 3, 4, 3, 0, 9, kWhite, 1.0f, 0, 3);
            }),
            Rect(3, 0, 10, 12, 255));
}

}  // namespace
