#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "lice/Polygons.h"
#include "lice/RectOps.h"
#include "lice/TrapezoidKernels.h"
#include "tests/lice/CanaryBitmap.h"
#include "tests/lice/DrawingFixture.h"
#include "tests/lice/RasterFixture.h"
#include "tests/support/AllocationCounter.h"

// Trapezoid kernels and fills, triangles, convex polygons and rectangles:
// the pixels each covers, that each is combined once, the order of
// arguments not mattering, clipping far outside the bitmap.

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

// Every pixel of the rows y1..y2, from column left(y) to right(y).
template <class Left, class Right>
std::vector<Mark> Area(int y1, int y2, Left left, Right right, int value) {
  std::vector<Mark> marks;
  for (int y = y1; y <= y2; ++y) {
    for (int x = left(y); x <= right(y); ++x) marks.push_back({x, y, value});
  }
  return marks;
}

std::vector<Mark> Rect(int x1, int y1, int x2, int y2, int value) {
  return Area(y1, y2, [x1](int) { return x1; }, [x2](int) { return x2; }, value);
}

// The first pixel of each row the trapezoid kernel fills, one pixel per row.
std::vector<RecordedCall> KernelRows(int wid, int rows, int xa, int dx) {
  std::vector<LICE_pixel> buffer(static_cast<size_t>(16 * rows));
  RecordedCalls::Start(buffer.data());
  _LICE_Fill<RecordingCombiner>::FillClippedTrapezoid(wid, 16, buffer.data(), rows, xa, xa + 1, dx, dx, 0, 0, 1, 1,
                                                      0, 0, 0, 0, 7);
  return RecordedCalls::calls();
}

TEST(TrapezoidKernelTest, EdgesStepInSixteenSixteen) {
  // 1.5 columns per row: moves of 1 and 2 alternate.
  EXPECT_EQ(KernelRows(16, 5, 0, 98304),
            (std::vector<RecordedCall>{{0, 7}, {16 + 1, 7}, {32 + 3, 7}, {48 + 4, 7}, {64 + 6, 7}}));
  // Rows wholly left of the bitmap fill nothing, and the edges still move.
  EXPECT_EQ(KernelRows(16, 5, -3, 65536), (std::vector<RecordedCall>{{48 + 0, 7}, {64 + 1, 7}}));
  // Clipped on the right at wid.
  EXPECT_EQ(KernelRows(3, 3, 1, 65536), (std::vector<RecordedCall>{{1, 7}, {16 + 2, 7}}));
}

TEST(TrapezoidKernelTest, RectanglesIgnoreTheWidth) {
  std::vector<LICE_pixel> buffer(48);
  RecordedCalls::Start(buffer.data());
  _LICE_Fill<RecordingCombiner>::FillClippedTrapezoid(2, 16, buffer.data() + 1, 3, 0, 4, 0, 0, 0, 0, 1, 1, 0, 0, 0,
                                                      0, 9);
  std::vector<RecordedCall> expected;
  for (int row = 0; row < 3; ++row) {
    for (int x = 1; x <= 4; ++x) expected.push_back({row * 16 + x, 9});
  }
  EXPECT_EQ(RecordedCalls::calls(), expected);
  std::vector<LICE_pixel> words(48, kWhite);
  _LICE_FillFast<_LICE_CombinePixelsQuarterMix2FAST>::FillClippedTrapezoidFAST(
      2, 16, words.data(), 1, 0, 3, 0, 0, 0, 0, 1, 1, _LICE_CombinePixelsQuarterMix2FAST::prepareColor(0));
  EXPECT_EQ(words[2], 0xbebebebeu) << "quarter of black into white";
  EXPECT_EQ(words[3], kWhite);
}

TEST(FillTrapezoidTest, Shapes) {
  struct Case {
    int x1a, x1b, y1, x2a, x2b, y2;
    std::vector<Mark> marks;
  } cases[] = {
      {2, 5, 1, 2, 5, 3, Rect(2, 1, 5, 3, 1)},
      {5, 2, 3, 5, 2, 1, Rect(2, 1, 5, 3, 1)},
      // A single row: the second edge only takes part in the rejection tests.
      {1, 4, 2, 0, 9, 2, Rect(1, 2, 4, 2, 1)},
      // A left step of 21845 never reaches a whole column in four rows.
      {0, 10, 0, 1, 10, 3, Rect(0, 0, 10, 3, 1)},
      // A triangle: the right edge one column per row.
      {0, 0, 0, 0, 4, 4, Area(0, 4, [](int) { return 0; }, [](int y) { return y; }, 1)},
      // Edges wholly outside one side become vertical edges on the border.
      {-9, 3, 5, -7, 3, 8, Rect(0, 5, 3, 8, 1)},
      {8, 40, 7, 9, 50, 9, Area(7, 9, [](int y) { return y == 9 ? 9 : 8; }, [](int) { return 11; }, 1)},
      {-5, -1, 0, -9, -2, 5, {}},
      {12, 20, 0, 14, 30, 5, {}},
      {0, 5, -9, 0, 5, -1, {}},
      {0, 5, 12, 0, 5, 20, {}},
  };
  for (const Case& c : cases) {
    auto bm = Uniform(12, 12, 0);
    LICE_FillTrapezoid(bm.get(), c.x1a, c.x1b, c.y1, c.x2a, c.x2b, c.y2, kOne, 1.0f, LICE_MODE_ADD);
    EXPECT_EQ(Marks(bm.get(), 0), c.marks) << c.x1a << ".." << c.x1b << "@" << c.y1 << " " << c.x2a << ".." << c.x2b
                                           << "@" << c.y2;
  }
}

TEST(FillTrapezoidTest, AboveTheBitmapTheEdgesArriveAdvanced) {
  // The right edge moves one column per row from 2^30 rows above: it
  // reaches column 5 at row 0, past any 32-bit product of step and rows.
  const int top = -(1 << 30) + 16;
  auto bm = Uniform(20, 10, 0);
  LICE_FillTrapezoid(bm.get(), INT_MIN, 5 + top, top, 0, 21, 16, kOne, 1.0f, LICE_MODE_ADD);
  EXPECT_EQ(Marks(bm.get(), 0), Area(0, 9, [](int) { return 0; }, [](int y) { return 5 + y; }, 1));
}

TEST(FillTrapezoidTest, CopyWeights) {
  const LICE_pixel d = LICE_MakePixel(100, 21, 240, 7), c = LICE_MakePixel(11, 200, 60, 251);
  struct Case {
    float alpha;
    int mode;
    LICE_pixel expected;
  } cases[] = {
      {1.0f, LICE_MODE_SOURCE_ALPHA, c},
      {0.5f, 0, LICE_MakePixel(50 + 5, 10 + 100, 120 + 30, 3 + 125)},
      {0.25f, 0, ((d >> 1) & 0x7f7f7f7f) + ((d >> 2) & 0x3f3f3f3f) + ((c >> 2) & 0x3f3f3f3f)},
      {0.75f, 0, ((d >> 2) & 0x3f3f3f3f) + ((c >> 1) & 0x7f7f7f7f) + ((c >> 2) & 0x3f3f3f3f)},
      {0.6f, 0, LICE_MakePixel(11 + (89 * 103) / 256, 200 + (-179 * 103) / 256, 60 + (180 * 103) / 256,
                               251 + (-244 * 103) / 256)},
      {0.001f, 0, d},
      {-1.0f, 0, d},
      {1.0f, 6, d},
  };
  for (const Case& k : cases) {
    auto bm = Uniform(4, 4, d);
    LICE_FillTrapezoid(bm.get(), 1, 2, 1, 1, 2, 2, c, k.alpha, k.mode);
    EXPECT_EQ(At(bm.get(), 2, 2), k.expected) << k.alpha << " mode " << k.mode;
    EXPECT_EQ(At(bm.get(), 3, 2), d);
  }
}

TEST(FillTrapezoidTest, AddressesStoredRowsWhilePolygonsFollowThePicture) {
  licetest::CanaryBitmap bm(6, 6, true, 3);
  LICE_Clear(&bm, 0);
  LICE_FillTrapezoid(&bm, 1, 2, 0, 1, 2, 0, kWhite, 1.0f, 0);
  EXPECT_EQ(bm.getBits()[1], kWhite) << "stored row 0";
  LICE_Clear(&bm, 0);
  LICE_FillTriangle(&bm, 0, 0, 3, 0, 0, 3, kOne, 1.0f, LICE_MODE_ADD);
  EXPECT_EQ(Marks(&bm, 0), Area(0, 3, [](int) { return 0; }, [](int y) { return 3 - y; }, 1));
  EXPECT_TRUE(bm.CanariesIntact());
}

TEST(PolygonTest, TriangleCombinesEachPixelOnce) {
  auto bm = Uniform(13, 13, 0);
  LICE_FillTriangle(bm.get(), 0, 0, 10, 0, 0, 10, kOne, 1.0f, LICE_MODE_ADD);
  const auto marks = Marks(bm.get(), 0);
  EXPECT_EQ(marks.size(), 66u);
  EXPECT_EQ(marks, Area(0, 10, [](int) { return 0; }, [](int y) { return 10 - y; }, 1));
}

TEST(PolygonTest, AnyVertexOrderAndInnerPointsFillTheConvexHull) {
  std::vector<std::pair<int, int>> points = {{1, 2}, {9, 0}, {11, 7}, {4, 11}, {5, 5}, {6, 4}};
  auto reference = Uniform(13, 13, 0);
  {
    const int x[] = {1, 9, 11, 4}, y[] = {2, 0, 7, 11};
    LICE_FillConvexPolygon(reference.get(), x, y, 4, kOne, 1.0f, LICE_MODE_ADD);
  }
  const auto expected = Marks(reference.get(), 0);
  for (const Mark& m : expected) ASSERT_EQ(m.value, 1) << m;
  EXPECT_GT(expected.size(), 60u);
  std::sort(points.begin(), points.end());
  do {
    std::vector<int> x, y;
    for (const auto& p : points) x.push_back(p.first), y.push_back(p.second);
    auto bm = Uniform(13, 13, 0);
    LICE_FillConvexPolygon(bm.get(), x.data(), y.data(), static_cast<int>(x.size()), kOne, 1.0f, LICE_MODE_ADD);
    ASSERT_EQ(Marks(bm.get(), 0), expected);
  } while (std::next_permutation(points.begin(), points.end()));
}

TEST(PolygonTest, FlatPolygons) {
  struct Case {
    std::vector<int> x;
    int y;
    std::vector<Mark> marks;
  } cases[] = {
      {{3, 7, 5}, 4, Rect(3, 4, 7, 4, 1)},
      {{-3, 20, 5}, 4, Rect(0, 4, 9, 4, 1)},
      {{-10, -3, -5}, 4, {}},
      {{12, 30, 15}, 4, {}},
      {{3, 7, 5}, -1, {}},
      {{3, 7, 5}, 10, {}},
  };
  for (const Case& c : cases) {
    auto bm = Uniform(10, 10, 0);
    const std::vector<int> y(c.x.size(), c.y);
    LICE_FillConvexPolygon(bm.get(), c.x.data(), y.data(), 3, kOne, 1.0f, LICE_MODE_ADD);
    EXPECT_EQ(Marks(bm.get(), 0), c.marks) << c.x[0] << " row " << c.y;
  }
}

TEST(PolygonTest, HugeCoordinatesClipToTheBitmap) {
  auto bm = Uniform(10, 10, 0);
  const int x[] = {INT_MIN, INT_MAX, INT_MAX, INT_MIN}, y[] = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  LICE_FillConvexPolygon(bm.get(), x, y, 4, kOne, 1.0f, LICE_MODE_ADD);
  EXPECT_EQ(Marks(bm.get(), 0), Rect(0, 0, 9, 9, 1));
}

TEST(PolygonTest, ManyVerticesUseTheHeapAndFailSafely) {
  // A square and its corners again, 4 + 4k vertices.
  auto square = [](int count) {
    std::vector<int> x, y;
    const int cx[] = {2, 8, 8, 2}, cy[] = {1, 1, 7, 7};
    for (int i = 0; i < count; ++i) x.push_back(cx[i % 4]), y.push_back(cy[i % 4]);
    return std::make_pair(x, y);
  };
  const auto expected = Rect(2, 1, 8, 7, 255);
  for (int count : {4, 512, 516}) {
    const auto [x, y] = square(count);
    auto bm = Uniform(10, 10, 0);
    testsupport::AllocationCounter allocations;
    LICE_FillConvexPolygon(bm.get(), x.data(), y.data(), count, kWhite, 1.0f, 0);
    EXPECT_EQ(allocations.count(), count > 512 ? 1u : 0u) << count;
    EXPECT_EQ(Marks(bm.get(), 0), expected) << count;
  }
  const auto [x, y] = square(516);
  auto bm = Uniform(10, 10, 0);
  {
    testsupport::FailingAllocations failing;
    LICE_FillConvexPolygon(bm.get(), x.data(), y.data(), 516, kWhite, 1.0f, 0);
  }
  EXPECT_TRUE(Marks(bm.get(), 0).empty()) << "no memory for the vertices: nothing drawn";
}

TEST(RectTest, OutlinesAndBorderedRectangles) {
  auto outline = [](int x1, int y1, int x2, int y2, int side, int corner) {
    std::vector<Mark> marks;
    for (int y = y1; y <= y2; ++y) {
      for (int x = x1; x <= x2; ++x) {
        const bool onX = x == x1 || x == x2, onY = y == y1 || y == y2;
        if (onX || onY) marks.push_back({x, y, onX && onY ? corner : side});
      }
    }
    return marks;
  };
  auto bm = Uniform(10, 10, 0);
  LICE_DrawRect(bm.get(), 1, 2, 5, 4, kWhite, 1.0f, 0);
  EXPECT_EQ(Marks(bm.get(), 0), outline(1, 2, 6, 6, 255, 255));
  bm = Uniform(10, 10, 0);
  LICE_DrawRect(bm.get(), 1, 2, 5, 4, kOne, 1.0f, LICE_MODE_ADD);
  EXPECT_EQ(Marks(bm.get(), 0), outline(1, 2, 6, 6, 1, 2)) << "each corner is drawn by two sides";

  bm = Uniform(10, 10, 0);
  LICE_BorderedRect(bm.get(), 1, 2, 5, 4, 0x08080808, kWhite, 1.0f, 0);
  std::vector<Mark> expected = outline(1, 2, 6, 6, 255, 255);
  for (const Mark& m : Rect(2, 3, 5, 5, 8)) expected.push_back(m);
  std::sort(expected.begin(), expected.end(), [](const Mark& a, const Mark& b) {
    return a.y != b.y ? a.y < b.y : a.x < b.x;
  });
  EXPECT_EQ(Marks(bm.get(), 0), expected);
  for (int size : {0, 1}) {
    bm = Uniform(10, 10, 0);
    LICE_BorderedRect(bm.get(), 1, 2, size, 4, 0x08080808, kWhite, 1.0f, 0);
    EXPECT_EQ(Marks(bm.get(), 0), outline(1, 2, 1 + size, 6, 255, 255));
  }
  bm = Uniform(10, 10, 0);
  LICE_DrawRect(bm.get(), INT_MAX - 1, 2, INT_MAX, 4, kWhite, 1.0f, 0);
  EXPECT_TRUE(Marks(bm.get(), 0).empty()) << "x + w saturates instead of wrapping onto the bitmap";
}

}  // namespace
