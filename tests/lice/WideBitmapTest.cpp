#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lice/Circles.h"
#include "lice/Curves.h"
#include "lice/Lines.h"
#include "tests/lice/SparseBitmap.h"

// Float-coordinate shapes on a bitmap wider than 2^28 pixels land where
// they are drawn: coordinates are limited by the bitmap's own size, not by
// a fixed bound. At 2.9e8 floats are 32 pixels apart, so shapes there
// collapse toward whole multiples of 32; where they land is what counts.

namespace {

using licetest::SparseBitmap;

constexpr int kWidth = 300000000, kHeight = 2;
constexpr int kAt = 290000000;  // a multiple of 32: exact in single precision
constexpr int kOldLimit = 1 << 28;
constexpr LICE_pixel kWhite = 0xffffffff;

struct Shape {
  std::string name;
  std::function<void(LICE_IBitmap*)> draw;
  int first, last;  // the columns it may touch near kAt
  int fullRows;      // bit r: it touches every one of them on row r
};

std::vector<int> TouchedColumns(const SparseBitmap& bm, int from, int to, int row) {
  std::vector<int> columns;
  for (int x = from; x <= to; ++x) {
    if (bm.At(x, row) != 0) columns.push_back(x);
  }
  return columns;
}

TEST(WideBitmapTest, FloatShapesLandWhereTheyAreDrawn) {
  const float at = static_cast<float>(kAt);
  const Shape shapes[] = {
      {"line", [at](LICE_IBitmap* bm) { LICE_FLine(bm, at, 0.5f, at + 64, 0.5f, kWhite, 1.0f, 0, false); }, kAt,
       kAt + 64, 1},
      {"anti-aliased line", [at](LICE_IBitmap* bm) { LICE_FLine(bm, at, 0.5f, at + 64, 0.5f, kWhite, 1.0f, 0, true); },
       kAt, kAt + 64, 3},
      {"filled circle", [at](LICE_IBitmap* bm) { LICE_FillCircle(bm, at, 0.5f, 1.25f, kWhite, 1.0f, 0, false); }, kAt,
       kAt, 0},
      {"small circle", [at](LICE_IBitmap* bm) { LICE_Circle(bm, at, 1, 2, kWhite, 1.0f, 0, true); }, kAt, kAt + 4,
       0},
      {"arc", [at](LICE_IBitmap* bm) { LICE_Arc(bm, at, 9, 8, -1, 1, kWhite, 1.0f, 0, false); }, kAt - 32, kAt + 32,
       0},
      {"rectangle", [at](LICE_IBitmap* bm) { LICE_RoundRect(bm, at, 0, 64, 1, 4, kWhite, 1.0f, 0, false); }, kAt,
       kAt + 64, 3},
      {"cubic curve",
       [at](LICE_IBitmap* bm) {
         LICE_DrawCBezier(bm, at, 0.5f, at + 32, 0.5f, at + 32, 0.5f, at + 64, 0.5f, kWhite, 1.0f, 0, false, 1.0f);
       },
       kAt, kAt + 64, 0},
  };
  for (const Shape& shape : shapes) {
    SparseBitmap bm(kWidth, kHeight);
    ASSERT_NE(bm.getBits(), nullptr) << "no address space for a sparse " << kWidth << " x " << kHeight << " bitmap";
    shape.draw(&bm);
    bool any = false;
    for (int row = 0; row < kHeight; ++row) {
      EXPECT_TRUE(TouchedColumns(bm, kOldLimit - 64, kOldLimit + 64, row).empty()) << shape.name << " row " << row;
      const auto touched = TouchedColumns(bm, kAt - 256, kAt + 256, row);
      any = any || !touched.empty();
      for (int x : touched) EXPECT_TRUE(x >= shape.first && x <= shape.last) << shape.name << " column " << x;
      if (shape.fullRows & (1 << row)) {
        EXPECT_EQ(touched.size(), static_cast<size_t>(shape.last - shape.first + 1)) << shape.name << " row " << row;
      }
    }
    EXPECT_TRUE(any) << shape.name << " draws nothing";
  }
}

}  // namespace
