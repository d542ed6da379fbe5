#include <gtest/gtest.h>

#include <cmath>

#include "lice/Circles.h"
#include "lice/Curves.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/Lines.h"
#include "lice/Polygons.h"
#include "tests/lice/RasterFixture.h"
#include "tests/support/PngWriter.h"

// A sheet of every drawing primitive for a person to look at, written to
// lice-drawing-sheet.png among the test output. Rows: integer lines; float and dashed lines; circle
// outlines (the six pattern radii, then larger); filled circles; arcs and
// rounded rectangles; rectangles and trapezoids; triangles and polygons;
// quadratic and cubic curves; curve fills toward a row and a column.
// Columns: the ways of drawing in kStyles, over a colour gradient.

namespace {

constexpr int kCell = 100, kColumns = 9, kRows = 9;
constexpr float kPi = 3.1415927f;

struct Style {
  float alpha;
  int mode;
  bool aa;
};

const Style kStyles[kColumns] = {
    {1.0f, LICE_MODE_COPY, false},     {1.0f, LICE_MODE_COPY, true},     {0.5f, LICE_MODE_COPY, false},
    {0.5f, LICE_MODE_COPY, true},      {0.6f, LICE_MODE_ADD, true},      {1.0f, LICE_MODE_MULTIPLY, false},
    {1.0f, LICE_MODE_OVERLAY, true},   {0.8f, LICE_MODE_DODGE, true},    {1.0f, LICE_MODE_HSV_ADJUST, false},
};

// The colour of a row: an adjustment for HSV adjust (hue turned by a third).
LICE_pixel RowColour(int row, const Style& s) {
  if (s.mode == LICE_MODE_HSV_ADJUST) return LICE_MakePixel(213, 160, 150, 255);
  const LICE_pixel colours[] = {LICE_MakePixel(255, 255, 255, 255), LICE_MakePixel(255, 230, 40, 255),
                                LICE_MakePixel(40, 255, 255, 255),  LICE_MakePixel(255, 80, 200, 255),
                                LICE_MakePixel(120, 255, 90, 255),  LICE_MakePixel(255, 140, 40, 255),
                                LICE_MakePixel(150, 160, 255, 255), LICE_MakePixel(255, 255, 160, 255),
                                LICE_MakePixel(230, 60, 60, 255)};
  return colours[row];
}

void DrawCell(LICE_IBitmap* bm, int row, float x, float y, const Style& s) {
  const LICE_pixel c = RowColour(row, s);
  const float a = s.alpha;
  const int m = s.mode, ix = static_cast<int>(x), iy = static_cast<int>(y);
  switch (row) {
    case 0:
      for (int k = 0; k < 16; ++k) {
        const float t = k * kPi / 8;
        LICE_Line(bm, ix + 50, iy + 50, ix + 50 + static_cast<int>(44 * std::sin(t)),
                  iy + 50 - static_cast<int>(44 * std::cos(t)), c, a, m, s.aa);
      }
      break;
    case 1:
      for (int k = 0; k < 7; ++k) {
        LICE_FLine(bm, x + 4.3f + k * 0.37f, y + 6 + k * 9.6f, x + 70.6f, y + 4 + k * 12.25f, c, a, m, s.aa);
      }
      LICE_DashedLine(bm, ix + 78, iy + 4, ix + 78, iy + 95, 4, 3, c, a, m, s.aa);
      LICE_DashedLine(bm, ix + 88, iy + 4, ix + 88, iy + 95, 1, 1, c, a, m, s.aa);
      break;
    case 2: {
      const float radii[] = {1.5f, 2, 2.5f, 3, 3.5f, 4};
      for (int k = 0; k < 6; ++k) LICE_Circle(bm, x + 10 + k * 15, y + 10, radii[k], c, a, m, s.aa);
      LICE_Circle(bm, x + 25, y + 55, 18.5f, c, a, m, s.aa);
      LICE_Circle(bm, x + 72, y + 60, 24, c, a, m, s.aa);
      LICE_Circle(bm, x + 72, y + 60, 9.3f, c, a, m, s.aa);
      break;
    }
    case 3:
      LICE_FillCircle(bm, x + 28, y + 30, 22.4f, c, a, m, s.aa);
      LICE_FillCircle(bm, x + 72, y + 70, 20, c, a, m, s.aa);
      LICE_FillCircle(bm, x + 20, y + 80, 6.5f, c, a, m, s.aa);
      break;
    case 4:
      LICE_Arc(bm, x + 30, y + 30, 24, -kPi / 2, kPi * 0.8f, c, a, m, s.aa);
      LICE_Arc(bm, x + 30, y + 30, 14, kPi * 0.6f, kPi * 1.9f, c, a, m, s.aa);
      LICE_Arc(bm, x + 75, y + 25, 18, -4, 2, c, a, m, s.aa);
      LICE_RoundRect(bm, x + 8, y + 60, 84, 34, 10, c, a, m, s.aa);
      break;
    case 5:
      LICE_DrawRect(bm, ix + 5, iy + 5, 40, 30, c, a, m);
      LICE_BorderedRect(bm, ix + 52, iy + 5, 42, 30, RowColour(1, s), c, a, m);
      LICE_FillTrapezoid(bm, ix + 30, ix + 60, iy + 42, ix + 5, ix + 94, iy + 94, c, a, m);
      break;
    case 6: {
      LICE_FillTriangle(bm, ix + 5, iy + 5, ix + 60, iy + 12, ix + 20, iy + 55, c, a, m);
      int px[8], py[8];
      for (int k = 0; k < 8; ++k) {
        // A regular octagon given out of order, with its centre among the points.
        const int j = (k * 3) % 8;
        px[k] = ix + 68 + static_cast<int>(26 * std::cos(j * kPi / 4));
        py[k] = iy + 68 + static_cast<int>(26 * std::sin(j * kPi / 4));
      }
      px[5] = ix + 68, py[5] = iy + 68;
      LICE_FillConvexPolygon(bm, px, py, 8, c, a, m);
      break;
    }
    case 7:
      LICE_DrawQBezier(bm, x + 4, y + 40, x + 50, y - 30, x + 96, y + 45, c, a, m, s.aa, 1);
      LICE_DrawCBezier(bm, x + 4, y + 95, x + 30, y + 10, x + 70, y + 110, x + 96, y + 55, c, a, m, s.aa, 1);
      break;
    case 8:
      LICE_FillCBezier(bm, x + 4, y + 20, x + 30, y - 10, x + 60, y + 50, x + 96, y + 10, iy + 40, c, a, m, 1);
      LICE_FillCBezierX(bm, x + 20, y + 50, x + 60, y + 60, x + 0, y + 80, x + 40, y + 96, ix + 70, c, a, m, 1);
      break;
  }
}

LICE_pixel Background(int x, int y) {
  return LICE_MakePixel(30 + x * 160 / (kCell * kColumns), 30 + y * 160 / (kCell * kRows), 110, 255);
}

std::unique_ptr<LICE_MemBitmap> Sheet() {
  auto bm = licetest::Bitmap(kCell * kColumns, kCell * kRows, Background);
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) DrawCell(bm.get(), row, col * kCell, row * kCell, kStyles[col]);
  }
  return bm;
}

TEST(DrawingSheetTest, EveryCellIsDrawnAndTheSheetIsWritten) {
  auto sheet = Sheet();
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      int changed = 0;
      for (int y = row * kCell; y < (row + 1) * kCell; ++y) {
        for (int x = col * kCell; x < (col + 1) * kCell; ++x) changed += licetest::At(sheet.get(), x, y) != Background(x, y);
      }
      EXPECT_GT(changed, 100) << "row " << row << ", column " << col;
    }
  }
  EXPECT_TRUE(testsupport::writePng(testsupport::outputPath("lice-drawing-sheet.png"),
                                    reinterpret_cast<const unsigned char*>(sheet->getBits()), sheet->getWidth(),
                                    sheet->getHeight(), sheet->getRowSpan() * 4));
}

}  // namespace
